#pragma once
// Builds small BMP files byte by byte, so a test can state exactly what lies
// where in the file, including the odd layouts that a reader must cope with.

#include <cstdint>
#include <string>
#include <vector>

namespace lumisplit::test {

struct BmpFixture {
    int bits = 1;
    std::int32_t width = 8;
    std::int32_t height = 1; // negative: rows stored top down
    std::uint32_t infoSize = 40;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 0;
    int paletteEntries = -1; // entries actually written; -1: as many as the header implies
    std::uint32_t gap = 0;   // bytes between the colour table and the pixels
    std::vector<std::uint32_t> palette; // BGRA words; missing entries are 0
    // Stored rows, first stored first, each without padding; missing bytes are 0.
    std::vector<std::vector<std::uint8_t>> rows;
    // When set, bfOffBits instead of the real start of the pixels.
    bool forceOffBits = false;
    std::uint32_t offBits = 0;
};

inline void Put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline std::vector<std::uint8_t> MakeBmp(const BmpFixture& f) {
    const std::uint64_t absHeight = f.height < 0 ? -static_cast<std::int64_t>(f.height) : f.height;
    const std::uint64_t stride = (static_cast<std::uint64_t>(f.width) * f.bits + 31) / 32 * 4;
    const std::uint32_t entries = f.paletteEntries >= 0
                                      ? static_cast<std::uint32_t>(f.paletteEntries)
                                  : f.clrUsed != 0 ? f.clrUsed
                                  : f.bits >= 24   ? 0
                                                   : 1u << f.bits;
    const std::uint32_t dataAt = 14 + f.infoSize + 4 * entries + f.gap;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put(out, dataAt + stride * absHeight, 4);
    Put(out, 0, 4);
    Put(out, f.forceOffBits ? f.offBits : dataAt, 4);
    Put(out, f.infoSize, 4);
    Put(out, static_cast<std::uint32_t>(f.width), 4);
    Put(out, static_cast<std::uint32_t>(f.height), 4);
    Put(out, 1, 2);
    Put(out, static_cast<std::uint32_t>(f.bits), 2);
    Put(out, f.compression, 4);
    Put(out, stride * absHeight, 4);
    Put(out, 2835, 4);
    Put(out, 2835, 4);
    Put(out, f.clrUsed, 4);
    Put(out, 0, 4);
    out.resize(14 + f.infoSize, 0xEE); // extra header bytes must be skipped
    for (std::uint32_t i = 0; i < entries; ++i)
        Put(out, i < f.palette.size() ? f.palette[i] : 0, 4);
    out.resize(out.size() + f.gap, 0xAA); // a gap's bytes must not be taken as pixels
    for (std::uint64_t r = 0; r < absHeight; ++r) {
        for (std::uint64_t b = 0; b < stride; ++b)
            out.push_back(r < f.rows.size() && b < f.rows[r].size() ? f.rows[r][b] : 0);
    }
    return out;
}

// What a refused read of `file` reports: the fixed message itself when
// `reason` is one (it starts with "ERROR"), else the reason after
// "ERROR: Cannot read <file>: ".
inline std::string RefusalMessage(const std::string& file, const std::string& reason) {
    return reason.rfind("ERROR", 0) == 0 ? reason : "ERROR: Cannot read " + file + ": " + reason;
}

} // namespace lumisplit::test
