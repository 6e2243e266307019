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
#include "SoilLayers.h"
#include "TZPrint.h"
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
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string_view>

namespace veldo {
namespace {

// A main-window size; CTest lists each case by it ("1024x700").
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
                                   QSize(GetParam().width, GetParam().height));
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
    form_->Action(QStringLiteral("CompViewSoil"))->trigger();
    QApplication::processEvents();
    TDlgSideView* view = FindInputWindow<TDlgSideView>(*form_);
    ASSERT_NE(view, nullptr);
    ExpectFrameInside(*view->SubWindow(), "Elevation View");
    // Large enough to read: at least 4 by 4.5 inches of drawing, or the whole area.
    const int dpi = view->logicalDpiX();
    EXPECT_GE(view->PaintBox().width(), std::min(4 * dpi, Viewport().width() - 2 * dpi / 3));
    EXPECT_GE(view->PaintBox().height(), std::min(9 * dpi / 2, Viewport().height() - dpi));

    form_->Action(QStringLiteral("DataSoilTable"))->trigger();
    QApplication::processEvents();
    QMdiSubWindow* editor = form_->MdiArea()->activeSubWindow();
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor->widget(), view);
    ExpectFrameInside(*editor, "Soil table editor");
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowFit, ::testing::Values(Screen{1024, 700}, Screen{1280, 900}),
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
