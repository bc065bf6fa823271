#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/graphics/VBlitRows.h"

// The opaque runs of every stored row of a bitmap for one transparent index, so a
// transparent copy moves only the bytes it writes and never reads the destination. Rows
// broken into many short runs are marked dense and left to the blending loops.
// A bitmap keeps one, built on the first transparent copy and dropped when its pixels may
// have changed.
class VDibRunCache {
public:
    VDibRunCache(const uint8_t* bits, int32_t width, int32_t height, int32_t stride, uint8_t key);

    uint8_t Key() const { return key_; }
    bool Dense(int32_t storedRow) const { return dense_[size_t(storedRow)] != 0; }

    // Writes the opaque bytes of `row` (stored row `storedRow`) to dest[0 .. count-1]: dest[k]
    // takes column column+k, or, mirrored, column column-k.
    void CopyRow(uint8_t* dest, const uint8_t* row, int32_t storedRow, int32_t column,
                 int32_t count, bool mirrored) const;

    // The same for a whole row, unmirrored: dest[k] takes column k.
    void CopyWholeRow(uint8_t* dest, const uint8_t* row, int32_t storedRow) const
    {
        const Run* run = runs_.data() + firstRun_[size_t(storedRow)];
        const Run* end = runs_.data() + firstRun_[size_t(storedRow) + 1];
        for (; run != end; ++run)
            VBlitRows::CopySpan(dest + run->start, row + run->start, run->length);
    }

    // Whole rows, unmirrored, for `rows` stored rows upwards from `firstRow`: the row at
    // dest + k * destStep takes stored row firstRow + k. Dense rows are blended.
    void CopyWholeRows(uint8_t* dest, ptrdiff_t destStep, const uint8_t* bits, ptrdiff_t stride,
                       int32_t firstRow, int32_t rows, int32_t width) const;

private:
    struct Run {
        uint16_t start;
        uint16_t length;  // widths are at most 32768, so both fit
    };

    uint8_t key_;
    std::vector<uint32_t> firstRun_;  // per stored row, plus one past the end
    std::vector<Run> runs_;
    std::vector<uint8_t> dense_;
};
