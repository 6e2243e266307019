// The soil layers window: loading the layer table into the grid with English and SI
// headers, Add / Insert / Delete with their enabling and the deletion question, soil
// type changes that carry the shared properties, the commit on deactivation, the
// end-bearing factor check of "Close" and the layer button opening the layer window.
#include "ColumnTypes.h"
#include "DataEdit.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "SoilLayers.h"
#include "Table.h"
#include "Title.h"
#include "soils.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMdiArea>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace veldo {
namespace {

struct TLayer {
    int type;
    long double bottom, maxSide, maxEnd, sideFactor, endFactor;
};

class SoilLayersWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        form_ = test::ShowMainForm(test::TestFormOptions(dir_, dialogs_, shell_), QSize(1100, 800));
    }
    void TearDown() override { form_.reset(); }

    TMainForm& Form() { return *form_; }
    TProgramData& Data() { return form_->Data(); }
    TGridTable& D() { return form_->Tables().D(); }
    TGridTable& Layer(int row) { return *form_->Tables().LayerTable(row); }

    void SetLayers(const std::vector<TLayer>& layers)
    {
        D().SetRowCount(static_cast<int>(layers.size()));
        for (int row = 0; row < D().RowCount(); ++row) {
            const TLayer& l = layers[static_cast<std::size_t>(row)];
            D().Cell(kLayerSoilType, row).SetInteger(l.type);
            D().Cell(kLayerBottom, row).SetFloat(l.bottom);
            D().Cell(kLayerMaxSide, row).SetFloat(l.maxSide);
            D().Cell(kLayerMaxEnd, row).SetFloat(l.maxEnd);
            D().Cell(kLayerSideFactor, row).SetFloat(l.sideFactor);
            D().Cell(kLayerEndFactor, row).SetFloat(l.endFactor);
        }
        Form().SetModified(false);
    }
    // Three layers: sand to 10, clay to 20 (undrained 1500 / 1800, adhesion method
    // 2), sand to 30.
    void ThreeLayers()
    {
        SetLayers({{SoilType::Sand, 10, 0, 0, 1, 0.9L},
                   {SoilType::Clay, 20, 2000, 40000, 0.8L, 0.7L},
                   {SoilType::Sand, 30, 0, 0, 1, 1}});
        Layer(1).Cell(kClayUndrained, 0).SetFloat(1500);
        Layer(1).Cell(kClayUndrained, 1).SetFloat(1800);
        Layer(1).Cell(kClayAdhesion, 0).SetInteger(2);
        Layer(1).Cell(kClayAdhesion, 1).SetInteger(2);
        Form().SetModified(false);
    }

    TDlgSoilLayers& Open()
    {
        Form().Action(QStringLiteral("DataSoilLayers"))->trigger();
        auto* window = FindInputWindow<TDlgSoilLayers>(Form());
        EXPECT_NE(window, nullptr);
        return *window;
    }
    std::vector<QString> RowTexts(const TDlgSoilLayers& w, int row)
    {
        std::vector<QString> texts;
        for (int c = 0; c < TDlgSoilLayers::ColumnCount; ++c)
            texts.push_back(w.Cells(c, row));
        return texts;
    }
    static std::vector<QString> Texts(std::initializer_list<const char*> texts)
    {
        std::vector<QString> result;
        for (const char* t : texts)
            result.push_back(QString::fromLatin1(t));
        return result;
    }

    QTemporaryDir dir_;
    test::TScriptedFileDialogs dialogs_;
    test::TRecordingShell shell_;
    TScopedMessageRecorder messages_;
    std::unique_ptr<TMainForm> form_;
};

TEST_F(SoilLayersWindowTest, LoadsTheLayerTableWithEnglishHeaders)
{
    ThreeLayers();
    TDlgSoilLayers& w = Open();
    EXPECT_EQ(w.windowTitle(), "Soil Layers");
    EXPECT_EQ(w.RowCount(), 5);
    EXPECT_EQ(w.CurrentRow(), 2);
    EXPECT_EQ(RowTexts(w, 0),
              Texts({"  Layer ", " Soil Type ", " Depth at Bottom * ", " Max. Side Friction ** ",
                     " Max. End Bearing ** ", " Reduction/Resistance *** ", " Reduction/Resistance *** "}));
    EXPECT_EQ(RowTexts(w, 1),
              Texts({"        ", "           ", " of each layer (ft) ", "       (lb/ft^2)    ", "       (lb/ft^2)    ",
                     " Factors on Side Friction ", "  Factors on End Bearing "}));
    EXPECT_EQ(RowTexts(w, 3), Texts({"Layer 2", "2", "20", "2000", "40000", "0.8", "0.7"}));
    EXPECT_EQ(w.LayerButton(1)->text(), "Edit Layer 2");
    EXPECT_EQ(w.LayerCombo(1)->currentText(), "Clay");
    EXPECT_EQ(w.LayerEdit(1, 0)->Number(), 20.0L);
    EXPECT_EQ(w.LayerEdit(0, 4)->Number(), 0.9L);
    // Column widths: at least the design widths; the header shows every word of its
    // texts (units and note marks), each line whole in the header's font; the grid
    // shows every column.
    const QFontMetrics metrics(w.LayerGrid()->horizontalHeader()->font());
    const std::array<int, 7> design{131, 72, 94, 106, 106, 135, 135};
    int total = 0;
    for (int c = 0; c < 7; ++c) {
        const int width = w.LayerGrid()->columnWidth(c);
        EXPECT_GE(width, design[static_cast<std::size_t>(c)]) << c;
        const QString shown = w.LayerGrid()->horizontalHeaderItem(c)->text();
        for (const QString& line : shown.split(QLatin1Char('\n')))
            EXPECT_GT(width, metrics.horizontalAdvance(line)) << c;
        EXPECT_EQ(shown.simplified(), (RowTexts(w, 0)[static_cast<std::size_t>(c)] + QLatin1Char(' ') +
                                       RowTexts(w, 1)[static_cast<std::size_t>(c)])
                                          .simplified())
            << c;
        total += width;
    }
    EXPECT_GE(w.LayerGrid()->viewport()->width(), total);
    // The toolbar button brings the same window forward.
    ASSERT_TRUE(Form().Action(QStringLiteral("SpeedButton7"))->isEnabled());
    Form().Action(QStringLiteral("SpeedButton7"))->trigger();
    EXPECT_EQ(FindInputWindow<TDlgSoilLayers>(Form()), &w);
    EXPECT_EQ(Form().MdiArea()->subWindowList().size(), 1);
}

TEST_F(SoilLayersWindowTest, SiHeadersNameMetresAndKilonewtons)
{
    Data().UnitSystem = UnitSystem::SI;
    TDlgSoilLayers& w = Open();
    EXPECT_EQ(w.Cells(2, 1), " of each layer (m) ");
    EXPECT_EQ(w.Cells(3, 1), "       (kN/m^2)    ");
    EXPECT_EQ(w.Cells(4, 1), "       (kN/m^2)    ");
    EXPECT_EQ(w.Cells(5, 1), " Factors on Side Friction ");
}

TEST_F(SoilLayersWindowTest, UnitSwitchReloadsTheOpenWindow)
{
    ThreeLayers();
    TDlgSoilLayers& w = Open();
    test::TypeOver(*w.LayerEdit(0, 0), QStringLiteral("12"));
    ASSERT_TRUE(test::ChooseMenuItem(Form(), QStringLiteral("UnitsMenu"), QStringLiteral("OptionsSI")));
    // The typed 12 ft is committed first, then converted: 12 x 0.3048 = 3.6576 m;
    // 2000 lb/ft2 x 0.00444822 kN/lb / 0.09290304 m2/ft2 = 95.7605 kN/m2.
    EXPECT_EQ(w.Cells(2, 1), " of each layer (m) ");
    EXPECT_NEAR(static_cast<double>(EvaluateCellText(w.Cells(2, 2))), 3.6576, 1e-9);
    EXPECT_NEAR(static_cast<double>(w.LayerEdit(0, 0)->Number()), 3.6576, 1e-9);
    EXPECT_NEAR(static_cast<double>(w.LayerEdit(1, 1)->Number()), 95.7605, 1e-3);
    EXPECT_EQ(w.Cells(5, 3), "0.8"); // factors have no unit
}

TEST_F(SoilLayersWindowTest, EmptyProjectShowsHeadersOnlyAndAddMakesASandLayer)
{
    D().SetRowCount(0);
    Form().SetModified(false);
    TDlgSoilLayers& w = Open();
    EXPECT_EQ(w.RowCount(), 2);
    EXPECT_TRUE(w.ButtonAdd()->isEnabled());
    EXPECT_FALSE(w.ButtonIns()->isEnabled());
    EXPECT_FALSE(w.ButtonDel()->isEnabled());

    test::Click(*w.ButtonAdd());
    EXPECT_EQ(RowTexts(w, 2), Texts({"Layer 1", "1", "0", "0", "0", "1", "1"}));
    EXPECT_EQ(w.CurrentRow(), 2);
    ASSERT_EQ(D().RowCount(), 1);
    EXPECT_EQ(D().Cell(kLayerSoilType, 0).AsInteger(), SoilType::Sand);
    EXPECT_EQ(D().Cell(kLayerBottom, 0).AsFloat(), 0.0L);
    EXPECT_EQ(D().Cell(kLayerSideFactor, 0).AsFloat(), 1.0L);
    EXPECT_EQ(D().Cell(kLayerEndFactor, 0).AsFloat(), 1.0L);
    EXPECT_EQ(w.LayerButton(0)->text(), "Edit Layer 1");
    EXPECT_EQ(w.LayerCombo(0)->currentText(), "Sand");
    EXPECT_TRUE(w.ButtonIns()->isEnabled());
    EXPECT_TRUE(w.ButtonDel()->isEnabled());
    EXPECT_TRUE(Form().IsModified());
}

TEST_F(SoilLayersWindowTest, FortyLayersStopAddAndInsert)
{
    D().SetRowCount(40);
    TDlgSoilLayers& w = Open();
    EXPECT_EQ(w.RowCount(), 42);
    EXPECT_FALSE(w.ButtonAdd()->isEnabled());
    // Insert would make a 41st layer, beyond what the engine holds.
    EXPECT_FALSE(w.ButtonIns()->isEnabled());
    EXPECT_TRUE(w.ButtonDel()->isEnabled());
    test::Click(*w.ButtonIns());
    EXPECT_EQ(D().RowCount(), 40);

    w.CheckBoxDel()->setChecked(false);
    test::Click(*w.ButtonDel());
    EXPECT_EQ(D().RowCount(), 39);
    EXPECT_TRUE(w.ButtonAdd()->isEnabled());
    EXPECT_TRUE(w.ButtonIns()->isEnabled());
}

TEST_F(SoilLayersWindowTest, InsertMovesTheLayersBelowWithTheirProperties)
{
    ThreeLayers();
    TDlgSoilLayers& w = Open();
    w.EditChange(100); // the depth field of layer 2 entered
    ASSERT_EQ(w.CurrentRow(), 3);
    test::Click(*w.ButtonIns());

    ASSERT_EQ(D().RowCount(), 4);
    EXPECT_EQ(w.RowCount(), 6);
    EXPECT_EQ(RowTexts(w, 3), Texts({"Layer 2", "1", "0", "0", "0", "1", "1"}));
    EXPECT_EQ(RowTexts(w, 4), Texts({"Layer 3", "2", "20", "2000", "40000", "0.8", "0.7"}));
    EXPECT_EQ(RowTexts(w, 5), Texts({"Layer 4", "1", "30", "0", "0", "1", "1"}));
    EXPECT_EQ(w.LayerButton(3)->text(), "Edit Layer 4");
    EXPECT_EQ(w.LayerCombo(2)->currentText(), "Clay");
    EXPECT_EQ(w.LayerEdit(2, 0)->Number(), 20.0L);
    // The new layer is a default sand layer; the clay layer moved down whole.
    EXPECT_EQ(D().Cell(kLayerSoilType, 1).AsInteger(), SoilType::Sand);
    EXPECT_EQ(D().Cell(kLayerEndFactor, 1).AsFloat(), 1.0L);
    EXPECT_EQ(D().Cell(kLayerSoilType, 2).AsInteger(), SoilType::Clay);
    EXPECT_EQ(D().Cell(kLayerBottom, 2).AsFloat(), 20.0L);
    EXPECT_EQ(Layer(2).Cell(kClayUndrained, 1).AsFloat(), 1800.0L);
    EXPECT_EQ(Layer(2).Cell(kClayAdhesion, 0).AsInteger(), 2);
    EXPECT_EQ(D().Cell(kLayerBottom, 3).AsFloat(), 30.0L);
    EXPECT_TRUE(Form().IsModified());
}

TEST_F(SoilLayersWindowTest, DeleteAsksUnlessConfirmationIsCleared)
{
    ThreeLayers();
    TDlgSoilLayers& w = Open();
    w.LayerEdit(1, 1)->setFocus(); // entering a field of layer 2 makes it current
    ASSERT_EQ(w.CurrentRow(), 3);
    messages_->QueueAnswer(TMessageAnswer::No);
    test::Click(*w.ButtonDel());
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Do you want to delete soil layer in row 2"});
    EXPECT_EQ(D().RowCount(), 3);
    EXPECT_FALSE(Form().IsModified());

    messages_->QueueAnswer(TMessageAnswer::Yes);
    test::Click(*w.ButtonDel());
    ASSERT_EQ(D().RowCount(), 2);
    EXPECT_EQ(RowTexts(w, 3), Texts({"Layer 2", "1", "30", "0", "0", "1", "1"}));
    EXPECT_EQ(D().Cell(kLayerBottom, 1).AsFloat(), 30.0L);
    EXPECT_EQ(w.LayerButton(1)->text(), "Edit Layer 2");
    EXPECT_EQ(w.LayerGrid()->rowCount(), 2);

    // Without confirmation nothing is asked; deleting the last layer leaves the
    // current row on the new last layer.
    messages_->Clear();
    w.CheckBoxDel()->setChecked(false);
    test::Click(*w.ButtonDel());
    EXPECT_TRUE(messages_->Texts().empty());
    ASSERT_EQ(D().RowCount(), 1);
    EXPECT_EQ(D().Cell(kLayerBottom, 0).AsFloat(), 10.0L);
    EXPECT_EQ(w.CurrentRow(), 2);
    test::Click(*w.ButtonDel());
    EXPECT_EQ(D().RowCount(), 0);
    EXPECT_EQ(w.RowCount(), 2);
    EXPECT_FALSE(w.ButtonDel()->isEnabled());
}

TEST_F(SoilLayersWindowTest, SiltIsOfferedOnlyWhenUsaceIsTheOnlyMethod)
{
    ThreeLayers();
    Data().SetMethodTicked(1, true);
    Data().SetMethodTicked(2, true);
    Data().SetMethodTicked(4, false);
    TDlgSoilLayers& w = Open();
    EXPECT_FALSE(w.SiltAllowed());
    EXPECT_EQ(w.LayerCombo(0)->count(), 2);

    // The list follows the methods on the next activation.
    Data().SetMethodTicked(1, false);
    w.FormActivate();
    EXPECT_TRUE(w.SiltAllowed());
    ASSERT_EQ(w.LayerCombo(0)->count(), 3);
    EXPECT_EQ(w.LayerCombo(0)->itemText(2), "Silt");
}

TEST_F(SoilLayersWindowTest, TypeChangesCarryTheSharedProperties)
{
    Data().SetMethodTicked(4, false);
    Data().SetMethodTicked(2, true);
    SetLayers({{SoilType::Sand, 10, 0, 0, 1, 1}, {SoilType::Clay, 20, 0, 0, 1, 1}});
    TGridTable& sand = Layer(0);
    for (int end = 0; end < 2; ++end) {
        sand.Cell(kSandUnitWeight, end).SetFloat(120 + end);
        sand.Cell(kSandFriction, end).SetFloat(32 + end);
        sand.Cell(kSandBlowCount, end).SetInteger(12 + end);
        sand.Cell(kSandKo, end).SetFloat(0.8L + end);
        sand.Cell(kSandNq, end).SetFloat(20);
        sand.Cell(kSandUserSkin, end).SetFloat(300 + end);
    }
    Layer(1).Cell(kClayUnitWeight, 1).SetFloat(110);
    Layer(1).Cell(kClayUndrained, 0).SetFloat(1500);
    Layer(1).Cell(kClayUndrained, 1).SetFloat(1800);
    TDlgSoilLayers& w = Open();
    ASSERT_TRUE(w.SiltAllowed());

    // Sand to silt and back: unit weight, friction angle, blow count and Ko stay.
    w.LayerCombo(0)->setCurrentIndex(2);
    EXPECT_EQ(w.Cells(1, 2), "3");
    EXPECT_EQ(w.CurrentRow(), 2);
    ASSERT_EQ(D().Cell(kLayerSoilType, 0).AsInteger(), SoilType::Silt);
    EXPECT_EQ(Layer(0).Cell(kSiltBlowCount, 1).AsInteger(), 13);
    EXPECT_EQ(Layer(0).Cell(kSiltUndrained, 0).AsFloat(), 0.0L);
    w.LayerCombo(0)->setCurrentIndex(0);
    ASSERT_EQ(D().Cell(kLayerSoilType, 0).AsInteger(), SoilType::Sand);
    for (int end = 0; end < 2; ++end) {
        EXPECT_EQ(Layer(0).Cell(kSandUnitWeight, end).AsFloat(), 120.0L + end);
        EXPECT_EQ(Layer(0).Cell(kSandFriction, end).AsFloat(), 32.0L + end);
        EXPECT_EQ(Layer(0).Cell(kSandBlowCount, end).AsInteger(), 12 + end);
        EXPECT_EQ(Layer(0).Cell(kSandKo, end).AsFloat(), 0.8L + end);
        EXPECT_EQ(Layer(0).Cell(kSandNq, end).AsFloat(), 0.0L); // Nq is sand's alone
    }
    // Sand to clay and back keeps the unit weight and the user values.
    Layer(0).Cell(kSandUserSkin, 1).SetFloat(301);
    w.LayerCombo(0)->setCurrentIndex(1);
    EXPECT_EQ(Layer(0).Cell(kClayUserSkin, 1).AsFloat(), 301.0L);
    EXPECT_EQ(Layer(0).Cell(kClayUndrained, 1).AsFloat(), 0.0L);
    w.LayerCombo(0)->setCurrentIndex(0);
    EXPECT_EQ(Layer(0).Cell(kSandUserSkin, 1).AsFloat(), 301.0L);
    EXPECT_EQ(Layer(0).Cell(kSandUnitWeight, 0).AsFloat(), 120.0L);

    // Clay to silt and back keeps the undrained shear strength.
    w.LayerCombo(1)->setCurrentIndex(2);
    EXPECT_EQ(Layer(1).Cell(kSiltUndrained, 1).AsFloat(), 1800.0L);
    EXPECT_EQ(Layer(1).Cell(kSiltUnitWeight, 1).AsFloat(), 110.0L);
    w.LayerCombo(1)->setCurrentIndex(1);
    EXPECT_EQ(Layer(1).Cell(kClayUndrained, 0).AsFloat(), 1500.0L);
    EXPECT_EQ(Layer(1).Cell(kClayUndrained, 1).AsFloat(), 1800.0L);
    EXPECT_EQ(Layer(1).Cell(kClayUnitWeight, 1).AsFloat(), 110.0L);
}

TEST_F(SoilLayersWindowTest, EditsReachTheTableOnDeactivation)
{
    ThreeLayers();
    TDlgSoilLayers& w = Open();
    Form().SetModified(false);
    // 12 x 2 + 1 = 25: the field's expression becomes the cell's number.
    test::Enter(*w.LayerEdit(2, 0), QStringLiteral("12*2+1"));
    EXPECT_EQ(w.Cells(2, 4), "25");
    test::TypeOver(*w.LayerEdit(0, 1), QStringLiteral("1234.5"));
    EXPECT_EQ(D().Cell(kLayerBottom, 2).AsFloat(), 25.0L); // the window keeps no copy
    // Another window chosen from the Data menu: this one commits as it is left.
    ASSERT_TRUE(test::ChooseMenuItem(Form(), QStringLiteral("DataMenu"), QStringLiteral("DataTitle")));
    EXPECT_EQ(D().Cell(kLayerBottom, 2).AsFloat(), 25.0L);
    EXPECT_EQ(D().Cell(kLayerMaxSide, 0).AsFloat(), 1234.5L);
    EXPECT_EQ(D().Cell(kLayerEndFactor, 1).AsFloat(), 0.7L);
    EXPECT_EQ(Layer(1).Cell(kClayUndrained, 1).AsFloat(), 1800.0L); // properties untouched
    EXPECT_TRUE(Form().IsModified());
}

TEST_F(SoilLayersWindowTest, InvalidFocusedEntryIsNotCommitted)
{
    ThreeLayers();
    TDlgSoilLayers& w = Open();
    TDataEdit& depth = *w.LayerEdit(0, 0);
    test::TypeOver(depth, QStringLiteral("12+"));
    ASSERT_TRUE(test::ChooseMenuItem(Form(), QStringLiteral("DataMenu"), QStringLiteral("DataTitle")));
    ASSERT_EQ(messages_->Entries().size(), 1u);
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Information);
    EXPECT_EQ(depth.text(), "12+");
    EXPECT_TRUE(depth.hasFocus());
    EXPECT_FALSE(InputWindowCreated<TdlgTitle>(Form()));
    // The window edits the table as the user types, so the table holds what the text
    // last evaluated to; nothing is saved while the entry stays refused.
    const QString project = dir_.filePath(QStringLiteral("layers.vd7d"));
    messages_->Clear();
    EXPECT_FALSE(test::SaveNamedByMenu(Form(), project));
    EXPECT_EQ(messages_->Entries().size(), 1u);
    EXPECT_FALSE(QFileInfo::exists(project));
    EXPECT_EQ(depth.text(), "12+");

    // Corrected, the entry is saved.
    test::TypeOver(depth, QStringLiteral("15"));
    EXPECT_TRUE(test::SaveNamedByMenu(Form(), project));
    EXPECT_EQ(D().Cell(kLayerBottom, 0).AsFloat(), 15.0L);
}

TEST_F(SoilLayersWindowTest, CloseRefusesAZeroEndBearingFactor)
{
    ThreeLayers();
    D().Cell(kLayerEndFactor, 2).SetFloat(0);
    TDlgSoilLayers& w = Open();
    test::Click(*w.Button1());
    EXPECT_EQ(messages_->Texts(),
              std::vector<QString>{"Reduction/Resistance Factor on End Bearing for layer 3 should be greater "
                                   "than zero.\rPlease check"});
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Warning);
    EXPECT_TRUE(InputWindowCreated<TDlgSoilLayers>(Form()));

    test::Enter(*w.LayerEdit(2, 4), QStringLiteral("0.5"));
    test::Click(*w.Button1());
    QApplication::processEvents();
    EXPECT_FALSE(InputWindowCreated<TDlgSoilLayers>(Form()));
    EXPECT_EQ(D().Cell(kLayerEndFactor, 2).AsFloat(), 0.5L);
    EXPECT_EQ(messages_->Texts().size(), 1u);
}

TEST_F(SoilLayersWindowTest, LayerButtonOpensTheLayerWindowModally)
{
    ThreeLayers();
    TDlgSoilLayers& w = Open();
    QString caption;
    int page = -1;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* layer = qobject_cast<TDlgSoils*>(QApplication::activeModalWidget());
        ASSERT_NE(layer, nullptr);
        modal = layer->isModal();
        caption = layer->windowTitle();
        page = layer->Pages()->currentIndex();
        layer->Button2Click();
    });
    test::Click(*w.LayerButton(1));
    EXPECT_TRUE(modal);
    EXPECT_EQ(caption, "Data for Layer 2");
    EXPECT_EQ(page, 1); // the clay tab
    EXPECT_EQ(w.CurrentRow(), 3);
    QApplication::processEvents();
    EXPECT_EQ(w.LayerWindow(), nullptr); // freed on close; made again on the next use
    EXPECT_EQ(w.LayerButton(1)->text(), "Edit Layer 2");
}

// A silt layer turned into sand by the Computation Methods window (FHWA ticked
// besides USACE) shows as sand in the soil layers window opened before it, and that
// window's next commit keeps it sand.
TEST_F(SoilLayersWindowTest, SiltTurnedIntoSandByTheMethodsWindowStaysSand)
{
    SetLayers({{SoilType::Sand, 10, 0, 0, 1, 1}, {SoilType::Silt, 20, 0, 0, 1, 1}});
    Layer(1).Cell(kSiltFriction, 0).SetFloat(28);
    Data().SetMethodTicked(2, true);
    Data().SetMethodTicked(4, false);
    Data().SelectedMethod = 2;
    TDlgSoilLayers& w = Open();
    ASSERT_TRUE(w.SiltAllowed());
    EXPECT_EQ(w.Cells(1, 3), "3");
    Form().Action(QStringLiteral("DataMethods"))->trigger();
    QWidget* methods = Form().MdiArea()->activeSubWindow()->widget();
    test::Click(*methods->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))); // FHWA as well
    Form().MdiArea()->setActiveSubWindow(w.SubWindow());
    EXPECT_FALSE(w.SiltAllowed());
    EXPECT_EQ(w.Cells(1, 3), "1");
    Form().DeactivateActiveChild();
    EXPECT_EQ(D().Cell(kLayerSoilType, 1).AsInteger(), SoilType::Sand);
    EXPECT_EQ(Layer(1).Cell(kSandFriction, 0).AsFloat(), 28.0L);
}

// Turning the mouse wheel over the grid scrolls it: a soil-type list the pointer
// passes over keeps its type (a type change would convert the layer's properties).
TEST_F(SoilLayersWindowTest, TheMouseWheelDoesNotChangeASoilTypeItPassesOver)
{
    ThreeLayers();
    TDlgSoilLayers& w = Open();
    w.LayerEdit(0, 0)->setFocus();
    QComboBox* clay = w.LayerCombo(1);
    ASSERT_EQ(clay->currentIndex(), 1);
    const QPointF at(clay->width() / 2.0, clay->height() / 2.0);
    for (const int delta : {-120, 120}) {
        QWheelEvent wheel(at, clay->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(clay, &wheel);
    }
    EXPECT_EQ(clay->currentIndex(), 1);
    EXPECT_EQ(w.Cells(1, 3), "2");
    EXPECT_EQ(D().Cell(kLayerSoilType, 1).AsInteger(), SoilType::Clay);
    EXPECT_EQ(Layer(1).Cell(kClayUndrained, 1).AsFloat(), 1800.0L);
}

} // namespace
} // namespace veldo
