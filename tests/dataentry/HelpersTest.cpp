// Owning list, raise helpers, integer, rounding and string helpers.
#include "BriString.h"
#include "Misc.h"
#include "MiscMath.h"
#include "typecheck.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

using namespace veldo;

namespace {

// Records its number in a shared log when it is destroyed.
struct Tracked {
    Tracked(int n, std::vector<int>& log) : n(n), log(log) {}
    ~Tracked() { log.push_back(n); }
    int n;
    std::vector<int>& log;
};

} // namespace

TEST(ObjectList, FreesItsItemsLastFirst)
{
    std::vector<int> freed;
    {
        TObjectList<Tracked> list;
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(list.Add(std::make_unique<Tracked>(n, freed)), n - 1);
        list.Clear();
        EXPECT_EQ(freed, (std::vector<int>{3, 2, 1}));
        EXPECT_EQ(list.Count(), 0);
        list.Add(std::make_unique<Tracked>(4, freed));
        list.Add(std::make_unique<Tracked>(5, freed));
    }
    EXPECT_EQ(freed, (std::vector<int>{3, 2, 1, 5, 4}));
}

TEST(ObjectList, DeleteInsertPutAndIndexOf)
{
    std::vector<int> freed;
    TObjectList<Tracked> list;
    list.Add(std::make_unique<Tracked>(1, freed));
    list.Add(std::make_unique<Tracked>(2, freed));
    list.Insert(1, std::make_unique<Tracked>(3, freed)); // 1 3 2, nothing freed
    EXPECT_TRUE(freed.empty());
    EXPECT_EQ(list.Get(1)->n, 3);
    EXPECT_EQ(list.IndexOf(list.Get(2)), 2);
    EXPECT_EQ(list.IndexOf(nullptr), -1);

    // Putting the same object at its own index frees nothing.
    list.Put(0, std::unique_ptr<Tracked>(list.Get(0)));
    EXPECT_TRUE(freed.empty());
    EXPECT_EQ(list.Get(0)->n, 1);
    // Another object frees the old one.
    list.Put(0, std::make_unique<Tracked>(4, freed));
    EXPECT_EQ(freed, (std::vector<int>{1}));

    list.Delete(1); // frees 3
    EXPECT_EQ(freed, (std::vector<int>{1, 3}));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.Get(2), std::out_of_range);
    EXPECT_THROW(list.Delete(-1), std::out_of_range);
    EXPECT_THROW(list.Insert(3, nullptr), std::out_of_range);
}

// A list that does not own its objects only forgets them; FreeListAndItems frees the
// objects of a plain list, the last one first, then the list.
TEST(ObjectList, WithoutOwnershipNothingIsFreed)
{
    std::vector<int> freed;
    Tracked a(1, freed), b(2, freed), c(3, freed);
    {
        TObjectList<Tracked> list;
        list.OwnsObjects = false;
        list.Add(&a);
        list.Add(&b);
        list.Insert(0, &c);
        list.Put(1, &b); // replaces a
        list.Delete(0);
        EXPECT_EQ(list.Count(), 2);
        list.Clear();
        list.Add(&a);
    }
    EXPECT_TRUE(freed.empty());

    auto plain = std::make_unique<std::vector<Tracked*>>();
    for (int n = 4; n <= 6; ++n)
        plain->push_back(new Tracked(n, freed));
    FreeListAndItems(plain);
    EXPECT_EQ(freed, (std::vector<int>{6, 5, 4}));
    EXPECT_EQ(plain, nullptr);
    FreeListAndItems(plain); // nothing left: ignored
    EXPECT_EQ(freed.size(), 3u);
    freed.clear(); // a, b and c go out of scope with the test
}

TEST(RaiseHelpers, RaiseOnTheirCondition)
{
    EXPECT_NO_THROW(Require(true, "x"));
    EXPECT_THROW(Require(false, "x"), EAssertionFailed);
    EXPECT_NO_THROW(Check(false, "x"));
    try {
        Check<EAssignError>(true, "Value must be an integer.");
        FAIL();
    } catch (const EAssignError& e) {
        EXPECT_STREQ(e.what(), "Value must be an integer.");
    }
    try {
        RequireFmt<EAssignError>(false, "Entry must be between %d and %d.", {0, 100});
        FAIL();
    } catch (const EAssignError& e) {
        EXPECT_STREQ(e.what(), "Entry must be between 0 and 100.");
    }
    EXPECT_NO_THROW(CheckFmt(false, "%d", {1}));
    EXPECT_THROW(CheckFmt(true, "%d", {1}), EAssertionFailed);

    EXPECT_EQ(Format("%s is %d%%", {std::string("x"), -5}), "x is -5%");
    EXPECT_THROW(Format("%d", {}), std::invalid_argument);
    EXPECT_THROW(Format("%s", {1}), std::invalid_argument);
    EXPECT_THROW(Format("%f", {1}), std::invalid_argument);
}

TEST(IntegerHelpers, MinMaxRangeAndFold)
{
    EXPECT_EQ(Max(3, -4), 3);
    EXPECT_EQ(Min(3, -4), -4);
    EXPECT_EQ(IfThen(true, 1, 2), 1);
    EXPECT_EQ(IfThen(false, 1, 2), 2);
    EXPECT_TRUE(InRange(5, 5, 7));
    EXPECT_TRUE(InRange(7, 5, 7));
    EXPECT_FALSE(InRange(8, 5, 7));
    const std::array values{5, -2, 7};
    EXPECT_EQ(MinOf(values), -2);
    EXPECT_THROW(MinOf(std::span<const int>()), std::invalid_argument);
}

TEST(RealHelpers, FractionsWholeNumbersAndRounding)
{
    EXPECT_EQ(Frac(2.75L), 0.75L);
    EXPECT_EQ(Frac(-2.5L), -0.5L);
    EXPECT_TRUE(IsWholeNumber(2147483647.0L));
    EXPECT_TRUE(IsWholeNumber(-2147483648.0L));
    EXPECT_FALSE(IsWholeNumber(2147483648.0L));
    EXPECT_FALSE(IsWholeNumber(-2147483649.0L));
    EXPECT_FALSE(IsWholeNumber(1.5L));

    // Halves go to the even neighbour; everything else to the nearest.
    const struct {
        long double value;
        std::int64_t rounded;
    } cases[] = {{0.5L, 0},   {1.5L, 2},    {2.5L, 2},    {3.5L, 4},   {-0.5L, 0}, {-1.5L, -2},
                 {-2.5L, -2}, {2.4999L, 2}, {2.5001L, 3}, {-2.6L, -3}, {7, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.value));
        EXPECT_EQ(RoundToInt64(c.value), c.rounded);
    }
    EXPECT_THROW(RoundToInt64(1e19L), std::out_of_range);
    EXPECT_THROW(RoundToInt64(std::numeric_limits<long double>::quiet_NaN()), std::out_of_range);
}

TEST(StringHelpers, PositionsTailsAndReplaceAll)
{
    EXPECT_EQ(CharAt("abc", 0), '\0');
    EXPECT_EQ(CharAt("abc", 1), 'a');
    EXPECT_EQ(CharAt("abc", 3), 'c');
    EXPECT_EQ(CharAt("abc", 4), '\0');
    EXPECT_EQ(TailFrom("abcdef", 3), "cdef");
    EXPECT_EQ(TailFrom("abcdef", 7), "");
    EXPECT_EQ(TailFrom("abcdef", 0), "abcdef");
    EXPECT_EQ(PosFrom("abcabc", "c", 4), 3); // within the tail "abc"
    EXPECT_EQ(PosFrom("abcabc", "x", 1), 0);
    EXPECT_EQ(PosOr("abc", "b", -1), 2);
    EXPECT_EQ(PosOr("abc", "x", -1), -1);
    EXPECT_EQ(PosOrEnd("abc", "c"), 3);
    EXPECT_EQ(PosOrEnd("abc", "x"), 4);

    EXPECT_EQ(ReplaceAll("F1/F1", "F1", "kips"), "kips/kips");
    EXPECT_EQ(ReplaceAll("F1F1", "F1", "kips"), "kipskips"); // adjacent occurrences
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");       // inserted text not searched
    EXPECT_EQ(ReplaceAll("L2^2", "L2", "ft"), "ft^2");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}
