// The two methods that keep the secret's size: one column drawn per pixel,
// from the basis matrix alone (method 0) or from the matrix extended by the
// innocent block of the cover images (method 5).

#include "random/RandomSource.h"
#include "shares/PackedShares.h"
#include "shares/ShareChecks.h"

#include <algorithm>
#include <array>

namespace lumisplit {

namespace {

// Shares of the secret's size, one pattern per pixel, a stretch of a row at a
// time: pick(y, x0, count, dark, patterns) fills patterns[i] for pixel
// (y, x0 + i), where dark[i] is 1 when that secret pixel is black. The picks
// take their numbers by value: through a reference the compiler would reread
// them after every draw, which writes an unsigned of its own.
template <class Pick>
std::optional<ShareSet> LayPixels(const CBmpImage& secret, int n, const Progress& progress,
                                  Pick pick) {
    const int width = secret.Width();
    const int height = secret.Height();
    auto shares =
        MakeBlankShares(n, static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height));
    if (!shares)
        return std::nullopt;
    const SecretReader reader(secret);
    std::array<std::uint8_t, kRowChunk> dark;
    std::array<Pattern, kRowChunk> patterns;
    for (int y = 0; y < height; ++y) {
        for (int x0 = 0; x0 < width; x0 += kRowChunk) {
            const int count = std::min(kRowChunk, width - x0);
            reader.BlackRow(y, x0, count, dark.data());
            pick(y, x0, count, dark.data(), patterns.data());
            StorePixelPatterns(patterns.data(), count, x0, y, *shares);
        }
        if (progress)
            progress(static_cast<std::uint64_t>(y) + 1, static_cast<std::uint64_t>(height));
    }
    return shares;
}

} // namespace

std::optional<ShareSet> RandomBasisColumn(const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                          RandomSource& random, const Progress& progress) {
    if (!CheckBasisForSplit(S0, S1) || !CheckSecret(secret))
        return std::nullopt;
    const std::vector<Pattern> white = ColumnPatterns(S0);
    const std::vector<Pattern> black = ColumnPatterns(S1);
    const auto m = static_cast<std::uint32_t>(S0.GetCols());
    return WithConcreteRandom(random, [&](auto& source) {
        return LayPixels(secret, S0.GetRows(), progress,
                         [&, m](int, int, int count, const std::uint8_t* dark, Pattern* patterns) {
                             // One draw per pixel, whatever its colour; the
                             // column serves every share.
                             for (int i = 0; i < count; ++i)
                                 patterns[i] = (dark[i] != 0 ? black : white)[source.Below(m)];
                         });
    });
}

std::optional<ShareSet> ExtendedPreserveSize(const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                             const std::vector<CBmpImage>& covers,
                                             RandomSource& random, const Progress& progress) {
    if (!CheckBasisForSplit(S0, S1) || !CheckSecret(secret) ||
        !CheckCovers(covers, S0.GetRows(), secret))
        return std::nullopt;
    const int n = S0.GetRows();
    const std::vector<Pattern> white = ColumnPatterns(S0);
    const std::vector<Pattern> black = ColumnPatterns(S1);
    const auto m = static_cast<std::uint32_t>(S0.GetCols());
    std::vector<SecretReader> coverReaders(covers.begin(), covers.end());
    std::array<std::uint8_t, kRowChunk> coverDark;
    // Bit p: participant p's cover is white at the pixel.
    std::array<Pattern, kRowChunk> coverWhite;
    return WithConcreteRandom(random, [&](auto& source) {
        return LayPixels(
            secret, n, progress,
            [&, n, m](int y, int x0, int count, const std::uint8_t* dark, Pattern* patterns) {
                std::fill_n(coverWhite.begin(), count, Pattern{0});
                for (int p = 0; p < n; ++p) {
                    coverReaders[static_cast<std::size_t>(p)].BlackRow(y, x0, count,
                                                                       coverDark.data());
                    for (int i = 0; i < count; ++i)
                        coverWhite[i] =
                            static_cast<Pattern>(coverWhite[i] | ((coverDark[i] ^ 1u) << p));
                }
                for (int i = 0; i < count; ++i) {
                    // Columns m ... m+n-1 are the innocent block.
                    const std::uint32_t c = source.Below(m + static_cast<std::uint32_t>(n));
                    if (c < m)
                        patterns[i] = (dark[i] != 0 ? black : white)[c];
                    else
                        patterns[i] = InnocentColumn(n, c - m, coverWhite[i]);
                }
            });
    });
}

} // namespace lumisplit
