#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Read-only passes over a profile file with the line rules the format was
// written for: a line ends at a line feed, a carriage return right before it
// is dropped, at most 99 characters are taken; a longer line is cut and every
// later read of the pass yields an empty line, as does every read at the end
// of the file or from a file that could not be opened. Rewind() starts the
// next pass at the first byte again.
//
// The passes cost as few system calls as they can: on this kind of machine
// each one costs microseconds, far more than parsing a profile. The file is
// opened once for all passes and read into one buffer sized from the size
// the caller expects, so a typical profile takes a single read, and a later
// pass over a file that fitted reads nothing again.
class TProfileStream {
public:
    static constexpr std::size_t MaxLineLength = 99;

    // The most a pass reads in one call.
    static constexpr std::size_t MaxChunk = 64 * 1024;

    // Opens the file for its first pass. expectedSize is the size the caller
    // found when it checked the name (a regular file); readAhead caps the
    // bytes held at a time (0: none, nothing is read).
    // The caller checks the name first: opening does not look at the file's
    // type again, and O_NONBLOCK keeps a name that has turned into a pipe
    // meanwhile from blocking the pass.
    TProfileStream(const std::string& fileName, std::int64_t expectedSize, std::size_t readAhead);
    ~TProfileStream();
    TProfileStream(const TProfileStream&) = delete;
    TProfileStream& operator=(const TProfileStream&) = delete;

    // False when the file could not be opened or its first read failed;
    // OpenError() then holds the reason.
    bool IsOpen() const { return FFd >= 0; }
    const std::string& OpenError() const { return FOpenError; }

    // The next line; the text stays valid until the next call.
    std::string_view ReadLine();

    // True once reads can only yield empty lines.
    bool Exhausted() const { return FFd < 0 || FDone; }

    // Starts a new pass at the first byte of the file.
    void Rewind();

private:
    // Reads until the buffer holds a whole longest line or the file ends.
    void Fill();

    int FFd = -1;
    std::string FOpenError;
    std::int64_t FExpected = 0; // bytes the caller expects the file to hold
    std::int64_t FRead = 0;     // offset of the next byte to read from the file
    std::unique_ptr<char[]> FBuffer;
    std::size_t FCapacity = 0;
    std::size_t FBegin = 0; // unread bytes are FBuffer[FBegin, FEnd)
    std::size_t FEnd = 0;
    int FReadError = 0;      // errno of a first read that failed
    bool FAtEnd = false;     // the file has no more bytes
    bool FDone = false;      // the pass yields only empty lines from now on
    bool FHoldsStart = true; // FBuffer[0, FEnd) are the file's first bytes
};
