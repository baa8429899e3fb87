#include "toolkit/PrintQueue.h"

#include <QPrinter>
#include <cups/cups.h>
#include <memory>

namespace {

bool PrintsToQueue(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty();
}

// "State 5" is stopped; 3 and 4 are idle and printing.
constexpr const char* StoppedState = "5";

} // namespace

bool QueueTakesJobs(const QPrinter& printer) {
    if (!PrintsToQueue(printer))
        return true;
    // Qt names an instance of a queue "queue/instance".
    const QByteArray name = printer.printerName().toLocal8Bit();
    const qsizetype slash = name.indexOf('/');
    const QByteArray queue = slash < 0 ? name : name.left(slash);
    const QByteArray instance = slash < 0 ? QByteArray() : name.mid(slash + 1);
    const std::unique_ptr<cups_dest_t, void (*)(cups_dest_t*)> dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                         instance.isEmpty() ? nullptr : instance.constData()),
        [](cups_dest_t* d) { cupsFreeDests(1, d); });
    if (!dest)
        return false;
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    return !(state && qstrcmp(state, StoppedState) == 0) &&
           !(accepting && qstrcmp(accepting, "false") == 0);
}

bool QueueRefusedTheJob(const QPrinter& printer) {
    return PrintsToQueue(printer) && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE;
}
