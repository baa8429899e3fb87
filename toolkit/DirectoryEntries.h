#pragma once

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

// One name of a directory listing: the bytes the system stores and the text
// shown for them (bytes that are not valid UTF-8 appear replaced).
struct TDirectoryEntry {
    QString Name;
    QByteArray Bytes;
};

// The names of the entries of `dir` that pass `filters` and match one of
// `patterns` (all when empty), ignoring case, sorted ignoring case. Of the
// filters, QDir::Files, QDir::Dirs and QDir::Hidden count (links followed;
// "." and ".." never appear). A name whose bytes are not valid UTF-8 appears
// as its conversion to text shows it; its bytes are kept beside.
QList<TDirectoryEntry> DirectoryEntryList(const QString& dir, QDir::Filters filters,
                                          const QStringList& patterns = {});
// The same, the shown names only.
QStringList DirectoryEntries(const QString& dir, QDir::Filters filters,
                             const QStringList& patterns = {});
