#include "Main.h"
#include "MessageCatalogue.h"

#include "About.h"
#include "Block.h"
#include "CPTOptions.h"
#include "ExportDlg.h"
#include "FileDialogs.h"
#include "Launchers.h"
#include "Messages.h"
#include "Options.h"
#include "PileSide.h"
#include "RunProject.h"
#include "SoilLayers.h"
#include "TZPrint.h"
#include "Table.h"
#include "TableFormController.h"
#include "Title.h"
#include "ToolIcons.h"
#include "WaveEquationFile.h"
#include "WordRead.h"
#include "compmeth.h"
#include "cpilepro.h"
#include "nPilePro.h"
#include "pilemat.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>

#include <exception>
#include <type_traits>

namespace veldo {
namespace {

constexpr QChar CR = QLatin1Char('\r');

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
const QString ClayComment =
    QStringLiteral("Remolded Shear Strength is only used for open-ended pipe piles to compute\r"
                   "the resistance in skin friction along the inner surface of the pipe as the\r"
                   "soil plug enters the pipe.  A reduced strength may account for the fact\r"
                   "that the internal plug may be highly disturbed as it enters the pile.");
const QString OffshoreClayNote = QStringLiteral("PI and YSR are required only for Offshore-Pile Design Methods.");

bool HasSuffix(const QString& path, const QString& suffix) { return path.endsWith(suffix, Qt::CaseInsensitive); }

void SetColumnVisible(TGridTable& table, int column, bool visible)
{
    if (column < table.ColumnCount())
        table.Column(column).visible = visible;
}

// Offshore columns and the user-specified method's columns of a sand or clay table.
void ShowMethodColumns(TGridTable& table, const std::vector<int>& offshoreColumns, bool offshore, bool userMethod)
{
    for (int column : offshoreColumns)
        SetColumnVisible(table, column, offshore);
    SetColumnVisible(table, 6, userMethod);
    SetColumnVisible(table, 7, userMethod);
}

QString MenuSafe(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

// A menu item that opens an input window (created on first use, then brought forward).
template <class TWindow>
QAction* AddWindowItem(TMainForm& main, QMenu* menu, const QString& name, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    main.ConnectCommand(item, [&main] { ShowInputWindow<TWindow>(main); });
    return item;
}

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
    editorPath_ = settings_.EditorPath();

    mdi_ = new QMdiArea(this);
    // A child lying partly outside the area stays within reach.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
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
    if (!value)
        tables_->ResetChanged();
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
        FormShow();
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
    UpdatePileShapeControls();
    CheckSpeedButtons();
}

bool TMainForm::OpenFileName(const QString& path, int generation)
{
    TProjectRead read;
    try {
        // A file that cannot be read at all leaves the open project as it was.
        const TWordReader probe(std::filesystem::path(path.toStdString()));
        read = TProgramData::CreateFromFile(path, generation);
    } catch (const std::exception& error) {
        Messages().Information(QString::fromStdString(error.what()));
        return false;
    }
    InstallProject(std::move(read.data), std::move(read.tables));
    SetModified(false);
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

void TMainForm::CloseAllChildren()
{
    mdi_->closeAllSubWindows();
    for (QMdiSubWindow* child : mdi_->subWindowList())
        delete child; // a child that refused to close goes with its project
}

bool TMainForm::DeactivateActiveChild()
{
    QMdiSubWindow* active = mdi_->activeSubWindow();
    if (!active)
        return true;
    if (auto* input = dynamic_cast<IInputWindow*>(active->widget()))
        return input->FormDeactivate();
    if (auto* editor = qobject_cast<TTableForm*>(active->widget()))
        return editor->CommitCurrentCell();
    return true;
}

void TMainForm::RunCommand(const std::function<void()>& command)
{
    if (DeactivateActiveChild())
        command();
}

void TMainForm::ConnectCommand(QAction* action, std::function<void()> command)
{
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] { RunCommand(command); });
}

void TMainForm::CommitActiveChildQuietly()
{
    // Table cells decide no menu state: a table editor commits with the command.
    QMdiSubWindow* active = mdi_->activeSubWindow();
    auto* input = active ? dynamic_cast<IInputWindow*>(active->widget()) : nullptr;
    if (input && input->EntriesAcceptable())
        input->FormDeactivate();
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
        return FileSaveClick();
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
    QString fileName = data_.ProjectPath.isEmpty() ? QString::fromLatin1(DefaultProjectPath) : data_.ProjectPath;
    if (data_.ProjectPath.isEmpty() && !partlyReadFrom_.isEmpty())
        fileName = QFileInfo(partlyReadFrom_).absolutePath() + QLatin1Char('/') + fileName;
    if (!HasSuffix(fileName, QStringLiteral(".") + DefaultExtension))
        fileName = ReplaceExtension(fileName, QStringLiteral(".") + DefaultExtension);
    const QString title = QStringLiteral("Save ") + CaptionFileName() + QStringLiteral(" As");
    const auto chosen = dialogs_.SaveAs(this, title, SaveFilter, DefaultExtension, fileName);
    TSaveResult result = TSaveResult::Cancelled;
    if (chosen) {
        const QString previous = data_.ProjectPath;
        data_.ProjectPath = *chosen;
        result = SaveToProjectPath();
        if (result == TSaveResult::Failed)
            data_.ProjectPath = previous; // nothing was written under the new name
        else
            partlyReadFrom_.clear();
        UpdateCaption();
        WriteSettings();
    }
    CheckSpeedButtons();
    CloseInputWindows();
    return result;
}

TSaveResult TMainForm::SaveForRun() { return NeedsSaveAs() ? SaveAs() : SaveToProjectPath(); }

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

// ---- File commands --------------------------------------------------------------

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

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!DeactivateActiveChild()) {
        event->ignore();
        return;
    }
    if (!QuerySaveChanges()) {
        event->ignore();
        return;
    }
    WriteSettings();
    CloseAllChildren();
    event->accept();
}

void TMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        CheckSpeedButtons();
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
    FileDropped(urls.front().toLocalFile());
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

void TMainForm::UpdatePileShapeControls()
{
    Action(QStringLiteral("OptionsCircular"))->setChecked(data_.Circular);
    Action(QStringLiteral("OptionsNonCircular"))->setChecked(!data_.Circular);
    for (const QString& name : {QStringLiteral("DataCircular"), QStringLiteral("SpeedButton14")})
        Action(name)->setEnabled(data_.Circular);
    for (const QString& name : {QStringLiteral("DataNoncircular"), QStringLiteral("SpeedButton15")})
        Action(name)->setEnabled(!data_.Circular);
    FreeOtherShapeWindow(*this);
}

void TMainForm::VisibleOffshoreColumns()
{
    const bool offshore = data_.OffshoreMethods == 1;
    const bool userMethod = data_.SelectedMethod == 5;
    ShowMethodColumns(tables_->tblDataSand(), {5}, offshore, userMethod);
    ShowMethodColumns(tables_->tblDataClay(), {3, 4, 5}, offshore, userMethod);
    for (int row = 0; row < tables_->D().RowCount(); ++row) {
        TGridTable* layer = tables_->LayerTable(row);
        if (!layer)
            continue;
        const int type = tables_->D().Cell(kLayerSoilType, row).AsInteger();
        if (type == kSand)
            ShowMethodColumns(*layer, {5}, offshore, userMethod);
        else if (type == kClay)
            ShowMethodColumns(*layer, {3, 4, 5}, offshore, userMethod);
    }
    tables_->tblDataClay().Comments = offshore ? OffshoreClayNote + CR + ClayComment : ClayComment;
}

void TMainForm::SoilLayerTableClick()
{
    if (!DeactivateActiveChild())
        return;
    const bool userMethod = data_.SelectedMethod == 5;
    for (int row = 0; row < tables_->D().RowCount(); ++row) {
        if (TGridTable* layer = tables_->LayerTable(row)) {
            SetColumnVisible(*layer, 6, userMethod);
            SetColumnVisible(*layer, 7, userMethod);
        }
    }
    tables_->D().ShowEditor();
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

std::filesystem::path TMainForm::ProjectPath() const { return std::filesystem::path(data_.ProjectPath.toStdString()); }

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

void TMainForm::ShowResultPlot(TResultPlot which)
{
    if (!DeactivateActiveChild())
        return;
    if (!ResultsAvailable()) {
        // The plot-data file is gone: what the plots hold is no longer a result.
        CheckSpeedButtons();
        return;
    }
    plots_->Plot(which).Execute();
}

// ---- Help -------------------------------------------------------------------------

void TMainForm::HelpContentsClick() { OpenHelpDocument(shell_, programDir_, THelpDocument::Contents); }

void TMainForm::UsersManualClick() { OpenHelpDocument(shell_, programDir_, THelpDocument::UsersManual); }

void TMainForm::TechnicalManualClick() { OpenHelpDocument(shell_, programDir_, THelpDocument::TechnicalManual); }

void TMainForm::CheckUpdatesClick() { OpenUpdateCheck(shell_, settings_.UpdateHost(), QDate::currentDate()); }

// ---- Window menu ----------------------------------------------------------------

void TMainForm::CascadeClick() { mdi_->cascadeSubWindows(); }

void TMainForm::ArrangeIconsClick()
{
    // Minimized children in a row along the bottom of the area.
    int x = 0;
    for (QMdiSubWindow* child : mdi_->subWindowList()) {
        if (!child->isMinimized())
            continue;
        const QSize size = child->size();
        if (x > 0 && x + size.width() > mdi_->viewport()->width())
            x = 0;
        child->move(x, mdi_->viewport()->height() - size.height());
        x += size.width();
    }
}

void TMainForm::WindowMenuClick()
{
    CommitActiveChildQuietly();
    const QList<QMdiSubWindow*> children = mdi_->subWindowList();
    for (int i = 0; i < static_cast<int>(windowItems_.size()); ++i) {
        QAction* item = windowItems_[static_cast<std::size_t>(i)];
        const bool shown = i < children.size();
        item->setVisible(shown);
        if (shown)
            item->setText(MenuSafe(children[i]->windowTitle()));
    }
    windowSeparator_->setVisible(!children.isEmpty());
}

// ---- Menu opening --------------------------------------------------------------

void TMainForm::FileMenuClick()
{
    CommitActiveChildQuietly();
    const QString current = QDir::currentPath();
    for (int i = 0; i < static_cast<int>(recentItems_.size()); ++i) {
        QAction* item = recentItems_[static_cast<std::size_t>(i)];
        const bool shown = i < recent_.Count();
        item->setVisible(shown);
        if (shown)
            item->setText(MenuSafe(recent_.MenuText(i, current)));
    }
    recentSeparator_->setVisible(recent_.Count() > 0);
}

void TMainForm::DataMenuClick()
{
    CommitActiveChildQuietly();
    UpdatePileShapeControls();
}

void TMainForm::OptionsMenuClick()
{
    CommitActiveChildQuietly();
    Action(QStringLiteral("OptionsPrintTz"))->setChecked(data_.PrintTzAtDepths == 1);
}

void TMainForm::UnitsMenuClick()
{
    Action(QStringLiteral("OptionsEnglish"))->setChecked(data_.UnitSystem == kEnglish);
    Action(QStringLiteral("OptionsSI"))->setChecked(data_.UnitSystem == kSI);
}

void TMainForm::PileShapeMenuClick() { UpdatePileShapeControls(); }

void TMainForm::ComputationMenuClick()
{
    CommitActiveChildQuietly();
    Action(QStringLiteral("CompEditInput"))->setEnabled(QFileInfo(data_.ProjectPath).isFile());
    Action(QStringLiteral("CompEditNotes"))->setEnabled(CompanionExists(QStringLiteral(".vd7r")));
    Action(QStringLiteral("CompEditOutput"))->setEnabled(CompanionExists(QStringLiteral(".vd7o")));
    Action(QStringLiteral("CompEditGrlweap"))->setEnabled(CompanionExists(QStringLiteral(".gwi")));
}

void TMainForm::GraphicsMenuClick() { EnableGraphicsItems(ResultsAvailable()); }

void TMainForm::EnableGraphicsItems(bool available)
{
    for (QAction* item : graphItems_)
        item->setEnabled(available);
    Action(QStringLiteral("GraphExport"))->setEnabled(available);
    if (data_.PrintTzAtDepths == 0)
        graphItems_[static_cast<std::size_t>(TResultPlot::ExtraTZ)]->setEnabled(false);
    if (data_.Loading != 0) {
        graphItems_[static_cast<std::size_t>(TResultPlot::Tip)]->setEnabled(false);
        graphItems_[static_cast<std::size_t>(TResultPlot::Qw)]->setEnabled(false);
    }
}

void TMainForm::CheckSpeedButtons()
{
    const bool available = ResultsAvailable();
    for (int number : {8, 9, 10, 16})
        Action(QStringLiteral("SpeedButton%1").arg(number))->setEnabled(available);
    EnableGraphicsItems(available);
}

// ---- Building the menus and toolbar ------------------------------------------------

QAction* TMainForm::Action(const QString& name) const { return findChild<QAction*>(name); }

QMenu* TMainForm::Menu(const QString& name) const { return findChild<QMenu*>(name); }

QMenu* TMainForm::AddMenu(const QString& name, const QString& caption, void (TMainForm::*onShow)())
{
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(name);
    if (onShow)
        connect(menu, &QMenu::aboutToShow, this, onShow);
    return menu;
}

QAction* TMainForm::AddItem(QMenu* menu, const QString& name, const QString& caption, void (TMainForm::*handler)())
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    ConnectCommand(item, [this, handler] { (this->*handler)(); });
    return item;
}

QAction* TMainForm::AddAbsentItem(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setEnabled(false);
    return item;
}

void TMainForm::BuildMenus()
{
    BuildFileMenu();
    BuildDataMenu();
    BuildOptionsMenu();
    BuildComputationMenu();
    BuildGraphicsMenu();
    BuildWindowMenu();
    BuildHelpMenu();
}

void TMainForm::BuildFileMenu()
{
    QMenu* file = AddMenu(QStringLiteral("FileMenu"), QStringLiteral("&File"), &TMainForm::FileMenuClick);
    AddItem(file, QStringLiteral("FileNew"), QStringLiteral("&New"), &TMainForm::FileNewClick);
    AddItem(file, QStringLiteral("FileOpen"), QStringLiteral("&Open..."), &TMainForm::FileOpenClick);
    QAction* save = file->addAction(QStringLiteral("&Save"));
    save->setObjectName(QStringLiteral("FileSave"));
    ConnectCommand(save, [this] { FileSaveClick(); });
    QAction* saveAs = file->addAction(QStringLiteral("Save &As..."));
    saveAs->setObjectName(QStringLiteral("FileSaveAs"));
    ConnectCommand(saveAs, [this] { FileSaveAsClick(); });
    recentSeparator_ = file->addSeparator();
    recentSeparator_->setVisible(false);
    for (int i = 0; i < TRecentFiles::Capacity; ++i) {
        QAction* item = file->addAction(QString());
        item->setObjectName(QStringLiteral("FileRecent%1").arg(i + 1));
        item->setVisible(false);
        ConnectCommand(item, [this, i] { RecentFileClick(i); });
        recentItems_.push_back(item);
    }
    file->addSeparator();
    AddItem(file, QStringLiteral("FileExit"), QStringLiteral("E&xit"), &TMainForm::FileExitClick);
}

void TMainForm::BuildDataMenu()
{
    QMenu* data = AddMenu(QStringLiteral("DataMenu"), QStringLiteral("Da&ta"), &TMainForm::DataMenuClick);
    AddWindowItem<TdlgTitle>(*this, data, QStringLiteral("DataTitle"), QStringLiteral("&Title"));
    AddWindowItem<TfrmWaterDepth>(*this, data, QStringLiteral("DataMethods"), QStringLiteral("Computational &Method"));
    AddWindowItem<TfrmMaterial>(*this, data, QStringLiteral("DataMaterial"), QStringLiteral("&Pile Material"));
    AddWindowItem<TfrmShaftpeneta>(*this, data, QStringLiteral("DataCircular"),
                                   QStringLiteral("&Circular-Section Pile"));
    AddWindowItem<TfrmNCsection>(*this, data, QStringLiteral("DataNoncircular"),
                                 QStringLiteral("&Noncircular-Section Pile"));
    AddItem(data, QStringLiteral("DataSoilTable"), QStringLiteral("Soil &Layers"), &TMainForm::SoilLayerTableClick);
    AddWindowItem<TDlgSoilLayers>(*this, data, QStringLiteral("DataSoilLayers"), QStringLiteral("Soi&l Layers"));
    AddWindowItem<TDlgInputMotion>(*this, data, QStringLiteral("DataCpt"),
                                   QStringLiteral("CPT Data File (optional for cone-based method)"));
}

void TMainForm::BuildOptionsMenu()
{
    QMenu* options = AddMenu(QStringLiteral("OptionsMenu"), QStringLiteral("Options"), &TMainForm::OptionsMenuClick);
    QMenu* units = options->addMenu(QStringLiteral("&Units"));
    units->setObjectName(QStringLiteral("UnitsMenu"));
    connect(units, &QMenu::aboutToShow, this, &TMainForm::UnitsMenuClick);
    auto* unitGroup = new QActionGroup(this);
    const std::array<std::pair<const char*, const char*>, 2> unitItems{
        {{"OptionsEnglish", "&English Units (kips, ft, in)"}, {"OptionsSI", "&S.I. Units (kN, m, mm)"}}};
    for (int code = 1; code <= 2; ++code) {
        const auto& [name, caption] = unitItems[static_cast<std::size_t>(code - 1)];
        QAction* item = units->addAction(QString::fromLatin1(caption));
        item->setObjectName(QString::fromLatin1(name));
        item->setCheckable(true);
        unitGroup->addAction(item);
        ConnectCommand(item, [this, code] { UnitsClick(code); });
    }

    QMenu* shape = options->addMenu(QStringLiteral("Pile &Shape"));
    shape->setObjectName(QStringLiteral("PileShapeMenu"));
    connect(shape, &QMenu::aboutToShow, this, &TMainForm::PileShapeMenuClick);
    auto* shapeGroup = new QActionGroup(this);
    for (const bool circular : {true, false}) {
        QAction* item = shape->addAction(circular ? QStringLiteral("Circular") : QStringLiteral("Non-Circular"));
        item->setObjectName(circular ? QStringLiteral("OptionsCircular") : QStringLiteral("OptionsNonCircular"));
        item->setCheckable(true);
        shapeGroup->addAction(item);
        ConnectCommand(item, [this, circular] { PileShapeClick(circular); });
    }

    AddWindowItem<TDlgBlock>(*this, options, QStringLiteral("OptionsCriticalDepth"),
                             QStringLiteral("Critical Depth Used by US ARMY Method"));
    AddWindowItem<TDlgTZPrint>(*this, options, QStringLiteral("OptionsPrintTz"),
                               QStringLiteral("Print t-z Curves at Additional Depths "))
        ->setCheckable(true);
    AddWindowItem<TDlgOptions>(*this, options, QStringLiteral("OptionsControl"), QStringLiteral("Control &Options"));
}

void TMainForm::BuildComputationMenu()
{
    QMenu* comp =
        AddMenu(QStringLiteral("ComputationMenu"), QStringLiteral("&Computation"), &TMainForm::ComputationMenuClick);
    AddItem(comp, QStringLiteral("CompRun"), QStringLiteral("&Run Analysis"), &TMainForm::CompRunClick);
    AddItem(comp, QStringLiteral("CompEditInput"), QStringLiteral("Edit &Input Text"), &TMainForm::EditInputTextClick);
    AddItem(comp, QStringLiteral("CompEditNotes"), QStringLiteral("Edit &Processor-Run Notes"),
            &TMainForm::EditRunNotesClick);
    AddItem(comp, QStringLiteral("CompEditOutput"), QStringLiteral("Edit &Output Text"),
            &TMainForm::EditOutputTextClick);
    AddWindowItem<TDlgSideView>(*this, comp, QStringLiteral("CompViewSoil"),
                                QStringLiteral("&View Soil Layer Coordinates"));
    AddItem(comp, QStringLiteral("CompEditGrlweap"), QStringLiteral("Edit GRLWeap Data File"),
            &TMainForm::EditWaveEquationFileClick);
}

void TMainForm::BuildGraphicsMenu()
{
    QMenu* graphics =
        AddMenu(QStringLiteral("GraphicsMenu"), QStringLiteral("&Graphics"), &TMainForm::GraphicsMenuClick);
    // In the order of TResultPlot.
    const std::array<std::pair<const char*, const char*>, ResultPlotCount> items{{
        {"GraphUSkin", "Unit Skin Friction vs Depth"},
        {"GraphSkin", "Accumulated &Skin Friction vs Depth"},
        {"GraphTip", "&Tip Resistance vs Depth"},
        {"GraphTotal", "Total &Capacity vs Depth"},
        {"GraphLoad", "Load &Distribution"},
        {"GraphCombine", "Combined &Plot"},
        {"GraphAxial", "&Axial Load vs Settlement"},
        {"GraphTZ", "Internally-Generated t-z Curves"},
        {"GraphExtraTZ", "Extra t-z curves at User Specified Depths"},
        {"GraphQw", "Internally-Generated Q-w Curve"},
    }};
    for (int i = 0; i < ResultPlotCount; ++i) {
        const auto& [name, caption] = items[static_cast<std::size_t>(i)];
        QAction* item = graphics->addAction(QString::fromLatin1(caption));
        item->setObjectName(QString::fromLatin1(name));
        item->setEnabled(false);
        const auto which = static_cast<TResultPlot>(i);
        ConnectCommand(item, [this, which] { ShowResultPlot(which); });
        graphItems_[static_cast<std::size_t>(i)] = item;
    }
    graphics->addSeparator();
    QAction* exportItem = graphics->addAction(QStringLiteral("Export Plots to Excel"));
    exportItem->setObjectName(QStringLiteral("GraphExport"));
    exportItem->setEnabled(false);
    ConnectCommand(exportItem, [this] {
        GraphicsMenuClick();
        std::array<bool, ResultPlotCount> available{};
        for (std::size_t i = 0; i < graphItems_.size(); ++i)
            available[i] = graphItems_[i]->isEnabled();
        ExecExportDialog(*this, *plots_, shell_, available, Companion(QStringLiteral(".xlsx")));
    });
}

void TMainForm::BuildWindowMenu()
{
    QMenu* window = AddMenu(QStringLiteral("WindowMenu"), QStringLiteral("&Window"), &TMainForm::WindowMenuClick);
    AddItem(window, QStringLiteral("WindowCascade"), QStringLiteral("&Cascade"), &TMainForm::CascadeClick);
    AddItem(window, QStringLiteral("WindowArrange"), QStringLiteral("&Arrange Icons"), &TMainForm::ArrangeIconsClick);
    windowSeparator_ = window->addSeparator();
    windowSeparator_->setVisible(false);
    constexpr int WindowItems = 50;
    for (int i = 0; i < WindowItems; ++i) {
        QAction* item = window->addAction(QString());
        item->setObjectName(QStringLiteral("WindowChild%1").arg(i));
        item->setVisible(false);
        ConnectCommand(item, [this, i] {
            const QList<QMdiSubWindow*> children = mdi_->subWindowList();
            if (i < children.size()) {
                children[i]->showNormal();
                mdi_->setActiveSubWindow(children[i]);
            }
        });
        windowItems_.push_back(item);
    }
}

void TMainForm::HelpMenuClick() { CommitActiveChildQuietly(); }

void TMainForm::BuildHelpMenu()
{
    QMenu* help = AddMenu(QStringLiteral("HelpMenu"), QStringLiteral("&Help"), &TMainForm::HelpMenuClick);
    AddItem(help, QStringLiteral("HelpContents"), QStringLiteral("&Contents"), &TMainForm::HelpContentsClick);
    AddItem(help, QStringLiteral("HelpUsersManual"), QStringLiteral("User's Manual"), &TMainForm::UsersManualClick);
    AddItem(help, QStringLiteral("HelpTechnicalManual"), QStringLiteral("Technical Manual"),
            &TMainForm::TechnicalManualClick);
    QAction* about = help->addAction(QStringLiteral("&About..."));
    about->setObjectName(QStringLiteral("HelpAbout"));
    ConnectCommand(about, [this] {
        TAboutBox box(shell_, AboutLinks(settings_), this);
        box.exec();
    });
    AddItem(help, QStringLiteral("HelpUpdates"), QStringLiteral("Check for Updates"), &TMainForm::CheckUpdatesClick);
}

template <class Handler>
QAction* TMainForm::AddButton(int number, const QString& text, const QString& hint, Handler handler)
{
    QToolBar* bar = findChild<QToolBar*>(QStringLiteral("ToolBar"));
    QAction* button = bar->addAction(text);
    button->setObjectName(QStringLiteral("SpeedButton%1").arg(number));
    button->setIcon(ToolIcon(number));
    button->setToolTip(hint);
    button->setStatusTip(hint);
    if constexpr (std::is_same_v<Handler, std::nullptr_t>)
        button->setEnabled(false); // its window does not exist in the program
    else if constexpr (std::is_member_function_pointer_v<Handler>)
        ConnectCommand(button, [this, handler] { (this->*handler)(); });
    else
        ConnectCommand(button, handler);
    return button;
}

void TMainForm::BuildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Tools"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    AddButton(1, QStringLiteral("Open"), QStringLiteral("Open File"), &TMainForm::FileOpenClick);
    AddButton(2, QStringLiteral("New"), QStringLiteral("New File"), &TMainForm::FileNewClick);
    AddButton(3, QStringLiteral("Save"), QStringLiteral("Save File"), [this] { FileSaveClick(); });
    AddButton(4, QStringLiteral("Run"), QStringLiteral("Run Data File"), &TMainForm::CompRunClick);
    AddButton(5, QStringLiteral("Output"), QStringLiteral("View Output"), &TMainForm::EditOutputTextClick);
    AddButton(6, QStringLiteral("Profile"), QStringLiteral("View Soil Profile"),
              [this] { ShowInputWindow<TDlgSideView>(*this); });
    AddButton(7, QStringLiteral("Soil"), QStringLiteral("Soil layer Data"),
              [this] { ShowInputWindow<TDlgSoilLayers>(*this); });
    AddButton(8, QStringLiteral("Combined"), QStringLiteral("Combined Plot"),
              [this] { ShowResultPlot(TResultPlot::Combine); });
    AddButton(9, QStringLiteral("t-z"), QStringLiteral("t-z Curves"),
              [this] { ShowResultPlot(TResultPlot::TZcurves); });
    AddButton(10, QStringLiteral("Q-s"), QStringLiteral("Load vs. Settlement"),
              [this] { ShowResultPlot(TResultPlot::Axial); });
    AddButton(11, QStringLiteral("Title"), QStringLiteral("Title"), [this] { ShowInputWindow<TdlgTitle>(*this); });
    AddButton(12, QStringLiteral("Method"), QStringLiteral("Computational Method"),
              [this] { ShowInputWindow<TfrmWaterDepth>(*this); });
    AddButton(13, QStringLiteral("Material"), QStringLiteral("Pile Material"),
              [this] { ShowInputWindow<TfrmMaterial>(*this); });
    AddButton(14, QStringLiteral("Circular"), QStringLiteral("Circular Section"),
              [this] { ShowInputWindow<TfrmShaftpeneta>(*this); });
    AddButton(15, QStringLiteral("Non-Circ."), QStringLiteral("Non-Circular"),
              [this] { ShowInputWindow<TfrmNCsection>(*this); });
    AddButton(16, QStringLiteral("Total"), QStringLiteral("Total Capacity"),
              [this] { ShowResultPlot(TResultPlot::Total); });
}

} // namespace veldo
