#include "UnitWords.h"

#include <algorithm>
#include <array>

namespace veldo {
namespace {

struct TUnitWord {
    std::string_view token;
    const char* english;
    const char* si;
};

// Forces ("F"), then lengths ("L"); in each family the bare letter comes last.
constexpr std::array<TUnitWord, 10> kUnitWords{{
    {"F6", "slug", "Mg"},
    {"F5", "sec", "sec"},
    {"F4", "lb-sec2/in", "Mg"},
    {"F2", "tons", "kN"},
    {"F1", "kips", "kN"},
    {"F", "lbs", "kN"},
    {"L3", "rad", "rad"},
    {"L2", "ft", "m"},
    {"L1", "in", "mm"},
    {"L", "in", "m"},
}};

QString WordOf(const TUnitWord& word, TUnitSystem units)
{
    return QString::fromLatin1(units == UnitSystem::SI ? word.si : word.english);
}

} // namespace

QString UnitWord(std::string_view token, TUnitSystem units)
{
    const auto it = std::ranges::find(kUnitWords, token, &TUnitWord::token);
    return it == kUnitWords.end() ? QString() : WordOf(*it, units);
}

void ReplaceFirstUnitToken(QString& text, std::initializer_list<std::string_view> tokens, TUnitSystem units)
{
    for (std::string_view token : tokens) {
        const QString tokenText = QString::fromLatin1(token.data(), static_cast<qsizetype>(token.size()));
        if (text.contains(tokenText)) {
            text.replace(tokenText, UnitWord(token, units));
            return;
        }
    }
}

QString ReplaceEveryUnitToken(const QString& unitTemplate, TUnitSystem units)
{
    QString text = unitTemplate;
    for (const TUnitWord& word : kUnitWords)
        text.replace(QString::fromLatin1(word.token.data(), static_cast<qsizetype>(word.token.size())),
                     WordOf(word, units));
    return text;
}

} // namespace veldo
