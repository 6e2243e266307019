// The Pile Material window: the area computed from the section in English and SI
// units, the enabling rules of the pile types, the taper angle and the area modes, the
// commit of the pile type and shape, and the modulus check of its "Close" button.
#include "DataEdit.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "Table.h"
#include "pilemat.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace veldo {
namespace {

class MaterialWindowTest : public test::TMainWindowTest {
protected:
    void SetUp() override
    {
        test::TMainWindowTest::SetUp();
        Data().Modulus = 29000000;
    }

    TfrmMaterial& Open()
    {
        return test::OpenByMenu<TfrmMaterial>(Form(), QStringLiteral("DataMenu"), QStringLiteral("DataMaterial"));
    }
    // File > Save of the project, named in the test folder: the window commits and stays open.
    void Save() { EXPECT_TRUE(test::SaveNamedByMenu(Form(), dir_.filePath(QStringLiteral("pile.vd7d")))); }

    template <class T> T& Child(const QWidget& window, const char* name)
    {
        return test::Child<T>(window, QString::fromLatin1(name));
    }
    QRadioButton& Radio(const QWidget& w, const char* name) { return Child<QRadioButton>(w, name); }
    TDataEdit& Field(const QWidget& w, const char* name) { return Child<TDataEdit>(w, name); }
    void Steel(long double od, long double id)
    {
        Data().PileType = 1;
        Data().OutsideDiameter = od;
        Data().InsideDiameter = id;
    }
};

TEST_F(MaterialWindowTest, SteelPipeAreaInEnglishUnits)
{
    Steel(24, 23);
    TfrmMaterial& w = Open();
    EXPECT_EQ(w.windowTitle(), "Pile Material");
    EXPECT_TRUE(Radio(w, "OptSteel").isChecked());
    EXPECT_TRUE(Radio(w, "OpenEnded").isChecked());
    // (576 - 529) x 3.1416 / 4 = 36.9138 in2.
    EXPECT_NEAR(Field(w, "DeAutoSection").GetNumber(), 36.9138L, 1e-12L);
    EXPECT_EQ(Field(w, "DeAutoSection").text(), "36.9138");
    EXPECT_EQ(Field(w, "DeAutoSection").EditLabel()->text(), QString::fromUtf8(" (in\u00b2)"));
    EXPECT_EQ(Field(w, "deModulus").EditLabel()->text(), QString::fromUtf8("Modulus of &Elasticity, E (lbs/in\u00b2)"));
    EXPECT_EQ(Field(w, "deAngle").EditLabel()->text(), "&Angle of taper for a tapered pile  (degrees)");
    EXPECT_EQ(Field(w, "deModulus").GetNumber(), 29000000.0L);
    EXPECT_FALSE(Form().IsModified());
}

TEST_F(MaterialWindowTest, SteelPipeAreaInSiUnits)
{
    Data().UnitSystem = UnitSystem::SI;
    Data().Modulus = 200000000;
    Steel(610, 584);
    TfrmMaterial& w = Open();
    // (372100 - 341056) x 3.1416 / 4 / 1000000 = 0.0243819576 m2.
    EXPECT_NEAR(Field(w, "DeAutoSection").GetNumber(), 0.0243819576L, 1e-15L);
    EXPECT_EQ(Field(w, "DeAutoSection").EditLabel()->text(), QString::fromUtf8(" (m\u00b2)"));
    EXPECT_EQ(Field(w, "deModulus").EditLabel()->text(), QString::fromUtf8("Modulus of &Elasticity, E (kN/m\u00b2)"));
}

TEST_F(MaterialWindowTest, TaperAngleOnlyForTaperedPilesWithFhwa)
{
    Data().PileType = 2; // timber
    Data().TaperAngle = 1.5L;
    // FHWA not ticked: the field is disabled, shows 0, and 0 is stored.
    TfrmMaterial& w = Open();
    EXPECT_TRUE(Radio(w, "OptTimber").isChecked());
    EXPECT_FALSE(Field(w, "deAngle").isEnabled());
    EXPECT_FALSE(Field(w, "deAngle").EditLabel()->isEnabled());
    EXPECT_EQ(Field(w, "deAngle").text(), "0");
    Save();
    EXPECT_EQ(Data().TaperAngle, 0.0L);

    // FHWA ticked: tapered piles take an angle, steel pipes do not.
    Data().SetMethodTicked(1, true);
    Data().TaperAngle = 1.5L;
    w.FormActivate();
    EXPECT_TRUE(Field(w, "deAngle").isEnabled());
    EXPECT_EQ(Field(w, "deAngle").GetNumber(), 1.5L);
    for (const char* tapered : {"OptMonotube", "OptRaymond", "OptUniform", "OptTimber"}) {
        test::Click(Radio(w, tapered));
        EXPECT_TRUE(Field(w, "deAngle").isEnabled()) << tapered;
    }
    test::Enter(Field(w, "deAngle"), QStringLiteral("0.75"));
    Save();
    EXPECT_EQ(Data().TaperAngle, 0.75L);
    test::Click(Radio(w, "OptSteel"));
    EXPECT_FALSE(Field(w, "deAngle").isEnabled());
    EXPECT_TRUE(Form().IsModified());
}

TEST_F(MaterialWindowTest, SquarePrecastPileUsesTheTipArea)
{
    Data().PileType = 3;
    Data().Circular = false;
    Data().TipArea = 144;
    Data().OutsideDiameter = 14;
    Data().InsideDiameter = 10;
    TfrmMaterial& w = Open();
    EXPECT_TRUE(Radio(w, "OptConcrete").isChecked());
    EXPECT_TRUE(Radio(w, "OptUndrain").isChecked());
    EXPECT_TRUE(Radio(w, "OptDrain").isEnabled());
    EXPECT_FALSE(Radio(w, "OpenEndedPrecast").isEnabled());
    EXPECT_FALSE(Radio(w, "CloseEndedPrecast").isEnabled());
    EXPECT_FALSE(Radio(w, "OpenEnded").isEnabled());
    EXPECT_EQ(Field(w, "DeAutoSection").GetNumber(), 144.0L);

    // Circular/tubular: (196 - 100) x 3.1416 / 4 = 75.3984; its end radios open up.
    test::Click(Radio(w, "OptDrain"));
    EXPECT_TRUE(Radio(w, "CloseEndedPrecast").isEnabled());
    EXPECT_NEAR(Field(w, "DeAutoSection").GetNumber(), 75.3984L, 1e-12L);
    // Timber: solid, 196 x 3.1416 / 4 = 153.9384; the precast choices close.
    test::Click(Radio(w, "OptTimber"));
    EXPECT_NEAR(Field(w, "DeAutoSection").GetNumber(), 153.9384L, 1e-12L);
    EXPECT_FALSE(Radio(w, "OptDrain").isEnabled());
    EXPECT_FALSE(Radio(w, "CloseEndedPrecast").isEnabled());
    // H-pile: the tip area again.
    test::Click(Radio(w, "OptHpile"));
    EXPECT_EQ(Field(w, "DeAutoSection").GetNumber(), 144.0L);
}

TEST_F(MaterialWindowTest, CommitStoresTypeShapeAndEndCondition)
{
    TfrmMaterial& w = Open();
    test::Click(Radio(w, "OptConcrete"));
    test::Click(Radio(w, "OptDrain"));
    test::Click(Radio(w, "CloseEndedPrecast"));
    Save();
    EXPECT_EQ(Data().PileType, 3);
    EXPECT_TRUE(Data().Circular);
    EXPECT_TRUE(Data().ClosedEnded);

    // H-piles are not circular; their end condition stays as it was.
    test::Click(Radio(w, "OptHpile"));
    Save();
    EXPECT_EQ(Data().PileType, 6);
    EXPECT_FALSE(Data().Circular);
    EXPECT_TRUE(Data().ClosedEnded);
    // The main window's shape controls follow.
    EXPECT_TRUE(Form().Action(QStringLiteral("OptionsNonCircular"))->isChecked());

    test::Click(Radio(w, "OptSteel"));
    test::Click(Radio(w, "OpenEnded"));
    Save();
    EXPECT_EQ(Data().PileType, 1);
    EXPECT_TRUE(Data().Circular);
    EXPECT_FALSE(Data().ClosedEnded);
    EXPECT_TRUE(Form().Action(QStringLiteral("OptionsCircular"))->isChecked());

    test::Click(Radio(w, "OptUniform"));
    Save();
    EXPECT_EQ(Data().PileType, 5);
    EXPECT_TRUE(Data().Circular);
}

TEST_F(MaterialWindowTest, AreaModes)
{
    Data().AreaMode = 0;
    Data().ConstantArea = 12.5L;
    TfrmMaterial& w = Open();
    // A disabled constant-area field shows 0 after loading.
    EXPECT_TRUE(Radio(w, "RadioButton3").isChecked());
    EXPECT_FALSE(Field(w, "DeSection").isEnabled());
    EXPECT_EQ(Field(w, "DeSection").text(), "0");
    EXPECT_FALSE(Child<QPushButton>(w, "SectionButton1").isEnabled());

    test::Click(Radio(w, "RadioButton1"));
    EXPECT_TRUE(Field(w, "DeSection").isEnabled());
    test::Enter(Field(w, "DeSection"), QStringLiteral("20.25"));
    Save();
    EXPECT_EQ(Data().AreaMode, 1);
    EXPECT_EQ(Data().ConstantArea, 20.25L);

    test::Click(Radio(w, "RadioButton2"));
    EXPECT_FALSE(Field(w, "DeSection").isEnabled());
    QPushButton& data = Child<QPushButton>(w, "SectionButton1");
    ASSERT_TRUE(data.isEnabled());
    Form().SetModified(false);
    test::Click(data);
    EXPECT_TRUE(Form().Tables().Sectionaldata().EditorOpen());
    EXPECT_TRUE(Form().IsModified());
    EXPECT_EQ(Data().AreaMode, 2); // the window committed when the editor took over
}

TEST_F(MaterialWindowTest, CloseNeedsAPositiveModulus)
{
    TfrmMaterial& w = Open();
    test::TypeOver(Field(w, "deModulus"), QStringLiteral("0"));
    test::Click(Child<QPushButton>(w, "Button4"));
    ASSERT_EQ(messages_->Entries().size(), 1u);
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Warning);
    EXPECT_EQ(messages_->Entries()[0].text, "Modulus of Elasticity should be greater than zero.\rPlease check");
    EXPECT_EQ(FindInputWindow<TfrmMaterial>(Form()), &w);
    EXPECT_EQ(w.focusWidget(), &Field(w, "deModulus"));

    test::TypeOver(Field(w, "deModulus"), QStringLiteral("4.2e6"));
    test::Click(Child<QPushButton>(w, "Button4"));
    EXPECT_EQ(FindInputWindow<TfrmMaterial>(Form()), nullptr);
    EXPECT_EQ(Data().Modulus, 4200000.0L);
}

TEST_F(MaterialWindowTest, UnitSwitchReloadsTheWindow)
{
    Steel(24, 23);
    TfrmMaterial& w = Open();
    Form().UnitsClick(UnitSystem::SI);
    EXPECT_EQ(Field(w, "deModulus").EditLabel()->text(), QString::fromUtf8("Modulus of &Elasticity, E (kN/m\u00b2)"));
    EXPECT_NEAR(Field(w, "deModulus").GetNumber(), Data().Modulus, 1e-3L);
    // 24 in = 609.6 mm and 23 in = 584.2 mm: (609.6^2 - 584.2^2) x 3.1416 / 4 / 1e6
    // = 30322.52 x 0.7854 / 1e6 = 0.0238153072 m2 (= 36.9138 in2 x 0.00064516).
    EXPECT_NEAR(Field(w, "DeAutoSection").GetNumber(), 0.0238153072L, 1e-9L);
}

} // namespace
} // namespace veldo
