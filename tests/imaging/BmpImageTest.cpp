// CBmpImage: blank images, the black/white rule at every depth, round trips,
// and pixel access that must never touch memory outside the picture.

#include "imaging/BmpImage.h"

#include "BmpFixture.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumisplit::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string Reading(const CBmpImage& image, int row) {
    std::string out;
    for (int c = 0; c < image.Width(); ++c)
        out += image.GetPixelBW(row, c);
    return out;
}

TEST(BlankImage, TenByThreeIsAllBlackWithABlackWhiteTable) {
    TempDir dir;
    CBmpImage image(dir.File("blank.bmp"), 3, 10);
    EXPECT_EQ(image.Stride(), 4u);
    EXPECT_EQ(image.biSizeImage, 12u);
    EXPECT_EQ(image.bfSize, 74u);
    EXPECT_EQ(image.bfOffBits, 62u);
    EXPECT_EQ(image.biBitCount, 1);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(Reading(image, r), "bbbbbbbbbb");

    ASSERT_TRUE(image.Write());
    const Bytes file = ReadFileBytes(image.m_strFileName);
    ASSERT_EQ(file.size(), 74u);
    EXPECT_EQ(Bytes(file.begin() + 54, file.begin() + 62),
              (Bytes{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}));
}

TEST(BlankImage, SetPixelChangesOnlyTheAddressedBit) {
    TempDir dir;
    CBmpImage image(dir.File("blank.bmp"), 3, 10);
    image.SetPixelBW(0, 0, 0);
    image.SetPixelBW(0, 9, 0);
    ASSERT_TRUE(image.Write());
    Bytes file = ReadFileBytes(image.m_strFileName);
    EXPECT_EQ(Bytes(file.begin() + 62, file.begin() + 66), (Bytes{0x80, 0x40, 0, 0}));

    image.SetPixelBW(0, 0, 1);
    ASSERT_TRUE(image.Write());
    file = ReadFileBytes(image.m_strFileName);
    EXPECT_EQ(Bytes(file.begin() + 62, file.end()), (Bytes{0, 0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(BlankImage, ImpossibleSizesAreRefusedWithoutThrowing) {
    struct Case {
        int height, width;
    };
    for (const Case c : {Case{-1, 10}, Case{10, -1}, Case{1 << 30, 1 << 30}, Case{90000, 100000}}) {
        RecordingSink sink;
        CBmpImage image("big.bmp", c.height, c.width);
        EXPECT_FALSE(image.HasPixels()) << c.height << " x " << c.width;
        EXPECT_EQ(image.biWidth, 0u);
        EXPECT_EQ(image.biHeight, 0u);
        EXPECT_EQ(sink.messages,
                  std::vector<std::string>{"ERROR: Can't allocate memory for image!"});
    }
}

TEST(BlankImage, ZeroSizeImagesRoundTripAsZeroByZero) {
    struct Case {
        int height, width;
    };
    for (const Case c : {Case{0, 0}, Case{5, 0}, Case{0, 5}, Case{1 << 30, 0}}) {
        TempDir dir;
        CBmpImage image(dir.File("empty.bmp"), c.height, c.width);
        EXPECT_EQ(image.biWidth, 0u);
        EXPECT_EQ(image.biHeight, 0u);
        ASSERT_TRUE(image.Write());
        EXPECT_EQ(ReadFileBytes(image.m_strFileName).size(), 62u);
        CBmpImage back(image.m_strFileName);
        ASSERT_TRUE(back.Read());
        EXPECT_EQ(back.Width(), 0);
        EXPECT_EQ(back.Height(), 0);
    }
}

// One stored row per depth, read by the fixed rule: value 0 black, else white.
struct DepthCase {
    int bits;
    int width;
    Bytes row;
    std::string reading;
};

class BlackWhiteRule : public testing::TestWithParam<DepthCase> {};

TEST_P(BlackWhiteRule, ReadsValueZeroAsBlack) {
    const DepthCase& c = GetParam();
    BmpFixture f;
    f.bits = c.bits;
    f.width = c.width;
    f.rows = {c.row};
    CBmpImage image("rule.bmp");
    ASSERT_TRUE(image.ReadBytes(MakeBmp(f)));
    EXPECT_EQ(Reading(image, 0), c.reading);
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BlackWhiteRule,
                         testing::Values(DepthCase{1, 10, {0b10110000, 0b01000000}, "wbwwbbbbbw"},
                                         DepthCase{2, 5, {0b01001100, 0b11000000}, "wbwbw"},
                                         // width 3: row bytes 2, pixel 2 is the high half of byte 1
                                         DepthCase{4, 3, {0x01, 0x50}, "bww"},
                                         DepthCase{4, 3, {0x10, 0x05}, "wbb"},
                                         DepthCase{8, 4, {0, 1, 255, 0}, "bwwb"},
                                         DepthCase{24, 3, {0, 0, 0, 1, 0, 0, 0, 0, 1}, "bww"}));

// SetPixelBW stores the lowest or highest value the depth holds, and only there.
struct SetCase {
    int bits;
    Bytes afterWhiteOnBlack; // column 1 set white in an all-zero row
    Bytes afterBlackOnWhite; // column 1 set black in an all-ones row
};

class SetPixelRule : public testing::TestWithParam<SetCase> {};

TEST_P(SetPixelRule, WritesExtremeValuesAndKeepsNeighbours) {
    const SetCase& c = GetParam();
    for (const bool startWhite : {false, true}) {
        BmpFixture f;
        f.bits = c.bits;
        f.width = 3;
        f.rows = {Bytes(9, startWhite ? 0xFF : 0)};
        CBmpImage image("set.bmp");
        ASSERT_TRUE(image.ReadBytes(MakeBmp(f)));
        image.SetPixelBW(0, 1, startWhite ? 1 : 0);
        const Bytes& expected = startWhite ? c.afterBlackOnWhite : c.afterWhiteOnBlack;
        EXPECT_EQ(Bytes(image.Row(0), image.Row(0) + expected.size()), expected);
        EXPECT_EQ(Reading(image, 0), startWhite ? "wbw" : "bwb");
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, SetPixelRule,
                         testing::Values(SetCase{1, {0x40, 0, 0, 0}, {0xBF, 0xFF, 0xFF, 0xFF}},
                                         SetCase{2, {0x30, 0, 0, 0}, {0xCF, 0xFF, 0xFF, 0xFF}},
                                         SetCase{4, {0x0F, 0}, {0xF0, 0xFF}},
                                         SetCase{8, {0, 0xFF, 0}, {0xFF, 0, 0xFF}},
                                         SetCase{24,
                                                 {0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0},
                                                 {0xFF, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF}}));

TEST(BlackWhiteRule, ColourTableIsNeverConsulted) {
    BmpFixture f;
    f.palette = {0x00FFFFFF, 0x00000000}; // white first: the file shows bit 1 as black
    f.rows = {{0b10000000}};
    CBmpImage image("wb.bmp");
    ASSERT_TRUE(image.ReadBytes(MakeBmp(f)));
    EXPECT_EQ(image.GetPixelBW(0, 0), 'w');
    EXPECT_EQ(image.GetPixelBW(0, 1), 'b');
}

TEST(BlackWhiteRule, TwentyFourBitsWithoutTableStartRightAfterTheHeaders) {
    BmpFixture f;
    f.bits = 24;
    f.width = 2;
    f.rows = {{0, 0, 0, 9, 9, 9}};
    const Bytes file = MakeBmp(f);
    ASSERT_EQ(file[54], 0); // the first pixel is at offset 54
    CBmpImage image("rgb.bmp");
    ASSERT_TRUE(image.ReadBytes(file));
    EXPECT_EQ(Reading(image, 0), "bw");
}

// Access outside the picture, or to a picture without pixels, touches nothing.
TEST(PixelAccess, OutsideThePictureReadsWhiteAndWritesNothing) {
    CBmpImage image("x.bmp", 2, 9);
    const std::vector<std::pair<int, int>> outside = {{-1, 0}, {0, -1}, {2, 0},
                                                      {0, 9},  {2, 9},  {1 << 30, 1 << 30}};
    for (const auto& [r, c] : outside) {
        image.SetPixelBW(r, c, 0);
        EXPECT_EQ(image.GetPixelBW(r, c), 'w') << r << "," << c;
    }
    // Column 9 lies in the stored row's padding: it must stay untouched.
    EXPECT_EQ(Bytes(image.Row(0), image.Row(0) + 8), Bytes(8, 0));

    CBmpImage none("none.bmp");
    none.biWidth = 100; // a header claiming pixels that were never allocated
    none.biHeight = 100;
    none.biBitCount = 8;
    none.SetPixelBW(5, 5, 0);
    EXPECT_EQ(none.GetPixelBW(5, 5), 'w');
    EXPECT_EQ(none.Width(), 0);
}

TEST(PixelAccess, HeaderEditedAfterAllocationCannotReachPastTheBuffer) {
    CBmpImage image("x.bmp", 1, 8); // 4 bytes of pixels
    image.biBitCount = 24;          // now claims 24 bytes per row
    image.SetPixelBW(0, 5, 0);
    EXPECT_EQ(image.GetPixelBW(0, 5), 'w');
    EXPECT_EQ(image.GetPixelBW(0, 0), 'b');
}

TEST(ReadFile, MissingFileIsReportedAndLeavesTheImageAsItWas) {
    TempDir dir;
    RecordingSink sink;
    CBmpImage fresh(dir.File("missing.bmp"));
    EXPECT_FALSE(fresh.Read());
    EXPECT_EQ(fresh.Width(), 0);
    EXPECT_EQ(fresh.biWidth, 0u);

    CBmpImage loaded(dir.File("a.bmp"), 2, 5);
    loaded.m_strFileName = dir.File("missing.bmp");
    EXPECT_FALSE(loaded.Read());
    EXPECT_EQ(loaded.Width(), 5);
    const std::string expected = "ERROR: Cannot open " + dir.File("missing.bmp");
    EXPECT_EQ(sink.messages, (std::vector<std::string>{expected, expected}));
}

TEST(ReadFile, AFolderIsNotAPicture) {
    TempDir dir;
    RecordingSink sink;
    CBmpImage image(dir.path().string());
    EXPECT_FALSE(image.Read());
    EXPECT_EQ(sink.messages, std::vector<std::string>{"ERROR: Cannot open " + dir.path().string()});
}

// The bundled pictures are 1-bit with black at index 0, so our rule sees
// their black text as black: white margins, some black in the middle.
TEST(BundledSamples, ReadAsBlackTextOnWhite) {
    for (const char* name : {"secreto.bmp", "ok-small.bmp"}) {
        CBmpImage image(std::string(LUMISPLIT_SAMPLES_DIR) + "/" + name);
        ASSERT_TRUE(image.Read()) << name;
        EXPECT_EQ(image.biBitCount, 1) << name;
        int black = 0, blackInMargin = 0;
        for (int r = 0; r < image.Height(); ++r)
            for (int c = 0; c < image.Width(); ++c) {
                const bool margin =
                    r < 2 || c < 2 || r >= image.Height() - 2 || c >= image.Width() - 2;
                const bool isBlack = image.GetPixelBW(r, c) == 'b';
                black += isBlack;
                blackInMargin += isBlack && margin;
            }
        EXPECT_EQ(blackInMargin, 0) << name;
        EXPECT_GT(black, image.Width() * image.Height() / 20) << name;
        EXPECT_LT(black, image.Width() * image.Height() / 2) << name;
    }
}

TEST(Move, TakesThePixelsAlong) {
    CBmpImage a("a.bmp", 2, 3);
    a.SetPixelBW(1, 2, 0);
    CBmpImage b(std::move(a));
    EXPECT_EQ(b.GetPixelBW(1, 2), 'w');
    EXPECT_EQ(b.GetPixelBW(1, 1), 'b');
    CBmpImage c;
    c = std::move(b);
    EXPECT_EQ(c.Width(), 3);
    EXPECT_EQ(c.GetPixelBW(1, 2), 'w');
}

} // namespace
} // namespace lumisplit::test
