#include "SideBySide.h"

#include <string>

#include "PlotData.h"

namespace veldo {

namespace {

constexpr const char* TITLE = "*  SUMMARY OF ULTIMATE CAPACITIES  *";

void writeHeading(EngineState& S)
{
    const std::string stars(std::string(TITLE).size(), '*');
    for (int i = 0; i < 3; ++i)
        S.report.line();
    S.report.write("21X,A", {stars});
    S.report.write("21X,A", {TITLE});
    S.report.write("21X,A", {stars});
    S.report.line();
    S.report.line("             PILE      FED. HWY.    ARMY CORPS      LAMBDA 2");
    S.report.line("          PENETRATION   CAPACITY      CAPACITY      CAPACITY");
    S.report.write("14X,A3,10X,A3,11X,A3,11X,A3", {S.LEN_LABEL, S.FORCE_LABEL, S.FORCE_LABEL, S.FORCE_LABEL});
}

} // namespace

void PRINT_SIDE_BY_SIDE(EngineState& S)
{
    if (S.MethodTicked[Method::Fhwa] != Flag::On && S.MethodTicked[Method::Usace] != Flag::On &&
        S.MethodTicked[Method::RevisedLambda] != Flag::On)
        return;
    writeHeading(S);
    for (const int k : printedNodes(S))
        S.report.write("11X,F7.2,5X,F9.1,5X,F9.1,5X,F9.1",
                       {k * S.INCREMENT, S.METHOD_ULTIMATE[MethodIndex::Fhwa][k],
                        S.METHOD_ULTIMATE[MethodIndex::Usace][k], S.METHOD_ULTIMATE[MethodIndex::RevisedLambda][k]});
}

} // namespace veldo
