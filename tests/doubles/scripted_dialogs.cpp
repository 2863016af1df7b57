#include "scripted_dialogs.h"

namespace ui {

namespace {

// One scripted window: control state kept in the run's record.
class ScriptedDialog : public Dialog {
public:
    ScriptedDialog(std::vector<ScriptedDialogs::Record>& runs, size_t index) : runs_(runs), index_(index) {}
    ScriptedDialogs::Record& R() { return runs_[index_]; }
    std::string Text(int id) override { return R().texts[id]; }
    void SetText(int id, const std::string& text) override { R().texts[id] = text; }
    bool Checked(int id) override { return R().checked[id]; }
    void SetChecked(int id, bool on) override { R().checked[id] = on; }
    void Enable(int id, bool on) override { R().enabled[id] = on; }
    bool Enabled(int id) override { return R().Enabled(id); }
    void SetItems(int id, const std::vector<std::string>& items) override {
        R().items[id] = items;
        R().selected[id] = -1;
    }
    int Selected(int id) override {
        auto i = R().selected.find(id);
        return i == R().selected.end() ? -1 : i->second;
    }
    void Select(int id, int index) override { R().selected[id] = index; }
    void SetRange(int id, int low, int high) override { R().ranges[id] = {low, high}; }
    void End(int result) override {
        R().result = result;
        ended = true;
    }
    bool ended = false;

private:
    std::vector<ScriptedDialogs::Record>& runs_;
    size_t index_;
};

// A radio button clears the others of its group: its run of neighbours.
void CheckRadio(Dialog& d, const DialogTemplate& t, size_t k) {
    size_t first = k, last = k;
    while (first > 0 && t.controls[first - 1].kind == ControlKind::Radio) --first;
    while (last + 1 < t.controls.size() && t.controls[last + 1].kind == ControlKind::Radio) ++last;
    for (size_t i = first; i <= last; ++i) d.SetChecked(t.controls[i].id, i == k);
}

}  // namespace

int ScriptedDialogs::Run(const DialogTemplate& t, DialogRoutine routine) {
    Script script;
    if (!scripts.empty()) {
        script = scripts.front();
        scripts.pop_front();
    }
    size_t index = runs.size();
    runs.emplace_back();
    runs[index].name = t.name;
    runs[index].caption = t.caption;
    for (const auto& c : t.controls)
        if (c.kind == ControlKind::Label || c.kind == ControlKind::Button || c.kind == ControlKind::Check ||
            c.kind == ControlKind::Radio)
            runs[index].texts[c.id] = c.text;
    ScriptedDialog d(runs, index);
    Dialog* outerDialog = running_;
    DialogRoutine* outerRoutine = routine_;
    running_ = &d;
    routine_ = &routine;
    routine(d, DialogOpen, 0);
    runs[index].shownTexts = runs[index].texts;
    runs[index].shownEnabled = runs[index].enabled;
    runs[index].shownSelected = runs[index].selected;
    for (const auto& s : script) {
        if (d.ended) break;
        // A disabled control takes no input, as on the screen.
        if (!d.Enabled(s.id)) continue;
        switch (s.kind) {
            case Step::Type: d.SetText(s.id, s.text); break;
            case Step::Click:
                for (size_t k = 0; k < t.controls.size(); ++k) {
                    const Control& c = t.controls[k];
                    if (c.id != s.id) continue;
                    if (c.kind == ControlKind::Check) d.SetChecked(s.id, !d.Checked(s.id));
                    if (c.kind == ControlKind::Radio) CheckRadio(d, t, k);
                }
                routine(d, DialogCommand, s.id);
                break;
            case Step::Choose:
                d.Select(s.id, s.index);
                routine(d, DialogCommand, s.id);
                break;
            case Step::DoubleClick:
                d.Select(s.id, s.index);
                routine(d, DialogDoubleClick, s.id);
                break;
            case Step::Leave: routine(d, DialogLeave, s.id); break;
        }
    }
    if (!d.ended) routine(d, DialogCommand, IdCancel);
    if (!d.ended) d.End(0);
    running_ = outerDialog;
    routine_ = outerRoutine;
    return runs[index].result;
}

void ScriptedDialogs::Press(int id) {
    if (running_ && running_->Enabled(id)) (*routine_)(*running_, DialogCommand, id);
}

const ScriptedDialogs::Record& ScriptedDialogs::Find(const std::string& caption) const {
    for (size_t i = runs.size(); i-- > 0;)
        if (runs[i].caption == caption) return runs[i];
    return runs.front();
}

}  // namespace ui
