// The chart's thirty text labels: their defaults and reset, where and in
// which order the rendering pass draws them, their change reports and their
// place in the chart's description.

#include "chart/TextLabel.h"
#include "PlotChartFixture.h"
#include "chart/ChartPropertyTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

// Every setting of a label, for comparing two of them.
struct TLabelValues {
    bool Visible;
    QString Caption;
    double PosX, PosY;
    bool ScreenPos;
    int Layer;
    TFont Font;
    TAlignment Alignment;
    bool Transparent;
    TColor BkColor;
    friend bool operator==(const TLabelValues&, const TLabelValues&) = default;
};

TLabelValues ValuesOf(const TTextLabel& l) {
    return {l.Visible(), l.Caption(), l.PosX(),      l.PosY(),        l.ScreenPos(),
            l.Layer(),   l.Font(),    l.Alignment(), l.Transparent(), l.BkColor()};
}

// A label unlike a new one in every setting.
void ChangeEverything(TTextLabel& l) {
    l.SetVisible(true);
    l.SetCaption(QStringLiteral("Peak 'A'\nsecond line"));
    l.SetPos(2.5, -7.25);
    l.SetScreenPos(true);
    l.SetLayer(2);
    l.SetFont({QStringLiteral("Courier New"), -15, fsBold, clNavy});
    l.SetAlignment(taRightJustify);
    l.SetTransparent(false);
    l.SetBkColor(clYellow);
}

// A label in screen pixels with a solid background, to find it by colour.
void PlaceBlock(TTextLabel& l, int x, int y, TColor bk, TAlignment align = taLeftJustify) {
    l.SetCaption(QStringLiteral("MMMM"));
    l.SetScreenPos(true);
    l.SetPos(x, y);
    l.SetTransparent(false);
    l.SetBkColor(bk);
    l.SetFont({QStringLiteral("Tahoma"), -11, 0, bk});
    l.SetAlignment(align);
    l.SetVisible(true);
}

int TextWidth(const TFont& font, const QString& text) {
    TBitmap bmp(10, 10);
    bmp.Canvas().Font = font;
    return bmp.Canvas().TextWidth(text);
}

} // namespace

TEST(TextLabels, NewAndResetLabelsAreHiddenAndEmpty) {
    TPlotChart chart;
    const TLabelValues fresh = ValuesOf(TTextLabel());
    EXPECT_FALSE(fresh.Visible);
    EXPECT_TRUE(fresh.Caption.isEmpty());
    for (int i = 1; i <= TCustomPlotChart::NumTextLabels; ++i)
        EXPECT_EQ(ValuesOf(chart.TextLabels(i)), fresh) << i;

    for (int i : {1, 15, 30})
        ChangeEverything(chart.TextLabels(i));
    chart.ResetComp();
    for (int i : {1, 15, 30})
        EXPECT_EQ(ValuesOf(chart.TextLabels(i)), fresh) << i;

    // Numbers beyond 1..30 reach the nearest label.
    EXPECT_EQ(&chart.TextLabels(0), &chart.TextLabels(1));
    EXPECT_EQ(&chart.TextLabels(31), &chart.TextLabels(30));
}

// Label 1 lies over label 2, which lies over label 30; all of them over the
// data and under the plot frame. Hidden labels leave no trace.
TEST(TextLabels, DrawnFromThirtyDownToOneOverTheDataUnderTheFrame) {
    auto chart = MakeShownChart(Chart1Size);
    SetRanges(*chart, 0, 10, 0, 10);
    chart->SetFillCol(clLime);
    chart->Rectangle(0.0, 0.0, 10.0, 10.0);
    chart->ShowGraf();
    const int L = 50, T = 20;

    PlaceBlock(chart->TextLabels(30), 20, 20, clBlue);
    PlaceBlock(chart->TextLabels(2), 24, 22, clRed);
    PlaceBlock(chart->TextLabels(1), 28, 24, clYellow);
    // Reaching over the plot area's left edge, where the frame lies.
    PlaceBlock(chart->TextLabels(7), -10, 100, clFuchsia);
    const QImage& img = chart->SurfaceImage();
    EXPECT_EQ(PixelAt(img, L + 21, T + 21), clBlue);
    EXPECT_EQ(PixelAt(img, L + 25, T + 23), clRed);
    EXPECT_EQ(PixelAt(img, L + 29, T + 25), clYellow);
    EXPECT_EQ(PixelAt(img, L + 3, T + 102), clFuchsia);
    EXPECT_EQ(PixelAt(img, L, T + 102), clBlack) << "the frame is drawn after the labels";
    EXPECT_EQ(PixelAt(img, L + 200, T + 200), clLime) << "the data beside the labels";

    chart->TextLabels(1).SetVisible(false);
    EXPECT_EQ(PixelAt(chart->SurfaceImage(), L + 29, T + 25), clRed);
    chart->TextLabels(2).SetVisible(false);
    EXPECT_EQ(PixelAt(chart->SurfaceImage(), L + 29, T + 25), clBlue);
    chart->TextLabels(30).SetVisible(false);
    EXPECT_EQ(PixelAt(chart->SurfaceImage(), L + 29, T + 25), clLime);
}

// The position is the top of the text block and, by the alignment, its left
// edge, right edge or middle; a world position follows the layer's axes.
TEST(TextLabels, PositionAndAlignment) {
    auto chart = MakeShownChart(Chart1Size);
    SetRanges(*chart, 0, 10, 0, 10);
    const TFont font{QStringLiteral("Tahoma"), -11, 0, clBlue};
    const int w = TextWidth(font, QStringLiteral("MMMM"));
    ASSERT_GT(w, 4);
    int px, py;
    chart->R2M(1, 5.0, 5.0, px, py);

    const struct {
        TAlignment Align;
        int Left; // first column of the block, in control pixels
    } cases[] = {{taLeftJustify, px}, {taRightJustify, px - w}, {taCenter, px - w / 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Align));
        TTextLabel& l = chart->TextLabels(5);
        PlaceBlock(l, 0, 0, clBlue, c.Align);
        l.SetScreenPos(false);
        l.SetPos(5.0, 5.0);
        const QImage& img = chart->SurfaceImage();
        EXPECT_EQ(PixelAt(img, c.Left, py), clBlue);
        EXPECT_EQ(PixelAt(img, c.Left + w - 1, py), clBlue);
        EXPECT_EQ(PixelAt(img, c.Left - 1, py), clWhite);
        EXPECT_EQ(PixelAt(img, c.Left + w, py), clWhite);
        EXPECT_EQ(PixelAt(img, c.Left, py - 1), clWhite);
    }

    // The label stays on its data when the range moves.
    SetRanges(*chart, 5, 15, 0, 10);
    EXPECT_EQ(PixelAt(chart->SurfaceImage(), 51, py), clBlue);
    EXPECT_EQ(PixelAt(chart->SurfaceImage(), px, py), clWhite);
}

TEST(TextLabels, TransparentLabelsDrawOnlyTheirGlyphs) {
    auto chart = MakeShownChart(Chart1Size);
    TTextLabel& l = chart->TextLabels(3);
    PlaceBlock(l, 100, 100, clRed);
    const auto count = [&](TColor c) {
        const QImage& img = chart->SurfaceImage();
        int n = 0;
        for (int y = 110; y < 150; ++y)
            for (int x = 140; x < 220; ++x)
                n += PixelAt(img, x, y) == c;
        return n;
    };
    const int solid = count(clRed);
    l.SetTransparent(true);
    const int glyphs = count(clRed);
    EXPECT_GT(glyphs, 0);
    EXPECT_LT(glyphs * 2, solid);
    l.SetCaption(QString());
    EXPECT_EQ(count(clRed), 0);
}

// Every setting reports a change, and the chart repaints on it while
// AutoRedraw is on, the same after a reset; with AutoRedraw off nothing paints.
TEST(TextLabels, EveryChangeRepaintsWithAutoRedraw) {
    auto chart = MakeShownChart(Chart1Size);
    const std::pair<const char*, std::function<void(TTextLabel&)>> changes[] = {
        {"Visible", [](TTextLabel& l) { l.SetVisible(true); }},
        {"Caption", [](TTextLabel& l) { l.SetCaption(QStringLiteral("x")); }},
        {"PosX", [](TTextLabel& l) { l.SetPosX(1); }},
        {"PosY", [](TTextLabel& l) { l.SetPosY(1); }},
        {"Pos", [](TTextLabel& l) { l.SetPos(2, 2); }},
        {"ScreenPos", [](TTextLabel& l) { l.SetScreenPos(true); }},
        {"Layer", [](TTextLabel& l) { l.SetLayer(2); }},
        {"Font", [](TTextLabel& l) { l.SetFont({}); }},
        {"Alignment", [](TTextLabel& l) { l.SetAlignment(taCenter); }},
        {"Transparent", [](TTextLabel& l) { l.SetTransparent(false); }},
        {"BkColor", [](TTextLabel& l) { l.SetBkColor(clRed); }},
        {"Assign", [](TTextLabel& l) { l.Assign(TTextLabel()); }},
    };
    for (int round = 0; round < 2; ++round) {
        for (const auto& [name, change] : changes) {
            SCOPED_TRACE(name);
            const int before = chart->PaintCount();
            change(chart->TextLabels(12));
            EXPECT_EQ(chart->PaintCount(), before + 1);
        }
        chart->ResetComp();
        chart->SetSuppressPaint(false);
    }

    int before = chart->PaintCount();
    chart->TextLabels(12).SetPos(2, 2);
    chart->TextLabels(12).SetPos(2, 2); // unchanged: no report
    EXPECT_EQ(chart->PaintCount(), before + 1);
    before = chart->PaintCount();
    TTextLabel other;
    ChangeEverything(other);
    chart->SetTextLabels(12, other);
    EXPECT_EQ(chart->PaintCount(), before + 1) << "one repaint for a whole assignment";
    EXPECT_EQ(ValuesOf(chart->TextLabels(12)), ValuesOf(other));

    chart->SetAutoRedraw(false);
    before = chart->PaintCount();
    for (const auto& [name, change] : changes)
        change(chart->TextLabels(12));
    EXPECT_EQ(chart->PaintCount(), before);
}

// Labels are written into the chart's description and read back from it;
// untouched hidden labels write nothing, so descriptions without labels
// stay as they were.
TEST(TextLabels, DescriptionRoundTrip) {
    TPlotChart fresh;
    for (const TDescProperty& p : WriteChartProperties(fresh))
        EXPECT_FALSE(p.Name.startsWith(QStringLiteral("TextLabel"))) << p.Name.toStdString();

    TPlotChart source;
    ChangeEverything(source.TextLabels(3));
    source.TextLabels(30).SetCaption(QStringLiteral("hidden but named"));
    TDescObject root{"Form", "TForm", 0, {}, {WriteChartDescription(source, "Chart9")}};
    const TDescObject parsed = ParseWindowDescription(WriteWindowDescription(root));
    std::map<QString, QString> written;
    TPlotChart copy;
    copy.BeginLoading();
    for (const TDescProperty& p : parsed.Children.at(0).Properties) {
        copy.SetDescProperty(p.Name, p.Value);
        written[p.Name] = p.Value;
    }
    copy.Loaded();

    for (int i = 1; i <= TCustomPlotChart::NumTextLabels; ++i)
        EXPECT_EQ(ValuesOf(copy.TextLabels(i)), ValuesOf(source.TextLabels(i))) << i;
    EXPECT_EQ(written.at("TextLabel3.Visible"), "True");
    EXPECT_EQ(written.at("TextLabel30.Caption"), "'hidden but named'");
    EXPECT_EQ(written.count("TextLabel30.Visible"), 0u);
    for (const auto& [name, value] : written)
        EXPECT_TRUE(!name.startsWith(QStringLiteral("TextLabel")) ||
                    name.startsWith(QStringLiteral("TextLabel3.")) ||
                    name.startsWith(QStringLiteral("TextLabel30.")))
            << name.toStdString();
}
