#include "tools/ReportRun.h"

#include "analysis/AnalysisCommand.h"
#include "analysis/ProfileMeasures.h"
#include "tools/ReportThreads.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <sched.h>
#include <thread>

namespace {

void Analyse(const std::string& file, std::size_t index, TProfileData& data,
             const TReportWriter& writer, const FormatSettings& format, TReportPiece& piece) {
    TAnalysisResult result = RunAnalysisCommand(file, data, format, writer.Needs());
    if (writer.ShowsMeasures())
        result.Measures = MeasuresOf(data, result.Stats);
    piece.Text.clear();
    writer.File(piece.Text, index, file, result, data, format);
    piece.Error = result.ErrorMessage;
}

// Pieces analysed ahead of the one the sink waits for, per job: enough that
// a slow file does not leave the other jobs idle.
constexpr std::size_t WindowPerJob = 32;

// jobs - 1 threads analyse; the calling thread hands the pieces to the sink
// in order and, while the next one is not ready, analyses files itself
// instead of waiting, so that jobs threads are busy all the time.
class TParallelRun {
public:
    TParallelRun(const std::vector<std::string>& files, const TReportWriter& writer,
                 const FormatSettings& format, int jobs)
        : FFiles(files), FWriter(writer), FFormat(format),
          FSlots(WindowPerJob * static_cast<std::size_t>(jobs)), FReady(FSlots.size(), false),
          FJobs(jobs) {}

    void Run(const TReportSink& sink) {
        std::vector<std::unique_ptr<TSideThread>> workers;
        // Made after the workers, so undone before they are waited for: on
        // every way out of the run, an exception included, they stop.
        const TStopAtEnd stop{*this};
        for (int j = 1; j < FJobs; ++j)
            workers.push_back(std::make_unique<TSideThread>([this] { Work(); }));
        TProfileData data; // the calling thread's own record
        TReportPiece piece;
        TReportPiece own;
        for (std::size_t i = 0; i < FFiles.size(); ++i) {
            {
                std::unique_lock lock(FMutex);
                const std::size_t slot = i % FSlots.size();
                while (!FReady[slot]) {
                    std::size_t next;
                    if (!ClaimNext(next)) {
                        FPieceReady.wait(lock);
                        continue;
                    }
                    lock.unlock();
                    Analyse(FFiles[next], next, data, FWriter, FFormat, own);
                    lock.lock();
                    Store(next, own);
                }
                std::swap(piece, FSlots[slot]);
                FReady[slot] = false;
                FDelivered = i + 1;
            }
            FSpaceFree.notify_all();
            if (!sink(i, piece))
                break;
        }
    }

private:
    struct TStopAtEnd {
        TParallelRun& Run;
        ~TStopAtEnd() {
            {
                std::lock_guard lock(Run.FMutex);
                Run.FStopped = true;
            }
            Run.FSpaceFree.notify_all();
        }
    };

    // Takes the next file when the window has room for its piece; with the
    // mutex held.
    bool ClaimNext(std::size_t& next) {
        if (FNext >= FFiles.size() || FNext >= FDelivered + FSlots.size())
            return false;
        next = FNext++;
        return true;
    }

    // Puts a file's piece in its slot; with the mutex held.
    void Store(std::size_t index, TReportPiece& piece) {
        const std::size_t slot = index % FSlots.size();
        std::swap(FSlots[slot], piece);
        FReady[slot] = true;
    }

    void Work() {
        TProfileData data; // each job's own record
        TReportPiece piece;
        std::unique_lock lock(FMutex);
        for (;;) {
            std::size_t i = FFiles.size(); // none claimed
            // The lowest file not yet delivered is always claimed first, so
            // the window always moves on.
            FSpaceFree.wait(lock,
                            [&] { return FStopped || FNext >= FFiles.size() || ClaimNext(i); });
            if (FStopped || i >= FFiles.size())
                return;
            lock.unlock();
            Analyse(FFiles[i], i, data, FWriter, FFormat, piece);
            lock.lock();
            Store(i, piece);
            FPieceReady.notify_one();
        }
    }

    const std::vector<std::string>& FFiles;
    const TReportWriter& FWriter;
    const FormatSettings& FFormat;

    std::mutex FMutex;
    std::condition_variable FPieceReady; // the calling thread waits here
    std::condition_variable FSpaceFree;  // jobs ahead of the window wait here
    std::vector<TReportPiece> FSlots;    // piece i in slot i % size
    std::vector<bool> FReady;
    std::size_t FDelivered = 0; // pieces handed to the sink
    std::size_t FNext = 0;      // the next file to claim
    bool FStopped = false;
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
