// libFuzzer target: the readers behind LoadData and LoadAnno on any bytes.
// They either read a list or throw EChartFileError; a list they accept must
// be within its limits and come back unchanged through both writers. A
// binary input is tried a second time with its checksum made right, so that
// the reader's checks behind the checksum are reached too.
#include "chart/ChartErrors.h"
#include "chart/ChartStorage.h"

#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool SameDouble(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameList(const TItemList& a, const TItemList& b) {
    if (a.NumItems != b.NumItems || a.NumLongTexts != b.NumLongTexts ||
        a.LongTexts != b.LongTexts || a.KindCount != b.KindCount)
        return false;
    for (int i = 0; i < a.NumItems; ++i) {
        TChartItem x = a.Items[static_cast<std::size_t>(i)];
        TChartItem y = b.Items[static_cast<std::size_t>(i)];
        if (!SameDouble(x.x, y.x) || !SameDouble(x.y, y.y) || !SameDouble(x.x2, y.x2) ||
            !SameDouble(x.y2, y.y2))
            return false;
        x.x = y.x = x.y = y.y = x.x2 = y.x2 = x.y2 = y.y2 = 0;
        if (!(x == y))
            return false;
    }
    return true;
}

void Check(const QByteArray& bytes, TChartListKind kind) {
    TItemList list;
    try {
        list = ChartFile::Read(bytes, QStringLiteral("fuzz"), kind);
    } catch (const EChartFileError& e) {
        if (e.FileName() != "fuzz" || e.Reason().empty())
            std::abort();
        return;
    }
    if (list.NumItems < 0 || list.NumLongTexts < 0 || list.NumLongTexts > MaxLongTexts ||
        (kind == TChartListKind::Data && list.NumItems > MaxChartItems) ||
        static_cast<std::size_t>(list.NumItems) > list.Items.size())
        std::abort();
    for (const QByteArray& again :
         {ChartFile::WriteBinary(list, kind), ChartFile::WriteText(list, kind)}) {
        try {
            if (!SameList(ChartFile::Read(again, QStringLiteral("again"), kind), list))
                std::abort();
        } catch (const EChartFileError&) {
            std::abort(); // what a writer wrote must read back
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const TChartListKind kind : {TChartListKind::Data, TChartListKind::Annotations}) {
        Check(bytes, kind);
        if (bytes.startsWith(QByteArray(ChartFile::Signature, sizeof ChartFile::Signature)) &&
            bytes.size() >= 12) {
            QByteArray fixed = bytes;
            const std::uint32_t crc = ChartFile::Crc32(fixed.constData(), fixed.size() - 4);
            for (int i = 0; i < 4; ++i)
                fixed[fixed.size() - 4 + i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
            Check(fixed, kind);
        }
    }
    return 0;
}
