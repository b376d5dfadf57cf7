#include "basis/Threshold.h"

#include "basis/Elementary.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace lumisplit {

void DecodePermutation(std::span<int> values, int a) {
    const std::size_t count = values.size();
    if (count == 0)
        return;
    std::vector<int> p(count, 0);
    for (std::size_t i = 1; i < count; ++i) {
        const int radix = static_cast<int>(i) + 1;
        const int d = a % radix;
        a = (a - d) / radix;
        for (std::size_t j = 0; j < i; ++j)
            if (p[j] >= d)
                ++p[j];
        p[i] = d;
    }
    const std::vector<int> old(values.begin(), values.end());
    for (std::size_t i = 0; i < count; ++i)
        values[i] = old[static_cast<std::size_t>(p[i])];
}

bool HasCol(std::span<const int> values, const CMatrix& D) {
    for (int c = 0; c < D.GetCols(); ++c) {
        bool equal = true;
        for (int r = 0; r < D.GetRows() && equal; ++r)
            equal = D.GetAt(r, c) == values[static_cast<std::size_t>(r)];
        if (equal)
            return true;
    }
    return false;
}

namespace {

// C(a, b) by the multiplicative formula; every partial product is itself a
// binomial coefficient, so the divisions are exact.
std::optional<std::uint64_t> CheckedBinomial(std::uint64_t a, std::uint64_t b) {
    std::uint64_t result = 1;
    for (std::uint64_t j = 1; j <= b; ++j) {
        std::uint64_t product = 0;
        if (__builtin_mul_overflow(result, a - b + j, &product))
            return std::nullopt;
        result = product / j;
    }
    return result;
}

CMatrix BasisKN(const CMatrix& D, const CMatrix& T, int n) {
    const int width = T.GetCols();
    const int blocks = D.GetCols();
    CMatrix S(n, blocks * width);
    for (int r = 0; r < n; ++r) {
        const std::uint8_t* hands = D.RowData(r);
        std::uint8_t* out = S.RowData(r);
        for (int i = 0; i < blocks; ++i, out += width)
            std::memcpy(out, T.RowData(hands[i]), static_cast<std::size_t>(width));
    }
    return S;
}

} // namespace

std::optional<std::uint64_t> DistributionColumnCount(int N, int k) {
    if (N < 1 || k < 1 || N % k != 0)
        return std::nullopt;
    const auto q = static_cast<std::uint64_t>(N / k);
    // N! / (q!)^k as the product of C(i*q, q) for i = 1 .. k.
    std::uint64_t count = 1;
    for (std::uint64_t i = 1; i <= static_cast<std::uint64_t>(k); ++i) {
        const std::optional<std::uint64_t> factor = CheckedBinomial(i * q, q);
        if (!factor || __builtin_mul_overflow(count, *factor, &count))
            return std::nullopt;
    }
    return count;
}

std::optional<std::uint64_t> KNSubpixelCount(int n, int k) {
    if (k < 1 || k > n || k > 63)
        return std::nullopt;
    const int N = (n + k - 1) / k * k;
    const std::optional<std::uint64_t> columns = DistributionColumnCount(N, k);
    std::uint64_t subpixels = 0;
    if (!columns || __builtin_mul_overflow(*columns, std::uint64_t{1} << (k - 1), &subpixels))
        return std::nullopt;
    return subpixels;
}

CMatrix DistributionMatrix(int N, int k) {
    const std::optional<std::uint64_t> count = DistributionColumnCount(N, k);
    if (!count || *count > static_cast<std::uint64_t>(INT_MAX))
        return CMatrix(N, 0);
    // The first index that decodes to an arrangement v has the digits
    // d_i = #{ j < i : v[j] < v[i] }, and the most significant digit is d_(N-1).
    // Ordering by that index is therefore ordering by v[N-1], then v[N-2], ...:
    // the lexicographic order of v read backwards, which next_permutation
    // walks from the sorted base vector.
    const int q = N / k;
    std::vector<std::uint8_t> reversed(static_cast<std::size_t>(N));
    for (int i = 0; i < N; ++i)
        reversed[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i / q);
    CMatrix D(N, static_cast<int>(*count));
    for (int c = 0; c < D.GetCols(); ++c) {
        for (int i = 0; i < N; ++i)
            D.SetAt(N - 1 - i, c, reversed[static_cast<std::size_t>(i)]);
        std::next_permutation(reversed.begin(), reversed.end());
    }
    return D;
}

CMatrix BasisKNS0(const CMatrix& D, int k, int n) {
    return BasisKN(D, BasisNNS0(k), n);
}
CMatrix BasisKNS1(const CMatrix& D, int k, int n) {
    return BasisKN(D, BasisNNS1(k), n);
}

} // namespace lumisplit
