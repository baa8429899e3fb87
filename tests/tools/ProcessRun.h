#pragma once

// Helpers of the tests that run torvane-report as a process through the shell.

#include <fstream>
#include <sstream>
#include <string>

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// One shell word, whatever the argument holds.
inline std::string Quoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
