#include "app/OpenPath.h"

#include "app/Unit2.h"
#include "base/Exception.h"
#include "base/SystemError.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/FileListBox.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <cerrno>
#include <sys/stat.h>

namespace {

Exception CannotOpen(const QString& path, const QString& reason) {
    return Exception(("Cannot open \"" + path + "\": " + reason).toLocal8Bit().toStdString());
}

void EnterFolder(TForm2& form, const QString& folder, const QString& path) {
    try {
        form.DirectoryListBox1->SetDirectory(folder);
    } catch (const Exception& error) {
        throw CannotOpen(path, QString::fromLocal8Bit(error.Message()));
    }
}

int RowOf(const TFileListBox& list, const QString& name) {
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->text() == name)
            return row;
    return -1;
}

// Why a file of the file list's folder is not among its entries.
QString WhyNotListed(const TFileListBox& list, const QString& name, const struct stat& status) {
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("Not a regular file");
    const QStringList patterns = list.Mask().split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (!QDir::match(patterns, name))
        return QStringLiteral("not a profile file (the file list shows %1 files only)")
            .arg(list.Mask());
    if (name.startsWith(QLatin1Char('.')))
        return QStringLiteral("a hidden file, which the file list does not show");
    return QStringLiteral("the file list does not show it");
}

// Takes drags that carry a local path and opens the dropped one after the
// drop has ended, so that an error box does not hold up the drag's source.
class TDropOpener : public QObject {
public:
    explicit TDropOpener(TForm2& form) : QObject(&form), FForm(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (DroppedPath(drag->mimeData()))
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const std::optional<QString> path = DroppedPath(drop->mimeData());
            if (!path) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            QTimer::singleShot(
                0, &FForm, [form = &FForm, path = *path] { OpenPathShowingErrors(*form, path); });
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    TForm2& FForm;
};

} // namespace

void OpenPath(TForm2& form, const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        throw CannotOpen(path, QString::fromLocal8Bit(SystemErrorText(errno)));
    if (S_ISDIR(status.st_mode)) {
        EnterFolder(form, path, path);
        return;
    }
    const QFileInfo file(path);
    EnterFolder(form, file.absolutePath(), path);
    TFileListBox& list = *form.FileListBox1;
    const int row = RowOf(list, file.fileName());
    if (row < 0)
        throw CannotOpen(path, WhyNotListed(list, file.fileName(), status));
    list.setCurrentRow(row);
    form.Button1->click();
}

void OpenPathShowingErrors(TForm2& form, const QString& path) {
    try {
        OpenPath(form, path);
    } catch (...) {
        ShowEscapedException(std::current_exception());
    }
}

std::optional<QString> DroppedPath(const QMimeData* data) {
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    if (urls.isEmpty())
        return std::nullopt;
    const QUrl& first = urls.front();
    if (!first.isLocalFile())
        return std::nullopt;
    return first.toLocalFile();
}

void AcceptDroppedPaths(TForm2& form) {
    form.setAcceptDrops(true);
    form.installEventFilter(new TDropOpener(form));
}
