#pragma once

// The gallery's window: the page list on the left, the chosen page beside it.

#include <QWidget>
#include <vector>

class QListWidget;
class QStackedWidget;
class TGalleryPage;

class TGalleryWindow : public QWidget {
public:
    explicit TGalleryWindow(QWidget* parent = nullptr);

    // Shows page Index of GalleryPages().
    void ShowPage(int Index);
    TGalleryPage& Page(int Index) { return *FPages.at(static_cast<std::size_t>(Index)); }
    int PageCount() const { return static_cast<int>(FPages.size()); }

private:
    QListWidget* FList = nullptr;
    QStackedWidget* FStack = nullptr;
    std::vector<TGalleryPage*> FPages;
};
