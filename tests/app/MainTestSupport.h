// Scripted stand-ins for the main window's dialogs and shell, and a temporary
// settings file, for the main-window tests.
#pragma once

#include "FileDialogs.h"
#include "Launchers.h"
#include "Main.h"

#include <QTemporaryDir>

#include <deque>
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

// Records what would be opened or started; answers with `succeed`.
class TRecordingShell final : public IShell {
public:
    bool succeed = true;
    std::vector<QUrl> urls;
    std::vector<std::pair<QString, QStringList>> started;

    bool OpenUrl(const QUrl& url) override
    {
        urls.push_back(url);
        return succeed;
    }
    bool StartDetached(const QString& program, const QStringList& arguments) override
    {
        started.emplace_back(program, arguments);
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

} // namespace veldo::test
