#include "toolkit/RecordingCanvas.h"

std::vector<TCanvasRecord> TRecordingCanvas::OfKind(TCanvasOp op) const {
    std::vector<TCanvasRecord> out;
    for (const TCanvasRecord& r : Records)
        if (r.Op == op)
            out.push_back(r);
    return out;
}

TCanvasRecord& TRecordingCanvas::Add(TCanvasOp op, std::vector<TPoint> points) {
    TCanvasRecord& r = Records.emplace_back();
    r.Op = op;
    r.Points = std::move(points);
    r.Pen = Pen;
    r.Brush = Brush;
    r.Font = Font;
    return r;
}

void TRecordingCanvas::MoveTo(int x, int y) {
    Add(TCanvasOp::MoveTo, {{x, y}});
    FPenPos = {x, y};
}

void TRecordingCanvas::LineTo(int x, int y) {
    Add(TCanvasOp::LineTo, {FPenPos, {x, y}});
    FPenPos = {x, y};
}

void TRecordingCanvas::Polyline(std::span<const TPoint> points) {
    Add(TCanvasOp::Polyline, {points.begin(), points.end()});
}

void TRecordingCanvas::Polygon(std::span<const TPoint> points) {
    Add(TCanvasOp::Polygon, {points.begin(), points.end()});
}

void TRecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Add(TCanvasOp::Rectangle, {{x1, y1}, {x2, y2}});
}

void TRecordingCanvas::FillRect(const TRect& r) {
    Add(TCanvasOp::FillRect, {{r.Left, r.Top}, {r.Right, r.Bottom}});
}

void TRecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Add(TCanvasOp::Ellipse, {{x1, y1}, {x2, y2}});
}

void TRecordingCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Add(TCanvasOp::Arc, {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}});
}

void TRecordingCanvas::SetPixel(int x, int y, TColor color) {
    Add(TCanvasOp::SetPixel, {{x, y}}).Color = color;
}

void TRecordingCanvas::TextOut(int x, int y, const QString& text) {
    Add(TCanvasOp::TextOut, {{x, y}}).Text = text;
}

TSize TRecordingCanvas::TextExtent(const QString& text) {
    Add(TCanvasOp::TextExtent, {}).Text = text;
    return {CharWidth * static_cast<int>(text.size()), CharHeight};
}

void TRecordingCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    Add(TCanvasOp::Draw, {{x, y}}).BitmapSize = {bitmap.Width(), bitmap.Height()};
}

void TRecordingCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
    Add(TCanvasOp::StretchDraw, {{r.Left, r.Top}, {r.Right, r.Bottom}}).BitmapSize = {
        bitmap.Width(), bitmap.Height()};
}
