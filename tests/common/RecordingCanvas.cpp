#include "tests/common/RecordingCanvas.h"

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

void TRecordingCanvas::PenMoved(TPoint to) {
    Add(TCanvasOp::MoveTo, {to});
}

void TRecordingCanvas::DrawLine(TPoint from, TPoint to) {
    Add(TCanvasOp::LineTo, {from, to});
}

void TRecordingCanvas::DrawPolyline(std::span<const TPoint> points) {
    Add(TCanvasOp::Polyline, {points.begin(), points.end()});
}

void TRecordingCanvas::DrawPolygon(std::span<const TPoint> points) {
    Add(TCanvasOp::Polygon, {points.begin(), points.end()});
}

void TRecordingCanvas::DrawRectangle(TPoint corner1, TPoint corner2) {
    Add(TCanvasOp::Rectangle, {corner1, corner2});
}

void TRecordingCanvas::DrawFillRect(const TRect& r) {
    Add(TCanvasOp::FillRect, {{r.Left, r.Top}, {r.Right, r.Bottom}});
}

void TRecordingCanvas::DrawEllipse(TPoint corner1, TPoint corner2) {
    Add(TCanvasOp::Ellipse, {corner1, corner2});
}

void TRecordingCanvas::DrawArc(TPoint corner1, TPoint corner2, TPoint start, TPoint end) {
    Add(TCanvasOp::Arc, {corner1, corner2, start, end});
}

void TRecordingCanvas::DrawPixel(TPoint at, TColor color) {
    Add(TCanvasOp::SetPixel, {at}).Color = color;
}

void TRecordingCanvas::DrawText(TPoint at, const QString& text) {
    Add(TCanvasOp::TextOut, {at}).Text = text;
}

TSize TRecordingCanvas::MeasureText(const QString& text) {
    return {CharWidth * static_cast<int>(text.size()), CharHeight};
}

void TRecordingCanvas::DrawBitmap(TPoint at, const TBitmap& bitmap) {
    Add(TCanvasOp::Draw, {at}).BitmapSize = {bitmap.Width(), bitmap.Height()};
}

void TRecordingCanvas::StretchBitmap(const TRect& r, const TBitmap& bitmap) {
    Add(TCanvasOp::StretchDraw, {{r.Left, r.Top}, {r.Right, r.Bottom}}).BitmapSize = {
        bitmap.Width(), bitmap.Height()};
}
