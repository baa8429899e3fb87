#pragma once

#include "analysis/ProfileData.h"

#include <string>

// Reads a profile file into data, which is reset first. Three passes over the
// file, each on a freshly opened stream (header, size, bins), then the
// last-write time. Nothing in the file's content raises an error; a value
// beyond the float range raises EOverflow. File-level problems (the file
// cannot be opened or is no regular file, it has no "# T_peri" line, it
// declares more than MaxProfileBins bins) are recorded in data.Problem and
// leave the bin table empty. A name that is not a regular file is never
// opened, so a pipe or device can neither block nor be disturbed.
void ReadProfile(const std::string& fileName, TProfileData& data);
