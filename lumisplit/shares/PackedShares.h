#pragma once
// The pieces the methods are built from: reading the secret as black flags
// straight from its packed rows, basis columns as n-bit patterns (bit p set:
// participant p's subpixel is black), and writing share bits straight into the
// packed 1-bit rows (bit 1 = white, most significant bit = leftmost pixel).

#include "basis/Matrix.h"
#include "imaging/BmpImage.h"
#include "shares/Shares.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumisplit {

class RandomSource;

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

using Pattern = std::uint16_t; // one bit per participant; n <= 9

// Column j of the matrix as a pattern.
std::vector<Pattern> ColumnPatterns(const CMatrix& matrix);
// Writes the patterns back as the matrix's columns (same shape).
void StoreColumnPatterns(const std::vector<Pattern>& patterns, CMatrix& matrix);

// The column permutation of CMatrix::PermuteCols, on patterns: Fisher-Yates
// with Below(i + 1) for i = count - 1 down to 1, so it makes the same draws and
// the same order.
void ShuffleColumns(Pattern* columns, std::size_t count, RandomSource& random);

// Pixels x0 ... x0 + count - 1 of share row `row`, for every share, from one
// pattern per pixel. x0 is a multiple of 8.
void StorePixelPatterns(const Pattern* patterns, int count, int x0, int row, ShareSet& shares);

// Appends pixels one at a time to a packed 1-bit row, from its start.
class BitWriter {
public:
    BitWriter() = default;
    explicit BitWriter(std::uint8_t* row) : m_out(row) {}
    void Put(unsigned white) {
        m_acc = static_cast<unsigned>((m_acc << 1) | white);
        if (++m_count == 8) {
            *m_out++ = static_cast<std::uint8_t>(m_acc);
            m_acc = 0;
            m_count = 0;
        }
    }
    // Stores the last partial byte; the bits beyond the row stay 0.
    void Flush() {
        if (m_count != 0)
            *m_out = static_cast<std::uint8_t>(m_acc << (8 - m_count));
    }

private:
    std::uint8_t* m_out = nullptr;
    unsigned m_acc = 0;
    unsigned m_count = 0;
};

} // namespace lumisplit
