// Account import from delimited text and the export of the yearly balances.
#include "exchange/exchange.h"

#include <algorithm>
#include <cmath>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "engine/engine.h"
#include "model/model.h"
#include "shell/dialogs.h"
#include "shell/shell.h"

namespace {

const char* IntermediateName(int kind) { return kind == ImportComma ? CommaIntermediateName : TabIntermediateName; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void DropLineEnds(std::string& line) {
    line.erase(std::remove_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }),
               line.end());
}

// "Balance" anywhere but as the start of "Balanced".
bool HasBareBalance(const std::string& line) {
    for (size_t at = line.find("Balance"); at != std::string::npos; at = line.find("Balance", at + 1))
        if (at + 7 >= line.size() || line[at + 7] != 'd') return true;
    return false;
}

bool Holds(const std::string& line, const char* word) { return line.find(word) != std::string::npos; }

void DropLeadingBlanks(std::string& s) { s.erase(0, std::min(s.find_first_not_of(' '), s.size())); }

// Every line of a text file, without line ends: a line ends at "\n", "\r\n"
// or a lone "\r" (older Macintosh files). A long line stays one line: cut
// into pieces, its tail would read as an account of its own.
int ReadLines(const char* path, std::vector<std::string>& lines) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return 0;
    std::string line;
    bool open = false;  // a last line without its line end counts too
    for (int c = in.get(); c != EOF; c = in.get()) {
        if (c == '\r' || c == '\n') {
            if (c == '\r' && in.peek() == '\n') in.get();
            lines.push_back(line);
            line.clear();
            open = false;
        } else {
            line += static_cast<char>(c);
            open = true;
        }
    }
    if (open) lines.push_back(line);
    return 1;
}

void StopMessage(const std::string& text, const char* caption) {
    ui::Message(text, caption, ui::Buttons::Ok, ui::Icon::Stop);
}

bool AskYes(const std::string& text, const char* caption) {
    return ui::Message(text, caption, ui::Buttons::YesNo, ui::Icon::Question) == ui::Answer::Yes;
}

void TooManyAccounts() { StopMessage("Number of accounts exceed limit.", "Account Error"); }

float TextToFloat(const std::string& value) { return static_cast<float>(std::atof(value.c_str())); }

// The amount of an imported line; a value no float holds (40 digits, say) is
// refused with a message instead of becoming infinity.
bool ImportedAmount(const std::string& name, const std::string& value, float& amount) {
    amount = TextToFloat(value);
    if (std::isfinite(amount)) return true;
    StopMessage("The amount " + value + " of " + name + " is too large; the line is skipped.", "AMOUNT ERROR");
    return false;
}

// Ids of the Accounts added by the import that is running.
std::vector<int> addedIds;

// ---- File dialogs --------------------------------------------------------------
// The tab-file dialogs of a QUIL start look for plain text in the working folder.
ui::FileDialog ImportDialog(int kind, bool update) {
    if (kind == ImportComma)
        return FileDialogFor(update ? "Update Accounts From a Comma-delimited(*.CSV) File"
                                    : "Read Accounts From a CSV (comma-delimited) File",
                             "Comma-delimited Files (*.CSV)", "csv", false);
    const char* title = update ? "Update Accounts From a Tab File" : "Read Accounts From a Tab File";
    if (!shell.quil) return FileDialogFor(title, "Tab-delimited Files (*.KVI)", "kvi", false);
    ui::FileDialog d = FileDialogFor(title, "Text Files (*.TXT)", "txt", false);
    std::error_code error;
    d.directory = std::filesystem::current_path(error).string();
    return d;
}

ui::FileDialog ExportDialog(int comma) {
    if (comma)
        return FileDialogFor("Export Results To a Comma-delimited File (*.CSV)", "Comma-delimited Files (*.CSV)",
                             "csv", true);
    return FileDialogFor("Export Results To a Tab-delimited File (*.KVE)", "Export Files (*.KVE)", "kve", true);
}

// Removes the Account at `position`; its record, options cleared, goes to
// the end so that every record keeps an options slot of its own.
void RemoveAccountAt(int position) {
    AccountTable& t = scenario.accountTable;
    int n = t.accountCount;
    ClearAccountOptions(position);
    Account removed = t.accounts[position];
    for (int k = position; k + 1 < n; ++k) t.accounts[k] = t.accounts[k + 1];
    t.accounts[n - 1] = removed;
    t.accountCount = static_cast<int16_t>(n - 1);
}

bool AddedNow(const std::vector<int>& ids, int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

}  // namespace

// ---- Lines, values and names ------------------------------------------------------

bool IsSkippedLine(const std::string& line, bool full) {
    if (line.size() < 7) return true;
    if (Holds(line, "LIABILI") || Holds(line, "TOTAL") || HasBareBalance(line)) return true;
    return full && (Holds(line, "Liabili") || Holds(line, "Net Wor") || Holds(line, "Total"));
}

std::string CleanValue(const std::string& text) {
    std::string s;
    int brackets = 0;
    for (char c : text) {
        if (c == '(' || c == ')')
            ++brackets;
        else if (c != ',')
            s += c;
    }
    // Blanks go before the sign is put on, so that " (500.00)" reads as -500.00.
    DropLeadingBlanks(s);
    if (brackets == 2) s.insert(s.begin(), '-');
    while (s.size() >= 2 && !IsDigit(s.back()) && s.back() != '-') s.pop_back();
    for (char c : s)
        if (!IsDigit(c) && c != '-' && c != ',' && c != '.') return "";
    return s;
}

namespace {

// Cuts `name` to at most `room` bytes, never inside a UTF-8 letter: a cut
// through "é" would leave a broken byte in the account's name.
void CutName(std::string& name, size_t room) {
    if (name.size() <= room) return;
    const bool inside = (static_cast<unsigned char>(name[room]) & 0xC0) == 0x80;
    name.resize(room);
    if (!inside) return;
    while (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0x80) name.pop_back();
    if (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0xC0) name.pop_back();
}

}  // namespace

std::string CleanName(const std::string& text) {
    std::string s = text;
    if (!s.empty() && s.front() == '"') s.front() = ' ';
    if (!s.empty() && s.back() == '"') s.back() = ' ';
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '*' || s.back() == ',')) s.pop_back();
    DropLeadingBlanks(s);
    return s;
}

int ConvertLine(const std::string& text, char separator, std::string& name, std::string& value) {
    std::string line = text;
    DropLineEnds(line);
    if (IsSkippedLine(line)) return 0;
    size_t first = line.find(separator);
    if (first == std::string::npos) return 0;  // no name and value apart
    size_t last = line.rfind(separator);
    // A quoted last field: the text between the last two double quotes, when
    // the quote comes (from the end) before any separator, "." or ",".
    size_t close = std::string::npos;
    for (size_t k = line.size(); k-- > 0;) {
        char c = line[k];
        if (c == '"') {
            close = k;
            break;
        }
        if (c == separator || c == '.' || c == ',') break;
    }
    size_t open = close == std::string::npos || close == 0 ? std::string::npos : line.rfind('"', close - 1);
    if (open != std::string::npos)
        value = line.substr(open + 1, close - open - 1);
    else
        value = line.substr(last + 1);
    name = line.substr(0, first);
    if (name.size() < 2) return 0;
    CutName(name, ImportedNameRoom);
    value = CleanValue(value);
    return value.size() >= 2 ? 1 : 0;
}

int ConvertDelimitedFile(const std::string& path, int kind) {
    std::vector<std::string> lines;
    if (!ReadLines(path.c_str(), lines)) {
        StopMessage("Cannot open " + path + ".", "File Open Error");
        return 0;
    }
    const char* target = IntermediateName(kind);
    PartFile out;
    if (!out.Open(target, false)) {
        StopMessage(std::string("Cannot open ") + target, "File Open Error");
        return 0;
    }
    char separator = kind == ImportComma ? ',' : '\t';
    std::string name, value;
    for (const std::string& line : lines)
        if (ConvertLine(line, separator, name, value))
            std::fprintf(out.File(), "%s\t%s\n", name.c_str(), value.c_str());
    if (!out.Commit()) {
        StopMessage(std::string("Cannot open ") + target, "File Open Error");
        return 0;
    }
    return 1;
}

int SplitAtLastTab(const std::string& line, std::string& name, std::string& value) {
    size_t tab = line.rfind('\t');
    if (tab == std::string::npos) return 0;
    name = line.substr(0, tab);
    value = line.substr(tab + 1);
    return 1;
}

// ---- Creating and updating Accounts ------------------------------------------------

int AddImportedAccount(const std::string& name, const std::string& value) {
    AccountTable& t = scenario.accountTable;
    const int position = t.accountCount;
    if (position < 0 || position >= MaxAccounts) return 0;
    const AccountTable keptTable = t;
    const AccountOptions keptOptions = scenario.accountOptions;

    float amount = 0;
    if (!ImportedAmount(name, value, amount)) return 0;
    Account& a = t.accounts[position];
    const uint16_t slot = a.optionsSlot;
    std::memset(&a, 0, sizeof a);
    a.optionsSlot = slot;
    SetFieldText(a.name, name);
    a.initialAmount = a.balance = amount;
    a.yearlyRate = a.rate = 10.0f;
    a.accountType = AccountInvestmentSavings;
    a.randomMinRate = 0.0f;
    a.randomMaxRate = 20.0f;
    a.penaltyApplies = 0;
    char order[16];
    std::snprintf(order, sizeof order, "%d", position);
    SetFieldText(a.accessOrder, order);
    if (slot < MaxAccounts) {
        scenario.accountOptions.assetAllocation[slot] = 0;
        scenario.accountOptions.rmdTable[slot] = 0;
        scenario.accountOptions.stdDeviation[slot] = 0;  // shown as a new Account's "0.00"
    }
    // The record joins the table for the dialog, which edits it as it edits
    // an existing Account; a Cancel takes it out again.
    AssignAccountId(position);
    if (!AccountInformationDialog(position)) {
        scenario.accountTable = keptTable;
        scenario.accountOptions = keptOptions;
        return 0;
    }
    addedIds.push_back(t.accounts[position].accountId);
    RunShellProjection(OutputResultsList);
    ShowFolder(FolderAccounts);
    return 1;
}

int RemoveNeighbourDuplicates(const std::vector<int>& ids) {
    AccountTable& t = scenario.accountTable;
    int removed = 0;
    for (int k = 0; k + 1 < t.accountCount;) {
        if (FieldText(t.accounts[k].name) != FieldText(t.accounts[k + 1].name)) {
            ++k;
            continue;
        }
        const int earlierId = t.accounts[k].accountId;
        const int laterId = t.accounts[k + 1].accountId;
        RemoveAccountAt(k);
        if (AddedNow(ids, laterId) && !AddedNow(ids, earlierId))
            t.accounts[k].accountId = static_cast<uint16_t>(earlierId);
        ++removed;
    }
    if (removed) {
        state.modified = 1;
        state.needsRecalc = 1;
    }
    return removed;
}

int UpdateAccountsFromFile(const std::string& path, int kind) {
    if (!ConvertDelimitedFile(path, kind)) return 0;
    std::vector<std::string> lines;
    if (!ReadLines(IntermediateName(kind), lines)) {
        StopMessage(kind == ImportComma ? "Cannot open the Csvout.tmp file." : "Cannot open the Tabout.tmp file.",
                    "File Open Error");
        return 0;
    }
    AccountTable& t = scenario.accountTable;
    std::string name, value;
    int found = 0;
    for (const std::string& line : lines) {
        if (!SplitAtLastTab(line, name, value)) continue;
        name = CleanName(name);
        for (int i = 0; i < t.accountCount; ++i)
            if (FieldText(t.accounts[i].name) == name) ++found;
    }
    if (found == 0) {
        StopMessage("Found 0 accounts in the file " + path +
                        ".\nPlease make sure this is the correct delimited file type.",
                    "Possible incorrect file type.");
        return 0;
    }
    found = std::min(found, static_cast<int>(t.accountCount));
    char text[128];
    std::snprintf(text, sizeof text, "Updating %d out of %d accounts.\nDo you wish to continue?", found,
                  static_cast<int>(t.accountCount));
    if (!AskYes(text, "Updating Accounts")) return 0;

    addedIds.clear();
    for (const std::string& line : lines) {
        if (IsSkippedLine(line) || !SplitAtLastTab(line, name, value)) continue;
        name = CleanName(name);
        if (name.size() < 2) continue;
        CutName(name, sizeof t.accounts[0].name - 1);
        value = CleanValue(value);
        if (value.size() < 2) continue;
        bool matched = false;
        for (int i = 0; i < t.accountCount; ++i) {
            if (FieldText(t.accounts[i].name) != name) continue;
            float amount = 0;
            if (ImportedAmount(name, value, amount)) t.accounts[i].initialAmount = amount;
            matched = true;
        }
        if (matched) continue;
        if (!AskYes("Account " + name + " is not an existing account.\nDo you wish to add it?", "New Account Found"))
            continue;
        if (t.accountCount >= MaxAccounts) {
            TooManyAccounts();
            continue;
        }
        AddImportedAccount(name, value);
    }
    state.modified = 1;
    state.needsRecalc = 1;
    ShowFolder(FolderAccounts);
    RemoveNeighbourDuplicates(addedIds);
    addedIds.clear();
    ShowFolder(FolderAccounts);
    return 1;
}

int CreateAccountsFromFile(const std::string& path, int kind) {
    if (!ConvertDelimitedFile(path, kind)) return 0;
    NewScenarioByHand();
    ShowBudgetNames();
    std::vector<std::string> lines;
    if (!ReadLines(IntermediateName(kind), lines)) {
        StopMessage(kind == ImportComma ? "Cannot open Csvout.tmp file." : "Cannot open Tabout.tmp file.",
                    "File Open Error");
        return 0;
    }
    std::string name, value;
    for (const std::string& line : lines) {
        if (IsSkippedLine(line, false) || !SplitAtLastTab(line, name, value)) continue;
        if (name.size() < 2 || value.size() < 2) continue;
        name = CleanName(name);
        value = CleanValue(value);
        if (name.size() < 2 || value.size() < 3) continue;
        CutName(name, ImportedNameRoom);
        if (scenario.accountTable.accountCount >= MaxAccounts) {
            TooManyAccounts();
            break;
        }
        AddImportedAccount(name, value);
    }
    addedIds.clear();
    return 1;
}

// ---- Export --------------------------------------------------------------------------

int ExportAccounts(const std::string& path, int comma) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        ui::Answer a = ui::Message(path + " exists - Overwrite anyway?", "FILE WARNING", ui::Buttons::YesNo,
                                   ui::Icon::Question);
        if (a != ui::Answer::Yes) return 0;
    }
    // The old export stays as it was unless the new one is complete.
    PartFile out;
    if (!out.Open(path, true)) {
        StopMessage("Cannot open export file" + (out.Why().empty() ? "" : "\n\n" + out.Why()), "FILE ERROR");
        return 0;
    }
    WriteExportHeader(out.File(), comma);
    runSwitches.exportFile = out.File();
    runSwitches.exportTab = comma ? 0 : 1;
    runSwitches.exportComma = comma ? 1 : 0;
    int done = RunShellProjection(OutputResultsList);
    runSwitches.exportFile = nullptr;
    runSwitches.exportTab = runSwitches.exportComma = 0;
    if (!done) return 0;
    if (!out.Commit()) {
        StopMessage("Cannot write export file " + path, "FILE ERROR");
        return 0;
    }
    return 1;
}

// ---- Commands ------------------------------------------------------------------------

int UpdateAccountsCommand(int command) {
    int kind = command == CmdUpdateFromCsv ? ImportComma : ImportTab;
    std::string path;
    if (!ui::Current().ChooseFile(ImportDialog(kind, true), path)) return 0;
    return UpdateAccountsFromFile(path, kind);
}

int CreateAccountsCommand(int command) {
    int kind = command == CmdNewFromCsv ? ImportComma : ImportTab;
    std::string path;
    if (!ui::Current().ChooseFile(ImportDialog(kind, false), path)) return 0;
    return CreateAccountsFromFile(path, kind);
}

int ExportAccountsCommand(int command) {
    int comma = command == CmdExportCsv ? 1 : 0;
    std::string path;
    if (!ui::Current().ChooseFile(ExportDialog(comma), path)) return 0;
    return ExportAccounts(path, comma);
}

namespace {

// The Import and Export choices, the first one preselected: the command of
// the choice, or 0 for Cancel.
int ChosenCommand(const char* caption, const std::vector<std::string>& options, int helpContext, int first) {
    int choice = 0;
    if (!ui::Current().ChooseOption(caption, options, choice, helpContext)) return 0;
    if (choice < 0 || choice >= static_cast<int>(options.size())) return 0;
    return first + choice;
}

}  // namespace

int CommandImportAccountData() {
    static const std::vector<std::string> options = {"Update Accounts From a Tab-delimited File (*.KVI)",
                                                     "Update Accounts From a Comma-delimited File (*.CSV)"};
    int command = ChosenCommand("Update Accounts From a File", options, 1569, CmdUpdateFromTab);
    if (!command) return 0;
    state.modified = 1;
    state.needsRecalc = 1;
    return UpdateAccountsCommand(command);
}

int CommandExportAccountResults() {
    static const std::vector<std::string> options = {"Export Accounts To a Tab-delimited File (*.KVE)",
                                                     "Export Accounts To a Comma-delimited File (*.CSV)"};
    int command = ChosenCommand("Export Accounts to a File", options, 1570, CmdExportTab);
    return command ? ExportAccountsCommand(command) : 0;
}

void InstallExchangeCommands() {
    SetCommandRoutine(CmdImportAccounts, CommandImportAccountData);
    SetCommandRoutine(CmdExportAccounts, CommandExportAccountResults);
    shellHooks.createAccountsFromFile = CreateAccountsCommand;
}
