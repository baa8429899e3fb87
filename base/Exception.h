#pragma once

#include <exception>
#include <string>

// The one exception base of the program: every failure carries a message text
// that the top-level handler shows to the user.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const std::string& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

// Floating-point errors, raised by the checked operations of FloatOps.h.
class EMathError : public Exception {
public:
    using Exception::Exception;
};

class EInvalidOp : public EMathError {
public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
};

class EZeroDivide : public EMathError {
public:
    EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EOverflow : public EMathError {
public:
    EOverflow() : EMathError("Floating point overflow") {}
};
