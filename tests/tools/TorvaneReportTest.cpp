// torvane-report run as a process on fixture files.

#include "tests/analysis/ProfileFixture.h"
#include "tests/tools/ProcessRun.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/wait.h>

using fixture::TProfileSpec;
using fixture::TTempDir;

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return cells;
        start = tab + 1;
    }
}

// A 64-bin profile with its pulse at 30..35, maximum 60 at 33.
TProfileSpec PulseSpec() {
    TProfileSpec spec;
    for (int i = 0; i < 64; ++i)
        spec.Values.push_back(i % 2 ? "11" : "10");
    spec.Values[30] = "13";
    spec.Values[31] = "20";
    spec.Values[32] = "40";
    spec.Values[33] = "60";
    spec.Values[34] = "40";
    spec.Values[35] = "20";
    spec.Avg = "12";
    spec.StdDev = "1";
    return spec;
}

class TorvaneReport : public testing::Test {
protected:
    void SetUp() override {
        FOldDir = std::filesystem::current_path();
        std::filesystem::current_path(FDir.Path(""));
        FDir.Write("a.torvane", fixture::ProfileText(PulseSpec()));
        TProfileSpec b = PulseSpec();
        b.InputFile = "B1937+21_DM71.0.dat";
        FDir.Write("b.torvane", fixture::ProfileText(b));
    }
    void TearDown() override { std::filesystem::current_path(FOldDir); }

    static std::string Command(const std::vector<std::string>& args,
                               const std::string& env = "LC_ALL=C") {
        std::string command = env + " " + Quoted(TORVANE_REPORT_EXE);
        for (const std::string& arg : args)
            command += " " + Quoted(arg);
        return command;
    }

    TRun Run(const std::vector<std::string>& args, const std::string& env = "LC_ALL=C") {
        return Shell(Command(args, env) + " >" + Quoted(FDir.Path("stdout.txt")));
    }

    TRun Shell(const std::string& command) { return RunBash(command, FDir.Path("")); }

    TTempDir FDir;
    std::filesystem::path FOldDir;
};

const std::string MissingMessage = "Cannot open \"missing.torvane\": No such file or directory";

} // namespace

TEST_F(TorvaneReport, TextFormatWithAFailingFileAmongGoodOnes) {
    const TRun run = Run({"a.torvane", "missing.torvane", "b.torvane"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "torvane-report: " + MissingMessage + "\n");

    const std::vector<std::string> lines = SplitLines(run.Out);
    const auto at = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    // Each file in turn; the failed one shows what was written and its error.
    EXPECT_LT(at("File name: a.torvane"), at("File name: missing.torvane"));
    EXPECT_LT(at("File name: missing.torvane"), at("Error: " + MissingMessage));
    EXPECT_LT(at("Error: " + MissingMessage), at("File name: b.torvane"));
    EXPECT_LT(at("File name: b.torvane"), static_cast<long>(lines.size()));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Max bin value: 60"), 2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Mean w/o peak (raw): 10.51"), 2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Pulsar (file) name:  J0000+0000"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Pulsar (file) name:  B1937+21"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Bin table: 64 lines"), 2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "File size: 0"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "  # T_peri           =  58000.123456"), 2);
}

TEST_F(TorvaneReport, TsvFormatUsesTheLocaleSeparators) {
    const TRun run = Run({"--format", "tsv", "--locale", "de_DE", "a.torvane", "missing.torvane"});
    EXPECT_EQ(run.Status, 1);
    const std::vector<std::string> rows = SplitLines(run.Out);
    ASSERT_EQ(rows.size(), 3u);
    const std::vector<std::string> header = SplitTabs(rows[0]);
    const std::vector<std::string> good = SplitTabs(rows[1]);
    const std::vector<std::string> bad = SplitTabs(rows[2]);
    ASSERT_EQ(good.size(), header.size());
    ASSERT_EQ(bad.size(), header.size());
    EXPECT_EQ(header.front(), "File");
    EXPECT_EQ(header.back(), "Error");

    const auto column = [&](const std::string& label) {
        const auto it = std::find(header.begin(), header.end(), label);
        EXPECT_NE(it, header.end()) << label;
        return it - header.begin();
    };
    EXPECT_EQ(good[0], "a.torvane");
    EXPECT_EQ(good[column("Mean w/o peak (raw)")], "10,51");
    EXPECT_EQ(good[column("S/N linear")], "98,13");
    EXPECT_EQ(good[column("S/N dB (ZELMAR values)")], "16,9");
    EXPECT_EQ(good.back(), "");
    EXPECT_EQ(bad[0], "missing.torvane");
    EXPECT_EQ(bad[column("File size")], "0");
    EXPECT_EQ(bad[column("Max bin value")], ""); // never written
    EXPECT_EQ(bad.back(), MissingMessage);
}

TEST_F(TorvaneReport, JsonFormatHoldsTheWritesInOrder) {
    TProfileSpec bigMax = PulseSpec();
    bigMax.Values[33] = "1234567.8912";
    FDir.Write("big.torvane", fixture::ProfileText(bigMax));
    TProfileSpec latin = PulseSpec();
    latin.InputFile = "J0000\xe9_x.dat"; // a Latin-1 byte: not UTF-8
    FDir.Write("latin.torvane", fixture::ProfileText(latin));
    const TRun run = Run({"--format=json", "--locale=en_US", "big.torvane", "missing.torvane",
                          "b.torvane", "latin.torvane"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "torvane-report: " + MissingMessage + "\n");
    const nlohmann::ordered_json report = nlohmann::ordered_json::parse(run.Out);
    ASSERT_TRUE(report.is_array());
    ASSERT_EQ(report.size(), 4u);

    const nlohmann::ordered_json& good = report[0];
    EXPECT_EQ(good["file"], "big.torvane");
    EXPECT_TRUE(good["error"].is_null());
    std::vector<std::string> names;
    for (const auto& [name, value] : good["controls"].items())
        names.push_back(name);
    const std::vector<std::string> order = {"Edit1",  "ListBox5", "Edit4",  "ListBox1", "Edit5",
                                            "Edit10", "Edit6",    "Edit11", "Edit13",   "Edit16",
                                            "Edit12", "Edit17",   "Edit8",  "Edit18",   "Edit14",
                                            "Edit15", "Edit9",    "Edit7",  "Edit2",    "Edit3"};
    EXPECT_EQ(names, order);
    EXPECT_EQ(good["controls"]["Edit1"], "big.torvane");
    EXPECT_EQ(good["controls"]["Edit6"], "1,234,567.875");
    EXPECT_EQ(good["controls"]["ListBox5"].size(), 26u);
    ASSERT_EQ(good["controls"]["ListBox1"].size(), 64u);
    EXPECT_EQ(good["controls"]["ListBox1"][33], "33   ,   1234567.875");

    const nlohmann::ordered_json& bad = report[1];
    EXPECT_EQ(bad["error"], MissingMessage);
    std::vector<std::string> written;
    for (const auto& [name, value] : bad["controls"].items())
        written.push_back(name);
    EXPECT_EQ(written, (std::vector<std::string>{"Edit1", "ListBox5", "Edit4"}));
    EXPECT_EQ(bad["controls"]["ListBox5"], nlohmann::ordered_json(std::vector<std::string>(26)));

    EXPECT_TRUE(report[2]["error"].is_null());
    EXPECT_EQ(report[2]["controls"]["Edit2"], " B1937+21");
    EXPECT_EQ(report[3]["controls"]["Edit2"], " J0000\uFFFD"); // replaced, not a failure
}

// The two lists are written from the profile as read, not from texts the
// analysis made: each line must still be the window's, in both JSON forms
// and with separators that need no escaping and that are not ASCII.
TEST_F(TorvaneReport, JsonListsAreTheWindowsLinesInEveryForm) {
    TProfileSpec spec = PulseSpec();
    spec.Values[33] = "1234567.8912";
    spec.InputFile = "J\"quoted\\_x.dat";
    const std::string text = fixture::ProfileText(spec);
    FDir.Write("q.torvane", text);
    std::vector<std::string> header = SplitLines(text);
    header.resize(26);
    struct TCase {
        const char* Format;
        const char* Locale;
        std::string Bin33;
    };
    const std::vector<TCase> cases = {
        {"json", "en_US", "33   ,   1234567.875"},
        {"jsonl", "en_US", "33   ,   1234567.875"},
        {"jsonl", "de_DE", "33   ,   1234567,875"},
        {"json", "fa_IR", "33   ,   1234567\u066b875"},
        {"jsonl", "fa_IR", "33   ,   1234567\u066b875"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Format) + " " + c.Locale);
        const TRun run =
            Run({"--format", c.Format, "--locale", c.Locale, "q.torvane", "a.torvane"});
        ASSERT_EQ(run.Status, 0) << run.Err;
        nlohmann::json file;
        if (std::string(c.Format) == "json")
            file = nlohmann::json::parse(run.Out).at(0);
        else
            file = nlohmann::json::parse(SplitLines(run.Out).at(0));
        const nlohmann::json& controls = file["controls"];
        EXPECT_EQ(controls["ListBox5"].get<std::vector<std::string>>(), header);
        ASSERT_EQ(controls["ListBox1"].size(), 64u);
        EXPECT_EQ(controls["ListBox1"][0], "0   ,   10");
        EXPECT_EQ(controls["ListBox1"][33], nlohmann::json::parse('"' + c.Bin33 + '"'));
        EXPECT_EQ(controls["ListBox1"][63], "63   ,   11");
    }
}

// The report is laid out exactly as the json library indents an array of
// objects, with its escapes; names and lines that need escaping or are not
// UTF-8 included.
TEST_F(TorvaneReport, JsonLayoutIsTheLibrarysIndentedForm) {
    const std::string odd = "q\"b\\t\tc\x01\x7f\xff\xc3(.torvane";
    TProfileSpec spec = PulseSpec();
    spec.InputFile = "J\x1b\"\xe0\x80_x.dat";
    FDir.Write(odd, fixture::ProfileText(spec));
    const std::vector<std::vector<std::string>> runs = {
        {"--format=json", "a.torvane", odd, "missing.torvane"},
        {"--format=json", "missing.torvane"},
    };
    for (const auto& args : runs) {
        const TRun run = Run(args);
        const nlohmann::ordered_json report = nlohmann::ordered_json::parse(run.Out);
        EXPECT_EQ(run.Out, report.dump(2) + "\n");
        EXPECT_EQ(report.back()["error"], MissingMessage);
    }
    const TRun run = Run({"--format=json", odd});
    const nlohmann::ordered_json file = nlohmann::ordered_json::parse(run.Out).at(0);
    EXPECT_EQ(file["file"], "q\"b\\t\tc\x01\x7f\uFFFD\uFFFD(.torvane");
    EXPECT_EQ(file["controls"]["Edit2"], " J\x1b\"\uFFFD\uFFFD");
    EXPECT_TRUE(file["error"].is_null());
}

TEST_F(TorvaneReport, SystemSeparatorsByDefault) {
    const TRun german = Run({"--format", "tsv", "a.torvane"}, "LC_ALL=de_DE.UTF-8");
    EXPECT_EQ(german.Status, 0);
    EXPECT_NE(german.Out.find("\t10,51\t"), std::string::npos) << german.Out;
    const TRun plain = Run({"--format", "tsv", "a.torvane"}, "LC_ALL=C");
    EXPECT_EQ(plain.Status, 0);
    EXPECT_NE(plain.Out.find("\t10.51\t"), std::string::npos) << plain.Out;
    EXPECT_EQ(plain.Err, "");
}

TEST_F(TorvaneReport, UsageErrorsAndHelp) {
    const TRun help = Run({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("Usage: torvane-report"), std::string::npos);
    EXPECT_NE(help.Out.find("Exit status"), std::string::npos);

    const std::vector<std::vector<std::string>> misuses = {
        {},
        {"--format", "xml", "a.torvane"},
        {"--format"},
        {"--bogus", "a.torvane"},
        {"--locale", "xx_NOWHERE", "a.torvane"},
        {"--jobs", "0", "a.torvane"},
        {"--jobs=two", "a.torvane"},
        {"--shard", "0/2", "a.torvane"},
        {"--shard", "3/2", "a.torvane"},
        {"--shard=2", "a.torvane"},
        {"--no-header", "a.torvane"},
        {"--format=json", "--no-header", "a.torvane"},
        {"-0", "a.torvane"},
        {"--files-from"},
    };
    for (const auto& args : misuses) {
        const TRun run = Run(args);
        EXPECT_EQ(run.Status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err.find("--help"), std::string::npos);
    }
    // After "--" a name that looks like an option is a file.
    const TRun dashed = Run({"--", "--format"});
    EXPECT_EQ(dashed.Status, 1);
    EXPECT_NE(dashed.Err.find("Cannot open \"--format\""), std::string::npos);
}

// The sample files that come with the analyzer all analyse cleanly.
TEST_F(TorvaneReport, ExamplesAnalyseWithoutError) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(TORVANE_SOURCE_DIR "/examples"))
        if (entry.path().filename().string().find(".torvane") != std::string::npos)
            files.push_back(entry.path().string());
    ASSERT_GE(files.size(), 4u);
    std::vector<std::string> args = {"--format", "json"};
    args.insert(args.end(), files.begin(), files.end());
    const TRun run = Run(args);
    EXPECT_EQ(run.Status, 0) << run.Err;
    for (const auto& file : nlohmann::json::parse(run.Out)) {
        EXPECT_TRUE(file["error"].is_null()) << file["file"] << ": " << file["error"];
        EXPECT_EQ(file["controls"].size(), 20u) << file["file"];
    }
}

// Output that cannot be written is a failure of its own, whatever the format;
// a reader that stops reading a pipe ends the run without a word.
TEST_F(TorvaneReport, OutputThatCannotBeWritten) {
    const std::string full = "torvane-report: cannot write output: No space left on device\n";
    const std::vector<std::vector<std::string>> runs = {
        {"a.torvane"},
        {"--format=tsv", "a.torvane", "b.torvane"},
        {"--format=json", "a.torvane", "missing.torvane"},
        {"--help"},
    };
    for (const auto& args : runs) {
        const TRun run = Shell(Command(args) + " >/dev/full");
        EXPECT_EQ(run.Status, 3) << args[0];
        ASSERT_GE(run.Err.size(), full.size());
        EXPECT_EQ(run.Err.substr(run.Err.size() - full.size()), full);
    }

    // Far more than a pipe holds, so that the writes meet the closed pipe.
    std::vector<std::string> many = {"--format=json"};
    many.insert(many.end(), 300, "a.torvane");
    const std::string toHead = Command(many) + " | head -c 10 >/dev/null";
    const TRun killed = Shell("set -o pipefail; " + toHead);
    EXPECT_EQ(killed.Status, 128 + SIGPIPE);
    EXPECT_EQ(killed.Err, "");
    // With the signal ignored the write fails instead, just as quietly.
    const TRun ignored = Shell("trap '' PIPE; set -o pipefail; " + toHead);
    EXPECT_EQ(ignored.Status, 3);
    EXPECT_EQ(ignored.Err, "");
}
