// kvplot3 FILE: the graph window over a plot file or saved graph.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QToolBar>

#include "companion.h"

namespace {

struct Choice {
    int code;
    const char* text;
};
const Choice choices[] = {{GraphNetWorth, "Net Worth"}, {GraphIncomingOutgoing, "Incoming / Outgoing"},
                          {GraphIncoming, "Incoming"},  {GraphOutgoing, "Outgoing"},
                          {GraphAccounts, "Accounts"},  {GraphGroups, "Groups"}};

}  // namespace

int main(int argc, char** argv) {
    companion::PrepareForExport(argc, argv);
    QApplication app(argc, argv);
    companion::Arguments args;
    if (!companion::ParseArguments(argc, argv,
                                   {"kvplot3", "kvplot3 FILE [--todays-dollars AGE:F0,F1,...] [--export OUT.png|OUT.svg|OUT.pdf]",
                                    "one plot file expected", 1, 1, false, true},
                                   args))
        return 1;
    std::string error;
    bool windowed = args.exportPath.isEmpty();
    companions::PlotFile f;
    if (!companions::ReadPlotFile(args.files[0].toStdString(), f, error)) return companion::Fail(error, windowed);
    // Money in today's dollars when the main program shows it so.
    companions::TodaysDollars todays;
    const bool deflate = !args.todaysDollars.isEmpty();
    if (deflate && !companions::ParseTodaysDollars(args.todaysDollars.toStdString(), todays, error))
        return companion::Fail(error, windowed);
    auto chart = [&f, &todays, deflate](int graph) {
        companions::Chart c = companions::PlotChart(f, graph);
        if (deflate) companions::ToTodaysDollars(c, f, todays);
        return c;
    };

    // The graph shown when the plot file was written comes first.
    int code = companions::PlotChartCode(f.folderCode);
    auto* panel = new companion::ChartPanel;
    panel->SetCharts({chart(code)}, 1, 0);
    companion::PaintRoutine paint = [panel](ui::Painter& p, const ui::Rect& box) {
        panel->PaintCharts(p, box.right, box.bottom, nullptr);
    };
    auto size = [] { return QSize(1000, 600); };
    if (!windowed) {
        QString e = companion::ExportPicture(args.exportPath, size(), paint);
        delete panel;
        return e.isEmpty() ? 0 : companion::Fail(e.toStdString(), false);
    }

    companion::CompanionWindow w("Graph - " + args.files[0], panel, size, paint);
    QObject::connect(panel, &companion::ChartPanel::ReadOut, w.readOut(), &QLabel::setText);
    QToolBar* bar = w.addToolBar("Graph");
    auto* graphs = new QComboBox(bar);
    for (const Choice& c : choices) graphs->addItem(c.text, c.code);
    graphs->setCurrentIndex(graphs->findData(code));
    bar->addWidget(graphs);
    QObject::connect(graphs, &QComboBox::currentIndexChanged, panel, [panel, graphs, &chart] {
        panel->SetCharts({chart(graphs->currentData().toInt())}, 1, 0);
    });
    bar->addAction("Whole Plan", panel, &companion::ChartPanel::ResetWindows);
    bar->addWidget(new QLabel("  Drag over the ages to zoom; click a legend entry to hide or show its curve.", bar));
    w.show();
    return app.exec();
}
