#pragma once

// The duplicate-mark map of a rendering pass: which mark symbol claimed each
// pixel of the plot area, so that a later mark of the same symbol too close
// to an earlier one is left out.

#include <vector>

class TMarkMap {
public:
    // A map over a plot area of width x height pixels in which each mark
    // claims the square of +-distance pixels around it.
    void Reset(int width, int height, int distance);
    // No map: every mark is drawn.
    void Clear();
    bool Active() const { return !FCells.empty(); }
    // Whether a mark of `symbol` at plot pixel (x, y) may be drawn; if so it
    // claims its square. The point must lie inside the plot area.
    bool Claim(int x, int y, int symbol);

private:
    std::vector<int> FCells; // the symbol that claimed each cell, -1 free
    int FWidth = 0;
    int FDistance = 0;
};
