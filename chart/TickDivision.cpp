#include "chart/TickDivision.h"

#include "chart/DateTimeLabels.h"
#include "chart/ScaleMath.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr double LogFloor = 1e-100;
// Guards every tick loop against ranges that would ask for endless ticks.
constexpr int MaxLoop = 100000;

// Collects the ticks of one division and finishes the labels: a user's text
// by the count of labelled ticks, otherwise the inscript around the text.
class TTickList {
public:
    explicit TTickList(const TTickSettings& s) : FSettings(s) {}

    void Unlabelled(double v) { FTicks.push_back({v, false, {}}); }
    void Labelled(double v, const QString& text) {
        QString label;
        if (FSettings.LabelType == ftUserText)
            label = UserTickItem(FSettings.UserTickText, ++FLabelled);
        else if (FSettings.LabelType != ftNoFigs)
            label = ApplyInscript(FSettings.ScaleInscript, text);
        FTicks.push_back({v, true, label});
    }
    std::vector<TTick> Take() { return std::move(FTicks); }

private:
    const TTickSettings& FSettings;
    std::vector<TTick> FTicks;
    int FLabelled = 0;
};

void DivideLinear(const TTickSettings& s, TTickList& ticks) {
    const double lo = s.RangeLow;
    const double hi = s.RangeHigh;
    double start, step;
    int nsub;
    CalcScalePars(s.MinTicks, lo, hi, start, step, nsub);
    if (step == 0)
        return;
    const double dir = hi > lo ? 1.0 : -1.0;
    if (s.ShortTicks) {
        const double sub = step / nsub;
        for (int i = 0; i < MaxLoop; ++i) {
            const double v = start - step + i * sub;
            if (!(dir * v < dir * lo))
                ticks.Unlabelled(v);
            if (!(dir * (start - step + (i + 1) * sub - hi) <= 0.001 * std::fabs(sub)))
                break;
        }
    }
    const int decimals = LabelDecimals(s.DecPlaces, lo, hi);
    for (int i = 0; i < MaxLoop; ++i) {
        const double v = start + i * step;
        ticks.Labelled(v, NumLabelText(v, lo, hi, decimals, s.DecPlaces));
        if (!(dir * (start + (i + 1) * step - hi) <= 0.001 * std::fabs(step)))
            break;
    }
}

bool DivideLog(const TTickSettings& s, TTickList& ticks) {
    const double lo = std::min(s.RangeLow, s.RangeHigh);
    const double hi = std::max(s.RangeLow, s.RangeHigh);
    if (lo < LogFloor)
        return false;
    const double decades = std::fabs(std::log10(s.RangeHigh / s.RangeLow));
    if (decades < 1)
        return false;
    const bool dense = s.MinTicks > decades + 0.5;
    const int decimals = LogLabelDecimals(s.DecPlaces, s.RangeLow, s.RangeHigh);
    const auto inside = [&](double v) { return v >= 0.999999999 * lo && v <= hi / 0.999999999; };
    const int first = static_cast<int>(std::floor(std::log10(0.999999999 * lo)));
    const int last = static_cast<int>(std::ceil(std::log10(hi)));
    for (int e = first; e <= last; ++e) {
        const double power = std::pow(10.0, e);
        for (int m = 1; m <= 9; ++m) {
            const double v = m * power;
            if (!inside(v))
                continue;
            if (m == 1 || (dense && (m == 2 || m == 5)))
                ticks.Labelled(v, NumLabelText(v, s.RangeLow, s.RangeHigh, decimals, s.DecPlaces));
            else if (dense && s.ShortTicks)
                ticks.Unlabelled(v);
        }
    }
    return true;
}

// The labelled ticks of a time or date axis: multiples of the table step.
template <class Text>
bool DivideByTable(const TTickSettings& s, std::span<const double> steps, double upper,
                   TTickList& ticks, Text text) {
    const int n = s.MinTicks == 0 ? 3 : s.MinTicks;
    const double span = std::fabs(s.RangeHigh - s.RangeLow);
    const double step = TableStep(steps, span / n, upper);
    if (step == 0)
        return false;
    const double lo = std::min(s.RangeLow, s.RangeHigh);
    const double hi = std::max(s.RangeLow, s.RangeHigh);
    const double first = std::ceil(lo / step - 1e-9) * step;
    for (int i = 0; i < MaxLoop; ++i) {
        const double v = first + i * step;
        if (v > hi + 1e-9 * step)
            break;
        ticks.Labelled(v, text(v, step));
    }
    return true;
}

bool DivideTime(const TTickSettings& s, TTickList& ticks) {
    return DivideByTable(s, TimeSteps(), 86400.0, ticks, [&](double v, double step) {
        return TimeText(v, step < 1, s.DateFormat);
    });
}

bool DivideDateTime(const TTickSettings& s, TTickList& ticks) {
    // Which day the last date shown belongs to, for one date per day or chart.
    std::optional<long long> lastDate;
    return DivideByTable(s, DateSteps(), 1e7, ticks, [&](double v, double step) {
        const double dayPart = std::floor(v + 1e-9);
        const auto day = static_cast<long long>(dayPart);
        const QString date = DateText(day, s.DateFormat);
        if (step >= 1)
            return date;
        const QString time = TimeText((v - dayPart) * 86400, step < 1.0 / 86400, s.DateFormat);
        bool withDate = false;
        switch (s.DateFormat.DateForTime()) {
        case dtAllTicks:
            withDate = true;
            break;
        case dtOnePerChart:
            withDate = !lastDate;
            break;
        case dtOnePerDay:
            withDate = !lastDate || day != *lastDate;
            break;
        default:
            break;
        }
        if (withDate)
            lastDate = day;
        return withDate ? date + u' ' + time : time;
    });
}

// A "nice" grid spacing (1, 2 or 5 times a power of ten) near span / 10.
double NiceStep(double span) {
    const double raw = std::abs(span) / 10;
    if (!(raw > 0) || !std::isfinite(raw))
        return 0;
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    const double m = raw / p;
    return (m < 1.5 ? 1 : m < 3.5 ? 2 : m < 7.5 ? 5 : 10) * p;
}

} // namespace

std::vector<TTick> DivideAxis(const TTickSettings& Settings) {
    TTickList ticks(Settings);
    // An infinite or undefined end, or a span beyond the doubles, leaves no
    // value to put a tick at (and no decade or step to count with).
    if (!std::isfinite(Settings.RangeHigh - Settings.RangeLow))
        return {};
    bool done = false;
    if (Settings.LabelType == ftDateTime)
        done = DivideDateTime(Settings, ticks);
    else if (Settings.LabelType == ftTime)
        done = DivideTime(Settings, ticks);
    else if (Settings.Logarithmic)
        done = DivideLog(Settings, ticks);
    if (!done)
        DivideLinear(Settings, ticks);
    return ticks.Take();
}

std::vector<double> GridValues(double lo, double hi, double step, bool logarithmic) {
    constexpr int MaxLines = 1000;
    std::vector<double> values;
    if (lo > hi)
        std::swap(lo, hi);
    if (logarithmic && step <= 0) {
        if (!(lo > 0) || !std::isfinite(hi))
            return values;
        for (double e = std::ceil(std::log10(lo)); e <= std::floor(std::log10(hi)); ++e) {
            values.push_back(std::pow(10.0, e));
            if (values.size() >= MaxLines)
                break;
        }
        return values;
    }
    if (step <= 0)
        step = NiceStep(hi - lo);
    if (!(step > 0) || !std::isfinite(lo) || !std::isfinite(hi))
        return values;
    for (double k = std::ceil(lo / step); k * step <= hi; ++k) {
        values.push_back(k * step);
        if (values.size() >= MaxLines)
            break;
    }
    return values;
}
