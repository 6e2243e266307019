// File dialogs start where the user works: in the folder last used for the same kind
// of file; before any, in the project's folder; for a project never saved, in the
// home folder; never in the program's working folder. The editor's Browse lists
// programs by their executable bit.
#include "CPTOptions.h"
#include "DialogFolders.h"
#include "FileDialogs.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "Options.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veldo {
namespace {

void WriteFile(const QString& path, const QByteArray& text = "x\n")
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

class FileDialogStartTest : public test::TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        for (const char* folder : {"a", "b", "work"})
            ASSERT_TRUE(QDir(dir_.path()).mkdir(QLatin1String(folder)));
        // The working folder is none of the folders a dialog may start in.
        QDir::setCurrent(Path("work"));
    }

    QString Path(const QString& name) const { return QDir::cleanPath(dir_.filePath(name)); }

    // A copy of the English example in `folder`.
    QString CopyExample(const QString& folder)
    {
        const QString example = QStringLiteral(VELDO_EXAMPLES_DIR "/PipeSandClay_English");
        const QString project = Path(folder + QStringLiteral("/pipe.vd7d"));
        EXPECT_TRUE(QFile::copy(example + QStringLiteral(".vd7d"), project));
        EXPECT_TRUE(QFile::copy(example + QStringLiteral(".cpt"), Path(folder + QStringLiteral("/pipe.cpt"))));
        return project;
    }
};

TEST_F(FileDialogStartTest, OpenAndSaveAsStartInTheLastProjectFolderElseTheProjectsElseHome)
{
    // A project never saved: the home folder.
    Choose(QStringLiteral("FileMenu"), QStringLiteral("FileSaveAs"));
    Choose(QStringLiteral("FileMenu"), QStringLiteral("FileOpen"));
    ASSERT_EQ(dialogs_.saveFileNames.size(), 1u);
    EXPECT_EQ(dialogs_.saveFileNames[0], QDir::home().filePath(QStringLiteral("NewVELDO.vd7d")));
    ASSERT_EQ(dialogs_.openFolders.size(), 1u);
    EXPECT_EQ(dialogs_.openFolders[0], QDir::homePath());

    // A project opened from "a": its folder.
    dialogs_.openAnswers.push_back(TOpenChoice{CopyExample(QStringLiteral("a")), 1});
    Choose(QStringLiteral("FileMenu"), QStringLiteral("FileOpen"));
    ASSERT_EQ(form_->Data().ProjectPath, Path(QStringLiteral("a/pipe.vd7d")));
    Choose(QStringLiteral("FileMenu"), QStringLiteral("FileOpen"));
    EXPECT_EQ(dialogs_.openFolders.back(), Path(QStringLiteral("a")));

    // Saved as into "b": "b" is the last folder used, for Save As and Open alike.
    dialogs_.saveAnswers.push_back(Path(QStringLiteral("b/copy.vd7d")));
    Choose(QStringLiteral("FileMenu"), QStringLiteral("FileSaveAs"));
    ASSERT_EQ(form_->Data().ProjectPath, Path(QStringLiteral("b/copy.vd7d")));
    Choose(QStringLiteral("FileMenu"), QStringLiteral("FileSaveAs"));
    EXPECT_EQ(dialogs_.saveFileNames.back(), Path(QStringLiteral("b/copy.vd7d")));
    Choose(QStringLiteral("FileMenu"), QStringLiteral("FileNew"));
    Choose(QStringLiteral("FileMenu"), QStringLiteral("FileOpen"));
    EXPECT_EQ(dialogs_.openFolders.back(), Path(QStringLiteral("b")));
    Choose(QStringLiteral("FileMenu"), QStringLiteral("FileSaveAs"));
    EXPECT_EQ(dialogs_.saveFileNames.back(), Path(QStringLiteral("b/NewVELDO.vd7d")));
    for (const QString& folder : dialogs_.openFolders)
        EXPECT_NE(folder, Path(QStringLiteral("work")));
}

TEST_F(FileDialogStartTest, CptBrowseStartsAtTheTypedNameElseTheLastCptFolderElseTheProjects)
{
    dialogs_.openAnswers.push_back(TOpenChoice{CopyExample(QStringLiteral("a")), 1});
    Choose(QStringLiteral("FileMenu"), QStringLiteral("FileOpen"));
    auto* cpt = &test::OpenByMenu<TDlgInputMotion>(Form(), QStringLiteral("DataMenu"), QStringLiteral("DataCpt"));
    std::vector<QString> startedAt;
    std::optional<QString> answer = Path(QStringLiteral("b/cone.txt"));
    cpt->SetBrowser([&](QWidget*, const QString& start) {
        startedAt.push_back(start);
        return answer;
    });
    test::TypeOver(cpt->FileNameEdit(), QString());
    QTest::mouseClick(&cpt->BrowseButton(), Qt::LeftButton); // nothing typed: the project's folder
    EXPECT_EQ(cpt->FileNameEdit().text(), Path(QStringLiteral("b/cone.txt")));
    QTest::mouseClick(&cpt->BrowseButton(), Qt::LeftButton); // the name in the box
    test::TypeOver(cpt->FileNameEdit(), QString());
    QTest::mouseClick(&cpt->BrowseButton(), Qt::LeftButton); // the folder last chosen
    test::TypeOver(cpt->FileNameEdit(), QString());
    QTest::keyClicks(&cpt->FileNameEdit(), QStringLiteral("c12.txt"));
    answer.reset();
    QTest::mouseClick(&cpt->BrowseButton(), Qt::LeftButton); // a relative name: in the project's folder
    EXPECT_EQ(startedAt, (std::vector<QString>{Path(QStringLiteral("a")), Path(QStringLiteral("b/cone.txt")),
                                               Path(QStringLiteral("b")), Path(QStringLiteral("a/c12.txt"))}));
    EXPECT_EQ(cpt->FileNameEdit().text(), "c12.txt"); // Cancel keeps it
    EXPECT_FALSE(form_->IsModified());
}

// The Qt dialogs behind the interfaces start where they are told.
TEST_F(FileDialogStartTest, TheStandardDialogsOpenWhereTheyAreTold)
{
    QString shownIn;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shownIn = dialog->directory().absolutePath();
        dialog->reject();
    });
    EXPECT_FALSE(StandardFileDialogs().Open(nullptr, QStringLiteral("Open"), TMainForm::OpenFilter,
                                            TMainForm::DefaultExtension, Path(QStringLiteral("b"))));
    EXPECT_EQ(shownIn, Path(QStringLiteral("b")));
}

// The editor's Browse, in a folder holding a program without extension, a plain file
// and a subfolder: "Programs" lists the program and the folder; "All Files (*)" also
// the plain file.
TEST_F(FileDialogStartTest, ProgramsFilterListsFoldersAndExecutableFilesOnly)
{
    const QString folder = Path(QStringLiteral("a"));
    WriteFile(folder + QStringLiteral("/runme"), "#!/bin/sh\n");
    ASSERT_TRUE(QFile::setPermissions(folder + QStringLiteral("/runme"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    WriteFile(folder + QStringLiteral("/notes"));
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("tools")));

    const std::unique_ptr<QFileDialog> dialog(
        NewProgramDialog(nullptr, folder + QStringLiteral("/runme"), TDlgOptions::BrowserFilter));
    dialog->show();
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(0), "Programs");
    EXPECT_EQ(types->itemText(1), "All Files (*)");
    EXPECT_EQ(dialog->directory().absolutePath(), folder); // the editor's path

    auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
    ASSERT_NE(list, nullptr);
    const auto listed = [list] {
        QStringList names;
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
            names << list->model()->index(row, 0, list->rootIndex()).data().toString();
        names.sort();
        return names;
    };
    // The folder is read in the background.
    EXPECT_TRUE(QTest::qWaitFor([&] { return listed().size() >= 2; }));
    EXPECT_EQ(listed(), (QStringList{"runme", "tools"}));

    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down); // the second filter chosen
    ASSERT_EQ(types->currentIndex(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return listed().size() >= 3; }));
    EXPECT_EQ(listed(), (QStringList{"notes", "runme", "tools"}));
}

} // namespace
} // namespace veldo
