#include "basis/BasisPair.h"

#include "KNSizes.h"
#include "MatrixText.h"
#include "basis/Budget.h"
#include "basis/Elementary.h"
#include "basis/Threshold.h"
#include "basis/Verify.h"
#include "support/TestSupport.h"

#include <bit>
#include <gtest/gtest.h>
#include <set>

namespace lumisplit {
namespace {

using test::FromRows;
using test::RecordingSink;

struct RefusalCase {
    const char* name;
    int scheme, n, k;
    std::optional<CMatrix> sets;
    std::string message;
};

// Test names, not bytes, in failure messages.
void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

// Every group of `size` of the 9 participants: all groups of size - 1 are
// then maximal forbidden, t = C(9, size - 1).
CMatrix AllGroupsOfNine(int size) {
    CMatrix m(0, 9);
    for (std::uint32_t code = 0; code < 512; ++code) {
        if (std::popcount(code) != size)
            continue;
        std::vector<int> row(9);
        for (int j = 0; j < 9; ++j)
            row[static_cast<std::size_t>(j)] = static_cast<int>((code >> j) & 1u);
        m.InsertRow(m.GetRows(), row.data());
    }
    return m;
}

class BasisPairRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(BasisPairRefusalTest, RefusesWithOneClearMessage) {
    const RefusalCase& c = GetParam();
    RecordingSink sink;
    const CMatrix* sets = c.sets ? &*c.sets : nullptr;
    EXPECT_FALSE(BuildBasisPair(c.scheme, c.n, c.k, sets));
    EXPECT_EQ(sink.messages, std::vector<std::string>{c.message});
}

const std::string kNoSubpixels =
    "No minimal qualified set was chosen: the scheme has no subpixels to share.";

INSTANTIATE_TEST_SUITE_P(
    Cases, BasisPairRefusalTest,
    testing::Values(
        RefusalCase{"SchemeAbove",
                    5,
                    3,
                    2,
                    {},
                    "Unknown access structure 5: the schemes are numbered 0 to 4."},
        RefusalCase{"SchemeBelow",
                    -1,
                    3,
                    2,
                    {},
                    "Unknown access structure -1: the schemes are numbered 0 to 4."},
        RefusalCase{"TwoNWithOne",
                    kScheme2N,
                    1,
                    2,
                    {},
                    "The number of participants n must be from 2 to 9, not 1."},
        RefusalCase{"NNWithTen",
                    kSchemeNN,
                    10,
                    2,
                    {},
                    "The number of participants n must be from 2 to 9, not 10."},
        RefusalCase{"KNWithTen",
                    kSchemeKN,
                    10,
                    2,
                    {},
                    "The number of participants n must be from 2 to 9, not 10."},
        RefusalCase{"GeneralWithZero", kSchemeGeneral, 0, 2, CMatrix(0, 0),
                    "The number of participants n must be from 2 to 9, not 0."},
        RefusalCase{
            "ThresholdOne", kSchemeKN, 5, 1, {}, "The threshold k must be from 2 to n = 5, not 1."},
        RefusalCase{"ThresholdAboveN",
                    kSchemeKN,
                    5,
                    6,
                    {},
                    "The threshold k must be from 2 to n = 5, not 6."},
        RefusalCase{"KNOverBudget",
                    kSchemeKN,
                    9,
                    6,
                    {},
                    "The (k,n) scheme with n = 9, k = 6 needs 239500800 subpixels per share, more "
                    "than this tool can build (limit 119304647)."},
        RefusalCase{"KNWithNAbove12",
                    kSchemeKN,
                    9,
                    8,
                    {},
                    "The (k,n) scheme with n = 9, k = 8 needs 10461394944000 subpixels per share, "
                    "more than this tool can build (limit 119304647)."},
        RefusalCase{"SetsOfOtherWidth", kSchemeGeneral, 3, 0, FromRows({"1100"}),
                    "The table of qualified sets has 4 columns, but there are n = 3 participants."},
        RefusalCase{"SetsNotZeroOne", kSchemeGeneral, 3, 0, FromRows({"120"}),
                    "The table of qualified sets may hold only 0 and 1."},
        RefusalCase{"SetWithoutMember", kSchemeGeneral, 3, 0, FromRows({"110", "000"}),
                    "A qualified set must name at least one participant."},
        RefusalCase{"EmptySelection", kSchemeGeneral, 3, 0, CMatrix(0, 3), kNoSubpixels},
        RefusalCase{"NoTable", kSchemeGeneral, 3, 0, {}, kNoSubpixels},
        RefusalCase{"EmptySelectionOfOtherWidth", kSchemeGeneral, 3, 0, CMatrix(0, 5),
                    kNoSubpixels},
        RefusalCase{"GeneralOverBudget", kSchemeGeneral, 9, 0, AllGroupsOfNine(3),
                    "The general access structure with n = 9 has t = 36 maximal forbidden sets "
                    "and needs 34359738368 subpixels per share, more than this tool can build "
                    "(limit 119304647)."},
        RefusalCase{
            "GeneralFarOverBudget", kSchemeGeneral, 9, 0, AllGroupsOfNine(5),
            "The general access structure with n = 9 has t = 126 maximal forbidden sets and needs "
            "2^125 subpixels per share, more than this tool can build (limit 119304647)."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BasisPairTest, ElementarySchemesUseTheirOwnMatrices) {
    RecordingSink sink;
    // The (2,2) scheme has two rows whatever n and k say.
    const std::optional<BasisPair> twoTwo = BuildBasisPair(kScheme22, 7, 5, nullptr);
    ASSERT_TRUE(twoTwo);
    EXPECT_EQ(twoTwo->S0, Basis22S0());
    EXPECT_EQ(twoTwo->S1, Basis22S1());
    const std::optional<BasisPair> twoN = BuildBasisPair(kScheme2N, 5, 0, nullptr);
    ASSERT_TRUE(twoN);
    EXPECT_EQ(twoN->S0, Basis2NS0(5));
    EXPECT_EQ(twoN->S1, Basis2NS1(5));
    const std::optional<BasisPair> nn = BuildBasisPair(kSchemeNN, 4, 0, nullptr);
    ASSERT_TRUE(nn);
    EXPECT_EQ(nn->S0, BasisNNS0(4));
    EXPECT_EQ(nn->S1, BasisNNS1(4));
    EXPECT_TRUE(sink.messages.empty());
}

TEST(BasisPairTest, LargeConstructionsTellTheirSteps) {
    const CMatrix sets = FromRows({"110"});
    for (const auto& [scheme, k] : {std::pair{kSchemeKN, 2}, std::pair{kSchemeGeneral, 0}}) {
        std::vector<std::pair<std::uint64_t, std::uint64_t>> steps;
        ASSERT_TRUE(
            BuildBasisPair(scheme, 3, k, &sets, [&steps](std::uint64_t done, std::uint64_t total) {
                steps.emplace_back(done, total);
            }));
        EXPECT_EQ(steps, (std::vector<std::pair<std::uint64_t, std::uint64_t>>{
                             {1, 4}, {2, 4}, {3, 4}, {4, 4}}))
            << scheme;
    }
    RecordingSink sink;
    bool called = false;
    EXPECT_FALSE(BuildBasisPair(kSchemeKN, 9, 6, nullptr,
                                [&called](std::uint64_t, std::uint64_t) { called = true; }));
    EXPECT_FALSE(called);
}

class KNAfterRemovalTest : public testing::TestWithParam<test::KNSize> {};

TEST_P(KNAfterRemovalTest, PixelExpansionAfterTheRemoval) {
    const test::KNSize& c = GetParam();
    const std::optional<BasisPair> pair = BuildBasisPair(kSchemeKN, c.n, c.k, nullptr);
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->S0.GetCols(), c.m);
    EXPECT_EQ(pair->S1.GetCols(), c.m);
    EXPECT_EQ(pair->S0.GetRows(), c.n);
}

INSTANTIATE_TEST_SUITE_P(Table, KNAfterRemovalTest, testing::ValuesIn(test::kKNSizes));

// Every pair 2 <= k <= n <= 9 either builds a pair that passes the check or
// is refused with the size message. (9,9) fits the budget (1.7 GB); its
// build is measured in the benchmark instead of here.
TEST(KNTableTest, EveryPairBuildsOrIsRefused) {
    const std::set<std::pair<int, int>> refused = {{6, 7}, {6, 8}, {6, 9}, {7, 8}, {7, 9}, {8, 9}};
    for (int n = 2; n <= 9; ++n)
        for (int k = 2; k <= n; ++k) {
            SCOPED_TRACE("k = " + std::to_string(k) + ", n = " + std::to_string(n));
            if (k == 9) {
                EXPECT_LE(KNSubpixelCount(n, k), SubpixelLimit(n));
                continue;
            }
            RecordingSink sink;
            const std::optional<BasisPair> pair = BuildBasisPair(kSchemeKN, n, k, nullptr);
            if (refused.contains({k, n})) {
                EXPECT_FALSE(pair);
                ASSERT_EQ(sink.messages.size(), 1u);
                EXPECT_EQ(sink.messages[0].rfind("The (k,n) scheme with n = " + std::to_string(n) +
                                                     ", k = " + std::to_string(k) + " needs ",
                                                 0),
                          0u)
                    << sink.messages[0];
                continue;
            }
            ASSERT_TRUE(pair);
            EXPECT_TRUE(sink.messages.empty());
            EXPECT_EQ(pair->S0.GetRows(), n);
            EXPECT_EQ(pair->S1.GetRows(), n);
            EXPECT_EQ(pair->S0.GetCols(), pair->S1.GetCols());
            const PairVerdict check = VerifyBasisPair(
                *pair, [k](std::uint32_t group) { return std::popcount(group) >= k; });
            EXPECT_TRUE(check.passed) << check.failure;
        }
}

} // namespace
} // namespace lumisplit
