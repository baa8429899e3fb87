#include "tools/ReportOutput.h"

#include "base/SystemError.h"

#include <cerrno>
#include <unistd.h>

void TReportOutput::Write(std::string_view text) {
    if (FError != 0)
        return;
    FBuffer.append(text);
    if (FBuffer.size() >= BlockSize)
        Flush();
}

void TReportOutput::Flush() {
    std::size_t done = 0;
    while (FError == 0 && done < FBuffer.size()) {
        const ssize_t written = ::write(FFd, FBuffer.data() + done, FBuffer.size() - done);
        if (written < 0) {
            if (errno != EINTR)
                FError = errno;
            continue;
        }
        if (written == 0) {
            FError = EIO; // no progress and no reason: give up rather than spin
            break;
        }
        done += static_cast<std::size_t>(written);
    }
    FBuffer.clear();
}

bool TReportOutput::Finish() {
    Flush();
    if (FFd >= 0 && ::close(FFd) != 0 && FError == 0 && errno != EINTR)
        FError = errno;
    FFd = -1;
    return FError == 0;
}

bool TReportOutput::PipeClosed() const {
    return FError == EPIPE;
}

std::string TReportOutput::Reason() const {
    return SystemErrorText(FError);
}
