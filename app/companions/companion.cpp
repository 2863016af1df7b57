// The companion programs' shared window, panel, pictures and command line.
#include "companion.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QSvgGenerator>
#include <QFileDialog>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/model.h"
#include "ui/qt/painter.h"

namespace companion {

// ---- Panel ------------------------------------------------------------------------

ChartPanel::ChartPanel(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(480, 320);
    setAutoFillBackground(true);
}

void ChartPanel::SetCharts(std::vector<companions::Chart> charts, int columns, int panelHeight) {
    charts_ = std::move(charts);
    views_.assign(charts_.size(), companions::ChartView{});
    // The areas belong to the charts drawn last; until the next paint there are none.
    areas_.clear();
    dragChart_ = dragFrom_ = dragTo_ = -1;
    columns_ = columns < 1 ? 1 : columns;
    panelHeight_ = panelHeight;
    if (panelHeight_ > 0) setMinimumHeight(PictureHeight(width()));
    update();
}

void ChartPanel::ResetWindows() {
    for (auto& v : views_) v.windowOn = 0;
    update();
}

std::vector<ui::Rect> ChartPanel::Boxes(int width, int height) const {
    std::vector<ui::Rect> boxes;
    int n = static_cast<int>(charts_.size());
    int columns = std::min(columns_, std::max(1, n));
    int rows = (n + columns - 1) / columns;
    int cellWidth = width / columns;
    int cellHeight = panelHeight_ > 0 ? panelHeight_ : (rows ? height / rows : height);
    for (int i = 0; i < n; ++i) {
        int c = i % columns, r = i / columns;
        // Room for the frame's shadow inside the cell.
        boxes.push_back({c * cellWidth + 8, r * cellHeight + 8, (c + 1) * cellWidth - 10, (r + 1) * cellHeight - 10});
    }
    return boxes;
}

int ChartPanel::PictureHeight(int) const {
    int n = static_cast<int>(charts_.size());
    int columns = std::min(columns_, std::max(1, n));
    int rows = (n + columns - 1) / columns;
    return panelHeight_ > 0 ? std::max(1, rows) * panelHeight_ : 600;
}

void ChartPanel::PaintCharts(ui::Painter& p, int width, int height,
                             std::vector<companions::ChartArea>* areas) const {
    std::vector<ui::Rect> boxes = Boxes(width, height);
    if (areas) areas->clear();
    for (size_t i = 0; i < charts_.size(); ++i) {
        companions::ChartArea a = companions::DrawChart(p, boxes[i], charts_[i], views_[i], DrawScale{});
        if (areas) areas->push_back(std::move(a));
    }
}

void ChartPanel::paintEvent(QPaintEvent*) {
    QPainter q(this);
    q.fillRect(rect(), QColor(192, 192, 192));
    q.setFont(PictureFont());
    qtui::QtPainter p(&q);
    PaintCharts(p, width(), height(), &areas_);
    // The columns being dragged over, shaded.
    if (dragChart_ >= 0 && dragChart_ < static_cast<int>(areas_.size()) && dragFrom_ >= 0 && dragTo_ >= 0) {
        const PlotArea& a = areas_[static_cast<size_t>(dragChart_)].plot;
        int lo = std::min(dragFrom_, dragTo_) - a.firstRow, hi = std::max(dragFrom_, dragTo_) - a.firstRow;
        int left = a.left + static_cast<int>(lo * a.yearWidth), right = a.left + static_cast<int>((hi + 1) * a.yearWidth);
        q.fillRect(QRect(QPoint(left, a.top), QPoint(right, a.bottom)), QColor(0, 0, 255, 40));
    }
}

int ChartPanel::ChartAt(int x, int y) const {
    for (size_t i = 0; i < areas_.size() && i < charts_.size(); ++i) {
        if (companions::LegendEntryAt(areas_[i], x, y) >= 0) return static_cast<int>(i);
        if (InsidePlot(areas_[i].plot, x, y)) return static_cast<int>(i);
    }
    return -1;
}

void ChartPanel::mousePressEvent(QMouseEvent* e) {
    int x = e->position().toPoint().x(), y = e->position().toPoint().y();
    int i = ChartAt(x, y);
    if (i < 0 || e->button() != Qt::LeftButton) return;
    auto& area = areas_[static_cast<size_t>(i)];
    int entry = companions::LegendEntryAt(area, x, y);
    if (entry >= 0 && entry < static_cast<int>(charts_[static_cast<size_t>(i)].curves.size())) {
        // The legend turns its curve on and off.
        auto& curve = charts_[static_cast<size_t>(i)].curves[static_cast<size_t>(entry)];
        curve.shown = !curve.shown;
        update();
        return;
    }
    dragChart_ = i;
    dragFrom_ = dragTo_ = companions::ColumnAt(area, x);
}

void ChartPanel::mouseMoveEvent(QMouseEvent* e) {
    int x = e->position().toPoint().x(), y = e->position().toPoint().y();
    if (dragChart_ >= 0) {
        int col = companions::ColumnAt(areas_[static_cast<size_t>(dragChart_)], x);
        if (col >= 0 && col != dragTo_) {
            dragTo_ = col;
            update();
        }
    }
    int i = ChartAt(x, y);
    emit ReadOut(i >= 0 ? QString::fromStdString(companions::ChartReadOut(charts_[static_cast<size_t>(i)],
                                                                          areas_[static_cast<size_t>(i)], x, y))
                        : QString());
}

void ChartPanel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || dragChart_ < 0) return;
    // A drag over two columns or more is the age window; a click is nothing.
    if (dragFrom_ >= 0 && dragTo_ >= 0 && dragFrom_ != dragTo_)
        companions::DragWindow(views_[static_cast<size_t>(dragChart_)], dragFrom_, dragTo_);
    dragChart_ = dragFrom_ = dragTo_ = -1;
    update();
}

void ChartPanel::mouseDoubleClickEvent(QMouseEvent* e) {
    int i = ChartAt(e->position().toPoint().x(), e->position().toPoint().y());
    if (i < 0) return;
    if (e->button() == Qt::RightButton) {
        // As on the graph folders: lines and bars in turn.
        auto& c = charts_[static_cast<size_t>(i)];
        c.style = c.style == StyleLines ? StyleBars : StyleLines;
    } else {
        views_[static_cast<size_t>(i)].windowOn = 0;  // back to the whole plan
    }
    update();
}

void ChartPanel::resizeEvent(QResizeEvent*) {
    if (panelHeight_ > 0) setMinimumHeight(PictureHeight(width()));
}

// ---- Pictures -----------------------------------------------------------------------

QFont PictureFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    return f;
}

namespace {

void Render(QPainter& q, QSize size, const PaintRoutine& paint) {
    q.fillRect(QRect(QPoint(0, 0), size), QColor(192, 192, 192));
    q.setFont(PictureFont());
    qtui::QtPainter p(&q);
    paint(p, ui::Rect{0, 0, size.width(), size.height()});
}

}  // namespace

QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
    std::string why;
    if (ReplaceFileContent(path.toLocal8Bit().toStdString(), std::string(bytes.constData(), bytes.size()), false, &why))
        return QString();
    return "Cannot write " + path + (why.empty() ? QString() : "\n\n" + QString::fromStdString(why));
}

QString ExportPicture(const QString& path, QSize size, const PaintRoutine& paint) {
    // Drawn into memory first: the file is replaced only by a complete picture.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "png") {
        QImage image(size, QImage::Format_RGB32);
        QPainter q(&image);
        Render(q, size, paint);
        q.end();
        if (!image.save(&buffer, "PNG")) return "Cannot write " + path;
    } else if (suffix == "svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QFileInfo(path).completeBaseName());
        QPainter q;
        if (!q.begin(&svg)) return "Cannot write " + path;
        Render(q, size, paint);
        if (!q.end()) return "Cannot write " + path;
    } else if (suffix == "pdf") {
        {
            QPdfWriter pdf(&buffer);
            pdf.setResolution(72);
            pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter q;
            if (!q.begin(&pdf)) return "Cannot write " + path;
            Render(q, size, paint);
            if (!q.end()) return "Cannot write " + path;
        }
    } else {
        return "Cannot save " + path + ": the name must end in .png, .svg or .pdf";
    }
    buffer.close();
    return WriteWholeFile(path, bytes);
}

void PrintPicture(QWidget* parent, QSize size, const PaintRoutine& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(size.width() > size.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    // Drawn at three times the screen size, then fitted to the page.
    QImage image(size * 3, QImage::Format_RGB32);
    {
        QPainter q(&image);
        q.scale(3, 3);
        Render(q, size, paint);
    }
    QPainter q;
    if (!q.begin(&printer)) {
        QMessageBox::critical(parent, "Print", "Invalid Printer");
        return;
    }
    QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    page.moveTo(0, 0);
    QSize fitted = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    q.drawImage(QRect(QPoint(0, 0), fitted), image);
}

// ---- Window ---------------------------------------------------------------------------

CompanionWindow::CompanionWindow(const QString& title, QWidget* central, std::function<QSize()> pictureSize,
                                 PaintRoutine paint) {
    setWindowTitle(title);
    setCentralWidget(central);
    readOut_ = new QLabel(this);
    statusBar()->addWidget(readOut_, 1);
    file_ = menuBar()->addMenu("&File");
    QAction* save = file_->addAction("&Save Picture...");
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, [this, pictureSize, paint] {
        QString path = QFileDialog::getSaveFileName(this, "Save Picture", QString(),
                                                    "PNG picture (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)");
        if (path.isEmpty()) return;
        if (QFileInfo(path).suffix().isEmpty()) path += ".png";
        QString error = ExportPicture(path, pictureSize(), paint);
        if (!error.isEmpty()) QMessageBox::critical(this, "FILE ERROR", error);
    });
    QAction* print = file_->addAction("&Print...");
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, [this, pictureSize, paint] { PrintPicture(this, pictureSize(), paint); });
    file_->addSeparator();
    close_ = file_->addAction("&Close");
    close_->setShortcut(QKeySequence::Close);
    connect(close_, &QAction::triggered, this, &QWidget::close);
    resize(1000, 640);
}

QAction* CompanionWindow::AddFileCommand(const QString& text, std::function<void()> run) {
    QAction* a = new QAction(text, this);
    connect(a, &QAction::triggered, this, [run] { run(); });
    file_->insertAction(close_, a);
    return a;
}

// ---- Command line ------------------------------------------------------------------------

namespace {

int Scan(int argc, char** argv, Arguments& args, std::string& error, const Usage& usage) {
    for (int i = 1; i < argc; ++i) {
        if (usage.csv && std::strcmp(argv[i], "--csv") == 0) {
            if (i + 1 >= argc) {
                error = "--csv needs a file name";
                return 0;
            }
            args.csvPath = QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        if (usage.todaysDollars && std::strcmp(argv[i], "--todays-dollars") == 0) {
            if (i + 1 >= argc) {
                error = "--todays-dollars needs AGE:FACTOR,FACTOR,...";
                return 0;
            }
            args.todaysDollars = QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        if (std::strcmp(argv[i], "--export") == 0) {
            if (i + 1 >= argc) {
                error = "--export needs a file name (OUT.png, OUT.svg or OUT.pdf)";
                return 0;
            }
            args.exportPath = QString::fromLocal8Bit(argv[++i]);
        } else if (argv[i][0] == '-' && argv[i][1] == '-') {
            error = std::string("unknown option ") + argv[i];
            return 0;
        } else {
            args.files << QString::fromLocal8Bit(argv[i]);
        }
    }
    return 1;
}

}  // namespace

int ParseArguments(int argc, char** argv, const Usage& usage, Arguments& args) {
    std::string error;
    if (!Scan(argc, argv, args, error, usage)) {
    } else if (args.files.size() < usage.minFiles || args.files.size() > usage.maxFiles) {
        error = usage.expected;
    } else {
        return 1;
    }
    std::fprintf(stderr, "%s: %s\nUsage: %s\n", usage.program, error.c_str(), usage.line);
    return 0;
}

void PrepareForExport(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if ((std::strcmp(argv[i], "--export") == 0 || std::strcmp(argv[i], "--csv") == 0) && !std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") &&
            !std::getenv("WAYLAND_DISPLAY"))
            setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

int RunCurveProgram(int argc, char** argv, const char* program, const char* heading, const char* columnWord) {
    PrepareForExport(argc, argv);
    QApplication app(argc, argv);
    Arguments args;
    std::string line = std::string(program) + " FILE [--export OUT.png|OUT.svg|OUT.pdf]";
    if (!ParseArguments(argc, argv, {program, line.c_str(), "one graph file expected", 1, 1}, args)) return 1;
    std::string error;
    bool windowed = args.exportPath.isEmpty();
    companions::CurveFile f;
    if (!companions::ReadCurveFile(args.files[0].toStdString(), f, error)) return Fail(error, windowed);
    auto* panel = new ChartPanel;
    panel->SetCharts({companions::CurveChart(f, heading, columnWord)}, 1, 0);
    PaintRoutine paint = [panel](ui::Painter& p, const ui::Rect& box) { panel->PaintCharts(p, box.right, box.bottom, nullptr); };
    auto size = [] { return QSize(1000, 600); };
    if (!windowed) {
        QString e = ExportPicture(args.exportPath, size(), paint);
        delete panel;
        return e.isEmpty() ? 0 : Fail(e.toStdString(), false);
    }
    CompanionWindow w(QString(heading) + " - " + args.files[0], panel, size, paint);
    QObject::connect(panel, &ChartPanel::ReadOut, w.readOut(), &QLabel::setText);
    w.show();
    return app.exec();
}

int Fail(const std::string& text, bool windowed) {
    std::fprintf(stderr, "%s\n", text.c_str());
    if (windowed) QMessageBox::critical(nullptr, "FILE ERROR", QString::fromLocal8Bit(text.c_str()));
    return 1;
}

}  // namespace companion
