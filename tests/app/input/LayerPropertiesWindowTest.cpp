// The layer properties window: the tab of the layer's type loaded from its property
// table with English and SI unit words, the friction-angle / blow-count choice, the
// enabling rules by method, offshore setting and pile type, the commit of every
// property on closing, the adhesion list with its chart window and the chart pictures.
#include "Charts.h"
#include "DataEdit.h"
#include "DlgChart.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "Table.h"
#include "soils.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace veldo {
namespace {

class LayerPropertiesWindowTest : public test::TMainWindowTest {
protected:
    void SetUp() override
    {
        test::TMainWindowTest::SetUp();
        // Layers 1 sand, 2 clay, 3 silt; only FHWA ticked, no offshore methods.
        D().SetRowCount(3);
        for (int row = 0; row < 3; ++row)
            D().Cell(kLayerSoilType, row).SetInteger(row + 1);
        for (int method = 1; method <= 9; ++method)
            Data().SetMethodTicked(method, method == 1);
        Data().OffshoreMethods = 0;
        Data().PileType = 2;
        form_->SetModified(false);
    }
    void TearDown() override
    {
        delete window_;
        form_.reset();
    }

    TGridTable& D() { return form_->Tables().D(); }
    TGridTable& Layer(int row) { return *form_->Tables().LayerTable(row); }

    // Opens the window for layer `number` (from 1) as the soil layers window does.
    TDlgSoils& Open(int number)
    {
        window_ = new TDlgSoils(*form_, form_.get());
        window_->SetLayer(number, D().Cell(kLayerSoilType, number - 1).AsInteger());
        window_->show();
        QApplication::setActiveWindow(window_);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_));
        return *window_;
    }
    // The "Close" button of the shown tab clicked.
    void Close()
    {
        for (QPushButton* button : window_->findChildren<QPushButton*>()) {
            if (button->text() == QLatin1String("Close") && button->isVisible()) {
                test::Click(*button);
                break;
            }
        }
        QApplication::processEvents();
    }
    TDataEdit& Field(int number) { return *window_->Field(number); }
    QLabel* Label(const QString& text)
    {
        for (QLabel* label : window_->findChildren<QLabel*>())
            if (label->text() == text)
                return label;
        return nullptr;
    }

    QPointer<TDlgSoils> window_;
};

TEST_F(LayerPropertiesWindowTest, ShowsOnlyTheTabOfTheLayerType)
{
    TDlgSoils& w = Open(3);
    EXPECT_EQ(w.windowTitle(), "Data for Layer 3");
    EXPECT_EQ(w.Pages()->currentIndex(), 2);
    EXPECT_FALSE(w.Pages()->isTabVisible(0));
    EXPECT_FALSE(w.Pages()->isTabVisible(1));
    EXPECT_TRUE(w.Pages()->isTabVisible(2));
    EXPECT_EQ(w.Pages()->tabText(2), "Silt");
}

TEST_F(LayerPropertiesWindowTest, UnitWordsFollowTheProjectUnits)
{
    TDlgSoils& english = Open(1);
    EXPECT_EQ(Field(1).EditLabel()->text(), "1. Effective Unit Weight (lbs/ft^3)");
    EXPECT_EQ(Field(11).EditLabel()->text(), "4a. Unit Skin Friction (lbs/ft^2)");
    EXPECT_EQ(Field(18).EditLabel()->text(), "2. Undrained Shear Strength (lbs/ft^2)");
    EXPECT_EQ(Field(41).EditLabel()->text(), "4. Undrained Shear Strength (lbs/ft^2)");
    EXPECT_NE(Label(QStringLiteral("2. Friction Angle (Degrees)")), nullptr);
    ASSERT_EQ(window_, &english);
    Close();

    Data().UnitSystem = UnitSystem::SI;
    Open(2);
    EXPECT_EQ(Field(17).EditLabel()->text(), "1. Effective Unit Weight (kN/m^3)");
    EXPECT_EQ(Field(19).EditLabel()->text(), "3. Remolded Shear Strength (kN/m^2)");
    EXPECT_EQ(Field(23).EditLabel()->text(), "5. Qc from Cone Penetration Data (kN/m^2)");
    // Spelled as a reader expects.
    EXPECT_EQ(Field(29).EditLabel()->text(), "6b. Yield Stress Ratio, YSR");
    EXPECT_NE(Label(QStringLiteral("- Used for open-ended pipe piles to compute the")), nullptr);
}

TEST_F(LayerPropertiesWindowTest, BlowCountsChooseTheSptRadioAndTheChoiceZeroesTheOtherPair)
{
    TGridTable& sand = Layer(0);
    sand.Cell(kSandFriction, 0).SetFloat(30);
    sand.Cell(kSandFriction, 1).SetFloat(32);
    sand.Cell(kSandBlowCount, 0).SetInteger(12);
    sand.Cell(kSandUnitWeight, 1).SetFloat(118.5L);
    TDlgSoils& w = Open(1);
    EXPECT_TRUE(w.RadioButton(2)->isChecked());
    EXPECT_FALSE(w.RadioButton(1)->isChecked());
    EXPECT_TRUE(Field(5).isEnabled());
    EXPECT_FALSE(Field(3).isEnabled());
    EXPECT_EQ(Field(5).text(), "12");
    EXPECT_EQ(Field(2).text(), "118.5");

    test::Click(*w.RadioButton(1));
    EXPECT_TRUE(Field(3).isEnabled());
    EXPECT_FALSE(Field(5).isEnabled());
    Close();
    EXPECT_EQ(window_, nullptr); // freed on close
    EXPECT_EQ(sand.Cell(kSandBlowCount, 0).AsInteger(), 0);
    EXPECT_EQ(sand.Cell(kSandBlowCount, 1).AsInteger(), 0);
    EXPECT_EQ(sand.Cell(kSandFriction, 1).AsFloat(), 32.0L);
    EXPECT_EQ(sand.Cell(kSandUnitWeight, 1).AsFloat(), 118.5L);
    EXPECT_TRUE(form_->IsModified());

    // By blow counts: 14.6 is stored rounded to 15 and the friction angles are zeroed.
    Open(1);
    EXPECT_TRUE(window_->RadioButton(1)->isChecked());
    test::Click(*window_->RadioButton(2));
    test::Enter(Field(6), QStringLiteral("14.6"));
    Close();
    EXPECT_EQ(sand.Cell(kSandBlowCount, 1).AsInteger(), 15);
    EXPECT_EQ(sand.Cell(kSandFriction, 0).AsFloat(), 0.0L);
    EXPECT_EQ(sand.Cell(kSandFriction, 1).AsFloat(), 0.0L);
}

TEST_F(LayerPropertiesWindowTest, SiltCommitsItsFiveProperties)
{
    TGridTable& silt = Layer(2);
    silt.Cell(kSiltBlowCount, 1).SetInteger(8);
    Open(3);
    EXPECT_TRUE(window_->RadioButton(4)->isChecked());
    EXPECT_TRUE(Field(38).isEnabled());
    EXPECT_FALSE(Field(37).isEnabled());
    test::Enter(Field(33), QStringLiteral("105"));
    test::Enter(Field(39), QStringLiteral("1.25"));
    test::Enter(Field(40), QStringLiteral("0.7"));
    test::Enter(Field(43), QStringLiteral("900"));
    Close();
    EXPECT_EQ(silt.Cell(kSiltUnitWeight, 0).AsFloat(), 105.0L);
    EXPECT_EQ(silt.Cell(kSiltKo, 0).AsFloat(), 1.25L);
    EXPECT_EQ(silt.Cell(kSiltKo, 1).AsFloat(), 0.7L);
    EXPECT_EQ(silt.Cell(kSiltUndrained, 1).AsFloat(), 900.0L);
    EXPECT_EQ(silt.Cell(kSiltBlowCount, 1).AsInteger(), 8);
}

TEST_F(LayerPropertiesWindowTest, ClayCommitsEveryPropertyToItsColumn)
{
    // Methods and a pile type that use every clay property, so that every field is open
    // to typing.
    Data().SetMethodTicked(Method::Fhwa, true);
    Data().SetMethodTicked(Method::General, true);
    Data().SetMethodTicked(Method::IcpMtd, true);
    Data().OffshoreMethods = Flag::On;
    Data().PileType = PileType::SteelPipe;
    Open(2);
    // Fields of properties 0..7, top and bottom, in the table's column order.
    const std::array<std::pair<int, int>, 8> fields{
        {{17, 20}, {18, 21}, {19, 22}, {24, 26}, {29, 32}, {23, 25}, {27, 30}, {28, 31}}};
    for (int p = 0; p < 8; ++p) {
        test::Enter(Field(fields[static_cast<std::size_t>(p)].first), QString::number(10 * p + 1));
        test::Enter(Field(fields[static_cast<std::size_t>(p)].second), QString::number(10 * p + 2));
    }
    window_->ComboBox1()->setCurrentIndex(3);
    Close();
    TGridTable& clay = Layer(1);
    for (int p = 0; p < 8; ++p) {
        EXPECT_EQ(clay.Cell(p, 0).AsFloat(), 10.0L * p + 1) << p;
        EXPECT_EQ(clay.Cell(p, 1).AsFloat(), 10.0L * p + 2) << p;
    }
    EXPECT_EQ(clay.Cell(kClayAdhesion, 0).AsInteger(), 3);
    EXPECT_EQ(clay.Cell(kClayAdhesion, 1).AsInteger(), 3);
}

TEST_F(LayerPropertiesWindowTest, ClayWithoutFhwaHidesTheAdhesionBlockAndKeepsItsMethod)
{
    Data().SetMethodTicked(1, false);
    Data().SetMethodTicked(4, true);
    Layer(1).Cell(kClayAdhesion, 0).SetInteger(2);
    Layer(1).Cell(kClayAdhesion, 1).SetInteger(2);
    TDlgSoils& w = Open(2);
    EXPECT_TRUE(w.ComboBox1()->isHidden());
    EXPECT_TRUE(w.Button4()->isHidden());
    EXPECT_TRUE(Label(QStringLiteral("7. Estimation of Adhesion Factor "))->isHidden());
    EXPECT_EQ(w.ComboBox1()->currentIndex(), 2);
    Close();
    EXPECT_EQ(Layer(1).Cell(kClayAdhesion, 0).AsInteger(), 2);
    EXPECT_EQ(Layer(1).Cell(kClayAdhesion, 1).AsInteger(), 2);
}

TEST_F(LayerPropertiesWindowTest, SandBlock3FollowsApiUsaceAndLambda)
{
    // Only FHWA: the API texts, everything disabled.
    Open(1);
    EXPECT_NE(Label(QStringLiteral("3. Data for API Computation Method")), nullptr);
    EXPECT_FALSE(Field(7).isEnabled());
    EXPECT_FALSE(Field(9).isEnabled());
    Close();

    Data().SetMethodTicked(2, true); // USACE without API: Ko only
    Open(1);
    ASSERT_NE(Label(QStringLiteral("3. Data for USACE Computation Method")), nullptr);
    EXPECT_TRUE(Label(QStringLiteral("3. Data for USACE Computation Method"))->isEnabled());
    EXPECT_NE(Label(QStringLiteral("(USACE recommends Ko=1.25 for compression")), nullptr);
    EXPECT_TRUE(Field(7).isEnabled());
    EXPECT_TRUE(Field(8).isEnabled());
    EXPECT_FALSE(Field(9).isEnabled());
    EXPECT_FALSE(Field(10).isEnabled());
    Close();

    Data().SetMethodTicked(2, false);
    Data().SetMethodTicked(3, true); // Revised Lambda alone
    Open(1);
    ASSERT_NE(Label(QStringLiteral("3. Data for Revised Lambda Computation Method")), nullptr);
    EXPECT_NE(Label(QStringLiteral("(API recommends Ko=1 for full displacement")), nullptr);
    EXPECT_TRUE(Field(7).isEnabled());
    EXPECT_FALSE(Field(9).isEnabled());
    Close();

    Data().SetMethodTicked(4, true); // API: Ko and Nq
    Open(1);
    ASSERT_NE(Label(QStringLiteral("3. Data for API Computation Method")), nullptr);
    EXPECT_NE(Label(QStringLiteral("(Ko also used for Lambda Method)")), nullptr);
    EXPECT_TRUE(Field(7).isEnabled());
    EXPECT_TRUE(Field(10).isEnabled());
}

TEST_F(LayerPropertiesWindowTest, OffshoreRowsUserRowsAndRemoldedStrength)
{
    Open(2);
    EXPECT_TRUE(Field(23).isHidden());   // Qc without offshore methods
    EXPECT_TRUE(Field(24).isHidden());   // PI
    EXPECT_FALSE(Field(19).isEnabled()); // remolded: timber pile, no offshore
    EXPECT_FALSE(Field(27).isEnabled()); // user unit skin friction without method 5
    Close();

    Data().OffshoreMethods = 1;
    Data().SetMethodTicked(5, true);
    Open(2);
    EXPECT_FALSE(Field(23).isHidden());
    EXPECT_FALSE(Field(23).isEnabled()); // none of methods 6 to 9 ticked
    EXPECT_FALSE(Field(24).isHidden());
    EXPECT_FALSE(Field(29).isEnabled()); // YSR without ICP/MTD
    EXPECT_TRUE(Field(19).isEnabled());
    EXPECT_TRUE(Field(27).isEnabled());
    Close();

    Data().SetMethodTicked(7, true);
    Data().OffshoreMethods = 0;
    Data().PileType = 1;
    Open(1);
    EXPECT_TRUE(Field(15).isHidden());
    Close();
    Open(2);
    EXPECT_TRUE(Field(19).isEnabled()); // steel pipe
    EXPECT_TRUE(Field(29).isHidden());
    Close();
    Data().OffshoreMethods = 1;
    Open(2);
    EXPECT_TRUE(Field(29).isEnabled());
    EXPECT_TRUE(Field(25).isEnabled());
}

TEST_F(LayerPropertiesWindowTest, AdhesionItemNamesTheGraphAndShowsOnlyItsPicture)
{
    TDlgSoils& w = Open(2);
    EXPECT_FALSE(w.ComboBox1()->isHidden());
    EXPECT_EQ(w.ComboBox1()->currentIndex(), 0);
    EXPECT_EQ(w.Button4()->text(), "Show Graph");
    EXPECT_FALSE(w.Button4()->isEnabled());
    w.ComboBox1()->setCurrentIndex(2);
    EXPECT_EQ(w.Button4()->text(), "Show Graph B");
    EXPECT_TRUE(w.Button4()->isEnabled());

    std::array<bool, 4> shown{};
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* chart = qobject_cast<TChartForm*>(QApplication::activeModalWidget());
        ASSERT_NE(chart, nullptr);
        modal = chart->isModal();
        for (int item = 1; item <= 3; ++item)
            shown[static_cast<std::size_t>(item)] = chart->Chart(item)->isVisible();
        chart->Button1Click();
    });
    w.Button4()->click();
    EXPECT_TRUE(modal);
    EXPECT_FALSE(shown[1]);
    EXPECT_TRUE(shown[2]);
    EXPECT_FALSE(shown[3]);
    ASSERT_NE(w.ChartForm(), nullptr);
    EXPECT_FALSE(w.ChartForm()->isVisible());
    w.ComboBox1()->setCurrentIndex(3);
    EXPECT_EQ(w.Button4()->text(), "Show Graph C");
}

TEST_F(LayerPropertiesWindowTest, ChartPicturesAreStoredWithTheWindow)
{
    TChartForm chart;
    for (int item = 1; item <= 3; ++item) {
        const QPixmap picture = chart.Chart(item)->pixmap();
        EXPECT_FALSE(picture.isNull()) << item;
        EXPECT_EQ(picture.size(), QSize(1000, 400)) << item;
        EXPECT_EQ(chart.Chart(item)->size(), QSize(1000, 400)) << item;
    }
    EXPECT_EQ(chart.Chart(0), nullptr);
    chart.SelectChart(3);
    EXPECT_TRUE(chart.Chart(1)->isHidden());
    EXPECT_FALSE(chart.Chart(3)->isHidden());
}

TEST_F(LayerPropertiesWindowTest, InvalidFocusedEntryKeepsTheWindowOpen)
{
    TDlgSoils& w = Open(1);
    test::TypeOver(Field(1), QStringLiteral("100*"));
    QTest::keyClick(&Field(1), Qt::Key_Escape); // closes the window without leaving the field
    QApplication::processEvents();
    ASSERT_NE(window_, nullptr);
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(messages_->Entries().size(), 1u);
    EXPECT_EQ(Layer(0).Cell(kSandUnitWeight, 0).AsFloat(), 0.0L);

    test::TypeOver(Field(1), QStringLiteral("100*1.2"));
    Close();
    EXPECT_EQ(window_, nullptr);
    EXPECT_EQ(Layer(0).Cell(kSandUnitWeight, 0).AsFloat(), 120.0L);
}

// The chart pictures show the adhesion factors the FHWA method computes: each curve
// of a picture passes through the method's own chart value at every strength from 0
// to 4.5 ksf (and halfway between the tabulated points). The plot area of a picture
// spans x 90..950 for 0..4500 lb/ft^2 and y 310..60 for factors 0..1.25.
TEST_F(LayerPropertiesWindowTest, ChartPicturesShowTheFactorsTheMethodComputes)
{
    using TLookup = double (*)(double, double, int);
    struct TPicture {
        int item;
        TLookup lookup;
        std::vector<double> ratios;
    };
    const std::vector<TPicture> pictures{
        {1, LOOKUP_ADHESION_A, {10, 20, 40}}, {2, LOOKUP_ADHESION_B, {10, 20}}, {3, LOOKUP_ADHESION_C, {10, 40}}};
    TChartForm chart;
    for (const TPicture& picture : pictures) {
        const QImage image = chart.Chart(picture.item)->pixmap().toImage();
        for (const double ratio : picture.ratios) {
            for (double psf = 0; psf <= 4500; psf += 250) {
                const double factor = picture.lookup(psf / 1000, ratio, 1);
                const QPoint at(static_cast<int>(std::lround(90 + psf / 4500 * 860)),
                                static_cast<int>(std::lround(310 - factor / 1.25 * 250)));
                // A curve pixel (strongly coloured) within 3 pixels of the point.
                bool onCurve = false;
                for (int dx = -3; dx <= 3 && !onCurve; ++dx) {
                    for (int dy = -3; dy <= 3 && !onCurve; ++dy) {
                        const QColor c = image.pixelColor(at + QPoint(dx, dy));
                        onCurve = c.saturation() > 120 && c.value() > 60;
                    }
                }
                EXPECT_TRUE(onCurve) << "graph " << picture.item << " D/b " << ratio << " at " << psf
                                     << " lb/ft^2: factor " << factor;
            }
        }
    }
}

} // namespace
} // namespace veldo
