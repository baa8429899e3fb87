// The analyzer run as a process on a virtual X display, ended by its Exit
// button and by a request to close, as a user or a session would.
#include "tests/analysis/ProfileFixture.h"
#include "tests/common/AnalyzerOnDisplay.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Starts the analyzer in a folder that is deleted first, where its file
// browser cannot be made; waits for a box of the bare application title, says
// whether the window came too, and presses Return in the box.
const char* const DeletedFolderScript = R"(
mkdir gone && cd gone && rmdir ../gone || exit 1
"$0" & pid=$!
box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Torvane analyzer$' | head -n 1)
if [ -z "$box" ]; then kill -KILL $pid; echo "no box"; exit 0; fi
echo "box shown"
xdotool search --onlyvisible --name 'ZELMAR Torvane analyzer' >/dev/null && echo "window shown"
xdotool key --window "$box" Return
for i in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then kill -KILL $pid; echo "still running"; exit 0; fi
wait $pid
echo "status=$?"
)";

QString RunUntil(const QString& action, const std::string& profile = {},
                 const char* script = display::WindowScript) {
    QTemporaryDir cwd;
    if (!profile.empty())
        std::ofstream(QDir(cwd.path()).filePath("p1.torvane").toStdString()) << profile;
    return display::Run(cwd.path(), script, action);
}

} // namespace

TEST(ExitStatus, ExitButtonEndsTheProgramWithZero) {
    // A click beside the buttons ends nothing; Button2 lies at (895, 24), 58 x 79.
    EXPECT_EQ(RunUntil("xdotool mousemove --window $win 600 500 click 1; sleep 0.5;"
                       "kill -0 $pid || echo 'ended early';"
                       "xdotool mousemove --window $win 924 63 click 1"),
              "status=0");
}

TEST(ExitStatus, ClosingTheWindowEndsTheProgramWithZero) {
    EXPECT_EQ(RunUntil("kill -TERM $pid"), "status=0");
}

namespace {

// A flat profile has no spread off the pulse: its analysis fails into a box.
std::string FlatProfile() {
    fixture::TProfileSpec flat;
    flat.Values = std::vector<std::string>(64, "10");
    return fixture::ProfileText(flat);
}

// Selects the profile, clicks Analyze and waits for the error box ($box).
const char* const OpenErrorBox = "xdotool mousemove --window $win 300 31 click 1; sleep 0.3;"
                                 "xdotool mousemove --window $win 505 172 click 1;"
                                 "box=$(timeout 10 xdotool search --sync --onlyvisible --name "
                                 "'^Torvane analyzer$' | head -n 1);"
                                 "[ -n \"$box\" ] && echo 'box shown';";

} // namespace

TEST(ExitStatus, AnErrorInAHandlerIsShownInABoxAndTheProgramGoesOn) {
    const QString result =
        RunUntil(QString(OpenErrorBox) + "xdotool key --window $box Return; sleep 0.5;"
                                         "kill -0 $pid && echo 'still running';"
                                         "xdotool mousemove --window $win 924 63 click 1",
                 FlatProfile());
    EXPECT_EQ(result, "box shown\nstill running\nstatus=0");
}

// A session that ends asks every program to terminate; an open box must not
// keep the analyzer waiting for an answer nobody will give.
TEST(ExitStatus, ARequestToCloseEndsTheProgramEvenWithAnErrorBoxOpen) {
    EXPECT_EQ(RunUntil(QString(OpenErrorBox) + "kill -TERM $pid", FlatProfile()),
              "box shown\nstatus=0");
}

TEST(ExitStatus, AnErrorWhileTheWindowIsCreatedIsShownInABoxAndTheProgramEndsWithZero) {
    // The file browser starts in the current folder, which no longer exists.
    EXPECT_EQ(RunUntil({}, {}, DeletedFolderScript), "box shown\nstatus=0");
}
