// The canvas's state: an origin that moves every call, a clip rectangle,
// the saver that puts pen, brush, font, clip and origin back, reading a
// pixel, and showing a bitmap on a widget.
#include "tests/common/RecordingCanvas.h"
#include "toolkit/Canvas.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

void Clear(TBitmap& bmp) {
    TCanvas& c = bmp.Canvas();
    c.Brush = TBrush{clWhite, bsSolid};
    c.FillRect({0, 0, bmp.Width(), bmp.Height()});
}

bool Ink(const TBitmap& bmp, int x, int y) {
    return (bmp.Image().pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
}

TEST(CanvasState, OriginMovesEveryCall) {
    TRecordingCanvas c;
    c.SetOrigin({10, 20});
    c.MoveOrigin(5, -2); // now (15, 18)
    c.MoveTo(1, 2);
    EXPECT_EQ(c.PenPos(), (TPoint{1, 2}));
    c.LineTo(3, 4);
    const TPoint pts[] = {{0, 0}, {1, 1}};
    c.Polyline(pts);
    c.Rectangle(0, 0, 2, 3);
    c.FillRect({1, 1, 2, 2});
    c.Ellipse(-1, -1, 1, 1);
    c.Arc(0, 0, 4, 4, 4, 2, 2, 0);
    c.SetPixel(7, 7, clRed);
    c.TextOut(-15, -18, QStringLiteral("t"));
    using V = std::vector<TPoint>;
    const auto at = [&](TCanvasOp op) { return c.OfKind(op).at(0).Points; };
    EXPECT_EQ(at(TCanvasOp::MoveTo), (V{{16, 20}}));
    EXPECT_EQ(at(TCanvasOp::LineTo), (V{{16, 20}, {18, 22}}));
    EXPECT_EQ(at(TCanvasOp::Polyline), (V{{15, 18}, {16, 19}}));
    EXPECT_EQ(at(TCanvasOp::Rectangle), (V{{15, 18}, {17, 21}}));
    EXPECT_EQ(at(TCanvasOp::FillRect), (V{{16, 19}, {17, 20}}));
    EXPECT_EQ(at(TCanvasOp::Ellipse), (V{{14, 17}, {16, 19}}));
    EXPECT_EQ(at(TCanvasOp::Arc), (V{{15, 18}, {19, 22}, {19, 20}, {17, 18}}));
    EXPECT_EQ(at(TCanvasOp::SetPixel), (V{{22, 25}}));
    EXPECT_EQ(at(TCanvasOp::TextOut), (V{{0, 0}}));

    // On a bitmap: a rectangle drawn at (0, 0) lies at the origin.
    TBitmap bmp(30, 30);
    Clear(bmp);
    bmp.Canvas().SetOrigin({10, 12});
    bmp.Canvas().Brush.Color = clBlack;
    bmp.Canvas().FillRect({0, 0, 3, 2});
    EXPECT_TRUE(Ink(bmp, 10, 12));
    EXPECT_TRUE(Ink(bmp, 12, 13));
    EXPECT_FALSE(Ink(bmp, 9, 12));
    EXPECT_FALSE(Ink(bmp, 13, 13));
    EXPECT_FALSE(Ink(bmp, 0, 0));
}

TEST(CanvasState, ClipLimitsEveryKindOfDrawing) {
    TBitmap bmp(20, 20);
    Clear(bmp);
    TCanvas& c = bmp.Canvas();
    c.SetOrigin({2, 2});
    c.IntersectClipRect({3, 3, 8, 8}); // surface 5..9
    EXPECT_EQ(c.ClipRect(), (TRect{5, 5, 10, 10}));
    c.IntersectClipRect({0, 0, 6, 20}); // surface 2..7 across, cut to 5..7
    EXPECT_EQ(c.ClipRect(), (TRect{5, 5, 8, 10}));
    c.SetOrigin({0, 0});
    c.Brush = TBrush{clBlack, bsSolid};
    c.Pen = TPen{clBlack, psSolid, 1, pmCopy};
    c.FillRect({0, 0, 20, 20});
    c.MoveTo(0, 15);
    c.LineTo(20, 15);
    c.SetPixel(1, 1, clBlack);
    int inside = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool clipped = x >= 5 && x < 8 && y >= 5 && y < 10;
            if (clipped)
                inside += Ink(bmp, x, y);
            else
                ASSERT_FALSE(Ink(bmp, x, y)) << x << "," << y;
        }
    EXPECT_EQ(inside, 3 * 5);
    c.SetClipRect(std::nullopt);
    c.SetPixel(1, 1, clBlack);
    EXPECT_TRUE(Ink(bmp, 1, 1));
}

TEST(CanvasState, SaverPutsTheStateBackOnEveryWayOut) {
    TRecordingCanvas c;
    c.Pen = TPen{clRed, psDot, 3, pmXor};
    c.Brush = TBrush{clBlue, bsClear};
    c.Font.Height = -17;
    c.SetOrigin({4, 5});
    const auto expectRestored = [&] {
        EXPECT_EQ(c.Pen, (TPen{clRed, psDot, 3, pmXor}));
        EXPECT_EQ(c.Brush, (TBrush{clBlue, bsClear}));
        EXPECT_EQ(c.Font.Height, -17);
        EXPECT_EQ(c.Origin(), (TPoint{4, 5}));
        EXPECT_EQ(c.ClipRect(), std::nullopt);
    };
    const auto scribble = [&] {
        TCanvasStateSaver saved(c);
        c.Pen = TPen{};
        c.Brush = TBrush{};
        c.Font = TFont{};
        c.MoveOrigin(100, 100);
        c.IntersectClipRect({0, 0, 1, 1});
        throw std::runtime_error("painter failed");
    };
    EXPECT_THROW(scribble(), std::runtime_error);
    expectRestored();
}

TEST(CanvasState, PixelsReadBackWhatWasDrawn) {
    TBitmap bmp(10, 10);
    Clear(bmp);
    TCanvas& c = bmp.Canvas();
    c.SetPixel(3, 4, RGBColor(10, 20, 30));
    c.SetOrigin({1, 1});
    EXPECT_EQ(c.Pixel(2, 3), RGBColor(10, 20, 30)); // while the painter is open
    EXPECT_EQ(c.Pixel(0, 0), clWhite);
    EXPECT_EQ(c.Pixel(9, 0), std::nullopt); // beyond the surface
    EXPECT_EQ(c.Pixel(-2, 0), std::nullopt);
}

TEST(CanvasState, PresentedBitmapCoversTheWidgetAndTheBackgroundTheRest) {
    struct TShowing : QWidget {
        TBitmap Bitmap{30, 20};
        void paintEvent(QPaintEvent*) override { PresentBitmap(*this, rect(), Bitmap, clBlue); }
    } widget;
    widget.resize(40, 25);
    widget.Bitmap.Canvas().Brush = TBrush{clRed, bsSolid};
    widget.Bitmap.Canvas().FillRect({0, 0, 30, 20});
    QImage shown(widget.size(), QImage::Format_RGB32);
    shown.fill(Qt::green);
    widget.render(&shown);
    EXPECT_EQ(QColor(shown.pixel(0, 0)), QColor(Qt::red));
    EXPECT_EQ(QColor(shown.pixel(29, 19)), QColor(Qt::red));
    EXPECT_EQ(QColor(shown.pixel(30, 5)), QColor(Qt::blue));
    EXPECT_EQ(QColor(shown.pixel(5, 24)), QColor(Qt::blue));
}

} // namespace
