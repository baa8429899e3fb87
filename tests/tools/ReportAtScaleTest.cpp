// torvane-report as a process on many files: jobs, shards, name lists,
// folder searches, the streaming formats and the progress line.

#include "tests/analysis/ProfileFixture.h"
#include "tests/tools/ProcessRun.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using fixture::TProfileSpec;
using fixture::TTempDir;
using fixture::WriteBytes;

namespace {

std::vector<std::string> SplitOn(const std::string& text, char end) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t stop; (stop = text.find(end, start)) != std::string::npos; start = stop + 1)
        parts.push_back(text.substr(start, stop - start));
    if (start < text.size())
        parts.push_back(text.substr(start));
    return parts;
}

// The first column of each row of a tsv text without its header: the files.
std::vector<std::string> FileColumn(const std::string& tsv) {
    std::vector<std::string> files;
    for (const std::string& row : SplitOn(tsv, '\n'))
        files.push_back(row.substr(0, row.find('\t')));
    return files;
}

// The records of an RFC 4180 text, each a list of its fields.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = records.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            records.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            records.emplace_back(1);
        } else {
            field += c;
        }
    }
    records.pop_back(); // after the last line end
    return records;
}

// A profile of 16 to 80 bins with a pulse somewhere, the same on every run.
TProfileSpec RandomSpec(std::mt19937& random) {
    TProfileSpec spec;
    const int bins = std::uniform_int_distribution<int>(16, 80)(random);
    const int peak = std::uniform_int_distribution<int>(0, bins - 1)(random);
    std::uniform_real_distribution<double> noise(95.0, 105.0);
    std::vector<double> values;
    for (int i = 0; i < bins; ++i)
        values.push_back(noise(random) +
                         (std::abs(i - peak) < 3 ? 400.0 / (1 + std::abs(i - peak)) : 0));
    spec.Values = fixture::Texts(values);
    spec.Avg = "100";
    spec.StdDev = "2.5";
    return spec;
}

// Files that each end their analysis with a different error.
std::string BadProfile(int kind) {
    TProfileSpec spec;
    spec.Values = {"1", "2", "3", "9", "3", "2", "1", "1"};
    switch (kind) {
    case 0:
        return ""; // no anchor
    case 1:
        spec.Avg = "1e400"; // overflow
        break;
    case 2:
        spec.Values.assign(8, "5"); // a flat baseline: division by zero
        break;
    case 3:
        spec.Bins = "5000"; // more bins than the table holds
        break;
    default:
        spec.Values = {"1"}; // one bin: no standard deviation
        break;
    }
    return fixture::ProfileText(spec);
}

// A small good profile, the same for a seed on every run.
std::string SmallProfile(unsigned seed) {
    std::mt19937 random(seed);
    return fixture::ProfileText(RandomSpec(random));
}

const std::vector<std::string> Formats = {"text", "tsv", "csv", "json", "jsonl"};

// One survey for the whole suite: profiles in nested folders, one in
// eleven bad, and a list naming some of them and a few missing files.
class ReportAtScale : public testing::Test {
protected:
    static constexpr int SurveyFiles = 2500;

    static void SetUpTestSuite() {
        FSurvey = new TTempDir();
        std::mt19937 random(17);
        std::string list;
        for (int i = 0; i < SurveyFiles; ++i) {
            const std::string folder =
                "survey/d" + std::to_string(i % 7) + "/e" + std::to_string(i % 3);
            std::filesystem::create_directories(FSurvey->Path(folder));
            const std::string name = folder + "/p" + std::to_string(i) + ".torvane";
            const std::string text =
                i % 11 == 5 ? BadProfile(i / 11 % 5) : fixture::ProfileText(RandomSpec(random));
            WriteBytes(FSurvey->Path(name), text);
            if (i % 100 == 0)
                list += name + "\n" + "survey/missing" + std::to_string(i) + ".torvane\n";
        }
        WriteBytes(FSurvey->Path("list"), list);
    }
    static void TearDownTestSuite() {
        delete FSurvey;
        FSurvey = nullptr;
    }

    static std::string Command(const std::vector<std::string>& args) {
        std::string command =
            "cd " + Quoted(FSurvey->Path("")) + " && LC_ALL=C " + Quoted(TORVANE_REPORT_EXE);
        for (const std::string& arg : args)
            command += " " + Quoted(arg);
        return command;
    }

    TRun Run(const std::vector<std::string>& args) {
        return RunBash(Command(args) + " >" + Quoted(FDir.Path("stdout.txt")) + " </dev/null",
                       FDir.Path(""));
    }

    static TTempDir* FSurvey;
    TTempDir FDir; // each test's own outputs
};

TTempDir* ReportAtScale::FSurvey = nullptr;

} // namespace

// Every format gives the same bytes, messages and status for any number of
// jobs, the errors in their files' places, with the measures or without.
TEST_F(ReportAtScale, JobsGiveTheSameBytesInEveryFormat) {
    for (const std::string& format : Formats) {
        for (const bool measures : {false, true}) {
            SCOPED_TRACE(format + (measures ? " with measures" : ""));
            const auto args = [&](const char* jobs) {
                std::vector<std::string> args = {"--format", format,         "--jobs", jobs,
                                                 "survey",   "--files-from", "list"};
                if (measures)
                    args.push_back("--measures");
                return args;
            };
            const TRun one = Run(args("1"));
            EXPECT_EQ(one.Status, 1);
            const std::vector<std::string> errors = SplitOn(one.Err, '\n');
            // The bad files, then those of the list: two bad ones and the missing.
            EXPECT_EQ(errors.size(), 227u + 2u + 25u);
            for (const char* jobs : {"2", "5"}) {
                const TRun many = Run(args(jobs));
                EXPECT_EQ(many.Status, one.Status) << jobs;
                EXPECT_TRUE(many.Out == one.Out) << jobs << " jobs: the output differs";
                EXPECT_EQ(many.Err, one.Err) << jobs;
            }
            if (format == "json") {
                const nlohmann::json report = nlohmann::json::parse(one.Out);
                ASSERT_EQ(report.size(), SurveyFiles + 50u);
                EXPECT_EQ(report[SurveyFiles]["file"], "survey/d0/e0/p0.torvane");
                EXPECT_EQ(report[SurveyFiles + 1]["error"],
                          "Cannot open \"survey/missing0.torvane\": No such file or directory");
                EXPECT_EQ(report[0].contains("measures"), measures);
            }
        }
    }
}

// One object per line, each the very object of the json array, written as
// the json library writes it compactly; names and lines that need escaping
// or are not UTF-8 included.
TEST_F(ReportAtScale, JsonLinesHoldTheArraysObjects) {
    const std::string odd = FDir.Path("q\"b\\\tc\x01\xff\xc3(.torvane");
    std::mt19937 random(3);
    TProfileSpec spec = RandomSpec(random);
    spec.InputFile = "J\x1b\"\xe0\x80_x.dat";
    WriteBytes(odd, fixture::ProfileText(spec));
    const std::vector<std::string> args = {"survey/d3", odd, "missing.torvane"};

    std::vector<std::string> jsonArgs = {"--format", "json"};
    jsonArgs.insert(jsonArgs.end(), args.begin(), args.end());
    const nlohmann::ordered_json array = nlohmann::ordered_json::parse(Run(jsonArgs).Out);
    std::vector<std::string> linesArgs = {"--format", "jsonl"};
    linesArgs.insert(linesArgs.end(), args.begin(), args.end());
    const TRun run = Run(linesArgs);
    EXPECT_EQ(run.Status, 1);
    ASSERT_FALSE(run.Out.empty());
    EXPECT_EQ(run.Out.back(), '\n');
    const std::vector<std::string> lines = SplitOn(run.Out, '\n');
    ASSERT_EQ(lines.size(), array.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const nlohmann::ordered_json object =
            nlohmann::ordered_json::parse(lines[i], nullptr, false);
        ASSERT_FALSE(object.is_discarded()) << lines[i];
        EXPECT_EQ(object, array[i]);
        EXPECT_EQ(lines[i], object.dump());
    }
    EXPECT_EQ(array[array.size() - 2]["controls"]["Edit2"], " J\x1b\"\uFFFD\uFFFD");
}

// The csv table is the tsv table, quoted where a value needs it; only csv
// keeps a line break of a name.
TEST_F(ReportAtScale, CsvIsTheTsvTableQuoted) {
    const std::string odd = FDir.Path("with \"quotes\", a comma\nand a line break.torvane");
    WriteBytes(odd, SmallProfile(4));
    for (const char* locale : {"en_US", "de_DE"}) {
        SCOPED_TRACE(locale);
        const std::vector<std::string> args = {"--locale", locale, "survey/d1/e2", odd};
        std::vector<std::string> tsvArgs = {"--format", "tsv"};
        tsvArgs.insert(tsvArgs.end(), args.begin(), args.end());
        std::vector<std::string> csvArgs = {"--format", "csv"};
        csvArgs.insert(csvArgs.end(), args.begin(), args.end());
        const TRun tsv = Run(tsvArgs);
        const TRun csv = Run(csvArgs);
        EXPECT_EQ(csv.Status, tsv.Status);
        const std::vector<std::string> rows = SplitOn(tsv.Out, '\n');
        std::vector<std::vector<std::string>> records = ParseCsv(csv.Out);
        ASSERT_EQ(records.size(), rows.size());
        ASSERT_GT(rows.size(), 100u);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            std::vector<std::string> cells = SplitOn(rows[r], '\t');
            cells.resize(records[r].size()); // a last empty cell ends a row
            if (r + 1 == rows.size()) {
                EXPECT_EQ(records[r][0], odd);
                records[r][0].replace(records[r][0].find('\n'), 1, " ");
            }
            EXPECT_EQ(records[r], cells) << rows[r];
        }
    }
}

// The shards of a run hold its files each exactly once, in its order; with
// no header they join into the whole table, as the user guide's recipe for
// GNU parallel joins them.
TEST_F(ReportAtScale, ShardsJoinIntoTheWholeRun) {
    const TRun whole = Run({"--format", "tsv", "--no-header", "survey"});
    const std::vector<std::string> rows = SplitOn(whole.Out, '\n');
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(SurveyFiles));
    for (const std::size_t n : {1u, 3u, 7u, SurveyFiles + 5u}) {
        std::vector<std::string> joined;
        for (std::size_t k = 1; k <= std::min<std::size_t>(n, 9); ++k) {
            const std::string shard = std::to_string(k) + "/" + std::to_string(n);
            const TRun part = Run({"--format=tsv", "--no-header", "--shard", shard, "survey"});
            const std::vector<std::string> partRows = SplitOn(part.Out, '\n');
            bool anyError = false;
            for (std::size_t i = 0; i < partRows.size(); ++i) {
                EXPECT_EQ(partRows[i], rows.at(i * n + k - 1)) << shard;
                anyError = anyError || partRows[i].back() != '\t';
            }
            EXPECT_EQ(part.Status, anyError ? 1 : 0) << shard;
            joined.insert(joined.end(), partRows.begin(), partRows.end());
        }
        if (n <= 9) {
            std::sort(joined.begin(), joined.end());
            std::vector<std::string> sorted = rows;
            std::sort(sorted.begin(), sorted.end());
            EXPECT_EQ(joined, sorted) << n;
        }
    }

    if (std::system("command -v parallel >/dev/null") != 0)
        GTEST_SKIP() << "GNU parallel is not installed (Debian package parallel)";
    // The recipe as the user guide gives it, in a folder of its own.
    const std::string survey = FSurvey->Path("survey");
    const std::string recipe =
        "PATH=" + Quoted(std::filesystem::path(TORVANE_REPORT_EXE).parent_path().string()) +
        ":$PATH && cd " + Quoted(FDir.Path("")) + " && survey=" + Quoted(survey) +
        " && parallel torvane-report --format tsv --no-header --shard {}/4 \"$survey\" '>' "
        "part-{}.tsv ::: 1 2 3 4; "
        "{ torvane-report --format tsv --files-from /dev/null; "
        "paste -d '\\n' part-{1..4}.tsv | grep -v '^$'; } > survey.tsv";
    const TRun merged = RunBash(recipe, FDir.Path(""));
    const TRun headed = Run({"--format", "tsv", survey});
    EXPECT_EQ(SplitOn(headed.Out, '\n').size(), SurveyFiles + 1u);
    EXPECT_TRUE(Slurp(FDir.Path("survey.tsv")) == headed.Out) << merged.Err.substr(0, 1000);
}

// Names from a list, one per line or NUL-separated, from a file or from
// standard input, after those of the command line.
TEST_F(ReportAtScale, FilesFromAList) {
    const std::vector<std::string> names = {"two  blanks.torvane", " lead and trail .torvane",
                                            "line\nbreak.torvane", "tab\there.torvane"};
    for (const std::string& name : names)
        WriteBytes(FDir.Path(name), SmallProfile(5));
    const auto filesOf = [](const TRun& run) {
        std::vector<std::string> files;
        for (const std::string& line : SplitOn(run.Out, '\n'))
            files.push_back(nlohmann::json::parse(line)["file"]);
        return files;
    };
    const std::string dir = FDir.Path("");

    std::string nulList;
    for (const std::string& name : names)
        nulList += dir + name + '\0';
    WriteBytes(FDir.Path("nul-list"), nulList + '\0'); // an empty name is skipped
    std::vector<std::string> expected = {dir + "tab\there.torvane"};
    for (const std::string& name : names)
        expected.push_back(dir + name);
    const TRun nul = Run(
        {"--format=jsonl", dir + "tab\there.torvane", "-0", "--files-from", FDir.Path("nul-list")});
    EXPECT_EQ(nul.Status, 0) << nul.Err;
    EXPECT_EQ(filesOf(nul), expected);

    // Lines: blank lines skipped, the last line needs no line feed; the name
    // with a line break becomes two names that do not exist.
    std::string lines = "\n" + dir + names[0] + "\n\n" + dir + names[1] + "\n" + dir + names[2];
    WriteBytes(FDir.Path("lines"), lines);
    const TRun fromStdin =
        RunBash(Command({"--format=jsonl", "--files-from", "-"}) + " <" +
                    Quoted(FDir.Path("lines")) + " >" + Quoted(dir + "stdout.txt"),
                dir);
    EXPECT_EQ(fromStdin.Status, 1);
    EXPECT_EQ(filesOf(fromStdin), (std::vector<std::string>{dir + names[0], dir + names[1],
                                                            dir + "line", "break.torvane"}));
    EXPECT_NE(fromStdin.Err.find("Cannot open \"break.torvane\""), std::string::npos);

    const TRun missing = Run({"--files-from", "no-such-list"});
    EXPECT_EQ(missing.Status, 2);
    EXPECT_EQ(missing.Err,
              "torvane-report: cannot read the list \"no-such-list\": No such file or directory\n");
    EXPECT_EQ(missing.Out, "");
}

// A folder stands for what the window's file lists show in it and below it,
// in byte order of the paths: links to files taken, links to folders and
// hidden names left alone, so a link loop ends nothing and finds nothing twice.
TEST_F(ReportAtScale, FoldersAreSearchedInSortedOrder) {
    const std::string profile = SmallProfile(6);
    const std::string top = FDir.Path("top");
    for (const char* folder : {"top/sub/deeper", "top/folder.torvane", "top/.git", "top/empty"})
        std::filesystem::create_directories(FDir.Path(folder));
    for (const char* file : {"top/b.torvane", "top/A.TORVANE.bak", "top/notes.txt",
                             "top/.hidden.torvane", "top/sub/c.torvane", "top/sub/deeper/d.Torvane",
                             "top/folder.torvane/e.torvane", "top/.git/f.torvane", "loose.torvane"})
        WriteBytes(FDir.Path(file), profile);
    std::filesystem::create_symlink("sub/c.torvane", FDir.Path("top/link.torvane"));
    std::filesystem::create_symlink("nowhere.torvane", FDir.Path("top/dangling.torvane"));
    std::filesystem::create_symlink("..", FDir.Path("top/sub/loop"));
    std::filesystem::create_symlink("sub", FDir.Path("top/linked-sub"));
    std::filesystem::create_symlink("top", FDir.Path("top-link"));
    ASSERT_EQ(::mkfifo(FDir.Path("top/pipe.torvane").c_str(), 0600), 0);

    const std::vector<std::string> found = {
        "/A.TORVANE.bak", "/b.torvane",     "/folder.torvane/e.torvane",
        "/link.torvane",  "/sub/c.torvane", "/sub/deeper/d.Torvane"};
    for (const std::string& arg : {top, top + "/", FDir.Path("top-link")}) {
        SCOPED_TRACE(arg);
        const TRun run = Run({"--format=tsv", "--no-header", FDir.Path("loose.torvane"), arg});
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Err, "");
        std::vector<std::string> expected = {FDir.Path("loose.torvane")};
        const std::string base = arg.back() == '/' ? arg.substr(0, arg.size() - 1) : arg;
        for (const std::string& f : found)
            expected.push_back(base + f);
        EXPECT_EQ(FileColumn(run.Out), expected);
    }

    // A folder without profiles is mentioned, but nothing failed.
    const TRun empty = Run({"--format=json", FDir.Path("top/empty")});
    EXPECT_EQ(empty.Status, 0);
    EXPECT_EQ(empty.Out, "[]\n");
    EXPECT_EQ(empty.Err, "torvane-report: no profile files (*.torvane*) in \"" +
                             FDir.Path("top/empty") + "\"\n");
}

// A folder the search cannot enter is reported with its reason; every other
// file is analysed and the run ends with status 1. Root enters any folder,
// so the test runs as an ordinary user only.
TEST_F(ReportAtScale, UnreadableFolderIsReportedAndTheRunGoesOn) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root enters any folder, so permission cannot be denied here";
    std::filesystem::create_directories(FDir.Path("top/locked/inner"));
    for (const char* file : {"top/a.torvane", "top/locked/b.torvane", "top/z.torvane"})
        WriteBytes(FDir.Path(file), SmallProfile(7));
    ASSERT_EQ(::chmod(FDir.Path("top/locked").c_str(), 0), 0);
    const TRun run = Run({"--format=tsv", "--no-header", FDir.Path("top")});
    ::chmod(FDir.Path("top/locked").c_str(), 0700);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "torvane-report: cannot read folder \"" + FDir.Path("top/locked") +
                           "\": Permission denied\n");
    const std::vector<std::string> rows = SplitOn(run.Out, '\n');
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].substr(0, rows[0].find('\t')), FDir.Path("top/a.torvane"));
    EXPECT_EQ(rows[1].substr(0, rows[1].find('\t')), FDir.Path("top/z.torvane"));
    EXPECT_EQ(rows[1].back(), '\t'); // no error of its own
}

// Many names in one folder, as a shell's glob gives them, are told apart from
// folders by the folder's listing where it settles them and by asking the file
// system where it does not: a folder or a link to one among them is searched,
// anything else is analysed as named, in the order given.
TEST_F(ReportAtScale, ManyNamesInOneFolderAmongFoldersAndOddEntries) {
    const std::string many = FDir.Path("many");
    std::filesystem::create_directories(many + "/sub.torvane");
    WriteBytes(many + "/sub.torvane/inner.torvane", SmallProfile(8));
    std::vector<std::string> files;
    for (int i = 0; i < 300; ++i) {
        files.push_back(many + "/m" + std::to_string(1000 + i) + ".torvane");
        WriteBytes(files.back(), SmallProfile(8));
    }
    std::filesystem::create_directory_symlink("sub.torvane", many + "/to-sub");
    std::filesystem::create_symlink("m1000.torvane", many + "/to-file.torvane");
    std::filesystem::create_symlink("nowhere", many + "/dangling.torvane");
    ASSERT_EQ(::mkfifo((many + "/pipe.torvane").c_str(), 0600), 0);

    // The odd names in the middle of the run of names in "many".
    const std::vector<std::string> odd = {many + "/sub.torvane",     many + "/to-sub",
                                          many + "/to-file.torvane", many + "/dangling.torvane",
                                          many + "/pipe.torvane",    many + "/missing.torvane",
                                          many + "/m1005.torvane"}; // given twice
    std::vector<std::string> names(files.begin(), files.begin() + 150);
    names.insert(names.end(), odd.begin(), odd.end());
    names.insert(names.end(), files.begin() + 150, files.end());
    std::string list;
    for (const std::string& name : names)
        list += name + "\n";
    WriteBytes(FDir.Path("list"), list);

    std::vector<std::string> expected;
    for (const std::string& name : names) {
        if (name == many + "/sub.torvane" || name == many + "/to-sub")
            expected.push_back(name + "/inner.torvane");
        else
            expected.push_back(name);
    }
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(jobs);
        const TRun run =
            Run({"--format=tsv", "--no-header", "--jobs", jobs, "--files-from", FDir.Path("list")});
        EXPECT_EQ(run.Status, 1); // the dangling link, the pipe and the missing name
        EXPECT_EQ(FileColumn(run.Out), expected);
        EXPECT_NE(run.Err.find("Cannot open \"" + many + "/pipe.torvane\""), std::string::npos);
        EXPECT_EQ(run.Err.find("cannot read folder"), std::string::npos) << run.Err;
    }
}

// A folder one may list but not enter: its listing shows a folder, but to the
// file system every name in it is a file that cannot be opened, as it was
// when each name was asked about. Root enters any folder, so the test runs as
// an ordinary user only.
TEST_F(ReportAtScale, NamesInAListableFolderThatCannotBeEntered) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root enters any folder, so permission cannot be denied here";
    const std::string locked = FDir.Path("locked");
    std::filesystem::create_directories(locked + "/sub");
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        names.push_back(locked + "/p" + std::to_string(i) + ".torvane");
        WriteBytes(names.back(), SmallProfile(9));
    }
    names.insert(names.begin() + 100, locked + "/sub");
    std::string list;
    for (const std::string& name : names)
        list += name + "\n";
    WriteBytes(FDir.Path("list"), list);
    ASSERT_EQ(::chmod(locked.c_str(), 0400), 0); // read, but no search
    const TRun run =
        Run({"--format=tsv", "--no-header", "--jobs", "2", "--files-from", FDir.Path("list")});
    ::chmod(locked.c_str(), 0700);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(FileColumn(run.Out), names);
    EXPECT_EQ(run.Err.find("cannot read folder"), std::string::npos);
    EXPECT_NE(run.Err.find("Cannot open \"" + locked + "/sub\""), std::string::npos);
}

// On a terminal, a run of more than 1,000 files draws one progress line on
// standard error, redrawn in place and cleared at the end; never in the
// output, never for shorter runs, never with --quiet.
TEST_F(ReportAtScale, ProgressLineOnlyOnATerminalForLongRuns) {
    const auto onTerminal = [&](const std::vector<std::string>& args) {
        // script gives the command a terminal and copies what reaches it.
        const std::string inner = Command(args) + " >" + Quoted(FDir.Path("report.tsv"));
        TRun run = RunBash("script -qec " + Quoted(inner) + " /dev/null >" +
                               Quoted(FDir.Path("stdout.txt")),
                           FDir.Path(""));
        run.Err = run.Out; // the terminal's text
        run.Out = Slurp(FDir.Path("report.tsv"));
        return run;
    };
    const TRun shown = onTerminal({"--format=tsv", "survey"});
    EXPECT_NE(shown.Err.find("\r1 of 2500 files, "), std::string::npos) << shown.Err;
    EXPECT_NE(shown.Err.find(" files/s, "), std::string::npos);
    EXPECT_NE(shown.Err.find(" left\x1b[K"), std::string::npos);
    EXPECT_EQ(shown.Out.find("files/s"), std::string::npos);
    EXPECT_EQ(SplitOn(shown.Out, '\n').size(), SurveyFiles + 1u);
    // Each error message stands on a line of its own, the line cleared first.
    EXPECT_NE(shown.Err.find("\r\x1b[Ktorvane-report: \"survey/"), std::string::npos);
    EXPECT_EQ(shown.Err.substr(shown.Err.size() - 4), "\r\x1b[K");

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--format=tsv", "--quiet", "survey"},
          std::vector<std::string>{"--format=tsv", "--shard", "3/3", "survey"}}) { // 833 files
        const TRun quiet = onTerminal(args);
        EXPECT_EQ(quiet.Err.find("files/s"), std::string::npos) << args[1];
        EXPECT_NE(quiet.Err.find("torvane-report: \"survey/"), std::string::npos);
    }
    // Not a terminal: no line.
    const TRun plain = Run({"--format=tsv", "survey"});
    EXPECT_EQ(plain.Err.find("files/s"), std::string::npos);
}
