#pragma once

#include <QLabel>

// A caption that sizes itself to its text in its font, so the description's
// width and height only matter until the caption or the font is known.
class TLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLabel(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    QString Caption() const { return text(); }
    void AutoSize();

protected:
    void changeEvent(QEvent* event) override;
};
