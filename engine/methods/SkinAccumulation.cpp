#include "SkinAccumulation.h"

#include <algorithm>

#include "CommonSteps.h"

namespace veldo {

void accumulateSkin(EngineState& S, const SkinColumns& c, const NodeArray& perimeterAt, int N, NodeFrictionRule rule)
{
    const double dz = S.INCREMENT;
    const bool reduceThenLimit = rule == NodeFrictionRule::ReducedThenLimited;
    c.increment[0] = c.incrementMax[0] = c.cumulative[0] = 0.0;
    S.SKIN_FACTORED[0] = 0.0;
    c.tzSkin[0] = 0.0;
    double sum = 0.0, factored = 0.0;
    for (int k = 1; k <= N; ++k) {
        if (reduceThenLimit && S.LOADING == Loading::Tension)
            c.unitFriction[k] *= S.TENSION_FACTOR;
        const double p = perimeterAt[k];
        double dq = (c.unitFriction[k - 1] + c.unitFriction[k]) * 0.5 * p * dz;
        const double dqMax = (c.limit[k - 1] + c.limit[k]) * 0.5 * p * dz;
        c.incrementMax[k] = dqMax;
        if (reduceThenLimit && c.unitFriction[k] > c.limit[k])
            c.unitFriction[k] = c.limit[k];
        if (dq - dqMax > 1e-6)
            dq = dqMax;
        c.increment[k] = dq;
        sum += dq;
        factored += dq * S.SEG_SIDE_FACTOR[segmentAtNode(S, k)];
        S.SKIN_FACTORED[k] = factored;
        c.cumulative[k] = factored; // the tables show the factored sum
        c.tzSkin[k] = S.SIDE_FACTOR_FLAG == TzFactorOption::Factored ? factored : sum;
    }
}

void publishNodes(EngineState& S, int index, const NodeArray& unitFriction, const NodeArray& skin,
                  const NodeArray& tzSkin, int N)
{
    for (int k = 0; k <= N; ++k) {
        S.METHOD_UNIT_FRICTION[index][k] = unitFriction[k];
        S.METHOD_SKIN[index][k] = skin[k];
        S.METHOD_TZ_SKIN[index][k] = tzSkin[k];
    }
}

void accumulateNodesAndPublish(EngineState& S, int index, double perimeter, NodeArray& tzSkin,
                               const PairArray& plugPair, int N)
{
    for (int k = 0; k <= N; ++k)
        S.NODE_UNIT_FRICTION_LIMITED[k] = std::min(S.NODE_UNIT_FRICTION[k], S.NODE_FRICTION_LIMIT[k]);
    NodeArray perimeterAt{};
    perimeterAt.fill(perimeter);
    accumulateSkin(S,
                   {S.NODE_UNIT_FRICTION, S.NODE_FRICTION_LIMIT, S.SKIN_INCREMENT, S.SKIN_INCREMENT_MAX,
                    S.SKIN_CUMULATIVE, tzSkin},
                   perimeterAt, N, NodeFrictionRule::AsGiven);
    publishNodes(S, index, S.NODE_UNIT_FRICTION_LIMITED, S.SKIN_CUMULATIVE, tzSkin, N);
    S.METHOD_PLUG_FRICTION[index] = plugPair;
}

} // namespace veldo
