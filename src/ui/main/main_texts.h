#pragma once
// Pieces of the main window's caption table that its parts compose their texts of.
#include <QString>

#include "localisation/captions.h"
#include "ui/common/interaction.h"
#include "windows/window_id.h"

namespace tessavin::ui {

inline constexpr WindowId MainWindowTable = WindowId::Main;

// A text piece of the main window's table, in the current language.
inline QString MainPiece(const char* name) {
    return Q(TextPiece(MainWindowTable, name));
}

} // namespace tessavin::ui
