#include "toolkit/PrintDialog.h"

#include "toolkit/FormPrinting.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QRadioButton>
#include <QWidget>

namespace {

// The key under which Qt's printer engine keeps the options it passes to the
// print system (job options, page set); Qt has no public name for it.
constexpr auto JobOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Everything of the printer that Qt's dialog may change before OK: it
// switches its printer to each entry the user picks in its printer list, and
// a switch between the file and a queue replaces the printer's engine.
struct TPrinterSetup {
    explicit TPrinterSetup(QPrinter& printer)
        : Format(printer.outputFormat()), PrinterName(printer.printerName()),
          OutputFileName(printer.outputFileName()), Copies(printer.copyCount()),
          Collate(printer.collateCopies()), Order(printer.pageOrder()), Color(printer.colorMode()),
          Duplex(printer.duplex()), Layout(printer.pageLayout()),
          JobOptions(printer.printEngine()->property(JobOptionsKey)) {}

    void RestoreTo(QPrinter& printer) const {
        // An empty file name switches the printer to its native output and a
        // ".pdf" one to PDF, so the name goes before the output.
        printer.setOutputFileName(OutputFileName);
        printer.setOutputFormat(Format);
        if (Format == QPrinter::NativeFormat && !PrinterName.isEmpty())
            printer.setPrinterName(PrinterName);
        printer.setCopyCount(Copies);
        printer.setCollateCopies(Collate);
        printer.setPageOrder(Order);
        printer.setColorMode(Color);
        printer.setDuplex(Duplex);
        printer.setPageLayout(Layout);
        if (JobOptions.isValid())
            printer.printEngine()->setProperty(JobOptionsKey, JobOptions);
    }

    QPrinter::OutputFormat Format;
    QString PrinterName;
    QString OutputFileName;
    int Copies;
    bool Collate;
    QPrinter::PageOrder Order;
    QPrinter::ColorMode Color;
    QPrinter::DuplexMode Duplex;
    QPageLayout Layout;
    QVariant JobOptions;
};

// Qt's dialog offers page ranges, odd or even pages and more for every
// printer of the print system, whatever its options say, and enables them
// again whenever another printer is chosen. Where the dialog prints all
// pages, everything of its range group but "all" is kept unavailable.
class TAllPagesOnly : public QObject {
public:
    explicit TAllPagesOnly(QPrintDialog& dialog) : QObject(&dialog), FDialog(dialog) {
        dialog.installEventFilter(this);
        if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers")))
            connect(printers, &QComboBox::currentIndexChanged, this, [this] { Apply(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The dialog sets its range group up when it is shown.
        if (watched == &FDialog && event->type() == QEvent::Show)
            Apply();
        return false;
    }

private:
    void Apply() {
        auto* range = FDialog.findChild<QGroupBox*>(QStringLiteral("gbPrintRange"));
        if (!range)
            return;
        for (QWidget* choice : range->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (choice->objectName() == QLatin1String("printAll"))
                static_cast<QRadioButton*>(choice)->setChecked(true);
            else
                choice->setEnabled(false);
        }
    }

    QPrintDialog& FDialog;
};

} // namespace

TPrintDialog::TPrintDialog(QObject* parent) : QObject(parent) {}

bool TPrintDialog::Execute() {
    QPrinter& printer = CurrentPrinter();
    const TPrinterSetup before(printer);

    QPrintDialog dialog(&printer, qobject_cast<QWidget*>(parent()));
    // The printer's properties (paper, job options) are always offered.
    QAbstractPrintDialog::PrintDialogOptions options =
        QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize;
    if (FOptions & poPrintToFile)
        options |= QAbstractPrintDialog::PrintToFile;
    if (FOptions & poPageNums)
        options |= QAbstractPrintDialog::PrintPageRange;
    if (FOptions & poSelection)
        options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (!(FOptions & (poPageNums | poSelection)))
        new TAllPagesOnly(dialog);
    // The dialog chooses its file entry when it is shown for a printer that
    // writes PDF; it has already chosen a queue for the printer when it was
    // made, so the printer is switched only now.
    if (FPrintToFile && (FOptions & poPrintToFile))
        printer.setOutputFormat(QPrinter::PdfFormat);

    if (dialog.exec() != QDialog::Accepted) {
        before.RestoreTo(printer);
        return false;
    }
    FPrintToFile = printer.outputFormat() == QPrinter::PdfFormat;
    FCopies = printer.copyCount();
    return true;
}
