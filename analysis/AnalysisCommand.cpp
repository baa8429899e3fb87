#include "analysis/AnalysisCommand.h"

#include "analysis/ProfileFileError.h"
#include "analysis/ProfileReader.h"
#include "base/TextForms.h"

#include <algorithm>
#include <optional>

namespace {

class TRecorder {
public:
    explicit TRecorder(TAnalysisResult& result) : FResult(result) {}

    void Edit(std::string name, std::string text) {
        FResult.Writes.push_back({std::move(name), false, {std::move(text)}});
    }
    void List(std::string name, std::vector<std::string> entries) {
        FResult.Writes.push_back({std::move(name), true, std::move(entries)});
    }
    void ListLength(std::string name, std::size_t length) {
        FResult.Writes.push_back({std::move(name), true, {}, length});
    }

private:
    TAnalysisResult& FResult;
};

std::string DecibelText(const std::optional<float>& db, const FormatSettings& format) {
    return db ? FormatTwoDecimals(*db, format) : AbsentDecibelsText;
}

// The boxes and lists the command writes, each once.
constexpr std::size_t MaxWrites = 20;

void RunSteps(const std::string& fileName, TProfileData& data, const FormatSettings& format,
              const TAnalysisNeeds& needs, TProfileStats& stats, TRecorder& out) {
    out.Edit("Edit1", fileName);

    ReadProfile(fileName, data);

    if (needs.HeaderTexts)
        out.List("ListBox5", {data.HeaderLines.begin(), data.HeaderLines.end()});
    else
        out.ListLength("ListBox5", data.HeaderLines.size());
    out.Edit("Edit4", FormatWholeNumber(data.FileSize));
    if (data.Problem != TProfileFileProblem::None)
        throw EProfileFileError(ProfileFileErrorMessage(data));

    const std::int32_t n = std::clamp<std::int32_t>(data.ProfileBins, 0, MaxProfileBins);
    if (needs.BinTexts) {
        std::vector<std::string> binLines;
        binLines.reserve(static_cast<std::size_t>(n));
        for (std::int32_t i = 0; i < n; ++i)
            binLines.push_back(FormatBinLine(data.BinNumbers[i], data.BinValues[i], format));
        out.List("ListBox1", std::move(binLines));
    } else {
        out.ListLength("ListBox1", static_cast<std::size_t>(n));
    }

    ComputeExtremes(data, stats);
    out.Edit("Edit5", FormatThreeDecimals(stats.MinValue, format));
    out.Edit("Edit10", FormatWholeNumber(stats.MinBin));
    out.Edit("Edit6", FormatThreeDecimals(stats.MaxValue, format));
    out.Edit("Edit11", FormatWholeNumber(stats.MaxBin));

    ComputeProfileStats(data, stats);
    out.Edit("Edit13", FormatTwoDecimals(stats.MeanRaw, format));
    out.Edit("Edit16", FormatTwoDecimals(stats.MeanNorm, format));
    out.Edit("Edit12", FormatTwoDecimals(stats.StdDevRaw, format));
    out.Edit("Edit17", FormatTwoDecimals(stats.StdDevNorm, format));
    out.Edit("Edit8", FormatTwoDecimals(stats.SnrRaw, format));
    out.Edit("Edit18", FormatTwoDecimals(stats.SnrNorm, format));
    out.Edit("Edit14", DecibelText(stats.SnrRawDb, format));
    out.Edit("Edit15", DecibelText(stats.SnrNormDb, format));

    ComputeHeaderSnr(data, stats);
    out.Edit("Edit9", FormatTwoDecimals(stats.SnrHeader, format));
    out.Edit("Edit7", DecibelText(stats.SnrHeaderDb, format));

    out.Edit("Edit2", PulsarNameOf(data.InputFileText));

    const TFileTime& t = data.LastWriteTime;
    out.Edit("Edit3", t.Valid
                          ? FormatUtcDateTime(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second)
                          : std::string());
}

} // namespace

std::string PulsarNameOf(const std::string& inputFileText) {
    const std::size_t underscore = inputFileText.find('_');
    return underscore == std::string::npos ? std::string() : inputFileText.substr(0, underscore);
}

TAnalysisResult RunAnalysisCommand(const std::string& fileName, TProfileData& data,
                                   const FormatSettings& format, const TAnalysisNeeds& needs) {
    TAnalysisResult result;
    result.Writes.reserve(MaxWrites); // one allocation, not one per doubling
    TRecorder recorder(result);
    try {
        RunSteps(fileName, data, format, needs, result.Stats, recorder);
    } catch (const Exception& e) {
        result.Error = std::current_exception();
        result.ErrorMessage = e.Message();
    }
    return result;
}
