#include "ShareTestSupport.h"

#include "imaging/BmpFixture.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace lumisplit::test {

CBmpImage MakePicture(int width, int height, int depth, const std::function<bool(int, int)>& black,
                      const std::string& name) {
    BmpFixture f;
    f.bits = depth;
    f.width = width;
    f.height = height;
    if (depth != 24) {
        f.palette.assign(std::size_t{1} << depth, 0xFFFFFF);
        f.palette[0] = 0;
    }
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * depth + 7) / 8;
    const std::uint32_t maxValue = depth == 24 ? 255 : (1u << depth) - 1;
    for (int r = 0; r < height; ++r) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int c = 0; c < width; ++c) {
            // Any non-zero value is white; vary it to catch readers that
            // compare with the largest value only.
            const std::uint32_t value =
                black(r, c) ? 0 : 1 + static_cast<std::uint32_t>(r * 7 + c * 3) % maxValue;
            if (depth == 24) {
                // (v, 0, 0), (0, v, 0), (0, 0, v): one non-zero byte is enough.
                row[3 * static_cast<std::size_t>(c) + static_cast<std::size_t>(c % 3)] =
                    static_cast<std::uint8_t>(value);
                continue;
            }
            const std::size_t bit = static_cast<std::size_t>(c) * static_cast<std::size_t>(depth);
            const unsigned shift = 8 - depth - static_cast<unsigned>(bit % 8);
            row[bit / 8] = static_cast<std::uint8_t>(row[bit / 8] | (value << shift));
        }
        f.rows.push_back(std::move(row));
    }
    CBmpImage image(name);
    EXPECT_TRUE(image.ReadBytes(MakeBmp(f)));
    return image;
}

CBmpImage RandomPicture(int width, int height, int depth, std::uint64_t seed,
                        const std::string& name) {
    SeededRandom random(seed);
    std::vector<bool> black(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < black.size(); ++i)
        black[i] = random.Bit();
    return MakePicture(
        width, height, depth,
        [&](int r, int c) { return black[static_cast<std::size_t>(r) * width + c]; }, name);
}

std::vector<CBmpImage> RandomCovers(int n, int width, int height, std::uint64_t firstSeed) {
    std::vector<CBmpImage> covers;
    for (int p = 0; p < n; ++p) {
        std::string name = "c";
        name += std::to_string(p + 1);
        name += ".bmp";
        covers.push_back(
            RandomPicture(width, height, 1, firstSeed + static_cast<std::uint64_t>(p), name));
    }
    return covers;
}

CMatrix MatrixOf(const std::vector<std::vector<int>>& rows) {
    CMatrix matrix(static_cast<int>(rows.size()),
                   rows.empty() ? 0 : static_cast<int>(rows[0].size()));
    for (int r = 0; r < matrix.GetRows(); ++r)
        for (int c = 0; c < matrix.GetCols(); ++c)
            matrix.SetAt(r, c, rows[r][c]);
    return matrix;
}

Pair Pair22() {
    return {MatrixOf({{0, 1}, {0, 1}}), MatrixOf({{0, 1}, {1, 0}})};
}

namespace {
// Columns from codes: row l holds bit l of the code.
CMatrix FromCodes(int n, const std::vector<int>& codes) {
    CMatrix matrix(n, static_cast<int>(codes.size()));
    for (int c = 0; c < matrix.GetCols(); ++c)
        for (int l = 0; l < n; ++l)
            matrix.SetAt(l, c, (codes[c] >> l) & 1);
    return matrix;
}
} // namespace

Pair PairNN(int n) {
    std::vector<int> even, odd;
    for (int code = 0; code < (1 << n); ++code)
        (std::popcount(static_cast<unsigned>(code)) % 2 == 0 ? even : odd).push_back(code);
    return {FromCodes(n, even), FromCodes(n, odd)};
}

Pair Pair2N(int n) {
    std::vector<int> black, white;
    for (int code = 0; code < (1 << n); ++code)
        if (std::popcount(static_cast<unsigned>(code)) == n / 2)
            black.push_back(code);
    // As many all-white as all-black columns hold the same weight per row as S1.
    const int ones = static_cast<int>(black.size()) * (n / 2) / n;
    white.assign(black.size() - static_cast<std::size_t>(ones), 0);
    white.insert(white.end(), static_cast<std::size_t>(ones), (1 << n) - 1);
    return {FromCodes(n, white), FromCodes(n, black)};
}

Pair PairKN22() {
    return {MatrixOf({{0, 1, 0, 1}, {0, 1, 0, 1}}), MatrixOf({{0, 1, 1, 0}, {1, 0, 0, 1}})};
}

std::uint32_t ScriptedRandom::Next() {
    return m_next < m_script.size() ? m_script[m_next++] : 0;
}

std::uint32_t ScriptedRandom::Below(std::uint32_t bound) {
    std::string call = "B"; // appended, not "B" + ...: GCC 12 warns on that (-Wrestrict)
    call += std::to_string(bound);
    calls.push_back(call);
    return Next() % bound;
}

bool ScriptedRandom::Bit() {
    calls.push_back("bit");
    return Next() % 2 != 0;
}

int LiteralSmallestSquareMultiplier(int m) {
    for (int i = 1; i < m; ++i) {
        const double r = std::sqrt(static_cast<double>(m) * i);
        if (r == std::floor(r))
            return i;
    }
    return m;
}

namespace {

int Root(int value) {
    return static_cast<int>(std::sqrt(static_cast<double>(value)));
}

ShareSet Blank(int n, int height, int width) {
    ShareSet shares;
    for (int i = 0; i < n; ++i)
        shares.emplace_back(ShareName(i), height, width);
    return shares;
}

// The innocent block and the extended matrix of one secret pixel.
void FillExtended(const CBmpImage& secret, const CMatrix& S0, const CMatrix& S1,
                  const std::vector<CBmpImage>& covers, int y, int x, CMatrix& B, CMatrix& E) {
    const int n = S0.GetRows();
    const int m = S0.GetCols();
    const CMatrix& M = secret.GetPixelBW(y, x) == 'w' ? S0 : S1;
    for (int p = 0; p < n; ++p)
        for (int j = 0; j < n; ++j)
            B.SetAt(p, j, covers[p].GetPixelBW(y, x) == 'b' ? 1 : (j == p ? 0 : 1));
    for (int p = 0; p < n; ++p) {
        for (int j = 0; j < m; ++j)
            E.SetAt(p, j, M.GetAt(p, j));
        for (int j = 0; j < n; ++j)
            E.SetAt(p, m + j, B.GetAt(p, j));
    }
}

} // namespace

ShareSet LiteralShares(int method, const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                       RandomSource& random, const std::vector<CBmpImage>& covers) {
    const int n = S0.GetRows();
    const int m = S0.GetCols();
    const int W = secret.Width();
    const int H = secret.Height();
    switch (method) {
    case kRandomBasisColumn: {
        ShareSet shares = Blank(n, H, W);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const CMatrix& M = secret.GetPixelBW(y, x) == 'w' ? S0 : S1;
                const int r = static_cast<int>(random.Below(static_cast<std::uint32_t>(m)));
                for (int i = 0; i < n; ++i)
                    shares[i].SetPixelBW(y, x, M.GetAt(i, r) != 0 ? 1 : 0);
            }
        return shares;
    }
    case kPixelSampling: {
        const int s = Root(m * LiteralSmallestSquareMultiplier(m));
        ShareSet shares = Blank(n, H / s * s, W / s * s);
        for (int y = 0; y + s <= H; y += s)
            for (int x = 0; x + s <= W; x += s) {
                CMatrix& M = secret.GetPixelBW(y, x) == 'w' ? S0 : S1;
                M.PermuteCols(random);
                for (int p = 0; p < n; ++p)
                    for (int q = 0; q < s * s; ++q)
                        shares[p].SetPixelBW(y + q / s, x + q % s, M.GetAt(p, q % m) == 1);
            }
        return shares;
    }
    case kSquareSubpixelExpansion: {
        ShareSet shares = Blank(n, m * H, m * W);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                CMatrix& M = secret.GetPixelBW(y, x) == 'w' ? S0 : S1;
                M.PermuteCols(random);
                for (int a = 0; a < m; ++a)
                    for (int p = 0; p < n; ++p)
                        for (int b = 0; b < m; ++b)
                            shares[p].SetPixelBW(m * y + a, m * x + b, M.GetAt(p, b) != 0 ? 1 : 0);
            }
        return shares;
    }
    case kSmallestSquareWithFiller: {
        const int s = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(m))));
        ShareSet shares = Blank(n, s * H, s * W);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                CMatrix& M = secret.GetPixelBW(y, x) == 'w' ? S0 : S1;
                M.PermuteCols(random);
                for (int p = 0; p < n; ++p) {
                    for (int q = 0; q < m; ++q)
                        shares[p].SetPixelBW(s * y + q / s, s * x + q % s, M.GetAt(p, q) == 1);
                    for (int q = m; q < s * s; ++q)
                        shares[p].SetPixelBW(s * y + q / s, s * x + q % s, random.Bit() ? 1 : 0);
                }
            }
        return shares;
    }
    case kSmallestSquareWithoutFiller: {
        const int s = Root(m * LiteralSmallestSquareMultiplier(m));
        ShareSet shares = Blank(n, s * H, s * W);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                CMatrix& M = secret.GetPixelBW(y, x) == 'w' ? S0 : S1;
                M.PermuteCols(random);
                for (int p = 0; p < n; ++p)
                    for (int q = 0; q < s * s; ++q)
                        shares[p].SetPixelBW(s * y + q / s, s * x + q % s, M.GetAt(p, q % m) == 1);
            }
        return shares;
    }
    case kExtendedPreserveSize: {
        ShareSet shares = Blank(n, H, W);
        CMatrix E(n, m + n), B(n, n);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                FillExtended(secret, S0, S1, covers, y, x, B, E);
                const int c = static_cast<int>(random.Below(static_cast<std::uint32_t>(m + n)));
                for (int p = 0; p < n; ++p)
                    shares[p].SetPixelBW(y, x, E.GetAt(p, c) == 1 ? 1 : 0);
            }
        return shares;
    }
    case kExtendedPreserveDetail: {
        const int t = m + n;
        const int s = Root(t * LiteralSmallestSquareMultiplier(t));
        ShareSet shares = Blank(n, s * H, s * W);
        CMatrix E(n, t), B(n, n);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                FillExtended(secret, S0, S1, covers, y, x, B, E);
                E.PermuteCols(random);
                for (int p = 0; p < n; ++p)
                    for (int q = 0; q < s * s; ++q)
                        shares[p].SetPixelBW(s * y + q / s, s * x + q % s, E.GetAt(p, q % t) == 1);
            }
        return shares;
    }
    }
    return {};
}

namespace {

// Regularised lower incomplete gamma P(a, x) by its series (x < a + 1).
double GammaSeries(double a, double x) {
    double term = 1.0 / a, sum = term;
    for (int i = 1; i < 100000; ++i) {
        term *= x / (a + i);
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * 1e-15)
            break;
    }
    return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

// Regularised upper incomplete gamma Q(a, x) by its continued fraction (x >= a + 1).
double GammaFraction(double a, double x) {
    const double tiny = 1e-300;
    double b = x + 1.0 - a, c = 1.0 / tiny, d = 1.0 / b, h = d;
    for (int i = 1; i < 100000; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < tiny)
            d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny)
            c = tiny;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < 1e-15)
            break;
    }
    return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

} // namespace

double ChiSquareTail(double chi2, double df) {
    if (chi2 <= 0)
        return 1.0;
    const double a = df / 2, x = chi2 / 2;
    return x < a + 1 ? 1.0 - GammaSeries(a, x) : GammaFraction(a, x);
}

double SameDistributionPValue(const std::vector<std::array<std::uint64_t, 2>>& counts) {
    double rowTotal[2] = {0, 0};
    for (const auto& cell : counts) {
        rowTotal[0] += static_cast<double>(cell[0]);
        rowTotal[1] += static_cast<double>(cell[1]);
    }
    const double total = rowTotal[0] + rowTotal[1];
    if (rowTotal[0] == 0 || rowTotal[1] == 0)
        return 1.0;
    std::vector<std::array<double, 2>> cells;
    std::array<double, 2> pooled{0, 0};
    for (const auto& cell : counts) {
        const double column = static_cast<double>(cell[0] + cell[1]);
        if (column * std::min(rowTotal[0], rowTotal[1]) / total < 5) {
            pooled[0] += static_cast<double>(cell[0]);
            pooled[1] += static_cast<double>(cell[1]);
        } else {
            cells.push_back({static_cast<double>(cell[0]), static_cast<double>(cell[1])});
        }
    }
    if (pooled[0] + pooled[1] > 0)
        cells.push_back(pooled);
    if (cells.size() < 2)
        return 1.0;
    double chi2 = 0;
    for (const auto& cell : cells) {
        const double column = cell[0] + cell[1];
        for (int r = 0; r < 2; ++r) {
            const double expected = column * rowTotal[r] / total;
            chi2 += (cell[r] - expected) * (cell[r] - expected) / expected;
        }
    }
    return ChiSquareTail(chi2, static_cast<double>(cells.size() - 1));
}

::testing::AssertionResult SameShares(const ShareSet& a, const ShareSet& b) {
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << a.size() << " shares against " << b.size();
    for (std::size_t i = 0; i < a.size(); ++i) {
        const CBmpImage& x = a[i];
        const CBmpImage& y = b[i];
        if (x.m_strFileName != y.m_strFileName || x.Width() != y.Width() ||
            x.Height() != y.Height())
            return ::testing::AssertionFailure()
                   << "share " << i << ": " << x.m_strFileName << " " << x.Width() << "x"
                   << x.Height() << " against " << y.m_strFileName << " " << y.Width() << "x"
                   << y.Height();
        for (int r = 0; r < x.Height(); ++r)
            if (std::memcmp(x.Row(r), y.Row(r), x.Stride()) != 0)
                return ::testing::AssertionFailure() << "share " << i << " differs in row " << r;
    }
    return ::testing::AssertionSuccess();
}

} // namespace lumisplit::test
