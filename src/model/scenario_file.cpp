// The scenario file: a straight dump of the Scenario blocks, read back with
// the corrections older or damaged files need, and the temporary file of New.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "model/model.h"

namespace {

const char* const NoScenarioPath = "tmp01.ret";

// Everything a complete file with the most events can hold; bytes after the
// last block are never looked at.
constexpr long MaxScenarioBytes = ScenarioFileSize(MaxEvents);

int LiveEventCount() {
    int n = state.eventCount;
    return n < 0 ? 0 : (n > MaxEvents ? MaxEvents : n);
}

void Append(std::string& out, const void* block, size_t size) {
    out.append(static_cast<const char*>(block), size);
}

// A cursor over the bytes read from a file. Take() copies what is there, up
// to `size` bytes, and says how many arrived: the same contract as a read.
struct Reader {
    std::string bytes;
    size_t at = 0;
    size_t Take(void* block, size_t size) {
        size_t left = bytes.size() - at;
        size_t n = size < left ? size : left;
        std::memcpy(block, bytes.data() + at, n);
        at += n;
        return n;
    }
};

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// An existing file can be opened for writing without being created or cut.
bool CanWrite(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "r+b");
    if (!f) return false;
    std::fclose(f);
    return true;
}

// A new empty file, created only when nothing is there.
bool CreateEmpty(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "wbx");
    return f && std::fclose(f) == 0;
}

// Removes the empty file a failed first save created, so that no empty file
// is left where none was.
void RemoveIfEmpty(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec) && std::filesystem::file_size(path, ec) == 0 && !ec)
        std::remove(path.c_str());
}

int Refused(Notice& notice, const std::string& text) {
    notice = {text, "FILE ERROR"};
    return 0;
}

// Margin in thousandths of an inch to printer dots, truncated; a margin from a
// damaged file must not overflow the arithmetic.
int ToPrinterUnits(int thousandths, int dotsPerInch) {
    double v = static_cast<double>(thousandths) * dotsPerInch * 0.001;
    if (v <= -2147483648.0) return INT32_MIN;
    if (v >= 2147483647.0) return INT32_MAX;
    return static_cast<int>(v);
}

// The printer's dots per inch the margins of the current read or take convert at.
int printerDpiX = 0, printerDpiY = 0;

void SetPrinterMargins(int left, int top, int right, int bottom) {
    const int dx = printerDpiX, dy = printerDpiY;
    state.printMarginLeft = ToPrinterUnits(left, dx);
    state.printMarginRight = ToPrinterUnits(right, dx);
    state.printMarginTop = ToPrinterUnits(top, dy);
    state.printMarginBottom = ToPrinterUnits(bottom, dy);
}

// The margins, the print orientation and the report flags of a page-settings
// block become the ones in effect.
void TakePageValues(const PageSettings& p) {
    state.marginLeft = p.marginLeft;
    state.marginTop = p.marginTop;
    state.marginRight = p.marginRight;
    state.marginBottom = p.marginBottom;
    state.printOrientation = p.orientation;
    state.reportBanding = p.reportBanding;
    state.reportBoxing = p.reportBoxing;
    state.reportColumns = p.reportColumns;
    SetPrinterMargins(state.marginLeft, state.marginTop, state.marginRight, state.marginBottom);
}

// The first three blocks: all a temporary file holds.
void AppendHead(std::string& out, int n) {
    scenario.initialValues.eventCount = static_cast<int16_t>(n);
    Append(out, &scenario.initialValues, sizeof scenario.initialValues);
    Append(out, scenario.events, sizeof(Event) * static_cast<size_t>(n));
    Append(out, &scenario.accountTable, sizeof scenario.accountTable);
}

// A value outside low..high, or not a number, loads as 0.
float Corrected(float v, float low, float high) { return std::isnan(v) || v < low || v > high ? 0.0f : v; }

void CorrectSettings() {
    ScenarioSettings& s = scenario.settings;
    s.mcGoalAmount = Corrected(s.mcGoalAmount, -1000000.0f, 10000000.0f);
    s.mcMinInflationRate = Corrected(s.mcMinInflationRate, -1000000.0f, 10000000.0f);
    s.mcMaxInflationRate = Corrected(s.mcMaxInflationRate, -1000000.0f, 10000000.0f);
    state.mcMinInflationRate = s.mcMinInflationRate;
    state.mcMaxInflationRate = s.mcMaxInflationRate;
    state.mcTrials = s.mcTrials;
    if (state.mcTrials < 1 || state.mcTrials > 1000) {
        state.mcTrials = 100;
        s.mcTrials = 100;
    }
    if (s.mcRandomSource < 0) s.mcRandomSource = 0;
    if (s.mcRangeFactor < 0 || s.mcRangeFactor > 10) s.mcRangeFactor = 0;
    if (s.mcStdDevFactor < 0 || s.mcStdDevFactor > 10) s.mcStdDevFactor = 0;
    if (s.mcHideLegend < 0 || s.mcHideLegend > 1) s.mcHideLegend = 0;
    if (s.mcDistribution < 0 || s.mcDistribution > 2) s.mcDistribution = 0;
}

void CorrectGroups() {
    ScenarioSettings& s = scenario.settings;
    for (int g = 0; g < MaxGroups; ++g) {
        float low = Corrected(s.groupRandomMinRate[g], -50.0f, 100.0f);
        float high = Corrected(s.groupRandomMaxRate[g], -50.0f, 100.0f);
        if (low > high) low = high = 0.0f;
        s.groupRandomMinRate[g] = low;
        s.groupRandomMaxRate[g] = high;
    }
}

void RefuseInvalidFile(const std::string& path, Notice& notice, const std::string& problem = "") {
    notice = {path + " doesn't seem to be a valid K&V Tillory file.", "FILE WARNING"};
    if (!problem.empty()) notice.text += "\n\n" + problem;
    ResetScenario();
    // The reset Scenario has no events; a count left from before would
    // point at cleared slots.
    state.eventCount = 0;
    scenario.initialValues.eventCount = 0;
    SetScenarioPath(NoScenarioPath);
}

// Steps 7 to 12 of an open: the blocks after the account table, each of which
// an older file may lack.
void ReadLaterBlocks(Reader& in) {
    in.Take(&scenario.settings, sizeof scenario.settings);
    CorrectSettings();

    if (in.Take(&scenario.reportOptions, sizeof scenario.reportOptions) < sizeof scenario.reportOptions) {
        ReportOptions& r = scenario.reportOptions;
        r.title1On = r.title2On = r.title3On = 0;
        r.title1[0] = r.title2[0] = r.title3[0] = 0;
        SetDefaultAccountOptions(scenario.initialValues.defaultPenaltyAge, scenario.initialValues.defaultPenaltyRate);
    }
    if (in.Take(&scenario.accountOptions, sizeof scenario.accountOptions) < sizeof scenario.accountOptions)
        SetDefaultAccountOptions(scenario.initialValues.defaultPenaltyAge, scenario.initialValues.defaultPenaltyRate);
    RepairOptionsSlots();

    for (FontDescription& font : scenario.folderFonts) {
        FontDescription read{};
        in.Take(&read, sizeof read);
        font = read;
    }

    if (in.Take(&scenario.pageSettings, sizeof scenario.pageSettings) == sizeof scenario.pageSettings) {
        TakePageValues(scenario.pageSettings);
    } else {
        SetPrinterMargins(1000, 1000, 500, 1000);
        state.printOrientation = 1;
    }

    if (in.Take(scenario.budgets, sizeof scenario.budgets) >= sizeof(Budget)) NameUnnamedBudgets();
}

}  // namespace

void SetDefaultAccountOptions(float penaltyAge, float penaltyRate) {
    for (int i = 0; i < MaxAccounts; ++i) {
        scenario.accountTable.accounts[i].optionsSlot = static_cast<uint16_t>(i);
        scenario.accountOptions.penaltyRate[i] = penaltyRate;
        scenario.accountOptions.penaltyAge[i] = penaltyAge;
        scenario.accountOptions.assetAllocation[i] = 0;
    }
}

int ReadFileStart(const std::string& path, long limit, std::string& out) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return 0;
    out.assign(static_cast<size_t>(limit > 0 ? limit : 0), '\0');
    size_t n = std::fread(out.data(), 1, out.size(), f);
    std::fclose(f);
    out.resize(n);
    return 1;
}

void SetScenarioPath(const std::string& path) { SetFieldText(state.scenarioPath, path); }

void TakeOutsideValuesFrom(const Scenario& s, int dpiX, int dpiY) {
    printerDpiX = dpiX;
    printerDpiY = dpiY;
    int n = s.initialValues.eventCount;
    state.eventCount = n < 0 ? 0 : (n > MaxEvents ? MaxEvents : n);
    state.mcMinInflationRate = s.settings.mcMinInflationRate;
    state.mcMaxInflationRate = s.settings.mcMaxInflationRate;
    state.mcTrials = s.settings.mcTrials;
    TakePageValues(s.pageSettings);
}

int WriteScenarioFile(int windowWidth, Notice& notice) {
    // Values kept outside the blocks go back into them first.
    PageSettings& p = scenario.pageSettings;
    p.windowWidth = windowWidth;
    p.marginLeft = state.marginLeft;
    p.marginTop = state.marginTop;
    p.marginRight = state.marginRight;
    p.marginBottom = state.marginBottom;
    p.orientation = state.printOrientation;
    p.reportBanding = state.reportBanding;
    p.reportBoxing = state.reportBoxing;
    p.reportColumns = state.reportColumns;
    scenario.settings.mcMinInflationRate = state.mcMinInflationRate;
    scenario.settings.mcMaxInflationRate = state.mcMaxInflationRate;
    scenario.settings.mcTrials = static_cast<int16_t>(state.mcTrials);

    std::string path = FieldText(state.scenarioPath);
    if (!CanWrite(path)) return Refused(notice, "Cannot open file!");
    std::string out;
    out.reserve(static_cast<size_t>(MaxScenarioBytes));
    AppendHead(out, LiveEventCount());
    Append(out, &scenario.settings, sizeof scenario.settings);
    Append(out, &scenario.reportOptions, sizeof scenario.reportOptions);
    Append(out, &scenario.accountOptions, sizeof scenario.accountOptions);
    Append(out, scenario.folderFonts, sizeof scenario.folderFonts);
    Append(out, &scenario.pageSettings, sizeof scenario.pageSettings);
    Append(out, scenario.budgets, sizeof scenario.budgets);
    // A longer old file keeps its surplus bytes, as an in-place write would.
    std::string why;
    if (!ReplaceFileContent(path, out, true, &why))
        return Refused(notice, why.empty() ? "Cannot open file!" : "Cannot open file!\n\n" + why);
    state.modified = 0;
    return 1;
}

Notice OverwriteScenarioQuestion(const std::string& path) { return {path + " exits - Overwrite anyway?", "FILE WARNING"}; }

int WriteScenarioFileAs(const std::string& path, int windowWidth, Notice& notice) {
    const bool created = !FileExists(path);
    if (created) {
        if (!CreateEmpty(path)) return Refused(notice, "Cannot open file!");
    } else if (!CanWrite(path)) {
        return Refused(notice, "Cannot open " + path + "!");
    }
    SetScenarioPath(path);
    if (WriteScenarioFile(windowWidth, notice)) return 1;
    // A failed first save leaves no empty file behind.
    if (created) RemoveIfEmpty(path);
    return 0;
}

int ReadScenarioFile(const std::string& path, int dpiX, int dpiY, Notice& notice) {
    if (!CanWrite(path)) return ReadNotWritable;
    printerDpiX = dpiX;
    printerDpiY = dpiY;

    std::memset(&scenario.events[0], 0, sizeof scenario.events[0]);
    std::memset(&scenario.accountOptions, 0, sizeof scenario.accountOptions);
    std::memset(scenario.budgets, 0, sizeof scenario.budgets);
    for (Budget& b : scenario.budgets) b.accountId = -1;
    NameUnnamedBudgets();

    Reader in;
    if (!ReadFileStart(path, MaxScenarioBytes, in.bytes)) return 0;
    ResetScenario();

    // The header, the events and the account table must all be there; they
    // are checked before any of them replaces what memory holds.
    InitialValues head;
    if (in.Take(&head, sizeof head) < sizeof head) {
        RefuseInvalidFile(path, notice);
        return 0;
    }
    int n = head.eventCount;
    size_t needed = sizeof head + sizeof(Event) * static_cast<size_t>(n < 0 ? 0 : n) + sizeof(AccountTable);
    if (n < 0 || n > MaxEvents || in.bytes.size() < needed) {
        RefuseInvalidFile(path, notice);
        return 0;
    }
    // Every routine walks the live accounts up to this count: more than the
    // table holds is as damaged as a missing record.
    int16_t accounts = 0;
    std::memcpy(&accounts, in.bytes.data() + needed - sizeof(AccountTable), sizeof accounts);
    if (accounts < 0 || accounts > MaxAccounts) {
        RefuseInvalidFile(path, notice);
        return 0;
    }
    scenario.initialValues = head;
    in.Take(scenario.events, sizeof(Event) * static_cast<size_t>(n));
    in.Take(&scenario.accountTable, sizeof scenario.accountTable);

    ReadLaterBlocks(in);
    CorrectGroups();
    // A value no dialog could have stored would hang or poison the run.
    std::string problem = CheckLoadedScenario(scenario, n);
    if (!problem.empty()) {
        RefuseInvalidFile(path, notice, problem);
        return 0;
    }

    state.eventCount = n;
    state.needsRecalc = 1;
    state.colorBanding = 1;
    state.toolbarShown = 1;
    return 1;
}

std::string TemporaryScenarioName(int startCounter) {
    // The name keeps its historical form, in the current directory.
    char name[PathLength];
    std::snprintf(name, sizeof name, "./temp%d%d.ret", startCounter, 1);
    return name;
}

int WriteTemporaryScenario(int startCounter, Notice& notice) {
    const std::string name = TemporaryScenarioName(startCounter);
    bool existed = FileExists(name);
    if (!existed) {
        if (!CreateEmpty(name)) return Refused(notice, "Cannot open temporary file!");
    } else if (!CanWrite(name)) {
        return Refused(notice, "Cannot open " + name + "!");
    }
    SetScenarioPath(name);
    std::string out;
    AppendHead(out, LiveEventCount());
    // The whole file is replaced: old blocks left behind a shorter head would
    // be read as the blocks that follow it.
    std::string why;
    if (!ReplaceFileContent(name, out, false, &why)) {
        if (!existed) RemoveIfEmpty(name);
        std::string text = existed ? "Cannot open " + name + "!" : "Cannot open temporary file!";
        return Refused(notice, why.empty() ? text : text + "\n\n" + why);
    }
    return 1;
}

bool HasOwnScenarioFile() {
    std::string name = std::filesystem::path(FieldText(state.scenarioPath)).filename().string();
    if (name.empty() || name == NoScenarioPath) return false;
    // "temp" + the digits of the start counter + ".ret", as New names it.
    if (name.size() < 9 || name.compare(0, 4, "temp") != 0 || name.compare(name.size() - 4, 4, ".ret") != 0)
        return true;
    for (size_t i = 4; i + 4 < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9') return true;
    return false;
}

bool HoldsSavedScenario(const std::string& path) {
    std::error_code ec;
    auto size = std::filesystem::file_size(path, ec);
    if (ec) return false;
    // New writes the first three blocks only; a full file came from Save.
    const long n = static_cast<long>(size);
    const bool temporary =
        n >= TemporaryFileSize(0) && n <= TemporaryFileSize(MaxEvents) && (n - TemporaryFileSize(0)) % 160 == 0;
    return n > 0 && !temporary;
}
