// The result folders of the main window: Summary, the graph folders, the
// account list and the Monte Carlo folder. They draw through the results
// module; these widgets only paint and pass the pointer on.
#pragma once

#include <QImage>
#include <QWidget>

#include "results/results.h"

class QLabel;
class QPainter;
class QPrinter;
class QTimer;
class QCheckBox;
class QTableWidget;

namespace qtui {

// "Summary" (three graph quarters and the panel) or one graph folder.
class GraphFolder : public QWidget {
    Q_OBJECT
public:
    GraphFolder(QWidget* parent, int folder);
    void Show(int block);
    int folder() const { return folder_; }
    int block() const { return block_; }
    GraphView& view(int quarter = 0) { return views_[quarter]; }
    // What a printer page or a picture shows of the folder.
    void DrawOn(ui::Painter& p, const ui::Rect& box, const DrawScale& scale);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool Summary() const { return folder_ == FolderSummary; }
    int Quarters() const { return Summary() ? 3 : 1; }
    int CodeOf(int quarter) const;
    // The quarter whose plot (or pie) holds the point, -1 for none.
    int QuarterAt(QPoint pos) const;
    int folder_;
    int block_ = 0;
    GraphView views_[3];
    PlotArea plots_[3];
    PieArea pies_[3];
    QString readOut_;
    QPoint readOutAt_;
};

// "Accounts": the account list with its totals.
class AccountsFolder : public QWidget {
    Q_OBJECT
public:
    explicit AccountsFolder(QWidget* parent);
    void Refill();
    QTableWidget* table() const { return table_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitColumns();
    QTableWidget* table_;
    QLabel* count_;
    QLabel* total_;
    QCheckBox* order_ = nullptr;
};

// "Monte Carlo Analysis": runs the analysis whenever it is shown and draws
// each curve as it comes, into a picture that repaints keep.
class MonteCarloFolder : public QWidget {
    Q_OBJECT
public:
    explicit MonteCarloFolder(QWidget* parent);
    // Runs the analysis now (the window stays responsive meanwhile).
    void Run();
    bool running() const { return running_; }
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static void Refresh(void* context);
    QImage picture_;
    bool running_ = false;
    QTimer* resized_;
};

// The folder widget of a shell folder code (nullptr for the folders drawn
// elsewhere), and the rebuild when its tab is selected.
QWidget* CreateResultFolder(QWidget* parent, int folder);
void RefreshResultFolder(QWidget* page, int tab);
// Draws what the folder `page` shows onto a printer page (or any device)
// inside `area`, with the printed curve widths; the Monte Carlo folder runs
// its analysis on the page and writes no stats.dat. Returns 1 when the
// folder is one of these and was drawn.
int DrawFolderOnPage(QWidget* page, QPainter& painter, const QRect& area);
// Prints the graph folder shown last onto `printer`, one page, in the
// Scenario's margins and the printed graph's face. Returns 1 when printed.
int PrintShownGraph(QPrinter& printer);
// Installs "Print Current Graph" (the menu item and the toolbar button).
void InstallFolderCommands();

}  // namespace qtui
