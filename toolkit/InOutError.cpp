#include "toolkit/InOutError.h"

#include <cstring>

EInOutError::EInOutError(int errorCode) : Exception(MessageFor(errorCode)), FErrorCode(errorCode) {}

std::string EInOutError::MessageFor(int errorCode) {
    // glibc names every code it has a text for; strerror would answer
    // "Unknown error N" for the others, which reads worse than ours.
#if defined(__GLIBC__)
    const bool known = errorCode > 0 && strerrorname_np(errorCode) != nullptr;
#else
    const bool known =
        errorCode > 0 && std::strncmp(std::strerror(errorCode), "Unknown error", 13) != 0;
#endif
    if (!known)
        return "I/O error " + std::to_string(errorCode);
    return std::strerror(errorCode);
}
