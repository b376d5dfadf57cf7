#include "basis/Verify.h"

#include <algorithm>
#include <vector>

namespace lumisplit {

namespace {

// How many columns of m have each code (bit r = row r), gathered a chunk of
// columns at a time: no array as long as the matrix is needed.
std::vector<std::uint64_t> CodeHistogram(const CMatrix& m) {
    constexpr std::size_t kChunk = 4096;
    const auto cols = static_cast<std::size_t>(m.GetCols());
    std::vector<std::uint64_t> histogram(std::size_t{1} << m.GetRows(), 0);
    std::vector<std::uint32_t> codes;
    for (std::size_t begin = 0; begin < cols; begin += kChunk) {
        codes.resize(std::min(kChunk, cols - begin));
        ColumnCodes(m, m.GetRows(), begin, codes);
        for (std::uint32_t code : codes)
            ++histogram[code];
    }
    return histogram;
}

} // namespace

std::string GroupText(std::uint32_t group) {
    std::string text = "{";
    for (int j = 0; group >> j != 0; ++j) {
        if (((group >> j) & 1u) == 0)
            continue;
        if (text.size() > 1)
            text += ',';
        text += std::to_string(j + 1);
    }
    return text + "}";
}

PairVerdict VerifyBasisPair(const BasisPair& pair,
                            const std::function<bool(std::uint32_t group)>& isQualified) {
    PairVerdict check;
    const int n = pair.S0.GetRows();
    if (pair.S1.GetRows() != n || pair.S1.GetCols() != pair.S0.GetCols() || n > 12) {
        check.passed = false;
        check.failure = "S0 and S1 differ in shape, or have more than 12 rows";
        return check;
    }
    // Everything a group sees is its restriction of each column's code, so the
    // histograms of whole codes answer every group without touching columns.
    const std::vector<std::uint64_t> white = CodeHistogram(pair.S0);
    const std::vector<std::uint64_t> black = CodeHistogram(pair.S1);
    const std::uint32_t groups = std::uint32_t{1} << n;
    std::vector<std::int64_t> difference(groups);
    for (std::uint32_t group = 0; group < groups; ++group) {
        std::fill(difference.begin(), difference.end(), 0);
        for (std::uint32_t code = 0; code < groups; ++code)
            difference[code & group] +=
                static_cast<std::int64_t>(black[code]) - static_cast<std::int64_t>(white[code]);
        if (isQualified(group)) {
            // Every column whose restriction is not 0 is black for the group.
            const std::int64_t contrast = -difference[0];
            if (!check.smallestContrast || contrast < *check.smallestContrast)
                check.smallestContrast = static_cast<int>(contrast);
            if (contrast <= 0 && check.passed) {
                check.passed = false;
                check.failure = "the qualified group " + GroupText(group) + " sees " +
                                std::to_string(contrast) + " more black subpixels in S1 than in S0";
            }
            continue;
        }
        for (std::uint32_t seen = 0; seen < groups && check.passed; ++seen)
            if (difference[seen] != 0) {
                check.passed = false;
                check.failure = "the forbidden group " + GroupText(group) +
                                " sees other columns in S1 than in S0";
            }
    }
    return check;
}

} // namespace lumisplit
