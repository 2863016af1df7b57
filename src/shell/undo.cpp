// Undo and Redo. The Scenario is a fixed set of plain records, so a step is
// simply a copy of them (with the values kept beside them) from before the
// command that changed them; about 40 KB a step.
#include <cstring>
#include <deque>
#include <string>

#include "model/model.h"
#include "shell/shell.h"

namespace {

constexpr size_t MaxSteps = 100;

// Everything an edit can change: the records, and the working copies the
// dialogs edit beside them until a save puts them back.
struct Snapshot {
    Scenario records;
    int eventCount;
    int mcTrials;
    float mcMinInflationRate, mcMaxInflationRate;
    int reportColumns, colorBanding, reportBanding, hideMakerFolder, reportBoxing;
    int printMargins[4], printOrientation, margins[4];
};

Snapshot Take() {
    Snapshot s;
    std::memcpy(&s.records, &scenario, sizeof scenario);
    s.eventCount = state.eventCount;
    s.mcTrials = state.mcTrials;
    s.mcMinInflationRate = state.mcMinInflationRate;
    s.mcMaxInflationRate = state.mcMaxInflationRate;
    s.reportColumns = state.reportColumns;
    s.colorBanding = state.colorBanding;
    s.reportBanding = state.reportBanding;
    s.hideMakerFolder = state.hideMakerFolder;
    s.reportBoxing = state.reportBoxing;
    const int pm[4] = {state.printMarginLeft, state.printMarginTop, state.printMarginRight, state.printMarginBottom};
    const int m[4] = {state.marginLeft, state.marginTop, state.marginRight, state.marginBottom};
    std::memcpy(s.printMargins, pm, sizeof pm);
    std::memcpy(s.margins, m, sizeof m);
    s.printOrientation = state.printOrientation;
    return s;
}

void Put(const Snapshot& s) {
    std::memcpy(&scenario, &s.records, sizeof scenario);
    state.eventCount = s.eventCount;
    state.mcTrials = s.mcTrials;
    state.mcMinInflationRate = s.mcMinInflationRate;
    state.mcMaxInflationRate = s.mcMaxInflationRate;
    state.reportColumns = s.reportColumns;
    state.colorBanding = s.colorBanding;
    state.reportBanding = s.reportBanding;
    state.hideMakerFolder = s.hideMakerFolder;
    state.reportBoxing = s.reportBoxing;
    state.printMarginLeft = s.printMargins[0];
    state.printMarginTop = s.printMargins[1];
    state.printMarginRight = s.printMargins[2];
    state.printMarginBottom = s.printMargins[3];
    state.marginLeft = s.margins[0];
    state.marginTop = s.margins[1];
    state.marginRight = s.margins[2];
    state.marginBottom = s.margins[3];
    state.printOrientation = s.printOrientation;
}

bool Same(const Snapshot& a, const Snapshot& b) {
    // Member by member: the struct's own padding holds nothing to compare.
    return std::memcmp(&a.records, &b.records, sizeof a.records) == 0 && a.eventCount == b.eventCount &&
           a.mcTrials == b.mcTrials && std::memcmp(&a.mcMinInflationRate, &b.mcMinInflationRate, sizeof(float)) == 0 &&
           std::memcmp(&a.mcMaxInflationRate, &b.mcMaxInflationRate, sizeof(float)) == 0 &&
           a.reportColumns == b.reportColumns && a.colorBanding == b.colorBanding &&
           a.reportBanding == b.reportBanding && a.hideMakerFolder == b.hideMakerFolder &&
           a.reportBoxing == b.reportBoxing && std::memcmp(a.printMargins, b.printMargins, sizeof a.printMargins) == 0 &&
           a.printOrientation == b.printOrientation && std::memcmp(a.margins, b.margins, sizeof a.margins) == 0;
}

// A state of the plan: its snapshot, a number naming it, and the name of the
// step that leads away from it (what Undo would take back).
struct Step {
    Snapshot before;
    unsigned id;
    std::string name;
};

struct History {
    std::deque<Step> undo, redo;
    unsigned present = 0;  // the id of the state in memory
    unsigned saved = 0;    // the id of the state last saved or opened; 0 = none since
    unsigned next = 1;
    // The command in progress at the outermost dispatch.
    int depth = 0;
    Snapshot start;
    unsigned startChanges = 0;
    int startModified = 0;
    std::string startPath;
} history;

// A command that opens or starts another plan begins its history afresh.
bool StartsAnotherPlan(int id) {
    return id == CmdNew || id == CmdOpen || id == CmdNewFromTab || id == CmdNewFromCsv || id == CmdNewByHand ||
           (id >= CmdRecentFirst && id <= CmdRecentSixth);
}

// "Initial &Values" -> "Initial Values"; "Add &Event..." -> "Add Event".
std::string StepName(const Command& c) {
    std::string name;
    for (const char* p = c.text ? c.text : ""; *p; ++p)
        if (*p != '&') name += *p;
    while (!name.empty() && name.back() == '.') name.pop_back();
    return name;
}

void ShowMenu() {
    const History& h = history;
    ui::Current().SetMenuItemText(CmdUndo, h.undo.empty() ? "&Undo" : "&Undo " + h.undo.back().name);
    ui::Current().SetMenuItemText(CmdRedo, h.redo.empty() ? "&Redo" : "&Redo " + h.redo.back().name);
    ui::Current().EnableCommand(CmdUndo, !h.undo.empty());
    ui::Current().EnableCommand(CmdRedo, !h.redo.empty());
}

// Shows the plan as it now stands: the flag follows the saved state, the
// figures are due again and every view of the plan is rebuilt.
void ShowRestored() {
    state.modified = history.present != history.saved ? 1 : 0;
    state.needsRecalc = 1;
    RefreshBudgetMenu();
    SetTitleWithPath();
    ShowFolder(FolderOfTab(shell.currentTab));
    ShowMenu();
}

// Moves one step from `from` to `to`: the plan in memory goes on `to` under
// the step's name, the step's own snapshot becomes the plan.
void Move(std::deque<Step>& from, std::deque<Step>& to) {
    Step step = std::move(from.back());
    from.pop_back();
    to.push_back({Take(), history.present, step.name});
    Put(step.before);
    history.present = step.id;
    ShowRestored();
}

}  // namespace

void BeginCommandStep() {
    History& h = history;
    if (h.depth++ > 0) return;
    h.start = Take();
    h.startChanges = state.modified.Changes();
    h.startModified = state.modified;
    h.startPath = FieldText(state.scenarioPath);
}

void EndCommandStep(const Command& c) {
    History& h = history;
    if (--h.depth > 0) return;
    if (c.id == CmdUndo || c.id == CmdRedo) return;
    if (StartsAnotherPlan(c.id)) {
        if (FieldText(state.scenarioPath) != h.startPath || !Same(h.start, Take())) {
            ForgetUndoHistory();
            if (state.modified) h.saved = 0;  // a new plan not yet saved
        }
        return;
    }
    // Only a change the person made counts: a projection run also rewrites
    // the records' working fields, and that is nothing to undo.
    if (state.modified.Changes() != h.startChanges && !Same(h.start, Take())) {
        h.undo.push_back({std::move(h.start), h.present, StepName(c)});
        if (h.undo.size() > MaxSteps) h.undo.pop_front();
        h.redo.clear();
        h.present = h.next++;
        ShowMenu();
    }
    // A save marks the plan as it now stands as the saved one.
    if (h.startModified && !state.modified) h.saved = h.present;
}

void ForgetUndoHistory() {
    History& h = history;
    h.undo.clear();
    h.redo.clear();
    h.present = h.saved = h.next++;
    ShowMenu();
}

int CommandUndo() {
    if (history.undo.empty()) return 0;
    Move(history.undo, history.redo);
    return 1;
}

int CommandRedo() {
    if (history.redo.empty()) return 0;
    Move(history.redo, history.undo);
    return 1;
}

std::string UndoStepName() { return history.undo.empty() ? "" : history.undo.back().name; }
std::string RedoStepName() { return history.redo.empty() ? "" : history.redo.back().name; }
