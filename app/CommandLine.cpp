#include "app/CommandLine.h"

#include <QCommandLineParser>

namespace {

const char* const HelpText =
    "Usage: torvane-analyzer [OPTION] [PATH]\n"
    "Finds the pulse window and the signal-to-noise ratio of pulsar profiles\n"
    "(*.torvane* files) in a window.\n"
    "\n"
    "  PATH           a folder: the file browser opens there;\n"
    "                 a profile file: its folder opens with the file selected\n"
    "                 and analysed\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "The options of every Qt program (-platform, -display, -style...) are\n"
    "taken too.\n";

} // namespace

TAnalyzerCommandLine ParseAnalyzerCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    const bool parsed = parser.parse(arguments);

    TAnalyzerCommandLine line;
    // Help and version win over any other mistake on the line, as they do in
    // Qt's own programs.
    if (parser.isSet(help)) {
        line.Action = TAnalyzerCommandLine::TAction::ShowHelp;
        line.Text = QString::fromLatin1(HelpText);
    } else if (parser.isSet(version)) {
        line.Action = TAnalyzerCommandLine::TAction::ShowVersion;
        line.Text = QStringLiteral("torvane-analyzer " TORVANE_VERSION "\n");
    } else if (!parsed) {
        line.Action = TAnalyzerCommandLine::TAction::Fail;
        line.Text = parser.errorText();
    } else if (parser.positionalArguments().size() > 1) {
        line.Action = TAnalyzerCommandLine::TAction::Fail;
        line.Text =
            QStringLiteral("One path at most, %1 given").arg(parser.positionalArguments().size());
    } else if (!parser.positionalArguments().isEmpty()) {
        line.Path = parser.positionalArguments().front();
    }
    return line;
}
