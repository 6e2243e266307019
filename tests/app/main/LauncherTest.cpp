// Settings file, recent-file list and the launchers of the text editor, the help
// documents and the update check.
#include "Launchers.h"
#include "MainSettings.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "RecentFiles.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veldo {
namespace {

using test::TRecordingShell;

// An empty User's Manual in the folder.
bool WriteUsersManual(const QTemporaryDir& dir)
{
    QFile manual(dir.filePath(HelpDocumentName(THelpDocument::UsersManual)));
    return manual.open(QIODevice::WriteOnly);
}

QStringList Numbered(int n)
{
    QStringList list;
    for (int i = 1; i <= n; ++i)
        list.push_back(QStringLiteral("/p/f%1.vd7d").arg(i));
    return list;
}

TEST(RecentFilesTest, OrderingRules)
{
    TRecentFiles recent;
    recent.Assign(Numbered(10));
    // Reopening the most recent file leaves the list unchanged.
    recent.Update(QStringLiteral("/p/f1.vd7d"));
    EXPECT_EQ(recent.Padded(), Numbered(10));

    // Opening the fifth moves it to the top and shifts the first four down.
    recent.Update(QStringLiteral("/p/f5.vd7d"));
    EXPECT_EQ(recent.Padded(), (QStringList{"/p/f5.vd7d", "/p/f1.vd7d", "/p/f2.vd7d", "/p/f3.vd7d", "/p/f4.vd7d",
                                            "/p/f6.vd7d", "/p/f7.vd7d", "/p/f8.vd7d", "/p/f9.vd7d", "/p/f10.vd7d"}));

    // A new path pushes everything down and drops the tenth.
    recent.Update(QStringLiteral("/q/new.vd7d"));
    ASSERT_EQ(recent.Count(), 10);
    EXPECT_EQ(recent.Entry(0), "/q/new.vd7d");
    EXPECT_EQ(recent.Entry(1), "/p/f5.vd7d");
    EXPECT_EQ(recent.Entry(9), "/p/f9.vd7d");
}

TEST(RecentFilesTest, ShortListGrowsAndMenuTextsCutTheCurrentFolder)
{
    TRecentFiles recent;
    recent.Assign({QStringLiteral("/w/a.vd7d"), QString(), QStringLiteral("/x/b.vd6d")});
    EXPECT_EQ(recent.Count(), 2); // empty entries do not count
    recent.Update(QStringLiteral("/w/sub/c.vd7d"));
    EXPECT_EQ(recent.Count(), 3);
    EXPECT_EQ(recent.Padded().mid(0, 4), (QStringList{"/w/sub/c.vd7d", "/w/a.vd7d", "/x/b.vd6d", QString()}));
    EXPECT_EQ(recent.MenuText(0, QStringLiteral("/w")), "1 sub/c.vd7d");
    EXPECT_EQ(recent.MenuText(2, QStringLiteral("/w")), "3 /x/b.vd6d");
    EXPECT_EQ(recent.MenuText(1, QStringLiteral("/w/")), "2 a.vd7d");
}

TEST(MainSettingsTest, WritesAndReadsTheRegistryValues)
{
    QTemporaryDir dir;
    const TMainSettings settings(dir.filePath(QStringLiteral("VELDO.ini")));
    EXPECT_FALSE(settings.KeyExists());
    EXPECT_EQ(settings.EditorPath(), QString());
    EXPECT_EQ(settings.UpdateHost(), TMainSettings::DefaultUpdateHost);

    QStringList files = Numbered(3);
    while (files.size() < 10)
        files.push_back(QString());
    settings.Write(QStringLiteral("/usr/bin/kate"), files);
    EXPECT_TRUE(settings.KeyExists());
    EXPECT_EQ(settings.EditorPath(), "/usr/bin/kate");
    EXPECT_EQ(settings.RecentFiles().value(), files);

    // The value names are those of the registry key.
    QSettings raw(settings.IniPath(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("2015.7.7/Word Processor").toString(), "/usr/bin/kate");
    EXPECT_EQ(raw.value("2015.7.7/File1").toString(), "/p/f1.vd7d");
    EXPECT_EQ(raw.value("2015.7.7/File3").toString(), "/p/f3.vd7d");
    EXPECT_TRUE(raw.contains("2015.7.7/File10"));

    raw.setValue("2015.7.7/Update Host", "http://updates.local/");
    raw.sync();
    EXPECT_EQ(settings.UpdateHost(), "http://updates.local/");
}

TEST(LauncherTest, EditorStartsWithTheFileOrUsesTheDefaultApplication)
{
    TScopedMessageRecorder messages;
    TRecordingShell shell;
    EXPECT_TRUE(LaunchEditor(shell, QStringLiteral("/usr/bin/kate"), QStringLiteral("/d/a b.vd7o")));
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0].first, "/usr/bin/kate");
    EXPECT_EQ(shell.started[0].second, QStringList{"/d/a b.vd7o"}); // one argument, no shell quoting

    EXPECT_TRUE(LaunchEditor(shell, QString(), QStringLiteral("/d/a b.vd7o")));
    ASSERT_EQ(shell.urls.size(), 1u);
    EXPECT_EQ(shell.urls[0], QUrl::fromLocalFile("/d/a b.vd7o"));
    EXPECT_TRUE(messages->Entries().empty());
}

TEST(LauncherTest, EditorFailuresShowTheWordProcessorMessage)
{
    TScopedMessageRecorder messages;
    TRecordingShell shell;
    shell.succeed = false;
    EXPECT_FALSE(LaunchEditor(shell, QStringLiteral("/no/such/editor"), QStringLiteral("/d/x.vd7o")));
    EXPECT_FALSE(LaunchEditor(shell, QString(), QStringLiteral("/d/x.vd7o")));
    ASSERT_EQ(messages->Entries().size(), 2u);
    for (const auto& entry : messages->Entries()) {
        EXPECT_EQ(entry.kind, TMessageKind::Information);
        EXPECT_EQ(entry.text,
                  "An error occurred in running the Word Processor\r/d/x.vd7o: xdg-open ended with exit code 3");
    }

    // The real shell: an editor path that does not exist cannot be started.
    messages->Clear();
    EXPECT_FALSE(LaunchEditor(DesktopShell(), QStringLiteral("/no/such/editor"), QStringLiteral("/d/x.vd7o")));
    ASSERT_EQ(messages->Texts().size(), 1u);
    EXPECT_TRUE(messages->Texts()[0].startsWith("An error occurred in running the Word Processor\r/d/x.vd7o: "
                                                "/no/such/editor could not be started: "))
        << messages->Texts()[0].toStdString();
}

TEST(LauncherTest, HelpDocumentsOpenFromTheProgramFolderOrNameTheMissingOne)
{
    TScopedMessageRecorder messages;
    TRecordingShell shell;
    QTemporaryDir dir;
    ASSERT_TRUE(WriteUsersManual(dir));

    EXPECT_TRUE(OpenHelpDocument(shell, dir.path(), THelpDocument::UsersManual));
    ASSERT_EQ(shell.urls.size(), 1u);
    EXPECT_EQ(shell.urls[0], QUrl::fromLocalFile(dir.filePath("VELDO 2015 Users Manual.pdf")));

    EXPECT_FALSE(OpenHelpDocument(shell, dir.path(), THelpDocument::Contents));
    EXPECT_FALSE(OpenHelpDocument(shell, dir.path(), THelpDocument::TechnicalManual));
    EXPECT_EQ(shell.urls.size(), 1u);
    EXPECT_EQ(
        messages->Texts(),
        (std::vector<QString>{"The help file was not found:\r" + dir.filePath("VELDO_2015.html"),
                              "The help file was not found:\r" + dir.filePath("VELDO 2015 Technical Manual.pdf")}));
    EXPECT_TRUE(shell.started.empty()); // nothing is ever executed
}

TEST(LauncherTest, UpdateCheckAddressHasTheFourFields)
{
    const QUrl url = UpdateCheckUrl(QStringLiteral("http://updates.local/"), QDate(2026, 3, 4));
    EXPECT_EQ(url.toString(), "http://updates.local/checkupdates/check/check.php?VELDOO;2015.7.7;05/10/17;03/04/26");
    EXPECT_EQ(UpdateCheckUrl(QStringLiteral("https://h.example"), QDate(2031, 12, 25)).query(),
              "VELDOO;2015.7.7;05/10/17;12/25/31");

    TScopedMessageRecorder messages;
    TRecordingShell shell;
    EXPECT_TRUE(OpenUpdateCheck(shell, QStringLiteral("http://updates.local"), QDate(2026, 3, 4)));
    ASSERT_EQ(shell.urls.size(), 1u);
    EXPECT_EQ(shell.urls[0], url);
    shell.succeed = false;
    EXPECT_FALSE(OpenUpdateCheck(shell, QStringLiteral("http://updates.local"), QDate(2026, 3, 4)));
    EXPECT_EQ(messages->Texts(), std::vector<QString>{"The page \"" + url.toString() + "\" could not be opened.\r" +
                                                      url.toString() + ": xdg-open ended with exit code 3"});
}

// A program that starts and ends with an error within its first second is reported
// when the shell says so (later, from the event loop), with the file or address.
TEST(LauncherTest, AnOpenerThatEndsWithAnErrorIsReportedLater)
{
    TScopedMessageRecorder messages;
    TRecordingShell shell;
    QTemporaryDir dir;
    ASSERT_TRUE(WriteUsersManual(dir));

    EXPECT_TRUE(LaunchEditor(shell, QString(), QStringLiteral("/d/x.vd7r")));
    EXPECT_TRUE(LaunchEditor(shell, QStringLiteral("/usr/bin/kate"), QStringLiteral("/d/x.vd7o")));
    EXPECT_TRUE(OpenHelpDocument(shell, dir.path(), THelpDocument::UsersManual));
    EXPECT_TRUE(OpenUpdateCheck(shell, QStringLiteral("http://updates.local"), QDate(2026, 3, 4)));
    ASSERT_EQ(shell.watched.size(), 4u);
    EXPECT_TRUE(messages->Entries().empty());

    shell.watched[0](QStringLiteral("xdg-open ended with exit code 3"));
    shell.watched[1](QStringLiteral("/usr/bin/kate ended abnormally"));
    const QString manualPath = dir.filePath(QStringLiteral("VELDO 2015 Users Manual.pdf"));
    shell.watched[2](QStringLiteral("xdg-open ended with exit code 4"));
    const QString page = UpdateCheckUrl(QStringLiteral("http://updates.local"), QDate(2026, 3, 4)).toString();
    shell.watched[3](QStringLiteral("xdg-open ended with exit code 3"));
    EXPECT_EQ(messages->Texts(),
              (std::vector<QString>{
                  "An error occurred in running the Word Processor\r/d/x.vd7r: xdg-open ended with exit code 3",
                  "An error occurred in running the Word Processor\r/d/x.vd7o: /usr/bin/kate ended abnormally",
                  "The document \"" + manualPath + "\" could not be opened.\r" + manualPath +
                      ": xdg-open ended with exit code 4",
                  "The page \"" + page + "\" could not be opened.\r" + page + ": xdg-open ended with exit code 3"}));
}

} // namespace
} // namespace veldo
