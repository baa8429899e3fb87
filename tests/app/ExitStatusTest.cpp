// The analyzer run as a process on a virtual X display, ended by its Exit
// button and by a request to close, as a user or a session would.
#include "tests/analysis/ProfileFixture.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char* const Analyzer = TORVANE_BINARY_DIR "/app/torvane-analyzer";

// Starts the analyzer, waits for its window, then does `action` with $win
// the window and $pid the process; prints the exit status.
const char* const Script = R"(
"$0" & pid=$!
win=$(timeout 30 xdotool search --sync --onlyvisible --name 'ZELMAR Torvane analyzer' | head -n 1)
if [ -z "$win" ]; then kill -KILL $pid; echo "no window"; exit 0; fi
eval "$1"
for i in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then kill -KILL $pid; echo "still running"; exit 0; fi
wait $pid
echo "status=$?"
)";

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
                 const char* script = Script) {
    if (QStandardPaths::findExecutable("xvfb-run").isEmpty() ||
        QStandardPaths::findExecutable("xdotool").isEmpty())
        return "no xvfb-run or xdotool";
    QTemporaryDir cwd;
    if (!profile.empty())
        std::ofstream(QDir(cwd.path()).filePath("p1.torvane").toStdString()) << profile;
    QProcess run;
    run.setWorkingDirectory(cwd.path());
    // The tests themselves run offscreen; the analyzer must show on the display.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    run.setProcessEnvironment(environment);
    run.start("xvfb-run",
              {"-a", "-s", "-screen 0 1280x800x24", "sh", "-c", script, Analyzer, action});
    if (!run.waitForFinished(90000))
        run.kill();
    return QString::fromUtf8(run.readAllStandardOutput()).trimmed();
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

TEST(ExitStatus, AnErrorInAHandlerIsShownInABoxAndTheProgramGoesOn) {
    // A flat profile has no spread off the pulse: the analysis fails.
    fixture::TProfileSpec flat;
    flat.Values = std::vector<std::string>(64, "10");
    const QString result = RunUntil("xdotool mousemove --window $win 300 31 click 1; sleep 0.3;"
                                    "xdotool mousemove --window $win 505 172 click 1;"
                                    "box=$(timeout 10 xdotool search --sync --onlyvisible --name "
                                    "'^Torvane analyzer$' | head -n 1);"
                                    "[ -n \"$box\" ] && echo 'box shown';"
                                    "xdotool key --window $box Return; sleep 0.5;"
                                    "kill -0 $pid && echo 'still running';"
                                    "xdotool mousemove --window $win 924 63 click 1",
                                    fixture::ProfileText(flat));
    EXPECT_EQ(result, "box shown\nstill running\nstatus=0");
}

TEST(ExitStatus, AnErrorWhileTheWindowIsCreatedIsShownInABoxAndTheProgramEndsWithZero) {
    // The file browser starts in the current folder, which no longer exists.
    EXPECT_EQ(RunUntil({}, {}, DeletedFolderScript), "box shown\nstatus=0");
}
