#pragma once

// The chart's drawing lists: the data list and the annotation list, the
// drawing state that every appended item takes a snapshot of, and the filters
// the rendering pass reads. Appending never paints; the few setters that
// repaint call the hooks Paint() and RepaintIfAuto(), which the chart overrides.
//
// Where each item kind keeps its arguments:
//   tkMarkAt          x, y; Param3 mark type
//   tkMarkEBar        x, y; x2 lower extent, y2 upper extent; Param1 direction
//                     (0 vertical, 1 horizontal); Param3 mark type
//   tkText, tkTextOfs x, y; x2, y2 pixel offset (tkTextOfs); Param1 font size;
//                     Param2 background (TTextBkg); Param3 alignment; LWid long text
//   tkMoveRelPix, tkLineRelPix   Param1, Param2 pixel offset
//   tkLineRelPixOrig  x, y; Param1, Param2 pixel offset from it
//   tkRectRelPix      x, y centre; Param1, Param2 half width and half height in pixels
//   tkRectFrame       corners; FrameStyle, ShadowColor, HiLightColor
//   tk3DBar           corners; Param1 depth in pixels, Param2 angle in degrees
//   tkEllipse, tkArc  x, y centre; x2, y2 axis lengths; tkArc: Param1, Param2
//                     start and end angle in degrees, counter-clockwise from +x
//   tkArrow, tkDoubleArrow   segment; Param1 head size in pixels
//   tkLineOffs        segment; Param1, Param2 pixel offset
//   tkCursorVert      x;   tkCursorHoriz   y

#include "chart/ChartItem.h"

#include <QString>
#include <array>
#include <functional>
#include <span>
#include <vector>

// Most data items a chart holds.
constexpr int MaxChartItems = 1000;

// A list's storage: its size is the number of reserved slots.
using TChartItemContainer = std::vector<TChartItem>;

// One drawing list: its items (the first NumItems of Items are in use, NumAlloc
// slots are reserved), its long texts and its per-kind counters (kept for the
// data list only).
struct TItemList {
    TChartItemContainer Items = TChartItemContainer(1);
    int NumItems = 0;
    int NumAlloc = 0;
    TLongTextArray LongTexts;
    int NumLongTexts = 0;
    std::array<std::int32_t, NumChartItemKinds> KindCount{};

    std::span<const TChartItem> InUse() const {
        return {Items.data(), static_cast<std::size_t>(NumItems)};
    }
    std::span<TChartItem> InUse() { return {Items.data(), static_cast<std::size_t>(NumItems)}; }
    // Counts the kinds of the items in use afresh.
    void Recount();
    // No items, one slot, no slots reserved; the long texts are kept.
    void ClearItems();

    friend bool operator==(const TItemList&, const TItemList&) = default;
};

class TChartDrawingList {
public:
    TChartDrawingList();
    // Charts that show this list's data go back to a list of their own.
    virtual ~TChartDrawingList();
    TChartDrawingList(const TChartDrawingList&) = delete;
    TChartDrawingList& operator=(const TChartDrawingList&) = delete;

    // --- drawing state ---------------------------------------------------
    TColor DataColor() const { return FDataCol; }
    void SetDataCol(TColor value) { FDataCol = value; }
    TColor FillColor() const { return FFillCol; }
    void SetFillCol(TColor value) { FFillCol = value; }
    TColor TextBkColor() const { return FFillCol; }
    void SetTextBkColor(TColor value) { FFillCol = value; }
    TPenStyle PenStyle() const { return FPenStyle; }
    void SetPenStyle(TPenStyle value) { FPenStyle = value; }
    std::uint8_t LineWidth() const { return FLineWid; }
    void SetLineWid(std::uint8_t value) { FLineWid = value; }
    std::uint8_t ClassDefault() const { return FClassDefault; }
    void SetClassDefault(std::uint8_t value); // 255 is ignored
    int ActiveLayer() const { return FActiveLayer; }
    void SetActiveLayer(int value); // only 1 or 2; repaints when AutoRedraw
    int DataTag() const { return FDataTag; }
    void SetDataTag(int value) { FDataTag = value; }
    bool TransparentItems() const { return FTranspItems; }
    void SetTranspItems(bool value) { FTranspItems = value; }
    TAlignment TextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(TAlignment value); // repaints when AutoRedraw
    TTextBkg TextBkStyle() const { return FTextBkStyle; }
    void SetTextBkStyle(TTextBkg value) { FTextBkStyle = value; }
    bool AnnoMode() const { return FAnnoMode; }
    void SetAnnoMode(bool value); // calls Paint
    int AllocSize() const { return FAllocSize; }
    void SetAllocSize(int value); // only 1..1,000,000

    // --- filters -----------------------------------------------------------
    // Changing an entry to a different value repaints (Paint).
    bool ClassVisible(int itemClass) const;
    void SetClassVisible(int itemClass, bool value);
    bool AnnoClassVisible(int itemClass) const;
    void SetAnnoClassVisible(int itemClass, bool value);
    bool LayerVisible(int layer) const; // layer 1 or 2; false for others
    void SetLayerVisible(int layer, bool value);
    // These repaint when AutoRedraw and the value changes.
    bool AnnosVisible() const { return FAnnosVisible; }
    void SetAnnosVisible(bool value);
    bool AnnoBelowChart() const { return FAnnoBelowChart; }
    void SetAnnoBelowChart(bool value);
    bool AnnoTextOnTop() const { return FAnnoTextOnTop; }
    void SetAnnoTextOnTop(bool value);

    // --- appending ----------------------------------------------------------
    // Integer arguments are taken as exact floats; in the annotation list they
    // mean pixels (the mode is kept), in the data list they are world values.
    void MoveTo(double x, double y) { MoveToIntern(x, y, cmAllWorld); }
    void MoveTo(int x, int y) { MoveToIntern(x, y, cmAllScreen); }
    void MoveTo(int x, double y) { MoveToIntern(x, y, cmXScreenYWorld); }
    void MoveTo(double x, int y) { MoveToIntern(x, y, cmXWorldYScreen); }
    void DrawTo(double x, double y) { DrawToIntern(x, y, cmAllWorld); }
    void DrawTo(int x, int y) { DrawToIntern(x, y, cmAllScreen); }
    void DrawTo(int x, double y) { DrawToIntern(x, y, cmXScreenYWorld); }
    void DrawTo(double x, int y) { DrawToIntern(x, y, cmXWorldYScreen); }
    void Line(double x1, double y1, double x2, double y2) {
        LineIntern(x1, y1, x2, y2, cmAllWorld);
    }
    void Line(int x1, int y1, int x2, int y2) { LineIntern(x1, y1, x2, y2, cmAllScreen); }
    void Line(double x1, double y1, int x2, int y2) {
        LineIntern(x1, y1, x2, y2, cmWorldMainScreenSec);
    }
    void Line(int x1, int y1, double x2, double y2) {
        LineIntern(x1, y1, x2, y2, cmScreenMainWorldSec);
    }
    void MoveToIntern(double x, double y, TCoordMode mode);
    void DrawToIntern(double x, double y, TCoordMode mode);
    void LineIntern(double x1, double y1, double x2, double y2, TCoordMode mode);

    void MarkAt(double x, double y, int mk);
    void MarkAt(int x, int y, int mk);
    void MarkErrorBar(double x, double y, double dlower, double dupper, int Dir, int mk);
    // Texts: alignment TextAlignment, background TextBkStyle.
    void Text(double x, double y, int size, const QString& txt);
    void Text(int x, int y, int size, const QString& txt);
    void Text(int x, double y, int size, const QString& txt);
    void Text(double x, int y, int size, const QString& txt);
    // With an offset other than (0, 0) the kind is tkTextOfs.
    void Text(double x, double y, int size, const QString& txt, int dx, int dy,
              TAlignment Alignment);
    void MoveToRelPix(int dx, int dy);
    void DrawToRelPix(int dx, int dy);
    void DrawToRelPix(double x, double y, int dx, int dy);
    void Rectangle(double x1, double y1, double x2, double y2);
    void Rectangle(int x1, int y1, int x2, int y2);
    void RectangleRelPix(double centx, double centy, int dx, int dy);
    void RectFrame(double x1, double y1, double x2, double y2, TFrameStyle FrameStyle,
                   TColor ShadowColor, TColor HiLightColor);
    void Bar3D(double llx, double lly, double urx, double ury, int Depth, int Angle);
    void Ellipse(double cx, double cy, double HorizAxLeng, double VertAxLeng);
    void Arc(double cx, double cy, double HorizAxLeng, double VertAxLeng, int Angle1, int Angle2);
    void Arrow(double x1, double y1, double x2, double y2, int HeadSize);
    void Arrow(int x1, int y1, int x2, int y2, int HeadSize);
    void Arrow(double x1, double y1, int x2, int y2, int HeadSize);
    void Arrow(int x1, int y1, double x2, double y2, int HeadSize);
    void DoubleArrow(double x1, double y1, double x2, double y2, int HeadSize);
    void DoubleArrow(int x1, int y1, int x2, int y2, int HeadSize);
    void DoubleArrow(double x1, double y1, int x2, int y2, int HeadSize);
    void DoubleArrow(int x1, int y1, double x2, double y2, int HeadSize);
    void LineOffset(double x1, double y1, double x2, double y2, int dx, int dy);
    void CursorVert(double x);
    void CursorHoriz(double y);

    // --- reading -------------------------------------------------------------
    int NumItems() const { return FData->NumItems; }
    int NumAnnos() const { return FAnno.NumItems; }
    int NumAllocData() const { return FData->NumAlloc; }
    int NumAllocAnno() const { return FAnno.NumAlloc; }
    // Data items of one kind; 0 for a kind outside the 24.
    int ItemCount(TChartItemKind kind) const;
    // A copy of the item, or an item of kind tkNone outside the list.
    TChartItem DataContainer(int idx) const;
    TChartItem AnnoContainer(int idx) const;
    // Replace a stored item; nothing happens outside the list.
    void SetDataContainer(int idx, const TChartItem& item);
    void SetAnnoContainer(int idx, const TChartItem& item);
    TChartItemKind TypeOfFirstItem() const;
    TChartItemKind TypeOfLastItem() const;
    std::span<const TChartItem> DataItems() const { return FData->InUse(); }
    std::span<const TChartItem> AnnoItems() const { return FAnno.InUse(); }
    const TLongTextArray& LongTextsData() const { return FData->LongTexts; }
    const TLongTextArray& LongTextsAnno() const { return FAnno.LongTexts; }
    int NumLongTextsData() const { return FData->NumLongTexts; }
    int NumLongTextsAnno() const { return FAnno.NumLongTexts; }
    // The whole lists, as stored.
    const TItemList& DataList() const { return *FData; }
    const TItemList& AnnoList() const { return FAnno; }

    // --- removing, searching, counting -----------------------------------------
    // Out-of-range indexes are ignored.
    void RemoveItem(int Index);
    void RemoveFirstItem() { RemoveItem(0); }
    void RemoveLastItem() { RemoveItem(NumItems() - 1); }
    void RemoveItemsByClass(int ClassNumber); // 255: every class
    void RemoveItemsByLayer(int Layer);
    void RemoveAnnoItem(int Index);
    // First index >= StartIx whose tag matches under the mask (0 matches every
    // tag), class matches (255: any) and kind matches (tkEverything: any,
    // tkNotMoveTo: any but tkMoveTo); -1 when there is none.
    int SearchDataItem(int StartIx, int Tag, int TagMask, int ItemClass,
                       TChartItemKind ItemKind) const;
    int SearchAnnoItem(int StartIx, int Tag, int TagMask, int ItemClass,
                       TChartItemKind ItemKind) const;
    int CountAnnos(int Tag, int TagMask, int ItemClass, TChartItemKind ItemKind) const;

    // Empties the annotation list and its long texts, then Paint.
    void ClearAnnotations();

    // --- storing, loading and copying lists (ChartStorage.cpp) -----------------
    // docs/chart-file-formats.md describes both formats. A file holds one
    // list: its items, as stored, and its long texts; the per-kind counters
    // are counted afresh on loading.
    //  - SaveData and SaveAnno write the data or the annotation list in the
    //    binary format, SaveDataASC the data list in the text format.
    //  - LoadData and LoadAnno read either format (told apart by the first
    //    bytes), but only a file of their own list: a data file holds world
    //    values only, an annotation file keeps its items' coordinate modes.
    //  - Loading is all or nothing: the whole file is read and checked
    //    before anything changes, so a missing, unreadable, truncated,
    //    damaged, foreign or over-limit file (more than 1000 data items)
    //    leaves both lists exactly as they were and raises EChartFileError,
    //    naming the file and the byte or line where it is wrong.
    //  - A loaded list replaces the list and its long texts entirely, with
    //    one slot reserved per item. Through a chart that shares another's
    //    data (ShareDataOf), LoadData replaces the shared list, which every
    //    chart of the group then shows; SaveData saves the list it shows.
    //  - Like ClearGraf and appending, LoadData paints nothing (ShowGraf
    //    shows it); like ClearAnnotations, LoadAnno and CopyAnnoFrom Paint.
    //  - Saving raises EChartFileError when the file cannot be created or
    //    written completely (a full disk included). A regular file is
    //    replaced only once the new one is complete, so a failed save leaves
    //    the old file as it was.
    void SaveData(const QString& FileName) const;
    void SaveDataASC(const QString& FileName) const;
    void LoadData(const QString& FileName);
    void SaveAnno(const QString& FileName) const;
    void LoadAnno(const QString& FileName);
    // Replaces the annotation list and its long texts with a copy of
    // Source's; copying a list onto itself changes nothing.
    void CopyAnnoFrom(const TChartDrawingList& Source);

    // --- editing stored data items ---------------------------------------------
    // These change data items in place and, like appending, never paint: the
    // change shows at the next Paint or ShowGraf. They reach every item the
    // selectors name, shown or not (the picking operations of the chart look
    // only at what is drawn).
    //
    // Scaling maps an item's world values to x * FactX + OffsX and
    // y * FactY + OffsY, by what the item record holds: both points of the
    // two-point kinds (tkLine, tkRect, tkRectFrame, tk3DBar, tkArrow,
    // tkDoubleArrow, tkLineOffs); the first point of the others. Lengths in
    // world values are scaled without the offset and kept positive: the axis
    // lengths of tkEllipse and tkArc, the extents of tkMarkEBar (along the
    // axis of its direction). Pixel values stay as they are (offsets and sizes
    // in pixels, text offsets); a cursor moves along its own axis only.
    // ScaleItem ignores an index outside the list.
    void ScaleItem(int Index, double FactX, double OffsX, double FactY, double OffsY);
    void ScaleAllItems(double FactX, double OffsX, double FactY, double OffsY);
    // The items SearchDataItem would find with the same selectors; returns
    // how many were scaled.
    int ScaleSelectedItems(int Tag, int TagMask, int ItemClass, TChartItemKind ItemKind,
                           double FactX, double OffsX, double FactY, double OffsY);
    // The pen colour of every data item of a class (255: every class); returns
    // how many items were given it.
    int NewColorOfClassItems(int ItemClass, TColor NewColor);
    // An item is marked when the bits of a mark mask are set in its tag, so
    // that marked items are found and scaled with Tag = TagMask = MarkMask.
    // MarkAllItems sets (Mark true) or clears the mask's bits in every data
    // item of the class and kind; returns how many items it reached.
    int MarkAllItems(int MarkMask, bool Mark, int ItemClass, TChartItemKind ItemKind);

    // --- sharing the data list -----------------------------------------------
    // A list may show and edit the data list of another instead of its own
    // (UseDataOf). Every list of such a group sees the same items, counts,
    // per-kind counters and long texts: appending, removing, clearing or
    // loading through any of them changes them for all. A list keeps its own
    // data list aside meanwhile.
    //  - ShareDataOf(S) shares the data of S, or of the list S shares in turn,
    //    so a group always has one owner. Lists that shared this one's data
    //    move along and share the new owner's too.
    //  - ShareDataOf(nullptr), or of this list itself, or of a list that shares
    //    this one's data: back to its own data list as it was left.
    //  - An owner that goes away leaves each of its sharers a copy of the
    //    shared list as its own (they go on showing what they showed, no
    //    longer sharing).
    // Every list whose shown data changes gets RepaintIfAuto.
    void ShareDataOf(TChartDrawingList* Source);
    // The owner of the data this list shows; none when it shows its own.
    TChartDrawingList* DataSource() const { return FDataSource; }
    // The lists that show this list's data.
    const std::vector<TChartDrawingList*>& DataSharers() const { return FDataSharers; }
    // Every other list of this list's group: its owner and the owner's sharers.
    std::vector<TChartDrawingList*> ListsSharingData() const;

protected:
    // Repaint hooks, overridden by the chart: the full repaint, and the repaint
    // that happens only when AutoRedraw is on.
    virtual void Paint() {}
    virtual void RepaintIfAuto() {}

    // The list effects of clearing the chart: data counts, reserved slots,
    // per-kind counters and the shown-item marker back to nothing, storage
    // shrunk to one slot. The long texts of the data list are kept.
    void ClearDataList();
    // Empties the annotation list and its long texts, without painting.
    void ClearAnnoList();
    // Forgets both lists' long texts (the items keep their numbers).
    void ClearLongTexts();
    // The drawing state of a new list: black solid lines 1 pixel wide, silver
    // fill, class 0, layer 1, tag 0, opaque items, centred texts on a clear
    // background, storage in steps of 1000; without painting. The one place
    // these values come from, for a new list and for a chart's reset.
    void ResetDrawingState();
    // Every class and layer visible; without painting.
    void ResetVisibility();

    // After the shared data changed through one list: each list's shown-item
    // marker is kept within the list.
    void AdjustCanInfoOfSharedCharts();
    // The lists themselves, for the operations that edit, load and copy them.
    TItemList& DataListRef() { return *FData; }
    TItemList& AnnoListRef() { return FAnno; }

    // Index of the last data item shown by ShowGraf.
    int FLastElemOnShow = 0;

private:
    static std::size_t Count(int n) { return static_cast<std::size_t>(n); }
    void KeepMarkerInList();
    // Shows the owner's data (Owner has no owner itself).
    void AttachTo(TChartDrawingList* Owner);
    // Back to the own data list.
    void Detach();
    // The common append step: checks the limit, chooses the list, reserves,
    // stores the drawing-state snapshot and counts. Returns the stored item
    // so the caller can fill its kind-specific fields.
    TChartItem& AppendItem(TChartItemKind kind, TCoordMode mode);
    TChartItem& AppendText(TChartItemKind kind, double x, double y, int size, const QString& txt,
                           TAlignment alignment, TCoordMode mode);
    TChartItem& AppendSegment(TChartItemKind kind, double x1, double y1, double x2, double y2,
                              TCoordMode mode, int param1);
    void RemoveDataWhere(const std::function<bool(const TChartItem&)>& pred);

    TItemList FOwnData;
    // The data list shown: the own one, or the owner's while sharing.
    TItemList* FData = &FOwnData;
    TChartDrawingList* FDataSource = nullptr;
    std::vector<TChartDrawingList*> FDataSharers;
    TItemList FAnno;
    std::array<bool, 256> FClassVisible{};
    std::array<bool, 256> FAnnoClassVisible{};
    std::array<bool, 2> FLayerVisible{};
    // Annotations are visible, drawn above the data, texts on top.
    bool FAnnosVisible = true;
    bool FAnnoBelowChart = false;
    bool FAnnoTextOnTop = true;
    bool FAnnoMode = false;

    // Set by ResetDrawingState.
    TColor FDataCol{};
    TColor FFillCol{};
    TPenStyle FPenStyle{};
    std::uint8_t FLineWid{};
    std::uint8_t FClassDefault{};
    int FActiveLayer{};
    int FDataTag{};
    bool FTranspItems{};
    TAlignment FTextAlignment{};
    TTextBkg FTextBkStyle{};
    int FAllocSize{};
};
