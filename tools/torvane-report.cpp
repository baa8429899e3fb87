// torvane-report: the analyzer's results panel for many profile files at once,
// computed by the very code behind the window's Analyze button.

#include "analysis/AnalysisCommand.h"
#include "tools/ReportLocale.h"
#include "tools/ReportOptions.h"
#include "tools/ReportWriter.h"

#include <iostream>

int main(int argc, char** argv) {
    TReportOptions options;
    FormatSettings format;
    try {
        options = ParseReportOptions({argv + 1, argv + argc});
        if (options.Help) {
            std::cout << ReportUsage();
            return 0;
        }
        format = ReportFormatSettings(options.Locale);
    } catch (const EUsageError& e) {
        std::cerr << "torvane-report: " << e.Message() << "\n"
                  << "Try 'torvane-report --help'.\n";
        return 2;
    }

    const auto writer = MakeReportWriter(options.Format, std::cout);
    // One record for the run, like the window's; each analysis resets it.
    TProfileData data;
    bool failed = false;
    writer->Begin();
    for (const std::string& file : options.Files) {
        const TAnalysisResult result = RunAnalysisCommand(file, data, format);
        writer->File(file, result);
        if (result.Error) {
            failed = true;
            std::cerr << "torvane-report: " << result.ErrorMessage << '\n';
        }
    }
    writer->End();
    std::cout.flush();
    return failed ? 1 : 0;
}
