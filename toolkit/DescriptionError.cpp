#include "toolkit/DescriptionError.h"

namespace {

std::string MessageOf(int line, const std::string& reason) {
    if (line <= 0)
        return "Window description: " + reason;
    return "Window description, line " + std::to_string(line) + ": " + reason;
}

} // namespace

EDescriptionError::EDescriptionError(int Line, std::string Reason)
    : Exception(MessageOf(Line, Reason)), FLine(Line), FReason(std::move(Reason)) {}
