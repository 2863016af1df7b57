#include "results/reports.h"

void InstallReportCommands() {}
