// Every window opens within reach on a small and a common screen: its frame inside the
// window area and its Close button visible there (scrolled to when the content is
// larger than the window); the main window's first geometry; toolbar pictures.
#include "WindowFit.h"
#include "Block.h"
#include "CPTOptions.h"
#include "InputWindow.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "Options.h"
#include "PileSide.h"
#include "PltData.h"
#include "ProjectTables.h"
#include "SoilLayers.h"
#include "TZPrint.h"
#include "Table.h"
#include "TableForm.h"
#include "Title.h"
#include "ToolIcons.h"
#include "compmeth.h"
#include "cpilepro.h"
#include "nPilePro.h"
#include "pilemat.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string_view>
#include <utility>

namespace veldo {
namespace {

// A screen size; the main window takes its first geometry on it (90 %). CTest lists
// each case by it ("1024x768").
struct Screen {
    int width, height;
};
void PrintTo(const Screen& screen, std::ostream* out) { *out << screen.width << 'x' << screen.height; }

class WindowFit : public ::testing::TestWithParam<Screen> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        form_ = test::ShowMainForm(test::TestFormOptions(dir_, dialogs_, shell_),
                                   InitialMainWindowGeometry(QRect(0, 0, GetParam().width, GetParam().height)).size());
        QApplication::processEvents();
    }
    void TearDown() override { form_.reset(); }

    QRect Viewport() const { return form_->MdiArea()->viewport()->rect(); }

    // The frame lies in the visible part of the window area.
    void ExpectFrameInside(QWidget& frame, const char* name) const
    {
        const QRect r(frame.mapTo(form_->MdiArea()->viewport(), QPoint(0, 0)), frame.size());
        EXPECT_TRUE(Viewport().contains(r)) << name << ": " << r.x() << "," << r.y() << " " << r.width() << "x"
                                            << r.height() << " in " << Viewport().width() << "x" << Viewport().height();
    }

    // Every visible Close button of the window, scrolled into view as a user would,
    // lies inside the window area's viewport.
    void ExpectCloseReachable(TInputWindow& window, const char* name) const
    {
        ASSERT_NE(window.SubWindow(), nullptr) << name;
        ExpectFrameInside(*window.SubWindow(), name);
        int closes = 0;
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->text() != QStringLiteral("Close") || !button->isVisibleTo(&window))
                continue;
            ++closes;
            if (auto* scroll = window.findChild<QScrollArea*>(QStringLiteral("ContentScroll")))
                scroll->ensureWidgetVisible(button);
            const QRect r(button->mapTo(form_->MdiArea()->viewport(), QPoint(0, 0)), button->size());
            EXPECT_TRUE(Viewport().contains(r)) << name;
            // Not hidden by the window's own frame either.
            const QRect inWindow(button->mapTo(&window, QPoint(0, 0)), button->size());
            EXPECT_TRUE(window.rect().contains(inWindow)) << name;
        }
        EXPECT_GT(closes, 0) << name;
    }

    QTemporaryDir dir_;
    test::TScriptedFileDialogs dialogs_;
    test::TRecordingShell shell_;
    TScopedMessageRecorder messages_;
    std::unique_ptr<TMainForm> form_;
};

TEST_P(WindowFit, EveryInputWindowsCloseButtonIsWithinReach)
{
    TMainForm& main = *form_;
    const std::vector<std::pair<const char*, std::function<TInputWindow&()>>> windows{
        {"Title", [&]() -> TInputWindow& { return ShowInputWindow<TdlgTitle>(main); }},
        {"Methods", [&]() -> TInputWindow& { return ShowInputWindow<TfrmWaterDepth>(main); }},
        {"Material", [&]() -> TInputWindow& { return ShowInputWindow<TfrmMaterial>(main); }},
        {"Circular", [&]() -> TInputWindow& { return ShowInputWindow<TfrmShaftpeneta>(main); }},
        {"Noncircular", [&]() -> TInputWindow& { return ShowInputWindow<TfrmNCsection>(main); }},
        {"Soil Layers", [&]() -> TInputWindow& { return ShowInputWindow<TDlgSoilLayers>(main); }},
        {"CPT", [&]() -> TInputWindow& { return ShowInputWindow<TDlgInputMotion>(main); }},
        {"Options", [&]() -> TInputWindow& { return ShowInputWindow<TDlgOptions>(main); }},
        {"Critical Depths", [&]() -> TInputWindow& { return ShowInputWindow<TDlgBlock>(main); }},
        {"t-z Print", [&]() -> TInputWindow& { return ShowInputWindow<TDlgTZPrint>(main); }},
    };
    for (const auto& [name, open] : windows) {
        TInputWindow& window = open();
        QApplication::processEvents();
        ExpectCloseReachable(window, name);
        if (std::string_view(name) == "Noncircular") {
            // A noncircular section needs a perimeter and a tip area before it closes.
            for (const char* field : {"DataEdit3", "DataEdit4"}) {
                auto* edit = window.findChild<QLineEdit*>(QString::fromLatin1(field));
                ASSERT_NE(edit, nullptr) << field;
                edit->setFocus();
                edit->selectAll();
                QTest::keyClicks(edit, QStringLiteral("10"));
            }
        }
        window.CloseClick();
        QApplication::processEvents();
        EXPECT_TRUE(messages_->Texts().empty())
            << name << ": " << (messages_->Texts().empty() ? std::string() : messages_->Texts().front().toStdString());
    }
}

TEST_P(WindowFit, ElevationViewAndTableEditorOpenReadableAndInside)
{
    test::ChooseMenuItem(*form_, QStringLiteral("ComputationMenu"), QStringLiteral("CompViewSoil"));
    QApplication::processEvents();
    TDlgSideView* view = FindInputWindow<TDlgSideView>(*form_);
    ASSERT_NE(view, nullptr);
    ExpectFrameInside(*view->SubWindow(), "Elevation View");
    // Large enough to read: at least 4 by 4.5 inches of drawing, or the whole area.
    const int dpi = view->logicalDpiX();
    EXPECT_GE(view->PaintBox().width(), std::min(4 * dpi, Viewport().width() - 2 * dpi / 3));
    EXPECT_GE(view->PaintBox().height(), std::min(9 * dpi / 2, Viewport().height() - dpi));

    test::ChooseMenuItem(*form_, QStringLiteral("DataMenu"), QStringLiteral("DataSoilTable"));
    QApplication::processEvents();
    QMdiSubWindow* editor = form_->MdiArea()->activeSubWindow();
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor->widget(), view);
    ExpectFrameInside(*editor, "Soil table editor");
}

// Over a maximised plot, each input window opens normal, framed, whole and active on
// top; the plot stays maximised behind it.
TEST_P(WindowFit, InputWindowsOverAMaximisedPlotOpenNormalFramedAndOnTop)
{
    TMainForm& main = *form_;
    TGraphPlot& profile = main.Tables().MotionInput();
    profile.SetCurveCount(1);
    profile.SetPointCount(3);
    for (int j = 0; j < 3; ++j)
        profile.CurvePoint(0, j) = {static_cast<long double>(40 * (j + 1)), static_cast<long double>(2 * j + 1)};
    ASSERT_TRUE(ShowCPTProfilePlot(main));
    QApplication::processEvents();
    QMdiSubWindow* plot = main.MdiArea()->activeSubWindow();
    ASSERT_NE(plot, nullptr);
    ASSERT_TRUE(plot->isMaximized());

    for (const auto& [menu, item] :
         {std::pair{"DataMenu", "DataCircular"}, std::pair{"DataMenu", "DataCpt"},
          std::pair{"ComputationMenu", "CompViewSoil"}, std::pair{"DataMenu", "DataSoilLayers"},
          std::pair{"DataMenu", "DataTitle"}, std::pair{"DataMenu", "DataSoilTable"}}) {
        test::ChooseMenuItem(main, QString::fromLatin1(menu), QString::fromLatin1(item));
        QApplication::processEvents();
        QMdiSubWindow* opened = main.MdiArea()->activeSubWindow();
        ASSERT_NE(opened, nullptr) << item;
        ASSERT_NE(opened, plot) << item;
        EXPECT_FALSE(opened->isMaximized()) << item;
        EXPECT_FALSE(opened->windowFlags() & Qt::FramelessWindowHint) << item;
        EXPECT_GT(opened->height() - opened->widget()->height(), 10) << item << ": a title bar";
        ExpectFrameInside(*opened, item);
        EXPECT_EQ(main.MdiArea()->subWindowList(QMdiArea::StackingOrder).back(), opened) << item;
        EXPECT_TRUE(plot->isMaximized()) << item;
        EXPECT_FALSE(main.windowTitle().contains(QLatin1Char('['))) << item;
    }
}

// The 40-layer example: the soil layers window and the soil table's editor open as tall
// as their rows need, up to the window area, with every column in view (the area is
// wide enough for them on both screens) and Close in view without scrolling the window.
TEST_P(WindowFit, LayerWindowsOfFortyLayersFitTheirRowsAndColumns)
{
    dialogs_.openAnswers.push_back(
        TOpenChoice{QStringLiteral(VELDO_EXAMPLES_DIR "/large/Large40Layers_English.vd7d"), 1});
    test::ChooseMenuItem(*form_, QStringLiteral("FileMenu"), QStringLiteral("FileOpen"));
    ASSERT_EQ(form_->Tables().D().RowCount(), 40);
    const int areaHeight = Viewport().height();

    test::ChooseMenuItem(*form_, QStringLiteral("DataMenu"), QStringLiteral("DataSoilLayers"));
    QApplication::processEvents();
    auto* layers = FindInputWindow<TDlgSoilLayers>(*form_);
    ASSERT_NE(layers, nullptr);
    QMdiSubWindow* frame = layers->SubWindow();
    ExpectFrameInside(*frame, "Soil Layers");
    EXPECT_EQ(frame->height(), areaHeight) << "40 rows need more than the area";
    QTableWidget* grid = layers->LayerGrid();
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0) << "every column in view";
    const int rowsInView = grid->viewport()->height() / grid->rowHeight(0);
    EXPECT_GE(rowsInView, (areaHeight - 330) / 25) << "the grid takes the height the notes leave";
    auto* scroll = layers->findChild<QScrollArea*>(QStringLiteral("ContentScroll"));
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0) << "the grid scrolls, not the window";
    const QRect close(layers->Button1()->mapTo(form_->MdiArea()->viewport(), QPoint(0, 0)), layers->Button1()->size());
    EXPECT_TRUE(Viewport().contains(close));
    // Scrolled to the last layer, its row is in view with its controls.
    grid->scrollToBottom();
    QApplication::processEvents();
    const QRect last = grid->visualRect(grid->model()->index(39, 0));
    EXPECT_TRUE(grid->viewport()->rect().contains(last));
    EXPECT_EQ(layers->LayerButton(39)->text(), "Edit Layer 40");
    QTest::mouseClick(layers->Button1(), Qt::LeftButton);
    QApplication::processEvents();

    test::ChooseMenuItem(*form_, QStringLiteral("DataMenu"), QStringLiteral("DataSoilTable"));
    QApplication::processEvents();
    auto* editor = qobject_cast<TTableForm*>(form_->MdiArea()->activeSubWindow()->widget());
    ASSERT_NE(editor, nullptr);
    ExpectFrameInside(*editor->Container(), "Soil Properties");
    // Every column when the area is wide enough (1920 x 1080), else as many as fit.
    const int columns = form_->Tables().D().VisibleColumnCount();
    if (GetParam().width >= 1920) {
        EXPECT_EQ(editor->ShownColumns(), columns);
    } else if (editor->ShownColumns() < columns) {
        EXPECT_GT(editor->Container()->width() + editor->Grid()->columnWidth(editor->ShownColumns()),
                  Viewport().width());
    }
    EXPECT_GT(editor->ShownRows(), 10);
    EXPECT_LT(editor->ShownRows(), 40);
    // One more row would not fit.
    EXPECT_GT(editor->Container()->height() + editor->Grid()->rowHeight(0), areaHeight);
    EXPECT_TRUE(messages_->Texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowFit, ::testing::Values(Screen{1024, 768}, Screen{1920, 1080}),
                         [](const ::testing::TestParamInfo<Screen>& info) {
                             return ::testing::PrintToString(info.param);
                         });

TEST(MainWindowPlacement, NinetyPercentOfTheScreenCentred)
{
    EXPECT_EQ(InitialMainWindowGeometry(QRect(0, 0, 1280, 900)), QRect(64, 45, 1152, 810));
    // A work area beside a panel: centred on the area, not the screen.
    EXPECT_EQ(InitialMainWindowGeometry(QRect(100, 30, 1000, 700)), QRect(150, 65, 900, 630));
}

TEST(ToolIcons, EveryButtonHasItsOwnPictureAndItsHint)
{
    TMainFormOptions options;
    QTemporaryDir dir;
    options.settingsFile = dir.filePath(QStringLiteral("VELDO.ini"));
    TMainForm form(std::move(options));
    const QStringList hints{"Open File",       "New File",
                            "Save File",       "Run Data File",
                            "View Output",     "View Soil Profile",
                            "Soil layer Data", "Combined Plot",
                            "t-z Curves",      "Load vs. Settlement",
                            "Title",           "Computational Method",
                            "Pile Material",   "Circular Section",
                            "Non-Circular",    "Total Capacity"};
    std::vector<QImage> pictures;
    for (int n = 1; n <= 16; ++n) {
        QAction* button = form.Action(QStringLiteral("SpeedButton%1").arg(n));
        ASSERT_NE(button, nullptr) << n;
        EXPECT_EQ(button->toolTip(), hints[n - 1]);
        ASSERT_FALSE(button->icon().isNull()) << n;
        const QImage image = button->icon().pixmap(24, 24).toImage();
        for (const QImage& other : pictures)
            EXPECT_NE(image, other) << n;
        pictures.push_back(image);
    }
    EXPECT_TRUE(ToolIcon(17).isNull());
}

} // namespace
} // namespace veldo
