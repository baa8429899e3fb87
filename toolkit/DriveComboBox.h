#pragma once

#include "toolkit/Volumes.h"

#include <QComboBox>
#include <QPointer>
#include <vector>

class TDirectoryListBox;

// The drive list of the file browser: one entry per browsable volume. Choosing
// an entry moves the linked directory list to that volume's remembered
// directory; when that fails the list still shows the chosen drive.
class TDriveComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TDriveComboBox(QWidget* parent = nullptr);

    // The current drive letter (c for the root volume) and its volume.
    QChar Drive() const { return LetterOfVolume(FDrive); }
    const TVolume& DriveVolume() const { return FDrive; }
    // Selects a drive and moves the directory list to it. An unknown letter
    // raises EInOutError.
    void SetDrive(QChar letter);
    void SetVolume(const TVolume& volume);

    TDirectoryListBox* DirList() const;
    void SetDirList(TDirectoryListBox* dirList);

    // Shows a drive without moving the directory list: the directory list
    // reports its own drive changes through this.
    void ShowVolume(const TVolume& volume);

    const std::vector<TVolume>& Volumes() const { return FVolumes; }

private:
    void EntryChosen(int index);

    std::vector<TVolume> FVolumes;
    TVolume FDrive;
    QPointer<TDirectoryListBox> FDirList;
};
