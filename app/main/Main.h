// The program's MDI frame window: the open project with its tables and result
// plots, the file commands, the recent-file list, dropped files, the settings,
// the menus and toolbar, the analysis run and the launchers.
// Defined by role in Main.cpp (construction, settings, the project, saving),
// MainMenus.cpp, MainCommands.cpp and MainWindows.cpp (the children and their commit).
#pragma once

#include "AnalysisRun.h"
#include "DataUnit.h"
#include "MainSettings.h"
#include "PlotResults.h"
#include "RecentFiles.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMdiArea;
class QMenu;

namespace veldo {

class IFileDialogs;
class IShell;

// An input window (an MDI child) that writes its controls back into the project
// when it is deactivated. The main window calls it for the active child before
// any command acts on the project.
class IInputWindow {
public:
    virtual ~IInputWindow() = default;
    // Commits the controls; false when an entry is invalid (the window keeps it and
    // says why), and then the command that asked must not act on the project.
    virtual bool FormDeactivate() = 0;
    // True when FormDeactivate would commit without a message.
    virtual bool EntriesAcceptable() const = 0;
};

// What the main window takes from its surroundings; tests replace each part.
struct TMainFormOptions {
    QString settingsFile;                // empty: the user's settings
    QString programDir;                  // empty: the folder of the running program
    QStringList arguments;               // command-line arguments after the program name
    IFileDialogs* fileDialogs = nullptr; // nullptr: the standard dialogs
    IShell* shell = nullptr;             // nullptr: the desktop
};

class TMainForm : public QMainWindow, public IAnalysisHost {
    Q_OBJECT
public:
    explicit TMainForm(TMainFormOptions options = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    static const QString DefaultExtension; // "vd7d"
    static const QString OpenFilter;
    static const QString SaveFilter;
    static const QString SaveChangesText; // "Do you want to save any changes?"

    // ---- The project -----------------------------------------------------------
    TProgramData& Data() { return data_; }
    const TProgramData& Data() const { return data_; }
    TProjectTables& Tables() const { return *tables_; }
    TResultPlots& Plots() const { return *plots_; }
    QMdiArea* MdiArea() const { return mdi_; }

    // The modified flag, or true when any grid table reports a change.
    bool IsModified() const;
    // Setting false also clears the change state of every grid table.
    void SetModified(bool value);
    bool ResultsFlag() const { return results_; }
    const QString& EditorPath() const { return editorPath_; }
    // Kept for the program run; written to the settings with the others.
    void SetEditorPath(const QString& path) { editorPath_ = path; }
    // What starts the editor and opens documents (tests record it).
    IShell& Shell() const { return shell_; }
    const TRecentFiles& RecentFiles() const { return recent_; }

    // The project file's name for the caption: a ".vd7d" name loses everything
    // from its first "."; a name longer than one character starts in upper case.
    static QString CaptionFileName(const QString& projectPath);
    QString CaptionFileName() const { return CaptionFileName(data_.ProjectPath); }

    // Asks "Do you want to save any changes?" when modified. False on Cancel, on
    // Yes when the save is cancelled or fails; true otherwise. The command that asks
    // has committed the active child.
    bool QuerySaveChanges();
    // Reads a project into a new object; on success it replaces the open one.
    // A file that cannot be opened at all leaves the open project as it was.
    bool OpenFileName(const QString& path, int generation);
    void UpdatePrevFile(const QString& path);
    // Commits what the active child window (an input window or a table editor) shows,
    // before a command acts; false when it refuses an entry (after its one message,
    // with the focus on the entry), and then the command must not act.
    bool DeactivateActiveChild();
    // Runs a command of a menu item or toolbar button: the active child commits first
    // and a refusal stops the command. Every menu item and toolbar button goes
    // through here.
    void RunCommand(const std::function<void()>& command);
    // Binds a menu item or toolbar button to a command run through RunCommand.
    void ConnectCommand(QAction* action, std::function<void()> command);
    // Before a menu opens: the active input window commits when it can do so without
    // a message; otherwise it is left as it is, and the command chosen says why.
    void CommitActiveChildQuietly();
    void HelpMenuClick();
    void CloseAllChildren();
    void UpdatePileShapeControls();
    void VisibleOffshoreColumns();
    void CheckSpeedButtons() override;

    // ---- Commands (menus and toolbar) -----------------------------------------
    // Each commits the active child first and does nothing when it refuses; a menu
    // item or toolbar button runs the same command after RunCommand's one commit.
    void FileNewClick();
    void FileOpenClick();
    bool FileSaveClick();
    bool FileSaveAsClick();
    void FileExitClick();
    void RecentFileClick(int index);
    // A file dropped on the window.
    void FileDropped(const QString& path);
    void UnitsClick(int code);
    void PileShapeClick(bool circular);
    void SoilLayerTableClick();
    void CompRunClick();
    void EditInputTextClick();
    void EditRunNotesClick();
    void EditOutputTextClick();
    void EditWaveEquationFileClick();
    void ShowResultPlot(TResultPlot which);
    void HelpContentsClick();
    void UsersManualClick();
    void TechnicalManualClick();
    void CheckUpdatesClick();
    void CascadeClick();
    void ArrangeIconsClick();

    // ---- Menu opening (enabling and check states) -----------------------------
    void FileMenuClick();
    void DataMenuClick();
    void OptionsMenuClick();
    void UnitsMenuClick();
    void PileShapeMenuClick();
    void ComputationMenuClick();
    void GraphicsMenuClick();
    void WindowMenuClick();

    // A menu item or toolbar button by object name (e.g. "FileNew", "SpeedButton4").
    QAction* Action(const QString& name) const;
    QMenu* Menu(const QString& name) const;

    // ---- IAnalysisHost ----------------------------------------------------------
    TSaveResult SaveForRun() override;
    std::filesystem::path ProjectPath() const override;
    TValidationData ValidationData() const override;
    bool ReadPlotFile(const std::filesystem::path& plotFile, bool showMessages) override;
    void SetResultsFlag(bool results) override;
    void CloseInputWindows() override;
    void CloseResultPlots() override;
    QString SaveErrorDetail() const override { return saveError_; }
    // Writes the GRLWeap input file beside the project.
    void WriteWaveEquationFile() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Becoming active recomputes the result controls (a plot-data file may be gone).
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // First show: settings, command-line project, caption.
    void FormShow();
    void ReadSettings();
    void WriteSettings() const;
    void OpenCommandLineProject();
    void InstallProject(TProgramData data, std::unique_ptr<TProjectTables> tables);
    void NewDefaultProject();
    // Opens by extension: ".vd7d" generation 1, ".vd6d" 2, others nothing.
    void OpenByExtension(const QString& path);
    void AfterProjectChange();
    void UpdateCaption();
    // Where file dialogs start before any folder was used (DialogFolders.h).
    void UpdateProjectFolder() const;
    bool NeedsSaveAs() const;
    TSaveResult SaveAs();
    TSaveResult SaveToProjectPath();
    bool PlotFileExists() const;
    // The one rule of the Graphics items and the toolbar's plot buttons: results
    // read and their plot-data file still there.
    bool ResultsAvailable() const;
    void EnableGraphicsItems(bool available);
    bool CompanionExists(const QString& extension) const;
    QString Companion(const QString& extension) const;
    void EditCompanion(const QString& extension);

    // The commands of the menus and toolbar, run once the active child has committed.
    bool SaveFile();
    bool SaveFileAs();
    void NewFile();
    void OpenFile();
    void OpenRecentFile(int index);
    void ChangeUnits(int code);
    void ChangePileShape(bool circular);
    void ShowSoilLayerTable();
    void RunAnalysis();
    void EditInputText();
    void EditRunNotes();
    void EditOutputText();
    void EditWaveEquationFile();
    void ShowPlot(TResultPlot which);

    void BuildMenus();
    void BuildFileMenu();
    void BuildDataMenu();
    void BuildOptionsMenu();
    void BuildComputationMenu();
    void BuildGraphicsMenu();
    void BuildWindowMenu();
    void BuildHelpMenu();
    void BuildToolBar();
    QMenu* AddMenu(const QString& name, const QString& caption, void (TMainForm::*onShow)());
    QAction* AddItem(QMenu* menu, const QString& name, const QString& caption, void (TMainForm::*handler)());
    // An item whose window does not exist in the program: shown, never enabled.
    QAction* AddAbsentItem(QMenu* menu, const QString& name, const QString& caption);
    template <class Handler> QAction* AddButton(int number, const QString& text, const QString& hint, Handler handler);

    TMainFormOptions options_;
    TMainSettings settings_;
    IFileDialogs& dialogs_;
    IShell& shell_;
    QString programDir_;
    QString editorPath_;
    TRecentFiles recent_;

    TProgramData data_;
    std::unique_ptr<TProjectTables> tables_;
    TResultPlots* plots_ = nullptr; // child of this window
    QMdiArea* mdi_ = nullptr;       // central widget

    QString saveError_;      // file and reason of the last failed save
    QString partlyReadFrom_; // the file an untitled, partly read project came from

    bool modified_ = false;
    bool results_ = false;
    bool shown_ = false;

    QAction* recentSeparator_ = nullptr;
    std::vector<QAction*> recentItems_;
    QAction* windowSeparator_ = nullptr;
    std::vector<QAction*> windowItems_;
    std::array<QAction*, ResultPlotCount> graphItems_{};
};

} // namespace veldo
