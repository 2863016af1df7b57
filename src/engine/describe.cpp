// The Scenario description: the Initial Values line and every Event's header
// and detail lines, the text of the Event list and the head of every results
// and print file; and the processing order of the Events.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/internal.h"

namespace {

// Where the description goes: a stream or the Event list.
struct DescriptionTarget {
    std::FILE* stream;
    LineTable* list;
    int lines;
};

void Put(DescriptionTarget& t, const char* line) {
    if (t.stream) {
        std::fputs(line, t.stream);
        std::fputc('\n', t.stream);
    }
    if (t.list) AddLine(*t.list, line);
    ++t.lines;
}

// An Event's header: also remembered as the Event's first list row.
void PutHeader(DescriptionTarget& t, int eventIndex, const char* line) {
    scenario.events[eventIndex].listRow = static_cast<int16_t>(t.lines);
    Put(t, line);
}

void Money(char* out, int size, float value) { MoneyText(out, size, "%-11.2f", value); }

void Rate(char* out, int size, float rate) { RateText(out, size, "%5.2f", rate); }

void NameOf(int accountId, char* out, int size) { AccountNameAt(FindAccount(accountId), out, size); }

void AdjustmentLines(DescriptionTarget& t, const Event& e, const char* what) {
    if (e.oneTimeOnly) return;
    char line[TextLine], rate[32];
    if (e.applyRate != 0) {
        Rate(rate, sizeof rate, e.applyRate);
        std::snprintf(line, sizeof line, "        This %s will be adjusted each year by %s", what, rate);
        Put(t, line);
    }
    if (e.applyInflation == 1) {
        std::snprintf(line, sizeof line, "        This %s will be adjusted each year by the current inflation rate.",
                      what);
        Put(t, line);
    }
}

// " until age 70." for a recurring Event, "." for a one-time one.
void UntilText(char* out, int size, const Event& e) {
    if (e.oneTimeOnly) {
        std::snprintf(out, static_cast<size_t>(size), ".");
        return;
    }
    char age[32];
    std::snprintf(age, sizeof age, "%5.2f", static_cast<double>(e.endAge));
    TrimNumber(age);
    std::snprintf(out, static_cast<size_t>(size), " until age %s.", age);
}

void DescribeFundamentals(DescriptionTarget& t, int i, float& previousTax, float& previousInflation) {
    const Event& e = scenario.events[i];
    char description[80], tax[48] = "", inflation[48] = "", account[96] = "", rate[32], line[TextLine];
    CopyField(description, sizeof description, e.description);
    if (e.amount != previousTax) {
        Rate(rate, sizeof rate, e.amount);
        std::snprintf(tax, sizeof tax, " Tax=%s", rate);
    }
    if (e.rate2 != previousInflation) {
        Rate(rate, sizeof rate, e.rate2);
        std::snprintf(inflation, sizeof inflation, " Inf.=%s ", rate);  // the rate text carries its own "%"
    }
    previousTax = e.amount;
    previousInflation = e.rate2;
    int position = e.accountId != -1 ? FindAccount(e.accountId) : -1;
    if (position >= 0) {
        char name[32];
        AccountNameAt(position, name, sizeof name);
        Rate(rate, sizeof rate, e.loanRate);
        std::snprintf(account, sizeof account, "%s=%s", name, rate);
    }
    std::snprintf(line, sizeof line, "%5.1f %s - Rate Change: %s %s %s", static_cast<double>(e.startAge), description,
                  tax, inflation, account);
    PutHeader(t, i, line);
}

void DescribeDeposit(DescriptionTarget& t, int i) {
    const Event& e = scenario.events[i];
    char description[80], amount[48], name[32], rest[128], until[48], line[TextLine];
    CopyField(description, sizeof description, e.description);
    Money(amount, sizeof amount, e.amount);
    NameOf(e.accountId, name, sizeof name);
    UntilText(until, sizeof until, e);
    std::snprintf(rest, sizeof rest, "%s%s%s", e.oneTimeOnly ? " " : "/yr. ",
                  e.secondary ? "before taxes to " : "after taxes to ", name);
    std::snprintf(line, sizeof line, "%5.1f %s - Deposit %s%s%s", static_cast<double>(e.startAge), description, amount,
                  rest, until);
    PutHeader(t, i, line);
    AdjustmentLines(t, e, "deposit");
}

void DescribeWithdrawal(DescriptionTarget& t, int i) {
    const Event& e = scenario.events[i];
    char description[80], amount[48], until[48], line[TextLine];
    CopyField(description, sizeof description, e.description);
    Money(amount, sizeof amount, e.amount);
    UntilText(until, sizeof until, e);
    const char* format = e.option == 1 ? "%5.1f Budget - %s - Withdraw %s%s%s" : "%5.1f %s - Withdraw %s%s%s";
    std::snprintf(line, sizeof line, format, static_cast<double>(e.startAge), description, amount,
                  e.oneTimeOnly ? "" : "/yr.", until);
    PutHeader(t, i, line);
    AdjustmentLines(t, e, "withdrawal");
    if (e.accountId >= 0 && e.years == AccountAssignedMarker) {
        char name[32];
        NameOf(e.accountId, name, sizeof name);
        std::snprintf(line, sizeof line, "        The funds will be withdrawn from the %s account.", name);
        Put(t, line);
    }
}

void DescribeTransfer(DescriptionTarget& t, int i) {
    const Event& e = scenario.events[i];
    char description[80], amount[64], from[32], to[32], until[48], line[TextLine];
    CopyField(description, sizeof description, e.description);
    NameOf(e.secondary, from, sizeof from);
    NameOf(e.accountId, to, sizeof to);
    if (e.transferAll) {
        std::snprintf(line, sizeof line, "%5.1f %s - All of the funds from %s will be transferred to %s.",
                      static_cast<double>(e.startAge), description, from, to);
    } else {
        Money(amount, sizeof amount, e.amount);
        if (!e.oneTimeOnly) std::strcat(amount, "/yr.");
        UntilText(until, sizeof until, e);
        std::snprintf(line, sizeof line, "%5.1f %s - Transfer %s from %s to %s%s", static_cast<double>(e.startAge),
                      description, amount, from, to, until);
    }
    PutHeader(t, i, line);
    AdjustmentLines(t, e, "transfer");
}

void PaymentAccountLine(DescriptionTarget& t, int accountId) {
    char name[32], line[TextLine];
    NameOf(accountId, name, sizeof name);
    std::snprintf(line, sizeof line, "        The payments will be withdrawn from the %s account.", name);
    Put(t, line);
}

void DescribeCreditCard(DescriptionTarget& t, int i) {
    const Event& e = scenario.events[i];
    char description[80], balance[48], payment[48], line[TextLine];
    CopyField(description, sizeof description, e.description);
    Money(balance, sizeof balance, e.amount);
    Money(payment, sizeof payment, e.monthlyPayment);
    std::snprintf(line, sizeof line, "%5.1f %s - Paying off %s credit card debt with %s/month.",
                  static_cast<double>(e.startAge), description, balance, payment);
    PutHeader(t, i, line);
    if (e.taxes > 0) {
        Money(payment, sizeof payment, e.taxes);
        std::snprintf(line, sizeof line, "        Additional purchases of %s/month added to debt.", payment);
        Put(t, line);
    }
    if (e.accountId >= 0 && e.years == AccountAssignedMarker) PaymentAccountLine(t, e.accountId);
    if (e.endAge <= e.startAge + e.rate3) {
        std::snprintf(line, sizeof line, "        Paying off %s at age %5.2f.", description,
                      static_cast<double>(e.endAge));
        Put(t, line);
    }
}

void DescribeLoan(DescriptionTarget& t, int i) {
    const Event& e = scenario.events[i];
    const InitialValues& iv = scenario.initialValues;
    char description[80], amount[48], down[48], rate[32], years[16], payment[48], name[32], line[TextLine];
    CopyField(description, sizeof description, e.description);
    Money(amount, sizeof amount, e.amount);
    MoneyText(down, sizeof down, "%-13.2f", e.rate2);
    Rate(rate, sizeof rate, e.loanRate);
    std::snprintf(years, sizeof years, "%2d", e.years);
    Money(payment, sizeof payment, e.monthlyPayment);
    std::snprintf(line, sizeof line, "%5.1f %s - %s %s down at %s for %s yrs. %s/Month.",
                  static_cast<double>(e.startAge), description, amount, down, rate, years, payment);
    PutHeader(t, i, line);
    NameOf(e.accountId, name, sizeof name);
    std::snprintf(line, sizeof line, "        %s%s", "Loan amount deposited to ", name);
    Put(t, line);
    if (e.paymentAccountAssigned == AccountAssignedMarker) PaymentAccountLine(t, e.paymentAccountId);
    if (e.endAge > e.startAge) {
        std::snprintf(line, sizeof line, "        Paying loan off at age %5.2f.", static_cast<double>(e.endAge));
        Put(t, line);
    }
    int receiving = FindAccount(e.accountId);
    const float sellAge = e.applyRate;
    if (receiving >= 0 && scenario.accountTable.accounts[receiving].accountType == AccountAsset && sellAge > 0 &&
        sellAge <= iv.endAge && sellAge > e.startAge) {
        std::snprintf(line, sizeof line, "        Selling asset at age %5.2f.", static_cast<double>(sellAge));
        Put(t, line);
    }
}

void DescribeMortgage(DescriptionTarget& t, int i) {
    const Event& e = scenario.events[i];
    const InitialValues& iv = scenario.initialValues;
    char description[80], price[48], down[48], rate[32], years[16], payment[48], line[TextLine];
    CopyField(description, sizeof description, e.description);
    Rate(rate, sizeof rate, e.loanRate);
    std::snprintf(years, sizeof years, "%2d", e.years);
    MoneyText(payment, sizeof payment, "%-13.2f", e.monthlyPayment);
    Money(down, sizeof down, e.rate2);
    const bool downWithdrawn = e.accountId == 0;
    if (downWithdrawn) {
        Money(price, sizeof price, e.amount);
        std::snprintf(line, sizeof line, "%5.1f %s - %s %s down at %s for %s yrs. %s/Month.",
                      static_cast<double>(e.startAge), description, price, down, rate, years, payment);
    } else {
        Money(price, sizeof price, e.amount - e.rate2);
        std::snprintf(line, sizeof line, "%5.1f %s - %s at %s for %s yrs. %s/Month.", static_cast<double>(e.startAge),
                      description, price, rate, years, payment);
    }
    PutHeader(t, i, line);
    if (!downWithdrawn) {
        std::snprintf(line, sizeof line, "        %s to equity -- no withdrawal.", down);
        Put(t, line);
    }
    char extra[48];
    Money(extra, sizeof extra, e.acceleratedAmount);
    if (e.option == 2) {
        std::snprintf(line, sizeof line,
                      "        An additional %s/Month will be applied to the principal starting at age %3d.", extra,
                      WholeInt(iv.startAge));
        Put(t, line);
    } else if (e.option == 1) {
        std::snprintf(line, sizeof line, "        An Additional %s/Month is applied to the principal.", extra);
        Put(t, line);
    }
    Rate(rate, sizeof rate, e.rate3);
    std::snprintf(line, sizeof line, "        Appreciation rate = %s.", rate);
    Put(t, line);
    if (e.taxes > 0) {
        std::snprintf(line, sizeof line, "        Property Taxes = %-11.2f", static_cast<double>(e.taxes));
        Put(t, line);
    }
    if (e.closingCosts > 0) {
        std::snprintf(line, sizeof line, "        Closing Costs = %-11.2f", static_cast<double>(e.closingCosts));
        Put(t, line);
    }
    const float sellAge = e.applyRate;
    if (e.startAge < e.endAge && e.endAge <= e.startAge + static_cast<float>(e.years) && e.endAge <= sellAge) {
        std::snprintf(line, sizeof line, "        Paying off property at age %5.2f.", static_cast<double>(e.endAge));
        Put(t, line);
    }
    if (e.paymentAccountAssigned == AccountAssignedMarker) PaymentAccountLine(t, e.paymentAccountId);
    if (sellAge > 0 && sellAge <= iv.endAge && sellAge > e.startAge) {
        std::snprintf(line, sizeof line, "        Selling property at age %5.2f.", static_cast<double>(sellAge));
        Put(t, line);
        Rate(rate, sizeof rate, e.salePercent);
        std::snprintf(line, sizeof line, "        Selling expenses will be %s of the selling price.", rate);
        Put(t, line);
    }
}

void DescribeBudgetSummary(DescriptionTarget& t, int i) {
    const Event& e = scenario.events[i];
    char description[80], amount[48], age[32], line[TextLine];
    CopyField(description, sizeof description, e.description);
    Money(amount, sizeof amount, e.amount);
    std::snprintf(age, sizeof age, "%5.2f", static_cast<double>(e.endAge));
    TrimNumber(age);
    std::snprintf(line, sizeof line, "%5.1f Budget - %s - %s will be withdrawn until age %s.",
                  static_cast<double>(e.startAge), description, amount, age);
    PutHeader(t, i, line);
    Put(t, "        This withdrawal will be adjusted each year by the individual budget item's inflation rate.");
}

void DescribeAssetAllocation(DescriptionTarget& t, int i) {
    const Event& e = scenario.events[i];
    int option = scenario.accountTable.assetAllocOption;
    if (option != 1 && option != 2) return;
    char description[80], amount[48], line[TextLine];
    CopyField(description, sizeof description, e.description);
    std::snprintf(line, sizeof line, "%5.1f %s", static_cast<double>(e.startAge), description);
    PutHeader(t, i, line);
    Money(amount, sizeof amount, e.amount);
    std::snprintf(line, sizeof line, "        Withdrawals over %s will be withdrawn each year from the selected accounts %s",
                  amount, option == 1 ? "in proportional amounts." : "in equal amounts.");
    Put(t, line);
}

void DescribeRmdOption(DescriptionTarget& t, int i) {
    const Event& e = scenario.events[i];
    char description[80], name[32], line[TextLine];
    CopyField(description, sizeof description, e.description);
    std::snprintf(line, sizeof line, "%5.1f %s", static_cast<double>(e.startAge), description);
    PutHeader(t, i, line);
    int option = scenario.accountTable.rmdOption;
    const char* how = option == 1 ? "in proportional amounts." : option == 2 ? "in equal amounts." : "in account order.";
    if (option < 1 || option > 3) scenario.accountTable.rmdOption = 3;
    std::snprintf(line, sizeof line, "        The funds will be transferred from the selected accounts %s", how);
    Put(t, line);
    NameOf(scenario.accountOptions.rmdTargetAccount, name, sizeof name);
    std::snprintf(line, sizeof line, "        The funds will be transferred each year to the %s account. ", name);
    Put(t, line);
}

constexpr uint16_t BudgetSummaryType = 65534;  // -2 as stored

void Describe(DescriptionTarget& t) {
    const InitialValues& iv = scenario.initialValues;
    char tax[32], inflation[32], line[TextLine];
    RateText(tax, sizeof tax, "%5.2f", iv.taxRate);
    RateText(inflation, sizeof inflation, "%5.2f", iv.inflationRate);
    char taxPart[48], inflationPart[48];
    std::snprintf(taxPart, sizeof taxPart, " Tax=%s", tax);
    std::snprintf(inflationPart, sizeof inflationPart, " Inflation=%s", inflation);
    std::snprintf(line, sizeof line, "%5.1f Initial Rates %s%s", static_cast<double>(iv.startAge), taxPart,
                  inflationPart);
    Put(t, line);

    float previousTax = iv.taxRate, previousInflation = iv.inflationRate;
    const int n = LiveEventCount();
    for (int i = 0; i < n; ++i) {
        const Event& e = scenario.events[i];
        switch (e.eventType) {
            case EventFundamentals: DescribeFundamentals(t, i, previousTax, previousInflation); break;
            case EventDeposit: DescribeDeposit(t, i); break;
            case EventWithdrawal: DescribeWithdrawal(t, i); break;
            case EventTransfer: DescribeTransfer(t, i); break;
            case EventLoan:
                if (IsCreditCard(e))
                    DescribeCreditCard(t, i);
                else
                    DescribeLoan(t, i);
                break;
            case EventMortgage: DescribeMortgage(t, i); break;
            case EventAssetAllocation: DescribeAssetAllocation(t, i); break;
            case EventRmdOption: DescribeRmdOption(t, i); break;
            case BudgetSummaryType: DescribeBudgetSummary(t, i); break;
            default: break;
        }
    }
}

// Processing order key of the second pass: "%3d" whole start age + description.
int CompareKeys(const Event& a, const Event& b) {
    char ka[96], kb[96], da[80], db[80];
    CopyField(da, sizeof da, a.description);
    CopyField(db, sizeof db, b.description);
    std::snprintf(ka, sizeof ka, "%3d%s", WholeInt(a.startAge), da);
    std::snprintf(kb, sizeof kb, "%3d%s", WholeInt(b.startAge), db);
    return std::strcmp(ka, kb);
}

// Stable insertion sort of the live Events by `before`.
template <typename Before>
void StableSortEvents(Before before) {
    const int n = LiveEventCount();
    for (int i = 1; i < n; ++i) {
        Event moving = scenario.events[i];
        int j = i;
        while (j > 0 && before(moving, scenario.events[j - 1])) {
            scenario.events[j] = scenario.events[j - 1];
            --j;
        }
        scenario.events[j] = moving;
    }
}

}  // namespace

void WriteScenarioDescription(std::FILE* stream) {
    if (!stream) return;
    DescriptionTarget t{stream, nullptr, 0};
    Describe(t);
}

void BuildEventList() {
    ClearLines(eventList);
    DescriptionTarget t{nullptr, &eventList, 0};
    Describe(t);
}

void SortEvents() {
    StableSortEvents([](const Event& a, const Event& b) {
        float sa = a.startAge, sb = b.startAge;
        if (sa != sb) return sa < sb;
        return a.eventType < b.eventType;
    });
    StableSortEvents([](const Event& a, const Event& b) { return CompareKeys(a, b) < 0; });
}
