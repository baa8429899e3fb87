// Both window charts on a device of pixel ratio 2: the same geometry as the
// references of ratio 1, drawn at device resolution (thin lines one device
// pixel, the curve not made of doubled pixels). Run in-process, a chart is
// rendered into a picture of ratio 2 as printing renders it; under
// QT_SCALE_FACTOR=2 (a ctest of its own) the screen itself has ratio 2.

#include "app/Unit2.h"
#include "chart/PlotChart.h"
#include "tests/common/KeepCurrentDirectory.h"
#include "tests/common/PixelReference.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/FileListBox.h"

#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QString References = QStringLiteral(TORVANE_SOURCE_DIR "/tests/app/references");
const QString Examples = QStringLiteral(TORVANE_SOURCE_DIR "/examples");
constexpr QRgb CurveBlue = 0x0000FF;

bool Blue(const QImage& img, int x, int y) {
    return (img.pixel(x, y) & 0xFFFFFF) == CurveBlue;
}

// Rows of blue lines across the plot: runs of rows that are blue over most
// of the picture's width.
struct TRun {
    int Top;
    int Height;
};
std::vector<TRun> LineRuns(const QImage& img) {
    std::vector<TRun> runs;
    for (int y = 0; y < img.height(); ++y) {
        int blue = 0;
        for (int x = 0; x < img.width(); ++x)
            blue += Blue(img, x, y);
        if (blue < img.width() * 3 / 4)
            continue;
        if (!runs.empty() && runs.back().Top + runs.back().Height == y)
            ++runs.back().Height;
        else
            runs.push_back({y, 1});
    }
    return runs;
}

QImage AtRatioTwo(TPlotChart& chart) {
    if (chart.devicePixelRatioF() == 2) {
        // The screen's own ratio: what the window shows.
        chart.Paint();
        return chart.SurfaceImage().copy();
    }
    QImage picture(chart.size() * 2, QImage::Format_RGB32);
    picture.setDevicePixelRatio(2);
    picture.fill(Qt::green);
    chart.render(&picture);
    return picture;
}

TEST(WindowChartHighDpi, ThinLinesAreOneDevicePixelAndTheCurveIsSharp) {
    TKeepCurrentDirectory keep;
    TForm2 form;
    form.DirectoryListBox1->SetDirectory(Examples);
    form.show();
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("2")) {
        ASSERT_EQ(form.devicePixelRatioF(), 2) << "the screen's ratio";
    }
    const auto rows =
        form.FileListBox1->findItems(QStringLiteral("J0437-4715.torvane"), Qt::MatchExactly);
    ASSERT_EQ(rows.size(), 1);
    form.FileListBox1->setCurrentItem(rows.front());
    form.Button1->click();
    // Chart1: the bold mean and two thin lines; Chart2: the bold mean, which
    // covers the thin header average in this profile.
    for (const auto& [name, thinLines] : {std::pair{"Chart1", 2}, std::pair{"Chart2", 0}}) {
        SCOPED_TRACE(name);
        auto& chart = *form.Control<TPlotChart>(name);
        const QString reference = QStringLiteral("J0437-4715-") + QString::fromLatin1(name);
        const QImage one(References + u'/' + reference + QStringLiteral(".png"));
        ASSERT_FALSE(one.isNull());
        const QImage two = AtRatioTwo(chart);
        ASSERT_EQ(two.size(), one.size() * 2);
        EXPECT_EQ(chart.SurfaceImage().devicePixelRatio(), 2);

        // The lines lie where they lie at ratio 1: a thin one on the top
        // device row of its logical row, exactly one device pixel high; the
        // bold one (3 pixels) twice as many device rows.
        const std::vector<TRun> logical = LineRuns(one);
        const std::vector<TRun> device = LineRuns(two);
        ASSERT_EQ(logical.size(), static_cast<std::size_t>(thinLines + 1));
        ASSERT_EQ(device.size(), logical.size());
        int thin = 0;
        for (std::size_t i = 0; i < logical.size(); ++i) {
            SCOPED_TRACE(i);
            if (logical[i].Height == 1) {
                ++thin;
                EXPECT_EQ(device[i].Top, 2 * logical[i].Top);
                EXPECT_EQ(device[i].Height, 1);
            } else {
                EXPECT_EQ(logical[i].Height, 3);
                EXPECT_EQ(device[i].Height, 6);
                EXPECT_LE(std::abs(device[i].Top - 2 * logical[i].Top), 1);
            }
        }
        EXPECT_EQ(thin, thinLines);

        // The curve off the lines: drawn in device pixels, so hardly any of
        // its pixels fill a whole 2 x 2 block, as logical pixels blown up
        // would all do; and it is there, about twice as many pixels as at
        // ratio 1 (twice the steps along the same path).
        const auto onLine = [&](int y) {
            for (const TRun& run : device)
                if (y >= run.Top - 2 && y < run.Top + run.Height + 2)
                    return true;
            return false;
        };
        int curve = 0, inBlocks = 0, curveOne = 0;
        for (int y = 0; y + 1 < two.height(); y += 2) {
            if (onLine(y) || onLine(y + 1))
                continue;
            for (int x = 0; x + 1 < two.width(); x += 2) {
                const int n = Blue(two, x, y) + Blue(two, x + 1, y) + Blue(two, x, y + 1) +
                              Blue(two, x + 1, y + 1);
                curve += n;
                inBlocks += n == 4 ? 4 : 0;
                curveOne += Blue(one, x / 2, y / 2);
            }
        }
        ASSERT_GT(curveOne, 50);
        EXPECT_GT(curve, curveOne * 3 / 2);
        EXPECT_LT(inBlocks, curve / 10);

        // The plot frame, one device pixel on the outermost device column of
        // the plot area: the frame column of ratio 1 is black, the pixel
        // inside it at ratio 2 is not.
        const int midY = one.height() / 2;
        int frameX = -1;
        for (int x = one.width() - 1; x > 0 && frameX < 0; --x)
            if ((one.pixel(x, midY) & 0xFFFFFF) == 0 && (one.pixel(x, midY + 5) & 0xFFFFFF) == 0)
                frameX = x;
        ASSERT_GT(frameX, 0);
        EXPECT_EQ(two.pixel(2 * frameX + 1, 2 * midY) & 0xFFFFFF, 0u);
        EXPECT_NE(two.pixel(2 * frameX, 2 * midY) & 0xFFFFFF, 0u);

        // A print at ratio 1 in between: at a screen of ratio 1 it is the
        // reference, and the screen gets a picture at its own ratio again.
        QImage printed(chart.size(), QImage::Format_RGB32);
        printed.fill(Qt::green);
        chart.render(&printed);
        if (chart.devicePixelRatioF() == 1) {
            EXPECT_TRUE(MatchesReference(printed, References, reference));
        }
        chart.ShowGraf();
        EXPECT_EQ(chart.SurfaceImage().devicePixelRatio(), chart.devicePixelRatioF());
    }
}

} // namespace
