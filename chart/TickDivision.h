#pragma once

// The ticks of an axis as a pure function of its range and its properties:
// which values get a tick, which ticks are labelled and what their labels
// read. The scale only draws the list; the grid takes its lines from it when
// it follows the ticks.

#include "chart/DTLabel.h"
#include "chart/ScaleTypes.h"

#include <QString>
#include <vector>

// What the division of an axis depends on.
struct TTickSettings {
    double RangeLow = 0;
    double RangeHigh = 1;
    bool Logarithmic = false;
    TFigType LabelType = ftNum;
    // 0, or 2..10 (as the scale keeps it).
    int MinTicks = 3;
    bool ShortTicks = true;
    int DecPlaces = -2;
    TDTLabel DateFormat;
    QString UserTickText;
    QString ScaleInscript;
};

struct TTick {
    double Value = 0;
    bool Labelled = false;
    // The label of a labelled tick, the user's texts and the inscript applied;
    // empty for unlabelled ticks, with ftNoFigs, and where no label is due.
    QString Text;
};

// The ticks in drawing order: on a linear axis the subdivision ticks first,
// then the labelled ones; on a logarithmic axis by value. A time axis whose
// span the time steps do not cover, and a logarithmic axis of less than a
// decade, are divided as linear ones. A range with an infinite or NaN end,
// or whose span exceeds the largest double, has no ticks.
std::vector<TTick> DivideAxis(const TTickSettings& Settings);

// Values of grid lines over lo..hi (either order): multiples of `step`; with
// no step, multiples of a 1, 2 or 5 times a power of ten near a tenth of the
// span, or the powers of ten of a logarithmic axis.
std::vector<double> GridValues(double lo, double hi, double step, bool logarithmic);
