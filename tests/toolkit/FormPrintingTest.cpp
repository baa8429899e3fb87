#include "toolkit/FormPrinting.h"

#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

TEST(FormPrinting, ImageFillsThePageHeightOrWidthKeepingProportions) {
    const struct {
        QSize Page;
        QSize Printed;
    } cases[] = {
        {{4800, 6600}, {4800, 3490}}, // portrait: across the top
        {{6600, 4800}, {6600, 4798}}, // almost the window's shape: width limits
        {{7000, 4800}, {6603, 4800}}, // wide: height limits
        {{978, 711}, {978, 711}},     // same shape and size
        {{1956, 1422}, {1956, 1422}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitToPage(QSize(978, 711), c.Page), c.Printed) << c.Page.width();
    EXPECT_EQ(FitToPage(QSize(0, 711), QSize(100, 100)), QSize(0, 0));
}

namespace {

QWidget* Block(QWidget* parent, QRect where, Qt::GlobalColor color) {
    auto* w = new QWidget(parent);
    w->setGeometry(where);
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    return w;
}

bool Near(QRgb a, QColor b) {
    return std::abs(qRed(a) - b.red()) < 40 && std::abs(qGreen(a) - b.green()) < 40 &&
           std::abs(qBlue(a) - b.blue()) < 40;
}

} // namespace

TEST(FormPrinting, FormImageCutsOffControlsBeyondTheClientArea) {
    QWidget form;
    form.setFixedSize(978, 711);
    Block(&form, QRect(970, 0, 100, 10), Qt::red);
    const QImage image = FormImage(&form);
    EXPECT_EQ(image.size(), QSize(978, 711));
    EXPECT_EQ(QColor(image.pixel(975, 5)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(960, 5)), form.palette().color(QPalette::Window));
}

TEST(FormPrinting, PdfPageHoldsTheFittedPictureAtTheTopLeft) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QWidget form;
    form.setFixedSize(978, 711);
    QPalette palette = form.palette();
    palette.setColor(QPalette::Window, Qt::yellow);
    form.setPalette(palette);
    Block(&form, QRect(0, 0, 100, 100), Qt::red);      // top-left corner
    Block(&form, QRect(878, 611, 100, 100), Qt::blue); // bottom-right corner
    Block(&form, QRect(1000, 0, 500, 711), Qt::green); // never printed

    const QString pdf = dir.filePath("form.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    PrintForm(&form, printer, "Torvane analyzer");

    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished());
    const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(infoText.contains(QRegularExpression("Pages:\\s+1\\n"))) << infoText.toStdString();
    EXPECT_TRUE(infoText.contains(QRegularExpression("Title:\\s+Torvane analyzer")))
        << infoText.toStdString();

    const int dpi = 96;
    ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf,
                                             dir.filePath("page")}),
              0);
    const QImage page(dir.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    const QRect printable = printer.pageLayout().paintRectPixels(dpi);
    const QSize fitted = FitToPage(QSize(978, 711), printable.size());
    const QRect picture(printable.topLeft(), fitted);
    const double scale = fitted.width() / 978.0;
    // Red at the top-left, blue at the bottom-right, yellow between, white outside.
    EXPECT_TRUE(Near(page.pixel(picture.topLeft() + QPoint(2, 2)), Qt::red));
    EXPECT_TRUE(Near(page.pixel(picture.bottomRight() - QPoint(2, 2)), Qt::blue));
    EXPECT_TRUE(Near(page.pixel(picture.left() + int(150 * scale), picture.top() + 5), Qt::yellow));
    EXPECT_TRUE(Near(page.pixel(picture.right() - 5, picture.top() + 5), Qt::yellow));
    EXPECT_TRUE(Near(page.pixel(picture.left() - 3, picture.top() + 5), Qt::white));
    EXPECT_TRUE(Near(page.pixel(picture.right() + 3, picture.top() + 5), Qt::white));
    EXPECT_TRUE(Near(page.pixel(picture.left() + 5, picture.bottom() + 3), Qt::white));
    for (int y = 0; y < page.height(); y += 7)
        for (int x = 0; x < page.width(); x += 7)
            ASSERT_FALSE(Near(page.pixel(x, y), Qt::green)) << x << "," << y;
}
