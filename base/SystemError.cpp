#include "base/SystemError.h"

#include <cstring>

std::string SystemErrorText(int errorCode) {
    char buffer[256];
    // The GNU strerror_r: the text may be in buffer or a constant elsewhere.
    return ::strerror_r(errorCode, buffer, sizeof buffer);
}
