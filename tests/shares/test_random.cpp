// The random sources: every bounded draw uniform (a biased draw would show the
// secret through the shares), bits fair, seeds reproducible, the system source
// unpredictable.

#include "ShareTestSupport.h"
#include "random/RandomSource.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace lumisplit::test {
namespace {

constexpr double kStrict = 1e-6; // p below this fails: a fixed seed keeps it deterministic

double GoodnessOfFit(const std::vector<std::uint64_t>& observed) {
    double total = 0;
    for (auto count : observed)
        total += static_cast<double>(count);
    const double expected = total / static_cast<double>(observed.size());
    double chi2 = 0;
    for (auto count : observed)
        chi2 += (static_cast<double>(count) - expected) * (static_cast<double>(count) - expected) /
                expected;
    return ChiSquareTail(chi2, static_cast<double>(observed.size() - 1));
}

struct SourceKind {
    const char* name;
    std::function<std::unique_ptr<RandomSource>()> make;
};

class RandomSourceTest : public ::testing::TestWithParam<SourceKind> {};

TEST_P(RandomSourceTest, BelowIsUniformForSmallBounds) {
    auto random = GetParam().make();
    for (std::uint32_t bound : {2u, 3u, 5u, 6u, 7u, 12u, 100u, 360u}) {
        SCOPED_TRACE(bound);
        std::vector<std::uint64_t> counts(bound);
        for (std::uint32_t i = 0; i < 2000 * bound; ++i) {
            const std::uint32_t value = random->Below(bound);
            ASSERT_LT(value, bound);
            ++counts[value];
        }
        EXPECT_GT(GoodnessOfFit(counts), kStrict);
    }
}

TEST_P(RandomSourceTest, MixedWidthsAcrossWordBoundariesStayUniform) {
    // 2-bit and 32-bit draws in turn straddle the 64-bit words of the pool.
    auto random = GetParam().make();
    const std::uint32_t big = 0x80000001u;
    std::vector<std::uint64_t> small(3), high(16);
    for (int i = 0; i < 60000; ++i) {
        ++small[random->Below(3)];
        const std::uint32_t value = random->Below(big);
        ASSERT_LT(value, big);
        ++high[static_cast<std::size_t>(std::uint64_t{value} * 16 / big)];
    }
    EXPECT_GT(GoodnessOfFit(small), kStrict);
    EXPECT_GT(GoodnessOfFit(high), kStrict);
}

TEST_P(RandomSourceTest, BitsAreFairAndPairsIndependent) {
    auto random = GetParam().make();
    std::vector<std::uint64_t> pairs(4);
    for (int i = 0; i < 100000; ++i) {
        const int first = random->Bit() ? 1 : 0;
        ++pairs[static_cast<std::size_t>(first * 2 + (random->Bit() ? 1 : 0))];
    }
    EXPECT_GT(GoodnessOfFit(pairs), kStrict);
}

TEST_P(RandomSourceTest, BoundOfOneAlwaysGivesZero) {
    auto random = GetParam().make();
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(random->Below(1), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, RandomSourceTest,
    ::testing::Values(SourceKind{"Seeded", [] { return std::make_unique<SeededRandom>(12345); }},
                      SourceKind{"System", [] { return std::make_unique<SystemRandom>(); }}),
    [](const auto& info) { return std::string(info.param.name); });

std::vector<std::uint32_t> Draws(RandomSource& random) {
    std::vector<std::uint32_t> values;
    for (int i = 0; i < 64; ++i)
        values.push_back(random.Below(0xFFFFFFFFu));
    return values;
}

TEST(SeededRandomTest, SameSeedSameDrawsOtherSeedOtherDraws) {
    SeededRandom a(42), b(42), c(43);
    const auto first = Draws(a);
    EXPECT_EQ(first, Draws(b));
    EXPECT_NE(first, Draws(c));
}

TEST(SystemRandomTest, TwoSourcesDrawDifferently) {
    SystemRandom a, b;
    EXPECT_NE(Draws(a), Draws(b));
}

// The statistical tests rest on this p-value: check it against table values.
TEST(ChiSquareTailTest, MatchesTableValues) {
    struct Case {
        double chi2, df, p;
    };
    for (const Case& c : {Case{3.841, 1, 0.05}, Case{18.307, 10, 0.05}, Case{6.635, 1, 0.01},
                          Case{124.342, 100, 0.05}, Case{2.0, 2, 0.367879}}) {
        SCOPED_TRACE(c.chi2);
        EXPECT_NEAR(ChiSquareTail(c.chi2, c.df), c.p, c.p * 1e-3);
    }
}

} // namespace
} // namespace lumisplit::test
