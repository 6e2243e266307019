// The project's CPT profile is cone resistance (ksf in English units, kPa in SI);
// blow counts and undrained shear strength are views computed from it.
#pragma once

#include "InputCodes.h"
#include "PltData.h"

#include <QString>

#include <vector>

namespace veldo {

// What a profile shows: the cone resistance, or the blow count or undrained shear
// strength converted from it.
enum class TCptConversion { Qc, Spt, Su };

// How a CPT text data file is read: header lines skipped whole, then `dataLines`
// lines of at least `valuesPerLine` numbers (depth, cone resistance, others ignored;
// the rest of each line skipped). `ua` converts the file's stress unit to ksf
// (English) or kPa (SI).
struct TCptReadSettings {
    int dataLines = 2;
    int headerLines = 0;
    int valuesPerLine = 2;
    long double ua = 1.0L;
    int units = UnitSystem::English;
};

// The profile value of a cone resistance qc read from the file:
// Qc: ua*qc; SPT: ua*qc*47.875/280 (English, ksf to kPa), ua*qc/280 (SI);
// Su: ua*qc/15.
long double CptProfileValue(long double qc, TCptConversion conversion, const TCptReadSettings& settings);

// Plot caption, axis captions and curve name of a profile.
struct TCptPlotTexts {
    QString caption;
    QString xCaption;
    QString yCaption;
    QString curveName;
};
TCptPlotTexts CptPlotTexts(TCptConversion conversion, int units);

// Replaces the points of a cone-resistance profile (X the cone resistance, Y the
// depth) and gives it the texts of a cone-resistance plot.
void SetCptProfile(TGraphPlot& profile, std::vector<TFloatPoint> points, int units);

// Fills `view` with the cone-resistance profile `profile` seen as `conversion` in
// unit system `units`: its texts, and one curve whose points keep the depths and
// convert the cone resistances. The profile is not touched.
void FillCptView(TGraphPlot& view, const TGraphPlot& profile, TCptConversion conversion, int units);

} // namespace veldo
