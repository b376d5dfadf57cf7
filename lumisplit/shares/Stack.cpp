#include "shares/Stack.h"

#include "imaging/Report.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace lumisplit {

namespace {

constexpr int kRowsPerProgress = 256;

// Packs `width` pixels into bytes, most significant bit first, 1 for white.
template <typename IsWhite> void PackBits(int width, std::uint8_t* out, IsWhite isWhite) {
    for (int c0 = 0; c0 < width; c0 += 8) {
        const int n = std::min(8, width - c0);
        unsigned byte = 0;
        for (int k = 0; k < n; ++k)
            byte = (byte << 1) | (isWhite(c0 + k) ? 1u : 0u);
        out[c0 / 8] = static_cast<std::uint8_t>(byte << (8 - n));
    }
}

// Columns [0, width) of stored row r of `layer` as packed 1-bit values, most
// significant bit first: 1 white, 0 black, like a 1-bit row.
void PackRow(const CBmpImage& layer, int r, int width, std::uint8_t* out) {
    const std::uint8_t* in = layer.Row(r);
    switch (layer.biBitCount) {
    case 1:
        std::memcpy(out, in, (static_cast<std::size_t>(width) + 7) / 8);
        break;
    case 2:
        PackBits(width, out, [in](int c) { return (in[c >> 2] << (2 * (c & 3))) & 0xC0; });
        break;
    case 4:
        PackBits(width, out, [in](int c) { return (in[c >> 1] << (4 * (c & 1))) & 0xF0; });
        break;
    case 8:
        PackBits(width, out, [in](int c) { return in[c] != 0; });
        break;
    default:
        PackBits(width, out,
                 [in](int c) { return (in[3 * c] | in[3 * c + 1] | in[3 * c + 2]) != 0; });
        break;
    }
}

std::string Describe(std::size_t index, const CBmpImage* layer) {
    std::string text = "Layer " + std::to_string(index + 1);
    if (layer)
        text += " (" + layer->m_strFileName + ")";
    return text;
}

} // namespace

int StackedPixel(const std::vector<const CBmpImage*>& layers, int row, int column) {
    int black = 0;
    for (const CBmpImage* layer : layers)
        if (layer && layer->GetPixelBW(row, column) == 'b')
            black = 1;
    return black;
}

std::optional<CBmpImage> StackLayers(const std::vector<const CBmpImage*>& layers,
                                     const std::string& name, const Progress& progress) {
    if (layers.empty()) {
        Report("ERROR: There are no layers to stack.");
        return std::nullopt;
    }
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (!layers[i] || !layers[i]->HasPixels()) {
            Report("ERROR: " + Describe(i, layers[i]) + " cannot be read.");
            return std::nullopt;
        }
    const int width = layers[0]->Width();
    const int height = layers[0]->Height();
    for (std::size_t i = 1; i < layers.size(); ++i)
        if (layers[i]->Width() < width || layers[i]->Height() < height) {
            Report("ERROR: " + Describe(i, layers[i]) + " is smaller than the first layer (" +
                   std::to_string(layers[i]->Width()) + " x " +
                   std::to_string(layers[i]->Height()) + " against " + std::to_string(width) +
                   " x " + std::to_string(height) + ").");
            return std::nullopt;
        }

    CBmpImage result(name, height, width);
    if (!result.HasPixels())
        return std::nullopt; // the blank constructor has said why
    const std::size_t bytes = (static_cast<std::size_t>(width) + 7) / 8;
    // Bits past the last column stay 0, as in a blank image.
    const auto lastMask =
        static_cast<std::uint8_t>(width % 8 == 0 ? 0xFFu : 0xFFu << (8 - width % 8));
    std::vector<std::uint8_t> packed(bytes);
    for (int r = 0; r < height; ++r) {
        // Bit 0 is black, so a pixel is black in the stack when any layer has 0 there.
        std::uint8_t* out = result.Row(r);
        PackRow(*layers[0], r, width, out);
        for (std::size_t i = 1; i < layers.size(); ++i) {
            const std::uint8_t* in = layers[i]->Row(r);
            if (layers[i]->biBitCount != 1) {
                PackRow(*layers[i], r, width, packed.data());
                in = packed.data();
            }
            for (std::size_t b = 0; b < bytes; ++b)
                out[b] &= in[b];
        }
        if (bytes > 0)
            out[bytes - 1] &= lastMask;
        if (progress && ((r + 1) % kRowsPerProgress == 0 || r + 1 == height))
            progress(static_cast<std::uint64_t>(r) + 1, static_cast<std::uint64_t>(height));
    }
    return result;
}

} // namespace lumisplit
