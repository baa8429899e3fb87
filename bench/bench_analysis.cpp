// The analysis of one 1000-bin profile: the reader with the statistics, and
// the whole command with the panel texts.

#include "analysis/AnalysisCommand.h"
#include "analysis/ProfileReader.h"
#include "analysis/ProfileStats.h"
#include "base/TextForms.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string HeaderLine(const std::string& key, const std::string& value) {
    std::string line = key;
    line.resize(19, ' ');
    return line + "=  " + value + "\n";
}

// A realistic profile: a Gaussian pulse on a noisy baseline.
std::string ProfileText(int bins) {
    std::string text;
    const char* keys[] = {"# Source",           "# Input file",        "# Telescope",
                          "# Backend",          "# Centre freq (MHz)", "# Bandwidth (MHz)",
                          "# Channels",         "# Sample time (us)",  "# Obs length (s)",
                          "# DM (pc/cm3)",      "# Period (s)",        "# Obs date (MJD)",
                          "# Sub-integrations", "# Polarisation",      "# Folding",
                          "# Dedispersion",     "# RFI excision"};
    for (const char* key : keys)
        text +=
            HeaderLine(key, std::string(key) == "# Input file" ? "B0531+21_DM56.77.dat" : "bench");
    text += HeaderLine("# Profile Bins", std::to_string(bins));
    text += HeaderLine("# Profile Avg", "2451.383807");
    text += HeaderLine("# Profile StdDev", "201.481729");
    text += HeaderLine("# Profile Min", "2316.3523");
    text += HeaderLine("# Profile Max", "4192.6365");
    text += HeaderLine("# Software", "bench");
    text += HeaderLine("# Observer", "bench");
    text += HeaderLine("# Comment", "bench");
    text += HeaderLine("# T_peri", "58701.904123456");
    text += "#---------------------------------------\n";
    std::uint32_t x = 1;
    for (int i = 0; i < bins; ++i) {
        x = x * 1664525u + 1013904223u;
        const double noise = (x >> 8) / double(1u << 24) * 100.0;
        const double pulse = 1800.0 * std::exp(-std::pow((i - bins / 3) / 12.0, 2));
        char line[64];
        std::snprintf(line, sizeof line, "%4d  %.4f\n", i, 2400.0 + noise + pulse);
        text += line;
    }
    return text;
}

// The file lives for the whole program, in a fresh folder removed at exit.
class TBenchFile {
public:
    TBenchFile() {
        std::string dir = (std::filesystem::temp_directory_path() / "torvane-bench-XXXXXX");
        if (!::mkdtemp(dir.data()))
            std::abort();
        FDir = dir;
        FPath = dir + "/B0531+21.torvane";
        std::ofstream(FPath, std::ios::binary) << ProfileText(MaxProfileBins);
    }
    ~TBenchFile() {
        std::error_code ignored;
        std::filesystem::remove_all(FDir, ignored);
    }
    const std::string& Path() const { return FPath; }

private:
    std::string FDir;
    std::string FPath;
};

const std::string& ProfilePath() {
    static const TBenchFile file;
    return file.Path();
}

void BM_ReadProfileAndStats(benchmark::State& state) {
    TProfileData data;
    for (auto _ : state) {
        ReadProfile(ProfilePath(), data);
        TProfileStats stats;
        ComputeExtremes(data, stats);
        ComputeProfileStats(data, stats);
        ComputeHeaderSnr(data, stats);
        benchmark::DoNotOptimize(stats);
    }
    if (data.ProfileBins != MaxProfileBins)
        state.SkipWithError("the bench profile did not read");
}
BENCHMARK(BM_ReadProfileAndStats)->Unit(benchmark::kMicrosecond);

// The reader alone: its two passes over one opening, mostly system calls.
void BM_ReadProfileOnly(benchmark::State& state) {
    TProfileData data;
    for (auto _ : state) {
        ReadProfile(ProfilePath(), data);
        benchmark::DoNotOptimize(data);
    }
}
BENCHMARK(BM_ReadProfileOnly)->Unit(benchmark::kMicrosecond);

// The statistics alone, to tell the file reading apart from the arithmetic.
void BM_StatsOnly(benchmark::State& state) {
    TProfileData data;
    ReadProfile(ProfilePath(), data);
    for (auto _ : state) {
        TProfileStats stats;
        ComputeExtremes(data, stats);
        ComputeProfileStats(data, stats);
        ComputeHeaderSnr(data, stats);
        benchmark::DoNotOptimize(stats);
    }
}
BENCHMARK(BM_StatsOnly)->Unit(benchmark::kMicrosecond);

void BM_RunAnalysisCommand(benchmark::State& state) {
    TProfileData data;
    const FormatSettings format;
    for (auto _ : state) {
        TAnalysisResult result = RunAnalysisCommand(ProfilePath(), data, format);
        if (result.Error) {
            state.SkipWithError(result.ErrorMessage.c_str());
            break;
        }
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_RunAnalysisCommand)->Unit(benchmark::kMicrosecond);

// The 1000 bin lines of the profile appended to one text, as the JSON report
// writes them: the exact 15-digit float texts.
void BM_AppendBinLines(benchmark::State& state) {
    TProfileData data;
    ReadProfile(ProfilePath(), data);
    const FormatSettings format;
    std::string text;
    for (auto _ : state) {
        text.clear();
        for (std::int32_t i = 0; i < data.ProfileBins; ++i)
            AppendBinLine(text, data.BinNumbers[i], data.BinValues[i], format);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * data.ProfileBins);
}
BENCHMARK(BM_AppendBinLines)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
