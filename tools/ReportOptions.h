#pragma once

#include "base/Exception.h"

#include <optional>
#include <string>
#include <vector>

enum class TReportFormat { Text, Tsv, Csv, Json, Jsonl };

struct TReportShard {
    int Index = 1; // K of K/N, from 1
    int Count = 1; // N
};

struct TReportOptions {
    TReportFormat Format = TReportFormat::Text;
    std::optional<std::string> Locale;    // none: the system's separators
    std::vector<std::string> Files;       // files and folders, as given
    std::optional<std::string> FilesFrom; // a list of more names; "-": standard input
    bool NulSeparated = false;            // the list's names end with NUL, not a line feed
    bool NoHeader = false;
    bool Measures = false;   // the profile measures after each panel
    std::optional<int> Jobs; // none: one per processor
    TReportShard Shard;
    bool Quiet = false;
    bool Help = false;
};

// A command line the tool cannot run with; exit status 2.
class EUsageError : public Exception {
public:
    using Exception::Exception;
};

// The arguments after the program name. Raises EUsageError.
TReportOptions ParseReportOptions(std::vector<std::string> args);

std::string ReportUsage();
