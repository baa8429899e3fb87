#include "analysis/AnalysisCommand.h"

#include "analysis/ProfileFileError.h"
#include "tests/analysis/ProfileFixture.h"

#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

using fixture::TProfileSpec;
using fixture::TTempDir;

namespace {

const FormatSettings English{",", "."};
const FormatSettings German{".", ","};

const std::vector<std::string> FullOrder = {"Edit1",  "ListBox5", "Edit4",  "ListBox1", "Edit5",
                                            "Edit10", "Edit6",    "Edit11", "Edit13",   "Edit16",
                                            "Edit12", "Edit17",   "Edit8",  "Edit18",   "Edit14",
                                            "Edit15", "Edit9",    "Edit7",  "Edit2",    "Edit3"};

std::vector<std::string> Names(const TAnalysisResult& r) {
    std::vector<std::string> names;
    for (const TControlText& w : r.Writes)
        names.push_back(w.Name);
    return names;
}

std::vector<std::string> OrderUpTo(const std::string& last) {
    std::vector<std::string> names;
    for (const std::string& name : FullOrder) {
        names.push_back(name);
        if (name == last)
            break;
    }
    return names;
}

std::map<std::string, std::vector<std::string>> Texts(const TAnalysisResult& r) {
    std::map<std::string, std::vector<std::string>> texts;
    for (const TControlText& w : r.Writes)
        texts[w.Name] = w.Entries;
    return texts;
}

std::string Edit(const TAnalysisResult& r, const std::string& name) {
    for (const TControlText& w : r.Writes)
        if (w.Name == name && !w.IsList && w.Entries.size() == 1)
            return w.Entries[0];
    ADD_FAILURE() << name << " not written as an edit box";
    return {};
}

// 64 bins numbered from 1: a baseline of 10 and 11, a pulse rising from 30,
// its maximum 60 at position 33, back at the baseline at 36.
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
    spec.FirstNumber = 1;
    spec.Avg = "12";
    spec.StdDev = "1";
    return spec;
}

// Runs in a fresh folder so that files are named bare, as the window names them.
class AnalysisCommand : public testing::Test {
protected:
    void SetUp() override {
        char buffer[4096];
        ASSERT_NE(::getcwd(buffer, sizeof buffer), nullptr);
        FOldDir = buffer;
        ASSERT_EQ(::chdir(FDir.Path("").c_str()), 0);
    }
    void TearDown() override { EXPECT_EQ(::chdir(FOldDir.c_str()), 0); }

    TAnalysisResult Run(const std::string& name, const TProfileSpec& spec,
                        const FormatSettings& format = English) {
        FDir.Write(name, fixture::ProfileText(spec));
        return RunAnalysisCommand(name, FData, format);
    }

    TTempDir FDir;
    TProfileData FData;
    std::string FOldDir;
};

} // namespace

TEST_F(AnalysisCommand, FillsThePanelInWritingOrder) {
    const std::string text = fixture::ProfileText(PulseSpec());
    FDir.Write("pulse.torvane", text);
    const timespec times[2] = {{1546300799, 0}, {1546300799, 0}}; // 2018-12-31 23:59:59 UTC
    ASSERT_EQ(::utimensat(AT_FDCWD, "pulse.torvane", times, 0), 0);
    ::setenv("TZ", "America/New_York", 1);
    ::tzset();

    const TAnalysisResult r = RunAnalysisCommand("pulse.torvane", FData, English);
    ASSERT_FALSE(r.Error) << r.ErrorMessage;
    EXPECT_EQ(r.ErrorMessage, "");
    EXPECT_EQ(Names(r), FullOrder);

    const auto texts = Texts(r);
    EXPECT_EQ(texts.at("Edit1"), std::vector<std::string>{"pulse.torvane"});
    ASSERT_EQ(texts.at("ListBox5").size(), 26u);
    EXPECT_EQ(texts.at("ListBox5")[1],
              fixture::HeaderLine("# Input file", "J0000+0000_DM10.00.dat"));
    EXPECT_EQ(Edit(r, "Edit4"), std::to_string(text.size()));
    // The list shows the numbers as written, the boxes 0-based positions.
    ASSERT_EQ(texts.at("ListBox1").size(), 64u);
    EXPECT_EQ(texts.at("ListBox1")[0], "1   ,   10");
    EXPECT_EQ(texts.at("ListBox1")[33], "34   ,   60");
    EXPECT_EQ(Edit(r, "Edit5"), "10");
    EXPECT_EQ(Edit(r, "Edit10"), "0");
    EXPECT_EQ(Edit(r, "Edit6"), "60");
    EXPECT_EQ(Edit(r, "Edit11"), "33");
    // 57 off-peak bins: 28 of 10 and 29 of 11.
    EXPECT_EQ(Edit(r, "Edit13"), "10.51");
    EXPECT_EQ(Edit(r, "Edit16"), "10.51");
    EXPECT_EQ(Edit(r, "Edit12"), ".5");
    EXPECT_EQ(Edit(r, "Edit17"), ".5");
    EXPECT_EQ(Edit(r, "Edit8"), "98.13");
    EXPECT_EQ(Edit(r, "Edit18"), "98.13");
    EXPECT_EQ(Edit(r, "Edit14"), "19.92");
    EXPECT_EQ(Edit(r, "Edit15"), "19.92");
    EXPECT_EQ(Edit(r, "Edit9"), "49"); // (60 - 12 + 1) / 1
    EXPECT_EQ(Edit(r, "Edit7"), "16.9");
    EXPECT_EQ(Edit(r, "Edit2"), " J0000+0000"); // keeps the blank of column 22
    EXPECT_EQ(Edit(r, "Edit3"), "31 Dec 2018     23:59:59  UTC");
    EXPECT_EQ(r.Stats.PeakStart, 30);
    EXPECT_EQ(r.Stats.PeakEnd, 36);

    // The same file again: the same texts everywhere.
    const TAnalysisResult again = RunAnalysisCommand("pulse.torvane", FData, English);
    EXPECT_EQ(Texts(again), texts);
}

TEST_F(AnalysisCommand, PanelValueForms) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::string>> values; // placed on the pulse profile
        std::string inputFile;
        const char* avg;
        FormatSettings format;
        std::map<std::string, std::string> expected;
    };
    const std::vector<Case> cases = {
        {"minimum 0", {{5, "0"}}, "J0000+0000_DM10.00.dat", "12", English, {{"Edit5", ""}}},
        {"minimum 0.5", {{5, "0.5"}}, "J0000+0000_DM10.00.dat", "12", English, {{"Edit5", ".5"}}},
        // The file holds the float 1234567.875, not 1234567.8912.
        {"large maximum",
         {{33, "1234567.8912"}},
         "x_y",
         "12",
         English,
         {{"Edit6", "1,234,567.875"}, {"Edit2", " x"}}},
        {"large maximum, swapped separators",
         {{33, "1234567.8912"}},
         "x_y",
         "12",
         German,
         {{"Edit6", "1.234.567,875"}}},
        {"no underscore", {}, "J0000+0000.dat", "12", English, {{"Edit2", ""}}},
        {"underscore first", {}, "_J0000", "12", English, {{"Edit2", " "}}},
        // Avg far above the maximum: the header ratio is negative.
        {"negative header ratio", {}, "a_b", "100", English, {{"Edit9", "-39"}, {"Edit7", "n/a"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TProfileSpec spec = PulseSpec();
        for (const auto& [at, value] : c.values)
            spec.Values[at] = value;
        spec.InputFile = c.inputFile;
        spec.Avg = c.avg;
        const TAnalysisResult r = Run("forms.torvane", spec, c.format);
        ASSERT_FALSE(r.Error) << r.ErrorMessage;
        for (const auto& [name, text] : c.expected)
            EXPECT_EQ(Edit(r, name), text) << name;
    }
}

TEST_F(AnalysisCommand, StoppingPoints) {
    struct Case {
        const char* what;
        std::string name;
        std::optional<TProfileSpec> spec; // nullopt: no such file
        std::string last;                 // the last control written
        std::string message;
        bool fileError;
    };
    TProfileSpec noAnchor = PulseSpec();
    noAnchor.Anchor = false;
    TProfileSpec tooMany = PulseSpec();
    tooMany.Bins = "1500";
    TProfileSpec oneOffPeak; // maximum at 20, nothing down to the average: window 0..40
    for (int i = 0; i < 42; ++i)
        oneOffPeak.Values.push_back(i == 20 ? "50" : (i % 2 ? "2" : "1"));
    TProfileSpec flat = PulseSpec();
    for (int i = 0; i < 64; ++i)
        if (i < 30 || i > 35)
            flat.Values[i] = "10";
    TProfileSpec noStdDev = PulseSpec();
    noStdDev.StdDev = std::nullopt;
    TProfileSpec overflow = PulseSpec();
    overflow.Avg = "1e39";

    const std::vector<Case> cases = {
        {"missing file", "nofile.torvane", std::nullopt, "Edit4",
         "Cannot open \"nofile.torvane\": No such file or directory", true},
        {"the mask", "*.torvane*", std::nullopt, "Edit4",
         "Cannot open \"*.torvane*\": No such file or directory", true},
        {"no anchor", "noanchor.torvane", noAnchor, "Edit4",
         "\"noanchor.torvane\" has no \"# T_peri\" line: not a profile file", true},
        {"too many bins", "big.torvane", tooMany, "Edit4",
         "\"big.torvane\" declares 1500 bins; at most 1000 are supported", true},
        {"one off-peak bin", "one.torvane", oneOffPeak, "Edit11",
         "Invalid floating point operation", false},
        {"flat baseline", "flat.torvane", flat, "Edit11", "Floating point division by zero", false},
        {"header standard deviation missing", "nosd.torvane", noStdDev, "Edit15",
         "Floating point division by zero", false},
        {"header value beyond float", "over.torvane", overflow, "Edit1", "Floating point overflow",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TAnalysisResult r =
            c.spec ? Run(c.name, *c.spec) : RunAnalysisCommand(c.name, FData, English);
        EXPECT_EQ(Names(r), OrderUpTo(c.last));
        EXPECT_EQ(r.ErrorMessage, c.message);
        ASSERT_TRUE(r.Error);
        try {
            std::rethrow_exception(r.Error);
        } catch (const EProfileFileError& e) {
            EXPECT_TRUE(c.fileError);
            EXPECT_EQ(e.Message(), c.message);
        } catch (const Exception& e) {
            EXPECT_FALSE(c.fileError);
            EXPECT_EQ(e.Message(), c.message);
        }
        if (c.last == "Edit4") {
            const auto texts = Texts(r);
            ASSERT_EQ(texts.at("ListBox5").size(), 26u);
            if (!c.spec) {
                EXPECT_EQ(texts.at("ListBox5"), std::vector<std::string>(26));
                EXPECT_EQ(Edit(r, "Edit4"), "0");
            } else {
                EXPECT_EQ(texts.at("ListBox5")[0], fixture::HeaderLine("# Source", "test"));
                EXPECT_EQ(Edit(r, "Edit4"), std::to_string(fixture::ProfileText(*c.spec).size()));
            }
        }
    }
}

// A time the calendar fields cannot hold counts as not queryable.
TEST_F(AnalysisCommand, UnknownLastWriteTimeLeavesTheDateEmpty) {
    // Disk file systems cap their times long before; a memory file system
    // holds 64-bit seconds.
    struct stat shm {};
    if (::stat("/dev/shm", &shm) != 0 || !S_ISDIR(shm.st_mode))
        GTEST_SKIP() << "no memory file system";
    const TTempDir dir("/dev/shm");
    const std::string path = dir.Write("future.torvane", fixture::ProfileText(PulseSpec()));
    const timespec times[2] = {{3'000'000'000'000LL, 0}, {3'000'000'000'000LL, 0}};
    struct stat st {};
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0 || ::stat(path.c_str(), &st) != 0 ||
        st.st_mtim.tv_sec != times[1].tv_sec)
        GTEST_SKIP() << "the file system cannot hold that time";
    const TAnalysisResult r = RunAnalysisCommand(path, FData, English);
    ASSERT_FALSE(r.Error) << r.ErrorMessage;
    EXPECT_EQ(Names(r), FullOrder);
    EXPECT_EQ(Edit(r, "Edit3"), "");
}

// A caller that needs no list texts gets the same record with each list's
// length in place of its texts, however far the analysis gets.
TEST_F(AnalysisCommand, ListsLeftOutKeepOnlyTheirLength) {
    TProfileSpec flat = PulseSpec(); // stops after both lists
    for (int i = 0; i < 64; ++i)
        if (i < 30 || i > 35)
            flat.Values[i] = "10";
    TProfileSpec noAnchor = PulseSpec();
    noAnchor.Anchor = false;
    const std::vector<std::pair<std::string, std::optional<TProfileSpec>>> files = {
        {"pulse.torvane", PulseSpec()},
        {"flat.torvane", flat},
        {"noanchor.torvane", noAnchor},
        {"missing.torvane", std::nullopt},
    };
    for (const auto& [name, spec] : files) {
        SCOPED_TRACE(name);
        if (spec)
            FDir.Write(name, fixture::ProfileText(*spec));
        const TAnalysisResult full = RunAnalysisCommand(name, FData, German);
        for (const TAnalysisNeeds needs :
             {TAnalysisNeeds{false, false}, TAnalysisNeeds{true, false},
              TAnalysisNeeds{false, true}}) {
            const TAnalysisResult lean = RunAnalysisCommand(name, FData, German, needs);
            EXPECT_EQ(lean.ErrorMessage, full.ErrorMessage);
            ASSERT_EQ(Names(lean), Names(full));
            for (std::size_t i = 0; i < full.Writes.size(); ++i) {
                const TControlText& w = lean.Writes[i];
                const bool kept =
                    !w.IsList || (w.Name == "ListBox5" ? needs.HeaderTexts : needs.BinTexts);
                EXPECT_EQ(w.IsList, full.Writes[i].IsList);
                EXPECT_EQ(w.Entries, kept ? full.Writes[i].Entries : std::vector<std::string>())
                    << w.Name;
                EXPECT_EQ(w.EntryCount(), full.Writes[i].Entries.size()) << w.Name;
            }
        }
    }
}
