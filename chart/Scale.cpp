#include "chart/Scale.h"

#include "chart/ScaleMath.h"

#include <QDate>
#include <algorithm>
#include <cmath>

namespace {
constexpr double LogFloor = 1e-100;
// Guards every tick loop against ranges that would ask for endless ticks.
constexpr int MaxLoop = 100000;

const char* const MonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

QString TwoDigits(int v) {
    return QString::number(v).rightJustified(2, u'0');
}
} // namespace

TScale::TScale() {
    FDTFormat.OnChange = [this](TDTLabel*) { TriggerPaint(); };
    AdjustScalePars();
}

void TScale::ResetComp() {
    FFrameStyle = fsLowered;
    FColorFG = clBlack;
    FColorBG = clBtnFace;
    FColBlackLine = clBlack;
    FColGrayLine = RGBColor(128, 128, 128);
    FColWhiteLine = clWhite;
    FColorScheme = csBWG;
    FAxLog = false;
    FTransf_k = 1.0;
    FTransf_d = 0.0;
    FRangeHigh = 100.0;
    FRangeLow = 0.0;
    FShortTicks = true;
    FTickCount = 0;
    FNumTicks = 3;
    FDecPlaces = -2;
    FNotYetLoaded = true;
    FDrawBaseLine = true;
    FTransparent = false;
    FLabelType = ftNum;
    FDTFormat = TDTLabel();
    FMarginTop = FMarginBottom = FMarginRight = FMarginLeft = 20;
    FIsHelper = false;
    FLblPosX = FLblPosY = 4;
    FLblAlign = taCenter;
    FLblAnchor = uaSclTopLft;
    FUserTicktext.clear();
    FScaleInscript.clear();
    FUnitLabel.clear();
    FForeignCv = nullptr;
    FForCvPosX = FForCvPosY = 0;
    FScaleType = sctXB;
    FSuppressPaint = true;
    AdjustScalePars();
}

void TScale::Loaded() {
    FLoading = false;
    AdjustScalePars();
    FNotYetLoaded = false;
    TriggerPaint();
}

void TScale::SetBounds(int left, int top, int width, int height) {
    FLeft = left;
    FTop = top;
    FWidth = std::max(width, 0);
    FHeight = std::max(height, 0);
    AdjustScalePars();
    TriggerPaint();
}

// ---- setters ----

void TScale::SetFrameStyle(TFrameStyle v) {
    if (v == FFrameStyle)
        return;
    FFrameStyle = v;
    TriggerPaint();
}
void TScale::SetColorScale(TColor v) {
    if (v == FColorFG)
        return;
    FColorFG = v;
    TriggerPaint();
}
void TScale::SetColorBackGnd(TColor v) {
    if (v == FColorBG)
        return;
    FColorBG = v;
    TriggerPaint();
}
void TScale::SetShortTicks(bool v) {
    if (v == FShortTicks)
        return;
    FShortTicks = v;
    TriggerPaint();
}
void TScale::SetIsHelper(bool v) {
    if (v == FIsHelper)
        return;
    FIsHelper = v;
    TriggerPaint();
}

void TScale::SetColorScheme(TColorScheme v) {
    FColorScheme = v;
    if (v == csBWG) {
        FColGrayLine = RGBColor(128, 128, 128);
        FColWhiteLine = clWhite;
    } else {
        FColGrayLine = clBtnShadow;
        FColWhiteLine = clBtnHighlight;
    }
    TriggerPaint();
}

void TScale::SetLogarithmic(bool v) {
    if (!v || FNotYetLoaded ||
        (FRangeLow >= LogFloor && FRangeHigh >= LogFloor && FLabelType != ftDateTime))
        FAxLog = v;
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetRangeLow(double v) {
    FRangeLow = v;
    if (v == FRangeHigh)
        FRangeHigh = v + 1;
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetRangeHigh(double v) {
    FRangeHigh = v;
    if (v == FRangeLow)
        FRangeLow = v + 1;
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetRange(double low, double high) {
    FRangeLow = low;
    FRangeHigh = high == low ? low + 1 : high;
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetMinTicks(int v) {
    FNumTicks = v == 0 ? 0 : std::clamp(v, 2, 10);
    TriggerPaint();
}

void TScale::SetDecPlaces(int v) {
    FDecPlaces = std::clamp(v, -3, 12);
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetShowBaseLine(bool v) {
    FDrawBaseLine = v;
    TriggerPaint();
}
void TScale::SetTransparent(bool v) {
    FTransparent = v;
    TriggerPaint();
}

void TScale::SetLabelType(TFigType v) {
    FLabelType = v;
    if (v == ftDateTime)
        FAxLog = false;
    if (v == ftTime)
        FDecPlaces = 4;
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetDateFormat(const TDTLabel& v) {
    FDTFormat.Assign(v);
}

void TScale::SetMarginTop(int v) {
    FMarginTop = std::max(v, 0);
    AdjustScalePars();
    TriggerPaint();
}
void TScale::SetMarginBottom(int v) {
    FMarginBottom = std::max(v, 0);
    AdjustScalePars();
    TriggerPaint();
}
void TScale::SetMarginLeft(int v) {
    FMarginLeft = std::max(v, 0);
    AdjustScalePars();
    TriggerPaint();
}
void TScale::SetMarginRight(int v) {
    FMarginRight = std::max(v, 0);
    AdjustScalePars();
    TriggerPaint();
}

void TScale::SetCaptionPosX(int v) {
    FLblPosX = v;
    TriggerPaint();
}
void TScale::SetCaptionPosY(int v) {
    FLblPosY = v;
    TriggerPaint();
}
void TScale::SetCaptionAlignment(TAlignment v) {
    FLblAlign = v;
    TriggerPaint();
}
void TScale::SetCaptionAnchor(TScaleUnitAnchor v) {
    FLblAnchor = v;
    TriggerPaint();
}
void TScale::SetUserTickText(const QString& v) {
    FUserTicktext = v;
    TriggerPaint();
}
void TScale::SetScaleInscript(const QString& v) {
    FScaleInscript = v;
    TriggerPaint();
}
void TScale::SetCaption(const QString& v) {
    FUnitLabel = v;
    TriggerPaint();
}

void TScale::SetScaleType(TScaleType v) {
    if (v != FScaleType) {
        FScaleType = v;
        AdjustScalePars();
    }
    TriggerPaint();
}

void TScale::SetSuppressPaint(bool v) {
    FSuppressPaint = v;
    if (!v)
        Paint();
}

void TScale::SetVisible(bool v) {
    FVisible = v;
    TriggerPaint();
}
void TScale::SetFont(const TFont& v) {
    FFont = v;
    TriggerPaint();
}

void TScale::UseForeignCanvas(TCanvas* canvas, int x, int y) {
    FForeignCv = canvas;
    FForCvPosX = x;
    FForCvPosY = y;
}

// ---- transform ----

void TScale::AdjustScalePars() {
    if (FLoading || FRangeHigh == FRangeLow)
        return;
    if (IsHorizontal(FScaleType)) {
        const int n = FWidth - FMarginLeft - FMarginRight - 1;
        if (n <= 0) {
            FTransf_k = 0;
            FTransf_d = FWidth / 2.0;
        } else if (!FAxLog) {
            FTransf_k = n / (FRangeHigh - FRangeLow);
            FTransf_d = FMarginLeft - FTransf_k * FRangeLow;
        } else if (FRangeLow > 0 && FRangeHigh > 0) {
            FTransf_k = n / (std::log(FRangeHigh) - std::log(FRangeLow));
            FTransf_d = FMarginLeft - FTransf_k * std::log(FRangeLow);
        }
    } else {
        const int n = FHeight - FMarginTop - FMarginBottom - 1;
        if (n <= 0) {
            FTransf_k = 0;
            FTransf_d = FHeight / 2.0;
        } else if (!FAxLog) {
            FTransf_k = n / (FRangeLow - FRangeHigh);
            FTransf_d = FMarginTop - FTransf_k * FRangeHigh;
        } else if (FRangeLow > 0 && FRangeHigh > 0) {
            FTransf_k = n / (std::log(FRangeLow) - std::log(FRangeHigh));
            FTransf_d = FMarginTop - FTransf_k * std::log(FRangeHigh);
        }
    }
}

int TScale::R2M(double value) const {
    double p;
    if (FAxLog)
        p = FTransf_k * std::log(std::max(value, LogFloor)) + FTransf_d;
    else
        p = FTransf_k * value + FTransf_d;
    if (std::isnan(p))
        return 0;
    p = std::clamp(p, -2147483647.0, 2147483647.0);
    return static_cast<int>(std::nearbyint(p));
}

double TScale::M2R(double pixel) const {
    if (FTransf_k == 0)
        return (FRangeLow + FRangeHigh) / 2;
    const double v = (pixel - FTransf_d) / FTransf_k;
    return FAxLog ? std::exp(v) : v;
}

double TScale::GetTickPos(int i) const {
    if (i < 1 || i > FTickCount)
        return 0;
    return FScaleTickPos[i - 1];
}

// ---- drawing ----

void TScale::DrawTick(TCanvas& canvas, double v, int base, bool horizontal, bool labelled) {
    const int pos = R2M(v);
    int x, y;
    if (horizontal) {
        const int len = labelled ? 7 : 4;
        x = pos;
        y = base;
        canvas.MoveTo(x, y);
        canvas.LineTo(x, FScaleType == sctXT ? y + len : y - len);
    } else {
        const int len = labelled ? 6 : 4;
        x = base;
        y = pos;
        canvas.MoveTo(x, y);
        canvas.LineTo(FScaleType == sctYL ? x + len : x - len, y);
    }
    if (FTickCount < MaxTickPos)
        FScaleTickPos[FTickCount++] = v;
    if (OnScaleTickDrawn)
        OnScaleTickDrawn(this, canvas, FScaleType, v, x, y);
}

QString TScale::FinishLabel(double v, QString text) {
    if (FLabelType == ftUserText)
        text = UserTickItem(FUserTicktext, ++FLabelCount);
    else
        text = ApplyInscript(FScaleInscript, text);
    if (OnBeforeTickLabel)
        OnBeforeTickLabel(this, FScaleType, v, text);
    return text;
}

void TScale::DrawLabel(TCanvas& canvas, double v, int base, bool horizontal, QString text) {
    if (FLabelType == ftNoFigs)
        return;
    text = FinishLabel(v, std::move(text));
    if (text.isEmpty())
        return;
    const int pos = R2M(v);
    const TSize size = canvas.TextExtent(text);
    if (horizontal) {
        const int half = size.cx / 2;
        const int left =
            pos + half < FWidth - 2 ? pos - std::min(pos - 2, half) : FWidth - 2 * half - 2;
        const int top = FScaleType == sctXT ? base + 7 : base - size.cy - 7;
        canvas.TextOut(left, top, text);
    } else {
        const int top = pos - FZeroHeight / 2;
        const int left = FScaleType == sctYL ? base + 8 : base - size.cx - 8;
        canvas.TextOut(left, top, text);
    }
}

bool TScale::DrawLinear(TCanvas& canvas, int base, bool horizontal) {
    double start, step;
    int nsub;
    CalcScalePars(FNumTicks, FRangeLow, FRangeHigh, start, step, nsub);
    if (step == 0)
        return true;
    const double dir = FRangeHigh > FRangeLow ? 1.0 : -1.0;
    if (FShortTicks) {
        const double s = step / nsub;
        for (int i = 0; i < MaxLoop; ++i) {
            const double v = start - step + i * s;
            if (!(dir * v < dir * FRangeLow))
                DrawTick(canvas, v, base, horizontal, false);
            if (!(dir * (start - step + (i + 1) * s - FRangeHigh) <= 0.001 * std::fabs(s)))
                break;
        }
    }
    FLabelDecimals = LabelDecimals(FDecPlaces, FRangeLow, FRangeHigh);
    for (int i = 0; i < MaxLoop; ++i) {
        const double v = start + i * step;
        DrawTick(canvas, v, base, horizontal, true);
        if (FLabelType != ftNoFigs)
            DrawLabel(canvas, v, base, horizontal,
                      NumLabelText(v, FRangeLow, FRangeHigh, FLabelDecimals, FDecPlaces));
        if (!(dir * (start + (i + 1) * step - FRangeHigh) <= 0.001 * std::fabs(step)))
            break;
    }
    return true;
}

bool TScale::DrawLog(TCanvas& canvas, int base, bool horizontal) {
    const double lo = std::min(FRangeLow, FRangeHigh);
    const double hi = std::max(FRangeLow, FRangeHigh);
    if (lo < LogFloor)
        return false;
    const double decades = std::fabs(std::log10(FRangeHigh / FRangeLow));
    if (decades < 1)
        return false;
    const bool dense = FNumTicks > decades + 0.5;
    FLabelDecimals = LogLabelDecimals(FDecPlaces, FRangeLow, FRangeHigh);
    auto inside = [&](double v) { return v >= 0.999999999 * lo && v <= hi / 0.999999999; };
    const int first = static_cast<int>(std::floor(std::log10(0.999999999 * lo)));
    const int last = static_cast<int>(std::ceil(std::log10(hi)));
    for (int e = first; e <= last; ++e) {
        const double power = std::pow(10.0, e);
        for (int m = 1; m <= 9; ++m) {
            const double v = m * power;
            if (!inside(v))
                continue;
            const bool labelled = m == 1 || (dense && (m == 2 || m == 5));
            if (labelled) {
                DrawTick(canvas, v, base, horizontal, true);
                DrawLabel(canvas, v, base, horizontal,
                          NumLabelText(v, FRangeLow, FRangeHigh, FLabelDecimals, FDecPlaces));
            } else if (dense && FShortTicks) {
                DrawTick(canvas, v, base, horizontal, false);
            }
        }
    }
    return true;
}

namespace {
const double TimeSteps[] = {0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1,   0.2,   0.5,
                            1,     2,     5,     10,   20,   30,   60,    120,   180,
                            300,   600,   1200,  1800, 3600, 7200, 14400, 21600, 43200};

QString TimeText(double seconds, bool millis, const TDTLabel& fmt) {
    const bool negative = seconds < 0;
    const long long totalMs = std::llround(std::fabs(seconds) * 1000);
    const long long h = totalMs / 3600000;
    const int m = static_cast<int>(totalMs / 60000 % 60);
    const int s = static_cast<int>(totalMs / 1000 % 60);
    const int ms = static_cast<int>(totalMs % 1000);
    const QString sep(fmt.TimeSeparator());
    QString text;
    switch (fmt.TimeFormat()) {
    case tfHHhMM:
        text = TwoDigits(static_cast<int>(h)) + u'h' + TwoDigits(m);
        break;
    case tfAMPM: {
        const int h24 = static_cast<int>(h % 24);
        const int h12 = h24 % 12 == 0 ? 12 : h24 % 12;
        text = QString::number(h12) + sep + TwoDigits(m) + sep + TwoDigits(s) +
               (h24 < 12 ? QStringLiteral(" am") : QStringLiteral(" pm"));
        millis = false;
        break;
    }
    default:
        text = TwoDigits(static_cast<int>(h)) + sep + TwoDigits(m) + sep + TwoDigits(s);
        break;
    }
    if (millis && fmt.TimeFormat() == tfHHMMSS)
        text += u'.' + QString::number(ms).rightJustified(3, u'0');
    return negative ? u'-' + text : text;
}

// The largest table step not above span / n; 0 when the span is outside the table.
double TableStep(const double* steps, std::size_t count, double perInterval, double upper) {
    if (perInterval < steps[0] || perInterval >= upper)
        return 0;
    double best = steps[0];
    for (std::size_t i = 0; i < count; ++i)
        if (steps[i] <= perInterval)
            best = steps[i];
    return best;
}
} // namespace

bool TScale::DrawTime(TCanvas& canvas, int base, bool horizontal) {
    const int n = FNumTicks == 0 ? 3 : FNumTicks;
    const double span = std::fabs(FRangeHigh - FRangeLow);
    const double step = TableStep(TimeSteps, std::size(TimeSteps), span / n, 86400.0);
    if (step == 0)
        return false;
    const double lo = std::min(FRangeLow, FRangeHigh);
    const double hi = std::max(FRangeLow, FRangeHigh);
    const double first = std::ceil(lo / step - 1e-9) * step;
    for (int i = 0; i < MaxLoop; ++i) {
        const double v = first + i * step;
        if (v > hi + 1e-9 * step)
            break;
        DrawTick(canvas, v, base, horizontal, true);
        DrawLabel(canvas, v, base, horizontal, TimeText(v, step < 1, FDTFormat));
    }
    return true;
}

bool TScale::DrawDateTime(TCanvas& canvas, int base, bool horizontal) {
    static const double DaySteps[] = {1.0 / 86400,
                                      2.0 / 86400,
                                      5.0 / 86400,
                                      10.0 / 86400,
                                      30.0 / 86400,
                                      60.0 / 86400,
                                      120.0 / 86400,
                                      300.0 / 86400,
                                      600.0 / 86400,
                                      1800.0 / 86400,
                                      3600.0 / 86400,
                                      7200.0 / 86400,
                                      10800.0 / 86400,
                                      21600.0 / 86400,
                                      43200.0 / 86400,
                                      1,
                                      2,
                                      5,
                                      7,
                                      14,
                                      28,
                                      56,
                                      91,
                                      182,
                                      365,
                                      730,
                                      1826,
                                      3652,
                                      7305};
    const int n = FNumTicks == 0 ? 3 : FNumTicks;
    const double span = std::fabs(FRangeHigh - FRangeLow);
    const double step = TableStep(DaySteps, std::size(DaySteps), span / n, 1e7);
    if (step == 0)
        return false;
    const double lo = std::min(FRangeLow, FRangeHigh);
    const double hi = std::max(FRangeLow, FRangeHigh);
    const double first = std::ceil(lo / step - 1e-9) * step;
    const QDate epoch(1899, 12, 30);
    for (int i = 0; i < MaxLoop; ++i) {
        const double v = first + i * step;
        if (v > hi + 1e-9 * step)
            break;
        const double dayPart = std::floor(v + 1e-9);
        const long long day = static_cast<long long>(dayPart);
        const QDate date = epoch.addDays(day);
        const QString sep(FDTFormat.DateSeparator());
        const QString dd = TwoDigits(date.day());
        const QString mm = FDTFormat.MonthName() ? QString::fromLatin1(MonthNames[date.month() - 1])
                                                 : TwoDigits(date.month());
        QString yy;
        if (FDTFormat.YearLength() == ylYY)
            yy = TwoDigits(date.year() % 100);
        else if (FDTFormat.YearLength() == ylYYYY)
            yy = QString::number(date.year());
        QStringList parts;
        switch (FDTFormat.DateOrder()) {
        case doMMDDYY:
            parts = {mm, dd, yy};
            break;
        case doYYMMDD:
            parts = {yy, mm, dd};
            break;
        default:
            parts = {dd, mm, yy};
            break;
        }
        parts.removeAll(QString());
        const QString dateText = parts.join(sep);
        QString text;
        if (step >= 1) {
            text = dateText;
        } else {
            const QString timeText = TimeText((v - dayPart) * 86400, step < 1.0 / 86400, FDTFormat);
            bool withDate = false;
            switch (FDTFormat.DateForTime()) {
            case dtAllTicks:
                withDate = true;
                break;
            case dtOnePerChart:
                withDate = !FDateShown;
                break;
            case dtOnePerDay:
                withDate = !FDateShown || day != FLastDay;
                break;
            default:
                break;
            }
            if (withDate) {
                FDateShown = true;
                FLastDay = day;
            }
            text = withDate ? dateText + u' ' + timeText : timeText;
        }
        DrawTick(canvas, v, base, horizontal, true);
        DrawLabel(canvas, v, base, horizontal, text);
    }
    return true;
}

void TScale::DrawCaption(TCanvas& canvas, int base, bool horizontal) {
    if (FUnitLabel.isEmpty())
        return;
    const int w = canvas.TextWidth(FUnitLabel);
    int ax, ay;
    if (horizontal) {
        switch (FLblAnchor) {
        case uaSclCenter:
            ax = FMarginLeft + (FWidth - FMarginLeft - FMarginRight) / 2;
            break;
        case uaSclBotRgt:
            ax = FWidth - FMarginRight;
            break;
        default:
            ax = FMarginLeft;
            break;
        }
        ax += FLblPosX;
        ay = base + FLblPosY;
    } else {
        switch (FLblAnchor) {
        case uaSclCenter:
            ay = FMarginTop + (FHeight - FMarginTop - FMarginBottom) / 2;
            break;
        case uaSclBotRgt:
            ay = FHeight - FMarginBottom;
            break;
        default:
            ay = FMarginTop;
            break;
        }
        ay += FLblPosY;
        ax = base + FLblPosX;
    }
    if (FLblAlign == taRightJustify)
        ax -= w;
    else if (FLblAlign == taCenter)
        ax -= w / 2;
    canvas.TextOut(ax, ay, FUnitLabel);
}

void TScale::DrawScale(TCanvas& canvas, int base, bool horizontal) {
    canvas.Brush.Style = FTransparent ? bsClear : bsSolid;
    if (!FTransparent)
        canvas.Brush.Color = FColorBG;
    FTickCount = 0;
    FLabelCount = 0;
    FDateShown = false;
    FLabelDecimals = LabelDecimals(FDecPlaces, FRangeLow, FRangeHigh);
    FZeroHeight = canvas.TextHeight(QStringLiteral("0"));
    bool done = false;
    if (FLabelType == ftDateTime)
        done = DrawDateTime(canvas, base, horizontal);
    else if (FLabelType == ftTime)
        done = DrawTime(canvas, base, horizontal);
    else if (FAxLog)
        done = DrawLog(canvas, base, horizontal);
    if (!done)
        DrawLinear(canvas, base, horizontal);
    DrawCaption(canvas, base, horizontal);
}

void TScale::DrawXScale(TCanvas& canvas, int y) {
    DrawScale(canvas, y, true);
}

void TScale::DrawYScale(TCanvas& canvas, int x) {
    DrawScale(canvas, x, false);
}

void TScale::DrawFrame(TCanvas& c) {
    const int r = FWidth - 1, b = FHeight - 1;
    auto edge = [&](int inset, TColor topLeft, TColor bottomRight) {
        c.Pen = TPen{topLeft, psSolid, 1, pmCopy};
        c.MoveTo(inset, b - inset);
        c.LineTo(inset, inset);
        c.LineTo(r - inset + 1, inset);
        c.Pen.Color = bottomRight;
        c.MoveTo(r - inset, inset + 1);
        c.LineTo(r - inset, b - inset);
        c.LineTo(inset, b - inset);
    };
    switch (FFrameStyle) {
    case fsSimple:
        edge(0, FColBlackLine, FColBlackLine);
        break;
    case fsLowered:
        edge(0, FColGrayLine, FColWhiteLine);
        break;
    case fsRaised:
        edge(0, FColWhiteLine, FColGrayLine);
        break;
    case fsEmbossed:
        edge(0, FColWhiteLine, FColBlackLine);
        edge(1, RGBColor(192, 192, 192), FColGrayLine);
        break;
    case fsEngraved:
        edge(0, FColGrayLine, FColWhiteLine);
        edge(1, FColBlackLine, RGBColor(192, 192, 192));
        break;
    default:
        break;
    }
}

void TScale::PaintOn(TCanvas& c, int offX, int offY) {
    c.Pen = TPen{FColorFG, psSolid, 1, pmCopy};
    const bool horizontal = IsHorizontal(FScaleType);
    int base;
    switch (FScaleType) {
    case sctXB:
        base = offY + FHeight - FMarginBottom - 1;
        break;
    case sctXT:
        base = offY + FMarginTop;
        break;
    case sctYL:
        base = offX + FMarginLeft;
        break;
    default:
        base = offX + FWidth - FMarginRight - 1;
        break;
    }
    if (horizontal)
        DrawXScale(c, base);
    else
        DrawYScale(c, base);
    if (FDrawBaseLine) {
        c.Pen = TPen{FColorFG, psSolid, 1, pmCopy};
        // Both ends of the axis belong to it.
        if (horizontal) {
            c.MoveTo(FMarginLeft, base);
            c.LineTo(FWidth - FMarginRight, base);
        } else {
            c.MoveTo(base, FMarginTop);
            c.LineTo(base, FHeight - FMarginBottom);
        }
    }
}

void TScale::Paint() {
    if (!FVisible || FLoading || FSuppressPaint)
        return;
    TCanvas* target = FForeignCv;
    int offX = FForCvPosX, offY = FForCvPosY;
    if (!target) {
        FSurface.SetSize(FWidth, FHeight);
        target = &FSurface.Canvas();
        offX = offY = 0;
    }
    target->Font = FFont;
    if (OnBeforeScaleRendered)
        OnBeforeScaleRendered(this, *target);
    if (FTransparent) {
        PaintOn(*target, offX, offY);
        if (OnAfterScaleRendered)
            OnAfterScaleRendered(this, *target);
        return;
    }
    FPicture.SetSize(FWidth, FHeight);
    TCanvas& pc = FPicture.Canvas();
    pc.Brush = TBrush{FColorBG, bsSolid};
    pc.FillRect({0, 0, FWidth, FHeight});
    DrawFrame(pc);
    pc.Font = FFont;
    PaintOn(pc, 0, 0);
    if (OnAfterScaleRendered)
        OnAfterScaleRendered(this, pc);
    target->Draw(offX, offY, FPicture);
}

void TScale::ForcePaint() {
    const bool saved = FSuppressPaint;
    FSuppressPaint = false;
    Paint();
    FSuppressPaint = saved;
}
