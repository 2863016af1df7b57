#include "ui/qt/printing.h"

namespace qtui {

void InstallPrinting() {}

}  // namespace qtui
