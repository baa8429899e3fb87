#pragma once

#include <QPushButton>

// A push button; its click event is QAbstractButton::clicked.
class TButton : public QPushButton {
    Q_OBJECT
public:
    explicit TButton(QWidget* parent = nullptr);
};
