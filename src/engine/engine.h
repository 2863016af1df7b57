// The projection engine: one run of the Scenario, year by year of age, with
// its schedule text, result tables and output files.
//
// Everything here is program-wide and fixed in size: a run resets and refills
// it, the folders, reports, graphs and the Monte Carlo analysis read it until
// the next run. A run allocates nothing per year.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "model/model.h"

// Where the schedule goes (RunProjection's outputMode).
enum : int {
    OutputResultsList = 0,  // the in-memory results list (`resultsList`)
    OutputResultsFile = 1,  // the results file the user chose ("*.SCH")
    OutputPrintFile = 2,    // the print file `PrintFileName`
};

// Payment kinds of the withdrawal routines beside the output modes 0..2.
enum : int { PaymentTaxes = 67, PaymentPenalties = 98 };

// Line tags: an Event's lines carry its index.
enum : int { TagOther = -1, TagInitialRate = 7000, TagRandomRate = 8000 };

// Positioning of the results list after a run.
enum : int { PositionTop = 0, PositionBottom = 1, PositionGoTo = 2 };

constexpr int MaxResultRows = 100;
constexpr int BalanceCells = 51;
constexpr int SummaryCells = 20;
constexpr int AgeSlots = 121;  // whole ages 0..120
constexpr int MaxTaggedLines = 6000;
constexpr int FlowCount = 13;

constexpr const char* PrintFileName = "ptmpsch.dat";
constexpr const char* BigFileName = "bigfile.tmp";
constexpr const char* InFileName = "infile.tmp";
constexpr const char* OutFileName = "outfile.tmp";

// Switches callers set around a call of RunProjection.
struct RunSwitches {
    int descriptionOnly = 0;   // set-up only; mode 2 then writes the Scenario description
    int noSectionMarker = 0;   // no "??" at the end of set-up
    int randomAccountRates = 0;
    int randomGroupRates = 0;
    int tracking = 1;          // income-and-expense tracking
    int detailedRates = 0;     // "Show detailed results": rate lines and "from" lines
    int detailedSummary = 0;   // "Show detailed results": the year summary
    int accountSummary = 0;    // "Show accounts"
    int summary = 0;           // the summary-information switch ("SUMMARY")
    int exportTab = 0;
    int exportComma = 0;
    std::FILE* exportFile = nullptr;  // opened (with its header) and closed by the export command
    int graphWindow = 0;       // graph age window: on, from-age, to-age (whole ages)
    int graphFromAge = 0;
    int graphToAge = 0;
    int plotFolderCode = 1;    // first line of the plot file
    int monteCarloTrial = 0;   // current trial number; no flow records while it is 1 or more
    // Nobody reads the results list of these runs (Monte Carlo trials: the
    // plain run after them refills it), so mode 0 builds no schedule lines.
    int listUnread = 0;
    // Nobody reads the plot and item files of these runs either (Monte Carlo
    // trials: the plain run after them writes them), so none is written.
    int noRunFiles = 0;
    int positionMode = PositionBottom;
    int goToAge = 0;
    char plotPath[PathLength] = "plotinf01.tmp";
    // Output mode 1: the chosen file (empty means the save dialog was
    // cancelled), or a stream to write instead (left open by the run).
    char resultsPath[PathLength] = "";
    std::FILE* resultsStream = nullptr;
    // Called for every drawn savings-account rate the Monte Carlo statistics
    // count, after the engine has updated count, minimum, maximum and sum.
    void (*recordDrawnRate)(int accountPosition, float rate) = nullptr;
};
extern RunSwitches runSwitches;

// "Show detailed results" sets both of its switches together.
void SetDetailedResults(int on);

struct RedFlag {
    int32_t happened;
    int32_t age;
};

// This year's money moving in and out, and the year's charges.
struct YearTotals {
    float totalIncoming, deposits, taxableIncome, nonTaxableIncome, interestEarned;
    float retirementInterest, loans, withdrawals, interestPaid, saleProceeds;
    float penalties;
    float savingsInterestTax, withdrawalTaxes, propertyTaxes, closingCosts, taxes;
    float valueChange, appreciation, depreciation;
    // The monthly-payment accumulators of loans and mortgages.
    float loanPrincipal, mortgagePrincipal, loanInterest, mortgageInterest;
};

struct RunState {
    float projectionAge, firstAge, startYear, endAge, yearFraction;
    int32_t yearIndex;
    float investmentTotal, taxFreeTotal, retirementTotal, equityTotal, assetTotal;
    float liabilities, netWorth;
    float currentTaxRate, currentInflationRate;
    // The inflation rate in force outside random runs: the Scenario's, until
    // a Fundamentals Event changes it for the rest of the run.
    float inflationInForce;
    float appreciationRate, depreciationRate, investmentRate, taxFreeRate, retirementRate;
    float depositTaxThisYear;
    float savedInflationRate;
    YearTotals year;
    RedFlag penaltyPaid, liquidDepleted, withdrawalAccountDepleted, rmdDepleted, transferFailed,
        negativeNetWorth;
    int32_t failedTransfers;
    float groupRate[MaxGroups];
    int32_t groupShown[MaxGroups];
    int32_t outputMode;      // where this run's schedule goes
    int32_t lineCounter;     // results-list lines of this run
    int32_t plotYearOpen;    // a plot year line waits for its flow values
    std::FILE* resultsStream;
    int32_t ownsResultsStream;
    std::FILE* plotFile;
    std::FILE* bigFile;
    std::FILE* outFile;
    std::FILE* inFile;
};
extern RunState run;

struct GroupRateStatistics {
    int32_t count;
    float sum, minimum, maximum;
};

// Result tables, read by the folders, reports, graphs and the Monte Carlo analysis.
struct ResultTables {
    int32_t rowCount;  // rows filled: yearIndex + 1 of the last run
    float accountBalance[MaxResultRows][BalanceCells];
    float yearSummary[MaxResultRows][SummaryCells];
    float investmentByAge[AgeSlots], taxFreeByAge[AgeSlots], retirementByAge[AgeSlots];
    float assetByAge[AgeSlots], equityByAge[AgeSlots], liabilitiesByAge[AgeSlots];
    int32_t lineIndexByAge[AgeSlots];
    int32_t lineTag[MaxTaggedLines];
    int32_t selectedLine;  // results-list line to select and show after the run; -1 none
    GroupRateStatistics groups[MaxGroups];
};
extern ResultTables results;
// Per result row, filled by every run beside the tables: the plan's inflation
// from the start age to the row's age (InflationFactors), 1 at the start.
// Money divided by it is in today's dollars.
extern double inflationFactor[MaxResultRows];

// Reset by every run for the Monte Carlo analysis: drawn-rate extremes per
// account type (and one overall pair) and the trial counters.
struct RandomRateCounters {
    float minimum[6], maximum[6];
    int32_t trials, draws;
};
extern RandomRateCounters randomCounters;

// A fixed table of text lines: the results list of output mode 0 and the
// Event list. Lines that do not fit are counted in `dropped`.
struct LineTable {
    static constexpr int MaxLines = 40000;
    static constexpr int TextBytes = 4 << 20;
    int32_t count;
    int32_t used;
    int32_t dropped;
    int32_t start[MaxLines];
    char text[TextBytes];
};
extern LineTable resultsList;
extern LineTable eventList;
void ClearLines(LineTable& table);
int AddLine(LineTable& table, const char* text);  // the new line's index, or -1
const char* LineAt(const LineTable& table, int index);

void ResetRun();
void ResetResults();

// The inflation of the plan compounded year by year from the start age: row k
// gets the product of (1 + rate of the year) over the k years before it, along
// the Initial Values rate and the changes Fundamentals Events make to it, as a
// plain run applies them (random inflation plays no part). Row 0 is 1.
void InflationFactors(double* factors, int rows);

// One projection run. Returns 1 after a complete run, 0 when the set-up
// failed, was cancelled, or the description-only switch is on, or when a file
// of the run could not be written whole (the old file then stays as it was).
// A file that would not open or be written leaves its message in `runNotices`.
int RunProjection(int outputMode);
// The messages of the runs since the list was last emptied, in order (files
// of a run that would not open). The engine shows nothing: whoever started
// the run shows them and empties the list.
extern std::vector<Notice> runNotices;
int PrepareProjection(int outputMode);
void LoadStartBalances();
void ResetYearTotals();
void ProcessEvent(int eventIndex, int outputMode, float yearFraction);
void CloseYear(int outputMode, float yearFraction, float projectionAge, float startYear);
void WriteYearFlows();
// The 13 flow values of the current year, in record order.
void YearFlowValues(float out[FlowCount]);

// Every schedule line passes through here.
void EmitLine(int outputMode, const char* text, int tag);
// label + the rate as "%-7.2f" with blanks removed + "%".
void RateLine(char* out, int size, const char* label, float rate);
// printf(format, value) turned into dollar text, into a caller's buffer.
void MoneyText(char* out, int size, const char* format, float value);

// The Scenario description: to a results or print file, and as the Event
// list (which also stores every Event's first row in `listRow`).
void WriteScenarioDescription(std::FILE* stream);
void BuildEventList();
// Puts the live Events in processing order: start age, then description, then type.
void SortEvents();
// The header line of an export file; `comma` 0 = tab-delimited.
void WriteExportHeader(std::FILE* stream, int comma);

// The life-expectancy divisors a table shows before it is first confirmed
// (ages 70..99 of the IRS Uniform Lifetime Table).
extern const float DefaultRmdValues[RmdTableLength];

// One year of the schedule of a Mortgage: the rows of the Mortgage Schedule
// window and of "psched.tmp".
struct MortgageScheduleRow {
    int32_t age;
    float principal, interest, totalPrincipal, totalInterest, totalPayment;
    float equity, inflatedEquity, propertyValue, propertyLiability;
};
constexpr int MaxMortgageScheduleRows = 102;  // the first row and at most 101 years
constexpr const char* MortgageScheduleFileName = "psched.tmp";
extern const Notice MortgageScheduleFileError;
// The schedule of the Mortgage `e` (with the same amortization as the
// projection) into `rows`; returns the row count, 0 when the Event is not a
// consistent Mortgage.
int MortgageSchedule(const Event& e, MortgageScheduleRow* rows, int maxRows);
// The ten cells of a row as the window shows them.
void MortgageScheduleCells(const MortgageScheduleRow& row, char cells[10][24]);
// Writes the schedule of `e` to `path` ("psched.tmp"). Returns the row count
// written, or -1 when the file does not open: the caller then shows
// MortgageScheduleFileError.
int WriteMortgageSchedule(const Event& e, const char* path = MortgageScheduleFileName);
