#include "basis/General.h"

#include "MatrixText.h"
#include "basis/BasisPair.h"
#include "basis/RemoveCommonCols.h"
#include "basis/Verify.h"
#include "random/RandomSource.h"

#include <bit>
#include <gtest/gtest.h>

namespace lumisplit {
namespace {

using test::FromRows;
using test::ToRows;
using Rows = std::vector<std::string>;

TEST(IsQualifiedSetTest, ARowMustFitInsideTheGroup) {
    const CMatrix Q = FromRows({"110", "011"});
    EXPECT_TRUE(IsQualifiedSet(Q, std::vector<int>{1, 1, 0}));
    EXPECT_TRUE(IsQualifiedSet(Q, std::vector<int>{1, 1, 1}));
    EXPECT_FALSE(IsQualifiedSet(Q, std::vector<int>{1, 0, 1}));
    EXPECT_FALSE(IsQualifiedSet(CMatrix(0, 3), std::vector<int>{1, 1, 1}));
}

TEST(IsQualifiedGroupTest, ARowMustFitInsideTheGroupCode) {
    const CMatrix Q = FromRows({"110", "011"});
    EXPECT_TRUE(IsQualifiedGroup(Q, 0b011));
    EXPECT_TRUE(IsQualifiedGroup(Q, 0b111));
    EXPECT_TRUE(IsQualifiedGroup(Q, 0b110));
    EXPECT_FALSE(IsQualifiedGroup(Q, 0b101));
    EXPECT_FALSE(IsQualifiedGroup(Q, 0b010));
    EXPECT_FALSE(IsQualifiedGroup(CMatrix(0, 3), 0b111));
}

struct GeneralCase {
    const char* name;
    int n;
    Rows Q;
    Rows F, A;
    Rows S0before, S1before;
    Rows S0, S1; // after the removal
};

// Test names, not bytes, in failure messages.
void PrintTo(const GeneralCase& c, std::ostream* os) {
    *os << c.name;
}

// The tables of the set {1,2} among three participants, from selections Q
// that must give just these.
GeneralCase Set12OfThree(const char* name, Rows Q) {
    const Rows S0{"01", "01", "00"}, S1{"01", "10", "00"};
    return {name, 3, std::move(Q), {"101", "011"}, {"01", "10", "00"}, S0, S1, S0, S1};
}

class GeneralConstructionTest : public testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralConstructionTest, EveryStepGivesTheExpectedTable) {
    const GeneralCase& c = GetParam();
    const int n = c.n;
    const CMatrix Q = c.Q.empty() ? CMatrix(0, n) : FromRows(c.Q);
    const CMatrix F = MaximalForbiddenSets(Q, n);
    EXPECT_EQ(ToRows(F), c.F);
    const CMatrix A = CumulativeArray(F);
    EXPECT_EQ(ToRows(A), c.A);
    CMatrix S0 = GeneralBasisS0(A, n);
    CMatrix S1 = GeneralBasisS1(A, n);
    EXPECT_EQ(ToRows(S0), c.S0before);
    EXPECT_EQ(ToRows(S1), c.S1before);
    RemoveCommonCols(S1, S0);
    EXPECT_EQ(ToRows(S0), c.S0);
    EXPECT_EQ(ToRows(S1), c.S1);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, GeneralConstructionTest,
    testing::Values(GeneralCase{"Sets12And23",
                                3,
                                {"110", "011"},
                                {"010", "101"},
                                {"10", "01", "10"},
                                {"01", "01", "01"},
                                {"10", "01", "10"},
                                {"01", "01", "01"},
                                {"10", "01", "10"}},
                    GeneralCase{"AllPairsOfThree",
                                3,
                                {"110", "101", "011"},
                                {"100", "010", "001"},
                                {"011", "101", "110"},
                                {"0111", "0111", "0111"},
                                {"0111", "1011", "1101"},
                                {"011", "011", "011"},
                                {"011", "101", "110"}},
                    GeneralCase{"TwoParticipants",
                                2,
                                {"11"},
                                {"10", "01"},
                                {"01", "10"},
                                {"01", "01"},
                                {"01", "10"},
                                {"01", "01"},
                                {"01", "10"}},
                    // A set together with a superset of it: the same tables as the set alone.
                    Set12OfThree("SupersetChangesNothing", {"110", "111"}),
                    // Participant 3 is in no set, so in every maximal forbidden set: blank rows.
                    Set12OfThree("ParticipantInNoSet", {"110"}),
                    // No set chosen: the full group is the only maximal forbidden set and the
                    // single all-white column is common to both.
                    GeneralCase{"EmptySelection",
                                3,
                                {},
                                {"111"},
                                {"0", "0", "0"},
                                {"0", "0", "0"},
                                {"0", "0", "0"},
                                {"", "", ""},
                                {"", "", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GeneralSizesTest, Sets12And34OfFour) {
    const CMatrix F = MaximalForbiddenSets(FromRows({"1100", "0011"}), 4);
    // {1,3}, {2,3}, {1,4}, {2,4}: codes 5, 6, 9, 10.
    EXPECT_EQ(ToRows(F), (Rows{"1010", "0110", "1001", "0101"}));
    const CMatrix A = CumulativeArray(F);
    CMatrix S0 = GeneralBasisS0(A, 4);
    CMatrix S1 = GeneralBasisS1(A, 4);
    EXPECT_EQ(S0.GetCols(), 8);
    RemoveCommonCols(S1, S0);
    EXPECT_EQ(S0.GetCols(), 5);
    EXPECT_EQ(S1.GetCols(), 5);
}

// Black subpixels in the OR of the group's rows.
int BlackCount(const CMatrix& m, std::uint32_t group) {
    int black = 0;
    for (int c = 0; c < m.GetCols(); ++c) {
        bool any = false;
        for (int r = 0; r < m.GetRows(); ++r)
            any = any || (((group >> r) & 1u) != 0 && m.GetAt(r, c) == 1);
        black += any ? 1 : 0;
    }
    return black;
}

// For random selections: a group holding a chosen set sees exactly one more
// black subpixel in S1 than in S0; any other group the same columns.
TEST(GeneralPropertyTest, RandomSelectionsGiveExactContrastOne) {
    SeededRandom random(5);
    for (int trial = 0; trial < 60; ++trial) {
        const int n = 2 + static_cast<int>(random.Below(5));
        const int sets = 1 + static_cast<int>(random.Below(4));
        CMatrix Q(sets, n);
        for (int r = 0; r < sets; ++r) {
            const std::uint32_t code = 1 + random.Below((1u << n) - 1);
            for (int j = 0; j < n; ++j)
                Q.SetAt(r, j, static_cast<int>((code >> j) & 1u));
        }
        const std::optional<BasisPair> pair = BuildBasisPair(kSchemeGeneral, n, 0, &Q);
        ASSERT_TRUE(pair);
        const auto qualified = [&Q](std::uint32_t group) { return IsQualifiedGroup(Q, group); };
        const PairVerdict check = VerifyBasisPair(*pair, qualified);
        EXPECT_TRUE(check.passed) << check.failure;
        for (std::uint32_t group = 0; group < (1u << n); ++group) {
            if (qualified(group)) {
                EXPECT_EQ(BlackCount(pair->S1, group) - BlackCount(pair->S0, group), 1)
                    << GroupText(group);
            }
        }
    }
}

} // namespace
} // namespace lumisplit
