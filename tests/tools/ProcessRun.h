#pragma once

// Helpers of the tests that run torvane-report as a process through the shell.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

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

// Runs a bash command line, its standard error kept in a file of dir, and
// reads back what it wrote to the file stdout.txt of dir. The status is the
// exit status, or 128 plus the number of the signal that ended it.
inline TRun RunBash(const std::string& command, const std::string& dir) {
    const std::string out = dir + "/stdout.txt";
    const std::string err = dir + "/stderr.txt";
    std::remove(out.c_str());
    const int status = std::system(("bash -c " + Quoted(command) + " 2>" + Quoted(err)).c_str());
    TRun run;
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = Slurp(out);
    run.Err = Slurp(err);
    return run;
}
