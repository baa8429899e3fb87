#include "app/Unit2.h"
#include "chart/BakGndImg.h"
#include "chart/CrossHair.h"
#include "chart/PlotChart.h"
#include "chart/ScaleProps.h"

#include <gtest/gtest.h>

// Both charts as the window description creates them.
TEST(ChartDescription, ChartsAfterLoading) {
    TForm2 form;
    const struct {
        const char* name;
        QRect geometry;
        QString caption;
    } charts[] = {
        {"Chart1", QRect(306, 290, 647, 400),
         QStringLiteral("Torvane plot with  Average and StdDev ( without peak )")},
        {"Chart2", QRect(981, 376, 539, 314), QString()},
    };
    for (const auto& expected : charts) {
        SCOPED_TRACE(expected.name);
        auto* chart = form.findChild<TPlotChart*>(QLatin1String(expected.name));
        ASSERT_NE(chart, nullptr);
        EXPECT_EQ(chart->geometry(), expected.geometry);
        EXPECT_EQ(chart->Caption(), expected.caption);
        EXPECT_EQ(chart->LRim(), 50);
        EXPECT_EQ(chart->RRim(), 20);
        EXPECT_EQ(chart->TRim(), 20);
        EXPECT_EQ(chart->BRim(), 40);
        EXPECT_EQ(chart->ShadowWidth(), 0);
        EXPECT_TRUE(chart->AutoRedraw());
        // Caption centred 25 pixels above the middle of the plot area's top edge.
        EXPECT_EQ(chart->CaptionPosX(), 0);
        EXPECT_EQ(chart->CaptionPosY(), -25);
        EXPECT_EQ(chart->CaptionAlignment(), taCenter);
        EXPECT_EQ(chart->CaptionAnchorHoriz(), cahChartCenter);
        EXPECT_EQ(chart->CaptionAnchorVert(), cavChartTop);
        EXPECT_EQ(chart->Font().Height, -17);
        EXPECT_EQ(chart->TextFont().Height, -11);
        EXPECT_TRUE(chart->Scale1X().Visible());
        EXPECT_TRUE(chart->Scale1Y().Visible());
        EXPECT_EQ(chart->Scale1X().LabelType(), ftNum);
        EXPECT_EQ(chart->Scale1Y().LabelType(), ftNoFigs);
        EXPECT_EQ(chart->Scale1Y().CaptionAlignment(), taLeftJustify);
        EXPECT_FALSE(chart->Scale2X().Visible());
        EXPECT_FALSE(chart->Scale2Y().Visible());
        EXPECT_EQ(chart->Scale2X().ColorScale(), clMaroon);
        EXPECT_EQ(chart->GridStyle(), gsNone);
        for (int i = 1; i <= 4; ++i)
            EXPECT_EQ(chart->CrossHair(i).Mode(), chOff) << i;
        EXPECT_EQ(chart->CrossHair(4).Layer(), 2);
        EXPECT_TRUE(chart->BackGroundImg().Name().isEmpty());
        EXPECT_EQ(chart->BackGroundImg().AreaLeft(), -1.0);
        EXPECT_EQ(chart->StyleElements(), 0);
        EXPECT_EQ(chart->NumItems(), 0);
    }
}
