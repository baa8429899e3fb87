#pragma once

#include <cmath>

// Checked floating-point operations. There are no hardware traps: each
// operation that the analysis relies on raising an error checks its operands
// and raises EInvalidOp, EZeroDivide or EOverflow deterministically.
// Underflow, denormals and inexact results stay silent.

// Rounds to the nearest 32-bit float; a result beyond the float range (or an
// infinite argument) raises EOverflow, a NaN argument EInvalidOp. Inline: the
// reader rounds every bin value.
[[noreturn]] void RaiseRoundingFault(double x);
inline float RoundToFloat(double x) {
    const float f = static_cast<float>(x);
    if (!std::isfinite(f))
        RaiseRoundingFault(x);
    return f;
}

// a / b. b == 0: EInvalidOp when a is 0 too, else EZeroDivide.
// A quotient beyond the double range raises EOverflow.
double CheckedDiv(double a, double b);

// Square root; a negative argument raises EInvalidOp.
double CheckedSqrt(double x);

// Decimal logarithm; a negative argument raises EInvalidOp, 0 EZeroDivide.
double CheckedLog10(double x);
