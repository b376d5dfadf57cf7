// Share sizes, block layouts and pixel rules of the seven methods, with the
// examples worked out for each of them.

#include "ShareTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace lumisplit::test {
namespace {

TEST(SmallestSquareMultiplierTest, KnownValuesAndTheDefinitionUpTo3000) {
    struct Case {
        int m, multiplier;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{4, 1}, Case{8, 2}, Case{12, 3},
                          Case{16, 1}, Case{360, 10}, Case{20160, 35}})
        EXPECT_EQ(SmallestSquareMultiplier(c.m), c.multiplier) << "m = " << c.m;
    for (int m = 1; m <= 3000; ++m)
        ASSERT_EQ(SmallestSquareMultiplier(m), LiteralSmallestSquareMultiplier(m)) << "m = " << m;
}

TEST(ShareNameTest, OneDigitPerParticipant) {
    EXPECT_EQ(ShareName(0), "capa1.bmp");
    EXPECT_EQ(ShareName(8), "capa9.bmp");
}

struct SizeCase {
    const char* what;
    int method;
    Pair (*pair)();
    int width, height;           // the secret
    int shareWidth, shareHeight; // every share
};

Pair Nn3() {
    return PairNN(3);
}
Pair Nn4() {
    return PairNN(4);
}
Pair TwoN3() {
    return Pair2N(3);
}

const SizeCase kSizes[] = {
    {"random column keeps the size", kRandomBasisColumn, Pair22, 10, 7, 10, 7},
    {"sampling (2,2) drops the odd last row", kPixelSampling, Pair22, 10, 7, 10, 6},
    {"sampling m = 8: 4 x 4 blocks", kPixelSampling, Nn4, 10, 7, 8, 4},
    {"sampling, multiples of s keep the size", kPixelSampling, Nn4, 12, 8, 12, 8},
    {"square (2,2) 3 x 2", kSquareSubpixelExpansion, Pair22, 3, 2, 6, 4},
    {"square m = 4: 4 x 4 blocks", kSquareSubpixelExpansion, PairKN22, 5, 3, 20, 12},
    {"square m = 3, one pixel", kSquareSubpixelExpansion, TwoN3, 1, 1, 3, 3},
    {"filler (2,2)", kSmallestSquareWithFiller, Pair22, 10, 7, 20, 14},
    {"filler m = 3: side 2", kSmallestSquareWithFiller, TwoN3, 10, 7, 20, 14},
    {"filler m = 8: side 3", kSmallestSquareWithFiller, Nn4, 10, 7, 30, 21},
    {"no filler (2,2)", kSmallestSquareWithoutFiller, Pair22, 10, 7, 20, 14},
    {"no filler m = 3: side 3", kSmallestSquareWithoutFiller, TwoN3, 10, 7, 30, 21},
    {"no filler m = 8: side 4", kSmallestSquareWithoutFiller, Nn4, 10, 7, 40, 28},
    {"preserve size", kExtendedPreserveSize, Pair22, 10, 7, 10, 7},
    {"preserve detail t = 4: side 2", kExtendedPreserveDetail, Pair22, 10, 7, 20, 14},
    {"preserve detail t = 7: side 7", kExtendedPreserveDetail, Nn3, 10, 7, 70, 49},
};

class ShareSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ShareSizeTest, OneBitSharesNamedInParticipantOrder) {
    const SizeCase& c = GetParam();
    Pair pair = c.pair();
    const int n = pair.S0.GetRows();
    const CBmpImage secret = RandomPicture(c.width, c.height, 1, 3);
    const std::vector<CBmpImage> covers = RandomCovers(n, c.width, c.height, 10);
    SeededRandom random(1);
    const auto shares = MakeShares(c.method, secret, pair.S0, pair.S1, random, covers);
    ASSERT_TRUE(shares.has_value());
    ASSERT_EQ(shares->size(), static_cast<std::size_t>(n));
    for (int p = 0; p < n; ++p) {
        const CBmpImage& share = (*shares)[static_cast<std::size_t>(p)];
        EXPECT_EQ(share.m_strFileName, ShareName(p));
        EXPECT_EQ(share.biBitCount, 1);
        EXPECT_EQ(share.Width(), c.shareWidth);
        EXPECT_EQ(share.Height(), c.shareHeight);
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, ShareSizeTest, ::testing::ValuesIn(kSizes),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// Pixel rows of one block of a share, '#' black and '.' white.
std::vector<std::string> Block(const CBmpImage& share, int side, int by, int bx) {
    std::vector<std::string> rows;
    for (int a = 0; a < side; ++a) {
        std::string row;
        for (int b = 0; b < side; ++b)
            row += ShareBlack(share, by * side + a, bx * side + b) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST(RandomBasisColumnTest, TwoTwoSharesAgreeOnWhiteAndDifferOnBlack) {
    const CBmpImage secret = RandomPicture(4, 2, 1, 5);
    Pair pair = Pair22();
    ScriptedRandom random({0, 1, 1, 0, 1, 1, 0, 0});
    const auto shares = RandomBasisColumn(secret, pair.S0, pair.S1, random);
    ASSERT_TRUE(shares.has_value());
    EXPECT_EQ(random.calls, std::vector<std::string>(8, "B2")); // one draw per pixel
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool same = ShareBlack((*shares)[0], y, x) == ShareBlack((*shares)[1], y, x);
            EXPECT_EQ(same, secret.GetPixelBW(y, x) == 'w') << y << "," << x;
        }
}

TEST(RandomBasisColumnTest, NnThreeBlackCountParityFollowsTheSecret) {
    const CBmpImage secret = RandomPicture(9, 5, 24, 6);
    Pair pair = PairNN(3);
    SeededRandom random(2);
    const auto shares = RandomBasisColumn(secret, pair.S0, pair.S1, random);
    ASSERT_TRUE(shares.has_value());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x) {
            int black = 0;
            for (const CBmpImage& share : *shares)
                black += ShareBlack(share, y, x) ? 1 : 0;
            EXPECT_EQ(black % 2, secret.GetPixelBW(y, x) == 'w' ? 0 : 1) << y << "," << x;
        }
}

TEST(PixelSamplingTest, OnlyEachBlocksFirstPixelIsRead) {
    // First pixel of every 2 x 2 block white, all the rest (and the unsampled
    // last row) black: every block uses S0, whose (2,2) rows are equal.
    const CBmpImage secret = MakePicture(10, 7, 1, [](int r, int c) { return r % 2 || c % 2; });
    Pair pair = Pair22();
    SeededRandom random(3);
    const auto shares = PixelSampling(secret, pair.S0, pair.S1, random);
    ASSERT_TRUE(shares.has_value());
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(ShareBlack((*shares)[0], y, x), ShareBlack((*shares)[1], y, x));
}

TEST(PixelSamplingTest, BlocksRepeatTheRowOfSubpixels) {
    // m = 2: the two subpixels in the first row and again in the second; m = 8:
    // positions 0 to 7 in the first two rows and again in the last two.
    struct Case {
        Pair (*pair)();
        int side;
    };
    for (const Case& c : {Case{Pair22, 2}, Case{Nn4, 4}}) {
        Pair pair = c.pair();
        const CBmpImage secret = RandomPicture(3 * c.side, 2 * c.side, 1, 7);
        SeededRandom random(4);
        const auto shares = PixelSampling(secret, pair.S0, pair.S1, random);
        ASSERT_TRUE(shares.has_value());
        const int m = pair.S0.GetCols();
        for (const CBmpImage& share : *shares)
            for (int by = 0; by < 2; ++by)
                for (int bx = 0; bx < 3; ++bx) {
                    const auto rows = Block(share, c.side, by, bx);
                    std::string flat;
                    for (const auto& row : rows)
                        flat += row;
                    EXPECT_EQ(flat.substr(0, m), flat.substr(m, m));
                }
    }
}

TEST(SquareSubpixelExpansionTest, TwoTwoBlocksAreStripesEqualOnWhiteComplementaryOnBlack) {
    const CBmpImage secret = RandomPicture(3, 2, 1, 8);
    Pair pair = Pair22();
    SeededRandom random(5);
    const auto shares = SquareSubpixelExpansion(secret, pair.S0, pair.S1, random);
    ASSERT_TRUE(shares.has_value());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const auto first = Block((*shares)[0], 2, y, x);
            const auto second = Block((*shares)[1], 2, y, x);
            for (const auto& block : {first, second}) {
                EXPECT_EQ(block[0], block[1]); // vertical stripes
                EXPECT_TRUE(block[0] == "#." || block[0] == ".#") << block[0];
            }
            EXPECT_EQ(first[0] == second[0], secret.GetPixelBW(y, x) == 'w');
        }
}

TEST(SquareSubpixelExpansionTest, OnePixelTwoOfThreeGivesOneBlackStripePerShare) {
    const CBmpImage secret = RandomPicture(1, 1, 1, 9);
    Pair pair = Pair2N(3);
    SeededRandom random(6);
    const auto shares = SquareSubpixelExpansion(secret, pair.S0, pair.S1, random);
    ASSERT_TRUE(shares.has_value());
    for (const CBmpImage& share : *shares) {
        const auto block = Block(share, 3, 0, 0);
        EXPECT_EQ(block[0], block[1]);
        EXPECT_EQ(block[1], block[2]);
        EXPECT_EQ(std::count(block[0].begin(), block[0].end(), '#'), 1);
    }
}

TEST(SmallestSquareTest, FillerRowIsTheScriptedDrawsWithoutFillerRepeatsTheFirstRow) {
    // One white pixel, (2,2): the permutation draw, then two filler draws for
    // share 1 and two for share 2; an odd draw is black.
    const CBmpImage white = MakePicture(1, 1, 1, [](int, int) { return false; });
    Pair pair = Pair22();
    ScriptedRandom random({1, 1, 0, 0, 1});
    const auto filled = SmallestSquareWithFiller(white, pair.S0, pair.S1, random);
    ASSERT_TRUE(filled.has_value());
    EXPECT_EQ(random.calls, (std::vector<std::string>{"B2", "bit", "bit", "bit", "bit"}));
    // Below(2) answered 1 (Fisher-Yates swaps column 1 with itself): the columns
    // keep their order, rows (0 1).
    EXPECT_EQ(Block((*filled)[0], 2, 0, 0), (std::vector<std::string>{".#", "#."}));
    EXPECT_EQ(Block((*filled)[1], 2, 0, 0), (std::vector<std::string>{".#", ".#"}));

    Pair again = Pair22();
    ScriptedRandom other({1});
    const auto repeated = SmallestSquareWithoutFiller(white, again.S0, again.S1, other);
    ASSERT_TRUE(repeated.has_value());
    EXPECT_EQ(other.calls, std::vector<std::string>{"B2"});
    for (const CBmpImage& share : *repeated)
        EXPECT_EQ(Block(share, 2, 0, 0), (std::vector<std::string>{".#", ".#"}));
}

TEST(SmallestSquareTest, SquareSubpixelCountsDrawNoFillerAndMatchTheMethodWithout) {
    // m = 4 and m = 9 fill their square exactly: both methods give one layout.
    const Pair nine{MatrixOf({{0, 0, 0, 0, 1, 1, 1, 1, 1}, {0, 0, 0, 0, 1, 1, 1, 1, 1}}),
                    MatrixOf({{0, 0, 0, 0, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 0, 0, 0, 0}})};
    for (const Pair& original : {PairKN22(), nine}) {
        const CBmpImage secret = RandomPicture(6, 3, 1, 11);
        Pair a = original, b = original;
        SeededRandom ra(7), rb(7);
        const auto withFiller = SmallestSquareWithFiller(secret, a.S0, a.S1, ra);
        const auto without = SmallestSquareWithoutFiller(secret, b.S0, b.S1, rb);
        ASSERT_TRUE(withFiller && without);
        EXPECT_TRUE(SameShares(*withFiller, *without));
    }
}

TEST(SmallestSquareTest, ThreeSubpixelsFillerInTheLastPositionEqualRowsWithout) {
    const CBmpImage secret = RandomPicture(4, 3, 1, 12);
    Pair a = Pair2N(3), b = Pair2N(3);
    ScriptedRandom withDraws(std::vector<std::uint32_t>(1000, 1));
    const auto withFiller = SmallestSquareWithFiller(secret, a.S0, a.S1, withDraws);
    SeededRandom rb(8);
    const auto without = SmallestSquareWithoutFiller(secret, b.S0, b.S1, rb);
    ASSERT_TRUE(withFiller && without);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            for (int p = 0; p < 3; ++p) {
                // Every draw odd: the filler is black.
                EXPECT_EQ(Block((*withFiller)[p], 2, y, x)[1][1], '#');
                const auto rows = Block((*without)[p], 3, y, x);
                EXPECT_EQ(rows[0], rows[1]);
                EXPECT_EQ(rows[1], rows[2]);
            }
}

struct InnocentCase {
    const char* what;
    std::uint32_t column; // the drawn column of the extended matrix
    bool cover1White, cover2White;
    const char* shares; // share 1 and 2: '#' black, '.' white
};

class ExtendedPreserveSizeTest : public ::testing::TestWithParam<InnocentCase> {};

TEST_P(ExtendedPreserveSizeTest, DrawnColumnDecidesEveryShare) {
    // A black secret pixel: M = S1 of (2,2), rows (0 1) and (1 0).
    const InnocentCase& c = GetParam();
    const CBmpImage secret = MakePicture(1, 1, 1, [](int, int) { return true; });
    std::vector<CBmpImage> covers;
    covers.push_back(MakePicture(
        1, 1, 8, [&](int, int) { return !c.cover1White; }, "c1.bmp"));
    covers.push_back(MakePicture(
        2, 2, 24, [&](int, int) { return !c.cover2White; }, "c2.bmp"));
    Pair pair = Pair22();
    ScriptedRandom random({c.column});
    const auto shares = ExtendedPreserveSize(secret, pair.S0, pair.S1, covers, random);
    ASSERT_TRUE(shares.has_value());
    EXPECT_EQ(random.calls, std::vector<std::string>{"B4"}); // m + n columns
    std::string got;
    for (const CBmpImage& share : *shares)
        got += ShareBlack(share, 0, 0) ? '#' : '.';
    EXPECT_EQ(got, c.shares);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, ExtendedPreserveSizeTest,
    ::testing::Values(InnocentCase{"basis column 0", 0, true, true, ".#"},
                      InnocentCase{"basis column 1", 1, true, true, "#."},
                      InnocentCase{"innocent column 0, cover 1 white", 2, true, false, ".#"},
                      InnocentCase{"innocent column 0, cover 1 black", 2, false, true, "##"},
                      InnocentCase{"innocent column 1, cover 2 white", 3, false, true, "#."},
                      InnocentCase{"innocent column 1, all covers black", 3, false, false, "##"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ExtendedPreserveDetailTest, WhiteSubpixelsAreIZeroTimesTheZerosOfTheExtendedRow) {
    // Every row of S0 and S1 of (2,2) and of (3,3) holds exactly m/2 zeros; the
    // innocent part adds one zero where the participant's cover is white.
    struct Case {
        Pair (*pair)();
        int side, multiplier;
    };
    for (const Case& c : {Case{Pair22, 2, 1}, Case{Nn3, 7, 7}}) {
        Pair pair = c.pair();
        const int n = pair.S0.GetRows();
        const int m = pair.S0.GetCols();
        const CBmpImage secret = RandomPicture(6, 5, 1, 13);
        const std::vector<CBmpImage> covers = RandomCovers(n, 6, 5, 20);
        SeededRandom random(9);
        const auto shares = ExtendedPreserveDetail(secret, pair.S0, pair.S1, covers, random);
        ASSERT_TRUE(shares.has_value());
        for (int p = 0; p < n; ++p)
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 6; ++x) {
                    const auto rows = Block((*shares)[p], c.side, y, x);
                    int white = 0;
                    for (const auto& row : rows)
                        white += static_cast<int>(std::count(row.begin(), row.end(), '.'));
                    const int zeros = m / 2 + (covers[p].GetPixelBW(y, x) == 'w' ? 1 : 0);
                    EXPECT_EQ(white, c.multiplier * zeros) << p << " " << y << "," << x;
                }
    }
}

// The draws of one 2 x 1 secret, method by method: exactly the described
// order (per pixel or block; the permutation before the filler; participant
// by participant), so a scripted source can replay a split.
struct DrawCase {
    int method;
    Pair (*pair)();
    std::vector<std::string> perPixel;
};

class DrawOrderTest : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawOrderTest, DrawsPerPixelInOrder) {
    const DrawCase& c = GetParam();
    Pair pair = c.pair();
    const int n = pair.S0.GetRows();
    const int side = c.method == kPixelSampling ? 3 : 1; // m = 3 under sampling
    const CBmpImage secret = RandomPicture(2 * side, side, 1, 14);
    const std::vector<CBmpImage> covers = RandomCovers(n, 2 * side, side, 30);
    ScriptedRandom random;
    ASSERT_TRUE(MakeShares(c.method, secret, pair.S0, pair.S1, random, covers).has_value());
    std::vector<std::string> expected = c.perPixel;
    expected.insert(expected.end(), c.perPixel.begin(), c.perPixel.end());
    EXPECT_EQ(random.calls, expected);
}

const std::vector<std::string> kFisherYates3{"B3", "B2"};

INSTANTIATE_TEST_SUITE_P(
    Methods, DrawOrderTest,
    ::testing::Values(DrawCase{kRandomBasisColumn, TwoN3, {"B3"}},
                      DrawCase{kPixelSampling, TwoN3, kFisherYates3},
                      DrawCase{kSquareSubpixelExpansion, TwoN3, kFisherYates3},
                      DrawCase{kSmallestSquareWithFiller, TwoN3, {"B3", "B2", "bit", "bit", "bit"}},
                      DrawCase{kSmallestSquareWithoutFiller, TwoN3, kFisherYates3},
                      DrawCase{kExtendedPreserveSize, TwoN3, {"B6"}},
                      DrawCase{kExtendedPreserveDetail, Pair22, {"B4", "B3", "B2"}}),
    [](const auto& info) { return "method" + std::to_string(info.param.method); });

} // namespace
} // namespace lumisplit::test
