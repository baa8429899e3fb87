#include "analysis/ProfileReader.h"

#include "analysis/ProfileStream.h"
#include "base/FloatOps.h"
#include "base/NumberParse.h"
#include "base/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <string_view>
#include <sys/stat.h>

namespace {

// Characters first..first+count-1 (1-based) of a line, cut at its end.
std::string_view Field(std::string_view line, std::size_t first, std::size_t count) {
    if (first > line.size())
        return {};
    return {line.data() + first - 1, std::min(count, line.size() - (first - 1))};
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view Trimmed(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlankOrControl(text[first]))
        ++first;
    while (last > first && IsBlankOrControl(text[last - 1]))
        --last;
    return {text.data() + first, last - first};
}

// A line is recognised by its first 19 characters alone.
std::string_view KeyOf(std::string_view line) {
    return Trimmed(Field(line, 1, 19));
}

constexpr std::string_view AnchorKey = "# T_peri";

void ReadHeader(TProfileStream& stream, TProfileData& data) {
    for (std::string& line : data.HeaderLines) {
        line = stream.ReadLine();
        const std::string_view key = KeyOf(line);
        if (key == "# Input file")
            data.InputFileText = std::string(Field(line, 22, 20));
        else if (key == "# Profile Bins")
            data.ProfileBins = ParseInteger(Field(line, 22, 10));
        else if (key == "# Profile StdDev")
            data.ProfileStdDev = RoundToFloat(ParseFloat(Field(line, 23, 15)));
        else if (key == "# Profile Avg")
            data.ProfileAvg = RoundToFloat(ParseFloat(Field(line, 23, 15)));
    }
}

// Returns false when the file ends before its anchor line.
bool ReadBins(TProfileStream& stream, TProfileData& data) {
    bool found = false;
    while (!found && !stream.Exhausted())
        found = KeyOf(stream.ReadLine()) == AnchorKey;
    if (!found)
        return false;
    stream.ReadLine(); // the separator line under the anchor
    for (std::int32_t i = 0; i < data.ProfileBins; ++i) {
        const std::string_view line = stream.ReadLine();
        // Column 5 belongs to both fields.
        data.BinNumbers[i] = ParseInteger(Trimmed(Field(line, 1, 5)));
        data.BinValues[i] = RoundToFloat(ParseFloat(Trimmed(Field(line, 5, 30))));
    }
    return true;
}

TFileTime LastWriteTimeOf(const struct stat& st) {
    TFileTime result;
    std::tm tm{};
    const std::time_t seconds = st.st_mtim.tv_sec;
    if (!::gmtime_r(&seconds, &tm))
        return result;
    const long year = tm.tm_year + 1900L;
    if (year < 0 || year > 65535)
        return result;
    result.Year = static_cast<std::uint16_t>(year);
    result.Month = static_cast<std::uint16_t>(tm.tm_mon + 1);
    result.Day = static_cast<std::uint16_t>(tm.tm_mday);
    result.Hour = static_cast<std::uint16_t>(tm.tm_hour);
    result.Minute = static_cast<std::uint16_t>(tm.tm_min);
    result.Second = static_cast<std::uint16_t>(tm.tm_sec);
    result.Valid = true;
    return result;
}

void RecordCannotOpen(TProfileData& data, std::string reason) {
    data.Problem = TProfileFileProblem::CannotOpen;
    data.ProblemReason = std::move(reason);
}

} // namespace

void ReadProfile(const std::string& fileName, TProfileData& data) {
    // A fresh record, but the header lines keep their storage: allocating
    // it anew for every line of every file costs more than reading them.
    std::array<std::string, ProfileHeaderLines> headerLines = std::move(data.HeaderLines);
    data = TProfileData{};
    for (std::string& line : headerLines)
        line.clear();
    data.HeaderLines = std::move(headerLines);
    data.FileName = fileName;

    // Look before opening: a pipe or device named like a profile is never
    // opened, so it can neither block the reader nor be disturbed by it.
    // This one look also gives the size to read and to show and the
    // last-write time, each system call being dear here.
    struct stat st {};
    const bool found = ::stat(fileName.c_str(), &st) == 0;
    if (!found)
        RecordCannotOpen(data, SystemErrorText(errno));
    else if (S_ISDIR(st.st_mode))
        RecordCannotOpen(data, SystemErrorText(EISDIR));
    else if (!S_ISREG(st.st_mode))
        RecordCannotOpen(data, "Not a regular file");

    if (data.Problem == TProfileFileProblem::None) {
        // Two passes over one opening: the header, then the bins from the
        // first line again, since the anchor may stand among the header lines.
        TProfileStream stream(fileName, st.st_size, TProfileStream::MaxChunk);
        if (!stream.IsOpen()) {
            RecordCannotOpen(data, stream.OpenError());
        } else {
            ReadHeader(stream, data);
            data.FileSize = st.st_size;
            if (data.ProfileBins > MaxProfileBins) {
                data.Problem = TProfileFileProblem::TooManyBins;
            } else {
                stream.Rewind();
                if (!ReadBins(stream, data))
                    data.Problem = TProfileFileProblem::NoAnchor;
            }
        }
    }
    if (found)
        data.LastWriteTime = LastWriteTimeOf(st);
}
