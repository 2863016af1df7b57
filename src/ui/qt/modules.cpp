#include "ui/qt/modules.h"

#include "exchange/exchange.h"
#include "results/reports.h"
#include "results/results.h"
#include "shell/dialogs.h"
#include "shell/shell.h"
#include "ui/qt/folders.h"
#include "ui/qt/fonts.h"
#include "ui/qt/printing.h"
#include "ui/qt/report_window.h"

namespace qtui {

void InstallModules() {
    InstallResultsCommands();
    InstallReportCommands();
    InstallExchangeCommands();
    InstallReportWindow();
    InstallPrinting();
    InstallFolderCommands();
    dialogHooks.fontChooser = ChooseFont;
    SetCommandRoutine(CmdReportFont, [] { return ChooseFont(1); });
}

}  // namespace qtui
