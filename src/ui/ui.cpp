#include "ui/ui.h"

#include <cstdio>

namespace ui {

namespace {
ConsoleUi& Console() {
    static ConsoleUi console;
    return console;
}
Ui* installed = nullptr;

Answer DefaultAnswer(Buttons buttons) {
    return (buttons == Buttons::Ok || buttons == Buttons::OkCancel) ? Answer::Ok : Answer::No;
}
}  // namespace

Ui& Current() { return installed ? *installed : Console(); }

Ui* Install(Ui* u) {
    Ui* previous = installed;
    installed = u;
    return previous;
}

Answer ConsoleUi::Message(const std::string& text, const std::string& caption, Buttons buttons,
                          Icon) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    if (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel)
        return answerYes ? Answer::Yes : Answer::No;
    return Answer::Ok;
}

void ConsoleUi::SetWindowTitle(const std::string& t) { title = t; }

Answer ScriptedUi::Message(const std::string& text, const std::string& caption, Buttons buttons,
                           Icon icon) {
    messages.push_back({text, caption, buttons, icon});
    if (buttons == Buttons::Ok) return Answer::Ok;
    if (answers.empty()) return DefaultAnswer(buttons);
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::string ScriptedUi::MenuText(int id) const {
    for (auto it = menuTexts.rbegin(); it != menuTexts.rend(); ++it)
        if (it->first == id) return it->second;
    return "";
}

}  // namespace ui
