// Looking at the project changes nothing and nothing the user entered is dropped,
// driven as a user works: menu actions, clicks, keys, Escape, then the saved file.
#include "DataEdit.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "SoilLayers.h"
#include "Table.h"
#include "TableForm.h"
#include "soils.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace veldo {
namespace {

constexpr int Fhwa = 1;
constexpr int Usace = 2;

class EnteredValuesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        form_ = test::ShowMainForm(test::TestFormOptions(dir_, dialogs_, shell_), QSize(1100, 800));
    }
    void TearDown() override
    {
        form_.reset();
        QDir::setCurrent(workingDir_); // opening a project makes its folder current
    }

    TMainForm& Form() { return *form_; }
    TProgramData& Data() { return form_->Data(); }
    TGridTable& D() { return form_->Tables().D(); }
    TGridTable& Layer(int row) { return *form_->Tables().LayerTable(row); }
    void Do(const char* action) { Form().Action(QString::fromLatin1(action))->trigger(); }
    QWidget* Active() { return Form().MdiArea()->activeSubWindow()->widget(); }
    template <class T> T& Child(QWidget* window, const char* name)
    {
        return test::Child<T>(*window, QString::fromLatin1(name));
    }

    // Opens a copy of an example through File > Open.
    void OpenExample(const char* example)
    {
        const QString name = QString::fromLatin1(example);
        for (const char* extension : {".vd7d", ".cpt"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(VELDO_EXAMPLES_DIR "/") + name + QLatin1String(extension),
                                    dir_.filePath(name + QLatin1String(extension))));
        OpenFile(dir_.filePath(name + QStringLiteral(".vd7d")));
    }
    void OpenFile(const QString& path)
    {
        dialogs_.openAnswers.push_back(TOpenChoice{path, 1});
        Do("FileOpen");
        ASSERT_EQ(Data().ProjectPath, path);
    }
    std::vector<QString> SavedLines()
    {
        Do("FileSave");
        QFile file(Data().ProjectPath);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        std::vector<QString> lines;
        for (const QByteArray& line : file.readAll().split('\n'))
            lines.push_back(QString::fromLatin1(line).trimmed());
        return lines;
    }
    // Runs `act` on the modal layer window that the button of layer `layer` opens.
    void WithLayerWindow(TDlgSoilLayers& layers, int layer, const std::function<void(TDlgSoils&)>& act)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<TDlgSoils*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            act(*window);
            ran = true;
        });
        QTest::mouseClick(layers.LayerButton(layer), Qt::LeftButton);
        EXPECT_TRUE(ran);
        QApplication::processEvents();
    }
    // Clicks the box of a capacity method on the methods window's second tab.
    void ClickCapacityBox(int method)
    {
        Do("DataMethods");
        auto& tabs = Child<QTabWidget>(Active(), "PageControl1");
        QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(1).center());
        auto& box = Child<QCheckBox>(Active(), QStringLiteral("CheckBox%1").arg(method).toLatin1().constData());
        ASSERT_TRUE(box.isVisible());
        Click(box);
    }
    static void Click(QAbstractButton& button) { test::Click(button); }
    // Chooses an item of a list by keys, as a user without a mouse does.
    static void Choose(QComboBox& combo, Qt::Key key)
    {
        combo.setFocus();
        QTest::keyClick(&combo, key);
    }

    const QString workingDir_ = QDir::currentPath();
    QTemporaryDir dir_;
    test::TScriptedFileDialogs dialogs_;
    test::TRecordingShell shell_;
    TScopedMessageRecorder messages_;
    std::unique_ptr<TMainForm> form_;
};

// Picking "Sand" again for a sand layer in the soil table's editor made the layer a
// new, empty property table.
TEST_F(EnteredValuesTest, ReChoosingTheSoilTypeOfALayerKeepsItsProperties)
{
    OpenExample("PipeSandClay_English");
    const std::vector<QString> opened = SavedLines();
    Do("DataSoilTable");
    TTableForm* editor = D().Editor();
    ASSERT_NE(editor, nullptr);
    QComboBox* type = nullptr;
    for (int column = 0; column < editor->Grid()->columnCount() && !type; ++column)
        type = qobject_cast<QComboBox*>(editor->Grid()->cellWidget(0, column));
    ASSERT_NE(type, nullptr);
    ASSERT_EQ(type->currentText(), "Sand");
    type->setFocus();
    QTest::keyClick(type, Qt::Key_F4); // the list drops down on the current item
    ASSERT_TRUE(type->view()->isVisible());
    QTest::keyClick(type->view(), Qt::Key_Return);
    EXPECT_EQ(Layer(0).Cell(kSandFriction, 0).AsFloat(), 30.0L);
    EXPECT_FALSE(Form().IsModified());
    EXPECT_EQ(SavedLines(), opened);
}

// Opening a layer's properties and leaving by Escape zeroed its friction angles.
TEST_F(EnteredValuesTest, TheLayerWindowLeftWithoutAnEditChangesNothing)
{
    OpenExample("PipeSandClay_English");
    // A sand layer described both ways, as older files have it.
    Layer(0).Cell(kSandBlowCount, 0).SetInteger(10);
    Layer(0).Cell(kSandBlowCount, 1).SetInteger(12);
    Form().SetModified(false);
    Do("DataSoilLayers");
    auto& layers = *FindInputWindow<TDlgSoilLayers>(Form());
    WithLayerWindow(layers, 0, [&](TDlgSoils& w) {
        EXPECT_TRUE(w.RadioButton(2)->isChecked()); // blow counts given: the SPT choice
        QTest::keyClick(&w, Qt::Key_Escape);
    });
    EXPECT_EQ(layers.LayerWindow(), nullptr);
    EXPECT_FALSE(Form().IsModified());
    WithLayerWindow(layers, 0, [](TDlgSoils& w) {
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    EXPECT_FALSE(Form().IsModified());
    std::vector<QString> lines = SavedLines();
    EXPECT_EQ(lines.at(9), "0.0 1 0.8 110 30 20");
    EXPECT_EQ(lines.at(10), "0 0 0.0 10 0.0 0.0 0 0 0 1 1 0");

    // Switching to the friction angle is the choice that zeroes the blow counts.
    WithLayerWindow(layers, 0, [](TDlgSoils& w) {
        Click(*w.RadioButton(1));
        QTest::keyClick(&w, Qt::Key_Escape);
    });
    EXPECT_TRUE(Form().IsModified());
    lines = SavedLines();
    EXPECT_EQ(lines.at(9), "0.0 1 0.8 110 30 20");
    EXPECT_EQ(lines.at(10), "0 0 0.0 0 0.0 0.0 0 0 0 1 1 0");
    EXPECT_EQ(lines.at(12), "0 0 0.0 0 0.0 0.0 0 0 0 1 1 0");
}

TEST_F(EnteredValuesTest, TheDesignerAndTheJobNumberAreEditsThatAskToBeSaved)
{
    for (const char* field : {"DataEdit1", "DataEdit2"}) {
        for (const char* command : {"FileNew", "FileOpen", "FileExit"}) {
            Do("DataTitle");
            auto& edit = Child<QLineEdit>(Active(), field);
            edit.setFocus();
            QTest::keyClicks(&edit, QStringLiteral("J-77"));
            messages_->QueueAnswer(TMessageAnswer::Cancel);
            const std::size_t shown = messages_->Entries().size();
            Do(command);
            ASSERT_EQ(messages_->Entries().size(), shown + 1) << field << " " << command;
            EXPECT_EQ(messages_->Entries().back().text, TMainForm::SaveChangesText);
            EXPECT_TRUE(Form().isVisible());
            Form().SetModified(false);
        }
    }
    EXPECT_EQ(Data().JobNumber, "J-77J-77J-77");
    EXPECT_EQ(Data().Designer, "J-77J-77J-77");
}

// The user load transfers were cleared by every save with another method, and lost
// by a sand > silt > sand change; a disabled taper field kept its angle.
TEST_F(EnteredValuesTest, SavingKeepsUserValuesAndADisabledTaperStoresZero)
{
    OpenExample("PipeSandClay_English");
    for (int row = 0; row < 2; ++row) {
        Layer(0).Cell(kSandUserSkin, row).SetFloat(1500);
        Layer(0).Cell(kSandUserBearing, row).SetFloat(60000);
    }
    for (int m = 1; m <= 9; ++m)
        Data().SetMethodTicked(m, m == Usace);
    Data().SelectedMethod = Usace;
    Form().SetModified(false);

    Do("DataSoilLayers");
    auto& layers = *FindInputWindow<TDlgSoilLayers>(Form());
    Choose(*layers.LayerCombo(0), Qt::Key_End); // Silt
    ASSERT_EQ(D().Cell(kLayerSoilType, 0).AsInteger(), SoilType::Silt);
    Choose(*layers.LayerCombo(0), Qt::Key_Home); // Sand again
    ASSERT_EQ(D().Cell(kLayerSoilType, 0).AsInteger(), SoilType::Sand);
    QTest::mouseClick(layers.Button1(), Qt::LeftButton);
    std::vector<QString> lines = SavedLines();
    EXPECT_EQ(lines.at(10), "0 0 0.0 0 0.0 0.0 0 1500 60000 1 1 0");
    EXPECT_EQ(lines.at(12), "0 0 0.0 0 0.0 0.0 0 1500 60000 1 1 0");
    EXPECT_EQ(Layer(0).Cell(kSandUserSkin, 0).AsFloat(), 1500.0L);

    // Timber with FHWA: an angle of taper; steel pipe: the field is disabled, 0 stored.
    ClickCapacityBox(1);
    Do("DataMaterial");
    QWidget* material = Active();
    Click(Child<QRadioButton>(material, "OptTimber"));
    auto& angle = Child<TDataEdit>(material, "deAngle");
    ASSERT_TRUE(angle.isEnabled());
    angle.setFocus();
    angle.selectAll();
    QTest::keyClicks(&angle, QStringLiteral("0.75"));
    QTest::keyClick(&angle, Qt::Key_Tab);
    Click(Child<QRadioButton>(material, "OptSteel"));
    EXPECT_FALSE(angle.isEnabled());
    QTest::mouseClick(&Child<QPushButton>(material, "Button4"), Qt::LeftButton);
    lines = SavedLines();
    EXPECT_EQ(lines.at(6), "0 1 1 0 2 1 0"); // taper angle 0
    EXPECT_EQ(Data().TaperAngle, 0.0L);
}

// Under the user's load transfers the soil table shows the user unit skin friction and
// end bearing of sand and clay layers, which are saved; a silt layer stores none, so its
// table shows no column for them (its end bearing column showed and took values that
// were then lost).
TEST_F(EnteredValuesTest, SoilTableShowsUserLoadTransfersOnlyWhereTheyAreSaved)
{
    OpenExample("PipeSandClay_English");
    // A silt layer with USACE ticked alone and the user's load transfers selected, as
    // another program may have written it.
    D().Cell(kLayerSoilType, 0).SetInteger(SoilType::Silt);
    for (int m = Method::First; m <= Method::Last; ++m)
        Data().SetMethodTicked(m, m == Usace);
    Data().SelectedMethod = Method::General;
    ASSERT_TRUE(Form().FileSaveClick());
    OpenFile(Data().ProjectPath);
    ASSERT_EQ(D().Cell(kLayerSoilType, 0).AsInteger(), SoilType::Silt);

    Do("DataSoilTable");
    EXPECT_FALSE(Layer(0).Column(kSiltUserSkin).visible);
    EXPECT_FALSE(Layer(0).Column(kSiltUserBearing).visible);
    ASSERT_EQ(D().Cell(kLayerSoilType, 1).AsInteger(), SoilType::Clay);
    EXPECT_TRUE(Layer(1).Column(kClayUserSkin).visible);
    EXPECT_TRUE(Layer(1).Column(kClayUserBearing).visible);
}

// The user's load transfers ticked as a capacity method but not selected for the load
// settlement: the layer window takes them, the soil table does not show them, and the
// file keeps what was typed.
TEST_F(EnteredValuesTest, UserMethodTickedButNotSelectedIsTypedInTheLayerWindowAndKept)
{
    OpenExample("PipeSandClay_English"); // methods 1 to 4 ticked, API selected
    ClickCapacityBox(Method::General);
    Do("DataSoilLayers");
    auto& layers = *FindInputWindow<TDlgSoilLayers>(Form());
    WithLayerWindow(layers, 0, [](TDlgSoils& w) {
        TDataEdit& skin = *w.Field(11);
        ASSERT_TRUE(skin.isEnabled());
        skin.setFocus();
        skin.selectAll();
        QTest::keyClicks(&skin, QStringLiteral("1250"));
        QTest::keyClick(&skin, Qt::Key_Tab);
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    QTest::mouseClick(layers.Button1(), Qt::LeftButton);
    EXPECT_EQ(Data().SelectedMethod, Method::ApiRp2a);
    Do("DataSoilTable");
    EXPECT_FALSE(Layer(0).Column(kSandUserSkin).visible);
    EXPECT_FALSE(Layer(0).Column(kSandUserBearing).visible);
    EXPECT_TRUE(Layer(0).Column(kSandQc).visible);
    const std::vector<QString> lines = SavedLines();
    EXPECT_EQ(lines.at(7), "1 1 1 1 1 0 0 0 0");
    EXPECT_EQ(lines.at(10), "0 0 0.0 0 0.0 0.0 0 1250 0 1 1 0");
    EXPECT_EQ(lines.at(12), "0 0 0.0 0 0.0 0.0 0 0 0 1 1 0");
}

// A project opened with a silt layer and methods that do not allow silt keeps it
// until the methods change; its list shows Silt until another type is picked.
TEST_F(EnteredValuesTest, SiltIsConvertedOnlyWhenTheMethodsChange)
{
    OpenExample("PipeSandClay_English");
    // Silt written with FHWA and USACE ticked, as another program may have.
    D().Cell(kLayerSoilType, 0).SetInteger(SoilType::Silt);
    D().Cell(kLayerSoilType, 2).SetInteger(SoilType::Silt);
    for (int m = 1; m <= 9; ++m)
        Data().SetMethodTicked(m, m == Usace || m == Fhwa);
    Data().SelectedMethod = Usace;
    ASSERT_TRUE(Form().FileSaveClick());
    OpenFile(Data().ProjectPath);
    ASSERT_EQ(D().Cell(kLayerSoilType, 0).AsInteger(), SoilType::Silt);

    Do("DataSoilLayers");
    TDlgSoilLayers* soil = FindInputWindow<TDlgSoilLayers>(Form());
    QComboBox& first = *soil->LayerCombo(0);
    EXPECT_EQ(first.count(), 3);
    EXPECT_EQ(first.currentText(), "Silt");
    EXPECT_EQ(soil->LayerCombo(1)->count(), 2);
    Choose(first, Qt::Key_Home);
    EXPECT_EQ(D().Cell(kLayerSoilType, 0).AsInteger(), SoilType::Sand);
    EXPECT_EQ(first.count(), 2);

    // Looking at the methods changes nothing; a new method converts the other silt.
    Do("DataMethods");
    Form().CloseAllChildren();
    EXPECT_EQ(D().Cell(kLayerSoilType, 2).AsInteger(), SoilType::Silt);
    ClickCapacityBox(4);
    Form().CloseAllChildren();
    EXPECT_EQ(D().Cell(kLayerSoilType, 2).AsInteger(), SoilType::Sand);
}

// Every input window opened, tabbed through and closed leaves the project as it
// was, also with values a unit switch converted.
TEST_F(EnteredValuesTest, LookingThroughEveryWindowIsNoEdit)
{
    OpenExample("PipeSandClay_English");
    Do("OptionsSI");
    ASSERT_TRUE(Form().IsModified());
    const std::vector<QString> saved = SavedLines();
    const long double length = Data().TotalLength;
    const long double bottom = D().Cell(kLayerBottom, 0).AsFloat();
    const long double clay = Layer(1).Cell(kClayUndrained, 1).AsFloat();
    for (int round = 0; round < 2; ++round) {
        for (const char* window : {"DataTitle", "DataMethods", "DataMaterial", "DataCircular", "DataSoilLayers",
                                   "DataCpt", "OptionsControl", "OptionsCriticalDepth", "OptionsPrintTz"}) {
            Do(window);
            for (int k = 0; k < 12; ++k)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        Do("DataSoilTable");
        Form().CloseAllChildren();
        EXPECT_FALSE(Form().IsModified()) << round;
        EXPECT_EQ(Data().TotalLength, length); // at full precision
        EXPECT_EQ(D().Cell(kLayerBottom, 0).AsFloat(), bottom);
        EXPECT_EQ(Layer(1).Cell(kClayUndrained, 1).AsFloat(), clay);
        EXPECT_EQ(SavedLines(), saved) << round;
    }
}

// 45 ft shows 13.716 m after the switch, not 13.7160000000435254, and keeps its
// full precision until it is edited.
TEST_F(EnteredValuesTest, AUnitSwitchShowsTenSignificantDigits)
{
    Data().TotalLength = 45;
    Data().StickupLength = 1;
    Data().OutsideDiameter = 24;
    Do("DataCircular");
    QWidget* circular = Active();
    Do("OptionsSI");
    auto& length = Child<TDataEdit>(circular, "DataEdit10");
    EXPECT_EQ(length.text(), "13.716");
    EXPECT_EQ(length.cursorPosition(), 0);
    EXPECT_EQ(Child<TDataEdit>(circular, "DataEdit1").text(), "0.3048");
    EXPECT_EQ(Child<TDataEdit>(circular, "DataEdit8").text(), "609.6");
    length.setFocus();
    QTest::keyClick(&length, Qt::Key_Tab);
    Form().DeactivateActiveChild();
    EXPECT_EQ(Data().TotalLength, 45 * 0.3048000000012192L);

    length.setFocus();
    length.selectAll();
    QTest::keyClicks(&length, QStringLiteral("1/3"));
    QTest::keyClick(&length, Qt::Key_Tab);
    EXPECT_EQ(length.text(), "0.333333333333333333"); // what is typed keeps its form
}

} // namespace
} // namespace veldo
