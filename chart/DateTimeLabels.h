#pragma once

// The texts of time and date tick labels, and the steps such axes divide by.

#include "chart/DTLabel.h"

#include <QString>
#include <span>

// A time of day (or span) in seconds: hours, minutes, seconds in the format's
// time format and separator; thousandths too when `millis` (hh:mm:ss only).
QString TimeText(double seconds, bool millis, const TDTLabel& format);
// The date of day number `day` (days since 30 December 1899) in the format's
// order, separator, year length and month form.
QString DateText(long long day, const TDTLabel& format);

// Steps of a time axis in seconds, and of a date axis in days, smallest first.
std::span<const double> TimeSteps();
std::span<const double> DateSteps();
// The largest step not above `perInterval`; 0 when `perInterval` lies below
// the first step or at or beyond `upper`.
double TableStep(std::span<const double> steps, double perInterval, double upper);
