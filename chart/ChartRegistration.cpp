#include "chart/ChartRegistration.h"

#include "chart/PlotChart.h"
#include "toolkit/WindowDescription.h"

void RegisterChartComponents() {
    RegisterComponentClass(QStringLiteral("TPlotChart"),
                           [](QWidget* parent) -> QObject* { return new TPlotChart(parent); });
}
