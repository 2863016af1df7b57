// The account list of the "Accounts" folder: columns, cells, totals and the
// column sort that reorders the Scenario's Accounts.
#include <cstdio>

#include "engine/payment.h"
#include "model/model.h"
#include "results/results.h"

AccountListState accountList;

namespace {

struct ColumnInfo {
    const char* heading;
    int share;  // parts of 540 of the list width; 0 = the heading's width
    int right;
};

const ColumnInfo columns[AccountListColumns] = {
    {"Account", 106, 0},        {"Group", 106, 0},         {"P", 20, 0},
    {"M", 21, 0},               {"A", 20, 0},              {"Account Type", 105, 1},
    {"Rate", 40, 1},            {"Amount", 70, 1},         {"Order", 42, 1},
    {"Penalty Age", 0, 1},      {"Penalty Rate", 0, 1},    {"Min Random Rate", 0, 1},
    {"Max Random Rate", 0, 1},  {"Std. Dev.  ID", 0, 1},   {"ID", 0, 1},
};

const char* const typeNames[] = {"Asset", "Equity", "Investment Savings", "Retirement Savings", "Tax Free Savings"};

int Slot(const Account& a) { return a.optionsSlot < MaxAccounts ? a.optionsSlot : -1; }

bool ShowsPenalty(const Account& a) {
    return (a.accountType == AccountRetirementSavings || a.accountType == AccountTaxFreeSavings) &&
           a.penaltyApplies == 1;
}

std::string GroupNameOf(const Account& a) {
    int g = a.groupIndex;
    return g < MaxGroups ? FieldText(scenario.settings.groupName[g]) : "";
}

// Each key compares two Accounts; text keys ignore letter case.
int CompareNumbers(float x, float y) { return x < y ? -1 : (x > y ? 1 : 0); }

int ByName(const Account& x, const Account& y) { return CompareFieldsNoCase(x.name, sizeof x.name, y.name, sizeof y.name); }
int ByGroup(const Account& x, const Account& y) {
    std::string gx = GroupNameOf(x), gy = GroupNameOf(y);
    return CompareFieldsNoCase(gx.c_str(), static_cast<int>(gx.size()) + 1, gy.c_str(), static_cast<int>(gy.size()) + 1);
}
int ByPenalty(const Account& x, const Account& y) { return CompareNumbers(x.penaltyApplies, y.penaltyApplies); }
int OptionValue(const Account& a, int which) {
    int s = Slot(a);
    if (s < 0) return 0;
    return which == 0 ? scenario.accountOptions.rmdTable[s] : scenario.accountOptions.assetAllocation[s];
}
int ByRmd(const Account& x, const Account& y) { return CompareNumbers(OptionValue(x, 0), OptionValue(y, 0)); }
int ByAllocation(const Account& x, const Account& y) { return CompareNumbers(OptionValue(x, 1), OptionValue(y, 1)); }
int ByType(const Account& x, const Account& y) { return CompareNumbers(x.accountType, y.accountType); }
int ByRate(const Account& x, const Account& y) { return CompareNumbers(x.yearlyRate, y.yearlyRate); }
int ByAmount(const Account& x, const Account& y) { return CompareNumbers(x.initialAmount, y.initialAmount); }
int ByOrder(const Account& x, const Account& y) {
    return CompareFieldsNoCase(x.accessOrder, sizeof x.accessOrder, y.accessOrder, sizeof y.accessOrder);
}

int (*const sortKeys[SortableColumns])(const Account&, const Account&) = {
    ByName, ByGroup, ByPenalty, ByRmd, ByAllocation, ByType, ByRate, ByAmount, ByOrder};

}  // namespace

const char* AccountListHeadingTip(int column) {
    switch (column) {
        case 2: return "P: early withdrawals are subject to a penalty";
        case 3: return "M: the required minimum distribution table in use (1, 2 or 3)";
        case 4: return "A: included in the asset-allocation withdrawals";
        default: return "";
    }
}

const char* AccountListHeading(int column) {
    return column >= 0 && column < AccountListColumns ? columns[column].heading : "";
}

int AccountListColumnWidth(int column, int listWidth, int headingTextWidth) {
    if (column < 0 || column >= AccountListColumns) return 0;
    if (column == 14) return 50;
    if (columns[column].share) return listWidth * columns[column].share / 540;
    return headingTextWidth;
}

int AccountListAlignment(int column) { return column >= 0 && column < AccountListColumns ? columns[column].right : 0; }

int AccountListColumnCount() { return shell.idColumn ? 15 : 14; }

std::string AccountListCell(int position, int column) {
    if (position < 0 || position >= LiveAccountCount()) return "";
    Account a = scenario.accountTable.accounts[position];
    const AccountOptions& o = scenario.accountOptions;
    int s = Slot(a);
    switch (column) {
        case 0: return FieldText(a.name);
        case 1: return GroupNameOf(a);
        case 2: return ShowsPenalty(a) ? "x" : "";
        case 3: {
            int table = s < 0 ? 0 : o.rmdTable[s] / 10;
            return table >= 1 && table <= 3 ? std::to_string(table) : "";
        }
        case 4: return s >= 0 && o.assetAllocation[s] == 1 ? "x" : "";
        case 5: return a.accountType < 5 ? typeNames[a.accountType] : "";
        case 6: return Format("%8.3f", a.yearlyRate);
        case 7: return Format("%13.2f", a.initialAmount);
        case 8: return FieldText(a.accessOrder);
        case 9: return ShowsPenalty(a) && s >= 0 ? Format("%6.2f", o.penaltyAge[s]) : "";
        case 10: return ShowsPenalty(a) && s >= 0 ? Format("%8.3f", o.penaltyRate[s]) : "";
        case 11: return Format("%8.3f", a.randomMinRate);
        case 12: return Format("%8.3f", a.randomMaxRate);
        case 13: {
            float d = s >= 0 ? o.stdDeviation[s] : 0;
            if (d < 0 || d >= 200) d = 0;
            return Format("%6.2f", d);
        }
        case 14: {
            char t[16];
            std::snprintf(t, sizeof t, "%5d", static_cast<int>(a.accountId));
            return t;
        }
        default: return "";
    }
}

int PrepareAccountList() {
    AccountTable& t = scenario.accountTable;
    if (t.accountCount < 0 || t.accountCount > MaxAccounts) {
        t.accountCount = 0;
        t.nextAccountId = 0;
        return 0;
    }
    for (int k = 0; k < t.accountCount; ++k) {
        int s = Slot(t.accounts[k]);
        if (s < 0) continue;
        float d = scenario.accountOptions.stdDeviation[s];
        if (d < 0 || d >= 200) scenario.accountOptions.stdDeviation[s] = 0;
    }
    ApplyAccountSort(accountList.lastSorted);
    return t.accountCount;
}

void ApplyAccountSort(int column) {
    if (column < 0 || column >= SortableColumns) return;
    SortAccountsBy(accountList.ascending[column] != 0, sortKeys[column]);
    if (column == 8) accountList.withdrawalOrderBox = accountList.ascending[column];
}

int SortAccountList(int column) {
    if (column < 0 || column >= SortableColumns) return 0;
    accountList.ascending[column] = !accountList.ascending[column];
    accountList.lastSorted = column;
    ApplyAccountSort(column);
    return 1;
}

std::string AccountCountText() {
    char t[16];
    std::snprintf(t, sizeof t, "%2d", LiveAccountCount());
    return t;
}

std::string AccountTotalText() {
    float total = 0;
    for (int k = 0; k < LiveAccountCount(); ++k) total += scenario.accountTable.accounts[k].initialAmount;
    return Dollars("%13.2f", total);
}
