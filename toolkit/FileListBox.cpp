#include "toolkit/FileListBox.h"

#include "toolkit/CurrentDirectory.h"
#include "toolkit/DirectoryEntries.h"
#include "toolkit/Edit.h"

#include <QDir>
#include <QStyledItemDelegate>

namespace {

// Every line has the list's item height, whatever the font.
class TFixedHeightDelegate : public QStyledItemDelegate {
public:
    TFixedHeightDelegate(const int& height, QObject* parent)
        : QStyledItemDelegate(parent), FHeight(height) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), FHeight};
    }

private:
    const int& FHeight;
};

} // namespace

TFileListBox::TFileListBox(QWidget* parent) : QListWidget(parent), FDirectory(QDir::currentPath()) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One height for all lines keeps large directories quick to lay out.
    setUniformItemSizes(true);
    setItemDelegate(new TFixedHeightDelegate(FItemHeight, this));
    connect(this, &QListWidget::itemSelectionChanged, this, &TFileListBox::SelectionChanged);
}

void TFileListBox::SetMask(const QString& mask) {
    FMask = mask;
    if (FLoaded)
        Update();
    else
        ShowSelectionInEdit();
}

void TFileListBox::SetDirectory(const QString& dir) {
    FDirectory = EnterDirectory(dir);
    Update();
}

void TFileListBox::SetFileEdit(QLineEdit* edit) {
    FFileEdit = edit;
    ShowSelectionInEdit();
}

void TFileListBox::SetItemHeight(int height) {
    if (height <= 0 || height == FItemHeight)
        return;
    FItemHeight = height;
    // The delegate reads the height; the view only needs to lay out again.
    doItemsLayout();
}

QString TFileListBox::FileName() const {
    const int row = SelectedRow();
    return row < 0 ? QString() : item(row)->text();
}

QByteArray TFileListBox::FileNameBytes() const {
    const int row = SelectedRow();
    return row < 0 ? QByteArray() : FEntryBytes.value(row);
}

void TFileListBox::Update() {
    EnterDirectory(FDirectory);

    QStringList patterns = FMask.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
        pattern = pattern.trimmed();
    // Without QDir::Hidden and QDir::System: no dot files, no broken links,
    // devices or sockets.
    const QList<TDirectoryEntry> names = DirectoryEntryList(FDirectory, QDir::Files, patterns);

    FLoading = true;
    setUpdatesEnabled(false);
    clear();
    QStringList shown;
    shown.reserve(names.size());
    FEntryBytes.clear();
    FEntryBytes.reserve(names.size());
    for (const TDirectoryEntry& name : names) {
        shown << name.Name;
        FEntryBytes << name.Bytes;
    }
    addItems(shown);
    setUpdatesEnabled(true);
    FLoading = false;

    FLoaded = true;
    FLastReported = -1;
    ShowSelectionInEdit();
}

void TFileListBox::showEvent(QShowEvent* event) {
    QListWidget::showEvent(event);
    if (!FLoaded)
        Update();
}

int TFileListBox::SelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void TFileListBox::SelectionChanged() {
    if (FLoading)
        return;
    emit Click();
    const int row = SelectedRow();
    if (row == FLastReported)
        return;
    FLastReported = row;
    ShowSelectionInEdit();
}

void TFileListBox::ShowSelectionInEdit() {
    if (!FFileEdit)
        return;
    const int row = SelectedRow();
    auto* edit = qobject_cast<TEdit*>(FFileEdit.data());
    if (row >= 0 && edit)
        edit->SetLocal8BitText(FEntryBytes.value(row));
    else
        FFileEdit->setText(row < 0 ? FMask : item(row)->text());
    FFileEdit->selectAll();
}

QItemSelectionModel::SelectionFlags TFileListBox::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return command;
}
