// The composition primitive: clipped, stretched, mirrored, optionally transparent copies of
// palette indices from one bitmap into another.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "engine/graphics/VBlitRows.h"
#include "engine/graphics/VDib.h"
#include "engine/graphics/VDibRunCache.h"
#include "engine/stream/VException.h"

namespace {

// Unclipped destination extents beyond this are refused; it keeps the sampling arithmetic
// exact in 64 bits and is far beyond any sensible zoom.
constexpr double kMaxDestExtent = 16777216.0;
// The rule for the visible part; bitmaps are at most kMaxDibSide wide, so it holds always.
constexpr double kMaxVisibleExtent = 60000.0;

// Source positions, relative to the start of the source run, of the destination pixels
// first .. first+count-1 of an unclipped run of `dest` pixels sampling `source` pixels:
// steps of source div dest, one more whenever the accumulated remainder exceeds dest.
// Starting at `first` (pixels cut by clipping) gives exactly what the unclipped run shows.
void Samples(int64_t source, int64_t dest, int64_t first, int32_t count, bool reversed,
             int32_t base, int32_t* out)
{
    const int64_t q = source / dest;
    const int64_t r = source % dest;
    const int64_t passed = first * r;
    const int64_t extra = passed == 0 ? 0 : (passed - 1) / dest;
    int64_t accumulator = passed - extra * dest;
    int64_t position = first * q + extra;
    for (int32_t k = 0; k < count; ++k) {
        out[k] = int32_t(reversed ? base + source - 1 - position : base + position);
        accumulator += r;
        if (accumulator > dest) {
            accumulator -= dest;
            position += q + 1;
        } else {
            position += q;
        }
    }
}

struct Plan {
    const uint8_t* source;
    ptrdiff_t sourceStride;
    uint8_t* dest;
    ptrdiff_t destStride;
    int32_t columns;      // visible destination columns
    int32_t rows;         // visible destination rows
    int32_t destColumn;   // first visible destination column
    int32_t destRow;      // stored row of the first visible row (rows follow upwards or,
                          // mirrored vertically, downwards)
    int32_t sourceColumn; // unstretched: source column of the first visible column
    int32_t sourceRow;    // unstretched: source stored row of the first visible row
    const int32_t* columnTable;  // stretched: source column per visible column
    const int32_t* rowTable;     // stretched: source stored row per visible row
    uint8_t key;
    const VDibRunCache* runs;    // transparent unstretched copies: the source's opaque runs
    bool wholeRows;              // unstretched: every source column of the row is visible
};

template <bool Key, bool StretchX, bool MirrorX>
inline void CopyRow(const Plan& p, uint8_t* d, const uint8_t* s, int32_t sourceRow)
{
    if constexpr (StretchX) {
        // The table already runs leftwards when mirrored.
        if constexpr (Key)
            VBlitRows::KeyGather(d, s, p.columnTable, size_t(p.columns), p.key);
        else
            VBlitRows::Gather(d, s, p.columnTable, size_t(p.columns));
    } else if constexpr (Key) {
        if (p.runs && !p.runs->Dense(sourceRow)) {
            if (!MirrorX && p.wholeRows)
                p.runs->CopyWholeRow(d, s, sourceRow);
            else
                p.runs->CopyRow(d, s, sourceRow, p.sourceColumn, p.columns, MirrorX);
        }
        else if constexpr (MirrorX)
            VBlitRows::KeyReverse(d, s + p.sourceColumn, size_t(p.columns), p.key);
        else
            VBlitRows::KeyForward(d, s + p.sourceColumn, size_t(p.columns), p.key);
    } else if constexpr (MirrorX) {
        VBlitRows::CopyReverse(d, s + p.sourceColumn, size_t(p.columns));
    } else {
        VBlitRows::CopyForward(d, s + p.sourceColumn, size_t(p.columns));
    }
}

template <bool Key, bool StretchX, bool MirrorX, bool StretchY, bool MirrorY>
void CopyRows(const Plan& p)
{
    const ptrdiff_t destStep = MirrorY ? -p.destStride : p.destStride;
    uint8_t* d = p.dest + p.destRow * p.destStride + p.destColumn;
    if constexpr (Key && !StretchX && !MirrorX && !StretchY) {
        // The sprite case: whole rows of opaque runs, served by one loop.
        if (p.runs && p.wholeRows) {
            p.runs->CopyWholeRows(d, destStep, p.source, p.sourceStride, p.sourceRow, p.rows,
                                  p.columns);
            return;
        }
    }
    int32_t previousRow = -1;
    uint8_t* previousDest = nullptr;
    for (int32_t k = 0; k < p.rows; ++k, d += destStep) {
        const int32_t sourceRow = StretchY ? p.rowTable[k] : p.sourceRow + k;
        if constexpr (StretchY && !Key) {
            // Stretched upwards, rows repeat: the row just written is the same bytes.
            if (sourceRow == previousRow) {
                std::memcpy(d, previousDest, size_t(p.columns));
                previousDest = d;
                continue;
            }
            previousRow = sourceRow;
            previousDest = d;
        }
        CopyRow<Key, StretchX, MirrorX>(p, d, p.source + sourceRow * p.sourceStride, sourceRow);
    }
}

using RowsFunction = void (*)(const Plan&);

template <size_t... I>
constexpr std::array<RowsFunction, sizeof...(I)> MakeTable(std::index_sequence<I...>)
{
    return {&CopyRows<bool(I & 1), bool(I & 2), bool(I & 4), bool(I & 8), bool(I & 16)>...};
}

// All 32 combinations of transparent x stretch x x mirror x x stretch y x mirror y.
constexpr auto kCopyFunctions = MakeTable(std::make_index_sequence<32>());

bool HasNaN(const VRect& r)
{
    return std::isnan(r.x) || std::isnan(r.y) || std::isnan(r.width) || std::isnan(r.height);
}

// Scratch tables for the stretch steps; one set per thread, reused between calls.
std::vector<int32_t>& ColumnScratch()
{
    thread_local std::vector<int32_t> table;
    return table;
}

std::vector<int32_t>& RowScratch()
{
    thread_local std::vector<int32_t> table;
    return table;
}

}  // namespace

void VDib::CopyBits(VDib* destination, int32_t destX, int32_t destY, int32_t width,
                    int32_t height, int32_t srcX, int32_t srcY, int32_t transparentIndex) const
{
    CopyBits(destination, VRect(float(srcX), float(srcY), float(width), float(height)),
             VRect(float(destX), float(destY), float(width), float(height)), transparentIndex, 0,
             0, 0);
}

void VDib::CopyBits(VDib* destination, VRect source, VRect dest, int32_t transparentIndex,
                    int32_t mode, float angle, float alpha) const
{
    if (angle != 0)
        dest = CopyBits_Rotation(dest, angle);
    dest.x = std::floor(dest.x);
    dest.y = std::floor(dest.y);
    if (alpha != 0)
        throw VParamException("VDib::CopyBits : Alpha blending not yet implemented.");
    if (!destination)
        throw VParamException("VDib::CopyBits : Destination DIB nonexistent.");
    if (!hasPalette_)
        throw VParamException("VDib::CopyBits : Internal source DIB doesn't contain a palette.");
    if (mode != 0)
        throw VParamException("VDib::CopyBits : Only copy mode srcCopy supported yet.");
    if (destination == this) {
        // Overlapping rows cannot be copied in place; copy from a snapshot.
        VDib snapshot(*this);
        snapshot.CopyBits(destination, source, dest, transparentIndex, mode, 0, alpha);
        return;
    }
    // A destination that is not a number shows nowhere.
    if (HasNaN(dest))
        return;

    if (dest.IsEmpty())
        dest = destination->GetRect();
    if (source.IsEmpty())
        source = GetRect();
    const bool mirrorX = dest.width < 0;
    const bool mirrorY = dest.height < 0;
    dest.width = std::fabs(dest.width);
    dest.height = std::fabs(dest.height);
    source.width = std::fabs(source.width);
    source.height = std::fabs(source.height);

    if (!(source.x >= 0 && source.y >= 0 && source.x + source.width <= float(GetWidth()) &&
          source.y + source.height <= float(GetHeight())))
        throw VParamException("VDib::CopyBits : Source rect out of bounds");
    const int32_t sourceX = int32_t(source.x);
    const int32_t sourceY = int32_t(source.y);
    const int32_t sourceWidth = std::min(int32_t(source.width), GetWidth() - sourceX);
    const int32_t sourceHeight = std::min(int32_t(source.height), GetHeight() - sourceY);
    if (sourceWidth <= 0 || sourceHeight <= 0)
        return;

    // Clipping: which pixels of the unclipped destination run lie inside the destination.
    // Worked out in doubles, which hold any float position and extent.
    const double destW = destination->GetWidth();
    const double destH = destination->GetHeight();
    const double x = dest.x, y = dest.y;
    const double width = std::trunc(double(dest.width));
    const double height = std::trunc(double(dest.height));
    const double firstColumn = std::max(0.0, -x);
    const double endColumn = std::min(width, destW - x);
    const double topRow = std::max(0.0, y);
    const double endRow = std::min(destH, y + height);
    const bool visible = endColumn > firstColumn && endRow > topRow;

    if (!destination->hasPalette_)
        destination->AdoptPalette(*this);

    if (width > kMaxDestExtent || height > kMaxDestExtent ||
        (visible && (endColumn - firstColumn > kMaxVisibleExtent ||
                     endRow - topRow > kMaxVisibleExtent)))
        throw VParamException("VDib::CopyBits : Rectangle too large.");
    if (!visible || width < 1 || height < 1)
        return;

    // Now every value is a modest integer.
    const int64_t destX = int64_t(x), destY = int64_t(y);
    const int64_t destWidth = int64_t(width), destHeight = int64_t(height);
    const int64_t column0 = int64_t(firstColumn), top = int64_t(topRow), bottom = int64_t(endRow);

    Plan plan{};
    plan.source = section_.bits;
    plan.sourceStride = GetStride();
    plan.dest = destination->section_.bits;
    plan.destStride = destination->GetStride();
    plan.columns = int32_t(int64_t(endColumn) - column0);
    plan.rows = int32_t(bottom - top);
    plan.destColumn = int32_t(destX + column0);

    const bool stretchX = sourceWidth != destWidth;
    const bool stretchY = sourceHeight != destHeight;
    if (stretchX) {
        std::vector<int32_t>& table = ColumnScratch();
        table.resize(size_t(plan.columns));
        Samples(sourceWidth, destWidth, column0, plan.columns, mirrorX, sourceX, table.data());
        plan.columnTable = table.data();
    } else {
        plan.sourceColumn = int32_t(mirrorX ? sourceX + sourceWidth - 1 - column0 : sourceX + column0);
    }

    // Row j of the run counts from the destination's bottom row upwards, or, mirrored, from
    // its top row downwards; either way it samples source stored row sourceY + sample(j).
    const int32_t destStoredHeight = destination->GetHeight();
    int64_t firstRun;
    if (mirrorY) {
        firstRun = top - destY;
        plan.destRow = int32_t(destStoredHeight - 1 - top);
    } else {
        firstRun = destY + destHeight - bottom;
        plan.destRow = int32_t(destStoredHeight - bottom);
    }
    if (stretchY) {
        std::vector<int32_t>& table = RowScratch();
        table.resize(size_t(plan.rows));
        Samples(sourceHeight, destHeight, firstRun, plan.rows, false, sourceY, table.data());
        plan.rowTable = table.data();
    } else {
        plan.sourceRow = int32_t(sourceY + firstRun);
    }

    const bool keyed = transparentIndex >= 0;
    plan.key = uint8_t(transparentIndex);
    plan.runs = keyed && !stretchX ? &RunsFor(plan.key) : nullptr;
    plan.wholeRows = !stretchX && plan.sourceColumn == 0 && plan.columns == GetWidth();

    const size_t which = size_t(keyed) | size_t(stretchX) << 1 | size_t(mirrorX) << 2 |
                         size_t(stretchY) << 3 | size_t(mirrorY) << 4;
    kCopyFunctions[which](plan);
    destination->PixelsChanged();
}

VRect VDib::CopyBits_Rotation(const VRect& dest, float angle)
{
    const double a = angle;
    const double s = std::sin(a), c = std::cos(a);
    const bool quadrant = (s > 0 && c > 0) || (s > 0 && c <= 0) || (s <= 0 && c <= 0) ||
                          (s <= 0 && c > 0);
    if (!quadrant)
        throw VException("VDib::CopyBits_Rotation: internal error");
    const double cx = dest.x + dest.width * 0.5;
    const double cy = dest.y + dest.height * 0.5;
    const double corners[4][2] = {{dest.x, dest.y},
                                  {double(dest.x) + dest.width, dest.y},
                                  {double(dest.x) + dest.width, double(dest.y) + dest.height},
                                  {dest.x, double(dest.y) + dest.height}};
    double left = 0, top = 0, right = 0, bottom = 0;
    for (int i = 0; i < 4; ++i) {
        const double dx = corners[i][0] - cx;
        const double dy = cy - corners[i][1];
        const double radius = std::sqrt(dx * dx + dy * dy);
        double phi;
        if (std::trunc(dx) == 0)
            phi = dy >= 0 ? 1.57079632675 : 4.71238898025;
        else
            phi = std::atan(dy / dx) + (dx < 0 ? 3.1415926535 : 0.0);
        const double px = cx + radius * std::cos(phi + a);
        const double py = cy - radius * std::sin(phi + a);
        if (i == 0 || px < left)
            left = px;
        if (i == 0 || px > right)
            right = px;
        if (i == 0 || py < top)
            top = py;
        if (i == 0 || py > bottom)
            bottom = py;
    }
    return VRect(float(left), float(top), float(right - left), float(bottom - top));
}
