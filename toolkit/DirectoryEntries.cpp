#include "toolkit/DirectoryEntries.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <vector>

namespace {

struct DirCloser {
    void operator()(DIR* d) const { ::closedir(d); }
};

// Whether the entry is a regular file or a directory, links followed; false
// for dangling or looping links, pipes, devices and sockets.
bool IsWanted(DIR* folder, const dirent& entry, QDir::Filters filters) {
    mode_t type = 0;
    if (entry.d_type == DT_REG)
        type = S_IFREG;
    else if (entry.d_type == DT_DIR)
        type = S_IFDIR;
    else {
        struct stat st {};
        if (::fstatat(::dirfd(folder), entry.d_name, &st, 0) != 0)
            return false;
        type = st.st_mode & S_IFMT;
    }
    return (type == S_IFREG && (filters & QDir::Files)) ||
           (type == S_IFDIR && (filters & QDir::Dirs));
}

} // namespace

QList<TDirectoryEntry> DirectoryEntryList(const QString& dir, QDir::Filters filters,
                                          const QStringList& patterns) {
    // The system's listing rather than QDir's: QDir leaves out every name
    // whose bytes are not valid UTF-8, so such a profile or folder would be
    // missing without a word; here it is kept with its bytes and shown as
    // the conversion to text replaces them, like any 8-bit name. The patterns are Qt's own
    // wildcards, matched ignoring case as QDir's name filters match.
    std::vector<QRegularExpression> masks;
    for (const QString& pattern : patterns)
        masks.push_back(QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive));

    QList<TDirectoryEntry> names;
    const std::unique_ptr<DIR, DirCloser> folder(::opendir(QFile::encodeName(dir).constData()));
    if (!folder)
        return names;
    while (const dirent* entry = ::readdir(folder.get())) {
        const QByteArrayView raw(entry->d_name);
        if (raw == "." || raw == "..")
            continue;
        if (raw.startsWith('.') && !(filters & QDir::Hidden))
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (!masks.empty() &&
            std::none_of(masks.begin(), masks.end(), [&](const QRegularExpression& mask) {
                return mask.match(name).hasMatch();
            }))
            continue;
        if (IsWanted(folder.get(), *entry, filters))
            names.push_back({name, QByteArray(raw.data(), raw.size())});
    }
    // Sorting the bare names: building file information for every entry, as
    // QDir's sorting does, makes directories of many thousand files slow.
    // Equal texts (names that differ only in bytes shown alike) keep a fixed
    // order by their bytes.
    std::sort(names.begin(), names.end(), [](const TDirectoryEntry& a, const TDirectoryEntry& b) {
        const int order = a.Name.compare(b.Name, Qt::CaseInsensitive);
        if (order != 0)
            return order < 0;
        return a.Name != b.Name ? a.Name < b.Name : a.Bytes < b.Bytes;
    });
    return names;
}

QStringList DirectoryEntries(const QString& dir, QDir::Filters filters,
                             const QStringList& patterns) {
    QStringList names;
    for (const TDirectoryEntry& entry : DirectoryEntryList(dir, filters, patterns))
        names << entry.Name;
    return names;
}
