// Every file of the public BMP suite is either read or refused with a message;
// read ones are checked against pictures known to hold the same pixels.

#include "BmpFixture.h"
#include "imaging/BmpImage.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace lumisplit::test {
namespace {

const std::string kSuite = LUMISPLIT_BMPSUITE_DIR;

// Refused files and the reason given (after "ERROR: Cannot read <file>: ",
// unless the message is one of the fixed read errors).
const std::map<std::string, std::string> kRefused = {
    {"b/badbitcount.bmp", "30000 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"b/badpalettesize.bmp", "its colour table of 305402420 entries is too large (256 at most)"},
    {"b/badrle.bmp", "compressed pixel data (compression 1) is not supported"},
    {"b/badrle4.bmp", "compressed pixel data (compression 2) is not supported"},
    {"b/badrle4bis.bmp", "compressed pixel data (compression 2) is not supported"},
    {"b/badrle4ter.bmp", "compressed pixel data (compression 2) is not supported"},
    {"b/badrlebis.bmp", "compressed pixel data (compression 1) is not supported"},
    {"b/badrleter.bmp", "compressed pixel data (compression 1) is not supported"},
    {"b/badwidth.bmp", "its width -127 is negative"},
    {"b/reallybig.bmp", "its 3000000 x 2000000 pixels need more than 1 GiB of memory"},
    {"b/rgb16-880.bmp", "16 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"b/rletopdown.bmp", "compressed pixel data (compression 1) is not supported"},
    {"b/shortfile.bmp", "ERROR: Can't read in image!"},
    {"g/pal4rle.bmp", "compressed pixel data (compression 2) is not supported"},
    {"g/pal8os2.bmp", "its info header of 12 bytes is not supported (40 or more expected)"},
    {"g/pal8rle.bmp", "compressed pixel data (compression 1) is not supported"},
    {"g/rgb16-565.bmp", "16 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"g/rgb16-565pal.bmp", "16 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"g/rgb16.bmp", "16 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"g/rgb16bfdef.bmp", "16 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"g/rgb32.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"g/rgb32bf.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"g/rgb32bfdef.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/pal1huffmsb.bmp", "compressed pixel data (compression 3) is not supported"},
    {"q/pal4rlecut.bmp", "compressed pixel data (compression 2) is not supported"},
    {"q/pal4rletrns.bmp", "compressed pixel data (compression 2) is not supported"},
    {"q/pal8os2-hs.bmp", "its info header of 12 bytes is not supported (40 or more expected)"},
    {"q/pal8os2-sz.bmp", "its info header of 12 bytes is not supported (40 or more expected)"},
    {"q/pal8os2sp.bmp", "its info header of 12 bytes is not supported (40 or more expected)"},
    {"q/pal8os2v2-16.bmp", "its info header of 16 bytes is not supported (40 or more expected)"},
    {"q/pal8oversizepal.bmp", "its colour table of 300 entries is too large (256 at most)"},
    {"q/pal8rlecut.bmp", "compressed pixel data (compression 1) is not supported"},
    {"q/pal8rletrns.bmp", "compressed pixel data (compression 1) is not supported"},
    {"q/rgb16-231.bmp", "16 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgb16-3103.bmp", "16 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgb16faketrns.bmp", "16 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgb24jpeg.bmp", "0 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgb24largepal.bmp", "its colour table of 300 entries is too large (256 at most)"},
    {"q/rgb24png.bmp", "0 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgb24rle24.bmp", "compressed pixel data (compression 4) is not supported"},
    {"q/rgb32-111110.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgb32-7187.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgb32-xbgr.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgb32fakealpha.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgb32h52.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgba16-1924.bmp", "16 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgba16-4444.bmp", "16 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgba16-5551.bmp", "16 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgba32-1.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgba32-1010102.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgba32-2.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgba32-61754.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgba32-81284.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgba32abf.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgba32h56.bmp", "32 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"q/rgba64.bmp", "64 bits per pixel is not supported (1, 2, 4, 8 or 24 expected)"},
    {"x/ba-bm.bmp", "not a BMP file (it does not start with \"BM\")"},
};

// Read files, by groups that hold the same pixel values under our rule. The
// black counts come from an outside decoder, where it renders black exactly
// for value 0: the 24-bit picture and the 1-bit one with black at index 0.
struct Group {
    std::vector<std::string> files;
    int width, height;
    int blackPixels; // -1: not known from outside
};
const std::vector<Group> kGroups = {
    // 40, 66 (extra bytes) info headers; table colours differ, indices do not.
    {{"g/pal1.bmp", "g/pal1bg.bmp", "b/badheadersize.bmp", "b/badbitssize.bmp", "b/baddens1.bmp",
      "b/baddens2.bmp", "b/badfilesize.bmp", "b/badplanes.bmp"},
     127,
     64,
     5728},
    // White first in the table, and the bits inverted to show the same picture.
    {{"g/pal1wb.bmp"}, 127, 64, 127 * 64 - 5728},
    // 24 bits; with a 256-entry table the pixels start at bfOffBits, and a v5 header.
    {{"g/rgb24.bmp", "g/rgb24pal.bmp", "q/rgb24lprof.bmp", "g/pal8gs.bmp"}, 127, 64, 841},
    // Top down, a gap before the pixels, v4/v5/OS/2 v2 headers, biClrUsed 0.
    {{"g/pal8.bmp", "g/pal8topdown.bmp", "q/pal8offs.bmp", "g/pal8v4.bmp", "g/pal8v5.bmp",
      "q/pal8os2v2.bmp", "q/pal8os2v2-sz.bmp", "q/pal8os2v2-40sz.bmp", "g/pal8-0.bmp"},
     127,
     64,
     -1},
    {{"q/pal2.bmp", "q/pal2color.bmp"}, 127, 64, -1},
    {{"g/pal4.bmp"}, 127, 64, -1},
    {{"g/pal4gs.bmp"}, 127, 64, -1},
    {{"q/pal1p1.bmp"}, 127, 64, -1},
    {{"b/pal8badindex.bmp"}, 127, 64, -1},
    {{"g/pal8nonsquare.bmp"}, 127, 32, -1},
    {{"g/pal8w124.bmp"}, 124, 61, -1},
    {{"g/pal8w125.bmp"}, 125, 62, -1},
    {{"g/pal8w126.bmp"}, 126, 63, -1},
};

std::string Picture(const CBmpImage& image) {
    std::string out;
    for (int r = 0; r < image.Height(); ++r)
        for (int c = 0; c < image.Width(); ++c)
            out += image.GetPixelBW(r, c);
    return out;
}

TEST(BmpSuite, EveryFileIsListed) {
    std::set<std::string> listed;
    for (const auto& [file, reason] : kRefused)
        listed.insert(file);
    for (const Group& g : kGroups)
        listed.insert(g.files.begin(), g.files.end());
    std::set<std::string> present;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kSuite))
        if (entry.path().extension() == ".bmp")
            present.insert(std::filesystem::relative(entry.path(), kSuite).string());
    EXPECT_EQ(present, listed);
}

TEST(BmpSuite, RefusedFilesSayWhyAndKeepNoPixels) {
    for (const auto& [file, reason] : kRefused) {
        RecordingSink sink;
        CBmpImage image(kSuite + "/" + file);
        EXPECT_FALSE(image.Read()) << file;
        EXPECT_FALSE(image.HasPixels()) << file;
        EXPECT_EQ(sink.messages,
                  std::vector<std::string>{RefusalMessage(image.m_strFileName, reason)})
            << file;
    }
}

TEST(BmpSuite, ReadFilesMatchTheirGroup) {
    for (const Group& g : kGroups) {
        std::string first;
        for (const std::string& file : g.files) {
            RecordingSink sink;
            CBmpImage image(kSuite + "/" + file);
            ASSERT_TRUE(image.Read()) << file;
            EXPECT_TRUE(sink.messages.empty()) << file;
            EXPECT_EQ(image.Width(), g.width) << file;
            EXPECT_EQ(image.Height(), g.height) << file;
            const std::string picture = Picture(image);
            if (first.empty())
                first = picture;
            EXPECT_EQ(picture, first) << file << " differs from " << g.files.front();
            if (g.blackPixels >= 0) {
                EXPECT_EQ(std::count(picture.begin(), picture.end(), 'b'), g.blackPixels) << file;
            }
        }
    }
}

TEST(BmpSuite, WhiteFirstTableReadsAsTheInverse) {
    CBmpImage normal(kSuite + "/g/pal1.bmp");
    CBmpImage swapped(kSuite + "/g/pal1wb.bmp");
    ASSERT_TRUE(normal.Read());
    ASSERT_TRUE(swapped.Read());
    std::string inverse = Picture(normal);
    for (char& c : inverse)
        c = c == 'b' ? 'w' : 'b';
    EXPECT_EQ(Picture(swapped), inverse);
}

TEST(BmpSuite, KnownPixelsOfTheTwentyFourBitPicture) {
    // Outside decoder, top-left origin: (25,19) is (0,0,0), (0,0) is red,
    // (1,61) is (8,8,8): nearly black still reads white.
    CBmpImage image(kSuite + "/g/rgb24.bmp");
    ASSERT_TRUE(image.Read());
    const int top = image.Height() - 1;
    EXPECT_EQ(image.GetPixelBW(top - 19, 25), 'b');
    EXPECT_EQ(image.GetPixelBW(top - 0, 0), 'w');
    EXPECT_EQ(image.GetPixelBW(top - 61, 1), 'w');
}

} // namespace
} // namespace lumisplit::test
