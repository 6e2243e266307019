// Starting things outside the program: the text editor on a project's text files,
// the help documents and the update-check page. Every start goes through IShell so
// tests can see what would be started; failures are shown through Messages().
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace veldo {

// Called with the reason when something handed to the shell failed: at once, or
// later from the event loop when the started program ends with an error within
// its first second.
using TLaunchFailed = std::function<void(const QString& reason)>;

class IShell {
public:
    virtual ~IShell() = default;
    // Opens a document or web page with the desktop's opener. False when it could
    // not be started (`failed` has then been called).
    virtual bool OpenUrl(const QUrl& url, TLaunchFailed failed) = 0;
    // Starts a program with arguments, without a shell. False when it could not be
    // started (`failed` has then been called).
    virtual bool StartDetached(const QString& program, const QStringList& arguments, TLaunchFailed failed) = 0;
};

// How long a started program is watched for an exit with an error.
inline constexpr int LaunchWatchMilliseconds = 1000;

// The desktop: documents and pages open through "xdg-open"; every program is
// started as a process that is watched for its first second without blocking and
// never ended by this program (an editor stays open when the program closes).
IShell& DesktopShell();

// The line added to a launcher's message: the file or address and the reason.
QString LaunchFailureLine(const QString& target, const QString& reason);

// Opens a text file in the editor: an empty editor path uses the desktop's default
// application, else the editor is started with the file as its one argument. On
// failure, at once or within the watched second, shows "An error occurred in
// running the Word Processor" and the line naming the file and the reason. Returns
// false when it failed at once.
bool LaunchEditor(IShell& shell, const QString& editorPath, const QString& file);

// A document the Help menu opens from the program's folder.
enum class THelpDocument { Contents, UsersManual, TechnicalManual };

// File name of a help document in the program's folder.
QString HelpDocumentName(THelpDocument document);

// Opens the document from `programDir` with the desktop's default application;
// a missing document gives "The help file was not found:" + CR + its path, one
// that no application opens "The document ... could not be opened." and the line
// naming it and the reason. Returns false when it failed at once.
bool OpenHelpDocument(IShell& shell, const QString& programDir, THelpDocument document);

// The update-check address: host + "/checkupdates/check/check.php?" + the query
// "VELDOO;2015.7.7;05/10/17;" + the given date as mm/dd/yy.
QUrl UpdateCheckUrl(const QString& host, const QDate& date);

// Opens the update-check page; a failure gives a message naming the address, with
// the line naming it and the reason.
bool OpenUpdateCheck(IShell& shell, const QString& host, const QDate& date);

} // namespace veldo
