#pragma once

// The pages of the chart's mouse actions: one chart with the action set and
// a readout of the events the action raises.

#include "chart/ChartTypes.h"

class TGalleryPage;

// A page for one MouseAction.
void MouseActionPage(TGalleryPage& Page, TMouseActMode Action);
// The wheel's events, and the wheel zoom a handler may stop.
void MouseWheelPage(TGalleryPage& Page);
