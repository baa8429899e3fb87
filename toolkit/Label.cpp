#include "toolkit/Label.h"

#include <QEvent>

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
    // Blanks count: captions with leading or trailing blanks keep their width.
    resize(metrics.horizontalAdvance(text()), metrics.height());
}

void TLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AutoSize();
}
