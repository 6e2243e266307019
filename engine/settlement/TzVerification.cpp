#include "TzVerification.h"

#include <algorithm>

#include "TzCurves.h"
#include "UnitLabels.h"

namespace veldo {
namespace {

// A user depth (ft or m below the ground) inside the soil profile.
bool inSoilRange(const EngineState& S, double depth)
{
    const int rows = std::clamp(S.LAYER_END_COUNT, 0, MAX_SOIL_ROWS);
    const double last = S.SOIL[static_cast<size_t>(rows)][COL_DEPTH];
    return depth >= -kDepthTol && depth <= last + kDepthTol;
}

} // namespace

void TZ_VERIFICATION(EngineState& S)
{
    S.report.write("/,/,16X,'*************************************************',/,"
                   "16X,'* COMPUTE INTERNALLY-GENERATED LOAD-TRANSFER    *',/,"
                   "16X,'* (t-z) CURVES FOR VERIFICATION                 *',/,"
                   "16X,'*************************************************',/,/");
    PRINT_TZ_CURVES(S, 1);
}

void PRINT_TZ_CURVES(EngineState& S, int printSwitch)
{
    SET_UNIT_LABELS(S);
    const int m = std::clamp(S.TZ_DEPTH_COUNT, 0, MAX_TZ_DEPTHS);
    RESIZE_TZ_STORE(S, m);
    const double lengthFactor = english(S) ? 12.0 : 1.0;
    std::vector<bool> inRange(static_cast<size_t>(m + 1), false);
    int count = 0;
    for (int i = 1; i <= m; ++i) {
        const auto k = static_cast<size_t>(i);
        const double depth = S.TZ_DEPTHS[k];
        inRange[k] = inSoilRange(S, depth);
        if (!inRange[k])
            continue;
        ++count;
        // A depth in no layer of at least 0.11 thickness takes the clay curve.
        const LayerPoint soil = layerPointAt(S, depth);
        S.TZNODE_KIND[k] = soil.kind;
        S.TZNODE_PHI[k] = soil.phi;
        S.TZNODE_GROUND[k] = depth * lengthFactor;
        S.TZNODE_DEPTH[k] = S.TZNODE_GROUND[k];
        S.TZNODE_FSIDE[k] = UNIT_SIDE_RESISTANCE(S, S.TZNODE_GROUND[k]);
        BUILD_TZ_CURVE(S, i);
    }
    if (printSwitch != 1)
        return;
    writeTzTableHeading(S);
    writePlotCount(S, count);
    for (int i = 1; i <= m; ++i) {
        const auto k = static_cast<size_t>(i);
        // The user's depths are below the ground surface already: printed as given.
        if (inRange[k]) {
            writeTzCurve(S, i, S.TZ_DEPTHS[k], i, true);
        } else {
            S.report.write("8X,I5,I11,E16.4", {i, TZ_CURVE_POINTS, S.TZ_DEPTHS[k]});
            S.report.write("15X,'CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE'");
        }
    }
}

} // namespace veldo
