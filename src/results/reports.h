// The reports of the last projection: page files and the report window's text.
#pragma once

// Installs the Reports menu's commands.
void InstallReportCommands();
