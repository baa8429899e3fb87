// Saving, loading and copying a chart's lists: every item kind through both
// formats, annotations, CopyAnnoFrom, and the files a load must refuse while
// leaving both lists exactly as they were.

#include "chart/ChartStorage.h"
#include "PlotChartFixture.h"
#include "chart/ChartErrors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class TList : public TChartDrawingList {
public:
    int paints = 0;

protected:
    void Paint() override { ++paints; }
};

using TAppend = std::function<void(TChartDrawingList&)>;

// One call of every appending operation, each with values that a wrong field
// width, order or conversion would change.
const struct {
    const char* Name;
    TAppend Append;
} ItemCases[] = {
    {"MarkAt", [](auto& l) { l.MarkAt(1.25, -2.5e-300, 7); }},
    {"MarkErrorBar", [](auto& l) { l.MarkErrorBar(3.0, 4.0, 0.5, 1.5, 1, 3); }},
    {"Line", [](auto& l) { l.Line(0.1, 0.2, 1e308, -1e308); }},
    {"DrawTo", [](auto& l) { l.DrawTo(-0.0, 5e-324); }},
    {"MoveTo", [](auto& l) { l.MoveTo(std::numeric_limits<double>::infinity(), -1.0); }},
    {"Rectangle", [](auto& l) { l.Rectangle(1.0, 2.0, 3.0, 4.0); }},
    {"RectFrame",
     [](auto& l) { l.RectFrame(1.0, 2.0, 3.0, 4.0, fsEngraved, TColor(0x80000005), clAqua); }},
    {"Bar3D", [](auto& l) { l.Bar3D(1.0, 0.0, 2.0, 9.0, 12, -45); }},
    {"Text", [](auto& l) { l.Text(1.0, 2.0, 14, QStringLiteral("a \"q\" \\ \t\n\x7f")); }},
    {"long Text",
     [](auto& l) { l.Text(1.0, 2.0, 9, QString::fromUtf8("Ångström, µs and ∆t, more")); }},
    {"TextOfs", [](auto& l) { l.Text(1.0, 2.0, 8, QStringLiteral("ofs"), -3, 4, taRightJustify); }},
    {"Ellipse", [](auto& l) { l.Ellipse(5.0, 6.0, 2.0, 1.0); }},
    {"MoveToRelPix", [](auto& l) { l.MoveToRelPix(-7, 8); }},
    {"DrawToRelPix", [](auto& l) { l.DrawToRelPix(9, -10); }},
    {"DrawToRelPix at a point", [](auto& l) { l.DrawToRelPix(1.0, 2.0, 3, 4); }},
    {"Arrow", [](auto& l) { l.Arrow(1.0, 2.0, 3.0, 4.0, 11); }},
    {"DoubleArrow", [](auto& l) { l.DoubleArrow(4.0, 3.0, 2.0, 1.0, 6); }},
    {"RectangleRelPix", [](auto& l) { l.RectangleRelPix(1.0, 1.0, 5, 6); }},
    {"LineOffset", [](auto& l) { l.LineOffset(1.0, 2.0, 3.0, 4.0, -2, 2); }},
    {"Arc", [](auto& l) { l.Arc(0.0, 0.0, 3.0, 2.0, 30, 300); }},
    {"CursorVert", [](auto& l) { l.CursorVert(0.75); }},
    {"CursorHoriz", [](auto& l) { l.CursorHoriz(-0.75); }},
};

// A drawing state other than the defaults in every field an item copies.
void SetUnusualState(TChartDrawingList& l) {
    l.SetDataCol(TColor(0x80000012));
    l.SetFillCol(0x123456);
    l.SetPenStyle(psDashDotDot);
    l.SetLineWid(255);
    l.SetClassDefault(254);
    l.SetActiveLayer(2);
    l.SetDataTag(std::numeric_limits<int>::min());
    l.SetTranspItems(true);
    l.SetTextBkStyle(tbSolid);
}

// The stored lists compared as they are used: items in use, long texts, counters.
void ExpectSameList(const TItemList& got, const TItemList& want, const std::string& what) {
    ASSERT_EQ(got.NumItems, want.NumItems) << what;
    for (int i = 0; i < want.NumItems; ++i) {
        const TChartItem& g = got.Items[static_cast<std::size_t>(i)];
        const TChartItem& w = want.Items[static_cast<std::size_t>(i)];
        EXPECT_EQ(g, w) << what << ", item " << i;
        // == cannot tell 0 from -0.
        EXPECT_EQ(std::signbit(g.x), std::signbit(w.x)) << what << ", item " << i;
    }
    EXPECT_EQ(got.NumLongTexts, want.NumLongTexts) << what;
    EXPECT_EQ(got.LongTexts, want.LongTexts) << what;
    EXPECT_EQ(got.KindCount, want.KindCount) << what;
}

class ChartStorage : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Write(const QString& name, const QByteArray& bytes) const {
        QFile f(Path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return Path(name);
    }
    static QByteArray ReadAll(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
};

struct TFormat {
    const char* Name;
    void (TChartDrawingList::*Save)(const QString&) const;
};
const TFormat DataFormats[] = {{"binary", &TChartDrawingList::SaveData},
                               {"text", &TChartDrawingList::SaveDataASC}};

// A list whose items and long texts a refused load must leave alone; its
// paint count starts at 0.
void FillBystander(TList& l) {
    l.SetAllocSize(4); // small lists copy and compare quickly
    l.MoveTo(100.0, 200.0);
    l.Text(1.0, 1.0, 8, QStringLiteral("the data list's own long text"));
    l.SetAnnoMode(true);
    l.Line(1, 2, 3, 4);
    l.Text(5, 6, 8, QStringLiteral("the annotation list's own long text"));
    l.SetAnnoMode(false);
    l.paints = 0;
}

} // namespace

TEST_F(ChartStorage, EveryItemKindSurvivesBothFormats) {
    for (const TFormat& format : DataFormats) {
        for (const auto& c : ItemCases) {
            const std::string what = std::string(format.Name) + ", " + c.Name;
            TList source;
            SetUnusualState(source);
            c.Append(source);
            const QString file = Path(QStringLiteral("items"));
            (source.*format.Save)(file);
            TList loaded;
            FillBystander(loaded);
            loaded.LoadData(file);
            ExpectSameList(loaded.DataList(), source.DataList(), what);
            EXPECT_EQ(loaded.NumAnnos(), 2) << what << ": the annotations stay";
            EXPECT_EQ(loaded.paints, 0) << what << ": loading data paints nothing";
        }
    }
}

TEST_F(ChartStorage, AFullListAndAnEmptyOneRoundTripAndTheLimitStillHolds) {
    for (const TFormat& format : DataFormats) {
        for (const int n : {0, MaxChartItems}) {
            TList source;
            for (int i = 0; i < n; ++i)
                source.DrawTo(i * 0.1, std::sqrt(i));
            (source.*format.Save)(Path(QStringLiteral("full")));
            TList loaded;
            FillBystander(loaded);
            loaded.LoadData(Path(QStringLiteral("full")));
            ExpectSameList(loaded.DataList(), source.DataList(), format.Name);
            EXPECT_EQ(loaded.NumLongTextsData(), 0);
            if (n == MaxChartItems) {
                EXPECT_THROW(loaded.MoveTo(0.0, 0.0), EComponentError) << format.Name;
                EXPECT_EQ(loaded.NumItems(), MaxChartItems);
            } else {
                loaded.MoveTo(0.0, 0.0); // an emptied list takes items again
                EXPECT_EQ(loaded.NumItems(), 1);
            }
        }
    }
}

TEST_F(ChartStorage, NotANumberStaysNotANumber) {
    for (const TFormat& format : DataFormats) {
        TList source;
        source.Line(std::nan(""), -std::numeric_limits<double>::infinity(), 1.0, std::nan(""));
        (source.*format.Save)(Path(QStringLiteral("nan")));
        TList loaded;
        loaded.LoadData(Path(QStringLiteral("nan")));
        const TChartItem item = loaded.DataContainer(0);
        EXPECT_TRUE(std::isnan(item.x)) << format.Name;
        EXPECT_EQ(item.y, -std::numeric_limits<double>::infinity()) << format.Name;
        EXPECT_TRUE(std::isnan(item.y2)) << format.Name;
    }
}

TEST_F(ChartStorage, AnnotationsKeepTheirCoordinateModesAndLongTexts) {
    TList source;
    source.SetAnnoMode(true);
    SetUnusualState(source);
    for (const auto& c : ItemCases)
        c.Append(source);
    source.MoveTo(3, 4.5);           // cmXScreenYWorld
    source.DrawTo(2.5, 7);           // cmXWorldYScreen
    source.Line(1.0, 2.0, 3, 4);     // cmWorldMainScreenSec
    source.Arrow(1, 2, 3.0, 4.0, 5); // cmScreenMainWorldSec
    source.SetAnnoMode(false);
    source.DrawTo(1.0, 1.0);
    source.SaveAnno(Path(QStringLiteral("anno")));

    TList loaded;
    FillBystander(loaded);
    const TItemList dataBefore = loaded.DataList();
    loaded.LoadAnno(Path(QStringLiteral("anno")));
    ExpectSameList(loaded.AnnoList(), source.AnnoList(), "annotations");
    EXPECT_EQ(loaded.DataList(), dataBefore);
    EXPECT_EQ(loaded.paints, 1);

    // The text format holds annotations too, for files written by hand or by
    // another program.
    const QString text =
        Write(QStringLiteral("anno.txt"),
              ChartFile::WriteText(source.AnnoList(), TChartListKind::Annotations));
    TList fromText;
    fromText.LoadAnno(text);
    ExpectSameList(fromText.AnnoList(), source.AnnoList(), "annotations as text");
}

TEST_F(ChartStorage, CopyAnnoFromReplacesTheAnnotationsWithAnIndependentCopy) {
    TList source, target;
    source.SetAnnoMode(true);
    source.Rectangle(1, 2, 3, 4);
    source.Text(1.0, 2.0, 8, QStringLiteral("a long annotation text"));
    source.SetAnnoMode(false);
    source.DrawTo(9.0, 9.0);
    FillBystander(target);
    const TItemList sourceAnno = source.AnnoList();
    const TItemList targetData = target.DataList();

    target.CopyAnnoFrom(source);
    ExpectSameList(target.AnnoList(), sourceAnno, "copy");
    EXPECT_EQ(target.DataList(), targetData);
    EXPECT_EQ(target.paints, 1);
    // Appending to the copy leaves the source alone, and the copy takes
    // further long texts after the copied ones.
    target.SetAnnoMode(true);
    target.Text(0.0, 0.0, 8, QStringLiteral("another long annotation"));
    EXPECT_EQ(source.AnnoList(), sourceAnno);
    EXPECT_EQ(target.AnnoContainer(2).LWid, 2);

    const TItemList before = target.AnnoList();
    target.CopyAnnoFrom(target);
    EXPECT_EQ(target.AnnoList(), before);
}

TEST_F(ChartStorage, LoadingThroughASharingChartReplacesTheSharedList) {
    TList owner, sharer, other;
    owner.DrawTo(1.0, 1.0);
    sharer.ShareDataOf(&owner);
    other.Rectangle(5.0, 5.0, 6.0, 6.0);
    other.Text(0.0, 0.0, 8, QStringLiteral("a long text of the other list"));
    other.SaveData(Path(QStringLiteral("other")));

    sharer.LoadData(Path(QStringLiteral("other")));
    ExpectSameList(owner.DataList(), other.DataList(), "owner");
    EXPECT_EQ(&sharer.DataList(), &owner.DataList());
    // Saving through the sharer writes what it shows.
    sharer.SaveData(Path(QStringLiteral("again")));
    EXPECT_EQ(ReadAll(Path(QStringLiteral("again"))), ReadAll(Path(QStringLiteral("other"))));
}

TEST_F(ChartStorage, ALoadedListIsWhatTheChartShows) {
    const auto chart = MakeShownChart(Chart1Size);
    chart->SetAutoRedraw(true);
    SetRanges(*chart, 0, 10, 0, 10);
    TList source;
    source.SetFillCol(clRed);
    source.Rectangle(2.0, 2.0, 8.0, 8.0);
    source.SaveDataASC(Path(QStringLiteral("rect.txt")));
    chart->ShowGraf();
    const int x = chart->LRim() + chart->PlotWidth() / 2;
    const int y = chart->TRim() + chart->PlotHeight() / 2;
    ASSERT_NE(PixelAt(chart->SurfaceImage(), x, y), clRed);
    chart->LoadData(Path(QStringLiteral("rect.txt")));
    chart->ShowGraf();
    EXPECT_EQ(PixelAt(chart->SurfaceImage(), x, y), clRed);
}

// --- files a load refuses ---------------------------------------------------------------

namespace {

// A small list of each kind with a long text, the material of the bad files.
TItemList SampleList(bool anno) {
    TList l;
    l.SetAnnoMode(anno);
    l.MoveTo(1.0, 2.0);
    l.Text(3.0, 4.0, 8, QStringLiteral("a text longer than fifteen"));
    l.Line(5.0, 6.0, 7.0, 8.0);
    return l.AnnoMode() ? l.AnnoList() : l.DataList();
}

// An annotation list in pixels.
TItemList ScreenAnnotations() {
    TList l;
    l.SetAnnoMode(true);
    l.MoveTo(1, 2);
    return l.AnnoList();
}

QByteArray Binary(bool anno = false) {
    return ChartFile::WriteBinary(SampleList(anno),
                                  anno ? TChartListKind::Annotations : TChartListKind::Data);
}

QByteArray Text(bool anno = false) {
    return ChartFile::WriteText(SampleList(anno),
                                anno ? TChartListKind::Annotations : TChartListKind::Data);
}

// The binary sample with bytes replaced at an offset, the checksum made right
// again so that the change itself is what the reader meets.
QByteArray Patched(qsizetype at, const QByteArray& bytes, bool fixChecksum = true,
                   QByteArray b = Binary()) {
    b.replace(at, bytes.size(), bytes);
    if (fixChecksum) {
        const std::uint32_t crc = ChartFile::Crc32(b.constData(), b.size() - 4);
        for (int i = 0; i < 4; ++i)
            b[b.size() - 4 + i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
    }
    return b;
}

QByteArray Le32(std::uint32_t v) {
    QByteArray b;
    for (int i = 0; i < 4; ++i)
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    return b;
}

// The text sample with one line replaced.
QByteArray TextWithLine(int lineNumber, const QByteArray& line) {
    QList<QByteArray> lines = Text().split('\n');
    lines[lineNumber - 1] = line;
    return lines.join('\n');
}

TItemList ListOf(int n) {
    TItemList list;
    list.Items.assign(static_cast<std::size_t>(n), TChartItem{});
    list.NumItems = n;
    return list;
}

// Where the binary sample's parts begin: header fields, long text, items.
constexpr qsizetype VersionAt = 8, ListAt = 10, NumItemsAt = 12, LongTextAt = 16;
// The first item follows the long text (4 + 26 bytes); its kind lies after
// 4 doubles, 4 colours, pen style, tag, width and class.
constexpr qsizetype FirstItemAt = LongTextAt + 4 + 26;
constexpr qsizetype KindOfFirstItemAt = FirstItemAt + 32 + 16 + 1 + 4 + 4 + 1;

} // namespace

TEST_F(ChartStorage, ABadFileLeavesBothListsAsTheyWereAndSaysWhatIsWrong) {
    const QString dirPath = Path(QStringLiteral("a folder"));
    QDir().mkdir(dirPath);
    const struct {
        const char* Name;
        QByteArray Bytes; // written to a file unless Path is given
        bool Anno;        // loaded with LoadAnno
        const char* Expected;
        QString Path = {};
    } cases[] = {
        {"empty", {}, false, ": the file is empty"},
        {"foreign", "PK\3\4 something else", false, ", byte 0: not a chart file"},
        {"bad magic", Patched(1, "t", false), false, ", byte 0: not a chart file"},
        {"future version", Patched(VersionAt, QByteArray("\2\0", 2)), false,
         ", byte 8: the file is of format version 2, newer than this program reads (1)"},
        {"version 0", Patched(VersionAt, QByteArray("\0\0", 2)), false,
         ", byte 8: the file is of an unknown format version 0"},
        {"unknown list", Patched(ListAt, "\7"), false, ", byte 10: 7 names no list of a chart"},
        {"annotations into data", Binary(true), false,
         ", byte 10: the file holds annotations, not data"},
        {"data into annotations", Binary(false), true,
         ", byte 10: the file holds data, not annotations"},
        {"too many long texts", Patched(11, "\x33"), false,
         ", byte 11: 51 long texts, more than a list holds (50)"},
        {"over the limit", ChartFile::WriteBinary(ListOf(1001), TChartListKind::Data), false,
         ", byte 12: 1001 items, more than a chart holds (1000)"},
        {"more items than bytes", Patched(NumItemsAt, Le32(4)), false,
         ", byte 12: 4 items announced, but the file has room for 3 at most"},
        {"a huge count", Patched(NumItemsAt, Le32(0xFFFFFFFF), true, Binary(true)), true,
         ", byte 12: 4294967295 items announced"},
        {"fewer items than announced", Patched(NumItemsAt, Le32(2)), false,
         "bytes more than the list takes before the checksum"},
        {"a kind out of range", Patched(KindOfFirstItemAt, "\x18"), false,
         ": 24 is no valid value for the kind of item 1 of 3"},
        {"a pen style out of range", Patched(FirstItemAt + 48, "\x09"), false,
         ": 9 is no valid value for the pen style of item 1 of 3"},
        {"a long text that is not UTF-8", Patched(LongTextAt + 4, "\xC3\x28"), false,
         ", byte 20: long text 1 is not UTF-8 text"},
        {"a damaged value", Patched(FirstItemAt + 3, "\x55", false), false,
         ": the checksum does not match the contents: the file is damaged"},
        {"data in screen values", ChartFile::WriteBinary(ScreenAnnotations(), TChartListKind::Data),
         false, "item 1 of 1: a data item must be in world values (cmAllWorld), not cmAllScreen"},
        {"text: future version", TextWithLine(1, "TorvaneChart 7 data"), false,
         ", line 1: the file is of format version 7, newer than this program reads (1)"},
        {"text: annotations into data", Text(true), false,
         ", line 1: the file holds annotations, not data"},
        {"text: over the limit", ChartFile::WriteText(ListOf(1001), TChartListKind::Data), false,
         ", line 3: 1001 items, more than 1000"},
        {"text: garbage number",
         TextWithLine(6, "tkMoveTo 1.2.3 2 0 0 0x0 0x0 0x0 0x0 psSolid 0 1 0 1 false fsNone \"\" 0 "
                         "0 0 cmAllWorld"),
         false, ", line 6: \"1.2.3\" is not a number (field x of item 1 of 3)"},
        {"text: a number beyond a double",
         TextWithLine(6, "tkMoveTo 1e999 2 0 0 0x0 0x0 0x0 0x0 psSolid 0 1 0 1 false fsNone \"\" 0 "
                         "0 0 cmAllWorld"),
         false, ", line 6: \"1e999\" is not a number (field x of item 1 of 3)"},
        {"text: class out of range",
         TextWithLine(6, "tkMoveTo 1 2 0 0 0x0 0x0 0x0 0x0 psSolid 0 1 256 1 false fsNone \"\" 0 0 "
                         "0 cmAllWorld"),
         false,
         ", line 6: \"256\" is not a whole number from 0 to 255 (field ItemClass of item 1 of 3)"},
        {"text: unknown kind",
         TextWithLine(
             6,
             "tkSpiral 1 2 0 0 0x0 0x0 0x0 0x0 psSolid 0 1 0 1 false fsNone \"\" 0 0 0 cmAllWorld"),
         false, ", line 6: \"tkSpiral\" is not a name of its kind"},
        {"text: a field short", TextWithLine(6, "tkMoveTo 1 2"), false,
         ", line 6: item 1 of 3 ends before its field x2"},
        {"text: a field too many",
         TextWithLine(6, "tkMoveTo 1 2 0 0 0x0 0x0 0x0 0x0 psSolid 0 1 0 1 false fsNone \"\" 0 0 0 "
                         "cmAllWorld 9"),
         false, ", line 6: \"9\" after the last field of item 1 of 3"},
        {"text: an open quote", TextWithLine(3, "\"never closed"), false,
         ", line 3: a quoted text is not closed"},
        {"text: not UTF-8", TextWithLine(3, "\"\xFF\""), false,
         ", line 3: the line is not UTF-8 text"},
        {"text: no end line", Text().replace("end\n", ""), false,
         ": the file ends where the line \"end\" should follow"},
        {"text: something after the end", Text() + "tkMoveTo\n", false,
         ": \"tkMoveTo\" after the line \"end\""},
        {"missing file", {}, false, "Cannot open \"", Path(QStringLiteral("missing"))},
        {"a folder", {}, false, "\": Is a directory", dirPath},
    };
    for (const auto& c : cases) {
        const QString file = c.Path.isEmpty() ? Write(QStringLiteral("bad"), c.Bytes) : c.Path;
        TList list;
        FillBystander(list);
        const TItemList data = list.DataList();
        const TItemList anno = list.AnnoList();
        try {
            if (c.Anno)
                list.LoadAnno(file);
            else
                list.LoadData(file);
            ADD_FAILURE() << c.Name << ": loaded";
        } catch (const EChartFileError& e) {
            EXPECT_NE(e.Message().find(file.toStdString()), std::string::npos) << c.Name;
            EXPECT_NE(e.Message().find(c.Expected), std::string::npos)
                << c.Name << ": " << e.Message();
            EXPECT_EQ(e.FileName(), file.toStdString()) << c.Name;
        }
        EXPECT_EQ(list.DataList(), data) << c.Name;
        EXPECT_EQ(list.AnnoList(), anno) << c.Name;
        EXPECT_EQ(list.paints, 0) << c.Name;
    }
}

TEST_F(ChartStorage, AFileCutShortAnywhereIsRefused) {
    const struct {
        const char* Name;
        QByteArray Whole;
        bool Anno;
    } files[] = {
        {"binary", Binary(), false}, {"text", Text(), false}, {"annotations", Binary(true), true}};
    for (const auto& f : files) {
        for (qsizetype n = 0; n < f.Whole.size(); ++n) {
            // Without its last line feed a text file has lost nothing.
            if (f.Whole.startsWith('T') && n == f.Whole.size() - 1)
                continue;
            const QString file = Write(QStringLiteral("cut"), f.Whole.left(n));
            TList list;
            FillBystander(list);
            const TItemList data = list.DataList();
            const TItemList anno = list.AnnoList();
            try {
                f.Anno ? list.LoadAnno(file) : list.LoadData(file);
                ADD_FAILURE() << f.Name << " cut to " << n << " bytes: loaded";
            } catch (const EChartFileError& e) {
                // Only an empty file has no byte or line to name.
                const bool located =
                    e.Where().starts_with("line ") || e.Where().starts_with("byte ");
                EXPECT_TRUE(located || (n == 0 && e.Reason() == "the file is empty"))
                    << f.Name << " cut to " << n << ": " << e.Message();
            }
            EXPECT_EQ(list.DataList(), data) << f.Name << " cut to " << n;
            EXPECT_EQ(list.AnnoList(), anno) << f.Name << " cut to " << n;
        }
        // The whole file loads, so the cuts failed for being cuts; so does a
        // text file whose last line has no line feed.
        TList list;
        const QString file = Write(QStringLiteral("whole"), f.Whole);
        EXPECT_NO_THROW(f.Anno ? list.LoadAnno(file) : list.LoadData(file)) << f.Name;
        if (f.Whole.startsWith('T')) {
            list.LoadData(Write(QStringLiteral("no line feed"), f.Whole.chopped(1)));
            EXPECT_EQ(list.NumItems(), 3);
        }
    }
}

TEST_F(ChartStorage, AnUnreadableFileIsReported) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser reads every file";
    const QString file = Write(QStringLiteral("locked"), Binary());
    QFile::setPermissions(file, QFileDevice::WriteOwner);
    TList list;
    try {
        list.LoadData(file);
        ADD_FAILURE() << "loaded";
    } catch (const EChartFileError& e) {
        EXPECT_EQ(e.Message(), "Cannot open \"" + file.toStdString() + "\": Permission denied");
    }
}

TEST_F(ChartStorage, SavingReportsWhatKeepsTheFileFromBeingWritten) {
    TList list;
    list.DrawTo(1.0, 2.0);
    const QString folder = Path(QStringLiteral("folder"));
    QDir().mkdir(folder);
    const struct {
        const char* Name;
        QString File;
        std::string Expected;
    } cases[] = {
        {"full device", QStringLiteral("/dev/full"),
         "Cannot write \"/dev/full\": No space left on device"},
        {"no such folder", Path(QStringLiteral("nowhere/x")),
         "Cannot create \"" + Path(QStringLiteral("nowhere/x")).toStdString() +
             "\": No such file or directory"},
        {"a folder", folder, "Cannot create \"" + folder.toStdString() + "\": Is a directory"},
    };
    for (const auto& c : cases) {
        for (const auto save : {&TChartDrawingList::SaveData, &TChartDrawingList::SaveDataASC,
                                &TChartDrawingList::SaveAnno}) {
            try {
                (list.*save)(c.File);
                ADD_FAILURE() << c.Name << ": saved";
            } catch (const EChartFileError& e) {
                EXPECT_EQ(e.Message(), c.Expected) << c.Name;
            }
        }
    }
    // A save that succeeds leaves no temporary file behind and replaces the old file.
    const QString file = Path(QStringLiteral("kept"));
    Write(QStringLiteral("kept"), "old contents");
    list.SaveData(file);
    EXPECT_EQ(ReadAll(file), ChartFile::WriteBinary(list.DataList(), TChartListKind::Data));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept")});
}

// The seed files of the fuzz target were written from docs/chart-file-formats.md
// alone, byte by byte; they pin the documented layout down, so that writer and
// reader cannot drift from it together.
TEST_F(ChartStorage, TheDocumentedLayoutIsTheOneReadAndWritten) {
    const QString seeds = QStringLiteral(TORVANE_SOURCE_DIR "/fuzz/corpus/chartfile/");
    const double inf = std::numeric_limits<double>::infinity();

    TList data;
    data.MoveTo(1.0, 2.0);
    data.DrawTo(3.0, inf);
    data.Text(3.0, 4.0, 8, QStringLiteral("a text longer than fifteen"));
    data.Line(5.0, 6.0, 7.0, 8.0);
    data.MarkErrorBar(1.0, 1.0, 0.5, 0.5, 1, 3);
    TList loaded;
    loaded.LoadData(seeds + QStringLiteral("data.bin"));
    ExpectSameList(loaded.DataList(), data.DataList(), "data.bin");
    EXPECT_EQ(ChartFile::WriteBinary(data.DataList(), TChartListKind::Data),
              ReadAll(seeds + QStringLiteral("data.bin")));

    TList anno;
    anno.SetAnnoMode(true);
    anno.MoveTo(10, 20);
    anno.DrawTo(30, 2.5);
    anno.Arrow(1.0, 2.0, 3, 4, 6);
    anno.CursorVert(0.5);
    loaded.LoadAnno(seeds + QStringLiteral("anno.bin"));
    ExpectSameList(loaded.AnnoList(), anno.AnnoList(), "anno.bin");
    EXPECT_EQ(ChartFile::WriteBinary(anno.AnnoList(), TChartListKind::Annotations),
              ReadAll(seeds + QStringLiteral("anno.bin")));

    loaded.LoadData(seeds + QStringLiteral("data.txt"));
    ASSERT_EQ(loaded.NumItems(), 3);
    EXPECT_EQ(loaded.LongTextsData()[0],
              QStringLiteral("a text longer than fifteen \"quoted\" \x01"));
    EXPECT_EQ(loaded.DataContainer(1).Text, QStringLiteral("a text longer t"));
    const TChartItem frame = loaded.DataContainer(2);
    EXPECT_EQ(frame.ItemKind, tkRectFrame);
    EXPECT_EQ(frame.x, -1e300);
    EXPECT_TRUE(std::isnan(frame.y));
    EXPECT_EQ(frame.x2, inf);
    EXPECT_TRUE(std::signbit(frame.y2));
    EXPECT_EQ(frame.Color, TColor(0x80000005));
    EXPECT_EQ(frame.ShadowColor, clRed);
    EXPECT_EQ(frame.HiLightColor, clWhite);
    EXPECT_EQ(frame.PenStyle, psDash);
    EXPECT_EQ(frame.Tag, -7);
    EXPECT_EQ(frame.LWid, 3);
    EXPECT_EQ(frame.ItemClass, 254);
    EXPECT_EQ(frame.Layer, 2);
    EXPECT_TRUE(frame.Transp);
    EXPECT_EQ(frame.FrameStyle, fsRaised);
    EXPECT_EQ(loaded.ItemCount(tkRectFrame), 1);
}
