#pragma once

// One entry of a chart's drawing list and the enumerations it is made of.
// The numeric values of the kinds are fixed: they index the per-kind counters.

#include "toolkit/Graphics.h"

#include <QString>
#include <array>
#include <cstdint>

enum TChartItemKind : std::uint8_t {
    tkNone,
    tkMarkAt,
    tkLine,
    tkLineto,
    tkRect,
    tkRectFrame,
    tk3DBar,
    tkText,
    tkMoveTo,
    tkEllipse,
    tkEverything, // never stored: matches every kind in searches and counts
    tkNotMoveTo,  // never stored: every kind but tkMoveTo in nearest-item searches
    tkMoveRelPix,
    tkLineRelPix,
    tkArrow,
    tkDoubleArrow,
    tkTextOfs,
    tkRectRelPix,
    tkMarkEBar,
    tkLineOffs,
    tkArc,
    tkLineRelPixOrig,
    tkCursorVert,
    tkCursorHoriz
};
constexpr int NumChartItemKinds = 24;

constexpr bool IsTextKind(TChartItemKind kind) {
    return kind == tkText || kind == tkTextOfs;
}

// The selectors of the searches, counts, editing and picking operations: a
// wanted kind tkEverything matches every kind, tkNotMoveTo every kind but
// tkMoveTo; a wanted class 255 matches every class.
constexpr bool KindMatches(TChartItemKind wanted, TChartItemKind kind) {
    if (wanted == tkEverything)
        return true;
    if (wanted == tkNotMoveTo)
        return kind != tkMoveTo;
    return wanted == kind;
}

constexpr bool ClassMatches(int wanted, int itemClass) {
    return wanted == 255 || wanted == itemClass;
}

// How x, y (first point) and x2, y2 (second point) of an item are read:
// world = values of the layer's axes; screen = pixels from the plot area's
// top-left corner.
enum TCoordMode : std::uint8_t {
    cmAllWorld,
    cmAllScreen,
    cmWorldMainScreenSec,
    cmScreenMainWorldSec,
    cmXScreenYWorld,
    cmXWorldYScreen
};

enum TTextBkg : std::uint8_t { tbClear, tbSolid };

enum GridStyleType : std::uint8_t {
    gsNone,
    gsPoints,
    gsVertLines,
    gsHorizLines,
    gsLines,
    gsHorizDotLines,
    gsVertDotLines,
    gsDotLines
};

// Longest text kept in an item's own Text; longer texts go to the long-text table.
constexpr int MaxShortTextLength = 15;
constexpr int MaxLongTexts = 50;
// Long texts of one list; an item's LWid n (1..50) names entry n - 1.
using TLongTextArray = std::array<QString, MaxLongTexts>;

struct TChartItem {
    double x = 0;
    double y = 0;
    double x2 = 0;
    double y2 = 0;
    TColor Color = clBlack;
    TColor FillColor = clBlack;
    TColor ShadowColor = clBlack;
    TColor HiLightColor = clBlack;
    TPenStyle PenStyle = psSolid;
    std::int32_t Tag = 0;
    // Line width in pixels; in text items the number of the long text (0 = none).
    std::int32_t LWid = 0;
    std::uint8_t ItemClass = 0;
    TChartItemKind ItemKind = tkNone;
    std::int32_t Layer = 1;
    bool Transp = false;
    TFrameStyle FrameStyle = fsNone;
    QString Text; // at most MaxShortTextLength characters
    std::int32_t Param1 = 0;
    std::int32_t Param2 = 0;
    std::int32_t Param3 = 0;
    TCoordMode CoordMode = cmAllWorld;

    friend bool operator==(const TChartItem&, const TChartItem&) = default;
};

// Sets (Mark true) or clears the bits of a mark mask in an item's tag.
inline void SetMarkBits(TChartItem& item, int markMask, bool mark) {
    item.Tag = mark ? (item.Tag | markMask) : (item.Tag & ~markMask);
}

// Tag under the mask (a zero mask matches every tag), class and kind.
inline bool ItemMatches(const TChartItem& item, int tag, int tagMask, int itemClass,
                        TChartItemKind kind) {
    return (item.Tag & tagMask) == (tag & tagMask) && ClassMatches(itemClass, item.ItemClass) &&
           KindMatches(kind, item.ItemKind);
}
