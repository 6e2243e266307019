#include "UnitTemplate.h"

#include <cmath>

namespace veldo {
namespace {

// English units per SI unit for each force token digit (bare "F" counts as "F0").
long double ForceFactor(int digit)
{
    switch (digit) {
    case 0:
        return kLbsPerKilonewton;
    case 1:
        return kLbsPerKilonewton / 1000; // kips per kN
    case 2:
        return kLbsPerKilonewton / 2000; // short tons per kN
    case 4:
        return 5.71014715L; // lb-sec2/in per Mg (1 lb-sec2/in = 175.1268 kg)
    case 5:
        return 1.0L; // seconds
    case 6:
        return 68.5217659L; // slug per Mg (1 slug = 14.5939 kg)
    default:
        return 1.0L;
    }
}

// English units per SI unit for each length token digit (bare "L" counts as "L0").
long double LengthFactor(int digit)
{
    switch (digit) {
    case 0:
        return 39.3700787402L; // in per m
    case 1:
        return 0.0393700787402L; // in per mm
    case 2:
        return 3.28083989501L; // ft per m
    case 3:
        return 1.0L; // radians
    default:
        return 1.0L;
    }
}

bool IsDigitIn(QChar c, const char* allowed)
{
    for (const char* p = allowed; *p; ++p)
        if (c == QLatin1Char(*p))
            return true;
    return false;
}

// Factor of one term starting at `pos` (the token letter); advances past the term.
long double TermFactor(const QString& part, qsizetype& pos, const char* digits, long double (*factorOf)(int))
{
    ++pos;
    int digit = 0;
    if (pos < part.size() && IsDigitIn(part[pos], digits)) {
        digit = part[pos].digitValue();
        ++pos;
    }
    int power = 1;
    if (pos + 1 < part.size() && part[pos] == QLatin1Char('^') && part[pos + 1].isDigit()) {
        power = part[pos + 1].digitValue();
        pos += 2;
    }
    return std::pow(factorOf(digit), static_cast<long double>(power));
}

long double PartFactor(const QString& part)
{
    long double factor = 1.0L;
    bool forceSeen = false;
    bool lengthSeen = false;
    qsizetype pos = 0;
    while (pos < part.size()) {
        if (part[pos] == QLatin1Char('F') && !forceSeen) {
            forceSeen = true;
            factor *= TermFactor(part, pos, "012456", ForceFactor);
        } else if (part[pos] == QLatin1Char('L') && !lengthSeen) {
            lengthSeen = true;
            factor *= TermFactor(part, pos, "0123", LengthFactor);
        } else {
            ++pos;
        }
    }
    return factor;
}

} // namespace

QString ExpandUnitTemplate(const QString& unitTemplate, TUnitSystem units)
{
    if (units != UnitSystem::English && units != UnitSystem::SI)
        return unitTemplate;
    return ReplaceEveryUnitToken(unitTemplate, units);
}

long double UnitTemplateFactor(const QString& unitTemplate)
{
    const qsizetype slash = unitTemplate.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return PartFactor(unitTemplate);
    return PartFactor(unitTemplate.left(slash)) / PartFactor(unitTemplate.mid(slash + 1));
}

long double UnitSwitchMultiplier(const QString& unitTemplate, TUnitSystem fromUnits, TUnitSystem toUnits)
{
    if (fromUnits == UnitSystem::English && toUnits == UnitSystem::SI)
        return 1.0L / UnitTemplateFactor(unitTemplate);
    if (fromUnits == UnitSystem::SI && toUnits == UnitSystem::English)
        return UnitTemplateFactor(unitTemplate);
    return 1.0L;
}

} // namespace veldo
