#include "tools/ReportOptions.h"

#include <charconv>

namespace {

TReportFormat FormatNamed(const std::string& name) {
    if (name == "text")
        return TReportFormat::Text;
    if (name == "tsv")
        return TReportFormat::Tsv;
    if (name == "csv")
        return TReportFormat::Csv;
    if (name == "json")
        return TReportFormat::Json;
    if (name == "jsonl")
        return TReportFormat::Jsonl;
    throw EUsageError("unknown format \"" + name + "\" (text, tsv, csv, json or jsonl)");
}

// A whole decimal number from 1 to max, nothing before or after it.
std::optional<int> CountIn(std::string_view text, int max) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > max)
        return std::nullopt;
    return value;
}

constexpr int MaxJobs = 1024;

int JobsOf(const std::string& value) {
    const std::optional<int> jobs = CountIn(value, MaxJobs);
    if (!jobs)
        throw EUsageError("--jobs needs a number of jobs from 1 to " + std::to_string(MaxJobs) +
                          ", not \"" + value + "\"");
    return *jobs;
}

TReportShard ShardOf(const std::string& value) {
    const std::size_t slash = value.find('/');
    const std::string_view text = value;
    const std::optional<int> count =
        slash == std::string::npos ? std::nullopt : CountIn(text.substr(slash + 1), 1'000'000);
    const std::optional<int> index = count ? CountIn(text.substr(0, slash), *count) : std::nullopt;
    if (!index)
        throw EUsageError("--shard needs K/N with 1 <= K <= N, not \"" + value + "\"");
    return {*index, *count};
}

bool HasHeader(TReportFormat format) {
    return format == TReportFormat::Tsv || format == TReportFormat::Csv;
}

} // namespace

TReportOptions ParseReportOptions(std::vector<std::string> args) {
    TReportOptions options;
    // The names stay in the list given, moved down over the options before
    // them: a survey's names are neither copied nor given fresh memory.
    std::size_t names = 0;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            if (names != i)
                args[names] = std::move(args[i]);
            ++names;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.Help = true;
            continue;
        }
        if (arg == "-0" || arg == "--null") {
            options.NulSeparated = true;
            continue;
        }
        if (arg == "--no-header") {
            options.NoHeader = true;
            continue;
        }
        if (arg == "--measures") {
            options.Measures = true;
            continue;
        }
        if (arg == "--quiet" || arg == "-q") {
            options.Quiet = true;
            continue;
        }
        // --name VALUE or --name=VALUE
        const std::size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        if (name != "--format" && name != "--locale" && name != "--jobs" && name != "-j" &&
            name != "--files-from" && name != "--shard")
            throw EUsageError("unknown option \"" + arg + "\"");
        std::string value;
        if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
        } else {
            if (i + 1 >= args.size())
                throw EUsageError("option " + name + " needs a value");
            value = args[++i];
        }
        if (name == "--format")
            options.Format = FormatNamed(value);
        else if (name == "--locale")
            options.Locale = value;
        else if (name == "--jobs" || name == "-j")
            options.Jobs = JobsOf(value);
        else if (name == "--files-from")
            options.FilesFrom = value;
        else
            options.Shard = ShardOf(value);
    }
    args.resize(names);
    options.Files = std::move(args);
    if (options.Help)
        return options;
    if (options.Files.empty() && !options.FilesFrom)
        throw EUsageError("no profile file given");
    if (options.NoHeader && !HasHeader(options.Format))
        throw EUsageError("--no-header is for the tsv and csv formats, which have a header row");
    if (options.NulSeparated && !options.FilesFrom)
        throw EUsageError("-0 is for the names of --files-from");
    return options;
}

std::string ReportUsage() {
    return R"(Usage: torvane-report [OPTION]... FILE|FOLDER...
       torvane-report [OPTION]... --files-from LIST [FILE|FOLDER...]

Analyses each pulsar profile file (*.torvane*) exactly as the Torvane
analyzer's "Analyze selected Torvane" button does, and prints the results
panel of each, in the order given. Nothing is written anywhere else.

Inputs:
  FILE            a profile file, analysed whatever its name
  FOLDER          searched with every folder below it for the files the
                  window's file list shows: names holding ".torvane" in any
                  case, not starting with "."; links to files are taken, links
                  to folders and folders starting with "." are not entered.
                  Its files come in sorted order (by the bytes of the path)
  --files-from LIST
                  more names, one per line, from the file LIST ("-": standard
                  input), after those of the command line; empty lines are
                  skipped. A folder named there is searched as above
  -0, --null      the names of LIST end with a NUL byte instead of a line
                  feed, so that they may hold line breaks (find -print0)
  --shard K/N     analyse only every N-th input, from the K-th on (K from 1
                  to N): N runs with the same inputs and K = 1..N together
                  analyse every input exactly once, with no coordination

Output:
  --format text   (default) per file, one "label: value" line per box as the
                  analysis fills it, the header lines indented, the number of
                  bin lines, then "Error: ..." if an error ended the analysis
  --format tsv    a header row, then one row per file: the file name, the
                  boxes of the panel and the error (empty when none); tabs and
                  line breaks in a value become blanks
  --format csv    the same table as comma-separated values (RFC 4180: lines
                  end with CR LF, a value holding a comma, a quote or a line
                  break is quoted, quotes doubled)
  --format json   an array with one object per file:
                  {"file": NAME, "controls": {...}, "error": null or MESSAGE};
                  "controls" holds the boxes and lists the analysis wrote, in
                  the order it wrote them, keyed by control name (Edit1,
                  ListBox5, Edit4, ListBox1, Edit5, ...); lists are arrays
  --format jsonl  the same objects, one per line, each written as soon as
                  its file is analysed
  --measures      add the profile measures of each file, computed from the
                  same pulse window and off-pulse mean and deviation:
                  flux (on-pulse sum above the mean), peak (above the mean),
                  w_eq (equivalent width, flux/peak, bins), snr_eq
                  (flux/(stddev*sqrt(w_eq))), snr_on (flux/(stddev*sqrt(bins
                  of the window))), w50 and w10 (widths at 50 % and 10 % of
                  the peak, bins, round the period), duty50 (w50/bins);
                  text: "label: value" lines after the panel, "n/a" when
                  absent; tsv/csv: columns named so after "Error", empty when
                  absent; json/jsonl: "measures": {...} after "controls",
                  null when absent. Up to 9 significant digits
  --no-header     tsv and csv without the header row, for joining shards
  --locale NAME   regional number separators of NAME (en_US, de_DE, ...);
                  default: the system's

Running:
  -j, --jobs N    analyse N files at a time, 1 to 1024 (default: one per
                  processor);
                  the output is the same, byte for byte, for every N
  -q, --quiet     no progress line (shown on standard error only when it is
                  a terminal and the run holds more than 1,000 files)
  -h, --help      this text

An analysis that ends with an error keeps what it wrote up to that point; the
error is printed with the file's results and also on standard error. A folder
that cannot be read is reported on standard error and the run goes on.

Exit status: 0 when every file was analysed, 1 when any analysis ended with an
error or a folder could not be read, 2 for a usage error or a LIST that cannot
be read, 3 when the output could not be written (the reason is printed as
"cannot write output: ..."; a pipe whose reader has gone, as in
"torvane-report ... | head", ends the run without a message).
)";
}
