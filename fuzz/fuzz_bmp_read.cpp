// Feeds arbitrary bytes to the BMP reader, then exercises what a caller does
// with a picture it accepted: pixel access, inside and just outside it.

#include "imaging/BmpImage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumisplit::CBmpImage image("fuzz.bmp");
    const bool ok = image.ReadBytes(std::span<const std::uint8_t>(data, size));
    if (ok != image.HasPixels())
        std::abort(); // a successful read has pixels, a refused one none
    if (!ok)
        return 0;
    // Accepted pictures are at most 1 GiB but may be wide; touch a bounded sample.
    const int height = image.Height();
    const int width = image.Width();
    for (int r = 0; r < height && r < 64; ++r)
        for (int c = 0; c < width && c < 256; ++c) {
            const int flag = (r + c) & 1;
            image.SetPixelBW(r, c, flag);
            if (image.GetPixelBW(r, c) != (flag ? 'b' : 'w'))
                std::abort(); // what was set reads back, at every depth
        }
    // One past every edge must read white and write nothing.
    if (image.GetPixelBW(height, 0) != 'w' || image.GetPixelBW(0, width) != 'w' ||
        image.GetPixelBW(-1, 0) != 'w')
        std::abort();
    image.SetPixelBW(height, width, 1);
    return 0;
}
