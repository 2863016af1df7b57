#include "ui/qt/report_window.h"

namespace qtui {

void InstallReportWindow() {}

}  // namespace qtui
