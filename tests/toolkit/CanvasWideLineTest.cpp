// Lines wider than one pixel keep the rules of thin ones: the start is
// painted and the end is not, whichever way the line runs, and a polyline is
// one stroke whose segments meet at every bend.
#include "toolkit/Canvas.h"

#include <QImage>
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <vector>

namespace {

using TPixels = std::set<std::pair<int, int>>;

TPixels Painted(const QImage& img) {
    TPixels p;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                p.insert({x, y});
    return p;
}

void Clear(TBitmap& bmp) {
    TCanvas& c = bmp.Canvas();
    c.Brush = TBrush{clWhite, bsSolid};
    c.FillRect({0, 0, bmp.Width(), bmp.Height()});
}

TPixels Line(TPoint a, TPoint b, int width) {
    TBitmap bmp(60, 60);
    Clear(bmp);
    TCanvas& c = bmp.Canvas();
    c.Pen.Width = width;
    c.MoveTo(a.x, a.y);
    c.LineTo(b.x, b.y);
    return Painted(bmp.Image());
}

TPixels Polyline(const std::vector<TPoint>& points, int width, TPenMode mode = pmCopy) {
    TBitmap bmp(60, 60);
    Clear(bmp);
    TCanvas& c = bmp.Canvas();
    c.Pen = TPen{mode == pmCopy ? clBlack : clWhite, psSolid, width, mode};
    c.Polyline(points);
    return Painted(bmp.Image());
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// Every direction, steep and flat ones, both exact diagonals among them.
constexpr TPoint Ends[][2] = {{{10, 30}, {40, 30}}, {{40, 30}, {10, 30}}, {{30, 10}, {30, 40}},
                              {{30, 40}, {30, 10}}, {{10, 10}, {40, 40}}, {{40, 40}, {10, 10}},
                              {{40, 10}, {10, 40}}, {{10, 40}, {40, 10}}, {{10, 30}, {40, 20}},
                              {{40, 20}, {10, 30}}, {{10, 10}, {20, 40}}, {{20, 40}, {10, 10}},
                              {{45, 12}, {12, 20}}, {{25, 45}, {33, 8}}};

TEST(CanvasWideLine, PaintsItsStartAndLeavesOutItsEndInEveryDirection) {
    for (const int width : {2, 3, 4, 5}) {
        for (const auto& e : Ends) {
            const TPoint a = e[0], b = e[1];
            SCOPED_TRACE(testing::Message() << "width " << width << ": " << a.x << "," << a.y
                                            << " -> " << b.x << "," << b.y);
            for (const TPixels& p : {Line(a, b, width), Polyline({a, b}, width)}) {
                EXPECT_TRUE(p.count({a.x, a.y}));
                EXPECT_FALSE(p.count({b.x, b.y}));
            }
        }
    }
}

TEST(CanvasWideLine, DrawnBackwardsIsTheForwardLineOneStepOn) {
    // Along an axis or a main diagonal the pixels of b -> a are those of
    // a -> b moved one step towards b: the same stroke, the other end left out.
    const TPoint ends[][2] = {
        {{10, 30}, {40, 30}}, {{30, 10}, {30, 40}}, {{10, 10}, {40, 40}}, {{40, 40}, {10, 10}}};
    for (const int width : {2, 3, 4, 5}) {
        for (const auto& e : ends) {
            const TPoint a = e[0], b = e[1];
            SCOPED_TRACE(testing::Message() << "width " << width << ": " << a.x << "," << a.y
                                            << " -> " << b.x << "," << b.y);
            const int sx = Sign(b.x - a.x), sy = Sign(b.y - a.y);
            TPixels moved;
            for (const auto& [x, y] : Line(a, b, width))
                moved.insert({x + sx, y + sy});
            EXPECT_EQ(Line(b, a, width), moved);
        }
    }
}

// The pixels of an axis-parallel segment p -> q of half width h: from p up to
// but not including q along it, h on either side across it.
void AddBand(TPixels& p, TPoint from, TPoint to, int h) {
    const int sx = Sign(to.x - from.x), sy = Sign(to.y - from.y);
    for (TPoint at = from; at.x != to.x || at.y != to.y; at = {at.x + sx, at.y + sy})
        for (int d = -h; d <= h; ++d)
            p.insert(sx != 0 ? std::pair{at.x, at.y + d} : std::pair{at.x + d, at.y});
}

TEST(CanvasWideLine, PolylineSegmentsMeetAtEveryBend) {
    // Both turns out of each of the four directions. The pixels are the two
    // bands and the square around the bend that the outer corner fills; in
    // XOR mode each of them is touched exactly once.
    const TPoint turns[][3] = {
        {{10, 20}, {30, 20}, {30, 40}}, {{10, 20}, {30, 20}, {30, 5}},
        {{40, 20}, {20, 20}, {20, 40}}, {{40, 20}, {20, 20}, {20, 5}},
        {{20, 10}, {20, 30}, {40, 30}}, {{20, 10}, {20, 30}, {5, 30}},
        {{20, 40}, {20, 20}, {40, 20}}, {{20, 40}, {20, 20}, {5, 20}},
    };
    for (const int width : {3, 5}) {
        const int h = width / 2;
        for (const auto& t : turns) {
            const TPoint a = t[0], v = t[1], b = t[2];
            SCOPED_TRACE(testing::Message()
                         << "width " << width << ": " << a.x << "," << a.y << " -> " << v.x << ","
                         << v.y << " -> " << b.x << "," << b.y);
            TPixels expected;
            AddBand(expected, a, v, h);
            AddBand(expected, v, b, h);
            for (int dy = -h; dy <= h; ++dy)
                for (int dx = -h; dx <= h; ++dx)
                    expected.insert({v.x + dx, v.y + dy});
            EXPECT_EQ(Polyline({a, v, b}, width), expected);
            EXPECT_EQ(Polyline({a, v, b}, width, pmXor), expected);
        }
    }
}

} // namespace
