// The project's scalar settings (TProgramData) and the project file: writing in
// generation 1 with its companion CPT file, reading generations 1 (".vd7d"),
// 2 (".vd6d") and 3 (".vdd"). The tabular input lives in TProjectTables.
#pragma once

#include "InputCodes.h"
#include "PiApproximations.h"
#include "ProjectTables.h"

#include <QString>

#include <array>
#include <memory>
#include <stdexcept>

namespace veldo {

// A file of the project could not be written; the message is the file's path and
// the reason on the next line (joined by CR, as the message boxes show them).
class EWriteError : public std::runtime_error {
public:
    EWriteError(const QString& path, const std::string& reason) : std::runtime_error(path.toStdString() + "\r" + reason)
    {
    }
    explicit EWriteError(const std::string& message) : std::runtime_error(message) {}
};

struct TProjectRead;
class TWordReader;

// Entries of the integer table.
constexpr int kIntegerTableSize = 289;
constexpr int kResultPointCountEntry = 11;
constexpr int kCptDataLinesEntry = 268;
constexpr int kCptValuesPerLineEntry = 270;
constexpr int kCptHiddenCountEntry = 271;
constexpr int kCptHeaderLinesEntry = 272;
constexpr int kCptPointCountEntry = 273;
// Result table: depth at 1 + j, unit skin friction at 502 + j, tip value at 1003 + j.
constexpr int kResultTableSize = 1504;
constexpr int kResultDepthBase = 1;
constexpr int kResultSkinBase = 502;
constexpr int kResultTipBase = 1003;

// Reading limits (the engine's storage).
constexpr int kMaxLayers = 40;
constexpr int kMaxTzDepths = 100;
constexpr int kMaxSectionRows = 100;
constexpr int kMaxCptPoints = 1000;

// Pi as the section formulas of the program take it.
constexpr long double kSectionPi = kPi3_1416L;

// Perimeter of a circular section, in the unit of its outside diameter.
constexpr long double CircularPerimeter(long double outsideDiameter) { return kSectionPi * outsideDiameter; }

// A section with an inside diameter: a steel pipe, or a circular precast concrete pile.
constexpr bool HollowSection(int pileType, bool circular)
{
    return pileType == PileType::SteelPipe || (pileType == PileType::PrecastConcrete && circular);
}

class TProgramData {
public:
    QString ProjectPath = QStringLiteral("NewVELDO.vd7d");
    QString WaveEquationPath;
    QString CptPath;
    QString Title = QStringLiteral("New Pile");
    QString Designer;
    QString JobNumber;
    // Entry 274 of the integer table: the CPT data file name.
    QString CptDataFileName;

    int UnitSystem = UnitSystem::English;
    int PrintInterval = 1;
    long double Perimeter = 0;
    long double ConstantArea = 0;
    long double TipArea = 0;
    long double OutsideDiameter = 0;
    long double InsideDiameter = 0;
    long double Modulus = 0;
    long double StickupLength = 0;
    long double TotalLength = 0;
    long double EndSectionLength = 0;
    long double EndSectionInnerDiameter = 0;
    long double ZeroFrictionLength = 0;
    long double IncrementLength = 1.0L;
    long double DeepestDepth = 0;
    long double TaperAngle = 0;
    int SelectedMethod = Method::ApiRp2a;
    int PrintTzAtDepths = Flag::Off;
    int PileType = PileType::SteelPipe;
    int Loading = Loading::Compression;
    int ClayCondition = ClayCondition::Undrained;
    int PlugCondition = PlugCondition::Computed;
    int AreaMode = AreaMode::FromSection;
    long double TensionFactor = 1.0L;
    bool Circular = true;
    bool ClosedEnded = false;
    int OffshoreMethods = Flag::On;
    int TzFactors = TzFactorOption::Unfactored;
    int CriticalDepthOption = CriticalDepthOption::ByDensity;
    long double UserCriticalDepth = 0;
    std::array<long double, kResultTableSize> Results{};
    std::array<int, kIntegerTableSize> Integers = DefaultIntegers();

    // Capacity method m (1..9) ticked.
    bool MethodTicked(int method) const;
    void SetMethodTicked(int method, bool ticked);
    int CptPointCount() const { return Integers[kCptPointCountEntry]; }
    // NGI, ICP/MTD, Fugro and UWA may be chosen.
    bool OffshoreMethodsOn() const { return OffshoreMethods == Flag::On; }
    // Silt layers are allowed only while USACE is the one capacity method ticked.
    bool SiltAllowed() const;
    // The taper angle counts only for a tapered pile (timber, Raymond step-taper or
    // uniform taper, tapered monotube) with the FHWA capacity method ticked.
    bool TaperApplies() const;

    // After the capacity methods changed from `previous` (entries 1-9 of the integer
    // table): silt layers become sand when silt is no longer allowed, and an angle
    // of taper that no longer applies becomes 0. Nothing happens when no method
    // changed, so that opening and leaving the methods window changes nothing.
    void MethodsChanged(const TProgramData& previous, const TProjectTables& tables);

    // A new project: default settings, English units, every table emptied and given
    // its minimum row count, no CPT points, nothing changed.
    static TProgramData CreateDefault(TProjectTables& tables);

    // Switches the unit system (codes above 2 become 2, below 1 become 1): the tables,
    // the CPT points and the stored lengths, diameters, areas and modulus are
    // converted. Nothing happens when the system does not change.
    void SetUnits(int code, TProjectTables& tables);

    // Writes the project file (generation 1) at ProjectPath and the CPT file beside
    // it, both or neither (the earlier files stay byte-identical when either fails);
    // stores the CPT path and clears the tables' changed state. Throws EWriteError
    // naming the file and the system's reason (before writing anything when the
    // project path is itself the CPT path).
    void SaveToFile(TProjectTables& tables);

    // Reads a project file of generation 1, 2 or 3, and the CPT file beside it, into a
    // new project and new tables. A read error is shown in an information box; what was
    // read before it is kept, but the project then has no file name.
    static TProjectRead CreateFromFile(const QString& path, int generation);
    // The same from the words of the project file, already read by `in`.
    static TProjectRead CreateFromFile(TWordReader in, const QString& path, int generation);

    friend bool operator==(const TProgramData&, const TProgramData&) = default;

private:
    static std::array<int, kIntegerTableSize> DefaultIntegers();
};

// How a project uses one soil property of a layer (a column of the layer's property
// table in the layout of its soil type). The layer properties window follows the
// capacity methods ticked; the soil tables show the user load transfers only while
// the user-specified method drives the load-settlement analysis (the selected method).
struct TSoilPropertyUse {
    bool shown = false;       // the layer properties window shows its fields
    bool enabled = false;     // and lets them be edited
    bool columnShown = false; // the soil tables show its column
    bool saved = false;       // the project file keeps it
    friend bool operator==(const TSoilPropertyUse&, const TSoilPropertyUse&) = default;
};
// Nothing is used of a column the layout does not have or of a type other than sand,
// clay and silt.
TSoilPropertyUse SoilPropertyUse(const TProgramData& data, int soilType, int column);

// Everything the user can change in a project and saves with it: its settings and
// every value of its tables and CPT profile (not the last run's results, not the CPT
// import settings). Compared before and after a window stores its controls, so that
// only a real change marks the project modified.
struct TProjectState {
    TProgramData data;
    TTablesState tables;
    friend bool operator==(const TProjectState&, const TProjectState&) = default;
};
TProjectState ProjectState(const TProgramData& data, const TProjectTables& tables);

// A project read from a file: its settings, its own tables and the read error shown
// (empty when the whole file was read).
struct TProjectRead {
    TProgramData data;
    std::unique_ptr<TProjectTables> tables;
    QString error;

    bool Complete() const { return error.isEmpty(); }
};

// Generation of a project file by its extension, case ignored: ".vd7d" 1,
// ".vd6d" 2, ".vdd" 3; any other file is read like the oldest layout, 3.
int ProjectGeneration(const QString& path);
// True for the three project file kinds (what a dropped file or a command-line
// argument must be to open).
bool IsProjectFileKind(const QString& path);

// The path with its extension (the part from the last "." of the file name)
// replaced by `extension` (which includes the "."); appended when there is none.
QString ReplaceExtension(const QString& path, const QString& extension);

} // namespace veldo
