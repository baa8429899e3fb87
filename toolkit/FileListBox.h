#pragma once

#include <QByteArray>
#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QPointer>
#include <QString>

// The file list of the file browser: the plain names of the regular, visible
// files of one directory that match a mask of ";"-separated patterns, sorted
// ignoring case. Loading the list makes its directory the process's current
// one, so a bare name shown in the linked edit opens as it stands.
class TFileListBox : public QListWidget {
    Q_OBJECT

public:
    explicit TFileListBox(QWidget* parent = nullptr);

    QString Mask() const { return FMask; }
    void SetMask(const QString& mask);

    QString Directory() const { return FDirectory; }
    // Enters `dir` and reloads; raises EInOutError (nothing changed) when it
    // cannot be entered.
    void SetDirectory(const QString& dir);

    QLineEdit* FileEdit() const { return FFileEdit; }
    // Links the edit that shows the selected name, or the mask when nothing is selected.
    void SetFileEdit(QLineEdit* edit);

    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height);

    // The selected file's bare name, empty when nothing is selected.
    QString FileName() const;
    // The same name as the directory stores it: the bytes that open that very
    // file, also where they are no valid text and the list shows them replaced.
    QByteArray FileNameBytes() const;

    // Reads the directory again.
    void Update();

signals:
    // Every selection change by mouse or keyboard, before the edit follows it.
    void Click();

protected:
    void showEvent(QShowEvent* event) override;
    // As a single-selection list box of the desktop: a click on the empty
    // area below the entries, or a Ctrl+click on the selected entry, keeps
    // the selection rather than leaving nothing selected.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    int SelectedRow() const;
    void SelectionChanged();
    void ShowSelectionInEdit();

    QString FMask = QStringLiteral("*");
    QString FDirectory;
    // The bytes of each entry's name, by row; the entries are only ever
    // replaced all together.
    QList<QByteArray> FEntryBytes;
    QPointer<QLineEdit> FFileEdit;
    int FItemHeight = 13;
    int FLastReported = -1;
    bool FLoaded = false;
    bool FLoading = false;
};
