#include "KNSizes.h"
#include "MatrixText.h"
#include "basis/BasisPair.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lumisplit {
namespace {

using test::CommandResult;
using test::RunCommand;
using Rows = std::vector<std::string>;

CommandResult Basis(const std::string& args) {
    return RunCommand(std::string(LUMISPLIT_CLI) + " basis " + args);
}

// Just enough JSON for the object that basis --json prints.
struct BasisJson {
    int n = -1, m = -1;
    Rows S0, S1;
    std::string verified;
};

int NumberAfter(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\":");
    return at == std::string::npos ? -1 : std::stoi(json.substr(at + key.size() + 3));
}

Rows StringsAfter(const std::string& json, const std::string& key) {
    Rows rows;
    std::size_t at = json.find("\"" + key + "\": [");
    if (at == std::string::npos)
        return rows;
    const std::size_t end = json.find(']', at);
    at = json.find('"', at + key.size() + 4);
    while (at < end) {
        const std::size_t close = json.find('"', at + 1);
        rows.push_back(json.substr(at + 1, close - at - 1));
        at = json.find('"', close + 1);
    }
    return rows;
}

BasisJson ParseJson(const std::string& json) {
    BasisJson parsed;
    parsed.n = NumberAfter(json, "n");
    parsed.m = NumberAfter(json, "m");
    parsed.S0 = StringsAfter(json, "S0");
    parsed.S1 = StringsAfter(json, "S1");
    const std::size_t at = json.find("\"verified\": ");
    if (at != std::string::npos)
        parsed.verified = json.substr(at + 12, json.find_first_of(",\n}", at + 12) - at - 12);
    return parsed;
}

struct ExampleCase {
    const char* name;
    std::string args;
    Rows S0, S1;
};

// Test names, not bytes, in failure messages.
void PrintTo(const ExampleCase& c, std::ostream* os) {
    *os << c.name;
}

class BasisCliExampleTest : public testing::TestWithParam<ExampleCase> {};

TEST_P(BasisCliExampleTest, PrintsExactlyTheseMatricesAndVerifies) {
    const ExampleCase& c = GetParam();
    const CommandResult result = Basis(c.args + " --json --verify");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const BasisJson json = ParseJson(result.out);
    EXPECT_EQ(json.n, static_cast<int>(c.S0.size()));
    EXPECT_EQ(json.m, static_cast<int>(c.S0[0].size()));
    EXPECT_EQ(json.S0, c.S0);
    EXPECT_EQ(json.S1, c.S1);
    EXPECT_EQ(json.verified, "true");
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, BasisCliExampleTest,
    testing::Values(
        ExampleCase{"TwoTwo", "--scheme 2-2", {"01", "01"}, {"01", "10"}},
        ExampleCase{"TwoTwoByIndex", "--scheme 0 -n 2", {"01", "01"}, {"01", "10"}},
        ExampleCase{"NN3", "--scheme n-n -n 3", {"0110", "0101", "0011"}, {"1001", "0101", "0011"}},
        ExampleCase{"NN2", "--scheme 2 -n 2", {"01", "01"}, {"10", "01"}},
        ExampleCase{"TwoN3", "--scheme 2-n -n 3", {"001", "001", "001"}, {"100", "010", "001"}},
        ExampleCase{"TwoN4",
                    "--scheme 1 -n 4",
                    Rows(4, "000111"),
                    {"110100", "101010", "011001", "000111"}},
        ExampleCase{"KN2of3",
                    "--scheme k-n -n 3 -k 2",
                    Rows(3, "010101010101"),
                    {"010110011010", "011001100110", "100101101001"}},
        ExampleCase{"KN2of2", "-k 2 -n 2 --scheme 3", {"0101", "0101"}, {"0110", "1001"}},
        ExampleCase{"General12And23",
                    "--scheme general -n 3 --sets '1 2;2 3'",
                    {"01", "01", "01"},
                    {"10", "01", "10"}},
        ExampleCase{"GeneralAllPairs",
                    "--scheme 4 -n 3 --sets '1 2; 1 3 ;2  3'",
                    {"011", "011", "011"},
                    {"011", "101", "110"}},
        ExampleCase{"GeneralTwo", "--scheme general -n 2 --sets '1 2'", {"01", "01"}, {"01", "10"}},
        ExampleCase{"GeneralSuperset",
                    "--scheme general -n 3 --sets '1 2;1 2 3'",
                    {"01", "01", "00"},
                    {"01", "10", "00"}}),
    [](const auto& info) { return std::string(info.param.name); });

class BasisCliThresholdTest : public testing::TestWithParam<test::KNSize> {};

// The (k,n) sizes after the removal, and the very matrices the core builds.
TEST_P(BasisCliThresholdTest, PrintsTheCorePairAndVerifies) {
    const test::KNSize& c = GetParam();
    const CommandResult result = Basis("--scheme k-n -n " + std::to_string(c.n) + " -k " +
                                       std::to_string(c.k) + " --json --verify");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const BasisJson json = ParseJson(result.out);
    EXPECT_EQ(json.n, c.n);
    EXPECT_EQ(json.m, c.m);
    EXPECT_EQ(json.verified, "true");
    const std::optional<BasisPair> pair = BuildBasisPair(kSchemeKN, c.n, c.k, nullptr);
    ASSERT_TRUE(pair);
    EXPECT_EQ(json.S0, test::ToRows(pair->S0));
    EXPECT_EQ(json.S1, test::ToRows(pair->S1));
}

INSTANTIATE_TEST_SUITE_P(Table, BasisCliThresholdTest, testing::ValuesIn(test::kKNSizes));

TEST(BasisCliTest, LargeSchemesBuildAndVerify) {
    for (const char* args : {"-n 9 -k 5", "-n 9 -k 4"}) {
        const CommandResult result =
            Basis(std::string("--scheme k-n ") + args + " --verify > /dev/null && echo ok");
        EXPECT_EQ(result.exitCode, 0) << args << ": " << result.err;
        EXPECT_EQ(result.out, "ok\n") << args;
    }
}

TEST(BasisCliTest, GeneralWithFourParticipants) {
    const BasisJson json =
        ParseJson(Basis("--scheme general -n 4 --sets '1 2;3 4' --json --verify").out);
    EXPECT_EQ(json.m, 5);
    EXPECT_EQ(json.verified, "true");
}

TEST(BasisCliTest, TextOutputShowsNMAndBothMatrices) {
    const CommandResult result = Basis("--scheme general -n 3 --sets '1 2;2 3' --verify");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "n = 3, m = 2\n"
                          "S0 (white):\n  0 1\n  0 1\n  0 1\n"
                          "S1 (black):\n  1 0\n  0 1\n  1 0\n"
                          "Check passed: every qualified group sees at least 1 more black "
                          "subpixels in S1 than in S0, and every other group sees the same "
                          "columns in both.\n");
}

TEST(BasisCliTest, OutputThatCannotBeWrittenFails) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full to write to";
    // The group keeps the redirection to /dev/full and hands stderr on.
    const CommandResult result =
        RunCommand("{ " + std::string(LUMISPLIT_CLI) + " basis --scheme 2-2 > /dev/full; }");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("lumisplit-cli: basis: the output could not be written"),
              std::string::npos)
        << result.err;
}

// Help wins over whatever else the command line holds, even a wrong option.
TEST(BasisCliTest, HelpDescribesTheOptions) {
    for (const char* args : {"--help", "-h", "--scheme 3-3 -k -h"}) {
        const CommandResult result = Basis(args);
        EXPECT_EQ(result.exitCode, 0) << args;
        for (const char* option : {"--scheme", "-n N", "-k K", "--sets", "--json", "--verify"})
            EXPECT_NE(result.out.find(option), std::string::npos) << args << ": " << option;
    }
}

struct FailureCase {
    const char* name;
    std::string args;
    std::string message;
};

// Test names, not bytes, in failure messages.
void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

void ExpectFailure(const FailureCase& c, int exitCode, const std::string& prefix) {
    const CommandResult result = Basis(c.args);
    EXPECT_EQ(result.exitCode, exitCode);
    EXPECT_NE(result.err.find(prefix + c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
}

// A wrong command line: exit status 2, the message names the subcommand.
class BasisCliUsageErrorTest : public testing::TestWithParam<FailureCase> {};

TEST_P(BasisCliUsageErrorTest, ExitsWithTheMessageAndPrintsNothing) {
    ExpectFailure(GetParam(), 2, "lumisplit-cli: basis: ");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BasisCliUsageErrorTest,
    testing::Values(
        FailureCase{"NoScheme", "-n 3", "--scheme is required"},
        FailureCase{"UnknownScheme", "--scheme 3-3 -n 3",
                    "unknown scheme '3-3' (use 2-2, 2-n, n-n, k-n, general or 0 to 4)"},
        FailureCase{"SchemeIndexOutOfRange", "--scheme 5 -n 3", "unknown scheme '5'"},
        FailureCase{"MissingValue", "--scheme k-n -n 3 -k", "-k needs a value"},
        FailureCase{"NotANumber", "--scheme n-n -n three", "-n: 'three' is not a whole number"},
        FailureCase{"TrailingJunk", "--scheme k-n -n 5 -k 3x", "-k: '3x' is not a whole number"},
        FailureCase{"MissingN", "--scheme n-n", "-n is required for this scheme"},
        FailureCase{"MissingK", "--scheme k-n -n 4", "-k is required for the k-n scheme"},
        FailureCase{"KForOtherScheme", "--scheme 2-n -n 4 -k 3", "-k is only for the k-n scheme"},
        FailureCase{"NForTwoTwo", "--scheme 2-2 -n 3", "the 2-2 scheme has exactly 2 participants"},
        FailureCase{"SetsForOtherScheme", "--scheme n-n -n 3 --sets '1 2'",
                    "--sets is only for the general scheme"},
        FailureCase{"MissingSets", "--scheme general -n 3",
                    "--sets is required for the general scheme"},
        FailureCase{"MemberAboveN", "--scheme general -n 3 --sets '1 4'",
                    "--sets: '4' is not a participant from 1 to 3"},
        FailureCase{"MemberZero", "--scheme general -n 3 --sets '0 1'",
                    "--sets: '0' is not a participant from 1 to 3"},
        FailureCase{"MemberNotANumber", "--scheme general -n 3 --sets '1,2'",
                    "--sets: '1,2' is not a participant from 1 to 3"},
        FailureCase{"EmptySetInList", "--scheme general -n 3 --sets '1 2;;2 3'",
                    "--sets: a set without members"},
        FailureCase{"OptionTwice", "--scheme n-n -n 3 -n 4", "-n is given twice"},
        FailureCase{"UnknownArgument", "--scheme n-n -n 3 --pretty",
                    "unknown argument '--pretty'"}),
    [](const auto& info) { return std::string(info.param.name); });

// Parameters the core refuses: exit status 1 and the core's own message.
class BasisCliRefusalTest : public testing::TestWithParam<FailureCase> {};

TEST_P(BasisCliRefusalTest, ExitsWithTheMessageAndPrintsNothing) {
    ExpectFailure(GetParam(), 1, "lumisplit-cli: ");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BasisCliRefusalTest,
    testing::Values(
        FailureCase{"NOutOfRange", "--scheme n-n -n 10",
                    "The number of participants n must be from 2 to 9, not 10."},
        // The sets are not read against a count of participants that cannot be.
        FailureCase{"NegativeNWithSets", "--scheme general -n -3 --sets '1 2'",
                    "The number of participants n must be from 2 to 9, not -3."},
        FailureCase{"KOutOfRange", "--scheme k-n -n 4 -k 5",
                    "The threshold k must be from 2 to n = 4, not 5."},
        FailureCase{"OverBudget", "--scheme k-n -n 8 -k 6",
                    "The (k,n) scheme with n = 8, k = 6 needs 239500800 subpixels per share, "
                    "more than this tool can build (limit 134217728)."},
        FailureCase{"EmptySelection", "--scheme general -n 3 --sets ''",
                    "No minimal qualified set was chosen: the scheme has no subpixels to "
                    "share."}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lumisplit
