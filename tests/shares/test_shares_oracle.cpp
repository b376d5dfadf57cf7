// The fast methods against the literal per-pixel ones: same seed, same shares,
// same final column order of S0 and S1, over widths that are not multiples of
// 8, odd heights, several depths and pixel expansions.

#include "ShareTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <tuple>

namespace lumisplit::test {
namespace {

struct NamedPair {
    const char* name;
    Pair (*make)();
};

const NamedPair kPairs[] = {
    {"p22", Pair22},                    // m = 2
    {"p2n3", [] { return Pair2N(3); }}, // m = 3, n = 3
    {"kn22", PairKN22},                 // m = 4
    {"nn4", [] { return PairNN(4); }},  // m = 8, n = 4
    {"p2n5", [] { return Pair2N(5); }}, // m = 10, n = 5: filler and sampling side 10
};

struct SecretShape {
    int width, height, depth;
};

const SecretShape kSecrets[] = {
    {1, 1, 1},  {7, 3, 1},    {9, 5, 24},  {17, 4, 1},
    {33, 3, 4}, {13, 13, 24}, {21, 11, 8}, {1037, 3, 1}, // wider than one stretch of 1024 blocks
};

class SharesMatchLiteral : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(SharesMatchLiteral, SameSharesAndColumnOrderAsTheLiteralLoops) {
    const auto [method, pairIndex] = GetParam();
    const NamedPair& named = kPairs[pairIndex];
    RecordingSink sink;
    std::uint64_t seed = 1;
    for (const SecretShape& shape : kSecrets) {
        SCOPED_TRACE(::testing::Message()
                     << shape.width << "x" << shape.height << " depth " << shape.depth);
        const CBmpImage secret = RandomPicture(shape.width, shape.height, shape.depth, ++seed);
        Pair fast = named.make();
        Pair literal = named.make();
        const int n = fast.S0.GetRows();
        std::vector<CBmpImage> covers;
        for (int p = 0; p < n; ++p) // larger than the secret, of mixed depths
            covers.push_back(RandomPicture(shape.width + p, shape.height + 2, p % 2 ? 8 : 1,
                                           seed * 100 + p, "cover.bmp"));
        const int m = fast.S0.GetCols();
        const int blockArea = method == kPixelSampling ? LiteralSmallestSquareMultiplier(m) * m : 1;
        if (blockArea > shape.width * shape.width || blockArea > shape.height * shape.height)
            continue; // smaller than one sampling block: refused, tested elsewhere
        SeededRandom fastRandom(seed);
        SeededRandom literalRandom(seed);
        const auto shares = MakeShares(method, secret, fast.S0, fast.S1, fastRandom, covers);
        ASSERT_TRUE(shares.has_value());
        const ShareSet expected =
            LiteralShares(method, secret, literal.S0, literal.S1, literalRandom, covers);
        EXPECT_TRUE(SameShares(*shares, expected));
        EXPECT_EQ(fast.S0, literal.S0);
        EXPECT_EQ(fast.S1, literal.S1);
        // Both made the same draws: the next one agrees too.
        EXPECT_EQ(fastRandom.Below(1u << 30), literalRandom.Below(1u << 30));
    }
    EXPECT_TRUE(sink.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(AllMethods, SharesMatchLiteral, EveryMethodWith(kPairs),
                         MethodAndEntryName(kPairs));

} // namespace
} // namespace lumisplit::test
