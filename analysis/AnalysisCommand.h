#pragma once

#include "analysis/ProfileData.h"
#include "analysis/ProfileMeasures.h"
#include "analysis/ProfileStats.h"
#include "base/FormatSettings.h"

#include <exception>
#include <optional>
#include <string>
#include <vector>

// One write of one control, in writing order.
struct TControlText {
    std::string Name;                 // "Edit1", "ListBox5", "Edit4", "ListBox1", "Edit5", ...
    bool IsList = false;              // list boxes: cleared, then filled with Entries
    std::vector<std::string> Entries; // an edit box: exactly one entry, its text (8-bit)
    std::size_t OmittedEntries = 0;   // a list's entries not made (TAnalysisNeeds)

    // A list's length, whether or not its texts were made.
    std::size_t EntryCount() const { return Entries.size() + OmittedEntries; }
};

// What a caller needs of the record. A list whose texts it does not need is
// recorded with their number only: a bin table's texts cost more to make
// than the whole rest of the analysis.
struct TAnalysisNeeds {
    bool HeaderTexts = true; // ListBox5's lines
    bool BinTexts = true;    // ListBox1's lines
};

struct TAnalysisResult {
    std::vector<TControlText> Writes; // controls written, in the order the command writes them
    std::exception_ptr Error;         // null when every step succeeded
    std::string ErrorMessage;         // the message of Error ("" when none)
    TProfileStats Stats;              // complete when Error is null (the plots use it)
    // The profile measures, for a caller that wants them (MeasuresOf); the
    // command itself leaves them out.
    std::optional<TProfileMeasures> Measures;
};

// The text shown for a decibel value whose linear ratio is 0 or negative.
inline constexpr const char* AbsentDecibelsText = "n/a";

// The analysis command without its window: reads the file into data, computes
// the statistics and records each control's text as the command writes it.
// The first error (an Exception) ends it; the record then holds the controls
// written so far and the error. File-level problems end it right after Edit4
// with an EProfileFileError. The window replays the record into its controls;
// the report tool prints it.
TAnalysisResult RunAnalysisCommand(const std::string& fileName, TProfileData& data,
                                   const FormatSettings& format, const TAnalysisNeeds& needs = {});

// The pulsar name: InputFileText up to its first "_", empty without one.
std::string PulsarNameOf(const std::string& inputFileText);
