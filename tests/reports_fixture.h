// The reports under a scripted ui and scripted dialogs, in a private working
// folder, with result tables filled by hand or by a run.
#pragma once

#include "results/printing.h"
#include "results/reports.h"
#include "results/reports_internal.h"
#include "shell/dialogs.h"
#include "shell_fixture.h"
#include "scripted_dialogs.h"

class ReportsTest : public ShellTest {
protected:
    ui::ScriptedDialogs dialogs;
    ui::ScopedDialogs dialogScope{&dialogs};

    void SetUp() override {
        ShellTest::SetUp();
        reportState = ReportState{};
        printState = PrintState{};
        reportWindowHooks = ReportWindowHooks{};
        scenario.initialValues.startAge = 65;
        scenario.initialValues.endAge = 70;
        shell.runs = 1;  // the tables below stand for the last run
    }

    // Rows of the year summary table: ages from `firstAge`, `rows` rows
    // before the closing row, each cell holding age + cell / 100.
    static void FillRows(int rows, float firstAge = 65) {
        scenario.initialValues.startAge = firstAge;
        scenario.initialValues.endAge = firstAge + static_cast<float>(rows);
        results.rowCount = rows + 1;
        for (int r = 0; r <= rows; ++r) {
            results.yearSummary[r][0] = firstAge + static_cast<float>(r);
            for (int c = 1; c < SummaryCells; ++c) results.yearSummary[r][c] = static_cast<float>(r * 1000 + c);
        }
    }
    static void AddAccount(const char* name, int type, int group) {
        int p = scenario.accountTable.accountCount++;
        Account& a = scenario.accountTable.accounts[p];
        SetFieldText(a.name, name);
        a.accountType = static_cast<uint16_t>(type);
        a.groupIndex = static_cast<uint16_t>(group);
        a.optionsSlot = static_cast<uint16_t>(p);
    }
    // The lines of a file, each with its line feed (the last as it ends).
    static std::vector<std::string> Lines(const std::string& path) {
        std::vector<std::string> lines;
        std::string bytes = Bytes(path), line;
        for (char c : bytes) {
            line += c;
            if (c == '\n') {
                lines.push_back(line);
                line.clear();
            }
        }
        if (!line.empty()) lines.push_back(line);
        return lines;
    }
    static bool Exists(const std::string& path) { return std::filesystem::exists(path); }
};
