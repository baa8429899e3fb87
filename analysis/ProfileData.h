#pragma once

#include <array>
#include <cstdint>
#include <string>

// Capacity of the bin table and of every per-bin array of the analysis.
constexpr int MaxProfileBins = 1000;

// The number of leading lines of a profile file that hold its header.
constexpr int ProfileHeaderLines = 26;

// A file's last-write time as a UTC calendar time. Valid is false when the
// time could not be queried; every field is 0 then.
struct TFileTime {
    std::uint16_t Year = 0;
    std::uint16_t Month = 0;
    std::uint16_t Day = 0;
    std::uint16_t Hour = 0;
    std::uint16_t Minute = 0;
    std::uint16_t Second = 0;
    bool Valid = false;
};

// A problem with the file as a whole, which keeps the reader from filling the
// bin table. The content of a file is never a problem of this kind: bad
// numbers read as 0 and missing lines as empty lines.
enum class TProfileFileProblem {
    None,
    CannotOpen,  // missing, no permission, or not a regular file; see ProblemReason
    NoAnchor,    // no "# T_peri" line, so there is nothing to find the bins by
    TooManyBins, // declares more than MaxProfileBins bins
};

// The parsed profile file. ReadProfile starts every analysis from a fresh
// record, so no value of an earlier file ever leaks into the next.
struct TProfileData {
    std::string FileName;                                    // 8-bit name used for every access
    std::array<std::string, ProfileHeaderLines> HeaderLines; // the first 26 lines as read
    std::string InputFileText; // columns 22-41 of the "# Input file" line
    std::int32_t ProfileBins = 0;
    float ProfileAvg = 0.0f;
    float ProfileStdDev = 0.0f;
    std::array<std::int32_t, MaxProfileBins> BinNumbers{};
    std::array<float, MaxProfileBins> BinValues{};
    std::int64_t FileSize = 0;
    TFileTime LastWriteTime;

    TProfileFileProblem Problem = TProfileFileProblem::None;
    std::string ProblemReason; // the system's text for CannotOpen, e.g. "Permission denied"
};
