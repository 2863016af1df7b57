// The option dialogs: Asset Allocation Withdrawal Options, Required Minimum
// Distribution Options with the life-expectancy tables, the Monte Carlo
// settings, Reports Options and the Mortgage Schedule window.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/engine.h"
#include "shell/dialogs_internal.h"

using namespace dialogs;

namespace {

// ---- Asset Allocation Withdrawal Options ------------------------------------------------

ui::DialogTemplate AllocationTemplate() {
    ui::DialogTemplate t{"AA", "Asset Allocation Withdrawal Options", {}, false, 1571};
    t.controls = {
        {FieldProportional, K::Check, "Proportional asset allocation withdrawal"},
        {FieldEqual, K::Check, "Equal asset allocation withdrawal"},
        {FieldAllocationAge, K::Edit, "Age to start withdrawals", NumberRoom},
        {FieldAllocationAmount, K::Edit, "Minimum withdrawal amount", NumberRoom},
    };
    AddButtons(t);
    return t;
}

int AllocationEvent() {
    for (int i = 0; i < state.eventCount; ++i)
        if (scenario.events[i].eventType == EventAssetAllocation) return i;
    return -1;
}

// The option event documents the option in the event list.
int StoreAllocationEvent() {
    const AccountTable& t = scenario.accountTable;
    int i = AllocationEvent();
    if (t.assetAllocOption == 0) {
        if (i >= 0) {
            for (int k = i; k + 1 < state.eventCount; ++k) scenario.events[k] = scenario.events[k + 1];
            ResetEventSlot(--state.eventCount);
        }
        ui::Current().EnableCommand(CmdAssetAllocation, true);
        return 1;
    }
    if (i < 0) {
        if (RefuseWhenEventsFull()) return 0;
        i = state.eventCount++;
        ResetEventSlot(i);
    }
    Event& e = scenario.events[i];
    e.eventType = EventAssetAllocation;
    SetFieldText(e.description, "Asset allocation withdrawal option in effect.");
    e.startAge = t.assetAllocStartAge;
    e.endAge = 120.0f;
    e.amount = t.assetAllocAmount;
    ui::Current().EnableCommand(CmdAssetAllocation, false);
    return 1;
}

void AllocationRoutine(ui::Dialog& d, int message, int control) {
    AccountTable& t = scenario.accountTable;
    if (message == ui::DialogOpen) {
        bool set = t.assetAllocOption != 0;
        d.SetChecked(FieldProportional, t.assetAllocOption == 1);
        d.SetChecked(FieldEqual, t.assetAllocOption == 2);
        d.SetText(FieldAllocationAge, set ? Format("%-6.2f", t.assetAllocStartAge) : "65");
        d.SetText(FieldAllocationAmount, set ? Format("%-12.2f", t.assetAllocAmount) : "1000.00");
        return;
    }
    if (message != ui::DialogCommand || CommonButtons(d, control, 1571)) return;
    // The two buttons exclude each other; pressing the set one clears it.
    if (control == FieldProportional && d.Checked(FieldProportional)) d.SetChecked(FieldEqual, false);
    if (control == FieldEqual && d.Checked(FieldEqual)) d.SetChecked(FieldProportional, false);
    if (control != ui::IdOk) return;
    float age, amount;
    if (!CheckAge(d, FieldAllocationAge, age, "START AGE ERROR")) return;
    if (!CheckField(d, FieldAllocationAmount, amount, NumberRoom, -100000000, 100000000, 2, "AMOUNT ERROR")) return;
    int16_t option = d.Checked(FieldProportional) ? 1 : d.Checked(FieldEqual) ? 2 : 0;
    int16_t oldOption = t.assetAllocOption;
    float oldAge = t.assetAllocStartAge, oldAmount = t.assetAllocAmount;
    t.assetAllocOption = option;
    t.assetAllocStartAge = Whole(age);
    t.assetAllocAmount = Whole(amount);
    if (!StoreAllocationEvent()) {
        t.assetAllocOption = oldOption;
        t.assetAllocStartAge = oldAge;
        t.assetAllocAmount = oldAmount;
        return;
    }
    state.modified = 1;
    state.needsRecalc = 1;
    d.End(1);
}

// ---- Required Minimum Distribution Options ----------------------------------------------

ui::DialogTemplate RmdOptionsTemplate() {
    ui::DialogTemplate t{"MRW", "Required Minimum Distribution Options", {}, false, 1572};
    t.controls = {
        {FieldRmdProportional, K::Radio, "Proportional asset allocation withdrawal"},
        {FieldRmdEqual, K::Radio, "Equal asset allocation withdrawal"},
        {FieldRmdOrder, K::Radio, "Account order withdrawal"},
        {FieldRmdPenalty, K::Edit, "Penalty Rate", NumberRoom},
        {FieldRmdTarget, K::Combo, "Transfer funds to this account:"},
        {FieldEditTable1, K::Button, "Edit Table 1 Life Expectancy Values "},
        {FieldEditTable2, K::Button, "Edit Table 2 Life Expectancy Values"},
        {FieldEditTable3, K::Button, "Edit Table 3 Life Expectancy Values"},
    };
    AddButtons(t);
    return t;
}

void RmdOptionsRoutine(ui::Dialog& d, int message, int control) {
    AccountTable& t = scenario.accountTable;
    AccountOptions& o = scenario.accountOptions;
    if (message == ui::DialogOpen) {
        d.SetChecked(FieldRmdProportional, t.rmdOption == 1);
        d.SetChecked(FieldRmdEqual, t.rmdOption == 2);
        d.SetChecked(FieldRmdOrder, t.rmdOption == 3);
        float penalty = o.rmdPenaltyRate;
        d.SetText(FieldRmdPenalty, penalty != 0 ? Format("%-6.2f", penalty) : "50.0");
        FillAccountCombo(d, FieldRmdTarget, false, o.rmdTargetAccount);
        return;
    }
    if (message != ui::DialogCommand || CommonButtons(d, control, 1572)) return;
    if (control >= FieldEditTable1 && control <= FieldEditTable3) RmdTableDialog(control - FieldEditTable1 + 1);
    if (control != ui::IdOk) return;
    t.rmdOption = d.Checked(FieldRmdProportional) ? 1 : d.Checked(FieldRmdEqual) ? 2 : 3;
    float penalty;
    if (!CheckText(FieldInput(d, FieldRmdPenalty, NumberRoom), penalty, 0, 100, 0, "RATE ERROR")) return;
    o.rmdPenaltyRate = penalty;
    int position = ComboAccount(d, FieldRmdTarget, false);
    if (position >= 0) {
        const Account& a = t.accounts[position];
        o.rmdTargetAccount = static_cast<int16_t>(a.accountId);
        if (a.accountType == AccountRetirementSavings || a.accountType == AccountTaxFreeSavings)
            ui::Message("You probably cannot transfer RMD funds to another Tax Free or Retirement account.\n"
                        "Please check the RMD regulations.",
                        "Probable RMD Account Error", ui::Buttons::Ok, ui::Icon::Exclamation);
    }
    state.modified = 1;
    state.needsRecalc = 1;
    d.End(1);
}

// ---- Life Expectancy Values From IRS Tables ------------------------------------------------

float TableStart(int table) {
    const AccountOptions& o = scenario.accountOptions;
    int32_t start = table == 1 ? o.rmdStartAge1 : table == 2 ? o.rmdStartAge2 : o.rmdStartAge3;
    return static_cast<float>(start);
}

void SetTableStart(int table, int32_t age) {
    AccountOptions& o = scenario.accountOptions;
    if (table == 1) o.rmdStartAge1 = age;
    if (table == 2) o.rmdStartAge2 = age;
    if (table == 3) o.rmdStartAge3 = age;
}

// The packed block holds the values as byte arrays of floats; they are
// copied in and out rather than addressed.
void ReadTable(int table, float out[RmdTableLength]) {
    const AccountOptions& o = scenario.accountOptions;
    const void* src = table == 1 ? static_cast<const void*>(o.rmdValues1)
                      : table == 2 ? static_cast<const void*>(o.rmdValues2)
                                   : static_cast<const void*>(o.rmdValues3);
    std::memcpy(out, src, sizeof(float) * RmdTableLength);
}

void WriteTable(int table, const float in[RmdTableLength]) {
    AccountOptions& o = scenario.accountOptions;
    void* dst = table == 1 ? static_cast<void*>(o.rmdValues1)
                : table == 2 ? static_cast<void*>(o.rmdValues2)
                             : static_cast<void*>(o.rmdValues3);
    std::memcpy(dst, in, sizeof(float) * RmdTableLength);
}

char* TableName(int table) {
    AccountOptions& o = scenario.accountOptions;
    return table == 1 ? o.rmdName1 : table == 2 ? o.rmdName2 : o.rmdName3;
}

std::string AgeLabel(int age) {
    return Format(age < 10 ? "%1d" : age < 100 ? "%2d" : "%3d", age);
}

ui::DialogTemplate RmdTableTemplate(int table) {
    ui::DialogTemplate t{"MRDTABLE", "Life Expectancy Values From IRS Tables", {}, false, 1573};
    t.controls = {
        {FieldTableTitle, K::Label, Format("Table %2d", table)},
        {FieldTableName, K::Edit, "Table Name", 31},
        {FieldTableStart, K::Edit, "Withdrawal Start Age", NumberRoom},
    };
    // A start age from a file can be any int: the labels stay countable.
    const int start = std::clamp(WholeInt(TableStart(table)), -1000000, 1000000);
    for (int k = 0; k < RmdTableLength; ++k) {
        if (k % 10 == 0) t.controls.push_back({0, K::Column, ""});
        t.controls.push_back({FieldTableValue + k, K::Edit, AgeLabel(start + k), 8});
    }
    AddButtons(t);
    return t;
}

std::string Trimmed(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != ' ') out += c;
    return out;
}

// Values must fall strictly with age; a zero ends the messages.
void CheckFallingValues(const float v[RmdTableLength], int start) {
    for (int k = 0; k + 1 < RmdTableLength; ++k) {
        bool zero = v[k] == 0 || v[k + 1] == 0;
        if (!zero && v[k] > v[k + 1]) continue;
        int at = v[k + 1] == 0 ? k + 1 : k;
        char text[200];
        std::snprintf(text, sizeof text,
                      "Possible incorrect value %s at age %2d.\nPlease check the IRS RMD Life Expectancy Tables.",
                      Trimmed(Format("%4.1f", v[at])).c_str(), start + at);
        ui::Message(text, "Probable RMD Value Error", ui::Buttons::Ok, ui::Icon::Stop);
        if (zero) return;
    }
}

void RmdTableRoutine(ui::Dialog& d, int message, int control, int rmdTable) {
    if (message == ui::DialogOpen) {
        float v[RmdTableLength];
        ReadTable(rmdTable, v);
        d.SetText(FieldTableName, FieldText(TableName(rmdTable), 32));
        d.SetText(FieldTableStart, Format("%d", WholeInt(TableStart(rmdTable))));
        for (int k = 0; k < RmdTableLength; ++k)
            d.SetText(FieldTableValue + k, Format("%-4.1f", v[k] != 0 ? v[k] : DefaultRmdValues[k]));
        return;
    }
    if (message != ui::DialogCommand || CommonButtons(d, control, 1573)) return;
    if (control != ui::IdOk) return;
    SetFieldText(TableName(rmdTable), 32, FieldInput(d, FieldTableName, 31));
    float start;
    if (!CheckText(FieldInput(d, FieldTableStart, NumberRoom), start, 1, 120, 0, "AGE ERROR")) return;
    SetTableStart(rmdTable, static_cast<int32_t>(start));
    float v[RmdTableLength];
    ReadTable(rmdTable, v);
    for (int k = 0; k < RmdTableLength; ++k) {
        float value = v[k];
        int age = static_cast<int>(start) + k;
        // From age 70 on a doubtful value is named and kept. Below that it
        // stops the OK, with the values before it stored.
        if (!CheckText(FieldInput(d, FieldTableValue + k, 8), value, 0, 50, age, "Probable RMD Value Error") &&
            age < 70) {
            WriteTable(rmdTable, v);
            return;
        }
        v[k] = value;
    }
    WriteTable(rmdTable, v);
    CheckFallingValues(v, static_cast<int>(start));
    state.modified = 1;
    state.needsRecalc = 1;
    d.End(1);
}

// ---- Monte Carlo Analysis ------------------------------------------------------------------

struct McOpened {
    int trials;
    float minInflation, maxInflation;
} mcOpened;

ui::DialogTemplate MonteCarloTemplate() {
    ui::DialogTemplate t{"MONTE1", "Monte Carlo Analysis", {}, false, 1589};
    t.controls = {
        {FieldTrials, K::Edit, "Enter Number of Trials", 11},
        {FieldMinInflation, K::Edit, "Minimum Inflation Rate", 11},
        {FieldMaxInflation, K::Edit, "Maximum Inflation Rate", 11},
        {FieldGoal, K::Edit, "Set Goal Amount", 21},
        {0, K::Group, " Select Source of Random Rates"},
        {FieldSourceAccounts, K::Radio, "Use Random Account Rates"},
        {FieldSourceGroups, K::Radio, "Use Random Group Rates"},
        {0, K::Group, " Select Type of Random Rates"},
        {FieldKindUniform, K::Radio, "Use Uniformly Distributed Random Rates"},
        {FieldKindRange, K::Radio, "Use Gaussian Distributed Range Rates"},
        {FieldKindDeviation, K::Radio, "Use Gaussian Standard Deviation Rates"},
        {0, K::Group, ""},
        {FieldFactor, K::TrackBar, "Select Distribution Factor"},
        {FieldFactorValue, K::ReadOnly, ""},
        {FieldShowLegend, K::Check, "Show Legend On Monte Carlo Folder"},
        {FieldShowBands, K::Check, "Show Percentile Bands"},
        {FieldShowTrials, K::Check, "Show Trial Curves"},
    };
    AddButtons(t);
    return t;
}

int Clamp10(int v) { return v < 0 ? 0 : v > 10 ? 10 : v; }

// The factor of the current kind onto the track bar, and the enabling that goes with the kind.
void ShowKind(ui::Dialog& d) {
    ScenarioSettings& s = scenario.settings;
    int kind = s.mcDistribution;
    bool factor = kind != 1;
    d.Enable(FieldFactor, factor);
    d.Enable(FieldFactorValue, factor);
    int value = Clamp10(kind == 2 ? s.mcStdDevFactor : s.mcRangeFactor);
    if (kind == 2) {
        s.mcStdDevFactor = static_cast<int16_t>(value);
        s.mcRandomSource = 0;
        d.SetChecked(FieldSourceAccounts, true);
        d.SetChecked(FieldSourceGroups, false);
    } else {
        s.mcRangeFactor = static_cast<int16_t>(value);
    }
    d.Enable(FieldSourceGroups, kind != 2);
    d.Select(FieldFactor, value);
    d.SetText(FieldFactorValue, Format("%d", value));
}

void StoreFactor(int value) {
    ScenarioSettings& s = scenario.settings;
    if (s.mcDistribution == 0) s.mcRangeFactor = static_cast<int16_t>(value);
    if (s.mcDistribution == 2) s.mcStdDevFactor = static_cast<int16_t>(value);
}

void MonteCarloRoutine(ui::Dialog& d, int message, int control) {
    ScenarioSettings& s = scenario.settings;
    if (message == ui::DialogOpen) {
        mcOpened = {state.mcTrials, state.mcMinInflationRate, state.mcMaxInflationRate};
        d.SetText(FieldTrials, Format("%d", state.mcTrials));
        d.SetText(FieldMinInflation, Format("%5.2f", state.mcMinInflationRate));
        d.SetText(FieldMaxInflation, Format("%5.2f", state.mcMaxInflationRate));
        d.SetText(FieldGoal, Format("%8.2f", s.mcGoalAmount));
        d.SetChecked(FieldSourceAccounts, s.mcRandomSource == 0);
        d.SetChecked(FieldSourceGroups, s.mcRandomSource == 1);
        d.SetChecked(FieldKindUniform, s.mcDistribution == 1);
        d.SetChecked(FieldKindRange, s.mcDistribution == 0);
        d.SetChecked(FieldKindDeviation, s.mcDistribution == 2);
        d.SetChecked(FieldShowLegend, s.mcHideLegend == 0);
        d.SetChecked(FieldShowBands, shell.mcShowBands != 0);
        d.SetChecked(FieldShowTrials, shell.mcShowTrials != 0);
        d.SetRange(FieldFactor, 0, 10);
        ShowKind(d);
        return;
    }
    if (message != ui::DialogCommand) return;
    switch (control) {
        case ui::IdHelp: Help(HelpContext, 1589); return;
        case ui::IdCancel:
            state.mcTrials = mcOpened.trials;
            state.mcMinInflationRate = mcOpened.minInflation;
            state.mcMaxInflationRate = mcOpened.maxInflation;
            d.End(0);
            return;
        case FieldSourceAccounts: s.mcRandomSource = 0; return;
        case FieldSourceGroups: s.mcRandomSource = 1; return;
        case FieldKindUniform:
        case FieldKindRange:
        case FieldKindDeviation:
            s.mcDistribution = static_cast<int16_t>(control == FieldKindUniform ? 1 : control == FieldKindRange ? 0 : 2);
            ShowKind(d);
            return;
        case FieldFactor: {
            int value = Clamp10(d.Selected(FieldFactor));
            StoreFactor(value);
            d.SetText(FieldFactorValue, Format("%d", value));
            return;
        }
        case FieldShowLegend: s.mcHideLegend = d.Checked(FieldShowLegend) ? 0 : 1; return;
        case ui::IdOk: break;
        default: return;
    }
    if (!CheckNumbers(d, {FieldTrials, FieldMinInflation, FieldMaxInflation, FieldGoal})) return;
    int trials = 0;
    TypedWhole(d.Text(FieldTrials), 11, trials);
    state.mcTrials = trials < 0 ? 10 : trials > 1000 ? 1000 : trials;
    float low = TypedNumber(d.Text(FieldMinInflation), 11);
    float high = TypedNumber(d.Text(FieldMaxInflation), 11);
    state.mcMinInflationRate = low < -10 ? -10 : low;
    state.mcMaxInflationRate = high > 50 ? 50 : high;
    s.mcHideLegend = d.Checked(FieldShowLegend) ? 0 : 1;
    shell.mcShowBands = d.Checked(FieldShowBands) ? 1 : 0;
    shell.mcShowTrials = d.Checked(FieldShowTrials) ? 1 : 0;
    s.mcGoalAmount = TypedNumber(d.Text(FieldGoal), 21);
    StoreFactor(Clamp10(d.Selected(FieldFactor)));
    state.modified = 1;
    d.End(1);
}

// ---- Reports Options ------------------------------------------------------------------------

ui::DialogTemplate ReportOptionsTemplate() {
    ui::DialogTemplate t{"REPORTOPTIONS", "Reports Options", {}, false, 1559};
    t.controls = {
        {0, K::Label, "Check and Create Text for Each Alternative Title"},
        {FieldTitle1On, K::Check, "Title 1"},
        {FieldTitle1, K::Edit, "", 40},
        {FieldTitle2On, K::Check, "Title 2"},
        {FieldTitle2, K::Edit, "", 40},
        {FieldTitle3On, K::Check, "Title 3"},
        {FieldTitle3, K::Edit, "", 40},
        {FieldReportBanding, K::Check, "Use color banding on reports"},
        {FieldReportBoxing, K::Check, "Use rectangle boxing on reports"},
        {FieldReportColumns, K::Check, "Use columns on reports"},
        {ui::IdOk, K::Button, "OK"},
        {ui::IdCancel, K::Button, "Cancel"},
        {FieldReportFonts, K::Button, "Fonts"},
        {ui::IdHelp, K::Button, "Help"},
    };
    return t;
}

void ReportOptionsRoutine(ui::Dialog& d, int message, int control) {
    ReportOptions& r = scenario.reportOptions;
    char* titles[] = {r.title1, r.title2, r.title3};
    if (message == ui::DialogOpen) {
        const int16_t on[] = {r.title1On, r.title2On, r.title3On};
        for (int k = 0; k < 3; ++k) {
            d.SetChecked(FieldTitle1On + 2 * k, on[k] != 0);
            d.SetText(FieldTitle1 + 2 * k, FieldText(titles[k], 60));
        }
        d.SetChecked(FieldReportBanding, state.reportBanding != 0);
        d.SetChecked(FieldReportBoxing, state.reportBoxing != 0);
        d.SetChecked(FieldReportColumns, state.reportColumns != 0);
        d.Enable(FieldReportFonts, dialogHooks.fontChooser != nullptr);
        return;
    }
    if (message != ui::DialogCommand || CommonButtons(d, control, 1559)) return;
    if (control == FieldReportFonts && dialogHooks.fontChooser) dialogHooks.fontChooser(1);
    if (control != ui::IdOk) return;
    int16_t on[3];
    for (int k = 0; k < 3; ++k) {
        on[k] = d.Checked(FieldTitle1On + 2 * k) ? 1 : 0;
        if (on[k]) SetFieldText(titles[k], 60, FieldInput(d, FieldTitle1 + 2 * k, 40));
    }
    r.title1On = on[0];
    r.title2On = on[1];
    r.title3On = on[2];
    state.reportBanding = d.Checked(FieldReportBanding) ? 1 : 0;
    state.reportBoxing = d.Checked(FieldReportBoxing) ? 1 : 0;
    state.reportColumns = d.Checked(FieldReportColumns) ? 1 : 0;
    state.modified = 1;
    d.End(1);
}

// ---- Mortgage Schedule ------------------------------------------------------------------------
ui::DialogTemplate ScheduleTemplate() {
    ui::DialogTemplate t{"MOSCHEDULE", "Mortgage Schedule", {}, false, 515};
    t.controls = {
        {FieldScheduleList, K::List,
         "Age\tPrincipal\tInterest\tTotal Principal\tTotal Interest\tTotal Payment\tEquity\tInflated Equity\t"
         "Property Value\tProperty Liability"},
        {ui::IdOk, K::Button, "OK"},
        {FieldSchedulePrint, K::Button, "Print"},
    };
    return t;
}

void ScheduleRoutine(ui::Dialog& d, int message, int control, int scheduleEvent) {
    if (message == ui::DialogOpen) {
        const Event& e = scenario.events[scheduleEvent];
        std::vector<std::string> lines;
        if (WriteMortgageSchedule(e) < 0) {
            ShowNotice(MortgageScheduleFileError);
        } else {
            static MortgageScheduleRow rows[MaxMortgageScheduleRows];
            int n = MortgageSchedule(e, rows, MaxMortgageScheduleRows);
            for (int r = 0; r < n; ++r) {
                char cells[10][24];
                MortgageScheduleCells(rows[r], cells);
                std::string line;
                for (int c = 0; c < 10; ++c) line += (c ? "\t" : "") + std::string(cells[c]);
                lines.push_back(line);
            }
        }
        d.SetItems(FieldScheduleList, lines);
        d.Enable(FieldSchedulePrint, dialogHooks.printSchedule != nullptr);
        return;
    }
    if (message != ui::DialogCommand) return;
    if (control == FieldSchedulePrint && dialogHooks.printSchedule) dialogHooks.printSchedule();
    if (control == ui::IdOk || control == ui::IdCancel) d.End(1);
}

}  // namespace

int AssetAllocationDialog() { return Run(WindowAccountInformation, AllocationTemplate(), AllocationRoutine); }
int RmdOptionsDialog() { return Run(WindowAccountInformation, RmdOptionsTemplate(), RmdOptionsRoutine); }
int RmdTableDialog(int table) {
    if (table < 1 || table > 3) return 0;
    return ui::Dialogs().Run(RmdTableTemplate(table),
                             [table](ui::Dialog& d, int message, int control) { RmdTableRoutine(d, message, control, table); });
}
int MonteCarloSettingsDialog() { return Run(WindowMonteCarloSettings, MonteCarloTemplate(), MonteCarloRoutine); }
int ReportOptionsDialog() { return Run(WindowReportOptions, ReportOptionsTemplate(), ReportOptionsRoutine); }
int MortgageScheduleWindow(int eventIndex) {
    if (eventIndex < 0 || eventIndex >= MaxEvents) return 0;
    return ui::Dialogs().Run(ScheduleTemplate(), [eventIndex](ui::Dialog& d, int message, int control) {
        ScheduleRoutine(d, message, control, eventIndex);
    });
}
