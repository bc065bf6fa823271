#include "engine/graphics/VPolygon.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/graphics/VDib.h"

namespace {

VPoint Clamped(VPoint p)
{
    return {std::clamp(p.x, -kPolygonLimit, kPolygonLimit),
            std::clamp(p.y, -kPolygonLimit, kPolygonLimit)};
}

uint8_t* RowOf(VDib& dib, uint8_t* bits, int32_t y)
{
    return bits + std::size_t(dib.GetStride()) * std::size_t(dib.GetHeight() - 1 - y);
}

void Plot(VDib& dib, uint8_t* bits, int32_t x, int32_t y, uint8_t index)
{
    if (x >= 0 && y >= 0 && x < dib.GetWidth() && y < dib.GetHeight())
        RowOf(dib, bits, y)[x] = index;
}

// Steps along the longer axis, computing the other coordinate from the end points for each
// step, so clipping to the bitmap skips the outside without changing which pixels are lit.
void LineOnto(VDib& dib, uint8_t* bits, VPoint a, VPoint b, uint8_t index)
{
    a = Clamped(a);
    b = Clamped(b);
    int64_t dx = int64_t(b.x) - a.x;
    int64_t dy = int64_t(b.y) - a.y;
    if (dx == 0 && dy == 0) {
        Plot(dib, bits, a.x, a.y, index);
        return;
    }
    bool alongX = std::llabs(dx) >= std::llabs(dy);
    int64_t from = alongX ? std::min(a.x, b.x) : std::min(a.y, b.y);
    int64_t to = alongX ? std::max(a.x, b.x) : std::max(a.y, b.y);
    int64_t limit = alongX ? dib.GetWidth() - 1 : dib.GetHeight() - 1;
    from = std::max<int64_t>(from, 0);
    to = std::min<int64_t>(to, limit);
    double major0 = alongX ? a.x : a.y;
    double minor0 = alongX ? a.y : a.x;
    double slope = alongX ? double(dy) / double(dx) : double(dx) / double(dy);
    for (int64_t m = from; m <= to; ++m) {
        auto minor = int32_t(std::floor(minor0 + (double(m) - major0) * slope + 0.5));
        if (alongX)
            Plot(dib, bits, int32_t(m), minor, index);
        else
            Plot(dib, bits, minor, int32_t(m), index);
    }
}

}  // namespace

void FillPolygon(VDib& dib, const VPoint* points, std::size_t count, uint8_t index)
{
    if (count < 3 || dib.GetWidth() <= 0 || dib.GetHeight() <= 0 || !dib.GetBits())
        return;
    std::vector<VPoint> p(points, points + count);
    int32_t minY = kPolygonLimit;
    int32_t maxY = -kPolygonLimit;
    for (VPoint& q : p) {
        q = Clamped(q);
        minY = std::min(minY, q.y);
        maxY = std::max(maxY, q.y);
    }
    uint8_t* bits = dib.GetBits();
    int32_t firstRow = std::max(minY, 0);
    int32_t lastRow = std::min(maxY - 1, dib.GetHeight() - 1);
    std::vector<double> crossings;
    crossings.reserve(count);
    for (int32_t y = firstRow; y <= lastRow; ++y) {
        // Sample at the pixel centre; being a half, it never meets a vertex.
        double yc = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < count; ++i) {
            const VPoint& a = p[i];
            const VPoint& b = p[(i + 1) % count];
            if (a.y == b.y || yc < std::min(a.y, b.y) || yc > std::max(a.y, b.y))
                continue;
            crossings.push_back(a.x + (yc - a.y) * double(int64_t(b.x) - a.x) / double(int64_t(b.y) - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        uint8_t* row = RowOf(dib, bits, y);
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
            // Pixels whose centres x + 0.5 lie in [left crossing, right crossing).
            double start = std::ceil(crossings[k] - 0.5);
            double end = std::ceil(crossings[k + 1] - 0.5);
            start = std::max(start, 0.0);
            end = std::min(end, double(dib.GetWidth()));
            if (end > start)
                std::fill(row + int32_t(start), row + int32_t(end), index);
        }
    }
    dib.PixelsChanged();
}

void OutlinePolygon(VDib& dib, const VPoint* points, std::size_t count, uint8_t index)
{
    if (count == 0 || dib.GetWidth() <= 0 || dib.GetHeight() <= 0 || !dib.GetBits())
        return;
    uint8_t* bits = dib.GetBits();
    for (std::size_t i = 0; i < count; ++i)
        LineOnto(dib, bits, points[i], points[(i + 1) % count], index);
    dib.PixelsChanged();
}

void DrawLine(VDib& dib, VPoint from, VPoint to, uint8_t index)
{
    if (dib.GetWidth() <= 0 || dib.GetHeight() <= 0 || !dib.GetBits())
        return;
    LineOnto(dib, dib.GetBits(), from, to, index);
    dib.PixelsChanged();
}
