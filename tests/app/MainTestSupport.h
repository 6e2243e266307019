// Scripted stand-ins for the main window's dialogs and shell, and a temporary
// settings file, for the main-window tests.
#pragma once

#include "FileDialogs.h"
#include "Launchers.h"
#include "Main.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
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
    auto form = std::make_unique<TMainForm>(std::move(options));
    form->show();
    QApplication::setActiveWindow(form.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    return form;
}

} // namespace veldo::test
