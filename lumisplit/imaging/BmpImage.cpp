#include "imaging/BmpImage.h"

#include "imaging/Report.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace lumisplit {

namespace detail {

// Where Read() takes its bytes from: a file or a block of memory, read in a
// few large pieces at known offsets.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Copies exactly `length` bytes from `offset`; false when that fails.
    virtual bool ReadAt(std::uint64_t offset, void* into, std::size_t length) = 0;
};

} // namespace detail

namespace {

constexpr std::uint64_t kFileHeaderBytes = 14;
constexpr std::uint64_t kInfoHeaderBytes = 40;
constexpr std::uint64_t kHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes;
constexpr std::uint16_t kSignature = 0x4D42; // "BM"

bool SupportedDepth(std::uint32_t bits) {
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 24;
}

// Colour-table entries: biClrUsed, or the default for the depth (none at 24).
// Only called for supported depths.
std::uint64_t PaletteLength(std::uint32_t clrUsed, std::uint32_t bits) {
    if (clrUsed != 0)
        return clrUsed;
    return bits == 24 ? 0 : std::uint64_t{1} << bits;
}

// 64-bit throughout: width and depth come from the file and must not wrap.
std::uint64_t StrideFor(std::uint64_t width, std::uint64_t bits) {
    return (width * bits + 31) / 32 * 4;
}

// Bytes one pixel touches: 3 at 24 bits, else 1.
unsigned PixelBytes(std::uint32_t bits) {
    return bits == 24 ? 3 : 1;
}

// Where a pixel's value lies in each byte it touches: (byte >> shift) & mask.
// Below 8 bits the leftmost pixel holds the most significant bits.
struct PixelBits {
    unsigned shift, mask;
};
PixelBits BitsOf(std::uint32_t bits, int column) {
    if (bits >= 8)
        return {0, 0xFFu};
    const auto used = static_cast<unsigned>(static_cast<std::uint64_t>(column) * bits % 8);
    return {8 - bits - used, (1u << bits) - 1};
}

std::uint16_t Get16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t Get32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void Put16(std::uint8_t*& p, std::uint16_t v) {
    *p++ = static_cast<std::uint8_t>(v);
    *p++ = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t*& p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        *p++ = static_cast<std::uint8_t>(v >> (8 * i));
}

// Closes a descriptor on every path out.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    bool Close() { return m_fd < 0 || ::close(std::exchange(m_fd, -1)) == 0; }

private:
    int m_fd;
};

class FileSource final : public detail::ByteSource {
public:
    FileSource(int fd, std::uint64_t size) : m_fd(fd), m_size(size) {}
    std::uint64_t Size() const override { return m_size; }
    bool ReadAt(std::uint64_t offset, void* into, std::size_t length) override {
        auto* p = static_cast<std::uint8_t*>(into);
        while (length > 0) {
            const ssize_t n = ::pread(m_fd, p, std::min<std::size_t>(length, 1u << 30),
                                      static_cast<off_t>(offset));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            p += n;
            offset += static_cast<std::uint64_t>(n);
            length -= static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int m_fd;
    std::uint64_t m_size;
};

class MemorySource final : public detail::ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::uint64_t Size() const override { return m_bytes.size(); }
    bool ReadAt(std::uint64_t offset, void* into, std::size_t length) override {
        if (offset > m_bytes.size() || length > m_bytes.size() - offset)
            return false;
        if (length > 0)
            std::memcpy(into, m_bytes.data() + offset, length);
        return true;
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

bool WriteAll(int fd, const std::uint8_t* data, std::size_t length) {
    while (length > 0) {
        const ssize_t n = ::write(fd, data, std::min<std::size_t>(length, 1u << 30));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

// A name beside the target that no other writer in this or another process uses.
std::string TemporaryNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

std::unique_ptr<std::uint8_t[]> Allocate(std::uint64_t length, bool zeroed) {
    if (length > CBmpImage::kMaxPixelBytes)
        return nullptr;
    const auto n = static_cast<std::size_t>(length);
    return std::unique_ptr<std::uint8_t[]>(zeroed ? new (std::nothrow) std::uint8_t[n]()
                                                  : new (std::nothrow) std::uint8_t[n]);
}

} // namespace

CBmpImage::CBmpImage() : m_strFileName("test.bmp") {}

CBmpImage::CBmpImage(std::string name) : m_strFileName(std::move(name)) {}

CBmpImage::CBmpImage(std::string name, int height, int width) : m_strFileName(std::move(name)) {
    bfOffBits = kHeaderBytes + 8;
    bfSize = bfOffBits;
    biBitCount = 1;
    m_palette[1] = RgbQuad{255, 255, 255, 0};
    const bool negative = height < 0 || width < 0;
    const std::uint64_t length =
        negative ? 0 : StrideFor(width, 1) * static_cast<std::uint64_t>(height);
    if (negative || !(m_pPixels = Allocate(length, true))) {
        // Width and height 0, so callers that loop over them do nothing.
        Report("ERROR: Can't allocate memory for image!");
        return;
    }
    m_nPixelBytes = static_cast<std::size_t>(length);
    if (length == 0)
        return; // no pixels at all: width and height 0
    biWidth = static_cast<std::uint32_t>(width);
    biHeight = static_cast<std::uint32_t>(height);
    biSizeImage = static_cast<std::uint32_t>(length);
    bfSize = bfOffBits + biSizeImage;
}

CBmpImage::~CBmpImage() = default;
CBmpImage::CBmpImage(CBmpImage&&) noexcept = default;
CBmpImage& CBmpImage::operator=(CBmpImage&&) noexcept = default;

void CBmpImage::ResetToDefault() {
    std::string name = std::move(m_strFileName);
    *this = CBmpImage(std::move(name));
}

bool CBmpImage::Read() {
    Fd fd(::open(m_strFileName.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        Report("ERROR: Cannot open " + m_strFileName);
        return false;
    }
    FileSource source(fd.get(), static_cast<std::uint64_t>(st.st_size));
    return ReadFrom(source);
}

bool CBmpImage::ReadBytes(std::span<const std::uint8_t> bytes) {
    MemorySource source(bytes);
    return ReadFrom(source);
}

bool CBmpImage::ReadFrom(detail::ByteSource& source) {
    auto fail = [this](const std::string& message) {
        Report(message);
        ResetToDefault();
        return false;
    };
    auto refuse = [&](const std::string& reason) {
        return fail("ERROR: Cannot read " + m_strFileName + ": " + reason);
    };

    const std::uint64_t size = source.Size();
    std::uint8_t head[kHeaderBytes] = {};
    if (!source.ReadAt(0, head, std::min(size, kHeaderBytes)))
        return refuse("the file cannot be read");
    if (size < 2 || Get16(head) != kSignature)
        return refuse("not a BMP file (it does not start with \"BM\")");
    if (size < kHeaderBytes)
        return refuse("the file is shorter than its headers");

    const std::uint32_t infoSize = Get32(head + 14);
    const auto width = static_cast<std::int32_t>(Get32(head + 18));
    const auto height = static_cast<std::int32_t>(Get32(head + 22));
    const std::uint16_t bits = Get16(head + 28);
    const std::uint32_t compression = Get32(head + 30);
    const std::uint32_t clrUsed = Get32(head + 46);
    const std::uint32_t offBits = Get32(head + 10);

    if (infoSize < kInfoHeaderBytes)
        return refuse("its info header of " + std::to_string(infoSize) +
                      " bytes is not supported (40 or more expected)");
    if (kFileHeaderBytes + infoSize > size)
        return refuse("the file is shorter than its headers");
    if (!SupportedDepth(bits))
        return refuse(std::to_string(bits) +
                      " bits per pixel is not supported (1, 2, 4, 8 or 24 expected)");
    if (compression != 0)
        return refuse("compressed pixel data (compression " + std::to_string(compression) +
                      ") is not supported");
    const std::uint64_t paletteLength = PaletteLength(clrUsed, bits);
    if (paletteLength > m_palette.size())
        return refuse("its colour table of " + std::to_string(paletteLength) +
                      " entries is too large (256 at most)");
    if (width < 0)
        return refuse("its width " + std::to_string(width) + " is negative");
    // A negative height means rows stored top down; we keep them bottom up.
    const bool topDown = height < 0;
    std::uint64_t rows = topDown ? -static_cast<std::int64_t>(height) : height;
    std::uint64_t columns = static_cast<std::uint64_t>(width);
    // No pixels at all: keep callers from looping over 2^31 empty rows.
    if (rows == 0 || columns == 0)
        rows = columns = 0;
    const std::uint64_t stride = StrideFor(columns, bits);
    // Cannot wrap: a stride stays under 2^33 (width < 2^31, 24 bits), rows <= 2^31.
    const std::uint64_t dataLength = stride * rows;
    if (dataLength > kMaxPixelBytes)
        return refuse("its " + std::to_string(width) + " x " + std::to_string(rows) +
                      " pixels need more than 1 GiB of memory");

    const std::uint64_t paletteAt = kFileHeaderBytes + infoSize;
    const std::uint64_t paletteEnd = paletteAt + 4 * paletteLength;
    std::uint8_t palette[4 * 256];
    if (paletteEnd > size || !source.ReadAt(paletteAt, palette, 4 * paletteLength))
        return fail("ERROR: Can't read bitmap's color palette!");
    // An offset inside the headers or the table is wrong; one after it leaves a gap.
    if (offBits > size)
        return refuse("its pixel data offset " + std::to_string(offBits) +
                      " lies beyond the end of the file");
    const std::uint64_t dataAt = std::max<std::uint64_t>(offBits, paletteEnd);
    if (dataLength > size - std::min(size, dataAt))
        return fail("ERROR: Can't read in image!");

    auto pixels = Allocate(dataLength, false);
    if (!pixels)
        return fail("ERROR: Can't allocate memory for image!");
    if (!source.ReadAt(dataAt, pixels.get(), static_cast<std::size_t>(dataLength)))
        return fail("ERROR: Can't read in image!");
    if (topDown && rows > 1) {
        for (std::uint64_t low = 0, high = rows - 1; low < high; ++low, --high)
            std::swap_ranges(pixels.get() + low * stride, pixels.get() + (low + 1) * stride,
                             pixels.get() + high * stride);
    }

    bfType = kSignature;
    bfSize = Get32(head + 2);
    bfReserved1 = Get16(head + 6);
    bfReserved2 = Get16(head + 8);
    bfOffBits = offBits;
    biSize = infoSize;
    biWidth = static_cast<std::uint32_t>(columns);
    biHeight = static_cast<std::uint32_t>(rows);
    biPlanes = Get16(head + 26);
    biBitCount = bits;
    biCompression = compression;
    biSizeImage = Get32(head + 34);
    biXPelsPerMeter = static_cast<std::int32_t>(Get32(head + 38));
    biYPelsPerMeter = static_cast<std::int32_t>(Get32(head + 42));
    biClrUsed = clrUsed;
    biClrImportant = Get32(head + 50);
    // Entries past the file's table keep what they held.
    for (std::uint64_t i = 0; i < paletteLength; ++i)
        m_palette[i] =
            RgbQuad{palette[4 * i], palette[4 * i + 1], palette[4 * i + 2], palette[4 * i + 3]};
    m_pPixels = std::move(pixels);
    m_nPixelBytes = static_cast<std::size_t>(dataLength);
    return true;
}

bool CBmpImage::Write() {
    auto refuse = [this](const std::string& reason) {
        Report("ERROR: Can't write " + m_strFileName + ": " + reason);
        return false;
    };
    if (!SupportedDepth(biBitCount))
        return refuse(std::to_string(biBitCount) + " bits per pixel is not supported");
    const std::uint64_t paletteLength = PaletteLength(biClrUsed, biBitCount);
    if (paletteLength > m_palette.size())
        return refuse("its colour table of " + std::to_string(paletteLength) +
                      " entries is too large (256 at most)");
    const std::uint64_t stride = StrideFor(biWidth, biBitCount);
    if (!HasPixels() && stride != 0 && biHeight != 0)
        return refuse("the image has no pixels");
    if (HasPixels() && biHeight != 0 && stride > m_nPixelBytes / biHeight)
        return refuse("its pixels do not match its width and height");
    const std::uint64_t dataLength = HasPixels() ? stride * biHeight : 0;

    // The header always describes exactly what follows it.
    bfType = kSignature;
    bfOffBits = static_cast<std::uint32_t>(kHeaderBytes + 4 * paletteLength);
    bfSize = static_cast<std::uint32_t>(bfOffBits + dataLength);
    biSize = kInfoHeaderBytes;
    biPlanes = 1;
    biCompression = 0;
    biSizeImage = static_cast<std::uint32_t>(dataLength);

    std::uint8_t header[kHeaderBytes];
    std::uint8_t* p = header;
    Put16(p, bfType);
    Put32(p, bfSize);
    Put16(p, bfReserved1);
    Put16(p, bfReserved2);
    Put32(p, bfOffBits);
    Put32(p, biSize);
    Put32(p, biWidth);
    Put32(p, biHeight);
    Put16(p, biPlanes);
    Put16(p, biBitCount);
    Put32(p, biCompression);
    Put32(p, biSizeImage);
    Put32(p, static_cast<std::uint32_t>(biXPelsPerMeter));
    Put32(p, static_cast<std::uint32_t>(biYPelsPerMeter));
    Put32(p, biClrUsed);
    Put32(p, biClrImportant);
    std::uint8_t palette[4 * 256];
    for (std::uint64_t i = 0; i < paletteLength; ++i) {
        palette[4 * i] = m_palette[i].blue;
        palette[4 * i + 1] = m_palette[i].green;
        palette[4 * i + 2] = m_palette[i].red;
        palette[4 * i + 3] = m_palette[i].reserved;
    }

    const std::string temporary = TemporaryNameFor(m_strFileName);
    Fd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        Report("ERROR: Can't open " + m_strFileName);
        return false;
    }
    // Nothing half-written is left behind: the temporary goes on any failure.
    auto abandon = [&](const std::string& message) {
        Report(message);
        fd.Close();
        ::unlink(temporary.c_str());
        return false;
    };
    if (!WriteAll(fd.get(), header, sizeof header))
        return abandon("ERROR: Can't write image!");
    if (!WriteAll(fd.get(), palette, static_cast<std::size_t>(4 * paletteLength)))
        return abandon("ERROR: Can't write bitmap's color palette!");
    if (!WriteAll(fd.get(), m_pPixels.get(), static_cast<std::size_t>(dataLength)) || !fd.Close())
        return abandon("ERROR: Can't write image!");
    if (::rename(temporary.c_str(), m_strFileName.c_str()) != 0)
        return abandon("ERROR: Can't open " + m_strFileName);
    return true;
}

std::size_t CBmpImage::Stride() const {
    return static_cast<std::size_t>(StrideFor(biWidth, biBitCount));
}

int CBmpImage::Width() const {
    return HasPixels() ? static_cast<int>(biWidth) : 0;
}

int CBmpImage::Height() const {
    return HasPixels() ? static_cast<int>(biHeight) : 0;
}

std::ptrdiff_t CBmpImage::PixelOffset(int row, int column) const {
    if (!HasPixels() || !SupportedDepth(biBitCount) || row < 0 || column < 0 ||
        static_cast<std::uint32_t>(row) >= biHeight ||
        static_cast<std::uint32_t>(column) >= biWidth)
        return -1;
    const std::uint64_t offset = static_cast<std::uint64_t>(row) * Stride() +
                                 static_cast<std::uint64_t>(column) * biBitCount / 8;
    if (offset + PixelBytes(biBitCount) > m_nPixelBytes)
        return -1;
    return static_cast<std::ptrdiff_t>(offset);
}

char CBmpImage::GetPixelBW(int row, int column) const {
    const std::ptrdiff_t offset = PixelOffset(row, column);
    if (offset < 0)
        return 'w';
    const std::uint8_t* p = m_pPixels.get() + offset;
    const PixelBits bits = BitsOf(biBitCount, column);
    unsigned value = 0;
    for (unsigned i = 0; i < PixelBytes(biBitCount); ++i)
        value |= (p[i] >> bits.shift) & bits.mask;
    return value == 0 ? 'b' : 'w';
}

void CBmpImage::SetPixelBW(int row, int column, int flag) {
    const std::ptrdiff_t offset = PixelOffset(row, column);
    if (offset < 0)
        return;
    std::uint8_t* p = m_pPixels.get() + offset;
    const PixelBits bits = BitsOf(biBitCount, column);
    // Black is the lowest value the depth holds, white the highest.
    const unsigned field = bits.mask << bits.shift;
    for (unsigned i = 0; i < PixelBytes(biBitCount); ++i)
        p[i] = static_cast<std::uint8_t>((p[i] & ~field) | (flag == 0 ? field : 0u));
}

} // namespace lumisplit
