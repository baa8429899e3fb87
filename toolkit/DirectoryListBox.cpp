#include "toolkit/DirectoryListBox.h"

#include "toolkit/CurrentDirectory.h"
#include "toolkit/DirectoryEntries.h"
#include "toolkit/DriveComboBox.h"
#include "toolkit/FileListBox.h"
#include "toolkit/InOutError.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <cerrno>

namespace {

constexpr int IndentStep = 10;

// Shifts each line right by its depth in the tree.
class TIndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + Indent(index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(Indent(index), 0);
    }

private:
    static int Indent(const QModelIndex& index) {
        return index.data(TDirectoryListBox::DepthRole).toInt() * IndentStep;
    }
};

// The open folder with a small pointer beside it marks the current directory.
QIcon CurrentFolderIcon(const QStyle* style) {
    QPixmap picture = style->standardIcon(QStyle::SP_DirOpenIcon).pixmap(16, 16);
    QPainter painter(&picture);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 128));
    const QPoint arrow[] = {{10, 9}, {15, 12}, {10, 15}};
    painter.drawPolygon(arrow, 3);
    return QIcon(picture);
}

} // namespace

TDirectoryListBox::TDirectoryListBox(QWidget* parent)
    : QListWidget(parent), FDirectory(QDir::currentPath()) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setItemDelegate(new TIndentDelegate(this));
    RememberDirectory(FDirectory);
    BuildTree();
}

void TDirectoryListBox::SetDirectory(const QString& dir) {
    FDirectory = EnterDirectory(dir);
    RememberDirectory(FDirectory);
    BuildTree();
    if (FFileList)
        FFileList->SetDirectory(FDirectory);
    if (FDriveCombo)
        FDriveCombo->ShowVolume(VolumeOf(FDirectory));
}

QChar TDirectoryListBox::Drive() const {
    return LetterOfVolume(VolumeOf(FDirectory));
}

void TDirectoryListBox::SetDrive(QChar letter) {
    const std::optional<TVolume> volume = VolumeOfLetter(letter);
    if (!volume)
        throw EInOutError(ENODEV);
    SetVolume(*volume);
}

void TDirectoryListBox::SetVolume(const TVolume& volume) {
    if (volume.MountPath == VolumeOf(FDirectory).MountPath)
        return;
    SetDirectory(RememberedDirectory(volume));
}

TFileListBox* TDirectoryListBox::FileList() const {
    return FFileList;
}

void TDirectoryListBox::SetFileList(TFileListBox* fileList) {
    FFileList = fileList;
    if (FFileList)
        FFileList->SetDirectory(FDirectory);
}

void TDirectoryListBox::SetDriveCombo(TDriveComboBox* driveCombo) {
    FDriveCombo = driveCombo;
}

void TDirectoryListBox::OpenCurrent() {
    if (const QListWidgetItem* line = currentItem())
        SetDirectory(line->data(PathRole).toString());
}

void TDirectoryListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (const QListWidgetItem* line = itemAt(event->position().toPoint()))
        SetDirectory(line->data(PathRole).toString());
}

void TDirectoryListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        OpenCurrent();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TDirectoryListBox::BuildTree() {
    const QString root = VolumeOf(FDirectory).MountPath;
    const QStringList steps =
        FDirectory.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QStringList children = DirectoryEntries(FDirectory, QDir::Dirs | QDir::NoDotAndDotDot);

    // The pictures are made once: every new icon object brings its own
    // entries into Qt's pixmap cache, which a folder change would add again.
    if (FOpenIcon.isNull()) {
        FOpenIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
        FClosedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
        FCurrentIcon = CurrentFolderIcon(style());
    }
    const QIcon& open = FOpenIcon;
    const QIcon& closed = FClosedIcon;
    const QIcon& current = FCurrentIcon;

    auto addLine = [this](const QIcon& icon, const QString& text, const QString& path, int depth) {
        auto* line = new QListWidgetItem(icon, text, this);
        line->setData(PathRole, path);
        line->setData(DepthRole, depth);
    };

    clear();
    addLine(steps.isEmpty() ? current : open, root, root, 0);
    QString path = root;
    for (int i = 0; i < steps.size(); ++i) {
        path = QDir::cleanPath(path + QLatin1Char('/') + steps[i]);
        addLine(i + 1 == steps.size() ? current : open, steps[i], path, i + 1);
    }
    const int currentRow = count() - 1;
    for (const QString& child : children)
        addLine(closed, child, QDir::cleanPath(FDirectory + QLatin1Char('/') + child),
                static_cast<int>(steps.size()) + 1);
    setCurrentRow(currentRow);
}
