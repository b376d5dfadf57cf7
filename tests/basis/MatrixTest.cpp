#include "basis/Matrix.h"

#include "MatrixText.h"
#include "random/RandomSource.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace lumisplit {
namespace {

using test::FromRows;
using test::ToRows;

TEST(MatrixTest, NegativeCountsAreTakenAsZero) {
    const CMatrix m(-2, 3);
    EXPECT_EQ(m.GetRows(), 0);
    EXPECT_EQ(m.GetCols(), 3);
    EXPECT_EQ(CMatrix(4, -1).GetCols(), 0);
}

struct EditCase {
    const char* name;
    std::function<void(CMatrix&)> edit;
    std::vector<std::string> expected;
};

// Test names, not bytes, in failure messages.
void PrintTo(const EditCase& c, std::ostream* os) {
    *os << c.name;
}

class MatrixEditTest : public testing::TestWithParam<EditCase> {};

TEST_P(MatrixEditTest, GivesTheExpectedRows) {
    CMatrix m = FromRows({"123", "456"});
    GetParam().edit(m);
    EXPECT_EQ(ToRows(m), GetParam().expected);
}

const int kColumn[] = {7, 8};
const int kRow[] = {7, 8, 9};

INSTANTIATE_TEST_SUITE_P(
    Edits, MatrixEditTest,
    testing::Values(
        EditCase{"DeleteColBelowRange", [](CMatrix& m) { m.DeleteCol(-1); }, {"123", "456"}},
        EditCase{"DeleteColAtCount", [](CMatrix& m) { m.DeleteCol(3); }, {"123", "456"}},
        EditCase{"DeleteColMiddle", [](CMatrix& m) { m.DeleteCol(1); }, {"13", "46"}},
        EditCase{"InsertColPastCount", [](CMatrix& m) { m.InsertCol(4, kColumn); }, {"123", "456"}},
        EditCase{"InsertColAtCountAppends",
                 [](CMatrix& m) { m.InsertCol(3, kColumn); },
                 {"1237", "4568"}},
        EditCase{"InsertColFirst", [](CMatrix& m) { m.InsertCol(0, kColumn); }, {"7123", "8456"}},
        EditCase{"InsertRowBelowRange", [](CMatrix& m) { m.InsertRow(-1, kRow); }, {"123", "456"}},
        EditCase{"InsertRowPastCount", [](CMatrix& m) { m.InsertRow(3, kRow); }, {"123", "456"}},
        EditCase{
            "InsertRowMiddle", [](CMatrix& m) { m.InsertRow(1, kRow); }, {"123", "789", "456"}},
        EditCase{"KeepColsDropsUnflagged",
                 [](CMatrix& m) {
                     m.KeepCols({false, true, false});
                 },
                 {"2", "5"}},
        EditCase{"KeepColsNone",
                 [](CMatrix& m) {
                     m.KeepCols({false, false, false});
                 },
                 {"", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MatrixTest, InsertRowIntoAMatrixWithoutRows) {
    CMatrix m(0, 3);
    m.InsertRow(0, kRow);
    EXPECT_EQ(ToRows(m), std::vector<std::string>{"789"});
}

TEST(MatrixTest, KeepColsLeavesAMatrixThatStillEdits) {
    CMatrix m = FromRows({"1234", "5678"});
    m.KeepCols({true, false, true, true});
    m.InsertCol(1, kColumn);
    EXPECT_EQ(ToRows(m), (std::vector<std::string>{"1734", "5878"}));
}

TEST(PermuteColsTest, LeavesMatricesOfAtMostOneColumnAsTheyAre) {
    for (const std::vector<std::string>& rows :
         {std::vector<std::string>{"", ""}, std::vector<std::string>{"1", "0", "1"}}) {
        CMatrix m = FromRows(rows);
        SeededRandom random(1);
        m.PermuteCols(random);
        EXPECT_EQ(ToRows(m), rows);
    }
}

TEST(PermuteColsTest, MovesWholeColumns) {
    CMatrix m = FromRows({"0123456789", "0123456789", "9876543210"});
    SeededRandom random(7);
    m.PermuteCols(random);
    std::vector<std::string> rows = ToRows(m);
    EXPECT_NE(rows[0], "0123456789");
    EXPECT_EQ(rows[1], rows[0]);
    for (std::size_t c = 0; c < rows[0].size(); ++c)
        EXPECT_EQ(rows[2][c] - '0', 9 - (rows[0][c] - '0'));
    std::sort(rows[0].begin(), rows[0].end());
    EXPECT_EQ(rows[0], "0123456789");
}

TEST(PermuteColsTest, EveryOrderOfThreeColumnsIsEquallyLikely) {
    // A biased shuffle (such as linear probing from a random slot, or swapping
    // each column with any column) favours some orders by 30% or more, far
    // beyond the chi-square bound used here (p about 1e-6 for 5 degrees of
    // freedom).
    constexpr int kTrials = 60000;
    SeededRandom random(20261211);
    std::map<std::string, int> seen;
    for (int t = 0; t < kTrials; ++t) {
        CMatrix m = FromRows({"012"});
        m.PermuteCols(random);
        ++seen[ToRows(m)[0]];
    }
    ASSERT_EQ(seen.size(), 6u);
    const double expected = kTrials / 6.0;
    double chiSquare = 0;
    for (const auto& [order, count] : seen)
        chiSquare += (count - expected) * (count - expected) / expected;
    EXPECT_LT(chiSquare, 35.9);
}

} // namespace
} // namespace lumisplit
