#include "tools/ReportInputs.h"

#include "base/SystemError.h"
#include "tools/ReportThreads.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
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

// What follows a name's last "/", or the whole name.
std::string_view LastPartOf(std::string_view name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

// A name's folder as opendir takes it: "d/f" gives "d", "f" gives ".", "/f"
// gives "/". False for a name whose last part is empty, "." or "..", which a
// folder's listing does not settle.
bool SplitName(std::string_view name, std::string_view& folder) {
    const std::string_view last = LastPartOf(name);
    if (last.empty() || last == "." || last == "..")
        return false;
    const std::size_t slash = name.size() - last.size() - 1; // when there is one
    folder = last.size() == name.size() ? std::string_view(".")
             : slash == 0               ? std::string_view("/")
                                        : name.substr(0, slash);
    return true;
}

// A listing costs a tenth of asking about each name (a few hundred
// nanoseconds an entry against some microseconds a stat here): worth it for
// a run of names in one folder, as a shell's "*.torvane" or a list made by
// find gives.
constexpr std::size_t ListingWorthwhile = 256;
// Entries read at most per name sought, so that a few names in a huge
// folder never cost more than asking about each.
constexpr std::size_t ListingEntriesPerName = 8;

// The last parts of names[from, to), looked up by an entry's name: open
// addressing over the names' indices, a few pages for the whole table where a
// node per name would touch many fresh ones (each fresh page faults).
class TLastParts {
public:
    static constexpr std::uint32_t Empty = 0xffffffff;

    TLastParts(const std::vector<std::string>& names, std::size_t from, std::size_t to)
        : FNames(names) {
        std::size_t room = 16;
        while (room < (to - from) + (to - from) / 2)
            room *= 2;
        FSlots.assign(room, Empty);
        for (std::size_t i = from; i < to; ++i) {
            std::uint32_t& slot = FSlots[Find(LastPartOf(names[i]))];
            if (slot == Empty) { // the first of names given twice stands for both
                slot = static_cast<std::uint32_t>(i);
                ++FCount;
            }
        }
    }
    // The slot of the name, or of the room where it would go.
    std::size_t Find(std::string_view last) const {
        const std::size_t mask = FSlots.size() - 1;
        std::size_t k = std::hash<std::string_view>{}(last)&mask;
        while (FSlots[k] != Empty && LastPartOf(FNames[FSlots[k]]) != last)
            k = (k + 1) & mask;
        return k;
    }
    bool Holds(std::size_t slot) const { return FSlots[slot] != Empty; }
    std::size_t Room() const { return FSlots.size(); }
    std::size_t Count() const { return FCount; } // names told apart

private:
    const std::vector<std::string>& FNames;
    std::vector<std::uint32_t> FSlots;
    std::size_t FCount = 0;
};

// Settles, from their folder's listing, which of names[from, to) (all in
// that folder) are no folder: an entry listed as a regular file (or a pipe, a
// socket, a device) is none, whatever stat would add. Folders, links and
// entries of unknown or no kind are left to stat, as are names the listing
// does not show: a folder one may list but not enter is a folder to the
// listing and nothing to stat.
void NoFoldersFromListing(const std::string& folder, const std::vector<std::string>& names,
                          std::size_t from, std::size_t to, std::vector<char>& settled) {
    const std::unique_ptr<DIR, TDirCloser> dir(::opendir(folder.c_str()));
    if (!dir)
        return;
    const TLastParts parts(names, from, to);
    constexpr unsigned char Unseen = 0xff; // no d_type has this value
    std::vector<unsigned char> kinds(parts.Room(), Unseen);
    const std::size_t most = ListingEntriesPerName * (to - from) + 1024;
    std::size_t seen = 0;
    for (std::size_t read = 0; seen < parts.Count() && read < most; ++read) {
        const dirent* entry = ::readdir(dir.get());
        if (!entry)
            break; // an error too: stat asks about what is left
        const std::size_t slot = parts.Find(entry->d_name);
        if (parts.Holds(slot) && kinds[slot] == Unseen) {
            kinds[slot] = entry->d_type;
            ++seen;
        }
    }
    for (std::size_t i = from; i < to; ++i) {
        switch (kinds[parts.Find(LastPartOf(names[i]))]) {
        case DT_REG:
        case DT_FIFO:
        case DT_SOCK:
        case DT_CHR:
        case DT_BLK:
            settled[i] = true;
            break;
        default:
            break;
        }
    }
}

// Names whose runs of one folder are long enough are settled from listings.
void SettleFromListings(const std::vector<std::string>& names, std::vector<char>& settled) {
    if (names.size() >= TLastParts::Empty)
        return; // beyond the table's indices: each is asked
    std::string_view runFolder;
    std::size_t runStart = 0;
    const auto endRun = [&](std::size_t end) {
        if (end - runStart >= ListingWorthwhile)
            NoFoldersFromListing(std::string(runFolder), names, runStart, end, settled);
    };
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string_view folder;
        if (!SplitName(names[i], folder)) {
            endRun(i);
            runFolder = {};
            runStart = i + 1;
        } else if (i == runStart || folder != runFolder) {
            endRun(i);
            runFolder = folder;
            runStart = i;
        }
    }
    endRun(names.size());
}

// Which names are folders. A survey's list of names can run to millions, and
// asking the file system about each is most of what a report does before its
// first analysis: runs of names in one folder are settled from its listing
// where it can, and with more than one job the second half of the rest is
// asked on a thread of its own.
std::vector<char> FoldersAmong(const std::vector<std::string>& names, int jobs) {
    std::vector<char> folder(names.size());
    std::vector<char> settled(names.size()); // known to be no folder
    SettleFromListings(names, settled);
    const auto classify = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            if (!settled[i])
                folder[i] = IsFolder(names[i]);
    };
    constexpr std::size_t Worthwhile = 2048;
    const auto asked = static_cast<std::size_t>(std::count(settled.begin(), settled.end(), 0));
    if (asked < Worthwhile || jobs < 2) {
        classify(0, names.size());
        return folder;
    }
    // Halves of the names still asked about, so that each thread asks as many.
    std::size_t half = 0;
    for (std::size_t counted = 0; counted < asked / 2; ++half)
        counted += !settled[half];
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
    const std::vector<char> folders = FoldersAmong(names, jobs);
    if (std::find(folders.begin(), folders.end(), 1) == folders.end())
        return names; // no folder: the names are the inputs
    std::vector<std::string> inputs;
    inputs.reserve(names.size());
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
