#include "toolkit/DirectoryEntries.h"

#include <algorithm>

QStringList DirectoryEntries(const QString& dir, QDir::Filters filters,
                             const QStringList& patterns) {
    QDir folder(dir);
    folder.setNameFilters(patterns);
    folder.setFilter(filters);
    // QDir's own sorting builds file information for every entry, which makes
    // directories of many thousand files slow; sorting the bare names is not.
    folder.setSorting(QDir::Unsorted);
    QStringList names = folder.entryList();
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}
