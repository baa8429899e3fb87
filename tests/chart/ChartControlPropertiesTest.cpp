// Properties a description may give a chart beyond the chart's own: the
// platform control properties, the axis label texts and the shared data list
// (UseDataOf). Each is read, acts where Qt has a counterpart, and is written back.

#include "base/Exception.h"
#include "chart/ChartPropertyTable.h"
#include "chart/ChartRegistration.h"
#include "chart/PlotChart.h"
#include "chart/Scale.h"
#include "chart/ScaleProps.h"
#include "toolkit/WindowDescription.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

std::map<QString, QString> Written(TCustomPlotChart& chart) {
    std::map<QString, QString> out;
    for (const TDescProperty& p : WriteChartProperties(chart))
        out[p.Name] = p.Value;
    return out;
}

void Load(TPlotChart& chart, const QString& name, const QString& value) {
    chart.BeginLoading();
    chart.SetDescProperty(name, value);
    chart.Loaded();
}

} // namespace

// Each is accepted, written back as given (and as the writer spells it), and
// left out while it has its platform default.
TEST(ChartControlProperties, AcceptedAndWrittenBack) {
    const struct {
        const char* Name;
        const char* Value;
        const char* Written; // when it differs from Value
    } cases[] = {
        {"Align", "alClient", nullptr},
        {"Visible", "False", nullptr},
        {"ShowHint", "True", nullptr},
        {"Hint", "'Flux of ''A'''", nullptr},
        {"PopupMenu", "PopupMenu1", nullptr},
        {"Anchors", "[akLeft, akRight, akBottom]", nullptr},
        {"Anchors", "[akBottom,akTop]", "[akTop, akBottom]"},
        {"Constraints.MaxHeight", "500", nullptr},
        {"Constraints.MaxWidth", "900", nullptr},
        {"Constraints.MinHeight", "150", nullptr},
        {"Constraints.MinWidth", "300", nullptr},
        {"DragKind", "dkDock", nullptr},
        {"DragCursor", "crHandPoint", nullptr},
        {"DragCursor", "-12", nullptr},
        {"DragMode", "dmAutomatic", nullptr},
        {"Scale1X.ScaleInscript", "'& Jy'", nullptr},
        {"Scale2Y.UserTickText", "'on|off|on'", nullptr},
    };
    TPlotChart fresh;
    const auto defaults = Written(fresh);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(defaults.count(c.Name), 0u);
        TPlotChart chart;
        Load(chart, c.Name, c.Value);
        const auto written = Written(chart);
        ASSERT_EQ(written.count(c.Name), 1u);
        EXPECT_EQ(written.at(c.Name), c.Written ? c.Written : c.Value);

        TPlotChart copy;
        Load(copy, c.Name, written.at(c.Name));
        EXPECT_EQ(Written(copy), written);
    }
}

TEST(ChartControlProperties, WrongValuesAreRefused) {
    for (const auto& [name, value] : {std::pair{"Align", "alMiddle"},
                                      {"Anchors", "[akLeft, akUp]"},
                                      {"DragKind", "dkFly"},
                                      {"DragMode", "1"},
                                      {"Visible", "Maybe"},
                                      {"Constraints.MinWidth", "wide"},
                                      {"Constraints.Width", "3"}}) {
        TPlotChart chart;
        EXPECT_THROW(ApplyChartProperty(chart, name, value), Exception) << name << " = " << value;
    }
}

// Visible, the hint and the size limits act on the widget.
TEST(ChartControlProperties, WhatQtHasActsOnTheWidget) {
    QWidget host;
    auto* hidden = new TPlotChart(&host);
    auto* shown = new TPlotChart(&host);
    hidden->BeginLoading();
    hidden->SetDescProperty("Visible", "False");
    hidden->SetDescProperty("ShowHint", "True");
    hidden->SetDescProperty("Hint", "'Profile'");
    hidden->Loaded();
    shown->BeginLoading();
    shown->SetDescProperty("Hint", "'not shown'");
    shown->SetDescProperty("Constraints.MinWidth", "400");
    shown->SetDescProperty("Constraints.MaxHeight", "250");
    shown->Loaded();
    host.show();
    QApplication::processEvents();

    EXPECT_FALSE(hidden->isVisible());
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(hidden->toolTip(), "Profile");
    EXPECT_TRUE(shown->toolTip().isEmpty()) << "no tooltip without ShowHint";
    EXPECT_EQ(shown->minimumWidth(), 400);
    EXPECT_GE(shown->width(), 400);
    EXPECT_EQ(shown->maximumHeight(), 250);
    EXPECT_LE(shown->height(), 250);

    ApplyChartProperty(*hidden, "Visible", "True");
    EXPECT_TRUE(hidden->isVisible());
}

// The axis label texts reach the scale objects that draw the axes.
TEST(ChartControlProperties, LabelTextsReachTheScales) {
    TPlotChart chart;
    chart.BeginLoading();
    chart.SetDescProperty("Scale1X.ScaleInscript", "'<&>'");
    chart.SetDescProperty("Scale1Y.LabelType", "ftUserText");
    chart.SetDescProperty("Scale1Y.UserTickText", "'low|high'");
    chart.Loaded();
    EXPECT_EQ(chart.ScaleX(1).ScaleInscript(), "<&>");
    EXPECT_EQ(chart.ScaleY(1).UserTickText(), "low|high");
}

// A description names the chart whose data list is shared, above or below
// the chart that names it; a name no chart carries leaves it its own data.
TEST(ChartControlProperties, UseDataOfNamesAChartOfTheWindow) {
    RegisterChartComponents();
    const QString text = QStringLiteral(R"(object Form1: TForm
  object Chart1: TPlotChart
    UseDataOf = Chart2
  end
  object Chart2: TPlotChart
  end
  object Chart3: TPlotChart
    UseDataOf = Chart2
  end
  object Chart4: TPlotChart
    UseDataOf = Chart9
  end
end
)");
    QWidget form;
    LoadWindowDescription(&form, ParseWindowDescription(text), {});
    form.show();
    QApplication::processEvents();
    auto chart = [&](const char* name) { return form.findChild<TPlotChart*>(name); };
    ASSERT_NE(chart("Chart4"), nullptr);

    EXPECT_EQ(chart("Chart1")->UseDataOf(), chart("Chart2"));
    EXPECT_EQ(chart("Chart3")->UseDataOf(), chart("Chart2"));
    EXPECT_EQ(chart("Chart2")->UseDataOf(), nullptr);
    EXPECT_EQ(chart("Chart4")->UseDataOf(), nullptr);
    chart("Chart2")->Line(0.0, 0.0, 1.0, 1.0);
    EXPECT_EQ(chart("Chart1")->NumItems(), 1);
    EXPECT_EQ(chart("Chart3")->NumItems(), 1);
    EXPECT_EQ(chart("Chart4")->NumItems(), 0);

    EXPECT_EQ(Written(*chart("Chart1")).at("UseDataOf"), "Chart2");
    EXPECT_EQ(Written(*chart("Chart2")).count("UseDataOf"), 0u);
    EXPECT_EQ(Written(*chart("Chart4")).count("UseDataOf"), 0u);

    // The reset goes back to the own data.
    chart("Chart1")->ResetComp();
    EXPECT_EQ(chart("Chart1")->UseDataOf(), nullptr);
    EXPECT_EQ(Written(*chart("Chart1")).count("UseDataOf"), 0u);
}
