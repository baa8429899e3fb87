#include "toolkit/ListBox.h"

#include <QStyledItemDelegate>

namespace {

// Every row gets the list's item height whatever its font would ask for.
class TFixedHeightDelegate : public QStyledItemDelegate {
public:
    TFixedHeightDelegate(const TListBox* list)
        : QStyledItemDelegate(const_cast<TListBox*>(list)), FList(list) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(FList->ItemHeight());
        return size;
    }

private:
    const TListBox* FList;
};

} // namespace

TListBox::TListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new TFixedHeightDelegate(this));
    setUniformItemSizes(true);
    // Long lines are cut at the edge, not shortened with an ellipsis.
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
}

void TListBox::SetItemHeight(int height) {
    FItemHeight = height > 0 ? height : 1;
    // Cached row sizes are dropped by a relayout.
    doItemsLayout();
}
