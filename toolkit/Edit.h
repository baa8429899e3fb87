#pragma once

#include <QLineEdit>

// A single-line edit box. A disabled one only displays its text: it takes
// neither the focus nor input.
class TEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TEdit(QWidget* parent = nullptr);
};
