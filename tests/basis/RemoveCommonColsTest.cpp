#include "basis/RemoveCommonCols.h"

#include "Literal.h"
#include "MatrixText.h"
#include "random/RandomSource.h"

#include <gtest/gtest.h>

namespace lumisplit {
namespace {

using test::FromRows;
using test::ToRows;
using Rows = std::vector<std::string>;

struct RemovalCase {
    const char* name;
    Rows a, b;
    Rows expectedA, expectedB;
};

// Test names, not bytes, in failure messages.
void PrintTo(const RemovalCase& c, std::ostream* os) {
    *os << c.name;
}

class RemoveCommonColsTest : public testing::TestWithParam<RemovalCase> {};

TEST_P(RemoveCommonColsTest, RemovesEqualPairs) {
    CMatrix a = FromRows(GetParam().a);
    CMatrix b = FromRows(GetParam().b);
    RemoveCommonCols(a, b);
    EXPECT_EQ(ToRows(a), GetParam().expectedA);
    EXPECT_EQ(ToRows(b), GetParam().expectedB);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveCommonColsTest,
    testing::Values(
        // A = (1,0) (0,0) (1,1), B = (0,0) (1,1) (0,1), columns as (row 0, row 1).
        RemovalCase{"WorkedExample", {"101", "001"}, {"010", "011"}, {"1", "0"}, {"0", "1"}},
        RemovalCase{"NothingInCommon", {"10", "01"}, {"01", "01"}, {"10", "01"}, {"01", "01"}},
        RemovalCase{
            "EqualMatricesEmptyBoth", {"0110", "1010"}, {"0110", "1010"}, {"", ""}, {"", ""}},
        // B holds (1,1) three times, A twice: the first two of B go, the last stays.
        RemovalCase{"RepeatedColumnsPairInOrder",
                    {"1012", "1012"},
                    {"1311", "1311"},
                    {"02", "02"},
                    {"31", "31"}},
        // Values other than 0/1 and more rows than fit a packed code.
        RemovalCase{"WideValues", {"25", "37"}, {"59", "72"}, {"2", "3"}, {"9", "2"}},
        RemovalCase{"ManyRows", Rows(20, "01"), Rows(20, "1"), Rows(20, "0"), Rows(20, "")},
        // Only B's rows are compared, and an A too short has no equal column.
        RemovalCase{
            "ExtraRowsOfAIgnored", {"01", "10", "11"}, {"1", "0"}, {"0", "1", "1"}, {"", ""}},
        RemovalCase{"ShorterAChangesNothing", {"1"}, {"1", "0"}, {"1"}, {"1", "0"}}),
    [](const auto& info) { return std::string(info.param.name); });

CMatrix RandomMatrix(SeededRandom& random, int rows, int cols, std::uint32_t values) {
    CMatrix m(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            m.SetAt(r, c, static_cast<int>(random.Below(values)));
    return m;
}

// The fast removal must give exactly what the literal, restart-at-the-same-i
// removal gives, including which of several equal columns go.
TEST(RemoveCommonColsOracleTest, MatchesTheLiteralRemovalOnRandomMatrices) {
    SeededRandom random(42);
    for (int trial = 0; trial < 400; ++trial) {
        const int rows = 1 + static_cast<int>(random.Below(trial % 2 == 0 ? 3 : 20));
        const std::uint32_t values = trial % 5 == 0 ? 3 : 2;
        const CMatrix a = RandomMatrix(random, rows, static_cast<int>(random.Below(16)), values);
        const CMatrix b = RandomMatrix(random, rows, static_cast<int>(random.Below(16)), values);
        CMatrix fastA = a, fastB = b, slowA = a, slowB = b;
        RemoveCommonCols(fastA, fastB);
        literal::RemoveCommonCols(slowA, slowB);
        ASSERT_EQ(fastA, slowA) << "trial " << trial;
        ASSERT_EQ(fastB, slowB) << "trial " << trial;
    }
}

} // namespace
} // namespace lumisplit
