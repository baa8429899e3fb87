#pragma once

#include <QChar>
#include <QString>
#include <optional>
#include <vector>

// The system has mounted volumes where the file browser expects drive letters.
// A volume stands in for a drive: the root volume is drive c, the volumes after
// it in list order are d, e, ... A volume's current directory is remembered for
// the whole process, as a system with drives keeps one per drive.

enum class TDriveType { dtRemovable, dtFixed, dtOptical, dtRam, dtNetwork };

struct TVolume {
    QString MountPath;
    QString Label;      // volume label, may be empty
    QString RemoteName; // network source such as "server:/export", may be empty
    TDriveType Type = TDriveType::dtFixed;

    bool operator==(const TVolume&) const = default;
};

// The mounted volumes worth browsing: the root volume first, then the others
// sorted by mount path. Pseudo file systems and system trees are left out.
std::vector<TVolume> BrowsableVolumes();

// Replaces the mounted volumes by a fixed list (nullopt restores them), so that
// tests can let a folder stand in for a second drive.
void OverrideVolumes(std::optional<std::vector<TVolume>> volumes);

// The volume holding the absolute directory `dir` (the root volume when no other does).
TVolume VolumeOf(const QString& dir);

// The volume that a drive letter stands for, ignoring case; none for letters
// before c or beyond the last volume.
std::optional<TVolume> VolumeOfLetter(QChar letter);

// The drive-list entry of a volume: its mount path where the drive letter would
// stand, followed by its label (lower-cased) as its drive type asks.
QString DriveEntryText(const TVolume& volume);

// The current directory remembered for a volume: its mount path until a
// directory on it has been made current.
QString RememberedDirectory(const TVolume& volume);
void RememberDirectory(const QString& dir);

// The drive letter that a volume stands for (c for the root volume).
QChar LetterOfVolume(const TVolume& volume);
