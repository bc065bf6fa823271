#include "engine/graphics/VDibRunCache.h"

#include <algorithm>
#include <cstring>

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define VRUNS_AVX2 1
#include <immintrin.h>
#endif

#include "engine/graphics/VBlitRows.h"

VDibRunCache::VDibRunCache(const uint8_t* bits, int32_t width, int32_t height, int32_t stride,
                           uint8_t key)
    : key_(key), firstRun_(size_t(height) + 1), dense_(size_t(height))
{
    // Beyond this many runs per row, copying run by run costs more than blending the row.
    const size_t denseRuns = 2 + size_t(width) / 24;
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* row = bits + size_t(stride) * size_t(r);
        const size_t rowStart = runs_.size();
        firstRun_[size_t(r)] = uint32_t(rowStart);
        int32_t x = 0;
        while (x < width) {
            while (x < width && row[x] == key)
                ++x;
            const int32_t start = x;
            while (x < width && row[x] != key)
                ++x;
            if (x > start)
                runs_.push_back(Run{uint16_t(start), uint16_t(x - start)});
            if (runs_.size() - rowStart > denseRuns) {
                runs_.resize(rowStart);
                dense_[size_t(r)] = 1;
                break;
            }
        }
    }
    firstRun_[size_t(height)] = uint32_t(runs_.size());
}

void VDibRunCache::CopyRow(uint8_t* dest, const uint8_t* row, int32_t storedRow, int32_t column,
                           int32_t count, bool mirrored) const
{
    const Run* run = runs_.data() + firstRun_[size_t(storedRow)];
    const Run* end = runs_.data() + firstRun_[size_t(storedRow) + 1];
    // The source columns the visible part shows.
    const int32_t low = mirrored ? column - count + 1 : column;
    const int32_t high = low + count;
    for (; run != end; ++run) {
        const int32_t start = std::max<int32_t>(run->start, low);
        const int32_t stop = std::min<int32_t>(run->start + run->length, high);
        if (start >= stop) {
            if (run->start >= high)
                break;
            continue;
        }
        if (mirrored)
            VBlitRows::CopyReverse(dest + (column - (stop - 1)), row + stop - 1, size_t(stop - start));
        else
            VBlitRows::CopySpan(dest + (start - column), row + start, size_t(stop - start));
    }
}

namespace {

template <typename Run>
void WholeRowsPortable(uint8_t* dest, ptrdiff_t destStep, const uint8_t* bits, ptrdiff_t stride,
                       int32_t firstRow, int32_t rows, int32_t width, uint8_t key,
                       const uint32_t* firstRun, const Run* runs, const uint8_t* dense)
{
    for (int32_t k = 0; k < rows; ++k, dest += destStep) {
        const int32_t r = firstRow + k;
        const uint8_t* row = bits + r * stride;
        if (dense[r]) {
            VBlitRows::KeyForward(dest, row, size_t(width), key);
            continue;
        }
        // The end is read once: the stores below may alias the tables as far as the
        // compiler knows.
        const Run* const end = runs + firstRun[r + 1];
        for (const Run* run = runs + firstRun[r]; run != end; ++run)
            VBlitRows::CopySpan(dest + run->start, row + run->start, run->length);
    }
}

#if defined(VRUNS_AVX2)
// How many rows ahead the destination is fetched.
constexpr int32_t kPrefetchRows = 4;

// The same with 32-byte pieces for the runs of 32 bytes or more.
template <typename Run>
__attribute__((target("avx2"))) void WholeRowsAvx2(uint8_t* dest, ptrdiff_t destStep,
                                                   const uint8_t* bits, ptrdiff_t stride,
                                                   int32_t firstRow, int32_t rows, int32_t width,
                                                   uint8_t key, const uint32_t* firstRun,
                                                   const Run* runs, const uint8_t* dense)
{
    for (int32_t k = 0; k < rows; ++k, dest += destStep) {
        const int32_t r = firstRow + k;
        const uint8_t* row = bits + r * stride;
        // The destination rows lie far apart, and a frame just drawn underneath has pushed
        // them out of the nearest cache; asking early hides most of the wait.
        if (k + kPrefetchRows < rows) {
            const uint8_t* ahead = dest + kPrefetchRows * destStep;
            for (int32_t x = 0; x < width; x += 64)
                __builtin_prefetch(ahead + x, 1);
            __builtin_prefetch(ahead + width - 1, 1);
        }
        if (dense[r]) {
            VBlitRows::KeyForward(dest, row, size_t(width), key);
            continue;
        }
        // The end is read once: the stores below may alias the tables as far as the
        // compiler knows.
        const Run* const end = runs + firstRun[r + 1];
        for (const Run* run = runs + firstRun[r]; run != end; ++run) {
            uint8_t* d = dest + run->start;
            const uint8_t* s = row + run->start;
            const size_t n = run->length;
            if (n < 32) {
                VBlitRows::CopySpan(d, s, n);
                continue;
            }
            size_t i = 0;
            for (; i + 32 <= n; i += 32)
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i),
                                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i)));
            if (i < n)
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + n - 32),
                                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + n - 32)));
        }
    }
}
#endif

}  // namespace

void VDibRunCache::CopyWholeRows(uint8_t* dest, ptrdiff_t destStep, const uint8_t* bits,
                                 ptrdiff_t stride, int32_t firstRow, int32_t rows,
                                 int32_t width) const
{
#if defined(VRUNS_AVX2)
    if (VBlitRows::Avx2Kernels()) {
        WholeRowsAvx2(dest, destStep, bits, stride, firstRow, rows, width, key_, firstRun_.data(),
                      runs_.data(), dense_.data());
        return;
    }
#endif
    WholeRowsPortable(dest, destStep, bits, stride, firstRow, rows, width, key_, firstRun_.data(),
                      runs_.data(), dense_.data());
}
