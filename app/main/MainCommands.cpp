// The main window's commands: the File items, the unit and pile-shape options,
// the analysis run, the text editors and the help.
#include "Main.h"

#include "DialogFolders.h"
#include "FileDialogs.h"
#include "FilePaths.h"
#include "InputWindow.h"
#include "Launchers.h"
#include "Messages.h"

#include <QDir>
#include <QFileInfo>

namespace veldo {

// ---- File commands ---------------------------------------------------------------
//
// Each ...Click commits the active child and, unless it refuses, runs its command;
// the menus and toolbar run the command itself after the one commit of RunCommand.

namespace {

// True when saved; a failed save says which file and why.
bool SavedOrSaid(TSaveResult result, const QString& detail)
{
    if (result == TSaveResult::Failed)
        Messages().Information(SavingErrorMessage(detail));
    return result == TSaveResult::Saved;
}

} // namespace

bool TMainForm::FileSaveClick() { return DeactivateActiveChild() && SaveFile(); }

bool TMainForm::SaveFile() { return SavedOrSaid(SaveForRun(), saveError_); }

bool TMainForm::FileSaveAsClick() { return DeactivateActiveChild() && SaveFileAs(); }

bool TMainForm::SaveFileAs() { return SavedOrSaid(SaveAs(), saveError_); }

void TMainForm::FileNewClick()
{
    if (DeactivateActiveChild())
        NewFile();
}

void TMainForm::NewFile()
{
    if (!QuerySaveChanges())
        return;
    NewDefaultProject();
    AfterProjectChange();
}

void TMainForm::FileOpenClick()
{
    if (DeactivateActiveChild())
        OpenFile();
}

void TMainForm::OpenFile()
{
    if (!QuerySaveChanges())
        return;
    const auto choice =
        dialogs_.Open(this, QStringLiteral("Open"), OpenFilter, DefaultExtension, StartFolder(TFileKind::Project));
    // The extension decides the generation, whatever filter was chosen.
    if (choice)
        OpenFileName(choice->path, ProjectGeneration(choice->path));
    WriteSettings();
    AfterProjectChange();
}

void TMainForm::FileExitClick() { close(); }

void TMainForm::OpenByExtension(const QString& path)
{
    if (IsProjectFileKind(path))
        OpenFileName(path, ProjectGeneration(path));
}

void TMainForm::RecentFileClick(int index)
{
    if (DeactivateActiveChild())
        OpenRecentFile(index);
}

void TMainForm::OpenRecentFile(int index)
{
    if (index < 0 || index >= recent_.Count() || !QuerySaveChanges())
        return;
    // Whatever Open put on the list opens again, read as Open read it.
    const QString path = recent_.Entry(index);
    OpenFileName(path, ProjectGeneration(path));
    UpdatePileShapeControls();
}

void TMainForm::FileDropped(const QString& path)
{
    if (!DeactivateActiveChild())
        return;
    if (!QuerySaveChanges())
        return;
    QDir::setCurrent(QFileInfo(path).absolutePath());
    OpenByExtension(path);
    UpdatePileShapeControls();
}

// ---- Project settings commands ------------------------------------------------

void TMainForm::UnitsClick(int code)
{
    if (DeactivateActiveChild())
        ChangeUnits(code);
}

void TMainForm::ChangeUnits(int code)
{
    if (code == data_.UnitSystem)
        return;
    data_.SetUnits(code, *tables_);
    ReloadInputWindows(*this); // the open windows show the converted values
    SetModified(true);
}

void TMainForm::PileShapeClick(bool circular)
{
    if (DeactivateActiveChild())
        ChangePileShape(circular);
}

void TMainForm::ChangePileShape(bool circular)
{
    if (data_.Circular != circular)
        SetModified(true);
    data_.Circular = circular;
    UpdatePileShapeControls();
}

// ---- Computation ------------------------------------------------------------------

void TMainForm::CompRunClick()
{
    if (DeactivateActiveChild())
        RunAnalysis();
}

void TMainForm::RunAnalysis()
{
    TAnalysisRun run(*this);
    run.SetProgramFolder(FileSystemPath(programDir_));
    run.Run();
}

void TMainForm::EditInputTextClick()
{
    if (DeactivateActiveChild())
        EditInputText();
}

void TMainForm::EditInputText() { LaunchEditor(shell_, editorPath_, QFileInfo(data_.ProjectPath).absoluteFilePath()); }

void TMainForm::EditRunNotesClick()
{
    if (DeactivateActiveChild())
        EditRunNotes();
}

void TMainForm::EditOutputTextClick()
{
    if (DeactivateActiveChild())
        EditOutputText();
}

void TMainForm::EditWaveEquationFileClick()
{
    if (DeactivateActiveChild())
        EditWaveEquationFile();
}

void TMainForm::EditRunNotes() { EditCompanion(QStringLiteral(".vd7r")); }

void TMainForm::EditOutputText() { EditCompanion(QStringLiteral(".vd7o")); }

void TMainForm::EditWaveEquationFile() { EditCompanion(QStringLiteral(".gwi")); }

void TMainForm::EditCompanion(const QString& extension)
{
    LaunchEditor(shell_, editorPath_, QFileInfo(Companion(extension)).absoluteFilePath());
}

// ---- Help -------------------------------------------------------------------------

void TMainForm::HelpContentsClick() { OpenHelpDocument(shell_, programDir_, THelpDocument::Contents); }

void TMainForm::UsersManualClick() { OpenHelpDocument(shell_, programDir_, THelpDocument::UsersManual); }

void TMainForm::TechnicalManualClick() { OpenHelpDocument(shell_, programDir_, THelpDocument::TechnicalManual); }

void TMainForm::CheckUpdatesClick() { OpenUpdateCheck(shell_, settings_.UpdateHost(), QDate::currentDate()); }

} // namespace veldo
