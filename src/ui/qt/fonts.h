// The Scenario's stored font descriptions as Qt fonts, and the font chooser
// of Preferences and Reports Options.
#pragma once

#include <QFont>

#include "model/records.h"

namespace qtui {

// The stored description as a font (height < 0: character height in pixels,
// > 0: cell height, as the file keeps it).
QFont FontOf(const FontDescription& d);
FontDescription DescriptionOf(const QFont& f);
// The chosen font of record 1..3, or `fallback` when the default is in use.
QFont FontOrDefault(int record, const QFont& fallback);
// Lets the user pick the font of record 1..3; stores it and rebuilds the
// folder shown. Returns 1 when a font was chosen.
int ChooseFont(int record);

}  // namespace qtui
