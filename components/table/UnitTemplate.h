// Unit templates of float columns: tokens such as "F1/L2^2" expanded to unit words
// for a unit system, and the factor that converts a value between the systems.
#pragma once

#include "UnitWords.h"

#include <QString>

namespace veldo {

// Pounds-force per kilonewton: the one force factor of every unit switch, of the table
// columns and of the project's fields alike.
constexpr long double kLbsPerKilonewton = 224.8089431L;

// Replaces every token of the template by its unit word; a unit system other than
// English or SI returns the template unchanged.
QString ExpandUnitTemplate(const QString& unitTemplate, TUnitSystem units);

// English units per SI unit of the quantity the template describes: the template is
// split at its first "/" into numerator and denominator, each holding at most one force
// term ("F" with an optional digit and an optional "^n") and one length term ("L" with
// an optional digit and an optional "^n"); the factor is numerator over denominator.
long double UnitTemplateFactor(const QString& unitTemplate);

// Multiplier applied to stored values when a table switches unit systems.
long double UnitSwitchMultiplier(const QString& unitTemplate, TUnitSystem fromUnits, TUnitSystem toUnits);

} // namespace veldo
