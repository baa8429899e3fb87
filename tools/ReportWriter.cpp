#include "tools/ReportWriter.h"

#include <algorithm>
#include <array>
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

std::string EditText(const TControlText& write) {
    return write.Entries.empty() ? std::string() : write.Entries.front();
}

class TTextWriter : public TReportWriter {
public:
    void File(std::string& out, std::size_t index, const std::string& fileName,
              const TAnalysisResult& result) const override {
        if (index > 0)
            out += '\n';
        if (result.Writes.empty())
            out.append("File name: ").append(fileName) += '\n';
        for (const TControlText& write : result.Writes) {
            out.append(LabelOf(write.Name)) += ':';
            if (write.Name == "ListBox1") {
                out.append(" ").append(std::to_string(write.Entries.size())) += " lines\n";
            } else if (write.IsList) {
                out += '\n';
                for (const std::string& entry : write.Entries)
                    out.append("  ").append(entry) += '\n';
            } else {
                out.append(" ").append(EditText(write)) += '\n';
            }
        }
        if (result.Error)
            out.append("Error: ").append(result.ErrorMessage) += '\n';
    }
};

class TTsvWriter : public TReportWriter {
public:
    void Begin(std::string& out) const override {
        out += "File";
        for (const TControlLabel& c : EditLabels)
            if (c.Name != "Edit1")
                out.append("\t").append(c.Label);
        out += "\tError\n";
    }

    void File(std::string& out, std::size_t, const std::string& fileName,
              const TAnalysisResult& result) const override {
        AppendCell(out, fileName);
        for (const TControlLabel& c : EditLabels) {
            if (c.Name == "Edit1")
                continue;
            out += '\t';
            for (const TControlText& write : result.Writes)
                if (write.Name == c.Name)
                    AppendCell(out, EditText(write));
        }
        out += '\t';
        AppendCell(out, result.ErrorMessage);
        out += '\n';
    }

private:
    // A cell never holds the tab or line breaks that would end it.
    static void AppendCell(std::string& out, std::string_view text) {
        for (char c : text)
            out += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
    }
};

// A JSON string as the json library writes it: UTF-8 kept as it is, the
// short escapes and \u00XX for control characters, and U+FFFD for bytes that
// are not UTF-8 (file lines are 8-bit text). Names and panel texts are almost
// always plain printable ASCII, which goes out unchanged without the library.
void AppendJsonString(std::string& out, std::string_view text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return c >= 0x20 && c <= 0x7E && c != '"' && c != '\\';
    });
    if (!plain) {
        out += nlohmann::json(std::string(text))
                   .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        return;
    }
    out += '"';
    out += text;
    out += '"';
}

// Writes the report as an indented array with one object per file, laid out
// exactly as the json library lays out {"file", "controls", "error"} at two
// spaces per level. Each file's text goes out at once: building a document
// tree and serialising it cost more than the analysis itself.
class TJsonWriter : public TReportWriter {
public:
    void File(std::string& text, std::size_t index, const std::string& fileName,
              const TAnalysisResult& result) const override {
        text += index > 0 ? ",\n  {\n    \"file\": " : "[\n  {\n    \"file\": ";
        AppendJsonString(text, fileName);
        text += ",\n    \"controls\": ";
        AppendControls(text, result.Writes);
        text += ",\n    \"error\": ";
        if (result.Error)
            AppendJsonString(text, result.ErrorMessage);
        else
            text += "null";
        text += "\n  }";
    }

    void End(std::string& out, std::size_t count) const override {
        out += count > 0 ? "\n]\n" : "[]\n";
    }

private:
    // A control written more than once keeps its first place and shows its
    // last text, as a keyed object does.
    static void AppendControls(std::string& text, const std::vector<TControlText>& writes) {
        bool any = false;
        for (std::size_t i = 0; i < writes.size(); ++i) {
            const auto sameName = [&](const TControlText& w) { return w.Name == writes[i].Name; };
            if (std::any_of(writes.begin(), writes.begin() + static_cast<std::ptrdiff_t>(i),
                            sameName))
                continue;
            const TControlText& last = *std::find_if(writes.rbegin(), writes.rend(), sameName);
            text += any ? ",\n      " : "{\n      ";
            any = true;
            AppendJsonString(text, last.Name);
            text += ": ";
            if (!last.IsList) {
                AppendJsonString(text, EditText(last));
            } else if (last.Entries.empty()) {
                text += "[]";
            } else {
                text += "[\n";
                for (std::size_t e = 0; e < last.Entries.size(); ++e) {
                    text += e > 0 ? ",\n        " : "        ";
                    AppendJsonString(text, last.Entries[e]);
                }
                text += "\n      ]";
            }
        }
        text += any ? "\n    }" : "{}";
    }
};

} // namespace

std::unique_ptr<TReportWriter> MakeReportWriter(TReportFormat format) {
    switch (format) {
    case TReportFormat::Tsv:
        return std::make_unique<TTsvWriter>();
    case TReportFormat::Json:
        return std::make_unique<TJsonWriter>();
    case TReportFormat::Text:
        break;
    }
    return std::make_unique<TTextWriter>();
}
