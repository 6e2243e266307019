// Report helpers: the unit labels and the "Time and Date of Analysis" block.
#pragma once

#include "EngineState.h"

namespace veldo {

// Sets the six unit labels from S.UNIT_SYSTEM: 1 English, any other value SI.
void SET_UNIT_LABELS(EngineState& S);

// Local date and time as the block prints them.
struct DateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

DateTime LocalDateTime();

// Writes the "Time and Date of Analysis" block to the report for the current
// local time, or for the given one.
void PRINT_DATE_TIME(EngineState& S);
void PRINT_DATE_TIME(EngineState& S, const DateTime& t);

} // namespace veldo
