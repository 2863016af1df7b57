// Tests of the Qt face on the offscreen platform: one application for the
// whole test program, and a main window over a fresh shell for each test.
#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>

#include "shell_fixture.h"
#include "ui/qt/modules.h"
#include "ui/qt/qt_ui.h"
#include "scripted_ui.h"

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tillory_qt_test";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QApplication> app;
};

class QtWindowTest : public ShellTest {
protected:
    std::unique_ptr<qtui::MainWindow> window;
    std::unique_ptr<qtui::QtUi> qui;
    std::unique_ptr<ui::ScopedUi> installed;

    void SetUp() override {
        ShellTest::SetUp();
        qtui::InstallModules();
        window = std::make_unique<qtui::MainWindow>();
        qui = std::make_unique<qtui::QtUi>(window.get());
    }
    void TearDown() override {
        installed.reset();
        shell.closed = 1;  // let the window go without the close question
        window.reset();
        ShellTest::TearDown();
    }
    // Runs `answer` on the next modal window once it is shown.
    static void AnswerModal(std::function<void(QWidget*)> answer) {
        QTimer::singleShot(0, [answer] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w) {
                AnswerModal(answer);
                return;
            }
            answer(w);
        });
    }
    // Start-up as the program makes it, with `scenarioFile` opened after it.
    void StartWindow(const std::string& scenarioFile = "") {
        installed = std::make_unique<ui::ScopedUi>(qui.get());
        StartUpBeforeWindow("");
        window->show();
        StartUpWithWindow(scenarioFile);
    }
};
