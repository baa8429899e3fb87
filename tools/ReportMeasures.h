#pragma once

#include "analysis/ProfileMeasures.h"

#include <optional>
#include <string>
#include <string_view>

// How the report shows the profile measures after each file's panel.
struct TMeasuresForm {
    bool Shown = false;
    // Of the numbers in text, tsv and csv, so that a table reads as one in
    // the user's region; JSON numbers always use ".".
    std::string DecimalSeparator = ".";
};

// A measure as a JSON number: up to 9 significant digits, the exponent
// form only for very large or small magnitudes, "." as decimal point.
std::string MeasureNumber(double value);

// A measure in text, tsv and csv: the JSON number with the form's decimal
// separator, or absent when there is no value.
std::string MeasureText(const std::optional<double>& value, const TMeasuresForm& form,
                        std::string_view absent);

// The "label: value" lines of the text format, "n/a" for an absent measure.
void AppendMeasureLines(std::string& out, const TProfileMeasures& measures,
                        const TMeasuresForm& form);
