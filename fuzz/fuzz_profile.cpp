// libFuzzer target: any file content through the reader, the statistics and
// the panel composition. The command must end normally or with its recorded
// error; a crash, a sanitizer report or an escaping exception is a finding.
#include "analysis/AnalysisCommand.h"
#include "analysis/ProfileData.h"
#include "base/FormatSettings.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// The reader works on a named file, so each input is written to one; /dev/shm
// keeps that off the disk where it exists.
const std::string& InputPath() {
    static const std::string path = [] {
        const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(dir) + "/fuzz_profile_" + std::to_string(getpid()) + ".torvane";
    }();
    return path;
}

bool WriteInput(const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(InputPath().c_str(), "wb");
    if (f == nullptr)
        return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!WriteInput(data, size))
        std::abort();
    // The record is reused, as in the window, so a stale value would show.
    static TProfileData profile;
    static const FormatSettings comma{",", "."};
    static const FormatSettings dot{".", ","};
    const FormatSettings& format = size % 2 == 0 ? comma : dot;
    const TAnalysisResult result = RunAnalysisCommand(InputPath(), profile, format);
    // An error always carries its message, and a run without one writes the panel.
    if ((result.Error != nullptr) != !result.ErrorMessage.empty())
        std::abort();
    if (result.Error == nullptr && result.Writes.empty())
        std::abort();
    return 0;
}
