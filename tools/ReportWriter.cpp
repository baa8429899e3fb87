#include "tools/ReportWriter.h"

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

class TJsonWriter : public TReportWriter {
public:
    explicit TJsonWriter(std::ostream& out) : FOut(out) {}

    void File(const std::string& fileName, const TAnalysisResult& result) override {
        nlohmann::ordered_json controls = nlohmann::ordered_json::object();
        for (const TControlText& write : result.Writes) {
            if (write.IsList)
                controls[write.Name] = write.Entries;
            else
                controls[write.Name] = EditText(write);
        }
        nlohmann::ordered_json file;
        file["file"] = fileName;
        file["controls"] = std::move(controls);
        file["error"] = result.Error ? nlohmann::ordered_json(result.ErrorMessage) : nullptr;
        // Each file's object goes out at once, laid out as the element of an
        // indented array: holding the whole report first made a run over
        // many files slower per file as it went on. File lines are 8-bit
        // text and need not be valid UTF-8.
        const std::string text =
            file.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
        FOut << (FAny ? ",\n  " : "[\n  ");
        for (const char c : text) {
            FOut.put(c);
            if (c == '\n') // a JSON string never holds a raw line feed
                FOut << "  ";
        }
        FAny = true;
    }

    void End() override { FOut << (FAny ? "\n]\n" : "[]\n"); }

private:
    std::ostream& FOut;
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
