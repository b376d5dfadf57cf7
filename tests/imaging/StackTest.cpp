// Stacking layers: black wherever any layer is black, over any mix of depths.

#include "shares/Stack.h"

#include "BmpFixture.h"
#include "imaging/BmpImage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace lumisplit::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A layer of the given depth with random pixels, about half of them black,
// and garbage in the row padding, which must not leak into the result.
CBmpImage RandomLayer(std::mt19937& random, int bits, int width, int height) {
    BmpFixture f;
    f.bits = bits;
    f.width = width;
    f.height = height;
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    for (int r = 0; r < height; ++r) {
        Bytes row(stride);
        for (auto& b : row)
            b = random() % 2 ? 0 : static_cast<std::uint8_t>(random());
        f.rows.push_back(row);
    }
    CBmpImage image("layer" + std::to_string(bits) + ".bmp");
    EXPECT_TRUE(image.ReadBytes(MakeBmp(f)));
    return image;
}

// What stacking must give: a blank image set pixel by pixel from StackedPixel.
CBmpImage Reference(const std::vector<const CBmpImage*>& layers) {
    CBmpImage out("ref.bmp", layers[0]->Height(), layers[0]->Width());
    for (int r = 0; r < out.Height(); ++r)
        for (int c = 0; c < out.Width(); ++c)
            out.SetPixelBW(r, c, StackedPixel(layers, r, c));
    return out;
}

TEST(StackedPixel, BlackWhereAnyLayerIsBlack) {
    CBmpImage white("white.bmp", 2, 3);
    CBmpImage dot("dot.bmp", 2, 3);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) {
            white.SetPixelBW(r, c, 0);
            dot.SetPixelBW(r, c, r == 1 && c == 2);
        }
    const std::vector<const CBmpImage*> layers = {&white, &dot};
    const std::optional<CBmpImage> result = StackLayers(layers, "out.bmp");
    ASSERT_TRUE(result);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) {
            const bool black = r == 1 && c == 2;
            EXPECT_EQ(StackedPixel(layers, r, c), black ? 1 : 0);
            EXPECT_EQ(result->GetPixelBW(r, c), black ? 'b' : 'w');
        }
}

struct MixCase {
    std::vector<int> depths; // the first layer sets the size
    int width, height;
};

void PrintTo(const MixCase& c, std::ostream* os) {
    *os << c.width << " x " << c.height << ", depths";
    for (int d : c.depths)
        *os << ' ' << d;
}

class StackMix : public testing::TestWithParam<MixCase> {};

TEST_P(StackMix, MatchesPixelByPixelStackingByteForByte) {
    const MixCase& c = GetParam();
    std::mt19937 random(static_cast<unsigned>(c.width * 131 + c.height));
    std::vector<CBmpImage> layers;
    for (std::size_t i = 0; i < c.depths.size(); ++i)
        // Later layers may be larger; only the first layer's area counts.
        layers.push_back(
            RandomLayer(random, c.depths[i], c.width + (i ? 5 : 0), c.height + (i ? 2 : 0)));
    std::vector<const CBmpImage*> pointers;
    for (const CBmpImage& layer : layers)
        pointers.push_back(&layer);

    const std::optional<CBmpImage> result = StackLayers(pointers, "out.bmp");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->m_strFileName, "out.bmp");
    EXPECT_EQ(result->biBitCount, 1);
    EXPECT_EQ(result->Width(), c.width);
    EXPECT_EQ(result->Height(), c.height);
    const CBmpImage reference = Reference(pointers);
    const std::size_t bytes = reference.Stride() * static_cast<std::size_t>(c.height);
    EXPECT_EQ(Bytes(result->Row(0), result->Row(0) + bytes),
              Bytes(reference.Row(0), reference.Row(0) + bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Depths, StackMix,
    testing::Values(MixCase{{1}, 13, 3}, MixCase{{1, 1}, 64, 4}, MixCase{{1, 1, 1}, 33, 5},
                    MixCase{{8}, 7, 2}, MixCase{{24}, 5, 3}, MixCase{{2, 4}, 9, 3},
                    MixCase{{1, 2, 4, 8, 24}, 17, 4}, MixCase{{24, 1, 8}, 1, 1},
                    MixCase{{1, 1, 1, 1, 1, 1, 1, 1, 1}, 40, 6}, MixCase{{1, 8}, 1, 9}));

TEST(StackLayers, RefusesUnusableLayersByName) {
    CBmpImage first("first.bmp", 4, 8);
    CBmpImage unread("unread.bmp");
    CBmpImage narrow("narrow.bmp", 4, 7);
    CBmpImage low("low.bmp", 3, 20);
    struct Case {
        std::vector<const CBmpImage*> layers;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{}, "ERROR: There are no layers to stack."},
        {{&unread}, "ERROR: Layer 1 (unread.bmp) cannot be read."},
        {{&first, nullptr}, "ERROR: Layer 2 cannot be read."},
        {{&first, &first, &unread}, "ERROR: Layer 3 (unread.bmp) cannot be read."},
        {{&first, &narrow},
         "ERROR: Layer 2 (narrow.bmp) is smaller than the first layer (7 x 4 against 8 x 4)."},
        {{&first, &low},
         "ERROR: Layer 2 (low.bmp) is smaller than the first layer (20 x 3 against 8 x 4)."},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        EXPECT_FALSE(StackLayers(c.layers, "out.bmp"));
        EXPECT_EQ(sink.messages, std::vector<std::string>{c.message});
    }
}

TEST(StackLayers, ReportsProgressByRowBlocksUpToTheEnd) {
    CBmpImage a("a.bmp", 600, 10);
    std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
    ASSERT_TRUE(StackLayers({&a}, "out.bmp", [&](std::uint64_t done, std::uint64_t total) {
        calls.emplace_back(done, total);
    }));
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), (std::pair<std::uint64_t, std::uint64_t>{600, 600}));
    for (std::size_t i = 1; i < calls.size(); ++i)
        EXPECT_LT(calls[i - 1].first, calls[i].first);
}

} // namespace
} // namespace lumisplit::test
