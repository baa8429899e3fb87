#include "toolkit/PrintDialog.h"

#include "toolkit/FormPrinting.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

TPrintDialog::TPrintDialog(QObject* parent) : QObject(parent) {}

bool TPrintDialog::Execute() {
    QPrinter& printer = CurrentPrinter();
    // Qt's dialog selects its file entry when the printer writes PDF.
    if (FPrintToFile && (FOptions & poPrintToFile))
        printer.setOutputFormat(QPrinter::PdfFormat);

    QPrintDialog dialog(&printer, qobject_cast<QWidget*>(parent()));
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintCollateCopies;
    if (FOptions & poPrintToFile)
        options |= QAbstractPrintDialog::PrintToFile;
    if (FOptions & poPageNums)
        options |= QAbstractPrintDialog::PrintPageRange;
    if (FOptions & poSelection)
        options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    FPrintToFile = printer.outputFormat() == QPrinter::PdfFormat;
    FCopies = printer.copyCount();
    return true;
}
