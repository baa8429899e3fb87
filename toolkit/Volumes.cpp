#include "toolkit/Volumes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStorageInfo>
#include <algorithm>

namespace {

std::optional<std::vector<TVolume>>& Overridden() {
    static std::optional<std::vector<TVolume>> volumes;
    return volumes;
}

QHash<QString, QString>& Remembered() {
    static QHash<QString, QString> dirs;
    return dirs;
}

bool IsUnder(const QString& path, const QString& mount) {
    if (mount == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == mount || path.startsWith(mount + QLatin1Char('/'));
}

bool IsPseudoFileSystem(const QByteArray& type) {
    static const QList<QByteArray> pseudo = {
        "proc",       "sysfs",      "devtmpfs", "devpts",  "cgroup",      "cgroup2",
        "securityfs", "debugfs",    "tracefs",  "pstore",  "bpf",         "mqueue",
        "hugetlbfs",  "configfs",   "fusectl",  "autofs",  "binfmt_misc", "efivarfs",
        "nsfs",       "rpc_pipefs", "squashfs", "overlay", "fuse.portal", "fuse.gvfsd-fuse"};
    return pseudo.contains(type);
}

bool IsWorthBrowsing(const QStorageInfo& info) {
    const QString mount = info.rootPath();
    if (mount == QLatin1String("/"))
        return true;
    if (!info.isValid() || IsPseudoFileSystem(info.fileSystemType()))
        return false;
    for (const char* system : {"/proc", "/sys", "/dev"})
        if (IsUnder(mount, QLatin1String(system)))
            return false;
    // Runtime state lives in memory file systems under /run; removable media
    // mounted below /run/media are real drives.
    const QByteArray type = info.fileSystemType();
    if ((type == "tmpfs" || type == "ramfs") && IsUnder(mount, QStringLiteral("/run")))
        return false;
    return true;
}

// The kernel marks removable block devices; partitions inherit the mark of
// their disk, one level up in sysfs.
bool IsRemovableDevice(const QByteArray& device) {
    if (!device.startsWith("/dev/"))
        return false;
    const QString name =
        QFileInfo(QString::fromLocal8Bit(device)).canonicalFilePath().section('/', -1);
    const QString node = QFileInfo(QStringLiteral("/sys/class/block/") + name).canonicalFilePath();
    if (node.isEmpty())
        return false;
    for (const QString& dir : {node, QFileInfo(node).path()}) {
        QFile flag(dir + QStringLiteral("/removable"));
        if (flag.open(QIODevice::ReadOnly))
            return flag.readAll().trimmed() == "1";
    }
    return false;
}

TDriveType DriveTypeOf(const QStorageInfo& info) {
    const QByteArray type = info.fileSystemType();
    static const QList<QByteArray> network = {
        "nfs",        "nfs4", "cifs", "smb3",           "smbfs", "9p",
        "fuse.sshfs", "afs",  "ceph", "fuse.glusterfs", "davfs"};
    if (network.contains(type))
        return TDriveType::dtNetwork;
    if (type == "iso9660" || type == "udf")
        return TDriveType::dtOptical;
    if (type == "tmpfs" || type == "ramfs")
        return TDriveType::dtRam;
    if (IsRemovableDevice(info.device()))
        return TDriveType::dtRemovable;
    return TDriveType::dtFixed;
}

std::vector<TVolume> MountedVolumes() {
    std::vector<TVolume> volumes;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
        if (!IsWorthBrowsing(info))
            continue;
        TVolume volume;
        volume.MountPath = info.rootPath();
        volume.Label = info.name();
        volume.Type = DriveTypeOf(info);
        if (volume.Type == TDriveType::dtNetwork)
            volume.RemoteName = QString::fromLocal8Bit(info.device());
        volumes.push_back(volume);
    }
    return volumes;
}

} // namespace

std::vector<TVolume> BrowsableVolumes() {
    std::vector<TVolume> volumes = Overridden() ? *Overridden() : MountedVolumes();
    // A mount path seen twice (stacked mounts) is one drive.
    std::stable_sort(volumes.begin(), volumes.end(), [](const TVolume& a, const TVolume& b) {
        const bool aRoot = a.MountPath == QLatin1String("/");
        const bool bRoot = b.MountPath == QLatin1String("/");
        if (aRoot != bRoot)
            return aRoot;
        return a.MountPath < b.MountPath;
    });
    volumes.erase(
        std::unique(volumes.begin(), volumes.end(),
                    [](const TVolume& a, const TVolume& b) { return a.MountPath == b.MountPath; }),
        volumes.end());
    if (volumes.empty() || volumes.front().MountPath != QLatin1String("/"))
        volumes.insert(volumes.begin(), TVolume{QStringLiteral("/"), {}, {}, TDriveType::dtFixed});
    return volumes;
}

void OverrideVolumes(std::optional<std::vector<TVolume>> volumes) {
    Overridden() = std::move(volumes);
}

TVolume VolumeOf(const QString& dir) {
    const std::vector<TVolume> volumes = BrowsableVolumes();
    const QString path = QDir::cleanPath(dir);
    const TVolume* best = &volumes.front();
    for (const TVolume& volume : volumes)
        if (IsUnder(path, volume.MountPath) && volume.MountPath.size() > best->MountPath.size())
            best = &volume;
    return *best;
}

std::optional<TVolume> VolumeOfLetter(QChar letter) {
    const int index = letter.toLower().unicode() - u'c';
    const std::vector<TVolume> volumes = BrowsableVolumes();
    if (index < 0 || index >= static_cast<int>(volumes.size()) || index > u'z' - u'c')
        return std::nullopt;
    return volumes[index];
}

QString DriveEntryText(const TVolume& volume) {
    // The mount path is a path and keeps its case; only the label is lower-cased,
    // as a drive's letter and label are.
    const QString bracketed =
        volume.MountPath + QStringLiteral(" [") + volume.Label.toLower() + QLatin1Char(']');
    switch (volume.Type) {
    case TDriveType::dtRemovable:
        return volume.MountPath;
    case TDriveType::dtNetwork:
        if (!volume.RemoteName.isEmpty())
            return volume.MountPath + QLatin1Char(' ') + volume.RemoteName.toLower();
        return bracketed;
    case TDriveType::dtFixed:
    case TDriveType::dtOptical:
    case TDriveType::dtRam:
        break;
    }
    return bracketed;
}

QString RememberedDirectory(const TVolume& volume) {
    return Remembered().value(volume.MountPath, volume.MountPath);
}

void RememberDirectory(const QString& dir) {
    Remembered().insert(VolumeOf(dir).MountPath, QDir::cleanPath(dir));
}

QChar LetterOfVolume(const TVolume& volume) {
    const std::vector<TVolume> volumes = BrowsableVolumes();
    for (std::size_t i = 0; i < volumes.size() && i <= u'z' - u'c'; ++i)
        if (volumes[i].MountPath == volume.MountPath)
            return QChar(static_cast<char16_t>(u'c' + i));
    return QLatin1Char('c');
}
