#include "toolkit/Canvas.h"

#include "toolkit/ImageCanvas.h"

#include <QGuiApplication>
#include <QPalette>
#include <algorithm>

struct TBitmap::Impl {
    QImage image;
    TImageCanvas canvas{image};
};

TBitmap::TBitmap() : d(std::make_unique<Impl>()) {}

TBitmap::TBitmap(int width, int height) : TBitmap() {
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
    return d->image.width();
}

int TBitmap::Height() const {
    return d->image.height();
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == d->image.width() && height == d->image.height())
        return;
    d->canvas.End();
    if (width == 0 || height == 0)
        d->image = QImage();
    else
        d->image = QImage(width, height, QImage::Format_RGB32);
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
    return true;
}

const QImage& TBitmap::Image() const {
    d->canvas.End();
    return d->image;
}

QColor ColorToQColor(TColor color) {
    const auto value = static_cast<std::uint32_t>(color);
    if ((value & 0xFF000000u) == static_cast<std::uint32_t>(clSystemColor)) {
        const QPalette palette =
            QGuiApplication::instance() ? QGuiApplication::palette() : QPalette();
        switch (value & 0xFFu) {
        case 1: // desktop
        case 4: // menu
            return palette.color(QPalette::Window);
        case 5: // window background
            return palette.color(QPalette::Base);
        case 6: // window frame
            return palette.color(QPalette::Shadow);
        case 7: // menu text
        case 8: // window text
            return palette.color(QPalette::WindowText);
        case 13:
            return palette.color(QPalette::Highlight);
        case 14:
            return palette.color(QPalette::HighlightedText);
        case 15: // button face
            return palette.color(QPalette::Button);
        case 16: // button shadow
            return palette.color(QPalette::Dark);
        case 17: // grey text
            return palette.color(QPalette::Disabled, QPalette::Text);
        case 18: // button text
            return palette.color(QPalette::ButtonText);
        case 20: // button highlight
            return palette.color(QPalette::Light);
        case 21: // 3D dark shadow
            return palette.color(QPalette::Shadow);
        case 22: // 3D light
            return palette.color(QPalette::Midlight);
        default:
            return palette.color(QPalette::WindowText);
        }
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
