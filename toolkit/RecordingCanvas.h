#pragma once

// A canvas that draws nothing and logs every call with its arguments and the
// pen, brush and font in force, for tests of what a painter asked for.

#include "toolkit/Canvas.h"

#include <vector>

enum class TCanvasOp {
    MoveTo,
    LineTo,
    Polyline,
    Polygon,
    Rectangle,
    FillRect,
    Ellipse,
    Arc,
    SetPixel,
    TextOut,
    TextExtent,
    Draw,
    StretchDraw
};

struct TCanvasRecord {
    TCanvasOp Op = TCanvasOp::MoveTo;
    // LineTo: start and end; Polyline/Polygon: the points; Rectangle, FillRect,
    // Ellipse, StretchDraw: the two corners; Arc: the four points; MoveTo,
    // SetPixel, TextOut, Draw: the one point.
    std::vector<TPoint> Points;
    QString Text;
    TColor Color = clBlack; // SetPixel
    TSize BitmapSize;       // Draw, StretchDraw
    TPen Pen;
    TBrush Brush;
    TFont Font;
};

class TRecordingCanvas : public TCanvas {
public:
    std::vector<TCanvasRecord> Records;
    // What TextExtent answers: each character this wide, cells this high.
    int CharWidth = 6;
    int CharHeight = 13;

    // The records of one kind, in call order.
    std::vector<TCanvasRecord> OfKind(TCanvasOp op) const;
    void Clear() { Records.clear(); }

    TPoint PenPos() const override { return FPenPos; }
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polyline(std::span<const TPoint> points) override;
    void Polygon(std::span<const TPoint> points) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(const TRect& r) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void SetPixel(int x, int y, TColor color) override;
    void TextOut(int x, int y, const QString& text) override;
    TSize TextExtent(const QString& text) override;
    void Draw(int x, int y, const TBitmap& bitmap) override;
    void StretchDraw(const TRect& r, const TBitmap& bitmap) override;

private:
    TCanvasRecord& Add(TCanvasOp op, std::vector<TPoint> points);
    TPoint FPenPos;
};
