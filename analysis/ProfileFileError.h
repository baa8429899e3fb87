#pragma once

#include "analysis/ProfileData.h"
#include "base/Exception.h"

#include <string>

// A profile file that cannot be analysed as a whole: it cannot be opened, it
// has no "# T_peri" line, or it declares more bins than the table holds.
class EProfileFileError : public Exception {
public:
    using Exception::Exception;
};

// The message for the problem the reader recorded in data, naming the file
// as given. Only meaningful when data.Problem is not None.
std::string ProfileFileErrorMessage(const TProfileData& data);
