// Save Graphs: the plot file of the last run copied to a file of the user's
// choosing, for the companion graph viewer.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "engine/engine.h"
#include "results/results.h"

namespace {

constexpr int PlotLineLength = 264;

bool Error(const std::string& text) {
    ui::Message(text, "FILE ERROR", ui::Buttons::Ok, ui::Icon::Stop);
    return false;
}

bool IsSystemName(const std::string& target) {
    std::string name = std::filesystem::path(target).filename().string();
    if (name.size() < 7) return false;
    for (int i = 0; i < 7; ++i)
        if (std::tolower(static_cast<unsigned char>(name[i])) != "plotinf"[i]) return false;
    return true;
}

// Copies one line; false at the end of the plot file.
bool CopyLine(std::FILE* in, std::FILE* out, char* line) {
    if (!std::fgets(line, PlotLineLength, in)) return false;
    std::fputs(line, out);
    return true;
}

bool IsDone(const char* line) { return std::strncmp(line, "Done", 4) == 0; }

// The body after the five header lines; false when the year count is out of range.
bool CopyBody(std::FILE* in, std::FILE* out, char* line, int years) {
    if (!std::fgets(line, PlotLineLength, in)) return true;
    std::fputs(line, out);
    int accounts = 0;
    if (std::sscanf(line, "%d", &accounts) != 1 || accounts < 0) accounts = 0;
    if (accounts > MaxAccounts) accounts = MaxAccounts;
    int lines = accounts + years * (accounts + 1);
    for (int i = 0; i < lines; ++i) {
        if (!std::fgets(line, PlotLineLength, in)) return true;
        if (IsDone(line)) {
            std::fputs("Done\n", out);
            return true;
        }
        std::fputs(line, out);
    }
    for (int i = 0; i < MaxGroups + accounts; ++i)
        if (!CopyLine(in, out, line)) return true;
    std::fputs("Done\n", out);
    return true;
}

}  // namespace

int SaveGraphs(const std::string& target) {
    std::error_code ec;
    if (std::filesystem::exists(target, ec)) {
        if (IsSystemName(target)) {
            ui::Message("Cannot overwrite the system file plotinf. \nChoose another file name.", "FILE WARNING",
                        ui::Buttons::Ok, ui::Icon::Exclamation);
            return 0;
        }
        if (ui::Message(target + " exists - Overwrite anyway?", "FILE WARNING", ui::Buttons::YesNo,
                        ui::Icon::Question) != ui::Answer::Yes)
            return 0;
        // A file the person may not write stays theirs.
        std::FILE* f = std::fopen(target.c_str(), "a");
        if (!f) return Error("Cannot open " + target + "!");
        std::fclose(f);
    }
    // The old file stays as it was until the copy is complete.
    PartFile out;
    if (!out.Open(target, true)) {
        char t[PathLength + 40];
        std::snprintf(t, sizeof t, "Cannot open %s for writing!", target.c_str());
        return Error(out.Why().empty() ? std::string(t) : t + ("\n\n" + out.Why()));
    }
    std::FILE* in = std::fopen(runSwitches.plotPath, "r");
    if (!in) return Error("Cannot open plotinf for reading!");
    char line[PlotLineLength] = {};
    bool ok = true;
    for (int i = 0; i < 5 && ok; ++i) ok = CopyLine(in, out.File(), line);
    float count = -1;
    if (ok && std::sscanf(line, "%f", &count) == 1 && count >= 0 && count < 100) {
        CopyBody(in, out.File(), line, static_cast<int>(count));
    } else {
        ok = false;
    }
    std::fclose(in);
    if (!ok) return Error("Problem saving graphs.\nPlease try again.");
    if (!out.Commit()) return Error("Cannot write " + target + "!");
    return 1;
}

int CommandSaveGraphs() {
    std::string path;
    if (!ui::Current().ChooseFile(FileDialogFor("Save Graphs To a File", "Graph Files (*.KVP)", "kvp", true), path))
        return 0;
    return SaveGraphs(path);
}

void InstallResultsCommands() {
    SetCommandRoutine(CmdSaveGraphs, CommandSaveGraphs);
    shellHooks.refreshSummary = RefreshSummaryPanel;
}
