#pragma once

// The canvas over a QPainter on a QImage. One painter stays open on the image
// between calls, since the chart draws hundreds of items per picture; End()
// closes it, which must happen before the image is read or replaced.

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
    // Inside the image and the clip rectangle.
    bool Paintable(TPoint at) const;
    const QFont& CurrentQFont();

    QImage& FImage;
    QPainter FPainter;
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
    static constexpr std::size_t MaxCachedFonts = 8;
    static constexpr qsizetype MaxCachedTexts = 512;
    // The entry of the current font's metrics, made when missing.
    TFontTexts& CurrentFontTexts();
    std::vector<TFontTexts> FFontTexts;
};

// The QFont for a TFont: Height < 0 is the character height in pixels, > 0 the
// cell height; drawn without antialiasing so text colours stay exact.
QFont FontToQFont(const TFont& font);
