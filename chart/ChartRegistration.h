#pragma once

// Makes the chart control known to the window-description reader.

// Registers "TPlotChart": the description's chart objects become TPlotChart
// controls owned by their parent.
void RegisterChartComponents();
