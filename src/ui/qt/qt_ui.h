// The Qt 6 Widgets face of the program: the main window with its menus,
// toolbar and folder tabs, the Results folder, the help window, and the
// ui::Ui implementation that the shell talks to. The shell decides; these
// classes only show and forward.
#pragma once

#include <QAbstractListModel>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QWidget>

#include "ui/ui.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTextBrowser;
class QToolBar;

namespace qtui {

// The 16 x 16 toolbar picture of bitmap index `index` (0..23).
QIcon ToolbarIcon(int index);
// The program's icon and the maker's page picture.
QIcon ProgramIcon();
QPixmap MakerPicture(const QSize& size);

// The results list over the projection's line table: no copy of the lines.
class ResultsModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void Reload();
};

// Draws a schedule line: banding, red warning lines, table rows in eight cells.
class ResultsDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ResultsDelegate(QObject* parent, QWidget* sizeFrom);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QWidget* sizeFrom_;
};

// The "Results" folder: the list and its panel of buttons.
class ResultsFolder : public QWidget {
    Q_OBJECT
public:
    explicit ResultsFolder(QWidget* mainWindow);
    void Refill(int selectLine);
    QListView* list() const { return list_; }
    QLineEdit* ageField() const { return age_; }
    QPushButton* button(int id) const { return buttons_.value(id); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Press(int id);
    void FitFont();
    ResultsModel* model_;
    QWidget* header_;
    QListView* list_;
    QLineEdit* age_;
    QCheckBox* detailed_;
    QCheckBox* accounts_;
    QMap<int, QPushButton*> buttons_;
};

// The help: one window showing the program's own HTML pages.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);
    void ShowPage(const QString& page);
    QString currentPage() const { return page_; }

private:
    QTextBrowser* browser_;
    QString page_;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow();
    QAction* action(int command) const { return actions_.value(command); }
    QMenu* fileMenu() const { return fileMenu_; }
    QToolBar* toolbar() const { return toolbar_; }
    QTabBar* tabs() const { return tabs_; }
    ResultsFolder* resultsFolder() const { return results_; }
    HelpWindow* helpWindow();
    QWidget* currentFolder() const;
    int shownFolder() const { return shownFolder_; }

    void SetRecentFiles(const std::vector<std::string>& entries);
    void SetTabs(const std::vector<std::string>& labels, int selected);
    void ShowFolderContent(int tab, int folder);
    void RegisterEditingWindow(int id, QWidget* window) { editingWindows_[id] = window; }
    QWidget* editingWindow(int id) const { return editingWindows_.value(id); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    QAction* CommandAction(int id);
    QWidget* Placeholder(int folder);

    QMap<int, QAction*> actions_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentAnchor_ = nullptr;  // "A&bout..": recent entries go before it
    QList<QAction*> recentActions_;
    QToolBar* toolbar_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    ResultsFolder* results_ = nullptr;
    QMap<int, QWidget*> placeholders_;
    QPointer<HelpWindow> help_;
    QMap<int, QPointer<QWidget>> editingWindows_;
    int shownFolder_ = -1;
};

// ui::Ui over the main window.
class QtUi : public ui::Ui {
public:
    explicit QtUi(MainWindow* window) : window_(window) {}

    ui::Answer Message(const std::string& text, const std::string& caption, ui::Buttons buttons,
                       ui::Icon icon) override;
    void SetWindowTitle(const std::string& title) override;
    void SetMenuItemText(int id, const std::string& text) override;
    void CheckMenuItem(int id, bool checked) override;
    void SetRecentFileMenu(const std::vector<std::string>& entries) override;
    ui::Rect MainWindowRect() override;
    void PrinterDotsPerInch(int& x, int& y) override;
    int ChooseFile(const ui::FileDialog& dialog, std::string& path) override;
    void EnableCommand(int id, bool on) override;
    void SetFolderTabs(const std::vector<std::string>& labels, int selected) override;
    void ShowFolder(int tab, int folder) override;
    void SetWaitCursor(bool on) override;
    int StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    int OpenAddress(const std::string& address) override;
    int ShowHelpPage(const std::string& page) override;
    void RaiseWindow(int id) override;
    void RequestClose() override;
    void SetMainWindowGeometry(const ui::Rect& r, int minWidth, int minHeight) override;
    int ScreenDotsPerInch() override;
    int ChooseOption(const std::string& caption, const std::vector<std::string>& options, int& choice,
                     int helpContext) override;
    void ShowResults(int line) override;
    void WatchForStop(bool on) override;
    bool StopRequested() override;
    void HandlePendingInput() override;

private:
    MainWindow* window_;
    int waitDepth_ = 0;
    int printerDpi_ = 0;
    QObject* stopFilter_ = nullptr;  // on the application while a long operation runs
};

// Qt text from the system's 8-bit text.
QString Text(const std::string& s);

}  // namespace qtui
