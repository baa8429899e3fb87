#pragma once

#include "base/Exception.h"

// Failure to enter a drive or directory. The message is the system's text for
// the error code, or "I/O error N" for a code without a text of its own.
class EInOutError : public Exception {
public:
    explicit EInOutError(int errorCode);
    int ErrorCode() const noexcept { return FErrorCode; }

    // The message that an error with this code carries.
    static std::string MessageFor(int errorCode);

private:
    int FErrorCode;
};
