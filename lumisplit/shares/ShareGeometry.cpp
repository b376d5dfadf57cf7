#include "shares/ShareGeometry.h"

#include "shares/Shares.h"

namespace lumisplit {

namespace {

// Calls visit(prime, exponent) for each prime factor of m > 0.
template <class Visit> void Factorise(std::uint64_t m, Visit visit) {
    for (std::uint64_t p = 2; p * p <= m; ++p) {
        int exponent = 0;
        while (m % p == 0) {
            m /= p;
            ++exponent;
        }
        if (exponent > 0)
            visit(p, exponent);
    }
    if (m > 1)
        visit(m, 1);
}

} // namespace

int SmallestSquareMultiplier(int m) {
    if (m <= 0)
        return 0;
    // m * i is a square exactly when i supplies one more factor for every
    // prime that m holds an odd number of times.
    std::uint64_t i = 1;
    Factorise(static_cast<std::uint64_t>(m), [&](std::uint64_t p, int exponent) {
        if (exponent % 2 != 0)
            i *= p;
    });
    return static_cast<int>(i);
}

std::uint64_t SquareFillSide(std::uint64_t m) {
    if (m == 0)
        return 0;
    std::uint64_t side = 1;
    Factorise(m, [&](std::uint64_t p, int exponent) {
        for (int e = 0; e < (exponent + 1) / 2; ++e)
            side *= p;
    });
    return side;
}

std::uint64_t FillerSide(std::uint64_t m) {
    std::uint64_t side = 0;
    while (side * side < m)
        ++side;
    return side;
}

} // namespace lumisplit
