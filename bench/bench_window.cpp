// The window's speed: the whole analysis command in a shown window with every
// repaint it causes, one full paint of Chart1, loading a file list of 10,000
// matches among 100,000 files, and start-up of the real program to its first
// painted window.

#include "app/Unit2.h"
#include "chart/PlotChart.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/FileListBox.h"
#include "toolkit/Fonts.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with the object.
class TTempFolder {
public:
    TTempFolder() {
        std::string pattern = (fs::temp_directory_path() / "torvane-benchwin-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        FPath = pattern;
    }
    ~TTempFolder() {
        std::error_code ignored;
        fs::remove_all(FPath, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const fs::path& Path() const { return FPath; }
    QString QPath() const { return QString::fromStdString(FPath.string()); }

private:
    fs::path FPath;
};

// The file lists move the process's current directory; it is put back before
// a temporary folder goes.
class TKeepCurrentDirectory {
public:
    ~TKeepCurrentDirectory() { fs::current_path(FPath); }

private:
    fs::path FPath = fs::current_path();
};

// Counts the paint events Qt delivers to a widget, to prove that a timed
// region really reached the screen.
class TPaintEventCounter : public QObject {
public:
    explicit TPaintEventCounter(QWidget* widget) : QObject(widget) {
        widget->installEventFilter(this);
    }
    int Count() const { return FCount; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++FCount;
        return false;
    }

private:
    int FCount = 0;
};

// The shipped 1000-bin example.
const fs::path ProfileSource = fs::path(TORVANE_SOURCE_DIR) / "examples" / "B0531+21.torvane";

// The window as the user has it just before clicking Analyze: shown, on a
// folder holding the 1000-bin profile, the file selected.
// The analysed state: Chart1 holds the MoveTo at (0, 0), one DrawTo for each
// of the 500 even positions of the 1000 bins and the three reference Lines:
// 1 + 500 + 3 = 504 items.
constexpr int Chart1Items = 504;

class TReadyWindow {
public:
    TReadyWindow() {
        fs::copy_file(ProfileSource, Dir.Path() / ProfileSource.filename());
        Form.DirectoryListBox1->SetDirectory(Dir.QPath());
        Form.show();
        Chart1Paints = new TPaintEventCounter(&Chart1());
        // The first exposure paints everything once; the timed regions start idle.
        for (int i = 0; i < 100 && Chart1Paints->Count() == 0; ++i)
            QApplication::processEvents();
        Form.FileListBox1->setCurrentRow(0);
        QApplication::processEvents();
    }

    TPlotChart& Chart1() const { return *Form.Control<TPlotChart>("Chart1"); }

    // A click on Analyze, and the event loop's turn after it, in which Qt paints
    // what the command invalidated, as the running program does.
    void ClickAnalyze() {
        Form.Button1->click();
        QApplication::processEvents();
    }

    // One analysis, then whether Chart1 is in the analysed state.
    bool AnalyseToChart1Items() {
        ClickAnalyze();
        return Chart1().NumItems() == Chart1Items;
    }

    TTempFolder Dir;
    TKeepCurrentDirectory KeepCurrentDirectory;
    TForm2 Form;
    TPaintEventCounter* Chart1Paints = nullptr; // owned by the chart
};

void BM_Button1Click(benchmark::State& state) {
    TReadyWindow window;
    if (!window.Form.Button1->isEnabled())
        return state.SkipWithError("selecting the profile did not enable Analyze");
    // Each analysis paints Chart1 in full on every caption and range change.
    const int composedBefore = window.Chart1().PaintCount();
    window.ClickAnalyze();
    const int composedPerClick = window.Chart1().PaintCount() - composedBefore;
    if (composedPerClick < 5)
        return state.SkipWithError("an analysis did not repaint Chart1 on each change");

    const int composedStart = window.Chart1().PaintCount();
    const int paintEventsStart = window.Chart1Paints->Count();
    for (auto _ : state)
        window.ClickAnalyze();

    const auto clicks = static_cast<int>(state.iterations());
    if (window.Chart1().PaintCount() - composedStart != clicks * composedPerClick)
        state.SkipWithError("Chart1 was not composed as often as the analyses require");
    if (window.Chart1Paints->Count() - paintEventsStart < clicks)
        state.SkipWithError("Chart1's picture did not reach the window after every analysis");
    state.counters["chart1_composed_per_click"] = composedPerClick;
}
BENCHMARK(BM_Button1Click)->Unit(benchmark::kMillisecond);

// Paint itself: chart bitmap, axes, plot area and the whole drawing list
// composed off-screen, then the surface copy requested from Qt.
void BM_Chart1Paint(benchmark::State& state) {
    TReadyWindow window;
    if (!window.AnalyseToChart1Items())
        return state.SkipWithError("the analysis did not leave 504 items in Chart1");
    TPlotChart& chart = window.Chart1();
    const int composedStart = chart.PaintCount();
    for (auto _ : state)
        chart.Paint();
    if (chart.PaintCount() - composedStart != static_cast<int>(state.iterations()))
        state.SkipWithError("Paint did not compose a picture every time");
}
BENCHMARK(BM_Chart1Paint)->Unit(benchmark::kMicrosecond);

// The same picture when Qt asks for it (window uncovered): composed and
// copied onto the window's surface at once, overlapping ListBox5 included.
void BM_Chart1Repaint(benchmark::State& state) {
    TReadyWindow window;
    if (!window.AnalyseToChart1Items())
        return state.SkipWithError("the analysis did not leave 504 items in Chart1");
    TPlotChart& chart = window.Chart1();
    const int composedStart = chart.PaintCount();
    const int paintEventsStart = window.Chart1Paints->Count();
    for (auto _ : state)
        chart.repaint();
    const auto paints = static_cast<int>(state.iterations());
    if (chart.PaintCount() - composedStart != paints ||
        window.Chart1Paints->Count() - paintEventsStart != paints)
        state.SkipWithError("repaint did not compose and paint Chart1 every time");
}
BENCHMARK(BM_Chart1Repaint)->Unit(benchmark::kMicrosecond);

// 100,000 empty files, 10,000 of them matching "*.torvane*", made once per
// program run and removed at its end.
constexpr int LargeFolderFiles = 100000;
constexpr int LargeFolderMatches = 10000;

const TTempFolder& LargeFolder() {
    static const std::unique_ptr<TTempFolder> folder = [] {
        auto made = std::make_unique<TTempFolder>();
        char name[32];
        for (int i = 0; i < LargeFolderFiles; ++i) {
            // Every tenth name matches; the others are the data files beside them.
            if (i % (LargeFolderFiles / LargeFolderMatches) == 0)
                std::snprintf(name, sizeof name, "J%06d.torvane", i);
            else
                std::snprintf(name, sizeof name, "J%06d.dat", i);
            const int fd = ::open((made->Path() / name).c_str(), O_CREAT | O_WRONLY, 0644);
            if (fd < 0)
                std::abort();
            ::close(fd);
        }
        return made;
    }();
    return *folder;
}

// The file list entering the folder (as after a double click in the directory
// list), and the event loop's turn that shows it: the window is blocked only
// for this long.
void BM_FileListLoad(benchmark::State& state) {
    const TTempFolder& folder = LargeFolder();
    TReadyWindow window;
    TFileListBox& list = *window.Form.FileListBox1;
    for (auto _ : state) {
        list.SetDirectory(folder.QPath());
        QApplication::processEvents();
    }
    if (list.count() != LargeFolderMatches)
        state.SkipWithError("the file list does not hold the 10,000 matches");
}
BENCHMARK(BM_FileListLoad)->Unit(benchmark::kMillisecond);

// What a double click on the folder in the directory list does: the tree is
// rebuilt from the folder's subdirectories, then the file list loads.
void BM_DirectoryChangeIntoLargeFolder(benchmark::State& state) {
    const TTempFolder& folder = LargeFolder();
    TReadyWindow window;
    for (auto _ : state) {
        window.Form.DirectoryListBox1->SetDirectory(folder.QPath());
        QApplication::processEvents();
    }
    if (window.Form.FileListBox1->count() != LargeFolderMatches)
        state.SkipWithError("the file list does not hold the 10,000 matches");
}
BENCHMARK(BM_DirectoryChangeIntoLargeFolder)->Unit(benchmark::kMillisecond);

// With the 10,000 entries loaded, a selection far down the list (the arrow
// keys or a click after scrolling) and its repaint: the list stays usable.
void BM_FileListSelectInLargeList(benchmark::State& state) {
    const TTempFolder& folder = LargeFolder();
    TReadyWindow window;
    TFileListBox& list = *window.Form.FileListBox1;
    list.SetDirectory(folder.QPath());
    QApplication::processEvents();
    int row = 0;
    for (auto _ : state) {
        row = row == LargeFolderMatches - 1 ? 0 : LargeFolderMatches - 1;
        list.setCurrentRow(row);
        QApplication::processEvents();
    }
    if (list.FileName() != list.item(row)->text())
        state.SkipWithError("the selection did not reach the file name");
}
BENCHMARK(BM_FileListSelectInLargeList)->Unit(benchmark::kMicrosecond);

// Start-up of the real program, from the launch to the first flush of the
// painted form to the screen. Qt's own painting diagnostics announce each
// flush on stderr, so the program needs no hook of its own; the program is
// then asked to terminate, which closes the window.
double SecondsToFirstPaintedWindow(const fs::path& folder) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return -1;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        ::dup2(pipeFds[1], STDERR_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        const int devNull = ::open("/dev/null", O_WRONLY);
        ::dup2(devNull, STDOUT_FILENO);
        if (::chdir(folder.c_str()) != 0)
            ::_exit(127);
        ::setenv("QT_LOGGING_RULES", "qt.widgets.painting.info=true", 1);
        ::execl(TORVANE_ANALYZER_EXE, TORVANE_ANALYZER_EXE, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    // A program that never paints, or never ends, fails the run instead of
    // hanging it.
    const auto deadline = start + std::chrono::seconds(20);
    const auto readSome = [&](std::string& into) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{pipeFds[0], POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char buffer[4096];
        const ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer);
        if (got <= 0)
            return false;
        into.append(buffer, static_cast<std::size_t>(got));
        return true;
    };
    double seconds = -1;
    std::string diagnostics;
    std::size_t lineStart = 0;
    while (seconds < 0 && readSome(diagnostics)) {
        for (std::size_t end; (end = diagnostics.find('\n', lineStart)) != std::string::npos;
             lineStart = end + 1) {
            const std::string_view line(diagnostics.data() + lineStart, end - lineStart);
            if (line.find("Flushing QRegion(") != std::string_view::npos &&
                line.find(" of TForm2(") != std::string_view::npos) {
                seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                break;
            }
        }
    }
    ::kill(pid, SIGTERM);
    // Drain what the closing program still writes so it never blocks on the pipe.
    std::string rest;
    while (readSome(rest))
        rest.clear();
    ::close(pipeFds[0]);
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    return seconds;
}

void BM_StartUpToFirstPaint(benchmark::State& state) {
    TTempFolder folder;
    fs::copy_file(ProfileSource, folder.Path() / ProfileSource.filename());
    for (auto _ : state) {
        const double seconds = SecondsToFirstPaintedWindow(folder.Path());
        if (seconds < 0)
            return state.SkipWithError("the program ended without painting its window");
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The child programs of the start-up benchmark inherit the platform too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    RegisterWindowFonts();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
