#pragma once

#include "toolkit/Volumes.h"

#include <QIcon>
#include <QListWidget>
#include <QPointer>
#include <QString>

class TDriveComboBox;
class TFileListBox;

// The directory list of the file browser: the current directory as a tree
// (the volume's root, each directory on the path, the current one, then its
// subdirectories). A double click or Enter makes a line current, which enters
// it as the process's current directory and hands it to the linked file list.
class TDirectoryListBox : public QListWidget {
    Q_OBJECT

public:
    // Full path of a line's directory and its depth in the tree.
    static constexpr int PathRole = Qt::UserRole;
    static constexpr int DepthRole = Qt::UserRole + 1;

    explicit TDirectoryListBox(QWidget* parent = nullptr);

    QString Directory() const { return FDirectory; }
    // Enters `dir`, rebuilds the tree and moves the linked lists along. Raises
    // EInOutError, with every list as it was, when `dir` cannot be entered.
    void SetDirectory(const QString& dir);

    // The drive letter of the current directory's volume (c for the root volume).
    QChar Drive() const;
    // Moves to the remembered directory of another drive; the same drive
    // changes nothing. An unknown letter raises EInOutError.
    void SetDrive(QChar letter);
    void SetVolume(const TVolume& volume);

    TFileListBox* FileList() const;
    void SetFileList(TFileListBox* fileList);

    // Set by TDriveComboBox::SetDirList so that drive changes made here show there.
    void SetDriveCombo(TDriveComboBox* driveCombo);

    // Makes the current line's directory current (what Enter does).
    void OpenCurrent();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildTree();

    QString FDirectory;
    QIcon FOpenIcon;
    QIcon FClosedIcon;
    QIcon FCurrentIcon;
    QPointer<TFileListBox> FFileList;
    QPointer<TDriveComboBox> FDriveCombo;
};
