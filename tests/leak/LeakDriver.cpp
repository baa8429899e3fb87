// Runs the analyzer's own start-up, as main does, and plays one session in
// it: open a folder, click a profile in the file list, click Analyze twice
// (the second analysis replaces everything the first left), dismiss the
// error box each time one comes, close the window. The process then ends
// through the normal path, so LeakSanitizer's report at exit covers a whole
// session.
//
// Usage: leak_driver PROFILE [--flat | --plant-leak]
//   PROFILE       a profile file, analysed where it lies;
//   --flat        analyse instead a copy of PROFILE with flat bins, which
//                 fails with an error box;
//   --plant-leak  also leak one object from a handler of the Analyze click,
//                 to show that a leak of ours is reported.
// Exit status: 0 when the session went as expected, 1 otherwise (and
// LeakSanitizer's own status when it finds a leak).
#include "app/Startup.h"
#include "app/Unit2.h"
#include "tests/common/WindowDriving.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FileListBox.h"
#include "toolkit/ListBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct TSession {
    QString Directory;
    QString FileName;
    bool ExpectError = false;
    bool PlantLeak = false;
};

constexpr int Analyses = 2;
int AnalysesDone = 0;

TSession Session;
QString Failure; // the first check that failed
TQueuedClick AnalyzeClick;

enum TStep { stOpenFolder, stAnalyze, stAfterAnalyze, stClose, stDone };
TStep Step = stOpenFolder;
int Ticks = 0;

constexpr int TickMs = 20;
constexpr int GiveUpTicks = 30000 / TickMs;

void Fail(const QString& what) {
    if (Failure.isEmpty())
        Failure = what;
    Step = stClose;
}

// The fault the check exists to catch: an object that nothing owns, made
// by a handler while the message loop runs.
void PlantedLeak() {
    static_cast<void>(new QObject);
}

void OpenFolderAndSelect(TForm2& form) {
    if (Session.PlantLeak)
        QObject::connect(form.Button1, &QAbstractButton::clicked, PlantedLeak);
    // What a double click on the folder's line in the directory list does.
    form.DirectoryListBox1->SetDirectory(Session.Directory);
    const auto items = form.FileListBox1->findItems(Session.FileName, Qt::MatchExactly);
    if (items.size() != 1)
        return Fail("the file list does not show " + Session.FileName);
    const QRect row = form.FileListBox1->visualItemRect(items.front());
    Click(form.FileListBox1->viewport(), row.center());
}

void ClickAnalyze(TForm2& form) {
    if (!form.Button1->isEnabled() || form.Edit1->text() != Session.FileName)
        return Fail("selecting the file did not enable Analyze and name the file");
    AnalyzeClick.Start(form.Button1);
}

// True once the click has run to its end.
bool AnalysisFinished(TForm2& form) {
    if (!AnalyzeClick.Returned())
        return false;
    const QString& boxText = AnalyzeClick.ErrorBoxText();
    if (Session.ExpectError) {
        if (boxText.isEmpty())
            Fail("the failing analysis showed no error box");
    } else {
        if (!boxText.isEmpty())
            Fail("the analysis failed: " + boxText);
        else if (form.ListBox1->count() == 0 || form.Edit2->text().isEmpty())
            Fail("the analysis left the bin table or the pulsar name empty");
    }
    return true;
}

void Tick() {
    if (++Ticks > GiveUpTicks) {
        std::fprintf(stderr, "leak_driver: the session hung at step %d\n", Step);
        std::_Exit(1);
    }
    if (!Form2 || !Form2->isVisible()) {
        if (Step != stDone && Step != stOpenFolder)
            Fail("the window went away during the session");
        return;
    }
    TForm2& form = *Form2;
    switch (Step) {
    case stOpenFolder:
        Step = stAnalyze;
        OpenFolderAndSelect(form);
        break;
    case stAnalyze:
        Step = stAfterAnalyze;
        ClickAnalyze(form);
        break;
    case stAfterAnalyze:
        if (AnalysisFinished(form) && Step == stAfterAnalyze)
            Step = ++AnalysesDone < Analyses ? stAnalyze : stClose;
        break;
    case stClose:
        Step = stDone;
        // As the close box does: the loop ends when its last window closes.
        form.close();
        break;
    case stDone:
        break;
    }
}

// Runs inside the application object's construction, before the window
// exists: starts the session's clock, owned by the application.
void StartSession() {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, Tick);
    timer->start(TickMs);
}

} // namespace

int main(int argc, char** argv) {
    const std::string option = argc == 3 ? argv[2] : "";
    if (argc < 2 || argc > 3 || (argc == 3 && option != "--flat" && option != "--plant-leak")) {
        std::fprintf(stderr, "usage: leak_driver PROFILE [--flat | --plant-leak]\n");
        return 2;
    }
    const QFileInfo profile(QString::fromLocal8Bit(argv[1]));
    Session.PlantLeak = option == "--plant-leak";
    QTemporaryDir flatDir;
    if (option == "--flat") {
        Session.ExpectError = true;
        Session.Directory = flatDir.path();
        Session.FileName = QStringLiteral("flat.torvane");
        if (!flatDir.isValid() ||
            !WriteFlatProfile(profile.filePath(), flatDir.filePath(Session.FileName))) {
            std::fprintf(stderr, "leak_driver: cannot write the flat profile\n");
            return 2;
        }
    } else {
        Session.Directory = profile.absolutePath();
        Session.FileName = profile.fileName();
    }

    qAddPreRoutine(StartSession);
    // The analyzer gets no arguments of ours.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    const int status = RunAnalyzer(qtArgc, qtArgv);

    if (status != 0 || Step != stDone)
        Fail(QStringLiteral("the analyzer ended early (status %1)").arg(status));
    if (!Failure.isEmpty()) {
        std::fprintf(stderr, "leak_driver: %s\n", Failure.toLocal8Bit().constData());
        return 1;
    }
    if (!AnalyzeClick.ErrorBoxText().isEmpty())
        std::printf("error box: %s\n", AnalyzeClick.ErrorBoxText().toLocal8Bit().constData());
    std::printf("session complete\n");
    return 0;
}
