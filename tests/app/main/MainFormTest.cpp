// The main window: start-up, caption, the save prompt on every file command,
// opening that never loses the project, dropped files, the recent list in the
// settings, menu and toolbar enabling, the launchers behind the menus, and runs and
// saves that fail without showing old results or losing anything.
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "SafeWrite.h"
#include "Table.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veldo {
namespace {

using test::TRecordingShell;
using test::TScriptedFileDialogs;

const QString Caption = QStringLiteral("VELDO 2015.7.7 - Offshore - ");

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        startDir_ = QDir::currentPath();
    }
    void TearDown() override
    {
        form_.reset();
        QDir::setCurrent(startDir_);
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString SettingsFile() const { return Path(QStringLiteral("VELDO.ini")); }

    // Copies an example project (and its CPT file) into the test folder.
    QString CopyExample(const QString& example, const QString& name)
    {
        const QString source = QStringLiteral(VELDO_EXAMPLES_DIR "/") + example;
        const QString target = Path(name);
        EXPECT_TRUE(QFile::copy(source + QStringLiteral(".vd7d"), target + QStringLiteral(".vd7d")));
        QFile::copy(source + QStringLiteral(".cpt"), target + QStringLiteral(".cpt"));
        return target + QStringLiteral(".vd7d");
    }

    TMainForm& Start(QStringList arguments = {})
    {
        TMainFormOptions options = test::TestFormOptions(dir_, dialogs_, shell_);
        if (!programDir_.isEmpty())
            options.programDir = programDir_;
        options.arguments = std::move(arguments);
        form_ = std::make_unique<TMainForm>(std::move(options));
        form_->show();
        return *form_;
    }

    void WriteText(const QString& path, const QByteArray& text)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir dir_;
    QString startDir_;
    QString programDir_;
    TScriptedFileDialogs dialogs_;
    TRecordingShell shell_;
    TScopedMessageRecorder messages_;
    std::unique_ptr<TMainForm> form_;
};

TEST_F(MainFormTest, StartsWithTheDefaultProjectWithoutAnArgument)
{
    TMainForm& form = Start();
    EXPECT_EQ(form.Data().ProjectPath, "NewVELDO.vd7d");
    EXPECT_EQ(form.windowTitle(), Caption + "NewVELDO");
    EXPECT_FALSE(form.IsModified());
    EXPECT_FALSE(form.ResultsFlag());
    EXPECT_EQ(form.RecentFiles().Count(), 0);
    EXPECT_TRUE(messages_->Entries().empty());
    EXPECT_NE(form.MdiArea(), nullptr);
}

TEST_F(MainFormTest, CommandLineProjectGetsTheDefaultExtensionAndGoesFirstInTheList)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("pipe"));
    // A recent list from an earlier session.
    QSettings ini(SettingsFile(), QSettings::IniFormat);
    ini.setValue("2015.7.7/Word Processor", "/usr/bin/kate");
    ini.setValue("2015.7.7/File1", "/old/a.vd7d");
    ini.setValue("2015.7.7/File2", "/old/b.vd7d");
    ini.sync();

    TMainForm& form = Start({Path(QStringLiteral("pipe"))});
    EXPECT_EQ(form.Data().ProjectPath, project);
    EXPECT_EQ(form.Data().Title, "OPEN-ENDED STEEL PIPE PILE IN LAYERED SAND AND CLAY");
    EXPECT_EQ(form.windowTitle(), Caption + "Pipe");
    EXPECT_EQ(form.EditorPath(), "/usr/bin/kate");
    ASSERT_EQ(form.RecentFiles().Count(), 3);
    EXPECT_EQ(form.RecentFiles().Entry(0), project);
    EXPECT_EQ(form.RecentFiles().Entry(1), "/old/a.vd7d");
    EXPECT_FALSE(form.IsModified());
    EXPECT_EQ(QDir::currentPath(), QDir(dir_.path()).canonicalPath());
    // The list is written back at once.
    QSettings after(SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(after.value("2015.7.7/File1").toString(), project);
    EXPECT_EQ(after.value("2015.7.7/File3").toString(), "/old/b.vd7d");
}

TEST_F(MainFormTest, MissingOrForeignCommandLineFilesGiveTheDefaultProject)
{
    WriteText(Path(QStringLiteral("notes.txt")), "text");
    for (const QString& argument : {Path(QStringLiteral("absent")), Path(QStringLiteral("notes.txt"))}) {
        TMainForm& form = Start({argument});
        EXPECT_EQ(form.Data().ProjectPath, "NewVELDO.vd7d") << argument.toStdString();
        EXPECT_EQ(form.RecentFiles().Count(), 0);
    }
    EXPECT_TRUE(messages_->Entries().empty());
}

TEST_F(MainFormTest, CaptionFileNameRules)
{
    EXPECT_EQ(TMainForm::CaptionFileName("/a/b/pile.test.VD7D"), "Pile");
    EXPECT_EQ(TMainForm::CaptionFileName("/a/b/pile.vd6d"), "Pile.vd6d");
    EXPECT_EQ(TMainForm::CaptionFileName("/a/x.vd7d"), "x");
    EXPECT_EQ(TMainForm::CaptionFileName("NewVELDO.vd7d"), "NewVELDO");
}

TEST_F(MainFormTest, SavePromptNoCancelAndYes)
{
    TMainForm& form = Start();
    form.Data().Title = QStringLiteral("Edited");
    form.SetModified(true);

    // Cancel stops New: the project stays as it is.
    messages_->QueueAnswer(TMessageAnswer::Cancel);
    form.FileNewClick();
    EXPECT_EQ(form.Data().Title, "Edited");
    EXPECT_TRUE(form.IsModified());
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Do you want to save any changes?"});
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Question);

    // Yes on a project never named goes through Save As; a cancelled Save As cancels New.
    messages_->Clear();
    messages_->QueueAnswer(TMessageAnswer::Yes);
    form.FileNewClick();
    ASSERT_EQ(dialogs_.titles.size(), 1u);
    EXPECT_EQ(dialogs_.titles[0], "Save NewVELDO As");
    EXPECT_EQ(dialogs_.saveFileNames[0], QDir::home().filePath(QStringLiteral("NewVELDO.vd7d")));
    EXPECT_EQ(form.Data().Title, "Edited");
    EXPECT_TRUE(form.IsModified());

    // Yes and a chosen name: saved there, then the new project.
    const QString saved = Path(QStringLiteral("edited.vd7d"));
    messages_->QueueAnswer(TMessageAnswer::Yes);
    dialogs_.saveAnswers.push_back(saved);
    form.FileNewClick();
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("edited.cpt"))));
    EXPECT_EQ(form.Data().Title, "New Pile");
    EXPECT_EQ(form.Data().ProjectPath, "NewVELDO.vd7d");
    EXPECT_FALSE(form.IsModified());

    // No: nothing is saved.
    form.SetModified(true);
    messages_->Clear();
    messages_->QueueAnswer(TMessageAnswer::No);
    form.FileNewClick();
    EXPECT_FALSE(form.IsModified());
    EXPECT_EQ(dialogs_.titles.size(), 2u);
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Do you want to save any changes?"});

    // Not modified: no question at all.
    messages_->Clear();
    form.FileNewClick();
    EXPECT_TRUE(messages_->Entries().empty());
}

TEST_F(MainFormTest, SaveOfANamedProjectWritesInPlaceAndOtherExtensionsAskForAName)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("pipe"));
    TMainForm& form = Start({project});
    QFile::remove(project);
    form.SetModified(true);
    EXPECT_TRUE(form.FileSaveClick());
    EXPECT_TRUE(QFile::exists(project));
    EXPECT_TRUE(dialogs_.titles.empty());
    EXPECT_FALSE(form.IsModified());

    // A project read from an older generation is saved under a ".vd7d" name.
    form.Data().ProjectPath = Path(QStringLiteral("older.vd6d"));
    EXPECT_FALSE(form.FileSaveClick()); // dialog cancelled
    ASSERT_EQ(dialogs_.saveFileNames.size(), 1u);
    EXPECT_EQ(dialogs_.saveFileNames[0], Path(QStringLiteral("older.vd7d")));
    EXPECT_EQ(dialogs_.titles[0], "Save Older.vd6d As");

    // A save that cannot be written reports it and does not count as saved.
    form.Data().ProjectPath = Path(QStringLiteral("no/such/folder/x.vd7d"));
    form.SetModified(true);
    messages_->Clear();
    EXPECT_FALSE(form.FileSaveClick());
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"An error occurred during saving\r" + form.Data().ProjectPath +
                                                       "\rNo such file or directory"});
    EXPECT_TRUE(form.IsModified());
}

TEST_F(MainFormTest, OpenAsksFirstAndNeverLosesTheProject)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("pipe"));
    TMainForm& form = Start();
    form.Data().Title = QStringLiteral("Mine");
    form.SetModified(true);

    // Cancel on the prompt: no dialog.
    messages_->QueueAnswer(TMessageAnswer::Cancel);
    form.FileOpenClick();
    EXPECT_TRUE(dialogs_.titles.empty());

    // A file that cannot be read at all: its message, the project stays.
    messages_->Clear();
    messages_->QueueAnswer(TMessageAnswer::No);
    dialogs_.openAnswers.push_back(TOpenChoice{Path(QStringLiteral("gone.vd7d")), 1});
    form.FileOpenClick();
    EXPECT_EQ(dialogs_.titles.back(), "Open");
    ASSERT_EQ(messages_->Entries().size(), 2u);
    EXPECT_EQ(messages_->Entries()[1].kind, TMessageKind::Information);
    EXPECT_EQ(form.Data().Title, "Mine");
    EXPECT_EQ(form.RecentFiles().Count(), 0);

    // A good file opens and goes to the recent list.
    messages_->Clear();
    messages_->QueueAnswer(TMessageAnswer::No);
    dialogs_.openAnswers.push_back(TOpenChoice{project, 1});
    form.FileOpenClick();
    EXPECT_EQ(form.Data().ProjectPath, project);
    EXPECT_EQ(form.windowTitle(), Caption + "Pipe");
    EXPECT_FALSE(form.IsModified());
    EXPECT_EQ(form.RecentFiles().Entry(0), project);

    // The "All Files" filter still reads a ".vd7d" file as what its extension says.
    form.FileNewClick();
    dialogs_.openAnswers.push_back(TOpenChoice{project, 4});
    form.FileOpenClick();
    EXPECT_EQ(form.Data().ProjectPath, project);
    EXPECT_EQ(messages_->Entries().size(), 1u); // only the first prompt
}

TEST_F(MainFormTest, AFileBrokenPartWayBecomesAnUnnamedProject)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("pipe"));
    QFile full(project);
    ASSERT_TRUE(full.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = full.readAll().split('\n');
    full.close();
    const QString broken = Path(QStringLiteral("broken.vd7d"));
    WriteText(broken, lines.mid(0, 5).join('\n') + "\nx y z\n");

    TMainForm& form = Start();
    dialogs_.openAnswers.push_back(TOpenChoice{broken, 1});
    form.FileOpenClick();
    ASSERT_EQ(messages_->Entries().size(), 1u); // the reader's message
    EXPECT_EQ(form.Data().Title, "OPEN-ENDED STEEL PIPE PILE IN LAYERED SAND AND CLAY");
    EXPECT_TRUE(form.Data().ProjectPath.isEmpty());
    EXPECT_EQ(form.RecentFiles().Count(), 0);

    // The next save asks for a name instead of overwriting the original.
    const QByteArray before = [&] {
        QFile f(broken);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    EXPECT_FALSE(form.FileSaveClick());
    ASSERT_EQ(dialogs_.saveFileNames.size(), 1u);
    EXPECT_EQ(dialogs_.saveFileNames[0], Path(QStringLiteral("NewVELDO.vd7d"))); // in the file's folder
    QFile after(broken);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

TEST_F(MainFormTest, RecentItemsAndDroppedFiles)
{
    const QString first = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("first"));
    const QString second = CopyExample(QStringLiteral("OffshoreCpt_SI"), QStringLiteral("second"));
    TMainForm& form = Start({first});
    form.FileDropped(second);
    EXPECT_EQ(form.Data().ProjectPath, second);
    ASSERT_EQ(form.RecentFiles().Count(), 2);
    EXPECT_EQ(form.RecentFiles().Entry(0), second);

    // The File menu shows the list with the current folder cut off.
    form.FileMenuClick();
    EXPECT_TRUE(form.Action("FileRecent1")->isVisible());
    EXPECT_EQ(form.Action("FileRecent1")->text(), "1 second.vd7d");
    EXPECT_EQ(form.Action("FileRecent2")->text(), "2 first.vd7d");
    EXPECT_FALSE(form.Action("FileRecent3")->isVisible());

    // Reopening through the list moves the entry to the top.
    form.Action("FileRecent2")->trigger();
    EXPECT_EQ(form.Data().ProjectPath, first);
    EXPECT_EQ(form.RecentFiles().Entry(0), first);
    EXPECT_EQ(form.RecentFiles().Entry(1), second);

    // A dropped text file asks to save changes and then does nothing.
    const QString notes = Path(QStringLiteral("notes.txt"));
    WriteText(notes, "x");
    form.SetModified(true);
    messages_->QueueAnswer(TMessageAnswer::No);
    form.FileDropped(notes);
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Do you want to save any changes?"});
    EXPECT_EQ(form.Data().ProjectPath, first);
    EXPECT_TRUE(form.IsModified());

    // Cancel stops a drop and a recent item.
    messages_->QueueAnswer(TMessageAnswer::Cancel);
    form.FileDropped(second);
    messages_->QueueAnswer(TMessageAnswer::Cancel);
    form.RecentFileClick(1);
    EXPECT_EQ(form.Data().ProjectPath, first);
}

TEST_F(MainFormTest, DropEventsReachTheFileCommand)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("dropped"));
    TMainForm& form = Start();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(project)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &drop);
    EXPECT_EQ(form.Data().ProjectPath, project);
}

TEST_F(MainFormTest, ClosingAsksAndWritesTheSettings)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("pipe"));
    TMainForm& form = Start({project});
    form.SetModified(true);
    messages_->QueueAnswer(TMessageAnswer::Cancel);
    form.FileExitClick();
    EXPECT_TRUE(form.isVisible()); // Cancel keeps the program open

    messages_->QueueAnswer(TMessageAnswer::No);
    QSettings(SettingsFile(), QSettings::IniFormat).remove("2015.7.7");
    form.FileExitClick();
    EXPECT_FALSE(form.isVisible());
    QSettings ini(SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("2015.7.7/File1").toString(), project);
    EXPECT_TRUE(ini.contains("2015.7.7/Word Processor"));
}

TEST_F(MainFormTest, UnitsAndPileShapeMarkTheProjectModified)
{
    TMainForm& form = Start();
    form.UnitsMenuClick();
    EXPECT_TRUE(form.Action("OptionsEnglish")->isChecked());
    form.Action("OptionsSI")->trigger();
    EXPECT_EQ(form.Data().UnitSystem, 2);
    EXPECT_TRUE(form.IsModified());
    form.UnitsMenuClick();
    EXPECT_TRUE(form.Action("OptionsSI")->isChecked());

    form.SetModified(false);
    form.PileShapeMenuClick();
    EXPECT_TRUE(form.Action("OptionsCircular")->isChecked());
    form.Action("OptionsNonCircular")->trigger();
    EXPECT_FALSE(form.Data().Circular);
    EXPECT_TRUE(form.IsModified());
    EXPECT_TRUE(form.Action("OptionsNonCircular")->isChecked());
}

TEST_F(MainFormTest, MenuAndToolbarEnabling)
{
    TMainForm& form = Start();
    // Input windows the program does not have are disabled items, never dead clicks.
    for (const char* name : {"GraphExport"})
        EXPECT_FALSE(form.Action(name)->isEnabled()) << name;
    EXPECT_TRUE(form.Action("DataSoilTable")->isEnabled());

    // No results: every Graphics item and the plot buttons are off.
    form.GraphicsMenuClick();
    for (const char* name : {"GraphUSkin", "GraphSkin", "GraphTip", "GraphTotal", "GraphLoad", "GraphCombine",
                             "GraphAxial", "GraphTZ", "GraphExtraTZ", "GraphQw"})
        EXPECT_FALSE(form.Action(name)->isEnabled()) << name;
    for (int n : {8, 9, 10, 16})
        EXPECT_FALSE(form.Action(QStringLiteral("SpeedButton%1").arg(n))->isEnabled());

    // Editor items follow the files beside the project.
    form.Data().ProjectPath = Path(QStringLiteral("p.vd7d"));
    emit form.Menu("ComputationMenu")->aboutToShow(); // the menu opens
    for (const char* name : {"CompEditInput", "CompEditNotes", "CompEditOutput", "CompEditGrlweap"})
        EXPECT_FALSE(form.Action(name)->isEnabled()) << name;
    for (const char* ext : {"p.vd7d", "p.vd7r", "p.vd7o", "p.gwi"})
        WriteText(Path(QString::fromLatin1(ext)), "x");
    emit form.Menu("ComputationMenu")->aboutToShow(); // the menu opens
    for (const char* name : {"CompEditInput", "CompEditNotes", "CompEditOutput", "CompEditGrlweap"})
        EXPECT_TRUE(form.Action(name)->isEnabled()) << name;

    // Hints of the toolbar buttons.
    const std::vector<QString> hints{"Open File",       "New File",
                                     "Save File",       "Run Data File",
                                     "View Output",     "View Soil Profile",
                                     "Soil layer Data", "Combined Plot",
                                     "t-z Curves",      "Load vs. Settlement",
                                     "Title",           "Computational Method",
                                     "Pile Material",   "Circular Section",
                                     "Non-Circular",    "Total Capacity"};
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(form.Action(QStringLiteral("SpeedButton%1").arg(n))->toolTip(), hints[n - 1]);
}

TEST_F(MainFormTest, EditorCommandsOpenTheProjectFilesAndReportFailures)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("pipe"));
    WriteText(Path(QStringLiteral("pipe.vd7o")), "REPORT");
    TMainForm& form = Start({project});

    form.Action("CompEditOutput")->trigger(); // default application: no editor configured
    ASSERT_EQ(shell_.urls.size(), 1u);
    EXPECT_EQ(shell_.urls[0], QUrl::fromLocalFile(Path(QStringLiteral("pipe.vd7o"))));
    form.Action("SpeedButton5")->trigger();
    EXPECT_EQ(shell_.urls.size(), 2u);

    // With an editor path that does not exist, every editor command shows the error box.
    QSettings ini(SettingsFile(), QSettings::IniFormat);
    ini.setValue("2015.7.7/Word Processor", "/no/such/editor");
    ini.sync();
    form_.reset();
    TMainFormOptions options;
    options.settingsFile = SettingsFile();
    options.programDir = dir_.path();
    options.arguments = {project};
    options.fileDialogs = &dialogs_; // the real shell
    TMainForm real(std::move(options));
    real.show();
    EXPECT_EQ(real.EditorPath(), "/no/such/editor");
    messages_->Clear();
    for (const char* name : {"CompEditInput", "CompEditNotes", "CompEditOutput", "CompEditGrlweap"})
        real.Action(name)->trigger();
    ASSERT_EQ(messages_->Texts().size(), 4u);
    for (const QString& text : messages_->Texts()) {
        EXPECT_TRUE(text.startsWith("An error occurred in running the Word Processor\r" + dir_.path() + "/pipe."))
            << text.toStdString();
        EXPECT_TRUE(text.contains(": /no/such/editor could not be started: ")) << text.toStdString();
    }
}

// A file handed to the desktop's opener that no application takes: the opener ends
// with an error within its first second and the message names the file.
TEST_F(MainFormTest, AnOpenerEndingWithAnErrorNamesTheFile)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("pipe"));
    WriteText(Path(QStringLiteral("pipe.vd7r")), "NOTES");
    WriteText(Path(QStringLiteral("VELDO_2015.html")), "<html></html>");
    TMainForm& form = Start({project});
    test::ChooseMenuItem(form, "ComputationMenu", "CompEditNotes");
    test::ChooseMenuItem(form, "HelpMenu", "HelpContents");
    ASSERT_EQ(shell_.watched.size(), 2u);
    EXPECT_TRUE(messages_->Entries().empty()); // started: nothing to say yet

    shell_.watched[0](QStringLiteral("xdg-open ended with exit code 3"));
    shell_.watched[1](QStringLiteral("xdg-open ended with exit code 4"));
    const QString help = Path(QStringLiteral("VELDO_2015.html"));
    EXPECT_EQ(messages_->Texts(), (std::vector<QString>{"An error occurred in running the Word Processor\r" +
                                                            Path("pipe.vd7r") + ": xdg-open ended with exit code 3",
                                                        "The document \"" + help + "\" could not be opened.\r" + help +
                                                            ": xdg-open ended with exit code 4"}));
    EXPECT_TRUE(form.isVisible());
}

TEST_F(MainFormTest, HelpItemsOpenDocumentsAndTheUpdatePage)
{
    WriteText(Path(QStringLiteral("VELDO_2015.html")), "<html></html>");
    TMainForm& form = Start();
    form.Action("HelpContents")->trigger();
    ASSERT_EQ(shell_.urls.size(), 1u);
    EXPECT_EQ(shell_.urls[0], QUrl::fromLocalFile(Path(QStringLiteral("VELDO_2015.html"))));

    form.Action("HelpUsersManual")->trigger();
    EXPECT_EQ(messages_->Texts(),
              std::vector<QString>{"The help file was not found:\r" + Path("VELDO 2015 Users Manual.pdf")});

    // The Technical Manual is opened directly from the program's folder.
    WriteText(Path(QStringLiteral("VELDO 2015 Technical Manual.pdf")), "%PDF-1.4");
    form.Action("HelpTechnicalManual")->trigger();
    ASSERT_EQ(shell_.urls.size(), 2u);
    EXPECT_EQ(shell_.urls[1], QUrl::fromLocalFile(Path(QStringLiteral("VELDO 2015 Technical Manual.pdf"))));
    EXPECT_EQ(messages_->Texts().size(), 1u);

    // No host is built in: without the setting the update check only says so.
    form.Action("HelpUpdates")->trigger();
    EXPECT_EQ(shell_.urls.size(), 2u);
    EXPECT_EQ(messages_->Texts().back(),
              "The address of the update check is not configured (setting \"Update Host\").");
    EXPECT_TRUE(shell_.started.empty());
}

TEST_F(MainFormTest, WindowMenuListsTheChildren)
{
    TMainForm& form = Start();
    form.WindowMenuClick();
    EXPECT_FALSE(form.Action("WindowChild0")->isVisible());
    form.Action("DataSoilTable")->trigger(); // the soil-layer table editor
    form.WindowMenuClick();
    ASSERT_EQ(form.MdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(form.Action("WindowChild0")->isVisible());
    EXPECT_EQ(form.Action("WindowChild0")->text(), form.MdiArea()->subWindowList()[0]->windowTitle());
    EXPECT_FALSE(form.Action("WindowChild1")->isVisible());

    // New closes every child window.
    form.FileNewClick();
    EXPECT_TRUE(form.MdiArea()->subWindowList().isEmpty());

    // A window still open when the program ends goes before the tables it shows.
    form.Action("DataSoilTable")->trigger();
    EXPECT_TRUE(form.Tables().D().EditorOpen());
    form_.reset();
}

} // namespace
} // namespace veldo

namespace veldo {
namespace {

// The Run Analysis command through the real engine library.
class MainFormRunTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        programDir_ = QStringLiteral(VELDO_BIN_DIR);
    }
};

// Number of distinct colours in an image (a blank render has one).
int ColourCount(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

TEST_F(MainFormRunTest, RunFromTheComputationMenuFillsThePlots)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("pipe"));
    TMainForm& form = Start({project});
    EXPECT_FALSE(form.ResultsFlag());

    form.Action("CompRun")->trigger();
    EXPECT_EQ(messages_->Texts(),
              std::vector<QString>{"Computations are completed. Please, check output file for results or "
                                   "error messages."});
    EXPECT_TRUE(form.ResultsFlag());
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("pipe.vd7o"))));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("pipe.vd7p"))));
    EXPECT_FALSE(QFile::exists(QStringLiteral(VELDO_BIN_DIR "/names.dat")));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("names.dat"))));

    // One capacity curve per ticked method, named in the file's order.
    int ticked = 0;
    for (int m = 1; m <= 9; ++m)
        ticked += form.Data().MethodTicked(m) ? 1 : 0;
    TGraphPlot& skin = form.Plots().pltSkin();
    ASSERT_EQ(skin.CurveCount(), ticked);
    ASSERT_GT(skin.PointCount(), 1);
    EXPECT_EQ(form.Data().Integers[kResultPointCountEntry], skin.PointCount());
    EXPECT_EQ(form.Plots().pltCombine().CurveCount(), 3);
    EXPECT_EQ(form.Plots().pltLoad().CurveCount(), 9);
    EXPECT_EQ(form.Plots().pltAxial().PointCount(), 10);

    // Graphics items and plot buttons are on; the extra t-z item follows its option.
    form.GraphicsMenuClick();
    for (const char* name : {"GraphUSkin", "GraphSkin", "GraphTip", "GraphTotal", "GraphLoad", "GraphCombine",
                             "GraphAxial", "GraphTZ", "GraphQw"})
        EXPECT_TRUE(form.Action(name)->isEnabled()) << name;
    EXPECT_EQ(form.Action("GraphExtraTZ")->isEnabled(), form.Data().PrintTzAtDepths == 1);
    for (int n : {8, 9, 10, 16})
        EXPECT_TRUE(form.Action(QStringLiteral("SpeedButton%1").arg(n))->isEnabled());
    emit form.Menu("ComputationMenu")->aboutToShow(); // the menu opens
    EXPECT_TRUE(form.Action("CompEditOutput")->isEnabled());

    // Tension loading disables the tip and Q-w plots.
    form.Data().Loading = 1;
    form.GraphicsMenuClick();
    EXPECT_FALSE(form.Action("GraphTip")->isEnabled());
    EXPECT_FALSE(form.Action("GraphQw")->isEnabled());
    EXPECT_TRUE(form.Action("GraphSkin")->isEnabled());
    form.Data().Loading = 0;

    // The combined plot opens as a child; the window and the plot render.
    form.resize(1000, 700);
    form.Action("SpeedButton8")->trigger();
    ASSERT_EQ(form.MdiArea()->subWindowList().size(), 1);
    QWidget* plotWindow = form.MdiArea()->subWindowList()[0]->widget();
    QCoreApplication::processEvents();
    const QImage plotImage = plotWindow->grab().toImage();
    ASSERT_FALSE(plotImage.isNull());
    EXPECT_GT(ColourCount(plotImage), 2);
    const QImage mainImage = form.grab().toImage();
    EXPECT_EQ(mainImage.size(), QSize(1000, 700));
    EXPECT_GT(ColourCount(mainImage), 2);
    // Another plot on top; the combined plot shown again takes the activation back.
    form.Action("SpeedButton16")->trigger();
    ASSERT_EQ(form.MdiArea()->subWindowList().size(), 2);
    EXPECT_NE(form.MdiArea()->activeSubWindow()->widget(), plotWindow);
    form.Action("GraphCombine")->trigger();
    EXPECT_EQ(form.MdiArea()->activeSubWindow()->widget(), plotWindow);

    // Reopening the project finds its results again (without messages).
    messages_->Clear();
    form.FileNewClick();
    EXPECT_FALSE(form.ResultsFlag());
    form.FileDropped(project);
    EXPECT_TRUE(form.ResultsFlag());
    EXPECT_TRUE(messages_->Entries().empty());
}

TEST_F(MainFormRunTest, MissingLibraryAndUnnamedProjects)
{
    // No library in the program's folder: the run stops and shows no results.
    programDir_ = dir_.path();
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("pipe"));
    TMainForm& form = Start({project});
    form.CompRunClick();
    ASSERT_EQ(messages_->Texts().size(), 1u);
    // The library's full path and the loader's reason follow on the next line.
    EXPECT_TRUE(
        messages_->Texts()[0].startsWith("Attempt to initialize DLL failed\r" + Path("VELDO2015_DLL.so") + ": "))
        << messages_->Texts()[0].toStdString();
    EXPECT_FALSE(form.ResultsFlag());
    form.GraphicsMenuClick();
    EXPECT_FALSE(form.Action("GraphCombine")->isEnabled());

    // A project never named asks for a name; cancelling stops the run silently.
    messages_->Clear();
    form.FileNewClick();
    form.CompRunClick();
    ASSERT_EQ(dialogs_.titles.size(), 1u);
    EXPECT_EQ(dialogs_.titles[0], "Save NewVELDO As");
    EXPECT_TRUE(messages_->Entries().empty());
    EXPECT_EQ(form.Data().ProjectPath, "NewVELDO.vd7d");
}

// ---- Failures: no old results shown as new, nothing lost ---------------------------

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every plot control: the Graphics items with the export, and the plot buttons.
void ExpectPlotControls(TMainForm& form, bool enabled)
{
    for (const char* name :
         {"GraphUSkin", "GraphSkin", "GraphTotal", "GraphLoad", "GraphCombine", "GraphAxial", "GraphTZ", "GraphExport",
          "SpeedButton8", "SpeedButton9", "SpeedButton10", "SpeedButton16"})
        EXPECT_EQ(form.Action(QString::fromLatin1(name))->isEnabled(), enabled) << name;
}

// A run the engine refuses (status 1) after a good one: the open plot window goes,
// every plot control is off, the old files are gone and the message is the engine's.
TEST_F(MainFormRunTest, ARefusedRunShowsNoOldResults)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("pipe"));
    TMainForm& form = Start({project});
    form.Action("CompRun")->trigger();
    ASSERT_TRUE(form.ResultsFlag());
    form.Action("SpeedButton8")->trigger();
    ASSERT_EQ(form.MdiArea()->subWindowList().size(), 1);
    ASSERT_TRUE(QFile::exists(Path(QStringLiteral("pipe.gwi"))));

    messages_->Clear();
    form.Data().TotalLength = 500; // deeper than the soil profile
    form.SetModified(true);
    form.Action("CompRun")->trigger();
    ASSERT_EQ(messages_->Texts().size(), 1u);
    EXPECT_TRUE(messages_->Texts()[0].startsWith("The analysis stopped on a check of the input:\r"
                                                 "COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE"))
        << messages_->Texts()[0].toStdString();
    EXPECT_FALSE(form.ResultsFlag());
    EXPECT_TRUE(form.MdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(form.Plots().pltCombine().WindowCreated());
    ExpectPlotControls(form, false);
    form.GraphicsMenuClick();
    ExpectPlotControls(form, false);
    EXPECT_TRUE(Bytes(Path(QStringLiteral("pipe.vd7p"))).isEmpty());
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("pipe.gwi"))));
}

// The plot buttons and the Graphics items follow one rule: results read and their
// plot-data file still there. A button pressed after the file went shows nothing.
TEST_F(MainFormRunTest, PlotControlsFollowThePlotDataFile)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("pipe"));
    TMainForm& form = Start({project});
    ExpectPlotControls(form, false);
    form.Action("CompRun")->trigger();
    ExpectPlotControls(form, true);

    // The file goes while another window is active: coming back shows it.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_TRUE(QFile::rename(Path(QStringLiteral("pipe.vd7p")), Path(QStringLiteral("kept.vd7p"))));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ExpectPlotControls(form, false);
    ASSERT_TRUE(QFile::rename(Path(QStringLiteral("kept.vd7p")), Path(QStringLiteral("pipe.vd7p"))));
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ExpectPlotControls(form, true);

    ASSERT_TRUE(QFile::remove(Path(QStringLiteral("pipe.vd7p"))));
    form.Action("SpeedButton9")->trigger();
    EXPECT_TRUE(form.MdiArea()->subWindowList().isEmpty());
    ExpectPlotControls(form, false);

    form.Action("CompRun")->trigger();
    ExpectPlotControls(form, true);
    form.Action("SpeedButton10")->trigger();
    EXPECT_EQ(form.MdiArea()->subWindowList().size(), 1);
}

// A save that fails (a full device, a folder that is a file) names the file and the
// reason, keeps both files byte-identical and the project modified; a failed run save
// runs nothing, and a failed Save As keeps the project's name.
TEST_F(MainFormRunTest, AFailedSaveNamesTheFileAndLosesNothing)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("pipe"));
    const QString cpt = Path(QStringLiteral("pipe.cpt"));
    TMainForm& form = Start({project});
    const QByteArray projectBytes = Bytes(project);
    const QByteArray cptBytes = Bytes(cpt);
    form.Action("OptionsSI")->trigger();
    ASSERT_TRUE(form.IsModified());
    {
        const TScopedSafeWriteFaults full({true, 0});
        form.Action("FileSave")->trigger();
        form.Action("CompRun")->trigger();
    }
    const QString fullText = "An error occurred during saving\r" + project + "\rNo space left on device";
    EXPECT_EQ(messages_->Texts(), (std::vector<QString>{fullText, fullText}));
    EXPECT_TRUE(form.IsModified());
    EXPECT_EQ(Bytes(project), projectBytes);
    EXPECT_EQ(Bytes(cpt), cptBytes);
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("pipe.vd7o"))));

    messages_->Clear();
    const QString inFile = project + QStringLiteral("/other.vd7d");
    dialogs_.saveAnswers.push_back(inFile);
    form.Action("FileSaveAs")->trigger();
    EXPECT_EQ(messages_->Texts(),
              std::vector<QString>{"An error occurred during saving\r" + inFile + "\rNot a directory"});
    EXPECT_EQ(form.Data().ProjectPath, project);
    EXPECT_EQ(form.windowTitle(), Caption + "Pipe");
    EXPECT_TRUE(form.IsModified());

    messages_->Clear();
    form.Action("FileSave")->trigger();
    EXPECT_TRUE(messages_->Texts().empty());
    EXPECT_FALSE(form.IsModified());
    EXPECT_NE(Bytes(cpt), cptBytes); // now in SI, both files together
}

// A partly read project is untitled, says where it came from, and Save As starts in
// that folder; every kind the recent list holds opens from it, generation 3 with the
// CPT methods it cannot hold unticked.
TEST_F(MainFormRunTest, PartlyReadProjectsAndEveryRecentFileKind)
{
    const QString project = CopyExample(QStringLiteral("PipeSandClay_English"), QStringLiteral("pipe"));
    const QString broken = Path(QStringLiteral("broken.vd7d"));
    QFile::copy(project, broken);
    QFile::resize(broken, 200);
    TMainForm& form = Start();
    dialogs_.openAnswers.push_back(TOpenChoice{broken, 1});
    form.Action("FileOpen")->trigger();
    ASSERT_EQ(messages_->Entries().size(), 1u); // the reader's message
    EXPECT_EQ(form.windowTitle(), Caption + "Untitled (partly read from broken.vd7d)");
    form.Action("FileSave")->trigger();
    ASSERT_EQ(dialogs_.saveFileNames.size(), 1u);
    EXPECT_EQ(dialogs_.saveFileNames[0], Path(QStringLiteral("NewVELDO.vd7d")));

    const QString vdd = Path(QStringLiteral("layered.vdd"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELDO_TEST_DATA_DIR "/Layered.vdd"), vdd));
    dialogs_.openAnswers.push_back(TOpenChoice{vdd, 3});
    form.Action("FileOpen")->trigger();
    dialogs_.openAnswers.push_back(TOpenChoice{project, 1});
    form.Action("FileOpen")->trigger();
    ASSERT_EQ(form.RecentFiles().Count(), 2);
    form.FileMenuClick();
    form.Action("FileRecent2")->trigger();
    EXPECT_EQ(form.Data().ProjectPath, vdd);
    EXPECT_EQ(form.windowTitle(), Caption + "Layered.vdd");
    for (int m = 1; m <= 9; ++m)
        EXPECT_EQ(form.Data().MethodTicked(m), m <= 5) << m;
}

} // namespace
} // namespace veldo
