#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/OpenPath.h"
#include "app/Unit2.h"
#include "base/Exception.h"
#include "toolkit/Application.h"

#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <optional>

namespace {

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Prints help or version, or the reason a command line is refused, and
// tells the status to end with; nullopt for a line that runs the window.
std::optional<int> Answer(const TAnalyzerCommandLine& line) {
    switch (line.Action) {
    case TAnalyzerCommandLine::TAction::ShowHelp:
    case TAnalyzerCommandLine::TAction::ShowVersion:
        std::fputs(line.Text.toLocal8Bit().constData(), stdout);
        return 0;
    case TAnalyzerCommandLine::TAction::Fail:
        std::fprintf(stderr,
                     "torvane-analyzer: %s\nTry 'torvane-analyzer --help' for more information.\n",
                     line.Text.toLocal8Bit().constData());
        return 1;
    case TAnalyzerCommandLine::TAction::Run:
        break;
    }
    return std::nullopt;
}

} // namespace

int RunAnalyzer(int& argc, char** argv) {
    // Help and version need no display, so they are answered before the
    // application object connects to one.
    const TAnalyzerCommandLine early = ParseAnalyzerCommandLine(ArgumentsOf(argc, argv));
    if (early.Action == TAnalyzerCommandLine::TAction::ShowHelp ||
        early.Action == TAnalyzerCommandLine::TAction::ShowVersion)
        return *Answer(early);

    TApplication application(argc, argv);
    // Now without the options Qt took for itself (-platform, -style...).
    const TAnalyzerCommandLine line = ParseAnalyzerCommandLine(application.arguments());
    if (const std::optional<int> status = Answer(line))
        return *status;
    // Taken against the directory the program was started in, before the
    // window's lists move the current directory.
    const QString path = line.Path.isEmpty() ? QString() : QFileInfo(line.Path).absoluteFilePath();

    try {
        TForm2 form;
        Form2 = &form;
        // A request to terminate (the session ending) closes the window as
        // its close box does.
        CloseOnTerminationRequest(&form);
        form.show();
        if (!path.isEmpty())
            QTimer::singleShot(0, &form, [&form, &path] { OpenPathShowingErrors(form, path); });
        application.exec();
    } catch (const Exception& error) {
        application.ShowException(error);
    } catch (...) {
        application.ShowException(Exception(""));
    }
    Form2 = nullptr;
    return 0;
}
