#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// The names of the entries of `dir` that pass `filters` and match one of
// `patterns` (all when empty), ignoring case, sorted ignoring case. Of the
// filters, QDir::Files, QDir::Dirs and QDir::Hidden count (links followed;
// "." and ".." never appear). A name whose bytes are not valid UTF-8 appears
// as its conversion to text shows it.
QStringList DirectoryEntries(const QString& dir, QDir::Filters filters,
                             const QStringList& patterns = {});
