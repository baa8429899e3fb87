#include "analysis/ProfileFileError.h"

std::string ProfileFileErrorMessage(const TProfileData& data) {
    const std::string quoted = "\"" + data.FileName + "\"";
    switch (data.Problem) {
    case TProfileFileProblem::CannotOpen:
        return "Cannot open " + quoted + ": " + data.ProblemReason;
    case TProfileFileProblem::NoAnchor:
        return quoted + " has no \"# T_peri\" line: not a profile file";
    case TProfileFileProblem::TooManyBins:
        return quoted + " declares " + std::to_string(data.ProfileBins) + " bins; at most " +
               std::to_string(MaxProfileBins) + " are supported";
    case TProfileFileProblem::None:
        break;
    }
    return {};
}
