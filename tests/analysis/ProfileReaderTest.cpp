#include "analysis/ProfileReader.h"
#include "analysis/ProfileStream.h"

#include "base/Exception.h"
#include "tests/analysis/ProfileFixture.h"

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using fixture::BinLine;
using fixture::HeaderLine;
using fixture::TProfileSpec;
using fixture::TTempDir;

namespace {

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

TProfileData Read(const std::string& path) {
    TProfileData data;
    ReadProfile(path, data);
    return data;
}

// A file holding exactly these header lines (padded to 26 with comments),
// the anchor, a separator and these bin lines.
std::string FileWith(std::vector<std::string> header, const std::vector<std::string>& bins) {
    while (header.size() < 25)
        header.push_back(HeaderLine("# Comment", "x"));
    header.push_back(HeaderLine("# T_peri", "1.0"));
    header.push_back("#---");
    header.insert(header.end(), bins.begin(), bins.end());
    return Lines(header);
}

} // namespace

TEST(ProfileReader, ReadsTheSuiteLayout) {
    TTempDir dir;
    TProfileSpec spec;
    spec.Values = {"1.5", "-2.25", "3e2"};
    spec.FirstNumber = 1;
    spec.Avg = "12.5";
    spec.StdDev = "0.75";
    spec.InputFile = "J0437-4715_DM2.64.dat";
    const std::string text = fixture::ProfileText(spec);
    const std::string path = dir.Write("a.torvane", text);

    const TProfileData data = Read(path);
    EXPECT_EQ(data.Problem, TProfileFileProblem::None);
    EXPECT_EQ(data.FileName, path);
    EXPECT_EQ(data.ProfileBins, 3);
    EXPECT_EQ(data.ProfileAvg, 12.5f);
    EXPECT_EQ(data.ProfileStdDev, 0.75f);
    // Columns 22-41: the blank of column 22 and the first 19 characters.
    EXPECT_EQ(data.InputFileText, " J0437-4715_DM2.64.d");
    EXPECT_EQ(data.HeaderLines[0], HeaderLine("# Source", "test"));
    EXPECT_EQ(data.HeaderLines[25], HeaderLine("# T_peri", "58000.123456"));
    EXPECT_EQ(data.BinNumbers[0], 1);
    EXPECT_EQ(data.BinNumbers[2], 3);
    EXPECT_EQ(data.BinValues[0], 1.5f);
    EXPECT_EQ(data.BinValues[1], -2.25f);
    EXPECT_EQ(data.BinValues[2], 300.0f);
    EXPECT_EQ(data.FileSize, static_cast<std::int64_t>(text.size()));
    EXPECT_TRUE(data.LastWriteTime.Valid);
}

// Key recognition and the fixed value columns.
TEST(ProfileReader, HeaderKeysAndColumns) {
    struct Case {
        const char* what;
        std::string line;
        std::int32_t bins;
        float avg;
    };
    const std::vector<Case> cases = {
        {"bins from column 23", HeaderLine("# Profile Bins", "64"), 64, 0.0f},
        {"bins field is 22-31 only", "# Profile Bins     =  1234567890123", 123456789, 0.0f},
        {"key indented by two blanks", "  # Profile Avg    =  7.5", 0, 7.5f},
        {"key with a tab after it", "# Profile Avg\t     =  7.5", 0, 7.5f},
        {"keys are case-sensitive", HeaderLine("# profile avg", "7.5"), 0, 0.0f},
        {"avg field is 23-37 only", "# Profile Avg      =  123456789012345678", 0,
         123456789012345.0f},
        {"non-numeric value gives 0", HeaderLine("# Profile Avg", "abc"), 0, 0.0f},
        {"key beyond column 19 not seen", "                # Profile Avg  =  7.5", 0, 0.0f},
    };
    TTempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TProfileData data = Read(dir.Write("k.torvane", FileWith({c.line}, {})));
        EXPECT_EQ(data.ProfileBins, c.bins);
        EXPECT_EQ(data.ProfileAvg, c.avg);
    }
}

TEST(ProfileReader, OnlyTheFirst26LinesHoldKeysAndTheLastOccurrenceWins) {
    TTempDir dir;
    std::vector<std::string> lines = {HeaderLine("# Profile Avg", "1"),
                                      HeaderLine("# Profile Avg", "2")};
    while (lines.size() < 26)
        lines.push_back(HeaderLine("# Comment", "x"));
    lines.push_back(HeaderLine("# Profile StdDev", "5")); // line 27
    lines.push_back(HeaderLine("# T_peri", "1"));
    const TProfileData data = Read(dir.Write("k.torvane", Lines(lines)));
    EXPECT_EQ(data.ProfileAvg, 2.0f);
    EXPECT_EQ(data.ProfileStdDev, 0.0f);
    EXPECT_EQ(data.Problem, TProfileFileProblem::None);
}

// Bin number from columns 1-5, value from columns 5-34: column 5 is shared.
TEST(ProfileReader, BinLineColumns) {
    struct Case {
        std::string line;
        std::int32_t number;
        float value;
    };
    const std::vector<Case> cases = {
        {"  17  -3.25e+02", 17, -325.0f},
        {"12345 6.5", 12345, 5.0f},
        {"   3 ", 3, 0.0f},
        {"", 0, 0.0f},
        {"   4  1" + std::string(40, '0'), 4, 1e27f}, // value field cut at column 34
        {"  x1  abc", 0, 0.0f},
    };
    TTempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const TProfileData data =
            Read(dir.Write("b.torvane", FileWith({HeaderLine("# Profile Bins", "1")}, {c.line})));
        EXPECT_EQ(data.BinNumbers[0], c.number);
        EXPECT_EQ(data.BinValues[0], c.value);
    }
}

TEST(ProfileReader, LineLengthRules) {
    TTempDir dir;
    const std::string line99 = "#" + std::string(98, 'a');
    const std::string line120 = "#" + std::string(119, 'b');

    TProfileData data = Read(dir.Write("l.torvane", Lines({line99, "next", line120, "lost"})));
    EXPECT_EQ(data.HeaderLines[0], line99);
    EXPECT_EQ(data.HeaderLines[1], "next");
    EXPECT_EQ(data.HeaderLines[2], line120.substr(0, 99));
    EXPECT_EQ(data.HeaderLines[3], "");

    // CR LF ends a line like LF; a lone CR is text.
    data = Read(dir.Write("crlf.torvane", "one\r\ntwo\rx\r\n" + line99 + "\r\nlast"));
    EXPECT_EQ(data.HeaderLines[0], "one");
    EXPECT_EQ(data.HeaderLines[1], "two\rx");
    EXPECT_EQ(data.HeaderLines[2], line99);
    EXPECT_EQ(data.HeaderLines[3], "last"); // no line feed at the end
    EXPECT_EQ(data.HeaderLines[4], "");
}

// The reader takes a file in large reads; a line split between two reads,
// a CR LF split between them, or a header of 26 longest lines must read as
// if the file came in one piece.
TEST(ProfileReader, LinesAcrossReads) {
    TTempDir dir;
    std::vector<std::string> header;
    header.push_back(HeaderLine("# Profile Bins", "3") + std::string(76, ' ')); // 99 characters
    while (header.size() < 26)
        header.push_back("#" + std::string(98, 'h'));
    for (std::size_t shift = 0; shift < 4; ++shift) {
        SCOPED_TRACE(shift);
        std::string text;
        for (const std::string& line : header)
            text += line + "\r\n";
        // Filler beyond the largest single read, then the anchor and bins.
        text += std::string(shift, '#') + "\r\n";
        while (text.size() < 200'000)
            text += "# filler " + std::string(text.size() % 80, 'f') + "\r\n";
        text += HeaderLine("# T_peri", "1") + "\r\n#---\r\n";
        text += BinLine(0, "1.5") + "\r\n" + BinLine(1, "2.5") + "\r\n" + BinLine(2, "3.5");
        const TProfileData data = Read(dir.Write("r.torvane", text));
        EXPECT_EQ(data.HeaderLines[0], header[0]);
        EXPECT_EQ(data.HeaderLines[25], header[25]);
        EXPECT_EQ(data.Problem, TProfileFileProblem::None);
        EXPECT_EQ(data.ProfileBins, 3);
        EXPECT_EQ(data.BinValues[0], 1.5f);
        EXPECT_EQ(data.BinNumbers[2], 2);
        EXPECT_EQ(data.BinValues[2], 3.5f);
        EXPECT_EQ(data.FileSize, static_cast<std::int64_t>(text.size()));
    }
}

TEST(ProfileReader, CrLfFileReadsLikeLfFile) {
    TTempDir dir;
    TProfileSpec spec;
    spec.Values = {"1", "2.5"};
    spec.Avg = "1.25";
    const TProfileData lf = Read(dir.Write("lf.torvane", fixture::ProfileText(spec)));
    spec.LineEnd = "\r\n";
    const TProfileData crlf = Read(dir.Write("crlf.torvane", fixture::ProfileText(spec)));
    EXPECT_EQ(crlf.HeaderLines, lf.HeaderLines);
    EXPECT_EQ(crlf.ProfileAvg, 1.25f);
    EXPECT_EQ(crlf.BinValues, lf.BinValues);
    EXPECT_EQ(crlf.BinNumbers, lf.BinNumbers);
}

TEST(ProfileReader, AnchorOnTheFirstLine) {
    TTempDir dir;
    // Line 2 is skipped by the bin pass but still a header line.
    const TProfileData data = Read(dir.Write(
        "a.torvane", Lines({HeaderLine("# T_peri", "1"), HeaderLine("# Profile Bins", "2"),
                            BinLine(0, "1.5"), BinLine(1, "2.5")})));
    EXPECT_EQ(data.Problem, TProfileFileProblem::None);
    EXPECT_EQ(data.ProfileBins, 2);
    EXPECT_EQ(data.BinValues[0], 1.5f);
    EXPECT_EQ(data.BinValues[1], 2.5f);
    EXPECT_EQ(data.HeaderLines[4], "");
}

TEST(ProfileReader, ShortFileGivesEmptyLinesAndZeroBins) {
    TTempDir dir;
    const TProfileData data =
        Read(dir.Write("s.torvane", FileWith({HeaderLine("# Profile Bins", "4")},
                                             {BinLine(0, "7"), BinLine(1, "8")})));
    EXPECT_EQ(data.ProfileBins, 4);
    EXPECT_EQ(data.BinValues[1], 8.0f);
    EXPECT_EQ(data.BinNumbers[2], 0);
    EXPECT_EQ(data.BinValues[2], 0.0f);
    EXPECT_EQ(data.BinValues[3], 0.0f);

    const TProfileData tiny = Read(dir.Write("t.torvane", "only\n"));
    EXPECT_EQ(tiny.HeaderLines[0], "only");
    EXPECT_EQ(tiny.HeaderLines[25], "");
}

// Each analysis starts afresh: nothing of an earlier file survives.
TEST(ProfileReader, StartsFromAFreshRecord) {
    TTempDir dir;
    TProfileSpec first;
    first.Values = {"9", "9", "9", "9"};
    first.Avg = "5";
    first.StdDev = "2";
    TProfileSpec second;
    second.Values = {"1", "2"};
    second.Avg = std::nullopt;
    second.StdDev = std::nullopt;
    second.InputFile = "nounderscore";

    TProfileData data;
    ReadProfile(dir.Write("1.torvane", fixture::ProfileText(first)), data);
    ReadProfile(dir.Write("2.torvane", fixture::ProfileText(second)), data);
    EXPECT_EQ(data.ProfileAvg, 0.0f);
    EXPECT_EQ(data.ProfileStdDev, 0.0f);
    EXPECT_EQ(data.ProfileBins, 2);
    EXPECT_EQ(data.BinValues[2], 0.0f);
    EXPECT_EQ(data.BinValues[3], 0.0f);
    EXPECT_EQ(data.InputFileText, " nounderscore");

    // No bin-count key: N = 0, not the previous file's count.
    ReadProfile(dir.Write("3.torvane", Lines({HeaderLine("# T_peri", "1")})), data);
    EXPECT_EQ(data.ProfileBins, 0);
    EXPECT_EQ(data.BinValues[0], 0.0f);
}

TEST(ProfileReader, FileLevelProblems) {
    TTempDir dir;
    const std::string fifo = dir.Path("pipe.torvane");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::mkdir(dir.Path("folder.torvane").c_str(), 0700);

    struct Case {
        std::string path;
        TProfileFileProblem problem;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {dir.Path("missing.torvane"), TProfileFileProblem::CannotOpen, "No such file or directory"},
        {dir.Path("folder.torvane"), TProfileFileProblem::CannotOpen, "Is a directory"},
        // Never opened: opening a pipe for reading would wait for a writer.
        {fifo, TProfileFileProblem::CannotOpen, "Not a regular file"},
        {dir.Path("*.torvane*"), TProfileFileProblem::CannotOpen, "No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const TProfileData data = Read(c.path);
        EXPECT_EQ(data.Problem, c.problem);
        EXPECT_EQ(data.ProblemReason, c.reason);
        EXPECT_EQ(data.FileSize, 0);
        for (const std::string& line : data.HeaderLines)
            EXPECT_EQ(line, "");
    }
}

TEST(ProfileReader, UnreadableFileReportsPermission) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TTempDir dir;
    const std::string path = dir.Write("locked.torvane", "# Source\n");
    ::chmod(path.c_str(), 0);
    const TProfileData data = Read(path);
    EXPECT_EQ(data.Problem, TProfileFileProblem::CannotOpen);
    EXPECT_EQ(data.ProblemReason, "Permission denied");
    EXPECT_EQ(data.HeaderLines[0], "");
}

TEST(ProfileReader, NoAnchorReadsNoBins) {
    TTempDir dir;
    TProfileSpec spec;
    spec.Values = {"5", "6"};
    spec.Anchor = false;
    const std::string text = fixture::ProfileText(spec);
    const TProfileData data = Read(dir.Write("n.torvane", text));
    EXPECT_EQ(data.Problem, TProfileFileProblem::NoAnchor);
    EXPECT_EQ(data.BinValues[0], 0.0f);
    EXPECT_EQ(data.FileSize, static_cast<std::int64_t>(text.size()));
    EXPECT_EQ(data.HeaderLines[17], HeaderLine("# Profile Bins", "2"));
}

TEST(ProfileReader, MoreThanTheTableHoldsIsRefused) {
    TTempDir dir;
    TProfileSpec spec;
    spec.Values = fixture::Texts(std::vector<double>(1001, 3.0));
    const TProfileData refused = Read(dir.Write("big.torvane", fixture::ProfileText(spec)));
    EXPECT_EQ(refused.Problem, TProfileFileProblem::TooManyBins);
    EXPECT_EQ(refused.ProfileBins, 1001);
    EXPECT_EQ(refused.BinValues[0], 0.0f);
    EXPECT_EQ(refused.BinValues[999], 0.0f);

    spec.Values.pop_back();
    const TProfileData full = Read(dir.Write("full.torvane", fixture::ProfileText(spec)));
    EXPECT_EQ(full.Problem, TProfileFileProblem::None);
    EXPECT_EQ(full.BinValues[999], 3.0f);
    EXPECT_EQ(full.BinNumbers[999], 999);
}

TEST(ProfileReader, SizeBeyond32Bits) {
    TTempDir dir;
    TProfileSpec spec;
    spec.Values = {"1", "2"};
    const std::string path = dir.Write("huge.torvane", fixture::ProfileText(spec));
    constexpr std::int64_t size = 5'000'000'000LL; // sparse: costs no disk space
    if (::truncate(path.c_str(), size) != 0)
        GTEST_SKIP() << "no large sparse files here";
    const TProfileData data = Read(path);
    EXPECT_EQ(data.FileSize, size);
    EXPECT_EQ(data.BinValues[1], 2.0f);
}

TEST(ProfileReader, ValueBeyondFloatRangeOverflows) {
    TTempDir dir;
    TProfileSpec spec;
    spec.Values = {"1"};
    spec.Avg = "1e39";
    TProfileData data;
    EXPECT_THROW(ReadProfile(dir.Write("o.torvane", fixture::ProfileText(spec)), data), EOverflow);
    spec.Avg = "1";
    spec.Values = {"-4e38"};
    EXPECT_THROW(ReadProfile(dir.Write("o.torvane", fixture::ProfileText(spec)), data), EOverflow);
}

// The last-write time is taken in UTC whatever the local zone.
TEST(ProfileReader, LastWriteTimeInUtc) {
    TTempDir dir;
    const std::string path = dir.Write("t.torvane", "x\n");
    const timespec times[2] = {{1546300799, 0}, {1546300799, 0}}; // 2018-12-31 23:59:59 UTC
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    ::setenv("TZ", "Pacific/Kiritimati", 1); // UTC+14: already 2019 there
    ::tzset();
    const TFileTime t = Read(path).LastWriteTime;
    EXPECT_TRUE(t.Valid);
    EXPECT_EQ(t.Year, 2018);
    EXPECT_EQ(t.Month, 12);
    EXPECT_EQ(t.Day, 31);
    EXPECT_EQ(t.Hour, 23);
    EXPECT_EQ(t.Minute, 59);
    EXPECT_EQ(t.Second, 59);

    const TFileTime missing = Read(dir.Path("gone.torvane")).LastWriteTime;
    EXPECT_FALSE(missing.Valid);
    EXPECT_EQ(missing.Year, 0);
    EXPECT_EQ(missing.Second, 0);
}

// A later pass starts at the first byte again, whether the file is still in
// the buffer or had to be read in pieces (a file longer than the buffer, or
// one that grew beyond the size it had when its name was checked), and a
// line cut in one pass ends only that pass.
TEST(ProfileStream, RewindStartsEachPassAtTheFirstByte) {
    TTempDir dir;
    std::vector<std::string> lines;
    for (int i = 0; lines.size() < 1000; ++i)
        lines.push_back("line " + std::to_string(i) +
                        std::string(static_cast<std::size_t>(i % 60), 'x'));
    lines[500] = std::string(150, 'y'); // cut: the first pass ends here
    const std::string path = dir.Write("p.torvane", Lines(lines));
    const auto size = static_cast<std::int64_t>(Lines(lines).size());
    ASSERT_LT(size, static_cast<std::int64_t>(TProfileStream::MaxChunk));
    struct TCase {
        const char* Name;
        std::int64_t Expected;
        std::size_t ReadAhead;
    };
    for (const TCase& c : {TCase{"in one buffer", size, TProfileStream::MaxChunk},
                           TCase{"longer than the buffer", size, 4096},
                           TCase{"grown since checked", 0, TProfileStream::MaxChunk}}) {
        SCOPED_TRACE(c.Name);
        TProfileStream stream(path, c.Expected, c.ReadAhead);
        ASSERT_TRUE(stream.IsOpen());
        for (int pass = 0; pass < 3; ++pass) {
            SCOPED_TRACE(pass);
            std::size_t n = 0;
            for (; !stream.Exhausted() && n <= lines.size(); ++n) {
                const std::string_view line = stream.ReadLine();
                const std::string_view expected = std::string_view(lines[n]).substr(0, 99);
                ASSERT_EQ(line, expected);
            }
            EXPECT_EQ(n, 501u);
            EXPECT_EQ(stream.ReadLine(), "");
            stream.Rewind();
        }
    }
}
