// The Elevation View: the pile outline and world rectangle laid out from the
// project, the view fitted to the window's aspect, the pixel mapping of the screen
// and the printed page, the depth read-out, printing to a PDF and the launchers.
#include "ClassicNodes.h"
#include "EngineState.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "PileSide.h"
#include "PrintDialogs.h"
#include "ProjectTables.h"
#include "Table.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace veldo {
namespace {

struct Layer {
    int type;
    long double bottom;
};

void SetLayers(TGridTable& d, const std::vector<Layer>& layers)
{
    d.SetRowCount(static_cast<int>(layers.size()));
    for (int row = 0; row < d.RowCount(); ++row) {
        d.Cell(kLayerSoilType, row).SetInteger(layers[static_cast<std::size_t>(row)].type);
        d.Cell(kLayerBottom, row).SetFloat(layers[static_cast<std::size_t>(row)].bottom);
    }
}

// The reference pile (English): 24 in diameter, 5 ft stickup, 50 ft long, sand to
// 20 ft over clay to 60 ft.
void ReferencePile(TProgramData& data)
{
    data.UnitSystem = UnitSystem::English;
    data.Circular = true;
    data.OutsideDiameter = 24;
    data.StickupLength = 5;
    data.TotalLength = 50;
    data.TaperAngle = 0;
}

const std::vector<Layer> kReferenceLayers{{SoilType::Sand, 20}, {SoilType::Clay, 60}};

void ExpectRect(const TWorldRect& r, long double xmin, long double xmax, long double ymin, long double ymax)
{
    EXPECT_NEAR(static_cast<double>(r.xmin), static_cast<double>(xmin), 1e-9);
    EXPECT_NEAR(static_cast<double>(r.xmax), static_cast<double>(xmax), 1e-9);
    EXPECT_NEAR(static_cast<double>(r.ymin), static_cast<double>(ymin), 1e-9);
    EXPECT_NEAR(static_cast<double>(r.ymax), static_cast<double>(ymax), 1e-9);
}

bool AllPixels(const QImage& image, QColor colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != colour)
                return false;
    return true;
}

// ---- Layout without a window -------------------------------------------------------

class ElevationLayout : public ::testing::Test {
protected:
    TProjectTables tables_;
    TProgramData data_;
};

TEST_F(ElevationLayout, PileWidthFromDiameterOrQuarterPerimeterInWorldUnits)
{
    ReferencePile(data_);
    EXPECT_DOUBLE_EQ(static_cast<double>(PileWidth(data_)), 2.0); // 24 in / 12
    data_.UnitSystem = UnitSystem::SI;
    data_.OutsideDiameter = 600;
    EXPECT_DOUBLE_EQ(static_cast<double>(PileWidth(data_)), 0.6); // 600 mm / 1000

    // Noncircular: diameter 0, perimeter 48 in -> 12 in -> 1 ft; 2000 mm -> 0.5 m.
    data_.Circular = false;
    data_.OutsideDiameter = 0;
    data_.Perimeter = 2000;
    EXPECT_DOUBLE_EQ(static_cast<double>(PileWidth(data_)), 0.5);
    data_.UnitSystem = UnitSystem::English;
    data_.Perimeter = 48;
    EXPECT_DOUBLE_EQ(static_cast<double>(PileWidth(data_)), 1.0);
    // A diameter just under 1e-4 still counts as absent.
    data_.OutsideDiameter = 0.00009L;
    EXPECT_DOUBLE_EQ(static_cast<double>(PileWidth(data_)), 1.0);
}

TEST_F(ElevationLayout, OutlineAndWorldRectangleOfTheReferencePile)
{
    ReferencePile(data_);
    SetLayers(tables_.D(), kReferenceLayers);
    const TElevationScene scene = BuildElevation(data_, tables_.D(), TWorldRect{});
    ASSERT_EQ(scene.outline.size(), 1u);
    // Half width 1 ft; head at -5 (the stick-up), tip 50 ft below the ground.
    const auto& c = scene.outline[0].corners;
    EXPECT_EQ(c[0], (TWorldPoint{-1, -5}));
    EXPECT_EQ(c[1], (TWorldPoint{1, -5}));
    EXPECT_EQ(c[2], (TWorldPoint{-1, 50}));
    EXPECT_EQ(c[3], (TWorldPoint{1, 50}));
    // x +-1 * 1.05; y from -5 * 1.05 to max(50, 60) * 1.05 = 63.
    ExpectRect(scene.world, -1.05L, 1.05L, -5.25L, 63);
    ASSERT_EQ(scene.layers.size(), 2u);
    EXPECT_EQ(scene.layers[1].top, 20);
    EXPECT_EQ(scene.layers[1].bottom, 60);
    EXPECT_EQ(scene.layers[1].soilType, SoilType::Clay);

    // A pile reaching below the last layer: the tip sets the bottom, 50 * 1.05.
    SetLayers(tables_.D(), {{SoilType::Sand, 30}});
    ExpectRect(BuildElevation(data_, tables_.D(), TWorldRect{}).world, -1.05L, 1.05L, -5.25L, 52.5L);
}

// The analysis puts the tip TL below the ground and narrows a tapered pile over the
// whole length from the head (PSL + TL); the view draws the same pile.
TEST_F(ElevationLayout, TipAndTaperMatchTheEnginesGeometryWithStickup)
{
    ReferencePile(data_);
    data_.OutsideDiameter = 18;
    data_.StickupLength = 10;
    data_.TotalLength = 80;
    data_.TaperAngle = 0.4L;
    SetLayers(tables_.D(), {{SoilType::Sand, 70}, {SoilType::Clay, 100}});
    auto engine = std::make_unique<EngineState>();
    engine->UNIT_SYSTEM = UnitSystem::English;
    engine->OD = 18;
    engine->PSL = 10;
    engine->TL = 80;
    engine->TAPER_ANGLE = 0.4;
    for (const int type : {1, 2, 3, 4, 5, 6, 7}) {
        data_.PileType = type;
        engine->PILE_TYPE = type;
        const TElevationScene scene = BuildElevation(data_, tables_.D(), TWorldRect{});
        const auto& c = scene.outline.at(0).corners;
        // The tip 10 ft into the clay, not on the 70 ft boundary.
        EXPECT_EQ(c[2].y, 80) << type;
        EXPECT_EQ(c[0].y, -10) << type;
        const double tip = classic::taperedDiameter(*engine, engine->TL, classic::effectiveTaper(*engine));
        // Within the 0.01 % that the two degree conversions (3.1416 / 180, 0.01745) differ.
        EXPECT_NEAR(static_cast<double>(c[3].x - c[2].x), tip, 1e-3) << type;
        EXPECT_EQ(c[1].x - c[0].x, 1.5L) << type;
    }
    // A taper that closes above the tip draws a point, as the engine's zero diameter.
    data_.PileType = 2;
    data_.TaperAngle = 5;
    const TElevationScene scene = BuildElevation(data_, tables_.D(), TWorldRect{});
    const auto& c = scene.outline.at(0).corners;
    EXPECT_EQ(c[2].x, 0);
    EXPECT_EQ(c[3].x, 0);
}

TEST_F(ElevationLayout, StickupZeroPutsTheHeadOnTheGroundLine)
{
    ReferencePile(data_);
    data_.StickupLength = 0;
    SetLayers(tables_.D(), kReferenceLayers);
    const TElevationScene scene = BuildElevation(data_, tables_.D(), TWorldRect{});
    EXPECT_EQ(scene.outline[0].corners[0].y, 0);
    EXPECT_EQ(scene.world.ymin, 0);
    const TViewMapping mapping(*FitView(scene.world, 300, 600), 300, 600);
    EXPECT_EQ(mapping.ScreenY(scene.outline[0].corners[0].y), mapping.ScreenY(0));
}

TEST_F(ElevationLayout, WithoutSoilRowsTheWorldRectangleStaysAsItWas)
{
    ReferencePile(data_);
    tables_.D().SetRowCount(0);
    const TElevationScene scene = BuildElevation(data_, tables_.D(), TWorldRect{});
    EXPECT_TRUE(scene.outline.empty());
    EXPECT_TRUE(scene.layers.empty());
    ExpectRect(scene.world, -10, 10, 0, 10);
}

TEST_F(ElevationLayout, CornersThatAreNotNumbersRaiseTheSectionsError)
{
    ReferencePile(data_);
    data_.TotalLength = std::numeric_limits<long double>::quiet_NaN();
    SetLayers(tables_.D(), kReferenceLayers);
    try {
        BuildElevation(data_, tables_.D(), TWorldRect{});
        FAIL() << "no error";
    } catch (const EOutlineError& e) {
        EXPECT_STREQ(e.what(), "One or more Pile Types does not have any sections");
    }
}

TEST(ElevationFit, WideWindowWidensXAndTallWindowWidensY)
{
    const TWorldRect world{-1.05L, 1.05L, -5.25L, 63};
    // 600 x 300: r = (600/300) / (2.1/68.25) = 65 -> x from -68.25 to 68.25.
    ExpectRect(*FitView(world, 600, 300), -68.25L, 68.25L, -5.25L, 63);
    // Tall and narrow, 100 x 1000: r = 0.1 / (2.1/68.25) = 3.25 -> x +-3.4125; the pile
    // keeps its shape: 2 ft across and 2 ft deep are the same number of pixels.
    const TWorldRect tall = *FitView(world, 100, 1000);
    ExpectRect(tall, -3.4125L, 3.4125L, -5.25L, 63);
    EXPECT_NEAR(static_cast<double>(tall.Width() / tall.Height()), 100.0 / 1000.0, 1e-12);
    // A wide world in a tall window: r = 0.1 / 2 = 0.05 -> y bounds divided: 0 .. 200.
    ExpectRect(*FitView(TWorldRect{}, 100, 1000), -10, 10, 0, 200);
}

TEST(ElevationFit, DegenerateViewsGiveNothing)
{
    const TWorldRect world{-1.05L, 1.05L, -5.25L, 63};
    EXPECT_FALSE(FitView(world, 0, 300));
    EXPECT_FALSE(FitView(world, 300, 0));
    EXPECT_FALSE(FitView(world, 0, 0));
    EXPECT_FALSE(FitView(TWorldRect{0, 0, -5.25L, 63}, 300, 300)); // a pile without width
    EXPECT_FALSE(FitView(TWorldRect{std::numeric_limits<long double>::quiet_NaN(), 1, 0, 1}, 300, 300));
}

TEST(ElevationTexts, LayerLabelsAndDepthCaption)
{
    EXPECT_EQ(LayerLabel({0, 20, SoilType::Sand}), "depth= 0 - 20; Sand");
    EXPECT_EQ(LayerLabel({20, 60.5L, SoilType::Clay}), "depth= 20 - 60.5; Clay");
    EXPECT_EQ(LayerLabel({60.5L, 70.25L, SoilType::Silt}), "depth= 60.5 - 70.25; Silt");
    EXPECT_EQ(LayerLabel({0, 1, 4}), "");
    EXPECT_EQ(DepthCaption(20.0025L), "  Depth: 20.0");
    EXPECT_EQ(DepthCaption(-3.26L), "  Depth: -3.3");
    EXPECT_EQ(DepthCaption(1234.56L), "  Depth: 1234.6");
}

// ---- Screen pixels -----------------------------------------------------------------

const QColor kFrame(0, 0, 255);

QImage Render(const TElevationScene& scene, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintElevation(painter, scene, TViewMapping(*FitView(scene.world, width, height), width, height),
                   TElevationColors{Qt::white, Qt::black, kFrame});
    return image;
}

TEST_F(ElevationLayout, ScreenPixelsFollowTheScaleMapping)
{
    ReferencePile(data_);
    SetLayers(tables_.D(), kReferenceLayers);
    const QImage image = Render(BuildElevation(data_, tables_.D(), TWorldRect{}), 600, 300);
    // View x -68.25..68.25, y -5.25..63 over 600 x 300:
    // screen y = 300 (y + 5.25) / 68.25: ground 23.08 -> 23, 20 ft 110.99 -> 111, 60 ft 286.81 -> 287,
    // head (-5) 1.10 -> 1, tip (45) 220.88 -> 221; screen x = 600 (x + 68.25) / 136.5: 0 -> 300,
    // +-1 ft -> 304.4 / 295.6.
    for (const int row : {23, 111, 287}) {
        EXPECT_EQ(image.pixelColor(560, row), QColor(Qt::black)) << row;
        EXPECT_EQ(image.pixelColor(560, row - 1), QColor(Qt::white)) << row;
        EXPECT_EQ(image.pixelColor(560, row + 1), QColor(Qt::white)) << row;
    }
    // Hatch strokes (100 + 20j, 23) to (115 + 20j, 28), j = 1..20.
    EXPECT_EQ(image.pixelColor(120, 23), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(135, 28), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(515, 28), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(145, 28), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(535, 28), QColor(Qt::white)); // no 21st stroke
    // The pile is filled over the layer lines, from head to tip, 2 ft wide.
    // The tip, 50 ft below the ground: 300 x 55.25 / 68.25 = 242.9 -> 243.
    for (const int row : {3, 23, 111, 219, 241}) {
        EXPECT_EQ(image.pixelColor(300, row), kFrame) << row;
        EXPECT_EQ(image.pixelColor(297, row), kFrame) << row;
        EXPECT_EQ(image.pixelColor(303, row), kFrame) << row;
        EXPECT_NE(image.pixelColor(308, row), kFrame) << row;
        EXPECT_NE(image.pixelColor(291, row), kFrame) << row;
    }
    EXPECT_EQ(image.pixelColor(300, 0), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(300, 246), QColor(Qt::white));
}

TEST_F(ElevationLayout, EnglishAndSiOfTheSamePileDrawTheSamePixels)
{
    ReferencePile(data_);
    SetLayers(tables_.D(), kReferenceLayers);
    const QImage english = Render(BuildElevation(data_, tables_.D(), TWorldRect{}), 600, 300);
    // The same pile in metres: 609.6 mm, 1.524 m stickup, 15.24 m long, layers to 6.096 and 18.288 m.
    TProgramData si = data_;
    si.UnitSystem = UnitSystem::SI;
    si.OutsideDiameter = 609.6L;
    si.StickupLength = 1.524L;
    si.TotalLength = 15.24L;
    TProjectTables siTables;
    SetLayers(siTables.D(), {{SoilType::Sand, 6.096L}, {SoilType::Clay, 18.288L}});
    const QImage metric = Render(BuildElevation(si, siTables.D(), TWorldRect{}), 600, 300);
    for (const int row : {23, 111, 287})
        EXPECT_EQ(metric.pixelColor(560, row), QColor(Qt::black)) << row;
    for (int row = 0; row < 300; ++row) {
        for (const int column : {291, 296, 300, 304, 308, 560})
            EXPECT_EQ(metric.pixelColor(column, row), english.pixelColor(column, row)) << column << "," << row;
    }
}

TEST_F(ElevationLayout, PrintedPagePixelsFollowThePaperMapping)
{
    ReferencePile(data_);
    SetLayers(tables_.D(), kReferenceLayers);
    const TElevationScene scene = BuildElevation(data_, tables_.D(), TWorldRect{});
    QImage page(1100, 850, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        PrintElevation(painter, scene, TPageMapping(scene.world, page.rect(), 1.0), QFont());
    }
    // page y = 85 + 680 (y + 5.25) / 68.25: ground 137.31 -> 137, 20 ft 336.58 -> 337,
    // 60 ft 735.11 -> 735; lines from 110 to 990 (10 % .. 90 % of 1100).
    for (const int row : {137, 337, 735}) {
        EXPECT_EQ(page.pixelColor(1000 - 20, row), QColor(Qt::black)) << row;
        EXPECT_EQ(page.pixelColor(110, row), QColor(Qt::black)) << row;
        EXPECT_EQ(page.pixelColor(100, row), QColor(Qt::white)) << row;
        EXPECT_EQ(page.pixelColor(1000, row), QColor(Qt::white)) << row;
        EXPECT_EQ(page.pixelColor(980, row + 2), QColor(Qt::white)) << row;
    }
    // Hatch strokes from 0.35 + 0.02j to 0.37 + 0.02j of the width, 0.015 x 850 = 12.75 -> 13 deep:
    // j = 1 from (407, 137) to (429, 150); j = 10 ends at (0.57 x 1100 = 627, 150).
    EXPECT_EQ(page.pixelColor(429, 150), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(627, 150), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(649, 150), QColor(Qt::white)); // no 11th stroke
    // The pile outline at the same scale as depth (9.963 px per ft), centred at 550:
    // sides at 550 -+ 9.96 -> 540 / 560, head 85 + 9.963 x 0.25 -> 87, tip 50 ft below
    // the ground: 85 + 9.963 x 55.25 = 635.5 -> 635.
    EXPECT_EQ(page.pixelColor(540, 450), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(560, 450), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(550, 450), QColor(Qt::white)); // a line, not filled
    EXPECT_EQ(page.pixelColor(550, 87), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(550, 635), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(550, 640), QColor(Qt::white));
}

// ---- The window --------------------------------------------------------------------

class ElevationWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        form_ = test::ShowMainForm(test::TestFormOptions(dir_, dialogs_, shell_), QSize(1000, 800));
        ReferencePile(form_->Data());
        SetLayers(form_->Tables().D(), kReferenceLayers);
    }
    void TearDown() override { form_.reset(); }

    TMainForm& Form() { return *form_; }

    TDlgSideView& Open()
    {
        Form().Action(QStringLiteral("CompViewSoil"))->trigger();
        auto* window = FindInputWindow<TDlgSideView>(Form());
        EXPECT_NE(window, nullptr);
        return *window;
    }

    // A fixed drawing area of 600 x 300 (the reference mapping above).
    static void FixPaintBox(TDlgSideView& w)
    {
        w.PaintBox().setFixedSize(600, 300);
        QApplication::processEvents();
        w.FormResize();
    }

    QTemporaryDir dir_;
    test::TScriptedFileDialogs dialogs_;
    test::TRecordingShell shell_;
    TScopedMessageRecorder messages_;
    std::unique_ptr<TMainForm> form_;
};

TEST_F(ElevationWindow, MenuItemAndToolbarButtonOpenOneWindow)
{
    QAction* item = Form().Action(QStringLiteral("CompViewSoil"));
    QAction* button = Form().Action(QStringLiteral("SpeedButton6"));
    ASSERT_NE(item, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(item->isEnabled());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(item->text(), "&View Soil Layer Coordinates");
    EXPECT_EQ(button->toolTip(), "View Soil Profile");

    TDlgSideView& w = Open();
    EXPECT_EQ(w.windowTitle(), "Elevation View");
    EXPECT_EQ(w.Button1().text(), "Print");
    EXPECT_EQ(w.Label1().text(), "Pile Geometry");
    button->trigger();
    EXPECT_EQ(FindInputWindow<TDlgSideView>(Form()), &w);
    EXPECT_EQ(Form().MdiArea()->subWindowList().size(), 1);

    // Closing clears the created-once flag; the view changed nothing.
    EXPECT_FALSE(Form().IsModified());
    w.CloseClick();
    EXPECT_EQ(FindInputWindow<TDlgSideView>(Form()), nullptr);
    EXPECT_FALSE(Form().IsModified());
}

TEST_F(ElevationWindow, ActivationLaysOutThePileAndTheMouseReadsDepths)
{
    TDlgSideView& w = Open();
    FixPaintBox(w);
    ASSERT_FALSE(w.Disabled());
    ExpectRect(w.Scene().world, -1.05L, 1.05L, -5.25L, 63);
    ExpectRect(*w.View(), -68.25L, 68.25L, -5.25L, 63);

    // The drawn window: ground row 23 in the line colour, the pile's centre filled.
    const QImage image = w.PaintBox().grab().toImage();
    const QColor base = w.palette().color(QPalette::Base);
    EXPECT_EQ(image.pixelColor(560, 22), base);
    EXPECT_NE(image.pixelColor(560, 23), base);
    EXPECT_EQ(image.pixelColor(300, 150), w.palette().color(QPalette::WindowText));

    // Pixel row 111: -5.25 + 111 x 68.25 / 300 = 20.0025; row 150: 28.875.
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 111), QPointF(300, 111), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&w.PaintBox(), &move);
    EXPECT_EQ(w.windowTitle(), "  Depth: 20.0");
    w.FormMouseMove(QPoint(10, 150));
    EXPECT_EQ(w.windowTitle(), "  Depth: 28.9");
    EXPECT_EQ(w.SubWindow()->windowTitle(), "  Depth: 28.9");
}

TEST_F(ElevationWindow, NoSoilRowsShowAnEmptyViewOfTheInitialRectangle)
{
    Form().Tables().D().SetRowCount(0);
    TDlgSideView& w = Open();
    FixPaintBox(w);
    EXPECT_TRUE(w.Scene().outline.empty());
    ExpectRect(w.Scene().world, -10, 10, 0, 10);
    EXPECT_TRUE(AllPixels(w.PaintBox().grab().toImage(), w.palette().color(QPalette::Base)));
}

TEST_F(ElevationWindow, APileWithoutWidthDisablesTheViewUntilItHasOne)
{
    Form().Data().OutsideDiameter = 0;
    Form().Data().Perimeter = 0;
    TDlgSideView& w = Open();
    FixPaintBox(w);
    EXPECT_TRUE(w.Disabled());
    EXPECT_TRUE(AllPixels(w.PaintBox().grab().toImage(), w.palette().color(QPalette::Base)));
    const QString caption = w.windowTitle();
    w.FormMouseMove(QPoint(10, 150));
    EXPECT_EQ(w.windowTitle(), caption); // no depth read-out

    // Noncircular with a perimeter of 48 in: a quarter, 1 ft wide, once activated again.
    Form().Data().Circular = false;
    Form().Data().Perimeter = 48;
    ReloadInputWindows(Form());
    ASSERT_FALSE(w.Disabled());
    ExpectRect(w.Scene().world, -0.525L, 0.525L, -5.25L, 63);
    // A zero-size drawing area disables it; a real size brings it back.
    w.PaintBox().setFixedSize(0, 0);
    QApplication::processEvents();
    w.FormResize();
    EXPECT_TRUE(w.Disabled());
    FixPaintBox(w);
    EXPECT_FALSE(w.Disabled());
}

TEST_F(ElevationWindow, OutlineErrorShowsTheMessageAndClosesTheWindow)
{
    Form().Data().TotalLength = std::numeric_limits<long double>::infinity();
    Form().Action(QStringLiteral("CompViewSoil"))->trigger();
    QApplication::processEvents();
    ASSERT_FALSE(messages_->Texts().empty());
    EXPECT_EQ(messages_->Texts().back(), "One or more Pile Types does not have any sections");
    EXPECT_EQ(messages_->Entries().back().kind, TMessageKind::Information);
    EXPECT_EQ(FindInputWindow<TDlgSideView>(Form()), nullptr);
}

TEST_F(ElevationWindow, PrintsOneLandscapePageToPdf)
{
    TDlgSideView& w = Open();
    const QString pdf = dir_.filePath(QStringLiteral("profile.pdf"));
    // No printer installed: "Print" asks for a PDF file.
    TScopedPrintDialogs printing;
    printing->PdfFile = pdf;
    w.Button1().click();
    EXPECT_EQ(printing->PdfDialogsShown, 1);
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_GT(QFileInfo(pdf).size(), 0);

    QFile::remove(pdf);
    printing->Confirm = false;
    w.Button1().click();
    EXPECT_EQ(printing->PdfDialogsShown, 2);
    EXPECT_FALSE(QFileInfo::exists(pdf));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(w.PrintTo(printer));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.docName(), "Soil-Pile Profile");
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.contains("/Count 1")) << "one page";
    EXPECT_FALSE(bytes.contains("/Count 2"));
    EXPECT_GT(printer.width(), printer.height());
    // The screen view is untouched by printing.
    EXPECT_EQ(w.windowTitle(), "Elevation View");
    EXPECT_TRUE(messages_->Texts().empty());
}

} // namespace
} // namespace veldo
