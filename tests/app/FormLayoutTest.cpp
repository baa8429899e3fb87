#include "app/Unit2.h"
#include "toolkit/Bevel.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/DriveComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FileListBox.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"

#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

enum TKind { Bevel, Drive, DirList, FileList, Label, Edit, Button, List };
enum TFontKind { Window, R11, B11, I11, BI11, B13, BI13 };

struct TControlRow {
    const char* Name;
    TKind Kind;
    int Left, Top, Width, Height;
    const char* Caption; // labels and buttons
    TFontKind Font;
    bool Enabled;
    int Tab; // -1: not a tab stop
};

// The window's layout, as designed.
const TControlRow Rows[] = {
    {"Bevel2", Bevel, 8, 8, 959, 185, nullptr, Window, true, -1},
    {"DriveComboBox1", Drive, 24, 24, 217, 19, nullptr, Window, true, 3},
    {"DirectoryListBox1", DirList, 24, 49, 217, 137, nullptr, Window, true, 1},
    {"FileListBox1", FileList, 247, 24, 515, 102, nullptr, Window, true, 2},
    {"Label3", Label, 276, 136, 54, 13, "File name", B11, true, -1},
    {"Edit1", Edit, 336, 132, 426, 21, nullptr, I11, false, 7},
    {"Button1", Button, 247, 159, 515, 27, "Analyze selected Torvane", BI13, false, 0},
    {"ListBox1", List, 768, 24, 121, 129, nullptr, Window, true, 5},
    {"Label2", Label, 774, 163, 44, 13, "File size", BI11, true, -1},
    {"Edit4", Edit, 824, 159, 65, 21, nullptr, B11, false, 13},
    {"Button2", Button, 895, 24, 58, 79, "Exit", BI13, true, 4},
    {"Button3", Button, 895, 109, 58, 77, "Print", BI11, true, 27},
    {"Bevel1", Bevel, 8, 199, 959, 504, nullptr, Window, true, -1},
    {"Label9", Label, 17, 220, 122, 16, "Pulsar ( file ) name", B13, true, -1},
    {"Edit2", Edit, 145, 220, 209, 24, nullptr, B13, false, 17},
    {"Label10", Label, 63, 242, 76, 16, "Date / Time", B13, true, -1},
    {"Edit3", Edit, 145, 240, 209, 24, nullptr, B13, false, 15},
    {"Label8", Label, 368, 235, 24, 16, "S/N", B13, true, -1},
    {"Edit18", Edit, 398, 222, 67, 21, nullptr, B11, false, 26},
    {"Label7", Label, 471, 225, 29, 13, "Linear", I11, true, -1},
    {"Edit15", Edit, 398, 242, 67, 21, nullptr, B11, false, 23},
    {"Label5", Label, 471, 244, 12, 13, "dB", I11, true, -1},
    {"Label1", Label, 536, 225, 74, 13, "Min bin value", B11, true, -1},
    {"Edit5", Edit, 616, 222, 105, 21, nullptr, B11, false, 8},
    {"Label4", Label, 548, 244, 62, 13, "        @ Bin #", I11, true, -1},
    {"Edit10", Edit, 616, 242, 105, 21, nullptr, B11, false, 11},
    {"Label6", Label, 761, 226, 81, 13, "Max bin value ", B11, true, -1},
    {"Edit6", Edit, 848, 222, 105, 21, nullptr, B11, false, 9},
    {"Label11", Label, 780, 245, 62, 13, "        @ Bin #", I11, true, -1},
    {"Edit11", Edit, 848, 242, 105, 21, nullptr, B11, false, 12},
    {"ListBox5", List, 24, 306, 298, 351, nullptr, Window, true, 6},
    {"Bevel3", Bevel, 1006, 8, 514, 93, nullptr, Window, true, -1},
    {"Label22", Label, 1022, 21, 331, 16, "Values calculated normalizing profile to ZERO  MAIN",
     B13, true, -1},
    {"Label21", Label, 1034, 46, 87, 13, "Mean w/o peak", B11, true, -1},
    {"Edit16", Edit, 1137, 43, 121, 21, nullptr, Window, true, 24},
    {"Label20", Label, 1034, 70, 97, 13, "StdDev w/o peak", B11, true, -1},
    {"Edit17", Edit, 1137, 70, 121, 21, nullptr, Window, true, 25},
    {"Label24", Label, 1006, 130, 244, 16, "Values calculated with ZELMAR Values", B13, true, -1},
    {"Label19", Label, 1026, 155, 60, 13, "SNR Linear", B11, true, -1},
    {"Edit9", Edit, 1121, 152, 66, 21, nullptr, B11, false, 10},
    {"Label18", Label, 1026, 174, 39, 13, "SNR dB", B11, true, -1},
    {"Edit7", Edit, 1121, 172, 66, 21, nullptr, B11, false, 16},
    {"Label23", Label, 1006, 226, 357, 16,
     "Values calculated without profile normalization to ZERO", B13, true, -1},
    {"Label12", Label, 1018, 251, 87, 13, "Mean w/o peak", B11, true, -1},
    {"Edit13", Edit, 1121, 248, 121, 21, nullptr, Window, true, 20},
    {"Label15", Label, 1018, 275, 97, 13, "StdDev w/o peak", B11, true, -1},
    {"Edit12", Edit, 1121, 275, 121, 21, nullptr, Window, true, 19},
    {"Label16", Label, 1018, 308, 60, 13, "SNR Linear", B11, true, -1},
    {"Edit8", Edit, 1121, 305, 121, 21, nullptr, Window, true, 18},
    {"Label17", Label, 1018, 335, 39, 13, "SNR dB", B11, true, -1},
    {"Edit14", Edit, 1121, 332, 121, 21, nullptr, Window, true, 21},
};

bool IsKind(QWidget* w, TKind kind) {
    switch (kind) {
    case Bevel:
        return qobject_cast<TBevel*>(w);
    case Drive:
        return qobject_cast<TDriveComboBox*>(w);
    case DirList:
        return qobject_cast<TDirectoryListBox*>(w);
    case FileList:
        return qobject_cast<TFileListBox*>(w);
    case Label:
        return qobject_cast<TLabel*>(w);
    case Edit:
        return qobject_cast<TEdit*>(w);
    case Button:
        return qobject_cast<TButton*>(w);
    case List:
        return qobject_cast<TListBox*>(w);
    }
    return false;
}

} // namespace

TEST(FormLayout, EveryControlHasItsPlaceSizeCaptionFontStateAndTabStop) {
    TForm2 form;
    for (const TControlRow& row : Rows) {
        SCOPED_TRACE(row.Name);
        auto* w = form.findChild<QWidget*>(row.Name);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(IsKind(w, row.Kind));
        EXPECT_EQ(w->pos(), QPoint(row.Left, row.Top));
        if (row.Kind == Label) {
            // Labels size themselves to their caption. The designed widths
            // come from the original font's hinted advances, which the
            // metric-compatible clone matches to within a few per cent.
            EXPECT_NEAR(w->width(), row.Width, std::max(5.0, row.Width * 0.035));
            EXPECT_EQ(w->height(), row.Height);
            EXPECT_EQ(static_cast<TLabel*>(w)->text(), row.Caption);
        } else {
            EXPECT_EQ(w->size(), QSize(row.Width, row.Height));
        }
        if (row.Kind == Button) {
            EXPECT_EQ(static_cast<TButton*>(w)->text(), row.Caption);
        }
        const QFont font = w->font();
        const QFontInfo used(font);
        EXPECT_EQ(used.family(), "Tahoma");
        const bool big = row.Font == B13 || row.Font == BI13;
        EXPECT_EQ(font.pixelSize(), big ? 13 : 11);
        EXPECT_EQ(used.bold(), row.Font == B11 || row.Font == BI11 || big);
        EXPECT_EQ(used.italic(), row.Font == I11 || row.Font == BI11 || row.Font == BI13);
        EXPECT_EQ(w->isEnabled(), row.Enabled);
        EXPECT_EQ(bool(w->focusPolicy() & Qt::TabFocus), row.Tab >= 0);
    }
    // The tab stops follow one another in the designed order.
    std::vector<const TControlRow*> stops;
    for (const TControlRow& row : Rows)
        if (row.Tab >= 0)
            stops.push_back(&row);
    std::sort(stops.begin(), stops.end(), [](auto* a, auto* b) { return a->Tab < b->Tab; });
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const TControlRow* next = stops[(i + 1) % stops.size()];
        QWidget* w = form.findChild<QWidget*>(stops[i]->Name);
        QWidget* after = w->nextInFocusChain();
        while (after != w && !(after->focusPolicy() & Qt::TabFocus))
            after = after->nextInFocusChain();
        EXPECT_EQ(after->objectName(), next->Name) << "after " << stops[i]->Name;
    }
}

TEST(FormLayout, WindowIsAFixedDialogOfTheClientSize) {
    TForm2 form;
    EXPECT_EQ(form.size(), QSize(978, 711));
    EXPECT_EQ(form.minimumSize(), QSize(978, 711));
    EXPECT_EQ(form.maximumSize(), QSize(978, 711));
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form.windowTitle(),
              "ZELMAR Torvane analyzer BETA 1.0.1   17 January 2019       "
              "torvane-analyzer@example.org     https://example.org/torvane-analyzer ");
    EXPECT_EQ(form.palette().color(QPalette::Window), form.palette().color(QPalette::Button));
    EXPECT_EQ(form.font().family(), "Tahoma");
    EXPECT_EQ(form.font().pixelSize(), 11);
    // Every list draws one line per 13 pixels.
    EXPECT_EQ(form.FileListBox1->ItemHeight(), 13);
    EXPECT_EQ(form.FileListBox1->Mask(), "*.torvane*");
    for (TListBox* list : {form.ListBox1, form.ListBox5}) {
        list->addItems({"0   ,   1", "1   ,   2"});
        EXPECT_EQ(list->visualItemRect(list->item(1)).top() -
                      list->visualItemRect(list->item(0)).top(),
                  13);
    }
    // Labels and bevels lie beneath the other controls; ListBox5 above Chart1's edge.
    const QObjectList& children = form.children();
    auto at = [&](const char* name) { return children.indexOf(form.findChild<QObject*>(name)); };
    EXPECT_LT(at("Label9"), at("Button1"));
    EXPECT_LT(at("Bevel2"), at("Label3"));
    EXPECT_LT(at("Bevel1"), at("Label9"));
}

TEST(FormLayout, TabReachesTheHiddenEditsAndPassesOverDisabledOnes) {
    TForm2 form;
    form.show();
    QApplication::setActiveWindow(&form);
    form.ListBox5->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), form.ListBox5);
    std::vector<QString> visited;
    for (int i = 0; i < 8; ++i) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &tab);
        visited.push_back(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ(visited, (std::vector<QString>{"Edit8", "Edit12", "Edit13", "Edit14", "Edit16",
                                             "Edit17", "Button3", "DirectoryListBox1"}));
}
