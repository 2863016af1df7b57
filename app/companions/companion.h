// What the five companion programs share: the chart panel over QPainter
// (legend toggles, age window by dragging, read-out), the window with Print
// and Save Picture, the --export picture and the command line.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "companions/charts.h"

class QLabel;

namespace companion {

// Draws a whole picture into `box` on a painter; charts report their areas
// so the panel can hit-test them.
using PaintRoutine = std::function<void(ui::Painter& p, const ui::Rect& box)>;

// The charts in a grid of `columns` columns, each `panelHeight` high (0: the
// whole height for one row).
class ChartPanel : public QWidget {
    Q_OBJECT
public:
    explicit ChartPanel(QWidget* parent = nullptr);
    void SetCharts(std::vector<companions::Chart> charts, int columns, int panelHeight);
    std::vector<companions::Chart>& charts() { return charts_; }
    // Boxes of the charts in a picture `width` x `height`.
    std::vector<ui::Rect> Boxes(int width, int height) const;
    int PictureHeight(int width) const;
    // Paints every chart (with its view) into a painter of that size.
    void PaintCharts(ui::Painter& p, int width, int height, std::vector<companions::ChartArea>* areas) const;
    void ResetWindows();

signals:
    void ReadOut(const QString& text);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    int ChartAt(int x, int y) const;
    std::vector<companions::Chart> charts_;
    std::vector<companions::ChartView> views_;
    std::vector<companions::ChartArea> areas_;
    int columns_ = 1, panelHeight_ = 0;
    int dragChart_ = -1, dragFrom_ = -1, dragTo_ = -1;
};

// The font every companion picture uses, so files look alike everywhere.
QFont PictureFont();
// Writes `bytes` to `path` complete-then-replace (synced: the person keeps
// it). Returns "" on success, else the reason; the old file then stays.
QString WriteWholeFile(const QString& path, const QByteArray& bytes);
// Renders `paint` into a picture of `size`: the file's ending picks PNG, SVG
// or PDF. Returns "" on success, else the reason.
QString ExportPicture(const QString& path, QSize size, const PaintRoutine& paint);
// Prints the picture on a chosen printer, fitted to the page.
void PrintPicture(QWidget* parent, QSize size, const PaintRoutine& paint);

// A window around `central`: File menu with Save Picture..., Print... and
// Close; the read-out in the status bar.
class CompanionWindow : public QMainWindow {
    Q_OBJECT
public:
    CompanionWindow(const QString& title, QWidget* central, std::function<QSize()> pictureSize, PaintRoutine paint);
    QLabel* readOut() const { return readOut_; }
    // Adds a command to the File menu before Close.
    QAction* AddFileCommand(const QString& text, std::function<void()> run);

private:
    QLabel* readOut_;
    QMenu* file_;
    QAction* close_;
};

// The command line: "--export OUT" and the rest, or a usage error (then
// `error` says why).
struct Arguments {
    QStringList files;
    QString exportPath;
    QString csvPath;  // kvcomp only
    QString todaysDollars;  // kvplot3: "--todays-dollars AGE:F0,F1,..."
};
struct Usage {
    const char* program;
    const char* line;      // "kvplot3 FILE [--export ...]"
    const char* expected;  // what a wrong file count is told
    int minFiles, maxFiles;
    bool csv = false;
    bool todaysDollars = false;  // takes "--todays-dollars AGE:F0,F1,..."
};
// 1 when the command line fits `usage`; otherwise the reason and the usage
// line are on standard error and the program ends with status 1.
int ParseArguments(int argc, char** argv, const Usage& usage, Arguments& args);
// Before the application exists: a picture-only run needs no display.
void PrepareForExport(int argc, char** argv);
// kvtplot and kvref: the curves of one graph file.
int RunCurveProgram(int argc, char** argv, const char* program, const char* heading, const char* columnWord);

// Reports a bad input: on standard error, and in a message box when a window
// would have opened. Returns 1, the exit status.
int Fail(const std::string& text, bool windowed);

}  // namespace companion
