// Printing on a QPrinter: the print dialog, the job with its cancel dialog,
// Page Setup, and the folder shown printed as a picture.
#include "ui/qt/printing.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

#include "model/model.h"
#include "shell/shell.h"
#include "ui/qt/fonts.h"
#include "ui/qt/painter.h"
#include "ui/qt/qt_ui.h"

namespace qtui {

namespace {

MainWindow* Owner() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<MainWindow*>(w)) return m;
    return nullptr;
}

void ApplyPageSettings(QPrinter& printer) {
    printer.setPageOrientation(state.printOrientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    // Margins are kept in thousandths of an inch.
    printer.setPageMargins(QMarginsF(state.marginLeft / 1000.0, state.marginTop / 1000.0, state.marginRight / 1000.0,
                                     state.marginBottom / 1000.0),
                           QPageLayout::Inch);
}

// The report font (or the default one) as pixels on a device of this
// resolution, and the bolder, larger font of the title line.
void ReportFont(QPainter& painter, int dotsPerInch, PageLayout& layout) {
    QFont fallback("Helvetica");
    fallback.setStyleHint(QFont::SansSerif);
    fallback.setPointSize(10);
    QFont font = FontOrDefault(1, fallback);
    // A chosen font's pixels are those of the 96-dpi screen it was picked on.
    double pixels = font.pixelSize() > 0 ? font.pixelSize() * dotsPerInch / 96.0 : font.pointSizeF() * dotsPerInch / 72.0;
    layout.fontHeight = std::max(1, static_cast<int>(std::lround(pixels)));
    layout.titleHeight = std::max(1, static_cast<int>(std::lround(pixels * 1.4)));
    painter.setFont(font);
}

void LayoutIn(QPainter& painter, const QRect& area, int dotsPerInch, PageLayout& layout) {
    ReportFont(painter, dotsPerInch, layout);
    // The text starts a little inside the left margin.
    layout.area = {area.left() + 10, area.top(), area.right(), area.bottom()};
}

// "PrCancel": the progress text (102) and Cancel (2), which asks the job to
// stop after the page being printed.
class CancelDialog : public QDialog {
public:
    explicit CancelDialog(QWidget* owner) : QDialog(owner) {
        setObjectName("PrCancel");
        setWindowTitle("Printing");
        // Other commands wait while a job runs; only Cancel is answered.
        setWindowModality(Qt::ApplicationModal);
        auto* layout = new QVBoxLayout(this);
        text_ = new QLabel(this);
        text_->setObjectName("102");
        text_->setMinimumWidth(260);
        layout->addWidget(text_);
        auto* cancel = new QPushButton("Cancel", this);
        cancel->setObjectName("2");
        layout->addWidget(cancel, 0, Qt::AlignHCenter);
        connect(cancel, &QPushButton::clicked, this, [this] {
            RequestPrintCancel();
            close();
            if (parentWidget()) parentWidget()->update();
        });
    }
    void Show(const std::string& text) {
        text_->setText(QString::fromLocal8Bit(text.c_str()));
        text_->repaint();
    }

protected:
    void reject() override {
        RequestPrintCancel();
        QDialog::reject();
    }

private:
    QLabel* text_;
};

class PrinterDevice : public PrintDevice {
public:
    PrinterDevice(QPrinter& printer, QWidget* owner) : printer_(printer), owner_(owner) {}
    ~PrinterDevice() override {
        EndDocument();
        CloseCancelDialog();
    }
    int StartDocument(const std::string& name) override {
        printer_.setDocName(QString::fromLocal8Bit(name.c_str()));
        return painter_.begin(&printer_) ? 1 : 0;
    }
    ui::Painter* StartPage(PageLayout& layout) override {
        if (pages_++ > 0 && !printer_.newPage()) return nullptr;
        QRect paint = printer_.pageLayout().paintRectPixels(printer_.resolution());
        LayoutIn(painter_, QRect(0, 0, paint.width(), paint.height()), printer_.resolution(), layout);
        surface_ = std::make_unique<QtPainter>(&painter_);
        return surface_.get();
    }
    int EndPage() override {
        return printer_.printerState() != QPrinter::Error && printer_.printerState() != QPrinter::Aborted;
    }
    void EndDocument() override {
        surface_.reset();
        if (painter_.isActive()) painter_.end();
    }
    int OpenCancelDialog() override {
        dialog_ = new CancelDialog(owner_);
        dialog_->show();
        return 1;
    }
    void ShowProgress(const std::string& text) override {
        if (dialog_) dialog_->Show(text);
    }
    void CloseCancelDialog() override {
        if (dialog_) dialog_->deleteLater();
        dialog_ = nullptr;
        if (owner_) owner_->update();
    }
    void EnableOwner(bool on) override {
        if (owner_) owner_->setEnabled(on);
    }
    void ProcessMessages() override { QCoreApplication::processEvents(); }

private:
    QPrinter& printer_;
    QPointer<QWidget> owner_;
    QPainter painter_;
    std::unique_ptr<QtPainter> surface_;
    QPointer<CancelDialog> dialog_;
    int pages_ = 0;
};

// The print dialog over the page range 0 .. highest page; Print All Reports
// (a preset page count) offers no page choice.
bool ChoosePages(QPrinter& printer, int pageCount) {
    printer.setCopyCount(1);
    printer.setCollateCopies(printState.collate != 0);
    QPrintDialog dialog(&printer, Owner());
    dialog.setMinMax(0, pageCount);
    QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
    if (printState.grandTotal > 0)
        options &= ~(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintSelection);
    else
        options |= QAbstractPrintDialog::PrintPageRange;
    dialog.setOptions(options);
    if (dialog.exec() != QDialog::Accepted) return false;
    state.printOrientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
    printState.copies = std::max(1, printer.copyCount());
    printState.collate = printer.collateCopies() ? 1 : 0;
    if (printer.printRange() == QPrinter::PageRange) {
        printState.fromPage = printer.fromPage();
        printState.toPage = printer.toPage();
    } else {
        printState.fromPage = 0;
        printState.toPage = pageCount;
    }
    // The job makes the copies itself, in the order chosen.
    printer.setCopyCount(1);
    return true;
}

int PrintWithDialog(int pageCount, int kind) {
    if (shell.printing) return 0;
    shell.printing = 1;
    QPrinter& printer = ChosenPrinter();
    int printed = ChoosePages(printer, pageCount) ? PrintPagesOn(printer, pageCount, kind) : 0;
    shell.printing = 0;
    return printed;
}

int CommandPageSetup() {
    if (shell.printing) return 0;
    shell.printing = 1;
    QPrinter& printer = ChosenPrinter();
    QPageSetupDialog dialog(&printer, Owner());
    if (dialog.exec() == QDialog::Accepted) {
        if (!printer.isValid()) {
            ui::Message("Invalid Printer", "Print Error", ui::Buttons::Ok, ui::Icon::Stop);
        } else {
            QPageLayout layout = printer.pageLayout();
            QMarginsF m = layout.marginsPoints();
            auto thousandths = [](double points) { return static_cast<int>(std::lround(points * 1000.0 / 72.0)); };
            state.marginLeft = thousandths(m.left());
            state.marginTop = thousandths(m.top());
            state.marginRight = thousandths(m.right());
            state.marginBottom = thousandths(m.bottom());
            int dpi = printer.resolution();
            state.printMarginLeft = state.marginLeft * dpi / 1000;
            state.printMarginTop = state.marginTop * dpi / 1000;
            state.printMarginRight = state.marginRight * dpi / 1000;
            state.printMarginBottom = state.marginBottom * dpi / 1000;
            QSizeF paper = layout.fullRectPoints().size();
            state.printOrientation = paper.width() <= paper.height() ? 1 : 2;
            PageSettings& p = scenario.pageSettings;
            p.marginLeft = state.marginLeft;
            p.marginTop = state.marginTop;
            p.marginRight = state.marginRight;
            p.marginBottom = state.marginBottom;
            p.orientation = state.printOrientation;
            state.modified = 1;
        }
    }
    shell.printing = 0;
    return 1;
}

int CommandPrintFolder() {
    if (shell.printing) return 0;
    MainWindow* window = Owner();
    if (!window || !window->currentFolder()) return 0;
    // The default printer, without a dialog; no printer, nothing printed.
    if (QPrinterInfo::defaultPrinter().isNull()) return 0;
    shell.printing = 1;
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    int printed = PrintWindowContents(window->currentFolder(), printer);
    shell.printing = 0;
    return printed;
}

}  // namespace

namespace {

QPrinter* chosenPrinter = nullptr;

}  // namespace

QPrinter& ChosenPrinter() {
    if (!chosenPrinter) {
        chosenPrinter = new QPrinter(QPrinter::HighResolution);
        // Released with the application.
        qAddPostRoutine([] {
            delete chosenPrinter;
            chosenPrinter = nullptr;
        });
    }
    ApplyPageSettings(*chosenPrinter);
    return *chosenPrinter;
}

int PrintPagesOn(QPrinter& printer, int pageCount, int kind) {
    ApplyPageSettings(printer);
    PrinterDevice device(printer, Owner());
    return RunPrintJob(device, pageCount, kind);
}

void DrawPageOn(QPainter& painter, const QRect& area, int dotsPerInch, int kind, int page, int pageCount) {
    PageLayout layout;
    LayoutIn(painter, area, dotsPerInch, layout);
    QtPainter surface(&painter);
    std::vector<std::string> body;
    std::tm now = PrintHeaderTime();
    bool read = page > 0 && ReadPageFile(PageFileName(kind, page), body);
    DrawPrintedPage(surface, layout, PrintHeaderLines(kind, page, pageCount, now), read ? &body : nullptr, kind,
                    CurrentReportLook());
}

int PrintWindowContents(QWidget* window, QPrinter& printer) {
    if (!window) return 0;
    QImage picture = window->grab().toImage().convertToFormat(QImage::Format_RGB888);
    if (picture.isNull()) return 0;
    printer.setDocName("Window Contents");
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    painter.drawImage(painter.viewport(), picture);
    painter.end();
    return 1;
}

void InstallPrinting() {
    InstallPrintCommands();
    printHooks.printPages = PrintWithDialog;
    SetCommandRoutine(CmdPageSetup, CommandPageSetup);
    SetCommandRoutine(CmdPrintFolder, CommandPrintFolder);
}

}  // namespace qtui
