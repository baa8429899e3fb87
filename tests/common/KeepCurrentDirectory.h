#pragma once

// The window's lists move the process's current directory; a test puts it
// back before its temporary folder goes.

#include <filesystem>

class TKeepCurrentDirectory {
public:
    TKeepCurrentDirectory() : FPath(std::filesystem::current_path()) {}
    ~TKeepCurrentDirectory() { std::filesystem::current_path(FPath); }
    TKeepCurrentDirectory(const TKeepCurrentDirectory&) = delete;
    TKeepCurrentDirectory& operator=(const TKeepCurrentDirectory&) = delete;

private:
    std::filesystem::path FPath;
};
