// Charts drawn in every configuration the component offers, checked pixel for
// pixel against pictures rendered from an earlier commit: every item kind in
// both lists and every coordinate mode, black-and-white rendering at an
// offset, the area modes, both shadow styles, the caption anchors and
// trimming, the grid styles, logarithmic, time, date and user-text axes, the
// standard layouts, crosshairs, the mouse trace, background pictures and both
// fast paths. A change that moves one pixel of any of them fails here.
//
// The references are rendered by this test itself (see PixelReference.h).

#include "PlotChartFixture.h"
#include "chart/BakGndImg.h"
#include "chart/CrossHair.h"
#include "chart/JointLayers.h"
#include "chart/StandardLayout.h"
#include "tests/common/PixelReference.h"

#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString References = QStringLiteral(TORVANE_SOURCE_DIR "/tests/chart/references");

constexpr TColor Yellow = 0x00FFFF;
constexpr TColor Orange = 0x0080FF;
constexpr TColor Aqua = 0xFFFF00;
constexpr TColor Fuchsia = 0xFF00FF;

struct TScene {
    const char* Name;
    int Width;
    int Height;
    // Configures and draws the chart; returns the picture to check.
    std::function<QImage(TPlotChart&)> Draw;
};

QImage Surface(TPlotChart& c) {
    return c.SurfaceImage().copy();
}

// Scenes that end with ShowGraf: the fast path's picture.
QImage Shown(TPlotChart& c) {
    c.ShowGraf();
    return Surface(c);
}

// Scenes that end with a full repaint.
QImage Painted(TPlotChart& c) {
    c.Paint();
    return Surface(c);
}

void Axes(TPlotChart& c, const QString& x, const QString& y) {
    c.Scale1X().SetCaption(x);
    c.Scale1Y().SetCaption(y);
}

// --- the item kinds ------------------------------------------------------------------

QImage KindsLines(TPlotChart& c) {
    SetRanges(c, 0, 100, 0, 100);
    c.SetDataCol(clRed);
    c.MoveTo(5.0, 5.0);
    for (int i = 1; i <= 20; ++i)
        c.DrawTo(5.0 + 3 * i, 5.0 + (i * 37 % 20));
    const TPenStyle styles[] = {psDash, psDot, psDashDot, psDashDotDot, psClear, psAlternate};
    double y = 30;
    for (const TPenStyle style : styles) {
        c.SetPenStyle(style);
        c.SetDataCol(clBlue);
        c.Line(5.0, y, 60.0, y);
        c.SetLineWid(2);
        c.Line(5.0, y + 2, 60.0, y + 2);
        c.SetLineWid(1);
        y += 5;
    }
    c.SetPenStyle(psSolid);
    for (const int width : {2, 3, 5}) {
        c.SetLineWid(static_cast<std::uint8_t>(width));
        c.Line(5.0, 60.0 + 3 * width, 60.0, 85.0 + width);
    }
    c.SetLineWid(1);
    c.SetDataCol(clMaroon);
    c.MoveTo(70.0, 10.0);
    c.DrawToRelPix(10, -10);
    c.DrawToRelPix(0, -20);
    c.MoveToRelPix(5, 5);
    c.DrawToRelPix(20, 0);
    c.DrawToRelPix(80.0, 50.0, 15, 15);
    c.LineOffset(60.0, 20.0, 90.0, 25.0, 3, -4);
    c.Arrow(10.0, 97.0, 40.0, 88.0, 8);
    c.SetTranspItems(true);
    c.Arrow(65.0, 60.0, 95.0, 70.0, 10);
    c.SetTranspItems(false);
    c.DoubleArrow(65.0, 95.0, 95.0, 80.0, 6);
    c.SetDataCol(clGreen);
    c.CursorVert(33.0);
    c.CursorHoriz(66.0);
    c.Line(50.0, 50.0, 50.001, 50.001); // one pixel
    c.SetDataCol(clNavy);
    c.DrawTo(99.0, 1.0); // continues from the polyline, not from the last segment
    return Shown(c);
}

QImage KindsAreas(TPlotChart& c) {
    SetRanges(c, 0, 100, 0, 100);
    c.SetDataCol(clNavy);
    c.SetFillCol(clLime);
    c.Rectangle(5.0, 5.0, 25.0, 30.0);
    c.SetTranspItems(true);
    c.Rectangle(30.0, 5.0, 50.0, 30.0);
    c.SetTranspItems(false);
    c.RectangleRelPix(60.0, 15.0, 8, 5);
    c.SetFillCol(Yellow);
    c.RectangleRelPix(75.0, 15.0, -6, 9);
    const TFrameStyle frames[] = {fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved};
    double x = 5;
    for (const TFrameStyle style : frames) {
        c.RectFrame(x, 40.0, x + 12, 55.0, style, clGray, clWhite);
        x += 15;
    }
    c.SetFillCol(Orange);
    c.Bar3D(5.0, 65.0, 20.0, 90.0, 10, 45);
    c.SetFillCol(clBtnFace);
    c.Bar3D(30.0, 65.0, 45.0, 80.0, 6, 30);
    c.SetFillCol(clSilver);
    c.SetPenStyle(psDot);
    c.Ellipse(70.0, 75.0, 20.0, 15.0);
    c.SetPenStyle(psSolid);
    c.SetTranspItems(true);
    c.Ellipse(60.0, 90.0, 30.0, 10.0);
    c.SetTranspItems(false);
    c.SetDataCol(clRed);
    c.Arc(85.0, 80.0, 20.0, 20.0, 0, 90);
    c.Arc(85.0, 80.0, 10.0, 14.0, 45, 300);
    c.SetLineWid(3);
    c.Rectangle(55.0, 30.0, 95.0, 38.0);
    c.SetLineWid(1);
    return Shown(c);
}

QImage KindsMarksAndTexts(TPlotChart& c) {
    SetRanges(c, 0, 100, 0, 100);
    c.SetDataCol(clMaroon);
    c.SetFillCol(Yellow);
    for (int mk = -1; mk <= 9; ++mk)
        c.MarkAt(8.0 + 8 * (mk + 1), 90.0, mk);
    c.MarkAt(-5.0, 50.0, 3);  // outside the range: left out
    c.MarkAt(50.0, 101.0, 3); // likewise
    c.MarkErrorBar(10.0, 70.0, 5.0, 10.0, 0, 4);
    c.MarkErrorBar(30.0, 70.0, 3.0, 6.0, 1, 6);
    c.SetDataCol(clBlue);
    c.SetTextAlignment(taLeftJustify);
    c.Text(5.0, 50.0, 10, QStringLiteral("Left"));
    c.SetTextAlignment(taRightJustify);
    c.Text(95.0, 50.0, 8, QStringLiteral("Right"));
    c.SetTextAlignment(taCenter);
    c.SetTextBkStyle(tbSolid);
    c.SetFillCol(clSilver);
    c.Text(50.0, 40.0, 12, QStringLiteral("A long text of two\nlines, kept whole"));
    c.SetTextBkStyle(tbClear);
    c.Text(50.0, 25.0, 0, QStringLiteral("offset"), 12, -6, taLeftJustify);
    TFont bold = c.TextFont();
    bold.Style = fsBold | fsUnderline;
    c.SetTextFont(bold);
    c.SetDataCol(clRed);
    c.Text(20.0, 10.0, 9, QStringLiteral("bold\r\n"));
    return Shown(c);
}

QImage DuplicateMarks(TPlotChart& c) {
    SetRanges(c, 0, 100, 0, 100);
    c.SetAvoidDuplicateMarks(true);
    c.SetMinDupMarkDist(3);
    for (int i = 0; i < 60; ++i)
        c.MarkAt(10.0 + i * 0.5, 50.0 + (i % 3), i % 2 == 0 ? 3 : 5);
    for (int i = 0; i < 20; ++i)
        c.MarkAt(50.0 + i * 2.0, 20.0, 1);
    return Painted(c);
}

void Annotated(TPlotChart& c) {
    SetRanges(c, 0, 10, 0, 10);
    c.SetDataCol(clRed);
    c.SetLineWid(3);
    c.MoveTo(0.0, 0.0);
    c.DrawTo(10.0, 10.0);
    c.SetLineWid(1);
    c.SetAnnoMode(true);
    c.SetDataCol(clBlue);
    c.SetFillCol(Yellow);
    c.MoveTo(10, 10);
    c.DrawTo(100, 50);
    c.DrawTo(5.0, 200);
    c.DrawTo(300, 2.0);
    c.Line(20, 20, 5.0, 5.0);
    c.Line(5.0, 8.0, 400, 30);
    c.Line(30, 250, 500, 260);
    c.Rectangle(250, 150, 320, 200);
    c.Rectangle(6.0, 1.0, 9.0, 4.0);
    c.MarkAt(350, 120, 6);
    c.Arrow(400, 250, 450, 200, 10);
    c.Arrow(1.0, 9.0, 60, 40, 7);
    c.DoubleArrow(450, 30, 7.0, 7.0, 5);
    c.Text(200, 100, 12, QStringLiteral("annotation"));
    c.Text(3, 5.0, 9, QStringLiteral("x screen"));
    c.Text(8.0, 60, 9, QStringLiteral("y screen"));
    c.SetAnnoMode(false);
}

QImage Annotations(TPlotChart& c) {
    Annotated(c);
    return Shown(c);
}

QImage AnnotationsBelowTextsInOrder(TPlotChart& c) {
    Annotated(c);
    c.SetAnnoBelowChart(true);
    c.SetAnnoTextOnTop(false);
    return Shown(c);
}

QImage HiddenClassesLayersAndAnnotations(TPlotChart& c) {
    Annotated(c);
    c.SetClassDefault(4);
    c.SetDataCol(clGreen);
    c.Line(0.0, 5.0, 10.0, 5.0);
    c.MoveTo(5.0, 0.0); // hidden: must not move the pen
    c.SetClassDefault(0);
    c.SetActiveLayer(2);
    c.Line(0.0, 0.5, 1.0, 0.5);
    c.SetActiveLayer(1);
    c.DrawTo(2.0, 9.0);
    c.SetClassVisible(4, false);
    c.SetLayerVisible(2, false);
    c.SetAnnosVisible(false);
    return Shown(c);
}

void Mixed(TPlotChart& c) {
    SetRanges(c, 0, 100, 0, 100);
    c.SetGridStyle(gsLines);
    c.SetGridColor(clGray);
    c.SetDataCol(clRed);
    c.SetFillCol(clLime);
    c.MoveTo(0.0, 0.0);
    c.DrawTo(50.0, 80.0);
    c.DrawTo(100.0, 20.0);
    c.Rectangle(10.0, 10.0, 30.0, 30.0);
    c.MarkAt(60.0, 60.0, 4);
    c.SetTextBkStyle(tbSolid);
    c.Text(70.0, 90.0, 10, QStringLiteral("text"));
    c.SetAnnoMode(true);
    c.SetDataCol(clBlue);
    c.Line(5, 5, 80, 60);
    c.SetAnnoMode(false);
}

// The rendering pass drawn straight into a larger bitmap, at an offset.
QImage OntoABitmap(TPlotChart& c, int xOffset, int yOffset, bool blkWhite, int firstItem) {
    TBitmap bmp(c.PlotWidth() + 40, c.PlotHeight() + 30);
    bmp.Canvas().Brush = TBrush{clWhite, bsSolid};
    bmp.Canvas().FillRect({0, 0, bmp.Width(), bmp.Height()});
    c.ConstructDataBmp(bmp, xOffset, yOffset, blkWhite, firstItem);
    return bmp.Image().copy();
}

QImage BlackAndWhiteAtAnOffset(TPlotChart& c) {
    Mixed(c);
    return OntoABitmap(c, 13, 7, true, 0);
}

QImage LaterItemsOnlyAtAnOffset(TPlotChart& c) {
    Mixed(c);
    return OntoABitmap(c, 21, 11, false, 3);
}

// Handlers draw on the canvas at the positions the pass gives them.
QImage RenderEvents(TPlotChart& c) {
    Mixed(c);
    const auto mark = [](TColor color, int inset) {
        return [color, inset](TCustomPlotChart&, TCanvas& cv, int top, int left) {
            cv.Brush = TBrush{color, bsSolid};
            cv.Pen.Color = color;
            cv.Rectangle(left + inset, top + inset, left + inset + 30, top + inset + 20);
        };
    };
    c.OnBeforeRenderData = mark(Aqua, 60);
    c.OnDataRendered = mark(Fuchsia, 70);
    c.OnScalesRendered = mark(Orange, 5);
    c.OnBeforeRenderChartItem = [](TCustomPlotChart&, TChartItem& item, int index, bool) {
        if (index == 1)
            item.y = 40;
    };
    c.Paint();
    const QImage picture = Surface(c);
    const QImage offset = OntoABitmap(c, 17, 9, false, 0);
    // Both in one picture: the full repaint above the pass at an offset.
    QImage both(std::max(picture.width(), offset.width()), picture.height() + offset.height(),
                QImage::Format_RGB32);
    both.fill(Qt::white);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            both.setPixel(x, y, picture.pixel(x, y));
    for (int y = 0; y < offset.height(); ++y)
        for (int x = 0; x < offset.width(); ++x)
            both.setPixel(x, picture.height() + y, offset.pixel(x, y));
    return both;
}

QImage LongRunsAndFarEnds(TPlotChart& c) {
    SetRanges(c, 0, 64, 0, 100);
    c.SetDataCol(clBlue);
    c.MoveTo(0.0, 0.0);
    for (int i = 1; i <= 500; ++i) {
        if (i == 250)
            c.SetDataCol(clRed);
        if (i == 400)
            c.SetLineWid(2);
        c.DrawTo(i * 64.0 / 500, 50 + 40 * ((i * 13) % 17 - 8) / 8.0);
    }
    c.SetLineWid(3);
    c.SetDataCol(clGreen);
    c.Line(0, 50, 100000, 50);
    c.SetLineWid(1);
    c.Line(0.0, 10.0, 1e9, 1e9);
    c.MoveTo(10.0, 50.0);
    c.DrawTo(10.0, -1e12);
    c.DrawTo(-1e12, 90.0);
    return Shown(c);
}

// --- background ---------------------------------------------------------------------

QImage Area(TPlotChart& c, TBGAreaMode mode) {
    SetRanges(c, -2, 2, -2, 2);
    c.BackGroundImg().SetAreaMode(mode);
    c.SetDataCol(clBlue);
    c.Line(-2.0, -1.5, 2.0, 1.5);
    return Shown(c);
}

QImage AreaOfLayerTwoBeyondTheRange(TPlotChart& c) {
    SetRanges(c, -2, 2, -2, 2);
    c.Scale2X().SetRangeHigh(10);
    c.Scale2Y().SetRangeHigh(10);
    c.SetActiveLayer(2);
    c.BackGroundImg().SetAreaColor(Yellow);
    c.BackGroundImg().SetAreaLeft(2);
    c.BackGroundImg().SetAreaRight(1e9);
    c.BackGroundImg().SetAreaTop(-1e9);
    c.BackGroundImg().SetAreaBottom(7);
    c.BackGroundImg().SetAreaMode(bamRectInv);
    return Painted(c);
}

QString WritePicture(const QString& path) {
    QImage img(16, 12, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x * 16, y * 20, (x + y) % 2 ? 255 : 60));
    EXPECT_TRUE(img.save(path));
    return path;
}

QImage Picture(TPlotChart& c, TBkgFill mode) {
    QTemporaryDir dir;
    SetRanges(c, 0, 10, 0, 10);
    c.BackGroundImg().SetIncludePath(true);
    c.BackGroundImg().SetFillMode(mode);
    c.BackGroundImg().SetAreaMode(bamVStripe); // not drawn over a picture
    c.BackGroundImg().SetName(WritePicture(dir.filePath(QStringLiteral("sky.png"))));
    c.SetDataCol(clRed);
    c.Line(0.0, 0.0, 10.0, 10.0);
    return Shown(c);
}

QImage MissingPicture(TPlotChart& c) {
    SetRanges(c, 0, 10, 0, 10);
    c.BackGroundImg().SetIncludePath(true);
    c.BackGroundImg().SetAreaMode(bamHStripe);
    c.BackGroundImg().SetName(QStringLiteral("/nonexistent/sky.png"));
    return Painted(c);
}

QImage Shadow(TPlotChart& c, TShadowStyle style, TColor color) {
    SetRanges(c, 0, 10, 0, 10);
    c.SetShadowWidth(8);
    c.SetShadowStyle(style);
    c.SetShadowColor(color);
    c.SetShadowBakColor(Yellow);
    c.SetChartCaption(QStringLiteral("Shadowed"));
    c.SetCaptionAnchorVert(cavChartBottom);
    c.SetDataCol(clRed);
    c.Line(0.0, 5.0, 100.0, 5.0);
    return Shown(c);
}

QImage Colours(TPlotChart& c) {
    SetRanges(c, 0, 10, 0, 10);
    c.SetWindColor(RGBColor(200, 220, 240));
    c.SetChartColor(RGBColor(250, 250, 210));
    c.SetChartFrameColor(clRed);
    c.SetChartCaption(QStringLiteral("Colours"));
    c.Scale1X().SetColorScale(clBlue);
    c.Scale1Y().SetColorScale(clGreen);
    const TColor system[] = {clWindowText, clBtnFace, clBtnShadow, clGrayText, clBtnHighlight};
    c.SetLineWid(4);
    double y = 1;
    for (const TColor color : system) {
        c.SetDataCol(color);
        c.Line(1.0, y, 9.0, y);
        y += 2;
    }
    return Shown(c);
}

// --- caption ------------------------------------------------------------------------

QImage Caption(TPlotChart& c, TCaptionAnchorHoriz h, TCaptionAnchorVert v, TAlignment a) {
    SetRanges(c, 0, 10, 0, 10);
    c.SetShadowWidth(5);
    c.SetCaptionPosX(3);
    c.SetCaptionPosY(-4);
    c.SetCaptionAnchorHoriz(h);
    c.SetCaptionAnchorVert(v);
    c.SetCaptionAlignment(a);
    c.SetChartCaption(QStringLiteral("Caption 0123"));
    return Surface(c);
}

QImage CaptionTrimmed(TPlotChart& c, int trim) {
    TFont font = c.Font();
    font.Height = -17;
    font.Style = fsBold;
    font.Color = clMaroon;
    c.SetFont(font);
    c.SetCaptionTrim(trim);
    c.SetCaptionAnchorHoriz(cahChartCenter);
    c.SetCaptionAlignment(taCenter);
    c.SetCaptionPosY(-25);
    c.SetChartCaption(QStringLiteral("Torvane plot with  Average and StdDev ( without peak ) and "
                                     "more words than the chart can hold"));
    return Surface(c);
}

// --- grid ---------------------------------------------------------------------------

QImage Grid(TPlotChart& c, GridStyleType style, double dx, double dy) {
    SetRanges(c, 0, 10, -5, 5);
    c.SetGridColor(clBlue);
    c.SetGridDx(dx);
    c.SetGridDy(dy);
    c.SetGridStyle(style);
    c.SetDataCol(clRed);
    c.Line(0.0, -4.0, 10.0, 4.0);
    return Shown(c);
}

void LogRanges(TPlotChart& c, double xlo, double xhi, double ylo, double yhi) {
    SetRanges(c, xlo, xhi, ylo, yhi);
    c.Scale1X().SetLogarithmic(true);
    c.Scale1Y().SetLogarithmic(true);
}

QImage GridOnLogAxes(TPlotChart& c, GridStyleType style, double dx, double dy) {
    LogRanges(c, 1, 1000, 0.1, 100);
    c.SetGridColor(clGray);
    c.SetGridDx(dx);
    c.SetGridDy(dy);
    c.SetGridStyle(style);
    return Painted(c);
}

// --- axes -----------------------------------------------------------------------------

QImage LogAxes(TPlotChart& c) {
    LogRanges(c, 1, 1000, 0.01, 100);
    Axes(c, QStringLiteral("frequency"), QStringLiteral("power"));
    c.Scale1Y().SetLabelType(ftNum);
    c.SetDataCol(clRed);
    c.MoveTo(1.0, 0.01);
    for (int i = 1; i <= 60; ++i) {
        const double x = std::pow(10.0, i / 20.0);
        c.DrawTo(x, x * x / 10000);
    }
    c.SetDataCol(clBlue);
    c.Line(0.0, 1.0, 1000.0, 1.0); // x 0 pins to the control's left edge
    c.Line(10.0, 0.0, 10.0, 50.0); // y 0 to its bottom
    return Shown(c);
}

QImage LogAxesDenseAndReversed(TPlotChart& c) {
    LogRanges(c, 1000, 1, 1, 100);
    c.Scale1X().SetMinTicks(8);
    c.Scale1Y().SetMinTicks(8);
    c.Scale1Y().SetDecPlaces(1);
    c.SetDataCol(clRed);
    c.Line(0.0, 0.0, 10.0, 10.0);
    return Shown(c);
}

QImage LogAxesUnderADecade(TPlotChart& c) {
    LogRanges(c, 2, 8, 0.2, 0.9);
    c.Scale1Y().SetLabelType(ftNum);
    return Painted(c);
}

QImage TimeAndDateAxes(TPlotChart& c) {
    SetRanges(c, 45000, 45003, 0, 7200);
    c.Scale1X().SetLabelType(ftDateTime);
    c.Scale1Y().SetLabelType(ftTime);
    c.SetDataCol(clRed);
    c.Line(45000.0, 0.0, 45003.0, 7200.0);
    return Shown(c);
}

QImage DateTimeHours(TPlotChart& c) {
    SetRanges(c, 45000.5, 45001.5, 0, 50000);
    c.Scale1X().SetLabelType(ftDateTime);
    c.Scale1X().DateFormat().SetDateOrder(doYYMMDD);
    c.Scale1X().DateFormat().SetMonthName(false);
    c.Scale1X().DateFormat().SetYearLength(ylYY);
    c.Scale1X().DateFormat().SetDateSeparator(u'/');
    c.Scale1Y().SetLabelType(ftTime);
    c.Scale1Y().DateFormat().SetTimeFormat(tfAMPM);
    return Painted(c);
}

QImage DateTimeOncePerChartAndSeconds(TPlotChart& c) {
    SetRanges(c, 45000.2, 45000.2005, 0, 2.4);
    c.Scale1X().SetLabelType(ftDateTime);
    c.Scale1X().DateFormat().SetDateForTime(dtOnePerChart);
    c.Scale1X().DateFormat().SetDateOrder(doMMDDYY);
    c.Scale1X().DateFormat().SetTimeSeparator(u'.');
    c.Scale1Y().SetLabelType(ftTime);
    c.Scale1Y().DateFormat().SetTimeFormat(tfHHMMSS);
    c.Scale2X().SetVisible(true);
    c.Scale2X().SetScaleLocation(slTop);
    c.Scale2X().SetRangeLow(45000);
    c.Scale2X().SetRangeHigh(45000.25);
    c.Scale2X().SetLabelType(ftDateTime);
    c.Scale2X().DateFormat().SetDateForTime(dtAllTicks);
    c.Scale2X().DateFormat().SetYearLength(ylNone);
    c.Scale2Y().SetVisible(true);
    c.Scale2Y().SetScaleLocation(slRight);
    c.Scale2Y().SetRangeLow(0);
    c.Scale2Y().SetRangeHigh(20000);
    c.Scale2Y().SetLabelType(ftTime);
    c.Scale2Y().DateFormat().SetTimeFormat(tfHHhMM);
    return Painted(c);
}

QImage NumericLabels(TPlotChart& c) {
    SetRanges(c, 0, 2e6, -0.5, 0.25);
    c.Scale1Y().SetLabelType(ftNum);
    c.Scale1Y().SetDecPlaces(3);
    c.Scale2X().SetVisible(true);
    c.Scale2X().SetScaleLocation(slTop);
    c.Scale2X().SetRangeLow(-3e-5);
    c.Scale2X().SetRangeHigh(3e-5);
    c.Scale2Y().SetVisible(true);
    c.Scale2Y().SetScaleLocation(slRight);
    c.Scale2Y().SetRangeLow(0);
    c.Scale2Y().SetRangeHigh(1);
    c.Scale2Y().SetDecPlaces(0);
    return Painted(c);
}

QImage UserTextsInscriptsAndReversedRanges(TPlotChart& c) {
    SetRanges(c, 5, 0, 100, 0);
    c.Scale1X().SetLabelType(ftUserText);
    c.Scale1X().SetUserTickText(QStringLiteral("five|four|three|two"));
    c.Scale1X().SetShortTicks(false);
    c.Scale1Y().SetLabelType(ftNum);
    c.Scale1Y().SetScaleInscript(QStringLiteral("<&%>"));
    c.Scale1Y().SetMinTicks(10);
    c.Scale1Y().SetColorScale(clRed);
    TFont font = c.Scale1Y().Font();
    font.Style = fsBold;
    font.Color = clBlue;
    c.Scale1Y().SetFont(font);
    c.Scale2X().SetVisible(true);
    c.Scale2X().SetScaleLocation(slTop);
    c.Scale2X().SetMinTicks(0);
    c.Scale2X().SetRangeHigh(30);
    c.Scale2X().SetScaleInscript(QStringLiteral("t="));
    c.Scale2X().SetCaption(QStringLiteral("bins"));
    c.Scale2X().SetCaptionAnchor(uaSclBotRgt);
    c.Scale2X().SetCaptionAlignment(taRightJustify);
    c.Scale2X().SetCaptionPosY(-30);
    Axes(c, QStringLiteral("reversed"), QStringLiteral("percent"));
    c.Scale1Y().SetCaptionAnchor(uaSclCenter);
    c.Scale1Y().SetCaptionPosX(-45);
    c.SetDataCol(clGreen);
    c.Line(5.0, 100.0, 0.0, 0.0);
    return Shown(c);
}

QImage StandardLayout(TPlotChart& c, TChartLayout layout) {
    c.SetStdLayout(layout);
    SetRanges(c, 0, 64, -1, 1);
    c.Scale2X().SetRangeLow(100);
    c.Scale2X().SetRangeHigh(200);
    c.Scale2Y().SetRangeLow(0);
    c.Scale2Y().SetRangeHigh(1000);
    Axes(c, QStringLiteral("bin"), QStringLiteral("flux"));
    c.Scale2X().SetCaption(QStringLiteral("second X"));
    c.Scale2Y().SetCaption(QStringLiteral("second Y"));
    c.SetChartCaption(QStringLiteral("Layout"));
    c.SetDataCol(clRed);
    c.Line(0.0, -1.0, 64.0, 1.0);
    c.SetActiveLayer(2);
    c.SetDataCol(clMaroon);
    c.Line(100.0, 1000.0, 200.0, 0.0);
    return Shown(c);
}

QImage JoinedLayers(TPlotChart& c) {
    SetRanges(c, 0, 10, 0, 10);
    c.Scale2Y().SetRangeHigh(100);
    c.Scale2X().SetVisible(true);
    c.Scale2Y().SetVisible(true);
    c.Scale2X().SetScaleLocation(slTop);
    c.Scale2Y().SetScaleLocation(slRight);
    c.JointLayers().SetControlledLayerX(2, 1);
    c.Scale1X().SetRangeHigh(20);
    c.SetActiveLayer(2);
    c.SetDataCol(clMaroon);
    c.Line(0.0, 0.0, 20.0, 100.0);
    return Shown(c);
}

// --- over the picture ---------------------------------------------------------------

void CrossHairs(TPlotChart& c) {
    SetRanges(c, -2, 2, -2, 2);
    c.Scale2X().SetRangeLow(0);
    c.Scale2X().SetRangeHigh(10);
    c.Scale2Y().SetRangeLow(0);
    c.Scale2Y().SetRangeHigh(10);
    const struct {
        TCrossHMode Mode;
        double X, Y;
        TPenStyle Line;
        int Width;
        TColor Color;
    } hairs[] = {{chBoth, 0, 0, psSolid, 1, clRed},
                 {chCrossBox, 7.5, 2.5, psDash, 1, clBlue},
                 {chBox, 2.5, 7.5, psSolid, 2, clGreen},
                 {chVert, 9, 9, psDashDotDot, 3, clMaroon}};
    for (int i = 0; i < 4; ++i) {
        TCrossHair& ch = c.CrossHair(i + 1);
        ch.SetLineType(hairs[i].Line);
        ch.SetLineWid(hairs[i].Width);
        ch.SetColor(hairs[i].Color);
        ch.SetPos(hairs[i].X, hairs[i].Y);
        ch.SetMode(hairs[i].Mode);
    }
    c.SetDataCol(clNavy);
    c.Line(-2.0, 1.0, 2.0, 1.0);
}

QImage CrossHairsPainted(TPlotChart& c) {
    CrossHairs(c);
    return Painted(c);
}

QImage CrossHairsOnTheFastPath(TPlotChart& c) {
    CrossHairs(c);
    c.CrossHair(1).SetMode(chHoriz);
    return Shown(c);
}

QImage MouseTrace(TPlotChart& c) {
    SetRanges(c, 0, 10, 0, 10);
    c.BackGroundImg().SetAreaMode(bamLeft);
    c.BackGroundImg().SetAreaLeft(5);
    c.SetMouseTraceColor(clRed);
    c.SetMouseTraceInvert(false);
    for (int i = 0; i < 200; ++i)
        c.AddMouseTracePoint(40 + i * 2, 100 + (i * 7) % 60);
    c.SetMouseTraceInvert(true);
    for (int i = 0; i < 200; ++i)
        c.AddMouseTracePoint(40 + i * 2, 180 + (i * 11) % 40);
    c.AddMouseTracePoint(-5, -5);
    c.AddMouseTracePoint(2000, 2000);
    return Painted(c);
}

QImage NewItemsOnly(TPlotChart& c) {
    SetRanges(c, 0, 10, 0, 10);
    c.SetDataCol(clRed);
    c.MoveTo(0.0, 0.0);
    c.DrawTo(5.0, 8.0);
    c.ShowGraf();
    c.SetDataCol(clBlue);
    c.SetLineWid(3);
    c.DrawTo(10.0, 2.0);
    c.ShowGrafNewOnly();
    return Surface(c);
}

QImage NoRoomForAPlotArea(TPlotChart& c) {
    SetRanges(c, 0, 10, 0, 10);
    c.SetChartCaption(QStringLiteral("Collapsed"));
    c.SetLRim(290);
    c.SetBRim(300);
    c.Line(0.0, 0.0, 10.0, 10.0);
    return Shown(c);
}

const TScene Scenes[] = {
    {"kinds-lines", 647, 400, KindsLines},
    {"kinds-areas", 647, 400, KindsAreas},
    {"kinds-marks-texts", 647, 400, KindsMarksAndTexts},
    {"duplicate-marks", 400, 300, DuplicateMarks},
    {"annotations", 647, 400, Annotations},
    {"annotations-below", 647, 400, AnnotationsBelowTextsInOrder},
    {"hidden-classes-layers", 647, 400, HiddenClassesLayersAndAnnotations},
    {"blackwhite-offset", 400, 300, BlackAndWhiteAtAnOffset},
    {"later-items-offset", 400, 300, LaterItemsOnlyAtAnOffset},
    {"render-events", 400, 300, RenderEvents},
    {"long-runs-far-ends", 647, 400, LongRunsAndFarEnds},
    {"area-none", 300, 220, [](TPlotChart& c) { return Area(c, bamNone); }},
    {"area-left", 300, 220, [](TPlotChart& c) { return Area(c, bamLeft); }},
    {"area-right", 300, 220, [](TPlotChart& c) { return Area(c, bamRight); }},
    {"area-top", 300, 220, [](TPlotChart& c) { return Area(c, bamTop); }},
    {"area-bottom", 300, 220, [](TPlotChart& c) { return Area(c, bamBottom); }},
    {"area-vstripe", 300, 220, [](TPlotChart& c) { return Area(c, bamVStripe); }},
    {"area-hstripe", 300, 220, [](TPlotChart& c) { return Area(c, bamHStripe); }},
    {"area-rect", 300, 220, [](TPlotChart& c) { return Area(c, bamRect); }},
    {"area-rectinv", 300, 220, [](TPlotChart& c) { return Area(c, bamRectInv); }},
    {"area-vstripeinv", 300, 220, [](TPlotChart& c) { return Area(c, bamVStripeInv); }},
    {"area-hstripeinv", 300, 220, [](TPlotChart& c) { return Area(c, bamHStripeInv); }},
    {"area-layer2-beyond", 300, 220, AreaOfLayerTwoBeyondTheRange},
    {"picture-simple", 300, 220, [](TPlotChart& c) { return Picture(c, bfSimple); }},
    {"picture-stretch", 300, 220, [](TPlotChart& c) { return Picture(c, bfStretch); }},
    {"picture-tile", 300, 220, [](TPlotChart& c) { return Picture(c, bfTile); }},
    {"picture-missing", 300, 220, MissingPicture},
    {"shadow-flying", 400, 300, [](TPlotChart& c) { return Shadow(c, ssFlying, clGrayText); }},
    {"shadow-box", 400, 300, [](TPlotChart& c) { return Shadow(c, ssBox, clNavy); }},
    {"colours", 400, 300, Colours},
    {"caption-control-left-top", 400, 300,
     [](TPlotChart& c) { return Caption(c, cahControlLeft, cavControlTop, taLeftJustify); }},
    {"caption-chart-left-center", 400, 300,
     [](TPlotChart& c) { return Caption(c, cahChartLeft, cavChartCenter, taLeftJustify); }},
    {"caption-chart-center-top", 400, 300,
     [](TPlotChart& c) { return Caption(c, cahChartCenter, cavChartTop, taCenter); }},
    {"caption-chart-right-bottom", 400, 300,
     [](TPlotChart& c) { return Caption(c, cahChartRight, cavChartBottom, taRightJustify); }},
    {"caption-control-right-bottom", 400, 300,
     [](TPlotChart& c) { return Caption(c, cahControlRight, cavControlBottom, taRightJustify); }},
    {"caption-trim-100", 647, 400, [](TPlotChart& c) { return CaptionTrimmed(c, 100); }},
    {"caption-trim-40", 647, 400, [](TPlotChart& c) { return CaptionTrimmed(c, 40); }},
    {"caption-trim-0", 647, 400, [](TPlotChart& c) { return CaptionTrimmed(c, 0); }},
    {"grid-points", 400, 300, [](TPlotChart& c) { return Grid(c, gsPoints, 0, 0); }},
    {"grid-vert-lines", 400, 300, [](TPlotChart& c) { return Grid(c, gsVertLines, 0, 0); }},
    {"grid-horiz-lines", 400, 300, [](TPlotChart& c) { return Grid(c, gsHorizLines, 0, 0); }},
    {"grid-lines", 400, 300, [](TPlotChart& c) { return Grid(c, gsLines, 0, 0); }},
    {"grid-horiz-dot-lines", 400, 300,
     [](TPlotChart& c) { return Grid(c, gsHorizDotLines, 0, 0); }},
    {"grid-vert-dot-lines", 400, 300, [](TPlotChart& c) { return Grid(c, gsVertDotLines, 0, 0); }},
    {"grid-dot-lines", 400, 300, [](TPlotChart& c) { return Grid(c, gsDotLines, 0, 0); }},
    {"grid-lines-spaced", 400, 300, [](TPlotChart& c) { return Grid(c, gsLines, 2.5, 1); }},
    {"grid-points-spaced", 400, 300, [](TPlotChart& c) { return Grid(c, gsPoints, 0.5, 2); }},
    {"grid-log", 400, 300, [](TPlotChart& c) { return GridOnLogAxes(c, gsLines, 0, 0); }},
    {"grid-log-spaced", 400, 300,
     [](TPlotChart& c) { return GridOnLogAxes(c, gsDotLines, 200, 25); }},
    {"log-axes", 647, 400, LogAxes},
    {"log-dense-reversed", 647, 400, LogAxesDenseAndReversed},
    {"log-under-a-decade", 400, 300, LogAxesUnderADecade},
    {"time-date-axes", 647, 400, TimeAndDateAxes},
    {"datetime-hours", 647, 400, DateTimeHours},
    {"datetime-per-chart-seconds", 647, 400, DateTimeOncePerChartAndSeconds},
    {"numeric-labels", 647, 400, NumericLabels},
    {"user-texts-inscripts-reversed", 647, 400, UserTextsInscriptsAndReversedRanges},
    {"layout-x1bottom-y1left", 500, 360,
     [](TPlotChart& c) { return StandardLayout(c, lay_X1Bottom_Y1Left); }},
    {"layout-x1bottom-y2left", 500, 360,
     [](TPlotChart& c) { return StandardLayout(c, lay_X1Bottom_Y2Left); }},
    {"layout-x1bottom-y2both", 500, 360,
     [](TPlotChart& c) { return StandardLayout(c, lay_X1Bottom_Y2Both); }},
    {"layout-x2bottom-y2left", 500, 360,
     [](TPlotChart& c) { return StandardLayout(c, lay_X2Bottom_Y2Left); }},
    {"layout-x2both-y2both", 500, 360,
     [](TPlotChart& c) { return StandardLayout(c, lay_X2Both_Y2Both); }},
    {"joined-layers", 400, 300, JoinedLayers},
    {"crosshairs", 400, 300, CrossHairsPainted},
    {"crosshairs-fast-path", 400, 300, CrossHairsOnTheFastPath},
    {"mouse-trace", 400, 300, MouseTrace},
    {"new-items-only", 400, 300, NewItemsOnly},
    {"no-room-for-a-plot-area", 300, 220, NoRoomForAPlotArea},
};

class ChartPixelReference : public ::testing::TestWithParam<TScene> {};

TEST_P(ChartPixelReference, PictureIsUnchanged) {
    const TScene& scene = GetParam();
    auto chart = MakeShownChart({scene.Width, scene.Height, 0, 0});
    EXPECT_TRUE(MatchesReference(scene.Draw(*chart), References, QString::fromLatin1(scene.Name)));
}

INSTANTIATE_TEST_SUITE_P(Scenes, ChartPixelReference, ::testing::ValuesIn(Scenes),
                         [](const ::testing::TestParamInfo<TScene>& info) {
                             std::string name = info.param.Name;
                             for (char& ch : name)
                                 if (ch == '-')
                                     ch = '_';
                             return name;
                         });

} // namespace
