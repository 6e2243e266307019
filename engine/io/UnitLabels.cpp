#include "UnitLabels.h"

#include <array>
#include <ctime>
#include <string>

#include "EngineRules.h"

namespace veldo {

void SET_UNIT_LABELS(EngineState& S)
{
    const bool en = english(S);
    S.LEN_LABEL = en ? "FT." : "M. ";
    S.DIAM_LABEL = en ? "IN." : "MM.";
    S.FORCE_LABEL = en ? "KIP" : "KN.";
    S.STRESS_LABEL = en ? "KSF" : "KPA";
    S.UNIT_WEIGHT_LABEL = en ? "LB/CF" : "KN/CM";
    S.AREA_LABEL = en ? "IN2" : "M2 ";
}

DateTime LocalDateTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    if (localtime_r(&now, &tm) == nullptr)
        return {};
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void PRINT_DATE_TIME(EngineState& S) { PRINT_DATE_TIME(S, LocalDateTime()); }

void PRINT_DATE_TIME(EngineState& S, const DateTime& t)
{
    static const std::array<const char*, 12> months = {"January",   "February", "March",    "April",
                                                       "May",       "June",     "July",     "August",
                                                       "September", "October",  "November", "December"};
    S.report.write("5X,73('-'),/,26X,'Time and Date of Analysis',/,5X,73('-'),/");
    if (t.month < 1 || t.month > 12)
        return;
    const std::string format = std::string("15X,'Date:  ") + months[static_cast<size_t>(t.month - 1)] +
                               " ',I2.2,', ',I4,5X,'Time:  ',I2.2,':',I2.2,':',I2.2";
    S.report.write(format, {t.day, t.year, t.hour, t.minute, t.second});
}

} // namespace veldo
