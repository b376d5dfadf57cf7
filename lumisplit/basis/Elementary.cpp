#include "basis/Elementary.h"

#include <bit>
#include <cstdint>

namespace lumisplit {

int Factorial(int a) {
    if (a <= 1)
        return 1;
    // Unsigned so that the wrap-around from 13! on is defined behaviour.
    return static_cast<int>(static_cast<std::uint32_t>(a) *
                            static_cast<std::uint32_t>(Factorial(a - 1)));
}

int CentralBinomial(int a) {
    const int h = a / 2;
    return Factorial(a) / (Factorial(h) * Factorial(a - h));
}

namespace {

CMatrix FromRows(std::initializer_list<std::initializer_list<int>> rows) {
    CMatrix m(static_cast<int>(rows.size()), static_cast<int>(rows.begin()->size()));
    int r = 0;
    for (const auto& row : rows) {
        int c = 0;
        for (int value : row)
            m.SetAt(r, c++, value);
        ++r;
    }
    return m;
}

// Every code of 0 .. 2^n - 1 that `take` accepts becomes the next column.
template <class Take> CMatrix ColumnsOfCodes(int n, int cols, Take take) {
    CMatrix m(n, cols);
    int col = 0;
    const std::uint32_t end = std::uint32_t{1} << n;
    for (std::uint32_t code = 0; code < end && col < cols; ++code) {
        if (!take(code))
            continue;
        for (int r = 0; r < n; ++r)
            m.SetAt(r, col, static_cast<int>((code >> r) & 1u));
        ++col;
    }
    return m;
}

CMatrix BasisNN(int n, unsigned parity) {
    if (n < 1 || n > 30)
        return CMatrix();
    return ColumnsOfCodes(n, 1 << (n - 1), [parity](std::uint32_t code) {
        return (static_cast<unsigned>(std::popcount(code)) & 1u) == parity;
    });
}

int Binomial(int a, int b) {
    if (b < 0 || b > a)
        return 0;
    return Factorial(a) / (Factorial(b) * Factorial(a - b));
}

} // namespace

CMatrix Basis22S0() {
    return FromRows({{0, 1}, {0, 1}});
}
CMatrix Basis22S1() {
    return FromRows({{0, 1}, {1, 0}});
}

CMatrix BasisNNS0(int n) {
    return BasisNN(n, 0);
}
CMatrix BasisNNS1(int n) {
    return BasisNN(n, 1);
}

CMatrix Basis2NS1(int n) {
    if (n < 1 || n > 12)
        return CMatrix();
    const int h = n / 2;
    return ColumnsOfCodes(n, CentralBinomial(n),
                          [h](std::uint32_t code) { return std::popcount(code) == h; });
}

CMatrix Basis2NS0(int n) {
    if (n < 1 || n > 12)
        return CMatrix();
    const int h = n / 2;
    const int cols = CentralBinomial(n);
    CMatrix m(n, cols);
    // Zeros first, then ones; z + o = cols for n >= 2, and the ones are cut
    // off at the last column for n = 1, where they would not fit.
    const int zeros = Binomial(n - 1, h);
    for (int c = zeros; c < cols; ++c)
        for (int r = 0; r < n; ++r)
            m.SetAt(r, c, 1);
    return m;
}

} // namespace lumisplit
