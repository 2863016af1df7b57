// The files beside the scenario files: the accounts file, the preferences
// file "prefinf.dat" and the program settings file "finance.dat" with the
// recent-file list.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "model/model.h"

namespace {

const char* const PreferencesFile = "prefinf.dat";
const char* const SettingsFile = "finance.dat";

constexpr size_t OldAccountsSize = sizeof(AccountTable);
constexpr size_t AccountsSize = sizeof(AccountTable) + sizeof(AccountOptions);

std::string Formatted(const char* format, const std::string& path) {
    std::vector<char> text(std::strlen(format) + path.size() + 1);
    std::snprintf(text.data(), text.size(), format, path.c_str());
    return text.data();
}

// Reads one line of any length, keeping at most PathLength-1 characters; the
// newline (and a carriage return before it) is dropped. false at end of file.
bool ReadLine(std::FILE* f, char (&line)[PathLength]) {
    int c = std::fgetc(f);
    if (c == EOF) return false;
    int n = 0;
    while (c != EOF && c != '\n') {
        if (n < PathLength - 1) line[n++] = static_cast<char>(c);
        c = std::fgetc(f);
    }
    if (n > 0 && line[n - 1] == '\r') --n;
    line[n] = 0;
    return true;
}

void AppendLine(std::string& out, const char* text) {
    out += text;
    out += '\n';
}

// Line 2 of finance.dat with `counter` in place of the start counter.
std::string ValuesLine(float counter) {
    char line[256];
    const float* v = state.settingsValues;
    std::snprintf(line, sizeof line, "%6.2f %6.2f %6.2f %6.2f %6.2f %6.2f %6.2f %6.2f %1d\n",
                  static_cast<double>(counter), static_cast<double>(v[0]), static_cast<double>(v[1]),
                  static_cast<double>(v[2]), static_cast<double>(v[3]), static_cast<double>(v[4]),
                  static_cast<double>(v[5]), static_cast<double>(v[6]), state.settingsFlag);
    return line;
}

// finance.dat as start-up writes it: every recent-file entry, empty ones
// included, and the start counter as given.
void WriteSettingsAtStart(const char* scenarioPath, float counter) {
    std::string out;
    AppendLine(out, scenarioPath);
    out += ValuesLine(counter);
    for (auto& entry : state.recentFiles) AppendLine(out, entry);
    ReplaceFileContent(SettingsFile, out, false);
}

bool SameNoCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
    return *a == *b;
}

void RemoveRecentEntry(int k) {
    for (int j = k; j < RecentFileCount - 1; ++j) std::memcpy(state.recentFiles[j], state.recentFiles[j + 1], PathLength);
    state.recentFiles[RecentFileCount - 1][0] = 0;
}

}  // namespace

// ---- Accounts file ---------------------------------------------------------

int WriteAccountsFile(const std::string& path, std::string* why) {
    std::string out(reinterpret_cast<const char*>(&scenario.accountTable), sizeof scenario.accountTable);
    out.append(reinterpret_cast<const char*>(&scenario.accountOptions), sizeof scenario.accountOptions);
    return ReplaceFileContent(path, out, false, why);
}

int ReadAccountsFile(const std::string& path, Notice& notice) {
    std::string bytes;
    // One byte more than a valid file tells a longer file from a valid one.
    if (!ReadFileStart(path, static_cast<long>(AccountsSize) + 1, bytes)) return 0;
    int16_t count = 0;
    if (bytes.size() >= sizeof count) std::memcpy(&count, bytes.data(), sizeof count);
    // A count beyond the table's 50 records would send every account loop
    // past its end: such a file is no more valid than one of the wrong length.
    if ((bytes.size() != OldAccountsSize && bytes.size() != AccountsSize) || count < 0 || count > MaxAccounts) {
        notice = {Formatted("The file %s does not appear to be a valid accounts file!", path), "FILE WARNING"};
        return 0;
    }
    // Checked on copies: a refused file leaves the accounts in memory as they were.
    AccountTable table;
    AccountOptions options = scenario.accountOptions;
    std::memcpy(&table, bytes.data(), sizeof table);
    if (bytes.size() == AccountsSize) std::memcpy(&options, bytes.data() + OldAccountsSize, sizeof options);
    const bool old = bytes.size() == OldAccountsSize;
    // The older form's options are those in memory until the defaults below.
    std::string problem = CheckLoadedAccounts(table, options);
    if (!problem.empty()) {
        notice = {Formatted("The file %s does not appear to be a valid accounts file!", path) + "\n\n" + problem,
                  "FILE WARNING"};
        return 0;
    }
    scenario.accountTable = table;
    if (old) {
        SetDefaultAccountOptions(59.0f, 10.0f);
    } else {
        scenario.accountOptions = options;
    }
    return 1;
}

// ---- Preferences file ------------------------------------------------------

void ReadPreferences() {
    state.reportBanding = state.reportBoxing = state.hideMakerFolder = state.colorBanding = 0;
    state.toolbarHeight = 29;
    SetFieldText(scenario.folderFonts[0].faceName, "Lucida");
    state.windowWidth = 600;
    state.windowHeight = 500;

    std::string bytes;
    if (ReadFileStart(PreferencesFile, sizeof(PageSettings), bytes) && bytes.size() == sizeof(PageSettings)) {
        std::memcpy(&scenario.pageSettings, bytes.data(), sizeof scenario.pageSettings);
        const PageSettings& p = scenario.pageSettings;
        state.windowLeft = p.windowLeft;
        state.windowTop = p.windowTop;
        state.windowWidth = p.windowWidth;
        state.windowHeight = p.windowHeight;
        state.reportColumns = p.reportColumns;
        state.colorBanding = p.colorBanding;
        state.reportBanding = p.reportBanding;
        state.hideMakerFolder = p.hideMakerFolder;
        state.reportBoxing = p.reportBoxing;
    }
    if (state.windowLeft < 0 || state.windowLeft > 300) state.windowLeft = 0;
    if (state.windowTop < 0 || state.windowTop > 300) state.windowTop = 0;
    state.colorBanding = 1;
    state.toolbarShown = 1;
    if (state.windowWidth < 600) state.windowWidth = 600;
}

void WritePreferencesFile(const ScreenRect& r) {
    PageSettings& p = scenario.pageSettings;
    p.windowLeft = r.left;
    p.windowTop = r.top;
    p.windowWidth = std::abs(r.right - r.left);
    p.windowHeight = std::abs(r.top - r.bottom);
    p.reportColumns = state.reportColumns;
    p.colorBanding = state.colorBanding;
    p.reportBanding = state.reportBanding;
    p.hideMakerFolder = state.hideMakerFolder;
    p.reportBoxing = state.reportBoxing;
    std::string out(reinterpret_cast<const char*>(&scenario.pageSettings), sizeof scenario.pageSettings);
    ReplaceFileContent(PreferencesFile, out, false);
}

// ---- Program settings file -------------------------------------------------

int ReadProgramSettings() {
    std::FILE* f = std::fopen(SettingsFile, "r");
    if (!f) {
        state.startCounter = 0;
        WriteSettingsAtStart("", state.startCounter + 1);
        return 0;
    }
    char line[PathLength];
    if (ReadLine(f, line)) SetScenarioPath(line);
    if (ReadLine(f, line)) {
        float v[8] = {state.startCounter};
        for (int i = 0; i < 7; ++i) v[i + 1] = state.settingsValues[i];
        int flag = state.settingsFlag;
        std::sscanf(line, "%f %f %f %f %f %f %f %f %d", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7],
                    &flag);
        state.startCounter = v[0];
        for (int i = 0; i < 7; ++i) state.settingsValues[i] = v[i + 1];
        state.settingsFlag = flag;
    }
    for (auto& entry : state.recentFiles) {
        if (!ReadLine(f, entry)) entry[0] = 0;
    }
    std::fclose(f);

    // The counter names the temporary file: only 0..8 make a proper name.
    if (!(state.startCounter >= 0 && state.startCounter < 9)) state.startCounter = 0;
    WriteSettingsAtStart(state.scenarioPath, state.startCounter + 1);
    return 1;
}

void WriteProgramSettings() {
    std::string out;
    AppendLine(out, state.scenarioPath);
    out += ValuesLine(state.startCounter);
    for (auto& entry : state.recentFiles)
        if (std::strlen(entry) >= 2) AppendLine(out, entry);
    ReplaceFileContent(SettingsFile, out, false);
}

// ---- Recent-file list ------------------------------------------------------

std::vector<std::string> PushRecentFile(const std::string& path) {
    if (path.size() > 3) {
        for (int k = RecentFileCount - 1; k > 0; --k) std::memcpy(state.recentFiles[k], state.recentFiles[k - 1], PathLength);
        SetFieldText(state.recentFiles[0], path);
        for (int i = 0; i < RecentFileCount - 1; ++i) {
            for (int k = i + 1; k < RecentFileCount;) {
                if (state.recentFiles[k][0] && SameNoCase(state.recentFiles[i], state.recentFiles[k]))
                    RemoveRecentEntry(k);
                else
                    ++k;
            }
        }
    }
    std::vector<std::string> entries;
    for (auto& entry : state.recentFiles) {
        if (!entry[0]) break;
        entries.push_back(FieldText(entry));
    }
    return entries;
}
