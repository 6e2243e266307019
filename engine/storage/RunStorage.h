// Run-wide state of one call of the entry: status, hand-over strings, streams,
// pass counter and current-method index.
#pragma once

#include <functional>
#include <string>

#include "InputCodes.h"
#include "TextOut.h"

namespace veldo {

struct RunStorage {
    int STATUS = RunStatus::Completed;
    std::string VERSION; // hand-over line 1, 12 characters
    std::string RESERVED1, RESERVED2;
    int RESERVED_INT = 0;
    std::string INPUT_PATH, OUTPUT_PATH, PLOT_PATH, CPT_PATH; // 255 characters each, blank-padded
    int PASS = 1;                                             // 1 or 2
    int CURRENT_METHOD = 1;                                   // column of the per-method result arrays (1..9)
    int GENERAL_ONCE = 0;                                     // one-shot flag of the general method

    // Unit labels of the report (SET_UNIT_LABELS): three characters each, the
    // unit-weight label five. DIAM_LABEL is the small-length label (IN./MM.).
    std::string LEN_LABEL, FORCE_LABEL, STRESS_LABEL, DIAM_LABEL;
    std::string UNIT_WEIGHT_LABEL, AREA_LABEL;

    // Called, when set, with a design method number as soon as that method's result
    // columns are final (when its table prints), before a later step can rewrite
    // them: lets a caller in the same program read the full-precision results.
    std::function<void(int designMethod)> RESULTS_FINAL;

    TextOut console;
    TextOut report;
    TextOut plot;
};

} // namespace veldo
