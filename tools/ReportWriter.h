#pragma once

#include "analysis/AnalysisCommand.h"
#include "tools/ReportMeasures.h"
#include "tools/ReportOptions.h"

#include <cstddef>
#include <memory>
#include <string>

// Turns the analyses of the report into its text, one file after the other.
// A writer keeps no state between files: each file's text depends only on
// the file and its place in the output, so files can be rendered on any
// thread and in any order and still join into the same bytes.
class TReportWriter {
public:
    explicit TReportWriter(TMeasuresForm measures = {}) : FMeasures(std::move(measures)) {}
    virtual ~TReportWriter() = default;
    // The texts of the analysis the format shows.
    virtual TAnalysisNeeds Needs() const = 0;
    // What goes before the first file.
    virtual void Begin(std::string& out) const { (void)out; }
    // Appends one file's text; index is its place in the output, from 0.
    // data is the profile as the analysis read it: a writer that asked for
    // no bin texts but shows the bin table makes its lines from data's bins
    // (in format), straight into out.
    virtual void File(std::string& out, std::size_t index, const std::string& fileName,
                      const TAnalysisResult& result, const TProfileData& data,
                      const FormatSettings& format) const = 0;
    // What goes after the last of count files.
    virtual void End(std::string& out, std::size_t count) const { (void)out, (void)count; }

    // Whether each file's result is to carry its measures, which the writer
    // then adds to the panel.
    bool ShowsMeasures() const { return FMeasures.Shown; }

protected:
    const TMeasuresForm& Measures() const { return FMeasures; }

private:
    TMeasuresForm FMeasures;
};

// header: whether a format with a header row (tsv, csv) writes it.
std::unique_ptr<TReportWriter> MakeReportWriter(TReportFormat format, bool header = true,
                                                TMeasuresForm measures = {});
