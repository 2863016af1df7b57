// The three chosen fonts of the Scenario: the report font and the two folder
// fonts, and the extra row spacing a large result value font needs.
#include <cstring>

#include "model/model.h"
#include "shell/shell.h"

namespace {

bool Empty(const FontDescription& f) {
    static const FontDescription zero{};
    return std::memcmp(&f, &zero, sizeof f) == 0;
}

}  // namespace

const FontDescription* ChosenFont(int record) {
    if (record < 1 || record > 3) return nullptr;
    const FontDescription& f = scenario.folderFonts[record - 1];
    // A height makes a font: the report font's face name alone is set at
    // every start and still means the default report font.
    if (Empty(f) || f.height == 0) return nullptr;
    // "Use default fonts" is about the two folder fonts only.
    if (record > 1 && scenario.pageSettings.defaultFonts != 0) return nullptr;
    return &f;
}

float ValueFontSpacingFor(int tenthsOfPoint) {
    if (tenthsOfPoint >= 140) return 2.0f;
    if (tenthsOfPoint > 120) return 0.5f;
    return 0.0f;
}

int StoreChosenFont(int record, const FontDescription& font, int tenthsOfPoint) {
    if (record < 1 || record > 3) return 0;
    scenario.folderFonts[record - 1] = font;
    if (record == 3) scenario.pageSettings.valueFontSpacing = ValueFontSpacingFor(tenthsOfPoint);
    state.modified = 1;
    ApplyDisplayFonts();
    return 1;
}

void ApplyDisplayFonts() {
    const PageSettings& p = scenario.pageSettings;
    float spacing = p.valueFontSpacing;
    shell.valueFontSpacing = p.defaultFonts == 0 && spacing > 0 && spacing < 100 ? spacing : 0;
}
