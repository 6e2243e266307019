// Scripted stand-ins for the main window's dialogs and shell, a temporary settings
// file, and the steps of the window tests: the main window shown, a window opened by
// its menu item, a field found by name, a value typed as the user does, File > Save.
#pragma once

#include "DataEdit.h"
#include "FileDialogs.h"
#include "InputWindow.h"
#include "Launchers.h"
#include "Main.h"
#include "Messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

namespace veldo::test {

// Answers the Open and Save As dialogs from queues (Cancel when a queue is empty)
// and keeps the titles, folders and file names they were shown with.
class TScriptedFileDialogs final : public IFileDialogs {
public:
    std::deque<std::optional<TOpenChoice>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::vector<QString> titles;
    std::vector<QString> saveFileNames;
    std::vector<QString> openFolders;

    std::optional<TOpenChoice> Open(QWidget*, const QString& title, const QString&, const QString&,
                                    const QString& folder) override
    {
        titles.push_back(title);
        openFolders.push_back(folder);
        return take(openAnswers);
    }
    std::optional<QString> SaveAs(QWidget*, const QString& title, const QString&, const QString&,
                                  const QString& fileName) override
    {
        titles.push_back(title);
        saveFileNames.push_back(fileName);
        return take(saveAnswers);
    }

private:
    template <class T> static std::optional<T> take(std::deque<std::optional<T>>& answers)
    {
        std::optional<T> answer;
        if (!answers.empty()) {
            answer.swap(answers.front());
            answers.pop_front();
        }
        return answer;
    }
};

// Records what would be opened or started. With `succeed` false every launch fails
// at once with `reason`; otherwise the failure handler of each launch is kept in
// `watched`, and a test calls it to report a program that ended with an error
// within its first second, as the desktop shell does from the event loop.
class TRecordingShell final : public IShell {
public:
    bool succeed = true;
    QString reason = QStringLiteral("xdg-open ended with exit code 3");
    std::vector<QUrl> urls;
    std::vector<std::pair<QString, QStringList>> started;
    std::vector<TLaunchFailed> watched;

    bool OpenUrl(const QUrl& url, TLaunchFailed failed) override
    {
        urls.push_back(url);
        return answer(std::move(failed));
    }
    bool StartDetached(const QString& program, const QStringList& arguments, TLaunchFailed failed) override
    {
        started.emplace_back(program, arguments);
        return answer(std::move(failed));
    }

private:
    bool answer(TLaunchFailed failed)
    {
        if (!succeed)
            failed(reason);
        else
            watched.push_back(std::move(failed));
        return succeed;
    }
};

// A main window's options for a test: settings and program folder in `dir`, the
// scripted dialogs and the recording shell.
inline TMainFormOptions TestFormOptions(const QTemporaryDir& dir, TScriptedFileDialogs& dialogs, TRecordingShell& shell)
{
    TMainFormOptions options;
    options.settingsFile = dir.filePath(QStringLiteral("VELDO.ini"));
    options.programDir = dir.path();
    options.fileDialogs = &dialogs;
    options.shell = &shell;
    return options;
}

// The main window shown and active, so that clicks and keys reach its fields and
// leaving a field runs its check.
inline std::unique_ptr<TMainForm> ShowMainForm(TMainFormOptions options, QSize size = QSize(900, 700))
{
    auto form = std::make_unique<TMainForm>(std::move(options));
    form->resize(size);
    form->show();
    QApplication::setActiveWindow(form.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    return form;
}

// A window test's frame: the main window shown and active on a new project, with its
// settings in a temporary folder, scripted dialogs and shell, and the messages recorded.
class TMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        form_ = ShowMainForm(TestFormOptions(dir_, dialogs_, shell_));
    }
    void TearDown() override { form_.reset(); }

    TMainForm& Form() { return *form_; }
    TProgramData& Data() { return form_->Data(); }

    // The window replaced by one on a copy of `example` as "job.vd7d" in the test's
    // folder, with the build's engine.
    TMainForm& StartOnExample(const QString& example);

    // An item of a menu of the window chosen as the user does (ChooseMenuItem).
    bool Choose(const QString& menuName, const QString& itemName);

    QTemporaryDir dir_;
    TScriptedFileDialogs dialogs_;
    TRecordingShell shell_;
    TScopedMessageRecorder messages_;
    std::unique_ptr<TMainForm> form_;
};

// Copies an example project and its CPT file into `dir` as "job.vd7d" and "job.cpt"
// and returns the project's path.
inline QString CopyExampleAsJob(const QTemporaryDir& dir, const QString& example)
{
    const QString source = QStringLiteral(VELDO_EXAMPLES_DIR "/") + example;
    const QString project = dir.filePath(QStringLiteral("job.vd7d"));
    QFile::copy(source + QStringLiteral(".vd7d"), project);
    QFile::copy(source + QStringLiteral(".cpt"), dir.filePath(QStringLiteral("job.cpt")));
    return project;
}

// A main window on `project` with the build's engine, shown and active.
inline std::unique_ptr<TMainForm> StartWithEngine(const QTemporaryDir& dir, TScriptedFileDialogs& dialogs,
                                                  TRecordingShell& shell, const QString& project)
{
    TMainFormOptions options = TestFormOptions(dir, dialogs, shell);
    options.programDir = QStringLiteral(VELDO_BIN_DIR);
    options.arguments = {project};
    return ShowMainForm(std::move(options));
}

inline TMainForm& TMainWindowTest::StartOnExample(const QString& example)
{
    form_.reset();
    form_ = StartWithEngine(dir_, dialogs_, shell_, CopyExampleAsJob(dir_, example));
    return *form_;
}

// A menu item chosen as the user does: the menu opens (its enabling rules run and
// the active window commits quietly), then the item is clicked. False when the item
// is missing or disabled.
inline bool ChooseMenuItem(TMainForm& form, const QString& menuName, const QString& itemName)
{
    QMenu* menu = form.Menu(menuName);
    EXPECT_NE(menu, nullptr) << menuName.toStdString();
    if (menu)
        emit menu->aboutToShow();
    QAction* item = form.Action(itemName);
    EXPECT_TRUE(item && item->isEnabled()) << itemName.toStdString();
    if (!item || !item->isEnabled())
        return false;
    item->trigger();
    return true;
}

inline bool TMainWindowTest::Choose(const QString& menuName, const QString& itemName)
{
    return ChooseMenuItem(Form(), menuName, itemName);
}

// Toolbar button `number` ("SpeedButton<number>") clicked with the mouse. False when
// it is missing or disabled.
inline bool ClickToolButton(TMainForm& form, int number)
{
    QAction* action = form.Action(QStringLiteral("SpeedButton%1").arg(number));
    auto* bar = form.findChild<QToolBar*>(QStringLiteral("ToolBar"));
    QWidget* button = action && bar ? bar->widgetForAction(action) : nullptr;
    EXPECT_TRUE(button && button->isEnabled()) << number;
    if (!button || !button->isEnabled())
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::processEvents();
    return true;
}

// An input window opened by its item of the given menu.
template <class TWindow> TWindow& OpenByMenu(TMainForm& form, const QString& menuName, const QString& itemName)
{
    ChooseMenuItem(form, menuName, itemName);
    TWindow* window = FindInputWindow<TWindow>(form);
    EXPECT_NE(window, nullptr) << itemName.toStdString();
    return *window;
}

// A child widget of a window by object name.
template <class T> T& Child(const QWidget& window, const QString& name)
{
    auto* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return *child;
}
inline TDataEdit& Field(const QWidget& window, const QString& name) { return Child<TDataEdit>(window, name); }

// A button, check box or radio button clicked on its indicator, where a click counts
// however wide the layout makes the button.
inline void Click(QAbstractButton& button)
{
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(6, button.height() / 2));
}

// Clicks into a field (a line or a memo), selects its whole text and types over it;
// the field keeps the focus.
inline void TypeOver(QWidget& field, const QString& text)
{
    // A field of an inactive window: the window's title bar is clicked first.
    for (QWidget* parent = field.parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parent)) {
            if (frame->mdiArea() && frame->mdiArea()->activeSubWindow() != frame)
                QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(frame->width() / 2, 4));
            break;
        }
    }
    QTest::mouseClick(&field, Qt::LeftButton);
    EXPECT_TRUE(field.hasFocus()) << field.objectName().toStdString();
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(&field, Qt::Key_Delete);
    QTest::keyClicks(&field, text); // the first key replaces the selection
}

// Types over a field and leaves it with Tab (or confirms it with Return).
inline void Enter(QWidget& field, const QString& text, Qt::Key leave = Qt::Key_Tab)
{
    TypeOver(field, text);
    QTest::keyClick(&field, leave);
}

// File > Save chosen from the menu; a project without a file is saved as `path`
// through the scripted Save As dialog. True when the project file was written.
inline bool SaveByMenu(TMainForm& form, TScriptedFileDialogs& dialogs, const QString& path)
{
    QFile::remove(path); // a refused save leaves no file
    dialogs.saveAnswers.push_back(path);
    const bool chosen = ChooseMenuItem(form, QStringLiteral("FileMenu"), QStringLiteral("FileSave"));
    const bool saved = chosen && QFileInfo::exists(path);
    dialogs.saveAnswers.clear();
    return saved;
}

// File > Save of the project given the file `path` first (a project with a file of
// its own: the open windows commit and stay open). True when the file was written
// and the project is no longer modified.
inline bool SaveNamedByMenu(TMainForm& form, const QString& path)
{
    form.Data().ProjectPath = path;
    QFile::remove(path); // a refused save leaves no file
    return ChooseMenuItem(form, QStringLiteral("FileMenu"), QStringLiteral("FileSave")) && QFileInfo::exists(path) &&
           !form.IsModified();
}

// The tab page holding `widget` brought forward with a click on its tab.
inline void ShowPageOf(QWidget& widget)
{
    for (QWidget* page = &widget; page; page = page->parentWidget()) {
        auto* stack = page->parentWidget();
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs && tabs->indexOf(page) >= 0) {
            QTabBar* bar = tabs->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tabs->indexOf(page)).center());
            return;
        }
    }
}

// Frees the windows deleted from the event loop.
inline void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

} // namespace veldo::test
