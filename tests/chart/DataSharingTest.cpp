// Charts that share one data list (UseDataOf): what each sees after appends,
// removals and clears through any of them, how the group re-forms, and that
// an owner going away leaves its sharers with a list of their own.

#include "PlotChartFixture.h"
#include "chart/ChartDrawingList.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class TList : public TChartDrawingList {
public:
    int repaints = 0;

protected:
    void RepaintIfAuto() override { ++repaints; }
};

// The x values of a list's data items, which is how the cases tell lists apart.
std::vector<double> Xs(const TChartDrawingList& list) {
    std::vector<double> xs;
    for (const TChartItem& item : list.DataItems())
        xs.push_back(item.x);
    return xs;
}

void Append(TChartDrawingList& list, std::initializer_list<double> xs) {
    for (const double x : xs)
        list.DrawTo(x, 0.0);
}

} // namespace

TEST(DataSharing, EveryListOfAGroupSeesTheSameItemsCountersAndLongTexts) {
    TList a, b, c;
    Append(a, {1, 2});
    Append(b, {10});
    b.ShareDataOf(&a);
    c.ShareDataOf(&b); // b shares a, so c shares a too
    EXPECT_EQ(c.DataSource(), &a);
    EXPECT_EQ(Xs(b), (std::vector<double>{1, 2}));

    const struct {
        const char* Step;
        std::function<void()> Do;
        std::vector<double> Expected;
    } steps[] = {
        {"append through a sharer", [&] { Append(c, {3}); }, {1, 2, 3}},
        {"append through the owner", [&] { Append(a, {4}); }, {1, 2, 3, 4}},
        {"remove through a sharer", [&] { b.RemoveFirstItem(); }, {2, 3, 4}},
        {"remove by class", [&] { a.RemoveItemsByClass(255); }, {}},
        {"append after the removal", [&] { Append(b, {5}); }, {5}},
    };
    for (const auto& s : steps) {
        s.Do();
        for (const TChartDrawingList* list : {&a, &b, &c}) {
            EXPECT_EQ(Xs(*list), s.Expected) << s.Step;
            EXPECT_EQ(list->ItemCount(tkLineto), static_cast<int>(s.Expected.size())) << s.Step;
            EXPECT_EQ(list->NumAllocData(), a.NumAllocData()) << s.Step;
        }
    }
    c.Text(0.0, 0.0, 8, QStringLiteral("longer than fifteen"));
    EXPECT_EQ(a.NumLongTextsData(), 1);
    EXPECT_EQ(a.LongTextsData()[0], QStringLiteral("longer than fifteen"));
    EXPECT_EQ(a.ItemCount(tkText), 1);
    // The annotation lists stay each chart's own.
    c.SetAnnoMode(true);
    c.MarkAt(1.0, 1.0, 0);
    EXPECT_EQ(c.NumAnnos(), 1);
    EXPECT_EQ(a.NumAnnos() + b.NumAnnos(), 0);
}

TEST(DataSharing, TheGroupReformsAndAListGoesBackToItsOwnData) {
    enum TWho { None, A, C };
    const struct {
        const char* Case;
        // Starting from b sharing a's data: one more step.
        std::function<void(TList& a, TList& b, TList& c)> Do;
        TWho SourceOfB;
        std::vector<double> XsOfB;
        std::vector<double> XsOfA;
    } cases[] = {
        {"none: b shows its own data again",
         [](TList&, TList& b, TList&) { b.ShareDataOf(nullptr); },
         None,
         {20},
         {1}},
        {"itself: the same as none",
         [](TList&, TList& b, TList&) { b.ShareDataOf(&b); },
         None,
         {20},
         {1}},
        {"the owner shares one of its sharers: nothing changes",
         [](TList& a, TList& b, TList&) { a.ShareDataOf(&b); },
         A,
         {1},
         {1}},
        {"the owner shares another: its sharers follow",
         [](TList& a, TList&, TList& c) { a.ShareDataOf(&c); },
         C,
         {300},
         {300}},
        {"b moves to another owner",
         [](TList&, TList& b, TList& c) { b.ShareDataOf(&c); },
         C,
         {300},
         {1}},
    };
    for (const auto& k : cases) {
        TList a, b, c;
        Append(a, {1});
        Append(b, {20});
        Append(c, {300});
        b.ShareDataOf(&a);
        b.repaints = 0;
        k.Do(a, b, c);
        const TChartDrawingList* source = k.SourceOfB == A ? &a : k.SourceOfB == C ? &c : nullptr;
        EXPECT_EQ(b.DataSource(), source) << k.Case;
        EXPECT_EQ(Xs(b), k.XsOfB) << k.Case;
        EXPECT_EQ(Xs(a), k.XsOfA) << k.Case;
        // A chart whose shown data changed has been told so.
        EXPECT_EQ(b.repaints, k.XsOfB == std::vector<double>{1} ? 0 : 1) << k.Case;
        EXPECT_EQ(Xs(c), (std::vector<double>{300})) << k.Case;
        for (TList* list : {&a, &b, &c})
            for (TChartDrawingList* sharer : list->DataSharers())
                EXPECT_EQ(sharer->DataSource(), list) << k.Case;
    }
}

TEST(DataSharing, AnOwnerThatGoesAwayLeavesEachSharerAListOfItsOwn) {
    TList b, c;
    Append(b, {7});
    {
        TList a;
        Append(a, {1, 2});
        a.Text(0.0, 0.0, 8, QStringLiteral("a text of some length"));
        b.ShareDataOf(&a);
        c.ShareDataOf(&a);
        b.repaints = c.repaints = 0;
    }
    for (TList* list : {&b, &c}) {
        EXPECT_EQ(list->DataSource(), nullptr);
        EXPECT_EQ(Xs(*list), (std::vector<double>{1, 2, 0}));
        EXPECT_EQ(list->LongTextsData()[0], QStringLiteral("a text of some length"));
        EXPECT_EQ(list->repaints, 1);
    }
    // No longer shared with each other.
    Append(b, {3});
    EXPECT_EQ(c.NumItems(), 3);

    // A sharer that goes away leaves its owner's group.
    TList owner;
    {
        TList sharer;
        sharer.ShareDataOf(&owner);
        EXPECT_EQ(owner.DataSharers().size(), 1u);
    }
    EXPECT_TRUE(owner.DataSharers().empty());
    Append(owner, {1});
    EXPECT_EQ(owner.NumItems(), 1);
}

// ShowGraf of one chart repaints the others that show its data when their
// AutoRedraw is on, so they all show the new curve; a chart destroyed leaves
// the others painting safely.
TEST(DataSharing, ShowGrafKeepsSharingChartsInStep) {
    auto owner = MakeShownChart(Chart2Size);
    auto sharer = MakeShownChart(Chart2Size);
    auto quiet = MakeShownChart(Chart2Size);
    for (auto* chart : {owner.get(), sharer.get(), quiet.get()})
        SetRanges(*chart, 0, 10, 0, 10);
    sharer->SetUseDataOf(owner.get());
    quiet->SetUseDataOf(sharer.get());
    EXPECT_EQ(quiet->UseDataOf(), owner.get());
    quiet->SetAutoRedraw(false);

    owner->SetDataCol(clRed);
    owner->MoveTo(0.0, 5.0);
    owner->DrawTo(10.0, 5.0);
    const int sharerPaints = sharer->PaintCount();
    const int quietPaints = quiet->PaintCount();
    owner->hide(); // whether the owner is visible or not
    owner->ShowGraf();
    EXPECT_EQ(sharer->PaintCount(), sharerPaints + 1);
    EXPECT_EQ(quiet->PaintCount(), quietPaints);
    // The row of y = 5 on Chart2's plot area: 20 + 254 / 2.
    EXPECT_EQ(PixelAt(sharer->SurfaceImage(), 200, 147), clRed);

    // A sharer's ShowGraf repaints the owner in turn.
    owner->show();
    QApplication::processEvents();
    const int ownerPaints = owner->PaintCount();
    sharer->ShowGraf();
    EXPECT_EQ(owner->PaintCount(), ownerPaints + 1);

    // A reset of a sharer leaves the shared list alone.
    sharer->ResetComp();
    EXPECT_EQ(sharer->UseDataOf(), nullptr);
    EXPECT_EQ(owner->NumItems(), 2);

    owner.reset();
    EXPECT_EQ(quiet->UseDataOf(), nullptr);
    EXPECT_EQ(quiet->NumItems(), 2);
    quiet->SetAutoRedraw(true);
    quiet->ShowGraf();
    quiet->Paint();
    EXPECT_EQ(PixelAt(quiet->SurfaceImage(), 200, 147), clRed);
}
