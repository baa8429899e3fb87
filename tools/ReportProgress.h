#pragma once

#include <chrono>
#include <cstddef>
#include <string>

// The progress line of a long run on a terminal: files done of the total,
// files per second and the time left, redrawn in place on standard error a
// few times a second. Messages printed meanwhile go through Message, which
// clears the line first, so that they stand on lines of their own.
class TReportProgress {
public:
    // Shown only when enabled; the caller decides (a terminal, a long run,
    // not silenced).
    TReportProgress(std::size_t total, bool enabled);
    ~TReportProgress();
    TReportProgress(const TReportProgress&) = delete;
    TReportProgress& operator=(const TReportProgress&) = delete;

    void Done(std::size_t files);
    void Message(const std::string& line);
    // Clears the line for good.
    void Finish();

    // The line for files done of total after elapsed seconds.
    static std::string Line(std::size_t done, std::size_t total, double elapsed);

    // Runs of more files than this show the line.
    static constexpr std::size_t MinFiles = 1000;

private:
    using TClock = std::chrono::steady_clock;

    void Draw(std::size_t done);
    void Clear();

    std::size_t FTotal;
    bool FEnabled;
    bool FShown = false;
    std::size_t FDone = 0;
    TClock::time_point FStart = TClock::now();
    TClock::time_point FLastDraw{};
};
