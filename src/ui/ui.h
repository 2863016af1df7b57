// The windowing layer as the core sees it. Nothing here names a toolkit: the
// desktop program installs a Qt implementation, the command-line program a
// console one, and tests a scripted one that records everything it is asked.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace ui {

enum class Icon { None, Stop, Exclamation, Question, Information };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
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
};

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
};

// For tests: records every call; questions take their answers from a queue
// (an empty queue answers the button set's default: Ok, or No).
class ScriptedUi : public Ui {
public:
    struct Shown {
        std::string text, caption;
        Buttons buttons;
        Icon icon;
    };
    std::vector<Shown> messages;
    std::deque<Answer> answers;
    std::string title;
    std::vector<std::string> titles;
    std::vector<std::pair<int, std::string>> menuTexts;
    std::vector<std::pair<int, bool>> menuChecks;
    std::vector<std::string> recentMenu;
    int recentMenuBuilds = 0;
    Rect windowRect{10, 20, 810, 620};
    int dpiX = 600, dpiY = 600;

    Answer Message(const std::string& text, const std::string& caption, Buttons buttons,
                   Icon icon) override;
    void SetWindowTitle(const std::string& t) override {
        title = t;
        titles.push_back(t);
    }
    void SetMenuItemText(int id, const std::string& text) override { menuTexts.emplace_back(id, text); }
    void CheckMenuItem(int id, bool checked) override { menuChecks.emplace_back(id, checked); }
    void SetRecentFileMenu(const std::vector<std::string>& entries) override {
        recentMenu = entries;
        ++recentMenuBuilds;
    }
    Rect MainWindowRect() override { return windowRect; }
    void PrinterDotsPerInch(int& x, int& y) override {
        x = dpiX;
        y = dpiY;
    }
    // Last menu text given to `id`, or "" when none was.
    std::string MenuText(int id) const;
    void Clear() {
        messages.clear();
        answers.clear();
        titles.clear();
        menuTexts.clear();
        menuChecks.clear();
    }
};

// Installs a ScriptedUi for the lifetime of the object (tests).
class ScopedUi {
public:
    explicit ScopedUi(Ui* u) : previous_(Install(u)) {}
    ~ScopedUi() { Install(previous_); }
    ScopedUi(const ScopedUi&) = delete;
    ScopedUi& operator=(const ScopedUi&) = delete;

private:
    Ui* previous_;
};

}  // namespace ui
