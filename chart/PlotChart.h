#pragma once

// The chart control. TCustomPlotChart is the widget: rims around a plot area,
// two layers of axes, caption, shadow, background and frame, and the drawing
// lists it inherits. Every Paint composes the whole picture off-screen
// (ChartBmp, with the plot area in GrafBmp) and only then hands it to Qt, so
// the surface never shows a half-drawn chart; docs/architecture.md draws the
// pipeline. TPlotChart is the form that the window description creates and
// loads.

#include "chart/ChartDrawingList.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartTypes.h"
#include "chart/PlatformProps.h"
#include "chart/PlotMap.h"
#include "chart/TextLabel.h"
#include "chart/ZoomHistory.h"
#include "toolkit/Canvas.h"
#include "toolkit/Graphics.h"
#include "toolkit/WindowDescription.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class TScaleProps;
class TScalePropsHoriz;
class TScalePropsVert;
class TScale;
class TBakGndImg;
class TJointLayers;
class TCrossHair;
struct TItemShape;
enum TChartLayout : std::uint8_t;

class TCustomPlotChart;

// Sender, the canvas drawn on, and the canvas position of the control's top-left corner.
using TChartRenderEvent =
    std::function<void(TCustomPlotChart& Sender, TCanvas& Canvas, int Top, int Left)>;

// One recorded point of the mouse trace, in control pixels.
struct TMouseTracePoint {
    int x = 0;
    int y = 0;
    TColor Color = clWhite;
};

class TCustomPlotChart : public QWidget, public TChartDrawingList {
public:
    static constexpr int MaxShadowWidth = 32;
    static constexpr int MaxMouseTracePoints = 5000;
    static constexpr int NumCrossHairs = 4;
    // The declared defaults of the rims: what a description leaves out, and
    // what a chart holds until its reset applies the standard layout.
    static constexpr int DeclaredLRim = 50;
    static constexpr int DeclaredRRim = 10;
    static constexpr int DeclaredTRim = 16;
    static constexpr int DeclaredBRim = 32;

    explicit TCustomPlotChart(QWidget* parent = nullptr);
    ~TCustomPlotChart() override;

    // Restores every default, the one place the values after creation come
    // from; leaves the painting gate set.
    void ResetComp();

    // --- pipeline ---------------------------------------------------------
    // The full repaint: composes the picture off-screen and asks Qt to show it.
    // Does nothing while hidden, loading or gated.
    void Paint() override;
    // Everything outside the plot area, drawn into ChartBmp through Canvas.
    void ConstructChartBmp(TCanvas& Canvas);
    // Plot background (colour, area band or picture) and its frame.
    virtual void InitGraf(TCanvas& Canvas, int Left, int Top, int Width, int Height);
    // Rebuilds the plot map from the geometry and both layers' ranges;
    // EChartError for a logarithmic axis with a bound <= 0.
    virtual void AdjustScaling();
    // Renders the drawing lists into Bitmap (its top-left corner is the plot
    // area's, shifted by the offsets).
    virtual void ConstructDataBmp(TBitmap& Bitmap, int XOffset, int YOffset, bool BlkWhite,
                                  int FirstItem);
    virtual void ConstructDataBmpCanvas(TCanvas& Canvas, int XOffset, int YOffset, bool BlkWhite,
                                        int FirstItem);
    // Sets the painting gate; clearing a set gate runs Paint.
    virtual void SetSuppressPaint(bool value);
    bool SuppressPaint() const { return FSuppressPaint; }
    // Copies one axis's properties into its scale object and places the axis.
    void SetScaleProps(TScale& Scale, TScaleProps& Props);
    // Change notification of the four axis property objects.
    void ScalePropsChanged(TScaleProps* Sender);
    // Applies an X and a Y range to a layer (ignoring an axis joined to another
    // layer), then passes ranges on to the layers it controls.
    void ForceRange(int Layer, double XLow, double XHigh, double YLow, double YHigh);
    // Gives Layer the ranges of the layers that control its axes.
    void ApplyJointRanges(int Layer);
    // Crosshairs onto Bitmap, whose corner stands for control position (X, Y),
    // then Bitmap onto Canvas at (X, Y).
    void DrawFinish(int X, int Y, TCanvas& Canvas, TBitmap& Bitmap);
    // Position and size, with the minimum that leaves a plot area of 80 x 20.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // That minimum, L + R + S + 80 by T + B + S + 20. Sizes that Qt applies
    // itself (resize, setGeometry, layouts) are raised to it too, when the
    // chart receives them; changing a rim does not resize the chart.
    QSize minimumSizeHint() const override;

    // Empties the data list and re-initialises the plot background (no painting).
    void ClearGraf();
    // Brings the surface up to date with the data list: the plot area alone
    // when AutoRedraw is on and the surface holds a picture of the control's
    // size, otherwise the whole chart; then every other chart sharing the
    // data list repaints when its AutoRedraw is on.
    void ShowGraf();
    // Renders the lists once more over the current plot bitmap and shows it.
    // The grid is drawn again only when the last item shown before is item 0,
    // as after ClearGraf, which leaves the bare background.
    void ShowGrafNewOnly();

    // --- loading ------------------------------------------------------------
    void BeginLoading() { FLoading = true; }
    bool IsLoading() const { return FLoading; }
    // End of loading: ends the loading state, then the axis hand-over,
    // AdjustScaling and Paint.
    virtual void Loaded();

    // --- geometry -------------------------------------------------------------
    int LRim() const { return FLRim; }
    void SetLRim(int value);
    int RRim() const { return FRRim; }
    void SetRRim(int value);
    int TRim() const { return FTRim; }
    void SetTRim(int value);
    int BRim() const { return FBRim; }
    void SetBRim(int value);
    int MarginLeft() const { return FLRim; }
    void SetMarginLeft(int value) { SetLRim(value); }
    int MarginRight() const { return FRRim; }
    void SetMarginRight(int value) { SetRRim(value); }
    int MarginTop() const { return FTRim; }
    void SetMarginTop(int value) { SetTRim(value); }
    int MarginBottom() const { return FBRim; }
    void SetMarginBottom(int value) { SetBRim(value); }
    int ShadowWidth() const { return FShadowWidth; }
    void SetShadowWidth(int value); // clamped to 0..32
    // Plot area size (0 when the rims leave no room).
    int PlotWidth() const;
    int PlotHeight() const;

    // --- colours and styles -----------------------------------------------------
    TColor ChartColor() const { return FChartColor; }
    void SetChartColor(TColor value);
    TColor WindColor() const { return FWindColor; }
    void SetWindColor(TColor value);
    TColor ChartFrameColor() const { return FChartFrameColor; }
    void SetChartFrameColor(TColor value);
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor value);
    GridStyleType GridStyle() const { return FGridStyle; }
    void SetGridStyle(GridStyleType value);
    double GridDx() const { return FGridDx; }
    void SetGridDx(double value); // ignored below -3
    double GridDy() const { return FGridDy; }
    void SetGridDy(double value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor value);
    TColor ShadowBakColor() const { return FShadowBakColor; }
    void SetShadowBakColor(TColor value);
    TShadowStyle ShadowStyle() const { return FShadowStyle; }
    void SetShadowStyle(TShadowStyle value);
    TStyleElements StyleElements() const { return FStyleElements; }
    void SetStyleElements(TStyleElements value) { FStyleElements = value; }

    // --- caption ------------------------------------------------------------------
    QString Caption() const { return FChartCaption; }
    void SetChartCaption(const QString& value);
    void SetCaption(const QString& value) { SetChartCaption(value); }
    int CaptionPosX() const { return FCaptionPosX; }
    void SetCaptionPosX(int value);
    int CaptionPosY() const { return FCaptionPosY; }
    void SetCaptionPosY(int value);
    TAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(TAlignment value);
    TCaptionAnchorHoriz CaptionAnchorHoriz() const { return FCaptionAnchorHoriz; }
    void SetCaptionAnchorHoriz(TCaptionAnchorHoriz value);
    TCaptionAnchorVert CaptionAnchorVert() const { return FCaptionAnchorVert; }
    void SetCaptionAnchorVert(TCaptionAnchorVert value);
    int CaptionTrim() const { return FCaptionTrim; }
    void SetCaptionTrim(int value); // 0, or clamped to 5..100

    // --- fonts ----------------------------------------------------------------------
    // The caption's font.
    TFont Font() const { return FFont; }
    void SetFont(const TFont& value);
    // The font of text items.
    TFont TextFont() const { return FTextFont; }
    void SetTextFont(const TFont& value) { FTextFont = value; }
    TFontStyles TextFontStyle() const { return FTextFont.Style; }
    void SetTextFontStyle(TFontStyles value) { FTextFont.Style = value; }

    // --- behaviour ------------------------------------------------------------------
    bool AutoRedraw() const { return FAutoRedraw; }
    void SetAutoRedraw(bool value) { FAutoRedraw = value; }
    bool AvoidDuplicateMarks() const { return FAvoidDuplicateMarks; }
    void SetAvoidDuplicateMarks(bool value); // Paint when changed
    int MinDupMarkDist() const { return FMinDupMarkDist; }
    void SetMinDupMarkDist(int value); // clamped to 1..3; Paint when changed
    // Isometric: one world unit spans the same physical length along X and Y
    // on every layer, whose X range stays while its Y range is recentred on its
    // middle m = (YLo + YHi) / 2 to the span
    //   YSpan = XSpan * (b / a) * (AspectX / AspectY),
    // a = W - L - R - S and b = H - T - B - S being the pixels between the plot
    // area's first and last column and row, AspectX and AspectY the device's
    // pixels per inch across and down (AuxBmp's resolution, read at reset);
    // Y keeps its direction. Applied when Isometric is set to True, on every
    // range change, rim or shadow change and resize while it is True, and once
    // after loading. Left alone: a layer with a logarithmic axis, a Y axis
    // joined to another layer (it follows its controller), a plot area without
    // width or height. Setting it to False keeps the ranges as they are.
    // Only the middle of a Y range counts, so set both ends at once
    // (ForceRange): a single end set alone moves the middle that the next
    // end is recentred on.
    bool Isometric() const { return FIsometric; }
    void SetIsometric(bool value);
    // The recentred Y range (Low, High) of the formula above; none when it
    // cannot be formed (a <= 0, b <= 0, an X range of no width or an aspect <= 0).
    static std::optional<std::pair<double, double>> IsometricYRange(double XLow, double XHigh,
                                                                    double YLow, double YHigh,
                                                                    int a, int b, double AspectX,
                                                                    double AspectY);
    TColor MouseTraceColor() const { return FMouseTraceColor; }
    void SetMouseTraceColor(TColor value) { FMouseTraceColor = value; }
    bool MouseTraceInvert() const { return FMouseTraceInvert; }
    void SetMouseTraceInvert(bool value) { FMouseTraceInvert = value; }
    // What the mouse does (see *mouse actions* below); setting it ends a
    // gesture in progress and sets the cursor.
    TMouseActMode MouseAction() const { return FMouseAction; }
    void SetMouseAction(TMouseActMode value);
    bool MouseCursorFixed() const { return FMouseCursorFixed; }
    void SetMouseCursorFixed(bool value);
    double PanGridDx() const { return FPanGridDx; }
    void SetPanGridDx(double value) { FPanGridDx = value; }
    double PanGridDy() const { return FPanGridDy; }
    void SetPanGridDy(double value) { FPanGridDy = value; }
    double PanGridOffsX() const { return FPanGridOffsX; }
    void SetPanGridOffsX(double value) { FPanGridOffsX = value; }
    double PanGridOffsY() const { return FPanGridOffsY; }
    void SetPanGridOffsY(double value) { FPanGridOffsY = value; }
    // The chart whose data list this one shows and edits (ShareDataOf gives
    // the rules); none when it shows its own.
    TCustomPlotChart* UseDataOf() const;
    void SetUseDataOf(TCustomPlotChart* value);
    // The same by the chart's object name, as a description names it: a chart
    // of this chart's window. A name not found yet (a chart further down the
    // description) is kept and looked up again at Loaded and when the chart is
    // first shown; a name no chart of the window carries by then is dropped
    // and the chart keeps its own data. Empty: its own data.
    QString UseDataOfName() const;
    void SetUseDataOfName(const QString& value);

    // --- standard layouts (SetStdLayout lives with the layout tables) -----------------
    void SetStdLayout(TChartLayout Layout);
    TChartLayout StandardLayout() const { return FStandardLayout; }

    // --- text labels: drawn over the lists, label 30 first, label 1 on top ------------
    static constexpr int NumTextLabels = 30;
    // Labels 1..30 (other numbers are taken as the nearest). A label's change
    // report repaints the chart when AutoRedraw is on.
    TTextLabel& TextLabels(int i);
    const TTextLabel& TextLabels(int i) const;
    // Copies the settings into the chart's own label; one repaint.
    void SetTextLabels(int i, const TTextLabel& value);

    // --- platform control properties (PlatformProps.h) ----------------------------------
    const TPlatformProps& PlatformProps() const { return FPlatformProps; }
    // Stores them and applies what Qt has: the tooltip (Hint while ShowHint),
    // the minimum and maximum size.
    void SetPlatformProps(const TPlatformProps& value);
    // Visible False hides the widget (it stays hidden when its window is shown).
    bool DescVisible() const;
    void SetDescVisible(bool value);

    // --- settings objects: assigning copies the settings into the chart's own object ---
    TBakGndImg& BackGroundImg() { return *FBackGroundImg; }
    const TBakGndImg& BackGroundImg() const { return *FBackGroundImg; }
    void SetBackGroundImg(const TBakGndImg& value);
    TJointLayers& JointLayers() { return *FJointLayers; }
    const TJointLayers& JointLayers() const { return *FJointLayers; }
    void SetJointLayers(const TJointLayers& value);
    // Crosshairs 1..4 (other numbers are taken as the nearest).
    TCrossHair& CrossHair(int i);
    const TCrossHair& CrossHair(int i) const;
    void SetCrossHair(int i, const TCrossHair& value);

    // --- axes -------------------------------------------------------------------------
    TScalePropsHoriz& Scale1X() { return *FScalePropsX[0]; }
    TScalePropsHoriz& Scale2X() { return *FScalePropsX[1]; }
    TScalePropsVert& Scale1Y() { return *FScalePropsY[0]; }
    TScalePropsVert& Scale2Y() { return *FScalePropsY[1]; }
    TScalePropsHoriz& GetScalePropsX1() { return Scale1X(); }
    TScalePropsHoriz& GetScalePropsX2() { return Scale2X(); }
    TScalePropsVert& GetScalePropsY1() { return Scale1Y(); }
    TScalePropsVert& GetScalePropsY2() { return Scale2Y(); }
    // Layer 1 or 2 (clamped).
    TScalePropsHoriz& ScalePropsX(int Layer);
    TScalePropsVert& ScalePropsY(int Layer);
    void SetScale1X(const TScalePropsHoriz& value);
    void SetScale2X(const TScalePropsHoriz& value);
    void SetScale1Y(const TScalePropsVert& value);
    void SetScale2Y(const TScalePropsVert& value);
    // The helper scale objects that draw the axes.
    TScale& ScaleX(int Layer);
    TScale& ScaleY(int Layer);
    QString ScaleNameX(int Layer) const;
    QString ScaleNameY(int Layer) const;

    // --- transform ------------------------------------------------------------------
    // Where values land on the control's pixels, as AdjustScaling last built it.
    const TPlotMap& PlotMap() const { return FPlotMap; }
    // The coefficients of layer 1 or 2 (clamped).
    long double Cpkx(int Layer) const { return FPlotMap.Layer(Layer).X.Factor(); }
    long double Cpdx(int Layer) const { return FPlotMap.Layer(Layer).X.Offset(); }
    long double Cpky(int Layer) const { return FPlotMap.Layer(Layer).Y.Factor(); }
    long double Cpdy(int Layer) const { return FPlotMap.Layer(Layer).Y.Offset(); }
    void R2M(int Layer, double xin, double yin, int& xout, int& yout) const {
        FPlotMap.R2M(Layer, xin, yin, xout, yout);
    }
    void M2R(int Layer, double xin, double yin, double& xout, double& yout) const {
        FPlotMap.M2R(Layer, xin, yin, xout, yout);
    }
    void GetTransformParams(int Layer, double& kx, double& dx, double& ky, double& dy) const {
        FPlotMap.GetTransformParams(Layer, kx, dx, ky, dy);
    }
    void ConvertToScreenCoords(const TChartItem& Item, int& x1, int& y1, int& x2, int& y2) const {
        FPlotMap.ConvertToScreenCoords(Item, x1, y1, x2, y2);
    }
    // The parameters of a rendering pass, taken from the current settings.
    TRenderParams RenderParams() const;
    double AspectX() const { return FAspectX; }
    double AspectY() const { return FAspectY; }

    // --- bitmaps ----------------------------------------------------------------------
    const TBitmap& ChartBmp() const { return FChartBmp; }
    const TBitmap& GrafBmp() const { return FGrafBmp; }
    const TBitmap& AuxBmp() const { return FAuxBmp; }
    // The picture the surface shows (what paintEvent copies).
    const QImage& SurfaceImage() const;

    // --- mouse trace -------------------------------------------------------------------
    // Records a point (ignored beyond 5000 points).
    void AddMouseTracePoint(int x, int y);
    const std::vector<TMouseTracePoint>& MouseTrace() const { return FMouseTrace; }
    void ClearMouseTrace() { FMouseTrace.clear(); }

    // --- mouse actions and zoom history -------------------------------------------------
    // A gesture starts with a press inside the plot area; maNone starts none
    // and passes the mouse on to the parent. Each layer moves or zooms with its
    // own map, a logarithmic axis in log space, and the ranges are applied by
    // range forcing (MinRange kept, joined layers follow):
    // - maPan, maPanHoriz, maPanVert: dragging moves the ranges by the dragged
    //   world distance, on both axes, X only, Y only.
    // - maPanGrid: as maPan, but each range keeps its width and its low end
    //   lands on PanGridOffsX + n * PanGridDx (Y likewise); a logarithmic axis,
    //   or one whose step is not positive, pans freely.
    // - maZoom: dragging up zooms in, down zooms out, by 2 per ZoomDragPixels,
    //   about the press point; a click (the pointer moved at most ClickSlop
    //   pixels) zooms in by 2 with the left button, out by 2 with the right.
    // - maZoomWind: a rectangle is dragged (shown as the rubber band); on
    //   release the ranges become it, unless it is narrower or lower than
    //   MinZoomWindPixels.
    // - maRubberBand: the band while dragging, OnRubberBand on release.
    // - maSelectRect: the same, OnSelectRect with the rectangle in world values.
    // - maDragCrossH: a press within CrossHairCatchPixels of a shown
    //   crosshair's line (of its point, chBox) drags the nearest one.
    // - maDrawMTrace: pressing and dragging records the pointer into the mouse
    //   trace (a pixel repeated in a row once).
    // - the other modes do nothing.
    // The wheel zooms by WheelZoomFactor per notch about the pointer in the pan
    // and zoom modes (maPanHoriz X only, maPanVert Y only). Rectangles and
    // dragged crosshairs stay inside the plot area; the band is drawn with an
    // inverting pen over the shown picture, so taking it away restores every
    // pixel. Every gesture that changes ranges adds one zoom-history entry (the
    // ranges before it), and OnZoomPan follows every change of ranges.
    // Cursors (MouseCursorFixed True: the action's cursor over the whole
    // control, unchanged while dragging; False: only over the plot area, and
    // the closed hand while a pan drags): pans the open hand, maPanHoriz and
    // maPanVert the horizontal and vertical arrows, maZoom the vertical arrow,
    // rectangles and the trace the cross, maDragCrossH the four arrows, the
    // others Qt's arrow.
    static constexpr int ClickSlop = 2;
    static constexpr int ZoomDragPixels = 100;
    static constexpr int MinZoomWindPixels = 4;
    static constexpr int CrossHairCatchPixels = 8;
    static constexpr double WheelZoomFactor = 1.25;
    // The ranges of both layers as they are now.
    TZoomRanges CurrentRanges() const;
    // Records the ranges as they are now (for zooms made in code).
    void PushZoomHistory() { FZoomHistory.Push(CurrentRanges()); }
    // Puts back the ranges of the newest entry exactly, bypassing range
    // forcing (joins included, since the entry held a joined state), and
    // repaints; false when the history is empty. An axis that has turned
    // logarithmic keeps its range when the entry's would not fit it.
    bool UndoZoom();
    void ClearZoomHistory() { FZoomHistory.Clear(); }
    const TZoomHistory& ZoomHistory() const { return FZoomHistory; }
    // Whether a gesture is in progress, and whether the rubber band is shown.
    bool MouseBusy() const { return FGesture.Active; }
    bool RubberBandShown() const { return FGesture.BandShown; }

    // --- picking ----------------------------------------------------------------------
    // Searches over the items as they are drawn now: only items of a visible
    // class and layer (annotations also only while AnnosVisible), each at its
    // place in control pixels (TItemShape, chart/ChartPicking.h), with the
    // class (255: every class) and kind (tkEverything, tkNotMoveTo) selectors
    // of the searches. Distances are in pixels; of equally near items the
    // first in the list wins. They return the item's index, or -1 with Dist
    // infinite when no item qualifies.
    // The data item nearest to a point in control pixels.
    int FindNearestItemScreen(int X, int Y, int ItemClass, TChartItemKind ItemKind,
                              double& Dist) const;
    // The same for a world point of a layer (1 or 2, clamped), through R2M.
    int FindNearestItemReal(int Layer, double X, double Y, int ItemClass, TChartItemKind ItemKind,
                            double& Dist) const;
    // The data item nearest to a world value of a layer's X axis (AlongX) or Y
    // axis, measured along that axis alone: a curve's point under a cursor.
    int FindNearestItemAlongAxis(int Layer, bool AlongX, double Value, int ItemClass,
                                 TChartItemKind ItemKind, double& Dist) const;
    // The annotation nearest to a point in control pixels.
    int FindNearestAnnoElem(int X, int Y, int ItemClass, TChartItemKind ItemKind,
                            double& Dist) const;
    // Sets or clears the mark bits (MarkAllItems) of every shown data item that
    // lies wholly inside a window given by two corners in world values of a
    // layer (edges included); returns how many it reached. No painting.
    int MarkItemsInWindow(int Layer, double XLow, double YLow, double XHigh, double YHigh,
                          int MarkMask, bool Mark, int ItemClass, TChartItemKind ItemKind);

    // Complete pictures composed so far (full repaints that got past the gate).
    int PaintCount() const { return FPaintCount; }

    // --- events -------------------------------------------------------------------------
    TChartRenderEvent OnScalesRendered;
    TChartRenderEvent OnBeforeRenderData;
    TChartRenderEvent OnDataRendered;
    std::function<void(TCustomPlotChart& Sender, TChartItem& ChartItem, int Index,
                       bool IsAnnotation)>
        OnBeforeRenderChartItem;
    // Mouse events; world values are of the ActiveLayer, pixels the control's.
    // The pointer moved over the plot area (any action, maNone too).
    std::function<void(TCustomPlotChart& Sender, Qt::KeyboardModifiers Shift, double X, double Y)>
        OnMouseMoveInChart;
    // A wheel turn over the control, Delta in eighths of a degree (120 a
    // notch), first OnMouseWheel, then OnMouseWheelUp or OnMouseWheelDown;
    // a handler that sets Handled stops the rest and the wheel zoom.
    std::function<void(TCustomPlotChart& Sender, Qt::KeyboardModifiers Shift, int Delta, int X,
                       int Y, bool& Handled)>
        OnMouseWheel;
    std::function<void(TCustomPlotChart& Sender, Qt::KeyboardModifiers Shift, int X, int Y,
                       bool& Handled)>
        OnMouseWheelUp;
    std::function<void(TCustomPlotChart& Sender, Qt::KeyboardModifiers Shift, int X, int Y,
                       bool& Handled)>
        OnMouseWheelDown;
    // The ranges changed under Action (a wheel zoom reports the MouseAction in
    // effect).
    std::function<void(TCustomPlotChart& Sender, TMouseActMode Action)> OnZoomPan;
    // A rubber band released: its corners, the press and the release point
    // (inside the plot area), both included, Left <= Right, Top <= Bottom.
    std::function<void(TCustomPlotChart& Sender, const TRect& Rect)> OnRubberBand;
    // A selection released, in world values, Low <= High.
    std::function<void(TCustomPlotChart& Sender, double XLow, double YLow, double XHigh,
                       double YHigh)>
        OnSelectRect;
    // A crosshair (1..4) is about to be dragged; clearing Allow keeps it put.
    std::function<void(TCustomPlotChart& Sender, int CrossHair, bool& Allow)> OnBeforeCrossHairMove;
    // A dragged crosshair (1..4) moved to a new position.
    std::function<void(TCustomPlotChart& Sender, int CrossHair, double PosX, double PosY)>
        OnCrossHairMove;

protected:
    void RepaintIfAuto() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    // Called by a settings object's change report.
    void SettingsChanged() { RepaintIfAuto(); }
    // Looks a pending UseDataOf name up in the window; true when none is left.
    // Drop: a name still not found is given up.
    bool ResolveUseDataOf(bool Drop = false);

    // The painting gate: set, nothing paints. Also set while a picture is
    // composed, so that change reports from inside do not paint again.
    bool FSuppressPaint = true;
    bool FLoading = false;
    TChartLayout FStandardLayout{};

private:
    // Whether an item of a list is drawn: its class and layer are visible.
    bool ItemShown(const TChartItem& Item, bool IsAnnotation) const;
    // The index of the qualifying item of a list at the least Distance.
    int NearestItem(bool IsAnnotation, int ItemClass, TChartItemKind ItemKind,
                    const std::function<double(const TItemShape&)>& Distance, double& Dist) const;
    // Copies a whole settings object into the chart's own, then one repaint.
    void AssignSettings(const std::function<void()>& Assign);
    // Whether a picture may be composed now: shown, loaded and not gated.
    bool CanPaint() const;
    // The control's size and rims as they are now.
    TPlotGeometry Geometry() const;
    void DrawShadow(TCanvas& Canvas);
    void DrawCaption(TCanvas& Canvas);
    // Over a canvas whose origin stands for the control's top-left corner.
    void DrawCrossHairs(TCanvas& Canvas);
    void DrawMouseTrace(TCanvas& Canvas);
    void DrawBackgroundPicture(TCanvas& Canvas, int Left, int Top, int Width, int Height);
    void DrawAreaBand(TCanvas& Canvas, int Left, int Top, int Width, int Height);
    // Sizes the scale objects to the control and sets the margins that fix
    // their axis lengths, after SetScaleProps.
    void PlaceScales();
    void GeometryChanged();
    void ResizeGrafBmp();
    // Composes the complete picture into the surface bitmap, at `ratio`
    // device pixels per pixel of the control (the bitmaps take it on).
    void Compose(qreal ratio);
    // The plot bitmap at (LRim, TRim) of the surface: the fast paths' last step.
    void ShowPlotArea();
    // The device pixel ratio of the control's screen, which pictures are
    // composed for outside a paint event.
    qreal ScreenRatio() const;
    // Whether the surface is of the control's size and at `ratio`, as only a
    // full picture makes it.
    bool SurfaceFits(qreal ratio) const;
    // Writes a range into one axis without notification, by the range-forcing rules.
    static void ForceAxisRange(TScaleProps& Props, double Low, double High);
    void ApplyRangeIntern(int Layer, double XLow, double XHigh, double YLow, double YHigh,
                          bool xFree, bool yFree);

    // The rims start at their declared defaults; everything else below
    // without a value is set by ResetComp, which the constructor runs.
    int FLRim = DeclaredLRim;
    int FRRim = DeclaredRRim;
    int FTRim = DeclaredTRim;
    int FBRim = DeclaredBRim;
    int FShadowWidth{};
    TColor FShadowColor{};
    TColor FShadowBakColor{};
    TShadowStyle FShadowStyle{};
    TColor FChartColor{};
    TColor FWindColor{};
    TColor FChartFrameColor{};
    TColor FGridColor{};
    GridStyleType FGridStyle{};
    double FGridDx{};
    double FGridDy{};
    TStyleElements FStyleElements{};

    QString FChartCaption;
    int FCaptionPosX{};
    int FCaptionPosY{};
    TAlignment FCaptionAlignment{};
    TCaptionAnchorHoriz FCaptionAnchorHoriz{};
    TCaptionAnchorVert FCaptionAnchorVert{};
    int FCaptionTrim{};

    TFont FFont;
    TFont FTextFont;

    bool FAutoRedraw{};
    bool FAvoidDuplicateMarks{};
    int FMinDupMarkDist{};
    bool FIsometric{};
    // The mouse trace's settings are the construction's, not the reset's.
    TColor FMouseTraceColor = clWhite;
    bool FMouseTraceInvert = true;
    TMouseActMode FMouseAction{};
    bool FMouseCursorFixed{};
    double FPanGridDx{};
    double FPanGridDy{};
    double FPanGridOffsX{};
    double FPanGridOffsY{};
    double FAspectX{};
    double FAspectY{};
    // Gives every free Y axis of a linear layer its isometric range (no
    // notification), then rebuilds the scales' ranges; nothing unless Isometric.
    void ApplyIsometric();
    void ApplyIsometricRange(int Layer);

    std::array<TTextLabel, NumTextLabels> FTextLabels;
    TPlatformProps FPlatformProps;
    QString FPendingUseDataOf;

    std::array<std::unique_ptr<TCrossHair>, NumCrossHairs> FCrossHair;
    std::unique_ptr<TBakGndImg> FBackGroundImg;
    std::unique_ptr<TJointLayers> FJointLayers;
    TBitmap FGrafBmp;
    TBitmap FChartBmp;
    TBitmap FAuxBmp;
    // The control's surface: what paintEvent copies to the screen.
    TBitmap FSurfaceBmp;
    std::array<std::unique_ptr<TScale>, 2> FScaleX;
    std::array<std::unique_ptr<TScalePropsHoriz>, 2> FScalePropsX;
    std::array<std::unique_ptr<TScale>, 2> FScaleY;
    std::array<std::unique_ptr<TScalePropsVert>, 2> FScalePropsY;
    std::array<QString, 2> FScaleNameX;
    std::array<QString, 2> FScaleNameY;
    TPlotMap FPlotMap;

    std::vector<TMouseTracePoint> FMouseTrace;
    TChartRenderer FRenderer;
    int FPaintCount = 0;
    // Set by Paint and the fast paths; a paintEvent that follows only shows
    // the fresh picture instead of composing it again.
    bool FSurfaceFresh = false;

    // --- mouse gestures (chart/PlotChartMouse.cpp) ---
    struct TGesture {
        bool Active = false;
        TMouseActMode Action = maNone;
        Qt::MouseButton Button = Qt::NoButton;
        TPoint Press;
        TPoint Last;
        // Whether the pointer has left the click slop since the press.
        bool Moved = false;
        // The ranges and maps at the press: drags are measured from there.
        TZoomRanges Start;
        TPlotMap StartMap;
        int CrossHair = 0; // the one dragged (1..4), 0 none
        bool BandShown = false;
        TPoint BandFrom;
        TPoint BandTo;
    };
    bool InPlotArea(TPoint p) const;
    TPoint ClampToPlotArea(TPoint p) const;
    void UpdateCursor(TPoint at);
    // Ends a gesture in progress: band away, history entry when ranges changed.
    void EndGesture();
    // Applies ranges to both layers by range forcing and repaints; OnZoomPan
    // when they changed.
    void ApplyMouseRanges(const TZoomRanges& Ranges, TMouseActMode Action);
    // One history entry for a gesture that started from Before, if anything changed.
    void CommitZoom(const TZoomRanges& Before);
    void DragTo(TPoint at);
    void ReleaseAt(TPoint at);
    // Draws the band between two corners with the inverting pen (twice: away again).
    void XorBand(TPoint from, TPoint to);
    void ShowBand(TPoint from, TPoint to);
    void HideBand();
    // Redraws the band after the surface was rebuilt under it.
    void RestoreBand();
    int NearestCrossHair(TPoint at) const;
    void MoveCrossHair(TPoint at);
    void RecordTrace(TPoint at);
    TGesture FGesture;
    TZoomHistory FZoomHistory;
};

// The chart as the window description creates it: loads its properties
// through the chart property table, and clears the painting gate once its
// window is shown for the first time.
class TPlotChart : public TCustomPlotChart, public IDescLoadable {
public:
    explicit TPlotChart(QWidget* parent = nullptr);

    void BeginLoading() override;
    // Left, Top, Width and Height place the control; every other name goes
    // to the chart property table.
    void SetDescProperty(const QString& dottedName, const QString& valueText) override;
    void Loaded() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool FWindowCreated = false;
};
