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

// The working copies the dialogs edit beside the records until a save puts
// them back.
struct Beside {
    int eventCount, mcTrials;
    float mcMinInflationRate, mcMaxInflationRate;
    int reportColumns, colorBanding, reportBanding, hideMakerFolder, reportBoxing;
    int printMargins[4], printOrientation, margins[4];
    bool operator==(const Beside&) const = default;
};

// Everything an edit can change.
struct Snapshot {
    Scenario records;
    Beside beside;
};

Snapshot Take() {
    Snapshot s;
    std::memcpy(&s.records, &scenario, sizeof scenario);
    s.beside = {state.eventCount,
                state.mcTrials,
                state.mcMinInflationRate,
                state.mcMaxInflationRate,
                state.reportColumns,
                state.colorBanding,
                state.reportBanding,
                state.hideMakerFolder,
                state.reportBoxing,
                {state.printMarginLeft, state.printMarginTop, state.printMarginRight, state.printMarginBottom},
                state.printOrientation,
                {state.marginLeft, state.marginTop, state.marginRight, state.marginBottom}};
    return s;
}

void Put(const Snapshot& s) {
    std::memcpy(&scenario, &s.records, sizeof scenario);
    const Beside& b = s.beside;
    state.eventCount = b.eventCount;
    state.mcTrials = b.mcTrials;
    state.mcMinInflationRate = b.mcMinInflationRate;
    state.mcMaxInflationRate = b.mcMaxInflationRate;
    state.reportColumns = b.reportColumns;
    state.colorBanding = b.colorBanding;
    state.reportBanding = b.reportBanding;
    state.hideMakerFolder = b.hideMakerFolder;
    state.reportBoxing = b.reportBoxing;
    state.printMarginLeft = b.printMargins[0];
    state.printMarginTop = b.printMargins[1];
    state.printMarginRight = b.printMargins[2];
    state.printMarginBottom = b.printMargins[3];
    state.printOrientation = b.printOrientation;
    state.marginLeft = b.margins[0];
    state.marginTop = b.margins[1];
    state.marginRight = b.margins[2];
    state.marginBottom = b.margins[3];
}

bool Same(const Snapshot& a, const Snapshot& b) {
    return std::memcmp(&a.records, &b.records, sizeof a.records) == 0 && a.beside == b.beside;
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
    // The plan as the history last left it, to find a change made outside
    // any step (a modeless window's button, say) before the next step.
    Snapshot present_;
    unsigned presentChanges = 0;
    bool presentKnown = false;
} history;

// The plan in memory is the state `history.present` names.
void NotePresent() {
    History& h = history;
    h.present_ = Take();
    h.presentChanges = state.modified.Changes();
    h.presentKnown = true;
}

void Push(Snapshot&& before, std::string name) {
    History& h = history;
    h.undo.push_back({std::move(before), h.present, std::move(name)});
    if (h.undo.size() > MaxSteps) h.undo.pop_front();
    h.redo.clear();
    h.present = h.next++;
}

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
    NotePresent();
}

// A change the person made since the history last looked becomes a step of
// its own, so that Undo takes back that change and not the step before it.
void CatchUp() {
    History& h = history;
    if (!h.presentKnown || state.modified.Changes() == h.presentChanges || Same(h.present_, Take())) return;
    Push(std::move(h.present_), "Change");
    NotePresent();
    ShowMenu();
}

void EndStep(std::string name) {
    History& h = history;
    // Only a change the person made counts: a projection run also rewrites
    // the records' working fields, and that is nothing to undo.
    if (state.modified.Changes() != h.startChanges && !Same(h.start, Take())) {
        Push(std::move(h.start), std::move(name));
        ShowMenu();
    }
    // A save marks the plan as it now stands as the saved one.
    if (h.startModified && !state.modified) h.saved = h.present;
    NotePresent();
}

}  // namespace

void BeginCommandStep() {
    History& h = history;
    if (h.depth++ > 0) return;
    CatchUp();
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
        NotePresent();
        return;
    }
    EndStep(StepName(c));
}

void EndNamedStep(const char* name) {
    if (--history.depth > 0) return;
    EndStep(name);
}

void ForgetUndoHistory() {
    History& h = history;
    h.undo.clear();
    h.redo.clear();
    h.present = h.saved = h.next++;
    NotePresent();
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
