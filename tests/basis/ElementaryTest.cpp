#include "basis/Elementary.h"

#include "MatrixText.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <gtest/gtest.h>

namespace lumisplit {
namespace {

using test::ToRows;
using Rows = std::vector<std::string>;

TEST(CountingTest, FactorialAndCentralBinomialUpTo12) {
    const int factorials[] = {1,    1,     2,      6,       24,       120,      720,
                              5040, 40320, 362880, 3628800, 39916800, 479001600};
    const int central[] = {1, 1, 2, 3, 6, 10, 20, 35, 70, 126, 252, 462, 924};
    for (int a = 0; a <= 12; ++a) {
        EXPECT_EQ(Factorial(a), factorials[a]) << a;
        EXPECT_EQ(CentralBinomial(a), central[a]) << a;
    }
    EXPECT_EQ(Factorial(-3), 1);
}

TEST(CountingTest, FactorialWrapsAroundFrom13WithoutFault) {
    // 13! = 6227020800, taken modulo 2^32 as the 32-bit product does.
    EXPECT_EQ(Factorial(13), 1932053504);
}

struct BasisCase {
    const char* name;
    std::function<CMatrix()> build;
    Rows expected;
};

// Test names, not bytes, in failure messages.
void PrintTo(const BasisCase& c, std::ostream* os) {
    *os << c.name;
}

class ElementaryBasisTest : public testing::TestWithParam<BasisCase> {};

TEST_P(ElementaryBasisTest, GivesExactlyTheseColumnsInThisOrder) {
    EXPECT_EQ(ToRows(GetParam().build()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Matrices, ElementaryBasisTest,
    testing::Values(BasisCase{"Basis22S0", Basis22S0, {"01", "01"}},
                    BasisCase{"Basis22S1", Basis22S1, {"01", "10"}},
                    BasisCase{"BasisNNS0_1", [] { return BasisNNS0(1); }, {"0"}},
                    BasisCase{"BasisNNS1_1", [] { return BasisNNS1(1); }, {"1"}},
                    BasisCase{"BasisNNS0_2", [] { return BasisNNS0(2); }, {"01", "01"}},
                    BasisCase{"BasisNNS1_2", [] { return BasisNNS1(2); }, {"10", "01"}},
                    BasisCase{"BasisNNS0_3", [] { return BasisNNS0(3); }, {"0110", "0101", "0011"}},
                    BasisCase{"BasisNNS1_3", [] { return BasisNNS1(3); }, {"1001", "0101", "0011"}},
                    BasisCase{"Basis2NS0_2", [] { return Basis2NS0(2); }, {"01", "01"}},
                    BasisCase{"Basis2NS1_2", [] { return Basis2NS1(2); }, {"10", "01"}},
                    BasisCase{"Basis2NS0_3", [] { return Basis2NS0(3); }, {"001", "001", "001"}},
                    BasisCase{"Basis2NS1_3", [] { return Basis2NS1(3); }, {"100", "010", "001"}},
                    BasisCase{"Basis2NS0_4",
                              [] { return Basis2NS0(4); },
                              {"000111", "000111", "000111", "000111"}},
                    BasisCase{"Basis2NS1_4",
                              [] { return Basis2NS1(4); },
                              {"110100", "101010", "011001", "000111"}},
                    // Below its range the (2,n) construction stays inside its one column.
                    BasisCase{"Basis2NS0_1", [] { return Basis2NS0(1); }, {"0"}},
                    BasisCase{"Basis2NS1_0", [] { return Basis2NS1(0); }, {}},
                    BasisCase{"BasisNNS0_0", [] { return BasisNNS0(0); }, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// What stacking needs, for every n the tool supports: each (n,n) column of
// S0 has even weight and of S1 odd weight, every code once; each row of the
// (2,n) matrices has as many 1s in S0 as in S1.
TEST(ElementaryWeightsTest, ShapesAndWeightsForEveryN) {
    for (int n = 2; n <= 9; ++n) {
        const CMatrix s0 = BasisNNS0(n);
        const CMatrix s1 = BasisNNS1(n);
        ASSERT_EQ(s0.GetCols(), 1 << (n - 1));
        ASSERT_EQ(s1.GetCols(), 1 << (n - 1));
        std::vector<int> seen(std::size_t{1} << n, 0);
        for (const CMatrix* m : {&s0, &s1})
            for (int c = 0; c < m->GetCols(); ++c) {
                int code = 0;
                for (int r = 0; r < n; ++r)
                    code |= m->GetAt(r, c) << r;
                EXPECT_EQ(std::popcount(static_cast<unsigned>(code)) % 2, m == &s1 ? 1 : 0);
                ++seen[static_cast<std::size_t>(code)];
            }
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 1 << n) << n;

        const CMatrix t0 = Basis2NS0(n);
        const CMatrix t1 = Basis2NS1(n);
        ASSERT_EQ(t0.GetCols(), CentralBinomial(n));
        ASSERT_EQ(t1.GetCols(), CentralBinomial(n));
        for (int r = 0; r < n; ++r) {
            int ones0 = 0, ones1 = 0;
            for (int c = 0; c < t0.GetCols(); ++c) {
                ones0 += t0.GetAt(r, c);
                ones1 += t1.GetAt(r, c);
            }
            EXPECT_EQ(ones0, ones1) << "n = " << n << ", row " << r;
        }
    }
}

} // namespace
} // namespace lumisplit
