// The windowing layer as the shell sees it. Nothing here names a toolkit: the
// desktop program installs a Qt implementation, the command-line program a
// console one, and tests a scripted one (tests/doubles) that records
// everything it is asked.
#pragma once

#include <string>
#include <vector>

namespace ui {

enum class Icon { None, Stop, Exclamation, Question, Information };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// What a file dialog shows. Filters are "description" + "pattern" pairs,
// e.g. {"Scenario Files (*.RET)", "*.ret"}.
struct FileFilter {
    std::string description, pattern;
};
struct FileDialog {
    std::string title;
    std::vector<FileFilter> filters;
    std::string defaultExtension;  // without the dot; added when the name has none
    std::string directory;         // "" = wherever the toolkit starts
    bool save = false;
    bool mustExist = false;
};

class Ui {
public:
    virtual ~Ui() = default;

    // A message box; system-modal where the toolkit allows it.
    virtual Answer Message(const std::string& text, const std::string& caption, Buttons buttons,
                           Icon icon) = 0;
    virtual void SetWindowTitle(const std::string& title) = 0;
    virtual void SetMenuItemText(int id, const std::string& text) = 0;
    virtual void CheckMenuItem(int id, bool checked) = 0;
    // The recent-file entries of the File menu, entry 1 first; an empty list
    // removes the entries and their separator.
    virtual void SetRecentFileMenu(const std::vector<std::string>& entries) = 0;
    // The main window's outer rectangle in screen pixels.
    virtual Rect MainWindowRect() = 0;
    // Dots per inch of the default printer.
    virtual void PrinterDotsPerInch(int& x, int& y) = 0;

    // ---- Shell services. Defaults do nothing and report failure, so an
    // implementation only overrides what it can really offer.

    // An open or save file dialog. Returns 1 with `path` set to the choice,
    // 0 when cancelled.
    virtual int ChooseFile(const FileDialog& dialog, std::string& path);
    // Grays or enables a command wherever it appears (menu item, toolbar
    // button, accelerator).
    virtual void EnableCommand(int, bool) {}
    // Replaces the row of folder tabs and selects `selected`.
    virtual void SetFolderTabs(const std::vector<std::string>&, int) {}
    // Shows the content of folder `folder` (a folder code of the shell)
    // under tab `tab`, rebuilt from the current results.
    virtual void ShowFolder(int, int) {}
    virtual void SetWaitCursor(bool) {}
    // Starts `program` with `arguments` (no shell, no waiting). 1 = started.
    virtual int StartProgram(const std::string&, const std::vector<std::string>&) { return 0; }
    // Hands an address (http:, mailto:) to the desktop. 1 = accepted.
    virtual int OpenAddress(const std::string&) { return 0; }
    // Shows a help page of the program's own help. 1 = shown.
    virtual int ShowHelpPage(const std::string&) { return 0; }
    // Brings the editing window known under `windowId` to the front.
    virtual void RaiseWindow(int) {}
    // Asks the main window to close; closing then goes through the shell's
    // close question.
    virtual void RequestClose() {}
    // Places and sizes the main window, never below the minimum size.
    virtual void SetMainWindowGeometry(const Rect&, int, int) {}
    // Vertical dots per inch of the screen.
    virtual int ScreenDotsPerInch() { return 96; }
    // A small modal dialog of radio buttons under `caption` with OK, Cancel
    // and Help (help context `helpContext`). `choice` comes in as the button
    // checked at first and goes out as the one chosen. Returns 1 for OK, 0 for
    // Cancel.
    virtual int ChooseOption(const std::string&, const std::vector<std::string>&, int&, int) { return 0; }
    // The Results list was refilled or repositioned: redraw it from the last
    // run, make line `line` visible and select it (-1: no selection).
    virtual void ShowResults(int) {}

    // ---- A long operation on the window thread (the Monte Carlo analysis).
    // A steady clock in milliseconds, for spacing the repaints.
    virtual long long Milliseconds();
    // On while the operation runs: Escape then asks it to stop, and other
    // input waits, since the window handles events inside the operation.
    virtual void WatchForStop(bool) {}
    // Whether Escape was pressed since WatchForStop(true).
    virtual bool StopRequested() { return false; }
    // A long operation started from a modal dialog lets the window handle
    // what waits (repaints, the dialog's own buttons and Escape, which reach
    // its routine again); the dialog keeps the other windows' input out.
    virtual void HandlePendingInput() {}
};

// Adds `defaultExtension` to `path` when its last component has no dot.
std::string WithDefaultExtension(const std::string& path, const std::string& defaultExtension);

// The implementation in use. Never null: until one is installed a console
// implementation answers (messages on stderr, questions answered No).
Ui& Current();
// Installs `u` (not owned) and returns the previous one; nullptr restores the
// console implementation.
Ui* Install(Ui* u);

// Convenience for the common call.
inline Answer Message(const std::string& text, const std::string& caption,
                      Buttons buttons = Buttons::Ok, Icon icon = Icon::Stop) {
    return Current().Message(text, caption, buttons, icon);
}

// Messages as "CAPTION: text" on stderr; questions answer Yes when
// `answerYes`, else No (Cancel is never chosen).
class ConsoleUi : public Ui {
public:
    bool answerYes = false;
    Rect windowRect{0, 0, 600, 500};
    int dpiX = 600, dpiY = 600;

    Answer Message(const std::string& text, const std::string& caption, Buttons buttons,
                   Icon icon) override;
    void SetWindowTitle(const std::string& title) override;
    void SetMenuItemText(int, const std::string&) override {}
    void CheckMenuItem(int, bool) override {}
    void SetRecentFileMenu(const std::vector<std::string>&) override {}
    Rect MainWindowRect() override { return windowRect; }
    void PrinterDotsPerInch(int& x, int& y) override {
        x = dpiX;
        y = dpiY;
    }
    std::string title;
    // Console file "dialogs" answer with this path ("" = cancelled).
    std::string filePath;
    int ChooseFile(const FileDialog& dialog, std::string& path) override;
    int StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace ui
