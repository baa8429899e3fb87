#include "toolkit/Edit.h"

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // The boxes are small; Qt's default inner margins would hide descenders.
    setTextMargins(0, 0, 0, 0);
}
