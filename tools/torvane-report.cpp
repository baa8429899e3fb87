// torvane-report: the analyzer's results panel for many profile files at once,
// computed by the very code behind the window's Analyze button.

#include "analysis/AnalysisCommand.h"
#include "tools/ReportLocale.h"
#include "tools/ReportOptions.h"
#include "tools/ReportOutput.h"
#include "tools/ReportWriter.h"

#include <iostream>
#include <unistd.h>

namespace {

constexpr int StatusOutputFailed = 3;

// Every byte that should have reached standard output either did, or the
// run says why it did not.
int OutputStatus(TReportOutput& out, int status) {
    if (out.Finish())
        return status;
    if (!out.PipeClosed())
        std::cerr << "torvane-report: cannot write output: " << out.Reason() << '\n';
    return StatusOutputFailed;
}

} // namespace

int main(int argc, char** argv) {
    TReportOutput out(STDOUT_FILENO);
    TReportOptions options;
    FormatSettings format;
    try {
        options = ParseReportOptions({argv + 1, argv + argc});
        if (options.Help) {
            out.Write(ReportUsage());
            return OutputStatus(out, 0);
        }
        format = ReportFormatSettings(options.Locale);
    } catch (const EUsageError& e) {
        std::cerr << "torvane-report: " << e.Message() << "\n"
                  << "Try 'torvane-report --help'.\n";
        return 2;
    }

    const auto writer = MakeReportWriter(options.Format);
    // One record for the run, like the window's; each analysis resets it.
    TProfileData data;
    bool failed = false;
    std::string text;
    writer->Begin(text);
    std::size_t index = 0;
    for (const std::string& file : options.Files) {
        const TAnalysisResult result = RunAnalysisCommand(file, data, format);
        writer->File(text, index++, file, result);
        out.Write(text);
        text.clear();
        if (out.Failed())
            break; // nothing more can reach the output
        if (result.Error) {
            failed = true;
            std::cerr << "torvane-report: " << result.ErrorMessage << '\n';
        }
    }
    if (!out.Failed())
        writer->End(text, index);
    out.Write(text);
    return OutputStatus(out, failed ? 1 : 0);
}
