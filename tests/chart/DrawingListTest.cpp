#include "chart/ChartDrawingList.h"
#include "chart/ChartErrors.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>

namespace {

// Exposes the protected clearing step and counts the repaint hooks.
class TTestList : public TChartDrawingList {
public:
    using TChartDrawingList::ClearDataList;
    int paints = 0;
    int autoRepaints = 0;

protected:
    void Paint() override { ++paints; }
    void RepaintIfAuto() override { ++autoRepaints; }
};

static_assert(std::is_base_of_v<Exception, EComponentError>);
static_assert(std::is_base_of_v<EComponentError, EChartError>);

TEST(DrawingList, ItemsTakeASnapshotOfTheDrawingState) {
    TTestList list;
    list.SetDataCol(clRed);
    list.SetDataCol(clBlue); // only the last value before an append counts
    list.SetFillCol(clLime);
    list.SetPenStyle(psDash);
    list.SetLineWid(4);
    list.SetClassDefault(7);
    list.SetActiveLayer(2);
    list.SetDataTag(-42);
    list.SetTranspItems(true);
    list.DrawTo(1.5, 2.5);
    list.SetDataCol(clGreen);
    list.SetFillCol(clWhite);
    list.SetPenStyle(psDot);
    list.SetLineWid(1);
    list.SetClassDefault(3);
    list.SetActiveLayer(1);
    list.SetDataTag(5);
    list.SetTranspItems(false);
    list.Line(0.0, 0.0, 1.0, 1.0);

    const TChartItem a = list.DataContainer(0);
    EXPECT_EQ(a.ItemKind, tkLineto);
    EXPECT_EQ(a.Color, clBlue);
    EXPECT_EQ(a.FillColor, clLime);
    EXPECT_EQ(a.PenStyle, psDash);
    EXPECT_EQ(a.LWid, 4);
    EXPECT_EQ(a.ItemClass, 7);
    EXPECT_EQ(a.Layer, 2);
    EXPECT_EQ(a.Tag, -42);
    EXPECT_TRUE(a.Transp);
    const TChartItem b = list.DataContainer(1);
    EXPECT_EQ(b.Color, clGreen);
    EXPECT_EQ(b.FillColor, clWhite);
    EXPECT_EQ(b.PenStyle, psDot);
    EXPECT_EQ(b.LWid, 1);
    EXPECT_EQ(b.ItemClass, 3);
    EXPECT_EQ(b.Layer, 1);
    EXPECT_EQ(b.Tag, 5);
    EXPECT_FALSE(b.Transp);
}

TEST(DrawingList, LineWidthThreeThenOne) {
    TTestList list;
    list.SetLineWid(3);
    list.Line(0, 10, 100000, 10);
    list.SetLineWid(1);
    list.Line(0.0, 1.0, 2.0, 3.0);
    list.Line(0.0, 4.0, 2.0, 5.0);
    EXPECT_EQ(list.DataContainer(0).LWid, 3);
    EXPECT_EQ(list.DataContainer(1).LWid, 1);
    EXPECT_EQ(list.DataContainer(2).LWid, 1);
    EXPECT_EQ(list.ItemCount(tkLine), 3);
}

struct TAppendCase {
    std::string name;
    std::function<void(TChartDrawingList&)> append;
    TChartItemKind kind;
    TCoordMode annoMode;
    double x, y, x2, y2;
};

// Each overload stores exact coordinates; the data list always says world,
// the annotation list keeps the mode of the overload.
TEST(DrawingList, OverloadsStoreTheirModeOnlyInTheAnnotationList) {
    const std::vector<TAppendCase> cases = {
        {"MoveTo(f,f)", [](auto& l) { l.MoveTo(1.5, 2.5); }, tkMoveTo, cmAllWorld, 1.5, 2.5, 0, 0},
        {"MoveTo(i,i)", [](auto& l) { l.MoveTo(0, 0); }, tkMoveTo, cmAllScreen, 0, 0, 0, 0},
        {"MoveTo(i,f)", [](auto& l) { l.MoveTo(3, 2.5); }, tkMoveTo, cmXScreenYWorld, 3, 2.5, 0, 0},
        {"MoveTo(f,i)", [](auto& l) { l.MoveTo(2.5, 3); }, tkMoveTo, cmXWorldYScreen, 2.5, 3, 0, 0},
        {"DrawTo(f,f)", [](auto& l) { l.DrawTo(-1.0, 7.25); }, tkLineto, cmAllWorld, -1, 7.25, 0,
         0},
        {"DrawTo(i,i)", [](auto& l) { l.DrawTo(4, 5); }, tkLineto, cmAllScreen, 4, 5, 0, 0},
        {"DrawTo(i,f)", [](auto& l) { l.DrawTo(17, 0.125); }, tkLineto, cmXScreenYWorld, 17, 0.125,
         0, 0},
        {"DrawTo(f,i)", [](auto& l) { l.DrawTo(0.125, 17); }, tkLineto, cmXWorldYScreen, 0.125, 17,
         0, 0},
        {"Line(f,f,f,f)", [](auto& l) { l.Line(1.0, 2.0, 3.0, 4.0); }, tkLine, cmAllWorld, 1, 2, 3,
         4},
        {"Line(i,i,i,i)", [](auto& l) { l.Line(0, 7, 100000, 7); }, tkLine, cmAllScreen, 0, 7,
         100000, 7},
        {"Line(f,f,i,i)", [](auto& l) { l.Line(1.5, 2.5, 3, 4); }, tkLine, cmWorldMainScreenSec,
         1.5, 2.5, 3, 4},
        {"Line(i,i,f,f)", [](auto& l) { l.Line(1, 2, 3.5, 4.5); }, tkLine, cmScreenMainWorldSec, 1,
         2, 3.5, 4.5},
    };
    for (const bool anno : {false, true}) {
        for (const TAppendCase& c : cases) {
            SCOPED_TRACE(c.name + (anno ? " annotation" : " data"));
            TTestList list;
            list.SetAnnoMode(anno);
            c.append(list);
            const TChartItem item = anno ? list.AnnoContainer(0) : list.DataContainer(0);
            EXPECT_EQ(list.NumItems(), anno ? 0 : 1);
            EXPECT_EQ(list.NumAnnos(), anno ? 1 : 0);
            EXPECT_EQ(list.ItemCount(c.kind), anno ? 0 : 1);
            EXPECT_EQ(item.ItemKind, c.kind);
            EXPECT_EQ(item.CoordMode, anno ? c.annoMode : cmAllWorld);
            EXPECT_EQ(item.x, c.x);
            EXPECT_EQ(item.y, c.y);
            EXPECT_EQ(item.x2, c.x2);
            EXPECT_EQ(item.y2, c.y2);
        }
    }
}

TEST(DrawingList, ThousandthItemAcceptedNextRefusedWithNothingChanged) {
    for (const bool annoMode : {false, true}) {
        SCOPED_TRACE(annoMode ? "annotation append" : "data append");
        TTestList list;
        list.SetAllocSize(7); // several reservations on the way
        list.MoveTo(0.0, 0.0);
        for (int i = 1; i < MaxChartItems; ++i)
            list.DrawTo(double(i), 1.0);
        ASSERT_EQ(list.NumItems(), 1000);
        list.SetAnnoMode(annoMode);
        const int annos = list.NumAnnos();
        const int allocData = list.NumAllocData();
        const int allocAnno = list.NumAllocAnno();
        try {
            list.DrawTo(5000.0, 5000.0);
            FAIL() << "no error raised";
        } catch (const EComponentError& e) {
            EXPECT_EQ(e.Message(), "Chart: number of elements too high");
        }
        EXPECT_THROW(list.Text(1.0, 1.0, 8, QStringLiteral("a long text of many chars")),
                     EComponentError);
        EXPECT_EQ(list.NumItems(), 1000);
        EXPECT_EQ(list.NumAnnos(), annos);
        EXPECT_EQ(list.NumAllocData(), allocData);
        EXPECT_EQ(list.NumAllocAnno(), allocAnno);
        EXPECT_EQ(list.NumLongTextsData() + list.NumLongTextsAnno(), 0);
        EXPECT_EQ(list.ItemCount(tkLineto), 999);
        EXPECT_EQ(list.ItemCount(tkText), 0);
        EXPECT_EQ(list.DataContainer(999).x, 999.0);
        EXPECT_EQ(list.TypeOfLastItem(), tkLineto);
    }
}

TEST(DrawingList, SlotsAreReservedInStepsOfAllocSize) {
    TTestList list;
    EXPECT_EQ(list.AllocSize(), 1000);
    list.SetAllocSize(3);
    list.SetAllocSize(0); // both outside 1..1,000,000: ignored
    list.SetAllocSize(1000001);
    EXPECT_EQ(list.AllocSize(), 3);
    EXPECT_EQ(list.NumAllocData(), 0);
    list.MoveTo(0.25, 0.5);
    EXPECT_EQ(list.NumAllocData(), 3);
    for (int i = 0; i < 3; ++i)
        list.DrawTo(double(i), double(i));
    EXPECT_EQ(list.NumAllocData(), 6);
    // Items keep their values across the growth.
    EXPECT_EQ(list.DataContainer(0).x, 0.25);
    EXPECT_EQ(list.DataContainer(0).y, 0.5);
    EXPECT_EQ(list.DataContainer(3).x, 2.0);
    list.SetAnnoMode(true);
    list.MoveTo(1, 1);
    EXPECT_EQ(list.NumAllocAnno(), 3);
    EXPECT_EQ(list.NumAllocData(), 6);
}

TEST(DrawingList, ClearingTheDataListKeepsAnnotationsAndDoesNotPaint) {
    TTestList list;
    list.MoveTo(0.0, 0.0);
    list.DrawTo(1.0, 1.0);
    list.Line(0.0, 0.0, 1.0, 1.0);
    list.SetAnnoMode(true);
    list.Text(5, 5, 8, QStringLiteral("annotation text, long"));
    list.SetAnnoMode(false);
    list.paints = list.autoRepaints = 0;
    list.ClearDataList();
    EXPECT_EQ(list.NumItems(), 0);
    EXPECT_EQ(list.NumAllocData(), 0);
    for (int k = 0; k < NumChartItemKinds; ++k)
        EXPECT_EQ(list.ItemCount(TChartItemKind(k)), 0) << k;
    EXPECT_EQ(list.TypeOfFirstItem(), tkNone);
    EXPECT_EQ(list.DataContainer(0).ItemKind, tkNone);
    EXPECT_EQ(list.NumAnnos(), 1);
    EXPECT_EQ(list.AnnoContainer(0).ItemKind, tkText);
    EXPECT_EQ(list.NumLongTextsAnno(), 1);
    EXPECT_EQ(list.paints + list.autoRepaints, 0);
    // Appending starts again with a fresh reservation.
    list.DrawTo(2.0, 3.0);
    EXPECT_EQ(list.NumAllocData(), 1000);
    EXPECT_EQ(list.TypeOfFirstItem(), tkLineto);
}

TEST(DrawingList, LongTextsGoToTheListsTable) {
    TTestList list;
    list.SetTextAlignment(taRightJustify);
    list.SetTextBkStyle(tbSolid);
    const QString exact = QStringLiteral("fifteen chars!!");
    list.Text(1.0, 2.0, 9, exact);
    list.Text(1.0, 2.0, 9, QStringLiteral("sixteen chars!!!"));
    const TChartItem shortItem = list.DataContainer(0);
    EXPECT_EQ(shortItem.Text, exact);
    EXPECT_EQ(shortItem.LWid, 0);
    EXPECT_EQ(shortItem.Param1, 9);
    EXPECT_EQ(shortItem.Param2, tbSolid);
    EXPECT_EQ(shortItem.Param3, taRightJustify);
    const TChartItem longItem = list.DataContainer(1);
    EXPECT_EQ(longItem.Text, QStringLiteral("sixteen chars!!"));
    EXPECT_EQ(longItem.LWid, 1);
    EXPECT_EQ(list.LongTextsData()[0], QStringLiteral("sixteen chars!!!"));

    for (int i = 2; i <= MaxLongTexts; ++i)
        list.Text(0.0, 0.0, 8, QStringLiteral("long text number %1").arg(i));
    EXPECT_EQ(list.DataContainer(MaxLongTexts).LWid, MaxLongTexts);
    // The table is full: the 51st long text is only kept cut short.
    list.Text(0.0, 0.0, 8, QStringLiteral("one long text too many"));
    const TChartItem cut = list.DataContainer(MaxLongTexts + 1);
    EXPECT_EQ(cut.LWid, 0);
    EXPECT_EQ(cut.Text, QStringLiteral("one long text t"));
    EXPECT_EQ(list.NumLongTextsData(), MaxLongTexts);

    // Annotations have their own table, emptied by ClearAnnotations.
    list.SetAnnoMode(true);
    list.Text(0.0, 0.0, 8, QStringLiteral("annotation long text"), 4, -3, taLeftJustify);
    const TChartItem ofs = list.AnnoContainer(0);
    EXPECT_EQ(ofs.ItemKind, tkTextOfs);
    EXPECT_EQ(ofs.x2, 4);
    EXPECT_EQ(ofs.y2, -3);
    EXPECT_EQ(ofs.Param3, taLeftJustify);
    EXPECT_EQ(ofs.LWid, 1);
    EXPECT_EQ(list.LongTextsAnno()[0], QStringLiteral("annotation long text"));
    list.Text(0.0, 0.0, 8, QStringLiteral("x"), 0, 0, taCenter);
    EXPECT_EQ(list.AnnoContainer(1).ItemKind, tkText);
    list.paints = 0;
    list.ClearAnnotations();
    EXPECT_EQ(list.paints, 1);
    EXPECT_EQ(list.NumAnnos(), 0);
    EXPECT_EQ(list.NumLongTextsAnno(), 0);
    EXPECT_TRUE(list.LongTextsAnno()[0].isEmpty());
    EXPECT_EQ(list.NumLongTextsData(), MaxLongTexts);
}

TEST(DrawingList, ContainersReadCopiesAndWriteOnlyInRange) {
    TTestList list;
    list.MoveTo(1.0, 1.0);
    list.DrawTo(2.0, 2.0);
    for (const int idx : {-1, 2, 1000}) {
        EXPECT_EQ(list.DataContainer(idx).ItemKind, tkNone) << idx;
        EXPECT_EQ(list.AnnoContainer(idx).ItemKind, tkNone) << idx;
    }
    TChartItem item = list.DataContainer(1);
    item.ItemKind = tkLine;
    item.x2 = 9;
    list.SetDataContainer(1, item);
    list.SetDataContainer(2, item); // outside: nothing
    list.SetAnnoContainer(0, item);
    EXPECT_EQ(list.NumItems(), 2);
    EXPECT_EQ(list.NumAnnos(), 0);
    EXPECT_EQ(list.DataContainer(1), item);
    EXPECT_EQ(list.ItemCount(tkLine), 1);
    EXPECT_EQ(list.ItemCount(tkLineto), 0);
    EXPECT_EQ(list.TypeOfFirstItem(), tkMoveTo);
    EXPECT_EQ(list.TypeOfLastItem(), tkLine);
}

TEST(DrawingList, RemoveSearchAndCount) {
    TTestList list;
    // index: kind class layer tag
    list.SetDataTag(0x11);
    list.MoveTo(0.0, 0.0); // 0: moveto 0 1 0x11
    list.SetClassDefault(2);
    list.DrawTo(1.0, 1.0); // 1: lineto 2 1 0x11
    list.SetActiveLayer(2);
    list.SetDataTag(0x21);
    list.DrawTo(2.0, 2.0); // 2: lineto 2 2 0x21
    list.SetClassDefault(5);
    list.Line(0.0, 0.0, 3.0, 3.0); // 3: line 5 2 0x21

    EXPECT_EQ(list.SearchDataItem(0, 0, 0, 255, tkEverything), 0);
    EXPECT_EQ(list.SearchDataItem(0, 0, 0, 255, tkNotMoveTo), 1);
    EXPECT_EQ(list.SearchDataItem(2, 0, 0, 255, tkLineto), 2);
    EXPECT_EQ(list.SearchDataItem(0, 0x20, 0xF0, 255, tkEverything), 2);
    EXPECT_EQ(list.SearchDataItem(0, 0x01, 0x0F, 5, tkEverything), 3);
    EXPECT_EQ(list.SearchDataItem(0, 0, 0, 9, tkEverything), -1);
    EXPECT_EQ(list.SearchDataItem(4, 0, 0, 255, tkEverything), -1);

    list.RemoveItem(1);
    EXPECT_EQ(list.NumItems(), 3);
    EXPECT_EQ(list.DataContainer(1).x, 2.0);
    EXPECT_EQ(list.ItemCount(tkLineto), 1);
    list.RemoveItem(7); // ignored
    list.RemoveItemsByLayer(2);
    EXPECT_EQ(list.NumItems(), 1);
    EXPECT_EQ(list.ItemCount(tkLine), 0);
    EXPECT_EQ(list.ItemCount(tkMoveTo), 1);
    list.RemoveLastItem();
    EXPECT_EQ(list.NumItems(), 0);
    EXPECT_EQ(list.ItemCount(tkMoveTo), 0);

    list.SetAnnoMode(true);
    list.SetClassDefault(1);
    list.MoveTo(0, 0);
    list.DrawTo(1, 1);
    list.SetClassDefault(4);
    list.DrawTo(2, 2);
    EXPECT_EQ(list.CountAnnos(0, 0, 255, tkEverything), 3);
    EXPECT_EQ(list.CountAnnos(0, 0, 255, tkLineto), 2);
    EXPECT_EQ(list.CountAnnos(0, 0, 4, tkEverything), 1);
    EXPECT_EQ(list.SearchAnnoItem(0, 0, 0, 4, tkLineto), 2);
    list.RemoveAnnoItem(0);
    EXPECT_EQ(list.NumAnnos(), 2);
    EXPECT_EQ(list.AnnoContainer(0).ItemKind, tkLineto);

    list.SetAnnoMode(false);
    list.SetClassDefault(1);
    list.DrawTo(1.0, 1.0);
    list.SetClassDefault(4);
    list.DrawTo(1.0, 1.0);
    list.RemoveItemsByClass(1);
    EXPECT_EQ(list.NumItems(), 1);
    EXPECT_EQ(list.DataContainer(0).ItemClass, 4);
    list.RemoveItemsByClass(255);
    EXPECT_EQ(list.NumItems(), 0);
    EXPECT_EQ(list.ItemCount(tkLineto), 0);
}

TEST(DrawingList, SettersIgnoreInvalidValuesAndCallTheRepaintHooks) {
    TTestList list;
    list.SetClassDefault(254);
    list.SetClassDefault(255);
    EXPECT_EQ(list.ClassDefault(), 254);
    list.SetActiveLayer(2);
    list.SetActiveLayer(3);
    list.SetActiveLayer(0);
    EXPECT_EQ(list.ActiveLayer(), 2);
    EXPECT_EQ(list.autoRepaints, 3);
    list.SetTextAlignment(taLeftJustify);
    EXPECT_EQ(list.autoRepaints, 4);
    EXPECT_EQ(list.paints, 0);

    list.SetAnnoMode(true);
    EXPECT_EQ(list.paints, 1);
    // Filter entries repaint only when they change.
    list.SetClassVisible(3, true);
    list.SetLayerVisible(1, true);
    EXPECT_EQ(list.paints, 1);
    list.SetClassVisible(3, false);
    list.SetAnnoClassVisible(3, false);
    list.SetLayerVisible(2, false);
    EXPECT_EQ(list.paints, 4);
    EXPECT_FALSE(list.ClassVisible(3));
    EXPECT_TRUE(list.ClassVisible(4));
    EXPECT_FALSE(list.AnnoClassVisible(3));
    EXPECT_FALSE(list.LayerVisible(2));
    EXPECT_TRUE(list.LayerVisible(1));

    // Appending never paints.
    list.paints = list.autoRepaints = 0;
    list.SetDataCol(clRed);
    list.SetLineWid(2);
    list.MoveTo(0.0, 0.0);
    list.Rectangle(0.0, 0.0, 1.0, 1.0);
    EXPECT_EQ(list.paints + list.autoRepaints, 0);
}

TEST(DrawingList, OtherOperationsAppendTheirKind) {
    TTestList list;
    list.MarkAt(1.0, 2.0, 4);
    list.MarkErrorBar(1.0, 2.0, 0.5, 0.25, 1, 3);
    list.MoveToRelPix(3, -4);
    list.DrawToRelPix(5, 6);
    list.DrawToRelPix(1.0, 2.0, 7, 8);
    list.Rectangle(0.0, 0.0, 1.0, 1.0);
    list.RectangleRelPix(1.0, 1.0, 4, 5);
    list.RectFrame(0.0, 0.0, 1.0, 1.0, fsLowered, clGray, clWhite);
    list.Bar3D(0.0, 0.0, 1.0, 1.0, 6, 30);
    list.Ellipse(0.0, 0.0, 2.0, 1.0);
    list.Arc(0.0, 0.0, 2.0, 1.0, 10, 80);
    list.Arrow(0.0, 0.0, 1.0, 1.0, 8);
    list.DoubleArrow(0, 0, 10, 10, 6);
    list.LineOffset(0.0, 0.0, 1.0, 1.0, 2, -2);
    list.CursorVert(0.5);
    list.CursorHoriz(0.75);
    const std::vector<TChartItemKind> kinds = {
        tkMarkAt,         tkMarkEBar, tkMoveRelPix, tkLineRelPix,
        tkLineRelPixOrig, tkRect,     tkRectRelPix, tkRectFrame,
        tk3DBar,          tkEllipse,  tkArc,        tkArrow,
        tkDoubleArrow,    tkLineOffs, tkCursorVert, tkCursorHoriz};
    ASSERT_EQ(list.NumItems(), static_cast<int>(kinds.size()));
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(list.DataContainer(int(i)).ItemKind, kinds[i]) << i;
        EXPECT_EQ(list.ItemCount(kinds[i]), 1) << i;
    }
    EXPECT_EQ(list.DataContainer(0).Param3, 4);
    const TChartItem frame = list.DataContainer(7);
    EXPECT_EQ(frame.FrameStyle, fsLowered);
    EXPECT_EQ(frame.ShadowColor, clGray);
    EXPECT_EQ(frame.HiLightColor, clWhite);
    EXPECT_EQ(list.DataContainer(8).Param1, 6);
    EXPECT_EQ(list.DataContainer(8).Param2, 30);
    EXPECT_EQ(list.DataContainer(10).Param2, 80);
    EXPECT_EQ(list.DataContainer(13).Param2, -2);
    EXPECT_EQ(list.DataContainer(15).y, 0.75);
}

} // namespace
