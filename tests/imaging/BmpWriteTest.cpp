// Writing BMP files: a consistent file whatever header the image came from,
// exact round trips, and no half-written file in place of a good one.

#include "BmpFixture.h"
#include "imaging/BmpImage.h"
#include "support/TestSupport.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

namespace lumisplit::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::size_t FilesIn(const std::filesystem::path& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir),
                                                  std::filesystem::directory_iterator()));
}

TEST(Write, OddHeaderComesOutConsistent) {
    // A v5 header, a gap before the pixels and a wrong biSizeImage in the source.
    BmpFixture f;
    f.bits = 4;
    f.width = 5;
    f.height = -3;
    f.infoSize = 124;
    f.clrUsed = 3;
    f.gap = 10;
    f.rows = {{0x01, 0x23, 0x40}, {0x50, 0x06, 0x70}, {0x89, 0xAB, 0xC0}};
    TempDir dir;
    CBmpImage image(dir.File("out.bmp"));
    ASSERT_TRUE(image.ReadBytes(MakeBmp(f)));
    ASSERT_TRUE(image.Write());
    const Bytes file = ReadFileBytes(image.m_strFileName);
    const std::uint32_t stride = 4, dataLength = stride * 3, palette = 4 * 3;
    ASSERT_EQ(file.size(), 54 + palette + dataLength);
    EXPECT_EQ(U32(file, 2), file.size());   // bfSize
    EXPECT_EQ(U32(file, 10), 54 + palette); // bfOffBits
    EXPECT_EQ(U32(file, 14), 40u);          // biSize
    EXPECT_EQ(U32(file, 22), 3u);           // rows now stored bottom up
    EXPECT_EQ(U32(file, 34), dataLength);   // biSizeImage
    EXPECT_EQ(U32(file, 46), 3u);           // biClrUsed
    // Bottom-up: the last top-down row comes first.
    EXPECT_EQ(Bytes(file.begin() + 54 + palette, file.begin() + 54 + palette + 3),
              (Bytes{0x89, 0xAB, 0xC0}));

    CBmpImage back(image.m_strFileName);
    ASSERT_TRUE(back.Read());
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(back.GetPixelBW(r, c), image.GetPixelBW(r, c)) << r << "," << c;
}

TEST(Write, ReadThenWriteIsByteIdenticalAtEveryDepth) {
    std::mt19937 random(7);
    for (const int bits : {1, 2, 4, 8, 24}) {
        for (const int width : {1, 7, 33}) {
            BmpFixture f;
            f.bits = bits;
            f.width = width;
            f.height = 3;
            const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits + 7) / 8;
            f.rows.assign(3, Bytes(rowBytes));
            for (Bytes& row : f.rows)
                for (auto& byte : row)
                    byte = static_cast<std::uint8_t>(random());
            TempDir dir;
            WriteFileBytes(dir.File("a.bmp"), MakeBmp(f));
            CBmpImage a(dir.File("a.bmp"));
            ASSERT_TRUE(a.Read());
            a.m_strFileName = dir.File("b.bmp");
            ASSERT_TRUE(a.Write());
            CBmpImage b(dir.File("b.bmp"));
            ASSERT_TRUE(b.Read());
            b.m_strFileName = dir.File("c.bmp");
            ASSERT_TRUE(b.Write());
            EXPECT_EQ(ReadFileBytes(dir.File("b.bmp")), ReadFileBytes(dir.File("c.bmp")))
                << bits << " bits, width " << width;
            // Our writer adds nothing to a plain 40-byte-header file.
            EXPECT_EQ(ReadFileBytes(dir.File("a.bmp")), ReadFileBytes(dir.File("b.bmp")))
                << bits << " bits, width " << width;
        }
    }
}

TEST(Write, BlankImageReadBackAndWrittenAgainIsIdentical) {
    TempDir dir;
    CBmpImage image(dir.File("a.bmp"), 3, 10);
    image.SetPixelBW(1, 4, 0);
    ASSERT_TRUE(image.Write());
    CBmpImage back(dir.File("a.bmp"));
    ASSERT_TRUE(back.Read());
    back.m_strFileName = dir.File("b.bmp");
    ASSERT_TRUE(back.Write());
    EXPECT_EQ(ReadFileBytes(dir.File("a.bmp")), ReadFileBytes(dir.File("b.bmp")));
}

TEST(Write, RefusalsWriteNothing) {
    TempDir dir;
    struct Case {
        const char* name;
        std::function<void(CBmpImage&)> change;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"nopixels.bmp", [](CBmpImage& i) { i.biWidth = 3, i.biHeight = 2, i.biBitCount = 1; },
         "the image has no pixels"},
        {"default.bmp", [](CBmpImage&) {}, "0 bits per pixel is not supported"},
        {"table.bmp", [](CBmpImage& i) { i.biBitCount = 8, i.biClrUsed = 300; },
         "its colour table of 300 entries is too large (256 at most)"},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        CBmpImage image(dir.File(c.name));
        c.change(image);
        EXPECT_FALSE(image.Write());
        EXPECT_EQ(sink.messages, std::vector<std::string>{"ERROR: Can't write " + dir.File(c.name) +
                                                          ": " + c.message});
    }
    RecordingSink sink;
    CBmpImage grown(dir.File("grown.bmp"), 2, 2);
    grown.biHeight = 1000; // more rows than the buffer holds
    EXPECT_FALSE(grown.Write());
    EXPECT_EQ(sink.messages,
              std::vector<std::string>{"ERROR: Can't write " + dir.File("grown.bmp") +
                                       ": its pixels do not match its width and height"});
    EXPECT_EQ(FilesIn(dir.path()), 0u);
}

TEST(Write, UnwritableTargetIsReportedAndLeavesNoTemporary) {
    TempDir dir;
    RecordingSink sink;
    CBmpImage missingFolder(dir.File("no/such/folder.bmp"), 2, 2);
    EXPECT_FALSE(missingFolder.Write());
    std::filesystem::create_directory(dir.File("folder.bmp"));
    CBmpImage ontoFolder(dir.File("folder.bmp"), 2, 2);
    EXPECT_FALSE(ontoFolder.Write());
    EXPECT_EQ(sink.messages,
              (std::vector<std::string>{"ERROR: Can't open " + dir.File("no/such/folder.bmp"),
                                        "ERROR: Can't open " + dir.File("folder.bmp")}));
    EXPECT_EQ(FilesIn(dir.path()), 1u); // only the folder
}

// A write that fails partway (here: the file-size limit, inside the header,
// the colour table or the pixels) leaves the old file in place and no
// temporary beside it.
TEST(Write, FailureHalfwayKeepsTheOldFile) {
    struct Case {
        rlim_t limit; // bytes the new file may reach
        const char* message;
    };
    for (const Case c : {Case{30, "ERROR: Can't write image!"},
                         Case{58, "ERROR: Can't write bitmap's color palette!"},
                         Case{1000, "ERROR: Can't write image!"}}) {
        TempDir dir;
        const std::string target = dir.File("keep.bmp");
        CBmpImage small(target, 1, 1);
        ASSERT_TRUE(small.Write());
        const Bytes before = ReadFileBytes(target);

        // In a child process, since the limit would hold for the rest of the run.
        const auto writeUnderLimit = [&target, &c] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max = c.limit;
            setrlimit(RLIMIT_FSIZE, &limit);
            RecordingSink sink;
            CBmpImage big(target, 100, 800);
            const bool refused =
                !big.Write() && sink.messages == std::vector<std::string>{c.message};
            _exit(refused ? 0 : 1);
        };
        EXPECT_EXIT(writeUnderLimit(), testing::ExitedWithCode(0), "") << "limit " << c.limit;
        EXPECT_EQ(ReadFileBytes(target), before);
        EXPECT_EQ(FilesIn(dir.path()), 1u);
    }
}

} // namespace
} // namespace lumisplit::test
