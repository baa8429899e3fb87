// The analyzer started as a desktop or a terminal starts it: help and version
// answered without any display, a command line it refuses, and on a virtual
// X display a profile named at start that is analysed, a folder that is
// opened, and a path that cannot be opened, told in a box while the window
// stays.
#include "tests/analysis/ProfileFixture.h"
#include "tests/common/AnalyzerOnDisplay.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct TRun {
    int Status = -1;
    QString Out, Err;
};

// Runs the analyzer with neither a display nor a platform given.
TRun RunWithoutDisplay(const QStringList& arguments) {
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    run.setProcessEnvironment(environment);
    run.start(display::Analyzer, arguments);
    if (!run.waitForFinished(30000))
        run.kill();
    return {run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1,
            QString::fromLocal8Bit(run.readAllStandardOutput()),
            QString::fromLocal8Bit(run.readAllStandardError())};
}

TEST(AnalyzerStart, HelpAndVersionArePrintedWithoutADisplay) {
    for (const char* option : {"--help", "-h"}) {
        const TRun run = RunWithoutDisplay({option});
        EXPECT_EQ(run.Status, 0) << option << run.Err.toStdString();
        EXPECT_TRUE(run.Out.startsWith("Usage: torvane-analyzer [OPTION] [PATH]\n")) << option;
        EXPECT_EQ(run.Err, "") << option;
    }
    for (const char* option : {"--version", "-v"}) {
        const TRun run = RunWithoutDisplay({option});
        EXPECT_EQ(run.Status, 0) << option << run.Err.toStdString();
        EXPECT_EQ(run.Out, "torvane-analyzer " TORVANE_VERSION "\n") << option;
    }
}

TEST(AnalyzerStart, ACommandLineItCannotParseEndsWithStatusOneAndNoWindow) {
    struct TCase {
        QStringList Arguments;
        const char* Reason;
    };
    // Qt's own options are taken first: "-platform" is no unknown option.
    const TCase cases[] = {
        {{"-platform", "offscreen", "--frobnicate"}, "Unknown option 'frobnicate'."},
        {{"-platform", "offscreen", "a.torvane", "b.torvane"}, "One path at most, 2 given"},
    };
    for (const TCase& c : cases) {
        const TRun run = RunWithoutDisplay(c.Arguments);
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Out, "");
        // Qt may warn first (no runtime folder, say).
        EXPECT_TRUE(run.Err.endsWith(QStringLiteral("torvane-analyzer: %1\nTry 'torvane-analyzer "
                                                    "--help' for more information.\n")
                                         .arg(QLatin1String(c.Reason))))
            << run.Err.toStdString();
    }
}

// Saves the window as NAME.png once the start-up work has had time to show.
QString Grab(const char* name) {
    return QStringLiteral("sleep 2; import -window $win %1.png;").arg(QLatin1String(name));
}
const char* const ExitButton = "xdotool mousemove --window $win 924 63 click 1";

QString RunOnDisplay(const QString& cwd, const QString& action, const QStringList& arguments) {
    return display::Run(cwd, display::WindowScript, action, arguments,
                        {"xvfb-run", "xdotool", "import"});
}

TEST(AnalyzerStart, AProfileNamedAtStartIsAnalysedAsAfterClickingItInItsFolder) {
    fixture::TTempDir dir;
    const QString cwd = QString::fromStdString(dir.Path(""));
    QDir(cwd).mkdir("data");
    for (const auto& [name, height] :
         {std::pair{"data/p1.torvane", 100}, {"data/p2.torvane", 300}}) {
        fixture::TProfileSpec spec;
        for (int i = 0; i < 64; ++i)
            spec.Values.push_back(std::to_string(i >= 30 && i < 34 ? height + i : 10 + i % 3));
        dir.Write(name, fixture::ProfileText(spec));
    }

    // Relative to the folder the program starts in.
    EXPECT_EQ(RunOnDisplay(cwd, Grab("named") + ExitButton, {"data/p2.torvane"}), "status=0");
    // The folder opened, then the second entry clicked and Analyze pressed.
    EXPECT_EQ(RunOnDisplay(cwd,
                           "sleep 1; xdotool mousemove --window $win 300 44 click 1; sleep 0.3;"
                           "xdotool mousemove --window $win 505 172 click 1;" +
                               Grab("clicked") + ExitButton,
                           {cwd + "/data"}),
              "status=0");
    EXPECT_EQ(RunOnDisplay(cwd, Grab("plain") + ExitButton, {}), "status=0");

    auto load = [&](const char* name) {
        return QImage(QDir(cwd).filePath(QLatin1String(name) + ".png"))
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage named = load("named"), clicked = load("clicked"), plain = load("plain");
    ASSERT_EQ(named.size(), QSize(978, 711));
    ASSERT_EQ(clicked.size(), named.size());
    ASSERT_EQ(plain.size(), named.size());
    const QRect fileList(247, 24, 515, 102);
    const QRect results(8, 199, 959, 504);
    EXPECT_TRUE(named.copy(fileList) == clicked.copy(fileList));
    EXPECT_TRUE(named.copy(results) == clicked.copy(results));
    // Without a path nothing is selected or analysed.
    EXPECT_FALSE(plain.copy(fileList) == named.copy(fileList));
    EXPECT_FALSE(plain.copy(results) == named.copy(results));
}

TEST(AnalyzerStart, APathThatCannotBeOpenedIsToldInABoxAndTheWindowStays) {
    fixture::TTempDir dir;
    const QString result =
        RunOnDisplay(QString::fromStdString(dir.Path("")),
                     "box=$(timeout 10 xdotool search --sync --onlyvisible --name "
                     "'^Torvane analyzer$' | head -n 1);"
                     "[ -n \"$box\" ] && echo 'box shown';"
                     "xdotool key --window $box Return; sleep 0.5;"
                     "kill -0 $pid && echo 'still running';"
                     "xdotool search --onlyvisible --name 'ZELMAR Torvane analyzer' >/dev/null &&"
                     " echo 'window shown';" +
                         QString::fromLatin1(ExitButton),
                     {"missing.torvane"});
    EXPECT_EQ(result, "box shown\nstill running\nwindow shown\nstatus=0");
}

} // namespace
