// ui::Ui for the desktop: message boxes, file dialogs, the option dialog,
// program starts and addresses, all in Qt.
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>
#include <QPrinter>

#include "shell/shell.h"
#include "ui/qt/qt_ui.h"

namespace qtui {

ui::Answer QtUi::Message(const std::string& text, const std::string& caption, ui::Buttons buttons,
                         ui::Icon icon) {
    QMessageBox box(window_->isVisible() ? window_ : nullptr);
    box.setWindowTitle(Text(caption));
    box.setText(Text(text));
    box.setWindowModality(Qt::ApplicationModal);
    switch (icon) {
        case ui::Icon::Stop: box.setIcon(QMessageBox::Critical); break;
        case ui::Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case ui::Icon::Question: box.setIcon(QMessageBox::Question); break;
        case ui::Icon::Information: box.setIcon(QMessageBox::Information); break;
        case ui::Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    }
    switch (buttons) {
        case ui::Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case ui::Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case ui::Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case ui::Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    int r = box.exec();
    switch (r) {
        case QMessageBox::Yes: return ui::Answer::Yes;
        case QMessageBox::No: return ui::Answer::No;
        case QMessageBox::Cancel: return ui::Answer::Cancel;
        case QMessageBox::Ok: return ui::Answer::Ok;
        default:
            // Closed with Escape or the title bar: the least committing answer.
            if (buttons == ui::Buttons::YesNo) return ui::Answer::No;
            if (buttons == ui::Buttons::Ok) return ui::Answer::Ok;
            return ui::Answer::Cancel;
    }
}

void QtUi::SetWindowTitle(const std::string& title) { window_->setWindowTitle(Text(title)); }

void QtUi::SetMenuItemText(int id, const std::string& text) {
    if (QAction* a = window_->action(id)) a->setText(Text(text));
}

void QtUi::CheckMenuItem(int id, bool checked) {
    if (QAction* a = window_->action(id)) {
        a->setCheckable(checked || a->isCheckable());
        a->setChecked(checked);
    }
}

void QtUi::SetRecentFileMenu(const std::vector<std::string>& entries) { window_->SetRecentFiles(entries); }

// The frame's position with the window's own size: the same pair that
// SetMainWindowGeometry takes, so a stored placement comes back unchanged
// however large the desktop's window frame is.
ui::Rect QtUi::MainWindowRect() {
    QPoint p = window_->pos();
    return {p.x(), p.y(), p.x() + window_->width(), p.y() + window_->height()};
}

void QtUi::PrinterDotsPerInch(int& x, int& y) {
    // Asked at every open and save; the printer system is asked only once.
    if (printerDpi_ == 0) {
        printerDpi_ = 600;
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (!info.isNull()) printerDpi_ = QPrinter(info, QPrinter::HighResolution).resolution();
    }
    x = y = printerDpi_;
}

int QtUi::ChooseFile(const ui::FileDialog& d, std::string& path) {
    QFileDialog dialog(window_, Text(d.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Overwrite questions are the system's own (Save As, Write Accounts).
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const auto& f : d.filters) {
        QString description = Text(f.description);
        QString pattern = Text(f.pattern);
        // Show the description as given; match the pattern in either case.
        filters << (description.contains("(" + pattern + ")", Qt::CaseInsensitive)
                        ? description
                        : description + " (" + pattern + ")");
    }
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!d.defaultExtension.empty()) dialog.setDefaultSuffix(Text(d.defaultExtension));
    dialog.setDirectory(d.directory.empty() ? QDir::currentPath() : Text(d.directory));
    dialog.setAcceptMode(d.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(d.save ? QFileDialog::AnyFile : d.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return 0;
    path = dialog.selectedFiles().front().toLocal8Bit().toStdString();
    path = ui::WithDefaultExtension(path, d.defaultExtension);
    return 1;
}

void QtUi::EnableCommand(int id, bool on) {
    if (QAction* a = window_->action(id)) a->setEnabled(on);
}

void QtUi::SetFolderTabs(const std::vector<std::string>& labels, int selected) { window_->SetTabs(labels, selected); }

void QtUi::ShowFolder(int tab, int folder) { window_->ShowFolderContent(tab, folder); }

void QtUi::SetWaitCursor(bool on) {
    if (on) {
        if (waitDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (waitDepth_ > 0 && --waitDepth_ == 0) {
        QApplication::restoreOverrideCursor();
    }
}

int QtUi::StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    QStringList args;
    for (const auto& a : arguments) args << Text(a);
    return QProcess::startDetached(Text(program), args, QDir::currentPath()) ? 1 : 0;
}

int QtUi::OpenAddress(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(Text(address))) ? 1 : 0;
}

int QtUi::ShowHelpPage(const std::string& page) {
    HelpWindow* help = window_->helpWindow();
    // A dialog's Help button: a window of the main window would open behind
    // the modal dialog and be blocked by it, so the page belongs to the
    // dialog while it is open and goes back to the main window after.
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        dialog && help->parentWidget() != dialog) {
        help->setParent(dialog, Qt::Window);
        QObject::connect(dialog, &QDialog::finished, help, [help, main = window_, dialog] {
            if (help->parentWidget() != dialog) return;
            const bool shown = help->isVisible();
            help->setParent(main, Qt::Window);
            if (shown) help->show();
        });
    }
    help->ShowPage(Text(page));
    return 1;
}

void QtUi::RaiseWindow(int id) {
    if (QWidget* w = window_->editingWindow(id)) {
        w->show();
        w->raise();
        w->activateWindow();
    }
}

void QtUi::RequestClose() { window_->close(); }

void QtUi::SetMainWindowGeometry(const ui::Rect& r, int minWidth, int minHeight) {
    window_->setMinimumSize(minWidth, minHeight);
    window_->resize(std::max(r.right - r.left, minWidth), std::max(r.bottom - r.top, minHeight));
    window_->move(r.left, r.top);
}

int QtUi::ScreenDotsPerInch() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
}

int QtUi::ChooseOption(const std::string& caption, const std::vector<std::string>& options, int& choice,
                       int helpContext) {
    QDialog dialog(window_);
    dialog.setWindowTitle(Text(caption));
    // Window-modal, so that the help window it opens still takes input.
    dialog.setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(&dialog);
    auto* group = new QButtonGroup(&dialog);
    for (int i = 0; i < static_cast<int>(options.size()); ++i) {
        auto* radio = new QRadioButton(Text(options[i]), &dialog);
        group->addButton(radio, i);
        layout->addWidget(radio);
        if (i == choice) radio->setChecked(true);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help,
                                         &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, &dialog,
                     [helpContext] { Help(HelpContext, helpContext); });
    if (dialog.exec() != QDialog::Accepted || group->checkedId() < 0) return 0;
    choice = group->checkedId();
    return 1;
}

void QtUi::ShowResults(int line) {
    if (window_->shownFolder() == FolderResults) window_->resultsFolder()->Refill(line);
}

namespace {

// While a long operation runs inside the window's event handling, Escape
// (or closing the window) asks it to stop, and the rest of the person's
// input is dropped rather than started in the middle of it.
class StopFilter : public QObject {
public:
    explicit StopFilter(QWidget* window) : QObject(window), window_(window) {}
    bool stop = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
                if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) stop = true;
                return true;
            case QEvent::Close:
                if (watched != window_) return false;
                stop = true;
                event->ignore();
                return true;
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::ContextMenu:
                return true;
            default:
                return false;
        }
    }

private:
    QWidget* window_;
};

}  // namespace

void QtUi::WatchForStop(bool on) {
    if (on && !stopFilter_) {
        stopFilter_ = new StopFilter(window_);
        qApp->installEventFilter(stopFilter_);
    } else if (!on && stopFilter_) {
        qApp->removeEventFilter(stopFilter_);
        delete stopFilter_;
        stopFilter_ = nullptr;
    }
}

bool QtUi::StopRequested() { return stopFilter_ && static_cast<StopFilter*>(stopFilter_)->stop; }

void QtUi::HandlePendingInput() { QCoreApplication::processEvents(); }

}  // namespace qtui
