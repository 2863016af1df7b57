#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "model/model.h"

Scenario scenario;
ScenarioState state;

std::string FieldText(const char* field, int size) {
    const void* nul = std::memchr(field, 0, static_cast<size_t>(size));
    size_t n = nul ? static_cast<size_t>(static_cast<const char*>(nul) - field) : static_cast<size_t>(size);
    return std::string(field, n);
}

void SetFieldText(char* field, int size, const std::string& text) {
    if (size <= 0) return;
    size_t n = text.size() < static_cast<size_t>(size - 1) ? text.size() : static_cast<size_t>(size - 1);
    std::memcpy(field, text.data(), n);
    field[n] = 0;
}

std::string Format(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0) return "";
    if (n < static_cast<int>(sizeof text)) return text;
    std::string big(static_cast<size_t>(n) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(big.data(), big.size(), format, args);
    va_end(args);
    big.resize(static_cast<size_t>(n));
    return big;
}

namespace {

void NameBudgets() {
    for (int b = 0; b < MaxBudgets; ++b) {
        std::snprintf(scenario.budgets[b].name, sizeof scenario.budgets[b].name, "Budget %d", b + 1);
        scenario.budgets[b].accountId = -1;
    }
}

int CompareNoCase(const char* a, int asize, const char* b, int bsize) {
    std::string x = FieldText(a, asize), y = FieldText(b, bsize);
    size_t n = x.size() < y.size() ? x.size() : y.size();
    for (size_t i = 0; i < n; ++i) {
        int ca = std::tolower(static_cast<unsigned char>(x[i]));
        int cb = std::tolower(static_cast<unsigned char>(y[i]));
        if (ca != cb) return ca - cb;
    }
    return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

template <typename Key>
void BubbleSortAccounts(bool ascending, Key compare) {
    AccountTable& t = scenario.accountTable;
    const int n = LiveAccountCount();
    for (int pass = 0; pass < n - 1; ++pass) {
        for (int i = 0; i < n - 1; ++i) {
            int c = compare(t.accounts[i], t.accounts[i + 1]);
            if (ascending ? c > 0 : c < 0) {
                Account tmp = t.accounts[i];
                t.accounts[i] = t.accounts[i + 1];
                t.accounts[i + 1] = tmp;
            }
        }
    }
}

int LiveEvents() {
    int n = state.eventCount;
    return n < 0 ? 0 : (n > MaxEvents ? MaxEvents : n);
}

void RemoveEvent(int slot) {
    int n = LiveEvents();
    for (int i = slot; i < n - 1; ++i) scenario.events[i] = scenario.events[i + 1];
    state.eventCount = n - 1;
    ResetEventSlot(n - 1);
}

}  // namespace

void ResetScenario() {
    InitialValues& iv = scenario.initialValues;
    iv.startAge = 30.0f;
    iv.endAge = 84.0f;
    iv.initialInvestmentSavings = iv.initialTaxFreeSavings = iv.initialRetirementSavings = 0;
    iv.initialEquity = iv.initialAssets = 0;
    iv.reserved02 = 0;
    iv.inflationRate = 4.0f;
    iv.equityAppreciationRate = 0;
    iv.assetDepreciationRate = 0;
    iv.taxRate = 15.0f;
    iv.reserved34 = 3.0f;
    iv.investmentSavingsRate = 9.0f;
    iv.taxFreeSavingsRate = 6.0f;
    iv.retirementSavingsRate = 9.0f;
    iv.defaultPenaltyRate = 10.0f;
    iv.defaultPenaltyAge = 59.0f;

    AccountTable& t = scenario.accountTable;
    AccountOptions& o = scenario.accountOptions;
    for (int i = 0; i < MaxAccounts; ++i) {
        Account& a = t.accounts[i];
        std::memcpy(a.accessOrder, " ", 2);
        a.balance = a.rate = a.initialAmount = a.yearlyRate = 0;
        a.accountType = AccountAsset;
        a.randomMinRate = a.randomMaxRate = 0;
        a.accountId = 0;
        a.penaltyApplies = 0;
        a.mcMinRate = a.mcMaxRate = 0;
        o.mcRateCount[i] = 0;
        a.groupIndex = 0;
        a.name[0] = 0;
        a.optionsSlot = static_cast<uint16_t>(i);
        o.penaltyAge[i] = 59.0f;
        o.penaltyRate[i] = 10.0f;
        o.assetAllocation[i] = 0;
        o.runRecordedAge[i] = 0;
    }
    t.accountCount = 0;
    t.nextAccountId = 0;

    for (auto& g : scenario.settings.groupName) g[0] = 0;
    for (int s = 0; s < MaxEvents; ++s) ResetEventSlot(s);

    scenario.pageSettings.defaultFonts = 1;
    scenario.pageSettings.defaultFonts2 = 1;
    scenario.pageSettings.displayOption = 0;

    ReportOptions& r = scenario.reportOptions;
    r.title1[0] = r.title2[0] = r.title3[0] = 0;
    r.title1On = r.title2On = r.title3On = 0;

    std::memset(scenario.budgets, 0, sizeof scenario.budgets);
    NameBudgets();
}

void ResetEventSlot(int slot) {
    if (slot < 0 || slot >= MaxEvents) return;
    Event& e = scenario.events[slot];
    e.startAge = e.endAge = e.applyRate = 0;
    e.oneTimeOnly = 0;
    e.eventType = EventFreeSlot;
    e.amount = 0;
    e.accountId = 0;
    e.applyInflation = 0;
    e.runAmount = 0;
    e.secondary = 0;
    e.rate2 = e.monthlyPayment = e.loanRate = 0;
    e.years = 0;
    e.runSoldValue = e.runPrincipalPaid = e.runInterestPaid = 0;
    e.paymentAccountAssigned = 0;
    e.rate3 = 0;
    e.budgetIndex = 0;
    e.transferAll = 0;
    e.runState = RunNotStarted;
    e.description[0] = 0;
    e.taxes = 0;
    e.closingCosts = 0;
    e.option = 0;
    e.paymentAccountId = 0;
    e.acceleratedAmount = 0;
}

void ClearRunFields() {
    int n = LiveEvents();
    for (int i = 0; i < n; ++i) {
        Event& e = scenario.events[i];
        e.runAmount = 0;
        e.runSoldValue = 0;
        if (e.eventType != EventTransfer) e.transferAll = 0;
        e.runState = RunNotStarted;
        if (e.eventType != EventFundamentals) e.runPrincipalPaid = e.runInterestPaid = 0;
    }
}

int FindAccount(int accountId) {
    int n = LiveAccountCount();
    for (int i = 0; i < n; ++i)
        if (scenario.accountTable.accounts[i].accountId == accountId) return i;
    return -1;
}

void AppendAccountName(int accountId, std::string& text) {
    int p = FindAccount(accountId);
    if (p >= 0) text += FieldText(scenario.accountTable.accounts[p].name);
}

void AssignAccountId(int position) {
    AccountTable& t = scenario.accountTable;
    if (position < 0 || position >= MaxAccounts) return;
    if (t.nextAccountId == 30000) t.nextAccountId = 10;
    int n = LiveAccountCount();
    bool matched = true;
    while (matched) {
        matched = false;
        t.accounts[position].accountId = static_cast<uint16_t>(t.nextAccountId);
        for (int i = 0; i < n; ++i) {
            if (t.accounts[i].accountId == static_cast<uint16_t>(t.nextAccountId) && i != position) {
                ++t.nextAccountId;
                matched = true;
            }
        }
    }
    t.accounts[position].accountId = static_cast<uint16_t>(t.nextAccountId);
    t.accountCount = static_cast<int16_t>(t.accountCount + 1);
    ++t.nextAccountId;
}

void RepairOptionsSlots() {
    Account* a = scenario.accountTable.accounts;
    for (int pass = 0; pass < 2; ++pass) {
        bool taken[MaxAccounts] = {};
        for (int i = 0; i < MaxAccounts; ++i) {
            int slot = a[i].optionsSlot;
            if (slot < MaxAccounts && !taken[slot]) {
                taken[slot] = true;
                continue;
            }
            for (int s = MaxAccounts - 1; s >= 1; --s) {
                if (!taken[s]) {
                    a[i].optionsSlot = static_cast<uint16_t>(s);
                    taken[s] = true;
                    break;
                }
            }
        }
    }
    // Slot 0 is never handed to a duplicate, so a number read from a damaged
    // file can survive both passes; it would index past the option arrays.
    for (int i = 0; i < MaxAccounts; ++i) {
        if (a[i].optionsSlot < MaxAccounts) continue;
        bool used[MaxAccounts] = {};
        for (int j = 0; j < MaxAccounts; ++j)
            if (a[j].optionsSlot < MaxAccounts) used[a[j].optionsSlot] = true;
        int free = 0;
        while (free < MaxAccounts - 1 && used[free]) ++free;
        a[i].optionsSlot = static_cast<uint16_t>(free);
    }
}

void SortAccountsByName(bool ascending) {
    BubbleSortAccounts(ascending, [](const Account& x, const Account& y) {
        return CompareNoCase(x.name, sizeof x.name, y.name, sizeof y.name);
    });
}

void SortAccountsBy(bool ascending, int (*compare)(const Account& x, const Account& y)) {
    BubbleSortAccounts(ascending, compare);
}

int CompareFieldsNoCase(const char* a, int asize, const char* b, int bsize) {
    return CompareNoCase(a, asize, b, bsize);
}

void SortAccountsByAccessOrder(bool ascending) {
    BubbleSortAccounts(ascending, [](const Account& x, const Account& y) {
        return CompareNoCase(x.accessOrder, sizeof x.accessOrder, y.accessOrder, sizeof y.accessOrder);
    });
}

namespace {

// The Access Order text without its surrounding blanks.
std::string AccessKey(const Account& a) {
    std::string t = FieldText(a.accessOrder, sizeof a.accessOrder);
    size_t first = t.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return t.substr(first, t.find_last_not_of(' ') - first + 1);
}

bool AllDigits(const std::string& t) {
    return !t.empty() && t.find_first_not_of("0123456789") == std::string::npos;
}

// < 0 when x is taken from before y.
int CompareAccessKeys(const std::string& x, const std::string& y) {
    if (x.empty() || y.empty()) return x.empty() == y.empty() ? 0 : (x.empty() ? 1 : -1);
    if (AllDigits(x) && AllDigits(y)) {
        long a = std::stol(x), b = std::stol(y);  // at most three digits
        return a == b ? 0 : (a < b ? -1 : 1);
    }
    return CompareNoCase(x.data(), static_cast<int>(x.size()), y.data(), static_cast<int>(y.size()));
}

}  // namespace

int AccountsInWithdrawalOrder(int (&positions)[MaxAccounts]) {
    const int n = LiveAccountCount();
    std::string keys[MaxAccounts];
    for (int i = 0; i < n; ++i) {
        positions[i] = i;
        keys[i] = AccessKey(scenario.accountTable.accounts[i]);
    }
    // Insertion sort: stable, and at most 50 entries.
    for (int i = 1; i < n; ++i) {
        const int p = positions[i];
        int j = i;
        for (; j > 0 && CompareAccessKeys(keys[p], keys[positions[j - 1]]) < 0; --j) positions[j] = positions[j - 1];
        positions[j] = p;
    }
    return n;
}

void RecomputeInitialTotals() {
    InitialValues& iv = scenario.initialValues;
    float total[5] = {};
    float rateSum[5] = {};
    int count[5] = {};
    int n = LiveAccountCount();
    for (int i = 0; i < n; ++i) {
        Account& a = scenario.accountTable.accounts[i];
        a.balance = a.initialAmount;
        a.rate = a.yearlyRate;
        int type = a.accountType;
        if (type > AccountTaxFreeSavings) continue;
        total[type] += a.initialAmount;
        rateSum[type] += a.yearlyRate;
        ++count[type];
    }
    auto average = [&](int type) { return count[type] ? rateSum[type] / static_cast<float>(count[type]) : 0.0f; };
    iv.reserved02 = 0;
    iv.initialInvestmentSavings = total[AccountInvestmentSavings];
    iv.initialTaxFreeSavings = total[AccountTaxFreeSavings];
    iv.initialRetirementSavings = total[AccountRetirementSavings];
    iv.initialAssets = total[AccountAsset];
    iv.initialEquity = total[AccountEquity];
    iv.investmentSavingsRate = average(AccountInvestmentSavings);
    iv.taxFreeSavingsRate = average(AccountTaxFreeSavings);
    iv.retirementSavingsRate = average(AccountRetirementSavings);
    iv.assetDepreciationRate = average(AccountAsset);
    iv.equityAppreciationRate = average(AccountEquity);
    iv.reserved34 = 0;
}

float BirthdayFraction(int m, int d) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int bm = scenario.initialValues.birthMonth;
    int bd = scenario.initialValues.birthDay;
    // Dates from a file may be anything; out-of-range months count as January.
    if (bm < 1 || bm > 12) bm = 1;
    if (m < 1 || m > 12) m = 1;
    int count = 0;
    if (m == bm) {
        if (d == bd) return 0.0f;
        count = d > bd ? d - bd : 365 - (bd - d);
    } else if (m > bm) {
        count = days[bm - 1] - bd;
        for (int k = bm + 1; k < m; ++k) count += days[k - 1];
        count += d - 1;
    } else {
        count = days[bm - 1] - bd;
        for (int k = bm + 1; k <= 12; ++k) count += days[k - 1];
        for (int k = 1; k < m; ++k) count += days[k - 1];
        count += d;
    }
    if (count >= 365) count = 364;
    return static_cast<float>(count) / 365.0f;
}

float BirthdayFraction() {
    if (state.todayMonth > 0) return BirthdayFraction(state.todayMonth, state.todayDay);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return BirthdayFraction(local.tm_mon + 1, local.tm_mday);
}

void ClearAccountOptions(int position) {
    if (position < 0 || position >= MaxAccounts) return;
    int slot = scenario.accountTable.accounts[position].optionsSlot;
    if (slot >= MaxAccounts) return;
    AccountOptions& o = scenario.accountOptions;
    o.rmdTable[slot] = 0;
    o.assetAllocation[slot] = 0;
    o.penaltyAge[slot] = 0;
    o.penaltyRate[slot] = 0;
}

void ReindexAccounts() {
    AccountTable& t = scenario.accountTable;
    t.nextAccountId = 0;
    SortAccountsByName(true);
    int n = LiveAccountCount();
    for (int i = 0; i < n; ++i) t.accounts[i].accountId = static_cast<uint16_t>(i);
    t.nextAccountId = static_cast<uint32_t>(n);
}

void RebuildGeneratedEvents() {
    ResetEventSlot(LiveEvents());
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < LiveEvents();) {
            const Event& e = scenario.events[i];
            bool generated = e.eventType == EventRmdOption || e.eventType == 0 ||
                             (e.eventType == EventAssetAllocation && scenario.accountTable.assetAllocOption == 0);
            if (generated)
                RemoveEvent(i);
            else
                ++i;
        }
    }
    const AccountOptions& o = scenario.accountOptions;
    for (int table = 1; table <= 3; ++table) {
        bool used = false;
        int n = LiveAccountCount();
        for (int i = 0; i < n && !used; ++i) {
            int slot = scenario.accountTable.accounts[i].optionsSlot;
            if (slot < MaxAccounts && (o.rmdTable[slot] / 10) % 10 == table) used = true;
        }
        if (!used) continue;
        bool present = false;
        for (int i = 0; i < LiveEvents(); ++i)
            if (scenario.events[i].eventType == EventRmdOption && scenario.events[i].secondary == table) present = true;
        if (present || LiveEvents() >= MaxEvents) continue;

        int slot = LiveEvents();
        ResetEventSlot(slot);
        Event& e = scenario.events[slot];
        int32_t startAge = table == 1 ? o.rmdStartAge1 : table == 2 ? o.rmdStartAge2 : o.rmdStartAge3;
        std::string name = table == 1 ? FieldText(o.rmdName1) : table == 2 ? FieldText(o.rmdName2) : FieldText(o.rmdName3);
        e.eventType = EventRmdOption;
        e.startAge = static_cast<float>(startAge);
        e.endAge = 120.0f;
        e.secondary = static_cast<int16_t>(table);
        char text[128];
        std::snprintf(text, sizeof text, "%s -- RMD withdrawal option in effect using Table %d.", name.c_str(), table);
        SetFieldText(e.description, text);
        state.eventCount = slot + 1;
    }
}

void NameUnnamedBudgets() {
    for (int b = 0; b < MaxBudgets; ++b) {
        Budget& budget = scenario.budgets[b];
        if (FieldText(budget.name).empty())
            std::snprintf(budget.name, sizeof budget.name, "Budget %d", b + 1);
    }
}

void NewScenarioByHand() {
    state.eventCount = 0;
    ResetScenario();
    AccountOptions& o = scenario.accountOptions;
    for (int i = 0; i < MaxAccounts; ++i) {
        o.penaltyAge[i] = o.penaltyRate[i] = o.mcRateCount[i] = o.stdDeviation[i] = 0;
        o.assetAllocation[i] = o.runRecordedAge[i] = o.reserved1238[i] = 0;
        o.rmdTable[i] = 0;
    }
    std::memset(&scenario.settings, 0, sizeof scenario.settings);
    o.rmdStartAge1 = o.rmdStartAge2 = o.rmdStartAge3 = 70;
    SetFieldText(o.rmdName1, "IRA 1");
    SetFieldText(o.rmdName2, "IRA 2");
    SetFieldText(o.rmdName3, "IRA 3");
}
