// lumisplit-cli stack, run as a user would run it.

#include "imaging/BmpImage.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lumisplit::test {
namespace {

const std::string kCli = LUMISPLIT_CLI;
const std::string kSuite = LUMISPLIT_BMPSUITE_DIR;

CommandResult Stack(const TempDir& dir, const std::string& args) {
    return RunCommand("cd " + dir.path().string() + " && " + kCli + " stack " + args);
}

class OneLayer : public testing::TestWithParam<std::string> {};

// A single layer comes out as its black-and-white reading, pixel for pixel.
TEST_P(OneLayer, WritesTheBlackWhiteReading) {
    TempDir dir;
    const CommandResult run = Stack(dir, GetParam());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    CBmpImage source(GetParam());
    CBmpImage result(dir.File("resultado.bmp"));
    ASSERT_TRUE(source.Read());
    ASSERT_TRUE(result.Read());
    EXPECT_EQ(result.biBitCount, 1);
    ASSERT_EQ(result.Width(), source.Width());
    ASSERT_EQ(result.Height(), source.Height());
    for (int r = 0; r < source.Height(); ++r)
        for (int c = 0; c < source.Width(); ++c)
            ASSERT_EQ(result.GetPixelBW(r, c), source.GetPixelBW(r, c)) << r << "," << c;
}

INSTANTIATE_TEST_SUITE_P(Depths, OneLayer,
                         testing::Values(kSuite + "/g/pal1.bmp", kSuite + "/q/pal2.bmp",
                                         kSuite + "/g/pal4.bmp", kSuite + "/g/pal8topdown.bmp",
                                         kSuite + "/g/rgb24.bmp",
                                         std::string(LUMISPLIT_SAMPLES_DIR) + "/secreto.bmp"));

TEST(CliStack, ComplementaryLayersGiveAllBlack) {
    TempDir dir;
    const CommandResult run =
        Stack(dir, kSuite + "/g/pal1.bmp " + kSuite + "/g/pal1wb.bmp -o both.bmp");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Wrote both.bmp (127 x 64, 2 layers)\n");
    CBmpImage result(dir.File("both.bmp"));
    ASSERT_TRUE(result.Read());
    for (int r = 0; r < result.Height(); ++r)
        for (int c = 0; c < result.Width(); ++c)
            ASSERT_EQ(result.GetPixelBW(r, c), 'b') << r << "," << c;
}

TEST(CliStack, HelpShowsUsage) {
    TempDir dir;
    const CommandResult run = Stack(dir, "--help");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("Usage: lumisplit-cli stack LAYER.bmp", 0), 0u) << run.out;
}

// Every failure stops before writing: an earlier result stays as it was.
struct FailureCase {
    const char* name;
    std::string args;
    int exitCode;
    std::string firstErrorLine;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class CliStackFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(CliStackFailure, StopsWithAMessageAndWritesNothing) {
    TempDir dir;
    const std::vector<unsigned char> earlier = {'o', 'l', 'd'};
    WriteFileBytes(dir.File("resultado.bmp"), earlier);
    const CommandResult run = Stack(dir, GetParam().args);
    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), GetParam().firstErrorLine);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFileBytes(dir.File("resultado.bmp")), earlier);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

const std::string kPal1 = kSuite + "/g/pal1.bmp";

INSTANTIATE_TEST_SUITE_P(
    Cases, CliStackFailure,
    testing::Values(
        FailureCase{"MissingLayer", kPal1 + " missing.bmp", 1,
                    "lumisplit-cli: ERROR: Cannot open missing.bmp"},
        FailureCase{"RefusedLayer", kPal1 + " " + kSuite + "/g/pal8rle.bmp", 1,
                    "lumisplit-cli: ERROR: Cannot read " + kSuite +
                        "/g/pal8rle.bmp: compressed pixel data (compression 1) is not supported"},
        FailureCase{"SmallerLayer", kPal1 + " " + kSuite + "/g/pal8w124.bmp", 1,
                    "lumisplit-cli: ERROR: Layer 2 (" + kSuite +
                        "/g/pal8w124.bmp) is smaller than the first layer (124 x 61 against 127 x "
                        "64)."},
        FailureCase{"UnwritableOutput", kPal1 + " -o no/such/folder.bmp", 1,
                    "lumisplit-cli: ERROR: Can't open no/such/folder.bmp"},
        FailureCase{"NoLayer", "", 2, "lumisplit-cli: stack: no layer given"},
        FailureCase{"TenLayers",
                    kPal1 + " " + kPal1 + " " + kPal1 + " " + kPal1 + " " + kPal1 + " " + kPal1 +
                        " " + kPal1 + " " + kPal1 + " " + kPal1 + " " + kPal1,
                    2, "lumisplit-cli: stack: at most 9 layers can be stacked, 10 given"},
        FailureCase{"UnknownOption", kPal1 + " --fast", 2,
                    "lumisplit-cli: stack: unknown option '--fast'"},
        FailureCase{"OutputWithoutName", kPal1 + " -o", 2,
                    "lumisplit-cli: stack: -o needs a file name"}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace lumisplit::test
