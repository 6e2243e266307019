// What the analysis run and the plot-data reader take from the open project, and
// what the reader gives back to it.
#pragma once

#include "AnalysisRun.h"
#include "PlotResults.h"

#include <filesystem>

namespace veldo {

class TProgramData;
class TProjectTables;

// The values the input checks read.
TValidationData ValidationDataOf(const TProgramData& data, const TProjectTables& tables);
// The layer bands: soil type and bottom depth of every row of `D`.
std::vector<TLayerBand> LayerBandsOf(const TProjectTables& tables);
// What the plot-data reader takes from the project.
TPlotFileContext PlotFileContextOf(const TProgramData& data, const TProjectTables& tables);

// Reads the plot-data file into the plots as the main window does after a run and
// on opening a project: the selected method's profile goes into the project's
// result table (at most 501 points) and integer table entry 11; a perimeter below
// 1e-6 becomes 3.1416 x OD (in the diameter's unit, in or mm) once the file's
// header was read; after a successful read the CPT plot takes the file's unit
// system like the result plots. True on success.
bool ReadProjectPlotFile(TResultPlots& plots, TProgramData& data, const TProjectTables& tables,
                         const std::filesystem::path& plotFile, bool showMessages);

} // namespace veldo
