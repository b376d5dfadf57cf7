// Reading BMP files: layouts we accept, and headers we refuse before
// allocating anything, each with its own message.

#include "BmpFixture.h"
#include "imaging/BmpImage.h"
#include "support/TestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumisplit::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string Picture(const CBmpImage& image) {
    std::string out;
    for (int r = 0; r < image.Height(); ++r) {
        for (int c = 0; c < image.Width(); ++c)
            out += image.GetPixelBW(r, c);
        out += '/';
    }
    return out;
}

// Two stored rows of an 8-bit 4 x 2 picture, used by the layout cases.
BmpFixture EightBit() {
    BmpFixture f;
    f.bits = 8;
    f.width = 4;
    f.height = 2;
    f.clrUsed = 4;
    f.rows = {{0, 7, 0, 7}, {7, 7, 0, 0}};
    return f;
}
constexpr const char* kEightBitPicture = "bwbw/wwbb/";

struct LayoutCase {
    const char* name;
    std::function<void(BmpFixture&)> change;
    const char* picture;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class AcceptedLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(AcceptedLayout, ReadsThePixelsWhereTheyAre) {
    BmpFixture f = EightBit();
    GetParam().change(f);
    RecordingSink sink;
    CBmpImage image("layout.bmp");
    ASSERT_TRUE(image.ReadBytes(MakeBmp(f))) << testing::PrintToString(sink.messages);
    EXPECT_EQ(Picture(image), GetParam().picture);
    EXPECT_TRUE(sink.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, AcceptedLayout,
    testing::Values(
        LayoutCase{"Plain", [](BmpFixture&) {}, kEightBitPicture},
        // A gap between the table and the pixels no longer shifts the rows.
        LayoutCase{"GapBeforePixels", [](BmpFixture& f) { f.gap = 100; }, kEightBitPicture},
        // An offset pointing into the table is wrong: the pixels follow the table.
        LayoutCase{"OffsetInsideTable",
                   [](BmpFixture& f) {
                       f.forceOffBits = true;
                       f.offBits = 20;
                   },
                   kEightBitPicture},
        LayoutCase{"InfoHeader52", [](BmpFixture& f) { f.infoSize = 52; }, kEightBitPicture},
        LayoutCase{"InfoHeader56", [](BmpFixture& f) { f.infoSize = 56; }, kEightBitPicture},
        LayoutCase{"InfoHeader108", [](BmpFixture& f) { f.infoSize = 108; }, kEightBitPicture},
        LayoutCase{"InfoHeader124WithGap",
                   [](BmpFixture& f) {
                       f.infoSize = 124;
                       f.gap = 4;
                   },
                   kEightBitPicture},
        // Top-down rows come out in our bottom-up order.
        LayoutCase{"TopDown", [](BmpFixture& f) { std::swap(f.rows[0], f.rows[1]), f.height = -2; },
                   kEightBitPicture},
        LayoutCase{"TopDownOddRows",
                   [](BmpFixture& f) {
                       f.height = -3;
                       f.rows = {{7, 0, 0, 0}, {0, 7, 0, 0}, {0, 0, 7, 0}};
                   },
                   "bbwb/bwbb/wbbb/"},
        LayoutCase{"ZeroWidth",
                   [](BmpFixture& f) {
                       f.width = 0;
                       f.rows.clear();
                   },
                   ""},
        // Nothing to hold, however many rows: no loop over them either.
        LayoutCase{"ZeroWidthTwoBillionRowsTopDown",
                   [](BmpFixture& f) {
                       f.width = 0;
                       f.height = -2147483647;
                       f.rows.clear();
                   },
                   ""}),
    [](const auto& info) { return info.param.name; });

struct RefusedCase {
    const char* name;
    std::function<void(Bytes&)> change; // applied to the bytes of EightBit()
    std::string message; // after "ERROR: Cannot read bad.bmp: " unless it starts with ERROR
};

void Set32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedFile : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedFile, ReportsWhyAndLeavesNoPixels) {
    Bytes file = MakeBmp(EightBit());
    GetParam().change(file);
    RecordingSink sink;
    CBmpImage image("bad.bmp", 4, 4); // had pixels before: a failed read drops them
    EXPECT_FALSE(image.ReadBytes(file));
    EXPECT_EQ(sink.messages,
              std::vector<std::string>{RefusalMessage("bad.bmp", GetParam().message)});
    EXPECT_FALSE(image.HasPixels());
    EXPECT_EQ(image.biWidth, 0u);
    EXPECT_EQ(image.biHeight, 0u);
    EXPECT_EQ(image.m_strFileName, "bad.bmp");
}

INSTANTIATE_TEST_SUITE_P(
    Headers, RefusedFile,
    testing::Values(
        RefusedCase{"Empty", [](Bytes& b) { b.clear(); },
                    "not a BMP file (it does not start with \"BM\")"},
        RefusedCase{"OtherSignature", [](Bytes& b) { b[1] = 'A'; },
                    "not a BMP file (it does not start with \"BM\")"},
        RefusedCase{"ShorterThanHeaders", [](Bytes& b) { b.resize(53); },
                    "the file is shorter than its headers"},
        RefusedCase{"ShorterThanLongInfoHeader", [](Bytes& b) { Set32(b, 14, 4000); },
                    "the file is shorter than its headers"},
        RefusedCase{"Os2InfoHeader", [](Bytes& b) { Set32(b, 14, 12); },
                    "its info header of 12 bytes is not supported (40 or more expected)"},
        RefusedCase{"SixteenBits", [](Bytes& b) { b[28] = 16; },
                    "16 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
        RefusedCase{"ZeroBits", [](Bytes& b) { b[28] = 0; },
                    "0 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
        RefusedCase{"Rle8", [](Bytes& b) { b[30] = 1; },
                    "compressed pixel data (compression 1) is not supported"},
        RefusedCase{"TooManyColours", [](Bytes& b) { Set32(b, 46, 257); },
                    "its colour table of 257 entries is too large (256 at most)"},
        RefusedCase{"NegativeWidth", [](Bytes& b) { Set32(b, 18, static_cast<std::uint32_t>(-4)); },
                    "its width -4 is negative"},
        RefusedCase{"OverOneGiB",
                    [](Bytes& b) {
                        Set32(b, 18, 40000);
                        Set32(b, 22, 30000);
                    },
                    "its 40000 x 30000 pixels need more than 1 GiB of memory"},
        RefusedCase{"MostNegativeHeight", [](Bytes& b) { Set32(b, 22, 0x80000000u); },
                    "its 4 x 2147483648 pixels need more than 1 GiB of memory"},
        RefusedCase{"WidestRow", [](Bytes& b) { Set32(b, 18, 0x7FFFFFFF), b[28] = 24; },
                    "its 2147483647 x 2 pixels need more than 1 GiB of memory"},
        RefusedCase{"OffsetBeyondEnd", [](Bytes& b) { Set32(b, 10, 5000); },
                    "its pixel data offset 5000 lies beyond the end of the file"},
        // Cut inside the colour table: one message, not one per missing entry.
        RefusedCase{"TableCutShort", [](Bytes& b) { b.resize(60); },
                    "ERROR: Can't read bitmap's color palette!"},
        RefusedCase{"PixelsCutShort", [](Bytes& b) { b.pop_back(); },
                    "ERROR: Can't read in image!"},
        // Rows that would need far more than the file holds fail before any allocation.
        RefusedCase{"HugeHeightSmallFile", [](Bytes& b) { Set32(b, 22, 100000); },
                    "ERROR: Can't read in image!"}),
    [](const auto& info) { return info.param.name; });

TEST(ReadFile, TruncatedFileOnDiskIsRefusedLikeInMemory) {
    TempDir dir;
    Bytes file = MakeBmp(EightBit());
    file.resize(file.size() - 3);
    WriteFileBytes(dir.File("cut.bmp"), file);
    RecordingSink sink;
    CBmpImage image(dir.File("cut.bmp"));
    EXPECT_FALSE(image.Read());
    EXPECT_FALSE(image.HasPixels());
    EXPECT_EQ(sink.messages, std::vector<std::string>{"ERROR: Can't read in image!"});
}

TEST(ReadFile, ReadsTheSameFromDiskAsFromMemory) {
    TempDir dir;
    BmpFixture f = EightBit();
    f.gap = 3;
    f.infoSize = 108;
    WriteFileBytes(dir.File("v4.bmp"), MakeBmp(f));
    CBmpImage image(dir.File("v4.bmp"));
    ASSERT_TRUE(image.Read());
    EXPECT_EQ(Picture(image), kEightBitPicture);
}

} // namespace
} // namespace lumisplit::test
