// The methods that lay a square block of subpixels per secret pixel (or, for
// pixel sampling, per block of the secret) into every share.

#include "imaging/Report.h"
#include "random/RandomSource.h"
#include "shares/PackedShares.h"
#include "shares/ShareChecks.h"
#include "shares/ShareGeometry.h"

#include <algorithm>
#include <string>

namespace lumisplit {

namespace {

// Lays blocksHigh x blocksWide blocks of side x side pixels into every share.
// prepare(by, bx) makes the draws of one block and answers its `period`
// column patterns, in their permuted order. Block position q = a * side + b
// (block row a, block column b) shows column q mod period, or, with filler,
// column q for q < period and a fresh random bit beyond. Filler bits are drawn
// after prepare, participant by participant, in position order.
struct BlockShape {
    int blocksHigh, blocksWide, side, period;
    bool filler;
};

// Blocks of up to 8 x 8: a participant's whole block fits one 64-bit word
// (position q at bit 63 - q), so each block row is one shift. The blocks of a
// stretch of a block row are prepared first, in order, and then every share row
// is written in one sweep.
template <class Random, class Prepare>
void LaySmallBlocks(ShareSet& shares, const BlockShape& shape, Random& random,
                    const Progress& progress, Prepare prepare) {
    constexpr int kStretch = 1024; // blocks; a multiple of 8, so stretches start on a byte
    const int n = static_cast<int>(shares.size());
    const int side = shape.side;
    const int period = shape.period;
    const int area = side * side;
    std::vector<std::uint64_t> blocks(static_cast<std::size_t>(n) * kStretch);
    for (int by = 0; by < shape.blocksHigh; ++by) {
        for (int bx0 = 0; bx0 < shape.blocksWide; bx0 += kStretch) {
            const int count = std::min(kStretch, shape.blocksWide - bx0);
            for (int i = 0; i < count; ++i) {
                const Pattern* columns = prepare(by, bx0 + i);
                for (int p = 0; p < n; ++p) {
                    std::uint64_t white = 0; // the participant's row, one bit per column
                    for (int j = 0; j < period; ++j)
                        white |= std::uint64_t{(~static_cast<unsigned>(columns[j]) >> p) & 1u}
                                 << (63 - j);
                    std::uint64_t block = white;
                    if (shape.filler) {
                        for (int q = period; q < area; ++q)
                            if (!random.Bit()) // an odd draw is black
                                block |= std::uint64_t{1} << (63 - q);
                    } else {
                        for (int q = period; q < area; q += period)
                            block |= white >> q;
                    }
                    blocks[static_cast<std::size_t>(p) * kStretch + static_cast<std::size_t>(i)] =
                        block;
                }
            }
            for (int p = 0; p < n; ++p) {
                const std::uint64_t* row = &blocks[static_cast<std::size_t>(p) * kStretch];
                for (int a = 0; a < side; ++a) {
                    BitWriter writer(shares[static_cast<std::size_t>(p)].Row(by * side + a) +
                                     static_cast<std::size_t>(bx0) * side / 8);
                    for (int i = 0; i < count; ++i)
                        writer.PutBits((row[i] << (a * side)) >> (64 - side), side);
                    writer.Flush();
                }
            }
        }
        if (progress)
            progress(static_cast<std::uint64_t>(by) + 1,
                     static_cast<std::uint64_t>(shape.blocksHigh));
    }
}

// Any side, one pixel at a time.
template <class Random, class Prepare>
void LayLargeBlocks(ShareSet& shares, const BlockShape& shape, Random& random,
                    const Progress& progress, Prepare prepare) {
    const int n = static_cast<int>(shares.size());
    const int side = shape.side;
    const int period = shape.period;
    const std::int64_t area = std::int64_t{side} * side;
    const std::int64_t fillerCount = shape.filler ? area - period : 0;
    std::vector<std::uint8_t> fillerWhite(static_cast<std::size_t>(n * fillerCount));
    std::vector<BitWriter> writers(static_cast<std::size_t>(n) * static_cast<std::size_t>(side));
    for (int by = 0; by < shape.blocksHigh; ++by) {
        for (int p = 0; p < n; ++p)
            for (int a = 0; a < side; ++a)
                writers[static_cast<std::size_t>(p) * side + static_cast<std::size_t>(a)] =
                    BitWriter(shares[static_cast<std::size_t>(p)].Row(by * side + a));
        for (int bx = 0; bx < shape.blocksWide; ++bx) {
            const Pattern* columns = prepare(by, bx);
            for (auto& bit : fillerWhite)
                bit = random.Bit() ? 0 : 1; // an odd draw is black
            for (int p = 0; p < n; ++p) {
                BitWriter* rows = &writers[static_cast<std::size_t>(p) * side];
                const std::uint8_t* fill = fillerWhite.data() + p * fillerCount;
                std::int64_t q = 0;
                int j = 0;
                for (int a = 0; a < side; ++a) {
                    for (int b = 0; b < side; ++b, ++q) {
                        if (q >= period && shape.filler) {
                            rows[a].Put(fill[q - period]);
                            continue;
                        }
                        rows[a].Put((~static_cast<unsigned>(columns[j]) >> p) & 1u);
                        if (++j == period)
                            j = 0;
                    }
                }
            }
        }
        for (auto& writer : writers)
            writer.Flush();
        if (progress)
            progress(static_cast<std::uint64_t>(by) + 1,
                     static_cast<std::uint64_t>(shape.blocksHigh));
    }
}

template <class Random, class Prepare>
void LayBlocks(ShareSet& shares, const BlockShape& shape, Random& random, const Progress& progress,
               Prepare prepare) {
    if (shape.side <= 8)
        LaySmallBlocks(shares, shape, random, progress, prepare);
    else
        LayLargeBlocks(shares, shape, random, progress, prepare);
}

// Every block of stride x stride secret pixels becomes a side x side block in
// every share (a secret cut to whole blocks; only each block's first pixel is
// read). choose(y, x, black, random) makes the draws of the block whose first
// pixel is (y, x) and answers its `period` column patterns.
template <class Choose>
std::optional<ShareSet>
LaySecretBlocks(const CBmpImage& secret, int n, int stride, std::uint64_t side, int period,
                bool filler, RandomSource& random, const Progress& progress, Choose choose) {
    const auto s = static_cast<std::uint64_t>(stride);
    const auto blocksWide = static_cast<std::uint64_t>(secret.Width()) / s;
    const auto blocksHigh = static_cast<std::uint64_t>(secret.Height()) / s;
    auto shares = MakeBlankShares(n, side * blocksWide, side * blocksHigh);
    if (!shares)
        return std::nullopt;
    const SecretReader reader(secret);
    const BlockShape shape{static_cast<int>(blocksHigh), static_cast<int>(blocksWide),
                           static_cast<int>(side), period, filler};
    WithConcreteRandom(random, [&](auto& source) {
        LayBlocks(*shares, shape, source, progress, [&](int by, int bx) {
            const int y = by * stride;
            const int x = bx * stride;
            return choose(y, x, reader.Black(y, x), source);
        });
    });
    return shares;
}

// Methods 1 to 4: each block is built from the chosen matrix, whose columns
// are permuted in place once per block.
std::optional<ShareSet> PermutedBasisBlocks(const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                            int stride, std::uint64_t side, bool filler,
                                            RandomSource& random, const Progress& progress) {
    std::vector<Pattern> white = ColumnPatterns(S0);
    std::vector<Pattern> black = ColumnPatterns(S1);
    auto shares = LaySecretBlocks(secret, S0.GetRows(), stride, side, S0.GetCols(), filler, random,
                                  progress, [&](int, int, bool dark, auto& source) {
                                      std::vector<Pattern>& chosen = dark ? black : white;
                                      ShuffleColumns(chosen.data(), chosen.size(), source);
                                      return chosen.data();
                                  });
    if (!shares)
        return std::nullopt;
    // The caller's matrices end in the order the permutations left them.
    StoreColumnPatterns(white, S0);
    StoreColumnPatterns(black, S1);
    return shares;
}

} // namespace

std::optional<ShareSet> PixelSampling(const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                      RandomSource& random, const Progress& progress) {
    if (!CheckBasisForSplit(S0, S1) || !CheckSecret(secret))
        return std::nullopt;
    const std::uint64_t side = SquareFillSide(static_cast<std::uint64_t>(S0.GetCols()));
    if (static_cast<std::uint64_t>(secret.Width()) < side ||
        static_cast<std::uint64_t>(secret.Height()) < side) {
        Report("Cannot split: pixel sampling reads the secret in blocks of " +
               std::to_string(side) + " x " + std::to_string(side) + " pixels, but the secret is " +
               std::to_string(secret.Width()) + " x " + std::to_string(secret.Height()) + ".");
        return std::nullopt;
    }
    return PermutedBasisBlocks(secret, S0, S1, static_cast<int>(side), side, false, random,
                               progress);
}

std::optional<ShareSet> SquareSubpixelExpansion(const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                                RandomSource& random, const Progress& progress) {
    if (!CheckBasisForSplit(S0, S1) || !CheckSecret(secret))
        return std::nullopt;
    // An m x m block whose rows all show the m subpixels: the square block
    // fill with side m.
    return PermutedBasisBlocks(secret, S0, S1, 1, static_cast<std::uint64_t>(S0.GetCols()), false,
                               random, progress);
}

std::optional<ShareSet> SmallestSquareWithFiller(const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                                 RandomSource& random, const Progress& progress) {
    if (!CheckBasisForSplit(S0, S1) || !CheckSecret(secret))
        return std::nullopt;
    const auto m = static_cast<std::uint64_t>(S0.GetCols());
    const std::uint64_t side = FillerSide(m);
    return PermutedBasisBlocks(secret, S0, S1, 1, side, side * side > m, random, progress);
}

std::optional<ShareSet> SmallestSquareWithoutFiller(const CBmpImage& secret, CMatrix& S0,
                                                    CMatrix& S1, RandomSource& random,
                                                    const Progress& progress) {
    if (!CheckBasisForSplit(S0, S1) || !CheckSecret(secret))
        return std::nullopt;
    return PermutedBasisBlocks(secret, S0, S1, 1,
                               SquareFillSide(static_cast<std::uint64_t>(S0.GetCols())), false,
                               random, progress);
}

std::optional<ShareSet> ExtendedPreserveDetail(const CBmpImage& secret, CMatrix& S0, CMatrix& S1,
                                               const std::vector<CBmpImage>& covers,
                                               RandomSource& random, const Progress& progress) {
    if (!CheckBasisForSplit(S0, S1) || !CheckSecret(secret) ||
        !CheckCovers(covers, S0.GetRows(), secret))
        return std::nullopt;
    const int n = S0.GetRows();
    const int m = S0.GetCols();
    const int period = m + n; // the columns of the extended matrix E
    const std::vector<Pattern> white = ColumnPatterns(S0);
    const std::vector<Pattern> black = ColumnPatterns(S1);
    std::vector<SecretReader> coverReaders(covers.begin(), covers.end());
    std::vector<Pattern> extended(static_cast<std::size_t>(period));
    return LaySecretBlocks(secret, n, 1, SquareFillSide(static_cast<std::uint64_t>(period)), period,
                           false, random, progress, [&](int y, int x, bool dark, auto& source) {
                               // E is built afresh for every pixel (the basis matrices are never
                               // permuted here) and then permuted.
                               const std::vector<Pattern>& chosen = dark ? black : white;
                               std::copy(chosen.begin(), chosen.end(), extended.begin());
                               for (int j = 0; j < n; ++j) {
                                   const unsigned coverWhite =
                                       coverReaders[static_cast<std::size_t>(j)].Black(y, x)
                                           ? 0u
                                           : 1u << j;
                                   extended[static_cast<std::size_t>(m + j)] =
                                       InnocentColumn(n, static_cast<unsigned>(j), coverWhite);
                               }
                               ShuffleColumns(extended.data(), extended.size(), source);
                               return extended.data();
                           });
}

} // namespace lumisplit
