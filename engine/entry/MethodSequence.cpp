#include "MethodSequence.h"

#include <array>
#include <string>

#include "ApiRp2a.h"
#include "CommonSteps.h"
#include "Fhwa.h"
#include "Fugro.h"
#include "General.h"
#include "Icp.h"
#include "InputRead.h"
#include "Lambda.h"
#include "LoadSettlement.h"
#include "Ngi.h"
#include "PlotData.h"
#include "SideBySide.h"
#include "SoilProfile.h"
#include "TzVerification.h"
#include "Usace.h"
#include "Uwa.h"

namespace veldo {
namespace {

// Boxed title of a method's capacity table.
struct TableTitle {
    int indent;
    const char* text; // the row of asterisks is as long as the title
};

TableTitle titleOf(int designMethod)
{
    static constexpr std::array<TableTitle, 10> kTitles = {{
        {0, ""},
        {28, "*  FED. HWY. METHOD  *"},
        {28, "* ARMY CORPS METHOD  *"},
        {28, "*  LAMBDA 2 METHOD   *"},
        {28, "*  API RP-2A (1994)  *"},
        {29, "* GENERAL METHOD *"},
        {10, "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *"},
        {20, "*  IMPERIAL COLLEGE (MTD) METHOD  *"},
        {20, "*    FUGRO 2004 (FUGRO) METHOD    *"},
        {13, "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *"},
    }};
    return kTitles[static_cast<size_t>(designMethod)];
}

void writeTableHeading(EngineState& S, int designMethod)
{
    const TableTitle title = titleOf(designMethod);
    const std::string indent(static_cast<size_t>(title.indent), ' ');
    const std::string stars(std::string(title.text).size(), '*');
    S.report.line();
    S.report.line();
    S.report.line();
    S.report.line(indent + stars);
    S.report.line(indent + title.text);
    S.report.line(indent + stars);
    S.report.line();
    if (S.LOADING == Loading::Tension) {
        S.report.write("10X,'   PILE       TOTAL SKIN       SELF      ULTIMATE'");
        S.report.write("10X,'PENETRATION   FRICTION        WEIGHT     CAPACITY'");
    } else {
        S.report.write("10X,'   PILE       TOTAL SKIN       END       ULTIMATE'");
        S.report.write("10X,'PENETRATION   FRICTION       BEARING     CAPACITY'");
    }
    S.report.write("14X,A3,10X,A3,11X,A3,10X,A3", {S.LEN_LABEL, S.FORCE_LABEL, S.FORCE_LABEL, S.FORCE_LABEL});
}

void writeTableRow(EngineState& S, int index, int k)
{
    const auto col = static_cast<size_t>(index);
    const auto node = static_cast<size_t>(k);
    const bool plugControls = S.PLUG_FLAG[col][node] == PlugControl::AnnulusAndPlug;
    S.report.write(
        plugControls ? "11X,F7.2,6X,F8.1,6X,F8.1,'*   ',F9.1" : "11X,F7.2,6X,F8.1,6X,F8.1,4X,F9.1",
        {k * S.INCREMENT, S.METHOD_SKIN[col][node], S.METHOD_END_BEARING[col][node], S.METHOD_ULTIMATE[col][node]});
}

// A method's result columns are final: the selected method hands its points to
// the load-settlement analysis now, from the columns its table prints, since a
// later pass may run the common steps of its index again and rewrite them.
void resultsFinal(EngineState& S, int designMethod)
{
    if (designMethod == S.SELECTED_METHOD)
        COPY_LOAD_SETTLEMENT_INPUT(S);
    if (S.RESULTS_FINAL)
        S.RESULTS_FINAL(designMethod);
}

// Runs a method routine (its warnings and errors reach the report only when its
// table does) and the common steps of its index; then, when the run writes its
// output, its table and plot block.
template <typename Routine> void runMethod(EngineState& S, int designMethod, Routine routine)
{
    const bool printed = methodWritesOutput(S, designMethod);
    S.METHOD_NOTES = printed;
    routine(S);
    S.METHOD_NOTES = true;
    COMMON_STEPS(S, methodIndexOf(designMethod));
    resultsFinal(S, designMethod);
    if (printed)
        PRINT_CAPACITY_TABLE(S, designMethod);
}

void runGeneralMethod(EngineState& S)
{
    // Ticked, it always runs (zeros where the user gave nothing), so that its
    // block is always written; unticked, only when the user gave values.
    const bool wanted = S.MethodTicked[Method::General] == Flag::On || hasUserLoadTransfer(S);
    if (S.GENERAL_ONCE != 0 || !wanted)
        return;
    S.GENERAL_ONCE = 1;
    CALC_GENERAL_CAPACITY(S);
    COMMON_STEPS(S, MethodIndex::General);
    resultsFinal(S, Method::General);
    if (S.PASS == 1 && methodWritesOutput(S, Method::General))
        PRINT_CAPACITY_TABLE(S, Method::General);
}

void passOne(EngineState& S)
{
    WRITE_PLOT_HEADER(S, plotSeriesCount(S));
    runGeneralMethod(S);
    CALC_FHWA_CAPACITY(S);
    COMMON_STEPS(S, MethodIndex::Fhwa);
    CALC_USACE_CAPACITY(S);
    COMMON_STEPS(S, MethodIndex::Usace);
    CALC_LAMBDA2_CAPACITY(S);
    COMMON_STEPS(S, MethodIndex::RevisedLambda);
    for (int method : {Method::Fhwa, Method::Usace, Method::RevisedLambda}) {
        resultsFinal(S, method);
        if (methodWritesOutput(S, method))
            PRINT_CAPACITY_TABLE(S, method);
    }
    PRINT_SIDE_BY_SIDE(S);
}

void passTwo(EngineState& S)
{
    runGeneralMethod(S);
    runMethod(S, Method::ApiRp2a, CALC_API_CAPACITY);
    if (S.OFFSHORE_FLAG == Flag::On) {
        runMethod(S, Method::Ngi, CALC_NGI_CAPACITY);
        runMethod(S, Method::IcpMtd, CALC_ICP_CAPACITY);
        runMethod(S, Method::Fugro, CALC_FUGRO_CAPACITY);
        runMethod(S, Method::Uwa, CALC_UWA_CAPACITY);
    }
    // A selected user method that never ran hands over its empty columns.
    if (S.LS_METHOD_INDEX == MethodIndex::None)
        COPY_LOAD_SETTLEMENT_INPUT(S);
    LOAD_SETTLEMENT_ANALYSIS(S);
    if (S.TZ_DEPTH_COUNT > 0)
        TZ_VERIFICATION(S);
}

} // namespace

bool methodWritesOutput(const EngineState& S, int designMethod)
{
    if (designMethod < Method::First || designMethod > Method::Last ||
        S.MethodTicked[static_cast<size_t>(designMethod)] != Flag::On)
        return false;
    return !Method::IsOffshore(designMethod) || S.OFFSHORE_FLAG == Flag::On;
}

int plotSeriesCount(const EngineState& S)
{
    int count = 0;
    for (int method = Method::First; method <= Method::Last; ++method)
        if (methodWritesOutput(S, method))
            ++count;
    return count;
}

void PRINT_CAPACITY_TABLE(EngineState& S, int designMethod)
{
    const int index = methodIndexOf(designMethod);
    if (index == MethodIndex::None)
        return;
    writeTableHeading(S, designMethod);
    for (int k : printedNodes(S)) {
        writeTableRow(S, index, k);
        WRITE_PLOT_ROW(S, index, k);
    }
}

void COPY_LOAD_SETTLEMENT_INPUT(EngineState& S)
{
    const int index = methodIndexOf(S.SELECTED_METHOD);
    S.LS_METHOD_INDEX = index;
    S.LS_POINT_COUNT = 0;
    if (index == MethodIndex::None)
        return;
    const auto col = static_cast<size_t>(index);
    // With option 1 the tip is the printed END BEARING column (the factored end
    // bearing; in tension the self weight, a weight that no resistance factor
    // touches); with option 0 the unfactored tip.
    const auto& tips = S.SIDE_FACTOR_FLAG == TzFactorOption::Factored ? S.METHOD_END_BEARING[col] : S.METHOD_TIP[col];
    int r = 0;
    for (int k : printedNodes(S)) {
        ++r;
        const auto node = static_cast<size_t>(k);
        S.LS_NODE[r] = k;
        S.LS_DEPTH[r] = k * S.INCREMENT;
        S.LS_SKIN[r] = S.METHOD_TZ_SKIN[col][node];
        S.LS_TIP[r] = tips[node];
    }
    S.LS_POINT_COUNT = r;
}

void COMPUTATION_LOOP(EngineState& S)
{
    for (S.PASS = 1; S.PASS <= 2; ++S.PASS) {
        BUILD_SEGMENT_TABLE(S);
        PREPARE_SOIL_PROFILE(S);
        for (int index : {MethodIndex::Fhwa, MethodIndex::Usace, MethodIndex::RevisedLambda})
            COMMON_STEPS(S, index);
        if (S.PASS == 1)
            passOne(S);
        else
            passTwo(S);
    }
}

} // namespace veldo
