#include "gallery/GalleryWindow.h"

#include "gallery/GalleryPage.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QStackedWidget>

TGalleryWindow::TGalleryWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Torvane chart gallery"));
    auto* row = new QHBoxLayout(this);
    FList = new QListWidget(this);
    FList->setMaximumWidth(190);
    FStack = new QStackedWidget(this);
    row->addWidget(FList);
    row->addWidget(FStack, 1);
    for (const TGalleryPageEntry& entry : GalleryPages()) {
        FList->addItem(QString::fromUtf8(entry.Title));
        TGalleryPage* page = MakeGalleryPage(entry, FStack);
        FStack->addWidget(page);
        FPages.push_back(page);
    }
    connect(FList, &QListWidget::currentRowChanged, FStack, &QStackedWidget::setCurrentIndex);
    FList->setCurrentRow(0);
    resize(1180, 640);
}

void TGalleryWindow::ShowPage(int Index) {
    FList->setCurrentRow(Index);
}
