#include "engine/graphics/VDibRunCache.h"

#include <algorithm>
#include <cstring>

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
