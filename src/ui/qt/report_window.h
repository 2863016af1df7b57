// The report window: the screen page file of a report in a list, with its buttons.
#pragma once

namespace qtui {

void InstallReportWindow();

}  // namespace qtui
