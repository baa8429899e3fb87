#include "tools/ReportMeasures.h"

#include <array>
#include <charconv>

namespace {

// What a reader of the text format knows each measure by, in key order.
constexpr std::array<std::string_view, ProfileMeasureKeys.size()> MeasureLabels = {
    "Flux (on-pulse sum)",
    "Peak (above off-pulse mean)",
    "Equivalent width (bins)",
    "S/N (equivalent width)",
    "S/N (on-pulse window)",
    "W50 (bins)",
    "W10 (bins)",
    "Duty cycle (W50 / period)",
};

} // namespace

std::string MeasureNumber(double value) {
    if (value == 0.0)
        value = 0.0; // no "-0"
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 9);
    return std::string(buffer, result.ptr);
}

std::string MeasureText(const std::optional<double>& value, const TMeasuresForm& form,
                        std::string_view absent) {
    if (!value)
        return std::string(absent);
    std::string text = MeasureNumber(*value);
    const std::size_t point = text.find('.');
    if (point != std::string::npos && form.DecimalSeparator != ".")
        text.replace(point, 1, form.DecimalSeparator);
    return text;
}

void AppendMeasureLines(std::string& out, const TProfileMeasures& measures,
                        const TMeasuresForm& form) {
    const auto values = MeasureValues(measures);
    for (std::size_t k = 0; k < values.size(); ++k)
        out.append(MeasureLabels[k]).append(": ").append(MeasureText(values[k], form, "n/a")) +=
            '\n';
}
