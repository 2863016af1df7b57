// A dialog without a window: its fields held as text and check marks, so
// that a dialog's checks can run where nothing is shown (the command line).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/dialog.h"

namespace ui {

class FieldsDialog : public Dialog {
public:
    std::string Text(int id) override { return texts[id]; }
    void SetText(int id, const std::string& text) override { texts[id] = text; }
    bool Checked(int id) override { return checked[id]; }
    void SetChecked(int id, bool on) override { checked[id] = on; }
    void Enable(int, bool) override {}
    bool Enabled(int) override { return true; }
    void SetItems(int, const std::vector<std::string>&) override {}
    int Selected(int) override { return -1; }
    void Select(int, int) override {}
    void SetRange(int, int, int) override {}
    void End(int) override {}

    std::map<int, std::string> texts;
    std::map<int, bool> checked;
};

}  // namespace ui
