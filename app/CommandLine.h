#pragma once

#include <QString>
#include <QStringList>

// What the analyzer's command line asks for: torvane-analyzer [PATH], with
// --help and --version.
struct TAnalyzerCommandLine {
    enum class TAction { Run, ShowHelp, ShowVersion, Fail };
    TAction Action = TAction::Run;
    // Run: the folder or profile file to open, empty for none.
    QString Path;
    // ShowHelp, ShowVersion: the text for standard output; Fail: the reason
    // for standard error.
    QString Text;
};

// Parses the arguments (the program's name first). Options are written as
// Qt writes its own: "-v", "--version" and "-version" alike.
TAnalyzerCommandLine ParseAnalyzerCommandLine(const QStringList& arguments);
