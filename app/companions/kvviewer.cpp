// kvviewer: the Monte Carlo statistics of "stats.dat" in the working folder,
// one rate histogram per Account.
#include <QApplication>
#include <QLabel>
#include <QScrollArea>

#include "companion.h"

int main(int argc, char** argv) {
    companion::PrepareForExport(argc, argv);
    QApplication app(argc, argv);
    companion::Arguments args;
    if (!companion::ParseArguments(argc, argv,
                                   {"kvviewer", "kvviewer [stats.dat] [--export OUT.png|OUT.svg|OUT.pdf]",
                                    "at most one statistics file", 0, 1},
                                   args))
        return 1;
    std::string error;
    bool windowed = args.exportPath.isEmpty();
    std::string path = args.files.isEmpty() ? "stats.dat" : args.files[0].toStdString();
    companions::StatisticsFile f;
    if (!companions::ReadStatisticsFile(path, f, error)) return companion::Fail(error, windowed);

    std::vector<companions::Chart> charts;
    for (const companions::RateHistogram& h : f.accounts) charts.push_back(companions::HistogramChart(h));
    if (charts.empty()) {
        companions::Chart none;
        none.heading = f.title;
        none.notes.push_back("No Account has rates counted.");
        charts.push_back(none);
    }
    std::string subtitle = f.title + (f.hasFactor ? "   (Distribution Factor = " + std::to_string(f.factor) + ")" : "");
    for (auto& c : charts) c.notes.insert(c.notes.begin(), subtitle);

    auto* panel = new companion::ChartPanel;
    const int panelHeight = 400;
    panel->SetCharts(charts, 2, panelHeight);
    companion::PaintRoutine paint = [panel](ui::Painter& p, const ui::Rect& box) {
        panel->PaintCharts(p, box.right, box.bottom, nullptr);
    };
    auto size = [panel] { return QSize(1100, panel->PictureHeight(1100)); };
    if (!windowed) {
        QString e = companion::ExportPicture(args.exportPath, size(), paint);
        delete panel;
        return e.isEmpty() ? 0 : companion::Fail(e.toStdString(), false);
    }
    auto* scroll = new QScrollArea;
    scroll->setWidget(panel);
    scroll->setWidgetResizable(true);
    companion::CompanionWindow w(QString::fromStdString("Monte Carlo Statistics - " + path), scroll, size, paint);
    QObject::connect(panel, &companion::ChartPanel::ReadOut, w.readOut(), &QLabel::setText);
    w.resize(1140, 760);
    w.show();
    return app.exec();
}
