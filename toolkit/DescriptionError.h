#pragma once

// An error in a window description: the line it stands on and the whole
// reason, kept apart so that whoever adds where it happened (the object and
// property) never has to take a message text apart again.

#include "base/Exception.h"

#include <string>

class EDescriptionError : public Exception {
public:
    // Line 0: not known yet (a value checked on its own); the loader adds it.
    EDescriptionError(int Line, std::string Reason);

    int Line() const { return FLine; }
    const std::string& Reason() const { return FReason; }

private:
    int FLine;
    std::string FReason;
};
