// Both charts of the window after analysing each example profile, one after
// the other as a user would, checked pixel for pixel against pictures
// rendered from an earlier commit: the picture on the screen after the
// analysis, a full repaint and the picture printing renders must all be it.
//
// The references are rendered by this test itself (see PixelReference.h).

#include "app/Unit2.h"
#include "chart/PlotChart.h"
#include "tests/common/KeepCurrentDirectory.h"
#include "tests/common/PixelReference.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FileListBox.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

const QString References = QStringLiteral(TORVANE_SOURCE_DIR "/tests/app/references");
const QString Examples = QStringLiteral(TORVANE_SOURCE_DIR "/examples");

TEST(WindowChartReference, BothChartsAfterEachExampleProfile) {
    TKeepCurrentDirectory keep;
    TForm2 form;
    form.DirectoryListBox1->SetDirectory(Examples);
    form.show();
    const QStringList profiles =
        QDir(Examples).entryList({QStringLiteral("*.torvane")}, QDir::Files, QDir::Name);
    ASSERT_GE(profiles.size(), 5);
    for (const QString& profile : profiles) {
        SCOPED_TRACE(profile.toStdString());
        const auto rows = form.FileListBox1->findItems(profile, Qt::MatchExactly);
        ASSERT_EQ(rows.size(), 1);
        form.FileListBox1->setCurrentItem(rows.front());
        ASSERT_EQ(form.Edit1->text(), profile);
        form.Button1->click();
        for (const char* name : {"Chart1", "Chart2"}) {
            SCOPED_TRACE(name);
            auto& chart = *form.Control<TPlotChart>(name);
            const QString reference = QFileInfo(profile).completeBaseName() + u'-' + name;
            EXPECT_TRUE(MatchesReference(chart.SurfaceImage(), References, reference));
            if (WritingReferences())
                continue;
            chart.Paint();
            EXPECT_TRUE(MatchesReference(chart.SurfaceImage(), References, reference))
                << "full repaint";
            QImage printed(chart.size(), QImage::Format_RGB32);
            printed.fill(Qt::green);
            chart.render(&printed);
            EXPECT_TRUE(MatchesReference(printed, References, reference)) << "rendered";
        }
    }
}

} // namespace
