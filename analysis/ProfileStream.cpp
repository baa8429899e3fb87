#include "analysis/ProfileStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TProfileStream::TProfileStream(const std::string& fileName) {
    // O_NONBLOCK: should the name have turned into a pipe since it was
    // checked, opening it must still not wait for a writer.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        FOpenError = std::strerror(errno);
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        FOpenError = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "Not a regular file";
        ::close(fd);
        return;
    }
    // O_NONBLOCK stays set: it has no effect on a regular file, and system
    // calls are what a pass over a small file costs most.
    FFile.reset(::fdopen(fd, "rb"));
    if (!FFile) {
        FOpenError = std::strerror(errno);
        ::close(fd);
        return;
    }
    // A buffer the size of a typical profile reads it in one call.
    constexpr off_t MinBuffer = 4096;
    constexpr off_t MaxBuffer = 1 << 20;
    std::setvbuf(FFile.get(), nullptr, _IOFBF,
                 static_cast<std::size_t>(std::clamp<off_t>(st.st_size + 1, MinBuffer, MaxBuffer)));
}

std::string TProfileStream::ReadLine() {
    std::string line;
    if (Exhausted())
        return line;
    std::FILE* f = FFile.get();
    // The stream is never shared between threads, so skip getc's locking.
    for (;;) {
        int c = getc_unlocked(f);
        if (c == EOF) {
            FDone = true;
            return line;
        }
        if (c == '\n')
            return line;
        if (c == '\r') {
            const int next = getc_unlocked(f);
            if (next == '\n')
                return line;
            if (next != EOF)
                std::ungetc(next, f);
        }
        if (line.size() == MaxLineLength) {
            FDone = true;
            return line;
        }
        line.push_back(static_cast<char>(c));
    }
}

std::int64_t TProfileStream::SizeBySeeking() {
    if (!FFile)
        return 0;
    const off_t start = ::ftello(FFile.get());
    if (start < 0 || ::fseeko(FFile.get(), 0, SEEK_END) != 0)
        return 0;
    const off_t end = ::ftello(FFile.get());
    return end < start ? 0 : static_cast<std::int64_t>(end - start);
}
