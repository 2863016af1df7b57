// The Scenario's plain records. Every record is the byte image of its block in
// a scenario file: little-endian, packed, no padding. The layout is checked at
// compile time below; change nothing here without changing the file format.
//
// Because the records are packed, never bind a reference or pointer to a
// multi-byte member (float&, int16_t* ...): copy the value instead. Whole
// records and char arrays are safe to address.
#pragma once

#include <cstddef>
#include <cstdint>

static_assert(sizeof(float) == 4, "f32 fields need a 4-byte float");

constexpr int MaxEvents = 150;
constexpr int MaxAccounts = 50;
constexpr int MaxGroups = 10;
constexpr int MaxBudgets = 5;
constexpr int MaxBudgetItems = 30;
constexpr int RmdTableLength = 30;

// Event types (Event::eventType).
enum : uint16_t {
    EventFundamentals = 1,
    EventDeposit = 2,
    EventLoan = 3,        // applyInflation == CreditCardMarker makes it a Credit Card Debt
    EventMortgage = 4,
    EventTransfer = 5,
    EventWithdrawal = 6,
    EventAssetAllocation = 7,
    EventRmdOption = 65535,
    EventFreeSlot = 99,
};
constexpr int16_t CreditCardMarker = -1000;
constexpr int16_t AccountAssignedMarker = 438;  // `years` / `paymentAccountAssigned` flag value

// Event run states (Event::runState).
enum : uint16_t { RunNotStarted = 0, RunActive = 1, RunDone = 2 };

// Account types (Account::accountType).
enum : uint16_t {
    AccountAsset = 0,
    AccountEquity = 1,
    AccountInvestmentSavings = 2,
    AccountRetirementSavings = 3,
    AccountTaxFreeSavings = 4,
};

#pragma pack(push, 1)

struct InitialValues {
    int16_t eventCount;
    float reserved02;
    float initialInvestmentSavings;
    float initialTaxFreeSavings;
    float initialRetirementSavings;
    float initialEquity;
    float initialAssets;
    float startAge;
    float endAge;
    int16_t useBirthday;
    float inflationRate;
    float equityAppreciationRate;
    float assetDepreciationRate;
    float taxRate;
    float reserved34;
    float investmentSavingsRate;
    float taxFreeSavingsRate;
    float retirementSavingsRate;
    float defaultPenaltyAge;
    float defaultPenaltyRate;
    int16_t birthMonth;
    int16_t birthDay;
};

struct Event {
    int16_t listRow;
    float startAge;
    float endAge;
    float applyRate;
    uint16_t oneTimeOnly;
    uint16_t eventType;
    float amount;
    int16_t secondary;
    int16_t accountId;
    int16_t applyInflation;
    float runAmount;
    float rate2;
    float monthlyPayment;
    float loanRate;
    int16_t years;
    float runSoldValue;
    float runPrincipalPaid;
    float runInterestPaid;
    int16_t paymentAccountAssigned;
    float rate3;
    int16_t budgetIndex;
    uint16_t transferAll;
    uint16_t runState;
    char description[64];
    float taxes;
    float closingCosts;
    float salePercent;
    float acceleratedAmount;
    uint8_t reserved96[4];
    uint16_t runSold;
    uint16_t option;
    int16_t paymentAccountId;
};

struct Account {
    char name[30];
    char accessOrder[4];
    float balance;
    float rate;
    float initialAmount;
    float yearlyRate;
    uint16_t accountType;
    float randomMinRate;
    float randomMaxRate;
    uint16_t accountId;
    uint16_t penaltyApplies;
    float mcMinRate;
    float mcMaxRate;
    float mcRateSum;
    uint8_t reserved4c[2];
    uint16_t groupIndex;
    uint16_t optionsSlot;
};

struct AccountTable {
    int16_t accountCount;
    Account accounts[MaxAccounts];
    uint32_t nextAccountId;
    float assetAllocAmount;
    float assetAllocStartAge;
    uint8_t reserved4114[4];
    int16_t rmdOption;
    uint8_t reserved4120[2];
    int16_t assetAllocOption;
};

struct ScenarioSettings {
    char groupName[MaxGroups][21];
    float groupRandomMinRate[MaxGroups];
    float groupRandomMaxRate[MaxGroups];
    uint8_t reserved290[120];
    float mcMinInflationRate;
    float mcMaxInflationRate;
    float mcGoalAmount;
    uint8_t reserved422[28];
    int16_t mcTrials;
    uint8_t reserved452[2];
    int16_t mcRandomSource;
    int16_t mcDistribution;
    int16_t mcHideLegend;
    int16_t mcRangeFactor;
    int16_t mcStdDevFactor;
    uint8_t reserved464[276];
};

struct ReportOptions {
    char title1[60];
    char title2[60];
    char title3[60];
    int16_t title1On;
    int16_t title2On;
    int16_t title3On;
    uint8_t reserved186[60];
};

struct AccountOptions {
    float penaltyAge[MaxAccounts];
    float penaltyRate[MaxAccounts];
    float mcRateCount[MaxAccounts];
    uint16_t assetAllocation[MaxAccounts];
    uint16_t runRecordedAge[MaxAccounts];
    int16_t rmdTable[MaxAccounts];
    int32_t rmdStartAge1;
    uint8_t reserved904[4];  // an f32 nobody uses
    uint8_t reserved908[4];
    float rmdPenaltyRate;
    int16_t rmdTargetAccount;
    uint8_t reserved918[120];
    float stdDeviation[MaxAccounts];
    uint16_t reserved1238[MaxAccounts];
    float rmdValues1[RmdTableLength];
    float rmdValues2[RmdTableLength];
    float rmdValues3[RmdTableLength];
    int32_t rmdStartAge2;
    int32_t rmdStartAge3;
    uint8_t reserved1706[32];
    char rmdName1[32];
    char rmdName2[32];
    char rmdName3[32];
    uint8_t reserved1834[104];
};

// A font description in the layout of a Windows LOGFONTA, kept so that files
// round-trip. All zero means "the default font".
struct FontDescription {
    int32_t height;
    int32_t width;
    int32_t escapement;
    int32_t orientation;
    int32_t weight;
    uint8_t italic;
    uint8_t underline;
    uint8_t strikeOut;
    uint8_t charSet;
    uint8_t outPrecision;
    uint8_t clipPrecision;
    uint8_t quality;
    uint8_t pitchAndFamily;
    char faceName[32];
};

struct PageSettings {
    int32_t windowLeft;
    int32_t windowTop;
    int32_t reportColumns;
    int32_t colorBanding;
    int32_t reportBanding;
    int32_t hideMakerFolder;
    int32_t reportBoxing;
    int32_t defaultFonts;
    int32_t defaultFonts2;
    int32_t displayOption;
    float valueFontSpacing;
    uint8_t reserved44[80];
    int32_t windowWidth;
    int32_t windowHeight;
    int32_t marginLeft;
    int32_t marginTop;
    int32_t marginRight;
    int32_t marginBottom;
    int32_t orientation;
};

struct Budget {
    char name[30];
    int16_t itemCount;
    int16_t startAge;
    int16_t endAge;
    char itemName[MaxBudgetItems][21];
    float itemYearly[MaxBudgetItems];
    float itemAmount[MaxBudgetItems];
    float itemYearlyCopy[MaxBudgetItems];
    float itemApplyRate[MaxBudgetItems];
    uint16_t itemMonthly[MaxBudgetItems];
    uint16_t itemApplyInflation[MaxBudgetItems];
    uint16_t reserved4F2[MaxBudgetItems];
    uint16_t itemTrack[MaxBudgetItems];
    float yearlyTotal;
    uint32_t active;
    int32_t accountId;
};

#pragma pack(pop)

// The one Scenario: the nine blocks, in file order. The event array holds all
// 150 slots; the file holds only the live ones.
struct Scenario {
    InitialValues initialValues;
    Event events[MaxEvents];
    AccountTable accountTable;
    ScenarioSettings settings;
    ReportOptions reportOptions;
    AccountOptions accountOptions;
    FontDescription folderFonts[3];
    PageSettings pageSettings;
    Budget budgets[MaxBudgets];
};

// ---- layout checks ---------------------------------------------------------
#define TILLORY_AT(T, f, off) static_assert(offsetof(T, f) == (off), #T "." #f " offset")

static_assert(sizeof(InitialValues) == 80);
TILLORY_AT(InitialValues, eventCount, 0x00);
TILLORY_AT(InitialValues, reserved02, 0x02);
TILLORY_AT(InitialValues, initialInvestmentSavings, 0x06);
TILLORY_AT(InitialValues, initialTaxFreeSavings, 0x0a);
TILLORY_AT(InitialValues, initialRetirementSavings, 0x0e);
TILLORY_AT(InitialValues, initialEquity, 0x12);
TILLORY_AT(InitialValues, initialAssets, 0x16);
TILLORY_AT(InitialValues, startAge, 0x1a);
TILLORY_AT(InitialValues, endAge, 0x1e);
TILLORY_AT(InitialValues, useBirthday, 0x22);
TILLORY_AT(InitialValues, inflationRate, 0x24);
TILLORY_AT(InitialValues, equityAppreciationRate, 0x28);
TILLORY_AT(InitialValues, assetDepreciationRate, 0x2c);
TILLORY_AT(InitialValues, taxRate, 0x30);
TILLORY_AT(InitialValues, reserved34, 0x34);
TILLORY_AT(InitialValues, investmentSavingsRate, 0x38);
TILLORY_AT(InitialValues, taxFreeSavingsRate, 0x3c);
TILLORY_AT(InitialValues, retirementSavingsRate, 0x40);
TILLORY_AT(InitialValues, defaultPenaltyAge, 0x44);
TILLORY_AT(InitialValues, defaultPenaltyRate, 0x48);
TILLORY_AT(InitialValues, birthMonth, 0x4c);
TILLORY_AT(InitialValues, birthDay, 0x4e);

static_assert(sizeof(Event) == 160);
TILLORY_AT(Event, listRow, 0x00);
TILLORY_AT(Event, startAge, 0x02);
TILLORY_AT(Event, endAge, 0x06);
TILLORY_AT(Event, applyRate, 0x0a);
TILLORY_AT(Event, oneTimeOnly, 0x0e);
TILLORY_AT(Event, eventType, 0x10);
TILLORY_AT(Event, amount, 0x12);
TILLORY_AT(Event, secondary, 0x16);
TILLORY_AT(Event, accountId, 0x18);
TILLORY_AT(Event, applyInflation, 0x1a);
TILLORY_AT(Event, runAmount, 0x1c);
TILLORY_AT(Event, rate2, 0x20);
TILLORY_AT(Event, monthlyPayment, 0x24);
TILLORY_AT(Event, loanRate, 0x28);
TILLORY_AT(Event, years, 0x2c);
TILLORY_AT(Event, runSoldValue, 0x2e);
TILLORY_AT(Event, runPrincipalPaid, 0x32);
TILLORY_AT(Event, runInterestPaid, 0x36);
TILLORY_AT(Event, paymentAccountAssigned, 0x3a);
TILLORY_AT(Event, rate3, 0x3c);
TILLORY_AT(Event, budgetIndex, 0x40);
TILLORY_AT(Event, transferAll, 0x42);
TILLORY_AT(Event, runState, 0x44);
TILLORY_AT(Event, description, 0x46);
TILLORY_AT(Event, taxes, 0x86);
TILLORY_AT(Event, closingCosts, 0x8a);
TILLORY_AT(Event, salePercent, 0x8e);
TILLORY_AT(Event, acceleratedAmount, 0x92);
TILLORY_AT(Event, reserved96, 0x96);
TILLORY_AT(Event, runSold, 0x9a);
TILLORY_AT(Event, option, 0x9c);
TILLORY_AT(Event, paymentAccountId, 0x9e);

static_assert(sizeof(Account) == 82);
TILLORY_AT(Account, name, 0x00);
TILLORY_AT(Account, accessOrder, 0x1e);
TILLORY_AT(Account, balance, 0x22);
TILLORY_AT(Account, rate, 0x26);
TILLORY_AT(Account, initialAmount, 0x2a);
TILLORY_AT(Account, yearlyRate, 0x2e);
TILLORY_AT(Account, accountType, 0x32);
TILLORY_AT(Account, randomMinRate, 0x34);
TILLORY_AT(Account, randomMaxRate, 0x38);
TILLORY_AT(Account, accountId, 0x3c);
TILLORY_AT(Account, penaltyApplies, 0x3e);
TILLORY_AT(Account, mcMinRate, 0x40);
TILLORY_AT(Account, mcMaxRate, 0x44);
TILLORY_AT(Account, mcRateSum, 0x48);
TILLORY_AT(Account, reserved4c, 0x4c);
TILLORY_AT(Account, groupIndex, 0x4e);
TILLORY_AT(Account, optionsSlot, 0x50);

static_assert(sizeof(AccountTable) == 4124);
TILLORY_AT(AccountTable, accountCount, 0);
TILLORY_AT(AccountTable, accounts, 2);
TILLORY_AT(AccountTable, nextAccountId, 4102);
TILLORY_AT(AccountTable, assetAllocAmount, 4106);
TILLORY_AT(AccountTable, assetAllocStartAge, 4110);
TILLORY_AT(AccountTable, reserved4114, 4114);
TILLORY_AT(AccountTable, rmdOption, 4118);
TILLORY_AT(AccountTable, reserved4120, 4120);
TILLORY_AT(AccountTable, assetAllocOption, 4122);

static_assert(sizeof(ScenarioSettings) == 740);
TILLORY_AT(ScenarioSettings, groupName, 0);
TILLORY_AT(ScenarioSettings, groupRandomMinRate, 210);
TILLORY_AT(ScenarioSettings, groupRandomMaxRate, 250);
TILLORY_AT(ScenarioSettings, reserved290, 290);
TILLORY_AT(ScenarioSettings, mcMinInflationRate, 410);
TILLORY_AT(ScenarioSettings, mcMaxInflationRate, 414);
TILLORY_AT(ScenarioSettings, mcGoalAmount, 418);
TILLORY_AT(ScenarioSettings, reserved422, 422);
TILLORY_AT(ScenarioSettings, mcTrials, 450);
TILLORY_AT(ScenarioSettings, reserved452, 452);
TILLORY_AT(ScenarioSettings, mcRandomSource, 454);
TILLORY_AT(ScenarioSettings, mcDistribution, 456);
TILLORY_AT(ScenarioSettings, mcHideLegend, 458);
TILLORY_AT(ScenarioSettings, mcRangeFactor, 460);
TILLORY_AT(ScenarioSettings, mcStdDevFactor, 462);
TILLORY_AT(ScenarioSettings, reserved464, 464);

static_assert(sizeof(ReportOptions) == 246);
TILLORY_AT(ReportOptions, title1, 0);
TILLORY_AT(ReportOptions, title2, 60);
TILLORY_AT(ReportOptions, title3, 120);
TILLORY_AT(ReportOptions, title1On, 180);
TILLORY_AT(ReportOptions, title2On, 182);
TILLORY_AT(ReportOptions, title3On, 184);
TILLORY_AT(ReportOptions, reserved186, 186);

static_assert(sizeof(AccountOptions) == 1938);
TILLORY_AT(AccountOptions, penaltyAge, 0);
TILLORY_AT(AccountOptions, penaltyRate, 200);
TILLORY_AT(AccountOptions, mcRateCount, 400);
TILLORY_AT(AccountOptions, assetAllocation, 600);
TILLORY_AT(AccountOptions, runRecordedAge, 700);
TILLORY_AT(AccountOptions, rmdTable, 800);
TILLORY_AT(AccountOptions, rmdStartAge1, 900);
TILLORY_AT(AccountOptions, reserved904, 904);
TILLORY_AT(AccountOptions, reserved908, 908);
TILLORY_AT(AccountOptions, rmdPenaltyRate, 912);
TILLORY_AT(AccountOptions, rmdTargetAccount, 916);
TILLORY_AT(AccountOptions, reserved918, 918);
TILLORY_AT(AccountOptions, stdDeviation, 1038);
TILLORY_AT(AccountOptions, reserved1238, 1238);
TILLORY_AT(AccountOptions, rmdValues1, 1338);
TILLORY_AT(AccountOptions, rmdValues2, 1458);
TILLORY_AT(AccountOptions, rmdValues3, 1578);
TILLORY_AT(AccountOptions, rmdStartAge2, 1698);
TILLORY_AT(AccountOptions, rmdStartAge3, 1702);
TILLORY_AT(AccountOptions, reserved1706, 1706);
TILLORY_AT(AccountOptions, rmdName1, 1738);
TILLORY_AT(AccountOptions, rmdName2, 1770);
TILLORY_AT(AccountOptions, rmdName3, 1802);
TILLORY_AT(AccountOptions, reserved1834, 1834);

static_assert(sizeof(FontDescription) == 60);
TILLORY_AT(FontDescription, weight, 16);
TILLORY_AT(FontDescription, italic, 20);
TILLORY_AT(FontDescription, pitchAndFamily, 27);
TILLORY_AT(FontDescription, faceName, 28);

static_assert(sizeof(PageSettings) == 152);
TILLORY_AT(PageSettings, windowLeft, 0);
TILLORY_AT(PageSettings, windowTop, 4);
TILLORY_AT(PageSettings, reportColumns, 8);
TILLORY_AT(PageSettings, colorBanding, 12);
TILLORY_AT(PageSettings, reportBanding, 16);
TILLORY_AT(PageSettings, hideMakerFolder, 20);
TILLORY_AT(PageSettings, reportBoxing, 24);
TILLORY_AT(PageSettings, defaultFonts, 28);
TILLORY_AT(PageSettings, defaultFonts2, 32);
TILLORY_AT(PageSettings, displayOption, 36);
TILLORY_AT(PageSettings, valueFontSpacing, 40);
TILLORY_AT(PageSettings, reserved44, 44);
TILLORY_AT(PageSettings, windowWidth, 124);
TILLORY_AT(PageSettings, windowHeight, 128);
TILLORY_AT(PageSettings, marginLeft, 132);
TILLORY_AT(PageSettings, marginTop, 136);
TILLORY_AT(PageSettings, marginRight, 140);
TILLORY_AT(PageSettings, marginBottom, 144);
TILLORY_AT(PageSettings, orientation, 148);

static_assert(sizeof(Budget) == 1398);
TILLORY_AT(Budget, name, 0x000);
TILLORY_AT(Budget, itemCount, 0x01e);
TILLORY_AT(Budget, startAge, 0x020);
TILLORY_AT(Budget, endAge, 0x022);
TILLORY_AT(Budget, itemName, 0x024);
TILLORY_AT(Budget, itemYearly, 0x29a);
TILLORY_AT(Budget, itemAmount, 0x312);
TILLORY_AT(Budget, itemYearlyCopy, 0x38a);
TILLORY_AT(Budget, itemApplyRate, 0x402);
TILLORY_AT(Budget, itemMonthly, 0x47a);
TILLORY_AT(Budget, itemApplyInflation, 0x4b6);
TILLORY_AT(Budget, reserved4F2, 0x4f2);
TILLORY_AT(Budget, itemTrack, 0x52e);
TILLORY_AT(Budget, yearlyTotal, 0x56a);
TILLORY_AT(Budget, active, 0x56e);
TILLORY_AT(Budget, accountId, 0x572);

#undef TILLORY_AT

// Sizes of a scenario file (N = event count).
constexpr long ScenarioFileSize(int n) { return 14450L + 160L * n; }
constexpr long TemporaryFileSize(int n) { return 4204L + 160L * n; }
static_assert(80 + 4124 + 740 + 246 + 1938 + 3 * 60 + 152 + 5 * 1398 == ScenarioFileSize(0));
