#pragma once
// The caption tables of the two languages: per window, the ordered assignments of every
// language-dependent text (window caption, captions, hints, list items, grid cells, axis titles).
// The data only; the front end applies a table to its controls.
#include <string>
#include <string_view>
#include <vector>

#include "localisation/language.h"
#include "windows/window_id.h"

namespace tessavin {

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
    Composed,      // the control's text (for "" the window's title) is composed by its window
                   // at run time; `english.text` and `czech.text` both name its pieces, see
                   // ComposedPieceTexts. The applier leaves such a control alone.
};

// A text of a table: a fixed text, a catalogue message, or the concatenation lead + message + text.
struct TableText {
    const char* text = ""; // UTF-8
    int message = 0;       // 0: none
    const char* lead = ""; // UTF-8, before the message
};

struct CaptionAssignment {
    CaptionKind kind;
    const char* control; // objectName; "" for the window itself
    int index;
    int row;
    TableText english;
    TableText czech;
};

// The table of a window (its row of the window registry); empty for the splash window.
const std::vector<CaptionAssignment>& CaptionTable(WindowId window);

// The first entry of window `window`'s table of `kind` for `control` (for a list item, item
// `index`); nullptr when there is none.
const CaptionAssignment* FindCaption(WindowId window, std::string_view control, CaptionKind kind,
                                     int index = 0);

// The text of an entry in `language`: lead, catalogue message, text. The message is read in the
// active language, which a caller applying a whole table sets to the table's.
std::string ComposeText(const CaptionAssignment& entry, Language language);
std::string ComposeText(const TableText& text);

// A composed text is made of table texts, numbers and punctuation only: its words come from
// the pieces its entry names, separated by spaces. A piece is
//   `Name`        every text of this table's entries for `Name`: a text piece, a caption or
//                 the items of a list;
//   `TFormN.Name` the same of another window's table;
//   `#N`          catalogue message N.
// The texts each piece of `composed` (an entry of window `window`'s table) may contribute, in
// the active language, one list per piece in the entry's order; empty for a piece that names
// nothing.
std::vector<std::vector<std::string>> ComposedPieceTexts(WindowId window,
                                                         const CaptionAssignment& composed);

} // namespace tessavin
