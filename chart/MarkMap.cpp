#include "chart/MarkMap.h"

#include <cstddef>

void TMarkMap::Reset(int width, int height, int distance) {
    FDistance = distance;
    FWidth = width + 2 * distance;
    const int rows = height + 2 * distance;
    FCells.assign(static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(rows), -1);
}

void TMarkMap::Clear() {
    FCells.clear();
    FWidth = FDistance = 0;
}

bool TMarkMap::Claim(int x, int y, int symbol) {
    const auto cell = [this](int cx, int cy) -> int& {
        return FCells[static_cast<std::size_t>(cy) * static_cast<std::size_t>(FWidth) +
                      static_cast<std::size_t>(cx)];
    };
    // Cells are offset by the distance so that the square of a mark on the
    // plot area's edge stays inside the map.
    if (cell(x + FDistance, y + FDistance) == symbol)
        return false;
    for (int cy = y; cy <= y + 2 * FDistance; ++cy)
        for (int cx = x; cx <= x + 2 * FDistance; ++cx)
            cell(cx, cy) = symbol;
    return true;
}
