#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QPrinter;
class QWidget;

// The process-wide current printer: the system's default printer at first
// (a PDF writer when there is none), changed by the print dialog.
QPrinter& CurrentPrinter();

// Size of an image fitted to a page, proportions kept: it fills the page
// height when that leaves it narrower than the page, otherwise the width.
// Fractions are rounded to the nearest integer.
QSize FitToPage(QSize image, QSize page);

// The window's client area as it shows on screen: the form's background
// and every child painted into it; children beyond the client area are cut
// off by the image's edges. The image has the form's device pixel ratio (at
// least 1): its logical size is the form's.
QImage FormImage(QWidget* form);

// Prints the form's image on one page of `printer`, fitted to its printable
// area at that area's top-left corner. The job is ended in every case; an
// error starting it, a queue that is stopped or refuses jobs, and a job that
// the queue refuses raise "Printer is not currently printing", and then no
// page comes out.
void PrintForm(QWidget* form, QPrinter& printer, const QString& documentName);
