#include "chart/CrossHair.h"

TCrossHair& TCrossHair::operator=(const TCrossHair& other) {
    if (this != &other)
        CopySettings(other);
    return *this;
}

void TCrossHair::CopySettings(const TCrossHair& other) {
    FPosX = other.FPosX;
    FPosY = other.FPosY;
    FColor = other.FColor;
    FLayer = other.FLayer;
    FMode = other.FMode;
    FLineType = other.FLineType;
    FLineWid = other.FLineWid;
}

void TCrossHair::Assign(const TCrossHair& source) {
    if (this != &source)
        CopySettings(source);
    Changed();
}

void TCrossHair::Changed() {
    if (OnChange)
        OnChange();
}

void TCrossHair::SetPosX(double value) {
    FPosX = value;
    Changed();
}

void TCrossHair::SetPosY(double value) {
    FPosY = value;
    Changed();
}

void TCrossHair::SetPos(double x, double y) {
    if (x == FPosX && y == FPosY)
        return;
    FPosX = x;
    FPosY = y;
    Changed();
}

void TCrossHair::SetColor(TColor value) {
    FColor = value;
    Changed();
}

void TCrossHair::SetLayer(int value) {
    FLayer = value <= 0 ? 1 : value >= 3 ? 2 : value;
    Changed();
}

void TCrossHair::SetMode(TCrossHMode value) {
    FMode = value;
    Changed();
}

void TCrossHair::SetLineType(TPenStyle value) {
    FLineType = value;
    Changed();
}

void TCrossHair::SetLineWid(int value) {
    FLineWid = value;
    Changed();
}
