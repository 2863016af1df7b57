// Printing: page files, the Results report and the folders on a printer, with page setup.
#pragma once

namespace qtui {

void InstallPrinting();

}  // namespace qtui
