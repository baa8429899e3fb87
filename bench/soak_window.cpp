// A long day in one window: the analyzer's own start-up, then many analyses
// in the same window, alternating a good profile, a bad one (its error box
// comes and is dismissed) and a change of folder, as a user clicks them. The
// resident memory is sampled after a warm-up and then every so many analyses;
// it must stay flat.
//
// Usage: soak_window [ANALYSES] [--warm-up N] [--max-growth-kb KB]
//   ANALYSES          analyses in all (default 10000), half good, half bad;
//   --warm-up N       analyses before the first sample (default 1000);
//   --max-growth-kb   fail when the memory after the warm-up grows by more.
// Prints the samples and the growth; exit status 0 when every analysis went
// as expected (and within the bound), 1 otherwise.
#include "app/Startup.h"
#include "app/Unit2.h"
#include "tests/common/WindowDriving.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FileListBox.h"
#include "toolkit/ListBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Two folders, each with a good profile and a bad one of its own kind.
struct TFolder {
    QString Path;
    QString Good;
    QString Bad;
};

struct TSoak {
    int Analyses = 10000;
    int WarmUp = 1000;
    long MaxGrowthKb = -1; // no bound
    std::vector<TFolder> Folders;
};

TSoak Soak;
QString Failure;
int AnalysesDone = 0;
long WarmRssKb = -1;
long PeakRssKb = 0;
long LastRssKb = 0;

enum TStep { stEnterFolder, stSelect, stAnalyze, stAfterAnalyze, stClose, stDone };
TStep Step = stEnterFolder;
TQueuedClick AnalyzeClick;
long Ticks = 0;

long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

void Fail(const QString& what) {
    if (Failure.isEmpty())
        Failure = QStringLiteral("analysis %1: %2").arg(AnalysesDone + 1).arg(what);
    Step = stClose;
}

const TFolder& CurrentFolder() {
    // A new folder every second analysis: good, bad, change, good, bad, ...
    return Soak.Folders[(AnalysesDone / 2) % Soak.Folders.size()];
}

bool ExpectError() {
    return AnalysesDone % 2 == 1;
}

QString CurrentFile() {
    return ExpectError() ? CurrentFolder().Bad : CurrentFolder().Good;
}

void SelectFile(TForm2& form) {
    const auto items = form.FileListBox1->findItems(CurrentFile(), Qt::MatchExactly);
    if (items.size() != 1)
        return Fail("the file list does not show " + CurrentFile());
    Click(form.FileListBox1->viewport(), form.FileListBox1->visualItemRect(items.front()).center());
    if (form.Edit1->text() != CurrentFile())
        Fail("the click did not name the file in Edit1");
}

void Sample() {
    LastRssKb = ResidentKb();
    PeakRssKb = std::max(PeakRssKb, LastRssKb);
    if (AnalysesDone == Soak.WarmUp)
        WarmRssKb = LastRssKb;
    const int every = std::max(1, Soak.Analyses / 10);
    if (AnalysesDone == Soak.WarmUp || AnalysesDone % every == 0 || AnalysesDone == Soak.Analyses)
        std::printf("after %6d analyses: %7ld kB resident\n", AnalysesDone, LastRssKb);
}

bool AnalysisFinished(TForm2& form) {
    if (!AnalyzeClick.Returned())
        return false;
    const QString& boxText = AnalyzeClick.ErrorBoxText();
    if (ExpectError() && boxText.isEmpty())
        Fail("the bad profile showed no error box");
    else if (!ExpectError() && !boxText.isEmpty())
        Fail("the good profile failed: " + boxText);
    else if (!ExpectError() && (form.ListBox1->count() == 0 || form.Edit2->text().isEmpty()))
        Fail("the analysis left the bin table or the pulsar name empty");
    return true;
}

void Tick() {
    ++Ticks;
    if (!Form2 || !Form2->isVisible()) {
        if (Step != stDone && Step != stEnterFolder)
            Fail("the window went away");
        return;
    }
    TForm2& form = *Form2;
    switch (Step) {
    case stEnterFolder:
        // What a double click on the folder's line in the directory list does.
        form.DirectoryListBox1->SetDirectory(CurrentFolder().Path);
        Step = stSelect;
        break;
    case stSelect:
        Step = stAnalyze;
        SelectFile(form);
        break;
    case stAnalyze:
        Step = stAfterAnalyze;
        AnalyzeClick.Start(form.Button1);
        break;
    case stAfterAnalyze:
        if (!AnalysisFinished(form) || Step != stAfterAnalyze)
            break;
        ++AnalysesDone;
        Sample();
        if (AnalysesDone >= Soak.Analyses)
            Step = stClose;
        else
            Step = AnalysesDone % 2 == 0 ? stEnterFolder : stSelect;
        break;
    case stClose:
        Step = stDone;
        form.close();
        break;
    case stDone:
        break;
    }
}

void StartSoak() {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, Tick);
    timer->start(0);
}

bool Copy(const QString& from, const QString& to) {
    QFile::remove(to);
    return QFile::copy(from, to);
}

bool WriteText(const QString& to, const QByteArray& text) {
    QFile target(to);
    return target.open(QIODevice::WriteOnly) && target.write(text) == text.size();
}

bool MakeFolders(const QTemporaryDir& root) {
    const QString examples = QStringLiteral(TORVANE_SOURCE_DIR "/examples/");
    const QString a = root.filePath(QStringLiteral("a"));
    const QString b = root.filePath(QStringLiteral("b"));
    if (!QDir().mkpath(a) || !QDir().mkpath(b))
        return false;
    Soak.Folders = {
        {a, QStringLiteral("B0531+21.torvane"), QStringLiteral("flat.torvane")},
        {b, QStringLiteral("J0437-4715.torvane"), QStringLiteral("notes.torvane")},
    };
    return Copy(examples + "B0531+21.torvane", a + "/B0531+21.torvane") &&
           WriteFlatProfile(examples + "B0531+21.torvane", a + "/flat.torvane") &&
           Copy(examples + "J0437-4715.torvane", b + "/J0437-4715.torvane") &&
           WriteText(b + "/notes.torvane", "not a profile\n");
}

bool ParseArguments(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        char* end = nullptr;
        if ((arg == "--warm-up" || arg == "--max-growth-kb") && i + 1 < argc) {
            const long value = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || value < 0 || value > 10'000'000)
                return false;
            if (arg == "--warm-up")
                Soak.WarmUp = static_cast<int>(value);
            else
                Soak.MaxGrowthKb = value;
        } else {
            const long value = std::strtol(arg.c_str(), &end, 10);
            if (arg.empty() || *end != '\0' || value <= 0 || value > 10'000'000)
                return false;
            Soak.Analyses = static_cast<int>(value);
        }
    }
    return Soak.WarmUp < Soak.Analyses;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each sample as it is taken
    if (!ParseArguments(argc, argv)) {
        std::fprintf(stderr, "usage: soak_window [ANALYSES] [--warm-up N] [--max-growth-kb KB]\n"
                             "       (the warm-up shorter than the whole run)\n");
        return 2;
    }
    QTemporaryDir root;
    if (!root.isValid() || !MakeFolders(root)) {
        std::fprintf(stderr, "soak_window: cannot lay out the folders\n");
        return 2;
    }

    qAddPreRoutine(StartSoak);
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    const int status = RunAnalyzer(qtArgc, qtArgv);

    if (status != 0 || Step != stDone)
        Fail(QStringLiteral("the analyzer ended early (status %1)").arg(status));
    if (!Failure.isEmpty()) {
        std::fprintf(stderr, "soak_window: %s\n", Failure.toLocal8Bit().constData());
        return 1;
    }
    const long growth = LastRssKb - WarmRssKb;
    std::printf("%d analyses, %d folder changes: %ld kB after the warm-up of %d, %ld kB at the "
                "end, %+ld kB (peak %ld kB)\n",
                AnalysesDone, AnalysesDone / 2, WarmRssKb, Soak.WarmUp, LastRssKb, growth,
                PeakRssKb);
    if (Soak.MaxGrowthKb >= 0 && growth > Soak.MaxGrowthKb) {
        std::fprintf(stderr, "soak_window: memory grew by %ld kB, more than %ld kB\n", growth,
                     Soak.MaxGrowthKb);
        return 1;
    }
    return 0;
}
