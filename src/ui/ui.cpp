#include "ui/ui.h"

#include <chrono>
#include <cstdio>

namespace ui {

namespace {
ConsoleUi& Console() {
    static ConsoleUi console;
    return console;
}
Ui* installed = nullptr;
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

int Ui::ChooseFile(const FileDialog&, std::string&) { return 0; }

long long Ui::Milliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

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

}  // namespace ui
