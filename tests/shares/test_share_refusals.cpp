// Inputs the methods refuse, each with its own message and no shares.

#include "ShareTestSupport.h"
#include "support/TestSupport.h"

#include <functional>
#include <gtest/gtest.h>

namespace lumisplit::test {
namespace {

struct Inputs {
    CMatrix S0, S1;
    CBmpImage secret;
    std::vector<CBmpImage> covers;
};

Inputs Valid() {
    Pair pair = Pair22();
    return {pair.S0, pair.S1, RandomPicture(4, 4, 1, 1), RandomCovers(2, 4, 4, 40)};
}

struct RefusalCase {
    const char* what;
    std::vector<int> methods;
    std::function<void(Inputs&)> spoil;
    std::string message;
};

const std::vector<int> kAll{0, 1, 2, 3, 4, 5, 6};
const std::vector<int> kExtended{kExtendedPreserveSize, kExtendedPreserveDetail};

const RefusalCase kRefusals[] = {
    {"no column", kAll, [](Inputs& in) { in.S0 = in.S1 = CMatrix(2, 0); },
     "Cannot split: the basis matrices have no column, so there is no subpixel to draw."},
    {"shapes differ", kAll, [](Inputs& in) { in.S1 = CMatrix(2, 3); },
     "Cannot split: the white and black basis matrices differ in shape (2 x 2 and 2 x 3)."},
    {"one participant", kAll,
     [](Inputs& in) {
         in.S0 = in.S1 = MatrixOf({{0, 1}});
     },
     "Cannot split: a share set has 2 to 9 participants, one per row of the basis matrices, "
     "not 1."},
    {"ten participants", kAll,
     [](Inputs& in) {
         in.S0 = in.S1 = CMatrix(10, 2);
         in.covers = RandomCovers(10, 4, 4, 40);
     },
     "Cannot split: a share set has 2 to 9 participants, one per row of the basis matrices, "
     "not 10."},
    {"secret never read", kAll, [](Inputs& in) { in.secret = CBmpImage("missing.bmp"); },
     "Cannot split: the secret image missing.bmp has no pixels."},
    {"sampling, narrower than a block",
     {kPixelSampling},
     [](Inputs& in) { in.secret = RandomPicture(1, 5, 1, 2); },
     "Cannot split: pixel sampling reads the secret in blocks of 2 x 2 pixels, but the secret "
     "is 1 x 5."},
    {"sampling, lower than a block",
     {kPixelSampling},
     [](Inputs& in) { in.secret = RandomPicture(5, 1, 24, 2); },
     "Cannot split: pixel sampling reads the secret in blocks of 2 x 2 pixels, but the secret "
     "is 5 x 1."},
    {"a cover missing", kExtended, [](Inputs& in) { in.covers.pop_back(); },
     "Cannot split: this method needs one cover image per participant (2), but 1 were given."},
    {"a cover too many", kExtended, [](Inputs& in) { in.covers = RandomCovers(3, 4, 4, 40); },
     "Cannot split: this method needs one cover image per participant (2), but 3 were given."},
    {"a cover without pixels", kExtended, [](Inputs& in) { in.covers[1] = CBmpImage("c2.bmp"); },
     "Cannot split: the cover image of participant 2 (c2.bmp) has no pixels."},
    {"a cover narrower than the secret", kExtended,
     [](Inputs& in) { in.covers[0] = RandomPicture(3, 9, 1, 3, "c1.bmp"); },
     "Cannot split: the cover image of participant 1 (c1.bmp) is 3 x 9 pixels, smaller than the "
     "secret (4 x 4)."},
    {"a cover lower than the secret", kExtended,
     [](Inputs& in) { in.covers[1] = RandomPicture(9, 3, 8, 3, "c2.bmp"); },
     "Cannot split: the cover image of participant 2 (c2.bmp) is 9 x 3 pixels, smaller than the "
     "secret (4 x 4)."},
    {"square shares over the memory budget",
     {kSquareSubpixelExpansion},
     [](Inputs& in) {
         Pair pair = PairNN(9); // m = 256
         in.S0 = pair.S0;
         in.S1 = pair.S1;
         in.secret = CBmpImage("big.bmp", 1000, 1000);
     },
     "Cannot split: the shares would be 256000 x 256000 pixels each (70313 MiB for 9 shares), "
     "over the limit of 1024 MiB per share and 2048 MiB per share set."},
    {"square shares wider than a BMP can be",
     {kSquareSubpixelExpansion},
     [](Inputs& in) {
         Pair pair = PairNN(9);
         in.S0 = pair.S0;
         in.S1 = pair.S1;
         in.secret = CBmpImage("wide.bmp", 1, 1 << 23);
     },
     "Cannot split: the shares would be 2147483648 x 256 pixels each, beyond the largest BMP "
     "side of 2147483647 pixels."},
    {"one share over the per-image limit though the set fits",
     {kSmallestSquareWithoutFiller},
     [](Inputs& in) {
         // (2,2), side 2: two shares of 65536 x 65540 pixels, 512 MiB each...
         // made 1 GiB + by the height.
         in.secret = CBmpImage("tall.bmp", 32771 * 2, 32768 * 2);
     },
     "Cannot split: the shares would be 131072 x 131084 pixels each (4097 MiB for 2 shares), "
     "over the limit of 1024 MiB per share and 2048 MiB per share set."},
};

class RefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, ReportsAndMakesNoShares) {
    const RefusalCase& c = GetParam();
    for (int method : c.methods) {
        SCOPED_TRACE(method);
        Inputs in = Valid();
        c.spoil(in);
        RecordingSink sink;
        SeededRandom random(1);
        EXPECT_FALSE(MakeShares(method, in.secret, in.S0, in.S1, random, in.covers).has_value());
        EXPECT_EQ(sink.messages, std::vector<std::string>{c.message});
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, RefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(MakeSharesTest, UnknownMethodIsRefused) {
    for (int method : {-1, 7}) {
        Inputs in = Valid();
        RecordingSink sink;
        SeededRandom random(1);
        EXPECT_FALSE(MakeShares(method, in.secret, in.S0, in.S1, random, in.covers).has_value());
        EXPECT_EQ(sink.messages,
                  std::vector<std::string>{std::string("Cannot split: there is no method ") +
                                           std::to_string(method) + " (the methods are 0 to 6)."});
    }
}

} // namespace
} // namespace lumisplit::test
