// Unit templates of float columns: tokens such as "F1/L2^2" expanded to unit words
// for a unit system, and the factor that converts a value between the systems.
#pragma once

#include <QString>

namespace veldo {

// Unit system codes: 1 English, 2 SI, 3 tokens left as typed.
constexpr int kEnglishUnits = 1;
constexpr int kSIUnits = 2;
constexpr int kRawUnits = 3;

// Pounds-force per kilonewton: the one force factor of every unit switch, of the table
// columns and of the project's fields alike.
constexpr long double kLbsPerKilonewton = 224.8089431L;

// Replaces every token of the template by its unit word, tokens taken in the order
// F2, F1, F4, F5, F6, F, L3, L2, L1, L; unit system 3 returns the template unchanged.
QString ExpandUnitTemplate(const QString& unitTemplate, int units);

// English units per SI unit of the quantity the template describes: the template is
// split at its first "/" into numerator and denominator, each holding at most one force
// term ("F" with an optional digit and an optional "^n") and one length term ("L" with
// an optional digit and an optional "^n"); the factor is numerator over denominator.
long double UnitTemplateFactor(const QString& unitTemplate);

// Multiplier applied to stored values when a table switches unit systems.
long double UnitSwitchMultiplier(const QString& unitTemplate, int fromUnits, int toUnits);

} // namespace veldo
