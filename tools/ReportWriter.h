#pragma once

#include "analysis/AnalysisCommand.h"
#include "tools/ReportOptions.h"

#include <memory>
#include <ostream>
#include <string>

// Prints the analyses of the report, one file after the other.
class TReportWriter {
public:
    virtual ~TReportWriter() = default;
    virtual void Begin() {}
    virtual void File(const std::string& fileName, const TAnalysisResult& result) = 0;
    virtual void End() {}
};

std::unique_ptr<TReportWriter> MakeReportWriter(TReportFormat format, std::ostream& out);
