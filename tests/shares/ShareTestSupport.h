#pragma once
// Helpers for the share tests: pictures built in memory, basis pairs, a random
// source that records its draws, and the literal per-pixel implementation of
// every method, which the fast methods must match draw for draw.

#include "basis/Matrix.h"
#include "imaging/BmpImage.h"
#include "random/RandomSource.h"
#include "shares/Shares.h"

#include <array>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace lumisplit::test {

// A picture of the given depth (1, 2, 4, 8 or 24) read from BMP bytes built in
// memory; black(row, column) decides each pixel. Non-black pixels get a
// non-zero value that varies with the position, so every value counts.
CBmpImage MakePicture(int width, int height, int depth,
                      const std::function<bool(int row, int column)>& black,
                      const std::string& name = "secret.bmp");
// Each pixel black with probability 1/2, from the seed.
CBmpImage RandomPicture(int width, int height, int depth, std::uint64_t seed,
                        const std::string& name = "secret.bmp");

// n covers of width x height at 1 bit, each pixel black with probability 1/2:
// cover p from seed firstSeed + p, named "c<p+1>.bmp".
std::vector<CBmpImage> RandomCovers(int n, int width, int height, std::uint64_t firstSeed);

// A matrix from rows of 0/1, e.g. {{0, 1}, {1, 0}}.
CMatrix MatrixOf(const std::vector<std::vector<int>>& rows);

struct Pair {
    CMatrix S0, S1;
};
Pair Pair22();      // Basis22S0 / Basis22S1
Pair PairNN(int n); // the (n,n) scheme: even / odd weight columns
Pair Pair2N(int n); // the (2,n) scheme
Pair PairKN22();    // the (k,n) scheme for k = n = 2 (m = 4)

// Answers scripted values (then 0) and records every call: "B<bound>" for
// Below, "bit" for Bit.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<std::uint32_t> script = {}) : m_script(std::move(script)) {}
    std::uint32_t Below(std::uint32_t bound) override;
    bool Bit() override;
    std::vector<std::string> calls;

private:
    std::uint32_t Next();
    std::vector<std::uint32_t> m_script;
    std::size_t m_next = 0;
};

// The literal methods: GetPixelBW / SetPixelBW per pixel, CMatrix operations,
// the loops exactly as described. covers only for methods 5 and 6. No checks.
ShareSet LiteralShares(int method, const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                       RandomSource& random, const std::vector<CBmpImage>& covers = {});
int LiteralSmallestSquareMultiplier(int m);

// Whether share pixel (row, column) is black, read from the packed row.
inline bool ShareBlack(const CBmpImage& share, int row, int column) {
    return ((share.Row(row)[column >> 3] >> (7 - (column & 7))) & 1) == 0;
}

// P(X >= chi2) for a chi-square variable with df degrees of freedom.
double ChiSquareTail(double chi2, double df);

// The chi-square test of independence of a 2 x K table (counts[k][0] and
// counts[k][1]): the p-value that both rows come from one distribution.
// Categories expected to hold fewer than 5 are pooled into one.
double SameDistributionPValue(const std::vector<std::array<std::uint64_t, 2>>& counts);

// The parameters (method, index) of a TEST_P run for every method and every
// entry of table, and their test names, "method<method>_<entry name>".
template <class Table> auto EveryMethodWith(const Table& table) {
    return ::testing::Combine(::testing::Range(0, 7),
                              ::testing::Range(0, static_cast<int>(std::size(table))));
}
template <class Table> auto MethodAndEntryName(const Table& table) {
    return [&table](const ::testing::TestParamInfo<std::tuple<int, int>>& info) {
        return "method" + std::to_string(std::get<0>(info.param)) + "_" +
               table[std::get<1>(info.param)].name;
    };
}

// True when both sets hold the same number of shares with the same names,
// sizes and pixel bytes (padding included).
::testing::AssertionResult SameShares(const ShareSet& a, const ShareSet& b);

} // namespace lumisplit::test
