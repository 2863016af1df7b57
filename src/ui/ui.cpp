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

int Ui::ChooseFile(const FileDialog&, std::string&) { return 0; }

std::string WithDefaultExtension(const std::string& path, const std::string& defaultExtension) {
    if (path.empty() || defaultExtension.empty()) return path;
    size_t slash = path.find_last_of("/\\");
    size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return path;
    return path + "." + defaultExtension;
}

int ConsoleUi::ChooseFile(const FileDialog& dialog, std::string& path) {
    if (filePath.empty()) return 0;
    path = WithDefaultExtension(filePath, dialog.defaultExtension);
    return 1;
}

// The console cannot start desktop programs; it says what would have run.
int ConsoleUi::StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    std::string line = program;
    for (const auto& a : arguments) line += " " + a;
    std::fprintf(stderr, "not started: %s\n", line.c_str());
    return 0;
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
