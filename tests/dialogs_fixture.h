// The editing dialogs under a scripted ui and scripted dialogs: a Scenario
// from 40 to 90 with three accounts ("Bonds", "Checking", "House").
#pragma once

#include "shell/check.h"
#include "shell/dialogs.h"
#include "shell_fixture.h"
#include "scripted_dialogs.h"

using Dlg = ui::ScriptedDialogs;

class DialogsTest : public ShellTest {
protected:
    Dlg dialogs;
    ui::ScopedDialogs dialogScope{&dialogs};

    void SetUp() override {
        ShellTest::SetUp();
        dialogHooks = DialogHooks{};
        NewScenarioByHand();
        state.eventCount = 0;
        scenario.initialValues.startAge = 40;
        scenario.initialValues.endAge = 90;
        scenario.initialValues.taxRate = 25;
        scenario.initialValues.inflationRate = 3;
        AddAccount("Checking", AccountInvestmentSavings, 5000, 1);
        AddAccount("Bonds", AccountRetirementSavings, 20000, 4);
        AddAccount("House", AccountAsset, 300000, 2);
        SortAccountsByName(true);
        screen.Clear();
    }

    static void AddAccount(const char* name, int type, float amount, float rate) {
        int p = scenario.accountTable.accountCount;
        Account& a = scenario.accountTable.accounts[p];
        SetFieldText(a.name, name);
        a.accountType = static_cast<uint16_t>(type);
        a.initialAmount = a.balance = amount;
        a.yearlyRate = a.rate = rate;
        a.optionsSlot = static_cast<uint16_t>(p);
        AssignAccountId(p);
    }
    static int IdOf(const char* name) {
        for (int i = 0; i < scenario.accountTable.accountCount; ++i)
            if (FieldText(scenario.accountTable.accounts[i].name) == name)
                return scenario.accountTable.accounts[i].accountId;
        return -1;
    }
    // Queues the script of the next dialog.
    void Script(Dlg::Script s) { dialogs.scripts.push_back(std::move(s)); }
    std::string LastText() const { return screen.messages.empty() ? "" : screen.messages.back().text; }
    std::string LastCaption() const { return screen.messages.empty() ? "" : screen.messages.back().caption; }
    static Dlg::Step Type(int id, const std::string& t) { return Dlg::Type(id, t); }
    static Dlg::Step Click(int id) { return Dlg::Click(id); }
    static Dlg::Step Choose(int id, int k) { return Dlg::Choose(id, k); }
    static Dlg::Step Ok() { return Dlg::Click(ui::IdOk); }
};
