// Unit words of unit templates: a template such as "F1/L2^2" names a force and a length
// by tokens, shown as "kips/ft^2" in English units and "kN/m^2" in SI units.
#pragma once

#include "InputCodes.h"

#include <QString>

#include <initializer_list>
#include <string_view>

namespace veldo {

// Unit system of a field, a table or a plot: UnitSystem::English, UnitSystem::SI, or
// kRawUnits, where the tokens are shown as typed.
using TUnitSystem = int;
inline constexpr TUnitSystem kRawUnits = 3;

// The word of a token in a unit system: the SI word for UnitSystem::SI, else the
// English word. An unknown token has no word (an empty text).
QString UnitWord(std::string_view token, TUnitSystem units);

// Replaces every occurrence of the first of `tokens` that occurs in `text` by its word;
// the other tokens are left alone.
void ReplaceFirstUnitToken(QString& text, std::initializer_list<std::string_view> tokens, TUnitSystem units);

// Replaces every token by its word, each numbered token before the bare letter of its
// family ("F1" is never read as "F").
QString ReplaceEveryUnitToken(const QString& unitTemplate, TUnitSystem units);

} // namespace veldo
