// Starting things outside the program: the text editor on a project's text files,
// the help documents and the update-check page. Every start goes through IShell so
// tests can see what would be started; failures are shown through Messages().
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace veldo {

class IShell {
public:
    virtual ~IShell() = default;
    // Opens a document or web page with the desktop's default application.
    virtual bool OpenUrl(const QUrl& url) = 0;
    // Starts a program with arguments, without a shell.
    virtual bool StartDetached(const QString& program, const QStringList& arguments) = 0;
};

// QDesktopServices and QProcess.
IShell& DesktopShell();

// Opens a text file in the editor: an empty editor path uses the desktop's default
// application, else the editor is started with the file as its one argument. On
// failure shows "An error occurred in running the Word Processor". Returns success.
bool LaunchEditor(IShell& shell, const QString& editorPath, const QString& file);

// A document the Help menu opens from the program's folder.
enum class THelpDocument { Contents, UsersManual, TechnicalManual };

// File name of a help document in the program's folder.
QString HelpDocumentName(THelpDocument document);

// Opens the document from `programDir` with the desktop's default application;
// a missing document gives "The help file was not found:" + CR + its path.
// Returns success.
bool OpenHelpDocument(IShell& shell, const QString& programDir, THelpDocument document);

// The update-check address: host + "/checkupdates/check/check.php?" + the query
// "VELDOO;2015.7.7;05/10/17;" + the given date as mm/dd/yy.
QUrl UpdateCheckUrl(const QString& host, const QDate& date);

// Opens the update-check page; a failure gives a message naming the address.
bool OpenUpdateCheck(IShell& shell, const QString& host, const QDate& date);

} // namespace veldo
