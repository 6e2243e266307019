// The analysis run: saves the project, checks the input, hands the file names to
// the engine library through "names.dat", calls the engine's entry with 7 and
// reads the results back. Knows nothing of the main window: it works through
// IAnalysisHost and shows every message through Messages().
#pragma once

#include "InputCodes.h"
#include "MessageCatalogue.h"

#include <QString>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace veldo {

// ---- Input checks -------------------------------------------------------------

// One row of the soil-layer table `D` as the checks need it.
struct TValidationLayer {
    int soilType = SoilType::Sand;
    long double remoldedTop = 0;      // clay sub-table column 2, top row
    long double remoldedBottom = 0;   // clay sub-table column 2, bottom row
    long double endBearingFactor = 1; // `D` column 6
    long double unitWeightTop = 1;    // property table column 0, top row
    long double unitWeightBottom = 1; // property table column 0, bottom row
    long double bottom = 0;           // `D` column 1, ft / m
};

// The project values that the checks read.
struct TValidationData {
    int units = UnitSystem::English;
    std::array<bool, Method::Last + 1> ticked{}; // capacity method ticked, indexed by method number
    int pileType = PileType::SteelPipe;
    long double taperAngle = 0;      // degrees
    long double stickup = 0;         // ft / m: the engine tapers over stick-up + total length
    long double totalLength = 0;     // ft / m
    long double outsideDiameter = 0; // in / mm
    long double modulus = 0;
    bool circular = true;      // names the pile properties window of the total length
    long double increment = 1; // ft / m, the capacity tables' step
    std::vector<TValidationLayer> layers;
};

// Message texts of the checks (lines joined by CR, as the word reader does).
QString TaperAngleMessage(long double largestAngle);
QString ModulusMessage();
QString RemoldedStrengthMessage(int layer, int method);
QString EndBearingFactorMessage(int layer);
QString TotalLengthMessage(bool circular);
QString LayerOrderMessage(int layer, long double bottom, long double previousBottom, int units);
QString UnitWeightMessage(int layer);

// The question asked before a run whose capacity tables would end above the pile tip
// (the total length not a whole multiple of the increment), empty when they reach it.
QString TipNotInTablesQuestion(const TValidationData& data);

// Runs every check in order; each failing one shows its warning box. True when the
// input may go to the engine.
bool ValidateInput(const TValidationData& data);

// ---- Files of a run -----------------------------------------------------------

// The project path and its companions.
struct TRunPaths {
    std::filesystem::path project;  // .vd7d
    std::filesystem::path report;   // .vd7o
    std::filesystem::path plotData; // .vd7p
    std::filesystem::path cpt;      // .cpt

    static TRunPaths ForProject(const std::filesystem::path& projectPath);
};

inline constexpr const char* HandOverFileName = "names.dat";
inline constexpr const char* VersionText = "2015.7.7";
inline constexpr const char* EngineLibraryName = "VELDO2015_DLL.so";
inline constexpr const char* EngineEntryName = "_IVELDO";
inline constexpr const char* DefaultProjectPath = "NewVELDO.vd7d";

// Writes the hand-over file: the version text, three reserved lines (the third an
// integer) and the paths of the project, report, plot-data and CPT files.
// Returns false when the file cannot be written completely.
bool WriteHandOverFile(const std::filesystem::path& file, const TRunPaths& paths);

// The engine refuses a hand-over path longer than this many bytes (UTF-8).
inline constexpr std::size_t MaxEnginePathBytes = 255;

// What the engine would refuse at hand-over: a path longer than 255 bytes, or a
// folder of the report or plot-data file in which no file can be made. Empty when
// the paths will do, else "The analysis cannot start:" + CR + path + CR + reason.
QString RunPathProblem(const TRunPaths& paths);

// Removes the report, the plot-data file and the wave-equation file of a run
// before the engine is called. Empty when none is left, else the message naming
// the one that cannot be removed (as RunPathProblem).
QString RemoveStaleOutputs(const TRunPaths& paths);

// The last block of the report: the non-blank lines after its last two blank
// lines, each trimmed (an engine stop writes its reason there). Empty when the
// report does not exist or does not end with such a block.
std::vector<QString> ReportFinalBlock(const std::filesystem::path& report);

// The message of an engine run that stopped with `status` (1 an input check,
// 2 or any other a file failure), from the report's final block.
QString EngineStopMessage(int status, const std::filesystem::path& report);

// ---- Scoped guards ------------------------------------------------------------

// Forces "." as the numeric decimal separator (the C numeric locale) and restores
// the previous numeric locale when it goes.
class TNumericLocaleGuard {
public:
    TNumericLocaleGuard();
    ~TNumericLocaleGuard();
    TNumericLocaleGuard(const TNumericLocaleGuard&) = delete;
    TNumericLocaleGuard& operator=(const TNumericLocaleGuard&) = delete;

private:
    std::string previous_;
};

// Makes a folder the current directory and restores the previous one when it goes.
class TCurrentDirGuard {
public:
    explicit TCurrentDirGuard(const std::filesystem::path& folder);
    ~TCurrentDirGuard();
    TCurrentDirGuard(const TCurrentDirGuard&) = delete;
    TCurrentDirGuard& operator=(const TCurrentDirGuard&) = delete;

private:
    std::filesystem::path previous_;
};

// ---- The run ------------------------------------------------------------------

enum class TSaveResult {
    Saved,     // the project and CPT files are written
    Cancelled, // Save As was cancelled (the run flag is cleared): the run stops silently
    Failed     // writing failed; the host shows nothing, the run shows the message
};

// What the run needs from the window that owns the project.
class IAnalysisHost {
public:
    virtual ~IAnalysisHost() = default;

    // Saves as the Save command does (Save As for a new project or another
    // extension), without showing a message for a write error.
    virtual TSaveResult SaveForRun() = 0;
    // The project path after the save ("NewVELDO.vd7d" for a project never named).
    virtual std::filesystem::path ProjectPath() const = 0;
    // The values the input checks read.
    virtual TValidationData ValidationData() const = 0;
    // Fills the result plots from the plot-data file (messages on after a run);
    // true on success.
    virtual bool ReadPlotFile(const std::filesystem::path& plotFile, bool showMessages) = 0;
    // The main window's results flag, which drives the Graphics menu.
    virtual void SetResultsFlag(bool results) = 0;
    // Refreshes the toolbar buttons that depend on the results.
    virtual void CheckSpeedButtons() = 0;
    // Closes every input window.
    virtual void CloseInputWindows() = 0;
    // Closes every result plot window (their curves are no longer results); the
    // default has none.
    virtual void CloseResultPlots() {}
    // Detail of the last save that failed: the file and the system's reason.
    virtual QString SaveErrorDetail() const { return {}; }
    // Writes the wave-equation input file (".gwi") after every run whose plot-data
    // file was read back; the default writes nothing. An exception thrown here is
    // shown as an information box and the clean-up still runs.
    virtual void WriteWaveEquationFile() {}
};

// Messages of the run.
inline const QString SavingErrorText = MessageText(TMsg::SavingError);
inline const QString HandOverErrorText = MessageText(TMsg::HandOverError);
inline const QString ReinitializeText = MessageText(TMsg::Reinitialize);
inline const QString InitializeFailedText = MessageText(TMsg::InitializeFailed);
inline const QString CompletedText = MessageText(TMsg::Completed);
inline const QString CannotStartText = MessageText(TMsg::CannotStart);
inline const QString StoppedOnCheckText = MessageText(TMsg::StoppedOnCheck);
inline const QString FilesFailedText = MessageText(TMsg::FilesFailed);
inline const QString PathTooLongText = MessageText(TMsg::PathTooLong);

// "Attempt to initialize DLL failed", then on the next line the library's full path
// and the loader's reason (the missing file, an unresolved symbol).
QString InitializeFailedMessage(const std::filesystem::path& library, const std::string& loaderText);

// "An error occurred during saving", followed by the file and the reason on their
// own lines when they are known.
QString SavingErrorMessage(const QString& detail);

// The Run Analysis command.
class TAnalysisRun {
public:
    explicit TAnalysisRun(IAnalysisHost& host);

    // Folder the engine library is loaded from; by default the program's own
    // folder (QCoreApplication::applicationDirPath()).
    void SetProgramFolder(const std::filesystem::path& folder) { programFolder_ = folder; }
    std::filesystem::path ProgramFolder() const;

    // The run, in order: save (a failed save stops with its message; a cancelled
    // Save As or the default project path stops silently), input checks, path
    // checks ("Attempt to reinitialize DLL" while a run is in progress), the question
    // when the capacity tables would end above the pile tip (No stops), then with
    // "." forced as decimal separator: the results flag is cleared, the result plot
    // windows closed and the old report, plot-data and wave-equation files removed
    // (the run stops naming one that stays), "names.dat" is written into a fresh
    // temporary folder made current for the call, the library is loaded ("Attempt
    // to initialize DLL failed" with the library and the loader's reason when loading
    // or the entry look-up fails), the entry is called with 7 under the wait
    // cursor. Status 0: the plot-data file is read
    // (its reader reports a failure), then the completion message is shown and the
    // wave-equation file written; any other status shows the report's final block.
    // The toolbar is refreshed and the input windows closed; then the library is
    // freed, the hand-over folder removed, the current directory and the locale
    // restored. No exception leaves.
    void Run();

    // True between the library load and its release (one analysis at a time).
    static bool EngineLoaded();

private:
    // Saves the project for the run: false when the save failed (its message shown),
    // was cancelled or left the default project path.
    bool saved();
    void runEngine(const TRunPaths& paths);
    void readResults(const TRunPaths& paths, int status);

    IAnalysisHost& host_;
    std::optional<std::filesystem::path> programFolder_;
};

} // namespace veldo
