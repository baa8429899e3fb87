// torvane-report's profile measures as a process: every output form with
// and without them, on profiles that show each measure and each absent case.

#include "tests/analysis/ProfileFixture.h"
#include "tests/tools/ProcessRun.h"

#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sys/stat.h>

using fixture::TProfileSpec;
using fixture::TTempDir;

namespace {

// A box of five bins of 100 at 30..34 on a baseline of +0.25 (even bins) and
// -0.25 (odd bins). The header's average lies below every value, so the
// pulse window is the whole search range 10..50: balanced baseline around
// the box, and an off-pulse mean of exactly 0.
TProfileSpec BoxSpec() {
    TProfileSpec spec;
    for (int i = 0; i < 65; ++i)
        spec.Values.push_back(i >= 30 && i <= 34 ? "100" : i % 2 ? "-0.25" : "0.25");
    spec.Avg = "-1000";
    return spec;
}

// A pulse across the end of the period: 20, 40 at 62, 63 and 60, 40, 20 at 0..2.
TProfileSpec WrapSpec() {
    TProfileSpec spec;
    for (int i = 0; i < 64; ++i)
        spec.Values.push_back(i % 2 ? "11" : "10");
    spec.Values[62] = spec.Values[2] = "20";
    spec.Values[63] = spec.Values[1] = "40";
    spec.Values[0] = "60";
    spec.Avg = "12";
    return spec;
}

TProfileSpec FlatSpec() { // no deviation: the analysis ends in its ratios
    TProfileSpec spec;
    spec.Values.assign(16, "5");
    spec.Avg = "4";
    return spec;
}

TProfileSpec OneBinSpec() { // no deviation of one value: ends before it
    TProfileSpec spec;
    spec.Values = {"7"};
    return spec;
}

TProfileSpec ZeroHeaderDeviationSpec() { // ends after the statistics
    TProfileSpec spec = WrapSpec();
    spec.StdDev = "0";
    return spec;
}

// The files in the order every run names them; "missing.torvane" is never written.
const std::vector<std::string> Files = {"box.torvane", "wrap.torvane",    "flat.torvane",
                                        "one.torvane", "missing.torvane", "zero.torvane"};

struct TFormatRun {
    std::string Format;
    std::string Locale;
    std::string Reference; // file name under tests/tools/references
};

const std::vector<TFormatRun> FormatRuns = {
    {"text", "en_US", "report.txt"},    {"tsv", "en_US", "report.tsv"},
    {"csv", "de_DE", "report.csv"},     {"json", "en_US", "report.json"},
    {"jsonl", "de_DE", "report.jsonl"},
};

bool WritingReferences() {
    const char* value = std::getenv("TORVANE_WRITE_REFERENCES");
    return value && std::string(value) == "1";
}

class ReportMeasures : public testing::Test {
protected:
    void SetUp() override {
        const std::vector<std::pair<std::string, TProfileSpec>> specs = {
            {"box.torvane", BoxSpec()},
            {"wrap.torvane", WrapSpec()},
            {"flat.torvane", FlatSpec()},
            {"one.torvane", OneBinSpec()},
            {"zero.torvane", ZeroHeaderDeviationSpec()},
        };
        for (const auto& [name, spec] : specs) {
            const std::string path = FDir.Write(name, fixture::ProfileText(spec));
            const timespec times[2] = {{1700000000, 0}, {1700000000, 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        }
    }

    TRun Run(const TFormatRun& run, bool measures) {
        std::string command = "cd " + Quoted(FDir.Path("")) + " && LC_ALL=C " +
                              Quoted(TORVANE_REPORT_EXE) + " --format " + run.Format +
                              " --locale " + run.Locale + (measures ? " --measures" : "");
        for (const std::string& file : Files)
            command += " " + Quoted(file);
        return RunBash(command + " >" + Quoted(FDir.Path("stdout.txt")), FDir.Path(""));
    }

    TTempDir FDir;
};

} // namespace

// Without --measures every format gives the very bytes it gave before the
// measures existed, kept under tests/tools/references (rewritten with
// TORVANE_WRITE_REFERENCES=1 on the commit whose output is to be kept).
TEST_F(ReportMeasures, OutputWithoutThemIsUnchanged) {
    for (const TFormatRun& format : FormatRuns) {
        SCOPED_TRACE(format.Format);
        const TRun run = Run(format, false);
        EXPECT_EQ(run.Status, 1);
        const std::string reference =
            std::string(TORVANE_SOURCE_DIR) + "/tests/tools/references/" + format.Reference;
        if (WritingReferences()) {
            std::ofstream(reference, std::ios::binary) << run.Out;
            continue;
        }
        ASSERT_TRUE(std::filesystem::exists(reference)) << reference;
        EXPECT_TRUE(run.Out == Slurp(reference)) << "differs from " << reference;
    }
}

namespace {

std::vector<std::string> LinesOf(const std::string& text, const std::string& end = "\n") {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t stop; (stop = text.find(end, start)) != std::string::npos;
         start = stop + end.size())
        lines.push_back(text.substr(start, stop - start));
    EXPECT_EQ(start, text.size()) << "the last line has no ending";
    return lines;
}

const std::vector<std::string> Labels = {
    "Flux (on-pulse sum): ",
    "Peak (above off-pulse mean): ",
    "Equivalent width (bins): ",
    "S/N (equivalent width): ",
    "S/N (on-pulse window): ",
    "W50 (bins): ",
    "W10 (bins): ",
    "Duty cycle (W50 / period): ",
};

const std::vector<std::string> Keys = {"flux",   "peak", "w_eq", "snr_eq",
                                       "snr_on", "w50",  "w10",  "duty50"};

// The text without its measure lines; each block of them must be whole, in
// key order, and end the panel (an error line or the next file follows).
std::string TextWithoutMeasures(const std::string& text, std::size_t& blocks) {
    const std::vector<std::string> lines = LinesOf(text);
    std::string kept;
    blocks = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind(Labels[0], 0) != 0) {
            kept += lines[i] + "\n";
            continue;
        }
        ++blocks;
        for (std::size_t k = 0; k < Labels.size(); ++k, ++i)
            EXPECT_TRUE(i < lines.size() && lines[i].rfind(Labels[k], 0) == 0) << Labels[k];
        if (i < lines.size()) {
            EXPECT_TRUE(lines[i].empty() || lines[i].rfind("Error: ", 0) == 0) << lines[i];
        }
        --i;
    }
    return kept;
}

// The rows of a table without their last eight cells, which must be the
// keys in the header row and numbers or nothing below it.
std::string TableWithoutMeasures(const std::string& table, char separator, const std::string& end) {
    const std::string sep(1, separator);
    std::string header;
    for (const std::string& key : Keys)
        header += sep + key;
    // Either decimal separator; in csv a decimal comma is quoted.
    const std::string exponent = "(e[+-][0-9]+)?";
    const std::string number = separator == ',' ? "(\"-?[0-9]+,[0-9]+" + exponent +
                                                      "\"|-?[0-9]+(\\.[0-9]+)?" + exponent + ")"
                                                : "(-?[0-9]+([.,][0-9]+)?" + exponent + ")";
    const std::regex cells("(" + sep + "(" + number + ")?){8}$");
    std::string kept;
    bool first = true;
    for (const std::string& row : LinesOf(table, end)) {
        std::smatch match;
        if (first) {
            EXPECT_TRUE(row.size() >= header.size() &&
                        row.compare(row.size() - header.size(), header.size(), header) == 0)
                << row;
            kept += row.substr(0, row.size() - std::min(row.size(), header.size())) + end;
        } else if (std::regex_search(row, match, cells)) {
            kept += row.substr(0, row.size() - match.length(0)) + end;
        } else {
            ADD_FAILURE() << "no measure cells: " << row;
        }
        first = false;
    }
    return kept;
}

// The objects of a json or jsonl output, each checked for its keys and
// their order and then without its measures.
nlohmann::ordered_json ObjectsWithoutMeasures(nlohmann::ordered_json objects) {
    for (auto& object : objects) {
        std::vector<std::string> keys;
        for (const auto& [key, value] : object.items())
            keys.push_back(key);
        EXPECT_EQ(keys, (std::vector<std::string>{"file", "controls", "measures", "error"}));
        std::vector<std::string> measureKeys;
        for (const auto& [key, value] : object["measures"].items())
            measureKeys.push_back(key);
        EXPECT_EQ(measureKeys, Keys);
        object.erase("measures");
    }
    return objects;
}

nlohmann::ordered_json JsonObjects(const std::string& out, bool lines) {
    if (!lines)
        return nlohmann::ordered_json::parse(out);
    nlohmann::ordered_json objects = nlohmann::ordered_json::array();
    for (const std::string& line : LinesOf(out))
        objects.push_back(nlohmann::ordered_json::parse(line));
    return objects;
}

} // namespace

// The measures only add to the output: taken out again, every format is the
// output without them, byte for byte. Text has a block of the eight lines
// after each panel, before its error; tables eight cells after the error;
// json and jsonl a "measures" object after "controls", laid out as the json
// library lays it out.
TEST_F(ReportMeasures, TheyOnlyAdd) {
    for (const TFormatRun& format : FormatRuns) {
        SCOPED_TRACE(format.Format);
        const TRun plain = Run(format, false);
        const TRun measured = Run(format, true);
        EXPECT_EQ(measured.Status, plain.Status);
        EXPECT_EQ(measured.Err, plain.Err);
        if (format.Format == "text") {
            std::size_t blocks = 0;
            EXPECT_EQ(TextWithoutMeasures(measured.Out, blocks), plain.Out);
            EXPECT_EQ(blocks, Files.size());
        } else if (format.Format == "tsv") {
            EXPECT_EQ(TableWithoutMeasures(measured.Out, '\t', "\n"), plain.Out);
        } else if (format.Format == "csv") {
            EXPECT_EQ(TableWithoutMeasures(measured.Out, ',', "\r\n"), plain.Out);
        } else {
            const bool lines = format.Format == "jsonl";
            const nlohmann::ordered_json objects = JsonObjects(measured.Out, lines);
            ASSERT_EQ(objects.size(), Files.size());
            if (lines) {
                std::string laidOut;
                for (const auto& object : objects)
                    laidOut += object.dump() + "\n";
                EXPECT_EQ(measured.Out, laidOut);
            } else {
                EXPECT_EQ(measured.Out, objects.dump(2) + "\n");
            }
            EXPECT_EQ(ObjectsWithoutMeasures(objects), JsonObjects(plain.Out, lines));
        }
    }
}

// The values: the box's by hand, the wrapped pulse's widths from its peak,
// and each absent case null in json, empty in tsv and "n/a" in text. A level
// profile of 64 equal values has an off-pulse deviation of 0 and no peak
// above its mean.
TEST_F(ReportMeasures, ValuesAndAbsentCases) {
    TProfileSpec level;
    level.Values.assign(64, "5");
    level.Avg = "4";
    FDir.Write("level.torvane", fixture::ProfileText(level));
    const std::string files = " box.torvane wrap.torvane flat.torvane one.torvane missing.torvane "
                              "zero.torvane level.torvane";
    const auto run = [&](const std::string& options) {
        return RunBash("cd " + Quoted(FDir.Path("")) + " && " + Quoted(TORVANE_REPORT_EXE) + " " +
                           options + " --measures" + files + " >stdout.txt",
                       FDir.Path(""));
    };
    const TRun json = run("--format json --locale en_US");
    EXPECT_EQ(json.Status, 1);
    const nlohmann::json report = nlohmann::json::parse(json.Out);
    ASSERT_EQ(report.size(), 7u);

    const nlohmann::json& box = report[0]["measures"];
    const double sigma = 0.25 * std::sqrt(24.0 / 23.0); // of 24 values +-0.25 round 0
    EXPECT_EQ(box["flux"], 500);
    EXPECT_EQ(box["peak"], 100);
    EXPECT_EQ(box["w_eq"], 5);
    EXPECT_NEAR(box["snr_eq"].get<double>() / (100 * std::sqrt(5.0) / sigma), 1, 1e-6);
    EXPECT_NEAR(box["snr_on"].get<double>() / (500 / (sigma * std::sqrt(41.0))), 1, 1e-6);
    EXPECT_NEAR(box["w50"].get<double>(), 5, 0.01);
    EXPECT_NEAR(box["w10"].get<double>(), 5.8, 0.01);
    EXPECT_NEAR(box["duty50"].get<double>(), box["w50"].get<double>() / 65, 1e-9);

    // 60 at bin 0, 40 at 1 and 63, 20 at 2 and 62: both half crossings lie
    // between the 40s and the 20s, across the end of the period on one side.
    const nlohmann::json& wrap = report[1]["measures"];
    const double peak = wrap["peak"].get<double>();
    EXPECT_NEAR(wrap["w50"].get<double>(), 2 + (peak - 40) / 20, 1e-7);
    // The window (bins 0..3 of -20..3) takes the pulse's start only.
    EXPECT_NEAR(wrap["flux"].get<double>(), 60 + 40 + 20 + 11 - 4 * (60 - peak), 1e-5);

    for (const std::size_t i : {2u, 3u, 4u}) // stopped before the baseline
        for (const std::string& key : Keys)
            EXPECT_TRUE(report[i]["measures"][key].is_null()) << report[i]["file"] << key;
    EXPECT_FALSE(report[5]["error"].is_null()); // the header's ratio failed after it
    EXPECT_EQ(report[5]["measures"], report[1]["measures"]);
    const nlohmann::json& flat = report[6]["measures"];
    EXPECT_FALSE(report[6]["error"].is_null());
    EXPECT_EQ(flat["flux"], 0);
    EXPECT_EQ(flat["peak"], 0);
    for (const char* key : {"w_eq", "snr_eq", "snr_on", "w50", "w10", "duty50"})
        EXPECT_TRUE(flat[key].is_null()) << key;

    // The same in the table and the text, with the region's decimal comma.
    const TRun tsv = run("--format tsv --locale de_DE");
    const std::vector<std::string> rows = LinesOf(tsv.Out);
    ASSERT_EQ(rows.size(), 8u);
    const std::string boxRow = rows[1].substr(rows[1].rfind("\t500\t"));
    EXPECT_EQ(boxRow.substr(0, 11), "\t500\t100\t5\t");
    EXPECT_NE(boxRow.find("\t4,99750623\t"), std::string::npos) << boxRow;
    EXPECT_EQ(rows[3].substr(rows[3].size() - 8), "\t\t\t\t\t\t\t\t");
    EXPECT_EQ(rows[7].substr(rows[7].size() - 10), "\t0\t0\t\t\t\t\t\t");

    const TRun text = run("--format text --locale de_DE");
    const std::vector<std::string> lines = LinesOf(text.Out);
    const auto at = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    EXPECT_LT(at("W50 (bins): 4,99750623"), at("File name: wrap.torvane"));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Flux (on-pulse sum): n/a"), 3);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "W10 (bins): n/a"), 4);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Flux (on-pulse sum): 0"), 1);
}
