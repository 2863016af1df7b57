// The dialog host of the tests.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ui/dialog.h"

namespace ui {

// For tests: every Run takes the next script from `scripts` (an empty queue
// runs none), plays its steps after DialogOpen, and presses Cancel when the
// steps run out with the dialog still open. Each run is recorded.
class ScriptedDialogs : public DialogHost {
public:
    struct Step {
        enum Kind { Type, Click, Choose, DoubleClick, Leave } kind;
        int id;
        std::string text;
        int index = 0;
    };
    using Script = std::vector<Step>;
    static Step Type(int id, const std::string& text) { return {Step::Type, id, text, 0}; }
    static Step Click(int id) { return {Step::Click, id, "", 0}; }
    static Step Choose(int id, int index) { return {Step::Choose, id, "", index}; }
    static Step DoubleClick(int id, int index) { return {Step::DoubleClick, id, "", index}; }
    // The focus leaves field `id`.
    static Step Leave(int id) { return {Step::Leave, id, "", 0}; }

    struct Record {
        std::string name, caption;
        std::map<int, std::string> texts, shownTexts;  // at the end, and right after opening
        std::map<int, bool> checked;
        std::map<int, bool> enabled, shownEnabled;
        std::map<int, std::vector<std::string>> items;
        std::map<int, int> selected, shownSelected;
        std::map<int, std::pair<int, int>> ranges;
        int result = -1;
        bool Enabled(int id) const {
            auto i = enabled.find(id);
            return i == enabled.end() || i->second;
        }
        std::string Text(int id) const {
            auto i = texts.find(id);
            return i == texts.end() ? "" : i->second;
        }
        std::string Shown(int id) const {
            auto i = shownTexts.find(id);
            return i == shownTexts.end() ? "" : i->second;
        }
    };
    std::deque<Script> scripts;
    std::vector<Record> runs;

private:
    Dialog* running_ = nullptr;
    DialogRoutine* routine_ = nullptr;

public:

    int Run(const DialogTemplate& t, DialogRoutine routine) override;
    // Clicks `id` of the dialog running now, as a click the window handles in
    // the middle of a long operation; nothing when it is disabled or none runs.
    void Press(int id);
    const Record& Last() const { return runs.back(); }
    // The record of the last run with this caption (the first run when none matches).
    const Record& Find(const std::string& caption) const;
};

// Installs a host for the lifetime of the object (tests).
class ScopedDialogs {
public:
    explicit ScopedDialogs(DialogHost* h) : previous_(InstallDialogs(h)) {}
    ~ScopedDialogs() { InstallDialogs(previous_); }
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

private:
    DialogHost* previous_;
};

}  // namespace ui
