// Opening a folder or a profile from outside the window, by a path or by a
// drop: the window must end up as the user's own clicks would leave it, and
// a path it cannot open is explained without leaving a half-done state.
#include "app/OpenPath.h"
#include "app/CommandLine.h"
#include "app/Unit2.h"
#include "base/Exception.h"
#include "chart/PlotChart.h"
#include "tests/analysis/ProfileFixture.h"
#include "tests/common/KeepCurrentDirectory.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/DriveComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FileListBox.h"
#include "toolkit/ListBox.h"
#include "toolkit/Volumes.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

// Messages show as text when an expectation fails.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

std::string PulseProfile(double height) {
    fixture::TProfileSpec spec;
    std::vector<double> values;
    for (int i = 0; i < 64; ++i)
        values.push_back(i >= 30 && i < 34 ? height + i : 10.0 + (i * 7 % 5) * 0.5);
    spec.Values = fixture::Texts(values);
    return fixture::ProfileText(spec);
}

QStringList Entries(const QListWidget* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

// Everything a user reads in the window after an analysis, and where the
// browser stands.
struct TWindowState {
    std::map<QString, QString> Edits;
    QStringList Header, Bins, Files;
    int SelectedFile = -1;
    QString Directory, CurrentDirectory;
    QChar Drive;
    bool AnalyzeEnabled = false;
    QImage Chart1, Chart2;
};

void ExpectSameWindow(const TWindowState& actual, const TWindowState& expected) {
    EXPECT_EQ(actual.Edits, expected.Edits);
    EXPECT_EQ(actual.Header, expected.Header);
    EXPECT_EQ(actual.Bins, expected.Bins);
    EXPECT_EQ(actual.Files, expected.Files);
    EXPECT_EQ(actual.SelectedFile, expected.SelectedFile);
    EXPECT_EQ(actual.Directory, expected.Directory);
    EXPECT_EQ(actual.CurrentDirectory, expected.CurrentDirectory);
    EXPECT_EQ(actual.Drive, expected.Drive);
    EXPECT_EQ(actual.AnalyzeEnabled, expected.AnalyzeEnabled);
    EXPECT_TRUE(actual.Chart1 == expected.Chart1);
    EXPECT_TRUE(actual.Chart2 == expected.Chart2);
}

TWindowState StateOf(const TForm2& form) {
    TWindowState state;
    for (const TEdit* edit : form.findChildren<TEdit*>())
        state.Edits[edit->objectName()] = edit->text();
    state.Header = Entries(form.ListBox5);
    state.Bins = Entries(form.ListBox1);
    state.Files = Entries(form.FileListBox1);
    const QList<QListWidgetItem*> selected = form.FileListBox1->selectedItems();
    state.SelectedFile = selected.isEmpty() ? -1 : form.FileListBox1->row(selected.front());
    state.Directory = form.DirectoryListBox1->Directory();
    state.CurrentDirectory = QDir::currentPath();
    state.Drive = form.DriveComboBox1->Drive();
    state.AnalyzeEnabled = form.Button1->isEnabled();
    state.Chart1 = form.Control<TPlotChart>("Chart1")->SurfaceImage();
    state.Chart2 = form.Control<TPlotChart>("Chart2")->SurfaceImage();
    return state;
}

// Runs `action`; returns the text of the error box it shows ("" for none),
// closing the box as soon as it is up.
QString ErrorBoxOf(const std::function<void()>& action) {
    QString text;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
    closer.start(0);
    action();
    QApplication::processEvents();
    return text;
}

// A folder of profiles, in a fresh window that starts somewhere else.
class OpenPathTest : public testing::Test {
protected:
    void SetUp() override {
        Dir.Write("p1.torvane", PulseProfile(100));
        Dir.Write("p2.torvane", PulseProfile(300));
        fixture::TProfileSpec flat;
        flat.Values = std::vector<std::string>(64, "10");
        Dir.Write("flat.torvane", fixture::ProfileText(flat));
        Dir.Write("notes.txt", PulseProfile(100));
        Dir.Write(".hidden.torvane", PulseProfile(100));
        ASSERT_EQ(::mkfifo(Dir.Path("pipe.torvane").c_str(), 0600), 0);
        std::filesystem::create_directory(Dir.Path("sub"));
        Folder = QFileInfo(QString::fromStdString(Dir.Path(""))).canonicalFilePath();
        Form.show();
        QApplication::processEvents(); // the charts' first paint
        Start = StateOf(Form);
        ASSERT_NE(Start.Directory, Folder);
    }

    QString InFolder(const char* name) const { return Folder + u'/' + QLatin1String(name); }

    // The window of a user who enters the folder, clicks the file and Analyze.
    TWindowState ByClicks(const QString& name) {
        TForm2 form;
        form.show();
        form.DirectoryListBox1->SetDirectory(Folder);
        form.FileListBox1->setCurrentRow(
            static_cast<int>(Entries(form.FileListBox1).indexOf(name)));
        form.Button1->click();
        return StateOf(form);
    }

    fixture::TTempDir Dir;
    QString Folder;
    TKeepCurrentDirectory KeepCurrentDirectory;
    TForm2 Form;
    TWindowState Start;
};

TEST_F(OpenPathTest, AProfileIsSelectedAndAnalysedInItsFolderAsByClicks) {
    OpenPath(Form, InFolder("p2.torvane"));
    const TWindowState opened = StateOf(Form);
    EXPECT_EQ(opened.Directory, Folder);
    EXPECT_EQ(opened.CurrentDirectory, Folder);
    EXPECT_EQ(opened.Files, QStringList({"flat.torvane", "p1.torvane", "p2.torvane"}));
    EXPECT_EQ(opened.SelectedFile, 2);
    EXPECT_EQ(opened.Edits.at("Edit1"), "p2.torvane");
    EXPECT_TRUE(opened.AnalyzeEnabled);
    EXPECT_TRUE(Start.Edits.at("Edit4").isEmpty());
    EXPECT_FALSE(opened.Edits.at("Edit4").isEmpty());
    EXPECT_EQ(opened.Bins.size(), 64);
    EXPECT_FALSE(opened.Chart1 == Start.Chart1);
    ExpectSameWindow(opened, ByClicks("p2.torvane"));
}

TEST_F(OpenPathTest, ARelativePathIsTakenFromTheCurrentDirectory) {
    QDir::setCurrent(Folder + "/sub");
    OpenPath(Form, "../p1.torvane");
    const TWindowState opened = StateOf(Form);
    ExpectSameWindow(opened, ByClicks("p1.torvane"));
}

TEST_F(OpenPathTest, AFolderOpensTheBrowserThereWithNothingSelected) {
    OpenPath(Form, Folder);
    const TWindowState opened = StateOf(Form);
    EXPECT_EQ(opened.Directory, Folder);
    EXPECT_EQ(opened.CurrentDirectory, Folder);
    EXPECT_EQ(opened.Files, QStringList({"flat.torvane", "p1.torvane", "p2.torvane"}));
    EXPECT_EQ(opened.SelectedFile, -1);
    EXPECT_EQ(opened.Edits.at("Edit1"), "*.torvane*");
    EXPECT_FALSE(opened.AnalyzeEnabled);
    EXPECT_EQ(opened.Edits, Start.Edits);
}

TEST_F(OpenPathTest, AFolderOnAnotherDriveMovesTheDriveListThere) {
    const QString other = Folder + "/sub";
    struct TVolumesOverridden {
        explicit TVolumesOverridden(std::vector<TVolume> volumes) { OverrideVolumes(volumes); }
        ~TVolumesOverridden() { OverrideVolumes(std::nullopt); }
    } volumes({{"/", {}, {}, TDriveType::dtFixed}, {other, {}, {}, TDriveType::dtFixed}});
    TForm2 form;
    form.show();
    ASSERT_EQ(form.DriveComboBox1->Drive(), u'c');
    OpenPath(form, other);
    EXPECT_EQ(form.DriveComboBox1->Drive(), u'd');
    EXPECT_EQ(form.DirectoryListBox1->Drive(), u'd');
    EXPECT_EQ(form.DirectoryListBox1->Directory(), other);
}

TEST_F(OpenPathTest, APathThatCannotBeOpenedIsExplainedAndNothingIsSelected) {
    struct TCase {
        const char* Name;
        const char* Reason;
        bool FolderShown; // the file's folder could be entered
    };
    const TCase cases[] = {
        {"missing.torvane", "No such file or directory", false},
        {"missing/p1.torvane", "No such file or directory", false},
        {"p1.torvane/x", "Not a directory", false},
        {"notes.txt", "not a profile file (the file list shows *.torvane* files only)", true},
        {".hidden.torvane", "a hidden file, which the file list does not show", true},
        {"pipe.torvane", "Not a regular file", true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TForm2 form;
        form.show();
        const TWindowState before = StateOf(form);
        const QString path = InFolder(c.Name);
        try {
            OpenPath(form, path);
            ADD_FAILURE() << "opened";
        } catch (const Exception& error) {
            EXPECT_EQ(QString::fromLocal8Bit(error.Message()),
                      "Cannot open \"" + path + "\": " + c.Reason);
        }
        const TWindowState after = StateOf(form);
        EXPECT_EQ(after.Directory, c.FolderShown ? Folder : before.Directory);
        EXPECT_EQ(after.SelectedFile, -1);
        EXPECT_EQ(after.Edits, before.Edits);
        EXPECT_FALSE(after.AnalyzeEnabled);
    }
}

TEST_F(OpenPathTest, AFolderWithoutPermissionIsExplainedAndTheBrowserStays) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser enters every folder";
    const QString locked = InFolder("sub");
    ASSERT_EQ(::chmod(locked.toLocal8Bit().constData(), 0), 0);
    EXPECT_EQ(ErrorBoxOf([&] { OpenPathShowingErrors(Form, locked); }),
              "Cannot open \"" + locked + "\": Permission denied.");
    ::chmod(locked.toLocal8Bit().constData(), 0700);
    ExpectSameWindow(StateOf(Form), Start);
}

TEST_F(OpenPathTest, AProfileWithoutPermissionIsSelectedAndItsAnalysisTellsWhy) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser reads every file";
    const QString locked = InFolder("p1.torvane");
    ASSERT_EQ(::chmod(locked.toLocal8Bit().constData(), 0), 0);
    // Listed like any profile, so it is selected and Analyze pressed; the
    // analysis names the file as the file list does.
    EXPECT_EQ(ErrorBoxOf([&] { OpenPathShowingErrors(Form, locked); }),
              "Cannot open \"p1.torvane\": Permission denied.");
    EXPECT_EQ(Form.Edit1->text(), "p1.torvane");
    EXPECT_TRUE(Form.Button1->isEnabled());
}

TEST_F(OpenPathTest, ErrorsOfOpeningAndOfTheAnalysisAreShownInTheErrorBox) {
    EXPECT_EQ(ErrorBoxOf([&] { OpenPathShowingErrors(Form, InFolder("missing.torvane")); }),
              "Cannot open \"" + InFolder("missing.torvane") + "\": No such file or directory.");
    // The flat profile is selected and analysed; the analysis fails as after a click.
    EXPECT_EQ(ErrorBoxOf([&] { OpenPathShowingErrors(Form, InFolder("flat.torvane")); }),
              "Invalid floating point operation.");
    EXPECT_EQ(Form.Edit1->text(), "flat.torvane");
    EXPECT_EQ(ErrorBoxOf([&] { OpenPathShowingErrors(Form, InFolder("p1.torvane")); }), "");
    const TWindowState opened = StateOf(Form);
    ExpectSameWindow(opened, ByClicks("p1.torvane"));
}

// Drag and drop: the drag is taken only when the first address is local,
// and the drop opens it once the drop is over.
TEST_F(OpenPathTest, ADropOpensTheFirstAddressWhenItIsLocal) {
    const QUrl p1 = QUrl::fromLocalFile(InFolder("p1.torvane"));
    const QUrl p2 = QUrl::fromLocalFile(InFolder("p2.torvane"));
    const QUrl folder = QUrl::fromLocalFile(Folder);
    const QUrl remote(QStringLiteral("https://example.org/p1.torvane"));
    struct TCase {
        const char* Name;
        QList<QUrl> Urls;
        const char* Opened; // file selected and analysed, "" for the folder, nullptr for none
    };
    const TCase cases[] = {
        {"one file", {p2}, "p2.torvane"},
        {"several: the first", {p1, p2}, "p1.torvane"},
        {"a folder", {folder}, ""},
        {"remote", {remote}, nullptr},
        {"remote first", {remote, p1}, nullptr},
        {"no address", {}, nullptr},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TForm2 form;
        form.show();
        QApplication::processEvents(); // the charts' first paint
        const TWindowState before = StateOf(form);
        QMimeData data;
        data.setUrls(c.Urls);
        data.setText(QStringLiteral("dragged text"));
        QDragEnterEvent enter({20, 20}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        EXPECT_EQ(enter.isAccepted(), c.Opened != nullptr);
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &drop);
        EXPECT_EQ(drop.isAccepted(), c.Opened != nullptr);
        QApplication::processEvents();
        const TWindowState after = StateOf(form);
        if (!c.Opened) {
            ExpectSameWindow(after, before);
        } else if (*c.Opened) {
            ExpectSameWindow(after, ByClicks(QString::fromLatin1(c.Opened)));
        } else {
            EXPECT_EQ(after.Directory, Folder);
            EXPECT_EQ(after.Files, QStringList({"flat.torvane", "p1.torvane", "p2.torvane"}));
            EXPECT_EQ(after.Edits, before.Edits);
        }
    }
}

TEST(AnalyzerCommandLine, ParsesAPathHelpVersionAndMistakes) {
    using TAction = TAnalyzerCommandLine::TAction;
    struct TCase {
        QStringList Arguments;
        TAction Action;
        QString PathOrReason;
    };
    const TCase cases[] = {
        {{}, TAction::Run, ""},
        {{"p1.torvane"}, TAction::Run, "p1.torvane"},
        {{"--", "--help"}, TAction::Run, "--help"},
        {{"-h"}, TAction::ShowHelp, ""},
        {{"--help"}, TAction::ShowHelp, ""},
        {{"-help", "p1.torvane"}, TAction::ShowHelp, ""},
        {{"--frobnicate", "--help"}, TAction::ShowHelp, ""},
        {{"-v"}, TAction::ShowVersion, ""},
        {{"--version"}, TAction::ShowVersion, ""},
        {{"-version"}, TAction::ShowVersion, ""},
        {{"--frobnicate"}, TAction::Fail, "Unknown option 'frobnicate'."},
        {{"-visual"}, TAction::Fail, "Unknown option 'visual'."},
        {{"a.torvane", "b.torvane"}, TAction::Fail, "One path at most, 2 given"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Arguments.join(' ').toStdString());
        const TAnalyzerCommandLine line =
            ParseAnalyzerCommandLine(QStringList{"torvane-analyzer"} + c.Arguments);
        EXPECT_EQ(line.Action, c.Action);
        if (c.Action == TAction::Run) {
            EXPECT_EQ(line.Path, c.PathOrReason);
        } else if (c.Action == TAction::Fail) {
            EXPECT_EQ(line.Text, c.PathOrReason);
        }
    }
}

} // namespace
