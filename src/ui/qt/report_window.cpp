// The report window's columns: the template dialog shows the list, this sizes
// its columns by the heading and sample texts in the report font.
#include "ui/qt/report_window.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>

#include "results/reports.h"
#include "ui/qt/dialog_host.h"
#include "ui/qt/fonts.h"

namespace qtui {

namespace {

void SizeColumns(int control, const std::vector<std::string>& samples) {
    TemplateDialog* d = QtDialogHost::Current();
    if (!d) return;
    auto* list = qobject_cast<QTreeWidget*>(d->control(control));
    if (!list) return;
    list->setFont(FontOrDefault(1, list->font()));
    const QFontMetrics body(list->font()), heading(list->header()->font());
    constexpr int Padding = 16;  // room for the cell margins and the header's sort gap
    int total = 0;
    for (int k = 0; k < list->columnCount(); ++k) {
        const QString sample = k < static_cast<int>(samples.size()) ? QString::fromStdString(samples[k]) : QString();
        const int width = std::max(heading.horizontalAdvance(list->headerItem()->text(k)), body.horizontalAdvance(sample));
        list->setColumnWidth(k, width + Padding);
        total += width + Padding;
    }
    // The window opens wide enough for every column, within reason.
    list->setMinimumWidth(std::min(total + 24, 1100));
    list->setMinimumHeight(360);
}

}  // namespace

void InstallReportWindow() { reportWindowHooks.sizeColumns = SizeColumns; }

}  // namespace qtui
