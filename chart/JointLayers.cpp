#include "chart/JointLayers.h"

#include "chart/ChartErrors.h"

#include <string>

TJointLayers& TJointLayers::operator=(const TJointLayers& other) {
    FX = other.FX;
    FY = other.FY;
    return *this;
}

void TJointLayers::Assign(const TJointLayers& source) {
    FX = source.FX;
    FY = source.FY;
    for (int layer = 1; layer <= NumLayers; ++layer)
        if (OnApplyRanges && (FX[Index(layer)] != layer || FY[Index(layer)] != layer))
            OnApplyRanges(layer);
    if (OnChange)
        OnChange();
}

void TJointLayers::Join(std::array<int, NumLayers>& Axis, int Layer, int Controlling) {
    if (Controlling < 1 || Controlling > NumLayers)
        throw EChartError("Destination layer " + std::to_string(Controlling) + " is out of range");
    const int self = Index(Layer);
    if (Controlling == self + 1) {
        Axis[self] = Controlling;
        return;
    }
    if (Axis[Controlling - 1] != Controlling)
        throw EChartError("Destination layer " + std::to_string(Controlling) +
                          " is already joined");
    Axis[self] = Controlling;
    if (OnApplyRanges)
        OnApplyRanges(self + 1);
    if (OnChange)
        OnChange();
}

void TJointLayers::SetControlledLayerX(int Layer, int Controlling) {
    Join(FX, Layer, Controlling);
}

void TJointLayers::SetControlledLayerY(int Layer, int Controlling) {
    Join(FY, Layer, Controlling);
}
