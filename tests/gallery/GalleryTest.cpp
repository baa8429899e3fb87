// The chart gallery: its blank-plot measure on charts of known content, and
// the program itself started on each of its pages, which must draw every
// chart they hold.
#include "chart/BakGndImg.h"
#include "chart/PlotChart.h"
#include "chart/ScaleProps.h"
#include "gallery/GalleryPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QProcess>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct TRun {
    int Status = -1;
    QString Out, Err;
};

TRun RunGallery(const QStringList& arguments) {
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    run.setProcessEnvironment(environment);
    run.start(TORVANE_GALLERY_EXE, arguments);
    if (!run.waitForFinished(60000))
        run.kill();
    return {run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1,
            QString::fromLocal8Bit(run.readAllStandardOutput()),
            QString::fromLocal8Bit(run.readAllStandardError())};
}

TEST(GalleryPlotPixels, CountWhatIsDrawnOverTheBackground) {
    struct TCase {
        const char* What;
        std::function<void(TCustomPlotChart&)> Draw;
        int Least; // 0: exactly 0
    };
    // A band covers much of the plot, yet is background: a page whose items
    // fail to draw shows only it.
    const auto band = [](TCustomPlotChart& c, TBGAreaMode mode) {
        c.BackGroundImg().SetAreaLeft(0.2);
        c.BackGroundImg().SetAreaRight(0.6);
        c.BackGroundImg().SetAreaMode(mode);
    };
    const TCase cases[] = {
        {"no items", [](TCustomPlotChart&) {}, 0},
        {"an area band alone", [&](TCustomPlotChart& c) { band(c, bamVStripe); }, 0},
        {"a horizontal cursor: one row inside the frame",
         [](TCustomPlotChart& c) {
             c.CursorHoriz(0.5);
             c.ShowGraf();
         },
         -2},
        {"one filled square mark over a band",
         [&](TCustomPlotChart& c) {
             band(c, bamLeft);
             c.SetFillCol(clRed);
             c.MarkAt(0.5, 0.5, 4);
             c.ShowGraf();
         },
         49},
    };
    for (const TCase& t : cases) {
        SCOPED_TRACE(t.What);
        TGalleryPage page(QStringLiteral("test"));
        TPlotChart& chart = page.AddChart();
        page.resize(600, 400);
        page.show();
        QApplication::processEvents();
        t.Draw(chart);
        QApplication::processEvents();
        const int drawn = PlotPixelsDrawn(chart);
        if (t.Least == 0)
            EXPECT_EQ(drawn, 0);
        else if (t.Least < 0) // that many pixels fewer than the plot's width
            EXPECT_EQ(drawn, chart.PlotWidth() + t.Least);
        else
            EXPECT_GE(drawn, t.Least);
    }
}

TEST(GalleryPages, NamesAreUniqueAndFound) {
    QSet<QString> names;
    for (const TGalleryPageEntry& entry : GalleryPages()) {
        const QString name = QString::fromUtf8(entry.Name);
        EXPECT_FALSE(name.isEmpty());
        EXPECT_FALSE(name.contains(' ')) << entry.Name;
        EXPECT_FALSE(names.contains(name)) << entry.Name;
        names.insert(name);
        EXPECT_EQ(FindGalleryPage(name), &entry);
    }
    EXPECT_EQ(FindGalleryPage(u"no-such-page"), nullptr);
}

// What a person can choose on a page (its choosers and switches) must leave
// every chart drawing something.
TEST(GalleryPages, EveryChoiceOnAPageKeepsItsChartsDrawn) {
    for (const TGalleryPageEntry& entry : GalleryPages()) {
        SCOPED_TRACE(entry.Name);
        std::unique_ptr<TGalleryPage> page(MakeGalleryPage(entry));
        page->resize(1000, 560);
        page->show();
        QApplication::processEvents();
        const auto expectDrawn = [&](const QString& after) {
            QApplication::processEvents();
            for (std::size_t n = 0; n < page->Charts().size(); ++n)
                EXPECT_GE(PlotPixelsDrawn(*page->Charts()[n]), MinPlotPixelsDrawn)
                    << "chart " << n + 1 << " after " << after.toStdString();
        };
        for (QComboBox* box : page->findChildren<QComboBox*>())
            for (int i = 0; i < box->count(); ++i) {
                box->setCurrentIndex(i);
                expectDrawn(box->currentText());
            }
        for (QCheckBox* check : page->findChildren<QCheckBox*>()) {
            check->toggle();
            expectDrawn(check->text() + " toggled");
            check->toggle();
        }
    }
}

TEST(GalleryProgram, ListsItsPagesAndDrawsEveryChartOnEach) {
    const TRun list = RunGallery({"--list"});
    ASSERT_EQ(list.Status, 0) << list.Err.toStdString();
    QStringList expected;
    for (const TGalleryPageEntry& entry : GalleryPages())
        expected << QString::fromUtf8(entry.Name);
    const QStringList names = list.Out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(names, expected);
    for (const QString& name : names) {
        const TRun run = RunGallery({"--page", name, "--check"});
        EXPECT_EQ(run.Status, 0) << name.toStdString() << ": " << run.Err.toStdString();
    }
}

TEST(GalleryProgram, RefusesAnUnknownPageOrOption) {
    struct TCase {
        QStringList Arguments;
        const char* Message;
    };
    const TCase cases[] = {
        {{"--page", "no-such-page"}, "no page \"no-such-page\""},
        {{"--page"}, "--page needs a page name"},
        {{"--frobnicate"}, "unknown option --frobnicate"},
    };
    for (const TCase& c : cases) {
        const TRun run = RunGallery(c.Arguments);
        EXPECT_EQ(run.Status, 1) << c.Message;
        EXPECT_TRUE(run.Err.contains(c.Message)) << run.Err.toStdString();
    }
}

} // namespace
