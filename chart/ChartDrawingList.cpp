#include "chart/ChartDrawingList.h"

#include "chart/ChartErrors.h"

#include <algorithm>

void TItemList::Recount() {
    KindCount.fill(0);
    for (const TChartItem& item : InUse())
        if (item.ItemKind < NumChartItemKinds)
            ++KindCount[item.ItemKind];
}

void TItemList::ClearItems() {
    NumItems = 0;
    NumAlloc = 0;
    Items.assign(1, TChartItem{});
    Items.shrink_to_fit();
    KindCount.fill(0);
}

TChartDrawingList::TChartDrawingList() {
    ResetDrawingState();
    ResetVisibility();
}

void TChartDrawingList::ResetDrawingState() {
    FDataCol = clBlack;
    FFillCol = clSilver;
    FPenStyle = psSolid;
    FLineWid = 1;
    FClassDefault = 0;
    FActiveLayer = 1;
    FDataTag = 0;
    FTranspItems = false;
    FTextAlignment = taCenter;
    FTextBkStyle = tbClear;
    FAllocSize = 1000;
}

void TChartDrawingList::SetClassDefault(std::uint8_t value) {
    // 255 stands for "every class" in searches, so no item may carry it.
    if (value != 255)
        FClassDefault = value;
}

void TChartDrawingList::SetActiveLayer(int value) {
    if (value == 1 || value == 2)
        FActiveLayer = value;
    RepaintIfAuto();
}

void TChartDrawingList::SetTextAlignment(TAlignment value) {
    FTextAlignment = value;
    RepaintIfAuto();
}

void TChartDrawingList::SetAnnoMode(bool value) {
    FAnnoMode = value;
    Paint();
}

void TChartDrawingList::SetAllocSize(int value) {
    if (value >= 1 && value <= 1000000)
        FAllocSize = value;
}

bool TChartDrawingList::ClassVisible(int itemClass) const {
    return itemClass >= 0 && itemClass < 256 && FClassVisible[static_cast<std::size_t>(itemClass)];
}

void TChartDrawingList::SetClassVisible(int itemClass, bool value) {
    if (itemClass < 0 || itemClass > 255 ||
        FClassVisible[static_cast<std::size_t>(itemClass)] == value)
        return;
    FClassVisible[static_cast<std::size_t>(itemClass)] = value;
    Paint();
}

bool TChartDrawingList::AnnoClassVisible(int itemClass) const {
    return itemClass >= 0 && itemClass < 256 &&
           FAnnoClassVisible[static_cast<std::size_t>(itemClass)];
}

void TChartDrawingList::SetAnnoClassVisible(int itemClass, bool value) {
    if (itemClass < 0 || itemClass > 255 ||
        FAnnoClassVisible[static_cast<std::size_t>(itemClass)] == value)
        return;
    FAnnoClassVisible[static_cast<std::size_t>(itemClass)] = value;
    Paint();
}

bool TChartDrawingList::LayerVisible(int layer) const {
    return (layer == 1 || layer == 2) && FLayerVisible[static_cast<std::size_t>(layer - 1)];
}

void TChartDrawingList::SetLayerVisible(int layer, bool value) {
    if ((layer != 1 && layer != 2) || FLayerVisible[static_cast<std::size_t>(layer - 1)] == value)
        return;
    FLayerVisible[static_cast<std::size_t>(layer - 1)] = value;
    Paint();
}

void TChartDrawingList::SetAnnosVisible(bool value) {
    if (FAnnosVisible == value)
        return;
    FAnnosVisible = value;
    RepaintIfAuto();
}

void TChartDrawingList::SetAnnoBelowChart(bool value) {
    if (FAnnoBelowChart == value)
        return;
    FAnnoBelowChart = value;
    RepaintIfAuto();
}

void TChartDrawingList::SetAnnoTextOnTop(bool value) {
    if (FAnnoTextOnTop == value)
        return;
    FAnnoTextOnTop = value;
    RepaintIfAuto();
}

// --- appending ------------------------------------------------------------------

TChartItem& TChartDrawingList::AppendItem(TChartItemKind kind, TCoordMode mode) {
    // The limit is on the data list even while annotations are appended, and
    // is checked before anything is stored.
    if (FData->NumItems >= MaxChartItems)
        throw EComponentError("Chart: number of elements too high");
    const bool anno = FAnnoMode;
    TItemList& list = anno ? FAnno : *FData;
    int& inUse = list.NumItems;
    int& reserved = list.NumAlloc;
    if (inUse == reserved) {
        reserved += FAllocSize;
        // The data list can never use more than its limit, so its storage stops there.
        const int wanted = anno ? reserved : std::min(reserved, MaxChartItems);
        if (static_cast<int>(list.Items.size()) < wanted)
            list.Items.resize(Count(wanted));
    }
    TChartItem& item = list.Items[Count(inUse)];
    item = TChartItem{};
    item.ItemKind = kind;
    item.Layer = FActiveLayer;
    item.ItemClass = FClassDefault;
    item.Color = FDataCol;
    item.FillColor = FFillCol;
    item.PenStyle = FPenStyle;
    item.Tag = FDataTag;
    item.LWid = FLineWid;
    item.Transp = FTranspItems;
    item.CoordMode = anno ? mode : cmAllWorld;
    ++inUse;
    if (!anno)
        ++list.KindCount[kind];
    return item;
}

void TChartDrawingList::MoveToIntern(double x, double y, TCoordMode mode) {
    TChartItem& item = AppendItem(tkMoveTo, mode);
    item.x = x;
    item.y = y;
}

void TChartDrawingList::DrawToIntern(double x, double y, TCoordMode mode) {
    TChartItem& item = AppendItem(tkLineto, mode);
    item.x = x;
    item.y = y;
}

void TChartDrawingList::LineIntern(double x1, double y1, double x2, double y2, TCoordMode mode) {
    AppendSegment(tkLine, x1, y1, x2, y2, mode, 0);
}

TChartItem& TChartDrawingList::AppendSegment(TChartItemKind kind, double x1, double y1, double x2,
                                             double y2, TCoordMode mode, int param1) {
    TChartItem& item = AppendItem(kind, mode);
    item.x = x1;
    item.y = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.Param1 = param1;
    return item;
}

void TChartDrawingList::MarkAt(double x, double y, int mk) {
    TChartItem& item = AppendItem(tkMarkAt, cmAllWorld);
    item.x = x;
    item.y = y;
    item.Param3 = mk;
}

void TChartDrawingList::MarkAt(int x, int y, int mk) {
    TChartItem& item = AppendItem(tkMarkAt, cmAllScreen);
    item.x = x;
    item.y = y;
    item.Param3 = mk;
}

void TChartDrawingList::MarkErrorBar(double x, double y, double dlower, double dupper, int Dir,
                                     int mk) {
    TChartItem& item = AppendItem(tkMarkEBar, cmAllWorld);
    item.x = x;
    item.y = y;
    item.x2 = dlower;
    item.y2 = dupper;
    item.Param1 = Dir;
    item.Param3 = mk;
}

TChartItem& TChartDrawingList::AppendText(TChartItemKind kind, double x, double y, int size,
                                          const QString& txt, TAlignment alignment,
                                          TCoordMode mode) {
    TChartItem& item = AppendItem(kind, mode);
    item.x = x;
    item.y = y;
    item.Param1 = size;
    item.Param2 = FTextBkStyle;
    item.Param3 = alignment;
    item.Text = txt.left(MaxShortTextLength);
    item.LWid = 0;
    if (txt.size() > MaxShortTextLength) {
        TItemList& list = FAnnoMode ? FAnno : *FData;
        int& numLong = list.NumLongTexts;
        TLongTextArray& table = list.LongTexts;
        // A full table leaves the text cut to its short form.
        if (numLong < MaxLongTexts) {
            table[Count(numLong)] = txt;
            ++numLong;
            item.LWid = numLong;
        }
    }
    return item;
}

void TChartDrawingList::Text(double x, double y, int size, const QString& txt) {
    AppendText(tkText, x, y, size, txt, FTextAlignment, cmAllWorld);
}

void TChartDrawingList::Text(int x, int y, int size, const QString& txt) {
    AppendText(tkText, x, y, size, txt, FTextAlignment, cmAllScreen);
}

void TChartDrawingList::Text(int x, double y, int size, const QString& txt) {
    AppendText(tkText, x, y, size, txt, FTextAlignment, cmXScreenYWorld);
}

void TChartDrawingList::Text(double x, int y, int size, const QString& txt) {
    AppendText(tkText, x, y, size, txt, FTextAlignment, cmXWorldYScreen);
}

void TChartDrawingList::Text(double x, double y, int size, const QString& txt, int dx, int dy,
                             TAlignment Alignment) {
    const bool offset = dx != 0 || dy != 0;
    TChartItem& item =
        AppendText(offset ? tkTextOfs : tkText, x, y, size, txt, Alignment, cmAllWorld);
    if (offset) {
        item.x2 = dx;
        item.y2 = dy;
    }
}

void TChartDrawingList::MoveToRelPix(int dx, int dy) {
    TChartItem& item = AppendItem(tkMoveRelPix, cmAllScreen);
    item.Param1 = dx;
    item.Param2 = dy;
}

void TChartDrawingList::DrawToRelPix(int dx, int dy) {
    TChartItem& item = AppendItem(tkLineRelPix, cmAllScreen);
    item.Param1 = dx;
    item.Param2 = dy;
}

void TChartDrawingList::DrawToRelPix(double x, double y, int dx, int dy) {
    TChartItem& item = AppendItem(tkLineRelPixOrig, cmAllWorld);
    item.x = x;
    item.y = y;
    item.Param1 = dx;
    item.Param2 = dy;
}

void TChartDrawingList::Rectangle(double x1, double y1, double x2, double y2) {
    AppendSegment(tkRect, x1, y1, x2, y2, cmAllWorld, 0);
}

void TChartDrawingList::Rectangle(int x1, int y1, int x2, int y2) {
    AppendSegment(tkRect, x1, y1, x2, y2, cmAllScreen, 0);
}

void TChartDrawingList::RectangleRelPix(double centx, double centy, int dx, int dy) {
    TChartItem& item = AppendItem(tkRectRelPix, cmAllWorld);
    item.x = centx;
    item.y = centy;
    item.Param1 = dx;
    item.Param2 = dy;
}

void TChartDrawingList::RectFrame(double x1, double y1, double x2, double y2,
                                  TFrameStyle FrameStyle, TColor ShadowColor, TColor HiLightColor) {
    TChartItem& item = AppendSegment(tkRectFrame, x1, y1, x2, y2, cmAllWorld, 0);
    item.FrameStyle = FrameStyle;
    item.ShadowColor = ShadowColor;
    item.HiLightColor = HiLightColor;
}

void TChartDrawingList::Bar3D(double llx, double lly, double urx, double ury, int Depth,
                              int Angle) {
    TChartItem& item = AppendSegment(tk3DBar, llx, lly, urx, ury, cmAllWorld, Depth);
    item.Param2 = Angle;
}

void TChartDrawingList::Ellipse(double cx, double cy, double HorizAxLeng, double VertAxLeng) {
    AppendSegment(tkEllipse, cx, cy, HorizAxLeng, VertAxLeng, cmAllWorld, 0);
}

void TChartDrawingList::Arc(double cx, double cy, double HorizAxLeng, double VertAxLeng, int Angle1,
                            int Angle2) {
    TChartItem& item = AppendSegment(tkArc, cx, cy, HorizAxLeng, VertAxLeng, cmAllWorld, Angle1);
    item.Param2 = Angle2;
}

void TChartDrawingList::Arrow(double x1, double y1, double x2, double y2, int HeadSize) {
    AppendSegment(tkArrow, x1, y1, x2, y2, cmAllWorld, HeadSize);
}
void TChartDrawingList::Arrow(int x1, int y1, int x2, int y2, int HeadSize) {
    AppendSegment(tkArrow, x1, y1, x2, y2, cmAllScreen, HeadSize);
}
void TChartDrawingList::Arrow(double x1, double y1, int x2, int y2, int HeadSize) {
    AppendSegment(tkArrow, x1, y1, x2, y2, cmWorldMainScreenSec, HeadSize);
}
void TChartDrawingList::Arrow(int x1, int y1, double x2, double y2, int HeadSize) {
    AppendSegment(tkArrow, x1, y1, x2, y2, cmScreenMainWorldSec, HeadSize);
}
void TChartDrawingList::DoubleArrow(double x1, double y1, double x2, double y2, int HeadSize) {
    AppendSegment(tkDoubleArrow, x1, y1, x2, y2, cmAllWorld, HeadSize);
}
void TChartDrawingList::DoubleArrow(int x1, int y1, int x2, int y2, int HeadSize) {
    AppendSegment(tkDoubleArrow, x1, y1, x2, y2, cmAllScreen, HeadSize);
}
void TChartDrawingList::DoubleArrow(double x1, double y1, int x2, int y2, int HeadSize) {
    AppendSegment(tkDoubleArrow, x1, y1, x2, y2, cmWorldMainScreenSec, HeadSize);
}
void TChartDrawingList::DoubleArrow(int x1, int y1, double x2, double y2, int HeadSize) {
    AppendSegment(tkDoubleArrow, x1, y1, x2, y2, cmScreenMainWorldSec, HeadSize);
}

void TChartDrawingList::LineOffset(double x1, double y1, double x2, double y2, int dx, int dy) {
    TChartItem& item = AppendSegment(tkLineOffs, x1, y1, x2, y2, cmAllWorld, dx);
    item.Param2 = dy;
}

void TChartDrawingList::CursorVert(double x) {
    TChartItem& item = AppendItem(tkCursorVert, cmAllWorld);
    item.x = x;
}

void TChartDrawingList::CursorHoriz(double y) {
    TChartItem& item = AppendItem(tkCursorHoriz, cmAllWorld);
    item.y = y;
}

// --- reading ---------------------------------------------------------------------

int TChartDrawingList::ItemCount(TChartItemKind kind) const {
    return kind < NumChartItemKinds ? FData->KindCount[kind] : 0;
}

TChartItem TChartDrawingList::DataContainer(int idx) const {
    if (idx < 0 || idx >= FData->NumItems)
        return TChartItem{};
    return FData->Items[Count(idx)];
}

TChartItem TChartDrawingList::AnnoContainer(int idx) const {
    if (idx < 0 || idx >= FAnno.NumItems)
        return TChartItem{};
    return FAnno.Items[Count(idx)];
}

void TChartDrawingList::SetDataContainer(int idx, const TChartItem& item) {
    if (idx < 0 || idx >= FData->NumItems)
        return;
    TChartItem& stored = FData->Items[Count(idx)];
    // Keep the per-kind counters true to what the list holds.
    if (stored.ItemKind < NumChartItemKinds)
        --FData->KindCount[stored.ItemKind];
    stored = item;
    if (stored.ItemKind < NumChartItemKinds)
        ++FData->KindCount[stored.ItemKind];
}

void TChartDrawingList::SetAnnoContainer(int idx, const TChartItem& item) {
    if (idx < 0 || idx >= FAnno.NumItems)
        return;
    FAnno.Items[Count(idx)] = item;
}

TChartItemKind TChartDrawingList::TypeOfFirstItem() const {
    return FData->NumItems > 0 ? FData->Items[0].ItemKind : tkNone;
}

TChartItemKind TChartDrawingList::TypeOfLastItem() const {
    return FData->NumItems > 0 ? FData->Items[Count(FData->NumItems - 1)].ItemKind : tkNone;
}

// --- removing, searching, counting -----------------------------------------------

void TChartDrawingList::RemoveDataWhere(const std::function<bool(const TChartItem&)>& pred) {
    TItemList& data = *FData;
    const auto begin = data.Items.begin();
    const auto end = begin + data.NumItems;
    const auto newEnd = std::stable_partition(begin, end, [&](const TChartItem& item) {
        if (!pred(item))
            return true;
        if (item.ItemKind < NumChartItemKinds)
            --data.KindCount[item.ItemKind];
        return false;
    });
    data.NumItems = static_cast<int>(newEnd - begin);
    AdjustCanInfoOfSharedCharts();
}

void TChartDrawingList::RemoveItem(int Index) {
    TItemList& data = *FData;
    if (Index < 0 || Index >= data.NumItems)
        return;
    const TChartItemKind kind = data.Items[Count(Index)].ItemKind;
    if (kind < NumChartItemKinds)
        --data.KindCount[kind];
    std::move(data.Items.begin() + Index + 1, data.Items.begin() + data.NumItems,
              data.Items.begin() + Index);
    --data.NumItems;
    AdjustCanInfoOfSharedCharts();
}

void TChartDrawingList::RemoveItemsByClass(int ClassNumber) {
    RemoveDataWhere([ClassNumber](const TChartItem& item) {
        return ClassNumber == 255 || item.ItemClass == ClassNumber;
    });
}

void TChartDrawingList::RemoveItemsByLayer(int Layer) {
    RemoveDataWhere([Layer](const TChartItem& item) { return item.Layer == Layer; });
}

void TChartDrawingList::RemoveAnnoItem(int Index) {
    if (Index < 0 || Index >= FAnno.NumItems)
        return;
    std::move(FAnno.Items.begin() + Index + 1, FAnno.Items.begin() + FAnno.NumItems,
              FAnno.Items.begin() + Index);
    --FAnno.NumItems;
}

int TChartDrawingList::SearchDataItem(int StartIx, int Tag, int TagMask, int ItemClass,
                                      TChartItemKind ItemKind) const {
    for (int i = std::max(StartIx, 0); i < FData->NumItems; ++i)
        if (ItemMatches(FData->Items[Count(i)], Tag, TagMask, ItemClass, ItemKind))
            return i;
    return -1;
}

int TChartDrawingList::SearchAnnoItem(int StartIx, int Tag, int TagMask, int ItemClass,
                                      TChartItemKind ItemKind) const {
    for (int i = std::max(StartIx, 0); i < FAnno.NumItems; ++i)
        if (ItemMatches(FAnno.Items[Count(i)], Tag, TagMask, ItemClass, ItemKind))
            return i;
    return -1;
}

int TChartDrawingList::CountAnnos(int Tag, int TagMask, int ItemClass,
                                  TChartItemKind ItemKind) const {
    int n = 0;
    for (const TChartItem& item : AnnoItems())
        if (ItemMatches(item, Tag, TagMask, ItemClass, ItemKind))
            ++n;
    return n;
}

// --- clearing ----------------------------------------------------------------------

void TChartDrawingList::ClearDataList() {
    FData->ClearItems();
    FLastElemOnShow = 0;
    AdjustCanInfoOfSharedCharts();
}

void TChartDrawingList::ClearAnnoList() {
    FAnno.ClearItems();
    FAnno.LongTexts.fill(QString());
    FAnno.NumLongTexts = 0;
}

void TChartDrawingList::ClearLongTexts() {
    for (TItemList* list : {FData, &FAnno}) {
        list->LongTexts.fill(QString());
        list->NumLongTexts = 0;
    }
}

void TChartDrawingList::ClearAnnotations() {
    ClearAnnoList();
    Paint();
}

void TChartDrawingList::ResetVisibility() {
    FClassVisible.fill(true);
    FAnnoClassVisible.fill(true);
    FLayerVisible.fill(true);
}
