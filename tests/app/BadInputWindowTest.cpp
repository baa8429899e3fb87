// The window on what real directories hold besides profiles, driven as a user
// drives it: select in the lists, click Analyze, read the error box. Each bad
// input ends in its own message, writes nothing, and the same window then
// analyses a good profile exactly as before; a watchdog turns a hang into a
// failure.

#include "app/Unit2.h"
#include "base/Exception.h"
#include "chart/PlotChart.h"
#include "tests/analysis/ProfileFixture.h"
#include "tests/common/KeepCurrentDirectory.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FileListBox.h"
#include "toolkit/InOutError.h"
#include "toolkit/ListBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

using fixture::TProfileSpec;
namespace fs = std::filesystem;

namespace {

// A reader that blocks (on a pipe, say) ends the test process with a message
// instead of hanging it.
class TWatchdog {
public:
    explicit TWatchdog(unsigned seconds) {
        std::signal(SIGALRM, [](int) {
            static const char text[] = "bad-input case hung: the window blocked\n";
            [[maybe_unused]] const auto written = ::write(2, text, sizeof text - 1);
            ::_exit(3);
        });
        ::alarm(seconds);
    }
    ~TWatchdog() { ::alarm(0); }
    TWatchdog(const TWatchdog&) = delete;
    TWatchdog& operator=(const TWatchdog&) = delete;
};

std::string GoodProfile() {
    TProfileSpec spec;
    std::vector<double> values;
    for (int i = 0; i < 64; ++i)
        values.push_back(i >= 30 && i < 34 ? 100.0 + i : 10.0 + (i * 7 % 5) * 0.5);
    spec.Values = fixture::Texts(values);
    return fixture::ProfileText(spec);
}

using fixture::Garbage;
using fixture::WriteBytes;

// Every entry below dir (links not followed) with its type, mode, size and
// modification time: any write, creation or removal changes it.
void AddSnapshot(const fs::path& dir, const fs::path& under,
                 std::map<std::string, std::string>& entries) {
    std::error_code unreadable; // a folder without permission counts as it stands
    for (const auto& entry : fs::directory_iterator(dir, unreadable)) {
        struct stat st {};
        ::lstat(entry.path().c_str(), &st);
        const fs::path name = under / entry.path().filename();
        entries[name.string()] = std::to_string(st.st_mode) + " " + std::to_string(st.st_size) +
                                 " " + std::to_string(st.st_mtim.tv_sec) + "." +
                                 std::to_string(st.st_mtim.tv_nsec);
        if (S_ISDIR(st.st_mode))
            AddSnapshot(entry.path(), name, entries);
    }
}

std::map<std::string, std::string> Snapshot(const std::string& dir) {
    std::map<std::string, std::string> entries;
    AddSnapshot(dir, {}, entries);
    return entries;
}

std::map<QString, QString> EditTexts(const TForm2& form) {
    std::map<QString, QString> texts;
    for (const TEdit* edit : form.findChildren<TEdit*>())
        texts[edit->objectName()] = edit->text();
    return texts;
}

QStringList Entries(const QListWidget* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

// What the application object's error box shows for an error that escaped a
// handler: the box is read and closed as soon as it is up.
QString ShownInErrorBox(const std::exception& error) {
    QString text = QStringLiteral("<no box>");
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
    ShowExceptionMessage(error);
    return text;
}

// One good profile in a fresh folder, shown in a fresh window and analysed
// once; the texts of that analysis are what every later good analysis must
// give again.
class BadInputWindow : public testing::Test {
protected:
    static constexpr const char* Good = "good.torvane";

    void SetUp() override {
        Dir.Write(Good, GoodProfile());
        Form.DirectoryListBox1->SetDirectory(QString::fromStdString(Dir.Path("")));
        Form.show(); // the file list is filled when first shown
        AnalyzeGood();
        if (HasFatalFailure())
            return;
        GoodTexts = EditTexts(Form);
        GoodHeader = Entries(Form.ListBox5);
        GoodBins = Entries(Form.ListBox1);
        GoodChartItems = Chart1().NumItems();
        ASSERT_GT(GoodChartItems, 0);
    }

    TPlotChart& Chart1() const { return *Form.Control<TPlotChart>("Chart1"); }

    int RowOf(const QListWidget* list, const QString& text) const {
        return static_cast<int>(Entries(list).indexOf(text));
    }

    void Select(const QString& name) {
        const int row = RowOf(Form.FileListBox1, name);
        ASSERT_GE(row, 0) << name.toStdString() << " is not listed";
        Form.FileListBox1->setCurrentRow(row);
        ASSERT_EQ(Form.Edit1->text(), name);
    }

    void AnalyzeGood() {
        Select(QString::fromLatin1(Good));
        ASSERT_TRUE(Form.Button1->isEnabled());
        Form.Button1->click();
    }

    // The window still works: the good profile gives the texts and the plot
    // of the first analysis again, freshly painted.
    void ExpectGoodAnalysisAsBefore() {
        const int paints = Chart1().PaintCount();
        ASSERT_NO_FATAL_FAILURE(AnalyzeGood());
        EXPECT_GT(Chart1().PaintCount(), paints);
        EXPECT_EQ(EditTexts(Form), GoodTexts);
        EXPECT_EQ(Entries(Form.ListBox5), GoodHeader);
        EXPECT_EQ(Entries(Form.ListBox1), GoodBins);
        EXPECT_EQ(Chart1().NumItems(), GoodChartItems);
    }

    // Runs Analyze on what Edit1 names; returns the error box text ("" when
    // no error escaped).
    QString Analyze() {
        try {
            Form.Button1Click();
        } catch (const Exception& e) {
            return ShownInErrorBox(e);
        }
        return {};
    }

    fixture::TTempDir Dir;
    TKeepCurrentDirectory KeepCurrentDirectory;
    TForm2 Form;
    std::map<QString, QString> GoodTexts;
    QStringList GoodHeader;
    QStringList GoodBins;
    int GoodChartItems = 0;
};

// Where the command stops, which decides what the panel shows afterwards.
enum class TStop {
    CannotOpen,  // after Edit4: 26 empty header lines, size 0
    NotAProfile, // after Edit4: the 26 header lines as read, the real size
    WhileReading // inside the reader: only Edit1 is new
};

// Something the user can select, or a selected file that turns into it before
// Analyze is clicked (the list never shows folders, pipes or dangling links).
struct TBadFile {
    const char* Case;
    std::string FileName; // as stored on disk, 8-bit
    bool SwappedAfterSelection;
    // Makes the bad entry at path; may return a check to run after Analyze.
    std::function<std::function<void()>(const std::string& path)> Make;
    std::string Message; // the error's message, 8-bit
    TStop Stop;
    bool ListedOnReload;
    bool NeedsNonRoot = false;
};

std::string NoAnchor(const std::string& name) {
    return "\"" + name + "\" has no \"# T_peri\" line: not a profile file";
}

std::string CannotOpen(const std::string& name, const std::string& reason) {
    return "Cannot open \"" + name + "\": " + reason;
}

auto Writes(std::function<std::string()> content) {
    return [content](const std::string& path) -> std::function<void()> {
        WriteBytes(path, content());
        return {};
    };
}

// A pipe with a writer holding it open and a probe waiting in it: a reader
// that opened it would block for more (the watchdog ends that), and one that
// read it would take the probe away.
std::function<void()> MakeFilledPipe(const std::string& path) {
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::write(fd, "probe", 5), 5);
    return [fd] {
        char buffer[16] = {};
        EXPECT_EQ(::read(fd, buffer, sizeof buffer), 5) << "the pipe was read";
        EXPECT_STREQ(buffer, "probe");
        ::close(fd);
    };
}

const TBadFile BadFiles[] = {
    {"EmptyFile", "empty.torvane", false, Writes([] { return std::string(); }),
     NoAnchor("empty.torvane"), TStop::NotAProfile, true},
    {"BinaryGarbage", "garbage.torvane", false, Writes(Garbage), NoAnchor("garbage.torvane"),
     TStop::NotAProfile, true},
    {"FiftyMegabytesWithoutALineFeed", "oneline.torvane", false,
     Writes([] { return std::string(50u << 20, 'x'); }), NoAnchor("oneline.torvane"),
     TStop::NotAProfile, true},
    {"TwoMillionLinesWithoutTheAnchor", "lines.torvane", false, Writes([] {
         std::string text;
         text.reserve(2'000'000 * 5);
         for (int i = 0; i < 2'000'000; ++i)
             text += "# 1 \n";
         return text;
     }),
     NoAnchor("lines.torvane"), TStop::NotAProfile, true},
    {"LinesThatAreNotUtf8WithoutTheAnchor", "latin1.torvane", false,
     Writes([] { return std::string("# Source = \xe9\xff\xfe\n\x80\x81\n"); }),
     NoAnchor("latin1.torvane"), TStop::NotAProfile, true},
    {"HeaderValueBeyondTheFloatRange", "overflow.torvane", false, Writes([] {
         TProfileSpec spec;
         spec.Values = {"1", "2", "3", "9", "3", "2", "1", "1"};
         spec.Avg = "1e400";
         return fixture::ProfileText(spec);
     }),
     "Floating point overflow", TStop::WhileReading, true},
    {"FileWithoutReadPermission", "locked.torvane", false,
     [](const std::string& path) -> std::function<void()> {
         WriteBytes(path, GoodProfile());
         EXPECT_EQ(::chmod(path.c_str(), 0), 0);
         return {};
     },
     CannotOpen("locked.torvane", "Permission denied"), TStop::CannotOpen, true, true},
    {"FileDeletedAfterSelection", "gone.torvane", true,
     [](const std::string&) -> std::function<void()> { return {}; },
     CannotOpen("gone.torvane", "No such file or directory"), TStop::CannotOpen, false},
    {"FolderMatchingTheMask", "folder.torvane", true,
     [](const std::string& path) -> std::function<void()> {
         fs::create_directory(path);
         return {};
     },
     CannotOpen("folder.torvane", "Is a directory"), TStop::CannotOpen, false},
    {"NamedPipeMatchingTheMask", "pipe.torvane", true, MakeFilledPipe,
     CannotOpen("pipe.torvane", "Not a regular file"), TStop::CannotOpen, false},
    {"SymbolicLinkLoop", "loop.torvane", true,
     [](const std::string& path) -> std::function<void()> {
         fs::create_symlink("loop.torvane", path);
         return {};
     },
     CannotOpen("loop.torvane", "Too many levels of symbolic links"), TStop::CannotOpen, false},
};

void PrintTo(const TBadFile& c, std::ostream* os) {
    *os << c.Case;
}

class BadInputFile : public BadInputWindow, public testing::WithParamInterface<TBadFile> {};

} // namespace

TEST_P(BadInputFile, EndsInItsMessageWritingNothingAndTheWindowGoesOn) {
    const TBadFile& c = GetParam();
    if (c.NeedsNonRoot && ::geteuid() == 0)
        GTEST_SKIP() << "root reads any file, so permission cannot be denied here";
    ASSERT_FALSE(HasFatalFailure());
    const TWatchdog watchdog(20);
    const std::string path = Dir.Path(c.FileName);
    const QString shownName = QString::fromLocal8Bit(c.FileName);

    std::function<void()> check;
    if (c.SwappedAfterSelection)
        WriteBytes(path, GoodProfile());
    else
        check = c.Make(path);
    Form.FileListBox1->Update();
    Select(shownName);
    if (c.SwappedAfterSelection) {
        fs::remove(path);
        check = c.Make(path);
    }
    const auto before = Snapshot(Dir.Path(""));

    const QString shown = Analyze();
    // Every message here ends in a letter, so the box adds a full stop.
    EXPECT_EQ(shown, QString::fromLocal8Bit(c.Message + "."));
    if (check)
        check();

    EXPECT_EQ(Form.Edit1->text(), QString::fromLocal8Bit(c.FileName));
    const QStringList header = Entries(Form.ListBox5);
    switch (c.Stop) {
    case TStop::CannotOpen:
        EXPECT_EQ(header, QStringList(26, QString()));
        EXPECT_EQ(Form.Edit4->text(), "0");
        break;
    case TStop::NotAProfile:
        EXPECT_EQ(header.size(), 26);
        EXPECT_EQ(Form.Edit4->text().toLongLong(), static_cast<long long>(fs::file_size(path)));
        break;
    case TStop::WhileReading:
        EXPECT_EQ(header, GoodHeader);
        EXPECT_EQ(Form.Edit4->text(), GoodTexts.at("Edit4"));
        break;
    }
    // Everything after the stopping point keeps the last good analysis.
    auto texts = EditTexts(Form);
    auto expected = GoodTexts;
    texts.erase("Edit1");
    expected.erase("Edit1");
    texts.erase("Edit4");
    expected.erase("Edit4");
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(Entries(Form.ListBox1), GoodBins);
    EXPECT_EQ(Chart1().NumItems(), GoodChartItems);

    // Entering the folder again lists what it holds; folders, pipes and
    // dangling links never appear among the files.
    Form.DirectoryListBox1->SetDirectory(QString::fromStdString(Dir.Path("")));
    EXPECT_EQ(RowOf(Form.FileListBox1, shownName) >= 0, c.ListedOnReload);
    ExpectGoodAnalysisAsBefore();
    EXPECT_EQ(Snapshot(Dir.Path("")), before);
}

INSTANTIATE_TEST_SUITE_P(BadInput, BadInputFile, testing::ValuesIn(BadFiles),
                         [](const testing::TestParamInfo<TBadFile>& info) {
                             return std::string(info.param.Case);
                         });

// Lines whose bytes are not UTF-8 are text like any other: the profile is
// analysed, and the list and the name show replacement characters.
TEST_F(BadInputWindow, ProfileWithLinesThatAreNotUtf8IsAnalysed) {
    ASSERT_FALSE(HasFatalFailure());
    const std::string text = fixture::NotUtf8ProfileText();
    Dir.Write("bytes.torvane", text);
    Form.FileListBox1->Update();
    Select("bytes.torvane");
    const auto before = Snapshot(Dir.Path(""));

    EXPECT_EQ(Analyze(), "");
    EXPECT_EQ(Form.Edit2->text(), QString::fromUtf8(" J\uFFFD\uFFFD"));
    EXPECT_EQ(Form.ListBox5->item(24)->text(),
              QString::fromUtf8("# Comment          =  \uFFFD(\uFFFD\uFFFD"));
    EXPECT_EQ(Form.Edit6->text(), "50");
    EXPECT_EQ(Form.ListBox1->count(), 64);

    ExpectGoodAnalysisAsBefore();
    EXPECT_EQ(Snapshot(Dir.Path("")), before);
}

// A name whose bytes are no valid UTF-8 is shown with replacement
// characters, and Analyze opens the very file by its bytes.
TEST_F(BadInputWindow, ProfileNamedInBytesThatAreNotUtf8IsAnalysed) {
    ASSERT_FALSE(HasFatalFailure());
    const std::string name = "pulsar-\xe9\xff.torvane";
    Dir.Write(name, GoodProfile());
    Form.FileListBox1->Update();
    Select(QString::fromUtf8("pulsar-\uFFFD\uFFFD.torvane"));

    EXPECT_EQ(Analyze(), "");
    EXPECT_EQ(Form.Edit1->text(), QString::fromUtf8("pulsar-\uFFFD\uFFFD.torvane"));
    // The same profile as the good one: the same texts but the file's time.
    auto texts = EditTexts(Form);
    auto expected = GoodTexts;
    for (const char* differs : {"Edit1", "Edit3"}) {
        texts.erase(differs);
        expected.erase(differs);
    }
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(Entries(Form.ListBox1), GoodBins);
}

namespace {

// A subdirectory that the directory list shows but that cannot be entered.
struct TBadDirectory {
    const char* Case;
    std::string Name; // as stored on disk, 8-bit
    std::function<void(const std::string& path)> Make;
    std::string Message;
    bool NeedsNonRoot = false;
};

const TBadDirectory BadDirectories[] = {
    {"DirectoryWithoutPermission", "locked",
     [](const std::string& path) {
         fs::create_directory(path);
         EXPECT_EQ(::chmod(path.c_str(), 0), 0);
     },
     "Permission denied", true},
    // Shown with replacement characters, the name no longer names it.
    {"DirectoryNamedInBytesThatAreNotUtf8", "dir-\xe9\xff",
     [](const std::string& path) { fs::create_directory(path); }, "No such file or directory"},
};

void PrintTo(const TBadDirectory& c, std::ostream* os) {
    *os << c.Case;
}

class BadInputDirectory : public BadInputWindow,
                          public testing::WithParamInterface<TBadDirectory> {};

void PressEnter(QWidget& widget) {
    QKeyEvent event(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

TEST_P(BadInputDirectory, EnteringItShowsItsMessageAndEveryListStays) {
    const TBadDirectory& c = GetParam();
    if (c.NeedsNonRoot && ::geteuid() == 0)
        GTEST_SKIP() << "root enters any directory, so permission cannot be denied here";
    ASSERT_FALSE(HasFatalFailure());
    const TWatchdog watchdog(20);
    const std::string path = Dir.Path(c.Name);
    c.Make(path);
    Form.DirectoryListBox1->SetDirectory(QString::fromStdString(Dir.Path("")));
    const QStringList dirLines = Entries(Form.DirectoryListBox1);
    const QStringList fileLines = Entries(Form.FileListBox1);
    const QString folder = Form.DirectoryListBox1->Directory();
    const auto before = Snapshot(Dir.Path(""));

    const int row = RowOf(Form.DirectoryListBox1, QString::fromLocal8Bit(c.Name));
    ASSERT_GE(row, 0);
    Form.DirectoryListBox1->setCurrentRow(row);
    QString shown = QStringLiteral("<no error>");
    try {
        PressEnter(*Form.DirectoryListBox1);
    } catch (const EInOutError& e) {
        shown = ShownInErrorBox(e);
    }
    EXPECT_EQ(shown, QString::fromLocal8Bit(c.Message + "."));
    EXPECT_EQ(Form.DirectoryListBox1->Directory(), folder);
    EXPECT_EQ(Entries(Form.DirectoryListBox1), dirLines);
    EXPECT_EQ(Form.FileListBox1->Directory(), folder);
    EXPECT_EQ(Entries(Form.FileListBox1), fileLines);
    EXPECT_EQ(Form.Edit1->text(), "*.torvane*");
    EXPECT_EQ(fs::canonical(fs::current_path()), fs::canonical(Dir.Path("")));

    ExpectGoodAnalysisAsBefore();
    EXPECT_EQ(Snapshot(Dir.Path("")), before);
    ::chmod(path.c_str(), 0755); // so that the folder can be removed
}

INSTANTIATE_TEST_SUITE_P(BadInput, BadInputDirectory, testing::ValuesIn(BadDirectories),
                         [](const testing::TestParamInfo<TBadDirectory>& info) {
                             return std::string(info.param.Case);
                         });

// A link back to its own folder is entered like any folder and leads back to
// it; a loop of dangling links appears in neither list. Nothing walks a tree,
// so neither can make the window run in circles.
TEST_F(BadInputWindow, SymbolicLinkLoopsUnderTheCurrentDirectory) {
    ASSERT_FALSE(HasFatalFailure());
    const TWatchdog watchdog(20);
    fs::create_directory_symlink(".", Dir.Path("cycle"));
    fs::create_symlink("knot2.torvane", Dir.Path("knot1.torvane"));
    fs::create_symlink("knot1.torvane", Dir.Path("knot2.torvane"));
    Form.DirectoryListBox1->SetDirectory(QString::fromStdString(Dir.Path("")));
    const QString folder = Form.DirectoryListBox1->Directory();
    const auto before = Snapshot(Dir.Path(""));
    EXPECT_EQ(RowOf(Form.DirectoryListBox1, "knot1.torvane"), -1);
    EXPECT_EQ(Entries(Form.FileListBox1), QStringList{Good});

    for (int pass = 0; pass < 3; ++pass) {
        const int row = RowOf(Form.DirectoryListBox1, "cycle");
        ASSERT_GE(row, 0);
        Form.DirectoryListBox1->setCurrentRow(row);
        PressEnter(*Form.DirectoryListBox1);
        EXPECT_EQ(Form.DirectoryListBox1->Directory(), folder);
        EXPECT_EQ(Entries(Form.FileListBox1), QStringList{Good});
    }

    ExpectGoodAnalysisAsBefore();
    EXPECT_EQ(Snapshot(Dir.Path("")), before);
}
