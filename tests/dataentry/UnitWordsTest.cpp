// The one table of unit words behind field labels, table headings and plot titles.
#include "UnitWords.h"

#include <gtest/gtest.h>

namespace veldo {
namespace {

TEST(UnitWords, EachTokenHasAnEnglishAndAnSIWord)
{
    EXPECT_EQ(UnitWord("F", UnitSystem::English), "lbs");
    EXPECT_EQ(UnitWord("F1", UnitSystem::English), "kips");
    EXPECT_EQ(UnitWord("F2", UnitSystem::SI), "kN");
    EXPECT_EQ(UnitWord("F4", UnitSystem::English), "lb-sec2/in");
    EXPECT_EQ(UnitWord("L2", UnitSystem::English), "ft");
    EXPECT_EQ(UnitWord("L2", UnitSystem::SI), "m");
    EXPECT_EQ(UnitWord("L1", UnitSystem::SI), "mm");
    EXPECT_EQ(UnitWord("L3", UnitSystem::SI), "rad");
    EXPECT_TRUE(UnitWord("F3", UnitSystem::English).isEmpty());
}

TEST(UnitWords, FirstTokenOrEveryToken)
{
    QString text = "F1/F-L2";
    ReplaceFirstUnitToken(text, {"F2", "F1", "F"}, UnitSystem::English);
    EXPECT_EQ(text, "kips/F-L2");
    ReplaceFirstUnitToken(text, {"L1", "L2"}, UnitSystem::SI);
    EXPECT_EQ(text, "kips/F-m");
    // Numbered tokens go before the bare letter: "F1" never becomes "lbs1".
    EXPECT_EQ(ReplaceEveryUnitToken("F1/F-L2^2 L", UnitSystem::English), "kips/lbs-ft^2 in");
    EXPECT_EQ(ReplaceEveryUnitToken("F6 F5 L3", UnitSystem::SI), "Mg sec rad");
}

} // namespace
} // namespace veldo
