#include "tools/ReportWriter.h"

#include "base/TextForms.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string_view>

namespace {

struct TControlLabel {
    std::string_view Name;
    std::string_view Label;
};

// The panel's boxes with the captions a reader of the window knows them by.
constexpr std::array<TControlLabel, 18> EditLabels = {{
    {"Edit1", "File name"},
    {"Edit4", "File size"},
    {"Edit5", "Min bin value"},
    {"Edit10", "Min @ Bin #"},
    {"Edit6", "Max bin value"},
    {"Edit11", "Max @ Bin #"},
    {"Edit13", "Mean w/o peak (raw)"},
    {"Edit16", "Mean w/o peak (normalized to zero)"},
    {"Edit12", "StdDev w/o peak (raw)"},
    {"Edit17", "StdDev w/o peak (normalized to zero)"},
    {"Edit8", "S/N linear (raw)"},
    {"Edit18", "S/N linear"},
    {"Edit14", "S/N dB (raw)"},
    {"Edit15", "S/N dB"},
    {"Edit9", "S/N linear (ZELMAR values)"},
    {"Edit7", "S/N dB (ZELMAR values)"},
    {"Edit2", "Pulsar (file) name"},
    {"Edit3", "Date / Time"},
}};

std::string_view LabelOf(std::string_view name) {
    if (name == "ListBox5")
        return "Header";
    if (name == "ListBox1")
        return "Bin table";
    for (const TControlLabel& c : EditLabels)
        if (c.Name == name)
            return c.Label;
    return name;
}

// The result's measures, all absent where it carries none.
TProfileMeasures MeasuresIn(const TAnalysisResult& result) {
    return result.Measures.value_or(TProfileMeasures{});
}

std::string_view EditText(const TControlText& write) {
    return write.Entries.empty() ? std::string_view() : std::string_view(write.Entries.front());
}

class TTextWriter : public TReportWriter {
public:
    using TReportWriter::TReportWriter;

    // The bin table is shown by its length only.
    TAnalysisNeeds Needs() const override { return {.HeaderTexts = true, .BinTexts = false}; }

    void File(std::string& out, std::size_t index, const std::string& fileName,
              const TAnalysisResult& result, const TProfileData&,
              const FormatSettings&) const override {
        if (index > 0)
            out += '\n';
        if (result.Writes.empty())
            out.append("File name: ").append(fileName) += '\n';
        for (const TControlText& write : result.Writes) {
            out.append(LabelOf(write.Name)) += ':';
            if (write.Name == "ListBox1") {
                out.append(" ").append(std::to_string(write.EntryCount())) += " lines\n";
            } else if (write.IsList) {
                out += '\n';
                for (const std::string& entry : write.Entries)
                    out.append("  ").append(entry) += '\n';
            } else {
                out.append(" ").append(EditText(write)) += '\n';
            }
        }
        if (ShowsMeasures())
            AppendMeasureLines(out, MeasuresIn(result), Measures());
        if (result.Error)
            out.append("Error: ").append(result.ErrorMessage) += '\n';
    }
};

// The table of the tsv and csv formats: the file, one column per box of the
// panel in the order the analysis fills them, the error, and the measures
// when shown.
class TTableWriter : public TReportWriter {
public:
    TTableWriter(bool header, TMeasuresForm measures)
        : TReportWriter(std::move(measures)), FHeader(header) {}

    // No list has a column.
    TAnalysisNeeds Needs() const override { return {.HeaderTexts = false, .BinTexts = false}; }

    void Begin(std::string& out) const override {
        if (!FHeader)
            return;
        AppendCell(out, "File");
        for (const TControlLabel& c : EditLabels)
            if (c.Name != "Edit1")
                AppendCell(out += Separator(), c.Label);
        AppendCell(out += Separator(), "Error");
        if (ShowsMeasures())
            for (const std::string_view key : ProfileMeasureKeys)
                AppendCell(out += Separator(), key);
        out += LineEnd();
    }

    void File(std::string& out, std::size_t, const std::string& fileName,
              const TAnalysisResult& result, const TProfileData&,
              const FormatSettings&) const override {
        // Each box's last text; a box never written stays empty.
        std::array<std::string_view, EditLabels.size()> cells{};
        for (const TControlText& write : result.Writes) {
            if (write.IsList)
                continue;
            for (std::size_t c = 0; c < EditLabels.size(); ++c)
                if (EditLabels[c].Name == write.Name)
                    cells[c] = EditText(write);
        }
        AppendCell(out, fileName);
        for (std::size_t c = 0; c < EditLabels.size(); ++c)
            if (EditLabels[c].Name != "Edit1")
                AppendCell(out += Separator(), cells[c]);
        AppendCell(out += Separator(), result.ErrorMessage);
        if (ShowsMeasures())
            for (const std::optional<double>& value : MeasureValues(MeasuresIn(result)))
                AppendCell(out += Separator(), MeasureText(value, Measures(), ""));
        out += LineEnd();
    }

protected:
    virtual char Separator() const = 0;
    virtual std::string_view LineEnd() const = 0;
    virtual void AppendCell(std::string& out, std::string_view text) const = 0;

private:
    bool FHeader;
};

class TTsvWriter : public TTableWriter {
public:
    using TTableWriter::TTableWriter;

protected:
    char Separator() const override { return '\t'; }
    std::string_view LineEnd() const override { return "\n"; }
    // A cell never holds the tab or line breaks that would end it.
    void AppendCell(std::string& out, std::string_view text) const override {
        for (char c : text)
            out += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
    }
};

// RFC 4180, as spreadsheets read it.
class TCsvWriter : public TTableWriter {
public:
    using TTableWriter::TTableWriter;

protected:
    char Separator() const override { return ','; }
    std::string_view LineEnd() const override { return "\r\n"; }
    void AppendCell(std::string& out, std::string_view text) const override {
        if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
            out += text;
            return;
        }
        out += '"';
        for (char c : text) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }
};

// The bytes a JSON string holds as they are: printable ASCII but the quote
// and the backslash, and DEL, which the json library keeps too.
constexpr std::array<bool, 256> PlainInJson = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c <= 0x7F; ++c)
        plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    return plain;
}();

// Whether any of the eight bytes of a word is not plain: below 0x20 or from
// 0x80 on, a quote or a backslash (exact tests of a whole word at once).
bool AnyNotPlainIn(std::uint64_t word) {
    constexpr std::uint64_t Ones = 0x0101010101010101u;
    constexpr std::uint64_t Highs = 0x8080808080808080u;
    const auto anyZero = [](std::uint64_t w) { return (w - Ones) & ~w & Highs; };
    return (((word - Ones * 0x20) & ~word) | word | anyZero(word ^ (Ones * '"')) |
            anyZero(word ^ (Ones * '\\'))) &
           Highs;
}

// A JSON string as the json library writes it: UTF-8 kept as it is, the
// short escapes and \u00xx for control characters, and U+FFFD for bytes that
// are not UTF-8 (file lines are 8-bit text). Runs of plain characters are
// copied whole; the rare text with bytes beyond ASCII goes through the
// library, which checks and mends the UTF-8.
void AppendJsonString(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    out += '"';
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end) {
        const char* const run = p;
        for (std::uint64_t word; end - p >= 8; p += 8) {
            std::memcpy(&word, p, sizeof word);
            if (AnyNotPlainIn(word))
                break;
        }
        while (p != end && PlainInJson[static_cast<unsigned char>(*p)])
            ++p;
        out.append(run, p);
        if (p == end)
            break;
        const auto c = static_cast<unsigned char>(*p++);
        if (c >= 0x80) {
            out.resize(start);
            out += nlohmann::json(std::string(text))
                       .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
            return;
        }
        out += '\\';
        switch (c) {
        case '"':
        case '\\':
            out += static_cast<char>(c);
            break;
        case '\b':
            out += 'b';
            break;
        case '\t':
            out += 't';
            break;
        case '\n':
            out += 'n';
            break;
        case '\f':
            out += 'f';
            break;
        case '\r':
            out += 'r';
            break;
        default:
            constexpr std::string_view Hex = "0123456789abcdef";
            out.append("u00") += Hex[c >> 4];
            out += Hex[c & 0xF];
            break;
        }
    }
    out += '"';
}

// One file's object, laid out exactly as the json library lays out
// {"file", "controls", "error"}: indented at two blanks per level, or on one
// line without blanks; with measures, {"file", "controls", "measures",
// "error"}. Written directly: building a document tree and serialising it
// cost more than the analysis itself.
class TJsonObject {
public:
    TJsonObject(bool indented, bool measures) : FIndented(indented), FMeasures(measures) {}

    // Where the lists' texts come from when the analysis made none: the
    // profile as read.
    struct TBins {
        const TProfileData& Data;
        const FormatSettings& Format;
    };

    void Append(std::string& text, int level, const std::string& fileName,
                const TAnalysisResult& result, const TBins& bins) const {
        text += '{';
        Key(text, level + 1, "file");
        AppendJsonString(text, fileName);
        text += ',';
        Key(text, level + 1, "controls");
        AppendControls(text, level + 1, result.Writes, bins);
        text += ',';
        if (FMeasures) {
            Key(text, level + 1, "measures");
            AppendMeasures(text, level + 1, MeasuresIn(result));
            text += ',';
        }
        Key(text, level + 1, "error");
        if (result.Error)
            AppendJsonString(text, result.ErrorMessage);
        else
            text += "null";
        NewLine(text, level);
        text += '}';
    }

private:
    void NewLine(std::string& text, int level) const {
        if (FIndented) {
            text += '\n';
            text.append(static_cast<std::size_t>(2 * level), ' ');
        }
    }

    void Key(std::string& text, int level, std::string_view key) const {
        NewLine(text, level);
        AppendJsonString(text, key);
        text += FIndented ? ": " : ":";
    }

    // A control written more than once keeps its first place and shows its
    // last text, as a keyed object does.
    void AppendControls(std::string& text, int level, const std::vector<TControlText>& writes,
                        const TBins& bins) const {
        bool any = false;
        for (std::size_t i = 0; i < writes.size(); ++i) {
            // Names differ mostly in their length or last character ("Edit10",
            // "Edit11"): looked at first, a comparison of the whole is rarely needed.
            const std::string& name = writes[i].Name;
            const auto sameName = [&](const TControlText& w) {
                return w.Name.size() == name.size() &&
                       (name.empty() || w.Name.back() == name.back()) && w.Name == name;
            };
            if (std::any_of(writes.begin(), writes.begin() + static_cast<std::ptrdiff_t>(i),
                            sameName))
                continue;
            const TControlText& last = *std::find_if(writes.rbegin(), writes.rend(), sameName);
            text += any ? "," : "{";
            any = true;
            Key(text, level + 1, last.Name);
            if (!last.IsList) {
                AppendJsonString(text, EditText(last));
            } else if (last.EntryCount() == 0) {
                text += "[]";
            } else {
                text += '[';
                const bool binList = last.Name != "ListBox5";
                for (std::size_t e = 0; e < last.EntryCount(); ++e) {
                    if (e >= last.Entries.size() && binList) {
                        AppendBinEntries(text, level + 2, e, last.EntryCount(), bins);
                        break;
                    }
                    if (e > 0)
                        text += ',';
                    NewLine(text, level + 2);
                    if (e < last.Entries.size())
                        AppendJsonString(text, last.Entries[e]);
                    else
                        AppendJsonString(text, bins.Data.HeaderLines[e]);
                }
                NewLine(text, level + 1);
                text += ']';
            }
        }
        if (any)
            NewLine(text, level);
        text += any ? "}" : "{}";
    }

    // The bin list's lines from one to another, each after a comma but the
    // list's first. A line is plain ASCII unless the locale's separators are
    // not; such a line is quoted by the general rule.
    void AppendBinEntries(std::string& text, int level, std::size_t from, std::size_t to,
                          const TBins& bins) const {
        const std::string& decimal = bins.Format.DecimalSeparator;
        if (decimal.size() != 1 || !PlainInJson[static_cast<unsigned char>(decimal[0])]) {
            std::string line;
            for (std::size_t k = from; k < to; ++k) {
                if (k > 0)
                    text += ',';
                NewLine(text, level);
                line.clear();
                AppendBinLine(line, bins.Data.BinNumbers[k], bins.Data.BinValues[k], bins.Format);
                AppendJsonString(text, line);
            }
            return;
        }
        // Digits, blanks, the comma, a sign, "E" and the separator: quoted as
        // they stand, and written straight into the text, room for them all
        // made at once: copying each line in from a buffer just written would
        // cost more than writing it.
        std::string lead = ",";
        NewLine(lead, level);
        const std::size_t at = text.size();
        text.resize(at + (to - from) * (lead.size() + 1 + BinLineCapacity + 1));
        char* out = text.data() + at;
        for (std::size_t k = from; k < to; ++k) {
            const std::string_view before = k > 0 ? lead : std::string_view(lead).substr(1);
            std::memcpy(out, before.data(), before.size());
            out += before.size();
            *out++ = '"';
            out = WriteBinLine(out, bins.Data.BinNumbers[k], bins.Data.BinValues[k], decimal[0]);
            *out++ = '"';
        }
        text.resize(static_cast<std::size_t>(out - text.data()));
    }

    void AppendMeasures(std::string& text, int level, const TProfileMeasures& measures) const {
        const auto values = MeasureValues(measures);
        text += '{';
        for (std::size_t k = 0; k < values.size(); ++k) {
            if (k > 0)
                text += ',';
            Key(text, level + 1, ProfileMeasureKeys[k]);
            text += values[k] ? MeasureNumber(*values[k]) : "null";
        }
        NewLine(text, level);
        text += '}';
    }

    bool FIndented;
    bool FMeasures;
};

// One indented array of every file's object.
class TJsonWriter : public TReportWriter {
public:
    explicit TJsonWriter(TMeasuresForm measures)
        : TReportWriter(std::move(measures)), FObject(true, ShowsMeasures()) {}

    TAnalysisNeeds Needs() const override { return {.HeaderTexts = false, .BinTexts = false}; }

    void File(std::string& text, std::size_t index, const std::string& fileName,
              const TAnalysisResult& result, const TProfileData& data,
              const FormatSettings& format) const override {
        text += index > 0 ? ",\n  " : "[\n  ";
        FObject.Append(text, 1, fileName, result, {data, format});
    }

    void End(std::string& out, std::size_t count) const override {
        out += count > 0 ? "\n]\n" : "[]\n";
    }

private:
    TJsonObject FObject;
};

// One line per file, the object as the json library writes it compactly.
class TJsonLinesWriter : public TReportWriter {
public:
    explicit TJsonLinesWriter(TMeasuresForm measures)
        : TReportWriter(std::move(measures)), FObject(false, ShowsMeasures()) {}

    TAnalysisNeeds Needs() const override { return {.HeaderTexts = false, .BinTexts = false}; }

    void File(std::string& text, std::size_t, const std::string& fileName,
              const TAnalysisResult& result, const TProfileData& data,
              const FormatSettings& format) const override {
        FObject.Append(text, 0, fileName, result, {data, format});
        text += '\n';
    }

private:
    TJsonObject FObject;
};

} // namespace

std::unique_ptr<TReportWriter> MakeReportWriter(TReportFormat format, bool header,
                                                TMeasuresForm measures) {
    switch (format) {
    case TReportFormat::Tsv:
        return std::make_unique<TTsvWriter>(header, std::move(measures));
    case TReportFormat::Csv:
        return std::make_unique<TCsvWriter>(header, std::move(measures));
    case TReportFormat::Json:
        return std::make_unique<TJsonWriter>(std::move(measures));
    case TReportFormat::Jsonl:
        return std::make_unique<TJsonLinesWriter>(std::move(measures));
    case TReportFormat::Text:
        break;
    }
    return std::make_unique<TTextWriter>(std::move(measures));
}
