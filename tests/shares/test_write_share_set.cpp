// Writing a share set: every file replaced, or on failure none, and no
// temporary file left behind.

#include "ShareTestSupport.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace lumisplit::test {
namespace {

namespace fs = std::filesystem;

ShareSet MakeSet(int n) {
    const CBmpImage secret = RandomPicture(13, 5, 1, 50);
    Pair pair = n == 2 ? Pair22() : PairNN(n);
    SeededRandom random(1);
    auto shares = RandomBasisColumn(secret, pair.S0, pair.S1, random);
    EXPECT_TRUE(shares.has_value());
    return std::move(*shares);
}

// Every file in the folder with its bytes.
std::map<std::string, std::vector<unsigned char>> Contents(const fs::path& folder) {
    std::map<std::string, std::vector<unsigned char>> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = entry.is_regular_file()
                                                      ? ReadFileBytes(entry.path().string())
                                                      : std::vector<unsigned char>{'d', 'i', 'r'};
    return files;
}

void ExpectReadsBackAs(const std::string& path, const CBmpImage& share) {
    CBmpImage back(path);
    ASSERT_TRUE(back.Read());
    ASSERT_EQ(back.Width(), share.Width());
    ASSERT_EQ(back.Height(), share.Height());
    for (int y = 0; y < share.Height(); ++y)
        for (int x = 0; x < share.Width(); ++x)
            ASSERT_EQ(back.GetPixelBW(y, x), share.GetPixelBW(y, x)) << path;
}

TEST(WriteShareSetTest, WritesEveryShareReplacingOlderFiles) {
    TempDir dir;
    WriteFileBytes(dir.File("capa1.bmp"), {'o', 'l', 'd'});
    ShareSet shares = MakeSet(3);
    RecordingSink sink;
    ASSERT_TRUE(WriteShareSet(shares, dir.path().string()));
    EXPECT_TRUE(sink.messages.empty());
    const auto files = Contents(dir.path());
    EXPECT_EQ(files.size(), 3u); // no temporary or backup left
    for (const CBmpImage& share : shares) {
        EXPECT_EQ(share.m_strFileName.find('/'), std::string::npos); // names stay bare
        ExpectReadsBackAs(dir.File(share.m_strFileName), share);
    }
}

TEST(WriteShareSetTest, EmptyFolderMeansTheCurrentOne) {
    TempDir dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    ShareSet shares = MakeSet(2);
    const bool written = WriteShareSet(shares);
    fs::current_path(before);
    ASSERT_TRUE(written);
    EXPECT_EQ(Contents(dir.path()).size(), 2u);
    ExpectReadsBackAs(dir.File("capa2.bmp"), shares[1]);
}

struct FailureCase {
    const char* what;
    // Spoils the set or the folder; answers the end of the expected last message.
    std::function<std::string(ShareSet&, const TempDir&)> spoil;
};

class WriteShareSetFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(WriteShareSetFailureTest, LeavesTheOlderSetUntouched) {
    TempDir dir;
    for (const char* name : {"capa1.bmp", "capa2.bmp", "capa3.bmp"})
        WriteFileBytes(dir.File(name), {'o', 'l', 'd', static_cast<unsigned char>(name[4])});
    ShareSet shares = MakeSet(3);
    const std::string tail = GetParam().spoil(shares, dir);
    const auto before = Contents(dir.path());
    RecordingSink sink;
    EXPECT_FALSE(WriteShareSet(shares, dir.path().string()));
    EXPECT_EQ(Contents(dir.path()), before);
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages.back(), "Cannot write the shares into " + dir.path().string() +
                                        "; no share file was changed" + tail);
}

INSTANTIATE_TEST_SUITE_P(Failures, WriteShareSetFailureTest,
                         ::testing::Values(
                             // The last share cannot be written: the first two were already.
                             FailureCase{"last share without pixels",
                                         [](ShareSet& shares, const TempDir&) {
                                             CBmpImage broken("capa3.bmp");
                                             broken.biWidth = 4;
                                             broken.biHeight = 4;
                                             broken.biBitCount = 1;
                                             shares[2] = std::move(broken);
                                             return std::string(".");
                                         }},
                             FailureCase{"a folder in the place of a share",
                                         [](ShareSet&, const TempDir& dir) {
                                             fs::remove(dir.path() / "capa2.bmp");
                                             fs::create_directory(dir.path() / "capa2.bmp");
                                             return ": " + dir.File("capa2.bmp") +
                                                    " is not a file.";
                                         }}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(WriteShareSetTest, MissingFolderWritesNothing) {
    TempDir dir;
    ShareSet shares = MakeSet(2);
    RecordingSink sink;
    EXPECT_FALSE(WriteShareSet(shares, dir.File("absent")));
    EXPECT_FALSE(fs::exists(dir.path() / "absent"));
    EXPECT_TRUE(fs::is_empty(dir.path()));
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages.back(), "Cannot write the shares into " + dir.File("absent") +
                                        "; no share file was changed.");
}

} // namespace
} // namespace lumisplit::test
