// The Budgets' items and totals, and the Withdrawal Event an active Budget owns.
#include "budgets/budgets.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// Names compare as the editor sees them: lower case, up to the field's end.
int CompareNoCase(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t k = 0; k < n; ++k) {
        const int x = std::tolower(static_cast<unsigned char>(a[k]));
        const int y = std::tolower(static_cast<unsigned char>(b[k]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Two elements of a packed record's array: they are not aligned, so they
// move as bytes rather than through references.
void SwapBytes(void* a, void* b, size_t size) {
    unsigned char t[8];
    std::memcpy(t, a, size);
    std::memcpy(a, b, size);
    std::memcpy(b, t, size);
}

// Every per-item field moves with its item.
void SwapItems(Budget& b, int i, int j) {
#define TILLORY_SWAP(field) SwapBytes(&b.field[i], &b.field[j], sizeof b.field[0])
    char name[sizeof b.itemName[0]];
    std::memcpy(name, b.itemName[i], sizeof name);
    std::memcpy(b.itemName[i], b.itemName[j], sizeof name);
    std::memcpy(b.itemName[j], name, sizeof name);
    TILLORY_SWAP(itemYearly);
    TILLORY_SWAP(itemAmount);
    TILLORY_SWAP(itemYearlyCopy);
    TILLORY_SWAP(itemApplyRate);
    TILLORY_SWAP(itemMonthly);
    TILLORY_SWAP(itemApplyInflation);
    TILLORY_SWAP(reserved4F2);
    TILLORY_SWAP(itemTrack);
#undef TILLORY_SWAP
}

void ZeroItem(Budget& b, int i) {
    std::memset(b.itemName[i], 0, sizeof b.itemName[i]);
    b.itemAmount[i] = 0;
    b.itemMonthly[i] = 0;
    b.itemTrack[i] = 0;
    b.itemApplyRate[i] = 0;
    b.itemYearly[i] = 0;
    b.itemYearlyCopy[i] = 0;
}

}  // namespace

Budget* BudgetNumbered(int number) {
    return number >= 1 && number <= MaxBudgets ? &scenario.budgets[number - 1] : nullptr;
}

int BudgetNumberOf(const Event& e) {
    const bool owned = e.eventType == EventWithdrawal && e.option == 1 && e.budgetIndex >= 1 &&
                       e.budgetIndex <= MaxBudgets;
    return owned ? e.budgetIndex : 0;
}

int BudgetEventIndex(int number) {
    const int n = std::min(state.eventCount, MaxEvents);
    for (int i = 0; i < n; ++i)
        if (number >= 1 && BudgetNumberOf(scenario.events[i]) == number) return i;
    return -1;
}

int BudgetItems(const Budget& b) {
    const int n = b.itemCount;
    return n < 0 ? 0 : (n > MaxBudgetItems ? MaxBudgetItems : n);
}

void RefreshBudget(Budget& b) {
    float total = 0;
    const int n = BudgetItems(b);
    for (int i = 0; i < n; ++i) {
        b.itemYearly[i] = b.itemMonthly[i] == 1 ? 12 * b.itemAmount[i] : b.itemAmount[i];
        b.itemYearlyCopy[i] = b.itemYearly[i];
        total += b.itemYearly[i];
    }
    b.yearlyTotal = total;
}

// Neighbours change places until none is out of order: equal names never move.
void SortBudgetItems(Budget& b) {
    const int n = BudgetItems(b);
    for (bool moved = true; moved;) {
        moved = false;
        for (int i = 0; i + 1 < n; ++i)
            if (CompareNoCase(FieldText(b.itemName[i]), FieldText(b.itemName[i + 1])) > 0) {
                SwapItems(b, i, i + 1);
                moved = true;
            }
    }
}

std::string BudgetRateText(const Budget& b, int i) {
    if (b.itemApplyInflation[i] != 1) return Format("%6.2f", b.itemApplyRate[i]);
    return b.itemApplyRate[i] != 0 ? Format("Inf.+%6.2f", b.itemApplyRate[i]) : "Inflation";
}

std::string BudgetListRow(const Budget& b, int i) {
    return FieldText(b.itemName[i]) + "\t" + Format("%13.2f", b.itemAmount[i]) + "\t" +
           (b.itemMonthly[i] == 1 ? "X" : " ") + "\t" + BudgetRateText(b, i) + "\t" +
           Format("%13.2f", b.itemYearly[i]) + "\t" + (b.itemTrack[i] == 1 ? "X" : " ");
}

std::vector<std::string> BudgetListRows(const Budget& b) {
    std::vector<std::string> rows;
    for (int i = 0; i < BudgetItems(b); ++i) rows.push_back(BudgetListRow(b, i));
    return rows;
}

int FindBudgetItem(const Budget& b, const std::string& name) {
    const std::string key = name.substr(0, BudgetItemNameRoom);
    for (int i = 0; i < BudgetItems(b); ++i)
        if (FieldText(b.itemName[i]).substr(0, BudgetItemNameRoom) == key) return i;
    return -1;
}

BudgetEnterResult EnterBudgetItem(Budget& b, const BudgetItemInput& in) {
    if (BudgetItems(b) >= MaxBudgetItems) return BudgetItemsFull;
    if (in.name.empty()) return BudgetNoName;
    int i = FindBudgetItem(b, in.name);
    if (i < 0) {
        i = BudgetItems(b);
        b.itemCount = static_cast<int16_t>(i + 1);
    }
    b.itemApplyInflation[i] = in.inflation ? 1 : 0;
    SetFieldText(b.itemName[i], in.name.substr(0, BudgetItemNameRoom));
    b.itemAmount[i] = in.amount;
    b.itemMonthly[i] = in.monthly ? 1 : 0;
    b.itemTrack[i] = in.track ? 1 : 0;
    b.itemApplyRate[i] = in.rate;
    RefreshBudget(b);
    return BudgetItemEntered;
}

Notice BudgetFullNotice() { return {"You have reached the maximum number of items for this budget", "Budget Warning"}; }

int DeleteBudgetItem(Budget& b, const std::string& name) {
    const int i = FindBudgetItem(b, name);
    if (i < 0) return 0;
    const int n = BudgetItems(b);
    for (int k = i; k + 1 < n; ++k) SwapItems(b, k, k + 1);
    ZeroItem(b, n - 1);
    b.itemApplyInflation[n - 1] = 0;
    b.itemCount = static_cast<int16_t>(n - 1);
    RefreshBudget(b);
    return 1;
}

void ClearBudgetItems(Budget& b) {
    b.itemCount = 0;
    for (int i = 0; i < MaxBudgetItems; ++i) ZeroItem(b, i);
    RefreshBudget(b);
}

BudgetEventResult ApplyBudgetEvent(int number) {
    Budget* b = BudgetNumbered(number);
    if (!b) return BudgetEventUnchanged;
    int i = BudgetEventIndex(number);
    if (b->active != 1) {
        if (i < 0) return BudgetEventUnchanged;
        const int n = state.eventCount;
        for (int k = i; k + 1 < n; ++k) scenario.events[k] = scenario.events[k + 1];
        --state.eventCount;
        ResetEventSlot(n - 1);
    } else {
        if (i < 0) {
            if (state.eventCount >= MaxEvents) return BudgetEventsFull;
            i = state.eventCount++;
        }
        Event& e = scenario.events[i];
        SetFieldText(e.description, FieldText(b->name));
        e.startAge = b->startAge;
        e.endAge = b->endAge;
        const bool account = b->accountId != -1;
        e.accountId = static_cast<int16_t>(account ? b->accountId : -1);
        e.years = account ? AccountAssignedMarker : 0;
        e.option = 1;
        e.budgetIndex = static_cast<int16_t>(number);
        e.eventType = EventWithdrawal;
        e.amount = b->yearlyTotal;
        e.runAmount = b->yearlyTotal;
    }
    state.modified = 1;
    state.needsRecalc = 1;
    return BudgetEventChanged;
}
