#include "FileBrowserFixture.h"

#include "toolkit/Edit.h"
#include "toolkit/FileListBox.h"

#include <QLineEdit>
#include <fcntl.h>
#include <unistd.h>

namespace {

class FileListBoxTest : public FileBrowserFixture {};

QStringList Sorted(QStringList names) {
    names.sort();
    return names;
}

TEST_F(FileListBoxTest, ListsMatchingVisibleFilesOnly) {
    for (const char* name : {"p1.torvane", "p1.torvane.txt", "a.b.torvane2", "P1.TORVANE",
                             "p1torvane", "p1.torv", ".hidden.torvane", "notes.txt"})
        MakeFile(name);
    MakeDir("folder.torvane");
    MakeDir(".dots.torvane");
    ASSERT_EQ(::symlink("p1.torvane", Path("link.torvane").toLocal8Bit().constData()), 0);
    ASSERT_EQ(::symlink("missing", Path("broken.torvane").toLocal8Bit().constData()), 0);

    struct Case {
        QString Mask;
        QStringList Expected;
    };
    const Case cases[] = {
        {"*.torvane*",
         {"a.b.torvane2", "link.torvane", "p1.torvane", "P1.TORVANE", "p1.torvane.txt"}},
        {"*.TXT;*.torv", {"notes.txt", "p1.torv", "p1.torvane.txt"}},
        {"p?.torv", {"p1.torv"}},
    };
    TFileListBox list(nullptr);
    list.SetDirectory(Root);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Mask.toStdString());
        list.SetMask(c.Mask);
        // Which names are listed; their order is the next test's business.
        EXPECT_EQ(Sorted(Lines(list)), Sorted(c.Expected));
    }
}

TEST_F(FileListBoxTest, SortsIgnoringCase) {
    for (const char* name : {"b.torvane", "C.torvane", "a.torvane", "B2.torvane", "_x.torvane"})
        MakeFile(name);
    TFileListBox list(nullptr);
    list.SetMask("*.torvane*");
    list.SetDirectory(Root);
    EXPECT_EQ(Lines(list),
              (QStringList{"_x.torvane", "a.torvane", "b.torvane", "B2.torvane", "C.torvane"}));
}

TEST_F(FileListBoxTest, SelectionRunsClickThenShowsBareNameInEdit) {
    MakeDir("one");
    MakeDir("two");
    MakeFile("one/a.torvane");
    MakeFile("one/b.torvane");
    MakeFile("two/c.torvane");
    QLineEdit edit;
    TFileListBox list(nullptr);
    list.SetMask("*.torvane*");
    list.SetDirectory(Path("one"));
    list.SetFileEdit(&edit);
    list.resize(200, 100);
    list.show();
    EXPECT_EQ(edit.text(), "*.torvane*");
    EXPECT_EQ(list.visualItemRect(list.item(1)).top(), 13);

    QStringList seenByClick;
    QObject::connect(&list, &TFileListBox::Click, [&] { seenByClick << edit.text(); });

    ClickRow(list, 1);
    EXPECT_EQ(seenByClick, QStringList{"*.torvane*"});
    EXPECT_EQ(edit.text(), "b.torvane");
    EXPECT_EQ(edit.selectedText(), "b.torvane");
    EXPECT_EQ(list.FileName(), "b.torvane");

    // The same entry again: nothing to report.
    edit.deselect();
    ClickRow(list, 1);
    EXPECT_EQ(seenByClick.size(), 1);
    EXPECT_EQ(edit.text(), "b.torvane");
    EXPECT_EQ(edit.selectedText(), "");

    PressKey(list, Qt::Key_Up);
    EXPECT_EQ(seenByClick, (QStringList{"*.torvane*", "b.torvane"}));
    EXPECT_EQ(edit.text(), "a.torvane");

    // A new directory: the mask again, no click, and the names open from the cwd.
    list.SetDirectory(Path("two"));
    EXPECT_EQ(seenByClick.size(), 2);
    EXPECT_EQ(edit.text(), "*.torvane*");
    EXPECT_EQ(Lines(list), QStringList{"c.torvane"});
    EXPECT_EQ(QDir::currentPath(), Path("two"));
    EXPECT_EQ(list.Directory(), Path("two"));
}

TEST_F(FileListBoxTest, AClickThatSelectsNoEntryKeepsTheSelection) {
    MakeFile("a.torvane");
    MakeFile("b.torvane");
    struct Case {
        const char* What;
        int Row; // -1: the empty area below the entries
        Qt::KeyboardModifiers Modifiers;
    };
    const Case cases[] = {
        {"a click below the entries", -1, Qt::NoModifier},
        {"a Ctrl+click below the entries", -1, Qt::ControlModifier},
        {"a Ctrl+click on the selected entry", 1, Qt::ControlModifier},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        QLineEdit edit;
        TFileListBox list(nullptr);
        list.SetMask("*.torvane*");
        list.SetDirectory(Root);
        list.SetFileEdit(&edit);
        list.resize(200, 100);
        list.show();
        ClickRow(list, 1);
        ASSERT_EQ(edit.text(), "b.torvane");
        int clicks = 0;
        QObject::connect(&list, &TFileListBox::Click, [&] { ++clicks; });

        const QPoint at = c.Row < 0 ? QPoint(20, list.viewport()->height() - 5)
                                    : list.visualItemRect(list.item(c.Row)).center();
        ASSERT_EQ(list.indexAt(at).isValid(), c.Row >= 0);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, list.viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              c.Modifiers);
            QApplication::sendEvent(list.viewport(), &event);
        }
        EXPECT_EQ(list.FileName(), "b.torvane");
        EXPECT_EQ(list.selectedItems().size(), 1);
        EXPECT_EQ(edit.text(), "b.torvane");
        EXPECT_EQ(clicks, 0);
    }
}

TEST_F(FileListBoxTest, KeepsTheBytesOfEveryName) {
    // Not valid UTF-8: shown with replacement characters, opened by its bytes.
    const QByteArray raw = "\xff\xfe.torvane";
    const QByteArray path = QFile::encodeName(Root) + '/' + raw;
    ASSERT_EQ(::close(::open(path.constData(), O_CREAT | O_WRONLY, 0644)), 0);
    // Qt's removal of the scratch folder passes over such a name.
    struct TRemove {
        QByteArray Path;
        ~TRemove() { ::unlink(Path.constData()); }
    } remove{path};
    MakeFile("b.torvane");
    TEdit edit;
    TFileListBox list(nullptr);
    list.SetMask("*.torvane*");
    list.SetDirectory(Root);
    list.SetFileEdit(&edit);
    list.show();
    ASSERT_EQ(Lines(list), (QStringList{"b.torvane", QString::fromLocal8Bit(raw)}));
    ClickRow(list, 1);
    EXPECT_EQ(list.FileNameBytes(), raw);
    EXPECT_EQ(edit.text(), QString::fromLocal8Bit(raw));
    EXPECT_EQ(edit.Local8BitText(), raw);
    ClickRow(list, 0);
    EXPECT_EQ(list.FileNameBytes(), "b.torvane");
    EXPECT_EQ(edit.Local8BitText(), "b.torvane");
    // Once the text is changed otherwise, even back to what was shown, the
    // box holds text of its own.
    ClickRow(list, 1);
    edit.setText("x");
    edit.setText(QString::fromLocal8Bit(raw));
    EXPECT_EQ(edit.Local8BitText(), QString::fromLocal8Bit(raw).toLocal8Bit());
}

TEST_F(FileListBoxTest, LoadsWhenFirstShownInTheCurrentDirectory) {
    MakeFile("x.torvane");
    ASSERT_TRUE(QDir::setCurrent(Root));
    TFileListBox list(nullptr);
    list.SetMask("*.torvane*");
    EXPECT_EQ(list.count(), 0);
    list.show();
    EXPECT_EQ(Lines(list), QStringList{"x.torvane"});
}

TEST_F(FileListBoxTest, DropsTheEditWhenItIsDestroyed) {
    MakeFile("x.torvane");
    TFileListBox list(nullptr);
    list.SetDirectory(Root);
    list.show();
    {
        QLineEdit edit;
        list.SetFileEdit(&edit);
    }
    EXPECT_EQ(list.FileEdit(), nullptr);
    ClickRow(list, 0);
    EXPECT_EQ(list.FileName(), "x.torvane");
}

} // namespace
