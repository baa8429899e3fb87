#include "toolkit/ImageCanvas.h"

#include <QFontMetrics>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Dash patterns of the classic cosmetic pen styles, in pixels.
QVector<qreal> DashPattern(TPenStyle style) {
    switch (style) {
    case psDash:
        return {18, 6};
    case psDot:
        return {3, 3};
    case psDashDot:
        return {9, 6, 3, 6};
    case psDashDotDot:
        return {9, 3, 3, 3, 3, 3};
    case psAlternate:
        return {1, 1};
    default:
        return {};
    }
}

// The pen in device pixels: a thin one stays one device pixel wide, wider
// ones and dash lengths grow with the ratio.
QPen MakeQPen(const TPen& pen, qreal ratio) {
    if (pen.Style == psClear)
        return QPen(Qt::NoPen);
    QPen q(ColorToQColor(pen.Color));
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::MiterJoin);
    const int width = pen.Width <= 1 ? 1 : std::max(2, DevicePixels(pen.Width, ratio));
    if (pen.Width <= 1) {
        q.setWidth(1);
        q.setCosmetic(true);
    } else {
        q.setWidth(width);
    }
    const QVector<qreal> dashes = DashPattern(pen.Style);
    if (!dashes.isEmpty()) {
        // Qt counts dash lengths in pen widths.
        QVector<qreal> scaled = dashes;
        for (qreal& d : scaled)
            d = d * ratio / width;
        q.setDashPattern(scaled);
    }
    return q;
}

// How far to move the ends of a wide line from `from` to `to` along it. Qt
// fills the pixels whose centres, half a pixel right of and below their
// points, lie between the flat caps: a line running right or down keeps its
// start and leaves out its end, but one running the other way (or exactly
// along an anti-diagonal) does the opposite. Moving such a line back along
// itself until the start's centre lies a quarter step inside the stroke
// mends it: the end's centre then lies a quarter step beyond it.
QPointF WideLineShift(TPoint from, TPoint to) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    const double ux = dx / length;
    const double uy = dy / length;
    // Where the start's centre lies along the line, from the start.
    const double startCentre = (ux + uy) / 2;
    if (startCentre > 0)
        return {};
    const double shift = startCentre - std::max(std::fabs(ux), std::fabs(uy)) / 4;
    return {shift * ux, shift * uy};
}

// Puts the corners of a box in order; false when the box has no area.
bool OrderCorners(int& x1, int& y1, int& x2, int& y2) {
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    return x2 != x1 && y2 != y1;
}

} // namespace

QFont FontToQFont(const TFont& font) {
    QFont q(font.Name);
    q.setStyleStrategy(QFont::NoAntialias);
    q.setBold(font.Style & fsBold);
    q.setItalic(font.Style & fsItalic);
    q.setUnderline(font.Style & fsUnderline);
    q.setStrikeOut(font.Style & fsStrikeOut);
    if (font.Height < 0) {
        q.setPixelSize(-font.Height);
    } else if (font.Height > 0) {
        // A cell height: find the pixel size whose line height matches it.
        q.setPixelSize(font.Height);
        const int cell = QFontMetrics(q).height();
        if (cell > 0 && cell != font.Height) {
            const int px = std::max(1, static_cast<int>(std::lround(
                                           static_cast<double>(font.Height) * font.Height / cell)));
            q.setPixelSize(px);
        }
    }
    return q;
}

TImageCanvas::TImageCanvas(QImage& image) : FImage(image) {}

TImageCanvas::~TImageCanvas() {
    End();
}

bool TImageCanvas::Begin() {
    if (FPainter.isActive())
        return true;
    if (FImage.isNull())
        return false;
    if (DevicePixelRatio() == 1) {
        if (!FPainter.begin(&FImage))
            return false;
    } else {
        // A painter on the image itself would scale every call by the ratio,
        // lines and fills included. bits() makes the pixels the image's own.
        FView = QImage(FImage.bits(), FImage.width(), FImage.height(), FImage.bytesPerLine(),
                       FImage.format());
        if (!FPainter.begin(&FView)) {
            FView = QImage();
            return false;
        }
    }
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    FPainter.setRenderHint(QPainter::TextAntialiasing, false);
    FAppliedPen.reset();
    FAppliedBrush.reset();
    FAppliedMode.reset();
    ApplyClip();
    return true;
}

void TImageCanvas::ApplyClip() {
    if (const auto clip = DeviceClip())
        FPainter.setClipRect(*clip);
    else
        FPainter.setClipping(false);
}

std::optional<QRect> TImageCanvas::DeviceClip() const {
    if (const auto& clip = ClipRect())
        return DeviceArea(clip->Left, clip->Top, clip->Right, clip->Bottom);
    return std::nullopt;
}

QRect TImageCanvas::DeviceArea(int x1, int y1, int x2, int y2) const {
    const int left = ToDevice(x1);
    const int top = ToDevice(y1);
    return QRect(left, top, ToDevice(x2) - left, ToDevice(y2) - top);
}

std::span<const TPoint> TImageCanvas::ToDevice(std::span<const TPoint> points) {
    if (DevicePixelRatio() == 1)
        return points;
    FDevicePoints.resize(points.size());
    std::transform(points.begin(), points.end(), FDevicePoints.begin(),
                   [this](TPoint p) { return ToDevice(p); });
    return FDevicePoints;
}

void TImageCanvas::ClipChanged() {
    if (FPainter.isActive())
        ApplyClip();
}

bool TImageCanvas::Paintable(TPoint at) const {
    if (at.x < 0 || at.y < 0 || at.x >= FImage.width() || at.y >= FImage.height())
        return false;
    const auto& clip = ClipRect();
    return !clip || (at.x >= ToDevice(clip->Left) && at.y >= ToDevice(clip->Top) &&
                     at.x < ToDevice(clip->Right) && at.y < ToDevice(clip->Bottom));
}

void TImageCanvas::End() {
    if (FPainter.isActive())
        FPainter.end();
    FView = QImage();
}

void TImageCanvas::ApplyMode(TPenMode mode) {
    if (FAppliedMode == mode)
        return;
    switch (mode) {
    case pmCopy:
        FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    case pmNot:
        FPainter.setCompositionMode(QPainter::RasterOp_NotDestination);
        break;
    case pmXor:
        FPainter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    case pmNotXor:
        FPainter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        break;
    }
    FAppliedMode = mode;
}

void TImageCanvas::ApplyPen() {
    ApplyMode(Pen.Mode);
    if (FAppliedPen == Pen)
        return;
    FPainter.setPen(MakeQPen(Pen, DevicePixelRatio()));
    FAppliedPen = Pen;
}

void TImageCanvas::ApplyBrush() {
    if (FAppliedBrush == Brush)
        return;
    if (Brush.Style == bsClear)
        FPainter.setBrush(Qt::NoBrush);
    else
        FPainter.setBrush(ColorToQColor(Brush.Color));
    FAppliedBrush = Brush;
}

const QFont& TImageCanvas::CurrentQFont() {
    if (FFontKey != Font) {
        FQFont = FontToQFont(Font);
        FFontKey = Font;
    }
    return FQFont;
}

void TImageCanvas::DrawLine(TPoint from, TPoint to) {
    if (Pen.Style == psClear || !Begin())
        return;
    ApplyPen();
    DrawSegment(ToDevice(from), ToDevice(to));
}

void TImageCanvas::DrawSegment(TPoint from, TPoint to) {
    if (from == to)
        return;
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    // Qt draws a thin line the same way in both directions and leaves out the
    // end with the larger major coordinate (x on ties). When that end is the
    // start point, it is painted and the end point restored.
    if (Pen.Width > 1) {
        const QPointF shift = WideLineShift(from, to);
        FPainter.drawLine(QPointF(from.x, from.y) + shift, QPointF(to.x, to.y) + shift);
        return;
    }
    const bool reversed = std::abs(dx) >= std::abs(dy) ? dx < 0 : dy < 0;
    if (!reversed) {
        FPainter.drawLine(from.x, from.y, to.x, to.y);
        return;
    }
    const bool endInside = Paintable(to);
    const QRgb saved = endInside ? FImage.pixel(to.x, to.y) : 0;
    FPainter.drawLine(from.x, from.y, to.x, to.y);
    FPainter.fillRect(QRect(from.x, from.y, 1, 1), ColorToQColor(Pen.Color));
    if (endInside) {
        FPainter.setCompositionMode(QPainter::CompositionMode_Source);
        FPainter.fillRect(QRect(to.x, to.y, 1, 1), QColor::fromRgb(saved));
        FAppliedMode.reset();
        ApplyMode(Pen.Mode);
    }
}

void TImageCanvas::DrawPolyline(std::span<const TPoint> logical) {
    if (logical.size() < 2 || Pen.Style == psClear || !Begin())
        return;
    ApplyPen();
    const std::span<const TPoint> points = ToDevice(logical);
    if (Pen.Width > 1) {
        DrawWidePolyline(points);
        return;
    }
    // Segment by segment: each leaves out its end, which the next one paints.
    for (std::size_t i = 1; i < points.size(); ++i)
        DrawSegment(points[i - 1], points[i]);
}

void TImageCanvas::DrawWidePolyline(std::span<const TPoint> points) {
    // One stroke, so that the segments meet in mitred corners (and an XOR pen
    // touches each pixel once); only its two ends move as a single line's do.
    // Repeated points are dropped: they would leave the stroke without a
    // direction there.
    std::vector<TPoint> kept;
    kept.reserve(points.size());
    for (const TPoint& p : points)
        if (kept.empty() || p != kept.back())
            kept.push_back(p);
    const std::size_t n = kept.size();
    if (n < 2)
        return;
    if (n == 2) {
        // Without a bend it is a line, to the pixel.
        DrawSegment(kept[0], kept[1]);
        return;
    }
    std::vector<QPointF> path;
    path.reserve(n);
    for (const TPoint& p : kept)
        path.emplace_back(p.x, p.y);
    // A shift is shorter than any segment: the last one keeps its direction.
    path.front() += WideLineShift(kept[0], kept[1]);
    path.back() += WideLineShift(kept[n - 2], kept[n - 1]);
    FPainter.drawPolyline(path.data(), static_cast<int>(n));
}

void TImageCanvas::DrawPolygon(std::span<const TPoint> points) {
    if (points.size() < 2 || !Begin())
        return;
    ApplyPen();
    ApplyBrush();
    std::vector<QPoint> q;
    q.reserve(points.size());
    for (const TPoint& p : points) {
        const TPoint d = ToDevice(p);
        q.emplace_back(d.x, d.y);
    }
    FPainter.drawPolygon(q.data(), static_cast<int>(q.size()));
}

void TImageCanvas::DrawRectangle(TPoint corner1, TPoint corner2) {
    int x1 = corner1.x, y1 = corner1.y, x2 = corner2.x, y2 = corner2.y;
    if (!OrderCorners(x1, y1, x2, y2) || !Begin())
        return;
    x1 = ToDevice(x1);
    y1 = ToDevice(y1);
    x2 = ToDevice(x2);
    y2 = ToDevice(y2);
    const int w = x2 - x1;
    const int h = y2 - y1;
    ApplyMode(Pen.Mode);
    if (Brush.Style != bsClear)
        FPainter.fillRect(QRect(x1, y1, w, h), ColorToQColor(Brush.Color));
    if (Pen.Style == psClear)
        return;
    if (Pen.Width <= 1 && Pen.Style == psSolid && Pen.Mode == pmCopy && w >= 2 && h >= 2) {
        // The same one-pixel outline as four fills: stroking it costs as much
        // as the rest of a chart picture.
        const QColor color = ColorToQColor(Pen.Color);
        FPainter.fillRect(QRect(x1, y1, w, 1), color);
        FPainter.fillRect(QRect(x1, y2 - 1, w, 1), color);
        if (h > 2) {
            FPainter.fillRect(QRect(x1, y1 + 1, 1, h - 2), color);
            FPainter.fillRect(QRect(x2 - 1, y1 + 1, 1, h - 2), color);
        }
        return;
    }
    ApplyPen();
    FPainter.setBrush(Qt::NoBrush);
    FAppliedBrush.reset();
    if (Pen.Width <= 1) {
        // A one-pixel outline on the outermost columns and rows.
        FPainter.drawRect(QRect(x1, y1, w - 1, h - 1));
    } else {
        FPainter.drawRect(QRectF(x1, y1, w - 1, h - 1));
    }
}

void TImageCanvas::DrawFillRect(const TRect& r) {
    if (r.Right <= r.Left || r.Bottom <= r.Top || Brush.Style == bsClear || !Begin())
        return;
    ApplyMode(pmCopy);
    FPainter.fillRect(DeviceArea(r.Left, r.Top, r.Right, r.Bottom), ColorToQColor(Brush.Color));
}

void TImageCanvas::DrawEllipse(TPoint corner1, TPoint corner2) {
    int x1 = corner1.x, y1 = corner1.y, x2 = corner2.x, y2 = corner2.y;
    if (!OrderCorners(x1, y1, x2, y2) || !Begin())
        return;
    ApplyPen();
    ApplyBrush();
    const QRect area = DeviceArea(x1, y1, x2, y2);
    FPainter.drawEllipse(area.adjusted(0, 0, -1, -1));
}

void TImageCanvas::DrawArc(TPoint corner1, TPoint corner2, TPoint start, TPoint end) {
    int x1 = corner1.x, y1 = corner1.y, x2 = corner2.x, y2 = corner2.y;
    if (!OrderCorners(x1, y1, x2, y2) || Pen.Style == psClear || !Begin())
        return;
    ApplyPen();
    // The angles are those of the logical points.
    const double cx = (x1 + x2) / 2.0;
    const double cy = (y1 + y2) / 2.0;
    auto angle = [&](int x, int y) {
        // Degrees counter-clockwise from the positive x axis, y pointing up.
        double a = std::atan2(cy - y, x - cx) * 180.0 / std::numbers::pi;
        return a < 0 ? a + 360.0 : a;
    };
    const double from = angle(start.x, start.y);
    double span = angle(end.x, end.y) - from;
    if (span <= 0)
        span += 360.0;
    FPainter.drawArc(DeviceArea(x1, y1, x2, y2).adjusted(0, 0, -1, -1),
                     static_cast<int>(std::lround(from * 16)),
                     static_cast<int>(std::lround(span * 16)));
}

void TImageCanvas::DrawPixel(TPoint logical, TColor color) {
    // The whole block; the painter's clip cuts it where the clip does.
    const TPoint at = ToDevice(logical);
    if (!Paintable(at) || !Begin())
        return;
    ApplyMode(pmCopy);
    FPainter.fillRect(DeviceArea(logical.x, logical.y, logical.x + 1, logical.y + 1),
                      ColorToQColor(color));
}

std::optional<TColor> TImageCanvas::ReadPixel(TPoint logical) {
    const TPoint at = ToDevice(logical);
    if (at.x < 0 || at.y < 0 || at.x >= FImage.width() || at.y >= FImage.height())
        return std::nullopt;
    // The raster painter writes straight into the image: what it drew is there.
    const QRgb rgb = std::as_const(FImage).pixel(at.x, at.y);
    return RGBColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

void TImageCanvas::DrawText(TPoint at, const QString& text) {
    const int x = at.x;
    const int y = at.y;
    if (text.isEmpty() || !Begin())
        return;
    ApplyMode(pmCopy);
    if (Brush.Style != bsClear) {
        const TSize cell = MeasureText(text);
        FPainter.fillRect(DeviceArea(x, y, x + cell.cx, y + cell.cy), ColorToQColor(Brush.Color));
    }
    const QFont& font = CurrentQFont();
    FPainter.setFont(font);
    FPainter.setPen(ColorToQColor(Font.Color));
    FAppliedPen.reset();
    // Text alone is drawn in logical pixels, through the painter's transform,
    // so that the font renders at its logical size in device resolution.
    const qreal ratio = DevicePixelRatio();
    const QTransform scaling = QTransform::fromScale(ratio, ratio);
    if (ratio != FLayoutRatio) {
        for (TFontTexts& texts : FFontTexts)
            texts.Layouts.clear();
        FLayoutRatio = ratio;
    }
    struct TUnscale {
        QPainter& Painter;
        bool Scaled;
        ~TUnscale() {
            if (Scaled)
                Painter.setWorldTransform(QTransform());
        }
    } unscale{FPainter, ratio != 1};
    if (unscale.Scaled)
        FPainter.setWorldTransform(scaling);
    // A laid-out text breaks lines at a line or paragraph separator, which text
    // drawn at a point never does: such texts, and any with control
    // characters, are drawn as they stand.
    const bool plain = std::none_of(text.begin(), text.end(), [](QChar ch) {
        return ch.unicode() < 0x20 || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator;
    });
    if (!plain) {
        FPainter.drawText(QPoint(x, y + QFontMetrics(font).ascent()), text);
        return;
    }
    QHash<QString, QStaticText>& layouts = CurrentFontTexts().Layouts;
    auto layout = layouts.find(text);
    if (layout == layouts.end()) {
        if (layouts.size() >= MaxCachedTexts)
            layouts.clear();
        QStaticText laidOut(text);
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.prepare(unscale.Scaled ? scaling : QTransform(), font);
        layout = layouts.insert(text, laidOut);
    }
    // Placed by the top-left corner of its text cell, as TextOut places text.
    FPainter.drawStaticText(QPoint(x, y), *layout);
}

TImageCanvas::TFontTexts& TImageCanvas::CurrentFontTexts() {
    // Colour does not change a text's shape.
    const auto sameMetrics = [this](const TFontTexts& texts) {
        return texts.Font.Name == Font.Name && texts.Font.Height == Font.Height &&
               texts.Font.Style == Font.Style;
    };
    auto texts = std::find_if(FFontTexts.begin(), FFontTexts.end(), sameMetrics);
    if (texts != FFontTexts.end())
        return *texts;
    if (FFontTexts.size() >= MaxCachedFonts)
        FFontTexts.clear();
    return FFontTexts.emplace_back(TFontTexts{Font, {}, {}});
}

TSize TImageCanvas::MeasureText(const QString& text) {
    QHash<QString, TSize>& sizes = CurrentFontTexts().Sizes;
    if (const auto known = sizes.constFind(text); known != sizes.cend())
        return *known;
    const QFontMetrics fm(CurrentQFont());
    const TSize size{fm.horizontalAdvance(text), fm.height()};
    if (sizes.size() >= MaxCachedTexts)
        sizes.clear();
    sizes.insert(text, size);
    return size;
}

void TImageCanvas::DrawBitmap(TPoint at, const TBitmap& bitmap) {
    const QImage& src = bitmap.Image();
    if (src.isNull() || !Begin())
        return;
    ApplyMode(pmCopy);
    if (DevicePixelRatio() == 1 && bitmap.DevicePixelRatio() == 1) {
        FPainter.drawImage(QPoint(at.x, at.y), src);
        return;
    }
    // At its logical size: the source's own ratio would halve a picture of
    // ratio 2 on the view, which has none.
    FPainter.drawImage(DeviceArea(at.x, at.y, at.x + bitmap.Width(), at.y + bitmap.Height()), src,
                       QRectF(0, 0, src.width(), src.height()));
}

void TImageCanvas::StretchBitmap(const TRect& r, const TBitmap& bitmap) {
    const QImage& src = bitmap.Image();
    if (src.isNull() || r.Width() <= 0 || r.Height() <= 0 || !Begin())
        return;
    ApplyMode(pmCopy);
    if (DevicePixelRatio() == 1 && bitmap.DevicePixelRatio() == 1) {
        FPainter.drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()), src);
        return;
    }
    FPainter.drawImage(DeviceArea(r.Left, r.Top, r.Right, r.Bottom), src,
                       QRectF(0, 0, src.width(), src.height()));
}
