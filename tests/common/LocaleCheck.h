// Start of the comma-decimal runs of the suites: CTest sets VELDO_EXPECT_DECIMAL_COMMA
// together with a comma-decimal locale (de_DE.UTF-8). Called once the locale has been
// taken from the environment, the check stops the run when that locale is not in
// effect, so the run cannot pass by falling back to "C" (a locale that is not
// generated on the machine).
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace veldo::test {

inline void RequireCommaDecimalWhenAsked()
{
    if (!std::getenv("VELDO_EXPECT_DECIMAL_COMMA"))
        return;
    const std::string_view point = std::localeconv()->decimal_point;
    if (point != ",") {
        std::fprintf(stderr,
                     "The comma-decimal run needs a locale with \",\" as decimal point; "
                     "LC_NUMERIC is \"%s\" with \"%.*s\" (run scripts/setup.sh).\n",
                     std::setlocale(LC_NUMERIC, nullptr), static_cast<int>(point.size()), point.data());
        std::exit(2);
    }
}

} // namespace veldo::test
