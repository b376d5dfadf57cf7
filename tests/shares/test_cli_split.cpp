// lumisplit-cli split from the outside: files written, names printed, seeds,
// and the command-line and input errors with their exit codes.

#include "ShareTestSupport.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lumisplit::test {
namespace {

namespace fs = std::filesystem;

class CliSplitTest : public ::testing::Test {
protected:
    void SetUp() override {
        Save(RandomPicture(37, 21, 1, 60), "secret.bmp");
        Save(RandomPicture(40, 30, 24, 61), "cover1.bmp");
        Save(RandomPicture(37, 21, 8, 62), "cover2.bmp");
    }
    void Save(CBmpImage image, const std::string& name) {
        image.m_strFileName = dir.File(name);
        ASSERT_TRUE(image.Write());
    }
    CommandResult Split(const std::string& arguments) {
        return RunCommand(std::string(LUMISPLIT_CLI) + " split " + arguments);
    }
    std::string In(const std::string& name) const {
        return std::string("'") + dir.File(name) + "'";
    }

    TempDir dir;
};

TEST_F(CliSplitTest, WritesTheSharesAndPrintsTheirPaths) {
    const auto result = Split(In("secret.bmp") + " --scheme n-n -n 3 -o " + In("a/b"));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, dir.File("a/b/capa1.bmp") + "\n" + dir.File("a/b/capa2.bmp") + "\n" +
                              dir.File("a/b/capa3.bmp") + "\n");
    EXPECT_EQ(result.err, "");
    CBmpImage share(dir.File("a/b/capa3.bmp"));
    ASSERT_TRUE(share.Read());
    EXPECT_EQ(share.Width(), 37);
    EXPECT_EQ(share.Height(), 21);
}

TEST_F(CliSplitTest, SameSeedSameSharesWithoutSeedFreshOnes) {
    const std::string base = In("secret.bmp") + " --scheme 2-2 --method smallest-filler";
    ASSERT_EQ(Split(base + " --seed 99 -o " + In("s1")).exitCode, 0);
    ASSERT_EQ(Split(base + " --seed 99 -o " + In("s2")).exitCode, 0);
    ASSERT_EQ(Split(base + " -o " + In("r1")).exitCode, 0);
    ASSERT_EQ(Split(base + " -o " + In("r2")).exitCode, 0);
    for (const char* name : {"capa1.bmp", "capa2.bmp"}) {
        const auto seeded = ReadFileBytes(dir.File(std::string("s1/") + name));
        ASSERT_FALSE(seeded.empty());
        EXPECT_EQ(seeded, ReadFileBytes(dir.File(std::string("s2/") + name)));
        EXPECT_NE(ReadFileBytes(dir.File(std::string("r1/") + name)),
                  ReadFileBytes(dir.File(std::string("r2/") + name)));
    }
}

TEST_F(CliSplitTest, MethodNamesAndIndexesAgree) {
    const char* names[] = {"random-column", "sampling",      "square",         "smallest-filler",
                           "smallest",      "extended-size", "extended-detail"};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(names[i]);
        const std::string covers =
            i >= 5 ? std::string(" --cover ") + In("cover1.bmp") + " --cover " + In("cover2.bmp")
                   : "";
        const std::string base = In("secret.bmp") + " --scheme k-n -n 2 -k 2 --seed 5" + covers;
        const std::string byName = std::string("n") + std::to_string(i);
        const std::string byIndex = std::string("i") + std::to_string(i);
        ASSERT_EQ(Split(base + " --method " + names[i] + " -o " + In(byName)).exitCode, 0);
        ASSERT_EQ(Split(base + " --method " + std::to_string(i) + " -o " + In(byIndex)).exitCode,
                  0);
        EXPECT_EQ(ReadFileBytes(dir.File(byName + "/capa2.bmp")),
                  ReadFileBytes(dir.File(byIndex + "/capa2.bmp")));
    }
}

TEST_F(CliSplitTest, HelpNamesEveryOptionAndWarnsAboutSeeds) {
    const auto result = Split("--help");
    EXPECT_EQ(result.exitCode, 0);
    for (const char* word : {"--scheme", "--sets", "--method", "--cover", "-o DIR", "--seed",
                             "extended-detail", "NOT secret"})
        EXPECT_NE(result.out.find(word), std::string::npos) << word;
}

struct ErrorCase {
    const char* arguments; // {secret} and {cover} stand for the files
    int exitCode;
    const char* message; // the first line on stderr
};

class CliSplitErrorTest : public CliSplitTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(CliSplitErrorTest, ExitsWithItsCodeAndMessage) {
    std::string arguments = GetParam().arguments;
    std::string message = GetParam().message;
    if (arguments.find("{big}") != std::string::npos)
        Save(CBmpImage("big.bmp", 1000, 1000), "big.bmp");
    for (const auto& [token, file] :
         {std::pair{"{secret}", "secret.bmp"}, std::pair{"{cover}", "cover1.bmp"},
          std::pair{"{missing}", "missing.bmp"}, std::pair{"{big}", "big.bmp"}}) {
        const std::string name = token;
        for (std::size_t at; (at = arguments.find(name)) != std::string::npos;)
            arguments.replace(at, name.size(), In(file));
        for (std::size_t at; (at = message.find(name)) != std::string::npos;)
            message.replace(at, name.size(), dir.File(file));
    }
    const fs::path before = fs::current_path();
    fs::current_path(dir.path()); // where the shares would go: nothing may be written
    const auto result = Split(arguments);
    fs::current_path(before);
    EXPECT_EQ(result.exitCode, GetParam().exitCode);
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')), message);
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(fs::exists(dir.path() / "capa1.bmp"));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, CliSplitErrorTest,
    ::testing::Values(
        ErrorCase{"--scheme 2-2", 2, "lumisplit-cli: split: no secret picture given"},
        ErrorCase{"{secret} {cover} --scheme 2-2", 2,
                  "lumisplit-cli: split: only one secret picture, but '{cover}' follows "
                  "'{secret}'"},
        ErrorCase{"{secret} --scheme 2-2 --method 7", 2,
                  "lumisplit-cli: split: unknown method '7' (use 0 to 6 or a name from --help)"},
        ErrorCase{"{secret} --scheme 2-2 --method", 2,
                  "lumisplit-cli: split: --method needs a value"},
        ErrorCase{"{secret} --scheme 2-2 --seed -1", 2,
                  "lumisplit-cli: split: --seed: '-1' is not a number from 0 to 2^64-1"},
        ErrorCase{"{secret} --scheme 2-2 --seed 18446744073709551616", 2,
                  "lumisplit-cli: split: --seed: '18446744073709551616' is not a number from 0 "
                  "to 2^64-1"},
        ErrorCase{"{secret} --scheme 2-2 --seed 1 --seed 1", 2,
                  "lumisplit-cli: split: --seed is given twice"},
        ErrorCase{"{secret} --scheme 2-2 --method 0 --method square", 2,
                  "lumisplit-cli: split: --method is given twice"},
        ErrorCase{"{secret} --scheme 2-2 -o a -o b", 2, "lumisplit-cli: split: -o is given twice"},
        ErrorCase{"{secret} --scheme 2-2 -o ''", 2, "lumisplit-cli: split: -o needs a folder name"},
        ErrorCase{"{secret} --scheme 2-2 --fast", 2,
                  "lumisplit-cli: split: unknown option '--fast'"},
        ErrorCase{"{secret} --scheme 2-2 --cover {cover}", 2,
                  "lumisplit-cli: split: --cover is only for the methods extended-size and "
                  "extended-detail"},
        ErrorCase{"{secret} --scheme 2-n -n 3 --method extended-size --cover {cover}", 2,
                  "lumisplit-cli: split: this method needs one --cover per participant (3), but "
                  "1 were given"},
        ErrorCase{"{secret}", 2, "lumisplit-cli: split: --scheme is required"},
        ErrorCase{"{missing} --scheme 2-2", 1, "lumisplit-cli: ERROR: Cannot open {missing}"},
        ErrorCase{"{big} --scheme n-n -n 9 --method square", 1,
                  "lumisplit-cli: Cannot split: the shares would be 256000 x 256000 pixels each "
                  "(70313 MiB for 9 shares), over the limit of 1024 MiB per share and 2048 MiB "
                  "per share set."},
        ErrorCase{"{secret} --scheme 2-2 --method sampling -o {cover}", 1,
                  "lumisplit-cli: split: cannot create the folder {cover}: Not a directory"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

} // namespace
} // namespace lumisplit::test
