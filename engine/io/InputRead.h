// Reading of the project file and the CPT file, the input checks, the segment
// count with the snapping of layer boundaries, and the segment table.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "EngineState.h"

namespace veldo {

// Stops the run with a RunStatus: Stopped when an input check refused the input,
// Failed on an input or output failure. The lines are the message the driver writes to the report
// (and the console); each is written as it stands.
class RunStop : public std::runtime_error {
public:
    RunStop(int status, std::vector<std::string> lines);
    int status() const { return status_; }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    int status_;
    std::vector<std::string> lines_;
};

// Reads the project file at S.INPUT_PATH (trailing blanks trimmed) into the input
// storage; throws RunStop (Failed for a missing file or a malformed value, Stopped
// for a value beyond the engine's capacities).
void READ_PROJECT_FILE(EngineState& S);
// The same on the file's text; fileName is used in the messages.
void READ_PROJECT_TEXT(EngineState& S, std::string_view text, std::string_view fileName);

// Reads the CPT file at S.CPT_PATH; an empty path means no CPT points.
void READ_CPT_FILE(EngineState& S);
void READ_CPT_TEXT(EngineState& S, std::string_view text, std::string_view fileName);

// Depth the soil must reach: TL + 2 x OD (OD converted to the depth unit).
double REQUIRED_SOIL_DEPTH(const EngineState& S);
// Soil-depth check: writes its messages; false (status 1) when the run must stop.
bool SOIL_DEPTH_CHECK(EngineState& S);

// Counts the segments (S.SEG_COUNT), clears the segment lists, snaps the layer
// boundaries to the increment and runs the segment-count check; false (status 1,
// message written) when there are more than 500 segments.
bool SEGMENT_COUNT_CHECK(EngineState& S);
// The boundary snapping alone (part of SEGMENT_COUNT_CHECK).
void SNAP_LAYER_BOUNDARIES(EngineState& S);

// Builds the segment table for segments 1..S.SEG_COUNT: depths, soil type and the
// soil values interpolated at mid-depth. Called at the start of each pass.
void BUILD_SEGMENT_TABLE(EngineState& S);

} // namespace veldo
