#include "RunDriver.h"

#include <exception>
#include <iostream>
#include <memory>

#include "HandOver.h"
#include "InputEcho.h"
#include "InputRead.h"
#include "MethodSequence.h"
#include "RecordReader.h"
#include "UnitLabels.h"

namespace veldo {

int RunEngine(int request)
{
    if (request != RunRequest::Analysis)
        return RunStatus::Stopped;
    try {
        auto S = std::make_unique<EngineState>();
        S->STATUS = RunStatus::Completed;
        AXIAL_CAPACITY_MAIN(*S);
        return S->STATUS;
    } catch (...) {
        return RunStatus::Failed;
    }
}

void WRITE_BANNER(EngineState& S, TextOut& out)
{
    out.write("5X,73('=')");
    out.line();
    out.write("20X,'  VELDO for Windows, Version ',A12", {S.VERSION});
    out.line();
    out.write("20X,'   A Program for Analyzing the Axial Capacity '");
    out.write("20X,'   and Short-term Settlement of Driven Piles '");
    out.write("20X,'             under Axial Loading. '");
    out.line();
    out.write("5X,73('=')");
    out.line();
}

void WRITE_FILE_HEADER(EngineState& S)
{
    const SplitPath input = SplitFilePath(S.INPUT_PATH);
    S.report.write("5X,'Path to file locations      : ',A", {input.directory});
    S.report.write("5X,'Name of input data file     : ',A", {input.fileName});
    S.report.write("5X,'Name of output file         : ',A", {SplitFilePath(S.OUTPUT_PATH).fileName});
    S.report.write("5X,'Name of plot output file    : ',A", {SplitFilePath(S.PLOT_PATH).fileName});
    S.report.line();
}

namespace {

void writeMessage(EngineState& S, const std::vector<std::string>& lines)
{
    for (TextOut* out : {&S.console, &S.report})
        for (const std::string& l : lines)
            out->line(l);
}

void writeResultHeading(EngineState& S)
{
    S.report.line();
    S.report.line();
    S.report.line();
    S.report.line("1");
    S.report.write("10X,22('*')");
    S.report.write("10X,'* COMPUTATION RESULT *'");
    S.report.write("10X,22('*')");
}

// Steps up to the computation loop; false when the run stops at an input check.
bool prepareRun(EngineState& S, std::istream& consoleIn)
{
    READ_HAND_OVER(S, consoleIn);

    // Created (or emptied) at once, so an old file is never taken for fresh results.
    const std::string plotPath = TrimmedPath(S.PLOT_PATH);
    const bool plotOpen = S.plot.open(plotPath);
    S.plot.setOverflow(Overflow::Widen);

    WRITE_BANNER(S, S.console);
    const std::string reportPath = TrimmedPath(S.OUTPUT_PATH);
    if (!S.report.open(reportPath))
        throw RunStop(RunStatus::Failed,
                      FailureMessage("ERROR CREATING FILE " + reportPath, "THE REPORT CANNOT BE WRITTEN."));
    WRITE_BANNER(S, S.report);
    WRITE_FILE_HEADER(S);
    PRINT_DATE_TIME(S);
    if (!plotOpen)
        throw RunStop(RunStatus::Failed,
                      FailureMessage("ERROR CREATING FILE " + plotPath, "THE PLOT-DATA FILE CANNOT BE WRITTEN."));

    const std::string inputPath = TrimmedPath(S.INPUT_PATH);
    const std::string projectText = ReadWholeFile(inputPath);
    const std::string cptPath = TrimmedPath(S.CPT_PATH);
    const std::string cptText = cptPath.empty() ? std::string() : ReadWholeFile(cptPath);
    READ_PROJECT_TEXT(S, projectText, inputPath);
    SET_UNIT_LABELS(S);
    S.CPT_COUNT = 0;
    if (!cptPath.empty())
        READ_CPT_TEXT(S, cptText, cptPath);
    if (!SOIL_DEPTH_CHECK(S))
        return false;

    S.console.line();
    S.console.line();
    S.console.write("9X,'COMPUTATION IS PROCEEDING........'");
    INPUT_ECHO(S);
    writeResultHeading(S);
    return SEGMENT_COUNT_CHECK(S);
}

} // namespace

void AXIAL_CAPACITY_MAIN(EngineState& S) { AXIAL_CAPACITY_MAIN(S, std::cin); }

void AXIAL_CAPACITY_MAIN(EngineState& S, std::istream& consoleIn)
{
    S.LOW_WEIGHT_DEPTH = 99999.0;
    S.TENSION_FACTOR = 1.0;
    S.INPUT_PATH = FixedText("ucheck", 255);
    S.GENERAL_ONCE = 0;
    S.console.attachConsole();
    try {
        if (prepareRun(S, consoleIn)) {
            S.PASS = 1;
            COMPUTATION_LOOP(S);
        }
    } catch (const RunStop& stop) {
        writeMessage(S, stop.lines());
        S.STATUS = stop.status();
    } catch (const std::exception& e) {
        writeMessage(S, FailureMessage("INTERNAL ERROR:", e.what()));
        S.STATUS = RunStatus::Failed;
    }
    // Common exit. The plot-data file closes first: a failure to write it is a stop
    // like any other, and its reason ends the report.
    S.plot.close();
    if (S.STATUS == RunStatus::Completed && !S.plot.good()) {
        const std::string indent(10, ' ');
        writeMessage(S, {"", "", indent + "ERROR WRITING FILE " + TrimmedPath(S.PLOT_PATH),
                         indent + "THE PLOT-DATA FILE IS INCOMPLETE."});
        S.STATUS = RunStatus::Failed;
    }
    S.report.close();
    S.console.close();
    if (S.STATUS == RunStatus::Completed && !S.report.good())
        S.STATUS = RunStatus::Failed;
    if (S.STATUS == RunStatus::Failed) {
        // A failed run leaves an empty plot-data file.
        const std::string plotPath = TrimmedPath(S.PLOT_PATH);
        if (!plotPath.empty() && S.plot.open(plotPath))
            S.plot.close();
    }
}

} // namespace veldo
