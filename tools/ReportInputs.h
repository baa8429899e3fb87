#pragma once

#include "base/Exception.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Whether a file list of the window would show the name: it holds ".torvane"
// in any case (the mask "*.torvane*") and does not start with ".".
bool MatchesProfileMask(std::string_view name);

// A list of names that cannot be read; exit status 2.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// The names of a list file ("-": standard input), one per line or, with
// nulSeparated, each ended by a NUL byte; empty names are skipped. Raises
// EListError.
std::vector<std::string> ReadNameList(const std::string& path, bool nulSeparated);

// A problem met on the way; the search goes on.
using TInputProblem = std::function<void(const std::string& message)>;

// The inputs of the run: each name as given, except that a folder (a link to
// one included) stands for the profile files found in it and every folder
// below it, in byte order of their paths. Links to files are taken like
// files; links to folders below the top are not entered, so a search never
// loops or finds a file twice through them. A folder that cannot be read is
// reported with its reason and left out; so is a folder with no profile.
// A long run of names in one folder is told apart from folders by the
// folder's listing where it settles them (each name ends as stat makes it);
// with jobs above 1 the other names are asked about on two threads.
std::vector<std::string> ExpandInputs(std::vector<std::string> names, const TInputProblem& problem,
                                      const TInputProblem& note, int jobs = 1);

// The k-th (from 1) of n interleaved parts: inputs k-1, k-1+n, k-1+2n, ...
std::vector<std::string> ShardOf(std::vector<std::string> inputs, int k, int n);
