// Pixel rules of the bitmap canvas, checked on the image.
#include "toolkit/Canvas.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

// The rows or columns of the image that hold a pixel differing from white.
struct Painted {
    int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
    int count = 0;
};

Painted Scan(const QImage& img) {
    Painted p;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                p.minX = std::min(p.minX, x);
                p.maxX = std::max(p.maxX, x);
                p.minY = std::min(p.minY, y);
                p.maxY = std::max(p.maxY, y);
                ++p.count;
            }
    return p;
}

void Clear(TBitmap& bmp) {
    TCanvas& c = bmp.Canvas();
    c.Brush = TBrush{clWhite, bsSolid};
    c.FillRect({0, 0, bmp.Width(), bmp.Height()});
}

TEST(Canvas, LinesLeaveOutTheirEndPoint) {
    // Every direction: the start pixel is painted, the end pixel is not, and
    // the line has one pixel per step of its longer side.
    const TPoint ends[][2] = {
        {{2, 5}, {10, 5}}, {{10, 5}, {2, 5}}, {{4, 1}, {4, 12}}, {{4, 12}, {4, 1}},
        {{1, 1}, {9, 9}},  {{9, 9}, {1, 1}},  {{9, 1}, {1, 9}},  {{1, 9}, {9, 1}},
        {{12, 1}, {2, 7}}, {{2, 7}, {12, 1}}, {{3, 12}, {5, 2}}, {{5, 2}, {3, 12}},
    };
    for (const auto& e : ends) {
        const TPoint a = e[0], b = e[1];
        TBitmap bmp(20, 20);
        Clear(bmp);
        bmp.Canvas().MoveTo(a.x, a.y);
        bmp.Canvas().LineTo(b.x, b.y);
        const QImage& img = bmp.Image();
        SCOPED_TRACE(testing::Message() << a.x << "," << a.y << " -> " << b.x << "," << b.y);
        EXPECT_EQ(img.pixel(a.x, a.y) & 0xFFFFFF, 0u);
        EXPECT_EQ(img.pixel(b.x, b.y) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(Scan(img).count, std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)));
        EXPECT_EQ(bmp.Canvas().PenPos(), b);
    }
    // Axis-parallel lines cover exactly the run from the start up to the end.
    TBitmap bmp(20, 20);
    Clear(bmp);
    bmp.Canvas().MoveTo(10, 5);
    bmp.Canvas().LineTo(2, 5);
    const Painted p = Scan(bmp.Image());
    EXPECT_EQ(p.minX, 3);
    EXPECT_EQ(p.maxX, 10);
    EXPECT_EQ(p.minY, 5);
    EXPECT_EQ(p.maxY, 5);
}

TEST(Canvas, PolylineLeavesOutOnlyTheLastPoint) {
    TBitmap bmp(20, 20);
    Clear(bmp);
    // Right, down, left, up: every corner painted once, the last point not.
    const TPoint pts[] = {{2, 2}, {8, 2}, {8, 9}, {4, 9}, {4, 5}};
    bmp.Canvas().Polyline(pts);
    const QImage& img = bmp.Image();
    EXPECT_EQ(Scan(img).count, 6 + 7 + 4 + 4);
    for (const TPoint& corner : {TPoint{2, 2}, TPoint{8, 2}, TPoint{8, 9}, TPoint{4, 9}})
        EXPECT_EQ(img.pixel(corner.x, corner.y) & 0xFFFFFF, 0u) << corner.x << "," << corner.y;
    EXPECT_EQ(img.pixel(4, 6) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(4, 5) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(Canvas, EndPointKeepsWhatWasDrawnThereBefore) {
    TBitmap bmp(20, 20);
    Clear(bmp);
    TCanvas& c = bmp.Canvas();
    c.SetPixel(3, 5, clRed);
    c.Pen.Mode = pmXor;
    c.Pen.Color = clWhite;
    c.MoveTo(10, 5);
    c.LineTo(3, 5); // right to left, ending on the red pixel
    const QImage& img = bmp.Image();
    EXPECT_EQ(QColor(img.pixel(3, 5)), QColor(Qt::red));
    EXPECT_EQ(Scan(img).count, 1 + 7);
}

TEST(Canvas, ThreePixelLineCoversThreeRowsCentredOnIt) {
    TBitmap bmp(30, 30);
    Clear(bmp);
    bmp.Canvas().Pen.Width = 3;
    bmp.Canvas().MoveTo(5, 10);
    bmp.Canvas().LineTo(20, 10);
    const Painted p = Scan(bmp.Image());
    EXPECT_EQ(p.minY, 9);
    EXPECT_EQ(p.maxY, 11);
    EXPECT_EQ(p.minX, 5);
    EXPECT_EQ(p.maxX, 19);
}

TEST(Canvas, RectangleCoversUpToButNotIncludingTheSecondCorner) {
    TBitmap bmp(20, 20);
    Clear(bmp);
    TCanvas& c = bmp.Canvas();
    c.Pen.Color = clRed;
    c.Brush.Color = clBlue;
    c.Rectangle(3, 4, 10, 12);
    const QImage& img = bmp.Image();
    const Painted p = Scan(img);
    EXPECT_EQ(p.minX, 3);
    EXPECT_EQ(p.maxX, 9);
    EXPECT_EQ(p.minY, 4);
    EXPECT_EQ(p.maxY, 11);
    EXPECT_EQ(p.count, 7 * 8);
    EXPECT_EQ(QColor(img.pixel(3, 4)), QColor(Qt::red));  // outline
    EXPECT_EQ(QColor(img.pixel(9, 11)), QColor(Qt::red)); // outline, far corner
    EXPECT_EQ(QColor(img.pixel(5, 6)), QColor(Qt::blue)); // fill

    Clear(bmp);
    c.Brush.Color = clBlue;
    c.FillRect({3, 4, 10, 12});
    const Painted f = Scan(bmp.Image());
    EXPECT_EQ(f.count, 7 * 8);
    EXPECT_EQ(f.maxX, 9);
    EXPECT_EQ(f.maxY, 11);
}

TEST(Canvas, ThinOutlineIsExactlyTheOuterRowsAndColumns) {
    // (x1, y1)-(x2, y2): ordinary, two pixels wide, two high, reaching past
    // the bitmap on every side, given with the corners swapped.
    const TRect rects[] = {
        {3, 4, 10, 12}, {5, 5, 7, 9}, {2, 8, 12, 10}, {-5, 3, 25, 15}, {12, 14, 4, 6}};
    for (const TRect& r : rects) {
        TBitmap bmp(20, 20);
        Clear(bmp);
        TCanvas& c = bmp.Canvas();
        c.Pen.Color = clRed;
        c.Brush.Style = bsClear;
        c.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
        const int x1 = std::min(r.Left, r.Right), x2 = std::max(r.Left, r.Right);
        const int y1 = std::min(r.Top, r.Bottom), y2 = std::max(r.Top, r.Bottom);
        const QImage& img = bmp.Image();
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool inside = x >= x1 && x < x2 && y >= y1 && y < y2;
                const bool edge = inside && (x == x1 || x == x2 - 1 || y == y1 || y == y2 - 1);
                ASSERT_EQ(QColor(img.pixel(x, y)), edge ? QColor(Qt::red) : QColor(Qt::white))
                    << "rect " << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom
                    << " pixel " << x << "," << y;
            }
    }
}

TEST(Canvas, FarCoordinatesAreAcceptedAndClippedAtTheEdge) {
    TBitmap bmp(20, 20);
    Clear(bmp);
    TCanvas& c = bmp.Canvas();
    c.MoveTo(-30000, 7);
    c.LineTo(30000, 7);
    c.MoveTo(12, -30000);
    c.LineTo(12, 30000);
    const QImage& img = bmp.Image();
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(img.pixel(x, 7) & 0xFFFFFF, 0u) << x;
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(img.pixel(12, y) & 0xFFFFFF, 0u) << y;
    EXPECT_EQ(Scan(img).count, 20 + 19);

    Clear(bmp);
    c.Brush.Color = clBlack;
    c.FillRect({-30000, -30000, 5, 30000});
    c.SetPixel(-1, 3, clBlack);
    c.SetPixel(20, 3, clBlack);
    const Painted p = Scan(bmp.Image());
    EXPECT_EQ(p.count, 5 * 20);
    EXPECT_EQ(p.maxX, 4);
}

TEST(Canvas, DashedPenLeavesGaps) {
    TBitmap bmp(60, 5);
    Clear(bmp);
    bmp.Canvas().Pen.Style = psDot;
    bmp.Canvas().MoveTo(0, 2);
    bmp.Canvas().LineTo(60, 2);
    const Painted p = Scan(bmp.Image());
    EXPECT_GT(p.count, 20);
    EXPECT_LT(p.count, 40);
}

TEST(Canvas, XorModeTwiceRestoresTheImage) {
    TBitmap bmp(20, 20);
    Clear(bmp);
    TCanvas& c = bmp.Canvas();
    c.Pen = TPen{clWhite, psSolid, 1, pmXor};
    c.MoveTo(2, 5);
    c.LineTo(15, 5);
    EXPECT_EQ(Scan(bmp.Image()).count, 13);
    c.MoveTo(2, 5);
    c.LineTo(15, 5);
    EXPECT_EQ(Scan(bmp.Image()).count, 0);
}

TEST(Canvas, TextCellStartsAtTheGivenTopLeft) {
    TBitmap bmp(100, 40);
    Clear(bmp);
    TCanvas& c = bmp.Canvas();
    c.Font.Height = -17;
    c.Font.Color = clBlack;
    c.Brush.Style = bsClear;
    const TSize size = c.TextExtent(QStringLiteral("Hg"));
    EXPECT_GE(size.cy, 17);
    EXPECT_GT(size.cx, 10);
    c.TextOut(10, 8, QStringLiteral("Hg"));
    const Painted p = Scan(bmp.Image());
    EXPECT_GE(p.minY, 8);
    EXPECT_LE(p.maxY, 8 + size.cy - 1);
    EXPECT_GE(p.minX, 10);
    EXPECT_LE(p.maxX, 10 + size.cx);
    // The capital reaches near the cell top: the cell is not placed on the baseline.
    EXPECT_LE(p.minY, 8 + size.cy / 3);

    // A solid brush fills exactly the cell.
    Clear(bmp);
    c.Brush = TBrush{clBlue, bsSolid};
    c.TextOut(10, 8, QStringLiteral("Hg"));
    const Painted cell = Scan(bmp.Image());
    EXPECT_EQ(cell.minX, 10);
    EXPECT_EQ(cell.maxX, 10 + size.cx - 1);
    EXPECT_EQ(cell.minY, 8);
    EXPECT_EQ(cell.maxY, 8 + size.cy - 1);
}

TEST(Canvas, TextInEachFontAsOnAFreshCanvas) {
    // The canvas keeps what it measured and laid out per font; after the same
    // text in other fonts it must measure and draw it as a canvas that never
    // saw it (the red one shares its shape with the first, not its colour).
    const QString text = QStringLiteral("Hg 123");
    const TFont fonts[] = {{QStringLiteral("Tahoma"), -11, 0, clBlack},
                           {QStringLiteral("Tahoma"), -17, 0, clBlack},
                           {QStringLiteral("Tahoma"), -11, fsBold, clBlack},
                           {QStringLiteral("Tahoma"), -11, fsItalic, clBlack},
                           {QStringLiteral("Tahoma"), -11, 0, clRed}};
    TBitmap used(120, 40);
    for (const TFont& font : fonts) {
        TBitmap fresh(120, 40);
        for (TBitmap* bmp : {&used, &fresh}) {
            Clear(*bmp);
            bmp->Canvas().Brush.Style = bsClear;
            bmp->Canvas().Font = font;
            bmp->Canvas().TextOut(5, 5, text);
        }
        const TSize usedSize = used.Canvas().TextExtent(text);
        const TSize freshSize = fresh.Canvas().TextExtent(text);
        EXPECT_EQ(usedSize.cx, freshSize.cx) << font.Height << " " << int(font.Style);
        EXPECT_EQ(usedSize.cy, freshSize.cy) << font.Height << " " << int(font.Style);
        EXPECT_TRUE(used.Image() == fresh.Image()) << font.Height << " " << int(font.Style);
    }
}

TEST(Canvas, TextWithALineSeparatorStaysInOneTextCell) {
    // Text drawn at a point never breaks lines, whatever it holds.
    TBitmap bmp(200, 60);
    Clear(bmp);
    TCanvas& c = bmp.Canvas();
    c.Brush.Style = bsClear;
    c.Font.Color = clBlack;
    c.TextOut(5, 5, QStringLiteral("Hg") + QChar::LineSeparator + QStringLiteral("Hg\nHg"));
    const Painted p = Scan(bmp.Image());
    EXPECT_GT(p.count, 0);
    EXPECT_LE(p.maxY, 5 + c.TextHeight(QStringLiteral("Hg")) - 1);
}

TEST(Canvas, PositiveFontHeightIsTheCellHeight) {
    TBitmap bmp(10, 10);
    bmp.Canvas().Font.Height = 20;
    EXPECT_NEAR(bmp.Canvas().TextExtent(QStringLiteral("X")).cy, 20, 1);
}

TEST(Canvas, DrawAndStretchDrawCopyTheBitmap) {
    TBitmap src(4, 3);
    src.Canvas().Brush.Color = clRed;
    src.Canvas().FillRect({0, 0, 4, 3});
    TBitmap dst(20, 20);
    Clear(dst);
    dst.Canvas().Draw(2, 3, src);
    Painted p = Scan(dst.Image());
    EXPECT_EQ(p.minX, 2);
    EXPECT_EQ(p.maxX, 5);
    EXPECT_EQ(p.minY, 3);
    EXPECT_EQ(p.maxY, 5);
    Clear(dst);
    dst.Canvas().StretchDraw({0, 0, 8, 9}, src);
    p = Scan(dst.Image());
    EXPECT_EQ(p.count, 8 * 9);
    EXPECT_EQ(QColor(dst.Image().pixel(7, 8)), QColor(Qt::red));
}

TEST(Canvas, BitmapSizeAndLoading) {
    TBitmap bmp;
    EXPECT_EQ(bmp.Width(), 0);
    bmp.Canvas().MoveTo(0, 0);
    bmp.Canvas().LineTo(5, 5); // nothing to draw on: no effect, no failure
    bmp.SetSize(-3, 7);
    EXPECT_EQ(bmp.Width(), 0);
    bmp.SetSize(6, 7);
    EXPECT_EQ(bmp.Width(), 6);
    EXPECT_EQ(bmp.Height(), 7);
    EXPECT_FALSE(bmp.LoadFromFile(QStringLiteral("/nonexistent/picture.png")));
    EXPECT_EQ(bmp.Width(), 6);

    const QString path = QString::fromStdString(testing::TempDir()) + "/canvas_load.png";
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(Qt::green);
    ASSERT_TRUE(img.save(path));
    ASSERT_TRUE(bmp.LoadFromFile(path));
    EXPECT_EQ(bmp.Width(), 3);
    EXPECT_EQ(QColor(bmp.Image().pixel(1, 1)), QColor(Qt::green));
}

TEST(Canvas, SystemColoursComeFromThePalette) {
    EXPECT_EQ(ColorToQColor(clBtnFace), QGuiApplication::palette().color(QPalette::Button));
    EXPECT_EQ(ColorToQColor(clWindowText), QGuiApplication::palette().color(QPalette::WindowText));
    EXPECT_EQ(ColorToQColor(RGBColor(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(ColorToQColor(clBlue), QColor(0, 0, 255));
}

} // namespace
