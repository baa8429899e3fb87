// Editing stored data items: what scaling does to each kind's fields, and the
// selectors of the selected scaling, the class colours and the marks.

#include "chart/ChartDrawingList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

TEST(ItemEditing, ScalingMovesPointsAndScalesLengthsByTheItemRecord) {
    // x -> 2x + 1, y -> -3y + 10.
    const struct {
        const char* Kind;
        std::function<void(TChartDrawingList&)> Append;
        double X, Y, X2, Y2;
    } cases[] = {
        {"MoveTo", [](auto& l) { l.MoveTo(1.0, 2.0); }, 3, 4, 0, 0},
        {"Line", [](auto& l) { l.Line(1.0, 2.0, 3.0, 4.0); }, 3, 4, 7, -2},
        {"Rectangle", [](auto& l) { l.Rectangle(1.0, 2.0, 3.0, 4.0); }, 3, 4, 7, -2},
        {"Bar3D", [](auto& l) { l.Bar3D(1, 2, 3, 4, 5, 30); }, 3, 4, 7, -2},
        {"DoubleArrow", [](auto& l) { l.DoubleArrow(1.0, 2.0, 3.0, 4.0, 6); }, 3, 4, 7, -2},
        {"Ellipse axes by the factors alone", [](auto& l) { l.Ellipse(1, 2, 3, 4); }, 3, 4, 6, 12},
        {"Arc", [](auto& l) { l.Arc(1, 2, 3, 4, 10, 80); }, 3, 4, 6, 12},
        {"vertical error bar: extents along y",
         [](auto& l) { l.MarkErrorBar(1, 2, 0.5, 1.5, 0, 1); }, 3, 4, 1.5, 4.5},
        {"horizontal error bar: extents along x",
         [](auto& l) { l.MarkErrorBar(1, 2, 0.5, 1.5, 1, 1); }, 3, 4, 1, 3},
        {"text offset in pixels stays",
         [](auto& l) { l.Text(1.0, 2.0, 8, QStringLiteral("t"), 5, 6, taLeftJustify); }, 3, 4, 5,
         6},
        {"cursor moves along x only", [](auto& l) { l.CursorVert(1); }, 3, 0, 0, 0},
        {"cursor moves along y only", [](auto& l) { l.CursorHoriz(2); }, 0, 4, 0, 0},
        {"pen move by pixels stays", [](auto& l) { l.MoveToRelPix(4, 5); }, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TChartDrawingList list;
        c.Append(list);
        TChartItem expected = list.DataContainer(0);
        expected.x = c.X;
        expected.y = c.Y;
        expected.x2 = c.X2;
        expected.y2 = c.Y2;
        list.ScaleItem(0, 2, 1, -3, 10);
        EXPECT_EQ(list.DataContainer(0), expected) << c.Kind;
        // The whole list the same way, and an index outside it is ignored.
        TChartDrawingList all;
        c.Append(all);
        all.ScaleItem(1, 100, 100, 100, 100);
        all.ScaleItem(-1, 100, 100, 100, 100);
        all.ScaleAllItems(2, 1, -3, 10);
        EXPECT_EQ(all.DataContainer(0), expected) << c.Kind;
    }
}

TEST(ItemEditing, SelectorsChooseTheItemsReached) {
    // Items: tag, class, kind.
    auto fill = [](TChartDrawingList& l) {
        l.SetDataTag(0x11);
        l.SetClassDefault(3);
        l.MoveTo(1.0, 1.0);
        l.DrawTo(2.0, 2.0);
        l.SetDataTag(0x10);
        l.SetClassDefault(4);
        l.DrawTo(3.0, 3.0);
        l.SetDataTag(0x01);
        l.Line(4.0, 4.0, 5.0, 5.0);
    };
    const struct {
        const char* Case;
        int Tag, TagMask, ItemClass;
        TChartItemKind Kind;
        std::vector<int> Reached;
    } selections[] = {
        {"every item", 0, 0, 255, tkEverything, {0, 1, 2, 3}},
        {"tag bit 0x10", 0x10, 0x10, 255, tkEverything, {0, 1, 2}},
        {"tag bit 0x10 of class 4", 0x10, 0x10, 4, tkEverything, {2}},
        {"every kind but moves", 0, 0, 255, tkNotMoveTo, {1, 2, 3}},
        {"lines of class 3", 0, 0, 3, tkLine, {}},
    };
    for (const auto& s : selections) {
        TChartDrawingList list;
        fill(list);
        EXPECT_EQ(list.ScaleSelectedItems(s.Tag, s.TagMask, s.ItemClass, s.Kind, 1, 100, 1, 0),
                  static_cast<int>(s.Reached.size()))
            << s.Case;
        for (int i = 0; i < list.NumItems(); ++i) {
            const bool reached =
                std::find(s.Reached.begin(), s.Reached.end(), i) != s.Reached.end();
            EXPECT_EQ(list.DataContainer(i).x, (i + 1) + (reached ? 100 : 0)) << s.Case << " " << i;
        }
    }

    TChartDrawingList list;
    fill(list);
    EXPECT_EQ(list.NewColorOfClassItems(4, clRed), 2);
    EXPECT_EQ(list.DataContainer(1).Color, clBlack);
    EXPECT_EQ(list.DataContainer(3).Color, clRed);
    EXPECT_EQ(list.NewColorOfClassItems(255, clBlue), 4);
    EXPECT_EQ(list.DataContainer(0).Color, clBlue);

    // Marks are bits in the tag: set for one class's segments, then found and
    // cleared again, the other bits kept.
    EXPECT_EQ(list.MarkAllItems(0x100, true, 4, tkNotMoveTo), 2);
    EXPECT_EQ(list.DataContainer(2).Tag, 0x110);
    EXPECT_EQ(list.DataContainer(3).Tag, 0x101);
    EXPECT_EQ(list.DataContainer(1).Tag, 0x11);
    EXPECT_EQ(list.SearchDataItem(0, 0x100, 0x100, 255, tkEverything), 2);
    EXPECT_EQ(list.MarkAllItems(0x101, false, 255, tkEverything), 4);
    EXPECT_EQ(list.DataContainer(0).Tag, 0x10);
    EXPECT_EQ(list.DataContainer(2).Tag, 0x10);
    EXPECT_EQ(list.DataContainer(3).Tag, 0x00);
    // Scaling and marking never touch the annotation list.
    list.SetAnnoMode(true);
    list.SetDataTag(0);
    list.MarkAt(7.0, 7.0, 0);
    list.ScaleAllItems(2, 0, 2, 0);
    list.MarkAllItems(1, true, 255, tkEverything);
    EXPECT_EQ(list.AnnoContainer(0).x, 7.0);
    EXPECT_EQ(list.AnnoContainer(0).Tag, 0);
}
