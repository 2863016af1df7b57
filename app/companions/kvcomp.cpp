// kvcomp FILE...: up to four plans side by side. Each FILE is the plot file,
// a saved graph (*.kvp) or a scenario file (*.ret, projected here).
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QSplitter>
#include <QTableWidget>
#include <QToolBar>
#include <cstdio>

#include "companion.h"
#include "companions/compare.h"

namespace {

QString WriteCsv(const QString& path, const std::string& text) {
    return companion::WriteWholeFile(path, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

std::vector<std::vector<std::string>> TableRows(const std::vector<companions::Plan>& plans, int cell) {
    std::vector<std::vector<std::string>> rows;
    for (const companions::ComparisonRow& r : companions::Compare(plans, cell)) {
        std::vector<std::string> row{AgeLabel(r.age)};
        for (float v : r.values) row.push_back(companions::ComparisonCell(v));
        for (float d : r.differences) row.push_back(companions::ComparisonCell(d));
        rows.push_back(std::move(row));
    }
    return rows;
}

void FillTable(QTableWidget* table, const std::vector<companions::Plan>& plans, int cell) {
    std::vector<std::string> headings = companions::ComparisonHeadings(plans);
    auto rows = TableRows(plans, cell);
    table->clear();
    table->setColumnCount(static_cast<int>(headings.size()));
    table->setRowCount(static_cast<int>(rows.size()));
    QStringList labels;
    for (const auto& h : headings) labels << QString::fromStdString(h);
    table->setHorizontalHeaderLabels(labels);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(rows[static_cast<size_t>(r)].size()); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(rows[static_cast<size_t>(r)][static_cast<size_t>(c)]));
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    table->resizeColumnsToContents();
}

}  // namespace

int main(int argc, char** argv) {
    companion::PrepareForExport(argc, argv);
    QApplication app(argc, argv);
    companion::Arguments args;
    const char* usage = "kvcomp FILE... [--export OUT.png|OUT.svg|OUT.pdf] [--csv OUT.csv]\n"
                        "  FILE: the plot file, a saved graph (.kvp) or a scenario file (.ret); at most four";
    if (!companion::ParseArguments(argc, argv, {"kvcomp", usage, "one to four plans expected", 1, companions::MaxPlans, true},
                                   args))
        return 1;
    std::string error;
    bool windowed = args.exportPath.isEmpty() && args.csvPath.isEmpty();
    std::vector<companions::Plan> plans;
    for (const QString& file : args.files) {
        companions::Plan plan;
        if (!companions::LoadPlan(file.toStdString(), plan, error)) return companion::Fail(error, windowed);
        plans.push_back(std::move(plan));
    }
    companions::NameApart(plans);

    int cell = 6;  // net worth
    if (!args.csvPath.isEmpty()) {
        QString e = WriteCsv(args.csvPath, companions::ComparisonCsv(plans, cell));
        if (!e.isEmpty()) return companion::Fail(e.toStdString(), false);
    }
    auto* panel = new companion::ChartPanel;
    panel->SetCharts({companions::ComparisonChart(plans, cell)}, 1, 0);
    // The picture: the overlaid curves, and the table under them.
    const int chartHeight = 520;
    auto size = [&plans] {
        int line = QFontMetrics(companion::PictureFont()).height();
        size_t rows = companions::Compare(plans, 6).size();
        return QSize(1000, chartHeight + static_cast<int>(rows + 2) * line + 30);
    };
    companion::PaintRoutine paint = [panel, &plans, &cell](ui::Painter& p, const ui::Rect& box) {
        panel->PaintCharts(p, box.right, chartHeight, nullptr);
        int line = p.LineHeight();
        size_t rows = companions::Compare(plans, cell).size();
        ui::Rect table{8, chartHeight + 4, box.right - 10, chartHeight + 4 + static_cast<int>(rows + 2) * line};
        companions::DrawTable(p, table, companions::ComparisonHeadings(plans), TableRows(plans, cell));
    };
    if (!args.exportPath.isEmpty()) {
        QString e = companion::ExportPicture(args.exportPath, size(), paint);
        if (!e.isEmpty()) return companion::Fail(e.toStdString(), false);
    }
    if (!windowed) {
        delete panel;
        return 0;
    }

    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(panel);
    auto* table = new QTableWidget(split);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    split->addWidget(table);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    FillTable(table, plans, cell);

    companion::CompanionWindow w("Compare Scenarios", split, size, paint);
    QObject::connect(panel, &companion::ChartPanel::ReadOut, w.readOut(), &QLabel::setText);
    QToolBar* bar = w.addToolBar("Figure");
    auto* figures = new QComboBox(bar);
    for (const companions::Figure& f : companions::ComparableFigures()) figures->addItem(f.name, f.cell);
    bar->addWidget(figures);
    // Started from the program with the plot file alone: the other plans
    // are added here.
    auto refresh = [&] {
        companions::NameApart(plans);
        panel->SetCharts({companions::ComparisonChart(plans, cell)}, 1, 0);
        FillTable(table, plans, cell);
    };
    QObject::connect(figures, &QComboBox::currentIndexChanged, panel, [&, figures] {
        cell = figures->currentData().toInt();
        refresh();
    });
    QAction* add = w.AddFileCommand("&Add Plans...", [&] {
        QStringList files = QFileDialog::getOpenFileNames(
            &w, "Add Plans", QString(), "Scenarios and saved graphs (*.ret *.RET *.kvp *.KVP *.tmp);;All files (*)");
        for (const QString& file : files) {
            if (static_cast<int>(plans.size()) >= companions::MaxPlans) {
                QMessageBox::information(&w, "Compare Scenarios", "At most four plans are compared.");
                break;
            }
            companions::Plan plan;
            std::string why;
            if (!companions::LoadPlan(file.toStdString(), plan, why)) {
                QMessageBox::critical(&w, "FILE ERROR", QString::fromStdString(why));
                continue;
            }
            plans.push_back(std::move(plan));
        }
        refresh();
    });
    QAction* remove = w.AddFileCommand("&Remove Last Plan", [&] {
        if (plans.size() > 1) plans.pop_back();
        refresh();
    });
    bar->addAction(add);
    bar->addAction(remove);
    w.AddFileCommand("Export Table as &CSV...", [&] {
        QString path = QFileDialog::getSaveFileName(&w, "Export Table", QString(), "Comma-separated values (*.csv)");
        if (path.isEmpty()) return;
        if (QFileInfo(path).suffix().isEmpty()) path += ".csv";
        QString e = WriteCsv(path, companions::ComparisonCsv(plans, cell));
        if (!e.isEmpty()) QMessageBox::critical(&w, "FILE ERROR", e);
    });
    w.resize(1000, 800);
    w.show();
    return app.exec();
}
