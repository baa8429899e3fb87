#include "FileBrowserFixture.h"

#include "toolkit/DirectoryListBox.h"
#include "toolkit/DriveComboBox.h"
#include "toolkit/FileListBox.h"
#include "toolkit/InOutError.h"

#include <QLineEdit>
#include <cerrno>
#include <cstring>
#include <memory>

namespace {

TEST(DriveEntryTextTest, FollowsTheDriveType) {
    const struct {
        TVolume Volume;
        QString Entry;
    } cases[] = {
        {{"/", "System", {}, TDriveType::dtFixed}, "/ [system]"},
        {{"/", {}, {}, TDriveType::dtFixed}, "/ []"},
        {{"/media/CD", "DISC_1", {}, TDriveType::dtOptical}, "/media/CD [disc_1]"},
        {{"/scratch", "Ram", {}, TDriveType::dtRam}, "/scratch [ram]"},
        {{"/media/Stick", "STICK", {}, TDriveType::dtRemovable}, "/media/Stick"},
        {{"/net/a", "Share", "Server:/Export", TDriveType::dtNetwork}, "/net/a server:/export"},
        {{"/net/b", "Share", {}, TDriveType::dtNetwork}, "/net/b [share]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DriveEntryText(c.Volume), c.Entry);
}

TEST(VolumesTest, DriveCIsTheRootVolume) {
    const std::vector<TVolume> volumes = BrowsableVolumes();
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front().MountPath, "/");
    ASSERT_TRUE(VolumeOfLetter('c'));
    EXPECT_EQ(VolumeOfLetter('C')->MountPath, "/");
    EXPECT_EQ(LetterOfVolume(volumes.front()), QChar('c'));
    EXPECT_FALSE(VolumeOfLetter('a'));
    for (const TVolume& volume : volumes) {
        EXPECT_FALSE(volume.MountPath.startsWith("/proc")) << volume.MountPath.toStdString();
        EXPECT_FALSE(volume.MountPath.startsWith("/sys")) << volume.MountPath.toStdString();
    }
}

// A folder of the scratch tree stands in for drive d.
class DriveTest : public FileBrowserFixture {
protected:
    void SetUp() override {
        FileBrowserFixture::SetUp();
        MakeDir("onc/sub");
        MakeFile("onc/c.torvane");
        MakeDir("vol/x");
        MakeFile("vol/x/v.torvane");
        OverrideVolumes(std::vector<TVolume>{{"/", {}, {}, TDriveType::dtFixed},
                                             {Path("vol"), "Stick", {}, TDriveType::dtRemovable}});
        ASSERT_TRUE(QDir::setCurrent(Path("onc")));
        Drives = std::make_unique<TDriveComboBox>(nullptr);
        Dirs = std::make_unique<TDirectoryListBox>(nullptr);
        Files = std::make_unique<TFileListBox>(nullptr);
        Files->SetMask("*.torvane*");
        Drives->SetDirList(Dirs.get());
        Dirs->SetFileList(Files.get());
        Files->SetFileEdit(&Edit);
    }

    void ExpectAllOn(const QString& dir) {
        EXPECT_EQ(Dirs->Directory(), dir);
        EXPECT_EQ(Files->Directory(), dir);
        EXPECT_EQ(QDir::currentPath(), dir);
        EXPECT_EQ(Edit.text(), "*.torvane*");
    }

    QLineEdit Edit;
    std::unique_ptr<TDriveComboBox> Drives;
    std::unique_ptr<TDirectoryListBox> Dirs;
    std::unique_ptr<TFileListBox> Files;
};

TEST_F(DriveTest, EachDriveKeepsItsOwnCurrentDirectory) {
    EXPECT_EQ(Drives->count(), 2);
    EXPECT_EQ(Drives->itemText(0), "/ []");
    EXPECT_EQ(Drives->itemText(1), Path("vol"));
    EXPECT_EQ(Drives->Drive(), QChar('c'));

    // Drive c while on drive c changes nothing, not even the shown name.
    Files->show();
    ClickRow(*Files, 0);
    Dirs->SetDrive('c');
    EXPECT_EQ(Dirs->Directory(), Path("onc"));
    EXPECT_EQ(Edit.text(), "c.torvane");

    // First visit to another drive: its root.
    Dirs->SetDrive('D');
    ExpectAllOn(Path("vol"));
    EXPECT_EQ(Drives->currentIndex(), 1);
    EXPECT_EQ(Dirs->Drive(), QChar('d'));
    EXPECT_EQ(Lines(*Dirs).first(), Path("vol"));

    Dirs->SetDirectory(Path("vol/x"));
    EXPECT_EQ(Lines(*Files), QStringList{"v.torvane"});

    Dirs->SetDrive('c');
    ExpectAllOn(Path("onc"));
    EXPECT_EQ(Drives->currentIndex(), 0);

    // Choosing drive d in the drive list returns to where it was left.
    Drives->show();
    PressKey(*Drives, Qt::Key_Down);
    EXPECT_EQ(Drives->Drive(), QChar('d'));
    ExpectAllOn(Path("vol/x"));
}

TEST_F(DriveTest, DriveThatCannotBeEnteredKeepsTheListsButShowsTheChosenDrive) {
    Dirs->SetDrive('d');
    Dirs->SetDirectory(Path("vol/x"));
    Dirs->SetDrive('c');
    QDir(Path("vol/x")).removeRecursively();
    const QStringList dirLines = Lines(*Dirs);

    Drives->show();
    try {
        PressKey(*Drives, Qt::Key_Down);
        ADD_FAILURE() << "no error raised";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), std::strerror(ENOENT));
    }
    EXPECT_EQ(Drives->Drive(), QChar('d'));
    EXPECT_EQ(Drives->currentIndex(), 1);
    ExpectAllOn(Path("onc"));
    EXPECT_EQ(Lines(*Dirs), dirLines);

    // Going back to drive c is no change for the directory list.
    PressKey(*Drives, Qt::Key_Up);
    EXPECT_EQ(Drives->Drive(), QChar('c'));
    ExpectAllOn(Path("onc"));
}

TEST_F(DriveTest, UnknownLetterIsAnError) {
    EXPECT_THROW(Dirs->SetDrive('q'), EInOutError);
    ExpectAllOn(Path("onc"));
}

} // namespace
