#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Standard output for the report, written in large blocks with every write,
// the last flush and the close checked: a full disk or a failing device must
// end the run with a message, never pass for success.
class TReportOutput {
public:
    explicit TReportOutput(int fd) : FFd(fd) {}
    TReportOutput(const TReportOutput&) = delete;
    TReportOutput& operator=(const TReportOutput&) = delete;

    // Nothing is written once a write has failed.
    void Write(std::string_view text);

    // Writes what is buffered, then closes the descriptor. False when any
    // write or the close failed.
    bool Finish();

    bool Failed() const { return FError != 0; }
    // The reader of a pipe has gone: by the convention for pipes the run
    // ends without a word.
    bool PipeClosed() const;
    // The system's reason for the failure.
    std::string Reason() const;

private:
    void Flush();

    static constexpr std::size_t BlockSize = 64 * 1024;

    int FFd;
    std::string FBuffer;
    int FError = 0;
};
