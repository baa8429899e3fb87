#include "tools/ReportRun.h"

#include "analysis/AnalysisCommand.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <sched.h>
#include <thread>

namespace {

void Analyse(const std::string& file, std::size_t index, TProfileData& data,
             const TReportWriter& writer, const FormatSettings& format, TReportPiece& piece) {
    const TAnalysisResult result = RunAnalysisCommand(file, data, format);
    piece.Text.clear();
    writer.File(piece.Text, index, file, result);
    piece.Error = result.ErrorMessage;
}

// Pieces analysed ahead of the one the sink waits for, per job: enough that
// a slow file does not leave the other jobs idle.
constexpr std::size_t WindowPerJob = 32;

class TParallelRun {
public:
    TParallelRun(const std::vector<std::string>& files, const TReportWriter& writer,
                 const FormatSettings& format, int jobs)
        : FFiles(files), FWriter(writer), FFormat(format),
          FSlots(WindowPerJob * static_cast<std::size_t>(jobs)), FReady(FSlots.size(), false),
          FJobs(jobs) {}

    void Run(const TReportSink& sink) {
        std::vector<std::thread> workers;
        for (int j = 0; j < FJobs; ++j)
            workers.emplace_back([this] { Work(); });
        TReportPiece piece;
        for (std::size_t i = 0; i < FFiles.size(); ++i) {
            {
                std::unique_lock lock(FMutex);
                const std::size_t slot = i % FSlots.size();
                FPieceReady.wait(lock, [&] { return FReady[slot]; });
                std::swap(piece, FSlots[slot]);
                FReady[slot] = false;
                FDelivered = i + 1;
            }
            FSpaceFree.notify_all();
            if (!sink(i, piece))
                break;
        }
        {
            std::lock_guard lock(FMutex);
            FStopped = true;
        }
        FSpaceFree.notify_all();
        for (std::thread& worker : workers)
            worker.join();
    }

private:
    void Work() {
        TProfileData data; // each job's own record
        TReportPiece piece;
        for (;;) {
            const std::size_t i = FNext.fetch_add(1);
            if (i >= FFiles.size())
                return;
            {
                // The lowest file not yet delivered is always taken by a job
                // that need not wait, so the window always moves on.
                std::unique_lock lock(FMutex);
                FSpaceFree.wait(lock, [&] { return FStopped || i < FDelivered + FSlots.size(); });
                if (FStopped)
                    return;
            }
            Analyse(FFiles[i], i, data, FWriter, FFormat, piece);
            {
                std::lock_guard lock(FMutex);
                const std::size_t slot = i % FSlots.size();
                std::swap(FSlots[slot], piece);
                FReady[slot] = true;
            }
            FPieceReady.notify_one();
        }
    }

    const std::vector<std::string>& FFiles;
    const TReportWriter& FWriter;
    const FormatSettings& FFormat;

    std::mutex FMutex;
    std::condition_variable FPieceReady; // the sink waits here
    std::condition_variable FSpaceFree;  // jobs ahead of the window wait here
    std::vector<TReportPiece> FSlots;    // piece i in slot i % size
    std::vector<bool> FReady;
    std::size_t FDelivered = 0; // pieces handed to the sink
    bool FStopped = false;
    std::atomic<std::size_t> FNext{0};
    int FJobs;
};

} // namespace

void RunReport(const std::vector<std::string>& files, const TReportWriter& writer,
               const FormatSettings& format, int jobs, const TReportSink& sink) {
    if (jobs <= 1 || files.size() <= 1) {
        // One record for the run, like the window's; each analysis resets it.
        TProfileData data;
        TReportPiece piece;
        for (std::size_t i = 0; i < files.size(); ++i) {
            Analyse(files[i], i, data, writer, format, piece);
            if (!sink(i, piece))
                return;
        }
        return;
    }
    TParallelRun(files, writer, format, static_cast<int>(std::min<std::size_t>(jobs, files.size())))
        .Run(sink);
}

int AvailableProcessors() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return CPU_COUNT(&set);
    return std::max(1u, std::thread::hardware_concurrency());
}
