#pragma once

// The zoom history of a chart: the ranges of both layers' axes as they were
// before each zoom or pan, newest last, so that UndoZoom can put them back
// exactly.

#include <array>
#include <cstddef>
#include <deque>
#include <optional>

// The X and Y ranges of layers 1 and 2 (index 0 and 1).
struct TZoomRanges {
    std::array<double, 2> XLow{};
    std::array<double, 2> XHigh{};
    std::array<double, 2> YLow{};
    std::array<double, 2> YHigh{};
    friend bool operator==(const TZoomRanges&, const TZoomRanges&) = default;
};

class TZoomHistory {
public:
    // Deep enough for a long session of zooming; a longer history drops its
    // oldest entries, since nobody undoes a hundred steps one by one.
    static constexpr std::size_t Capacity = 100;

    void Push(const TZoomRanges& Ranges) {
        if (FEntries.size() == Capacity)
            FEntries.pop_front();
        FEntries.push_back(Ranges);
    }
    // The newest entry, removed; none when the history is empty.
    std::optional<TZoomRanges> Pop() {
        if (FEntries.empty())
            return std::nullopt;
        TZoomRanges r = FEntries.back();
        FEntries.pop_back();
        return r;
    }
    void Clear() { FEntries.clear(); }
    std::size_t Count() const { return FEntries.size(); }
    // Entry 0 is the oldest.
    const TZoomRanges& operator[](std::size_t i) const { return FEntries[i]; }

private:
    std::deque<TZoomRanges> FEntries;
};
