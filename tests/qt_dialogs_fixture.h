// The editing dialogs as real Qt windows over the scripted ui: the Qt dialog
// host installed for each test, and helpers that act on a dialog once shown.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "dialogs_fixture.h"
#include "qt_fixture.h"
#include "ui/qt/dialog_host.h"
#include "ui/qt/modules.h"
#include "scripted_dialogs.h"
#include "scripted_ui.h"

class QtDialogs : public DialogsTest {
protected:
    std::unique_ptr<qtui::MainWindow> window;
    std::unique_ptr<qtui::QtDialogHost> host;
    std::unique_ptr<ui::ScopedDialogs> installed;

    void SetUp() override {
        DialogsTest::SetUp();
        qtui::InstallModules();
        window = std::make_unique<qtui::MainWindow>();
        host = std::make_unique<qtui::QtDialogHost>(window.get());
        installed = std::make_unique<ui::ScopedDialogs>(host.get());
    }
    void TearDown() override {
        installed.reset();
        shell.closed = 1;
        window.reset();
        DialogsTest::TearDown();
    }
    // Runs `act` on the dialog shown once `is` picks it.
    static void WhenShownMatching(std::function<bool(qtui::TemplateDialog*)> is,
                                  std::function<void(qtui::TemplateDialog*)> act) {
        QTimer::singleShot(0, [is, act] {
            qtui::TemplateDialog* d = qtui::QtDialogHost::Current();
            if (!d || !d->isVisible() || !is(d)) {
                WhenShownMatching(is, act);
                return;
            }
            act(d);
        });
    }
    // Runs `act` on the dialog once it is shown.
    static void WhenShown(std::function<void(qtui::TemplateDialog*)> act) {
        WhenShownMatching([](qtui::TemplateDialog*) { return true; }, act);
    }
    // Runs `act` on the dialog captioned `title` once it is shown.
    static void WhenShownTitled(const QString& title, std::function<void(qtui::TemplateDialog*)> act) {
        WhenShownMatching([title](qtui::TemplateDialog* d) { return d->windowTitle() == title; }, act);
    }
    // The caption shown beside a field.
    static QLabel* LabelOf(qtui::TemplateDialog* d, int id) {
        for (QLabel* l : d->findChildren<QLabel*>())
            if (l->buddy() == d->control(id)) return l;
        return nullptr;
    }
    static QPushButton* Button(qtui::TemplateDialog* d, int id) { return qobject_cast<QPushButton*>(d->control(id)); }
    static QLineEdit* Edit(qtui::TemplateDialog* d, int id) { return qobject_cast<QLineEdit*>(d->control(id)); }
    static void TypeInto(qtui::TemplateDialog* d, int id, const QString& text) {
        QLineEdit* e = Edit(d, id);
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    // Saved into TILLORY_DIALOG_PICTURES, or TILLORY_SCREENSHOTS, when set.
    static void Picture(qtui::TemplateDialog* d, const char* name) {
        QByteArray folder = qgetenv("TILLORY_DIALOG_PICTURES");
        if (folder.isEmpty()) folder = qgetenv("TILLORY_SCREENSHOTS");
        if (folder.isEmpty()) return;
        d->adjustSize();
        d->grab().save(QString::fromLocal8Bit(folder) + "/" + name);
    }
};
