#pragma once

// The platform control properties a description may give a chart, beyond
// position and size. Those that map simply onto a Qt widget act on it
// (TCustomPlotChart::ApplyPlatformProps); the others are stored and written
// back but have no effect: the chart is placed by its Left/Top/Width/Height,
// never docked, dragged or given a context menu by the description.

#include <QString>
#include <cstdint>

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : std::uint8_t { akLeft, akTop, akRight, akBottom };
// Bit i stands for TAnchorKind i.
using TAnchors = unsigned;
constexpr TAnchors DefaultAnchors = (1u << akLeft) | (1u << akTop);
enum TDragKind : std::uint8_t { dkDrag, dkDock };
enum TDragMode : std::uint8_t { dmManual, dmAutomatic };

struct TPlatformProps {
    // Stored only.
    TAlign Align = alNone;
    TAnchors Anchors = DefaultAnchors;
    TDragKind DragKind = dkDrag;
    // A cursor's name (crDrag) or number, as written.
    QString DragCursor = QStringLiteral("crDrag");
    TDragMode DragMode = dmManual;
    // The name of a popup-menu component; empty: none.
    QString PopupMenu;
    // The tooltip shows Hint while ShowHint is True.
    QString Hint;
    bool ShowHint = false;
    // Minimum and maximum size in pixels; 0 sets no limit.
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
};
