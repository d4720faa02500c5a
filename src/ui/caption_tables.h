#pragma once
// The caption tables of the two languages: per window, the ordered assignments of every
// language-dependent text (window caption, captions, hints, list items, grid cells, axis titles).
#include <vector>

#include "localisation/language.h"

class QWidget;

namespace tessavin::ui {

enum class CaptionKind {
    WindowCaption, // the window's title
    Caption,       // label, button, check box, group box, tab page, menu item or submenu
    Hint,          // "short|long": tool tip and status-bar tip
    ListItem,      // item `index` of a drop-down list; the selection is kept
    ListRefill,    // the whole list emptied and refilled from "\n"-separated items; selection kept
    GridCell,      // cell (`index` = column, `row`) of a grid
    GridMarker,    // grid cell rewritten only while it holds the other language's text
    AxisTitle,     // `index` 0 left, 1 bottom axis of a chart
    TextPiece,     // no control: a piece of text another control's text is composed of
};

// A text of a table: a fixed text, a catalogue message, or the concatenation lead + message + text.
struct CaptionText {
    const char* text = ""; // UTF-8
    int message = 0;       // 0: none
    const char* lead = ""; // UTF-8, before the message
};

struct CaptionAssignment {
    CaptionKind kind;
    const char* control; // objectName; "" for the window itself
    int index;
    int row;
    CaptionText english;
    CaptionText czech;
};

// Window numbers: 1 main, 2 histogram, 3 parametric histogram, 4 raw data, 5 suitable
// histograms, 6 about, 7 event graph, 8 splash (no entries), 9 integration settings,
// 10 settings listing. Any other number has no table.
const std::vector<CaptionAssignment>& CaptionTable(int window);

// Runs the table of window `number` in `language` on `window` and its children, found by
// objectName; menu items and submenus are QActions of that name. Controls that do not exist
// (yet) are skipped. The window's own layout step is the window's business.
void ApplyCaptionTable(QWidget* window, int number, Language language);

// Runs `table` on `window` and its children in `language`: the step above without a window
// number. ApplyCaptionTable also runs the chart wrapper's table on every chart of the window.
void ApplyCaptions(QWidget* window, const std::vector<CaptionAssignment>& table, Language language);

} // namespace tessavin::ui
