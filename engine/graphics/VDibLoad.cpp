// Reading 8-bit BMP images (Windows 40-byte and OS/2 12-byte headers) into a VDib.
//
// The data is untrusted (skins are user files, scene files embed bitmaps), so every size is
// checked before it is used, nothing is read past the bytes the caller says the image may
// take, and pixel data is read in bounded pieces, so a small hostile file cannot make the
// reader allocate for the size it declares.

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "engine/graphics/VDib.h"
#include "engine/stream/VException.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kWindowsHeaderSize = 40;
constexpr uint32_t kOs2HeaderSize = 12;
constexpr size_t kReadPiece = size_t(1) << 20;

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// Reads from the stream, counting, never past `available` bytes (when known).
class VBoundedReader {
public:
    VBoundedReader(std::istream& stream, int64_t available) : stream_(stream), available_(available) {}

    int64_t Consumed() const { return consumed_; }

    // False when the stream or the allowance ends first.
    bool Read(void* out, size_t count)
    {
        if (!Allows(count))
            return false;
        stream_.read(static_cast<char*>(out), std::streamsize(count));
        consumed_ += stream_.gcount();
        return size_t(stream_.gcount()) == count;
    }

    bool Skip(int64_t count)
    {
        if (!Allows(uint64_t(count)))
            return false;
        while (count > 0) {
            std::streamsize piece = std::streamsize(std::min<int64_t>(count, INT_MAX));
            stream_.ignore(piece);
            consumed_ += stream_.gcount();
            if (stream_.gcount() != piece)
                return false;
            count -= piece;
        }
        return true;
    }

    // Reads `count` bytes in pieces, so storage grows only as data actually arrives.
    bool ReadInPieces(std::vector<uint8_t>& out, size_t count)
    {
        if (!Allows(count))
            return false;
        out.clear();
        while (out.size() < count) {
            size_t piece = std::min(kReadPiece, count - out.size());
            size_t start = out.size();
            out.resize(start + piece);
            if (!Read(out.data() + start, piece))
                return false;
        }
        return true;
    }

    bool Allows(uint64_t count) const
    {
        return available_ < 0 || count <= uint64_t(available_ - consumed_);
    }

private:
    std::istream& stream_;
    int64_t available_;
    int64_t consumed_ = 0;
};

[[noreturn]] void Truncated()
{
    throw VException("Bitmap data is truncated");
}

}  // namespace

void VDib::LoadFromStream(std::istream& stream, int& length, int64_t available)
{
    VBoundedReader reader(stream, available);
    uint8_t fileHeader[kFileHeaderSize] = {};
    if (!reader.Read(fileHeader, sizeof(fileHeader)) || U16(fileHeader) != 0x4D42)
        throw VException("Not a bitmap file");
    const uint32_t pixelOffset = U32(fileHeader + 10);

    // From here on a failure leaves the bitmap empty rather than half made.
    DeletePaletteHandle();
    hasPalette_ = false;
    ReleaseAll();

    VDibInfo info;
    std::memcpy(info.colors, info_.colors, sizeof(info.colors));
    std::vector<uint8_t> pixels;
    try {
        uint8_t header[kWindowsHeaderSize] = {};
        if (!reader.Read(header, 4))
            Truncated();
        const uint32_t headerSize = U32(header);
        bool os2 = false;
        if (headerSize == kWindowsHeaderSize) {
            if (!reader.Read(header + 4, kWindowsHeaderSize - 4))
                Truncated();
            VDibHeader& h = info.header;
            h.size = kWindowsHeaderSize;
            h.width = int32_t(U32(header + 4));
            h.height = int32_t(U32(header + 8));
            h.planes = U16(header + 12);
            h.bitCount = U16(header + 14);
            h.compression = U32(header + 16);
            h.sizeImage = U32(header + 20);
            h.xPelsPerMeter = int32_t(U32(header + 24));
            h.yPelsPerMeter = int32_t(U32(header + 28));
            h.clrUsed = U32(header + 32);
            h.clrImportant = U32(header + 36);
        } else if (headerSize == kOs2HeaderSize) {
            if (!reader.Read(header + 4, kOs2HeaderSize - 4))
                Truncated();
            os2 = true;
            VDibHeader& h = info.header;
            h = VDibHeader();
            h.width = U16(header + 4);
            h.height = U16(header + 6);
            h.planes = U16(header + 8);
            h.bitCount = U16(header + 10);
            h.compression = 0;
            h.sizeImage = 0;
            h.xPelsPerMeter = 0;
            h.yPelsPerMeter = 0;
            h.clrUsed = 0;
            h.clrImportant = 0;
        } else {
            throw VException(" File is not Windows or PM DIB format");
        }

        VDibHeader& h = info.header;
        if (h.bitCount != 8 || h.compression != 0)
            throw VException("Only 8 bit DIBs are supported");
        if (h.height < 0)
            throw VException("Top-down bitmaps are not supported");
        if (h.width <= 0 || h.height <= 0 || h.width > kMaxDibSide || h.height > kMaxDibSide)
            throw VException("Bitmap size " + std::to_string(h.width) + " x " +
                             std::to_string(h.height) + " is not supported (1 to " +
                             std::to_string(kMaxDibSide) + " pixels per side)");
        if (h.clrUsed > uint32_t(kPaletteSize))
            throw VException("Bitmap palette has " + std::to_string(h.clrUsed) +
                             " colours, more than 256");
        const int entries = h.clrUsed == 0 ? kPaletteSize : int(h.clrUsed);
        h.clrUsed = kPaletteSize;

        if (os2) {
            uint8_t triples[3 * kPaletteSize];
            if (!reader.Read(triples, size_t(3 * entries)))
                Truncated();
            for (int i = 0; i < entries; ++i)
                info.colors[i] = VPaletteEntry{triples[3 * i], triples[3 * i + 1], triples[3 * i + 2], 0};
        } else {
            if (!reader.Read(info.colors, size_t(4 * entries)))
                Truncated();
        }

        const int64_t imageSize = int64_t(DibStride(h.width)) * h.height;
        if (int64_t(pixelOffset) < reader.Consumed())
            throw VException("Bitmap pixel offset points into its header or palette");
        if (int64_t(pixelOffset) + imageSize > INT_MAX)
            throw VException("Bitmap pixel offset is out of range");
        if (!reader.Allows(uint64_t(pixelOffset - reader.Consumed() + imageSize)))
            Truncated();
        if (!reader.Skip(int64_t(pixelOffset) - reader.Consumed()))
            Truncated();
        if (!reader.ReadInPieces(pixels, size_t(imageSize)))
            Truncated();
        h.sizeImage = uint32_t(imageSize);
        length = int(int64_t(pixelOffset) + imageSize);
    } catch (...) {
        ClearToEmpty();
        throw;
    }

    // The image is whole: only now does the bitmap take its size.
    Create(info.header.width, info.header.height);
    info_ = info;
    std::memcpy(section_.bits, pixels.data(), pixels.size());
    hasPalette_ = true;
    PixelsChanged();
}
