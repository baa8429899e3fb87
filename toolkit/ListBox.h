#pragma once

#include <QListWidget>

// A list of text lines of a fixed item height.
class TListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TListBox(QWidget* parent = nullptr);

    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height);

private:
    int FItemHeight = 13;
};
