#include "toolkit/Edit.h"

#include <QEvent>

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // The boxes are small; Qt's default inner margins would hide descenders.
    setTextMargins(0, 0, 0, 0);
    HideDisabledSelection();
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text != FBytesShownAs) {
            FBytes.clear();
            FBytesShownAs.clear();
        }
    });
}

void TEdit::SetLocal8BitText(const QByteArray& bytes) {
    FBytes = bytes;
    FBytesShownAs = QString::fromLocal8Bit(bytes);
    setText(FBytesShownAs);
}

QByteArray TEdit::Local8BitText() const {
    return FBytes.isNull() ? text().toLocal8Bit() : FBytes;
}

void TEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        HideDisabledSelection();
}

// Qt draws a selection whatever the state; a box that cannot have the focus
// shows none, so its disabled colours draw selected text as any other.
void TEdit::HideDisabledSelection() {
    QPalette colours = palette();
    const QColor base = colours.color(QPalette::Disabled, QPalette::Base);
    const QColor text = colours.color(QPalette::Disabled, QPalette::Text);
    if (colours.color(QPalette::Disabled, QPalette::Highlight) == base &&
        colours.color(QPalette::Disabled, QPalette::HighlightedText) == text)
        return; // settled: no second palette change
    colours.setColor(QPalette::Disabled, QPalette::Highlight, base);
    colours.setColor(QPalette::Disabled, QPalette::HighlightedText, text);
    setPalette(colours);
}
