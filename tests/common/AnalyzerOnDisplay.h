#pragma once

// The real analyzer run as a process on a virtual X display (xvfb-run),
// driven from a shell script with xdotool as a user or a session would.

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace display {

inline const char* const Analyzer = TORVANE_BINARY_DIR "/app/torvane-analyzer";

// Starts the analyzer ($0) with the arguments after the action ($1), waits
// for its window, then evaluates the action with $win the window and $pid the
// process; prints the exit status.
inline const char* const WindowScript = R"(
exe=$0; action=$1; shift
"$exe" "$@" & pid=$!
win=$(timeout 30 xdotool search --sync --onlyvisible --name 'ZELMAR Torvane analyzer' | head -n 1)
if [ -z "$win" ]; then kill -KILL $pid; echo "no window"; exit 0; fi
eval "$action"
for i in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then kill -KILL $pid; echo "still running"; exit 0; fi
wait $pid
echo "status=$?"
)";

// Runs `script` in `cwd` on a fresh virtual display, the analyzer as $0,
// `action` as $1 and `arguments` after it; returns what the script printed,
// or "no TOOL" when one of `tools` is missing.
inline QString Run(const QString& cwd, const char* script, const QString& action,
                   const QStringList& arguments = {},
                   const QStringList& tools = {"xvfb-run", "xdotool"}) {
    for (const QString& tool : tools)
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return QStringLiteral("no %1").arg(tool);
    QProcess run;
    run.setWorkingDirectory(cwd);
    // The tests themselves run offscreen; the analyzer must show on the display.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    run.setProcessEnvironment(environment);
    run.start("xvfb-run", QStringList{"-a", "-s", "-screen 0 1280x800x24", "sh", "-c", script,
                                      Analyzer, action} +
                              arguments);
    if (!run.waitForFinished(90000))
        run.kill();
    return QString::fromUtf8(run.readAllStandardOutput()).trimmed();
}

} // namespace display
