#pragma once

// The two file formats of a chart's drawing lists, as bytes in memory: the
// binary format (SaveData, SaveAnno) and the plain-text format (SaveDataASC).
// docs/chart-file-formats.md describes both field by field. The chart's
// SaveData, LoadData and the others (ChartDrawingList.h) wrap these in file
// access; they are separate so that a reader can be tried on any bytes.
//
// Reading is strict and checks everything before it hands a list back: the
// signature or header, the version, which list the file holds, every count
// against its limit and against the bytes or lines that are left, every
// enumerated value, the text encoding, the end marker and (binary) the
// checksum. It never reads past the bytes it is given, and it reserves no
// storage for more items than those bytes can hold.

#include "chart/ChartDrawingList.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// Which of a chart's lists a file holds. A file of one list is refused by the
// loader of the other: data items are always in world values, annotations
// keep their coordinate modes.
enum class TChartListKind : std::uint8_t { Data = 0, Annotations = 1 };

namespace ChartFile {

// The binary format's first eight bytes; the 0x89 and the line break catch a
// file that went through a text conversion.
inline constexpr char Signature[8] = {'\x89', 'T', 'V', 'C', 'H', 'R', 'T', '\n'};
// The first word of the text format's first line.
inline constexpr char TextHeaderWord[] = "TorvaneChart";
// The format version written, and the newest one read (both formats).
inline constexpr int Version = 1;
// A file larger than this is not read at all: no list of the chart comes
// near it, and it keeps a device or a runaway file from filling the memory.
inline constexpr qsizetype MaxFileSize = 64 * 1024 * 1024;

QByteArray WriteBinary(const TItemList& List, TChartListKind Kind);
QByteArray WriteText(const TItemList& List, TChartListKind Kind);

// Reads either format, told apart by its first bytes. The items, their count,
// the long texts and the per-kind counters are filled; one slot is reserved
// per item (the next append reserves more). FileName is only for the
// messages. Throws EChartFileError naming the byte (binary) or the line
// (text) and what is wrong there.
TItemList Read(const QByteArray& Bytes, const QString& FileName, TChartListKind Kind);

// CRC-32 (the common polynomial 0xEDB88320, reflected), the binary format's
// last four bytes over all bytes before them.
std::uint32_t Crc32(const char* Data, qsizetype Size);

} // namespace ChartFile
