// Construction, reset and the property setters of the chart control.

#include "chart/PlotChart.h"

#include "chart/BakGndImg.h"
#include "chart/ChartPropertyTable.h"
#include "chart/CrossHair.h"
#include "chart/FlagGuard.h"
#include "chart/JointLayers.h"
#include "chart/Scale.h"
#include "chart/ScaleProps.h"
#include "chart/StandardLayout.h"

#include <QShowEvent>
#include <algorithm>

TCustomPlotChart::TCustomPlotChart(QWidget* parent) : QWidget(parent) {
    // paintEvent always covers the whole surface with the composed picture.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button report the pointer's world values too.
    setMouseTracking(true);
    for (auto& ch : FCrossHair)
        ch = std::make_unique<TCrossHair>();
    FBackGroundImg = std::make_unique<TBakGndImg>();
    FJointLayers = std::make_unique<TJointLayers>();
    for (std::size_t i = 0; i < 2; ++i) {
        FScaleX[i] = std::make_unique<TScale>();
        FScalePropsX[i] = std::make_unique<TScalePropsHoriz>();
        FScaleY[i] = std::make_unique<TScale>();
        FScalePropsY[i] = std::make_unique<TScalePropsVert>();
    }
    resize(280, 200);
    FMouseTrace.reserve(MaxMouseTracePoints);
    ResizeGrafBmp();
    FChartBmp.SetSize(width(), height());
    ResetComp();
}

TCustomPlotChart::~TCustomPlotChart() {
    // The settings objects must not report into a chart that is going away.
    for (auto& ch : FCrossHair)
        ch->OnChange = nullptr;
    FBackGroundImg->OnChange = nullptr;
    FJointLayers->OnChange = nullptr;
    FJointLayers->OnApplyRanges = nullptr;
    for (TTextLabel& label : FTextLabels)
        label.OnChange = nullptr;
    for (std::size_t i = 0; i < 2; ++i) {
        FScalePropsX[i]->OnChange = nullptr;
        FScalePropsY[i]->OnChange = nullptr;
    }
}

void TCustomPlotChart::ResetComp() {
    FSuppressPaint = true;
    // Back to the own data list first: the reset must not empty a shared one.
    FPendingUseDataOf.clear();
    ShareDataOf(nullptr);
    ClearDataList();
    ClearAnnoList();
    // Class 0, storage steps of 1000, layer 1, black solid 1-pixel lines,
    // silver fill, tag 0, opaque items, centred texts on a clear background.
    ResetDrawingState();
    FAvoidDuplicateMarks = false;
    FMinDupMarkDist = 1;

    FShadowWidth = 0;
    FShadowColor = clGrayText;
    FShadowBakColor = clBtnFace;
    FShadowStyle = ssFlying;
    ResetVisibility();

    FChartFrameColor = clBlack;
    FChartColor = clWhite;
    FWindColor = clBtnFace;
    FGridColor = clBlack;
    FPanGridDx = 1;
    FPanGridDy = 1;
    FPanGridOffsX = 0;
    FPanGridOffsY = 0;

    // The caption's place and alignment come from the standard layout below.
    FChartCaption.clear();
    FCaptionTrim = 100;

    // A crosshair's defaults are its own; the reset adds the layer of its
    // number (clamped: 1, 2, 2, 2).
    for (int i = 0; i < NumCrossHairs; ++i) {
        TCrossHair& ch = *FCrossHair[static_cast<std::size_t>(i)];
        ch.OnChange = [this] { SettingsChanged(); };
        TCrossHair fresh;
        fresh.SetLayer(i + 1);
        ch.Assign(fresh);
    }
    for (TTextLabel& label : FTextLabels) {
        label.OnChange = [this] { SettingsChanged(); };
        label.Reset();
    }
    ClearLongTexts();

    FBackGroundImg->OnChange = [this] { SettingsChanged(); };
    FJointLayers->OnChange = [this] { SettingsChanged(); };
    FJointLayers->OnApplyRanges = [this](int layer) { ApplyJointRanges(layer); };
    FBackGroundImg->SetName(QString());
    FIsometric = false;
    FMouseCursorFixed = true;
    // No repaint for the rest of the reset.
    FAutoRedraw = false;
    FTextFont = FFont;
    FGridStyle = gsNone;
    FGridDx = 0;
    FGridDy = 0;

    // Plot bitmaps are always 32 bits per pixel; the auxiliary one tells the
    // device's aspect.
    FAuxBmp.SetSize(10, 10);
    const TSize dpi = FAuxBmp.DotsPerInch();
    FAspectX = dpi.cx;
    FAspectY = dpi.cy;

    const int w = width();
    const int h = height();
    for (std::size_t i = 0; i < 2; ++i) {
        auto route = [this](TScaleProps* sender) { ScalePropsChanged(sender); };
        auto setUp = [&](TScale& scale, TScaleProps& props) {
            props.ResetComp();
            scale.ResetComp();
            props.OnChange = route;
            scale.SetTransparent(true);
            scale.SetColorBackGnd(FWindColor);
            scale.SetFrameStyle(fsNone);
            scale.SetBounds(0, 0, w, h);
            SetScaleProps(scale, props);
        };
        setUp(*FScaleX[i], *FScalePropsX[i]);
        FScaleX[i]->SetMarginLeft(FLRim);
        FScaleX[i]->SetMarginRight(FRRim + FShadowWidth - 1);
        setUp(*FScaleY[i], *FScalePropsY[i]);
        FScaleY[i]->SetMarginTop(FTRim);
        FScaleY[i]->SetMarginBottom(FBRim + FShadowWidth - 1);
    }
    for (std::size_t i = 0; i < 2; ++i) {
        const QString layer = QString::number(i + 1);
        const TColor color = i == 0 ? clBlack : clMaroon;
        for (TScale* scale : {FScaleX[i].get(), FScaleY[i].get()}) {
            scale->SetSuppressPaint(true);
            scale->SetIsHelper(true);
            scale->UseForeignCanvas(&FChartBmp.Canvas(), 0, 0);
        }
        FScaleNameX[i] = QStringLiteral("Chart_Scale_X_") + layer;
        FScaleNameY[i] = QStringLiteral("Chart_Scale_Y_") + layer;
        FScalePropsX[i]->SetColorScale(color);
        FScalePropsY[i]->SetColorScale(color);
    }
    // Locations, offsets, caption places and visibility of the axes, the
    // rims and the chart caption's place: the standard layout.
    SetStdLayout(lay_X1Bottom_Y1Left);

    // The surface is composed anew, so a band shown during a gesture just goes.
    FZoomHistory.Clear();
    FGesture = TGesture{};
    FMouseAction = maNone;
    UpdateCursor({});
    FMouseTrace.clear();

    FStyleElements = 0;
    FAutoRedraw = true;
}

TCustomPlotChart* TCustomPlotChart::UseDataOf() const {
    return dynamic_cast<TCustomPlotChart*>(DataSource());
}

void TCustomPlotChart::SetUseDataOf(TCustomPlotChart* value) {
    FPendingUseDataOf.clear();
    ShareDataOf(value);
}

QString TCustomPlotChart::UseDataOfName() const {
    if (const TCustomPlotChart* source = UseDataOf())
        return source->objectName();
    return FPendingUseDataOf;
}

void TCustomPlotChart::SetUseDataOfName(const QString& value) {
    FPendingUseDataOf = value;
    if (value.isEmpty())
        ShareDataOf(nullptr);
    else
        ResolveUseDataOf();
}

bool TCustomPlotChart::ResolveUseDataOf(bool Drop) {
    if (FPendingUseDataOf.isEmpty())
        return true;
    const auto charts = window()->findChildren<TCustomPlotChart*>(FPendingUseDataOf);
    for (TCustomPlotChart* chart : charts)
        if (chart != this) {
            FPendingUseDataOf.clear();
            ShareDataOf(chart);
            return true;
        }
    if (Drop)
        FPendingUseDataOf.clear();
    return Drop;
}

// --- text labels ------------------------------------------------------------------

TTextLabel& TCustomPlotChart::TextLabels(int i) {
    return FTextLabels[static_cast<std::size_t>(std::clamp(i, 1, NumTextLabels) - 1)];
}

const TTextLabel& TCustomPlotChart::TextLabels(int i) const {
    return FTextLabels[static_cast<std::size_t>(std::clamp(i, 1, NumTextLabels) - 1)];
}

void TCustomPlotChart::SetTextLabels(int i, const TTextLabel& value) {
    AssignSettings([&] { TextLabels(i).Assign(value); });
}

// --- platform control properties ------------------------------------------------------

void TCustomPlotChart::SetPlatformProps(const TPlatformProps& value) {
    FPlatformProps = value;
    setToolTip(value.ShowHint ? value.Hint : QString());
    setMinimumSize(std::max(0, value.MinWidth), std::max(0, value.MinHeight));
    setMaximumSize(value.MaxWidth > 0 ? value.MaxWidth : QWIDGETSIZE_MAX,
                   value.MaxHeight > 0 ? value.MaxHeight : QWIDGETSIZE_MAX);
}

bool TCustomPlotChart::DescVisible() const {
    return !(testAttribute(Qt::WA_WState_ExplicitShowHide) && testAttribute(Qt::WA_WState_Hidden));
}

void TCustomPlotChart::SetDescVisible(bool value) {
    if (!value)
        hide();
    else if (!DescVisible())
        show();
}

// --- settings objects ----------------------------------------------------------

void TCustomPlotChart::AssignSettings(const std::function<void()>& Assign) {
    {
        // The object's own change report would compose a picture as well.
        TFlagGuard gate(FSuppressPaint);
        Assign();
    }
    RepaintIfAuto();
}

TCrossHair& TCustomPlotChart::CrossHair(int i) {
    return *FCrossHair[static_cast<std::size_t>(std::clamp(i, 1, NumCrossHairs) - 1)];
}

const TCrossHair& TCustomPlotChart::CrossHair(int i) const {
    return *FCrossHair[static_cast<std::size_t>(std::clamp(i, 1, NumCrossHairs) - 1)];
}

void TCustomPlotChart::SetCrossHair(int i, const TCrossHair& value) {
    AssignSettings([&] { CrossHair(i).Assign(value); });
}

void TCustomPlotChart::SetBackGroundImg(const TBakGndImg& value) {
    AssignSettings([&] { FBackGroundImg->Assign(value); });
}

void TCustomPlotChart::SetJointLayers(const TJointLayers& value) {
    AssignSettings([&] { FJointLayers->Assign(value); });
}

// --- property setters: store, correct, then repaint when AutoRedraw ----------------

void TCustomPlotChart::SetChartColor(TColor value) {
    FChartColor = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetWindColor(TColor value) {
    FWindColor = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetChartFrameColor(TColor value) {
    FChartFrameColor = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetGridColor(TColor value) {
    FGridColor = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetGridStyle(GridStyleType value) {
    FGridStyle = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetGridDx(double value) {
    if (value < -3)
        return;
    FGridDx = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetGridDy(double value) {
    if (value < -3)
        return;
    FGridDy = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetShadowColor(TColor value) {
    FShadowColor = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetShadowBakColor(TColor value) {
    FShadowBakColor = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetShadowStyle(TShadowStyle value) {
    FShadowStyle = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetChartCaption(const QString& value) {
    FChartCaption = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetCaptionPosX(int value) {
    FCaptionPosX = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetCaptionPosY(int value) {
    FCaptionPosY = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetCaptionAlignment(TAlignment value) {
    FCaptionAlignment = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetCaptionAnchorHoriz(TCaptionAnchorHoriz value) {
    FCaptionAnchorHoriz = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetCaptionAnchorVert(TCaptionAnchorVert value) {
    FCaptionAnchorVert = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetCaptionTrim(int value) {
    FCaptionTrim = value == 0 ? 0 : std::clamp(value, 5, 100);
    RepaintIfAuto();
}

void TCustomPlotChart::SetFont(const TFont& value) {
    FFont = value;
    RepaintIfAuto();
}

void TCustomPlotChart::SetAvoidDuplicateMarks(bool value) {
    if (value == FAvoidDuplicateMarks)
        return;
    FAvoidDuplicateMarks = value;
    Paint();
}

void TCustomPlotChart::SetMinDupMarkDist(int value) {
    if (value == FMinDupMarkDist)
        return;
    FMinDupMarkDist = std::clamp(value, 1, 3);
    Paint();
}

void TCustomPlotChart::SetIsometric(bool value) {
    FIsometric = value;
    if (!value)
        return;
    ApplyIsometric();
    AdjustScaling();
    RepaintIfAuto();
}

// --- TPlotChart -----------------------------------------------------------------------

TPlotChart::TPlotChart(QWidget* parent) : TCustomPlotChart(parent) {}

void TPlotChart::BeginLoading() {
    TCustomPlotChart::BeginLoading();
}

void TPlotChart::SetDescProperty(const QString& dottedName, const QString& valueText) {
    const QString name = dottedName.toLower();
    if (name == QLatin1String("left"))
        move(DescInt(valueText), y());
    else if (name == QLatin1String("top"))
        move(x(), DescInt(valueText));
    else if (name == QLatin1String("width"))
        SetBounds(x(), y(), DescInt(valueText), height());
    else if (name == QLatin1String("height"))
        SetBounds(x(), y(), width(), DescInt(valueText));
    else
        ApplyChartProperty(*this, dottedName, valueText);
}

void TPlotChart::Loaded() {
    TCustomPlotChart::Loaded();
}

void TPlotChart::showEvent(QShowEvent* event) {
    TCustomPlotChart::showEvent(event);
    // The window exists from the first show on: open the gate without painting
    // (Qt's own paint request follows and composes the picture).
    if (!FWindowCreated) {
        FWindowCreated = true;
        FSuppressPaint = false;
        // The whole window is loaded by now: a chart named further down the
        // description exists, and a name that none carries is given up.
        ResolveUseDataOf(true);
    }
}
