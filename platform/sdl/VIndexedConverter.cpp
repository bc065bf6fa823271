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

namespace {

// A source row blended across to `count` output columns (each a left source column and the
// right one's weight).
inline void BlendAcross(const uint32_t* table, const uint8_t* row, const int* columns,
                        const uint32_t* weights, uint32_t* out, int count)
{
    for (int i = 0; i < count; ++i) {
        const int c = columns[i];
        out[i] = weights[i] ? Blend(table[row[c]], table[row[c + 1]], weights[i]) : table[row[c]];
    }
}

// Two blended rows blended down, `weight` 256ths of `lower`: the sums of Blend, four pixels
// at a time where the processor can.
inline void BlendDown(const uint32_t* upper, const uint32_t* lower, uint32_t weight,
                      uint32_t* out, int count)
{
    int x = 0;
#ifdef __SSE2__
    // Each channel in a 16-bit lane: 255 x 256 at most, so no sum overflows.
    const __m128i zero = _mm_setzero_si128();
    const __m128i keep = _mm_set1_epi16(short(256 - weight));
    const __m128i take = _mm_set1_epi16(short(weight));
    for (; x + 4 <= count; x += 4) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + x));
        const __m128i low = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), keep),
                                          _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), take));
        const __m128i high = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), keep),
                                           _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), take));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                         _mm_packus_epi16(_mm_srli_epi16(low, 8), _mm_srli_epi16(high, 8)));
    }
#endif
    for (; x < count; ++x)
        out[x] = Blend(upper[x], lower[x], weight);
}

}  // namespace

void VIndexedConverter::ConvertBlended(const VDib& dib, uint32_t* destination, int pitch,
                                       int outWidth, int outHeight, const VIntRect& part)
{
    const int width = dib.GetWidth();
    const int height = dib.GetHeight();
    const int stride = DibStride(width);
    const uint8_t* bits = dib.GetBits();
    MapBlendColumns(width, outWidth);
    const int* columns = blendColumns_.data() + part.x;
    const uint32_t* weights = blendWeights_.data() + part.x;
    const auto count = std::size_t(part.width);
    // Each source row is blended across once, into one of two rows that the output rows
    // between it and the next blend down.
    blendRows_.resize(2 * count);
    uint32_t* rows[2] = {blendRows_.data(), blendRows_.data() + count};
    int held[2] = {-1, -1};
    auto across = [&](int slot, int sourceY) {
        if (held[slot] == sourceY)
            return;
        if (held[1 - slot] == sourceY) {
            std::swap(rows[0], rows[1]);
            std::swap(held[0], held[1]);
            return;
        }
        const uint8_t* row = bits + static_cast<int64_t>(height - 1 - sourceY) * stride;
        BlendAcross(table_, row, columns, weights, rows[slot], part.width);
        held[slot] = sourceY;
    };
    auto* out = reinterpret_cast<uint8_t*>(destination);
    for (int y = part.y; y < part.y + part.height; ++y) {
        int sourceY = 0;
        uint32_t down = 0;
        BlendSpan(y, height, outHeight, sourceY, down);
        across(0, sourceY);
        auto* target = reinterpret_cast<uint32_t*>(out + static_cast<int64_t>(y - part.y) * pitch);
        if (down) {
            across(1, sourceY + 1);
            BlendDown(rows[0], rows[1], down, target, part.width);
        } else {
            std::copy(rows[0], rows[0] + count, target);
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
