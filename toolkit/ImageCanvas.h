#pragma once

// The canvas over a QPainter on a QImage. One painter stays open on the image
// between calls, since the chart draws hundreds of items per picture; End()
// closes it, which must happen before the image is read or replaced.
//
// The image's device pixel ratio is the canvas's (see Canvas.h). At a ratio
// other than 1 the painter works on a view of the same pixels without one,
// in device pixels: every call maps its logical coordinates itself, so the
// pixel rules hold on device pixels exactly as at ratio 1, where the mapping
// is the identity and nothing is scaled.

#include "toolkit/Canvas.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QStaticText>
#include <optional>
#include <vector>

class TImageCanvas : public TCanvas {
public:
    explicit TImageCanvas(QImage& image);
    ~TImageCanvas() override;
    TImageCanvas(const TImageCanvas&) = delete;
    TImageCanvas& operator=(const TImageCanvas&) = delete;

    // Finishes painting so that the image holds every call so far.
    void End();

    qreal DevicePixelRatio() const override { return FImage.devicePixelRatio(); }

protected:
    void DrawLine(TPoint from, TPoint to) override;
    void DrawPolyline(std::span<const TPoint> points) override;
    void DrawPolygon(std::span<const TPoint> points) override;
    void DrawRectangle(TPoint corner1, TPoint corner2) override;
    void DrawFillRect(const TRect& r) override;
    void DrawEllipse(TPoint corner1, TPoint corner2) override;
    void DrawArc(TPoint corner1, TPoint corner2, TPoint start, TPoint end) override;
    void DrawPixel(TPoint at, TColor color) override;
    std::optional<TColor> ReadPixel(TPoint at) override;
    void DrawText(TPoint at, const QString& text) override;
    TSize MeasureText(const QString& text) override;
    void DrawBitmap(TPoint at, const TBitmap& bitmap) override;
    void StretchBitmap(const TRect& r, const TBitmap& bitmap) override;
    void ClipChanged() override;

private:
    // Opens the painter when needed; false for an empty image.
    bool Begin();
    void ApplyPen();
    // One line without its end point, in the applied pen.
    void DrawSegment(TPoint from, TPoint to);
    // A polyline of a pen wider than one pixel, as one stroke.
    void DrawWidePolyline(std::span<const TPoint> points);
    void ApplyBrush();
    void ApplyMode(TPenMode mode);
    void ApplyClip();
    // A device pixel inside the image and the clip rectangle.
    bool Paintable(TPoint at) const;
    // Device pixels for logical ones: a coordinate, a point, the area of
    // columns x1..x2-1 and rows y1..y2-1.
    int ToDevice(int v) const { return DevicePixels(v, DevicePixelRatio()); }
    TPoint ToDevice(TPoint p) const { return {ToDevice(p.x), ToDevice(p.y)}; }
    std::span<const TPoint> ToDevice(std::span<const TPoint> points);
    QRect DeviceArea(int x1, int y1, int x2, int y2) const;
    // The clip rectangle in device pixels.
    std::optional<QRect> DeviceClip() const;
    const QFont& CurrentQFont();

    QImage& FImage;
    // The painter's device at a ratio other than 1: FImage's pixels, ratio 1.
    QImage FView;
    QPainter FPainter;
    std::vector<TPoint> FDevicePoints;
    // What the open painter was last given, so unchanged settings are not re-sent.
    std::optional<TPen> FAppliedPen;
    std::optional<TBrush> FAppliedBrush;
    std::optional<TPenMode> FAppliedMode;
    std::optional<TFont> FFontKey;
    QFont FQFont;

    // Text measured and laid out, by font: a chart measures and draws the same
    // caption and labels on every repaint, and Qt would shape them anew each time.
    struct TFontTexts {
        TFont Font;
        QHash<QString, TSize> Sizes;
        QHash<QString, QStaticText> Layouts;
    };
    // The ratio the cached layouts were prepared for.
    qreal FLayoutRatio = 1;
    static constexpr std::size_t MaxCachedFonts = 8;
    static constexpr qsizetype MaxCachedTexts = 512;
    // The entry of the current font's metrics, made when missing.
    TFontTexts& CurrentFontTexts();
    std::vector<TFontTexts> FFontTexts;
};

// The QFont for a TFont: Height < 0 is the character height in pixels, > 0 the
// cell height; drawn without antialiasing so text colours stay exact.
QFont FontToQFont(const TFont& font);
