#pragma once

// The chart control. TCustomPlotChart is the widget: rims around a plot area,
// two layers of axes, caption, shadow, background and frame, and the drawing
// lists it inherits. Every Paint composes the whole picture off-screen
// (ChartBmp, with the plot area in GrafBmp) and only then hands it to Qt, so
// the surface never shows a half-drawn chart. TPlotChart is the form that the
// window description creates and loads.

#include "chart/ChartDrawingList.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartTypes.h"
#include "toolkit/Canvas.h"
#include "toolkit/Graphics.h"
#include "toolkit/WindowDescription.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TScaleProps;
class TScalePropsHoriz;
class TScalePropsVert;
class TScale;
class TBakGndImg;
class TJointLayers;
class TCrossHair;
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

    explicit TCustomPlotChart(QWidget* parent = nullptr);
    ~TCustomPlotChart() override;

    // Restores every default; leaves the painting gate set.
    void ResetComp();

    // --- pipeline ---------------------------------------------------------
    // The full repaint: composes the picture off-screen and asks Qt to show it.
    // Does nothing while hidden, loading or gated.
    void Paint() override;
    // Everything outside the plot area, drawn into ChartBmp through Canvas.
    void ConstructChartBmp(TCanvas& Canvas);
    // Plot background (colour, area band or picture) and its frame.
    virtual void InitGraf(TCanvas& Canvas, int Left, int Top, int Width, int Height);
    // Recomputes both layers' transforms; EChartError for a logarithmic axis
    // with a bound <= 0.
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

    // Empties the data list and re-initialises the plot background (no painting).
    void ClearGraf();
    // Brings the surface up to date with the data list.
    void ShowGraf();
    // Renders the data list over the current plot bitmap and shows it.
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
    bool Isometric() const { return FIsometric; }
    void SetIsometric(bool value);
    TColor MouseTraceColor() const { return FMouseTraceColor; }
    void SetMouseTraceColor(TColor value) { FMouseTraceColor = value; }
    bool MouseTraceInvert() const { return FMouseTraceInvert; }
    void SetMouseTraceInvert(bool value) { FMouseTraceInvert = value; }
    TMouseActMode MouseAction() const { return FMouseAction; }
    void SetMouseAction(TMouseActMode value) { FMouseAction = value; }
    bool MouseCursorFixed() const { return FMouseCursorFixed; }
    void SetMouseCursorFixed(bool value) { FMouseCursorFixed = value; }
    double PanGridDx() const { return FPanGridDx; }
    void SetPanGridDx(double value) { FPanGridDx = value; }
    double PanGridDy() const { return FPanGridDy; }
    void SetPanGridDy(double value) { FPanGridDy = value; }
    double PanGridOffsX() const { return FPanGridOffsX; }
    void SetPanGridOffsX(double value) { FPanGridOffsX = value; }
    double PanGridOffsY() const { return FPanGridOffsY; }
    void SetPanGridOffsY(double value) { FPanGridOffsY = value; }
    // Another chart whose data list this one shows (stored only).
    TCustomPlotChart* UseDataOf() const { return FUseDataOf; }
    void SetUseDataOf(TCustomPlotChart* value) { FUseDataOf = value; }

    // --- standard layouts (SetStdLayout lives with the layout tables) -----------------
    void SetStdLayout(TChartLayout Layout);
    TChartLayout StandardLayout() const { return FStandardLayout; }

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
    // Layer 1 or 2 (clamped).
    const TLayerTransform& Transform(int Layer) const;
    long double Cpkx(int Layer) const { return Transform(Layer).Cpkx; }
    long double Cpdx(int Layer) const { return Transform(Layer).Cpdx; }
    long double Cpky(int Layer) const { return Transform(Layer).Cpky; }
    long double Cpdy(int Layer) const { return Transform(Layer).Cpdy; }
    void R2M(int Layer, double xin, double yin, int& xout, int& yout) const;
    void M2R(int Layer, double xin, double yin, double& xout, double& yout) const;
    void ConvertToScreenCoords(const TChartItem& Item, int& x1, int& y1, int& x2, int& y2) const;
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

    // Complete pictures composed so far (full repaints that got past the gate).
    int PaintCount() const { return FPaintCount; }

    // --- events -------------------------------------------------------------------------
    TChartRenderEvent OnScalesRendered;
    TChartRenderEvent OnBeforeRenderData;
    TChartRenderEvent OnDataRendered;
    std::function<void(TCustomPlotChart& Sender, TChartItem& ChartItem, int Index,
                       bool IsAnnotation)>
        OnBeforeRenderChartItem;

protected:
    void RepaintIfAuto() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    // Called by a settings object's change report.
    void SettingsChanged() { RepaintIfAuto(); }

    bool FSuppressPaint = true;
    bool FLoading = false;
    TChartLayout FStandardLayout{};

private:
    void ConnectSettings();
    void DrawShadow(TCanvas& Canvas);
    void DrawCaption(TCanvas& Canvas);
    void DrawCrossHairs(TCanvas& Canvas, int X, int Y);
    void DrawMouseTrace(TCanvas& Canvas);
    void DrawBackgroundPicture(TCanvas& Canvas, int Left, int Top, int Width, int Height);
    void DrawAreaBand(TCanvas& Canvas, int Left, int Top, int Width, int Height);
    // Sizes the scale objects to the control and sets the margins that fix
    // their axis lengths, after SetScaleProps.
    void PlaceScales();
    void GeometryChanged();
    void ResizeGrafBmp();
    // Composes the complete picture into the surface bitmap.
    void Compose();
    // Writes a range into one axis without notification, by the range-forcing rules.
    static void ForceAxisRange(TScaleProps& Props, double Low, double High);
    void ApplyRangeIntern(int Layer, double XLow, double XHigh, double YLow, double YHigh,
                          bool xFree, bool yFree);

    int FLRim = 50;
    int FRRim = 10;
    int FTRim = 16;
    int FBRim = 32;
    int FShadowWidth = 0;
    TColor FShadowColor = clGrayText;
    TColor FShadowBakColor = clBtnFace;
    TShadowStyle FShadowStyle = ssFlying;
    TColor FChartColor = clWhite;
    TColor FWindColor = clBtnFace;
    TColor FChartFrameColor = clBlack;
    TColor FGridColor = clBlack;
    GridStyleType FGridStyle = gsNone;
    double FGridDx = 0;
    double FGridDy = 0;
    TStyleElements FStyleElements = 0;

    QString FChartCaption;
    int FCaptionPosX = 0;
    int FCaptionPosY = -16;
    TAlignment FCaptionAlignment = taRightJustify;
    TCaptionAnchorHoriz FCaptionAnchorHoriz = cahChartRight;
    TCaptionAnchorVert FCaptionAnchorVert = cavChartTop;
    int FCaptionTrim = 100;

    TFont FFont;
    TFont FTextFont;

    bool FAutoRedraw = false;
    bool FAvoidDuplicateMarks = false;
    int FMinDupMarkDist = 1;
    bool FIsometric = false;
    TColor FMouseTraceColor = clWhite;
    bool FMouseTraceInvert = true;
    TMouseActMode FMouseAction = maNone;
    bool FMouseCursorFixed = true;
    double FPanGridDx = 1;
    double FPanGridDy = 1;
    double FPanGridOffsX = 0;
    double FPanGridOffsY = 0;
    TCustomPlotChart* FUseDataOf = nullptr;
    double FAspectX = 1;
    double FAspectY = 1;

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
    std::array<TLayerTransform, 2> FLayers{};

    std::vector<TMouseTracePoint> FMouseTrace;
    // Ranges of earlier zoom steps (X low, X high, Y low, Y high of layer 1).
    std::vector<std::array<double, 4>> FZoomHistory;
    TChartRenderer FRenderer;
    int FPaintCount = 0;
    // Set by Paint; a paintEvent that follows only copies the fresh picture.
    bool FSurfaceFresh = false;
    bool FInPaintEvent = false;
    // Set while a picture is composed: change reports from inside do not paint again.
    bool FComposing = false;
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
