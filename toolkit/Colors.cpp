#include "toolkit/Colors.h"

#include "toolkit/DescriptionError.h"
#include "toolkit/WindowDescription.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

struct TNamedColor {
    const char* Name;
    TColor Value;
};

constexpr TNamedColor NamedColors[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clBackground", clBackground},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
};

bool IsSystemColor(TColor color) {
    return (static_cast<std::uint32_t>(color) & 0xFF000000u) ==
           static_cast<std::uint32_t>(clSystemColor);
}

QColor ColorOfParts(TColor color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// Where the palette keeps each system colour.
QColor SystemColor(int index, const QPalette& palette) {
    switch (index) {
    case 1: // desktop
    case 4: // menu
        return palette.color(QPalette::Window);
    case 5: // window background
        return palette.color(QPalette::Base);
    case 6: // window frame
        return palette.color(QPalette::Shadow);
    case 7: // menu text
    case 8: // window text
        return palette.color(QPalette::WindowText);
    case 13:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 15: // button face
        return palette.color(QPalette::Button);
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 17: // grey text: the text of disabled controls
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 21: // 3D dark shadow
        return palette.color(QPalette::Shadow);
    case 22: // 3D light
        return palette.color(QPalette::Midlight);
    default:
        return palette.color(QPalette::WindowText);
    }
}

} // namespace

std::optional<TColor> ColorOfName(const QString& Name) {
    for (const TNamedColor& c : NamedColors)
        if (Name == QLatin1String(c.Name))
            return c.Value;
    return std::nullopt;
}

std::optional<QString> NameOfColor(TColor Color) {
    for (const TNamedColor& c : NamedColors)
        if (c.Value == Color)
            return QString::fromLatin1(c.Name);
    return std::nullopt;
}

TColor DescColor(const QString& ValueText) {
    if (!ValueText.isEmpty() &&
        (ValueText.front().isDigit() || ValueText.front() == u'-' || ValueText.front() == u'+'))
        return DescInt(ValueText);
    if (const auto color = ColorOfName(ValueText))
        return *color;
    throw EDescriptionError(
        0, QStringLiteral("unknown colour \"%1\"").arg(ValueText.left(80)).toStdString());
}

QString ColorToDescText(TColor Color) {
    return NameOfColor(Color).value_or(QString::number(Color));
}

QColor ColorToQColor(TColor Color, const QPalette& Palette) {
    if (IsSystemColor(Color))
        return SystemColor(static_cast<int>(Color & 0xFF), Palette);
    return ColorOfParts(Color);
}

QColor ColorToQColor(TColor Color) {
    if (!IsSystemColor(Color))
        return ColorOfParts(Color);
    return ColorToQColor(Color,
                         QGuiApplication::instance() ? QGuiApplication::palette() : QPalette());
}
