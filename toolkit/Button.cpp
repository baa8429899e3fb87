#include "toolkit/Button.h"

TButton::TButton(QWidget* parent) : QPushButton(parent) {
    // Enter must not click a button the user has not focused.
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}
