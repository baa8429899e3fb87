#include "toolkit/Bevel.h"

#include <QPainter>

TBevel::TBevel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void TBevel::SetShape(TBevelShape shape) {
    FShape = shape;
    update();
}

void TBevel::SetStyle(TBevelStyle style) {
    FStyle = style;
    update();
}

void TBevel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    const QColor& topLeft = FStyle == bsLowered ? shadow : light;
    const QColor& bottomRight = FStyle == bsLowered ? light : shadow;
    const int w = width();
    const int h = height();
    if (FShape == bsFrame) {
        // Etched outline: one rectangle in the first colour, a second one
        // offset by a pixel in the other.
        p.setPen(bottomRight);
        p.drawRect(1, 1, w - 2, h - 2);
        p.setPen(topLeft);
        p.drawRect(0, 0, w - 2, h - 2);
        return;
    }
    p.setPen(topLeft);
    p.drawLine(0, 0, w - 1, 0);
    p.drawLine(0, 0, 0, h - 1);
    p.setPen(bottomRight);
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 0, w - 1, h - 1);
}
