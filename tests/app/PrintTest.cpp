#include "app/Unit2.h"
#include "toolkit/FormPrinting.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct TDialogSeen {
    bool Opened = false;
    QString Output; // the destination the dialog had chosen on opening
};

// Answers the next print dialog: OK after pointing its file output at `file`,
// or Cancel.
void AnswerNextDialog(TDialogSeen& seen, bool ok, const QString& file = {}) {
    QTimer::singleShot(0, [&seen, ok, file] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen.Opened = true;
        if (auto* printers = dialog->findChild<QComboBox*>("printers"))
            seen.Output = printers->currentText();
        if (!ok) {
            dialog->reject();
            return;
        }
        if (auto* name = dialog->findChild<QLineEdit*>("filename"))
            name->setText(file);
        dialog->accept();
    });
}

int PdfPages(const QString& pdf) {
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished();
    const auto match = QRegularExpression("Pages:\\s+(\\d+)")
                           .match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

TEST(Print, CancelPrintsNothingOkPrintsOnePageAndFileOutputIsChosenEveryTime) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TForm2 form;
    const QString pdf = dir.filePath("window.pdf");
    CurrentPrinter().setOutputFileName(pdf);

    TDialogSeen cancelled;
    AnswerNextDialog(cancelled, false);
    form.Button3Click();
    EXPECT_TRUE(cancelled.Opened);
    EXPECT_TRUE(cancelled.Output.contains("File")) << cancelled.Output.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));

    TDialogSeen accepted;
    AnswerNextDialog(accepted, true, pdf);
    form.Button3Click();
    EXPECT_TRUE(accepted.Opened);
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(PdfPages(pdf), 1);

    // The printed page shows the window: its background at the picture's
    // top-left corner, in the window's proportions across the page.
    ASSERT_EQ(QProcess::execute("pdftoppm",
                                {"-r", "72", "-png", "-singlefile", pdf, dir.filePath("page")}),
              0);
    const QImage page(dir.filePath("page.png"));
    const QRect printable = CurrentPrinter().pageLayout().paintRectPoints();
    const QSize fitted = FitToPage(QSize(978, 711), printable.size());
    const QColor face = form.palette().color(QPalette::Window);
    EXPECT_EQ(QColor(page.pixel(printable.topLeft() + QPoint(1, 1))), face);
    EXPECT_EQ(QColor(page.pixel(printable.left() + fitted.width() - 2, printable.top() + 1)), face);
    EXPECT_EQ(QColor(page.pixel(printable.left() + 1, printable.top() + fitted.height() + 3)),
              QColor(Qt::white));

    QFile::remove(pdf);
    TDialogSeen again;
    AnswerNextDialog(again, false);
    form.Button3Click();
    EXPECT_TRUE(again.Opened);
    EXPECT_EQ(again.Output, cancelled.Output);
    EXPECT_FALSE(QFile::exists(pdf));
}
