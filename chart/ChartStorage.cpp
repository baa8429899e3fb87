// The chart's file formats (ChartStorage.h) and the list operations that
// save, load and copy through them (ChartDrawingList.h).

#include "chart/ChartStorage.h"

#include "base/SystemError.h"
#include "chart/ChartErrors.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

EChartFileError::EChartFileError(std::string FileName, std::string Where, std::string Reason)
    : EChartFileError("Chart file \"" + FileName + "\"" + (Where.empty() ? "" : ", " + Where) +
                          ": " + Reason,
                      FileName, Where, Reason) {}

EChartFileError::EChartFileError(std::string Message, std::string FileName, std::string Where,
                                 std::string Reason)
    : EComponentError(std::move(Message)), FFileName(std::move(FileName)), FWhere(std::move(Where)),
      FReason(std::move(Reason)) {}

EChartFileError EChartFileError::Access(const std::string& Verb, std::string FileName,
                                        std::string Reason) {
    std::string message = Verb + " \"" + FileName + "\": " + Reason;
    return EChartFileError(std::move(message), std::move(FileName), {}, std::move(Reason));
}

namespace {

using namespace std::string_literals;

constexpr std::size_t Sz(qsizetype n) {
    return static_cast<std::size_t>(n);
}

std::string Str(const QString& s) {
    return s.toStdString();
}

// --- names of the enumerations in the text format ----------------------------------

constexpr std::array<std::string_view, NumChartItemKinds> KindNames = {
    "tkNone",        "tkMarkAt",         "tkLine",       "tkLineto",     "tkRect",
    "tkRectFrame",   "tk3DBar",          "tkText",       "tkMoveTo",     "tkEllipse",
    "tkEverything",  "tkNotMoveTo",      "tkMoveRelPix", "tkLineRelPix", "tkArrow",
    "tkDoubleArrow", "tkTextOfs",        "tkRectRelPix", "tkMarkEBar",   "tkLineOffs",
    "tkArc",         "tkLineRelPixOrig", "tkCursorVert", "tkCursorHoriz"};
static_assert(KindNames.back() == "tkCursorHoriz" && KindNames[tkArc] == "tkArc");
constexpr std::array<std::string_view, 9> PenStyleNames = {
    "psSolid", "psDash",        "psDot",       "psDashDot",  "psDashDotDot",
    "psClear", "psInsideFrame", "psUserStyle", "psAlternate"};
constexpr std::array<std::string_view, 6> FrameStyleNames = {
    "fsNone", "fsSimple", "fsLowered", "fsRaised", "fsEmbossed", "fsEngraved"};
constexpr std::array<std::string_view, 6> CoordModeNames = {
    "cmAllWorld",           "cmAllScreen",     "cmWorldMainScreenSec",
    "cmScreenMainWorldSec", "cmXScreenYWorld", "cmXWorldYScreen"};

constexpr std::string_view ListWord(TChartListKind kind) {
    return kind == TChartListKind::Data ? "data" : "annotations";
}

// UTF-8 bytes as text; false when they are not valid UTF-8.
bool DecodeUtf8(std::string_view bytes, QString& out) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    out = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

// What both readers check of a list once its items are read.
std::string CheckItem(const TChartItem& item, TChartListKind kind) {
    if (kind == TChartListKind::Data && item.CoordMode != cmAllWorld)
        return "a data item must be in world values (cmAllWorld), not "s +
               std::string(CoordModeNames[item.CoordMode]);
    return {};
}

// --- binary writing ---------------------------------------------------------------

class TByteWriter {
public:
    QByteArray Bytes;

    template <typename T> void Put(T value) {
        // Little-endian, whatever the machine.
        using U = std::make_unsigned_t<T>;
        auto u = static_cast<U>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            Bytes.append(static_cast<char>(u & 0xFF));
            u = static_cast<U>(u >> 8);
        }
    }
    void PutDouble(double value) { Put(std::bit_cast<std::uint64_t>(value)); }
    void PutRaw(const QByteArray& bytes) { Bytes.append(bytes); }
};

} // namespace

std::uint32_t ChartFile::Crc32(const char* Data, qsizetype Size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < Size; ++i)
        crc = table[(crc ^ static_cast<std::uint8_t>(Data[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

namespace {

// Binary layout of one item after its text: three parameters and the mode.
constexpr qsizetype FixedItemBytes = 4 * 8 + 4 * 4 + 1 + 4 + 4 + 1 + 1 + 4 + 1 + 1 + 2 + 3 * 4 + 1;
constexpr qsizetype CrcBytes = 4;

} // namespace

QByteArray ChartFile::WriteBinary(const TItemList& List, TChartListKind Kind) {
    TByteWriter w;
    w.Bytes.append(Signature, sizeof Signature);
    w.Put(static_cast<std::uint16_t>(Version));
    w.Put(static_cast<std::uint8_t>(Kind));
    w.Put(static_cast<std::uint8_t>(List.NumLongTexts));
    w.Put(static_cast<std::uint32_t>(List.NumItems));
    for (int i = 0; i < List.NumLongTexts; ++i) {
        const QByteArray text = List.LongTexts[Sz(i)].toUtf8();
        w.Put(static_cast<std::uint32_t>(text.size()));
        w.PutRaw(text);
    }
    for (const TChartItem& item : List.InUse()) {
        w.PutDouble(item.x);
        w.PutDouble(item.y);
        w.PutDouble(item.x2);
        w.PutDouble(item.y2);
        w.Put(item.Color);
        w.Put(item.FillColor);
        w.Put(item.ShadowColor);
        w.Put(item.HiLightColor);
        w.Put(static_cast<std::uint8_t>(item.PenStyle));
        w.Put(item.Tag);
        w.Put(item.LWid);
        w.Put(item.ItemClass);
        w.Put(static_cast<std::uint8_t>(item.ItemKind));
        w.Put(item.Layer);
        w.Put(static_cast<std::uint8_t>(item.Transp ? 1 : 0));
        w.Put(static_cast<std::uint8_t>(item.FrameStyle));
        // An item's own text is short; anything beyond what the length field
        // holds was never the item's to keep.
        QByteArray text = item.Text.toUtf8();
        if (text.size() > 0xFFFF)
            text = item.Text.left(MaxShortTextLength).toUtf8();
        w.Put(static_cast<std::uint16_t>(text.size()));
        w.PutRaw(text);
        w.Put(item.Param1);
        w.Put(item.Param2);
        w.Put(item.Param3);
        w.Put(static_cast<std::uint8_t>(item.CoordMode));
    }
    w.Put(Crc32(w.Bytes.constData(), w.Bytes.size()));
    return w.Bytes;
}

// --- binary reading -------------------------------------------------------------------

namespace {

class TBinaryReader {
public:
    TBinaryReader(const QByteArray& bytes, const QString& fileName)
        : FBytes(bytes), FFileName(Str(fileName)) {}

    qsizetype Pos() const { return FPos; }
    qsizetype Left() const { return FBytes.size() - FPos; }

    [[noreturn]] void Fail(qsizetype at, const std::string& reason) const {
        throw EChartFileError(FFileName, "byte " + std::to_string(at), reason);
    }
    // The next n bytes, or a failure that says what was being read.
    const char* Take(qsizetype n, const std::string& what) {
        if (n > Left())
            Fail(FBytes.size(), "the file ends inside " + what);
        const char* p = FBytes.constData() + FPos;
        FPos += n;
        return p;
    }
    template <typename T> T Get(const std::string& what) {
        using U = std::make_unsigned_t<T>;
        const auto* p = reinterpret_cast<const unsigned char*>(Take(sizeof(T), what));
        U u = 0;
        for (std::size_t i = sizeof(T); i-- > 0;)
            u = static_cast<U>((u << 8) | p[i]);
        return static_cast<T>(u);
    }
    double GetDouble(const std::string& what) {
        return std::bit_cast<double>(Get<std::uint64_t>(what));
    }
    // A byte that must be below a bound (an enumeration or a boolean).
    std::uint8_t GetEnum(unsigned bound, const std::string& what) {
        const qsizetype at = FPos;
        const auto v = Get<std::uint8_t>(what);
        if (v >= bound)
            Fail(at, std::to_string(v) + " is no valid value for " + what);
        return v;
    }
    QString GetText(qsizetype length, const std::string& what) {
        const qsizetype at = FPos;
        const char* p = Take(length, what);
        QString text;
        if (!DecodeUtf8(std::string_view(p, Sz(length)), text))
            Fail(at, what + " is not UTF-8 text");
        return text;
    }

private:
    const QByteArray& FBytes;
    std::string FFileName;
    qsizetype FPos = 0;
};

TItemList ReadBinary(const QByteArray& bytes, const QString& fileName, TChartListKind kind) {
    TBinaryReader r(bytes, fileName);
    r.Take(sizeof ChartFile::Signature, "the signature");
    qsizetype at = r.Pos();
    const auto version = r.Get<std::uint16_t>("the header");
    if (version > ChartFile::Version)
        r.Fail(at, "the file is of format version " + std::to_string(version) +
                       ", newer than this program reads (" + std::to_string(ChartFile::Version) +
                       ")");
    if (version < 1)
        r.Fail(at, "the file is of an unknown format version 0");
    at = r.Pos();
    const auto listByte = r.Get<std::uint8_t>("the header");
    if (listByte > 1)
        r.Fail(at, std::to_string(listByte) + " names no list of a chart");
    const auto fileKind = static_cast<TChartListKind>(listByte);
    if (fileKind != kind)
        r.Fail(at, "the file holds "s + std::string(ListWord(fileKind)) + ", not " +
                       std::string(ListWord(kind)));
    at = r.Pos();
    const auto numLong = r.Get<std::uint8_t>("the header");
    if (numLong > MaxLongTexts)
        r.Fail(at, std::to_string(numLong) + " long texts, more than a list holds (" +
                       std::to_string(MaxLongTexts) + ")");
    at = r.Pos();
    const auto numItems = r.Get<std::uint32_t>("the header");
    if (kind == TChartListKind::Data && numItems > MaxChartItems)
        r.Fail(at, std::to_string(numItems) + " items, more than a chart holds (" +
                       std::to_string(MaxChartItems) + ")");
    // Every item takes at least its fixed part: a count the rest of the file
    // cannot hold is found before any storage is reserved for it.
    if (numItems > static_cast<std::uint64_t>(r.Left()) / FixedItemBytes)
        r.Fail(at, std::to_string(numItems) + " items announced, but the file has room for " +
                       std::to_string(r.Left() / FixedItemBytes) + " at most");

    TItemList list;
    list.NumLongTexts = numLong;
    for (int i = 0; i < numLong; ++i) {
        const std::string what = "long text " + std::to_string(i + 1);
        const auto length = r.Get<std::uint32_t>(what);
        list.LongTexts[Sz(i)] = r.GetText(static_cast<qsizetype>(length), what);
    }
    list.Items.assign(Sz(std::max<qsizetype>(numItems, 1)), TChartItem{});
    for (std::uint32_t i = 0; i < numItems; ++i) {
        const std::string what =
            "item " + std::to_string(i + 1) + " of " + std::to_string(numItems);
        const qsizetype start = r.Pos();
        TChartItem& item = list.Items[Sz(i)];
        item.x = r.GetDouble(what);
        item.y = r.GetDouble(what);
        item.x2 = r.GetDouble(what);
        item.y2 = r.GetDouble(what);
        item.Color = r.Get<std::int32_t>(what);
        item.FillColor = r.Get<std::int32_t>(what);
        item.ShadowColor = r.Get<std::int32_t>(what);
        item.HiLightColor = r.Get<std::int32_t>(what);
        item.PenStyle =
            static_cast<TPenStyle>(r.GetEnum(PenStyleNames.size(), "the pen style of " + what));
        item.Tag = r.Get<std::int32_t>(what);
        item.LWid = r.Get<std::int32_t>(what);
        item.ItemClass = r.Get<std::uint8_t>(what);
        item.ItemKind =
            static_cast<TChartItemKind>(r.GetEnum(NumChartItemKinds, "the kind of " + what));
        item.Layer = r.Get<std::int32_t>(what);
        item.Transp = r.GetEnum(2, "the transparency of " + what) == 1;
        item.FrameStyle = static_cast<TFrameStyle>(
            r.GetEnum(FrameStyleNames.size(), "the frame style of " + what));
        const auto textLength = r.Get<std::uint16_t>(what);
        item.Text = r.GetText(textLength, "the text of " + what);
        item.Param1 = r.Get<std::int32_t>(what);
        item.Param2 = r.Get<std::int32_t>(what);
        item.Param3 = r.Get<std::int32_t>(what);
        item.CoordMode = static_cast<TCoordMode>(
            r.GetEnum(CoordModeNames.size(), "the coordinate mode of " + what));
        if (const std::string bad = CheckItem(item, kind); !bad.empty())
            r.Fail(start, what + ": " + bad);
    }
    at = r.Pos();
    if (r.Left() < CrcBytes)
        r.Take(CrcBytes, "the checksum");
    if (r.Left() > CrcBytes)
        r.Fail(at, std::to_string(r.Left() - CrcBytes) +
                       " bytes more than the list takes before the checksum");
    const auto stored = r.Get<std::uint32_t>("the checksum");
    if (stored != ChartFile::Crc32(bytes.constData(), at))
        r.Fail(at, "the checksum does not match the contents: the file is damaged");
    list.NumItems = static_cast<int>(numItems);
    list.NumAlloc = list.NumItems;
    if (kind == TChartListKind::Data)
        list.Recount();
    return list;
}

// --- text writing -----------------------------------------------------------------------

void AppendDouble(std::string& out, double v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

void AppendColor(std::string& out, TColor c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(static_cast<std::uint32_t>(c)));
    out += buf;
}

void AppendQuoted(std::string& out, const QString& s) {
    out += '"';
    for (const char ch : s.toStdString()) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned char>(ch));
                out += buf;
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

// The fields of an item line after its kind, in the order of the record.
constexpr std::string_view ItemFieldNames =
    "x y x2 y2 Color FillColor ShadowColor HiLightColor PenStyle Tag LWid ItemClass Layer "
    "Transp FrameStyle Text Param1 Param2 Param3 CoordMode";

} // namespace

QByteArray ChartFile::WriteText(const TItemList& List, TChartListKind Kind) {
    std::string out;
    out += TextHeaderWord;
    out += " " + std::to_string(Version) + " " + std::string(ListWord(Kind)) + "\n";
    out += "longtexts " + std::to_string(List.NumLongTexts) + "\n";
    for (int i = 0; i < List.NumLongTexts; ++i) {
        AppendQuoted(out, List.LongTexts[Sz(i)]);
        out += '\n';
    }
    out += "items " + std::to_string(List.NumItems) + "\n";
    out += "# ItemKind ";
    out += ItemFieldNames;
    out += '\n';
    for (const TChartItem& item : List.InUse()) {
        out += KindNames[item.ItemKind];
        for (const double v : {item.x, item.y, item.x2, item.y2}) {
            out += ' ';
            AppendDouble(out, v);
        }
        for (const TColor c : {item.Color, item.FillColor, item.ShadowColor, item.HiLightColor}) {
            out += ' ';
            AppendColor(out, c);
        }
        out += ' ';
        out += PenStyleNames[item.PenStyle];
        out += ' ' + std::to_string(item.Tag) + ' ' + std::to_string(item.LWid) + ' ' +
               std::to_string(item.ItemClass) + ' ' + std::to_string(item.Layer) + ' ' +
               (item.Transp ? "true" : "false") + ' ';
        out += FrameStyleNames[item.FrameStyle];
        out += ' ';
        AppendQuoted(out, item.Text);
        out += ' ' + std::to_string(item.Param1) + ' ' + std::to_string(item.Param2) + ' ' +
               std::to_string(item.Param3) + ' ';
        out += CoordModeNames[item.CoordMode];
        out += '\n';
    }
    out += "end\n";
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

// --- text reading ---------------------------------------------------------------------

namespace {

class TTextReader {
public:
    TTextReader(const QByteArray& bytes, const QString& fileName)
        : FText(bytes.constData(), Sz(bytes.size())), FFileName(Str(fileName)) {}

    [[noreturn]] void Fail(const std::string& reason) const {
        throw EChartFileError(FFileName, "line " + std::to_string(std::max(FLine, 1)), reason);
    }

    // The next line that is neither blank nor a comment, split into words;
    // false at the end of the file.
    bool NextLine(std::vector<std::string>& words) {
        while (FPos < FText.size()) {
            const std::size_t end = std::min(FText.find('\n', FPos), FText.size());
            std::string_view line = FText.substr(FPos, end - FPos);
            FPos = end + 1;
            ++FLine;
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            QString check;
            if (!DecodeUtf8(line, check))
                Fail("the line is not UTF-8 text");
            Split(line, words);
            if (!words.empty() && words[0][0] != '#')
                return true;
        }
        return false;
    }
    // Like NextLine, failing at the end of the file with what was expected.
    void NeedLine(std::vector<std::string>& words, const std::string& expected) {
        if (!NextLine(words)) {
            ++FLine;
            Fail("the file ends where " + expected + " should follow");
        }
    }

    static bool IsQuoted(const std::string& word) { return !word.empty() && word[0] == '"'; }

private:
    // Words are separated by spaces or tabs; a quoted word may hold both, and
    // is kept with its quotes and escapes (Unquote reads it). A word that
    // begins with '#' comments out the rest of the line.
    void Split(std::string_view line, std::vector<std::string>& words) const {
        words.clear();
        std::size_t i = 0;
        while (i < line.size()) {
            if (line[i] == ' ' || line[i] == '\t') {
                ++i;
                continue;
            }
            std::size_t j = i;
            if (line[i] == '"') {
                ++j;
                while (j < line.size() && line[j] != '"')
                    j += line[j] == '\\' ? 2 : 1;
                if (j >= line.size())
                    Fail("a quoted text is not closed");
                ++j;
                if (j < line.size() && line[j] != ' ' && line[j] != '\t')
                    Fail("a quoted text is followed by \"" + std::string(line.substr(j, 1)) +
                         "\" instead of a space");
            } else {
                while (j < line.size() && line[j] != ' ' && line[j] != '\t')
                    ++j;
            }
            words.emplace_back(line.substr(i, j - i));
            if (words.back()[0] == '#' && words.size() > 1) {
                words.pop_back();
                return;
            }
            i = j;
        }
    }

    std::string_view FText;
    std::string FFileName;
    std::size_t FPos = 0;
    int FLine = 0;
};

std::string Shown(const std::string& word) {
    return "\"" + (word.size() > 40 ? word.substr(0, 40) + "..." : word) + "\"";
}

// The parts of one item line, read field by field with the field's name in
// every message.
class TFieldReader {
public:
    TFieldReader(const TTextReader& r, const std::vector<std::string>& words, std::string item)
        : FR(r), FWords(words), FItem(std::move(item)) {}

    const std::string& Word(const char* field) {
        if (FNext >= FWords.size())
            FR.Fail(FItem + " ends before its field " + field);
        FField = field;
        return FWords[FNext++];
    }
    [[noreturn]] void Bad(const std::string& word, const std::string& what) const {
        FR.Fail(Shown(word) + " is not " + what + " (field " + FField + " of " + FItem + ")");
    }
    double Double(const char* field) {
        const std::string& w = Word(field);
        double v = 0;
        const auto res = std::from_chars(w.data(), w.data() + w.size(), v);
        // A value too large for a double is refused rather than taken as infinite.
        if (res.ec != std::errc() || res.ptr != w.data() + w.size())
            Bad(w, "a number");
        return v;
    }
    template <typename T> T Integer(const char* field, long long lo, long long hi) {
        const std::string& w = Word(field);
        long long v = 0;
        const auto res = std::from_chars(w.data(), w.data() + w.size(), v);
        if (res.ec != std::errc() || res.ptr != w.data() + w.size() || v < lo || v > hi)
            Bad(w, "a whole number from " + std::to_string(lo) + " to " + std::to_string(hi));
        return static_cast<T>(v);
    }
    TColor Color(const char* field) {
        const std::string& w = Word(field);
        if (w.size() > 2 && w.size() <= 10 && w[0] == '0' && (w[1] == 'x' || w[1] == 'X')) {
            std::uint32_t v = 0;
            const auto res = std::from_chars(w.data() + 2, w.data() + w.size(), v, 16);
            if (res.ec == std::errc() && res.ptr == w.data() + w.size())
                return static_cast<TColor>(v);
        } else {
            std::int32_t v = 0;
            const auto res = std::from_chars(w.data(), w.data() + w.size(), v);
            if (res.ec == std::errc() && res.ptr == w.data() + w.size())
                return v;
        }
        Bad(w, "a colour (0x and up to eight hexadecimal digits, or a 32-bit number)");
    }
    template <std::size_t N>
    std::size_t Name(const char* field, const std::array<std::string_view, N>& names) {
        const std::string& w = Word(field);
        const auto it = std::find(names.begin(), names.end(), w);
        if (it == names.end())
            Bad(w, "a name of its kind (" + std::string(names[0]) + ", ...)");
        return static_cast<std::size_t>(it - names.begin());
    }
    bool Bool(const char* field) {
        const std::string& w = Word(field);
        if (w != "true" && w != "false")
            Bad(w, "true or false");
        return w == "true";
    }
    QString Text(const char* field) {
        const std::string& w = Word(field);
        if (!TTextReader::IsQuoted(w))
            Bad(w, "a quoted text");
        return Unquote(FR, w);
    }
    void End() const {
        if (FNext < FWords.size())
            FR.Fail(Shown(FWords[FNext]) + " after the last field of " + FItem);
    }

    static QString Unquote(const TTextReader& r, const std::string& w) {
        std::string bytes;
        for (std::size_t i = 1; i + 1 < w.size(); ++i) {
            if (w[i] != '\\') {
                bytes += w[i];
                continue;
            }
            const char e = w[++i];
            switch (e) {
            case '"':
                bytes += '"';
                break;
            case '\\':
                bytes += '\\';
                break;
            case 'n':
                bytes += '\n';
                break;
            case 'r':
                bytes += '\r';
                break;
            case 't':
                bytes += '\t';
                break;
            case 'x': {
                unsigned v = 0;
                const auto res = i + 3 < w.size()
                                     ? std::from_chars(w.data() + i + 1, w.data() + i + 3, v, 16)
                                     : std::from_chars_result{nullptr, std::errc::invalid_argument};
                if (res.ec != std::errc() || res.ptr != w.data() + i + 3)
                    r.Fail("\\x in a quoted text needs two hexadecimal digits");
                bytes += static_cast<char>(v);
                i += 2;
                break;
            }
            default:
                r.Fail("\\" + std::string(1, e) + " is no escape of a quoted text");
            }
        }
        QString out;
        if (!DecodeUtf8(bytes, out))
            r.Fail("a quoted text is not UTF-8 text");
        return out;
    }

private:
    const TTextReader& FR;
    const std::vector<std::string>& FWords;
    std::string FItem;
    const char* FField = "";
    std::size_t FNext = 0;
};

// "word N" on a line of its own; the number within 0..max.
int CountLine(TTextReader& r, const std::string& word, long long max, const std::string& what) {
    std::vector<std::string> words;
    r.NeedLine(words, "the line \"" + word + " N\"");
    if (words[0] != word || words.size() != 2)
        r.Fail("\"" + word + " N\" expected here");
    long long v = -1;
    const std::string& w = words[1];
    const auto res = std::from_chars(w.data(), w.data() + w.size(), v);
    if (res.ec != std::errc() || res.ptr != w.data() + w.size() || v < 0)
        r.Fail(Shown(w) + " is not a count");
    if (v > max)
        r.Fail(w + " " + what + ", more than " + std::to_string(max));
    return static_cast<int>(v);
}

TItemList ReadText(const QByteArray& bytes, const QString& fileName, TChartListKind kind) {
    TTextReader r(bytes, fileName);
    std::vector<std::string> words;
    r.NeedLine(words, "the header");
    if (words[0] != ChartFile::TextHeaderWord || words.size() != 3)
        r.Fail("the header is not \"" + std::string(ChartFile::TextHeaderWord) +
               " <version> data|annotations\"");
    int version = 0;
    const std::string& v = words[1];
    const auto res = std::from_chars(v.data(), v.data() + v.size(), version);
    if (res.ec != std::errc() || res.ptr != v.data() + v.size() || version < 1)
        r.Fail(Shown(v) + " is no format version");
    if (version > ChartFile::Version)
        r.Fail("the file is of format version " + v + ", newer than this program reads (" +
               std::to_string(ChartFile::Version) + ")");
    if (words[2] != ListWord(TChartListKind::Data) &&
        words[2] != ListWord(TChartListKind::Annotations))
        r.Fail(Shown(words[2]) + " names no list of a chart (data or annotations)");
    if (words[2] != ListWord(kind))
        r.Fail("the file holds " + words[2] + ", not " + std::string(ListWord(kind)));

    TItemList list;
    list.NumLongTexts = CountLine(r, "longtexts", MaxLongTexts, "long texts");
    for (int i = 0; i < list.NumLongTexts; ++i) {
        r.NeedLine(words, "long text " + std::to_string(i + 1) + " of " +
                              std::to_string(list.NumLongTexts));
        if (words.size() != 1 || !TTextReader::IsQuoted(words[0]))
            r.Fail("long text " + std::to_string(i + 1) + " should be one quoted text");
        list.LongTexts[Sz(i)] = TFieldReader::Unquote(r, words[0]);
    }
    const int numItems =
        CountLine(r, "items", kind == TChartListKind::Data ? MaxChartItems : 0x7FFFFFFF, "items");
    // Storage grows with the lines actually read, never by the count alone.
    list.Items.clear();
    for (int i = 0; i < numItems; ++i) {
        const std::string what =
            "item " + std::to_string(i + 1) + " of " + std::to_string(numItems);
        r.NeedLine(words, what);
        TChartItem item;
        TFieldReader f(r, words, what);
        item.ItemKind = static_cast<TChartItemKind>(f.Name("ItemKind", KindNames));
        item.x = f.Double("x");
        item.y = f.Double("y");
        item.x2 = f.Double("x2");
        item.y2 = f.Double("y2");
        item.Color = f.Color("Color");
        item.FillColor = f.Color("FillColor");
        item.ShadowColor = f.Color("ShadowColor");
        item.HiLightColor = f.Color("HiLightColor");
        item.PenStyle = static_cast<TPenStyle>(f.Name("PenStyle", PenStyleNames));
        item.Tag = f.Integer<std::int32_t>("Tag", INT32_MIN, INT32_MAX);
        item.LWid = f.Integer<std::int32_t>("LWid", INT32_MIN, INT32_MAX);
        item.ItemClass = f.Integer<std::uint8_t>("ItemClass", 0, 255);
        item.Layer = f.Integer<std::int32_t>("Layer", INT32_MIN, INT32_MAX);
        item.Transp = f.Bool("Transp");
        item.FrameStyle = static_cast<TFrameStyle>(f.Name("FrameStyle", FrameStyleNames));
        item.Text = f.Text("Text");
        item.Param1 = f.Integer<std::int32_t>("Param1", INT32_MIN, INT32_MAX);
        item.Param2 = f.Integer<std::int32_t>("Param2", INT32_MIN, INT32_MAX);
        item.Param3 = f.Integer<std::int32_t>("Param3", INT32_MIN, INT32_MAX);
        item.CoordMode = static_cast<TCoordMode>(f.Name("CoordMode", CoordModeNames));
        f.End();
        if (const std::string bad = CheckItem(item, kind); !bad.empty())
            r.Fail(what + ": " + bad);
        list.Items.push_back(item);
    }
    r.NeedLine(words, "the line \"end\"");
    if (words.size() != 1 || words[0] != "end")
        r.Fail(Shown(words[0]) + " where the line \"end\" should follow the last item");
    if (r.NextLine(words))
        r.Fail(Shown(words[0]) + " after the line \"end\"");
    if (list.Items.empty())
        list.Items.resize(1);
    list.NumItems = numItems;
    list.NumAlloc = numItems;
    if (kind == TChartListKind::Data)
        list.Recount();
    return list;
}

bool StartsWith(const QByteArray& bytes, std::string_view prefix) {
    return bytes.size() >= static_cast<qsizetype>(prefix.size()) &&
           std::memcmp(bytes.constData(), prefix.data(), prefix.size()) == 0;
}

} // namespace

TItemList ChartFile::Read(const QByteArray& Bytes, const QString& FileName, TChartListKind Kind) {
    const std::string_view signature(Signature, sizeof Signature);
    if (StartsWith(Bytes, signature))
        return ReadBinary(Bytes, FileName, Kind);
    const std::string_view header(TextHeaderWord);
    if (StartsWith(Bytes, header))
        return ReadText(Bytes, FileName, Kind);
    if (Bytes.isEmpty())
        throw EChartFileError(Str(FileName), {}, "the file is empty");
    // A piece of the signature: a binary file cut short.
    if (signature.starts_with(std::string_view(Bytes.constData(), Sz(Bytes.size()))))
        throw EChartFileError(Str(FileName), "byte " + std::to_string(Bytes.size()),
                              "the file ends inside the signature");
    throw EChartFileError(Str(FileName), "byte 0",
                          "not a chart file (it begins neither with the binary signature nor "
                          "with \"" +
                              std::string(TextHeaderWord) + "\")");
}

// --- the list operations ----------------------------------------------------------------

namespace {

// The whole file, or EChartFileError for a file that cannot be read.
QByteArray ReadFileBytes(const QString& fileName) {
    const std::string name = Str(fileName);
    const QByteArray path = fileName.toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw EChartFileError::Access("Cannot open", name, SystemErrorText(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        throw EChartFileError::Access("Cannot read", name, SystemErrorText(errno));
    if (S_ISDIR(st.st_mode))
        throw EChartFileError::Access("Cannot read", name, SystemErrorText(EISDIR));
    if (!S_ISREG(st.st_mode))
        throw EChartFileError::Access("Cannot read", name, "not a regular file");
    QByteArray bytes;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw EChartFileError::Access("Cannot read", name, SystemErrorText(errno));
        }
        if (n == 0)
            break;
        if (bytes.size() + n > ChartFile::MaxFileSize)
            throw EChartFileError(name, {},
                                  "the file is larger than any chart file (more than " +
                                      std::to_string(ChartFile::MaxFileSize) + " bytes)");
        bytes.append(buf, n);
    }
    return bytes;
}

// Writes all bytes to an open descriptor and makes sure they arrived; the
// system's reason otherwise.
std::string WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, Sz(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return SystemErrorText(errno);
        }
        done += n;
    }
    // A full disk or a failing device may report only here; a device that
    // cannot be synchronised (EINVAL) has taken the bytes already.
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS)
        return SystemErrorText(errno);
    return {};
}

// A regular file (or a new one) is replaced only once the new contents are
// completely on the disk: the bytes go to a temporary file beside it, which
// then takes its name, so a failed save leaves the old file as it was. Other
// targets (a device, a link) are written in place.
void WriteFileBytes(const QString& fileName, const QByteArray& bytes) {
    const std::string name = Str(fileName);
    const QByteArray path = fileName.toLocal8Bit();
    struct stat st {};
    const bool exists = ::lstat(path.constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        throw EChartFileError::Access("Cannot create", name, SystemErrorText(EISDIR));
    if (exists && !S_ISREG(st.st_mode)) {
        const int fd = ::open(path.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd < 0)
            throw EChartFileError::Access("Cannot create", name, SystemErrorText(errno));
        std::string error = WriteAll(fd, bytes);
        if (::close(fd) != 0 && error.empty())
            error = SystemErrorText(errno);
        if (!error.empty())
            throw EChartFileError::Access("Cannot write", name, error);
        return;
    }
    QByteArray temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw EChartFileError::Access("Cannot create", name, SystemErrorText(errno));
    // The mode a new file gets, or the one the replaced file had.
    mode_t mode = 0;
    if (exists) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    std::string error = WriteAll(fd, bytes);
    if (error.empty() && ::fchmod(fd, mode) != 0)
        error = SystemErrorText(errno);
    if (::close(fd) != 0 && error.empty())
        error = SystemErrorText(errno);
    if (error.empty() && ::rename(temp.constData(), path.constData()) != 0)
        error = SystemErrorText(errno);
    if (!error.empty()) {
        ::unlink(temp.constData());
        throw EChartFileError::Access("Cannot write", name, error);
    }
}

} // namespace

void TChartDrawingList::SaveData(const QString& FileName) const {
    WriteFileBytes(FileName, ChartFile::WriteBinary(*FData, TChartListKind::Data));
}

void TChartDrawingList::SaveDataASC(const QString& FileName) const {
    WriteFileBytes(FileName, ChartFile::WriteText(*FData, TChartListKind::Data));
}

void TChartDrawingList::SaveAnno(const QString& FileName) const {
    WriteFileBytes(FileName, ChartFile::WriteBinary(FAnno, TChartListKind::Annotations));
}

void TChartDrawingList::LoadData(const QString& FileName) {
    TItemList loaded = ChartFile::Read(ReadFileBytes(FileName), FileName, TChartListKind::Data);
    // Nothing has changed until here; the swap itself cannot fail.
    std::swap(*FData, loaded);
    FLastElemOnShow = 0;
    AdjustCanInfoOfSharedCharts();
}

void TChartDrawingList::LoadAnno(const QString& FileName) {
    TItemList loaded =
        ChartFile::Read(ReadFileBytes(FileName), FileName, TChartListKind::Annotations);
    std::swap(FAnno, loaded);
    Paint();
}

void TChartDrawingList::CopyAnnoFrom(const TChartDrawingList& Source) {
    if (&Source == this)
        return;
    TItemList copy = Source.FAnno;
    // A copy reserves no more than it holds, as a loaded list does.
    copy.Items.resize(Sz(std::max(copy.NumItems, 1)));
    copy.NumAlloc = copy.NumItems;
    copy.KindCount.fill(0);
    std::swap(FAnno, copy);
    Paint();
}
