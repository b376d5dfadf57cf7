#pragma once
// The pieces the methods are built from: reading the secret as black flags
// straight from its packed rows, basis columns as n-bit patterns (bit p set:
// participant p's subpixel is black), and writing share bits straight into the
// packed 1-bit rows (bit 1 = white, most significant bit = leftmost pixel).

#include "basis/BasisPair.h"
#include "basis/Matrix.h"
#include "imaging/BmpImage.h"
#include "random/RandomSource.h"
#include "shares/Shares.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace lumisplit {

// Pixels handled per pass along a row: keeps the scratch buffers small
// whatever the width. A multiple of 8, so passes start on a byte of a share.
inline constexpr int kRowChunk = 4096;

// Black and white as GetPixelBW sees them (value 0 is black, at every depth),
// read from the packed rows without a call per pixel.
class SecretReader {
public:
    explicit SecretReader(const CBmpImage& image) : m_image(image) {}
    bool Black(int row, int column) const;
    // flags[i] = 1 when pixel (row, x0 + i) is black, else 0.
    void BlackRow(int row, int x0, int count, std::uint8_t* flags) const;

private:
    const CBmpImage& m_image;
};

using Pattern = std::uint16_t; // one bit per participant
static_assert(kMaxParticipants <= 16, "a Pattern holds one bit per participant");

// Column j of the innocent block that extends a basis matrix to n more
// columns: black for every participant but j, who shows their cover. Bit p of
// coverWhite: participant p's cover is white at the pixel.
inline Pattern InnocentColumn(int n, unsigned j, unsigned coverWhite) {
    return static_cast<Pattern>(((1u << n) - 1) & ~(coverWhite & (1u << j)));
}

// Column j of the matrix as a pattern.
std::vector<Pattern> ColumnPatterns(const CMatrix& matrix);
// Writes the patterns back as the matrix's columns (same shape).
void StoreColumnPatterns(const std::vector<Pattern>& patterns, CMatrix& matrix);

// The column permutation of CMatrix::PermuteCols, on patterns: Fisher-Yates
// with Below(i + 1) for i = count - 1 down to 1, so it makes the same draws and
// the same order.
template <class Random> void ShuffleColumns(Pattern* columns, std::size_t count, Random& random) {
    for (std::size_t i = count; i-- > 1;) {
        const std::size_t j = random.Below(static_cast<std::uint32_t>(i + 1));
        std::swap(columns[i], columns[j]);
    }
}

// Calls body(random) with the most concrete type we know, so that the bit-pool
// sources (the real ones) are drawn from inline, without a call per draw.
template <class Body> decltype(auto) WithConcreteRandom(RandomSource& random, Body body) {
    if (auto* pool = dynamic_cast<BitPoolRandom*>(&random))
        return body(*pool);
    return body(random);
}

// Pixels x0 ... x0 + count - 1 of share row `row`, for every share, from one
// pattern per pixel. x0 is a multiple of 8.
void StorePixelPatterns(const Pattern* patterns, int count, int x0, int row, ShareSet& shares);

// Appends pixels to a packed 1-bit row, from the given byte on.
class BitWriter {
public:
    BitWriter() = default;
    explicit BitWriter(std::uint8_t* start) : m_out(start) {}
    void Put(unsigned white) { PutBits(white, 1); }
    // The low `count` bits of value (nothing above them), most significant
    // first; count <= 56.
    void PutBits(std::uint64_t value, unsigned count) {
        m_acc = (m_acc << count) | value;
        m_count += count;
        while (m_count >= 8) {
            m_count -= 8;
            *m_out++ = static_cast<std::uint8_t>(m_acc >> m_count);
        }
    }
    // Stores the last partial byte; the bits beyond the row stay 0.
    void Flush() {
        if (m_count != 0)
            *m_out = static_cast<std::uint8_t>(m_acc << (8 - m_count));
    }

private:
    std::uint8_t* m_out = nullptr;
    std::uint64_t m_acc = 0;
    unsigned m_count = 0;
};

} // namespace lumisplit
