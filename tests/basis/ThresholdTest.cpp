#include "basis/Threshold.h"

#include "Literal.h"
#include "MatrixText.h"
#include "basis/Elementary.h"
#include "basis/RemoveCommonCols.h"

#include <gtest/gtest.h>
#include <numeric>

namespace lumisplit {
namespace {

using test::FromRows;
using test::ToRows;
using Rows = std::vector<std::string>;

TEST(DecodePermutationTest, IndicesOfThreeValues) {
    const char* const expected[] = {"cba", "bca", "cab", "acb", "bac", "abc"};
    for (int a = 0; a < 6; ++a) {
        std::vector<int> values = {'a', 'b', 'c'};
        DecodePermutation(values, a);
        EXPECT_EQ(std::string(values.begin(), values.end()), expected[a]) << "index " << a;
    }
}

TEST(DecodePermutationTest, FirstIndexReversesAndLastKeepsTheOrder) {
    for (int N = 1; N <= 12; ++N) {
        std::vector<int> identity(static_cast<std::size_t>(N));
        std::iota(identity.begin(), identity.end(), 0);
        std::vector<int> first = identity, last = identity;
        DecodePermutation(first, 0);
        DecodePermutation(last, Factorial(N) - 1);
        EXPECT_EQ(first, std::vector<int>(identity.rbegin(), identity.rend())) << N;
        EXPECT_EQ(last, identity) << N;
    }
}

TEST(HasColTest, FindsOnlyAColumnEqualInEveryRow) {
    const CMatrix D = FromRows({"120", "012"});
    EXPECT_TRUE(HasCol(std::vector<int>{2, 1}, D));
    EXPECT_TRUE(HasCol(std::vector<int>{0, 2}, D));
    EXPECT_FALSE(HasCol(std::vector<int>{2, 0}, D));
    EXPECT_FALSE(HasCol(std::vector<int>{0, 0}, CMatrix(2, 0)));
}

TEST(DistributionMatrixTest, WorkedExamples) {
    EXPECT_EQ(ToRows(DistributionMatrix(4, 2)), (Rows{"110100", "101010", "011001", "000111"}));
    EXPECT_EQ(ToRows(DistributionMatrix(2, 2)), (Rows{"10", "01"}));
    const CMatrix all = DistributionMatrix(3, 3);
    ASSERT_EQ(all.GetCols(), 6);
    EXPECT_EQ(all.GetAt(0, 0), 2);
    EXPECT_EQ(all.GetAt(1, 0), 1);
    EXPECT_EQ(all.GetAt(2, 0), 0);
}

TEST(DistributionMatrixTest, ArgumentsWithoutAnArrangementGiveNoColumns) {
    EXPECT_EQ(DistributionMatrix(5, 2).GetCols(), 0);
    EXPECT_EQ(DistributionMatrix(4, 0).GetCols(), 0);
    EXPECT_FALSE(DistributionColumnCount(0, 1));
}

// Every (k,n) with N = ceil(n/k) * k <= 8: the direct construction gives the
// literal enumeration's columns in its order, and so do the basis matrices
// built on it; where the literal removal stays quick, the pair after removal
// too.
TEST(ThresholdOracleTest, FastConstructionEqualsTheLiteralOne) {
    for (int n = 2; n <= 9; ++n)
        for (int k = 2; k <= n; ++k) {
            const int N = (n + k - 1) / k * k;
            if (N > 8)
                continue;
            SCOPED_TRACE("k = " + std::to_string(k) + ", n = " + std::to_string(n));
            const CMatrix D = DistributionMatrix(N, k);
            ASSERT_EQ(D, literal::DistributionMatrix(N, k));
            CMatrix s0 = BasisKNS0(D, k, n);
            CMatrix s1 = BasisKNS1(D, k, n);
            ASSERT_EQ(s0, literal::BasisKN(D, BasisNNS0(k), n));
            ASSERT_EQ(s1, literal::BasisKN(D, BasisNNS1(k), n));
            if (s0.GetCols() > 3000)
                continue;
            CMatrix slow0 = s0, slow1 = s1;
            RemoveCommonCols(s1, s0);
            literal::RemoveCommonCols(slow1, slow0);
            EXPECT_EQ(s0, slow0);
            EXPECT_EQ(s1, slow1);
        }
}

// Beyond N = 8 the first-met order is checked against the enumeration with a
// hash set, for the two larger N that the tool builds quickly.
TEST(ThresholdOracleTest, FirstMetOrderHoldsForNineAndTenRows) {
    for (const auto& [N, k] : {std::pair{9, 3}, std::pair{10, 2}, std::pair{10, 5}}) {
        SCOPED_TRACE("N = " + std::to_string(N) + ", k = " + std::to_string(k));
        EXPECT_EQ(DistributionMatrix(N, k), literal::DistributionMatrixHashed(N, k));
    }
}

TEST(BasisKNTest, WorkedExamplesWithKTwo) {
    struct Example {
        int n, N;
        Rows S0, S1;
    };
    for (const Example& e :
         {Example{3, 4, Rows(3, "010101010101"), {"010110011010", "011001100110", "100101101001"}},
          Example{2, 2, {"0101", "0101"}, {"0110", "1001"}}}) {
        SCOPED_TRACE("n = " + std::to_string(e.n));
        const CMatrix D = DistributionMatrix(e.N, 2);
        EXPECT_EQ(ToRows(BasisKNS0(D, 2, e.n)), e.S0);
        EXPECT_EQ(ToRows(BasisKNS1(D, 2, e.n)), e.S1);
    }
}

struct SizeCase {
    int k, n, N;
    std::uint64_t columnsOfD, before;
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << "k = " << c.k << ", n = " << c.n;
}

class KNSizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(KNSizeTest, CountsMatchTheTable) {
    const SizeCase& c = GetParam();
    EXPECT_EQ(DistributionColumnCount(c.N, c.k), c.columnsOfD);
    EXPECT_EQ(KNSubpixelCount(c.n, c.k), c.before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KNSizeTest,
    testing::Values(SizeCase{2, 2, 2, 2, 4}, SizeCase{2, 4, 4, 6, 12}, SizeCase{2, 6, 6, 20, 40},
                    SizeCase{2, 8, 8, 70, 140}, SizeCase{3, 3, 3, 6, 24},
                    SizeCase{3, 4, 6, 90, 360}, SizeCase{4, 4, 4, 24, 192},
                    SizeCase{4, 5, 8, 2520, 20160}, SizeCase{5, 5, 5, 120, 1920},
                    SizeCase{2, 9, 10, 252, 504}, SizeCase{3, 9, 9, 1680, 6720},
                    SizeCase{5, 9, 10, 113400, 1814400}, SizeCase{6, 6, 6, 720, 23040},
                    SizeCase{7, 7, 7, 5040, 322560}, SizeCase{8, 8, 8, 40320, 5160960},
                    SizeCase{9, 9, 9, 362880, 92897280}, SizeCase{4, 9, 12, 369600, 2956800},
                    SizeCase{6, 9, 12, 7484400, 239500800},
                    SizeCase{7, 9, 14, 681080400, 43589145600}));

TEST(KNSizeEdgeTest, NonsenseParametersHaveNoCount) {
    EXPECT_FALSE(KNSubpixelCount(3, 4));
    EXPECT_FALSE(KNSubpixelCount(3, 0));
}

} // namespace
} // namespace lumisplit
