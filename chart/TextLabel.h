#pragma once

// One of a chart's thirty text labels: a text pinned to a point of the plot,
// drawn over the drawing lists (label 1 on top), independent of the lists, so
// ClearGraf leaves it standing. A label is created and reset hidden and empty.

#include "chart/PlotMap.h"
#include "toolkit/Canvas.h"
#include "toolkit/Graphics.h"

#include <QString>
#include <functional>

class TTextLabel {
public:
    TTextLabel() = default;
    TTextLabel(const TTextLabel& other) { CopySettings(other); }
    TTextLabel& operator=(const TTextLabel& other);

    // Copies the settings (not OnChange) and reports one change.
    void Assign(const TTextLabel& source);
    // Back to the values of a new label (hidden, empty text), one change report.
    void Reset();

    // Drawn only while visible; new labels are hidden.
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    // The text, of any length; a line feed starts a new line (a carriage
    // return is ignored). An empty text draws nothing, not even its background.
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    // Where the label stands. World values of Layer by default, so that the
    // label stays on its data after zooms and resizes; with ScreenPos True,
    // pixels from the plot area's top-left corner (x right, y down), rounded
    // half to even.
    double PosX() const { return FPosX; }
    void SetPosX(double value);
    double PosY() const { return FPosY; }
    void SetPosY(double value);
    // Sets both; reports only when one of them changes (dragging moves both).
    void SetPos(double x, double y);
    bool ScreenPos() const { return FScreenPos; }
    void SetScreenPos(bool value);
    // The layer whose axes PosX and PosY are read on: values <= 0 become 1,
    // values >= 3 become 2, as with crosshairs.
    int Layer() const { return FLayer; }
    void SetLayer(int value);
    // Font and text colour (Font.Color). Default: the toolkit's default font.
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& value);
    // Which point of the text block lies on the position: taLeftJustify its
    // left edge, taRightJustify its right edge, taCenter its middle; the
    // position is always the block's top. Each line is aligned on its own.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    // Transparent labels draw only their glyphs; otherwise the whole text
    // block (widest line by all lines) is filled with BkColor first.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor value);

    // Called after every change; the chart repaints when its AutoRedraw is on.
    std::function<void()> OnChange;

    // Draws the label onto a canvas whose origin lies on the plot area's
    // top-left corner, converting world positions through Map. Does nothing
    // for a hidden label or an empty text. Sets pen, brush and font.
    void Draw(TCanvas& Canvas, const TPlotMap& Map) const;

private:
    void CopySettings(const TTextLabel& other);
    void Changed();

    bool FVisible = false;
    QString FCaption;
    double FPosX = 0;
    double FPosY = 0;
    bool FScreenPos = false;
    int FLayer = 1;
    TFont FFont;
    TAlignment FAlignment = taLeftJustify;
    bool FTransparent = true;
    TColor FBkColor = clWhite;
};
