// Editing stored data items: scaling their world values, new colours and
// marks in their tags.

#include "chart/ChartDrawingList.h"

#include <cmath>

namespace {

// The second point is a point of the world (not a length or a pixel offset).
bool HasSecondPoint(TChartItemKind kind) {
    switch (kind) {
    case tkLine:
    case tkRect:
    case tkRectFrame:
    case tk3DBar:
    case tkArrow:
    case tkDoubleArrow:
    case tkLineOffs:
        return true;
    default:
        return false;
    }
}

void Scale(TChartItem& item, double fx, double ox, double fy, double oy) {
    switch (item.ItemKind) {
    case tkMoveRelPix:
    case tkLineRelPix:
        return; // pixel offsets from the pen only
    case tkCursorVert:
        item.x = item.x * fx + ox;
        return;
    case tkCursorHoriz:
        item.y = item.y * fy + oy;
        return;
    case tkEllipse:
    case tkArc:
        item.x2 *= std::abs(fx);
        item.y2 *= std::abs(fy);
        break;
    case tkMarkEBar: {
        // Param1 0: the extents lie along y, 1: along x.
        const double f = std::abs(item.Param1 == 1 ? fx : fy);
        item.x2 *= f;
        item.y2 *= f;
        break;
    }
    default:
        if (HasSecondPoint(item.ItemKind)) {
            item.x2 = item.x2 * fx + ox;
            item.y2 = item.y2 * fy + oy;
        }
        break;
    }
    item.x = item.x * fx + ox;
    item.y = item.y * fy + oy;
}

} // namespace

void TChartDrawingList::ScaleItem(int Index, double FactX, double OffsX, double FactY,
                                  double OffsY) {
    if (Index < 0 || Index >= NumItems())
        return;
    Scale(DataListRef().Items[Count(Index)], FactX, OffsX, FactY, OffsY);
}

void TChartDrawingList::ScaleAllItems(double FactX, double OffsX, double FactY, double OffsY) {
    for (TChartItem& item : DataListRef().InUse())
        Scale(item, FactX, OffsX, FactY, OffsY);
}

int TChartDrawingList::ScaleSelectedItems(int Tag, int TagMask, int ItemClass,
                                          TChartItemKind ItemKind, double FactX, double OffsX,
                                          double FactY, double OffsY) {
    int n = 0;
    for (TChartItem& item : DataListRef().InUse())
        if (ItemMatches(item, Tag, TagMask, ItemClass, ItemKind)) {
            Scale(item, FactX, OffsX, FactY, OffsY);
            ++n;
        }
    return n;
}

int TChartDrawingList::NewColorOfClassItems(int ItemClass, TColor NewColor) {
    int n = 0;
    for (TChartItem& item : DataListRef().InUse())
        if (ClassMatches(ItemClass, item.ItemClass)) {
            item.Color = NewColor;
            ++n;
        }
    return n;
}

int TChartDrawingList::MarkAllItems(int MarkMask, bool Mark, int ItemClass,
                                    TChartItemKind ItemKind) {
    int n = 0;
    for (TChartItem& item : DataListRef().InUse())
        if (ClassMatches(ItemClass, item.ItemClass) && KindMatches(ItemKind, item.ItemKind)) {
            SetMarkBits(item, MarkMask, Mark);
            ++n;
        }
    return n;
}
