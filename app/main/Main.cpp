// The main window's construction, its settings, start-up and close, the open
// project (replacing, saving, the caption) and what the analysis run asks of it.
#include "Main.h"
#include "MessageCatalogue.h"

#include "DialogFolders.h"
#include "FileDialogs.h"
#include "FilePaths.h"
#include "InputWindow.h"
#include "Launchers.h"
#include "Messages.h"
#include "RunProject.h"
#include "SafeWrite.h"
#include "Table.h"
#include "TableForm.h"
#include "WaveEquationFile.h"
#include "WordRead.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMimeData>
#include <QStatusBar>

#include <exception>
#include <filesystem>
#include <system_error>

namespace veldo {
namespace {

const QString ProgramCaption = QStringLiteral("VELDO 2015.7.7 - Offshore - ");
const QString SoilTableComment =
    QString::fromUtf8("Max. Side Friction and Max. End Bearing:\r"
                      "\u00b7 If entries are left as zero, the program assumes no limits in side transfer\r"
                      "\u00b7 Use a very small number (eg. 0.001) for layers where load transfer should be ignored\r"
                      "\u00b7 The bottom of the last layer has to be deeper than the pile tip by 2 pile diameters.\r"
                      "\u00b7 The user can use the reduction factors for LRFD requirement or other design "
                      "considerations such as driving strength loss.");
const QString SandComment =
    QStringLiteral("Friction Angle may be computed from Blow Counts if Blow Counts is a value other than zero\r"
                   "API recommendations for Ko (coefficient of lateral earth pressure) are:\r"
                   "Ko = 1 for full-displacement piles, and Ko = 0.8 for open-ended pipe piles\r"
                   "API recommendations for Nq (bearing capacity factor) may vary from 8 to 50 according to the "
                   "density of sand\r"
                   "Ko and Nq are required input, but only used by the API method \r"
                   "These values may be different for other computation methods (FHWA, USACE, etc.)\r"
                   "The interface friction angle is 5 degrees less than the inputted internal friction angle");

bool HasSuffix(const QString& path, const QString& suffix) { return path.endsWith(suffix, Qt::CaseInsensitive); }

} // namespace

const QString TMainForm::DefaultExtension = QStringLiteral("vd7d");
const QString TMainForm::OpenFilter =
    QStringLiteral("VELDO 2015(*.vd7d)|*.vd7d|VELDO 2014(*.vd6d)|*.vd6d|VELDO Plus 5(*.vdd)|*.vdd|All "
                   "Files(*.*)|*.*");
const QString TMainForm::SaveFilter = QStringLiteral("VELDO 2015(*.vd7d)|*.vd7d|All files (*.*)|*.*");
const QString TMainForm::SaveChangesText = MessageText(TMsg::SaveChanges);

TMainForm::TMainForm(TMainFormOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)),
      settings_(options_.settingsFile.isEmpty() ? TMainSettings() : TMainSettings(options_.settingsFile)),
      dialogs_(options_.fileDialogs ? *options_.fileDialogs : StandardFileDialogs()),
      shell_(options_.shell ? *options_.shell : DesktopShell()),
      programDir_(options_.programDir.isEmpty() ? QCoreApplication::applicationDirPath() : options_.programDir),
      tables_(std::make_unique<TProjectTables>())
{
    setAcceptDrops(true);
    ForgetDialogFolders(); // a new run of the program
    editorPath_ = settings_.EditorPath();

    mdi_ = new QMdiArea(this);
    // A child lying partly outside the area stays within reach.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A window that opens or is activated keeps its own state: an input window over a
    // maximised plot opens normal and framed, and the plot stays maximised behind it.
    mdi_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    setCentralWidget(mdi_);
    SetTableEditorMdiArea(mdi_);
    plots_ = new TResultPlots(this);
    plots_->SetMdiArea(mdi_);

    BuildMenus();
    BuildToolBar();
    statusBar();
    data_ = TProgramData::CreateDefault(*tables_);
    AfterProjectChange();
}

TMainForm::~TMainForm()
{
    // Child windows (table editors among them) go while the tables they show exist.
    CloseAllChildren();
    if (TableEditorMdiArea() == mdi_)
        SetTableEditorMdiArea(nullptr);
}

// ---- Modified state and caption ------------------------------------------------

bool TMainForm::IsModified() const { return modified_ || tables_->IsChanged(); }

void TMainForm::SetModified(bool value)
{
    modified_ = value;
    if (!value) {
        tables_->ResetChanged();
        CompareInputWindowsWithProject(*this);
    }
}

QString TMainForm::CaptionFileName(const QString& projectPath)
{
    QString name = QFileInfo(projectPath).fileName();
    if (HasSuffix(name, QStringLiteral(".") + DefaultExtension)) {
        name = name.left(name.indexOf(QLatin1Char('.')));
    }
    if (name.size() > 1)
        name[0] = name[0].toUpper();
    return name;
}

void TMainForm::UpdateProjectFolder() const
{
    if (data_.ProjectPath.isEmpty() && !partlyReadFrom_.isEmpty())
        SetProjectFolder(QFileInfo(partlyReadFrom_).absolutePath());
    else if (data_.ProjectPath.isEmpty() || data_.ProjectPath == QLatin1String(DefaultProjectPath))
        SetProjectFolder({}); // never saved
    else
        SetProjectFolder(QFileInfo(data_.ProjectPath).absolutePath());
}

void TMainForm::UpdateCaption()
{
    if (data_.ProjectPath.isEmpty() && !partlyReadFrom_.isEmpty()) {
        setWindowTitle(ProgramCaption + QStringLiteral("Untitled (partly read from ") +
                       QFileInfo(partlyReadFrom_).fileName() + QStringLiteral(")"));
        return;
    }
    setWindowTitle(ProgramCaption + CaptionFileName());
}

// ---- Start-up -------------------------------------------------------------------

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        RunReportingErrors([this] { FormShow(); });
    }
}

void TMainForm::FormShow()
{
    ReadSettings();
    OpenCommandLineProject();
    AfterProjectChange();
}

void TMainForm::ReadSettings()
{
    if (!settings_.KeyExists())
        return;
    const QString editor = settings_.EditorPath();
    if (!editor.isEmpty())
        editorPath_ = editor;
    if (const auto files = settings_.RecentFiles())
        recent_.Assign(*files);
    else
        recent_.Clear();
}

void TMainForm::WriteSettings() const { settings_.Write(editorPath_, recent_.Padded()); }

void TMainForm::OpenCommandLineProject()
{
    if (options_.arguments.isEmpty())
        return; // the default project made at creation stays
    QString path = options_.arguments.front();
    // Only the file name counts: a folder may hold a "." of its own.
    if (!QFileInfo(path).fileName().contains(QLatin1Char('.')))
        path += QStringLiteral(".") + DefaultExtension;
    const QFileInfo file(path);
    if (file.isFile() && IsProjectFileKind(path))
        OpenFileName(file.absoluteFilePath(), ProjectGeneration(path));
}

// ---- Replacing the project ------------------------------------------------------

void TMainForm::InstallProject(TProgramData data, std::unique_ptr<TProjectTables> tables)
{
    CloseAllChildren();
    data_ = std::move(data);
    if (tables)
        tables_ = std::move(tables);
    results_ = false;
    partlyReadFrom_.clear();
}

void TMainForm::NewDefaultProject()
{
    CloseAllChildren();
    data_ = TProgramData::CreateDefault(*tables_);
    results_ = false;
    partlyReadFrom_.clear();
    SetModified(false);
}

void TMainForm::AfterProjectChange()
{
    tables_->D().Comments = SoilTableComment;
    tables_->tblDataSand().Comments = SandComment;
    VisibleOffshoreColumns();
    UpdateCaption();
    UpdateProjectFolder();
    UpdatePileShapeControls();
    CheckSpeedButtons();
}

bool TMainForm::OpenFileName(const QString& path, int generation)
{
    TProjectRead read;
    try {
        // A file that cannot be read at all leaves the open project as it was.
        TWordReader words(FileSystemPath(path));
        read = TProgramData::CreateFromFile(std::move(words), path, generation);
    } catch (const std::exception& error) {
        Messages().Information(QString::fromStdString(error.what()));
        return false;
    }
    InstallProject(std::move(read.data), std::move(read.tables));
    SetModified(false);
    RememberChosenFile(TFileKind::Project, QFileInfo(path).absoluteFilePath());
    if (read.Complete()) {
        QDir::setCurrent(QFileInfo(path).absolutePath());
        if (PlotFileExists())
            SetResultsFlag(ReadPlotFile(TRunPaths::ForProject(ProjectPath()).plotData, false));
        UpdatePrevFile(path);
    } else {
        partlyReadFrom_ = QFileInfo(path).absoluteFilePath(); // untitled: Save As starts there
    }
    AfterProjectChange();
    return true;
}

void TMainForm::UpdatePrevFile(const QString& path)
{
    recent_.Update(path);
    WriteSettings();
}

// ---- Saving -----------------------------------------------------------------------

bool TMainForm::QuerySaveChanges()
{
    if (!IsModified())
        return true;
    switch (Messages().Question(SaveChangesText, TQuestionButtons::YesNoCancel)) {
    case TMessageAnswer::No:
        return true;
    case TMessageAnswer::Yes:
        return SaveFile();
    default:
        return false;
    }
}

bool TMainForm::NeedsSaveAs() const
{
    return data_.ProjectPath == QLatin1String(DefaultProjectPath) ||
           !HasSuffix(data_.ProjectPath, QStringLiteral(".") + DefaultExtension);
}

TSaveResult TMainForm::SaveToProjectPath()
{
    saveError_.clear();
    try {
        data_.SaveToFile(*tables_);
    } catch (const EWriteError& error) {
        saveError_ = QString::fromStdString(error.what()); // the project stays modified
        return TSaveResult::Failed;
    }
    SetModified(false);
    return TSaveResult::Saved;
}

TSaveResult TMainForm::SaveAs()
{
    // The project's file name in the folder last used for projects (or the project's).
    QString fileName =
        data_.ProjectPath.isEmpty() ? QString::fromLatin1(DefaultProjectPath) : QFileInfo(data_.ProjectPath).fileName();
    fileName = QDir(StartFolder(TFileKind::Project)).filePath(fileName);
    if (!HasSuffix(fileName, QStringLiteral(".") + DefaultExtension))
        fileName = ReplaceExtension(fileName, QStringLiteral(".") + DefaultExtension);
    const QString title = QStringLiteral("Save ") + CaptionFileName() + QStringLiteral(" As");
    const auto chosen = dialogs_.SaveAs(this, title, SaveFilter, DefaultExtension, fileName);
    TSaveResult result = TSaveResult::Cancelled;
    if (chosen) {
        const QString previous = data_.ProjectPath;
        data_.ProjectPath = *chosen;
        try {
            result = SaveToProjectPath();
        } catch (...) {
            data_.ProjectPath = previous; // nothing was written under the new name
            throw;
        }
        if (result == TSaveResult::Failed) {
            data_.ProjectPath = previous; // nothing was written under the new name
        } else {
            partlyReadFrom_.clear();
            RememberChosenFile(TFileKind::Project, *chosen);
        }
        UpdateCaption();
        UpdateProjectFolder();
        WriteSettings();
    }
    CheckSpeedButtons();
    CloseInputWindows();
    return result;
}

TSaveResult TMainForm::SaveForRun()
{
    if (NeedsSaveAs())
        return SaveAs();
    // A folder the user may not write (an installed example) takes no file of the
    // project: the user chooses another one.
    std::error_code ec;
    const std::filesystem::path project = std::filesystem::absolute(FileSystemPath(data_.ProjectPath), ec);
    const std::filesystem::path folder = LinkTarget(project).parent_path();
    if (std::filesystem::is_directory(folder, ec) && !MayWrite(folder)) {
        Messages().Information(Msg(TMsg::FolderNotWritable, PathText(folder)));
        return SaveAs();
    }
    return SaveToProjectPath();
}

// ---- Close, activation and dropped files -----------------------------------------

void TMainForm::closeEvent(QCloseEvent* event)
{
    // A close whose save fails stays open: the failure is shown, nothing is lost.
    bool closes = false;
    RunReportingErrors([this, &closes] {
        if (!DeactivateActiveChild() || !QuerySaveChanges())
            return;
        WriteSettings();
        CloseAllChildren();
        closes = true;
    });
    event->setAccepted(closes);
}

void TMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        RunReportingErrors([this] { CheckSpeedButtons(); });
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* mime = event->mimeData();
    if (mime->hasUrls() && !mime->urls().isEmpty() && mime->urls().front().isLocalFile())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    RunReportingErrors([this, &urls] { FileDropped(urls.front().toLocalFile()); });
}

// ---- What the analysis run asks of the window ------------------------------------

std::filesystem::path TMainForm::ProjectPath() const { return FileSystemPath(data_.ProjectPath); }

TValidationData TMainForm::ValidationData() const { return ValidationDataOf(data_, *tables_); }

bool TMainForm::ReadPlotFile(const std::filesystem::path& plotFile, bool showMessages)
{
    return ReadProjectPlotFile(*plots_, data_, *tables_, plotFile, showMessages);
}

void TMainForm::SetResultsFlag(bool results) { results_ = results; }

void TMainForm::CloseInputWindows()
{
    // Plot windows keep the ranges of the data they were opened with, so they go too.
    CloseAllChildren();
}

void TMainForm::CloseResultPlots() { plots_->CloseWindows(); }

void TMainForm::WriteWaveEquationFile()
{
    // A write error (EWriteError naming the file) is shown by the run.
    veldo::WriteWaveEquationFile(data_, *tables_);
}

QString TMainForm::Companion(const QString& extension) const { return ReplaceExtension(data_.ProjectPath, extension); }

bool TMainForm::CompanionExists(const QString& extension) const
{
    return !data_.ProjectPath.isEmpty() && QFileInfo(Companion(extension)).isFile();
}

bool TMainForm::PlotFileExists() const { return CompanionExists(QStringLiteral(".vd7p")); }

bool TMainForm::ResultsAvailable() const { return results_ && PlotFileExists(); }

} // namespace veldo
