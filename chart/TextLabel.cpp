#include "chart/TextLabel.h"

#include "chart/Rounding.h"

#include <QStringList>
#include <algorithm>

TTextLabel& TTextLabel::operator=(const TTextLabel& other) {
    if (this != &other)
        CopySettings(other);
    return *this;
}

void TTextLabel::CopySettings(const TTextLabel& other) {
    FVisible = other.FVisible;
    FCaption = other.FCaption;
    FPosX = other.FPosX;
    FPosY = other.FPosY;
    FScreenPos = other.FScreenPos;
    FLayer = other.FLayer;
    FFont = other.FFont;
    FAlignment = other.FAlignment;
    FTransparent = other.FTransparent;
    FBkColor = other.FBkColor;
}

void TTextLabel::Assign(const TTextLabel& source) {
    if (this != &source)
        CopySettings(source);
    Changed();
}

void TTextLabel::Reset() {
    CopySettings(TTextLabel());
    Changed();
}

void TTextLabel::Changed() {
    if (OnChange)
        OnChange();
}

void TTextLabel::SetVisible(bool value) {
    FVisible = value;
    Changed();
}

void TTextLabel::SetCaption(const QString& value) {
    FCaption = value;
    Changed();
}

void TTextLabel::SetPosX(double value) {
    FPosX = value;
    Changed();
}

void TTextLabel::SetPosY(double value) {
    FPosY = value;
    Changed();
}

void TTextLabel::SetPos(double x, double y) {
    if (x == FPosX && y == FPosY)
        return;
    FPosX = x;
    FPosY = y;
    Changed();
}

void TTextLabel::SetScreenPos(bool value) {
    FScreenPos = value;
    Changed();
}

void TTextLabel::SetLayer(int value) {
    FLayer = value <= 0 ? 1 : value >= 3 ? 2 : value;
    Changed();
}

void TTextLabel::SetFont(const TFont& value) {
    FFont = value;
    Changed();
}

void TTextLabel::SetAlignment(TAlignment value) {
    FAlignment = value;
    Changed();
}

void TTextLabel::SetTransparent(bool value) {
    FTransparent = value;
    Changed();
}

void TTextLabel::SetBkColor(TColor value) {
    FBkColor = value;
    Changed();
}

void TTextLabel::Draw(TCanvas& Canvas, const TPlotMap& Map) const {
    if (!FVisible || FCaption.isEmpty())
        return;
    int x, y;
    if (FScreenPos) {
        x = LimitScreenCoord(ClampRound(FPosX));
        y = LimitScreenCoord(ClampRound(FPosY));
    } else {
        const TPlotGeometry& g = Map.Geometry();
        Map.R2M(FLayer, FPosX, FPosY, x, y);
        x = LimitScreenCoord(static_cast<long long>(x) - g.LRim);
        y = LimitScreenCoord(static_cast<long long>(y) - g.TRim);
    }

    QString text = FCaption;
    text.remove(QLatin1Char('\r'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    Canvas.Font = FFont;
    const int lineHeight = Canvas.TextHeight(QStringLiteral("Ag"));
    const auto lineLeft = [&](int width) {
        switch (FAlignment) {
        case taRightJustify:
            return x - width;
        case taCenter:
            return x - width / 2;
        case taLeftJustify:
            break;
        }
        return x;
    };
    if (!FTransparent) {
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, Canvas.TextWidth(line));
        const int left = lineLeft(widest);
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = FBkColor;
        Canvas.FillRect({left, y, left + widest, y + lineHeight * static_cast<int>(lines.size())});
    }
    // The block's background is down; the glyphs go over it unfilled.
    Canvas.Brush.Style = bsClear;
    int top = y;
    for (const QString& line : lines) {
        if (!line.isEmpty())
            Canvas.TextOut(lineLeft(Canvas.TextWidth(line)), top, line);
        top += lineHeight;
    }
    Canvas.Brush.Style = bsSolid;
}
