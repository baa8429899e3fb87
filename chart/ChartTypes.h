#pragma once

// Small enumerations of the chart control's own properties.

#include <cstdint>

enum TShadowStyle : std::uint8_t { ssFlying, ssBox };

enum TCaptionAnchorHoriz : std::uint8_t {
    cahControlLeft,
    cahChartLeft,
    cahChartCenter,
    cahChartRight,
    cahControlRight
};

enum TCaptionAnchorVert : std::uint8_t {
    cavControlTop,
    cavChartTop,
    cavChartCenter,
    cavChartBottom,
    cavControlBottom
};

enum TMouseActMode : std::uint8_t {
    maNone,
    maPan,
    maPanHoriz,
    maPanVert,
    maPanGrid,
    maRubberBand,
    maZoom,
    maZoomWind,
    maZoomWindPos,
    maZoomDrag,
    maDragCrossH,
    maDragLabel,
    maRotate,
    maRotAndZoom,
    maRotXOnly,
    maRotZOnly,
    maSelectRect,
    maDrawMTrace,
    maZoomPanColors
};

// The platform's style elements, combined as a bit set (TStyleElements).
enum TStyleElement : std::uint8_t { seFont = 1, seClient = 2, seBorder = 4 };
using TStyleElements = std::uint8_t;
constexpr TStyleElements AllStyleElements = seFont | seClient | seBorder;
