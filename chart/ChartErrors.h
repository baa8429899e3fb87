#pragma once

// The chart's error classes. EComponentError is raised for too many drawing
// items; EChartError, derived from it, for invalid settings and axis errors.

#include "base/Exception.h"

class EComponentError : public Exception {
public:
    using Exception::Exception;
};

class EChartError : public EComponentError {
public:
    using EComponentError::EComponentError;
};
