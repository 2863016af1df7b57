// The dialog host in use, and the default one that cancels every dialog.
#include "ui/dialog.h"

namespace ui {

namespace {

class NoDialogs : public DialogHost {
public:
    int Run(const DialogTemplate&, DialogRoutine) override { return 0; }
};

NoDialogs noDialogs;
DialogHost* current = &noDialogs;

}  // namespace

DialogHost& Dialogs() { return *current; }

DialogHost* InstallDialogs(DialogHost* host) {
    DialogHost* previous = current == &noDialogs ? nullptr : current;
    current = host ? host : &noDialogs;
    return previous;
}

}  // namespace ui
