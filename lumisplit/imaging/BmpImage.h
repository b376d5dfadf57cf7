#pragma once
// CBmpImage: an uncompressed BMP file bound to its name, read and written by
// our own code, with pixels seen only as black or white.
//
// Black and white: value 0 is black and any other value is white, at every
// depth; the colour table is kept but never consulted. Row 0 is the first row
// stored in a bottom-up file, i.e. the bottom of the picture.
//
// Files that Read() accepts: signature "BM"; an info header of 40 bytes or
// more (extra bytes are skipped, the colour table follows them); 1, 2, 4, 8 or
// 24 bits per pixel; no compression; at most 256 colour-table entries; width
// >= 0; rows stored bottom up, or top down (negative height), which is turned
// into our bottom-up order; at most kMaxPixelBytes of pixel data. A picture
// with width or height 0 holds no pixels and is read as 0 x 0. The pixels
// start at bfOffBits when that lies at or after the end of the colour table,
// else right after the table. Everything else is refused with a message before
// any allocation.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace lumisplit {

namespace detail {
class ByteSource;
}

struct RgbQuad {
    std::uint8_t blue = 0, green = 0, red = 0, reserved = 0;
};

class CBmpImage {
public:
    // Largest pixel buffer we read or create: 1 GiB (stride x height). Enough
    // for a 90000 x 90000 1-bit picture, and it stops a forged header from
    // asking for absurd amounts of memory.
    static constexpr std::uint64_t kMaxPixelBytes = std::uint64_t{1} << 30;

    CBmpImage();                          // named "test.bmp"
    explicit CBmpImage(std::string name); // the caller follows with Read()
    // Blank 1-bit image, all black. Negative dimensions or a buffer over
    // kMaxPixelBytes are refused ("ERROR: Can't allocate memory for image!"):
    // then width and height are 0 and there are no pixels. A zero width or
    // height gives a 0 x 0 image (with an empty pixel buffer).
    CBmpImage(std::string name, int height, int width);
    virtual ~CBmpImage();
    CBmpImage(const CBmpImage&) = delete; // pixel buffers can be large: move them
    CBmpImage& operator=(const CBmpImage&) = delete;
    CBmpImage(CBmpImage&&) noexcept;
    CBmpImage& operator=(CBmpImage&&) noexcept;

    // Both report failures through Report() and answer whether they succeeded.
    //
    // Read: a file that cannot be opened leaves the image unchanged. Any later
    // failure (refused header, file cut short, no memory) leaves the image in
    // the default state under its name: no pixels, width and height 0.
    bool Read();
    // Read() from bytes already in memory, as if they were the file's content;
    // messages name m_strFileName.
    bool ReadBytes(std::span<const std::uint8_t> bytes);
    // Write: always a consistent file (40-byte info header, bfOffBits, bfSize,
    // biSizeImage and biClrUsed matching what is written; the header fields are
    // updated to match). Written to a temporary file in the same folder and
    // renamed over the target, so a failure never leaves a half-written file
    // in its place. An image without pixels is written only when it has no
    // pixel data to write (width or height 0).
    bool Write();

    // 'b' or 'w'. Out of range, or without pixels: 'w', nothing touched.
    char GetPixelBW(int row, int column) const;
    // flag != 0: black. Out of range, or without pixels: nothing happens.
    void SetPixelBW(int row, int column, int flag);

    bool HasPixels() const { return m_pPixels != nullptr; }
    int Width() const;  // 0 without pixels
    int Height() const; // 0 without pixels
    // Bytes per stored row: ceil(width x depth / 8) rounded up to a multiple of 4.
    std::size_t Stride() const;
    // Packed stored row r (row 0 is the first stored, the bottom of the picture).
    std::uint8_t* Row(int r) { return m_pPixels.get() + static_cast<std::size_t>(r) * Stride(); }
    const std::uint8_t* Row(int r) const {
        return m_pPixels.get() + static_cast<std::size_t>(r) * Stride();
    }

    std::string m_strFileName;

    // The header record, field by field as the BMP format names them.
    std::uint16_t bfType = 0x4D42;
    std::uint32_t bfSize = 54;
    std::uint16_t bfReserved1 = 0;
    std::uint16_t bfReserved2 = 0;
    std::uint32_t bfOffBits = 54;
    std::uint32_t biSize = 40;
    std::uint32_t biWidth = 0;
    std::uint32_t biHeight = 0;
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;

    std::unique_ptr<std::uint8_t[]> m_pPixels;
    std::array<RgbQuad, 256> m_palette{};

private:
    bool ReadFrom(detail::ByteSource& source);
    void ResetToDefault();
    // Offset of the byte holding pixel (row, column), or -1 when the pixel lies
    // outside the image or its buffer (the header fields are public, so the
    // buffer's real length is what guards memory).
    std::ptrdiff_t PixelOffset(int row, int column) const;

    std::size_t m_nPixelBytes = 0; // length of m_pPixels
};

} // namespace lumisplit
