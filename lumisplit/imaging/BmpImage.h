#pragma once
// CBmpImage: an uncompressed BMP file bound to its name, read and written by
// our own code, with pixels seen only as black or white.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace lumisplit {

struct RgbQuad {
    std::uint8_t blue = 0, green = 0, red = 0, reserved = 0;
};

class CBmpImage {
public:
    CBmpImage();                                       // named "test.bmp"
    explicit CBmpImage(std::string name);              // the caller follows with Read()
    CBmpImage(std::string name, int height, int width); // blank 1-bit image, all black
    virtual ~CBmpImage();
    CBmpImage(const CBmpImage&) = delete; // pixel buffers can be large: move them
    CBmpImage& operator=(const CBmpImage&) = delete;
    CBmpImage(CBmpImage&&) noexcept;
    CBmpImage& operator=(CBmpImage&&) noexcept;

    // Both report failures through Report() and answer whether they succeeded.
    bool Read();
    bool Write();

    // 'b' or 'w'. Out of range, or without pixels: 'w', nothing touched.
    char GetPixelBW(int row, int column) const;
    // flag != 0: black. Out of range, or without pixels: nothing happens.
    void SetPixelBW(int row, int column, int flag);

    bool HasPixels() const { return m_pPixels != nullptr; }
    int Width() const;  // 0 without pixels
    int Height() const; // 0 without pixels
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
};

} // namespace lumisplit
