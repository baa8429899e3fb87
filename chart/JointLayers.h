#pragma once

// Which layer controls each layer's X and Y axis. A layer controlled by itself
// is free; a joined layer takes the controlling layer's range whenever ranges
// are applied.

#include <array>
#include <functional>

class TJointLayers {
public:
    static constexpr int NumLayers = 2;

    TJointLayers() = default;
    TJointLayers(const TJointLayers& other) : FX(other.FX), FY(other.FY) {}
    TJointLayers& operator=(const TJointLayers& other);

    // Copies the joins (not the callbacks), lets every joined layer take its
    // ranges, and reports one change.
    void Assign(const TJointLayers& source);

    // Layer (1, 2) takes its X (Y) axis from Controlling. EChartError when
    // Controlling is not a layer or its own axis is joined to another layer;
    // nothing changes then. Controlling == Layer releases the join silently.
    void SetControlledLayerX(int Layer, int Controlling);
    void SetControlledLayerY(int Layer, int Controlling);
    // The layer controlling Layer's axis (Layer clamped to 1..2).
    int ControlledLayerX(int Layer) const { return FX[Index(Layer)]; }
    int ControlledLayerY(int Layer) const { return FY[Index(Layer)]; }

    int L01xControlledBy() const { return FX[0]; }
    void SetL01xControlledBy(int value) { SetControlledLayerX(1, value); }
    int L01yControlledBy() const { return FY[0]; }
    void SetL01yControlledBy(int value) { SetControlledLayerY(1, value); }
    int L02xControlledBy() const { return FX[1]; }
    void SetL02xControlledBy(int value) { SetControlledLayerX(2, value); }
    int L02yControlledBy() const { return FY[1]; }
    void SetL02yControlledBy(int value) { SetControlledLayerY(2, value); }

    // Applies to Layer the ranges of the layers that control it (wired to the
    // chart's range-forcing step).
    std::function<void(int Layer)> OnApplyRanges;
    std::function<void()> OnChange;

private:
    static int Index(int Layer) { return Layer <= 1 ? 0 : 1; }
    void Join(std::array<int, NumLayers>& Axis, int Layer, int Controlling);

    std::array<int, NumLayers> FX{1, 2};
    std::array<int, NumLayers> FY{1, 2};
};
