// Dialogs as the shell's editing logic sees them: a template names the
// controls in field order, and one routine per dialog handles its messages
// (opened, a button pressed, a box checked, a combo entry chosen) by reading
// and setting control texts through ui::Dialog. The desktop program shows the
// template as a real window; tests run it through a scripted host
// (tests/doubles), which plays a prepared list of keystrokes and clicks and
// records what the dialog showed.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ui {

enum class ControlKind {
    Label,     // static text
    Edit,      // one line of text
    ReadOnly,  // text the dialog computes
    Check,     // check box: every click is a DialogCommand
    Radio,     // radio button, grouped with its neighbours
    Combo,     // drop-down list: choosing an entry is a DialogCommand
    Button,    // push button: a DialogCommand
    List,      // a list of text rows (read-only table view)
    TrackBar,  // a slider; moving it is a DialogCommand
    Spin,      // a whole number with up and down arrows; a step is a DialogCommand
    Column,    // starts a new column of controls (layout only)
    Group,     // a titled frame around the controls up to the next Group or Column
};

// Standard control ids: OK is the default button (Enter), Cancel also
// answers Escape and the window's close button.
enum : int { IdOk = 1, IdCancel = 2, IdHelp = 3 };

struct Control {
    int id = 0;
    ControlKind kind = ControlKind::Label;
    std::string text;  // label or caption; a List's column titles separated by '\t'
    int maxChars = 0;  // an Edit's room, 0 = no limit; a ReadOnly's width in characters, 0 = narrow
    // A List's columns: alignment per column ('l', 'r', 'c'; unset: figures
    // right, text left) and relative widths (none: each fits its contents).
    std::string columnAlign = {};
    std::vector<int> columnShares = {};
};

struct DialogTemplate {
    std::string name;     // resource name, e.g. "WITHDRAWAL"
    std::string caption;  // window title
    std::vector<Control> controls;
    bool modeless = false;
    int helpContext = 0;
    int window = -1;  // the shell's window id, so that the guard can raise it
    bool leaveMessages = false;  // whether its routine hears DialogLeave
};

// Messages a dialog routine receives; DialogLeave: an edit field lost the focus.
enum : int { DialogOpen = 1, DialogCommand = 2, DialogDoubleClick = 3, DialogLeave = 4 };

class Dialog {
public:
    virtual ~Dialog() = default;
    virtual std::string Text(int id) = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    virtual bool Checked(int id) = 0;
    virtual void SetChecked(int id, bool on) = 0;
    virtual void Enable(int id, bool on) = 0;
    virtual bool Enabled(int id) = 0;
    // Combos and lists: the entries, and the chosen one (-1 none). Track bars
    // use Selected/Select for the position and SetRange for the ends.
    virtual void SetItems(int id, const std::vector<std::string>& items) = 0;
    virtual int Selected(int id) = 0;
    virtual void Select(int id, int index) = 0;
    virtual void SetRange(int id, int low, int high) = 0;
    // Puts the focus in a field with its text selected (where there is a screen).
    virtual void Focus(int) {}
    // Closes the dialog; Run returns `result`.
    virtual void End(int result) = 0;
};

// A dialog's routine; what it works on (the record being edited, the table
// shown) comes with it, bound when the dialog is run.
using DialogRoutine = std::function<void(Dialog& dialog, int message, int control)>;

class DialogHost {
public:
    virtual ~DialogHost() = default;
    // Shows the dialog and returns what the routine passed to End (modal),
    // or 1 at once for a modeless dialog that opened.
    virtual int Run(const DialogTemplate& t, DialogRoutine routine) = 0;
};

// The host in use; until one is installed, every dialog is cancelled unseen.
DialogHost& Dialogs();
// Installs `host` (not owned), returns the previous one; nullptr restores the default.
DialogHost* InstallDialogs(DialogHost* host);

}  // namespace ui
