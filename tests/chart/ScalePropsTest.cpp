// The axis property object: its corrections and its change reports.
#include "chart/ScaleProps.h"

#include <gtest/gtest.h>

namespace {

struct Counted {
    TScalePropsHoriz props;
    int changes = 0;
    Counted() {
        props.OnChange = [this](TScaleProps* sender) {
            EXPECT_EQ(sender, &props);
            ++changes;
        };
    }
};

TEST(ScaleProps, EqualRangeEndsAreMovedApartByMinRange) {
    Counted c;
    TScaleProps& p = c.props;
    p.SetRangeHigh(0);
    EXPECT_DOUBLE_EQ(p.RangeLow(), -1e-10);
    EXPECT_EQ(p.RangeHigh(), 0);
    p.SetRangeLow(0);
    EXPECT_EQ(p.RangeLow(), 0);
    EXPECT_DOUBLE_EQ(p.RangeHigh(), 1e-10);
    EXPECT_EQ(c.changes, 2);

    // Ends further apart than MinRange are stored as given, even reversed.
    p.SetRangeHigh(100);
    p.SetRangeLow(200);
    EXPECT_EQ(p.RangeLow(), 200);
    EXPECT_EQ(p.RangeHigh(), 100);
    EXPECT_EQ(p.GetScaleCenter(), 150);
}

TEST(ScaleProps, MinRangeWidensANarrowRangeAroundItsCentre) {
    Counted c;
    TScaleProps& p = c.props;
    p.SetRangeLow(10);
    p.SetRangeHigh(11);
    const int before = c.changes;
    p.SetMinRange(1e-100); // too small: ignored, no report
    p.SetMinRange(-5);
    EXPECT_EQ(c.changes, before);
    EXPECT_EQ(p.MinRange(), 1e-10);
    p.SetMinRange(4);
    EXPECT_EQ(p.MinRange(), 4);
    EXPECT_EQ(p.RangeLow(), 8.5);
    EXPECT_EQ(p.RangeHigh(), 12.5);
    EXPECT_EQ(c.changes, before + 1);
    p.SetMinRange(2); // the range is wide enough already
    EXPECT_EQ(p.RangeLow(), 8.5);
    EXPECT_EQ(p.RangeHigh(), 12.5);
    // Setting an end closer than MinRange to the other moves that one.
    p.SetRangeLow(11);
    EXPECT_EQ(p.RangeHigh(), 13);
}

TEST(ScaleProps, LogarithmicIsCheckedOnlyAfterLoading) {
    TScalePropsVert p;
    p.SetRangeLow(-1);
    p.SetLogarithmic(true); // still loading: accepted unchecked
    EXPECT_TRUE(p.Logarithmic());
    p.Loaded();
    p.SetLogarithmic(false);
    p.SetLogarithmic(true); // a range end below 1e-100
    EXPECT_FALSE(p.Logarithmic());
    p.SetRangeLow(1);
    p.SetRangeHigh(1000);
    p.SetLogarithmic(true);
    EXPECT_TRUE(p.Logarithmic());
    // On a logarithmic axis an end below 1e-100 is refused.
    p.SetRangeLow(0);
    EXPECT_EQ(p.RangeLow(), 1);
    p.SetRangeHigh(-3);
    EXPECT_EQ(p.RangeHigh(), 1000);
    // Date labels switch it off and refuse it.
    p.SetLabelType(ftDateTime);
    EXPECT_FALSE(p.Logarithmic());
    p.SetLogarithmic(true);
    EXPECT_FALSE(p.Logarithmic());
    p.SetLabelType(ftTime);
    EXPECT_EQ(p.DecPlaces(), 4);
}

TEST(ScaleProps, ClampsLocationsAndScalePosition) {
    TScalePropsHoriz h;
    EXPECT_EQ(h.ScaleType(), sctXT);
    h.SetDecPlaces(20);
    EXPECT_EQ(h.DecPlaces(), 12);
    h.SetDecPlaces(-7);
    EXPECT_EQ(h.DecPlaces(), -3);
    h.SetMinTicks(50); // the scale clamps it, not the property
    EXPECT_EQ(h.MinTicks(), 50);
    h.SetScaleLocation(slTop);
    EXPECT_EQ(h.ScaleType(), sctXB);
    h.SetScaleLocation(slBottom);
    EXPECT_EQ(h.ScaleType(), sctXT);
    h.SetScalePos(7);
    EXPECT_EQ(h.ScalePos(), 7);

    TScalePropsVert v;
    v.SetScaleLocation(slRight);
    EXPECT_EQ(v.ScaleType(), sctYL);
    v.SetScaleLocation(slLeft);
    EXPECT_EQ(v.ScaleType(), sctYR);
    v.SetScalePos(5);
    EXPECT_EQ(v.ScalePos(), 5);
    // The two positions are separate fields, chosen by orientation.
    v.SetScaleType(sctXT);
    EXPECT_EQ(v.ScalePos(), 0);
}

TEST(ScaleProps, FontAndDateFormatChangesAreReported) {
    Counted c;
    TFont f = c.props.Font();
    f.Height = -17;
    c.props.SetFont(f);
    EXPECT_EQ(c.changes, 1);
    c.props.DateFormat().SetTimeFormat(tfAMPM);
    EXPECT_EQ(c.changes, 2);
    EXPECT_EQ(c.props.DateFormat().TimeFormat(), tfAMPM);

    // A copy keeps the settings and reports to its own handler only.
    TScalePropsHoriz copy(c.props);
    int copyChanges = 0;
    copy.OnChange = [&](TScaleProps*) { ++copyChanges; };
    copy.DateFormat().SetDateSeparator(u'/');
    EXPECT_EQ(copyChanges, 1);
    EXPECT_EQ(c.changes, 2);
    EXPECT_EQ(copy.Font().Height, -17);
    EXPECT_EQ(copy.DateFormat().TimeFormat(), tfAMPM);
}

TEST(ScaleProps, ResetRestoresTheDefaults) {
    TScalePropsVert p;
    p.SetScaleLocation(slRight);
    p.SetRangeLow(-5);
    p.SetCaption(QStringLiteral("x"));
    p.SetVisible(true);
    p.DateFormat().SetYearLength(ylNone);
    p.Loaded();
    p.ResetComp();
    EXPECT_EQ(p.ScaleLocation(), slLeft);
    EXPECT_EQ(p.ScaleType(), sctXT); // until the location is set again
    EXPECT_EQ(p.RangeLow(), 0);
    EXPECT_EQ(p.RangeHigh(), 1);
    EXPECT_TRUE(p.Caption().isEmpty());
    EXPECT_FALSE(p.Visible());
    EXPECT_TRUE(p.NotYetLoaded());
    EXPECT_EQ(p.DecPlaces(), -2);
    EXPECT_EQ(p.MinTicks(), 3);
    EXPECT_EQ(p.LabelType(), ftNum);
    EXPECT_EQ(p.DateFormat().YearLength(), ylYYYY);
}

} // namespace

namespace {

TEST(ScaleProps, ResetForgetsTheOwnersHandlerAndReportsNothing) {
    // The owner installs its handler again after a reset; the reset itself
    // must not report into it, nor leave it behind.
    Counted c;
    c.props.SetScaleLocation(slTop);
    c.props.SetCaption(QStringLiteral("t"));
    const int before = c.changes;
    c.props.ResetComp();
    EXPECT_EQ(c.changes, before);
    EXPECT_FALSE(c.props.OnChange);
    EXPECT_EQ(c.props.ScaleLocation(), slBottom);
    EXPECT_EQ(c.props.ScaleType(), sctXT);
    EXPECT_TRUE(c.props.Caption().isEmpty());
    c.props.SetCaption(QStringLiteral("after"));
    EXPECT_EQ(c.changes, before);
}

TEST(ScaleProps, AssigningAWholeObjectTakesItsLocation) {
    TScalePropsHoriz top;
    top.SetScaleLocation(slTop);
    top.SetScalePos(7);
    Counted c;
    c.props.Assign(top);
    EXPECT_EQ(c.props.ScaleLocation(), slTop);
    EXPECT_EQ(c.props.ScaleType(), sctXB);
    EXPECT_EQ(c.props.ScalePos(), 7);
    EXPECT_EQ(c.changes, 1);

    TScalePropsVert right;
    right.SetScaleLocation(slRight);
    TScalePropsVert left;
    left.Assign(right);
    EXPECT_EQ(left.ScaleLocation(), slRight);
    EXPECT_EQ(left.ScaleType(), sctYL);
}

} // namespace
