// The ui of the tests: records every call and answers questions from a script.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/ui.h"

namespace ui {

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

    // Shell services: every request is recorded; file dialogs take their
    // answers from `files` ("" = cancelled; an empty queue cancels), program
    // starts succeed for the names in `programs`, addresses and help pages
    // succeed unless the matching fail switch is set.
    struct Launch {
        std::string program;
        std::vector<std::string> arguments;
    };
    std::vector<FileDialog> fileDialogs;
    std::deque<std::string> files;
    std::vector<std::pair<int, bool>> enabled;
    std::vector<std::string> tabs;
    int selectedTab = -1;
    std::vector<std::pair<int, int>> foldersShown;  // (tab, folder)
    int waitCursor = 0;
    std::vector<std::string> programs;
    std::vector<Launch> launches;  // every attempt, started or not
    std::vector<std::string> addresses;
    bool failAddresses = false;
    std::vector<std::string> helpPages;
    std::vector<int> raised;
    int closeRequests = 0;
    Rect geometry;
    int minWidth = 0, minHeight = 0;
    int screenDpi = 96;

    int ChooseFile(const FileDialog& dialog, std::string& path) override;
    void EnableCommand(int id, bool on) override { enabled.emplace_back(id, on); }
    void SetFolderTabs(const std::vector<std::string>& labels, int selected) override {
        tabs = labels;
        selectedTab = selected;
    }
    void ShowFolder(int tab, int folder) override {
        selectedTab = tab;
        foldersShown.emplace_back(tab, folder);
    }
    void SetWaitCursor(bool on) override { waitCursor += on ? 1 : -1; }
    int StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    int OpenAddress(const std::string& address) override {
        addresses.push_back(address);
        return failAddresses ? 0 : 1;
    }
    int ShowHelpPage(const std::string& page) override {
        helpPages.push_back(page);
        return 1;
    }
    void RaiseWindow(int id) override { raised.push_back(id); }
    void RequestClose() override { ++closeRequests; }
    void SetMainWindowGeometry(const Rect& r, int minW, int minH) override {
        geometry = r;
        minWidth = minW;
        minHeight = minH;
    }
    int ScreenDotsPerInch() override { return screenDpi; }
    // Option dialogs answer from `choices` (-1 = Cancel; an empty queue cancels).
    struct Options {
        std::string caption;
        std::vector<std::string> options;
    };
    std::vector<Options> optionDialogs;
    std::deque<int> choices;
    int ChooseOption(const std::string& caption, const std::vector<std::string>& options, int& choice,
                     int helpContext) override;
    // The clock moves `clockStep` milliseconds at every reading; a stop is
    // asked for from poll `stopAtPoll` on (0 = never). `watching` records
    // every WatchForStop.
    long long clock = 0, clockStep = 0;
    int stopAtPoll = 0, stopPolls = 0;
    std::vector<bool> watching;
    long long Milliseconds() override { return clock += clockStep; }
    void WatchForStop(bool on) override { watching.push_back(on); }
    bool StopRequested() override { return stopAtPoll > 0 && ++stopPolls >= stopAtPoll; }
    // Called where a long operation lets the window handle what waits: a test
    // presses a button of the running dialog there.
    std::function<void()> pendingInput;
    void HandlePendingInput() override {
        if (pendingInput) pendingInput();
    }
    int resultsShown = 0;      // how often the Results list was redrawn
    int resultsSelected = -2;  // the line it was last asked to select
    void ShowResults(int line) override {
        ++resultsShown;
        resultsSelected = line;
    }
    // Last enable state given to `id`: 1 enabled, 0 grayed, -1 never set.
    int Enabled(int id) const;
    void Clear() {
        messages.clear();
        answers.clear();
        titles.clear();
        menuTexts.clear();
        menuChecks.clear();
        fileDialogs.clear();
        files.clear();
        enabled.clear();
        foldersShown.clear();
        launches.clear();
        addresses.clear();
        helpPages.clear();
        raised.clear();
        optionDialogs.clear();
        choices.clear();
    }
};

// Installs a ui for the lifetime of the object (tests).
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
