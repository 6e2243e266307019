// Codes of a project's input as the project file and the engine store them, and the
// request and the status of the engine's entry. One declaration for the engine, the
// components and the program; plain C++, no Qt.
#pragma once

namespace veldo {

// Unit system of a project (and of the values a field or table column shows).
namespace UnitSystem {
inline constexpr int English = 1; // ft, in, kips, ksf
inline constexpr int SI = 2;      // m, mm, kN, kPa
} // namespace UnitSystem

// Design method numbers: the index of the method flags and the selected method.
namespace Method {
inline constexpr int Fhwa = 1;
inline constexpr int Usace = 2;
inline constexpr int RevisedLambda = 3;
inline constexpr int ApiRp2a = 4;
inline constexpr int General = 5; // the user's unit skin friction and end bearing
inline constexpr int Ngi = 6;
inline constexpr int IcpMtd = 7;
inline constexpr int Fugro = 8;
inline constexpr int Uwa = 9;
inline constexpr int First = Fhwa;
inline constexpr int Last = Uwa;
inline constexpr int Count = 9;
// NGI, ICP/MTD, Fugro and UWA run only with the offshore-methods flag.
constexpr bool IsOffshore(int method) { return method >= Ngi && method <= Uwa; }
} // namespace Method

// Pile types.
namespace PileType {
inline constexpr int SteelPipe = 1; // also a non-tapered monotube
inline constexpr int Timber = 2;
inline constexpr int PrecastConcrete = 3;
inline constexpr int RaymondStepTaper = 4;
inline constexpr int RaymondUniformTaper = 5;
inline constexpr int HPile = 6;
inline constexpr int TaperedMonotube = 7;
inline constexpr int First = SteelPipe;
inline constexpr int Last = TaperedMonotube;
// Types whose section narrows with the taper angle.
constexpr bool IsTapered(int type)
{
    return type == Timber || type == RaymondStepTaper || type == RaymondUniformTaper || type == TaperedMonotube;
}
} // namespace PileType

// Soil types of a layer.
namespace SoilType {
inline constexpr int Sand = 1;
inline constexpr int Clay = 2;
inline constexpr int Silt = 3;
} // namespace SoilType

// Pile-end flag.
namespace PileEnd {
inline constexpr int Open = 0;
inline constexpr int Closed = 1;
} // namespace PileEnd

// Plug condition of an open-ended pile.
namespace PlugCondition {
inline constexpr int Computed = 0;
inline constexpr int Plugged = 1;
inline constexpr int Unplugged = 2;
} // namespace PlugCondition

// Where the cross-section area comes from.
namespace AreaMode {
inline constexpr int FromSection = 0;
inline constexpr int Constant = 1;
inline constexpr int Table = 2;
} // namespace AreaMode

// Critical depth of sand.
namespace CriticalDepthOption {
inline constexpr int ByDensity = 0;
inline constexpr int AtStressLimit = 1;
inline constexpr int UserDepth = 2;
} // namespace CriticalDepthOption

// Loading of the pile.
namespace Loading {
inline constexpr int Compression = 0;
inline constexpr int Tension = 1;
} // namespace Loading

// Clay condition of the ICP/MTD method.
namespace ClayCondition {
inline constexpr int Undrained = 0;
inline constexpr int Drained = 1;
} // namespace ClayCondition

// T-z factor option: which side friction and tip reach the load-settlement analysis.
namespace TzFactorOption {
inline constexpr int Unfactored = 0;
inline constexpr int Factored = 1; // reduced by the layers' side and tip factors
} // namespace TzFactorOption

// Yes/no flags of a project: a method ticked, the offshore methods, the user t-z depths.
namespace Flag {
inline constexpr int Off = 0;
inline constexpr int On = 1;
} // namespace Flag

// The request the program passes to the engine's entry: run the analysis of the
// project named in names.dat. The entry answers any other request with RunStatus::Stopped.
namespace RunRequest {
inline constexpr int Analysis = 7;
} // namespace RunRequest

// Status of a run, the entry's return value.
namespace RunStatus {
inline constexpr int Completed = 0;
inline constexpr int Stopped = 1; // an input check stopped the run (or the request is unknown)
inline constexpr int Failed = 2;  // a file could not be read or written, or an internal error
} // namespace RunStatus

} // namespace veldo
