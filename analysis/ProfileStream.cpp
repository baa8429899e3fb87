#include "analysis/ProfileStream.h"

#include "base/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A longest line with its CR LF: enough to decide where a line ends.
constexpr std::size_t LongestLine = TProfileStream::MaxLineLength + 2;

// Small files still come in one read, and a whole longest line always fits.
constexpr std::size_t MinChunk = 512;

} // namespace

TProfileStream::TProfileStream(const std::string& fileName, std::int64_t expectedSize,
                               std::size_t readAhead)
    : FExpected(std::max<std::int64_t>(expectedSize, 0)) {
    FFd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (FFd < 0) {
        FOpenError = SystemErrorText(errno);
        return;
    }
    if (readAhead == 0)
        return;
    // One byte beyond the expected size, so that a short read tells the end.
    const std::uint64_t wanted =
        std::min(static_cast<std::uint64_t>(FExpected) + 1, static_cast<std::uint64_t>(readAhead));
    FCapacity = std::clamp<std::size_t>(static_cast<std::size_t>(wanted), MinChunk, MaxChunk);
    FBuffer = std::make_unique_for_overwrite<char[]>(FCapacity);
    Fill();
    // A name that turned into a folder since it was checked opens but cannot
    // be read; report it like a failed open.
    if (FReadError != 0) {
        FOpenError = SystemErrorText(FReadError);
        ::close(FFd);
        FFd = -1;
    }
}

TProfileStream::~TProfileStream() {
    if (FFd >= 0)
        ::close(FFd);
}

void TProfileStream::Fill() {
    if (FAtEnd || FEnd - FBegin >= LongestLine)
        return;
    if (FBegin > 0) {
        std::memmove(FBuffer.get(), FBuffer.get() + FBegin, FEnd - FBegin);
        FEnd -= FBegin;
        FBegin = 0;
        FHoldsStart = false;
    }
    while (!FAtEnd && FEnd < LongestLine) {
        const std::size_t asked = FCapacity - FEnd;
        // At an offset of its own, so that a new pass needs no seek.
        const ssize_t got = ::pread(FFd, FBuffer.get() + FEnd, asked, FRead);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            // An error ends the pass like the end of the file.
            if (got < 0 && FRead == 0)
                FReadError = errno;
            FAtEnd = true;
            break;
        }
        FEnd += static_cast<std::size_t>(got);
        FRead += got;
        // A short read once the expected bytes are in is the end of the
        // file; asking again only to be told so would cost a system call.
        if (static_cast<std::size_t>(got) < asked && FRead >= FExpected)
            FAtEnd = true;
    }
}

std::string_view TProfileStream::ReadLine() {
    if (Exhausted())
        return {};
    Fill();
    const char* line = FBuffer.get() + FBegin;
    const std::size_t available = FEnd - FBegin;
    const void* lineFeed = std::memchr(line, '\n', std::min(available, LongestLine));
    if (lineFeed) {
        const std::size_t consumed = static_cast<const char*>(lineFeed) - line;
        std::size_t length = consumed;
        if (length > 0 && line[length - 1] == '\r')
            --length;
        FBegin += consumed + 1;
        if (length <= MaxLineLength)
            return {line, length};
        FDone = true;
        return {line, MaxLineLength};
    }
    // No line feed: either the last line of the file, or a line too long,
    // which is cut; both end the pass. A carriage return right before the
    // end of the file has no line feed after it and stays.
    FDone = true;
    FBegin = FEnd;
    return {line, std::min(available, MaxLineLength)};
}

void TProfileStream::Rewind() {
    if (FFd < 0 || !FBuffer)
        return;
    FBegin = 0;
    FDone = false;
    if (FHoldsStart)
        return; // the buffer still holds the bytes the new pass begins with
    FEnd = 0;
    FRead = 0;
    FAtEnd = false;
    FHoldsStart = true;
}
