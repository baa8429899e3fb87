// A scale drawn onto a bitmap: base line, tick positions and lengths, labels,
// in each orientation, as a chart's helper and as a stand-alone scale.
#include "chart/Scale.h"
#include "tests/common/RecordingCanvas.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

bool Ink(const QImage& img, int x, int y) {
    return (img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
}

int InkCount(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += Ink(img, x, y);
    return n;
}

// A helper scale over the whole bitmap, range 0..100 with ticks every 20
// (short ticks every 5); the axis runs over 161 pixels from 20 to 180.
struct Fixture {
    TBitmap bmp;
    TScale scale;
    Fixture(TScaleType type, int w, int h, TFigType labels = ftNoFigs, int offX = 0, int offY = 0)
        : bmp(w, h) {
        bmp.Canvas().Brush = TBrush{clWhite, bsSolid};
        bmp.Canvas().FillRect({0, 0, w, h});
        scale.SetTransparent(true);
        scale.SetIsHelper(true);
        scale.SetFrameStyle(fsNone);
        scale.UseForeignCanvas(&bmp.Canvas(), offX, offY);
        scale.SetBounds(0, 0, w, h);
        scale.SetScaleType(type);
        scale.SetMarginLeft(IsHorizontal(type) ? 20 : 30);
        scale.SetMarginRight(IsHorizontal(type) ? 19 : 30);
        scale.SetMarginTop(IsHorizontal(type) ? 30 : 20);
        scale.SetMarginBottom(IsHorizontal(type) ? 30 : 19);
        scale.SetRange(0, 100);
        scale.SetLabelType(labels);
        scale.ForcePaint();
    }
    const QImage& Image() const { return bmp.Image(); }
};

struct Orientation {
    TScaleType type;
    int base; // row or column of the base line
    int sign; // direction of the ticks across the axis
};

TEST(ScaleDraw, BaseLineAndTicksInEachOrientation) {
    const Orientation cases[] = {
        {sctXT, 30, +1},           // MarginTop
        {sctXB, 100 - 30 - 1, -1}, // height - MarginBottom - 1
        {sctYL, 30, +1},           // MarginLeft
        {sctYR, 100 - 30 - 1, -1}, // width - MarginRight - 1
    };
    for (const Orientation& o : cases) {
        SCOPED_TRACE(o.type);
        const bool horizontal = IsHorizontal(o.type);
        Fixture f(o.type, horizontal ? 200 : 100, horizontal ? 100 : 200);
        const QImage& img = f.Image();
        // (along, across) -> pixel
        auto at = [&](int along, int across) {
            return horizontal ? Ink(img, along, across) : Ink(img, across, along);
        };
        // Base line over the whole axis, both ends included.
        for (int a = 20; a <= 180; ++a)
            EXPECT_TRUE(at(a, o.base)) << a;
        EXPECT_FALSE(at(19, o.base));
        EXPECT_FALSE(at(181, o.base));
        // Labelled ticks: 7 pixels long on horizontal scales, 6 on vertical ones.
        const int labelled = horizontal ? 7 : 6;
        for (int v = 0; v <= 100; v += 20) {
            const int along = horizontal ? 20 + v * 16 / 10 : 180 - v * 16 / 10;
            EXPECT_EQ(f.scale.R2M(v), along);
            for (int k = 0; k < labelled; ++k)
                EXPECT_TRUE(at(along, o.base + o.sign * k)) << v << " " << k;
            EXPECT_FALSE(at(along, o.base + o.sign * labelled)) << v;
            EXPECT_FALSE(at(along, o.base - o.sign)) << v;
        }
        // Short ticks: 4 pixels.
        const int along5 = f.scale.R2M(5);
        EXPECT_EQ(along5, horizontal ? 28 : 172);
        for (int k = 0; k < 4; ++k)
            EXPECT_TRUE(at(along5, o.base + o.sign * k)) << k;
        EXPECT_FALSE(at(along5, o.base + o.sign * 4));
        EXPECT_FALSE(at(along5 + 1, o.base + o.sign));
        // Nothing else at all: no labels with ftNoFigs.
        EXPECT_EQ(InkCount(img), 161 + 6 * (labelled - 1) + 15 * 3);
    }
}

TEST(ScaleDraw, LabelsBesideTheTicks) {
    Fixture x(sctXT, 200, 100, ftNum);
    int below = 0;
    for (int y = 37; y < 100; ++y)
        for (int c = 0; c < 200; ++c)
            below += Ink(x.Image(), c, y);
    EXPECT_GT(below, 20);
    for (int c = 0; c < 200; ++c)
        EXPECT_FALSE(Ink(x.Image(), c, 29)) << c; // nothing on the other side

    Fixture y(sctYR, 100, 200, ftNum);
    int left = 0;
    for (int r = 0; r < 200; ++r)
        for (int c = 0; c < 63; ++c)
            left += Ink(y.Image(), c, r);
    EXPECT_GT(left, 20);
    for (int r = 0; r < 200; ++r)
        EXPECT_FALSE(Ink(y.Image(), 70, r)) << r;
}

TEST(ScaleDraw, LabelPlacement) {
    TRecordingCanvas c; // 6 pixels per character, 13 high
    TScale s;
    s.SetTransparent(true);
    s.UseForeignCanvas(&c, 0, 0);
    s.SetBounds(0, 0, 200, 100);
    s.SetMarginLeft(20);
    s.SetMarginRight(0);
    s.SetMarginTop(30);
    s.SetScaleType(sctXT);
    s.SetRange(0, 100);
    s.ForcePaint();
    auto texts = c.OfKind(TCanvasOp::TextOut);
    ASSERT_EQ(texts.size(), 6u);
    // "0" at x 20: centred, top 7 below the base line.
    EXPECT_EQ(texts[0].Points[0], (TPoint{20 - 3, 37}));
    // "100" at the right end (x 199) is kept 2 pixels inside.
    EXPECT_EQ(texts[5].Points[0], (TPoint{200 - 2 * 9 - 2, 37}));
    // Never left of 2: a label near the left edge.
    s.SetMarginLeft(1);
    c.Clear();
    s.ForcePaint();
    EXPECT_EQ(c.OfKind(TCanvasOp::TextOut)[0].Points[0].x, 2);

    s.SetMarginLeft(20);
    s.SetScaleType(sctXB); // base line at 100 - 20 - 1 = 79
    c.Clear();
    s.ForcePaint();
    EXPECT_EQ(c.OfKind(TCanvasOp::TextOut)[0].Points[0].y, 79 - 13 - 7);

    s.SetBounds(0, 0, 100, 200);
    s.SetMarginTop(20);
    s.SetMarginBottom(19);
    s.SetMarginRight(30);
    s.SetScaleType(sctYR); // base line at column 69, 100 at row 20
    c.Clear();
    s.ForcePaint();
    texts = c.OfKind(TCanvasOp::TextOut);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[5].Points[0], (TPoint{69 - 18 - 8, 20 - 6}));
    s.SetScaleType(sctYL);
    s.SetMarginLeft(30);
    c.Clear();
    s.ForcePaint();
    EXPECT_EQ(c.OfKind(TCanvasOp::TextOut)[5].Points[0], (TPoint{30 + 8, 20 - 6}));
}

TEST(ScaleDraw, CaptionAtItsAnchor) {
    TRecordingCanvas c;
    TScale s;
    s.SetTransparent(true);
    s.UseForeignCanvas(&c, 0, 0);
    s.SetBounds(0, 0, 200, 100);
    s.SetMarginLeft(20);
    s.SetMarginRight(20);
    s.SetMarginTop(30);
    s.SetScaleType(sctXT);
    s.SetLabelType(ftNoFigs);
    s.SetCaption(QStringLiteral("bins")); // 24 wide
    struct {
        TScaleUnitAnchor anchor;
        TAlignment align;
        int x;
    } cases[] = {{uaSclTopLft, taLeftJustify, 20 + 4},
                 {uaSclCenter, taCenter, 100 + 4 - 12},
                 {uaSclBotRgt, taRightJustify, 180 + 4 - 24}};
    for (const auto& k : cases) {
        s.SetCaptionAnchor(k.anchor);
        s.SetCaptionAlignment(k.align);
        c.Clear();
        s.ForcePaint();
        const auto t = c.OfKind(TCanvasOp::TextOut);
        ASSERT_EQ(t.size(), 1u);
        EXPECT_EQ(t[0].Points[0], (TPoint{k.x, 30 + 4}));
    }
}

// A margin across the axis at the integer limit puts the base line far off
// on that side; its labels and caption must stay there, not wrap round.
TEST(ScaleDraw, MarginsAtTheIntegerLimitKeepTheTextsOnTheirSide) {
    const struct {
        TScaleType Type;
        int Left, Right, Top, Bottom;
        int Side; // +1: beyond the right or bottom edge, -1: beyond the left or top
    } cases[] = {
        {sctYL, INT_MAX, 0, 20, 19, +1},
        {sctYR, 0, INT_MAX, 20, 19, -1},
        {sctXT, 20, 19, INT_MAX, 0, +1},
        {sctXB, 20, 19, 0, INT_MAX, -1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Type);
        TRecordingCanvas c;
        TScale s;
        s.SetTransparent(true);
        s.UseForeignCanvas(&c, 0, 0);
        s.SetBounds(0, 0, 200, 100);
        s.SetScaleType(k.Type);
        s.SetMarginLeft(k.Left);
        s.SetMarginRight(k.Right);
        s.SetMarginTop(k.Top);
        s.SetMarginBottom(k.Bottom);
        s.SetRange(0, 100);
        s.SetCaption(QStringLiteral("bins"));
        s.ForcePaint();
        const auto texts = c.OfKind(TCanvasOp::TextOut);
        ASSERT_EQ(texts.size(), 7u); // six labels and the caption
        for (const auto& t : texts) {
            const int across = IsHorizontal(k.Type) ? t.Points[0].y : t.Points[0].x;
            const int edge = IsHorizontal(k.Type) ? 100 : 200;
            if (k.Side > 0)
                EXPECT_GT(across, edge);
            else
                EXPECT_LT(across, 0);
        }
    }
}

TEST(ScaleDraw, HelperOffsetMovesTheAxisAcrossOnly) {
    Fixture f(sctXT, 200, 100, ftNoFigs, 7, 10);
    const QImage& img = f.Image();
    EXPECT_TRUE(Ink(img, 20, 40));
    EXPECT_TRUE(Ink(img, 180, 40));
    EXPECT_FALSE(Ink(img, 19, 40));
    EXPECT_FALSE(Ink(img, 20, 30));
}

TEST(ScaleDraw, StandAloneScaleIsOpaqueAndFramed) {
    TScale s;
    s.SetBounds(0, 0, 120, 60);
    s.SetFrameStyle(fsSimple);
    s.SetColorBackGnd(clSilver);
    s.SetScaleType(sctXT);
    s.SetLabelType(ftNoFigs);
    bool after = false;
    s.OnAfterScaleRendered = [&](TScale*, TCanvas&) { after = true; };
    s.SetSuppressPaint(false);
    EXPECT_TRUE(after);
    const QImage& img = s.Surface().Image();
    ASSERT_EQ(img.width(), 120);
    EXPECT_EQ(QColor(img.pixel(0, 0)), QColor(Qt::black)); // frame
    EXPECT_EQ(QColor(img.pixel(119, 59)), QColor(Qt::black));
    EXPECT_EQ(QColor(img.pixel(60, 50)), QColor(192, 192, 192)); // background
    EXPECT_EQ(QColor(img.pixel(60, 20)), QColor(Qt::black));     // base line at MarginTop
}

} // namespace
