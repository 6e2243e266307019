#include "AnalysisRun.h"

#include "DiameterUnits.h"
#include "FilePaths.h"
#include "InputCodes.h"
#include "Messages.h"
#include "NumText.h"
#include "PiApproximations.h"
#include "SafeWrite.h"
#include "UnitWords.h"
#include "dynlib.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace veldo {

namespace {

const QString CR = QStringLiteral("\r");
constexpr long double DegreesToRadians = kRadiansPerDegree0_01745L; // the factor the checks use

// Fixed with `decimals` decimals, "." as separator.
QString fixed(long double value, int decimals)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value), std::chars_format::fixed, decimals);
    return QString::fromLatin1(buf, static_cast<int>(r.ptr - buf));
}

// The tolerance of the engine's count of table rows, int(TL / increment + 1e-6).
constexpr long double RowCountTolerance = 1e-6L;

bool taperAngleOk(const TValidationData& d)
{
    // Without a length there is no taper to judge; the length check says why.
    if (!(d.totalLength > 0) || !d.ticked[Method::Fhwa] || !PileType::IsTapered(d.pileType) || !(d.taperAngle > 0))
        return true;
    // The engine tapers from the pile head: over the stick-up and the total length.
    const long double length = (d.stickup + d.totalLength) * DiameterUnitsPerDepthUnit(d.units == UnitSystem::English);
    const long double tip = d.outsideDiameter - std::tan(d.taperAngle * DegreesToRadians) * 2 * length;
    if (!(tip < 0))
        return true;
    const long double largest = std::atan(d.outsideDiameter / 2 / length) / DegreesToRadians;
    Messages().Warning(TaperAngleMessage(largest));
    return false;
}

bool modulusOk(const TValidationData& d)
{
    if (d.modulus > 0)
        return true;
    Messages().Warning(ModulusMessage());
    return false;
}

bool totalLengthOk(const TValidationData& d)
{
    if (d.totalLength > 0)
        return true;
    Messages().Warning(TotalLengthMessage(d.circular));
    return false;
}

// The first of ICP/MTD, Fugro and UWA that is ticked, 0 when none is.
int remoldedStrengthMethod(const TValidationData& d)
{
    for (int method : {Method::IcpMtd, Method::Fugro, Method::Uwa})
        if (d.ticked[static_cast<std::size_t>(method)])
            return method;
    return 0;
}

bool layersOk(const TValidationData& d)
{
    const int method = remoldedStrengthMethod(d);
    for (std::size_t i = 0; i < d.layers.size(); ++i) {
        const TValidationLayer& layer = d.layers[i];
        const int n = static_cast<int>(i) + 1;
        // A layer of no thickness (its bottom at the one before) is allowed.
        const long double previousBottom = i == 0 ? 0 : d.layers[i - 1].bottom;
        if (i == 0 ? !(layer.bottom > 0) : layer.bottom < previousBottom) {
            Messages().Warning(LayerOrderMessage(n, layer.bottom, previousBottom, d.units));
            return false;
        }
        if (!(layer.unitWeightTop > 0) || !(layer.unitWeightBottom > 0)) {
            Messages().Warning(UnitWeightMessage(n));
            return false;
        }
        if (layer.soilType == SoilType::Clay && layer.remoldedTop == 0 && layer.remoldedBottom == 0 && method != 0) {
            Messages().Warning(RemoldedStrengthMessage(n, method));
            return false;
        }
        if (!(layer.endBearingFactor > 0)) {
            Messages().Warning(EndBearingFactorMessage(n));
            return false;
        }
    }
    return true;
}

// Wait cursor for the life of the object (only where a GUI application runs).
class TWaitCursor {
public:
    TWaitCursor() : active_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    {
        if (active_)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~TWaitCursor()
    {
        if (active_)
            QGuiApplication::restoreOverrideCursor();
    }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    bool active_;
};

// The engine library of the run in progress; one analysis at a time.
std::optional<TDynamicLibrary>& engineLibrary()
{
    static std::optional<TDynamicLibrary> library;
    return library;
}

// Releases the engine library when the run leaves, however it leaves.
class TEngineBinding {
public:
    TEngineBinding() { engineLibrary().emplace(); }
    ~TEngineBinding() { engineLibrary().reset(); }
    TEngineBinding(const TEngineBinding&) = delete;
    TEngineBinding& operator=(const TEngineBinding&) = delete;

    TDynamicLibrary& Library() { return *engineLibrary(); }
};

using TEngineEntry = int (*)(int);

void removeFile(const std::filesystem::path& file)
{
    std::error_code ec;
    std::filesystem::remove(file, ec);
}

QString cannotStart(const std::filesystem::path& path, const QString& reason)
{
    return CannotStartText + CR + PathText(path) + CR + reason;
}

QString systemReason(int error) { return QString::fromStdString(SystemErrorText(error)); }

// 0 when a file can be made in the folder, else the system's error.
int folderWriteError(const std::filesystem::path& folder)
{
    const std::filesystem::path probe = TemporaryPathBeside(folder / ".veldo-run");
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    ::close(fd);
    ::unlink(probe.c_str());
    return 0;
}

std::vector<std::string> reportLines(const std::filesystem::path& report)
{
    std::ifstream in(report, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// True when the tables reach the pile tip or the user runs all the same.
bool tablesReachTipOrAccepted(const TValidationData& input)
{
    const QString question = TipNotInTablesQuestion(input);
    return question.isEmpty() || Messages().Question(question, TQuestionButtons::YesNo) == TMessageAnswer::Yes;
}

bool blank(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }

} // namespace

// ---- Input checks -------------------------------------------------------------

QString TaperAngleMessage(long double largestAngle) { return Msg(TMsg::RunTaperAngle, fixed(largestAngle, 3)); }

QString ModulusMessage() { return Msg(TMsg::RunModulus); }

QString RemoldedStrengthMessage(int layer, int method)
{
    const QString methodText = Msg(method == Method::IcpMtd  ? TMsg::MethodIcpMtd
                                   : method == Method::Fugro ? TMsg::MethodFugro
                                                             : TMsg::MethodUwa);
    return Msg(TMsg::RunRemoldedStrength, QString::number(layer), methodText);
}

QString EndBearingFactorMessage(int layer) { return Msg(TMsg::RunEndBearingFactor, QString::number(layer)); }

QString TotalLengthMessage(bool circular)
{
    return Msg(TMsg::RunTotalLength, circular ? QStringLiteral("Circular") : QStringLiteral("Noncircular"));
}

namespace {

// A length with `digits` significant digits, a blank and its unit.
QString LengthText(long double value, int units, int digits)
{
    return QString::fromStdString(formatGeneral(value, digits)) + QLatin1Char(' ') + UnitWord("L2", units);
}

} // namespace

QString LayerOrderMessage(int layer, long double bottom, long double previousBottom, int units)
{
    // The depths as the Soil Layers table shows them.
    constexpr int TableDigits = 8;
    const QString shown = LengthText(bottom, units, TableDigits);
    if (layer == 1)
        return Msg(TMsg::RunLayerAboveGround, shown);
    return Msg(TMsg::RunLayerOrder, QString::number(layer), shown, QString::number(layer - 1),
               LengthText(previousBottom, units, TableDigits));
}

QString UnitWeightMessage(int layer) { return Msg(TMsg::RunUnitWeight, QString::number(layer)); }

QString TipNotInTablesQuestion(const TValidationData& data)
{
    if (!(data.increment > 0) || !(data.totalLength > 0))
        return {};
    // The tables end at the last whole step: above the tip when the total length is
    // no whole multiple of the increment.
    const long double steps = data.totalLength / data.increment;
    const long double wholeSteps = std::floor(steps + RowCountTolerance);
    if (!(steps - wholeSteps > RowCountTolerance))
        return {};
    const long double lastDepth = wholeSteps * data.increment;
    constexpr int FieldDigits = 10;
    return Msg(TMsg::RunTipNotInTables, LengthText(data.totalLength, data.units, FieldDigits),
               LengthText(data.increment, data.units, FieldDigits),
               fixed(lastDepth, 2) + QLatin1Char(' ') + UnitWord("L2", data.units));
}

bool ValidateInput(const TValidationData& data)
{
    // Every check runs, so each failing one shows its message.
    const bool taper = taperAngleOk(data);
    const bool modulus = modulusOk(data);
    const bool length = totalLengthOk(data);
    const bool layers = layersOk(data);
    return taper && modulus && length && layers;
}

// ---- Files of a run -----------------------------------------------------------

TRunPaths TRunPaths::ForProject(const std::filesystem::path& projectPath)
{
    auto with = [&projectPath](const char* extension) {
        std::filesystem::path p = projectPath;
        return p.replace_extension(extension);
    };
    return {projectPath, with(".vd7o"), with(".vd7p"), with(".cpt")};
}

bool WriteHandOverFile(const std::filesystem::path& file, const TRunPaths& paths)
{
    // The version, two reserved lines and a reserved integer, then the four paths.
    std::string text = std::string(VersionText) + "\n\n\n0\n";
    for (const std::filesystem::path* p : {&paths.project, &paths.report, &paths.plotData, &paths.cpt})
        text += p->string() + '\n';
    return !WriteFilesTogether({{file, text}});
}

QString RunPathProblem(const TRunPaths& paths)
{
    // The hand-over file holds one path a line: a line break would make its lines name other files.
    const auto hasControl = [](const std::string& text) {
        return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 32; });
    };
    for (const std::filesystem::path* p : {&paths.project, &paths.report, &paths.plotData, &paths.cpt}) {
        if (p->string().size() > MaxEnginePathBytes)
            return cannotStart(*p, PathTooLongText);
        if (hasControl(p->string()))
            return cannotStart(*p, MessageText(TMsg::PathControlCharacter));
    }
    std::vector<std::filesystem::path> folders;
    for (const std::filesystem::path* p : {&paths.report, &paths.plotData}) {
        const std::filesystem::path folder = p->parent_path();
        if (std::find(folders.begin(), folders.end(), folder) != folders.end())
            continue;
        folders.push_back(folder);
        if (const int error = folderWriteError(folder))
            return cannotStart(folder, systemReason(error));
    }
    return {};
}

QString RemoveStaleOutputs(const TRunPaths& paths)
{
    std::filesystem::path gwi = paths.project;
    const std::filesystem::path& waveEquation = gwi.replace_extension(".gwi");
    QString problem; // the first file that stays; the others go all the same
    for (const std::filesystem::path* p : {&paths.report, &paths.plotData, &waveEquation})
        if (::unlink(p->c_str()) != 0 && errno != ENOENT && problem.isEmpty())
            problem = cannotStart(*p, systemReason(errno));
    return problem;
}

std::vector<QString> ReportFinalBlock(const std::filesystem::path& report)
{
    const std::vector<std::string> lines = reportLines(report);
    std::size_t end = lines.size();
    while (end > 0 && blank(lines[end - 1]))
        --end;
    std::size_t begin = end;
    while (begin > 0 && !blank(lines[begin - 1]))
        --begin;
    if (begin == end || begin < 2 || !blank(lines[begin - 2]))
        return {};
    std::vector<QString> block;
    for (std::size_t i = begin; i < end; ++i)
        block.push_back(QString::fromUtf8(lines[i]).trimmed());
    return block;
}

QString EngineStopMessage(int status, const std::filesystem::path& report)
{
    const std::vector<QString> block = ReportFinalBlock(report);
    if (block.empty())
        return Msg(TMsg::NoReport, PathText(report));
    QString message = status == RunStatus::Stopped ? StoppedOnCheckText : FilesFailedText;
    for (const QString& line : block)
        message += CR + line;
    return message;
}

QString InitializeFailedMessage(const std::filesystem::path& library, const std::string& loaderText)
{
    // The loader names the file before its reason: the path is given once.
    const std::string prefix = library.string() + ": ";
    const std::string reason = loaderText.starts_with(prefix) ? loaderText.substr(prefix.size()) : loaderText;
    return InitializeFailedText + CR + PathText(library) + QStringLiteral(": ") + QString::fromLocal8Bit(reason);
}

QString SavingErrorMessage(const QString& detail)
{
    return detail.isEmpty() ? SavingErrorText : SavingErrorText + CR + detail;
}

// ---- Scoped guards ------------------------------------------------------------

TNumericLocaleGuard::TNumericLocaleGuard()
{
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    previous_ = current ? current : "C";
    std::setlocale(LC_NUMERIC, "C");
}

TNumericLocaleGuard::~TNumericLocaleGuard() { std::setlocale(LC_NUMERIC, previous_.c_str()); }

TCurrentDirGuard::TCurrentDirGuard(const std::filesystem::path& folder)
{
    std::error_code ec;
    previous_ = std::filesystem::current_path(ec);
    std::filesystem::current_path(folder); // throws when the folder cannot be entered
}

TCurrentDirGuard::~TCurrentDirGuard()
{
    std::error_code ec;
    if (!previous_.empty())
        std::filesystem::current_path(previous_, ec);
}

// ---- The run ------------------------------------------------------------------

TAnalysisRun::TAnalysisRun(IAnalysisHost& host) : host_(host) {}

std::filesystem::path TAnalysisRun::ProgramFolder() const
{
    if (programFolder_)
        return *programFolder_;
    return FileSystemPath(QCoreApplication::applicationDirPath());
}

bool TAnalysisRun::EngineLoaded() { return engineLibrary().has_value(); }

void TAnalysisRun::Run()
{
    try {
        if (!saved())
            return;
        const TValidationData input = host_.ValidationData();
        if (!ValidateInput(input))
            return;
        // Absolute paths: the engine runs with the hand-over folder as current directory.
        const TRunPaths paths = TRunPaths::ForProject(std::filesystem::absolute(host_.ProjectPath()));
        if (const QString problem = RunPathProblem(paths); !problem.isEmpty()) {
            Messages().Information(problem);
            return;
        }
        if (EngineLoaded()) {
            Messages().Information(ReinitializeText);
            return;
        }
        if (!tablesReachTipOrAccepted(input))
            return;
        const TNumericLocaleGuard locale;
        runEngine(paths);
    } catch (const std::exception& e) {
        Messages().Information(QString::fromStdString(e.what()));
    }
}

bool TAnalysisRun::saved()
{
    switch (host_.SaveForRun()) {
    case TSaveResult::Cancelled:
        return false;
    case TSaveResult::Failed:
        Messages().Information(SavingErrorMessage(host_.SaveErrorDetail()));
        return false;
    case TSaveResult::Saved:
        break;
    }
    return host_.ProjectPath() != std::filesystem::path(DefaultProjectPath);
}

void TAnalysisRun::runEngine(const TRunPaths& paths)
{
    // Old results must never pass for the results of this run.
    host_.SetResultsFlag(false);
    host_.CloseResultPlots();
    if (const QString stale = RemoveStaleOutputs(paths); !stale.isEmpty()) {
        Messages().Information(stale);
        host_.CheckSpeedButtons();
        return;
    }

    QTemporaryDir handOverFolder;
    if (!handOverFolder.isValid()) {
        Messages().Information(HandOverErrorText);
        host_.CheckSpeedButtons();
        return;
    }
    const std::filesystem::path folder = FileSystemPath(handOverFolder.path());
    const TCurrentDirGuard currentDir(folder);
    if (!WriteHandOverFile(folder / HandOverFileName, paths)) {
        // The engine would ask for the names on the console: do not call it.
        Messages().Information(HandOverErrorText);
        host_.CheckSpeedButtons();
        return;
    }

    TEngineBinding binding;
    TEngineEntry entry = nullptr;
    const std::filesystem::path library = std::filesystem::absolute(ProgramFolder() / EngineLibraryName);
    std::string reason = MsgStd(TMsg::EntryNotExported, QString::fromLatin1(EngineEntryName));
    try {
        binding.Library().SetLibraryName(library.string());
        binding.Library().Open();
        entry = reinterpret_cast<TEngineEntry>(binding.Library().GetProc(EngineEntryName));
    } catch (const EDLLError& e) {
        entry = nullptr;
        reason = e.detail().empty() ? e.what() : e.detail();
    }
    if (!entry) {
        Messages().Information(InitializeFailedMessage(library, reason));
        host_.CheckSpeedButtons();
        return;
    }
    int status = 0;
    {
        const TWaitCursor wait;
        status = entry(RunRequest::Analysis);
    }
    readResults(paths, status);
    host_.CheckSpeedButtons();
    host_.CloseInputWindows();
    removeFile(folder / HandOverFileName);
}

void TAnalysisRun::readResults(const TRunPaths& paths, int status)
{
    if (status != RunStatus::Completed) {
        // The engine's reason is the last block of its report, not its console.
        Messages().Information(EngineStopMessage(status, paths.report));
        return;
    }
    const bool results = host_.ReadPlotFile(paths.plotData, true); // a failure says so
    host_.SetResultsFlag(results);
    if (!results)
        return;
    Messages().Information(CompletedText);
    try {
        host_.WriteWaveEquationFile();
    } catch (const std::exception& e) {
        Messages().Information(QString::fromStdString(e.what()));
    }
}

} // namespace veldo
