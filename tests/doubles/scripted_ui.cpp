#include "scripted_ui.h"

namespace ui {

namespace {
// An empty script answers the button set's default.
Answer DefaultAnswer(Buttons buttons) {
    return (buttons == Buttons::Ok || buttons == Buttons::OkCancel) ? Answer::Ok : Answer::No;
}
}  // namespace

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

int ScriptedUi::ChooseFile(const FileDialog& dialog, std::string& path) {
    fileDialogs.push_back(dialog);
    if (files.empty()) return 0;
    std::string answer = files.front();
    files.pop_front();
    if (answer.empty()) return 0;
    path = WithDefaultExtension(answer, dialog.defaultExtension);
    return 1;
}

int ScriptedUi::StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    launches.push_back({program, arguments});
    for (const auto& p : programs)
        if (p == program) return 1;
    return 0;
}

int ScriptedUi::ChooseOption(const std::string& caption, const std::vector<std::string>& options, int& choice,
                             int) {
    optionDialogs.push_back({caption, options});
    if (choices.empty() || choices.front() < 0) {
        if (!choices.empty()) choices.pop_front();
        return 0;
    }
    choice = choices.front();
    choices.pop_front();
    return 1;
}

int ScriptedUi::Enabled(int id) const {
    for (auto it = enabled.rbegin(); it != enabled.rend(); ++it)
        if (it->first == id) return it->second ? 1 : 0;
    return -1;
}

}  // namespace ui
