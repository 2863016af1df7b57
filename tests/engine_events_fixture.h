// Whole runs with money Events: a run into the results list and ways to
// look at its lines, balances and working fields.
#pragma once

#include <algorithm>

#include "engine_fixture.h"

class EventsTest : public EngineTest {
protected:
    using Strings = std::vector<std::string>;

    void SetUp() override {
        EngineTest::SetUp();
        scenario.initialValues.endAge = 66;  // one year unless a test wants more
        scenario.initialValues.taxRate = 0;
    }

    Strings RunList() {
        EXPECT_EQ(RunProjection(OutputResultsList), 1);
        return ListLines();
    }

    static bool Has(const Strings& lines, const std::string& text) {
        return std::find(lines.begin(), lines.end(), text) != lines.end();
    }
    static int CountContaining(const Strings& lines, const std::string& part) {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.find(part) != std::string::npos;
        }));
    }
    // The lines after the schedule row of `age` up to the next row, without
    // the "Financial Events:" heading.
    static Strings YearLines(const Strings& lines, const std::string& age) {
        Strings out;
        bool inside = false;
        for (const std::string& l : lines) {
            bool row = l.size() > 4 && l[0] >= '0' && l[0] <= '9' && l.find('\t') != std::string::npos;
            if (row) inside = l.compare(0, age.size(), age) == 0;
            else if (inside && l != "Financial Events:") out.push_back(l);
        }
        return out;
    }

    int16_t IdOf(int position) const {
        return static_cast<int16_t>(scenario.accountTable.accounts[position].accountId);
    }
    // Balance of account `position` at the start of the year of table row `row`.
    static float BalanceAt(int row, int position) { return results.accountBalance[row][position]; }

    void Penalty(int pos, float age, float rate) {
        Account& a = scenario.accountTable.accounts[pos];
        a.penaltyApplies = 1;
        scenario.accountOptions.penaltyAge[a.optionsSlot] = age;
        scenario.accountOptions.penaltyRate[a.optionsSlot] = rate;
    }

    Event& Withdrawal(float start, float end, float amount, const char* description) {
        Event& e = AddEvent(EventWithdrawal, start, end, description);
        e.amount = amount;
        return e;
    }
};
