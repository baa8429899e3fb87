#pragma once

// Value types of the drawing surface: colours, pen, brush and font settings,
// points and rectangles. The names are those the chart and the window use.

#include <QString>
#include <cstdint>

// 0x00BBGGRR for a colour given by its parts (255 is pure red, 0xFF0000 pure
// blue); values with the top byte 0xFF name a system colour that the platform
// resolves from the palette (see ColorToQColor in Colors.h).
using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

// System colours: the low byte is the platform's colour index (see Colors.h).
constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;

constexpr TColor RGBColor(int r, int g, int b) {
    return (b << 16) | (g << 8) | r;
}

enum TPenStyle : std::uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame,
    psUserStyle,
    psAlternate
};

enum TPenMode : std::uint8_t { pmCopy, pmNot, pmXor, pmNotXor };

enum TBrushStyle : std::uint8_t { bsSolid, bsClear };

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

// Font styles, combined as a bit set (TFontStyles).
enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

struct TPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Covers columns Left..Right-1 and rows Top..Bottom-1.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

struct TPen {
    TColor Color = clBlack;
    TPenStyle Style = psSolid;
    int Width = 1;
    TPenMode Mode = pmCopy;
    friend bool operator==(const TPen&, const TPen&) = default;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

// Height < 0: character height in pixels (-17 means 17-pixel characters);
// Height > 0: cell height in pixels, internal leading included.
struct TFont {
    QString Name = QStringLiteral("Tahoma");
    int Height = -11;
    TFontStyles Style = 0;
    TColor Color = clWindowText;
    friend bool operator==(const TFont&, const TFont&) = default;
};

// Frame styles of frames and stand-alone scales.
enum TFrameStyle : std::uint8_t { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
