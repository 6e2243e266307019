// The Computation Methods window: loading from the project, the enabling rules, the
// capacity boxes that follow the load-transfer method, and the commit with its
// consistency rules (tension factor, taper angle, silt layers, user unit columns).
#include "DataEdit.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "ProjectTestSupport.h"
#include "Table.h"
#include "compmeth.h"
#include "pilemat.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veldo {
namespace {

class MethodsWindowTest : public test::TMainWindowTest {
protected:
    // Opens the window through its menu item.
    TfrmWaterDepth& Open()
    {
        return test::OpenByMenu<TfrmWaterDepth>(Form(), QStringLiteral("DataMenu"), QStringLiteral("DataMethods"));
    }
    // File > Save of the project, named in the test folder: the window commits and stays open.
    void Save() { EXPECT_TRUE(test::SaveNamedByMenu(Form(), dir_.filePath(QStringLiteral("pile.vd7d")))); }
    // Types into a field on its tab page (brought forward first), leaving it with Tab.
    static void Enter(TDataEdit& field, const QString& text)
    {
        test::ShowPageOf(field);
        test::Enter(field, text);
    }
    static void TypeOver(TDataEdit& field, const QString& text)
    {
        test::ShowPageOf(field);
        test::TypeOver(field, text);
    }

    template <class T> T& Child(const QWidget& window, const QString& name) { return test::Child<T>(window, name); }
    QRadioButton& Radio(const QWidget& w, const char* name) { return Child<QRadioButton>(w, QLatin1String(name)); }
    QCheckBox& Box(const QWidget& w, int method)
    {
        return Child<QCheckBox>(w, QStringLiteral("CheckBox%1").arg(method));
    }
    TDataEdit& Field(const QWidget& w, const char* name) { return Child<TDataEdit>(w, QLatin1String(name)); }
    // A button clicked on its tab page (brought forward first).
    static void Click(QAbstractButton& button)
    {
        test::ShowPageOf(button);
        test::Click(button);
    }

    // Capacity boxes ticked, as a string of nine 0/1 digits.
    std::string Ticks(const QWidget& w)
    {
        std::string ticks;
        for (int m = 1; m <= 9; ++m)
            ticks += Box(w, m).isChecked() ? '1' : '0';
        return ticks;
    }
    std::string StoredTicks()
    {
        std::string ticks;
        for (int m = 1; m <= 9; ++m)
            ticks += Data().MethodTicked(m) ? '1' : '0';
        return ticks;
    }
};

TEST_F(MethodsWindowTest, LoadsTheProjectAndMarksTheLoadSettlementMethod)
{
    TfrmWaterDepth& w = Open();
    EXPECT_EQ(w.windowTitle(), "Computation Methods");
    // A new project: API RP 2A selected and the only capacity method.
    EXPECT_TRUE(Radio(w, "OptAPI").isChecked());
    EXPECT_EQ(Ticks(w), "000100000");
    for (int m = 1; m <= 9; ++m)
        EXPECT_EQ(Child<QLabel>(w, QStringLiteral("LS%1").arg(m)).isHidden(), m != 4) << m;
    EXPECT_TRUE(Radio(w, "OptCompression").isChecked());
    EXPECT_TRUE(Radio(w, "OptUndrain").isChecked());
    EXPECT_TRUE(Radio(w, "OptHigh").isChecked());
    EXPECT_TRUE(Radio(w, "RadioButton1").isChecked());
    EXPECT_EQ(Field(w, "deREDUCT").text(), "1");
    // Loading is no edit.
    EXPECT_FALSE(Form().IsModified());

    // Labels and texts of the form.
    EXPECT_EQ(Radio(w, "OptFHWA").text(), "&FHWA (Federal Highway Administration) (*)");
    EXPECT_EQ(Box(w, 3).text(), "Revised Lambda ");
    EXPECT_EQ(Box(w, 5).text(), "Load-transfer Units specified by &User");
    EXPECT_EQ(Field(w, "deREDUCT").EditLabel()->text(), "&Reduction factor for tension loading");
    EXPECT_EQ(Field(w, "DataEdit1").EditLabel()->text(), " (ft)");
}

TEST_F(MethodsWindowTest, LoadsEveryOptionOfALayeredProject)
{
    Data() = test::MakeLayeredProject(Form().Tables());
    TfrmWaterDepth& w = Open();
    EXPECT_TRUE(Radio(w, "OptUserSpecified").isChecked());
    EXPECT_EQ(Ticks(w), "110110100");
    EXPECT_TRUE(Radio(w, "OptTension").isChecked());
    EXPECT_EQ(Field(w, "deREDUCT").GetNumber(), 0.7L);
    EXPECT_TRUE(Radio(w, "OptDrain").isChecked());
    EXPECT_TRUE(Radio(w, "OptLow").isChecked());
    EXPECT_TRUE(Radio(w, "RadioButton3").isChecked());
    EXPECT_EQ(Field(w, "DataEdit1").GetNumber(), 35.0L);
}

TEST_F(MethodsWindowTest, OffshoreMethodsNeedTheOffshoreSetting)
{
    Data().OffshoreMethods = 0;
    TfrmWaterDepth& w = Open();
    for (int m = 1; m <= 9; ++m)
        EXPECT_EQ(Box(w, m).isEnabled(), m <= 5) << m;
    EXPECT_FALSE(Radio(w, "OptNGI").isEnabled());
    EXPECT_FALSE(Radio(w, "OptUWA").isEnabled());
    EXPECT_TRUE(Radio(w, "OptAPI").isEnabled());
    // Select All leaves the offshore boxes alone.
    Click(Child<QPushButton>(w, QStringLiteral("Button1")));
    EXPECT_EQ(Ticks(w), "111110000");
}

TEST_F(MethodsWindowTest, TheLoadTransferMethodIsAlwaysACapacityMethod)
{
    TfrmWaterDepth& w = Open();
    Click(Radio(w, "OptFHWA"));
    EXPECT_EQ(Ticks(w), "100100000");
    EXPECT_FALSE(Child<QLabel>(w, QStringLiteral("LS1")).isHidden());
    EXPECT_TRUE(Child<QLabel>(w, QStringLiteral("LS4")).isHidden());
    EXPECT_TRUE(Form().IsModified());

    // Choosing API ticks the API box; Clear Selections then leaves only that box.
    Click(Radio(w, "OptAPI"));
    Click(Child<QPushButton>(w, QStringLiteral("Button3")));
    EXPECT_EQ(Ticks(w), "000100000");
    // Unticking the selected method's box does not hold.
    Click(Box(w, 4));
    EXPECT_TRUE(Box(w, 4).isChecked());
    Click(Child<QPushButton>(w, QStringLiteral("Button1")));
    EXPECT_EQ(Ticks(w), "111111111");
}

TEST_F(MethodsWindowTest, EnablingRules)
{
    TfrmWaterDepth& w = Open();
    // Critical depth choices follow the USACE box; the user depth also its radio.
    EXPECT_FALSE(Radio(w, "RadioButton1").isEnabled());
    EXPECT_FALSE(Field(w, "DataEdit1").isEnabled());
    Click(Box(w, 2));
    EXPECT_TRUE(Radio(w, "RadioButton2").isEnabled());
    EXPECT_FALSE(Field(w, "DataEdit1").isEnabled());
    Click(Radio(w, "RadioButton3"));
    EXPECT_TRUE(Field(w, "DataEdit1").isEnabled());
    EXPECT_TRUE(Field(w, "DataEdit1").EditLabel()->isEnabled());
    Click(Box(w, 2));
    EXPECT_FALSE(Field(w, "DataEdit1").isEnabled());
    EXPECT_FALSE(Radio(w, "RadioButton3").isEnabled());

    // The clay condition follows the ICP/MTD box.
    EXPECT_FALSE(Radio(w, "OptDrain").isEnabled());
    Click(Box(w, 7));
    EXPECT_TRUE(Radio(w, "OptDrain").isEnabled());
    EXPECT_TRUE(Radio(w, "OptUndrain").isEnabled());

    // The tension factor needs tension loading and the API box.
    EXPECT_FALSE(Field(w, "deREDUCT").isEnabled());
    Click(Radio(w, "OptTension"));
    EXPECT_TRUE(Field(w, "deREDUCT").isEnabled());
    Click(Radio(w, "OptFHWA"));
    Click(Box(w, 4));
    EXPECT_FALSE(Box(w, 4).isChecked());
    EXPECT_FALSE(Field(w, "deREDUCT").isEnabled());
}

TEST_F(MethodsWindowTest, CommitStoresEveryChoice)
{
    TfrmWaterDepth& w = Open();
    Click(Radio(w, "OptLamda"));
    Click(Box(w, 2));
    Click(Radio(w, "RadioButton3"));
    Enter(Field(w, "DataEdit1"), QStringLiteral("12.5"));
    Click(Box(w, 7));
    Click(Radio(w, "OptDrain"));
    Click(Radio(w, "OptLow"));
    Click(Radio(w, "OptTension"));
    Enter(Field(w, "deREDUCT"), QStringLiteral("0.5"));
    Save();
    EXPECT_EQ(Data().SelectedMethod, 3);
    EXPECT_EQ(StoredTicks(), "011100100");
    EXPECT_EQ(Data().CriticalDepthOption, 2);
    EXPECT_EQ(Data().UserCriticalDepth, 12.5L);
    EXPECT_EQ(Data().ClayCondition, 1);
    EXPECT_EQ(Data().TzFactors, 1);
    EXPECT_EQ(Data().Loading, 1);
    EXPECT_EQ(Data().TensionFactor, 0.5L);

    // With compression loading the stored tension factor is 1.0 whatever the field holds.
    Enter(Field(w, "deREDUCT"), QStringLiteral("0.25"));
    Click(Radio(w, "OptCompression"));
    Click(Radio(w, "OptUndrain"));
    Click(Radio(w, "OptHigh"));
    Click(Radio(w, "RadioButton2"));
    Save();
    EXPECT_EQ(Data().Loading, 0);
    EXPECT_EQ(Data().TensionFactor, 1.0L);
    EXPECT_EQ(Data().ClayCondition, 0);
    EXPECT_EQ(Data().TzFactors, 0);
    EXPECT_EQ(Data().CriticalDepthOption, 1);
}

TEST_F(MethodsWindowTest, AnInvalidTensionFactorIsNeitherStoredNorClosed)
{
    TfrmWaterDepth& w = Open();
    Click(Radio(w, "OptTension"));
    TDataEdit& factor = Field(w, "deREDUCT");
    TypeOver(factor, QStringLiteral("20"));
    messages_->Clear();
    test::ChooseMenuItem(Form(), QStringLiteral("FileMenu"), QStringLiteral("FileSave"));
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Entry must be less than or equal to 10"});
    EXPECT_EQ(Data().Loading, 0);
    EXPECT_EQ(factor.text(), "20");
    QTest::keyClick(&factor, Qt::Key_F4, Qt::ControlModifier); // the window's Close
    EXPECT_EQ(FindInputWindow<TfrmWaterDepth>(Form()), &w);
    TypeOver(factor, QStringLiteral("2"));
    test::Click(Child<QPushButton>(w, QStringLiteral("Button4")));
    EXPECT_EQ(FindInputWindow<TfrmWaterDepth>(Form()), nullptr);
    EXPECT_EQ(Data().Loading, 1);
    EXPECT_EQ(Data().TensionFactor, 2.0L);
}

TEST_F(MethodsWindowTest, SiltLayersNeedUsaceAsTheOnlyCapacityMethod)
{
    Data() = test::MakeLayeredProject(Form().Tables());
    const TProjectTables& tables = Form().Tables();
    TfrmWaterDepth& w = Open();
    // USACE alone: the silt layer stays.
    Click(Radio(w, "OptUSCOE"));
    Click(Child<QPushButton>(w, QStringLiteral("Button3")));
    EXPECT_EQ(Ticks(w), "010000000");
    Save();
    EXPECT_EQ(tables.D().Cell(kLayerSoilType, 2).AsInteger(), SoilType::Silt);

    // FHWA as well: the silt layer becomes sand with its unit weight, friction angle,
    // blow count and Ko (top 60, 28, 8, 1.25; bottom 62, 29, 10, 1.2).
    Click(Box(w, 1));
    Save();
    ASSERT_EQ(tables.D().Cell(kLayerSoilType, 2).AsInteger(), SoilType::Sand);
    const TGridTable& sand = *tables.LayerTable(2);
    EXPECT_EQ(sand.ColumnCount(), 8);
    EXPECT_EQ(sand.Cell(kSandUnitWeight, 0).AsFloat(), 60.0L);
    EXPECT_EQ(sand.Cell(kSandFriction, 0).AsFloat(), 28.0L);
    EXPECT_EQ(sand.Cell(kSandBlowCount, 0).AsInteger(), 8);
    EXPECT_EQ(sand.Cell(kSandKo, 0).AsFloat(), 1.25L);
    EXPECT_EQ(sand.Cell(kSandUnitWeight, 1).AsFloat(), 62.0L);
    EXPECT_EQ(sand.Cell(kSandFriction, 1).AsFloat(), 29.0L);
    EXPECT_EQ(sand.Cell(kSandBlowCount, 1).AsInteger(), 10);
    EXPECT_EQ(sand.Cell(kSandKo, 1).AsFloat(), 1.2L);
    // The other layers and the layer's own row are untouched.
    EXPECT_EQ(tables.D().Cell(kLayerSoilType, 0).AsInteger(), SoilType::Sand);
    EXPECT_EQ(tables.D().Cell(kLayerSoilType, 1).AsInteger(), SoilType::Clay);
    EXPECT_EQ(tables.D().Cell(kLayerBottom, 2).AsFloat(), 90.0L);
}

TEST_F(MethodsWindowTest, UserUnitColumnsFollowTheUserMethod)
{
    Data() = test::MakeLayeredProject(Form().Tables()); // user method selected
    const TProjectTables& tables = Form().Tables();
    TfrmWaterDepth& w = Open();
    Click(Radio(w, "OptAPI"));
    Save();
    for (int row : {0, 1}) {
        EXPECT_FALSE(tables.LayerTable(row)->Column(6).visible) << row;
        EXPECT_FALSE(tables.LayerTable(row)->Column(7).visible) << row;
    }
    EXPECT_FALSE(tables.tblDataSand().Column(6).visible);
    EXPECT_FALSE(tables.tblDataClay().Column(7).visible);
    Click(Radio(w, "OptUserSpecified"));
    Save();
    EXPECT_TRUE(tables.LayerTable(0)->Column(7).visible);
    EXPECT_TRUE(tables.LayerTable(1)->Column(6).visible);
    EXPECT_TRUE(tables.tblDataClay().Column(6).visible);
}

TEST_F(MethodsWindowTest, TaperAngleIsKeptOnlyForTheFhwaCapacityMethod)
{
    Data().PileType = 2; // timber: a tapered pile
    Data().TaperAngle = 0.5L;
    Data().SetMethodTicked(1, true);
    Form().Action(QStringLiteral("DataMaterial"))->trigger();
    TfrmMaterial& material = *FindInputWindow<TfrmMaterial>(Form());
    EXPECT_TRUE(Field(material, "deAngle").isEnabled());

    // FHWA still ticked as a capacity method: the angle stays, whatever the load-transfer method.
    TfrmWaterDepth& w = Open();
    Click(Radio(w, "OptAPI"));
    Save();
    EXPECT_EQ(Data().TaperAngle, 0.5L);

    // FHWA no longer ticked: the angle goes, and the open material window shows 0, disabled.
    Click(Child<QPushButton>(w, QStringLiteral("Button3")));
    Save();
    EXPECT_EQ(Data().TaperAngle, 0.0L);
    EXPECT_EQ(Field(material, "deAngle").text(), "0");
    EXPECT_FALSE(Field(material, "deAngle").isEnabled());
}

TEST_F(MethodsWindowTest, AnEarlierModificationSurvivesTheLoading)
{
    // USACE ticked, critical depth at the user's depth: the depth field is open.
    Data().SetMethodTicked(Method::Usace, true);
    Data().CriticalDepthOption = CriticalDepthOption::UserDepth;
    Form().SetModified(true);
    TfrmWaterDepth& w = Open();
    EXPECT_TRUE(Form().IsModified());
    w.FormDeactivate();
    Form().SetModified(false);
    w.FormActivate();
    EXPECT_FALSE(Form().IsModified());
    TypeOver(Field(w, "DataEdit1"), QStringLiteral("3"));
    EXPECT_TRUE(Form().IsModified());
}

TEST_F(MethodsWindowTest, UnitWordsFollowTheUnitSystem)
{
    Data().UserCriticalDepth = 10;
    TfrmWaterDepth& w = Open();
    EXPECT_EQ(Field(w, "DataEdit1").EditLabel()->text(), " (ft)");
    Form().UnitsClick(UnitSystem::SI); // reloads the open window
    EXPECT_EQ(Field(w, "DataEdit1").EditLabel()->text(), " (m)");
    // The field shows the project's converted depth.
    EXPECT_NEAR(Field(w, "DataEdit1").GetNumber(), Data().UserCriticalDepth, 1e-12L);
}

// An entry refused when its tab page was left stays invalid in a field that no longer
// has the focus: leaving the window must neither store the page's choices half nor
// let the evaluator's error escape from the main window's command.
TEST_F(MethodsWindowTest, AnInvalidEntryOnAPageThatWasLeftKeepsTheWindowFromCommitting)
{
    TfrmWaterDepth& w = Open();
    auto& tabs = Child<QTabWidget>(w, QStringLiteral("PageControl1"));
    Click(Radio(w, "OptTension"));
    Click(Radio(w, "OptLow"));
    TDataEdit& factor = Field(w, "deREDUCT");
    TypeOver(factor, QStringLiteral("abc"));
    ASSERT_EQ(tabs.currentIndex(), 1);
    // The field's own validation complains as the page goes.
    QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(0).center());
    messages_->Clear();
    EXPECT_NO_THROW(test::ChooseMenuItem(Form(), QStringLiteral("FileMenu"), QStringLiteral("FileSave")));
    EXPECT_EQ(messages_->Texts(),
              std::vector<QString>{"Entry could not be evaluated:\rinvalid character(s) in expression"});
    EXPECT_EQ(tabs.currentIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), &factor);
    EXPECT_EQ(factor.text(), "abc");
    EXPECT_EQ(Data().Loading, 0);
    EXPECT_EQ(Data().TzFactors, 0);
    TypeOver(factor, QStringLiteral("0.5"));
    Save();
    EXPECT_EQ(Data().Loading, 1);
    EXPECT_EQ(Data().TensionFactor, 0.5L);
    EXPECT_EQ(Data().TzFactors, 1);
}

} // namespace
} // namespace veldo
