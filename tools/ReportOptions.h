#pragma once

#include "base/Exception.h"

#include <optional>
#include <string>
#include <vector>

enum class TReportFormat { Text, Tsv, Json };

struct TReportOptions {
    TReportFormat Format = TReportFormat::Text;
    std::optional<std::string> Locale; // none: the system's separators
    std::vector<std::string> Files;
    bool Help = false;
};

// A command line the tool cannot run with; exit status 2.
class EUsageError : public Exception {
public:
    using Exception::Exception;
};

// The arguments after the program name. Raises EUsageError.
TReportOptions ParseReportOptions(const std::vector<std::string>& args);

std::string ReportUsage();
