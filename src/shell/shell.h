// The application shell without a toolkit: the command table and its
// dispatch, start-up and exit, menu enabling, the folder tabs, the file
// flows of the File menu, help requests and companion programs. Everything
// it shows goes through ui::Current(), so every rule runs under a scripted ui.
#pragma once

#include <string>
#include <vector>

#include "model/model.h"
#include "ui/ui.h"

// ---- Command ids ------------------------------------------------------------
enum : int {
    CmdNew = 1,
    CmdOpen = 2,
    CmdSave = 3,
    CmdSaveAs = 4,
    CmdExit = 5,
    CmdAbout = 6,
    CmdInitialValues = 7,
    CmdSaveAccounts = 8,
    CmdReadAccounts = 9,
    CmdAddEvent = 10,
    CmdSaveGraphs = 11,
    CmdExportAccounts = 12,
    CmdImportAccounts = 13,
    CmdReindexAccounts = 14,
    CmdWithdrawal = 101,
    CmdGroupNames = 102,
    CmdHelpContents = 104,
    CmdHelpOnHelp = 105,
    CmdDeposit = 106,
    CmdLoan = 107,
    CmdMortgage = 108,
    CmdTransfer = 109,
    CmdFundamentals = 110,
    CmdPreferences = 111,
    CmdReportFont = 112,
    CmdInflationCalculator = 177,
    CmdCompareScenarios = 178,
    CmdTradeOff = 179,
    CmdTaxInflationInvestment = 180,
    CmdAddAccount = 200,
    CmdPrintResults = 401,
    CmdPrintGraphButton = 403,
    CmdPageSetup = 406,
    CmdReportOptions = 405,
    CmdPrintGraph = 404,
    CmdNewFromTab = 441,
    CmdNewFromCsv = 442,
    CmdNewByHand = 443,
    CmdBudgetFirst = 461,
    CmdBudgetLast = 465,
    CmdCreditCardDebt = 466,
    CmdCreditCardPayoff = 467,
    CmdGraphWindow = 501,
    CmdShowMonteCarlo = 523,
    CmdTodaysDollars = 530,
    CmdRecentFirst = 602,  // 602..606, then 609
    CmdRecentSixth = 609,
    CmdRecentSeparator = 607,
    CmdDownloadManual = 671,
    CmdQuickTipFirst = 776,
    CmdAdjustMonteCarlo = 788,
    CmdQuickTipLast = 789,
    CmdPrintFolder = 790,
    CmdPrintAllReports = 791,
    CmdMortgageCalculator = 881,
    CmdRefinance = 882,
    CmdAccelerated = 883,
    CmdWindowsCalculator = 884,
    CmdEffectiveRate = 886,
    CmdMailMaker = 887,
    CmdAssetAllocation = 888,
    CmdRequiredMinimum = 889,
    CmdNetWorthReport = 891,
    CmdAccountsReport = 899,
    CmdDarkerLabels = 901,
    CmdSummaryInfo = 902,
    CmdMonteCarloStatistics = 903,
    CmdSafeSpending = 904,
    CmdUndo = 951,
    CmdRedo = 952,
};

// ---- Command table and menus --------------------------------------------------
enum : int {
    CommandGuarded = 1,       // ignored (window raised) while an editing window is open
    CommandNeedsScenario = 2, // grayed until a scenario is opened or created
    CommandCreatesEvent = 4,  // refused when all event slots are in use
    CommandShortcutElsewhere = 8,  // the menu shows the accelerator, another id receives it
    CommandCheckable = 16,    // a menu item with a check mark, which its routine sets
};

struct Command {
    int id;
    const char* text;         // menu text, nullptr for accelerator-only commands
    const char* accelerator;  // "Alt+N", "Ctrl+F1", "Shift+F1", "F2" or nullptr
    const char* tooltip;      // toolbar tooltip or nullptr
    int flags;
    int (*run)();             // nullptr until the module doing the work installs it
};

// Every command, in menu order.
const std::vector<Command>& Commands();
const Command* FindCommand(int id);
// Installs the routine doing command `id`'s work (modules that come with
// their own dialogs). Returns 0 when the id is unknown.
int SetCommandRoutine(int id, int (*run)());

// The menu bar as a flat list: a Popup opens a (sub)menu titled `text`, End
// closes it, Item names a command, Separator is a line, Recent marks where
// the recent-file entries go.
enum class MenuKind { Popup, End, Item, Separator, Recent };
struct MenuEntry {
    MenuKind kind;
    int id;
    const char* text;
};
const std::vector<MenuEntry>& MenuLayout();

// The toolbar in order: command id and bitmap index, 0/-1 for a separator.
struct ToolbarButton {
    int command;
    int bitmap;
};
const std::vector<ToolbarButton>& ToolbarButtons();

// ---- Shell state -------------------------------------------------------------
// Editing windows whose open flag stops other commands (the guard).
enum : int {
    WindowInitialValues,
    WindowWithdrawal,
    WindowDeposit,
    WindowLoan,
    WindowCreditCard,
    WindowMortgage,
    WindowTransfer,
    WindowFundamentals,
    WindowAddEvent,
    WindowEventList,
    WindowAccountList,
    WindowAccountInformation,
    WindowBudget,
    WindowMonteCarloSettings,
    WindowReportOptions,
    WindowPreferences,
    WindowCalculator,
    WindowEffectiveRate,
    WindowSafeSpending,
    WindowCount
};

// Folder codes: what a tab shows. Tabs 0..8 carry the code of their index.
enum : int {
    FolderSummary = 0,
    FolderAccounts = 1,
    FolderScenario = 2,
    FolderResults = 3,
    FolderNetWorth = 4,
    FolderIncomingOutgoing = 5,
    FolderIncoming = 6,
    FolderOutgoing = 7,
    FolderGroups = 8,
    FolderAccountGraph = 9,   // one tab per ten accounts
    FolderMonteCarlo = 14,
    FolderMaker = 15,         // the maker's page on the first tab at start
};

struct ShellState {
    // Command-line keywords.
    int idColumn = 0;
    int quil = 0;
    int lighter = 0;
    int darker = 0;
    int colourScheme = 2;  // 0 dark yellow, 1 gray, 2 neither keyword
    // Editing windows.
    int windowOpen[WindowCount] = {};
    // Menus: 1 once a scenario was opened or created.
    int scenarioCommands = 0;
    // Folders: the tab selected, whether the maker's page still holds tab 0,
    // and whether another tab has been shown since start.
    int currentTab = 0;
    int makerFolder = 1;
    int otherTabShown = 0;
    int graphWindowOpen = 0;
    // Main window minimum width (start-up step 7).
    int minWidth = 600;
    // Projection runs made (0 = none yet).
    int runs = 0;
    // Set while the results are printing: the Results panel ignores its buttons.
    int printing = 0;
    // Set when the main window may be destroyed (after the close question).
    int closed = 0;
    // Extra pixels between the rows of result values in a chosen font.
    float valueFontSpacing = 0;
    // The Monte Carlo folder's percentile bands and trial curves. Kept for the
    // session only: neither the Scenario file nor the settings files have a
    // free place for them.
    int mcShowBands = 1;
    int mcShowTrials = 1;
    // View > "Show In Today's Dollars": the graphs, the Summary panel, the
    // Monte Carlo folder and the graph window show money deflated by the
    // plan's inflation. Session only, for the same reason.
    int todaysDollars = 0;
};
extern ShellState shell;

// Work of other modules that the shell's flows call at fixed points; each
// may be left null.
struct ShellHooks {
    void (*cleanUpPlotFiles)() = nullptr;      // when the main window closes
    void (*refreshSummary)() = nullptr;        // after a run made by Open and recent files
    // Creates the accounts of a new Scenario from a tab (441) or comma (442)
    // delimited file.
    int (*createAccountsFromFile)(int command) = nullptr;
};
extern ShellHooks shellHooks;

// ---- Start-up and exit ---------------------------------------------------------
// Sets the keyword switches found anywhere in `commandLine` (upper case).
void ScanCommandLine(const std::string& commandLine);

struct Colour {
    int r = 0, g = 0, b = 0;
    bool operator==(const Colour&) const = default;
};
// The colour-lightening rule, always applied.
Colour LightenColour(Colour c);
// The rule as the shell applies it: skipped in colour scheme 0 without LIGHTER.
Colour WindowColour(Colour c);

// The folder the program keeps its settings, temporary and page files in
// and starts its companions in: `workdir` (--workdir) when given; for a start
// from the desktop (--desktop) the program's own folder under the user's data
// directory, $XDG_DATA_HOME/tillory or else $HOME/.local/share/tillory;
// otherwise "", the current folder, as a start from a terminal expects.
std::string WorkingFolder(const std::string& workdir, bool desktop, const char* dataHome, const char* home);
// Makes `folder` (created when missing) the current folder; "" stays. 1 =
// done, 0 with `error` saying why not.
int EnterWorkingFolder(const std::string& folder, std::string& error);
// Start-up steps that do not need a window: reset, keywords, preferences,
// window size rules. Returns the main window's rectangle.
void StartUpBeforeWindow(const std::string& commandLine);
// The rest, once the main window exists: program settings, reopening the
// last scenario and running the projection, menus, tabs, the first folder.
// A `scenarioFile` named on the command line is then opened as Open would.
void StartUpWithWindow(const std::string& scenarioFile = "");
// The window's close button or Exit: asks to save; returns 1 when the
// window may close (preferences and settings written), 0 to keep running.
int CloseMainWindow();
// Clamps a requested window size to the minimum size rules.
void ClampWindowSize(int& width, int& height);
// Height of the folder area below the tabs.
int FolderAreaHeight(int clientHeight, int tabRows);

// ---- Commands ------------------------------------------------------------------
// Runs command `id` with the guard and the event-limit check. Returns what the
// command's routine returned, 0 when it was stopped or does nothing yet.
int DispatchCommand(int id);
// When every event slot is in use: says so and returns 1; else 0.
int RefuseWhenEventsFull();
// The first open editing window, or -1.
int OpenEditingWindow();
// What the graph window is told of today's dollars: "" while the switch is
// off, else " --todays-dollars AGE:F0,F1,..." with the last run's inflation
// factor of each row from the first row's whole age on.
std::string TodaysDollarsArgument();
// Grays or enables the commands that need a scenario.
void EnableScenarioCommands(bool on);
// The graph-only commands, enabled while a graph folder is shown.
void EnableGraphCommands(bool on);

// File flows (commands 1..4, 8, 9, 14, 441..443, recent files).
int CommandNew();
int NewScenario();  // the common part of 441..443; 0 when the temporary file failed
int CommandNewByHand();
int CommandOpen();
int CommandSave();
int CommandSaveAs();
int CommandRecentFile(int entry);  // entry 0..5
int CommandSaveAccounts();
int CommandReadAccounts();
int CommandReindexAccounts();
int CommandExit();
int CommandNewFromFile(int command);
// A file dialog with one filter, e.g. ("Open a Scenario", "Scenario Files (*.RET)", "ret").
ui::FileDialog FileDialogFor(const char* title, const char* description, const char* extension, bool save);
// Opens the scenario at `path` as Open does after its dialog. Returns 1 when
// it opened, 0 when the file was refused, -1 when it cannot even be opened
// for reading and writing (then nothing else changes).
int OpenScenarioPath(const std::string& path, bool clearModified);
// Open after its dialog: the file, then the projection and the summary.
int OpenChosenScenario(const std::string& path);

// ---- Scenario files as the person sees them ------------------------------------
// The core's file routines with their questions and messages, the window
// title, the recent-file entries and the Budgets menu.
constexpr int MenuBudgetFirst = 461;  // Budgets menu items 461..465
constexpr int MenuRecentSeparator = 607;
// A core message in a message box (OK, stop icon); nothing for an empty one.
void ShowNotice(const Notice& notice);
// Shows and empties the engine's `runNotices`.
void ShowRunNotices();
// Writes the Scenario to its path with the main window's width; on success
// the title shows the path.
int SaveScenario();
// Asks "PATH exits - Overwrite anyway?" before writing over a file.
int SaveScenarioAs(const std::string& path);
// Reads a scenario file at the default printer's resolution and shows the
// Budgets menu of what was read; a file that does not open for writing
// only sets the title to "Tillory -- Pro". 1 = read.
int OpenScenario(const std::string& path);
int SaveTemporaryScenario(int startCounter);
// "Do you wish to save the file ...?" when the Scenario is modified; Yes saves
// through `save`, and a save that fails or is given up turns the answer into
// Cancel, so that the command asking goes no further with the plan unsaved.
ui::Answer AskToSave(int (*save)() = SaveScenario);
void SetTitleWithPath();
// TakeOutsideValuesFrom at the default printer's resolution.
void TakeOutsideValuesFrom(const Scenario& s);
// The File menu commands around the accounts file: the question before an
// overwrite, and "Cannot write %s accounts file!" ("Write Error") or "Cannot
// read %s accounts file!" ("Read Error") after a failure. A successful read
// marks the Scenario modified and due for recalculation; closing windows and
// showing the "Accounts" folder stay with the caller.
int WriteAccountsCommand(const std::string& path);
int ReadAccountsCommand(const std::string& path);
// "prefinf.dat" with the main window where it is now.
void WritePreferences();
// Puts `path` at the top of the recent files and rebuilds the File menu's
// entries: entry k shows as RecentFileMenuText(k) with id RecentFileMenuId(k).
void AddRecentFile(const std::string& path);
std::string RecentFileMenuText(int index);  // "(1) " + entry 1 ... (index 0-based)
int RecentFileMenuId(int index);            // 602..606, 609 (index 0-based)
// The Budgets menu texts after a reset named the budgets.
void ShowBudgetNames();
// The Budgets menu texts from the budget names, with check marks for active ones.
void RefreshBudgetMenu();

// ---- Undo and Redo -------------------------------------------------------------
// DispatchCommand brackets each command with these: an outermost command that
// changed the Scenario becomes a step Edit > Undo takes back ("Undo Add
// Account"), up to 100 of them; one that opens or starts another plan clears
// the history, and a save marks the state that Undo back to clears the
// modified flag.
void BeginCommandStep();
void EndCommandStep(const Command& c);
void EndNamedStep(const char* name);
// A change made with a folder's buttons rather than through a command is a
// step of its own under `name` ("Undo Edit Event"); inside a command, the
// command's step. A change made anywhere else becomes a step ("Change") when
// the next command begins, so Undo never takes back more than the last change.
class NamedStep {
public:
    explicit NamedStep(const char* name) : name_(name) { BeginCommandStep(); }
    ~NamedStep() { EndNamedStep(name_); }
    NamedStep(const NamedStep&) = delete;
    NamedStep& operator=(const NamedStep&) = delete;

private:
    const char* name_;
};
// No steps: a plan just opened or created.
void ForgetUndoHistory();
int CommandUndo();
int CommandRedo();
// The name of the step Undo (Redo) would take, "" when there is none.
std::string UndoStepName();
std::string RedoStepName();

// ---- Folders ---------------------------------------------------------------------
struct FolderTab {
    std::string label;
    int folder;
};
// The tabs for the current Scenario, the first one the maker's page or Summary.
std::vector<FolderTab> FolderTabs();
// Account graph tab labels for `accounts` accounts.
std::vector<std::string> AccountTabLabels(int accounts);
// The user (code 0) or a command (code 9999) selected tab `tab`.
void SelectFolderTab(int tab, int code);
// Selects the tab showing `folder` and rebuilds it (code 9999).
void ShowFolder(int folder);
// The folder code shown under tab `tab`.
int FolderOfTab(int tab);
bool IsGraphFolder(int folder);
int TabOfFolder(int folder);

// ---- Chosen fonts ----------------------------------------------------------------------
struct FontDescription;
// Font record 1 (reports), 2 (Scenario and Results folders) or 3 (result
// values) when one was chosen and is in use; nullptr means the default font.
const FontDescription* ChosenFont(int record);
// The extra row spacing for a result value font of this size.
float ValueFontSpacingFor(int tenthsOfPoint);
// Stores a font picked for record 1..3 and marks the Scenario modified.
int StoreChosenFont(int record, const FontDescription& font, int tenthsOfPoint);
// Hands the value-font row spacing to the folders (0 with default fonts).
void ApplyDisplayFonts();

// ---- Projection as the shell runs it -------------------------------------------------
// Runs the projection into the Results list (mode 0) and counts the run.
int RunShellProjection(int outputMode);
// Runs the projection when a folder needs fresh results.
void EnsureProjection();
// Puts the Event list in processing order (by start age, then description),
// unless an event dialog holds a slot open; after every change to the list.
void PutEventsInOrder();

// ---- Help and companion programs ------------------------------------------------------
constexpr const char* HelpFile = ".\\finance.hlp";
enum : int { HelpContext = 1, HelpIndex = 3, HelpOnHelp = 4 };
// One help request: operation and context number. Returns 1 when shown.
int Help(int operation, int context);
// The page shown for a request: "contents.html", "helponhelp.html" or
// "topic<context>.html"; "" for an unknown context.
std::string HelpPageName(int operation, int context);
struct HelpTopic {
    int context;
    const char* title;
};
// Every context number the program asks for, with its title.
const std::vector<HelpTopic>& HelpTopics();
// Context of a Quick Tips command, 0 when `command` is none.
int QuickTipContext(int command);
// Starts a companion from its command line ("kvplot3.exe plotinf01.tmp"),
// found beside the running program first, then on the PATH; a companion
// that is missing or does not start is reported. Returns 1 when started.
int StartCompanion(const std::string& commandLine);
// The full name of companion `name`, or "" when there is none.
std::string FindCompanion(const std::string& name);
// Where companions are looked for first (the running program's folder
// unless set).
void SetCompanionDirectory(const std::string& directory);
int CommandWindowsCalculator();
int CommandDownloadManual();
int CommandMailMaker();
// The configured addresses.
std::string ManualAddress();
std::string MakerMailAddress();
