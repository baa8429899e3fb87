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
#include <QMouseEvent>
#include <QProcess>
#include <QSet>
#include <QWheelEvent>
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

void SendMouse(QWidget& Target, QEvent::Type Type, QPoint At, Qt::MouseButtons Buttons) {
    QMouseEvent event(Type, QPointF(At), Target.mapToGlobal(QPointF(At)),
                      Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&Target, &event);
}

// Each mouse page reports its gesture in its readout: a drag from the first
// crosshair's line (so that it is caught there too) up and to the right.
TEST(GalleryMousePages, ReportTheirGestures) {
    const struct {
        const char* Page;
        const char* FirstReport;
    } cases[] = {
        {"mouse-pan", "OnZoomPan: "},
        {"mouse-pan-horiz", "OnZoomPan: "},
        {"mouse-pan-vert", "OnZoomPan: "},
        {"mouse-pan-grid", "OnZoomPan: "},
        {"mouse-zoom", "OnZoomPan: "},
        {"mouse-zoom-window", "OnZoomPan: "},
        {"mouse-rubber-band", "OnRubberBand: "},
        {"mouse-select", "OnSelectRect: "},
        {"mouse-crosshairs", "OnBeforeCrossHairMove: crosshair 1"},
        {"mouse-trace", "MouseTrace: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Page);
        const TGalleryPageEntry* entry = FindGalleryPage(QString::fromUtf8(c.Page));
        ASSERT_NE(entry, nullptr);
        std::unique_ptr<TGalleryPage> page(MakeGalleryPage(*entry));
        page->resize(1000, 600);
        page->show();
        QApplication::processEvents();
        TPlotChart& chart = *page->Charts().at(0);
        int x = 0, y = 0;
        chart.R2M(1, 3.0, 0.5, x, y);
        SendMouse(chart, QEvent::MouseButtonPress, {x, y}, Qt::LeftButton);
        for (int step = 1; step <= 5; ++step)
            SendMouse(chart, QEvent::MouseMove, {x + 30 * step, y - 20 * step}, Qt::LeftButton);
        SendMouse(chart, QEvent::MouseButtonRelease, {x + 150, y - 100}, Qt::NoButton);
        QApplication::processEvents();
        const QStringList lines = page->ReadoutLines();
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines.front().startsWith(QLatin1String(c.FirstReport)))
            << lines.join('\n').toStdString();
    }
}

// The wheel page reports a notch up and its zoom, and no zoom once its
// handler takes the wheel.
TEST(GalleryMousePages, TheWheelPageReportsTheWheelAndItsZoom) {
    std::unique_ptr<TGalleryPage> page(MakeGalleryPage(*FindGalleryPage(u"mouse-wheel")));
    page->resize(1000, 600);
    page->show();
    QApplication::processEvents();
    TPlotChart& chart = *page->Charts().at(0);
    const QPoint at(chart.LRim() + chart.PlotWidth() / 2, chart.TRim() + chart.PlotHeight() / 2);
    const auto notch = [&] {
        QWheelEvent event(QPointF(at), chart.mapToGlobal(QPointF(at)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&chart, &event);
        QApplication::processEvents();
    };
    notch();
    QStringList lines = page->ReadoutLines();
    ASSERT_EQ(lines.size(), 3) << lines.join('\n').toStdString();
    EXPECT_EQ(lines[0],
              QStringLiteral("OnMouseWheel: delta 120 at pixel %1, %2").arg(at.x()).arg(at.y()));
    EXPECT_EQ(lines[1], "OnMouseWheelUp");
    EXPECT_TRUE(lines[2].startsWith("OnZoomPan: ")) << lines[2].toStdString();

    page->findChild<QCheckBox*>()->setChecked(true);
    const double high = chart.Scale1X().RangeHigh();
    notch();
    lines = page->ReadoutLines();
    ASSERT_EQ(lines.size(), 4) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[3].endsWith(", handled")) << lines[3].toStdString();
    EXPECT_EQ(chart.Scale1X().RangeHigh(), high);
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
