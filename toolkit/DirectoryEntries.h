#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// The names of the entries of `dir` that pass `filters` and match one of
// `patterns` (all when empty), ignoring case, sorted ignoring case.
QStringList DirectoryEntries(const QString& dir, QDir::Filters filters,
                             const QStringList& patterns = {});
