#include "base/Exception.h"
#include "chart/BakGndImg.h"
#include "chart/ChartErrors.h"
#include "chart/ChartPropertyTable.h"
#include "chart/CrossHair.h"
#include "chart/JointLayers.h"
#include "chart/PlotChart.h"
#include "chart/Scale.h"
#include "chart/ScaleProps.h"
#include "chart/StandardLayout.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

// Loads a chart the way the window description does.
void Load(TPlotChart& chart, const std::vector<std::pair<QString, QString>>& props) {
    chart.BeginLoading();
    for (const auto& [name, value] : props)
        chart.SetDescProperty(name, value);
    chart.Loaded();
}

std::map<QString, QString> Written(TCustomPlotChart& chart) {
    std::map<QString, QString> out;
    for (const TDescProperty& p : WriteChartProperties(chart))
        out[p.Name] = p.Value;
    return out;
}

// A chart on screen (offscreen platform), so that repaints get past the gate.
struct ShownChart {
    TPlotChart chart;
    ShownChart() {
        chart.SetBounds(0, 0, 300, 220);
        chart.show();
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST(ChartProperties, RimsOmittedComeFromTheStandardLayout) {
    TPlotChart chart;
    Load(chart, {{"Left", "0"}, {"Top", "0"}, {"Width", "400"}, {"Height", "300"}});
    EXPECT_EQ(chart.LRim(), 50);
    EXPECT_EQ(chart.RRim(), 20);
    EXPECT_EQ(chart.TRim(), 20);
    EXPECT_EQ(chart.BRim(), 40);

    // Only the left rim equals its declared default, so the other three are
    // written under both of their names.
    const auto written = Written(chart);
    for (const char* name : {"MarginLeft", "LRim"})
        EXPECT_EQ(written.count(name), 0u) << name;
    for (const char* name : {"MarginRight", "RRim", "MarginTop", "TRim"})
        EXPECT_EQ(written.at(name), "20") << name;
    EXPECT_EQ(written.at("MarginBottom"), "40");
    EXPECT_EQ(written.at("BRim"), "40");

    // Values equal to the declared defaults are left out again.
    chart.SetRRim(10);
    chart.SetTRim(16);
    chart.SetBRim(32);
    const auto atDefaults = Written(chart);
    for (const char* name : {"MarginRight", "RRim", "MarginTop", "TRim", "MarginBottom", "BRim"})
        EXPECT_EQ(atDefaults.count(name), 0u) << name;
}

TEST(ChartProperties, ClampedValues) {
    const struct {
        const char* name;
        const char* value;
        std::function<int(TCustomPlotChart&)> get;
        int expected;
    } cases[] = {
        {"CaptionTrim", "-7", [](TCustomPlotChart& c) { return c.CaptionTrim(); }, 5},
        {"CaptionTrim", "3", [](TCustomPlotChart& c) { return c.CaptionTrim(); }, 5},
        {"CaptionTrim", "150", [](TCustomPlotChart& c) { return c.CaptionTrim(); }, 100},
        {"CaptionTrim", "0", [](TCustomPlotChart& c) { return c.CaptionTrim(); }, 0},
        {"MinDupMarkDist", "7", [](TCustomPlotChart& c) { return c.MinDupMarkDist(); }, 3},
        {"MinDupMarkDist", "-2", [](TCustomPlotChart& c) { return c.MinDupMarkDist(); }, 1},
        {"CrossHair1.Layer", "0", [](TCustomPlotChart& c) { return c.CrossHair(1).Layer(); }, 1},
        {"CrossHair3.Layer", "5", [](TCustomPlotChart& c) { return c.CrossHair(3).Layer(); }, 2},
        {"ShadowWidth", "40", [](TCustomPlotChart& c) { return c.ShadowWidth(); }, 32},
        {"AllocSize", "0", [](TCustomPlotChart& c) { return c.AllocSize(); }, 1000},
        {"ClassDefault", "255", [](TCustomPlotChart& c) { return int(c.ClassDefault()); }, 0},
    };
    for (const auto& c : cases) {
        TPlotChart chart;
        ApplyChartProperty(chart, c.name, c.value);
        EXPECT_EQ(c.get(chart), c.expected) << c.name << " = " << c.value;
    }
}

TEST(ChartProperties, MinDupMarkDistRepaintsOnlyOnChange) {
    ShownChart s;
    const int before = s.chart.PaintCount();
    ApplyChartProperty(s.chart, "MinDupMarkDist", "7");
    EXPECT_EQ(s.chart.MinDupMarkDist(), 3);
    EXPECT_GT(s.chart.PaintCount(), before);
    const int after = s.chart.PaintCount();
    ApplyChartProperty(s.chart, "MinDupMarkDist", "3");
    EXPECT_EQ(s.chart.PaintCount(), after);
}

TEST(ChartProperties, JoiningSequence) {
    ShownChart s;
    TPlotChart& chart = s.chart;
    chart.Scale1X().SetRangeHigh(64);
    chart.Scale1X().SetRangeLow(8);
    chart.Scale2Y().SetRangeHigh(5);

    int painted = chart.PaintCount();
    ApplyChartProperty(chart, "JointLayers.L02xControlledBy", "1");
    EXPECT_EQ(chart.JointLayers().L02xControlledBy(), 1);
    EXPECT_EQ(chart.Scale2X().RangeLow(), 8);
    EXPECT_EQ(chart.Scale2X().RangeHigh(), 64);
    EXPECT_EQ(chart.Scale2Y().RangeHigh(), 5); // its own Y range stays
    EXPECT_GT(chart.PaintCount(), painted);

    try {
        ApplyChartProperty(chart, "JointLayers.L01xControlledBy", "2");
        ADD_FAILURE() << "joining onto a joined layer succeeded";
    } catch (const EChartError& e) {
        EXPECT_EQ(e.Message(), "Destination layer 2 is already joined");
    }
    EXPECT_EQ(chart.JointLayers().L01xControlledBy(), 1);

    painted = chart.PaintCount();
    ApplyChartProperty(chart, "JointLayers.L02xControlledBy", "2");
    EXPECT_EQ(chart.JointLayers().L02xControlledBy(), 2);
    EXPECT_EQ(chart.PaintCount(), painted);

    for (const char* name : {"JointLayers.L01xControlledBy", "JointLayers.L02yControlledBy"}) {
        try {
            ApplyChartProperty(chart, name, "3");
            ADD_FAILURE() << name;
        } catch (const EChartError& e) {
            EXPECT_EQ(e.Message(), "Destination layer 3 is out of range");
        }
    }
}

TEST(ChartProperties, DottedSettingsObjects) {
    TPlotChart chart;
    ApplyChartProperty(chart, "BackGroundImg.Name", "'/home/obs/pics/sky.png'");
    EXPECT_EQ(chart.BackGroundImg().Name(), QStringLiteral("sky.png"));
    ApplyChartProperty(chart, "BackGroundImg.FillMode", "bfTile");
    EXPECT_EQ(chart.BackGroundImg().FillMode(), bfTile);
    ApplyChartProperty(chart, "CrossHair2.Color", "clBlue");
    EXPECT_EQ(chart.CrossHair(2).Color(), clBlue);
    ApplyChartProperty(chart, "Scale1X.Font.Height", "-13");
    EXPECT_EQ(chart.Scale1X().Font().Height, -13);
    ApplyChartProperty(chart, "Scale1X.DateFormat.TimeFormat", "tfAMPM");
    EXPECT_EQ(chart.Scale1X().DateFormat().TimeFormat(), tfAMPM);
    ApplyChartProperty(chart, "TextFont.Name", "'Courier'");
    EXPECT_EQ(chart.TextFont().Name, QStringLiteral("Courier"));
    ApplyChartProperty(chart, "Font.Style", "[fsBold, fsItalic]");
    EXPECT_EQ(chart.Font().Style, fsBold | fsItalic);
    ApplyChartProperty(chart, "BackGroundImg.AreaColor", "14540253");
    EXPECT_EQ(chart.BackGroundImg().AreaColor(), 0xDDDDDD);
}

TEST(ChartProperties, StandardLayoutReadBack) {
    TPlotChart chart;
    EXPECT_EQ(chart.StandardLayout(), lay_X1Bottom_Y1Left);
    ApplyChartProperty(chart, "StandardLayout", "lay_X2Both_Y2Both");
    EXPECT_EQ(chart.StandardLayout(), lay_X2Both_Y2Both);
    EXPECT_EQ(chart.BRim(), 40);
    EXPECT_EQ(chart.TRim(), 64);
    EXPECT_EQ(chart.LRim(), 50);
    EXPECT_EQ(chart.RRim(), 50);
    EXPECT_EQ(chart.CaptionPosY(), -60);
    EXPECT_EQ(chart.CaptionAnchorHoriz(), cahChartCenter);
    EXPECT_EQ(chart.Scale2X().ScaleLocation(), slTop);
    EXPECT_TRUE(chart.Scale2X().Visible());
    EXPECT_EQ(chart.Scale2Y().ScaleLocation(), slRight);
    EXPECT_EQ(chart.Scale2Y().CaptionAlignment(), taLeftJustify);
    EXPECT_EQ(chart.Scale1Y().CaptionPosY(), -40);

    chart.SetStdLayout(lay_X2Bottom_Y2Left);
    EXPECT_EQ(chart.BRim(), 70);
    EXPECT_EQ(chart.Scale2X().ScalePos(), 30);
    EXPECT_EQ(chart.Scale1X().CaptionPosX(), -20);
    EXPECT_EQ(chart.Scale1X().CaptionAnchor(), uaSclTopLft);
    // The layout is read but never written.
    EXPECT_EQ(Written(chart).count("StandardLayout"), 0u);
}

TEST(ChartProperties, ErrorsNameTheProblem) {
    TPlotChart chart;
    try {
        ApplyChartProperty(chart, "Scale1X.Colour", "clRed");
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("Scale1X.Colour"), std::string::npos) << e.Message();
    }
    for (const auto& [name, value] :
         std::vector<std::pair<const char*, const char*>>{{"LRim", "'wide'"},
                                                          {"GridStyle", "gsWavy"},
                                                          {"ChartColor", "clPurpleHaze"},
                                                          {"AutoRedraw", "7"}})
        EXPECT_THROW(ApplyChartProperty(chart, name, value), Exception) << name;
    EXPECT_EQ(chart.LRim(), 50);
}

TEST(ChartProperties, RoundTripThroughDescriptionText) {
    TPlotChart source;
    source.SetBounds(12, 34, 500, 321);
    const std::vector<std::pair<QString, QString>> changes = {
        {"Font.Height", "-17"},
        {"AllocSize", "2000"},
        {"LRim", "61"},
        {"BackGroundImg.IncludePath", "True"},
        {"BackGroundImg.Name", "'/pics/it''s.png'"},
        {"BackGroundImg.AreaMode", "bamHStripe"},
        {"GridStyle", "gsDotLines"},
        {"GridDx", "0.25"},
        {"DataColor", "clBlue"},
        {"PenStyle", "psDot"},
        {"FillColor", "12345"},
        {"JointLayers.L02yControlledBy", "1"},
        {"Caption", "'Profile  ''A'''"},
        {"CaptionAlignment", "taCenter"},
        {"CaptionTrim", "40"},
        {"CrossHair4.Mode", "chBox"},
        {"CrossHair4.PosX", "1.5"},
        {"MouseAction", "maZoom"},
        {"Scale1X.RangeHigh", "64"},
        {"Scale1Y.LabelType", "ftNoFigs"},
        {"Scale2Y.Caption", "'Flux'"},
        {"Scale2Y.ScaleLocation", "slRight"},
        {"ShadowWidth", "4"},
        {"StyleElements", "[seFont, seBorder]"},
        {"TextFontStyle", "[fsItalic]"},
        {"TextAlignment", "taLeftJustify"},
    };
    for (const auto& [name, value] : changes)
        ApplyChartProperty(source, name, value);

    TDescObject root;
    root.Name = "Form";
    root.ClassName = "TForm";
    root.Children.push_back(WriteChartDescription(source, "Chart9"));
    const TDescObject parsed = ParseWindowDescription(WriteWindowDescription(root));
    ASSERT_EQ(parsed.Children.size(), 1u);

    TPlotChart copy;
    copy.BeginLoading();
    for (const TDescProperty& p : parsed.Children[0].Properties)
        copy.SetDescProperty(p.Name, p.Value);
    copy.Loaded();

    EXPECT_EQ(copy.geometry(), source.geometry());
    const auto expected = Written(source);
    EXPECT_EQ(Written(copy), expected);
    // The changed values really are in the text (not all left out as defaults).
    EXPECT_EQ(expected.at("BackGroundImg.Name"), "'/pics/it''s.png'");
    EXPECT_EQ(expected.at("JointLayers.L02yControlledBy"), "1");
    EXPECT_EQ(expected.at("Scale1X.RangeHigh"), "64");
    EXPECT_EQ(expected.at("CaptionTrim"), "40");
}

// Texts that a program gives a chart may hold line breaks; the chart written
// into a description and loaded from it again keeps them.
TEST(ChartProperties, TextsWithLineBreaksSurviveTheDescription) {
    TPlotChart source;
    source.SetChartCaption(QStringLiteral("Profile\nJ0437-4715"));
    source.Scale1Y().SetCaption(QStringLiteral("Flux\r\n(mJy)"));
    TDescObject root{"Form", "TForm", 0, {}, {WriteChartDescription(source, "Chart9")}};
    const TDescObject parsed = ParseWindowDescription(WriteWindowDescription(root));
    TPlotChart copy;
    copy.BeginLoading();
    for (const TDescProperty& p : parsed.Children.at(0).Properties)
        copy.SetDescProperty(p.Name, p.Value);
    copy.Loaded();
    EXPECT_EQ(copy.Caption(), source.Caption());
    EXPECT_EQ(copy.Scale1Y().Caption(), source.Scale1Y().Caption());
}

// A chart as it is created, read back through the property table, holds the
// values the after-creation list gives for every published property (the
// fonts are the platform's and left out).
TEST(ChartProperties, NewChartHoldsTheAfterCreationValues) {
    std::map<QString, QString> expected = {
        {"AvoidDuplicateMarks", "False"},
        {"AllocSize", "1000"},
        {"AutoRedraw", "True"},
        {"MarginLeft", "50"},
        {"MarginRight", "20"},
        {"MarginTop", "20"},
        {"MarginBottom", "40"},
        {"LRim", "50"},
        {"RRim", "20"},
        {"TRim", "20"},
        {"BRim", "40"},
        {"MinDupMarkDist", "1"},
        {"BackGroundImg.IncludePath", "False"},
        {"BackGroundImg.Name", "''"},
        {"BackGroundImg.FillMode", "bfStretch"},
        {"BackGroundImg.AreaMode", "bamNone"},
        {"BackGroundImg.AreaColor", "14540253"},
        {"BackGroundImg.AreaLeft", "-1"},
        {"BackGroundImg.AreaRight", "1"},
        {"BackGroundImg.AreaTop", "1"},
        {"BackGroundImg.AreaBottom", "-1"},
        {"ClassDefault", "0"},
        {"GridStyle", "gsNone"},
        {"GridDx", "0"},
        {"GridDy", "0"},
        {"Isometric", "False"},
        {"DataColor", "clBlack"},
        {"PenStyle", "psSolid"},
        {"ChartFrameColor", "clBlack"},
        {"FillColor", "clSilver"},
        {"TextBkColor", "clSilver"},
        {"ChartColor", "clWhite"},
        {"WindColor", "clBtnFace"},
        {"GridColor", "clBlack"},
        {"JointLayers.L01xControlledBy", "1"},
        {"JointLayers.L01yControlledBy", "1"},
        {"JointLayers.L02xControlledBy", "2"},
        {"JointLayers.L02yControlledBy", "2"},
        {"LineWidth", "1"},
        {"Caption", "''"},
        {"CaptionPosX", "0"},
        {"CaptionPosY", "-16"},
        {"CaptionAlignment", "taRightJustify"},
        {"CaptionAnchorHoriz", "cahChartRight"},
        {"CaptionAnchorVert", "cavChartTop"},
        {"CaptionTrim", "100"},
        {"MouseTraceColor", "clWhite"},
        {"MouseTraceInvert", "True"},
        {"MouseAction", "maNone"},
        {"MouseCursorFixed", "True"},
        {"PanGridDx", "1"},
        {"PanGridDy", "1"},
        {"PanGridOffsX", "0"},
        {"PanGridOffsY", "0"},
        {"ShadowWidth", "0"},
        {"ShadowStyle", "ssFlying"},
        {"ShadowColor", "clGrayText"},
        {"ShadowBakColor", "clBtnFace"},
        {"StyleElements", "[]"},
        {"TextBkStyle", "tbClear"},
        {"TextAlignment", "taCenter"},
    };
    for (int i = 1; i <= 4; ++i) {
        const QString p = QStringLiteral("CrossHair%1.").arg(i);
        expected[p + "PosX"] = "0";
        expected[p + "PosY"] = "0";
        expected[p + "Color"] = "clRed";
        expected[p + "Layer"] = i == 1 ? "1" : "2";
        expected[p + "Mode"] = "chOff";
        expected[p + "LineType"] = "psDashDotDot";
        expected[p + "LineWid"] = "1";
    }
    const struct {
        const char* Axis;
        const char* Color;
        const char* Location;
        const char* CaptionPosX;
        const char* CaptionPosY;
        const char* CaptionAlignment;
        const char* CaptionAnchor;
        const char* Visible;
    } axes[] = {
        {"Scale1X", "clBlack", "slBottom", "0", "22", "taCenter", "uaSclCenter", "True"},
        {"Scale2X", "clMaroon", "slBottom", "10", "100", "taCenter", "uaSclCenter", "False"},
        {"Scale1Y", "clBlack", "slLeft", "0", "-16", "taLeftJustify", "uaSclTopLft", "True"},
        {"Scale2Y", "clMaroon", "slLeft", "10", "100", "taRightJustify", "uaSclTopLft", "False"},
    };
    for (const auto& a : axes) {
        const QString p = QString::fromLatin1(a.Axis) + u'.';
        expected[p + "ColorScale"] = a.Color;
        expected[p + "ScaleLocation"] = a.Location;
        expected[p + "ScalePos"] = "0";
        expected[p + "CaptionPosX"] = a.CaptionPosX;
        expected[p + "CaptionPosY"] = a.CaptionPosY;
        expected[p + "CaptionAlignment"] = a.CaptionAlignment;
        expected[p + "CaptionAnchor"] = a.CaptionAnchor;
        expected[p + "Visible"] = a.Visible;
        expected[p + "Caption"] = "''";
        expected[p + "DecPlaces"] = "-2";
        expected[p + "Logarithmic"] = "False";
        expected[p + "LabelType"] = "ftNum";
        expected[p + "MinTicks"] = "3";
        expected[p + "MinRange"] = "1e-10";
        expected[p + "RangeLow"] = "0";
        expected[p + "RangeHigh"] = "1";
        expected[p + "ShortTicks"] = "True";
        expected[p + "DateFormat.TimeFormat"] = "tfHHMMSS";
        expected[p + "DateFormat.DateSeparator"] = "'-'";
        expected[p + "DateFormat.TimeSeparator"] = "':'";
        expected[p + "DateFormat.YearLength"] = "ylYYYY";
        expected[p + "DateFormat.MonthName"] = "True";
        expected[p + "DateFormat.DateOrder"] = "doDDMMYY";
        expected[p + "DateFormat.DateForTime"] = "dtOnePerDay";
    }

    TPlotChart chart;
    std::map<QString, QString> held;
    for (const TChartProperty& p : ChartPropertyTable())
        if (expected.count(p.Name))
            held[p.Name] = p.Get(chart);
    EXPECT_EQ(held, expected);
    EXPECT_EQ(chart.StandardLayout(), lay_X1Bottom_Y1Left);
}

namespace {

TEST(ChartProperties, AWholeAxisObjectIsDrawnAndWrittenWhereItSays) {
    TPlotChart chart;
    chart.SetBounds(0, 0, 647, 400);
    TScalePropsHoriz top;
    top.SetScaleLocation(slTop);
    TScalePropsVert right;
    right.SetScaleLocation(slRight);
    chart.SetScale1X(top);
    chart.SetScale2Y(right);
    EXPECT_EQ(chart.ScaleX(1).ScaleType(), sctXB);
    EXPECT_EQ(chart.ScaleY(2).ScaleType(), sctYL);
    const auto written = Written(chart);
    EXPECT_EQ(written.at(QStringLiteral("Scale1X.ScaleLocation")), QStringLiteral("slTop"));
    EXPECT_EQ(written.at(QStringLiteral("Scale2Y.ScaleLocation")), QStringLiteral("slRight"));
}

TEST(ChartProperties, AssigningASettingsObjectComposesTheChartOnce) {
    const struct {
        const char* Name;
        std::function<void(TPlotChart&)> Assign;
    } cases[] = {
        {"CrossHair1", [](TPlotChart& c) { c.SetCrossHair(1, TCrossHair()); }},
        {"CrossHair4", [](TPlotChart& c) { c.SetCrossHair(4, TCrossHair()); }},
        {"BackGroundImg", [](TPlotChart& c) { c.SetBackGroundImg(TBakGndImg()); }},
        {"JointLayers", [](TPlotChart& c) { c.SetJointLayers(TJointLayers()); }},
        {"JointLayers joined",
         [](TPlotChart& c) {
             TJointLayers joined;
             joined.SetL02xControlledBy(1);
             c.SetJointLayers(joined);
         }},
    };
    for (const auto& c : cases) {
        ShownChart s;
        const int before = s.chart.PaintCount();
        c.Assign(s.chart);
        EXPECT_EQ(s.chart.PaintCount(), before + 1) << c.Name;
        s.chart.SetAutoRedraw(false);
        c.Assign(s.chart);
        EXPECT_EQ(s.chart.PaintCount(), before + 1) << c.Name << " without AutoRedraw";
    }
}

} // namespace
