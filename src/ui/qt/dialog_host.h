// Dialog templates shown as Qt dialogs: labelled fields in columns, the
// buttons in a row at the bottom, Tab order the field order, Enter pressing
// OK and Escape (or the close button) Cancel.
#pragma once

#include <QDialog>
#include <QMap>

#include "ui/dialog.h"

namespace qtui {

class MainWindow;

// The window of one template; the routine sees it through ui::Dialog.
class TemplateDialog : public QDialog, public ui::Dialog {
    Q_OBJECT
public:
    TemplateDialog(QWidget* parent, const ui::DialogTemplate& t, ui::DialogRoutine routine);
    QWidget* control(int id) const { return controls_.value(id); }

    std::string Text(int id) override;
    void SetText(int id, const std::string& text) override;
    bool Checked(int id) override;
    void SetChecked(int id, bool on) override;
    void Enable(int id, bool on) override;
    bool Enabled(int id) override;
    void SetItems(int id, const std::vector<std::string>& items) override;
    int Selected(int id) override;
    void Select(int id, int index) override;
    void SetRange(int id, int low, int high) override;
    void Focus(int id) override;
    void End(int result) override;
    void Send(int message, int id);

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* Make(const ui::Control& c, QWidget* parent);
    ui::DialogRoutine routine_;
    bool modeless_;
    bool leaveMessages_;
    bool ended_ = false;
    QMap<int, QWidget*> controls_;
    QMap<int, QWidget*> labels_;  // the caption beside a field, greyed with it
    // A List's column alignment and width shares, from its template.
    struct ListLook {
        std::string align;
        std::vector<int> shares;
    };
    QMap<int, ListLook> listLooks_;
};

class QtDialogHost : public ui::DialogHost {
public:
    explicit QtDialogHost(MainWindow* window) : window_(window) {}
    int Run(const ui::DialogTemplate& t, ui::DialogRoutine routine) override;
    // The dialog shown last (tests drive it).
    static TemplateDialog* Current();

private:
    MainWindow* window_;
};

}  // namespace qtui
