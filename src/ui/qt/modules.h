// The one place the desktop program is wired together.
#pragma once

namespace qtui {

// Connects the modules to the shell before the main window is built: the
// commands of the result folders, the reports, the account exchange and
// printing; the report window's column sizing; the print dialog; graph
// printing; and the font chooser of the dialogs and of the Reports Font
// command. The program's main calls it once; so do the tests that build a
// main window.
void InstallModules();

}  // namespace qtui
