// The shell under a scripted ui: a fresh Scenario, shell and engine state in
// a private working directory (the settings and run files live there).
#pragma once

#include <fstream>
#include <string>

#include "engine/engine.h"
#include "files_fixture.h"
#include "shell/results_panel.h"
#include "shell/shell.h"

class ShellTest : public FilesTest {
protected:
    void SetUp() override {
        FilesTest::SetUp();
        shell = ShellState{};
        shellHooks = ShellHooks{};
        runSwitches = RunSwitches{};
        ResetRun();
        ResetResults();
        ClearLines(resultsList);
        state.todayMonth = 6;
        state.todayDay = 1;
    }

    // A small Scenario from 65 to 70 with one savings account and, when
    // `withEvent`, one deposit, saved as `path`.
    void MakeScenarioFile(const std::string& path, bool withEvent = true) {
        NewScenarioByHand();
        scenario.initialValues.startAge = 65;
        scenario.initialValues.endAge = 70;
        Account& a = scenario.accountTable.accounts[0];
        SetFieldText(a.name, "Savings");
        a.accountType = AccountInvestmentSavings;
        a.initialAmount = 100000;
        a.yearlyRate = 5;
        AssignAccountId(0);
        RecomputeInitialTotals();
        if (withEvent) {
            int slot = state.eventCount++;
            ResetEventSlot(slot);
            Event& e = scenario.events[slot];
            e.eventType = EventDeposit;
            e.startAge = 66;
            e.endAge = 67;
            e.amount = 1000;
            e.accountId = 0;
            SetFieldText(e.description, "Gift");
        }
        ASSERT_EQ(SaveScenarioAs(path), 1);
        state.modified = 0;
        ResetScenario();
        state.eventCount = 0;
        SetScenarioPath("tmp01.ret");
        screen.Clear();
    }

    // finance.dat naming `path` as the last scenario, with recent entries.
    static void WriteSettings(const std::string& path, const std::string& recent = "") {
        std::ofstream out("finance.dat");
        out << path << "\n  2.00   0.00   0.00   0.00   0.00   0.00   0.00   0.00 0\n";
        if (!recent.empty()) out << recent << "\n";
    }

    void StartUp(const std::string& commandLine = "") {
        StartUpBeforeWindow(commandLine);
        StartUpWithWindow();
    }
};
