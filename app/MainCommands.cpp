// The main window's commands: the File items, the unit and pile-shape options,
// the analysis run, the text editors and the help.
#include "Main.h"

#include "FileDialogs.h"
#include "InputWindow.h"
#include "Launchers.h"
#include "Messages.h"

#include <QDir>
#include <QFileInfo>

namespace veldo {

// ---- File commands ---------------------------------------------------------------

bool TMainForm::FileSaveClick()
{
    if (!DeactivateActiveChild())
        return false;
    const TSaveResult result = SaveForRun();
    if (result == TSaveResult::Failed)
        Messages().Information(SavingErrorMessage(saveError_));
    return result == TSaveResult::Saved;
}

bool TMainForm::FileSaveAsClick()
{
    if (!DeactivateActiveChild())
        return false;
    const TSaveResult result = SaveAs();
    if (result == TSaveResult::Failed)
        Messages().Information(SavingErrorMessage(saveError_));
    return result == TSaveResult::Saved;
}

void TMainForm::FileNewClick()
{
    if (!DeactivateActiveChild())
        return;
    if (!QuerySaveChanges())
        return;
    NewDefaultProject();
    AfterProjectChange();
}

void TMainForm::FileOpenClick()
{
    if (!DeactivateActiveChild())
        return;
    if (!QuerySaveChanges())
        return;
    const auto choice = dialogs_.Open(this, QStringLiteral("Open"), OpenFilter, DefaultExtension);
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
    if (!DeactivateActiveChild())
        return;
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
    if (!DeactivateActiveChild())
        return;
    if (code == data_.UnitSystem)
        return;
    data_.SetUnits(code, *tables_);
    ReloadInputWindows(*this); // the open windows show the converted values
    SetModified(true);
}

void TMainForm::PileShapeClick(bool circular)
{
    if (!DeactivateActiveChild())
        return;
    if (data_.Circular != circular)
        SetModified(true);
    data_.Circular = circular;
    UpdatePileShapeControls();
}

// ---- Computation ------------------------------------------------------------------

void TMainForm::CompRunClick()
{
    if (!DeactivateActiveChild())
        return;
    TAnalysisRun run(*this);
    run.SetProgramFolder(std::filesystem::path(programDir_.toStdString()));
    run.Run();
}

void TMainForm::EditCompanion(const QString& extension)
{
    if (!DeactivateActiveChild())
        return;
    LaunchEditor(shell_, editorPath_, QFileInfo(Companion(extension)).absoluteFilePath());
}

void TMainForm::EditInputTextClick()
{
    if (!DeactivateActiveChild())
        return;
    LaunchEditor(shell_, editorPath_, QFileInfo(data_.ProjectPath).absoluteFilePath());
}

void TMainForm::EditRunNotesClick() { EditCompanion(QStringLiteral(".vd7r")); }

void TMainForm::EditOutputTextClick() { EditCompanion(QStringLiteral(".vd7o")); }

void TMainForm::EditWaveEquationFileClick() { EditCompanion(QStringLiteral(".gwi")); }

// ---- Help -------------------------------------------------------------------------

void TMainForm::HelpContentsClick() { OpenHelpDocument(shell_, programDir_, THelpDocument::Contents); }

void TMainForm::UsersManualClick() { OpenHelpDocument(shell_, programDir_, THelpDocument::UsersManual); }

void TMainForm::TechnicalManualClick() { OpenHelpDocument(shell_, programDir_, THelpDocument::TechnicalManual); }

void TMainForm::CheckUpdatesClick() { OpenUpdateCheck(shell_, settings_.UpdateHost(), QDate::currentDate()); }

} // namespace veldo
