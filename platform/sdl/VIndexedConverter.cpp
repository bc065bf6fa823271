#include "platform/sdl/VIndexedConverter.h"

#include <algorithm>

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

// A finished row copied to where it is shown, stored as ConvertRow stores.
inline void StreamRow(const uint32_t* source, uint32_t* target, int width)
{
    int x = 0;
#ifdef __SSE2__
    while (x < width && (reinterpret_cast<uintptr_t>(target + x) & 15) != 0) {
        target[x] = source[x];
        ++x;
    }
    for (; x + 4 <= width; x += 4)
        _mm_stream_si128(reinterpret_cast<__m128i*>(target + x),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x)));
#endif
    for (; x < width; ++x)
        target[x] = source[x];
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
    ConvertPart(dib, destination, pitch, outWidth, outHeight, VIntRect{0, 0, outWidth, outHeight},
                false);
}

void VIndexedConverter::MapColumns(int width, int outWidth)
{
    // Each output pixel takes the source pixel under its centre.
    if (int(columns_.size()) == outWidth && columnsFrom_ == width)
        return;
    columns_.resize(size_t(outWidth));
    for (int x = 0; x < outWidth; ++x)
        columns_[size_t(x)] = int((int64_t(2 * x + 1) * width) / (2 * int64_t(outWidth)));
    columnsFrom_ = width;
}

void VIndexedConverter::ConvertPart(const VDib& dib, uint32_t* destination, int pitch,
                                    int outWidth, int outHeight, const VIntRect& part, bool filtered)
{
    const int width = dib.GetWidth();
    const int height = dib.GetHeight();
    const uint8_t* bits = dib.GetBits();
    if (!bits || width <= 0 || height <= 0 || outWidth <= 0 || outHeight <= 0)
        return;
    const int left = std::max(0, part.x);
    const int top = std::max(0, part.y);
    const int right = std::min(outWidth, part.x + part.width);
    const int bottom = std::min(outHeight, part.y + part.height);
    if (right <= left || bottom <= top)
        return;
    // The part may have been cut at the picture's edges; `destination` is its asked-for corner.
    destination = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(destination) +
                                              int64_t(top - part.y) * pitch) + (left - part.x);
    const VIntRect clipped{left, top, right - left, bottom - top};
    const bool same = outWidth == width && outHeight == height;
    if (filtered && !same) {
        ConvertBlended(dib, destination, pitch, outWidth, outHeight, clipped);
        return;
    }
    const int k = outWidth / width;
    if (k >= 2 && outWidth == k * width && outHeight == k * height && left % k == 0 &&
        top % k == 0 && (right - left) % k == 0 && (bottom - top) % k == 0) {
        ConvertBlocks(dib, destination, pitch, k, clipped);
        return;
    }
    if (!same)
        MapColumns(width, outWidth);
    const int stride = DibStride(width);
    auto* out = reinterpret_cast<uint8_t*>(destination);
    for (int y = top; y < bottom; ++y) {
        // A repeated row is converted again: its first copy has gone past the cache.
        const int sourceY = same ? y : int((int64_t(2 * y + 1) * height) / (2 * int64_t(outHeight)));
        const uint8_t* row = bits + static_cast<int64_t>(height - 1 - sourceY) * stride;
        auto* target = reinterpret_cast<uint32_t*>(out + static_cast<int64_t>(y - top) * pitch);
        if (same)
            ConvertRow(table_, row + left, target, right - left);
        else
            ConvertMappedRow(table_, row, columns_.data() + left, target, right - left);
    }
    FinishRows();
}

void VIndexedConverter::ConvertBlocks(const VDib& dib, uint32_t* destination, int pitch, int k,
                                      const VIntRect& part)
{
    // Each bitmap pixel is looked up once and becomes a k x k block: one widened row, copied
    // to the k rows it covers.
    const int height = dib.GetHeight();
    const int stride = DibStride(dib.GetWidth());
    const uint8_t* bits = dib.GetBits();
    blockRow_.resize(size_t(part.width));
    auto* out = reinterpret_cast<uint8_t*>(destination);
    for (int sy = part.y / k; sy < (part.y + part.height) / k; ++sy) {
        const uint8_t* row = bits + static_cast<int64_t>(height - 1 - sy) * stride;
        uint32_t* wide = blockRow_.data();
        for (int sx = part.x / k; sx < (part.x + part.width) / k; ++sx) {
            const uint32_t colour = table_[row[sx]];
            for (int j = 0; j < k; ++j)
                *wide++ = colour;
        }
        for (int j = 0; j < k; ++j) {
            const int y = sy * k + j - part.y;
            StreamRow(blockRow_.data(), reinterpret_cast<uint32_t*>(out + int64_t(y) * pitch),
                      part.width);
        }
    }
    FinishRows();
}

namespace {

// (256 - weight) parts of `a` and `weight` parts of `b`, red and blue in one sum, green in
// another: no channel's sum reaches into the next.
inline uint32_t Blend(uint32_t a, uint32_t b, uint32_t weight)
{
    const uint32_t keep = 256 - weight;
    const uint32_t redBlue = (((a & 0xFF00FFu) * keep + (b & 0xFF00FFu) * weight) >> 8) & 0xFF00FFu;
    const uint32_t green = (((a & 0x00FF00u) * keep + (b & 0x00FF00u) * weight) >> 8) & 0x00FF00u;
    return 0xFF000000u | redBlue | green;
}

// Where output pixel `i` of `out` samples a source of `size`: the pixel left of (or above) its
// centre and the next one's weight in 256ths; both stay inside the source.
inline void BlendSpan(int i, int size, int out, int& first, uint32_t& weight)
{
    const double at = (i + 0.5) * size / out - 0.5;
    if (at <= 0) {
        first = 0;
        weight = 0;
        return;
    }
    first = int(at);
    if (first >= size - 1) {
        first = size - 1;
        weight = 0;
        return;
    }
    weight = uint32_t((at - first) * 256.0 + 0.5);
}

}  // namespace

void VIndexedConverter::MapBlendColumns(int width, int outWidth)
{
    if (int(blendColumns_.size()) == outWidth && blendFrom_ == width)
        return;
    blendColumns_.resize(size_t(outWidth));
    blendWeights_.resize(size_t(outWidth));
    for (int x = 0; x < outWidth; ++x)
        BlendSpan(x, width, outWidth, blendColumns_[size_t(x)], blendWeights_[size_t(x)]);
    blendFrom_ = width;
}

void VIndexedConverter::ConvertBlended(const VDib& dib, uint32_t* destination, int pitch,
                                       int outWidth, int outHeight, const VIntRect& part)
{
    const int width = dib.GetWidth();
    const int height = dib.GetHeight();
    const int stride = DibStride(width);
    const uint8_t* bits = dib.GetBits();
    MapBlendColumns(width, outWidth);
    auto* out = reinterpret_cast<uint8_t*>(destination);
    for (int y = part.y; y < part.y + part.height; ++y) {
        int sourceY = 0;
        uint32_t down = 0;
        BlendSpan(y, height, outHeight, sourceY, down);
        const uint8_t* upper = bits + static_cast<int64_t>(height - 1 - sourceY) * stride;
        const uint8_t* lower = down ? upper - stride : upper;
        auto* target = reinterpret_cast<uint32_t*>(out + static_cast<int64_t>(y - part.y) * pitch);
        for (int x = part.x; x < part.x + part.width; ++x) {
            const int c = blendColumns_[size_t(x)];
            const uint32_t across = blendWeights_[size_t(x)];
            const int next = across ? c + 1 : c;
            const uint32_t top = Blend(table_[upper[c]], table_[upper[next]], across);
            target[x - part.x] = down ? Blend(top, Blend(table_[lower[c]], table_[lower[next]], across), down)
                             : top;
        }
    }
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
