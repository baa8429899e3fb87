// torvane-report: the analyzer's results panel for many profile files at once,
// computed by the very code behind the window's Analyze button.

#include "tools/ReportInputs.h"
#include "tools/ReportLocale.h"
#include "tools/ReportOptions.h"
#include "tools/ReportOutput.h"
#include "tools/ReportProgress.h"
#include "tools/ReportRun.h"
#include "tools/ReportWriter.h"

#include <iostream>
#include <unistd.h>

namespace {

constexpr int StatusUsage = 2;
constexpr int StatusOutputFailed = 3;

// Every byte that should have reached standard output either did, or the
// run says why it did not.
int OutputStatus(TReportOutput& out, TReportProgress& progress, int status) {
    if (out.Finish())
        return status;
    if (!out.PipeClosed())
        progress.Message("torvane-report: cannot write output: " + out.Reason());
    return StatusOutputFailed;
}

int UsageError(const std::string& message) {
    std::cerr << "torvane-report: " << message << "\n"
              << "Try 'torvane-report --help'.\n";
    return StatusUsage;
}

} // namespace

int main(int argc, char** argv) {
    TReportOutput out(STDOUT_FILENO);
    TReportOptions options;
    FormatSettings format;
    std::vector<std::string> names;
    try {
        options = ParseReportOptions({argv + 1, argv + argc});
        if (options.Help) {
            TReportProgress none(0, false);
            out.Write(ReportUsage());
            return OutputStatus(out, none, 0);
        }
        format = ReportFormatSettings(options.Locale);
        names = std::move(options.Files);
        if (options.FilesFrom) {
            std::vector<std::string> listed =
                ReadNameList(*options.FilesFrom, options.NulSeparated);
            names.insert(names.end(), std::make_move_iterator(listed.begin()),
                         std::make_move_iterator(listed.end()));
        }
    } catch (const EUsageError& e) {
        return UsageError(e.Message());
    } catch (const EListError& e) {
        std::cerr << "torvane-report: " << e.Message() << '\n';
        return StatusUsage;
    }

    const int jobs = options.Jobs.value_or(AvailableProcessors());
    bool failed = false;
    const auto problem = [&](const std::string& message) {
        failed = true;
        std::cerr << "torvane-report: " << message << '\n';
    };
    const auto note = [](const std::string& message) {
        std::cerr << "torvane-report: " << message << '\n';
    };
    const std::vector<std::string> files =
        ShardOf(ExpandInputs(std::move(names), problem, note, jobs), options.Shard.Index,
                options.Shard.Count);

    TReportProgress progress(files.size(), !options.Quiet && ::isatty(STDERR_FILENO));
    const auto writer = MakeReportWriter(options.Format, !options.NoHeader,
                                         {options.Measures, format.DecimalSeparator});
    std::string text;
    writer->Begin(text);
    out.Write(text);
    std::size_t written = 0;
    RunReport(files, *writer, format, jobs, [&](std::size_t index, const TReportPiece& piece) {
        out.Write(piece.Text);
        if (out.Failed())
            return false; // nothing more can reach the output
        written = index + 1;
        progress.Done(written);
        if (!piece.Error.empty()) {
            failed = true;
            progress.Message("torvane-report: " + piece.Error);
        }
        return true;
    });
    progress.Finish();
    if (!out.Failed()) {
        text.clear();
        writer->End(text, written);
        out.Write(text);
    }
    return OutputStatus(out, progress, failed ? 1 : 0);
}
