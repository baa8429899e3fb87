#pragma once

// The drawing surface the chart draws through: a small GDI-style canvas.
//
// Pixel rules, for every implementation:
// - no antialiasing for lines and fills;
// - a line leaves out its end point (LineTo, Polyline), whatever its width
//   and direction; a wider line has flat ends, and a wide polyline is one
//   stroke whose segments meet in mitred corners;
// - Rectangle / FillRect (x1, y1)-(x2, y2) cover columns x1..x2-1, rows y1..y2-1;
// - coordinates up to +-30000 are accepted; whatever falls outside the
//   surface, or outside the clip rectangle, is discarded.
// The current Pen, Brush and Font are plain members, read by every call.
// Coordinates are relative to the origin, which a painter moves instead of
// adding an offset to every point; TCanvasStateSaver puts pen, brush, font,
// clip and origin back when a painter is done.
//
// Device pixel ratio. All coordinates, sizes and widths are logical pixels.
// A surface with a device pixel ratio r (a bitmap for a high-DPI screen) has
// r x r device pixels for each logical one and draws the same geometry at its
// own resolution; at ratio 1 logical and device pixels are one and the same.
// At another ratio:
// - logical point p lies at device point p * r (rounded), the top-left
//   corner of its block; fills (FillRect, brushes, text backgrounds) cover
//   whole blocks;
// - a width-1 pen is one device pixel wide: a line runs between the device
//   points of its ends, its end left out, so a horizontal or vertical line
//   lies on the top row or left column of the blocks it covers at ratio 1; a
//   polygon's outline likewise;
// - a rectangle's or ellipse's width-1 outline lies on the outermost device
//   rows and columns of its area, so that it borders a fill of that area
//   without a seam; wider pens and dash lengths are scaled by r;
// - text is laid out and measured in logical pixels and drawn at the font's
//   logical size, rendered at device resolution;
// - SetPixel paints the whole block of the logical pixel (dots, grid points
//   and traces keep their size), and Pixel reads the block's top-left device
//   pixel, which a thin line through that pixel, and SetPixel, paint;
// - XOR and NOT pens act on every device pixel they cover once, so drawing
//   the same figure twice still restores the surface;
// - a bitmap is drawn at its logical size: one of the same ratio pixel for
//   pixel, another scaled without smoothing.

#include "toolkit/Colors.h"
#include "toolkit/Graphics.h"

#include <QImage>
#include <QString>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QRect;
class QWidget;
class TBitmap;

class TCanvas {
public:
    virtual ~TCanvas() = default;

    TPen Pen;
    TBrush Brush;
    TFont Font;

    // Where the point (0, 0) of every call lies on the surface.
    TPoint Origin() const { return FOrigin; }
    void SetOrigin(TPoint origin) { FOrigin = origin; }
    // Moves the origin by (dx, dy) of the current coordinates.
    void MoveOrigin(int dx, int dy) { FOrigin = {FOrigin.x + dx, FOrigin.y + dy}; }

    // The rectangle of the surface that drawing is limited to, in surface
    // pixels; none: the whole surface.
    const std::optional<TRect>& ClipRect() const { return FClipRect; }
    void SetClipRect(const std::optional<TRect>& clip);
    // Limits drawing further to r, given in the current coordinates.
    void IntersectClipRect(const TRect& r);

    // Current position for LineTo.
    TPoint PenPos() const { return {FPenPos.x - FOrigin.x, FPenPos.y - FOrigin.y}; }
    void MoveTo(int x, int y);
    // From the current position to (x, y), (x, y) itself not painted; the
    // current position becomes (x, y).
    void LineTo(int x, int y);
    // Connected segments through the points, the last point not painted; the
    // current position stays.
    void Polyline(std::span<const TPoint> points);
    // Filled with the brush (unless bsClear) and outlined with the pen (unless psClear).
    void Polygon(std::span<const TPoint> points);
    // Outlined with the pen on its outermost rows and columns, filled with the brush.
    void Rectangle(int x1, int y1, int x2, int y2);
    // Filled with the brush only.
    void FillRect(const TRect& r);
    void Ellipse(int x1, int y1, int x2, int y2);
    // Arc of the ellipse in (x1, y1)-(x2, y2), counter-clockwise from the ray
    // towards (x3, y3) to the ray towards (x4, y4).
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void SetPixel(int x, int y, TColor color);
    // The colour a pixel shows; none outside the surface.
    std::optional<TColor> Pixel(int x, int y);
    // Text with its cell's top-left corner at (x, y), in Font; a solid brush
    // fills the text cell's background first.
    void TextOut(int x, int y, const QString& text);
    TSize TextExtent(const QString& text) { return MeasureText(text); }
    // Copies a bitmap with its top-left corner at (x, y), opaque.
    void Draw(int x, int y, const TBitmap& bitmap);
    // Copies a bitmap stretched over r.
    void StretchDraw(const TRect& r, const TBitmap& bitmap);

    int TextWidth(const QString& text) { return TextExtent(text).cx; }
    int TextHeight(const QString& text) { return TextExtent(text).cy; }

    // Device pixels per logical pixel of the surface (see above).
    virtual qreal DevicePixelRatio() const { return 1; }

protected:
    // What an implementation provides, in surface pixels, with the current
    // Pen, Brush, Font and ClipRect. Corners come as the caller gave them.
    virtual void PenMoved(TPoint /*to*/) {}
    virtual void DrawLine(TPoint from, TPoint to) = 0;
    virtual void DrawPolyline(std::span<const TPoint> points) = 0;
    virtual void DrawPolygon(std::span<const TPoint> points) = 0;
    virtual void DrawRectangle(TPoint corner1, TPoint corner2) = 0;
    virtual void DrawFillRect(const TRect& r) = 0;
    virtual void DrawEllipse(TPoint corner1, TPoint corner2) = 0;
    virtual void DrawArc(TPoint corner1, TPoint corner2, TPoint start, TPoint end) = 0;
    virtual void DrawPixel(TPoint at, TColor color) = 0;
    virtual std::optional<TColor> ReadPixel(TPoint at) = 0;
    virtual void DrawText(TPoint at, const QString& text) = 0;
    virtual TSize MeasureText(const QString& text) = 0;
    virtual void DrawBitmap(TPoint at, const TBitmap& bitmap) = 0;
    virtual void StretchBitmap(const TRect& r, const TBitmap& bitmap) = 0;
    // The clip rectangle has changed.
    virtual void ClipChanged() {}

private:
    TPoint ToSurface(int x, int y) const { return {x + FOrigin.x, y + FOrigin.y}; }
    // The points on the surface (the points themselves at origin (0, 0)).
    std::span<const TPoint> ToSurface(std::span<const TPoint> points);

    TPoint FOrigin;
    TPoint FPenPos; // on the surface
    std::optional<TRect> FClipRect;
    std::vector<TPoint> FShifted;
};

// Saves a canvas's pen, brush, font, clip rectangle and origin, and puts them
// back when it goes out of scope, however the scope is left.
class TCanvasStateSaver {
public:
    explicit TCanvasStateSaver(TCanvas& canvas);
    ~TCanvasStateSaver();
    TCanvasStateSaver(const TCanvasStateSaver&) = delete;
    TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

private:
    TCanvas& FCanvas;
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    std::optional<TRect> FClipRect;
    TPoint FOrigin;
};

// An off-screen bitmap (32 bits per pixel) with a canvas on it.
class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const;
    int Height() const;
    // Negative sizes are taken as 0. Content after a resize is undefined
    // until drawn (callers always repaint the whole bitmap).
    void SetSize(int width, int height);
    // Device pixels per logical pixel, 1 unless set; the size stays in
    // logical pixels. Content after a change is undefined, as after a resize.
    qreal DevicePixelRatio() const;
    void SetDevicePixelRatio(qreal ratio);
    TCanvas& Canvas();
    // Loads a picture file (any format Qt reads); false when it cannot be
    // loaded. Its pixels become the bitmap's logical pixels, at ratio 1.
    bool LoadFromFile(const QString& path);
    // The resolution of the device the bitmap stands for (horizontal, vertical).
    TSize DotsPerInch() const;
    // The device pixels, with the image's device pixel ratio set to the
    // bitmap's, so that Qt draws it at its logical size.
    const QImage& Image() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Shows a bitmap on a widget with its top-left corner at the widget's; what
// the bitmap does not cover of the exposed rectangle is filled with
// `background`. For a widget's paint event.
void PresentBitmap(QWidget& widget, const QRect& exposed, const TBitmap& bitmap, TColor background);

// The device pixel ratio a widget's paint event paints at: that of its
// screen, or of the picture the widget is rendered into (printing renders
// into an image of its own), at least 1. For a widget's paint event.
qreal PaintDeviceRatio(QWidget& widget);

// Whole device pixels for `logical` pixels at `ratio`.
int DevicePixels(int logical, qreal ratio);
