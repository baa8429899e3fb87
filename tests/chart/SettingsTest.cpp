#include "chart/BakGndImg.h"
#include "chart/ChartErrors.h"
#include "chart/CrossHair.h"
#include "chart/JointLayers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A joining object whose callbacks log what the chart would be asked to do.
struct JoinFixture {
    TJointLayers joins;
    std::vector<int> applied;
    int changes = 0;
    JoinFixture() {
        joins.OnApplyRanges = [this](int layer) { applied.push_back(layer); };
        joins.OnChange = [this] { ++changes; };
    }
};

void ExpectJoinError(const std::function<void()>& f, const std::string& message) {
    try {
        f();
        ADD_FAILURE() << "no error, expected: " << message;
    } catch (const EChartError& e) {
        EXPECT_EQ(e.Message(), message);
    }
}

} // namespace

TEST(SettingsJointLayers, JoinRefuseReleaseSequence) {
    JoinFixture f;
    EXPECT_EQ(f.joins.L01xControlledBy(), 1);
    EXPECT_EQ(f.joins.L02yControlledBy(), 2);

    f.joins.SetL02xControlledBy(1);
    EXPECT_EQ(f.joins.L02xControlledBy(), 1);
    EXPECT_EQ(f.applied, std::vector<int>{2});
    EXPECT_EQ(f.changes, 1);

    ExpectJoinError([&] { f.joins.SetL01xControlledBy(2); },
                    "Destination layer 2 is already joined");
    EXPECT_EQ(f.joins.L01xControlledBy(), 1);

    // Releasing neither applies ranges nor reports (so no repaint).
    f.joins.SetL02xControlledBy(2);
    EXPECT_EQ(f.joins.L02xControlledBy(), 2);
    EXPECT_EQ(f.applied.size(), 1u);
    EXPECT_EQ(f.changes, 1);

    // After the release the other direction is allowed, on the Y axis independently.
    f.joins.SetL01yControlledBy(2);
    EXPECT_EQ(f.joins.L01yControlledBy(), 2);
    EXPECT_EQ(f.joins.L01xControlledBy(), 1);
    EXPECT_EQ(f.applied, (std::vector<int>{2, 1}));
}

TEST(SettingsJointLayers, OutOfRangeChangesNothing) {
    for (int c : {0, 3, -1}) {
        JoinFixture f;
        ExpectJoinError([&] { f.joins.SetControlledLayerY(2, c); },
                        "Destination layer " + std::to_string(c) + " is out of range");
        ExpectJoinError([&] { f.joins.SetL01xControlledBy(c); },
                        "Destination layer " + std::to_string(c) + " is out of range");
        EXPECT_EQ(f.joins.L01xControlledBy(), 1);
        EXPECT_EQ(f.joins.L02yControlledBy(), 2);
        EXPECT_TRUE(f.applied.empty());
        EXPECT_EQ(f.changes, 0);
    }
}

TEST(SettingsJointLayers, AssignCopiesJoinsButKeepsCallbacks) {
    TJointLayers source;
    source.SetL02yControlledBy(1);
    JoinFixture f;
    f.joins.Assign(source);
    EXPECT_EQ(f.joins.L02yControlledBy(), 1);
    EXPECT_EQ(f.applied, std::vector<int>{2});
    EXPECT_EQ(f.changes, 1);
}

TEST(SettingsCrossHair, LayerClamped) {
    const struct { int in, out; } cases[] = {{-4, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 2}, {5, 2}};
    for (const auto& c : cases) {
        TCrossHair ch;
        ch.SetLayer(c.in);
        EXPECT_EQ(ch.Layer(), c.out) << c.in;
    }
}

TEST(SettingsCrossHair, PositionReportsOnlyRealChanges) {
    TCrossHair ch;
    int changes = 0;
    ch.OnChange = [&] { ++changes; };
    ch.SetPos(0, 0);
    EXPECT_EQ(changes, 0);
    ch.SetPos(0, 2.5);
    EXPECT_EQ(changes, 1);
    ch.SetPos(0, 2.5);
    EXPECT_EQ(changes, 1);
    ch.SetPos(1, 2.5);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(ch.PosX(), 1);
    EXPECT_EQ(ch.PosY(), 2.5);
}

TEST(SettingsCrossHair, AssignCopiesSettingsNotHandler) {
    TCrossHair source;
    source.SetColor(clBlue);
    source.SetLayer(2);
    source.SetMode(chBoth);
    source.SetLineType(psDot);
    source.SetLineWid(3);
    source.SetPos(4, 5);
    bool sourceCalled = false;
    source.OnChange = [&] { sourceCalled = true; };

    TCrossHair target;
    int changes = 0;
    target.OnChange = [&] { ++changes; };
    target.Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(sourceCalled);
    EXPECT_EQ(target.Color(), clBlue);
    EXPECT_EQ(target.Layer(), 2);
    EXPECT_EQ(target.Mode(), chBoth);
    EXPECT_EQ(target.LineType(), psDot);
    EXPECT_EQ(target.LineWid(), 3);
    EXPECT_EQ(target.PosX(), 4);
    EXPECT_EQ(target.PosY(), 5);
}

TEST(SettingsBakGndImg, NameKeepsFileNameUnlessIncludePath) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"/home/u/pics/sky.png", "sky.png"},
                 {"C:\\pics\\sub/sky.bmp", "sky.bmp"},
                 {"dir\\sky.bmp", "sky.bmp"},
                 {"sky.png", "sky.png"},
                 {"pics/", ""}};
    for (const auto& c : cases) {
        TBakGndImg img;
        img.SetName(QString::fromUtf8(c.in));
        EXPECT_EQ(img.Name().toStdString(), c.out) << c.in;
    }

    TBakGndImg img;
    int changes = 0;
    img.OnChange = [&] { ++changes; };
    img.SetIncludePath(true);
    img.SetName(QStringLiteral("/a/b/sky.png"));
    EXPECT_EQ(img.Name(), QStringLiteral("/a/b/sky.png"));
    img.SetIncludePath(false);
    EXPECT_EQ(img.Name(), QStringLiteral("sky.png"));
    EXPECT_EQ(changes, 3);
}

TEST(SettingsBakGndImg, DefaultsAndAssign) {
    TBakGndImg img;
    EXPECT_EQ(img.FillMode(), bfStretch);
    EXPECT_EQ(img.AreaMode(), bamNone);
    EXPECT_EQ(img.AreaColor(), 14540253);
    EXPECT_EQ(img.AreaLeft(), -1.0);
    EXPECT_EQ(img.AreaRight(), 1.0);
    EXPECT_EQ(img.AreaTop(), 1.0);
    EXPECT_EQ(img.AreaBottom(), -1.0);

    TBakGndImg source;
    source.SetIncludePath(true);
    source.SetName(QStringLiteral("/x/y.png"));
    source.SetFillMode(bfTile);
    source.SetAreaMode(bamRectInv);
    source.SetAreaColor(clRed);
    source.SetAreaLeft(-2);
    source.SetAreaRight(3);
    source.SetAreaTop(4);
    source.SetAreaBottom(-5);
    int changes = 0;
    img.OnChange = [&] { ++changes; };
    img.Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(img.Name(), QStringLiteral("/x/y.png"));
    EXPECT_TRUE(img.IncludePath());
    EXPECT_EQ(img.FillMode(), bfTile);
    EXPECT_EQ(img.AreaMode(), bamRectInv);
    EXPECT_EQ(img.AreaColor(), clRed);
    EXPECT_EQ(img.AreaLeft(), -2);
    EXPECT_EQ(img.AreaRight(), 3);
    EXPECT_EQ(img.AreaTop(), 4);
    EXPECT_EQ(img.AreaBottom(), -5);
}
