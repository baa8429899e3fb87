#pragma once

// The pure parts of an axis: tick spacing and tick-label text.

#include "chart/Rounding.h"

#include <QString>

// Tick spacing for at least n labelled intervals over low..high: the first
// labelled tick, the signed step (0 for an empty range) and the number of
// subdivisions per step. n = 0 asks for whole-number steps; on a falling
// range (low > high) they run downwards from the first whole number at or
// below low, step -1, as on a rising one upwards from the first at or above it.
// Where the step is too small to move a value as large as low (whole-number
// steps beyond 2^53), the first tick is low itself.
void CalcScalePars(int n, double low, double high, double& start, double& step, int& nsub);

// Label decimals worked out once per drawing: >= 0 fixed decimals, or
// ExponentDecimals for the exponent form.
constexpr int ExponentDecimals = -1;
int LabelDecimals(int decPlaces, double low, double high);
// Decimals of a logarithmic axis over low..high.
int LogLabelDecimals(int decPlaces, double low, double high);

// The text of a numeric label of value v on the range low..high, with the
// decimals from LabelDecimals; decPlaces is the property itself (0 labels
// whole numbers only). Zero, fixed and exponent forms, cut to 14 characters.
QString NumLabelText(double v, double low, double high, int decimals, int decPlaces);

// Fixed form with d decimals, halves rounded away from zero.
QString FixedForm(double v, int d);
// " 1.5E+04": sign or blank, two significant digits, two exponent digits.
// Infinite values read "INF" or "-INF", NaN reads "NAN" (in both forms).
QString ExponentForm(double v);

// Item k (from 1) of a "|"-separated list, the last item beyond its end.
QString UserTickItem(const QString& list, int k);
// Puts text into an inscript at its first "&", or after the inscript.
QString ApplyInscript(const QString& inscript, const QString& text);
