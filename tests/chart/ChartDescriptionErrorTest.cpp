// A chart loaded from a window description: a bad value ends in an error
// that keeps its line and its whole reason, and every colour name means the
// same colour in a control and in a chart.

#include "chart/ChartRegistration.h"
#include "chart/PlotChart.h"
#include "toolkit/DescriptionError.h"
#include "toolkit/WindowDescription.h"

#include <QPalette>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A form with one chart whose properties are `lines` (the first on line 3).
QString Description(const QString& lines) {
    return QStringLiteral("object F: TF\n  object Chart1: TPlotChart\n") + lines +
           QStringLiteral("\n  end\nend");
}

} // namespace

TEST(ChartDescriptionError, KeepsTheLineAndTheWholeReason) {
    RegisterChartComponents();
    const struct {
        const char* Lines;
        int Line;
        const char* Reason;
    } cases[] = {
        {"    JointLayers.L01xControlledBy = 3", 3,
         "Chart1.JointLayers.L01xControlledBy: Destination layer 3 is out of range"},
        {"    JointLayers.L02xControlledBy = 1\n    JointLayers.L01xControlledBy = 2", 4,
         "Chart1.JointLayers.L01xControlledBy: Destination layer 2 is already joined"},
        {"    GridStyle = gsWavy", 3, "Chart1.GridStyle: Invalid property value gsWavy"},
        {"    ChartColor = clPurpleHaze", 3, "Chart1.ChartColor: unknown colour \"clPurpleHaze\""},
        {"    LRim = 'wide'", 3, "Chart1.LRim: an integer expected instead of \"'wide'\""},
        {"    Scale1X.Colour = clRed", 3,
         "Chart1.Scale1X.Colour: Chart property Scale1X.Colour does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Lines);
        QWidget form;
        try {
            LoadWindowDescription(
                &form, ParseWindowDescription(Description(QString::fromLatin1(c.Lines))), {});
            ADD_FAILURE() << "no error";
        } catch (const EDescriptionError& e) {
            EXPECT_EQ(e.Line(), c.Line);
            EXPECT_EQ(e.Reason(), c.Reason);
            EXPECT_EQ(e.Message(),
                      "Window description, line " + std::to_string(c.Line) + ": " + c.Reason);
        }
    }
}

TEST(ChartDescriptionError, EveryColourNameMeansTheSameInAControlAndAChart) {
    RegisterChartComponents();
    for (const char* name :
         {"clBlack", "clTeal", "clFuchsia", "clWindow", "clWindowText", "clBtnFace", "clBtnText",
          "clBtnShadow", "clGrayText", "clBtnHighlight", "clHighlight", "cl3DLight"}) {
        SCOPED_TRACE(name);
        QWidget form;
        LoadWindowDescription(&form,
                              ParseWindowDescription(QStringLiteral("object F: TF\n"
                                                                    "  Color = %1\n"
                                                                    "  object Chart1: TPlotChart\n"
                                                                    "    ChartColor = %1\n"
                                                                    "  end\n"
                                                                    "end")
                                                         .arg(QLatin1String(name))),
                              {});
        const auto* chart = form.findChild<TPlotChart*>("Chart1");
        ASSERT_NE(chart, nullptr);
        EXPECT_EQ(ColorToQColor(chart->ChartColor()), form.palette().color(QPalette::Window));
    }
}
