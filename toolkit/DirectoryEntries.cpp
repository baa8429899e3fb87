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

QStringList DirectoryEntries(const QString& dir, QDir::Filters filters,
                             const QStringList& patterns) {
    // The system's listing rather than QDir's: QDir leaves out every name
    // whose bytes are not valid UTF-8, so such a profile or folder would be
    // missing without a word; here it is shown as the conversion to text
    // replaces its bytes, like any 8-bit name. The patterns are Qt's own
    // wildcards, matched ignoring case as QDir's name filters match.
    std::vector<QRegularExpression> masks;
    for (const QString& pattern : patterns)
        masks.push_back(QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive));

    QStringList names;
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
            names << name;
    }
    // Sorting the bare names: building file information for every entry, as
    // QDir's sorting does, makes directories of many thousand files slow.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}
