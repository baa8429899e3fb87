// The canvas on a bitmap with a device pixel ratio above 1: the same
// geometry as at ratio 1, drawn at device resolution.
#include "toolkit/Canvas.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr int Ratio = 2;

QRgb Rgb(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0xFFFFFF;
}

void Clear(TBitmap& bmp) {
    TCanvas& c = bmp.Canvas();
    c.Brush = TBrush{clWhite, bsSolid};
    c.FillRect({0, 0, bmp.Width(), bmp.Height()});
}

TBitmap& Prepared(TBitmap& bmp, qreal ratio, int w, int h) {
    bmp.SetDevicePixelRatio(ratio);
    bmp.SetSize(w, h);
    Clear(bmp);
    return bmp;
}

// Device pixels that are not white.
std::set<std::pair<int, int>> Ink(const QImage& img) {
    std::set<std::pair<int, int>> ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (Rgb(img, x, y) != 0xFFFFFF)
                ink.insert({x, y});
    return ink;
}

TEST(CanvasDeviceRatio, BitmapKeepsItsLogicalSize) {
    TBitmap bmp(30, 20);
    bmp.SetDevicePixelRatio(Ratio);
    EXPECT_EQ(bmp.Width(), 30);
    EXPECT_EQ(bmp.Height(), 20);
    const QImage& img = bmp.Image();
    EXPECT_EQ(img.size(), QSize(60, 40));
    EXPECT_EQ(img.devicePixelRatio(), Ratio);
    EXPECT_EQ(img.deviceIndependentSize(), QSizeF(30, 20));
    EXPECT_EQ(bmp.Canvas().DevicePixelRatio(), Ratio);
    bmp.SetSize(11, 7);
    EXPECT_EQ(bmp.Image().size(), QSize(22, 14));
}

TEST(CanvasDeviceRatio, AxisParallelFiguresCoverTheBlocksOfRatioOne) {
    // At ratio 1 and at ratio 2 the same calls: every logical pixel shows at
    // ratio 1 what the top-left device pixel of its block shows at ratio 2,
    // so the picture keeps its geometry to the pixel.
    using Figure = std::function<void(TCanvas&)>;
    const std::pair<const char*, Figure> figures[] = {
        {"horizontal lines both ways",
         [](TCanvas& c) {
             c.MoveTo(2, 3);
             c.LineTo(17, 3);
             c.MoveTo(17, 9);
             c.LineTo(2, 9);
         }},
        {"vertical lines both ways",
         [](TCanvas& c) {
             c.MoveTo(4, 1);
             c.LineTo(4, 14);
             c.MoveTo(8, 14);
             c.LineTo(8, 1);
         }},
        {"polyline round a box",
         [](TCanvas& c) {
             const TPoint pts[] = {{1, 1}, {15, 1}, {15, 12}, {1, 12}, {1, 1}};
             c.Polyline(pts);
         }},
        {"fills and pixels",
         [](TCanvas& c) {
             c.Brush = TBrush{clRed, bsSolid};
             c.FillRect({3, 2, 9, 7});
             c.SetPixel(12, 12, clBlue);
             c.SetPixel(0, 0, clLime);
         }},
        {"filled rectangle without outline",
         [](TCanvas& c) {
             c.Pen.Style = psClear;
             c.Brush = TBrush{clGreen, bsSolid};
             c.Rectangle(5, 4, 14, 11);
         }},
        {"clipped fill",
         [](TCanvas& c) {
             c.IntersectClipRect({4, 3, 10, 8});
             c.Brush = TBrush{clNavy, bsSolid};
             c.FillRect({0, 0, 20, 15});
         }},
        {"origin moved",
         [](TCanvas& c) {
             c.MoveOrigin(3, 2);
             c.MoveTo(0, 0);
             c.LineTo(6, 0);
             c.SetPixel(1, 4, clRed);
         }},
    };
    for (const auto& [name, draw] : figures) {
        SCOPED_TRACE(name);
        TBitmap one, two;
        draw(Prepared(one, 1, 20, 15).Canvas());
        draw(Prepared(two, Ratio, 20, 15).Canvas());
        const QImage& a = one.Image();
        const QImage& b = two.Image();
        int differing = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                differing += Rgb(a, x, y) != Rgb(b, Ratio * x, Ratio * y);
        EXPECT_EQ(differing, 0);
        EXPECT_FALSE(Ink(a).empty());
    }
}

TEST(CanvasDeviceRatio, ThinLinesAreOneDevicePixelWideAndLeaveOutTheirEnd) {
    // Every direction, as at ratio 1 but on device pixels: the start's device
    // pixel is painted, the end's is not, one device pixel per device step.
    const TPoint ends[][2] = {
        {{2, 5}, {10, 5}}, {{10, 5}, {2, 5}}, {{4, 1}, {4, 12}}, {{4, 12}, {4, 1}},
        {{1, 1}, {9, 9}},  {{9, 9}, {1, 1}},  {{9, 1}, {1, 9}},  {{12, 1}, {2, 7}},
        {{2, 7}, {12, 1}}, {{3, 12}, {5, 2}},
    };
    for (const auto& e : ends) {
        const TPoint a = e[0], b = e[1];
        SCOPED_TRACE(testing::Message() << a.x << "," << a.y << " -> " << b.x << "," << b.y);
        TBitmap bmp;
        TCanvas& c = Prepared(bmp, Ratio, 20, 20).Canvas();
        c.MoveTo(a.x, a.y);
        c.LineTo(b.x, b.y);
        const QImage& img = bmp.Image();
        EXPECT_EQ(Rgb(img, Ratio * a.x, Ratio * a.y), 0u);
        EXPECT_EQ(Rgb(img, Ratio * b.x, Ratio * b.y), 0xFFFFFFu);
        const auto ink = Ink(img);
        EXPECT_EQ(static_cast<int>(ink.size()),
                  Ratio * std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)));
        // One device pixel wide: no two painted pixels side by side across
        // the line's longer direction.
        const bool wide = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
        for (const auto& [x, y] : ink)
            EXPECT_EQ(ink.count(wide ? std::pair{x, y + 1} : std::pair{x + 1, y}), 0u)
                << x << "," << y;
    }
}

TEST(CanvasDeviceRatio, RectangleOutlineLiesOnTheOutermostDevicePixels) {
    TBitmap bmp;
    TCanvas& c = Prepared(bmp, Ratio, 20, 20).Canvas();
    c.Pen.Color = clBlack;
    c.Brush = TBrush{clRed, bsSolid};
    c.Rectangle(2, 3, 8, 7); // device columns 4..15, rows 6..13
    const QImage& img = bmp.Image();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const bool inside = x >= 4 && x <= 15 && y >= 6 && y <= 13;
            const bool edge = inside && (x == 4 || x == 15 || y == 6 || y == 13);
            const QRgb want = !inside ? 0xFFFFFFu : edge ? 0u : 0xFF0000u;
            ASSERT_EQ(Rgb(img, x, y), want) << x << "," << y;
        }
    // The same outline stroked (an XOR pen, white on white makes black)
    // rather than filled in four strips.
    TBitmap xored;
    TCanvas& d = Prepared(xored, Ratio, 20, 20).Canvas();
    d.Pen = TPen{clWhite, psSolid, 1, pmXor};
    d.Brush.Style = bsClear;
    d.Rectangle(2, 3, 8, 7);
    std::set<std::pair<int, int>> outline;
    for (const auto& [x, y] : Ink(img))
        if (Rgb(img, x, y) == 0)
            outline.insert({x, y});
    EXPECT_EQ(Ink(xored.Image()), outline);
}

TEST(CanvasDeviceRatio, WidePensAndDashesScaleWithTheRatio) {
    TBitmap bmp;
    TCanvas& c = Prepared(bmp, Ratio, 40, 20).Canvas();
    c.Pen.Width = 3;
    c.MoveTo(2, 10);
    c.LineTo(30, 10);
    const QImage& img = bmp.Image();
    int rows = 0;
    for (int y = 0; y < img.height(); ++y)
        rows += Rgb(img, 30, y) == 0;
    EXPECT_EQ(rows, 3 * Ratio);
    EXPECT_EQ(Rgb(img, 2 * Ratio, 20), 0u) << "the start is painted";
    EXPECT_EQ(Rgb(img, 30 * Ratio, 20), 0xFFFFFFu) << "the end is not";

    // A dotted thin line: dots and gaps of three logical pixels, one device
    // pixel high.
    TBitmap one, two;
    for (auto [bitmap, ratio] : {std::pair{&one, 1}, std::pair{&two, Ratio}}) {
        TCanvas& d = Prepared(*bitmap, ratio, 40, 5).Canvas();
        d.Pen.Style = psDot;
        d.MoveTo(0, 2);
        d.LineTo(36, 2);
    }
    const QImage& a = one.Image();
    const QImage& b = two.Image();
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(Rgb(a, x, 2), Rgb(b, Ratio * x, Ratio * 2)) << x;
    EXPECT_EQ(Ink(b).size(), Ratio * Ink(a).size());
}

TEST(CanvasDeviceRatio, TextIsMeasuredLogicallyAndDrawnAtDeviceResolution) {
    TBitmap one, two;
    const QString text = QStringLiteral("Average 0.25");
    TSize extent[2];
    int i = 0;
    for (auto [bitmap, ratio] : {std::pair{&one, 1}, std::pair{&two, Ratio}}) {
        TCanvas& c = Prepared(*bitmap, ratio, 120, 30).Canvas();
        c.Font.Height = -13;
        c.Font.Color = clBlack;
        c.Brush.Style = bsClear;
        extent[i++] = c.TextExtent(text);
        c.TextOut(5, 6, text);
    }
    EXPECT_EQ(extent[0], extent[1]);
    const auto ink = Ink(two.Image());
    ASSERT_FALSE(ink.empty());
    // Inside the logical text cell, and not logical pixels blown up: some
    // aligned 2 x 2 block is only partly inked.
    int partial = 0;
    for (const auto& [x, y] : ink) {
        EXPECT_GE(x, 5 * Ratio);
        EXPECT_LT(x, (5 + extent[0].cx) * Ratio);
        EXPECT_GE(y, 6 * Ratio);
        EXPECT_LT(y, (6 + extent[0].cy) * Ratio);
        const int bx = x / 2 * 2, by = y / 2 * 2;
        partial += ink.count({bx, by}) + ink.count({bx + 1, by}) + ink.count({bx, by + 1}) +
                       ink.count({bx + 1, by + 1}) <
                   4;
    }
    EXPECT_GT(partial, 0);
    // The text cell's background covers whole blocks.
    TBitmap filled;
    TCanvas& f = Prepared(filled, Ratio, 120, 30).Canvas();
    f.Font.Height = -13;
    f.Brush = TBrush{clYellow, bsSolid};
    f.TextOut(5, 6, text);
    const QImage& img = filled.Image();
    EXPECT_NE(Rgb(img, 5 * Ratio, 6 * Ratio), 0xFFFFFFu);
    EXPECT_NE(Rgb(img, (5 + extent[0].cx) * Ratio - 1, (6 + extent[0].cy) * Ratio - 1), 0xFFFFFFu);
    EXPECT_EQ(Rgb(img, (5 + extent[0].cx) * Ratio, (6 + extent[0].cy) * Ratio - 1), 0xFFFFFFu);
}

TEST(CanvasDeviceRatio, PixelReadsWhatSetPixelAndThinLinesPaint) {
    TBitmap bmp;
    TCanvas& c = Prepared(bmp, Ratio, 20, 20).Canvas();
    c.SetPixel(7, 4, clRed);
    const QImage& img = bmp.Image();
    for (int dy = 0; dy < Ratio; ++dy)
        for (int dx = 0; dx < Ratio; ++dx)
            EXPECT_EQ(Rgb(img, 14 + dx, 8 + dy), 0xFF0000u) << "the whole block";
    EXPECT_EQ(Ink(img).size(), static_cast<std::size_t>(Ratio * Ratio));
    EXPECT_EQ(c.Pixel(7, 4), clRed);
    c.Pen.Color = clBlue;
    c.MoveTo(2, 12);
    c.LineTo(18, 12);
    c.MoveTo(5, 0);
    c.LineTo(5, 19);
    for (const TPoint p : {TPoint{2, 12}, TPoint{17, 12}, TPoint{5, 0}, TPoint{5, 18}})
        EXPECT_EQ(c.Pixel(p.x, p.y), clBlue) << p.x << "," << p.y;
    EXPECT_EQ(c.Pixel(18, 12), clWhite);
    EXPECT_EQ(c.Pixel(19, 19), clWhite);
    EXPECT_EQ(c.Pixel(20, 3), std::nullopt);
}

TEST(CanvasDeviceRatio, XorFiguresDrawnTwiceRestoreTheSurface) {
    TBitmap bmp;
    TCanvas& c = Prepared(bmp, Ratio, 30, 30).Canvas();
    c.Brush = TBrush{clTeal, bsSolid};
    c.FillRect({4, 4, 20, 24});
    const QImage before = bmp.Image().copy();
    for (const int width : {1, 3}) {
        c.Pen = TPen{clRed, psSolid, width, pmXor};
        for (int pass = 0; pass < 2; ++pass) {
            c.MoveTo(1, 2);
            c.LineTo(27, 19);
            const TPoint pts[] = {{3, 25}, {12, 6}, {26, 22}};
            c.Polyline(pts);
            c.Brush.Style = bsClear;
            c.Rectangle(6, 5, 22, 18);
        }
        EXPECT_TRUE(bmp.Image() == before) << "width " << width;
    }
}

TEST(CanvasDeviceRatio, BitmapsAreDrawnAtTheirLogicalSize) {
    TBitmap picture(3, 2);
    Clear(picture);
    picture.Canvas().SetPixel(0, 0, clRed);
    picture.Canvas().SetPixel(2, 1, clBlue);
    // Of ratio 1 onto ratio 2: each pixel a block.
    TBitmap bmp;
    TCanvas& c = Prepared(bmp, Ratio, 10, 10).Canvas();
    c.Draw(4, 5, picture);
    const QImage& img = bmp.Image();
    EXPECT_EQ(Rgb(img, 8, 10), 0xFF0000u);
    EXPECT_EQ(Rgb(img, 9, 11), 0xFF0000u);
    EXPECT_EQ(Rgb(img, 10, 10), 0xFFFFFFu);
    EXPECT_EQ(Rgb(img, 13, 13), 0x0000FFu);
    EXPECT_EQ(Ink(img).size(), 2u * Ratio * Ratio);
    // Of the same ratio: pixel for pixel, thin lines stay thin.
    TBitmap sharp;
    TCanvas& s = Prepared(sharp, Ratio, 6, 4).Canvas();
    s.MoveTo(0, 1);
    s.LineTo(6, 1);
    TBitmap target;
    Prepared(target, Ratio, 10, 10).Canvas().Draw(2, 3, sharp);
    std::set<std::pair<int, int>> expected;
    for (int x = 4; x < 16; ++x)
        expected.insert({x, 8});
    EXPECT_EQ(Ink(target.Image()), expected);
    // Stretched over a logical rectangle.
    TBitmap stretched;
    Prepared(stretched, Ratio, 10, 10).Canvas().StretchDraw({0, 0, 6, 4}, picture);
    EXPECT_EQ(Rgb(stretched.Image(), 3, 3), 0xFF0000u);
    EXPECT_EQ(Rgb(stretched.Image(), 4, 0), 0xFFFFFFu);
    EXPECT_EQ(Rgb(stretched.Image(), 11, 7), 0x0000FFu);
    EXPECT_EQ(Rgb(stretched.Image(), 12, 7), 0xFFFFFFu);
}

} // namespace
