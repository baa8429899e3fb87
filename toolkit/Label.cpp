#include "toolkit/Label.h"

#include <QEvent>
#include <QRawFont>
#include <QtEndian>
#include <cmath>

namespace {

// The text cell of a font as the layout was designed with it: ascent and
// descent from the font's Windows metrics (OS/2 usWinAscent/usWinDescent),
// which Qt does not use; Qt's own metrics when the font has no such table.
struct TCellMetrics {
    int Ascent;
    int Height;
};

TCellMetrics CellMetrics(const QFont& font) {
    const QFontMetrics metrics(font);
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.isValid() ? raw.fontTable("OS/2") : QByteArray();
    if (os2.size() < 78 || raw.unitsPerEm() <= 0)
        return {metrics.ascent(), metrics.height()};
    const double scale = raw.pixelSize() / raw.unitsPerEm();
    const int ascent =
        static_cast<int>(std::lround(qFromBigEndian<quint16>(os2.constData() + 74) * scale));
    const int descent =
        static_cast<int>(std::lround(qFromBigEndian<quint16>(os2.constData() + 76) * scale));
    return {ascent, ascent + descent};
}

} // namespace

TLabel::TLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setMargin(0);
    setIndent(0);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A label only shows text: clicks go to whatever lies beneath it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void TLabel::SetCaption(const QString& caption) {
    setText(caption);
    AutoSize();
}

void TLabel::AutoSize() {
    const QFontMetrics metrics(font());
    const TCellMetrics cell = CellMetrics(font());
    // The text sits on the cell's baseline, as it would with that font's own metrics.
    setContentsMargins(0, std::max(0, cell.Ascent - metrics.ascent()), 0, 0);
    // Blanks count: captions with leading or trailing blanks keep their width.
    resize(metrics.horizontalAdvance(text()), std::max(cell.Height, metrics.height()));
}

void TLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AutoSize();
}
