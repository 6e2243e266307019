// Diameters and widths of a section are entered in the small unit (in or mm),
// depths and lengths in the large one (ft or m). One declaration for the engine
// and the program; plain C++, no Qt.
#pragma once

namespace veldo {

inline constexpr double kInchesPerFoot = 12.0;
inline constexpr double kMillimetresPerMetre = 1000.0;

// The diameter unit per depth unit: 12 in per ft in English units, 1000 mm per m in SI.
constexpr double DiameterUnitsPerDepthUnit(bool english) { return english ? kInchesPerFoot : kMillimetresPerMetre; }

} // namespace veldo
