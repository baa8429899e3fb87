#pragma once

// The grid of a chart's plot area, drawn by the rendering pass before the
// drawing lists, along layer 1's axes.

#include "chart/ChartRenderer.h"

// Draws the grid that Params.GridStyle asks for onto a canvas whose origin
// lies on the plot area's top-left corner.
void DrawGrid(TCanvas& Canvas, const TRenderParams& Params);
