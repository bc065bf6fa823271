#include "platform/sdl/VIndexedConverter.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

void VIndexedConverter::SetPalette(const VPaletteEntry* entries)
{
    for (int i = 0; i < kPaletteSize; ++i) {
        table_[i] = 0xFF000000u | (uint32_t(entries[i].red) << 16) |
                    (uint32_t(entries[i].green) << 8) | uint32_t(entries[i].blue);
        lanes_[i] = (uint64_t(entries[i].red) << 32) | (uint64_t(entries[i].green) << 16) |
                    uint64_t(entries[i].blue);
    }
}

namespace {

// One row through the table. The frame is written once and read by the display, not by us:
// where the processor has them, stores that bypass the cache save reading every line first.
inline void ConvertRow(const uint32_t* table, const uint8_t* row, uint32_t* target, int width)
{
    int x = 0;
#ifdef __SSE2__
    while (x < width && (reinterpret_cast<uintptr_t>(target + x) & 15) != 0) {
        target[x] = table[row[x]];
        ++x;
    }
    for (; x + 4 <= width; x += 4) {
        const __m128i four = _mm_set_epi32(int(table[row[x + 3]]), int(table[row[x + 2]]),
                                           int(table[row[x + 1]]), int(table[row[x]]));
        _mm_stream_si128(reinterpret_cast<__m128i*>(target + x), four);
    }
#else
    // Four at a time: the table look-ups are independent, which the compiler overlaps.
    for (; x + 4 <= width; x += 4) {
        target[x] = table[row[x]];
        target[x + 1] = table[row[x + 1]];
        target[x + 2] = table[row[x + 2]];
        target[x + 3] = table[row[x + 3]];
    }
#endif
    for (; x < width; ++x)
        target[x] = table[row[x]];
}

// One output row from a source row through a column map, stored as ConvertRow stores.
inline void ConvertMappedRow(const uint32_t* table, const uint8_t* row, const int* columns,
                             uint32_t* target, int width)
{
    int x = 0;
#ifdef __SSE2__
    while (x < width && (reinterpret_cast<uintptr_t>(target + x) & 15) != 0) {
        target[x] = table[row[columns[x]]];
        ++x;
    }
    for (; x + 4 <= width; x += 4) {
        const __m128i four = _mm_set_epi32(
            int(table[row[columns[x + 3]]]), int(table[row[columns[x + 2]]]),
            int(table[row[columns[x + 1]]]), int(table[row[columns[x]]]));
        _mm_stream_si128(reinterpret_cast<__m128i*>(target + x), four);
    }
#endif
    for (; x < width; ++x)
        target[x] = table[row[columns[x]]];
}

inline void FinishRows()
{
#ifdef __SSE2__
    _mm_sfence();  // the bypassing stores are seen before the frame is handed on
#endif
}

}  // namespace

void VIndexedConverter::Convert(const VDib& dib, uint32_t* destination, int pitch) const
{
    const int width = dib.GetWidth();
    const int height = dib.GetHeight();
    const int stride = DibStride(width);
    const uint8_t* bits = dib.GetBits();
    if (!bits)
        return;
    auto* out = reinterpret_cast<uint8_t*>(destination);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = bits + static_cast<int64_t>(height - 1 - y) * stride;
        ConvertRow(table_, row, reinterpret_cast<uint32_t*>(out + static_cast<int64_t>(y) * pitch), width);
    }
    FinishRows();
}

void VIndexedConverter::ConvertScaled(const VDib& dib, uint32_t* destination, int pitch,
                                      int outWidth, int outHeight)
{
    const int width = dib.GetWidth();
    const int height = dib.GetHeight();
    const uint8_t* bits = dib.GetBits();
    if (!bits || width <= 0 || height <= 0 || outWidth <= 0 || outHeight <= 0)
        return;
    if (outWidth == width && outHeight == height) {
        Convert(dib, destination, pitch);
        return;
    }
    // Each output pixel takes the source pixel under its centre.
    if (int(columns_.size()) != outWidth || columnsFrom_ != width) {
        columns_.resize(size_t(outWidth));
        for (int x = 0; x < outWidth; ++x)
            columns_[size_t(x)] = int((int64_t(2 * x + 1) * width) / (2 * int64_t(outWidth)));
        columnsFrom_ = width;
    }
    const int stride = DibStride(width);
    auto* out = reinterpret_cast<uint8_t*>(destination);
    for (int y = 0; y < outHeight; ++y) {
        // A repeated row is converted again: its first copy has gone past the cache.
        const int sourceY = int((int64_t(2 * y + 1) * height) / (2 * int64_t(outHeight)));
        const uint8_t* row = bits + static_cast<int64_t>(height - 1 - sourceY) * stride;
        ConvertMappedRow(table_, row, columns_.data(),
                         reinterpret_cast<uint32_t*>(out + static_cast<int64_t>(y) * pitch), outWidth);
    }
    FinishRows();
}

void VIndexedConverter::Reduce4(const VDib& dib, uint32_t* destination, int pitch) const
{
    const int width = dib.GetWidth() / 4;
    const int height = dib.GetHeight() / 4;
    const int rows = dib.GetHeight();
    const int stride = DibStride(dib.GetWidth());
    const uint8_t* bits = dib.GetBits();
    if (!bits)
        return;
    auto* out = reinterpret_cast<uint8_t*>(destination);
    for (int y = 0; y < height; ++y) {
        auto* target = reinterpret_cast<uint32_t*>(out + static_cast<int64_t>(y) * pitch);
        const uint8_t* lines[4];
        for (int k = 0; k < 4; ++k)
            lines[k] = bits + static_cast<int64_t>(rows - 1 - (4 * y + k)) * stride;
        for (int x = 0; x < width; ++x) {
            // At most 16 x 255 per lane: no carry reaches the next one.
            uint64_t sum = 0;
            for (const uint8_t* line : lines) {
                const uint8_t* p = line + 4 * x;
                sum += lanes_[p[0]] + lanes_[p[1]] + lanes_[p[2]] + lanes_[p[3]];
            }
            sum += (uint64_t(8) << 32) | (uint64_t(8) << 16) | 8;
            const uint32_t red = uint32_t(sum >> 36) & 0xFF;
            const uint32_t green = uint32_t(sum >> 20) & 0xFF;
            const uint32_t blue = uint32_t(sum >> 4) & 0xFF;
            target[x] = 0xFF000000u | (red << 16) | (green << 8) | blue;
        }
    }
}
