#pragma once

// The drawing surface the chart draws through: a small GDI-style canvas.
//
// Pixel rules, for every implementation:
// - no antialiasing for lines and fills;
// - a line leaves out its end point (LineTo, Polyline);
// - Rectangle / FillRect (x1, y1)-(x2, y2) cover columns x1..x2-1, rows y1..y2-1;
// - coordinates up to +-30000 are accepted; whatever falls outside the
//   surface is discarded.
// The current Pen, Brush and Font are plain members, read by every call.

#include "toolkit/Graphics.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <memory>
#include <span>

class TBitmap;

class TCanvas {
public:
    virtual ~TCanvas() = default;

    TPen Pen;
    TBrush Brush;
    TFont Font;

    // Current position for LineTo.
    virtual TPoint PenPos() const = 0;
    virtual void MoveTo(int x, int y) = 0;
    // From the current position to (x, y), (x, y) itself not painted; the
    // current position becomes (x, y).
    virtual void LineTo(int x, int y) = 0;
    // Connected segments through the points, the last point not painted.
    virtual void Polyline(std::span<const TPoint> points) = 0;
    // Filled with the brush (unless bsClear) and outlined with the pen (unless psClear).
    virtual void Polygon(std::span<const TPoint> points) = 0;
    // Outlined with the pen on its outermost rows and columns, filled with the brush.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    // Filled with the brush only.
    virtual void FillRect(const TRect& r) = 0;
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    // Arc of the ellipse in (x1, y1)-(x2, y2), counter-clockwise from the ray
    // towards (x3, y3) to the ray towards (x4, y4).
    virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    virtual void SetPixel(int x, int y, TColor color) = 0;
    // Text with its cell's top-left corner at (x, y), in Font; a solid brush
    // fills the text cell's background first.
    virtual void TextOut(int x, int y, const QString& text) = 0;
    virtual TSize TextExtent(const QString& text) = 0;
    // Copies a bitmap with its top-left corner at (x, y), opaque.
    virtual void Draw(int x, int y, const TBitmap& bitmap) = 0;
    // Copies a bitmap stretched over r.
    virtual void StretchDraw(const TRect& r, const TBitmap& bitmap) = 0;

    int TextWidth(const QString& text) { return TextExtent(text).cx; }
    int TextHeight(const QString& text) { return TextExtent(text).cy; }
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
    const QImage& Image() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Resolves a TColor, system colours from the application palette.
QColor ColorToQColor(TColor color);
