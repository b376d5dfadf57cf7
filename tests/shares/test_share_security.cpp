// Security and contrast measured on real splits, for every method and several
// access structures: a forbidden group of shares must look the same over white
// and black secret pixels (chi-square, failing below p = 1e-6; fixed seeds keep
// it deterministic), and a qualified group's stack must be darker over black.

#include "ShareTestSupport.h"
#include "basis/BasisPair.h"
#include "support/TestSupport.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

namespace lumisplit::test {
namespace {

struct SchemeCase {
    const char* name;
    int scheme, n, k;
    std::vector<std::vector<int>> sets; // general only: the minimal qualified sets
};

const SchemeCase kSchemes[] = {
    {"s22", kScheme22, 2, 2, {}},
    {"s2n3", kScheme2N, 3, 2, {}},
    {"nn3", kSchemeNN, 3, 3, {}},
    {"kn23", kSchemeKN, 3, 2, {}},
    {"general", kSchemeGeneral, 3, 0, {{1, 2}, {2, 3}}},
};

bool Qualified(const SchemeCase& c, unsigned group) {
    if (c.scheme != kSchemeGeneral)
        return std::popcount(group) >= c.k;
    for (const auto& set : c.sets) {
        unsigned needed = 0;
        for (int member : set)
            needed |= 1u << (member - 1);
        if ((group & needed) == needed)
            return true;
    }
    return false;
}

CMatrix SetsMatrix(const SchemeCase& c) {
    CMatrix sets(static_cast<int>(c.sets.size()), c.n);
    for (std::size_t r = 0; r < c.sets.size(); ++r)
        for (int member : c.sets[r])
            sets.SetAt(static_cast<int>(r), member - 1, 1);
    return sets;
}

constexpr int kBlocksWide = 160, kBlocksHigh = 128;

class SecurityTest : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(SecurityTest, ForbiddenGroupsSeeNothingQualifiedGroupsSeeTheSecret) {
    const int method = std::get<0>(GetParam());
    const SchemeCase& scheme = kSchemes[std::get<1>(GetParam())];
    const CMatrix sets = SetsMatrix(scheme);
    auto pair = BuildBasisPair(scheme.scheme, scheme.n, scheme.k, &sets);
    ASSERT_TRUE(pair.has_value());
    const int n = scheme.n;
    const int m = pair->S0.GetCols();

    // Sampling reads one pixel per block of the secret; the others one per pixel.
    const int sampling =
        method == kPixelSampling
            ? static_cast<int>(std::lround(std::sqrt(m * LiteralSmallestSquareMultiplier(m))))
            : 1;
    const CBmpImage secret =
        RandomPicture(kBlocksWide * sampling, kBlocksHigh * sampling, 1, 1000 + method);
    const std::vector<CBmpImage> covers = RandomCovers(n, secret.Width(), secret.Height(), 2000);
    const bool extended = method == kExtendedPreserveSize || method == kExtendedPreserveDetail;
    SeededRandom random(77);
    const auto shares = MakeShares(method, secret, pair->S0, pair->S1, random, covers);
    ASSERT_TRUE(shares.has_value());
    const int side = method == kPixelSampling ? sampling : (*shares)[0].Width() / secret.Width();
    const int area = side * side;

    // Per group (subset code), the counts of each look over white (0) and black (1).
    std::map<unsigned, std::map<std::string, std::array<std::uint64_t, 2>>> looks;
    // Per qualified group: sum and sum of squares of black stacked subpixels.
    std::map<unsigned, std::array<std::array<double, 3>, 2>> stacks; // count, sum, sum^2
    std::vector<std::string> block(static_cast<std::size_t>(n));
    for (int by = 0; by < kBlocksHigh; ++by)
        for (int bx = 0; bx < kBlocksWide; ++bx) {
            const int y = by * sampling, x = bx * sampling;
            const int colour = secret.GetPixelBW(y, x) == 'w' ? 0 : 1;
            for (int p = 0; p < n; ++p) {
                std::string& bits = block[static_cast<std::size_t>(p)];
                bits.clear();
                for (int a = 0; a < side; ++a)
                    for (int b = 0; b < side; ++b)
                        bits += ShareBlack((*shares)[p], by * side + a, bx * side + b) ? '1' : '0';
            }
            std::string coverLook;
            if (extended) // forbidden groups may see the covers, not the secret
                for (const CBmpImage& cover : covers)
                    coverLook += cover.GetPixelBW(y, x);
            for (unsigned group = 1; group < (1u << n); ++group) {
                if (Qualified(scheme, group)) {
                    int black = 0;
                    for (int q = 0; q < area; ++q) {
                        bool any = false;
                        for (int p = 0; p < n; ++p)
                            any = any || ((group >> p & 1) && block[p][q] == '1');
                        black += any ? 1 : 0;
                    }
                    auto& s = stacks[group][colour];
                    s[0] += 1;
                    s[1] += black;
                    s[2] += double{1} * black * black;
                    continue;
                }
                // Whole blocks when small; else each block's black count and
                // first positions.
                std::string look = coverLook;
                const bool whole = area * std::popcount(group) <= 16;
                for (int p = 0; p < n; ++p) {
                    if (!(group >> p & 1))
                        continue;
                    const std::string& bits = block[static_cast<std::size_t>(p)];
                    look += whole ? bits
                                  : std::to_string(std::count(bits.begin(), bits.end(), '1')) +
                                        ":" + bits.substr(0, 4);
                    look += '|';
                }
                ++looks[group][look][static_cast<std::size_t>(colour)];
            }
        }

    for (const auto& [group, table] : looks) {
        std::vector<std::array<std::uint64_t, 2>> counts;
        for (const auto& [look, count] : table)
            counts.push_back(count);
        EXPECT_GT(SameDistributionPValue(counts), 1e-6)
            << "forbidden group " << group << " tells white from black";
    }
    ASSERT_FALSE(stacks.empty());
    for (const auto& [group, s] : stacks) {
        const double meanWhite = s[0][1] / s[0][0], meanBlack = s[1][1] / s[1][0];
        const double varWhite = s[0][2] / s[0][0] - meanWhite * meanWhite;
        const double varBlack = s[1][2] / s[1][0] - meanBlack * meanBlack;
        const double error = std::sqrt(varWhite / s[0][0] + varBlack / s[1][0]);
        EXPECT_GT(meanBlack - meanWhite, std::max(5 * error, 1e-9))
            << "qualified group " << group << ": white " << meanWhite << ", black " << meanBlack;
    }
}

INSTANTIATE_TEST_SUITE_P(MethodsAndSchemes, SecurityTest, EveryMethodWith(kSchemes),
                         MethodAndEntryName(kSchemes));

} // namespace
} // namespace lumisplit::test
