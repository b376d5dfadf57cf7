#pragma once
// Subpixels per share m of the (k,n) scheme once the common columns are
// removed, for the pairs quick enough to build in a test.

#include <ostream>

namespace lumisplit::test {

struct KNSize {
    int k, n, m;
};

inline void PrintTo(const KNSize& c, std::ostream* os) {
    *os << "k = " << c.k << ", n = " << c.n;
}

inline constexpr KNSize kKNSizes[] = {
    {2, 2, 4},    {2, 3, 12},    {2, 4, 12},    {2, 5, 40},    {2, 6, 40},  {2, 7, 140},
    {2, 8, 140},  {3, 3, 24},    {3, 4, 216},   {3, 5, 360},   {3, 6, 360}, {4, 4, 192},
    {4, 5, 8640}, {4, 6, 12960}, {4, 7, 20160}, {4, 8, 20160}, {5, 5, 1920}};

} // namespace lumisplit::test
