#pragma once

// Background settings of a chart: an optional picture under the plot area and
// an optional coloured band given in world values of the active layer.

#include "toolkit/Graphics.h"

#include <QString>
#include <cstdint>
#include <functional>

enum TBkgFill : std::uint8_t { bfSimple, bfStretch, bfTile };

enum TBGAreaMode : std::uint8_t {
    bamNone,
    bamLeft,
    bamRight,
    bamTop,
    bamBottom,
    bamVStripe,
    bamHStripe,
    bamRect,
    bamRectInv,
    bamVStripeInv,
    bamHStripeInv
};

class TBakGndImg {
public:
    TBakGndImg() = default;
    TBakGndImg(const TBakGndImg& other) { CopySettings(other); }
    TBakGndImg& operator=(const TBakGndImg& other);

    // Copies the settings (not OnChange) and reports one change.
    void Assign(const TBakGndImg& source);

    QString Name() const { return FName; }
    // Keeps only the file-name part unless IncludePath is set.
    void SetName(const QString& value);
    bool IncludePath() const { return FIncludePath; }
    // Turning it off cuts the directory part off the current Name.
    void SetIncludePath(bool value);
    TBkgFill FillMode() const { return FFillMode; }
    void SetFillMode(TBkgFill value);
    TBGAreaMode AreaMode() const { return FAreaMode; }
    void SetAreaMode(TBGAreaMode value);
    TColor AreaColor() const { return FAreaColor; }
    void SetAreaColor(TColor value);
    double AreaLeft() const { return FAreaLeft; }
    void SetAreaLeft(double value);
    double AreaRight() const { return FAreaRight; }
    void SetAreaRight(double value);
    double AreaTop() const { return FAreaTop; }
    void SetAreaTop(double value);
    double AreaBottom() const { return FAreaBottom; }
    void SetAreaBottom(double value);

    std::function<void()> OnChange;

private:
    void CopySettings(const TBakGndImg& other);
    void Changed();

    QString FName;
    bool FIncludePath = false;
    TBkgFill FFillMode = bfStretch;
    TBGAreaMode FAreaMode = bamNone;
    TColor FAreaColor = 0xDDDDDD;
    double FAreaLeft = -1.0;
    double FAreaRight = 1.0;
    double FAreaTop = 1.0;
    double FAreaBottom = -1.0;
};

// The part of Path after the last '/' or '\'.
QString FileNamePart(const QString& Path);
