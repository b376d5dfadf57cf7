#include "shares/PackedShares.h"

namespace lumisplit {

bool SecretReader::Black(int row, int column) const {
    const std::uint8_t* bytes = m_image.Row(row);
    const auto c = static_cast<std::size_t>(column);
    switch (m_image.biBitCount) {
    case 1:
        return ((bytes[c >> 3] >> (7 - (c & 7))) & 1) == 0;
    case 2:
        return ((bytes[c >> 2] >> (6 - 2 * (c & 3))) & 3) == 0;
    case 4:
        return ((bytes[c >> 1] >> ((c & 1) != 0 ? 0 : 4)) & 15) == 0;
    case 8:
        return bytes[c] == 0;
    case 24:
        return (bytes[3 * c] | bytes[3 * c + 1] | bytes[3 * c + 2]) == 0;
    default:
        return m_image.GetPixelBW(row, column) != 'w';
    }
}

void SecretReader::BlackRow(int row, int x0, int count, std::uint8_t* flags) const {
    if (m_image.biBitCount == 1 && x0 % 8 == 0) {
        const std::uint8_t* bytes = m_image.Row(row) + x0 / 8;
        int i = 0;
        for (; i + 8 <= count; i += 8) {
            const unsigned dark = ~static_cast<unsigned>(*bytes++);
            for (int k = 0; k < 8; ++k)
                flags[i + k] = static_cast<std::uint8_t>((dark >> (7 - k)) & 1);
        }
        for (; i < count; ++i)
            flags[i] = Black(row, x0 + i) ? 1 : 0;
        return;
    }
    for (int i = 0; i < count; ++i)
        flags[i] = Black(row, x0 + i) ? 1 : 0;
}

std::vector<Pattern> ColumnPatterns(const CMatrix& matrix) {
    std::vector<Pattern> patterns(static_cast<std::size_t>(matrix.GetCols()), 0);
    for (int p = 0; p < matrix.GetRows(); ++p) {
        const std::uint8_t* row = matrix.RowData(p);
        for (std::size_t j = 0; j < patterns.size(); ++j)
            if (row[j] != 0)
                patterns[j] = static_cast<Pattern>(patterns[j] | (1u << p));
    }
    return patterns;
}

void StoreColumnPatterns(const std::vector<Pattern>& patterns, CMatrix& matrix) {
    for (int p = 0; p < matrix.GetRows(); ++p) {
        std::uint8_t* row = matrix.RowData(p);
        for (std::size_t j = 0; j < patterns.size(); ++j)
            row[j] = static_cast<std::uint8_t>((patterns[j] >> p) & 1);
    }
}

void StorePixelPatterns(const Pattern* patterns, int count, int x0, int row, ShareSet& shares) {
    for (std::size_t p = 0; p < shares.size(); ++p) {
        std::uint8_t* out = shares[p].Row(row) + x0 / 8;
        int i = 0;
        for (; i + 8 <= count; i += 8) {
            unsigned byte = 0;
            for (int k = 0; k < 8; ++k)
                byte = (byte << 1) | ((~static_cast<unsigned>(patterns[i + k]) >> p) & 1u);
            *out++ = static_cast<std::uint8_t>(byte);
        }
        if (i < count) {
            unsigned byte = 0;
            for (int k = 0; k < 8; ++k)
                byte = (byte << 1) |
                       (i + k < count ? (~static_cast<unsigned>(patterns[i + k]) >> p) & 1u : 0u);
            *out = static_cast<std::uint8_t>(byte);
        }
    }
}

} // namespace lumisplit
