#include "toolkit/FormPrinting.h"

#include "base/Exception.h"
#include "toolkit/PrintQueue.h"

#include <QPainter>
#include <QPrinter>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <memory>

QPrinter& CurrentPrinter() {
    // Lives until the process ends; QPrinter needs the application object,
    // so it is made on first use rather than at static initialisation.
    static const std::unique_ptr<QPrinter> printer =
        std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer;
}

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDivRound(int a, int b, int c) {
    return static_cast<int>(std::llround(static_cast<double>(a) * b / c));
}

} // namespace

QSize FitToPage(QSize image, QSize page) {
    if (image.width() <= 0 || image.height() <= 0)
        return {0, 0};
    const int w = MulDivRound(image.width(), page.height(), image.height());
    if (w < page.width())
        return {w, page.height()};
    return {page.width(), MulDivRound(image.height(), page.width(), image.width())};
}

QImage FormImage(QWidget* form) {
    // At the screen's resolution: on a high-DPI screen the page gets the
    // sharp text and charts the window shows.
    const qreal ratio = std::max<qreal>(1, form->devicePixelRatioF());
    QImage image(form->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(form->palette().color(form->backgroundRole()));
    form->render(&image, QPoint(), QRegion(form->rect()),
                 QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return image;
}

void PrintForm(QWidget* form, QPrinter& printer, const QString& documentName) {
    const char* const notPrinting = "Printer is not currently printing";
    printer.setDocName(documentName);
    // A stopped queue would hold the page and one that refuses jobs would
    // drop it, both without a word from Qt: no job is begun for them.
    if (!QueueTakesJobs(printer))
        throw Exception(notPrinting);
    QPainter painter;
    if (!painter.begin(&printer))
        throw Exception(notPrinting);
    // The painter's destructor ends the job when the image or the copy fails.
    const QImage image = FormImage(form);
    const QSize size =
        FitToPage(image.deviceIndependentSize().toSize(), QSize(printer.width(), printer.height()));
    painter.drawImage(QRect(QPoint(0, 0), size), image);
    painter.end();
    // The queue may have changed its mind since it was asked.
    if (QueueRefusedTheJob(printer))
        throw Exception(notPrinting);
}
