// Saves and runs that must not lose or fork a file: a folder where the project file
// goes, a project reached through a link, read-only files and folders, a path with a
// line break, a broken CPT file beside a project and files too large to be read.
#include "FilePaths.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "MessageCatalogue.h"
#include "Messages.h"
#include "SafeWrite.h"
#include "WordRead.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace veldo {
namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The names in a folder, with the bytes of each file (a folder shows as "<dir>").
std::vector<std::pair<QString, QByteArray>> Listing(const QString& folder)
{
    std::vector<std::pair<QString, QByteArray>> entries;
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name))
        entries.emplace_back(info.fileName(),
                             info.isDir() && !info.isSymLink() ? QByteArray("<dir>") : Bytes(info.filePath()));
    return entries;
}

// The names of the files in a folder, hidden ones too, in byte order.
QStringList Names(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.sort();
    return names;
}

void WriteText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// A file of `size` bytes that holds nothing on the disk (a sparse file).
bool MakeSparse(const QString& path, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(size);
}

QString SavingError(const QString& path, const QString& reason)
{
    return MessageText(TMsg::SavingError) + "\r" + path + "\r" + reason;
}

class FileSafetyTest : public test::TMainWindowTest {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }

    // Copies the example project and its CPT file to `name`.vd7d / .cpt in the test folder.
    QString CopyExample(const QString& name)
    {
        const QString source = QStringLiteral(VELDO_EXAMPLES_DIR "/PipeSandClay_English");
        const QString target = Path(name);
        QDir().mkpath(QFileInfo(target).absolutePath());
        EXPECT_TRUE(QFile::copy(source + QStringLiteral(".vd7d"), target + QStringLiteral(".vd7d")));
        EXPECT_TRUE(QFile::copy(source + QStringLiteral(".cpt"), target + QStringLiteral(".cpt")));
        return target + QStringLiteral(".vd7d");
    }

    // The main window with the engine of the build and `arguments` on its command line.
    TMainForm& Start(QStringList arguments = {})
    {
        form_.reset();
        TMainFormOptions options = test::TestFormOptions(dir_, dialogs_, shell_);
        options.programDir = QStringLiteral(VELDO_BIN_DIR);
        options.arguments = std::move(arguments);
        form_ = test::ShowMainForm(std::move(options));
        return *form_;
    }
};

const QString Completed = MessageText(TMsg::Completed);

// A folder standing where the project or its CPT file is to be written is refused
// with its path; nothing is renamed or written, and the project keeps its name.
TEST_F(FileSafetyTest, AFolderWhereAFileGoesIsRefusedAndNothingIsRenamed)
{
    const QString project = CopyExample(QStringLiteral("pipe"));
    TMainForm& form = Start({project});
    Choose("UnitsMenu", "OptionsSI");
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("folder.vd7d/inside"))));
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("other.cpt"))));
    const auto before = Listing(dir_.path());

    dialogs_.saveAnswers.push_back(Path(QStringLiteral("folder.vd7d")));
    Choose("FileMenu", "FileSaveAs");
    dialogs_.saveAnswers.push_back(Path(QStringLiteral("other.vd7d")));
    Choose("FileMenu", "FileSaveAs");
    EXPECT_EQ(messages_->Texts(),
              (std::vector<QString>{SavingError(Path(QStringLiteral("folder.vd7d")), QStringLiteral("Is a directory")),
                                    SavingError(Path(QStringLiteral("other.cpt")), QStringLiteral("Is a directory"))}));
    EXPECT_EQ(Listing(dir_.path()), before);
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("folder.vd7d/inside"))).isDir());
    EXPECT_EQ(form.Data().ProjectPath, project);
    EXPECT_TRUE(form.IsModified());
}

// A project opened through links is saved into the linked files: the links stay links,
// and no temporary or backup file is left in either folder.
TEST_F(FileSafetyTest, SavingThroughLinksWritesTheLinkedFilesAndKeepsTheLinks)
{
    const QString real = CopyExample(QStringLiteral("real/pipe"));
    const QString realCpt = Path(QStringLiteral("real/pipe.cpt"));
    const QString link = Path(QStringLiteral("link.vd7d"));
    const QString linkCpt = Path(QStringLiteral("link.cpt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("real/pipe.vd7d"), link)); // relative, as `ln -s` makes it
    ASSERT_TRUE(QFile::link(realCpt, linkCpt));
    const QByteArray englishProject = Bytes(real);
    const QByteArray englishCpt = Bytes(realCpt);
    TMainForm& form = Start({link});
    Choose("UnitsMenu", "OptionsSI");
    Choose("FileMenu", "FileSave");
    EXPECT_TRUE(messages_->Texts().empty());

    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFileInfo(linkCpt).isSymLink());
    EXPECT_NE(Bytes(real), englishProject); // the project now in SI, in the real files
    EXPECT_NE(Bytes(realCpt), englishCpt);
    EXPECT_EQ(Names(Path(QStringLiteral("real"))),
              (QStringList{QStringLiteral("pipe.cpt"), QStringLiteral("pipe.vd7d")}));
    EXPECT_EQ(Names(dir_.path()),
              (QStringList{QStringLiteral("VELDO.ini"), QStringLiteral("link.cpt"), QStringLiteral("link.vd7d")}));

    // Reopened through the link: the saved SI project.
    dialogs_.openAnswers.push_back(TOpenChoice{link, 1});
    Choose("FileMenu", "FileOpen");
    EXPECT_EQ(form.Data().UnitSystem, UnitSystem::SI);
}

// A project or CPT file the user may not write is refused before anything is written,
// even when its folder allows the rename; Save As to another name still works. The
// permission check follows the file's mode bits as for a user without privileges.
TEST_F(FileSafetyTest, ReadOnlyFilesAreRefusedAndSaveAsStaysOpen)
{
    const TScopedSafeWriteFaults unprivileged({false, 0, true});
    const QString project = CopyExample(QStringLiteral("pipe"));
    const QString cpt = Path(QStringLiteral("pipe.cpt"));
    TMainForm& form = Start({project});
    Choose("UnitsMenu", "OptionsSI");
    const auto before = Listing(dir_.path());
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions readWrite = readOnly | QFile::WriteOwner;

    ASSERT_TRUE(QFile::setPermissions(project, readOnly));
    Choose("FileMenu", "FileSave");
    ASSERT_TRUE(QFile::setPermissions(project, readWrite));
    ASSERT_TRUE(QFile::setPermissions(cpt, readOnly));
    Choose("FileMenu", "FileSave");
    EXPECT_EQ(messages_->Texts(), (std::vector<QString>{SavingError(project, QStringLiteral("The file is read-only.")),
                                                        SavingError(cpt, QStringLiteral("The file is read-only."))}));
    EXPECT_EQ(Listing(dir_.path()), before);
    EXPECT_FALSE(QFile::permissions(cpt) & QFile::WriteOwner);
    EXPECT_TRUE(form.IsModified());

    messages_->Clear();
    dialogs_.saveAnswers.push_back(Path(QStringLiteral("copy.vd7d")));
    Choose("FileMenu", "FileSaveAs");
    EXPECT_TRUE(messages_->Texts().empty());
    EXPECT_FALSE(form.IsModified());
    EXPECT_EQ(form.Data().ProjectPath, Path(QStringLiteral("copy.vd7d")));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("copy.cpt"))));
    QFile::setPermissions(cpt, readWrite);
}

// A project in a folder the user may not write (an installed example) is saved, on
// Save and on Run, through Save As after a message naming the folder; the folder
// keeps its files byte-identical.
TEST_F(FileSafetyTest, AProjectInAFolderTheUserCannotWriteGoesThroughSaveAs)
{
    const TScopedSafeWriteFaults unprivileged({false, 0, true});
    const QString project = CopyExample(QStringLiteral("installed/pipe"));
    const QString installed = Path(QStringLiteral("installed"));
    const auto before = Listing(installed);
    const QFile::Permissions readOnlyFolder =
        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(installed, readOnlyFolder));
    const QString folderMessage = Msg(TMsg::FolderNotWritable, installed);

    TMainForm& form = Start({project});
    Choose("FileMenu", "FileSave"); // cancelled
    dialogs_.saveAnswers.push_back(Path(QStringLiteral("mine.vd7d")));
    Choose("FileMenu", "FileSave");
    EXPECT_EQ(messages_->Texts(), (std::vector<QString>{folderMessage, folderMessage}));
    EXPECT_EQ(dialogs_.titles, (std::vector<QString>{QStringLiteral("Save Pipe As"), QStringLiteral("Save Pipe As")}));
    EXPECT_EQ(form.Data().ProjectPath, Path(QStringLiteral("mine.vd7d")));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("mine.cpt"))));

    messages_->Clear();
    dialogs_.openAnswers.push_back(TOpenChoice{project, 1});
    Choose("FileMenu", "FileOpen");
    dialogs_.saveAnswers.push_back(Path(QStringLiteral("run.vd7d")));
    Choose("ComputationMenu", "CompRun");
    EXPECT_EQ(messages_->Texts(), (std::vector<QString>{folderMessage, Completed}));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("run.vd7o"))));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("run.vd7p"))));
    EXPECT_EQ(Listing(installed), before);
    QFile::setPermissions(installed, readOnlyFolder | QFile::WriteOwner);
}

// A project in a folder whose name holds a line break does not run: the hand-over file
// would name other files (here "x" beside that folder, which must keep its bytes).
TEST_F(FileSafetyTest, APathWithALineBreakDoesNotRunAndTouchesNoOtherFile)
{
    const QString project = CopyExample(QStringLiteral("x\ny/pipe"));
    const QString neighbour = Path(QStringLiteral("x"));
    WriteText(neighbour, "keep me\n");
    TMainForm& form = Start({project});
    ASSERT_EQ(form.Data().ProjectPath, project);
    Choose("ComputationMenu", "CompRun");
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{MessageText(TMsg::CannotStart) + "\r" + project + "\r" +
                                                       MessageText(TMsg::PathControlCharacter)});
    EXPECT_EQ(Bytes(neighbour), QByteArray("keep me\n"));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("x\ny/pipe.vd7o"))));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("x\ny/pipe.vd7p"))));

    TRunPaths tab = TRunPaths::ForProject("/data/a\tb/pipe.vd7d");
    EXPECT_EQ(RunPathProblem(tab),
              MessageText(TMsg::CannotStart) + "\r/data/a\tb/pipe.vd7d\r" + MessageText(TMsg::PathControlCharacter));
}

// An error in the CPT file beside a project names that file first; the project stays
// untitled, so that Save asks for a name instead of overwriting the CPT file.
TEST_F(FileSafetyTest, AnErrorInTheCptFileNamesThatFile)
{
    const QString project = CopyExample(QStringLiteral("pipe"));
    const QString cpt = Path(QStringLiteral("pipe.cpt"));
    WriteText(cpt, " 1 2\r\n  1.0E+00  2.0E+03\r\n  2.0E+00  x\r\n");
    const QByteArray broken = Bytes(cpt);
    TMainForm& form = Start();
    dialogs_.openAnswers.push_back(TOpenChoice{project, 1});
    Choose("FileMenu", "FileOpen");
    EXPECT_EQ(
        messages_->Texts(),
        std::vector<QString>{cpt + "\rError on Line 3 Item 2\rA floating point number was expected but not found."});
    EXPECT_TRUE(form.Data().ProjectPath.isEmpty());
    Choose("FileMenu", "FileSave"); // Save As, cancelled
    EXPECT_EQ(dialogs_.titles.size(), 2u);
    EXPECT_EQ(Bytes(cpt), broken);
}

// Project, CPT and plot-data files over 64 MB are refused unread, naming the file and
// its size; the open project stays as it was.
TEST_F(FileSafetyTest, FilesOver64MegabytesAreRefusedUnread)
{
    const QString project = CopyExample(QStringLiteral("pipe"));
    const qint64 size = static_cast<qint64>(MaxReadFileBytes) + 1;
    const QString huge = Path(QStringLiteral("huge.vd7d"));
    ASSERT_TRUE(MakeSparse(huge, size));
    const QString tooLarge = Msg(TMsg::FileTooLarge, huge, QStringLiteral("67108865"));
    EXPECT_EQ(tooLarge, "The file is too large to be read:\r" + huge + "\r67108865 bytes (at most 64 MB)");

    TMainForm& form = Start({project});
    dialogs_.openAnswers.push_back(TOpenChoice{huge, 1});
    Choose("FileMenu", "FileOpen");
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{tooLarge});
    EXPECT_EQ(form.Data().ProjectPath, project);

    messages_->Clear();
    const QString cpt = Path(QStringLiteral("pipe.cpt"));
    ASSERT_TRUE(MakeSparse(cpt, size));
    dialogs_.openAnswers.push_back(TOpenChoice{project, 1});
    Choose("FileMenu", "FileOpen");
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{Msg(TMsg::FileTooLarge, cpt, QStringLiteral("67108865"))});

    messages_->Clear();
    const QString plot = Path(QStringLiteral("pipe.vd7p"));
    ASSERT_TRUE(MakeSparse(plot, size));
    EXPECT_FALSE(form.ReadPlotFile(FileSystemPath(plot), true));
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{Msg(TMsg::FileTooLarge, plot, QStringLiteral("67108865"))});
}

} // namespace
} // namespace veldo
