#pragma once

// The chart's error classes. EComponentError is raised for too many drawing
// items; EChartError, derived from it, for invalid settings and axis errors.

#include "base/Exception.h"

#include <string>

class EComponentError : public Exception {
public:
    using Exception::Exception;
};

class EChartError : public EComponentError {
public:
    using EComponentError::EComponentError;
};

// A chart file that cannot be read or written. The message names the file
// and, when it is known, where in it the problem lies ("byte 245",
// "line 7"), then what is wrong; the parts are kept apart for the caller.
class EChartFileError : public EComponentError {
public:
    // "Chart file "F", Where: Reason", or "Chart file "F": Reason".
    EChartFileError(std::string FileName, std::string Where, std::string Reason);
    // The file cannot be reached at all: "Verb "F": Reason", as in
    // "Cannot open "a.tvc": No such file or directory".
    static EChartFileError Access(const std::string& Verb, std::string FileName,
                                  std::string Reason);

    const std::string& FileName() const { return FFileName; }
    // "byte N" or "line N"; empty for errors of the file as a whole.
    const std::string& Where() const { return FWhere; }
    const std::string& Reason() const { return FReason; }

private:
    EChartFileError(std::string Message, std::string FileName, std::string Where,
                    std::string Reason);
    std::string FFileName;
    std::string FWhere;
    std::string FReason;
};
