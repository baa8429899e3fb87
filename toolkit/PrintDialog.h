#pragma once

#include <QObject>

// Options of the print dialog, combined as a bit set.
enum TPrintDialogOption : unsigned {
    poPrintToFile = 1,        // offer printing to a file
    poPageNums = 2,           // offer a page range
    poSelection = 4,          // offer printing the selection
    poDisablePrintToFile = 8, // offer the file box but keep it unavailable
};
using TPrintDialogOptions = unsigned;

// The print dialog of a window: a non-visual component that shows Qt's print
// dialog for the process-wide current printer (CurrentPrinter()).
class TPrintDialog : public QObject {
    Q_OBJECT
public:
    explicit TPrintDialog(QObject* parent = nullptr);

    TPrintDialogOptions Options() const { return FOptions; }
    void SetOptions(TPrintDialogOptions options) { FOptions = options; }
    // When true the dialog opens with printing to a (PDF) file chosen; after
    // OK it tells whether the user kept that choice.
    bool PrintToFile() const { return FPrintToFile; }
    void SetPrintToFile(bool printToFile) { FPrintToFile = printToFile; }
    int Copies() const { return FCopies; }

    // Shows the modal dialog. On OK the chosen printer and settings become
    // the current printer's and true is returned; on Cancel the answers are
    // not taken and false is returned.
    bool Execute();

private:
    TPrintDialogOptions FOptions = 0;
    bool FPrintToFile = false;
    int FCopies = 1;
};
