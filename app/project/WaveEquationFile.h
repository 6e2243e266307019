// The input file of the outside wave-equation program GRLWeap (".gwi"): a fixed
// template of numeric lines carrying the project title, the pile section, modulus
// and unit weight, and the resistance profile of the selected load-transfer method
// as the plot-data reader kept it in the project's result table.
#pragma once

#include "InputCodes.h"

#include <QString>

#include <string>
#include <vector>

namespace veldo {

class TProgramData;
class TProjectTables;

// One row of the soil-layer table as the file needs it.
struct TWaveEquationLayer {
    long double bottom = 0;        // depth at the bottom of the layer
    int soilType = SoilType::Sand; // anything but sand is treated as clay
};

// The rows of D: the bottom depth read from the cell's text, the soil type as an integer.
std::vector<TWaveEquationLayer> WaveEquationLayersOf(const TProjectTables& tables);

// The perimeter the file uses: 3.1416 x OD for a circular section, else the
// project's perimeter field (in / mm).
long double WaveEquationPerimeter(const TProgramData& data);

// The whole file text, lines ended by CR LF. The profile is the first n points of
// the result table, n being integer table entry 11 (taken within 0..501).
std::string WaveEquationFileText(const TProgramData& data, const std::vector<TWaveEquationLayer>& layers);

// Writes the file beside the project (its extension replaced by ".gwi"): stores
// that path in the project's wave-equation path, gives a circular section the
// perimeter 3.1416 x OD, then replaces the file only when all of it was written.
// Throws EWriteError naming the file when it cannot be written.
void WriteWaveEquationFile(TProgramData& data, const TProjectTables& tables);

} // namespace veldo
