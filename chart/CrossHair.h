#pragma once

// One of a chart's four crosshairs: a position in world values of its layer,
// drawn over the finished picture.

#include "toolkit/Graphics.h"

#include <cstdint>
#include <functional>

enum TCrossHMode : std::uint8_t { chOff, chHoriz, chVert, chBoth, chCrossBox, chBox };

class TCrossHair {
public:
    TCrossHair() = default;
    TCrossHair(const TCrossHair& other) { CopySettings(other); }
    TCrossHair& operator=(const TCrossHair& other);

    // Copies the settings (not OnChange) and reports one change.
    void Assign(const TCrossHair& source);

    double PosX() const { return FPosX; }
    void SetPosX(double value);
    double PosY() const { return FPosY; }
    void SetPosY(double value);
    // Sets both; reports only when one of them changes.
    void SetPos(double x, double y);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Layer() const { return FLayer; }
    // Values <= 0 become 1, values >= 3 become 2.
    void SetLayer(int value);
    TCrossHMode Mode() const { return FMode; }
    void SetMode(TCrossHMode value);
    TPenStyle LineType() const { return FLineType; }
    void SetLineType(TPenStyle value);
    int LineWid() const { return FLineWid; }
    void SetLineWid(int value);

    std::function<void()> OnChange;

private:
    void CopySettings(const TCrossHair& other);
    void Changed();

    double FPosX = 0;
    double FPosY = 0;
    TColor FColor = clRed;
    int FLayer = 1;
    TCrossHMode FMode = chOff;
    TPenStyle FLineType = psDashDotDot;
    int FLineWid = 1;
};
