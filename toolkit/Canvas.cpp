#include "toolkit/Canvas.h"

#include "toolkit/ImageCanvas.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

// --- TCanvas ----------------------------------------------------------------------

void TCanvas::SetClipRect(const std::optional<TRect>& clip) {
    FClipRect = clip;
    ClipChanged();
}

void TCanvas::IntersectClipRect(const TRect& r) {
    TRect clip{r.Left + FOrigin.x, r.Top + FOrigin.y, r.Right + FOrigin.x, r.Bottom + FOrigin.y};
    if (FClipRect) {
        clip.Left = std::max(clip.Left, FClipRect->Left);
        clip.Top = std::max(clip.Top, FClipRect->Top);
        clip.Right = std::min(clip.Right, FClipRect->Right);
        clip.Bottom = std::min(clip.Bottom, FClipRect->Bottom);
    }
    clip.Right = std::max(clip.Right, clip.Left);
    clip.Bottom = std::max(clip.Bottom, clip.Top);
    SetClipRect(clip);
}

std::span<const TPoint> TCanvas::ToSurface(std::span<const TPoint> points) {
    if (FOrigin == TPoint{})
        return points;
    FShifted.resize(points.size());
    std::transform(points.begin(), points.end(), FShifted.begin(),
                   [this](TPoint p) { return ToSurface(p.x, p.y); });
    return FShifted;
}

void TCanvas::MoveTo(int x, int y) {
    FPenPos = ToSurface(x, y);
    PenMoved(FPenPos);
}

void TCanvas::LineTo(int x, int y) {
    const TPoint from = FPenPos;
    FPenPos = ToSurface(x, y);
    DrawLine(from, FPenPos);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    DrawPolyline(ToSurface(points));
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    DrawPolygon(ToSurface(points));
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    DrawRectangle(ToSurface(x1, y1), ToSurface(x2, y2));
}

void TCanvas::FillRect(const TRect& r) {
    DrawFillRect(
        {r.Left + FOrigin.x, r.Top + FOrigin.y, r.Right + FOrigin.x, r.Bottom + FOrigin.y});
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    DrawEllipse(ToSurface(x1, y1), ToSurface(x2, y2));
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    DrawArc(ToSurface(x1, y1), ToSurface(x2, y2), ToSurface(x3, y3), ToSurface(x4, y4));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    DrawPixel(ToSurface(x, y), color);
}

std::optional<TColor> TCanvas::Pixel(int x, int y) {
    return ReadPixel(ToSurface(x, y));
}

void TCanvas::TextOut(int x, int y, const QString& text) {
    DrawText(ToSurface(x, y), text);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    DrawBitmap(ToSurface(x, y), bitmap);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
    StretchBitmap(
        {r.Left + FOrigin.x, r.Top + FOrigin.y, r.Right + FOrigin.x, r.Bottom + FOrigin.y}, bitmap);
}

// --- TCanvasStateSaver ------------------------------------------------------------

TCanvasStateSaver::TCanvasStateSaver(TCanvas& canvas)
    : FCanvas(canvas), FPen(canvas.Pen), FBrush(canvas.Brush), FFont(canvas.Font),
      FClipRect(canvas.ClipRect()), FOrigin(canvas.Origin()) {}

TCanvasStateSaver::~TCanvasStateSaver() {
    FCanvas.Pen = FPen;
    FCanvas.Brush = FBrush;
    FCanvas.Font = FFont;
    if (FCanvas.ClipRect() != FClipRect)
        FCanvas.SetClipRect(FClipRect);
    FCanvas.SetOrigin(FOrigin);
}

// --- TBitmap ------------------------------------------------------------------------

int DevicePixels(int logical, qreal ratio) {
    if (ratio == 1)
        return logical;
    return static_cast<int>(std::lround(logical * ratio));
}

struct TBitmap::Impl {
    QImage image;
    TImageCanvas canvas{image};
    int width = 0;
    int height = 0;
    qreal ratio = 1;

    void Allocate() {
        canvas.End();
        if (width == 0 || height == 0) {
            image = QImage();
            return;
        }
        image =
            QImage(DevicePixels(width, ratio), DevicePixels(height, ratio), QImage::Format_RGB32);
        if (ratio != 1)
            image.setDevicePixelRatio(ratio);
    }
};

TBitmap::TBitmap() : d(std::make_unique<Impl>()) {}

TBitmap::TBitmap(int width, int height) : TBitmap() {
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
    return d->width;
}

int TBitmap::Height() const {
    return d->height;
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == d->width && height == d->height)
        return;
    d->width = width;
    d->height = height;
    d->Allocate();
}

qreal TBitmap::DevicePixelRatio() const {
    return d->ratio;
}

void TBitmap::SetDevicePixelRatio(qreal ratio) {
    if (!(ratio > 0) || ratio == d->ratio)
        return;
    d->ratio = ratio;
    d->Allocate();
}

TCanvas& TBitmap::Canvas() {
    return d->canvas;
}

bool TBitmap::LoadFromFile(const QString& path) {
    QImage loaded;
    if (!loaded.load(path))
        return false;
    d->canvas.End();
    // Raster pen modes need a 32-bit format with premultiplied or no alpha.
    d->image = loaded.convertToFormat(loaded.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                               : QImage::Format_RGB32);
    // A file named for a high-DPI screen would bring a ratio of its own.
    d->image.setDevicePixelRatio(1);
    d->ratio = 1;
    d->width = d->image.width();
    d->height = d->image.height();
    return true;
}

TSize TBitmap::DotsPerInch() const {
    return {d->image.logicalDpiX(), d->image.logicalDpiY()};
}

const QImage& TBitmap::Image() const {
    d->canvas.End();
    return d->image;
}

void PresentBitmap(QWidget& widget, const QRect& exposed, const TBitmap& bitmap,
                   TColor background) {
    QPainter painter(&widget);
    if (bitmap.Width() < widget.width() || bitmap.Height() < widget.height())
        painter.fillRect(exposed, ColorToQColor(background));
    painter.drawImage(0, 0, bitmap.Image());
}

qreal PaintDeviceRatio(QWidget& widget) {
    // Beyond this a picture would cost more memory than sharpness is worth.
    constexpr qreal MaxRatio = 8;
    qreal ratio = widget.devicePixelRatioF();
    {
        // The painter's device transform holds the ratio of whatever it paints
        // on, a redirected picture included.
        QPainter painter(&widget);
        const QTransform t = painter.deviceTransform();
        if (painter.isActive() && t.type() <= QTransform::TxScale && t.m11() == t.m22())
            ratio = t.m11();
    }
    if (!(ratio >= 1))
        return 1;
    return std::min(ratio, MaxRatio);
}
