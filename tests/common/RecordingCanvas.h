#pragma once

// A canvas for tests that draws nothing and records every drawing call with
// its points on the surface (the origin applied) and the pen, brush and font
// in force: what a painter asked for, call by call.

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

protected:
    void PenMoved(TPoint to) override;
    void DrawLine(TPoint from, TPoint to) override;
    void DrawPolyline(std::span<const TPoint> points) override;
    void DrawPolygon(std::span<const TPoint> points) override;
    void DrawRectangle(TPoint corner1, TPoint corner2) override;
    void DrawFillRect(const TRect& r) override;
    void DrawEllipse(TPoint corner1, TPoint corner2) override;
    void DrawArc(TPoint corner1, TPoint corner2, TPoint start, TPoint end) override;
    void DrawPixel(TPoint at, TColor color) override;
    std::optional<TColor> ReadPixel(TPoint) override { return std::nullopt; }
    void DrawText(TPoint at, const QString& text) override;
    TSize MeasureText(const QString& text) override;
    void DrawBitmap(TPoint at, const TBitmap& bitmap) override;
    void StretchBitmap(const TRect& r, const TBitmap& bitmap) override;

private:
    TCanvasRecord& Add(TCanvasOp op, std::vector<TPoint> points);
};
