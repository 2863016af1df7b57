// Helpers the dialog routines share: running a dialog under its open flag,
// account combos, the event slot being edited and the storing of an OK.
#pragma once

#include <initializer_list>
#include <string>
#include <tuple>

#include "model/model.h"
#include "shell/check.h"
#include "shell/dialogs.h"
#include "shell/shell.h"

namespace dialogs {

using ui::Control;
using ui::ControlKind;
using K = ui::ControlKind;

// Runs `t` with the shell's open flag `window` set while it shows.
int Run(int window, const ui::DialogTemplate& t, ui::DialogRoutine routine);

// Runs a dialog that edits `records` in place. The checks of an OK store
// field by field, so a refused OK has already written the earlier fields;
// when the dialog then ends without OK (Cancel, Escape, the close button)
// the records are put back as they were when it opened.
template <class... Record>
int RunKeeping(int window, const ui::DialogTemplate& t, ui::DialogRoutine routine, Record&... records) {
    std::tuple<Record...> kept{records...};
    int result = Run(window, t, routine);
    if (!result) std::tie(records...) = kept;
    return result;
}

// Set while an existing event is edited in place (its slot is not reset).
extern int editingEvent;
// The slot the event dialogs build in: the live count (the event's index
// while it is edited).
int EventSlot();
// Prepares the slot for a new event; 0 when every slot is in use.
int PrepareEventSlot();
// Runs an event dialog on the slot; an existing event that is not confirmed
// gets its record back.
int RunEventDialog(int window, const ui::DialogTemplate& t, ui::DialogRoutine routine);
// OK of an event dialog: type, count, recalculation.
void StoreEvent(int type);

// Account combos list the accounts in name order; with `noSelection` the
// first entry is "No Selection".
void FillAccountCombo(ui::Dialog& d, int id, bool noSelection, int accountId);
// The chosen account's position, or -1 ("No Selection" or none chosen).
int ComboAccount(ui::Dialog& d, int id, bool noSelection);
// The asset-allocation rule for withdrawal and payment accounts: 1 (with the
// warning shown) when `position` may not pay.
int RefuseAllocatedAccount(int position);
bool AllocatedAccount(int position);
// A withdrawal or payment account chosen in combo `id`: its id and the mark,
// or -1 and 0. Returns 0 when the asset-allocation rule refused it.
int ChosenPayingAccount(ui::Dialog& d, int id, int& accountId, int& mark);

// Field checks as the dialogs use them, with the room of a number field.
constexpr int NumberRoom = 16;
int CheckAge(ui::Dialog& d, int id, float& out, const char* caption);  // 1..120, message 7
int CheckAmount(ui::Dialog& d, int id, float& out, float low, const char* caption);  // low..100000000, message 2
// Description (49 characters) into the slot's event.
void StoreDescription(ui::Dialog& d, Event& e);
float Whole(float v);

std::string AgeText(float v);   // "%-6.2f"
std::string AmountText(float v);  // "%-11.2f"

// OK, Cancel, then `extra`, then Help: the buttons that end a dialog.
void AddButtons(ui::DialogTemplate& t, std::initializer_list<Control> extra = {});
// Cancel and Help, common to all: 1 when the message was one of them.
int CommonButtons(ui::Dialog& d, int control, int helpContext);

}  // namespace dialogs
