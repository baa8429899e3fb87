#include "FileBrowserFixture.h"

#include "toolkit/DirectoryListBox.h"
#include "toolkit/FileListBox.h"
#include "toolkit/InOutError.h"

#include <QLineEdit>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The three linked controls as the main window links them.
class DirectoryListBoxTest : public FileBrowserFixture {
protected:
    void SetUp() override {
        FileBrowserFixture::SetUp();
        for (const char* dir :
             {"top/cur/Zeta", "top/cur/alpha/deep", "top/cur/Beta", "top/cur/.git", "top/other"})
            MakeDir(dir);
        MakeFile("top/cur/p1.torvane");
        MakeFile("top/cur/alpha/q.torvane");
        ASSERT_TRUE(QDir::setCurrent(Path("top/cur")));
        Dirs = std::make_unique<TDirectoryListBox>(nullptr);
        Files = std::make_unique<TFileListBox>(nullptr);
        Files->SetMask("*.torvane*");
        Dirs->SetFileList(Files.get());
        Files->SetFileEdit(&Edit);
        Dirs->resize(200, 300);
        Files->resize(200, 100);
        Dirs->show();
        Files->show();
    }

    int RowOf(const QString& text) const {
        const QStringList lines = Lines(*Dirs);
        return static_cast<int>(lines.indexOf(text));
    }

    QLineEdit Edit;
    std::unique_ptr<TDirectoryListBox> Dirs;
    std::unique_ptr<TFileListBox> Files;
};

TEST_F(DirectoryListBoxTest, ShowsPathThenVisibleSubdirectoriesSortedIgnoringCase) {
    const QStringList steps = Path("top/cur").split('/', Qt::SkipEmptyParts);
    QStringList expected{"/"};
    expected << steps << "alpha"
             << "Beta"
             << "Zeta";
    EXPECT_EQ(Lines(*Dirs), expected);

    const int current = static_cast<int>(steps.size());
    EXPECT_EQ(Dirs->currentRow(), current);
    EXPECT_EQ(Dirs->item(current)->data(TDirectoryListBox::PathRole).toString(), Path("top/cur"));
    for (int row = 0; row < Dirs->count(); ++row)
        EXPECT_EQ(Dirs->item(row)->data(TDirectoryListBox::DepthRole).toInt(),
                  std::min(row, current + 1))
            << row;
}

TEST_F(DirectoryListBoxTest, OpeningALineMovesTheFileListAndTheCurrentDirectory) {
    // A single click only selects.
    ClickRow(*Dirs, RowOf("alpha"));
    EXPECT_EQ(Dirs->Directory(), Path("top/cur"));

    ClickRow(*Files, 0);
    ASSERT_EQ(Edit.text(), "p1.torvane");

    DoubleClickRow(*Dirs, RowOf("alpha"));
    EXPECT_EQ(Dirs->Directory(), Path("top/cur/alpha"));
    EXPECT_EQ(Files->Directory(), Path("top/cur/alpha"));
    EXPECT_EQ(QDir::currentPath(), Path("top/cur/alpha"));
    EXPECT_EQ(Lines(*Files), QStringList{"q.torvane"});
    EXPECT_EQ(Edit.text(), "*.torvane*");
    EXPECT_EQ(Lines(*Dirs).last(), "deep");

    // Enter on an ancestor line goes up.
    Dirs->setCurrentRow(RowOf("top"));
    PressKey(*Dirs, Qt::Key_Return);
    EXPECT_EQ(Dirs->Directory(), Path("top"));
    EXPECT_EQ(QDir::currentPath(), Path("top"));
    EXPECT_EQ(Files->count(), 0);
    EXPECT_EQ(Edit.text(), "*.torvane*");
}

TEST_F(DirectoryListBoxTest, DirectoryThatCannotBeEnteredKeepsEveryList) {
    struct Case {
        const char* Name;
        int Errno;
        std::function<void(const QString&)> Spoil;
    };
    const Case cases[] = {
        {"deleted meanwhile", ENOENT, [](const QString& dir) { QDir(dir).removeRecursively(); }},
        {"without permission", EACCES,
         [](const QString& dir) { ::chmod(dir.toLocal8Bit().constData(), 0); }},
    };
    ClickRow(*Files, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Errno == EACCES && ::geteuid() == 0) {
            // The superuser enters any directory; only the other case applies.
            continue;
        }
        const QString target = Path(c.Errno == ENOENT ? "top/cur/Zeta" : "top/cur/Beta");
        const QStringList dirLines = Lines(*Dirs);
        const QStringList fileLines = Lines(*Files);
        const QString editText = Edit.text();
        c.Spoil(target);

        Dirs->setCurrentRow(static_cast<int>(dirLines.indexOf(QFileInfo(target).fileName())));
        try {
            PressKey(*Dirs, Qt::Key_Enter);
            ADD_FAILURE() << "no error raised";
        } catch (const EInOutError& error) {
            EXPECT_EQ(error.Message(), std::strerror(c.Errno));
        }
        ::chmod(target.toLocal8Bit().constData(), 0755);

        EXPECT_EQ(Dirs->Directory(), Path("top/cur"));
        EXPECT_EQ(Lines(*Dirs), dirLines);
        EXPECT_EQ(Files->Directory(), Path("top/cur"));
        EXPECT_EQ(Lines(*Files), fileLines);
        EXPECT_EQ(Edit.text(), editText);
        EXPECT_EQ(QDir::currentPath(), Path("top/cur"));
    }
}

TEST_F(DirectoryListBoxTest, DropsTheFileListWhenItIsDestroyed) {
    Files.reset();
    EXPECT_EQ(Dirs->FileList(), nullptr);
    Dirs->SetDirectory(Path("top/other"));
    EXPECT_EQ(QDir::currentPath(), Path("top/other"));
}

TEST(InOutErrorTest, MessageIsTheSystemTextOrTheCode) {
    const struct {
        int Code;
        std::string Message;
    } cases[] = {
        {ENOENT, std::strerror(ENOENT)},
        {EACCES, std::strerror(EACCES)},
        {0, "I/O error 0"},
        {-3, "I/O error -3"},
        {99999, "I/O error 99999"},
    };
    for (const auto& c : cases) {
        const EInOutError error(c.Code);
        EXPECT_EQ(error.Message(), c.Message) << c.Code;
        EXPECT_EQ(error.ErrorCode(), c.Code);
    }
}

} // namespace
