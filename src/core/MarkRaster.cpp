// Coverage is worked out at each pixel's centre: for a polygon, the product over its sides of
// how far the centre lies inside each (half a pixel out is nothing, half a pixel in is all),
// which is exact along a straight side and at a right-angled corner; for a disc, the same
// across its rim; for axis-aligned boxes, the exact area. Each shape visits only the pixels
// near it, row by row, so that a long thin arrow costs its length, not its bounding box.
#include "core/MarkRaster.h"

#include <algorithm>
#include <cmath>

namespace core::raster {
namespace {

std::int32_t Floor(double v) { return static_cast<std::int32_t>(std::floor(v)); }
std::int32_t Ceil(double v) { return static_cast<std::int32_t>(std::ceil(v)); }

std::uint32_t Alpha(double coverage)
{
    return static_cast<std::uint32_t>(std::clamp(coverage, 0.0, 1.0) * 255 + 0.5);
}

void PaintAt(const PixelView& target, std::int32_t x, std::int32_t y, Paint paint, double coverage)
{
    const std::uint32_t alpha = Alpha(coverage);
    if (alpha == 0) return;
    std::uint32_t& pixel = target.Row(y)[x];
    pixel = Painted(pixel, paint, alpha);
}

// One side of a convex polygon: the signed distance of a point from it, outward positive.
struct Side {
    double nx, ny, c;
    double Distance(double x, double y) const { return nx * x + ny * y - c; }
};

struct Prepared {
    Side sides[4];
    int count = 0;
    double top = 0, bottom = 0;

    double Coverage(double x, double y) const
    {
        double coverage = 1;
        for (int i = 0; i < count && coverage > 0; ++i)
            coverage *= std::clamp(0.5 - sides[i].Distance(x, y), 0.0, 1.0);
        return coverage;
    }
};

bool Prepare(const Convex& shape, Prepared& prepared)
{
    double area = 0;
    for (int i = 0; i < shape.count; ++i) {
        const Spot p = shape.corners[i], q = shape.corners[(i + 1) % shape.count];
        area += p.x * q.y - q.x * p.y;
    }
    if (std::abs(area) < 1e-9) return false;
    const double outward = area > 0 ? 1 : -1;
    prepared.top = prepared.bottom = shape.corners[0].y;
    for (int i = 0; i < shape.count; ++i) {
        const Spot p = shape.corners[i], q = shape.corners[(i + 1) % shape.count];
        prepared.top = std::min(prepared.top, p.y);
        prepared.bottom = std::max(prepared.bottom, p.y);
        const double ex = q.x - p.x, ey = q.y - p.y, length = std::hypot(ex, ey);
        if (length < 1e-12) continue;
        const double nx = outward * ey / length, ny = -outward * ex / length;
        prepared.sides[prepared.count++] = {nx, ny, nx * p.x + ny * p.y};
    }
    return true;
}

// The x extent of the polygon between rows y0 and y1; false when it does not reach them.
bool BandExtent(const Convex& shape, double y0, double y1, double& left, double& right)
{
    bool found = false;
    for (int i = 0; i < shape.count; ++i) {
        const Spot p = shape.corners[i], q = shape.corners[(i + 1) % shape.count];
        const double dy = q.y - p.y;
        double from = 0, to = 1;
        if (std::abs(dy) < 1e-12) {
            if (p.y < y0 || p.y > y1) continue;
        } else {
            double t0 = (y0 - p.y) / dy, t1 = (y1 - p.y) / dy;
            if (t0 > t1) std::swap(t0, t1);
            from = std::max(from, t0);
            to = std::min(to, t1);
            if (from > to) continue;
        }
        const double xa = p.x + from * (q.x - p.x), xb = p.x + to * (q.x - p.x);
        left = found ? std::min({left, xa, xb}) : std::min(xa, xb);
        right = found ? std::max({right, xa, xb}) : std::max(xa, xb);
        found = true;
    }
    return found;
}

double Overlap(std::int32_t i, double from, double to) { return std::max(0.0, std::min(i + 1.0, to) - std::max(i * 1.0, from)); }

}  // namespace

std::uint32_t Painted(std::uint32_t pixel, Paint paint, std::uint32_t alpha)
{
    std::uint32_t out = pixel & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t p = (pixel >> shift) & 0xFF, c = (paint.colour >> shift) & 0xFF;
        const std::uint32_t to = paint.multiply ? (p * c + 127) / 255 : c;
        out |= ((p * (255 - alpha) + to * alpha + 127) / 255) << shift;
    }
    return out;
}

// A sharp corner reaches past its polygon by more than half a pixel; a pixel and a half around
// each shape holds every pixel it covers at all.
void FillConvex(const PixelView& target, Rect clip, const Convex* shapes, int shapeCount, Paint paint)
{
    constexpr double kReach = 1.5;
    Prepared prepared[2];
    bool usable[2] = {false, false};
    double top = 0, bottom = 0;
    bool any = false;
    for (int s = 0; s < shapeCount && s < 2; ++s) {
        usable[s] = Prepare(shapes[s], prepared[s]);
        if (!usable[s]) continue;
        top = any ? std::min(top, prepared[s].top) : prepared[s].top;
        bottom = any ? std::max(bottom, prepared[s].bottom) : prepared[s].bottom;
        any = true;
    }
    if (!any) return;
    const std::int32_t y0 = std::max(clip.top, Floor(top - kReach)), y1 = std::min(clip.bottom, Ceil(bottom + kReach));
    for (std::int32_t y = y0; y < y1; ++y) {
        const double centreY = y + 0.5;
        bool inBand[2] = {false, false};
        double left = 0, right = 0;
        bool spanFound = false;
        for (int s = 0; s < shapeCount && s < 2; ++s) {
            double l = 0, r = 0;
            if (!usable[s] || !BandExtent(shapes[s], centreY - kReach, centreY + kReach, l, r)) continue;
            inBand[s] = true;
            left = spanFound ? std::min(left, l) : l;
            right = spanFound ? std::max(right, r) : r;
            spanFound = true;
        }
        if (!spanFound) continue;
        const std::int32_t x0 = std::max(clip.left, Floor(left - kReach)), x1 = std::min(clip.right, Ceil(right + kReach));
        for (std::int32_t x = x0; x < x1; ++x) {
            double coverage = 0;
            for (int s = 0; s < 2; ++s)
                if (inBand[s]) coverage = std::max(coverage, prepared[s].Coverage(x + 0.5, centreY));
            PaintAt(target, x, y, paint, coverage);
        }
    }
}

void FillDisc(const PixelView& target, Rect clip, Spot centre, double radius, Paint paint)
{
    if (!(radius > 0)) return;
    const double reach = radius + 0.5;
    const std::int32_t y0 = std::max(clip.top, Floor(centre.y - reach)), y1 = std::min(clip.bottom, Ceil(centre.y + reach));
    for (std::int32_t y = y0; y < y1; ++y) {
        const double dy = y + 0.5 - centre.y;
        if (std::abs(dy) >= reach) continue;
        const double half = std::sqrt(reach * reach - dy * dy);
        const std::int32_t x0 = std::max(clip.left, Floor(centre.x - half - 0.5));
        const std::int32_t x1 = std::min(clip.right, Ceil(centre.x + half + 0.5));
        for (std::int32_t x = x0; x < x1; ++x)
            PaintAt(target, x, y, paint, reach - std::hypot(x + 0.5 - centre.x, dy));
    }
}

void FillRing(const PixelView& target, Rect clip, Box outer, Box inner, Paint paint)
{
    if (!(outer.right > outer.left && outer.bottom > outer.top)) return;
    const bool hollow = inner.right > inner.left && inner.bottom > inner.top;
    const std::int32_t y0 = std::max(clip.top, Floor(outer.top)), y1 = std::min(clip.bottom, Ceil(outer.bottom));
    const std::int32_t x0 = std::max(clip.left, Floor(outer.left)), x1 = std::min(clip.right, Ceil(outer.right));
    for (std::int32_t y = y0; y < y1; ++y) {
        const double outerY = Overlap(y, outer.top, outer.bottom);
        const double innerY = hollow ? Overlap(y, inner.top, inner.bottom) : 0;
        const auto run = [&](std::int32_t from, std::int32_t to) {
            for (std::int32_t x = from; x < to; ++x) {
                const double innerPart = hollow ? Overlap(x, inner.left, inner.right) * innerY : 0;
                PaintAt(target, x, y, paint, Overlap(x, outer.left, outer.right) * outerY - innerPart);
            }
        };
        if (hollow && innerY >= outerY) {
            // A row wholly across the inside: only its two sides are covered.
            const std::int32_t leftEnd = std::min(x1, Ceil(inner.left));
            run(x0, leftEnd);
            run(std::max({x0, leftEnd, Floor(inner.right)}), x1);
        } else {
            run(x0, x1);
        }
    }
}

}  // namespace core::raster
