#pragma once

#include <string>

// The system's text for an errno value ("No such file or directory"), the
// same as strerror's but safe on any thread: strerror may share one buffer
// between threads.
std::string SystemErrorText(int errorCode);
