// The installed program: this build installed with `cmake --install` into a
// temporary prefix whose path holds a space. The main window with its program folder
// there runs an example from the Computation menu as the build's program does, opens
// the installed help, and leaves every file of that folder as it was.
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace veldo {
namespace {

const QString Completed =
    QStringLiteral("Computations are completed. Please, check output file for results or error messages.");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A link's target, "folder", or the SHA-256 of a file's bytes.
QByteArray Content(const QFileInfo& entry)
{
    if (entry.isSymLink())
        return "link " + entry.symLinkTarget().toUtf8();
    if (entry.isDir())
        return "folder";
    return "file " + QCryptographicHash::hash(ReadAll(entry.filePath()), QCryptographicHash::Sha256).toHex();
}

// Every entry below `folder` by relative path: its content, permissions and time of
// change (a file made and removed again changes its folder's time).
std::map<std::string, std::string> FolderState(const QString& folder)
{
    std::map<std::string, std::string> state;
    const QDir base(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        QByteArray value = Content(entry);
        value += " " + QByteArray::number(static_cast<int>(entry.permissions()), 16) + " " +
                 QByteArray::number(entry.lastModified().toMSecsSinceEpoch());
        state[base.relativeFilePath(entry.filePath()).toStdString()] = value.toStdString();
    }
    return state;
}

// The report without its one line that holds the date and time of the run.
QList<QByteArray> ReportWithoutDate(const QByteArray& report)
{
    QList<QByteArray> lines = report.split('\n');
    lines.removeIf([](const QByteArray& line) { return line.contains("Date:  ") && line.contains("Time:  "); });
    return lines;
}

class InstalledProgramTest : public test::TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        prefix_ = dir_.filePath(QStringLiteral("install prefix/usr"));
        QProcess cmake;
        cmake.setProcessChannelMode(QProcess::MergedChannels);
        cmake.start(QStringLiteral(VELDO_CMAKE_COMMAND), {QStringLiteral("--install"), QStringLiteral(VELDO_BUILD_DIR),
                                                          QStringLiteral("--prefix"), prefix_});
        ASSERT_TRUE(cmake.waitForFinished(120000));
        ASSERT_EQ(cmake.exitCode(), 0) << cmake.readAll().toStdString();
        programDir_ = prefix_ + QStringLiteral("/lib/veldo2015");
        ASSERT_TRUE(QFile::exists(programDir_ + QStringLiteral("/VELDO2015_DLL.so")));
        // The project in a folder of its own, a copy of an installed example.
        ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("projects")));
        project_ = dir_.filePath(QStringLiteral("projects/pipe.vd7d"));
        for (const char* extension : {".vd7d", ".cpt"})
            ASSERT_TRUE(QFile::copy(programDir_ + QStringLiteral("/examples/PipeSandClay_English") + extension,
                                    dir_.filePath(QStringLiteral("projects/pipe")) + extension));
    }
    // The main window on the project with its program folder at `programDir`.
    TMainForm& Start(const QString& programDir)
    {
        form_.reset();
        TMainFormOptions options = test::TestFormOptions(dir_, dialogs_, shell_);
        options.programDir = programDir;
        options.arguments = QStringList{project_};
        form_ = test::ShowMainForm(std::move(options));
        return *form_;
    }

    // Computation > Run Analysis from the keyboard: Alt+C opens the menu, R chooses the item.
    void RunFromTheComputationMenu(TMainForm& form)
    {
        QTest::keyClick(form.menuBar(), Qt::Key_C, Qt::AltModifier);
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->objectName(), "ComputationMenu");
        QTest::keyClick(menu, Qt::Key_R);
    }

    QString Output(const char* extension) const { return dir_.filePath(QStringLiteral("projects/pipe")) + extension; }

    QString prefix_;
    QString programDir_;
    QString project_;
};

TEST_F(InstalledProgramTest, RunsAnExampleAsTheBuildsProgramDoes)
{
    RunFromTheComputationMenu(Start(programDir_));
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{Completed});
    const QByteArray installedReport = ReadAll(Output(".vd7o"));
    const QByteArray installedPlotData = ReadAll(Output(".vd7p"));
    ASSERT_FALSE(installedReport.isEmpty());
    ASSERT_FALSE(installedPlotData.isEmpty());

    RunFromTheComputationMenu(Start(QStringLiteral(VELDO_BIN_DIR)));
    EXPECT_EQ(messages_->Texts(), (std::vector<QString>{Completed, Completed}));
    EXPECT_EQ(ReportWithoutDate(installedReport), ReportWithoutDate(ReadAll(Output(".vd7o"))));
    EXPECT_EQ(installedPlotData, ReadAll(Output(".vd7p")));
}

TEST_F(InstalledProgramTest, RunAndHelpLeaveTheInstalledFolderAsItWas)
{
    const std::map<std::string, std::string> before = FolderState(prefix_);
    ASSERT_GT(before.size(), 30U);
    ASSERT_EQ(before.count("lib/veldo2015"), 1U);

    TMainForm& form = Start(programDir_);
    RunFromTheComputationMenu(form);
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{Completed});
    EXPECT_TRUE(form.ResultsFlag());
    Choose(QStringLiteral("HelpMenu"), QStringLiteral("HelpContents"));
    ASSERT_EQ(shell_.urls.size(), 1U);
    EXPECT_EQ(shell_.urls[0], QUrl::fromLocalFile(programDir_ + QStringLiteral("/VELDO_2015.html")));
    form_.reset(); // closed: the settings are written

    EXPECT_EQ(FolderState(prefix_), before);
}

} // namespace
} // namespace veldo
