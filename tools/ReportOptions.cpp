#include "tools/ReportOptions.h"

namespace {

TReportFormat FormatNamed(const std::string& name) {
    if (name == "text")
        return TReportFormat::Text;
    if (name == "tsv")
        return TReportFormat::Tsv;
    if (name == "json")
        return TReportFormat::Json;
    throw EUsageError("unknown format \"" + name + "\" (text, tsv or json)");
}

} // namespace

TReportOptions ParseReportOptions(const std::vector<std::string>& args) {
    TReportOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            options.Files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.Help = true;
            continue;
        }
        // --name VALUE or --name=VALUE
        const std::size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        if (name != "--format" && name != "--locale")
            throw EUsageError("unknown option \"" + arg + "\"");
        std::string value;
        if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
        } else {
            if (i + 1 >= args.size())
                throw EUsageError("option " + name + " needs a value");
            value = args[++i];
        }
        if (name == "--format")
            options.Format = FormatNamed(value);
        else
            options.Locale = value;
    }
    if (!options.Help && options.Files.empty())
        throw EUsageError("no profile file given");
    return options;
}

std::string ReportUsage() {
    return R"(Usage: torvane-report [--format text|tsv|json] [--locale NAME] FILE...

Analyses each pulsar profile file (*.torvane*) in turn, exactly as the
Torvane analyzer's "Analyze selected Torvane" button does, and prints the
results panel. Nothing is written anywhere else.

Options:
  --format text   (default) per file, one "label: value" line per box as the
                  analysis fills it, the header lines indented, the number of
                  bin lines, then "Error: ..." if an error ended the analysis
  --format tsv    a header row, then one row per file: the file name, the
                  boxes of the panel and the error (empty when none)
  --format json   an array with one object per file:
                  {"file": NAME, "controls": {...}, "error": null or MESSAGE};
                  "controls" holds the boxes and lists the analysis wrote, in
                  the order it wrote them, keyed by control name (Edit1,
                  ListBox5, Edit4, ListBox1, Edit5, ...); lists are arrays
  --locale NAME   regional number separators of NAME (en_US, de_DE, ...);
                  default: the system's
  --help          this text

An analysis that ends with an error keeps what it wrote up to that point; the
error is printed with the file's results and also on standard error.

Exit status: 0 when every file was analysed, 1 when any analysis ended with an
error, 2 for a usage error, 3 when the output could not be written (the reason
is printed as "cannot write output: ..."; a pipe whose reader has gone, as in
"torvane-report ... | head", ends the run without a message).
)";
}
