// torvane-report as a process on what real directories hold besides profiles:
// each ends in its own message and exit status 1, with nothing written beside
// the input; a 10 s timeout turns a hang into a failure.

#include "tests/analysis/ProfileFixture.h"
#include "tests/tools/ProcessRun.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using fixture::TProfileSpec;
using fixture::TTempDir;

namespace {

std::set<std::string> Listing(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

std::string NoAnchor(const std::string& name) {
    return "\"" + name + "\" has no \"# T_peri\" line: not a profile file";
}

std::string CannotOpen(const std::string& name, const std::string& reason) {
    return "Cannot open \"" + name + "\": " + reason;
}

class BadInput : public testing::Test {
protected:
    void SetUp() override {
        FOldDir = std::filesystem::current_path();
        std::filesystem::current_path(FInputs.Path(""));
    }
    void TearDown() override { std::filesystem::current_path(FOldDir); }

    // Runs the tool on one name in the input folder. The time limit turns a
    // tool that blocks (on a pipe, say) into a failure instead of a hang.
    TRun Run(const std::vector<std::string>& args) {
        std::string command = "LC_ALL=C timeout -k 1 10 " + Quoted(TORVANE_REPORT_EXE);
        for (const std::string& arg : args)
            command += " " + Quoted(arg);
        const std::string out = FOutputs.Path("stdout.txt");
        const std::string err = FOutputs.Path("stderr.txt");
        command += " >" + Quoted(out) + " 2>" + Quoted(err) + " </dev/null";
        const int status = std::system(command.c_str());
        TRun run;
        run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = Slurp(out);
        run.Err = Slurp(err);
        return run;
    }

    TTempDir FInputs;
    TTempDir FOutputs;
    std::filesystem::path FOldDir;
};

struct TBadCase {
    const char* What;
    std::string Name;
    std::function<void(const std::string& path)> Make;
    std::string Message;
};

using fixture::Garbage;
using fixture::WriteBytes;

} // namespace

TEST_F(BadInput, EachEndsInItsMessageWritingNothing) {
    const std::string badUtf8Name = "bad\xff\xfe-\xc3(.torvane";
    const std::vector<TBadCase> cases = {
        {"empty file", "empty.torvane", [](const std::string& p) { WriteBytes(p, ""); },
         NoAnchor("empty.torvane")},
        {"binary garbage", "garbage.torvane",
         [](const std::string& p) { WriteBytes(p, Garbage()); }, NoAnchor("garbage.torvane")},
        {"50 MB without a line feed", "oneline.torvane",
         [](const std::string& p) { WriteBytes(p, std::string(50u << 20, 'x')); },
         NoAnchor("oneline.torvane")},
        {"2,000,000 lines without the anchor", "lines.torvane",
         [](const std::string& p) {
             std::string text;
             text.reserve(2'000'000 * 6);
             for (int i = 0; i < 2'000'000; ++i)
                 text += "# 1 \n";
             WriteBytes(p, text);
         },
         NoAnchor("lines.torvane")},
        {"a named pipe without a writer", "pipe.torvane",
         [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
         CannotOpen("pipe.torvane", "Not a regular file")},
        {"a missing file", "missing.torvane", [](const std::string&) {},
         CannotOpen("missing.torvane", "No such file or directory")},
        {"a missing file with a name that is not UTF-8", badUtf8Name, [](const std::string&) {},
         CannotOpen(badUtf8Name, "No such file or directory")},
        {"lines that are not UTF-8 and no anchor", "latin1.torvane",
         [](const std::string& p) { WriteBytes(p, "# Source = \xe9\xff\xfe\n\x80\x81\n"); },
         NoAnchor("latin1.torvane")},
        {"a header value beyond the float range", "overflow.torvane",
         [](const std::string& p) {
             TProfileSpec spec;
             spec.Values = {"1", "2", "3", "9", "3", "2", "1", "1"};
             spec.Avg = "1e400";
             WriteBytes(p, fixture::ProfileText(spec));
         },
         "Floating point overflow"},
    };
    for (const TBadCase& c : cases) {
        SCOPED_TRACE(c.What);
        c.Make(FInputs.Path(c.Name));
        const std::set<std::string> before = Listing(FInputs.Path(""));
        const TRun run = Run({c.Name});
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err, "torvane-report: " + c.Message + "\n");
        EXPECT_NE(run.Out.find("Error: " + c.Message), std::string::npos) << run.Out;
        EXPECT_EQ(Listing(FInputs.Path("")), before);
    }
}

TEST_F(BadInput, UnreadableFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads any file, so permission cannot be denied here";
    TProfileSpec spec;
    spec.Values = {"1", "2", "3"};
    FInputs.Write("locked.torvane", fixture::ProfileText(spec));
    ASSERT_EQ(::chmod(FInputs.Path("locked.torvane").c_str(), 0), 0);
    const TRun run = Run({"locked.torvane"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err,
              "torvane-report: " + CannotOpen("locked.torvane", "Permission denied") + "\n");
}

// A real profile whose name and lines are not UTF-8 is analysed like any
// other, and the JSON output stays valid.
TEST_F(BadInput, ProfileWithBytesThatAreNotUtf8) {
    const std::string text = fixture::NotUtf8ProfileText();
    const std::string name = "pulsar-\xe9\xff.torvane";
    FInputs.Write(name, text);

    const TRun plain = Run({name});
    EXPECT_EQ(plain.Status, 0) << plain.Err;
    EXPECT_EQ(plain.Err, "");
    EXPECT_NE(plain.Out.find("Max bin value: 50"), std::string::npos) << plain.Out;

    const TRun json = Run({"--format", "json", name});
    EXPECT_EQ(json.Status, 0) << json.Err;
    const nlohmann::json parsed = nlohmann::json::parse(json.Out, nullptr, false);
    ASSERT_FALSE(parsed.is_discarded()) << json.Out;
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_TRUE(parsed[0]["error"].is_null());
}
