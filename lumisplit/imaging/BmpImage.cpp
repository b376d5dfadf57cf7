// Placeholder until the reader and writer land.
#include "imaging/BmpImage.h"

namespace lumisplit {

CBmpImage::CBmpImage() : m_strFileName("test.bmp") {}
CBmpImage::CBmpImage(std::string name) : m_strFileName(std::move(name)) {}
CBmpImage::CBmpImage(std::string name, int, int) : m_strFileName(std::move(name)) {}
CBmpImage::~CBmpImage() = default;
CBmpImage::CBmpImage(CBmpImage&&) noexcept = default;
CBmpImage& CBmpImage::operator=(CBmpImage&&) noexcept = default;
bool CBmpImage::Read() { return false; }
bool CBmpImage::Write() { return false; }
char CBmpImage::GetPixelBW(int, int) const { return 'w'; }
void CBmpImage::SetPixelBW(int, int, int) {}
int CBmpImage::Width() const { return 0; }
int CBmpImage::Height() const { return 0; }
std::size_t CBmpImage::Stride() const { return 0; }

} // namespace lumisplit
