#include "chart/ChartPropertyTable.h"

#include "base/Exception.h"
#include "chart/BakGndImg.h"
#include "chart/CrossHair.h"
#include "chart/JointLayers.h"
#include "chart/PlotChart.h"
#include "chart/ScaleProps.h"
#include "chart/StandardLayout.h"
#include "chart/TextLabel.h"

#include <array>
#include <span>
#include <type_traits>

namespace {

using Chart = TCustomPlotChart;
using Table = std::vector<TChartProperty>;

// --- value texts ------------------------------------------------------------------

using Names = std::span<const char* const>;

QString EnumText(Names names, int value) {
    if (value < 0 || value >= static_cast<int>(names.size()))
        return QString::number(value);
    return QString::fromLatin1(names[value]);
}

int EnumValue(Names names, const QString& valueText) {
    const QString ident = DescIdent(valueText);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (ident == QLatin1String(names[i]))
            return static_cast<int>(i);
    throw Exception("Invalid property value " + valueText.toStdString());
}

// Bit sets whose member i has the value 1 << i.
QString SetText(Names names, unsigned bits) {
    QStringList members;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (bits & (1u << i))
            members << QString::fromLatin1(names[i]);
    return DescFormatSet(members);
}

unsigned SetValue(Names names, const QString& valueText) {
    unsigned bits = 0;
    for (const QString& member : DescSet(valueText))
        bits |= 1u << EnumValue(names, member);
    return bits;
}

constexpr const char* AlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constexpr const char* PenStyleNames[] = {"psSolid",      "psDash",  "psDot",        "psDashDot",
                                         "psDashDotDot", "psClear", "psInsideFrame"};
constexpr const char* FontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
constexpr const char* StyleElementNames[] = {"seFont", "seClient", "seBorder"};
constexpr const char* GridStyleNames[] = {"gsNone",         "gsPoints",  "gsVertLines",
                                          "gsHorizLines",   "gsLines",   "gsHorizDotLines",
                                          "gsVertDotLines", "gsDotLines"};
constexpr const char* ShadowStyleNames[] = {"ssFlying", "ssBox"};
constexpr const char* AnchorHorizNames[] = {"cahControlLeft", "cahChartLeft", "cahChartCenter",
                                            "cahChartRight", "cahControlRight"};
constexpr const char* AnchorVertNames[] = {"cavControlTop", "cavChartTop", "cavChartCenter",
                                           "cavChartBottom", "cavControlBottom"};
constexpr const char* MouseActNames[] = {
    "maNone",       "maPan",        "maPanHoriz",   "maPanVert",      "maPanGrid",
    "maRubberBand", "maZoom",       "maZoomWind",   "maZoomWindPos",  "maZoomDrag",
    "maDragCrossH", "maDragLabel",  "maRotate",     "maRotAndZoom",   "maRotXOnly",
    "maRotZOnly",   "maSelectRect", "maDrawMTrace", "maZoomPanColors"};
constexpr const char* CrossHModeNames[] = {"chOff",  "chHoriz",    "chVert",
                                           "chBoth", "chCrossBox", "chBox"};
constexpr const char* TextBkgNames[] = {"tbClear", "tbSolid"};
constexpr const char* LayoutNames[] = {"lay_X1Bottom_Y1Left", "lay_X1Bottom_Y2Left",
                                       "lay_X1Bottom_Y2Both", "lay_X2Bottom_Y2Left",
                                       "lay_X2Both_Y2Both"};
constexpr const char* BkgFillNames[] = {"bfSimple", "bfStretch", "bfTile"};
constexpr const char* AreaModeNames[] = {"bamNone",    "bamLeft",       "bamRight",     "bamTop",
                                         "bamBottom",  "bamVStripe",    "bamHStripe",   "bamRect",
                                         "bamRectInv", "bamVStripeInv", "bamHStripeInv"};
constexpr const char* LocationHorizNames[] = {"slTop", "slBottom"};
constexpr const char* LocationVertNames[] = {"slLeft", "slRight"};
constexpr const char* AnchorNames[] = {"uaSclTopLft", "uaSclCenter", "uaSclBotRgt"};
constexpr const char* FigTypeNames[] = {"ftNoFigs", "ftNum", "ftTime", "ftDateTime", "ftUserText"};
constexpr const char* TimeFormatNames[] = {"tfHHMMSS", "tfHHhMM", "tfAMPM"};
constexpr const char* YearLengthNames[] = {"ylNone", "ylYY", "ylYYYY"};
constexpr const char* DateOrderNames[] = {"doDDMMYY", "doMMDDYY", "doYYMMDD"};
constexpr const char* DateForTimeNames[] = {"dtNone", "dtOnePerDay", "dtOnePerChart", "dtAllTicks"};
constexpr const char* AlignNames[] = {"alNone",  "alTop",    "alBottom", "alLeft",
                                      "alRight", "alClient", "alCustom"};
constexpr const char* AnchorKindNames[] = {"akLeft", "akTop", "akRight", "akBottom"};
constexpr const char* DragKindNames[] = {"dkDrag", "dkDock"};
constexpr const char* DragModeNames[] = {"dmManual", "dmAutomatic"};

// --- table builders -------------------------------------------------------------------

template <class Owner> using Access = std::function<Owner&(Chart&)>;

void Add(Table& t, QString name, std::function<void(Chart&, const QString&)> set,
         std::function<QString(Chart&)> get, std::optional<QString> def = std::nullopt) {
    t.push_back({std::move(name), std::move(set), std::move(get), std::move(def), true});
}

template <class O, class G> using Value = std::remove_cvref_t<std::invoke_result_t<G, O&>>;

template <class O, class G, class S>
void AddInt(Table& t, const QString& name, Access<O> obj, G get, S set,
            std::optional<int> def = std::nullopt) {
    using V = Value<O, G>;
    Add(
        t, name, [=](Chart& c, const QString& v) { (obj(c).*set)(static_cast<V>(DescInt(v))); },
        [=](Chart& c) { return QString::number(static_cast<int>((obj(c).*get)())); },
        def ? std::optional<QString>(QString::number(*def)) : std::nullopt);
}

template <class O, class G, class S>
void AddFloat(Table& t, const QString& name, Access<O> obj, G get, S set,
              std::optional<double> def = std::nullopt) {
    Add(
        t, name, [=](Chart& c, const QString& v) { (obj(c).*set)(DescFloat(v)); },
        [=](Chart& c) { return DescFormatFloat((obj(c).*get)()); },
        def ? std::optional<QString>(DescFormatFloat(*def)) : std::nullopt);
}

template <class O, class G, class S>
void AddBool(Table& t, const QString& name, Access<O> obj, G get, S set,
             std::optional<bool> def = std::nullopt) {
    Add(
        t, name, [=](Chart& c, const QString& v) { (obj(c).*set)(DescBool(v)); },
        [=](Chart& c) { return DescFormatBool((obj(c).*get)()); },
        def ? std::optional<QString>(DescFormatBool(*def)) : std::nullopt);
}

template <class O, class G, class S>
void AddColor(Table& t, const QString& name, Access<O> obj, G get, S set,
              std::optional<TColor> def = std::nullopt) {
    Add(
        t, name, [=](Chart& c, const QString& v) { (obj(c).*set)(DescColor(v)); },
        [=](Chart& c) { return ColorToDescText((obj(c).*get)()); },
        def ? std::optional<QString>(ColorToDescText(*def)) : std::nullopt);
}

template <class O, class G, class S>
void AddEnum(Table& t, const QString& name, Access<O> obj, Names names, G get, S set,
             std::optional<int> def = std::nullopt) {
    using E = Value<O, G>;
    Add(
        t, name,
        [=](Chart& c, const QString& v) { (obj(c).*set)(static_cast<E>(EnumValue(names, v))); },
        [=](Chart& c) { return EnumText(names, static_cast<int>((obj(c).*get)())); },
        def ? std::optional<QString>(EnumText(names, *def)) : std::nullopt);
}

template <class O, class G, class S>
void AddString(Table& t, const QString& name, Access<O> obj, G get, S set,
               std::optional<QString> def = std::nullopt) {
    Add(
        t, name, [=](Chart& c, const QString& v) { (obj(c).*set)(DescString(v)); },
        [=](Chart& c) { return DescQuote((obj(c).*get)()); },
        def ? std::optional<QString>(DescQuote(*def)) : std::nullopt);
}

// A one-character string (the date format's separators).
template <class O, class G, class S>
void AddChar(Table& t, const QString& name, Access<O> obj, G get, S set) {
    Add(
        t, name,
        [=](Chart& c, const QString& v) {
            const QString text = DescString(v);
            if (text.size() != 1)
                throw Exception("Invalid property value " + v.toStdString());
            (obj(c).*set)(text.front());
        },
        [=](Chart& c) { return DescQuote(QString((obj(c).*get)())); });
}

// A font property reached by value: each part is changed on a copy that is then set.
// With a default font, each part equal to that font's is left out.
void AddFont(Table& t, const QString& prefix, std::function<TFont(Chart&)> get,
             std::function<void(Chart&, const TFont&)> set,
             std::optional<TFont> def = std::nullopt) {
    auto part = [&](const char* name, std::function<void(TFont&, const QString&)> write,
                    std::function<QString(const TFont&)> read) {
        Add(
            t, prefix + QLatin1String(name),
            [=](Chart& c, const QString& v) {
                TFont f = get(c);
                write(f, v);
                set(c, f);
            },
            [=](Chart& c) { return read(get(c)); },
            def ? std::optional<QString>(read(*def)) : std::nullopt);
    };
    // The character set is always the default one; it is written and accepted for
    // completeness of the description.
    part(
        ".Charset", [](TFont&, const QString& v) { DescIdent(v); },
        [](const TFont&) { return QStringLiteral("DEFAULT_CHARSET"); });
    part(
        ".Color", [](TFont& f, const QString& v) { f.Color = DescColor(v); },
        [](const TFont& f) { return ColorToDescText(f.Color); });
    part(
        ".Height", [](TFont& f, const QString& v) { f.Height = DescInt(v); },
        [](const TFont& f) { return QString::number(f.Height); });
    part(
        ".Name", [](TFont& f, const QString& v) { f.Name = DescString(v); },
        [](const TFont& f) { return DescQuote(f.Name); });
    part(
        ".Style",
        [](TFont& f, const QString& v) {
            f.Style = static_cast<TFontStyles>(SetValue(FontStyleNames, v));
        },
        [](const TFont& f) { return SetText(FontStyleNames, f.Style); });
}

Chart& Self(Chart& c) {
    return c;
}

template <class P>
void AddScale(Table& t, const QString& prefix, Access<P> obj, Names locationNames) {
    const Access<TScaleProps> base = [obj](Chart& c) -> TScaleProps& { return obj(c); };
    const Access<TDTLabel> date = [obj](Chart& c) -> TDTLabel& { return obj(c).DateFormat(); };
    const QString p = prefix + u'.';
    AddString<TScaleProps>(t, p + "Caption", base, &TScaleProps::Caption, &TScaleProps::SetCaption,
                           QString());
    AddInt<TScaleProps>(t, p + "CaptionPosX", base, &TScaleProps::CaptionPosX,
                        &TScaleProps::SetCaptionPosX);
    AddInt<TScaleProps>(t, p + "CaptionPosY", base, &TScaleProps::CaptionPosY,
                        &TScaleProps::SetCaptionPosY);
    AddEnum<TScaleProps>(t, p + "CaptionAlignment", base, AlignmentNames,
                         &TScaleProps::CaptionAlignment, &TScaleProps::SetCaptionAlignment);
    AddEnum<TScaleProps>(t, p + "CaptionAnchor", base, AnchorNames, &TScaleProps::CaptionAnchor,
                         &TScaleProps::SetCaptionAnchor);
    AddColor<TScaleProps>(t, p + "ColorScale", base, &TScaleProps::ColorScale,
                          &TScaleProps::SetColorScale);
    AddEnum<TDTLabel>(t, p + "DateFormat.TimeFormat", date, TimeFormatNames, &TDTLabel::TimeFormat,
                      &TDTLabel::SetTimeFormat);
    AddChar<TDTLabel>(t, p + "DateFormat.DateSeparator", date, &TDTLabel::DateSeparator,
                      &TDTLabel::SetDateSeparator);
    AddChar<TDTLabel>(t, p + "DateFormat.TimeSeparator", date, &TDTLabel::TimeSeparator,
                      &TDTLabel::SetTimeSeparator);
    AddEnum<TDTLabel>(t, p + "DateFormat.YearLength", date, YearLengthNames, &TDTLabel::YearLength,
                      &TDTLabel::SetYearLength);
    AddBool<TDTLabel>(t, p + "DateFormat.MonthName", date, &TDTLabel::MonthName,
                      &TDTLabel::SetMonthName);
    AddEnum<TDTLabel>(t, p + "DateFormat.DateOrder", date, DateOrderNames, &TDTLabel::DateOrder,
                      &TDTLabel::SetDateOrder);
    AddEnum<TDTLabel>(t, p + "DateFormat.DateForTime", date, DateForTimeNames,
                      &TDTLabel::DateForTime, &TDTLabel::SetDateForTime);
    AddInt<TScaleProps>(t, p + "DecPlaces", base, &TScaleProps::DecPlaces,
                        &TScaleProps::SetDecPlaces);
    AddFont(
        t, p + "Font", [base](Chart& c) { return base(c).Font(); },
        [base](Chart& c, const TFont& f) { base(c).SetFont(f); });
    AddBool<TScaleProps>(t, p + "Logarithmic", base, &TScaleProps::Logarithmic,
                         &TScaleProps::SetLogarithmic);
    AddEnum<TScaleProps>(t, p + "LabelType", base, FigTypeNames, &TScaleProps::LabelType,
                         &TScaleProps::SetLabelType);
    AddInt<TScaleProps>(t, p + "MinTicks", base, &TScaleProps::MinTicks, &TScaleProps::SetMinTicks);
    AddFloat<TScaleProps>(t, p + "MinRange", base, &TScaleProps::MinRange,
                          &TScaleProps::SetMinRange);
    AddFloat<TScaleProps>(t, p + "RangeHigh", base, &TScaleProps::RangeHigh,
                          &TScaleProps::SetRangeHigh);
    AddFloat<TScaleProps>(t, p + "RangeLow", base, &TScaleProps::RangeLow,
                          &TScaleProps::SetRangeLow, 0.0);
    AddString<TScaleProps>(t, p + "ScaleInscript", base, &TScaleProps::ScaleInscript,
                           &TScaleProps::SetScaleInscript, QString());
    AddEnum<P>(t, p + "ScaleLocation", obj, locationNames, &P::ScaleLocation, &P::SetScaleLocation);
    AddInt<TScaleProps>(t, p + "ScalePos", base, &TScaleProps::ScalePos, &TScaleProps::SetScalePos);
    AddBool<TScaleProps>(t, p + "ShortTicks", base, &TScaleProps::ShortTicks,
                         &TScaleProps::SetShortTicks);
    AddString<TScaleProps>(t, p + "UserTickText", base, &TScaleProps::UserTickText,
                           &TScaleProps::SetUserTickText, QString());
    AddBool<TScaleProps>(t, p + "Visible", base, &TScaleProps::Visible, &TScaleProps::SetVisible);
}

// The platform properties: each changes a copy of the chart's set, which is then set.
void AddPlatform(Table& t, const QString& name,
                 std::function<void(TPlatformProps&, const QString&)> write,
                 std::function<QString(const TPlatformProps&)> read) {
    Add(
        t, name,
        [=](Chart& c, const QString& v) {
            TPlatformProps props = c.PlatformProps();
            write(props, v);
            c.SetPlatformProps(props);
        },
        [=](Chart& c) { return read(c.PlatformProps()); }, read(TPlatformProps()));
}

// A component named by an identifier; empty for none.
QString ReferenceValue(const QString& valueText) {
    return DescIdent(valueText);
}

void AddPlatformProperties(Table& t) {
    AddPlatform(
        t, "Align",
        [](TPlatformProps& p, const QString& v) {
            p.Align = static_cast<TAlign>(EnumValue(AlignNames, v));
        },
        [](const TPlatformProps& p) { return EnumText(AlignNames, p.Align); });
    Add(
        t, QStringLiteral("Visible"),
        [](Chart& c, const QString& v) { c.SetDescVisible(DescBool(v)); },
        [](Chart& c) { return DescFormatBool(c.DescVisible()); }, DescFormatBool(true));
    AddPlatform(
        t, "ShowHint", [](TPlatformProps& p, const QString& v) { p.ShowHint = DescBool(v); },
        [](const TPlatformProps& p) { return DescFormatBool(p.ShowHint); });
    AddPlatform(
        t, "Hint", [](TPlatformProps& p, const QString& v) { p.Hint = DescString(v); },
        [](const TPlatformProps& p) { return DescQuote(p.Hint); });
    AddPlatform(
        t, "PopupMenu",
        [](TPlatformProps& p, const QString& v) { p.PopupMenu = ReferenceValue(v); },
        [](const TPlatformProps& p) { return p.PopupMenu; });
    AddPlatform(
        t, "Anchors",
        [](TPlatformProps& p, const QString& v) { p.Anchors = SetValue(AnchorKindNames, v); },
        [](const TPlatformProps& p) { return SetText(AnchorKindNames, p.Anchors); });
    const auto size = [&](const char* name, int TPlatformProps::*field) {
        AddPlatform(
            t, QStringLiteral("Constraints.") + QLatin1String(name),
            [field](TPlatformProps& p, const QString& v) { p.*field = DescInt(v); },
            [field](const TPlatformProps& p) { return QString::number(p.*field); });
    };
    size("MaxHeight", &TPlatformProps::MaxHeight);
    size("MaxWidth", &TPlatformProps::MaxWidth);
    size("MinHeight", &TPlatformProps::MinHeight);
    size("MinWidth", &TPlatformProps::MinWidth);
    AddPlatform(
        t, "DragKind",
        [](TPlatformProps& p, const QString& v) {
            p.DragKind = static_cast<TDragKind>(EnumValue(DragKindNames, v));
        },
        [](const TPlatformProps& p) { return EnumText(DragKindNames, p.DragKind); });
    // A cursor is written by its name or, without one, by its number.
    AddPlatform(
        t, "DragCursor",
        [](TPlatformProps& p, const QString& v) {
            bool number = false;
            v.trimmed().toInt(&number);
            p.DragCursor = number ? QString::number(DescInt(v)) : DescIdent(v);
        },
        [](const TPlatformProps& p) { return p.DragCursor; });
    AddPlatform(
        t, "DragMode",
        [](TPlatformProps& p, const QString& v) {
            p.DragMode = static_cast<TDragMode>(EnumValue(DragModeNames, v));
        },
        [](const TPlatformProps& p) { return EnumText(DragModeNames, p.DragMode); });
}

// Every property of a label defaults to a new label's value, so hidden
// untouched labels write nothing.
void AddTextLabels(Table& t) {
    const TTextLabel fresh;
    for (int i = 1; i <= Chart::NumTextLabels; ++i) {
        const Access<TTextLabel> tl = [i](Chart& c) -> TTextLabel& { return c.TextLabels(i); };
        const QString p = QStringLiteral("TextLabel%1.").arg(i);
        AddEnum<TTextLabel>(t, p + "Alignment", tl, AlignmentNames, &TTextLabel::Alignment,
                            &TTextLabel::SetAlignment, fresh.Alignment());
        AddColor<TTextLabel>(t, p + "BkColor", tl, &TTextLabel::BkColor, &TTextLabel::SetBkColor,
                             fresh.BkColor());
        AddString<TTextLabel>(t, p + "Caption", tl, &TTextLabel::Caption, &TTextLabel::SetCaption,
                              fresh.Caption());
        AddFont(
            t, p + "Font", [i](Chart& c) { return c.TextLabels(i).Font(); },
            [i](Chart& c, const TFont& f) { c.TextLabels(i).SetFont(f); }, fresh.Font());
        AddInt<TTextLabel>(t, p + "Layer", tl, &TTextLabel::Layer, &TTextLabel::SetLayer,
                           fresh.Layer());
        AddFloat<TTextLabel>(t, p + "PosX", tl, &TTextLabel::PosX, &TTextLabel::SetPosX,
                             fresh.PosX());
        AddFloat<TTextLabel>(t, p + "PosY", tl, &TTextLabel::PosY, &TTextLabel::SetPosY,
                             fresh.PosY());
        AddBool<TTextLabel>(t, p + "ScreenPos", tl, &TTextLabel::ScreenPos,
                            &TTextLabel::SetScreenPos, fresh.ScreenPos());
        AddBool<TTextLabel>(t, p + "Transparent", tl, &TTextLabel::Transparent,
                            &TTextLabel::SetTransparent, fresh.Transparent());
        AddBool<TTextLabel>(t, p + "Visible", tl, &TTextLabel::Visible, &TTextLabel::SetVisible,
                            fresh.Visible());
    }
}

Table BuildTable() {
    Table t;
    const Access<Chart> self = Self;
    const Access<TBakGndImg> bg = [](Chart& c) -> TBakGndImg& { return c.BackGroundImg(); };
    const Access<TJointLayers> jl = [](Chart& c) -> TJointLayers& { return c.JointLayers(); };

    AddFont(
        t, QStringLiteral("Font"), [](Chart& c) { return c.Font(); },
        [](Chart& c, const TFont& f) { c.SetFont(f); });
    AddPlatformProperties(t);
    AddBool<Chart>(t, "AvoidDuplicateMarks", self, &Chart::AvoidDuplicateMarks,
                   &Chart::SetAvoidDuplicateMarks);
    AddInt<Chart>(t, "AllocSize", self, &Chart::AllocSize, &Chart::SetAllocSize);
    AddBool<Chart>(t, "AutoRedraw", self, &Chart::AutoRedraw, &Chart::SetAutoRedraw);
    // Both names of each rim are written; a description may use either.
    AddInt<Chart>(t, "MarginLeft", self, &Chart::MarginLeft, &Chart::SetMarginLeft,
                  Chart::DeclaredLRim);
    AddInt<Chart>(t, "MarginRight", self, &Chart::MarginRight, &Chart::SetMarginRight,
                  Chart::DeclaredRRim);
    AddInt<Chart>(t, "MarginTop", self, &Chart::MarginTop, &Chart::SetMarginTop,
                  Chart::DeclaredTRim);
    AddInt<Chart>(t, "MarginBottom", self, &Chart::MarginBottom, &Chart::SetMarginBottom,
                  Chart::DeclaredBRim);
    AddInt<Chart>(t, "LRim", self, &Chart::LRim, &Chart::SetLRim, Chart::DeclaredLRim);
    AddInt<Chart>(t, "RRim", self, &Chart::RRim, &Chart::SetRRim, Chart::DeclaredRRim);
    AddInt<Chart>(t, "TRim", self, &Chart::TRim, &Chart::SetTRim, Chart::DeclaredTRim);
    AddInt<Chart>(t, "BRim", self, &Chart::BRim, &Chart::SetBRim, Chart::DeclaredBRim);
    AddInt<Chart>(t, "MinDupMarkDist", self, &Chart::MinDupMarkDist, &Chart::SetMinDupMarkDist);
    // IncludePath before Name, so that a stored path survives reading back.
    AddBool<TBakGndImg>(t, "BackGroundImg.IncludePath", bg, &TBakGndImg::IncludePath,
                        &TBakGndImg::SetIncludePath);
    AddString<TBakGndImg>(t, "BackGroundImg.Name", bg, &TBakGndImg::Name, &TBakGndImg::SetName,
                          QString());
    AddEnum<TBakGndImg>(t, "BackGroundImg.FillMode", bg, BkgFillNames, &TBakGndImg::FillMode,
                        &TBakGndImg::SetFillMode);
    AddEnum<TBakGndImg>(t, "BackGroundImg.AreaMode", bg, AreaModeNames, &TBakGndImg::AreaMode,
                        &TBakGndImg::SetAreaMode);
    AddColor<TBakGndImg>(t, "BackGroundImg.AreaColor", bg, &TBakGndImg::AreaColor,
                         &TBakGndImg::SetAreaColor);
    AddFloat<TBakGndImg>(t, "BackGroundImg.AreaLeft", bg, &TBakGndImg::AreaLeft,
                         &TBakGndImg::SetAreaLeft, 0.0);
    AddFloat<TBakGndImg>(t, "BackGroundImg.AreaRight", bg, &TBakGndImg::AreaRight,
                         &TBakGndImg::SetAreaRight, 0.0);
    AddFloat<TBakGndImg>(t, "BackGroundImg.AreaTop", bg, &TBakGndImg::AreaTop,
                         &TBakGndImg::SetAreaTop, 0.0);
    AddFloat<TBakGndImg>(t, "BackGroundImg.AreaBottom", bg, &TBakGndImg::AreaBottom,
                         &TBakGndImg::SetAreaBottom, 0.0);
    AddInt<Chart>(t, "ClassDefault", self, &Chart::ClassDefault, &Chart::SetClassDefault);
    AddEnum<Chart>(t, "GridStyle", self, GridStyleNames, &Chart::GridStyle, &Chart::SetGridStyle);
    AddFloat<Chart>(t, "GridDx", self, &Chart::GridDx, &Chart::SetGridDx, 0.0);
    AddFloat<Chart>(t, "GridDy", self, &Chart::GridDy, &Chart::SetGridDy, 0.0);
    AddBool<Chart>(t, "Isometric", self, &Chart::Isometric, &Chart::SetIsometric);
    AddColor<Chart>(t, "DataColor", self, &Chart::DataColor, &Chart::SetDataCol, 0);
    AddEnum<Chart>(t, "PenStyle", self, PenStyleNames, &Chart::PenStyle, &Chart::SetPenStyle,
                   psSolid);
    AddColor<Chart>(t, "ChartFrameColor", self, &Chart::ChartFrameColor, &Chart::SetChartFrameColor,
                    0);
    AddColor<Chart>(t, "FillColor", self, &Chart::FillColor, &Chart::SetFillCol, clSilver);
    AddColor<Chart>(t, "TextBkColor", self, &Chart::TextBkColor, &Chart::SetTextBkColor, clSilver);
    AddColor<Chart>(t, "ChartColor", self, &Chart::ChartColor, &Chart::SetChartColor, clWhite);
    AddColor<Chart>(t, "WindColor", self, &Chart::WindColor, &Chart::SetWindColor, clBtnFace);
    AddColor<Chart>(t, "GridColor", self, &Chart::GridColor, &Chart::SetGridColor, 0);
    AddInt<TJointLayers>(t, "JointLayers.L01xControlledBy", jl, &TJointLayers::L01xControlledBy,
                         &TJointLayers::SetL01xControlledBy);
    AddInt<TJointLayers>(t, "JointLayers.L01yControlledBy", jl, &TJointLayers::L01yControlledBy,
                         &TJointLayers::SetL01yControlledBy);
    AddInt<TJointLayers>(t, "JointLayers.L02xControlledBy", jl, &TJointLayers::L02xControlledBy,
                         &TJointLayers::SetL02xControlledBy);
    AddInt<TJointLayers>(t, "JointLayers.L02yControlledBy", jl, &TJointLayers::L02yControlledBy,
                         &TJointLayers::SetL02yControlledBy);
    AddInt<Chart>(t, "LineWidth", self, &Chart::LineWidth, &Chart::SetLineWid, 1);
    AddString<Chart>(t, "Caption", self, &Chart::Caption, &Chart::SetChartCaption);
    AddInt<Chart>(t, "CaptionPosX", self, &Chart::CaptionPosX, &Chart::SetCaptionPosX);
    AddInt<Chart>(t, "CaptionPosY", self, &Chart::CaptionPosY, &Chart::SetCaptionPosY);
    AddEnum<Chart>(t, "CaptionAlignment", self, AlignmentNames, &Chart::CaptionAlignment,
                   &Chart::SetCaptionAlignment);
    AddEnum<Chart>(t, "CaptionAnchorHoriz", self, AnchorHorizNames, &Chart::CaptionAnchorHoriz,
                   &Chart::SetCaptionAnchorHoriz);
    AddEnum<Chart>(t, "CaptionAnchorVert", self, AnchorVertNames, &Chart::CaptionAnchorVert,
                   &Chart::SetCaptionAnchorVert);
    AddInt<Chart>(t, "CaptionTrim", self, &Chart::CaptionTrim, &Chart::SetCaptionTrim);
    AddColor<Chart>(t, "MouseTraceColor", self, &Chart::MouseTraceColor,
                    &Chart::SetMouseTraceColor);
    AddBool<Chart>(t, "MouseTraceInvert", self, &Chart::MouseTraceInvert,
                   &Chart::SetMouseTraceInvert);
    for (int i = 1; i <= Chart::NumCrossHairs; ++i) {
        const Access<TCrossHair> ch = [i](Chart& c) -> TCrossHair& { return c.CrossHair(i); };
        const QString p = QStringLiteral("CrossHair%1.").arg(i);
        AddFloat<TCrossHair>(t, p + "PosX", ch, &TCrossHair::PosX, &TCrossHair::SetPosX, 0.0);
        AddFloat<TCrossHair>(t, p + "PosY", ch, &TCrossHair::PosY, &TCrossHair::SetPosY, 0.0);
        AddColor<TCrossHair>(t, p + "Color", ch, &TCrossHair::Color, &TCrossHair::SetColor);
        AddInt<TCrossHair>(t, p + "Layer", ch, &TCrossHair::Layer, &TCrossHair::SetLayer);
        AddEnum<TCrossHair>(t, p + "Mode", ch, CrossHModeNames, &TCrossHair::Mode,
                            &TCrossHair::SetMode);
        AddEnum<TCrossHair>(t, p + "LineType", ch, PenStyleNames, &TCrossHair::LineType,
                            &TCrossHair::SetLineType);
        AddInt<TCrossHair>(t, p + "LineWid", ch, &TCrossHair::LineWid, &TCrossHair::SetLineWid);
    }
    AddEnum<Chart>(t, "MouseAction", self, MouseActNames, &Chart::MouseAction,
                   &Chart::SetMouseAction);
    AddBool<Chart>(t, "MouseCursorFixed", self, &Chart::MouseCursorFixed,
                   &Chart::SetMouseCursorFixed);
    AddFloat<Chart>(t, "PanGridDx", self, &Chart::PanGridDx, &Chart::SetPanGridDx, 0.0);
    AddFloat<Chart>(t, "PanGridDy", self, &Chart::PanGridDy, &Chart::SetPanGridDy, 0.0);
    AddFloat<Chart>(t, "PanGridOffsX", self, &Chart::PanGridOffsX, &Chart::SetPanGridOffsX, 0.0);
    AddFloat<Chart>(t, "PanGridOffsY", self, &Chart::PanGridOffsY, &Chart::SetPanGridOffsY, 0.0);
    AddScale<TScalePropsHoriz>(
        t, "Scale1X", [](Chart& c) -> TScalePropsHoriz& { return c.Scale1X(); },
        LocationHorizNames);
    AddScale<TScalePropsHoriz>(
        t, "Scale2X", [](Chart& c) -> TScalePropsHoriz& { return c.Scale2X(); },
        LocationHorizNames);
    AddScale<TScalePropsVert>(
        t, "Scale1Y", [](Chart& c) -> TScalePropsVert& { return c.Scale1Y(); }, LocationVertNames);
    AddScale<TScalePropsVert>(
        t, "Scale2Y", [](Chart& c) -> TScalePropsVert& { return c.Scale2Y(); }, LocationVertNames);
    AddEnum<Chart>(t, "StandardLayout", self, LayoutNames, &Chart::StandardLayout,
                   &Chart::SetStdLayout);
    t.back().Stored = false;
    AddInt<Chart>(t, "ShadowWidth", self, &Chart::ShadowWidth, &Chart::SetShadowWidth, 0);
    AddEnum<Chart>(t, "ShadowStyle", self, ShadowStyleNames, &Chart::ShadowStyle,
                   &Chart::SetShadowStyle);
    AddColor<Chart>(t, "ShadowColor", self, &Chart::ShadowColor, &Chart::SetShadowColor);
    AddColor<Chart>(t, "ShadowBakColor", self, &Chart::ShadowBakColor, &Chart::SetShadowBakColor);
    Add(
        t, QStringLiteral("StyleElements"),
        [](Chart& c, const QString& v) {
            c.SetStyleElements(static_cast<TStyleElements>(SetValue(StyleElementNames, v)));
        },
        [](Chart& c) { return SetText(StyleElementNames, c.StyleElements()); },
        SetText(StyleElementNames, AllStyleElements));
    Add(
        t, QStringLiteral("UseDataOf"),
        [](Chart& c, const QString& v) { c.SetUseDataOfName(ReferenceValue(v)); },
        [](Chart& c) { return c.UseDataOfName(); }, QString());
    AddFont(
        t, QStringLiteral("TextFont"), [](Chart& c) { return c.TextFont(); },
        [](Chart& c, const TFont& f) { c.SetTextFont(f); });
    Add(
        t, QStringLiteral("TextFontStyle"),
        [](Chart& c, const QString& v) {
            c.SetTextFontStyle(static_cast<TFontStyles>(SetValue(FontStyleNames, v)));
        },
        [](Chart& c) { return SetText(FontStyleNames, c.TextFontStyle()); });
    AddEnum<Chart>(t, "TextBkStyle", self, TextBkgNames, &Chart::TextBkStyle,
                   &Chart::SetTextBkStyle);
    AddEnum<Chart>(t, "TextAlignment", self, AlignmentNames, &Chart::TextAlignment,
                   &Chart::SetTextAlignment);
    AddTextLabels(t);
    return t;
}

} // namespace

const std::vector<TChartProperty>& ChartPropertyTable() {
    static const Table table = BuildTable();
    return table;
}

void ApplyChartProperty(TCustomPlotChart& Chart, const QString& DottedName,
                        const QString& ValueText) {
    for (const TChartProperty& p : ChartPropertyTable())
        if (p.Name == DottedName) {
            p.Set(Chart, ValueText);
            return;
        }
    throw Exception("Chart property " + DottedName.toStdString() + " does not exist");
}

std::vector<TDescProperty> WriteChartProperties(TCustomPlotChart& Chart) {
    std::vector<TDescProperty> out;
    for (const TChartProperty& p : ChartPropertyTable()) {
        if (!p.Stored)
            continue;
        const QString value = p.Get(Chart);
        if (p.Default && *p.Default == value)
            continue;
        out.push_back({p.Name, value, 0});
    }
    return out;
}

TDescObject WriteChartDescription(TCustomPlotChart& Chart, const QString& ObjectName) {
    TDescObject obj;
    obj.Name = ObjectName;
    obj.ClassName = QStringLiteral("TPlotChart");
    obj.Properties = {{QStringLiteral("Left"), QString::number(Chart.x()), 0},
                      {QStringLiteral("Top"), QString::number(Chart.y()), 0},
                      {QStringLiteral("Width"), QString::number(Chart.width()), 0},
                      {QStringLiteral("Height"), QString::number(Chart.height()), 0}};
    for (TDescProperty& p : WriteChartProperties(Chart))
        obj.Properties.push_back(std::move(p));
    return obj;
}
