#include "tools/ReportInputs.h"

#include "base/SystemError.h"
#include "tools/ReportThreads.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

struct TDirCloser {
    void operator()(DIR* d) const { ::closedir(d); }
};

enum class TEntryKind { Other, File, Folder };

// Links followed for the kind, but a link to a folder counts as other: the
// search does not enter it.
TEntryKind KindOf(DIR* folder, const dirent& entry) {
    if (entry.d_type == DT_REG)
        return TEntryKind::File;
    if (entry.d_type == DT_DIR)
        return TEntryKind::Folder;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return TEntryKind::Other;
    struct stat st {};
    if (::fstatat(::dirfd(folder), entry.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return TEntryKind::Other;
    if (S_ISDIR(st.st_mode))
        return TEntryKind::Folder;
    if (S_ISLNK(st.st_mode) && ::fstatat(::dirfd(folder), entry.d_name, &st, 0) != 0)
        return TEntryKind::Other; // dangling or looping
    return S_ISREG(st.st_mode) ? TEntryKind::File : TEntryKind::Other;
}

std::string Joined(const std::string& folder, const char* name) {
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path += name;
}

// Room in the list for as many names as the folder could hold, guessed from
// its size (some tens of bytes an entry): room not used is never touched and
// costs nothing, while a list that grows as it fills is copied again and
// again into fresh memory, and every fresh page costs a fault.
void MakeRoomFor(DIR* folder, std::vector<std::string>& found) {
    struct stat st {};
    if (::fstat(::dirfd(folder), &st) != 0 || st.st_size <= 0)
        return;
    const std::size_t room = static_cast<std::size_t>(st.st_size) / 16;
    if (found.capacity() - found.size() >= room)
        return;
    try {
        found.reserve(std::max(found.size() + room, 2 * found.capacity()));
    } catch (const std::bad_alloc&) {
        // Only a guess: the list grows as it fills instead.
    }
}

// Every profile under top, in no particular order.
void Search(const std::string& top, std::vector<std::string>& found, const TInputProblem& problem) {
    std::vector<std::string> pending = {top};
    while (!pending.empty()) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        const std::unique_ptr<DIR, TDirCloser> dir(::opendir(folder.c_str()));
        if (!dir) {
            const std::string reason = SystemErrorText(errno);
            problem("cannot read folder \"" + folder + "\": " + reason);
            continue;
        }
        MakeRoomFor(dir.get(), found);
        for (;;) {
            errno = 0;
            const dirent* entry = ::readdir(dir.get());
            if (!entry) {
                if (errno != 0) {
                    const std::string reason = SystemErrorText(errno);
                    problem("cannot read folder \"" + folder + "\": " + reason);
                }
                break;
            }
            if (entry->d_name[0] == '.')
                continue; // hidden, and "." and ".."
            switch (KindOf(dir.get(), *entry)) {
            case TEntryKind::Folder:
                pending.push_back(Joined(folder, entry->d_name));
                break;
            case TEntryKind::File:
                if (MatchesProfileMask(entry->d_name))
                    found.push_back(Joined(folder, entry->d_name));
                break;
            case TEntryKind::Other:
                break;
            }
        }
    }
}

bool IsFolder(const std::string& name) {
    struct stat st {};
    return ::stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Which names are folders. A survey's list of names can run to millions, and
// asking the file system about each is most of what a report does before its
// first analysis, so with more than one job the second half is asked on a
// thread of its own.
std::vector<char> FoldersAmong(const std::vector<std::string>& names, int jobs) {
    std::vector<char> folder(names.size());
    const auto classify = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            folder[i] = IsFolder(names[i]);
    };
    constexpr std::size_t Worthwhile = 2048;
    if (names.size() < Worthwhile || jobs < 2) {
        classify(0, names.size());
        return folder;
    }
    const std::size_t half = names.size() / 2;
    {
        const TSideThread second([&] { classify(half, names.size()); });
        classify(0, half);
    }
    return folder;
}

} // namespace

bool MatchesProfileMask(std::string_view name) {
    constexpr std::string_view mark = ".torvane";
    if (name.empty() || name.front() == '.')
        return false;
    const auto same = [](char a, char b) { return Lower(a) == b; };
    return std::search(name.begin(), name.end(), mark.begin(), mark.end(), same) != name.end();
}

std::vector<std::string> ReadNameList(const std::string& path, bool nulSeparated) {
    const bool standardInput = path == "-";
    const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const auto fail = [&](int error) {
        return EListError("cannot read the list \"" + path + "\": " + SystemErrorText(error));
    };
    if (fd < 0)
        throw fail(errno);
    std::vector<std::string> names;
    std::string name;
    const char end = nulSeparated ? '\0' : '\n';
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            if (!standardInput)
                ::close(fd);
            throw fail(error);
        }
        if (got == 0)
            break;
        for (const char c : std::string_view(buffer, static_cast<std::size_t>(got))) {
            if (c != end) {
                name += c;
            } else if (!name.empty()) {
                names.push_back(std::move(name));
                name.clear();
            }
        }
    }
    if (!standardInput)
        ::close(fd);
    if (!name.empty())
        names.push_back(std::move(name)); // the last name needs no ending
    return names;
}

std::vector<std::string> ExpandInputs(std::vector<std::string> names, const TInputProblem& problem,
                                      const TInputProblem& note, int jobs) {
    std::vector<std::string> inputs;
    inputs.reserve(names.size());
    const std::vector<char> folders = FoldersAmong(names, jobs);
    for (std::size_t n = 0; n < names.size(); ++n) {
        std::string& name = names[n];
        if (!folders[n]) {
            inputs.push_back(std::move(name));
            continue;
        }
        std::vector<std::string> found;
        Search(name, found, problem);
        if (found.empty())
            note("no profile files (*.torvane*) in \"" + name + "\"");
        // std::string orders by unsigned bytes, as "LC_ALL=C sort" does.
        std::sort(found.begin(), found.end());
        if (inputs.empty()) {
            // Usually the run's only folder: its list becomes the inputs, not
            // copied into a second list of the same size.
            inputs = std::move(found);
            inputs.reserve(inputs.size() + (names.size() - n - 1));
            continue;
        }
        inputs.insert(inputs.end(), std::make_move_iterator(found.begin()),
                      std::make_move_iterator(found.end()));
    }
    return inputs;
}

std::vector<std::string> ShardOf(std::vector<std::string> inputs, int k, int n) {
    if (n <= 1)
        return inputs;
    std::vector<std::string> part;
    part.reserve(inputs.size() / static_cast<std::size_t>(n) + 1);
    for (std::size_t i = static_cast<std::size_t>(k - 1); i < inputs.size();
         i += static_cast<std::size_t>(n))
        part.push_back(std::move(inputs[i]));
    return part;
}
