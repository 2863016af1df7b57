// The file tests' fresh Scenario, scripted ui and private working directory
// (a run writes its fixed-name files into the current one), with the engine
// state reset and a small Scenario created by hand.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/internal.h"
#include "files_fixture.h"

// Packed fields are compared through copies (unary +), as in the file tests.
class EngineTest : public FilesTest {
protected:
    void SetUp() override {
        FilesTest::SetUp();
        state.todayMonth = 6;
        state.todayDay = 1;
        NewScenarioByHand();
        scenario.initialValues.startAge = 65;
        scenario.initialValues.endAge = 67;
        scenario.initialValues.taxRate = 20;
        scenario.initialValues.inflationRate = 0;
        runSwitches = RunSwitches{};
        runNotices.clear();
        ResetRun();
        ResetResults();
        ClearLines(resultsList);
    }

    int AddAccount(const char* name, uint16_t type, float amount, float rate) {
        int pos = scenario.accountTable.accountCount;
        Account& a = scenario.accountTable.accounts[pos];
        SetFieldText(a.name, name);
        a.accountType = type;
        a.initialAmount = amount;
        a.yearlyRate = rate;
        AssignAccountId(pos);
        RecomputeInitialTotals();
        return pos;
    }

    Event& AddEvent(uint16_t type, float start, float end, const char* description) {
        int slot = state.eventCount++;
        ResetEventSlot(slot);
        Event& e = scenario.events[slot];
        e.eventType = type;
        e.startAge = start;
        e.endAge = end;
        e.accountId = -1;
        SetFieldText(e.description, description);
        return e;
    }

    float Balance(int pos) const { return scenario.accountTable.accounts[pos].balance; }

    static std::vector<std::string> Lines(const std::string& path) {
        std::ifstream in(path);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    // Runs output mode 1 into a results file and returns its lines.
    std::vector<std::string> RunToFile() {
        std::strcpy(runSwitches.resultsPath, "out.sch");
        EXPECT_EQ(RunProjection(OutputResultsFile), 1);
        return Lines("out.sch");
    }

    static std::vector<std::string> ListLines() {
        std::vector<std::string> lines;
        for (int i = 0; i < resultsList.count; ++i) lines.push_back(LineAt(resultsList, i));
        return lines;
    }

    // A schedule row the way a reader sees it: age, then seven dollar texts.
    static std::string Row(const char* age, std::vector<std::string> money) {
        std::string row = age;
        for (const std::string& m : money) row += "\t" + std::string(15 - m.size(), ' ') + m;
        return row;
    }

    static std::string Dashes(int n) { return std::string(static_cast<size_t>(n), '-'); }
};
