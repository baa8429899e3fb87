#pragma once

#include <QWidget>

enum TBevelShape { bsBox, bsFrame };
enum TBevelStyle { bsLowered, bsRaised };

// A drawn frame without behaviour: a box (sunken or raised area) or a frame
// outline (an etched line around the rectangle).
class TBevel : public QWidget {
    Q_OBJECT
public:
    explicit TBevel(QWidget* parent = nullptr);

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle style);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};
