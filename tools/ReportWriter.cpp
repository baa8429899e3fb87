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
    explicit TTextWriter(std::ostream& out) : FOut(out) {}

    void File(const std::string& fileName, const TAnalysisResult& result) override {
        if (FFiles++ > 0)
            FOut << '\n';
        if (result.Writes.empty())
            FOut << "File name: " << fileName << '\n';
        for (const TControlText& write : result.Writes) {
            FOut << LabelOf(write.Name) << ':';
            if (write.Name == "ListBox1") {
                FOut << ' ' << write.Entries.size() << " lines\n";
            } else if (write.IsList) {
                FOut << '\n';
                for (const std::string& entry : write.Entries)
                    FOut << "  " << entry << '\n';
            } else {
                FOut << ' ' << EditText(write) << '\n';
            }
        }
        if (result.Error)
            FOut << "Error: " << result.ErrorMessage << '\n';
    }

private:
    std::ostream& FOut;
    int FFiles = 0;
};

class TTsvWriter : public TReportWriter {
public:
    explicit TTsvWriter(std::ostream& out) : FOut(out) {}

    void Begin() override {
        FOut << "File";
        for (const TControlLabel& c : EditLabels)
            if (c.Name != "Edit1")
                FOut << '\t' << c.Label;
        FOut << "\tError\n";
    }

    void File(const std::string& fileName, const TAnalysisResult& result) override {
        FOut << Cell(fileName);
        for (const TControlLabel& c : EditLabels) {
            if (c.Name == "Edit1")
                continue;
            FOut << '\t';
            for (const TControlText& write : result.Writes)
                if (write.Name == c.Name)
                    FOut << Cell(EditText(write));
        }
        FOut << '\t' << Cell(result.ErrorMessage) << '\n';
    }

private:
    // A cell never holds the tab or line breaks that would end it.
    static std::string Cell(std::string text) {
        for (char& c : text)
            if (c == '\t' || c == '\n' || c == '\r')
                c = ' ';
        return text;
    }
    std::ostream& FOut;
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
    explicit TJsonWriter(std::ostream& out) : FOut(out) {}

    void File(const std::string& fileName, const TAnalysisResult& result) override {
        std::string& text = FText;
        text.assign(FAny ? ",\n  {\n    \"file\": " : "[\n  {\n    \"file\": ");
        AppendJsonString(text, fileName);
        text += ",\n    \"controls\": ";
        AppendControls(text, result.Writes);
        text += ",\n    \"error\": ";
        if (result.Error)
            AppendJsonString(text, result.ErrorMessage);
        else
            text += "null";
        text += "\n  }";
        FOut.write(text.data(), static_cast<std::streamsize>(text.size()));
        FAny = true;
    }

    void End() override { FOut << (FAny ? "\n]\n" : "[]\n"); }

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

    std::ostream& FOut;
    std::string FText; // one file's text, its storage kept from file to file
    bool FAny = false;
};

} // namespace

std::unique_ptr<TReportWriter> MakeReportWriter(TReportFormat format, std::ostream& out) {
    switch (format) {
    case TReportFormat::Tsv:
        return std::make_unique<TTsvWriter>(out);
    case TReportFormat::Json:
        return std::make_unique<TJsonWriter>(out);
    case TReportFormat::Text:
        break;
    }
    return std::make_unique<TTextWriter>(out);
}
