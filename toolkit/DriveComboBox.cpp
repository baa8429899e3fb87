#include "toolkit/DriveComboBox.h"

#include "toolkit/DirectoryListBox.h"
#include "toolkit/InOutError.h"

#include <QDir>
#include <QStyle>
#include <cerrno>

namespace {

QStyle::StandardPixmap PictureOf(TDriveType type) {
    switch (type) {
    case TDriveType::dtRemovable:
        return QStyle::SP_DriveFDIcon;
    case TDriveType::dtOptical:
        return QStyle::SP_DriveCDIcon;
    case TDriveType::dtNetwork:
        return QStyle::SP_DriveNetIcon;
    case TDriveType::dtFixed:
    case TDriveType::dtRam:
        break;
    }
    return QStyle::SP_DriveHDIcon;
}

} // namespace

TDriveComboBox::TDriveComboBox(QWidget* parent) : QComboBox(parent), FVolumes(BrowsableVolumes()) {
    for (const TVolume& volume : FVolumes)
        addItem(style()->standardIcon(PictureOf(volume.Type)), DriveEntryText(volume));
    ShowVolume(VolumeOf(QDir::currentPath()));
    // Mouse and keyboard choices both arrive here; programmatic index changes do not.
    connect(this, &QComboBox::activated, this, &TDriveComboBox::EntryChosen);
}

void TDriveComboBox::SetDrive(QChar letter) {
    const std::optional<TVolume> volume = VolumeOfLetter(letter);
    if (!volume)
        throw EInOutError(ENODEV);
    SetVolume(*volume);
}

void TDriveComboBox::SetVolume(const TVolume& volume) {
    if (volume.MountPath == FDrive.MountPath)
        return;
    ShowVolume(volume);
    if (FDirList)
        FDirList->SetVolume(volume);
}

TDirectoryListBox* TDriveComboBox::DirList() const {
    return FDirList;
}

void TDriveComboBox::SetDirList(TDirectoryListBox* dirList) {
    FDirList = dirList;
    if (FDirList)
        FDirList->SetDriveCombo(this);
}

void TDriveComboBox::ShowVolume(const TVolume& volume) {
    FDrive = volume;
    for (std::size_t i = 0; i < FVolumes.size(); ++i)
        if (FVolumes[i].MountPath == volume.MountPath)
            setCurrentIndex(static_cast<int>(i));
}

void TDriveComboBox::EntryChosen(int index) {
    if (index >= 0 && index < static_cast<int>(FVolumes.size()))
        SetVolume(FVolumes[index]);
}
