#include "tools/ReportProgress.h"

#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace {

void ToStandardError(const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(STDERR_FILENO, text.data() + done, text.size() - done);
        if (written <= 0)
            return; // a terminal that cannot take it is no reason to stop
        done += static_cast<std::size_t>(written);
    }
}

std::string Duration(double seconds) {
    const long total = std::lround(seconds);
    char buffer[32];
    if (total >= 3600)
        std::snprintf(buffer, sizeof buffer, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60,
                      total % 60);
    else
        std::snprintf(buffer, sizeof buffer, "%ld:%02ld", total / 60, total % 60);
    return buffer;
}

constexpr auto RedrawInterval = std::chrono::milliseconds(200);

} // namespace

TReportProgress::TReportProgress(std::size_t total, bool enabled)
    : FTotal(total), FEnabled(enabled && total > MinFiles) {}

TReportProgress::~TReportProgress() {
    Finish();
}

std::string TReportProgress::Line(std::size_t done, std::size_t total, double elapsed) {
    std::string line = std::to_string(done) + " of " + std::to_string(total) + " files";
    if (done > 0 && elapsed > 0) {
        const double rate = static_cast<double>(done) / elapsed;
        line += ", " + std::to_string(std::lround(rate)) + " files/s, " +
                Duration(static_cast<double>(total - done) / rate) + " left";
    }
    return line;
}

void TReportProgress::Done(std::size_t files) {
    FDone = files;
    if (!FEnabled)
        return;
    const TClock::time_point now = TClock::now();
    if (FShown && now - FLastDraw < RedrawInterval)
        return;
    FLastDraw = now;
    Draw(files);
}

void TReportProgress::Draw(std::size_t done) {
    const double elapsed = std::chrono::duration<double>(TClock::now() - FStart).count();
    // Back to the line's start, the line, and the rest of the old one erased.
    ToStandardError("\r" + Line(done, FTotal, elapsed) + "\x1b[K");
    FShown = true;
}

void TReportProgress::Clear() {
    if (FShown)
        ToStandardError("\r\x1b[K");
    FShown = false;
}

void TReportProgress::Message(const std::string& line) {
    Clear();
    ToStandardError(line + "\n");
    if (FEnabled)
        Draw(FDone);
}

void TReportProgress::Finish() {
    Clear();
    FEnabled = false;
}
