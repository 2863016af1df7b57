// The Scenario in memory, the program-wide state beside it, the operations
// that keep its blocks consistent, and its files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include <vector>

#include "model/records.h"

constexpr int PathLength = 264;    // room for a path of up to 263 characters and its NUL
constexpr int RecentFileCount = 6;

// An age (or any figure) as a whole int, truncated toward zero; NaN gives 0
// and a value beyond what an int holds gives its nearest end, where a plain
// conversion would be undefined.
inline int WholeInt(float v) {
    if (!(v == v)) return 0;
    if (v >= 2147483520.0f) return 2147483647;
    if (v <= -2147483648.0f) return -2147483647 - 1;
    return static_cast<int>(v);
}

// Whether two values are the same to the bit (+0 and -0 differ, a NaN equals
// itself): the key of a kept result. By value, so that a packed field is
// copied rather than referred to.
template <typename T>
bool SameBits(T a, T b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// What an operation of the core has to tell the person, worded as the message
// box shows it. The core shows nothing itself: it returns a status and fills
// a Notice, and the shell puts it on the screen.
struct Notice {
    std::string text, caption;
    bool Empty() const { return text.empty(); }
};

// A window's outer rectangle in screen pixels, as the shell reads it.
struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The modified flag. It also counts the times a change set it, so that a
// caller can tell whether anything changed while it ran even when the flag
// was already on.
class ChangeFlag {
public:
    ChangeFlag& operator=(int on) {
        if (on) ++changes_;
        on_ = on != 0;
        return *this;
    }
    operator int() const { return on_ ? 1 : 0; }
    unsigned Changes() const { return changes_; }

private:
    bool on_ = false;
    unsigned changes_ = 0;
};

// Program-wide state that belongs with the Scenario but is not stored in it.
struct ScenarioState {
    int eventCount = 0;  // the live event count; the i16 in the file is a copy
    char scenarioPath[PathLength] = "tmp01.ret";
    ChangeFlag modified;
    int needsRecalc = 0;
    // Monte Carlo working copies, edited outside the block.
    int mcTrials = 100;
    float mcMinInflationRate = 0;
    float mcMaxInflationRate = 0;
    // Display and report preferences in effect (copied to and from PageSettings).
    int reportColumns = 0;
    int colorBanding = 0;
    int reportBanding = 0;
    int hideMakerFolder = 0;
    int reportBoxing = 0;
    int toolbarShown = 1;
    int toolbarHeight = 29;
    // Print margins in printer units, and the print orientation (1 portrait, 2 landscape).
    int printMarginLeft = 0, printMarginTop = 0, printMarginRight = 0, printMarginBottom = 0;
    int printOrientation = 1;
    // The same margins in thousandths of an inch, as stored in PageSettings, so
    // that a save writes back exactly what was read.
    int marginLeft = 1000, marginTop = 1000, marginRight = 500, marginBottom = 1000;
    // Main window placement from the preferences file.
    int windowLeft = 0, windowTop = 0, windowWidth = 600, windowHeight = 500;
    // finance.dat: start counter, the values written back as read, recent files.
    float startCounter = 0;
    float settingsValues[7] = {};
    int settingsFlag = 0;
    char recentFiles[RecentFileCount][PathLength] = {};
    // Today's date for the birthday fraction; 0 = ask the clock.
    int todayMonth = 0, todayDay = 0;
};

extern Scenario scenario;
extern ScenarioState state;

// ---- Scenario operations --------------------------------------------------
void ResetScenario();
void ResetEventSlot(int slot);
void ClearRunFields();
// The live accounts: the table's count kept within 0..MaxAccounts, so that no
// loop over the accounts runs past the table whatever the count says.
// Inline: asked at every step of a projection.
inline int LiveAccountCount() {
    const int n = scenario.accountTable.accountCount;
    return n < 0 ? 0 : (n > MaxAccounts ? MaxAccounts : n);
}
int FindAccount(int accountId);
void AppendAccountName(int accountId, std::string& text);
void AssignAccountId(int position);
void RepairOptionsSlots();
void SortAccountsByName(bool ascending);
void SortAccountsByAccessOrder(bool ascending);
// The same stable exchange sort on any key (compare < 0: x before y).
void SortAccountsBy(bool ascending, int (*compare)(const Account& x, const Account& y));
// Fixed text fields compared ignoring letter case.
int CompareFieldsNoCase(const char* a, int asize, const char* b, int bsize);
void RecomputeInitialTotals();
// The live account positions in the order withdrawals take from them: by
// Access Order, compared as whole numbers when both are numbers and as text
// ignoring case otherwise, blank last, ties in table order. The display sort
// of the account list never changes it. Returns the count written.
int AccountsInWithdrawalOrder(int (&positions)[MaxAccounts]);
float BirthdayFraction();                          // today from state or the clock
float BirthdayFraction(int todayMonth, int todayDay);  // explicit today
void ClearAccountOptions(int position);
void ReindexAccounts();
void RebuildGeneratedEvents();
// Gives every budget without a name its default name "Budget N".
void NameUnnamedBudgets();
// The in-memory half of New -> "Create New Accounts By Hand": a reset Scenario
// with no events, cleared per-account arrays and settings, and the three RMD
// tables starting at 70, named "IRA 1" .. "IRA 3".
void NewScenarioByHand();

// printf into a string of any length: every figure the program shows as text
// goes through here.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Copies at most n-1 characters of a fixed text field that may lack its NUL.
std::string FieldText(const char* field, int size);
template <int N>
std::string FieldText(const char (&field)[N]) {
    return FieldText(field, N);
}
// Stores `text` into a fixed field, truncated, NUL-terminated.
void SetFieldText(char* field, int size, const std::string& text);
template <int N>
void SetFieldText(char (&field)[N], const std::string& text) {
    SetFieldText(field, N, text);
}

// ---- What a Scenario from outside must hold -------------------------------
// The ages the dialogs accept, and the whole years a plan may span: the
// result table holds 100 rows.
constexpr int MinPlanAge = 1, MaxPlanAge = 120, MaxAgeRange = 100;
// Checks a Scenario read from outside (validate.cpp has the rule of each
// field): "" when it may be used as it is, otherwise the first problem, naming
// its field. Values that every run sets afresh are quietly set to 0.
std::string CheckLoadedScenario(Scenario& s, int eventCount);
// The same for an accounts file's two blocks.
std::string CheckLoadedAccounts(AccountTable& table, AccountOptions& options);

// ---- Scenario file --------------------------------------------------------
// The shell's File commands wrap these: it asks the questions before, and shows
// the Notice and the window title after.

// Writes the Scenario to state.scenarioPath, which must exist and be writable.
// `windowWidth` is stored in the page settings. 1 = written (the Scenario is
// then unmodified); 0 with `notice` set.
int WriteScenarioFile(int windowWidth, Notice& notice);
// The same to `path` after the question whether to overwrite it was answered
// Yes: a missing file is created first. The path becomes the Scenario's.
int WriteScenarioFileAs(const std::string& path, int windowWidth, Notice& notice);
// The question asked before WriteScenarioFileAs writes over an existing file.
Notice OverwriteScenarioQuestion(const std::string& path);
// Reads `path` into memory with the corrections an older or damaged file
// needs; margins turn into printer units at the printer's dots per inch.
// 1 = read; 0 = refused (the reset Scenario, named "tmp01.ret", and `notice`
// set when the file is not a scenario file); ReadNotWritable = the file does
// not open for writing and nothing was touched.
constexpr int ReadNotWritable = -1;
int ReadScenarioFile(const std::string& path, int printerDpiX, int printerDpiY, Notice& notice);
// New's temporary file "./tempN1.ret" with the first three blocks.
int WriteTemporaryScenario(int startCounter, Notice& notice);
// The temporary file's name for a start counter: "./temp31.ret" for 3.
std::string TemporaryScenarioName(int startCounter);
// False while the Scenario has no file of its own: the placeholder path of a
// start without a scenario or the temporary file New writes. Saving such a
// plan needs a name from the person.
bool HasOwnScenarioFile();
// True when `path` names a file that holds more than the blank plan of a
// temporary file: a plan a person saved there.
bool HoldsSavedScenario(const std::string& path);
void SetScenarioPath(const std::string& path);
// The inverse of the gathering step of WriteScenarioFile: sets every value kept
// outside the blocks (live event count, Monte Carlo working copies, margins in
// thousandths and, at the printer's dots per inch, in printer units, print
// orientation, report banding, boxing and columns) from what the blocks of `s`
// hold, so that a following save writes those blocks unchanged. The one value
// not kept here is the window width, which a save takes as its argument.
void TakeOutsideValuesFrom(const Scenario& s, int printerDpiX, int printerDpiY);

// ---- Accounts, preferences and program settings files ---------------------
// Per-account options for a file that lacks them: every record's options slot
// is its position, and each slot gets these penalties and no asset allocation.
void SetDefaultAccountOptions(float penaltyAge, float penaltyRate);
// The accounts file, written without a question (the shell asks before
// overwriting). 1 = written; 0 with the old file untouched, and `why` set
// when there is more to say than that it failed.
int WriteAccountsFile(const std::string& path, std::string* why = nullptr);
// 0 when the file cannot be read, or with `notice` set when it is no accounts file.
int ReadAccountsFile(const std::string& path, Notice& notice);
void ReadPreferences();
// Writes "prefinf.dat" with the main window at `window`.
void WritePreferencesFile(const ScreenRect& window);
int ReadProgramSettings();
void WriteProgramSettings();
// Puts `path` (when longer than 3 characters) at the top of state.recentFiles,
// without repeats, and returns the entries: plain paths, entry 1 first, up to
// the first empty one.
std::vector<std::string> PushRecentFile(const std::string& path);

// Writes a file complete-then-replace: everything goes to "NAME.partN" beside
// the target, and only when every write and the close succeeded does it take
// the target's place. Whatever fails, the target keeps every byte it had and
// no part file is left. A device or pipe (/dev/stdout, /dev/full) is written
// directly, with every write still checked. `durable` syncs the content to
// the disk before the rename: for a person's own files, not for the run files
// every projection writes anew.
class PartFile {
public:
    PartFile() = default;
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;
    PartFile(PartFile&& other) noexcept { *this = std::move(other); }
    PartFile& operator=(PartFile&& other) noexcept;
    ~PartFile() { Abandon(); }
    // False when nothing can be written; Why() then says why when there is
    // more to say than that the file cannot be opened.
    bool Open(const std::string& target, bool durable);
    std::FILE* File() const { return file_; }
    // True when a regular file stands at the target and will be replaced.
    bool Replaces() const { return existed_ && !inPlace_; }
    const std::string& Target() const { return target_; }
    const std::string& Why() const { return why_; }
    // Checks every write and the close, then renames; false with the target
    // untouched and the part file removed.
    bool Commit();
    // Drops what was written; the target stays as it was.
    void Abandon();

private:
    std::FILE* file_ = nullptr;
    std::string target_, part_, why_;
    bool durable_ = false, existed_ = false, inPlace_ = false;
};

// Replaces the content of `path` with `content` through a PartFile. With
// `keepSurplus` the bytes of a longer old file beyond `content` are kept.
// Returns 1 on success, 0 with the old file untouched and `why` set as
// PartFile::Why() says.
int ReplaceFileContent(const std::string& path, const std::string& content, bool keepSurplus,
                       std::string* why = nullptr);
// Why a file in a folder that takes no new file was not replaced.
std::string NoNewFileText(const std::string& path);
// Reads at most `limit` bytes from the start of `path` into `out`; 0 when the
// file cannot be opened.
int ReadFileStart(const std::string& path, long limit, std::string& out);
