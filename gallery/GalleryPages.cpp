// The gallery's pages, one function each, and the table that lists them.
// Each function shows one feature of the chart component the way a program
// would use it: set the axes, append items, ShowGraf.

#include "chart/BakGndImg.h"
#include "chart/CrossHair.h"
#include "chart/JointLayers.h"
#include "chart/PlotChart.h"
#include "chart/ScaleProps.h"
#include "chart/StandardLayout.h"
#include "chart/TextLabel.h"
#include "gallery/GalleryPage.h"
#include "gallery/MousePages.h"
#include "gallery/PageHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <array>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <memory>
#include <numbers>

namespace {

// --- item kinds ---------------------------------------------------------------

void LinesPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    Captions(c, "MoveTo / DrawTo, Line, LineOffset, MoveToRelPix, DrawToRelPix", "x", "y");
    SetRanges(c, 0, 10, -1.6, 1.6);
    c.ClearGraf();
    c.SetDataCol(clBlue);
    Curve(c, 0, 10, 200, [](double x) { return std::sin(x); });
    c.SetDataCol(clRed);
    c.SetLineWid(3);
    Curve(c, 0, 10, 200, [](double x) { return 0.6 * std::cos(x); });
    c.SetLineWid(1);
    const std::array<TPenStyle, 4> styles{psDash, psDot, psDashDot, psDashDotDot};
    for (std::size_t i = 0; i < styles.size(); ++i) {
        c.SetPenStyle(styles[i]);
        c.SetDataCol(DarkGreen);
        const double y = 1.4 - 0.2 * static_cast<double>(i);
        c.Line(0.5, y, 4.5, y);
    }
    c.SetPenStyle(psSolid);
    c.SetDataCol(Orange);
    c.SetLineWid(2);
    // The same segment, once as given and once shifted by 12 pixels down.
    c.Line(6.0, 1.3, 9.5, 0.9);
    c.LineOffset(6.0, 1.3, 9.5, 0.9, 0, 12);
    // A staircase in pixel steps from a world point.
    c.SetDataCol(clPurple);
    c.MoveTo(1.0, -1.2);
    for (int i = 0; i < 6; ++i) {
        c.DrawToRelPix(12, 0);
        c.DrawToRelPix(0, -8);
    }
    // A pen move in pixels, then rays from one world point to pixel offsets.
    c.MoveToRelPix(24, 0);
    c.DrawToRelPix(12, 8);
    for (int i = 0; i < 5; ++i)
        c.DrawToRelPix(6.5, -1.0, 60, -12 * i);
    c.SetLineWid(1);
    c.ShowGraf();
}

void AreasPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    Captions(c, "Rectangle, RectangleRelPix, RectFrame, Bar3D, Ellipse, Arc", "x", "y");
    SetRanges(c, 0, 12, 0, 8);
    c.ClearGraf();
    c.SetDataCol(clNavy);
    c.SetFillCol(SkyBlue);
    c.Rectangle(0.5, 5.0, 3.0, 7.5);
    c.SetTranspItems(true);
    c.Rectangle(1.0, 4.5, 3.5, 7.0);
    c.SetTranspItems(false);
    c.SetFillCol(Orange);
    c.RectangleRelPix(5.0, 6.2, 20, 12);
    const std::array<TFrameStyle, 5> frames{fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved};
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const double x = 7.0 + static_cast<double>(i);
        c.RectFrame(x, 5.5, x + 0.8, 7.3, frames[i], clGray, clWhite);
    }
    c.SetDataCol(clBlack);
    c.SetFillCol(RGBColor(120, 200, 120));
    for (int i = 0; i < 4; ++i) {
        const double x = 0.7 + 1.4 * i;
        c.Bar3D(x, 0.5, x + 0.9, 1.5 + i, 10, 45);
    }
    c.SetFillCol(RGBColor(250, 200, 200));
    c.SetDataCol(clMaroon);
    c.Ellipse(8.0, 2.5, 3.0, 2.5);
    c.SetTranspItems(true);
    c.SetDataCol(clBlue);
    c.SetLineWid(2);
    c.Arc(8.0, 2.5, 4.0, 3.5, 20, 160);
    c.SetLineWid(1);
    c.SetTranspItems(false);
    c.ShowGraf();
}

void MarksPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    Captions(c, "MarkAt: the nine symbols; MarkErrorBar", "symbol", "y");
    SetRanges(c, -0.5, 8.5, 0, 10);
    c.Scale1X().SetDecPlaces(0);
    c.ClearGraf();
    c.SetFillCol(Orange);
    for (int mk = 0; mk < 9; ++mk) {
        c.SetDataCol(mk % 2 ? clBlue : clMaroon);
        c.MarkAt(static_cast<double>(mk), 8.5, mk);
    }
    c.SetDataCol(clBlack);
    c.SetFillCol(SkyBlue);
    for (int i = 0; i < 9; ++i) {
        const double x = i;
        const double y = 2 + 4 * std::exp(-(x - 4) * (x - 4) / 6);
        // Vertical bars on the left half, horizontal ones on the right.
        if (i < 5)
            c.MarkErrorBar(x, y, 0.4 + 0.1 * i, 0.8, 0, 6);
        else
            c.MarkErrorBar(x, y, 0.3, 0.3, 1, 4);
    }
    c.ShowGraf();
}

void TextsPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    Captions(c, "Text: alignment, background, offset, long and multi-line texts", "x", "y");
    SetRanges(c, 0, 10, 0, 10);
    c.ClearGraf();
    c.SetDataCol(clSilver);
    c.CursorVert(5.0);
    c.SetDataCol(clBlack);
    c.SetTextAlignment(taLeftJustify);
    c.Text(5.0, 9.0, 10, QStringLiteral("left"));
    c.SetTextAlignment(taCenter);
    c.Text(5.0, 8.0, 10, QStringLiteral("centre"));
    c.SetTextAlignment(taRightJustify);
    c.Text(5.0, 7.0, 10, QStringLiteral("right"));
    c.SetTextAlignment(taCenter);
    c.SetTextBkStyle(tbSolid);
    c.SetFillCol(Pale);
    c.SetDataCol(clMaroon);
    c.Text(2.5, 5.0, 12, QStringLiteral("solid background"));
    c.SetTextBkStyle(tbClear);
    c.SetDataCol(clBlue);
    c.MarkAt(7.5, 5.0, 1);
    c.Text(7.5, 5.0, 9, QStringLiteral("20 px right"), 20, 0, taLeftJustify);
    c.SetDataCol(DarkGreen);
    c.Text(5.0, 3.0, 14, QStringLiteral("a text longer than fifteen characters"));
    c.SetDataCol(clBlack);
    c.Text(5.0, 1.5, 9, QStringLiteral("first line\nsecond line"));
    c.ShowGraf();
}

void ArrowsPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    Captions(c, "Arrow, DoubleArrow, CursorVert, CursorHoriz", "x", "y");
    SetRanges(c, 0, 10, 0, 10);
    c.ClearGraf();
    c.SetDataCol(SkyBlue);
    c.CursorVert(2.0);
    c.CursorHoriz(7.5);
    c.SetDataCol(clBlack);
    c.SetFillCol(clRed);
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4;
        c.Arrow(6.0, 4.5, 6.0 + 3 * std::cos(a), 4.5 + 3 * std::sin(a), 6 + i);
    }
    c.SetDataCol(clNavy);
    c.SetFillCol(clNavy);
    c.DoubleArrow(0.5, 9.0, 4.5, 9.0, 8);
    c.SetTranspItems(true);
    c.SetDataCol(clMaroon);
    c.DoubleArrow(0.5, 1.0, 1.5, 6.5, 10);
    c.SetTranspItems(false);
    c.ShowGraf();
}

void AnnotationsPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    Captions(c, "Data in world values, annotations in pixels", "phase", "flux");
    SetRanges(c, 0, 10, -0.5, 1.5);
    c.ClearGraf();
    c.SetDataCol(clBlue);
    c.SetLineWid(2);
    Curve(c, 0, 10, 300, Pulse);
    c.SetLineWid(1);
    c.ShowGraf();
    // Annotations stay where they are put on the plot area whatever the ranges.
    c.SetAnnoMode(true);
    c.SetDataCol(clBlack);
    c.SetFillCol(Pale);
    c.Rectangle(10, 10, 170, 52);
    c.SetTextAlignment(taLeftJustify);
    c.Text(18, 16, 9, QStringLiteral("annotation box"));
    c.Text(18, 32, 9, QStringLiteral("at pixel 10, 10"));
    c.SetDataCol(clRed);
    c.SetFillCol(clRed);
    c.Arrow(170, 52, 5.0, 1.0, 8); // pixels to a world point
    c.SetTextAlignment(taCenter);
    c.SetAnnoMode(false);
    auto* below = new QCheckBox(QStringLiteral("AnnoBelowChart"), &Page);
    auto* visible = new QCheckBox(QStringLiteral("AnnosVisible"), &Page);
    visible->setChecked(true);
    Page.Controls().addWidget(below);
    Page.Controls().addWidget(visible);
    Page.Controls().addStretch(1);
    QObject::connect(below, &QCheckBox::toggled, &Page, [&c](bool on) { c.SetAnnoBelowChart(on); });
    QObject::connect(visible, &QCheckBox::toggled, &Page, [&c](bool on) { c.SetAnnosVisible(on); });
}

// --- axes -----------------------------------------------------------------------

void LinearAxesPage(TGalleryPage& Page) {
    TPlotChart& a = Page.AddChart();
    Captions(a, "Automatic decimals, short ticks", "time [s]", "level");
    SetRanges(a, -0.002, 0.0135, 950, 1210);
    a.ClearGraf();
    a.SetDataCol(clBlue);
    Curve(a, -0.002, 0.0135, 200,
          [](double t) { return 1080 + 110 * std::sin(t * 900) * std::exp(-t * 90); });
    a.ShowGraf();

    TPlotChart& b = Page.AddChart();
    Captions(b, "Falling X range, two decimals, at least 6 ticks", "x (falling)", "y");
    SetRanges(b, 10, 0, -1, 1);
    b.Scale1Y().SetDecPlaces(2);
    b.Scale1Y().SetMinTicks(6);
    b.Scale1X().SetShortTicks(false);
    b.ClearGraf();
    b.SetDataCol(clRed);
    Curve(b, 0, 10, 200, [](double x) { return std::sin(x) * std::exp(-x / 6); });
    b.ShowGraf();
}

void LogAxesPage(TGalleryPage& Page) {
    TPlotChart& a = Page.AddChart();
    Captions(a, "Both axes logarithmic: a power law is straight", "frequency [MHz]", "flux [mJy]");
    SetRanges(a, 100, 10000, 0.01, 100);
    a.Scale1X().SetLogarithmic(true);
    a.Scale1Y().SetLogarithmic(true);
    a.ClearGraf();
    a.SetDataCol(clBlue);
    a.SetLineWid(2);
    Curve(a, 100, 10000, 100, [](double f) { return 40 * std::pow(f / 100, -1.6); });
    a.SetLineWid(1);
    a.SetDataCol(clBlack);
    a.SetFillCol(Orange);
    for (double f : {150.0, 400.0, 1400.0, 3100.0, 8000.0})
        a.MarkAt(f, 40 * std::pow(f / 100, -1.6) * (f > 1000 ? 1.3 : 0.8), 6);
    a.ShowGraf();

    TPlotChart& b = Page.AddChart();
    Captions(b, "Y logarithmic, less than a decade on X", "x", "exp(x)");
    SetRanges(b, 0, 9, 1, 10000);
    b.Scale1Y().SetLogarithmic(true);
    b.ClearGraf();
    b.SetDataCol(clRed);
    Curve(b, 0, 9, 200, [](double x) { return std::exp(x); });
    b.ShowGraf();
}

void TimeAxisPage(TGalleryPage& Page) {
    TPlotChart& a = Page.AddChart();
    Captions(a, "LabelType ftTime: values are seconds of the day", "time of day", "counts");
    const double start = 9 * 3600.0 + 20 * 60;
    const double end = 14 * 3600.0 + 5 * 60;
    SetRanges(a, start, end, 0, 120);
    a.Scale1X().SetLabelType(ftTime);
    a.Scale1X().DateFormat().SetTimeFormat(tfAMPM);
    a.ClearGraf();
    a.SetDataCol(DarkGreen);
    Curve(a, start, end, 300, [start](double t) {
        const double h = (t - start) / 3600;
        return 60 + 40 * std::sin(h * 2) + 10 * std::sin(h * 11);
    });
    a.ShowGraf();

    TPlotChart& b = Page.AddChart();
    Captions(b, "A span of 20 ms: thousandths", "time", "signal");
    const double t0 = 13 * 3600.0;
    SetRanges(b, t0, t0 + 0.02, -1, 1);
    b.Scale1X().SetLabelType(ftTime);
    b.ClearGraf();
    b.SetDataCol(clBlue);
    Curve(b, t0, t0 + 0.02, 200, [t0](double t) { return std::sin((t - t0) * 600); });
    b.ShowGraf();
}

void DateAxisPage(TGalleryPage& Page) {
    const double first = DayNumber(QDate(2026, 3, 1));
    const double last = DayNumber(QDate(2026, 6, 20));
    TPlotChart& a = Page.AddChart();
    Captions(a, "LabelType ftDateTime: values are day numbers", "date", "period drift [ns]");
    SetRanges(a, first, last, -40, 40);
    a.Scale1X().SetLabelType(ftDateTime);
    a.ClearGraf();
    a.SetDataCol(clBlack);
    a.SetFillCol(SkyBlue);
    for (double d = first + 3; d < last; d += 9)
        a.MarkErrorBar(d, 30 * std::sin((d - first) / 18), 6, 6, 0, 6);
    a.ShowGraf();

    TPlotChart& b = Page.AddChart();
    Captions(b, "A day and a half, year first, no month names", "", "load");
    SetRanges(b, first, first + 1.5, 0, 1);
    b.Scale1X().SetLabelType(ftDateTime);
    TDTLabel format = b.Scale1X().DateFormat();
    format.SetDateOrder(doYYMMDD);
    format.SetMonthName(false);
    format.SetDateSeparator(u'/');
    format.SetYearLength(ylYY);
    format.SetTimeFormat(tfHHhMM);
    b.Scale1X().SetDateFormat(format);
    b.ClearGraf();
    b.SetDataCol(clRed);
    Curve(b, first, first + 1.5, 200,
          [first](double d) { return 0.5 + 0.4 * std::sin((d - first) * 2 * std::numbers::pi); });
    b.ShowGraf();
}

void LayersPage(TGalleryPage& Page) {
    TPlotChart& a = Page.AddChart();
    a.SetStdLayout(lay_X2Both_Y2Both);
    a.SetChartCaption("Two layers, each with its own axes");
    SetRanges(a, 0, 360, -1, 1);
    a.Scale1X().SetCaption("phase [deg]");
    SetRange(a.Scale2X(), 0, 1);
    a.Scale2X().SetCaption("phase [turns]");
    SetRange(a.Scale2Y(), 0, 500);
    a.ClearGraf();
    // The bars first, so that the curve lies over them.
    a.SetActiveLayer(2);
    a.SetDataCol(clMaroon);
    a.SetFillCol(RGBColor(235, 190, 190));
    for (int i = 0; i < 20; ++i)
        a.Rectangle(i / 20.0 + 0.005, 0.0, (i + 1) / 20.0 - 0.005, 250 + 200 * std::sin(i * 0.7));
    a.SetActiveLayer(1);
    a.SetDataCol(clBlack);
    a.SetLineWid(2);
    Curve(a, 0, 360, 180, [](double x) { return std::cos(x * std::numbers::pi / 180); });
    a.SetLineWid(1);
    a.ShowGraf();

    TPlotChart& b = Page.AddChart();
    b.SetStdLayout(lay_X1Bottom_Y2Both);
    b.SetChartCaption("Layer 2 takes its X range from layer 1");
    SetRanges(b, 0, 24, 0, 30);
    b.Scale1Y().SetCaption("T [C]");
    SetRange(b.Scale2Y(), 900, 1030);
    b.Scale2Y().SetCaption("p [hPa]");
    b.JointLayers().SetControlledLayerX(2, 1);
    b.ClearGraf();
    b.SetDataCol(clBlue);
    Curve(b, 0, 24, 96,
          [](double h) { return 15 + 8 * std::sin((h - 9) * std::numbers::pi / 12); });
    b.SetActiveLayer(2);
    b.SetDataCol(clMaroon);
    b.SetPenStyle(psDash);
    Curve(b, 0, 24, 96, [](double h) { return 1000 + 15 * std::cos(h / 4); });
    b.SetPenStyle(psSolid);
    b.SetActiveLayer(1);
    b.ShowGraf();
}

// --- the plot area and the frame around it --------------------------------------------

void GridPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    Captions(c, "GridStyle", "x", "y");
    SetRanges(c, 0, 10, -1.2, 1.2);
    c.SetGridColor(clGray);
    c.ClearGraf();
    c.SetDataCol(clBlue);
    Curve(c, 0, 10, 200, [](double x) { return std::sin(x) * std::cos(x / 3); });
    c.ShowGraf();
    Chooser(Page, "GridStyle",
            {"gsNone", "gsPoints", "gsVertLines", "gsHorizLines", "gsLines", "gsHorizDotLines",
             "gsVertDotLines", "gsDotLines"},
            gsDotLines, [&c](int i) { c.SetGridStyle(static_cast<GridStyleType>(i)); });
}

void AreaModesPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    Captions(c, "BackGroundImg.AreaMode: a band in world values", "x", "y");
    SetRanges(c, 0, 10, 0, 10);
    TBakGndImg& bg = c.BackGroundImg();
    bg.SetAreaColor(RGBColor(255, 226, 180));
    bg.SetAreaLeft(3);
    bg.SetAreaRight(7);
    bg.SetAreaTop(7.5);
    bg.SetAreaBottom(2.5);
    c.ClearGraf();
    c.SetDataCol(clBlue);
    Curve(c, 0, 10, 200, [](double x) { return 5 + 4 * std::sin(x * 1.3); });
    c.SetDataCol(clGray);
    c.SetPenStyle(psDot);
    for (double v : {3.0, 7.0})
        c.CursorVert(v);
    for (double v : {2.5, 7.5})
        c.CursorHoriz(v);
    c.SetPenStyle(psSolid);
    c.ShowGraf();
    Chooser(Page, "AreaMode (left 3, right 7, top 7.5, bottom 2.5)",
            {"bamNone", "bamLeft", "bamRight", "bamTop", "bamBottom", "bamVStripe", "bamHStripe",
             "bamRect", "bamRectInv", "bamVStripeInv", "bamHStripeInv"},
            bamRect, [&c](int i) { c.BackGroundImg().SetAreaMode(static_cast<TBGAreaMode>(i)); });
}

void BackgroundPicturePage(TGalleryPage& Page) {
    // A picture made here, so the page needs no file of its own; it lives as
    // long as the page.
    auto* folder = new QTemporaryDir;
    QObject::connect(&Page, &QObject::destroyed, [folder] { delete folder; });
    const QString file = folder->filePath("sky.png");
    QImage sky(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < sky.height(); ++y)
        for (int x = 0; x < sky.width(); ++x)
            sky.setPixel(x, y, qRgb(200 + x / 2, 220 + y / 4, 255 - (x + y) / 4));
    sky.save(file);

    TPlotChart& c = Page.AddChart();
    Captions(c, "BackGroundImg: a picture under the plot", "x", "y");
    SetRanges(c, 0, 10, 0, 10);
    c.BackGroundImg().SetIncludePath(true);
    c.BackGroundImg().SetName(file);
    c.ClearGraf();
    c.SetDataCol(clNavy);
    c.SetLineWid(2);
    Curve(c, 0, 10, 100, [](double x) { return 5 + 3 * std::sin(x); });
    c.SetLineWid(1);
    c.ShowGraf();
    Chooser(Page, "FillMode", {"bfSimple", "bfStretch", "bfTile"}, bfTile,
            [&c](int i) { c.BackGroundImg().SetFillMode(static_cast<TBkgFill>(i)); });
}

void ShadowsPage(TGalleryPage& Page) {
    const std::array<TShadowStyle, 2> styles{ssFlying, ssBox};
    const std::array<const char*, 2> names{"ShadowStyle ssFlying", "ShadowStyle ssBox"};
    for (std::size_t i = 0; i < styles.size(); ++i) {
        TPlotChart& c = Page.AddChart();
        c.SetChartCaption(names[i]);
        c.SetShadowWidth(10);
        c.SetShadowStyle(styles[i]);
        c.SetShadowColor(clGray);
        c.SetWindColor(RGBColor(236, 240, 246));
        SetRanges(c, 0, 10, 0, 1.2);
        c.ClearGraf();
        c.SetDataCol(clBlue);
        Curve(c, 0, 10, 200, [](double x) { return 0.1 + std::exp(-(x - 4) * (x - 4) / 3); });
        c.ShowGraf();
    }
}

void LayoutsPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    c.ClearGraf();
    c.SetDataCol(clBlack);
    Curve(c, 0, 10, 100, [](double x) { return std::sin(x); });
    c.SetActiveLayer(2);
    c.SetDataCol(clMaroon);
    Curve(c, 0, 100, 100, [](double x) { return 50 + 40 * std::cos(x / 8); });
    c.SetActiveLayer(1);
    const auto apply = [&c](int i) {
        c.SetStdLayout(static_cast<TChartLayout>(i));
        c.SetChartCaption(QStringLiteral("SetStdLayout"));
        SetRanges(c, 0, 10, -1, 1);
        SetRange(c.Scale2X(), 0, 100);
        SetRange(c.Scale2Y(), 0, 100);
        c.Scale1X().SetCaption("X1");
        c.Scale2X().SetCaption("X2");
        c.Scale1Y().SetCaption("Y1");
        c.Scale2Y().SetCaption("Y2");
        c.Paint();
    };
    Chooser(Page, "Layout",
            {"lay_X1Bottom_Y1Left", "lay_X1Bottom_Y2Left", "lay_X1Bottom_Y2Both",
             "lay_X2Bottom_Y2Left", "lay_X2Both_Y2Both"},
            lay_X2Both_Y2Both, apply);
}

void CrossHairsPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    Captions(c, "CrossHair(1..4): drawn over the finished picture", "x", "y");
    SetRanges(c, 0, 10, 0, 10);
    c.ClearGraf();
    c.SetDataCol(clBlue);
    Curve(c, 0, 10, 200, [](double x) { return 5 + 3 * std::sin(x); });
    c.ShowGraf();
    TCrossHair& second = c.CrossHair(2);
    second.SetLayer(1);
    second.SetColor(DarkGreen);
    second.SetLineType(psSolid);
    second.SetPos(7.5, 5 + 3 * std::sin(7.5));
    second.SetMode(chBox);
    Chooser(Page, "Mode of crosshair 1",
            {"chOff", "chHoriz", "chVert", "chBoth", "chCrossBox", "chBox"}, chCrossBox,
            [&c](int i) {
                TCrossHair& first = c.CrossHair(1);
                first.SetPos(2.5, 5 + 3 * std::sin(2.5));
                first.SetMode(static_cast<TCrossHMode>(i));
            });
}

// --- lists shared, stored, rendered with events ----------------------------------------------

void SharingPage(TGalleryPage& Page) {
    TPlotChart& owner = Page.AddChart();
    TPlotChart& sharer = Page.AddChart();
    owner.SetChartCaption("Owner of the data list");
    sharer.SetChartCaption("UseDataOf the left chart, its own axes");
    SetRanges(owner, 0, 50, 0, 10);
    SetRanges(sharer, 8, 30, 1, 9);
    sharer.SetChartColor(RGBColor(250, 250, 238));
    sharer.SetUseDataOf(&owner);
    owner.ClearGraf();
    owner.SetDataCol(clBlue);
    owner.SetFillCol(Orange);
    owner.MoveTo(0.0, 5.0);
    for (int i = 1; i <= 20; ++i)
        owner.DrawTo(static_cast<double>(i), 5 + 3 * std::sin(i * 0.4));
    owner.ShowGraf();
    Page.AddReadout();
    auto* add = new QPushButton(QStringLiteral("Append a point through the right chart"), &Page);
    auto* clear = new QPushButton(QStringLiteral("ClearGraf on the right chart"), &Page);
    Page.Controls().addWidget(add);
    Page.Controls().addWidget(clear);
    Page.Controls().addStretch(1);
    auto next = std::make_shared<int>(21);
    QObject::connect(add, &QPushButton::clicked, &Page, [&, next] {
        const int i = (*next)++;
        if (sharer.NumItems() == 0)
            sharer.MoveTo(static_cast<double>(i), 5.0);
        else
            sharer.DrawTo(static_cast<double>(i), 5 + 3 * std::sin(i * 0.4));
        sharer.MarkAt(static_cast<double>(i), 5 + 3 * std::sin(i * 0.4), 6);
        sharer.ShowGraf(); // the owner repaints too: it shows the same list
        Page.Log(QStringLiteral("appended x = %1: both charts hold %2 items")
                     .arg(i)
                     .arg(owner.NumItems()));
    });
    QObject::connect(clear, &QPushButton::clicked, &Page, [&, next] {
        sharer.ClearGraf();
        sharer.ShowGraf();
        *next = 0;
        Page.Log(QStringLiteral("cleared: the owner holds %1 items").arg(owner.NumItems()));
    });
}

void StoragePage(TGalleryPage& Page) {
    TPlotChart& source = Page.AddChart();
    TPlotChart& copy = Page.AddChart();
    source.SetChartCaption("Drawn here, SaveData and SaveAnno");
    copy.SetChartCaption("LoadData and LoadAnno of those files");
    for (TPlotChart* c : {&source, &copy})
        SetRanges(*c, 0, 10, -1.2, 1.2);
    source.ClearGraf();
    source.SetDataCol(clRed);
    Curve(source, 0, 10, 120, [](double x) { return std::sin(x) * std::exp(-x / 8); });
    source.SetDataCol(clBlack);
    source.SetFillCol(SkyBlue);
    for (int i = 1; i < 10; i += 2)
        source.MarkAt(static_cast<double>(i), std::sin(i) * std::exp(-i / 8.0), 4);
    source.ShowGraf();
    source.SetAnnoMode(true);
    source.SetDataCol(clNavy);
    source.Text(60, 14, 9, QStringLiteral("annotation saved too"));
    source.SetAnnoMode(false);

    Page.AddReadout();
    auto* folder = new QTemporaryDir;
    QObject::connect(&Page, &QObject::destroyed, [folder] { delete folder; });
    const QString data = folder->filePath("curve.tvc");
    const QString text = folder->filePath("curve.txt");
    const QString anno = folder->filePath("notes.tvc");
    source.SaveData(data);
    source.SaveDataASC(text);
    source.SaveAnno(anno);
    copy.LoadData(data);
    copy.LoadAnno(anno);
    copy.ShowGraf();
    Page.Log(QStringLiteral("SaveData: %1 items, %2 bytes (binary); SaveDataASC: %3 bytes (text)")
                 .arg(source.NumItems())
                 .arg(QFileInfo(data).size())
                 .arg(QFileInfo(text).size()));
    Page.Log(QStringLiteral("LoadData: %1 items; LoadAnno: %2 annotation items")
                 .arg(copy.NumItems())
                 .arg(copy.NumAnnos()));
}

void EventsPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    Captions(c, "OnBeforeRenderChartItem recolours, OnDataRendered draws", "x", "y");
    SetRanges(c, 0, 10, 0, 10);
    c.ClearGraf();
    c.SetFillCol(SkyBlue);
    for (int i = 0; i < 40; ++i) {
        const double x = 0.25 + i * 0.24;
        c.MarkAt(x, 5 + 4 * std::sin(x * 1.1), 6);
    }
    c.ShowGraf();
    Page.AddReadout();
    auto threshold = std::make_shared<double>(7.0);
    // The handler changes only the copy that is drawn; the list keeps its items.
    c.OnBeforeRenderChartItem = [threshold](TCustomPlotChart&, TChartItem& item, int, bool) {
        if (item.ItemKind == tkMarkAt && item.y > *threshold) {
            item.FillColor = clRed;
            item.Param3 = 4;
        }
    };
    c.OnDataRendered = [&Page, threshold](TCustomPlotChart& chart, TCanvas& canvas, int Top,
                                          int Left) {
        int x = 0, y = 0;
        chart.R2M(1, 0, *threshold, x, y);
        // A control pixel lies at (x - Left, y - Top) on the canvas.
        canvas.Pen.Color = clRed;
        canvas.Pen.Style = psDash;
        canvas.MoveTo(0, y - Top);
        canvas.LineTo(chart.PlotWidth(), y - Top);
        canvas.Pen.Style = psSolid;
        Page.Log(QStringLiteral("OnDataRendered: Top %1, Left %2, threshold %3")
                     .arg(Top)
                     .arg(Left)
                     .arg(*threshold));
    };
    Chooser(Page, "Red above", {"5", "6", "7", "8"}, 2, [&c, threshold](int i) {
        *threshold = 5.0 + i;
        c.Paint();
    });
}

void VisibilityPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    c.SetStdLayout(lay_X1Bottom_Y2Both);
    c.SetChartCaption("Items of classes 0, 1, 2 on layer 1, and layer 2");
    SetRanges(c, 0, 10, -1.5, 1.5);
    SetRange(c.Scale2Y(), 0, 100);
    c.JointLayers().SetControlledLayerX(2, 1);
    c.ClearGraf();
    c.SetActiveLayer(2);
    c.SetDataCol(clMaroon);
    c.SetFillCol(RGBColor(235, 190, 190));
    for (int i = 0; i < 10; ++i)
        c.Rectangle(i + 0.3, 0.0, i + 0.7, 10.0 + 8 * i);
    c.SetActiveLayer(1);
    const std::array<TColor, 3> colours{clBlue, clRed, DarkGreen};
    for (int k = 0; k < 3; ++k) {
        c.SetClassDefault(static_cast<std::uint8_t>(k));
        c.SetDataCol(colours[static_cast<std::size_t>(k)]);
        Curve(c, 0, 10, 150, [k](double x) { return std::sin(x + k * 2.1); });
    }
    c.SetClassDefault(0);
    c.ShowGraf();
    for (int k = 0; k < 3; ++k) {
        auto* box = new QCheckBox(QStringLiteral("ClassVisible(%1)").arg(k), &Page);
        box->setChecked(true);
        Page.Controls().addWidget(box);
        QObject::connect(box, &QCheckBox::toggled, &Page,
                         [&c, k](bool on) { c.SetClassVisible(k, on); });
    }
    auto* layer = new QCheckBox(QStringLiteral("LayerVisible(2)"), &Page);
    layer->setChecked(true);
    Page.Controls().addWidget(layer);
    Page.Controls().addStretch(1);
    QObject::connect(layer, &QCheckBox::toggled, &Page,
                     [&c](bool on) { c.SetLayerVisible(2, on); });
}

void PickingPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    Captions(c, "FindNearestItemScreen and M2R under the mouse", "x", "y");
    SetRanges(c, 0, 10, 0, 10);
    c.ClearGraf();
    c.SetDataCol(clBlack);
    c.SetFillCol(SkyBlue);
    for (int i = 0; i < 25; ++i) {
        const double x = 0.3 + i * 0.39;
        c.MarkAt(x, 5 + 3.5 * std::sin(x * 0.9) + std::sin(i * 7.0), 6);
    }
    c.ShowGraf();
    TCrossHair& hair = c.CrossHair(1);
    hair.SetColor(clRed);
    hair.SetLineType(psSolid);
    auto* where =
        new QLabel(QStringLiteral("Move the mouse over the chart; click to pick."), &Page);
    Page.Controls().addWidget(where);
    Page.Controls().addStretch(1);
    Page.AddReadout();
    c.setMouseTracking(true);
    new TEventTap(&c, [&c, &Page, where](QEvent& event) {
        if (event.type() != QEvent::MouseMove && event.type() != QEvent::MouseButtonPress)
            return;
        const QPoint at = static_cast<QMouseEvent&>(event).position().toPoint();
        double wx = 0, wy = 0, dist = 0;
        c.M2R(1, at.x(), at.y(), wx, wy);
        const int index = c.FindNearestItemScreen(at.x(), at.y(), 255, tkNotMoveTo, dist);
        const QString text =
            index < 0 ? QStringLiteral("(%1, %2): no item").arg(wx, 0, 'f', 2).arg(wy, 0, 'f', 2)
                      : QStringLiteral("(%1, %2): item %3 at %4 px")
                            .arg(wx, 0, 'f', 2)
                            .arg(wy, 0, 'f', 2)
                            .arg(index)
                            .arg(dist, 0, 'f', 1);
        where->setText(text);
        if (index < 0)
            return;
        const TChartItem item = c.DataContainer(index);
        c.CrossHair(1).SetPos(item.x, item.y);
        c.CrossHair(1).SetMode(dist < 8 ? chCrossBox : chBox);
        if (event.type() == QEvent::MouseButtonPress)
            Page.Log(QStringLiteral("picked item %1: x %2, y %3")
                         .arg(index)
                         .arg(item.x, 0, 'f', 3)
                         .arg(item.y, 0, 'f', 3));
    });
}

// --- text labels, tick texts, isometric scaling -----------------------------------------

void TextLabelsPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    Captions(c, "TextLabels(1..30): over the lists, kept by ClearGraf", "phase", "flux");
    SetRanges(c, 0, 10, -0.5, 1.5);
    const auto draw = [&c] {
        c.ClearGraf();
        c.SetDataCol(clBlue);
        c.SetLineWid(2);
        Curve(c, 0, 10, 300, Pulse);
        c.SetLineWid(1);
        c.ShowGraf();
    };
    draw();
    TFont bold;
    bold.Height = -13;
    bold.Style = fsBold;
    bold.Color = clMaroon;
    TTextLabel& peak = c.TextLabels(1);
    peak.SetCaption("main pulse");
    peak.SetFont(bold);
    peak.SetAlignment(taCenter);
    peak.SetPos(5.0, 1.25);
    peak.SetVisible(true);
    TTextLabel& fixed = c.TextLabels(2);
    fixed.SetCaption("pinned to pixel (8, 8)\nof the plot area");
    fixed.SetScreenPos(true);
    fixed.SetPos(8, 8);
    fixed.SetTransparent(false);
    fixed.SetBkColor(Pale);
    fixed.SetVisible(true);
    TTextLabel& side = c.TextLabels(3);
    TFont small;
    small.Color = DarkGreen;
    side.SetFont(small);
    side.SetCaption("interpulse?\nright-aligned");
    side.SetAlignment(taRightJustify);
    side.SetPos(8.8, 0.55);
    side.SetVisible(true);

    auto* zoom = new QPushButton(QStringLiteral("Zoom to 3..7"), &Page);
    auto* whole = new QPushButton(QStringLiteral("Whole range"), &Page);
    auto* clear = new QPushButton(QStringLiteral("ClearGraf"), &Page);
    auto* redraw = new QPushButton(QStringLiteral("Draw again"), &Page);
    auto* shown = new QCheckBox(QStringLiteral("Labels visible"), &Page);
    shown->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{zoom, whole, clear, redraw, shown})
        Page.Controls().addWidget(w);
    Page.Controls().addStretch(1);
    QObject::connect(zoom, &QPushButton::clicked, &Page,
                     [&c] { c.ForceRange(1, 3, 7, -0.5, 1.5); });
    QObject::connect(whole, &QPushButton::clicked, &Page,
                     [&c] { c.ForceRange(1, 0, 10, -0.5, 1.5); });
    QObject::connect(clear, &QPushButton::clicked, &Page, [&c] {
        c.ClearGraf();
        c.ShowGraf();
    });
    QObject::connect(redraw, &QPushButton::clicked, &Page, draw);
    QObject::connect(shown, &QCheckBox::toggled, &Page, [&c](bool on) {
        for (int i = 1; i <= 3; ++i)
            c.TextLabels(i).SetVisible(on);
    });
}

void TickTextsPage(TGalleryPage& Page) {
    TPlotChart& a = Page.AddChart();
    Captions(a, "ScaleInscript: \"& MHz\" and \"x&\" around each label", "", "");
    SetRanges(a, 1200, 1600, 0, 4);
    a.Scale1X().SetScaleInscript("& MHz");
    a.Scale1Y().SetScaleInscript("x&");
    a.Scale1Y().SetDecPlaces(0);
    a.ClearGraf();
    a.SetDataCol(clBlue);
    Curve(a, 1200, 1600, 200,
          [](double f) { return 0.5 + 3 * std::exp(-(f - 1420) * (f - 1420) / 200); });
    a.ShowGraf();

    TPlotChart& b = Page.AddChart();
    Captions(b, "LabelType ftUserText: labels from UserTickText", "", "hours observed");
    // Half a day beyond each end, so that the ticks, one a day, fall on the bars.
    SetRanges(b, -0.5, 6.5, 0, 10);
    b.Scale1X().SetLabelType(ftUserText);
    b.Scale1X().SetUserTickText("Mon|Tue|Wed|Thu|Fri|Sat|Sun");
    b.Scale1X().SetMinTicks(6);
    b.ClearGraf();
    b.SetDataCol(clNavy);
    b.SetFillCol(SkyBlue);
    const std::array<double, 7> hours{6, 8.5, 3, 7, 9, 2, 4.5};
    for (std::size_t d = 0; d < hours.size(); ++d) {
        const double x = static_cast<double>(d);
        b.Rectangle(x - 0.3, 0.0, x + 0.3, hours[d]);
    }
    b.ShowGraf();
}

void IsometricPage(TGalleryPage& Page) {
    TPlotChart& c = Page.AddChart();
    Captions(c, "Isometric: a unit as long along Y as along X", "x", "y");
    const auto plain = [&c] { c.ForceRange(1, -6, 6, -4, 4); };
    plain();
    c.ClearGraf();
    c.SetTranspItems(true);
    c.SetDataCol(clRed);
    c.SetLineWid(2);
    c.Ellipse(0, 0, 6, 6); // a circle of radius 3
    c.SetLineWid(1);
    c.SetDataCol(clBlue);
    c.Rectangle(-2.0, -2.0, 2.0, 2.0); // a square
    c.SetTranspItems(false);
    c.SetDataCol(clGray);
    c.CursorVert(0);
    c.CursorHoriz(0);
    c.ShowGraf();
    auto* on = new QCheckBox(QStringLiteral("Isometric"), &Page);
    on->setChecked(true);
    Page.Controls().addWidget(on);
    Page.Controls().addStretch(1);
    const auto apply = [&c, plain](bool isometric) {
        // Off keeps the recentred range; the plain one shows the difference.
        c.SetIsometric(isometric);
        if (!isometric)
            plain();
    };
    QObject::connect(on, &QCheckBox::toggled, &Page, apply);
    apply(true);
}

constexpr TGalleryPageEntry Pages[] = {
    {"lines", "Lines and polylines",
     "MoveTo and DrawTo draw connected curves, Line separate segments; every item keeps the "
     "colour, width and pen style set when it was appended.",
     LinesPage},
    {"areas", "Rectangles, bars, ellipses",
     "The area kinds, filled with FillColor unless TransparentItems was on when they were "
     "appended.",
     AreasPage},
    {"marks", "Marks and error bars",
     "MarkAt draws symbol 0..8 at a point; MarkErrorBar adds a vertical (0) or horizontal (1) "
     "bar with end ticks.",
     MarksPage},
    {"texts", "Texts",
     "Text at a world point in a size in points, aligned by TextAlignment, on a clear or solid "
     "background; texts longer than 15 characters go to the long-text table.",
     TextsPage},
    {"arrows", "Arrows and cursors",
     "Arrow and DoubleArrow with heads of a pixel size; CursorVert and CursorHoriz cross the "
     "whole plot area.",
     ArrowsPage},
    {"annotations", "Annotations",
     "With AnnoMode on, items go to the annotation list, where integer coordinates are pixels "
     "of the plot area; annotations are drawn above the data unless AnnoBelowChart.",
     AnnotationsPage},
    {"axes-linear", "Linear axes",
     "Tick spacing and decimals chosen from the range (DecPlaces -2), or fixed decimals and a "
     "minimum number of ticks; a range may fall.",
     LinearAxesPage},
    {"axes-log", "Logarithmic axes",
     "Logarithmic axes label the powers of ten, and 2 and 5 times them where there is room; "
     "less than a decade is labelled linearly.",
     LogAxesPage},
    {"axes-time", "Time axis",
     "LabelType ftTime reads the values as seconds and labels them as times of day in the "
     "axis's DateFormat (here 12-hour on the left), with thousandths where the span needs them.",
     TimeAxisPage},
    {"axes-date", "Date axis",
     "LabelType ftDateTime reads the values as days since 30 December 1899 and labels them by "
     "the DateFormat: order, separators, year, month names, dates on which ticks.",
     DateAxisPage},
    {"layers", "Two layers",
     "Every chart has two layers, each with an X and a Y axis; ActiveLayer chooses the layer of "
     "new items, JointLayers lets one layer take the other's range.",
     LayersPage},
    {"text-labels", "Text labels",
     "Thirty labels per chart, apart from the lists: at a world point, so they follow the data "
     "on a zoom, or at a pixel of the plot area; ClearGraf leaves them.",
     TextLabelsPage},
    {"tick-texts", "Tick texts",
     "ScaleInscript puts text around each number (& stands for it); LabelType ftUserText takes "
     "the labels from UserTickText, separated by |.",
     TickTextsPage},
    {"isometric", "Isometric scaling",
     "With Isometric on, the chart recentres each Y range so that a circle stays round and a "
     "square square, whatever the chart's size.",
     IsometricPage},
    {"grid", "Grid", "The grid lies under the items, at the ticks of the layer-1 axes.", GridPage},
    {"area-modes", "Area modes",
     "A coloured band under the items, given in world values of the active layer: left of, "
     "right of, above, below, between or outside the area's edges.",
     AreaModesPage},
    {"background", "Background picture",
     "A picture file under the plot area, drawn at its size, stretched or tiled.",
     BackgroundPicturePage},
    {"shadows", "Shadow styles",
     "ShadowWidth pixels of shadow at the right and bottom: ssFlying without an edge, ssBox "
     "with a black one.",
     ShadowsPage},
    {"layouts", "Standard layouts",
     "SetStdLayout sets rims, caption and the placement of all four axes in one step.",
     LayoutsPage},
    {"crosshairs", "Crosshairs",
     "Four crosshairs in world values of a layer, drawn over the finished picture in a mode, "
     "colour and line style of their own.",
     CrossHairsPage},
    {"visibility", "Classes and layers",
     "Every item has a class (ClassDefault when appended) and a layer; ClassVisible and "
     "LayerVisible hide them without removing them.",
     VisibilityPage},
    {"picking", "Picking items",
     "The program reads the mouse itself here: M2R turns the pointer into world values, "
     "FindNearestItemScreen finds the nearest item, a crosshair marks it.",
     PickingPage},
    {"sharing", "Sharing a data list",
     "The right chart shows the left chart's data list (UseDataOf) through its own axes: an "
     "item appended through either is shown by both.",
     SharingPage},
    {"storage", "Saving and loading",
     "SaveData, SaveDataASC and SaveAnno write a list to a file; LoadData and LoadAnno read it "
     "into another chart.",
     StoragePage},
    {"events", "Render events",
     "Handlers see each item before it is drawn and the canvas after the data: here they "
     "recolour marks above a level and draw the level.",
     EventsPage},
    {"mouse-pan", "Mouse: pan",
     "MouseAction maPan: dragging moves both ranges; every gesture adds a zoom-history entry, "
     "which UndoZoom takes back.",
     [](TGalleryPage& p) { MouseActionPage(p, maPan); }},
    {"mouse-pan-horiz", "Mouse: pan X",
     "MouseAction maPanHoriz: dragging moves the X ranges only; the wheel zooms X.",
     [](TGalleryPage& p) { MouseActionPage(p, maPanHoriz); }},
    {"mouse-pan-vert", "Mouse: pan Y",
     "MouseAction maPanVert: dragging moves the Y ranges only; the wheel zooms Y.",
     [](TGalleryPage& p) { MouseActionPage(p, maPanVert); }},
    {"mouse-pan-grid", "Mouse: pan on a grid",
     "MouseAction maPanGrid: as maPan, but the low ends land on PanGridOffsX + n PanGridDx "
     "(here 1 along X, 0.25 along Y).",
     [](TGalleryPage& p) { MouseActionPage(p, maPanGrid); }},
    {"mouse-zoom", "Mouse: zoom",
     "MouseAction maZoom: drag up to zoom in, down to zoom out, about the press point; a left "
     "click zooms in by 2, a right click out.",
     [](TGalleryPage& p) { MouseActionPage(p, maZoom); }},
    {"mouse-zoom-window", "Mouse: zoom window",
     "MouseAction maZoomWind: the dragged window becomes the ranges when the button is let go.",
     [](TGalleryPage& p) { MouseActionPage(p, maZoomWind); }},
    {"mouse-wheel", "Mouse: wheel",
     "The wheel zooms about the pointer in the pan and zoom actions; OnMouseWheel sees it first "
     "and may stop it.",
     MouseWheelPage},
    {"mouse-rubber-band", "Mouse: rubber band",
     "MouseAction maRubberBand: a band drawn with an inverting pen, reported in pixels by "
     "OnRubberBand.",
     [](TGalleryPage& p) { MouseActionPage(p, maRubberBand); }},
    {"mouse-select", "Mouse: select",
     "MouseAction maSelectRect: OnSelectRect reports the rectangle in world values; here "
     "MarkItemsInWindow marks the items inside and a render event draws them red.",
     [](TGalleryPage& p) { MouseActionPage(p, maSelectRect); }},
    {"mouse-crosshairs", "Mouse: drag crosshairs",
     "MouseAction maDragCrossH: a press near a crosshair drags it; OnBeforeCrossHairMove may "
     "refuse, OnCrossHairMove follows it.",
     [](TGalleryPage& p) { MouseActionPage(p, maDragCrossH); }},
    {"mouse-trace", "Mouse: trace",
     "MouseAction maDrawMTrace: dragging records the pointer into the mouse trace, drawn over "
     "the plot in MouseTraceColor.",
     [](TGalleryPage& p) { MouseActionPage(p, maDrawMTrace); }},
};

} // namespace

std::span<const TGalleryPageEntry> GalleryPages() {
    return Pages;
}
