// Printing: page files, the Results report and the folders on a printer, with page setup.
#pragma once

#include <QRect>

#include "results/printing.h"

class QImage;
class QPainter;
class QPrinter;
class QWidget;

namespace qtui {

// The page printer's hook, Print Results Report (401), Page Setup (406),
// Print window contents (790) and the clean-up at close.
void InstallPrinting();

// The printer kept for the whole run, with the Scenario's margins and
// orientation applied.
QPrinter& ChosenPrinter();
// The job on `printer` once the print dialog has been answered (the page
// choice in printState). Returns RunPrintJob's result.
int PrintPagesOn(QPrinter& printer, int pageCount, int kind);
// One page (0: the title page) drawn into `area` of any device, in the
// report font scaled to `dotsPerInch`; for pictures of a printed page.
void DrawPageOn(QPainter& painter, const QRect& area, int dotsPerInch, int kind, int page, int pageCount);
// `window` as a picture on one page of `printer` (document "Window
// Contents"), over the whole printable area. Returns 1 when printed.
int PrintWindowContents(QWidget* window, QPrinter& printer);

}  // namespace qtui
