#pragma once

// Small profile files written by the tests themselves, in a temporary folder.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace fixture {

// A fresh folder under the test temporary folder, removed with the object.
class TTempDir {
public:
    explicit TTempDir(const std::string& base = testing::TempDir()) {
        std::string pattern = base + "/torvane-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            ADD_FAILURE() << "mkdtemp failed for " << pattern;
        FPath = pattern;
    }
    ~TTempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    std::string Path(const std::string& name) const { return (FPath / name).string(); }

    std::string Write(const std::string& name, const std::string& content) const {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

private:
    std::filesystem::path FPath;
};

// A header line as the suite writes it: the key in columns 1-19, "=" in
// column 20 and the value from column 23.
inline std::string HeaderLine(const std::string& key, const std::string& value) {
    std::string line = key;
    line.resize(19, ' ');
    return line + "=  " + value;
}

// A bin line: the number right-aligned in columns 1-4, two blanks, the value.
inline std::string BinLine(int number, const std::string& value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%4d", number);
    return std::string(buffer) + "  " + value;
}

struct TProfileSpec {
    std::vector<std::string> Values; // bin values as written
    int FirstNumber = 0;
    std::string InputFile = "J0000+0000_DM10.00.dat";
    std::optional<std::string> Bins; // declared count; default: Values.size()
    std::optional<std::string> Avg = "0";
    std::optional<std::string> StdDev = "1";
    bool Anchor = true;
    std::string LineEnd = "\n";
};

// 26 header lines ending with the anchor, a separator line, the bin lines.
// A key given as nullopt is replaced by a comment line.
inline std::string ProfileText(const TProfileSpec& spec) {
    const auto keyed = [](const char* key, const std::optional<std::string>& value) {
        return value ? HeaderLine(key, *value) : HeaderLine("# Comment", "none");
    };
    std::vector<std::string> lines = {
        HeaderLine("# Source", "test"),
        HeaderLine("# Input file", spec.InputFile),
        HeaderLine("# Telescope", "Effelsberg"),
        HeaderLine("# Backend", "PSRIX"),
        HeaderLine("# Centre freq (MHz)", "1400.0"),
        HeaderLine("# Bandwidth (MHz)", "200.0"),
        HeaderLine("# Channels", "512"),
        HeaderLine("# Sample time (us)", "64.0"),
        HeaderLine("# Obs length (s)", "1800"),
        HeaderLine("# DM (pc/cm3)", "10.00"),
        HeaderLine("# Period (s)", "0.5"),
        HeaderLine("# RA (J2000)", "00:00:00.0"),
        HeaderLine("# Dec (J2000)", "+00:00:00"),
        HeaderLine("# Obs date (MJD)", "58000.0"),
        HeaderLine("# Sub-integrations", "30"),
        HeaderLine("# Polarisation", "I"),
        HeaderLine("# Folding", "ephemeris"),
        keyed("# Profile Bins", spec.Bins ? spec.Bins : std::to_string(spec.Values.size())),
        keyed("# Profile Avg", spec.Avg),
        keyed("# Profile StdDev", spec.StdDev),
        HeaderLine("# Profile Min", "0"),
        HeaderLine("# Profile Max", "0"),
        HeaderLine("# Software", "ZELMAR 2.1"),
        HeaderLine("# Observer", "test"),
        HeaderLine("# Comment", "fixture"),
        spec.Anchor ? HeaderLine("# T_peri", "58000.123456") : HeaderLine("# Comment", "end"),
    };
    lines.push_back("#-------------------------------------");
    for (std::size_t i = 0; i < spec.Values.size(); ++i)
        lines.push_back(BinLine(spec.FirstNumber + static_cast<int>(i), spec.Values[i]));
    std::string text;
    for (const std::string& line : lines)
        text += line + spec.LineEnd;
    return text;
}

inline std::vector<std::string> Texts(const std::vector<double>& values) {
    std::vector<std::string> texts;
    for (double v : values) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.6g", v);
        texts.emplace_back(buffer);
    }
    return texts;
}

// Bytes written as they stand, with no text conversion.
inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// 64 KiB of pseudo-random bytes, the same on every run.
inline std::string Garbage() {
    std::string bytes;
    std::uint32_t x = 12345;
    for (int i = 0; i < 64 * 1024; ++i) {
        x = x * 1664525u + 1013904223u;
        bytes += static_cast<char>(x >> 24);
    }
    return bytes;
}

// A small valid profile whose lines hold bytes that are not UTF-8: the input
// file name in the header (pulsar name " J\xe9\xff") and the comment line.
inline std::string NotUtf8ProfileText() {
    TProfileSpec spec;
    for (int i = 0; i < 64; ++i)
        spec.Values.push_back(i == 30 ? "50" : (i % 2 ? "11" : "10"));
    spec.Values[29] = "12";
    spec.Values[31] = "13";
    spec.InputFile = "J\xe9\xff_DM1.0.dat";
    std::string text = ProfileText(spec);
    const std::string comment = "fixture";
    text.replace(text.find(comment), comment.size(), "\xc3\x28\xa0\xa1");
    return text;
}

} // namespace fixture
