#pragma once
// Applying the caption tables (localisation/caption_table.h) to a window's controls.
#include <vector>

#include "localisation/caption_table.h"
#include "localisation/language.h"

class QWidget;

namespace tessavin::ui {

// Runs the table of window `id` in `language` on `window` and its children, found by
// objectName; menu items and submenus are QActions of that name. Controls that do not exist
// (yet) are skipped. The window's own layout step is the window's business.
void ApplyCaptionTable(QWidget* window, WindowId id, Language language);

// Runs `table` on `window` and its children in `language`: the step above without a window
// of the registry. ApplyCaptionTable also runs the chart wrapper's table on every chart of the
// window.
void ApplyCaptions(QWidget* window, const std::vector<CaptionAssignment>& table, Language language);

} // namespace tessavin::ui
