#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

// One read-only pass over a profile file with the line rules the format
// was written for: a line ends at a line feed, a carriage return right before
// it is dropped, at most 99 characters are taken; a longer line is cut and
// every later read of the pass yields an empty line, as does every read at
// the end of the file or from a file that could not be opened.
class TProfileStream {
public:
    static constexpr std::size_t MaxLineLength = 99;

    // Opens a regular file only; anything else (a directory, pipe, device)
    // counts as not opened and OpenError() holds the reason.
    explicit TProfileStream(const std::string& fileName);

    bool IsOpen() const { return FFile != nullptr; }
    const std::string& OpenError() const { return FOpenError; }

    std::string ReadLine();

    // True once reads can only yield empty lines.
    bool Exhausted() const { return !FFile || FDone; }

    // Distance from the current read position to the end of the file; moves
    // the read position to the end.
    std::int64_t SizeBySeeking();

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, FileCloser> FFile;
    std::string FOpenError;
    bool FDone = false;
};
