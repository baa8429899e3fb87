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
    TCanvas& Canvas();
    // Loads a picture file (any format Qt reads); false when it cannot be loaded.
    bool LoadFromFile(const QString& path);
    // The resolution of the device the bitmap stands for (horizontal, vertical).
    TSize DotsPerInch() const;
    const QImage& Image() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Shows a bitmap on a widget with its top-left corner at the widget's; what
// the bitmap does not cover of the exposed rectangle is filled with
// `background`. For a widget's paint event.
void PresentBitmap(QWidget& widget, const QRect& exposed, const TBitmap& bitmap, TColor background);
