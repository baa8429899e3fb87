#include "chart/ScaleProps.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double LogFloor = 1e-100;
}

TScaleProps::TScaleProps() {
    FDTFormat.OnChange = [this](TDTLabel*) { Changed(); };
    ResetSettings();
}

TScaleProps::TScaleProps(const TScaleProps& other) : TScaleProps() {
    CopySettings(other);
}

TScaleProps& TScaleProps::operator=(const TScaleProps& other) {
    if (this != &other)
        CopySettings(other);
    return *this;
}

void TScaleProps::CopySettings(const TScaleProps& o) {
    FCaption = o.FCaption;
    FCaptionPosX = o.FCaptionPosX;
    FCaptionPosY = o.FCaptionPosY;
    FCaptAlign = o.FCaptAlign;
    FCaptAnchor = o.FCaptAnchor;
    FColorScale = o.FColorScale;
    FDTFormat = o.FDTFormat; // settings only, our handler stays
    FDecPlaces = o.FDecPlaces;
    FLogAx = o.FLogAx;
    FLabelType = o.FLabelType;
    FFont = o.FFont;
    FMinTicks = o.FMinTicks;
    FRangeLow = o.FRangeLow;
    FRangeHigh = o.FRangeHigh;
    FShortTicks = o.FShortTicks;
    FScaleInscript = o.FScaleInscript;
    FScaleType = o.FScaleType;
    FScalePosX = o.FScalePosX;
    FScalePosY = o.FScalePosY;
    FMinRngDiff = o.FMinRngDiff;
    FUserTickText = o.FUserTickText;
    FVisible = o.FVisible;
}

void TScaleProps::Assign(const TScaleProps& other) {
    CopySettings(other);
    AssignLocation(other);
    Changed();
}

void TScaleProps::StoreRange(double Low, double High) {
    FRangeLow = Low;
    FRangeHigh = High;
}

void TScaleProps::Changed() {
    if (OnChange)
        OnChange(this);
}

void TScaleProps::ResetComp() {
    OnChange = nullptr;
    ResetSettings();
}

void TScaleProps::ResetSettings() {
    FCaption.clear();
    FCaptionPosX = 0;
    FCaptionPosY = 0;
    FCaptAlign = taCenter;
    FCaptAnchor = uaSclTopLft;
    FColorScale = clBlack;
    FDTFormat = TDTLabel();
    FDecPlaces = -2;
    FLogAx = false;
    FLabelType = ftNum;
    FFont = TFont();
    FMinTicks = 3;
    FNotYetLoaded = true;
    FRangeLow = 0.0;
    FRangeHigh = 1.0;
    FShortTicks = true;
    FScaleInscript.clear();
    FScaleType = sctXT;
    FScalePosX = 0;
    FScalePosY = 0;
    FMinRngDiff = 1e-10;
    FUserTickText.clear();
    FVisible = false;
}

int TScaleProps::ScalePos() const {
    return IsHorizontal(FScaleType) ? FScalePosY : FScalePosX;
}

void TScaleProps::SetCaption(const QString& v) {
    FCaption = v;
    Changed();
}
void TScaleProps::SetCaptionPosX(int v) {
    FCaptionPosX = v;
    Changed();
}
void TScaleProps::SetCaptionPosY(int v) {
    FCaptionPosY = v;
    Changed();
}
void TScaleProps::SetCaptionAlignment(TAlignment v) {
    FCaptAlign = v;
    Changed();
}
void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor v) {
    FCaptAnchor = v;
    Changed();
}
void TScaleProps::SetColorScale(TColor v) {
    FColorScale = v;
    Changed();
}
void TScaleProps::SetDateFormat(const TDTLabel& v) {
    FDTFormat.Assign(v);
}

void TScaleProps::SetDecPlaces(int v) {
    FDecPlaces = std::clamp(v, -3, 12);
    Changed();
}

void TScaleProps::SetLogarithmic(bool v) {
    if (!v || FNotYetLoaded ||
        (FRangeLow >= LogFloor && FRangeHigh >= LogFloor && FLabelType != ftDateTime))
        FLogAx = v;
    Changed();
}

void TScaleProps::SetLabelType(TFigType v) {
    FLabelType = v;
    if (v == ftDateTime)
        FLogAx = false;
    if (v == ftTime)
        FDecPlaces = 4;
    Changed();
}

void TScaleProps::SetFont(const TFont& v) {
    FFont = v;
    Changed();
}
void TScaleProps::SetMinTicks(int v) {
    FMinTicks = v;
    Changed();
}

void TScaleProps::SetRangeLow(double v) {
    if (std::fabs(FRangeHigh - v) < FMinRngDiff) {
        FRangeLow = v;
        FRangeHigh = v + FMinRngDiff;
    } else if (!(FLogAx && v < LogFloor)) {
        FRangeLow = v;
    }
    Changed();
}

void TScaleProps::SetRangeHigh(double v) {
    if (std::fabs(FRangeLow - v) < FMinRngDiff) {
        FRangeHigh = v;
        FRangeLow = v - FMinRngDiff;
    } else if (!(FLogAx && v < LogFloor)) {
        FRangeHigh = v;
    }
    Changed();
}

void TScaleProps::SetShortTicks(bool v) {
    FShortTicks = v;
    Changed();
}
void TScaleProps::SetScaleInscript(const QString& v) {
    FScaleInscript = v;
    Changed();
}
void TScaleProps::SetScaleType(TScaleType v) {
    FScaleType = v;
    Changed();
}

void TScaleProps::SetScalePos(int v) {
    if (IsHorizontal(FScaleType))
        FScalePosY = v;
    else
        FScalePosX = v;
    Changed();
}

void TScaleProps::SetMinRange(double v) {
    if (v <= LogFloor)
        return;
    FMinRngDiff = v;
    if (std::fabs(FRangeHigh - FRangeLow) < v) {
        const double c = (FRangeLow + FRangeHigh) / 2;
        FRangeLow = c - v / 2;
        FRangeHigh = c + v / 2;
    }
    Changed();
}

void TScaleProps::SetUserTickText(const QString& v) {
    FUserTickText = v;
    Changed();
}
void TScaleProps::SetVisible(bool v) {
    FVisible = v;
    Changed();
}

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz v) {
    FScaleLoc = v;
    SetScaleType(v == slTop ? sctXB : sctXT);
}

void TScalePropsHoriz::ResetComp() {
    FScaleLoc = DefaultLocation;
    TScaleProps::ResetComp();
}

void TScalePropsVert::SetScaleLocation(TScaleLocationVert v) {
    FScaleLoc = v;
    SetScaleType(v == slLeft ? sctYR : sctYL);
}

void TScalePropsVert::ResetComp() {
    FScaleLoc = DefaultLocation;
    TScaleProps::ResetComp();
}

void TScalePropsHoriz::AssignLocation(const TScaleProps& other) {
    if (const auto* horiz = dynamic_cast<const TScalePropsHoriz*>(&other))
        FScaleLoc = horiz->FScaleLoc;
}

void TScalePropsVert::AssignLocation(const TScaleProps& other) {
    if (const auto* vert = dynamic_cast<const TScalePropsVert*>(&other))
        FScaleLoc = vert->FScaleLoc;
}
