// The desktop program: Qt application, main window, the shell's start-up,
// then the event loop.
//
//   tillory [--desktop | --workdir DIR] [KEYWORDS...] [SCENARIO.ret]
//           [--screenshot FILE.png [--folder N]]
//
// --desktop (as the desktop entry starts it) works in the program's own
// folder under the user's data directory, --workdir in DIR; without either
// the program works in the current folder.
// Keywords (IDON, QUIL, LIGHTER, DARKER, SUMMARY, GRAY, DARKYELLOW) are found
// anywhere in the command line. A scenario file named on the command line is
// opened after start-up. --screenshot grabs the main window showing folder N
// (default: Results) into FILE.png and ends without touching the settings.
#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QSessionManager>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "model/model.h"
#include "shell/shell.h"
#include "ui/qt/dialog_host.h"
#include "ui/qt/folders.h"
#include "ui/qt/modules.h"
#include "ui/qt/qt_ui.h"

namespace {

const char* const usage =
    "Usage: tillory [--desktop | --workdir DIR] [KEYWORDS...] [SCENARIO.ret]\n"
    "               [--screenshot FILE.png [--folder N]]\n"
    "\n"
    "Opens the Tillory desktop program on SCENARIO.ret, or on the plan open last.\n"
    "  --desktop      keep the program's files under the user's data folder\n"
    "  --workdir DIR  keep them in DIR (otherwise the current folder)\n"
    "  --screenshot   draw the window showing folder N into FILE.png and end\n"
    "Keywords: IDON QUIL LIGHTER DARKER SUMMARY GRAY DARKYELLOW.\n"
    "tillory-cli runs, reports and analyses plans without a window.\n";

}  // namespace

int main(int argc, char** argv) {
    // Before the application object, which needs a display.
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
            std::fputs(usage, stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tillory");

    std::string commandLine, scenarioFile, workdir;
    bool desktop = false;
    QString screenshot;
    int folder = FolderResults;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--desktop") {
            desktop = true;
        } else if (arg == "--workdir" && i + 1 < argc) {
            workdir = argv[++i];
        } else if (arg == "--screenshot" && i + 1 < argc) {
            screenshot = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == "--folder" && i + 1 < argc) {
            folder = std::atoi(argv[++i]);
        } else if (QFileInfo(QString::fromLocal8Bit(argv[i])).isFile()) {
            // A path is not searched for keywords: its letters mean nothing.
            // It is taken whole, since the working folder may change below.
            scenarioFile = QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath().toStdString();
        } else {
            commandLine += arg + " ";
        }
    }

    if (!screenshot.isEmpty()) screenshot = QFileInfo(screenshot).absoluteFilePath();
    std::string folderError;
    EnterWorkingFolder(WorkingFolder(workdir, desktop, std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
                       folderError);

    // Every module connects to the shell here, before the window is built.
    qtui::InstallModules();
    qtui::MainWindow window;
    qtui::QtUi screen(&window);
    ui::Install(&screen);
    qtui::QtDialogHost dialogs(&window);
    ui::InstallDialogs(&dialogs);
    StartUpBeforeWindow(commandLine);
    window.show();
    if (!folderError.empty())
        ui::Message(folderError + "\nTillory keeps its files in the current folder instead.", "Working Folder",
                    ui::Buttons::Ok, ui::Icon::Exclamation);
    StartUpWithWindow(scenarioFile);
    // Logging out asks to save and writes the settings as closing does.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, [](QSessionManager& manager) {
        if (shell.closed) return;
        if (manager.allowsInteraction()) {
            if (!CloseMainWindow()) manager.cancel();
            manager.release();
        } else {
            WritePreferences();
            WriteProgramSettings();
        }
    });

    // A Monte Carlo folder is grabbed once its analysis has ended.
    std::function<void()> grab = [&] {
        auto* analysis = window.findChild<qtui::MonteCarloFolder*>();
        if (analysis && analysis->running()) {
            QTimer::singleShot(100, grab);
            return;
        }
        // Complete before it replaces an older picture; a failure is an exit code.
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        const QByteArray format = QFileInfo(screenshot).suffix().toUpper().toLatin1();
        const bool ok = window.grab().save(&buffer, format.isEmpty() ? "PNG" : format.constData()) &&
                        ReplaceFileContent(screenshot.toLocal8Bit().toStdString(),
                                           std::string(bytes.constData(), static_cast<size_t>(bytes.size())), false);
        if (!ok) std::fprintf(stderr, "tillory: cannot write %s\n", screenshot.toLocal8Bit().constData());
        shell.closed = 1;  // no save question, no settings written
        QApplication::exit(ok ? 0 : 1);
    };
    if (!screenshot.isEmpty()) {
        window.resize(860, 640);
        ShowFolder(folder);
        QTimer::singleShot(300, grab);
    }
    int code = app.exec();
    ui::InstallDialogs(nullptr);
    ui::Install(nullptr);
    return code;
}
