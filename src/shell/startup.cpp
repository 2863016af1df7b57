// Start-up, the command-line keywords, the colour-lightening rule, window
// sizing and the close sequence.
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "engine/engine.h"
#include "model/model.h"
#include "montecarlo/random.h"
#include "shell/dialogs.h"
#include "shell/shell.h"

ShellHooks shellHooks;

std::string WorkingFolder(const std::string& workdir, bool desktop, const char* dataHome, const char* home) {
    if (!workdir.empty()) return workdir;
    if (!desktop) return "";
    // The base directory rules: a relative XDG_DATA_HOME is to be ignored.
    if (dataHome && dataHome[0] == '/') return std::string(dataHome) + "/tillory";
    if (home && home[0]) return std::string(home) + "/.local/share/tillory";
    return "";
}

int EnterWorkingFolder(const std::string& folder, std::string& error) {
    if (folder.empty()) return 1;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!ec) fs::current_path(folder, ec);
    if (ec) {
        error = "Cannot work in " + folder + ": " + ec.message();
        return 0;
    }
    return 1;
}

void ScanCommandLine(const std::string& line) {
    auto has = [&](const char* keyword) { return line.find(keyword) != std::string::npos; };
    if (has("IDON")) shell.idColumn = 1;
    if (has("QUIL")) shell.quil = 1;
    if (has("LIGHTER")) shell.lighter = 1;
    if (has("DARKER")) shell.darker = 1;
    if (has("SUMMARY")) runSwitches.summary = 1;
    if (has("GRAY")) shell.colourScheme = 1;
    // Checked after GRAY so that it wins when both are given.
    if (has("DARKYELLOW")) shell.colourScheme = 0;
}

Colour LightenColour(Colour c) {
    if (c.b == 0) return c;
    int h = 256 - c.b;
    if (256 - c.g < h) h = 256 - c.g;
    if (256 - c.r < h) h = 256 - c.r;
    if (h <= 0) return c;
    int add = (h - 1) / 3;
    return {c.r + add, c.g + add, c.b + add};
}

Colour WindowColour(Colour c) {
    if (shell.colourScheme == 0 && !shell.lighter) return c;
    return LightenColour(c);
}

void StartUpBeforeWindow(const std::string& commandLine) {
    shell = ShellState{};
    runSwitches = RunSwitches{};
    SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
    ResetScenario();
    ShowBudgetNames();
    for (auto& entry : state.recentFiles) entry[0] = 0;
    ScanCommandLine(commandLine);

    std::memset(scenario.folderFonts, 0, sizeof scenario.folderFonts);
    state.windowWidth = 600;
    state.windowHeight = 500;
    ReadPreferences();
    ReadTradeOffSettings();
    if (state.windowWidth < 600) state.windowWidth = 600;

    ui::Rect r;
    int dpi = ui::Current().ScreenDotsPerInch();
    if (dpi < 97) {
        shell.minWidth = 600;
        r = {state.windowLeft, state.windowTop, state.windowLeft + state.windowWidth,
             state.windowTop + state.windowHeight};
    } else {
        int width = static_cast<int>(600.0 * (dpi / 96.0)) + 40;
        shell.minWidth = width;
        r = {10, 10, 10 + width, 10 + 590};
    }
    ui::Current().SetMainWindowGeometry(r, shell.minWidth, 300);
}

void StartUpWithWindow(const std::string& scenarioFile) {
    // A settings file whose first line is empty (written by a start that had
    // no scenario) names no scenario either.
    if (ReadProgramSettings() == 1 && !FieldText(state.scenarioPath).empty()) {
        AddRecentFile("");  // only rebuilds the menu
        if (OpenScenario(FieldText(state.scenarioPath)) == 1) {
            SortEvents();  // a loaded list is processed in order
            RunShellProjection(0);
            if (shellHooks.refreshSummary) shellHooks.refreshSummary();
            EnableScenarioCommands(true);
            SetTitleWithPath();
        } else {
            // An invalid file leaves the reset Scenario named "tmp01.ret".
            if (FieldText(state.scenarioPath) == "tmp01.ret") SetTitleWithPath();
            EnableScenarioCommands(false);
        }
    } else {
        SetScenarioPath("tmp01.ret");
        SetTitleWithPath();
        EnableScenarioCommands(false);
    }
    shell.makerFolder = state.hideMakerFolder == 1 ? 0 : 1;
    shell.currentTab = 0;
    SelectFolderTab(0, 9999);
    ForgetUndoHistory();
    if (!scenarioFile.empty()) OpenChosenScenario(scenarioFile);
}

int CloseMainWindow() {
    if (AskToSave(CommandSave) == ui::Answer::Cancel) return 0;
    WritePreferences();
    WriteProgramSettings();
    if (shellHooks.cleanUpPlotFiles) shellHooks.cleanUpPlotFiles();
    shell.closed = 1;
    return 1;
}

int CommandExit() {
    WriteProgramSettings();
    ui::Current().RequestClose();
    return 1;
}

void ClampWindowSize(int& width, int& height) {
    if (width < shell.minWidth) width = shell.minWidth;
    if (height < 300) height = 300;
}

int FolderAreaHeight(int clientHeight, int tabRows) {
    return clientHeight - (tabRows * 19 + 10) - state.toolbarHeight - 10;
}
