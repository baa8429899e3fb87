#pragma once

#include "base/FormatSettings.h"
#include "tools/ReportWriter.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// One file's share of the report, ready to be written.
struct TReportPiece {
    std::string Text;  // what the writer made of the file
    std::string Error; // the analysis's error message, "" when none
};

// Takes the pieces in input order; false stops the run.
using TReportSink = std::function<bool(std::size_t index, const TReportPiece& piece)>;

// Analyses every file, on jobs threads at a time, and hands each file's piece
// to sink in input order, on the calling thread. Each thread has a profile
// record of its own and renders its files' text itself; at most a fixed
// window of pieces waits for the ones before it, so memory does not grow
// with the number of files. The pieces are the same for every number of jobs.
void RunReport(const std::vector<std::string>& files, const TReportWriter& writer,
               const FormatSettings& format, int jobs, const TReportSink& sink);

// The processors this process may run on.
int AvailableProcessors();
