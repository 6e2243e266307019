#include "General.h"

#include <algorithm>
#include <cmath>

#include "CommonSteps.h"
#include "DiameterUnits.h"
#include "EngineRules.h"
#include "PiApproximations.h"

namespace veldo {

bool hasUserLoadTransfer(const EngineState& S)
{
    for (int i = 1; i <= std::min(S.SEG_COUNT, MAX_SEGMENTS); ++i)
        if (std::fabs(S.SEG_USER_UNIT_FRICTION[i]) > 1e-10 || std::fabs(S.SEG_USER_UNIT_BEARING[i]) > 1e-10)
            return true;
    return false;
}

void CALC_GENERAL_CAPACITY(EngineState& S)
{
    const int n = lastNode(S);
    const double dz = S.INCREMENT;
    const double d = S.OD / DiameterUnitsPerDepthUnit(english(S));
    const double perimeter = kPi3_14159 * d;
    const double area = S.TIP_AREA > 1e-4 ? S.TIP_AREA : kQuarterPi0_785398 * d * d;
    // Tension reduces the side friction only, in both unit systems.
    const double tension = S.LOADING == Loading::Tension ? S.TENSION_FACTOR : 1.0;
    const auto col = static_cast<size_t>(MethodIndex::General);

    S.NODE_DEPTH[0] = 0.0;
    S.GENERAL_SKIN_CUMULATIVE[0] = 0.0;
    S.GENERAL_TIP_RESISTANCE[0] = area * S.SEG_USER_UNIT_BEARING[1];
    S.METHOD_UNIT_FRICTION[col][0] = S.SEG_USER_UNIT_FRICTION[1];
    S.METHOD_TZ_SKIN[col][0] = 0.0;
    double unfactored = 0.0;
    for (int k = 1; k <= n; ++k) {
        const double z = k * dz;
        S.NODE_DEPTH[k] = z;
        const int ending = segmentHolding(S, z); // the segment that ends at the node
        S.GENERAL_TIP_RESISTANCE[k] = area * S.SEG_USER_UNIT_BEARING[ending];
        const double dq = perimeter * S.SEG_USER_UNIT_FRICTION[ending] * dz * tension;
        unfactored += dq;
        S.GENERAL_SKIN_CUMULATIVE[k] = S.GENERAL_SKIN_CUMULATIVE[k - 1] + dq * S.SEG_SIDE_FACTOR[segmentAtNode(S, k)];
        S.METHOD_UNIT_FRICTION[col][k] = S.SEG_USER_UNIT_FRICTION[ending];
        S.METHOD_TZ_SKIN[col][k] =
            S.SIDE_FACTOR_FLAG == TzFactorOption::Factored ? S.GENERAL_SKIN_CUMULATIVE[k] : unfactored;
    }
    for (int k = 0; k <= n; ++k)
        S.METHOD_SKIN[col][k] = S.GENERAL_SKIN_CUMULATIVE[k];
}

} // namespace veldo
