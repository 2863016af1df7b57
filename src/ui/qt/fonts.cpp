#include "ui/qt/fonts.h"

#include <QApplication>
#include <QFontDialog>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/model.h"
#include "shell/shell.h"

namespace qtui {

namespace {

// Pixels per point on the 96-dpi logical screen the stored heights assume.
constexpr double PixelsPerPoint = 96.0 / 72.0;

const char* ChooserTitle(int record) {
    switch (record) {
        case 2: return "Select Scenario/Results Folder Fonts";
        case 3: return "Select Results Value Fonts";
        default: return "Fonts";
    }
}

}  // namespace

QFont FontOf(const FontDescription& d) {
    QFont f(QString::fromStdString(FieldText(d.faceName)));
    int32_t height = d.height;
    if (height != 0) f.setPixelSize(std::clamp(std::abs(height), 4, 200));
    int32_t weight = d.weight;
    if (weight > 0) f.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
    f.setItalic(d.italic != 0);
    f.setUnderline(d.underline != 0);
    f.setStrikeOut(d.strikeOut != 0);
    return f;
}

FontDescription DescriptionOf(const QFont& f) {
    FontDescription d{};
    int pixels = f.pixelSize() > 0 ? f.pixelSize() : static_cast<int>(std::lround(f.pointSizeF() * PixelsPerPoint));
    d.height = -std::max(pixels, 1);
    d.weight = f.weight();
    d.italic = f.italic() ? 1 : 0;
    d.underline = f.underline() ? 1 : 0;
    d.strikeOut = f.strikeOut() ? 1 : 0;
    SetFieldText(d.faceName, f.family().toStdString());
    return d;
}

QFont FontOrDefault(int record, const QFont& fallback) {
    const FontDescription* d = ChosenFont(record);
    return d ? FontOf(*d) : fallback;
}

int ChooseFont(int record) {
    if (record < 1 || record > 3) return 0;
    bool ok = false;
    QFont start = FontOrDefault(record, QApplication::font());
    QFont chosen = QFontDialog::getFont(&ok, start, QApplication::activeWindow(), ChooserTitle(record));
    if (!ok) return 0;
    double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : chosen.pixelSize() / PixelsPerPoint;
    StoreChosenFont(record, DescriptionOf(chosen), static_cast<int>(std::lround(points * 10)));
    int folder = FolderOfTab(shell.currentTab);
    if (folder == FolderScenario || folder == FolderResults || folder == FolderAccounts) ShowFolder(folder);
    return 1;
}

}  // namespace qtui
