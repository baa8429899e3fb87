#include "base/FloatOps.h"

#include "base/Exception.h"

#include <cmath>
#include <limits>

void RaiseRoundingFault(double x) {
    if (std::isnan(x))
        throw EInvalidOp();
    throw EOverflow();
}

double CheckedDiv(double a, double b) {
    if (std::isnan(a) || std::isnan(b))
        throw EInvalidOp();
    if (b == 0.0) {
        if (a == 0.0)
            throw EInvalidOp();
        throw EZeroDivide();
    }
    const double q = a / b;
    if (std::isinf(q))
        throw EOverflow();
    return q;
}

double CheckedSqrt(double x) {
    if (std::isnan(x) || x < 0.0)
        throw EInvalidOp();
    return std::sqrt(x);
}

double CheckedLog10(double x) {
    if (std::isnan(x) || x < 0.0)
        throw EInvalidOp();
    if (x == 0.0)
        throw EZeroDivide();
    return std::log10(x);
}
