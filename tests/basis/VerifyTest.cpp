#include "basis/Verify.h"

#include "MatrixText.h"

#include <bit>
#include <gtest/gtest.h>

namespace lumisplit {
namespace {

using test::FromRows;
using Rows = std::vector<std::string>;

struct CheckCase {
    const char* name;
    Rows S0, S1;
    bool passed;
    std::optional<int> smallestContrast;
    std::string failure;
};

// Test names, not bytes, in failure messages.
void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.name;
}

class VerifyBasisPairTest : public testing::TestWithParam<CheckCase> {};

TEST_P(VerifyBasisPairTest, FindsTheFault) {
    const CheckCase& c = GetParam();
    const BasisPair pair{FromRows(c.S0), FromRows(c.S1)};
    const PairVerdict check =
        VerifyBasisPair(pair, [](std::uint32_t group) { return std::popcount(group) >= 2; });
    EXPECT_EQ(check.passed, c.passed);
    EXPECT_EQ(check.smallestContrast, c.smallestContrast);
    EXPECT_EQ(check.failure, c.failure);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, VerifyBasisPairTest,
    testing::Values(CheckCase{"TwoTwoPasses", {"01", "01"}, {"01", "10"}, true, 1, ""},
                    CheckCase{"TwoOfThreePasses",
                              {"010101010101", "010101010101", "010101010101"},
                              {"010110011010", "011001100110", "100101101001"},
                              true,
                              4,
                              ""},
                    // Participant 1 alone sees two black subpixels on a black pixel.
                    CheckCase{"ForbiddenGroupSeesADifference",
                              {"01", "01"},
                              {"11", "10"},
                              false,
                              1,
                              "the forbidden group {1} sees other columns in S1 than in S0"},
                    CheckCase{
                        "QualifiedGroupWithoutContrast",
                        {"01", "10"},
                        {"01", "10"},
                        false,
                        0,
                        "the qualified group {1,2} sees 0 more black subpixels in S1 than in S0"},
                    CheckCase{"ShapesDiffer",
                              {"01", "01"},
                              {"011", "101"},
                              false,
                              std::nullopt,
                              "S0 and S1 differ in shape, or have more than 12 rows"},
                    CheckCase{"ThirteenRows", Rows(13, "0"), Rows(13, "1"), false, std::nullopt,
                              "S0 and S1 differ in shape, or have more than 12 rows"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GroupTextTest, ListsMembersFromOne) {
    EXPECT_EQ(GroupText(0), "{}");
    EXPECT_EQ(GroupText(0b101), "{1,3}");
    EXPECT_EQ(GroupText(0b100000000), "{9}");
}

} // namespace
} // namespace lumisplit
