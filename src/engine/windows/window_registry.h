#pragma once
// The window registry: one row per window of the desktop program, with everything that is data
// about it — its objectName, its caption table and the settings keys of its place, size and own
// values (whose defaults are the window's default place and size). The desktop front builds the
// windows; the tests and the fuzzer walk this table.
#include <span>
#include <string_view>
#include <vector>

#include "files/settings_keys.h"
#include "localisation/caption_table.h"
#include "windows/window_id.h"

namespace tessavin {

struct WindowEntry {
    WindowId id;
    std::string_view objectName; // "TForm7": tests and the settings listing know it by this
    std::string_view role;       // "event graph", for test rows and reports
    std::vector<CaptionAssignment> captions; // empty: the window has no table
    std::vector<SettingKey> settingKeys;     // geometry first, then its own; empty: keeps none
};

// Every window, in the order of WindowId.
std::span<const WindowEntry> Windows();
const WindowEntry& WindowOf(WindowId id);
// The window of an objectName; nullptr for none.
const WindowEntry* FindWindow(std::string_view objectName);

// A default size from the settings keys' defaults. A width of 0 stands for the screen's width,
// known only at run time.
struct WindowSize {
    int width = 0;
    int height = 0;
};
// nullptr-like: {0, 0} for a window that keeps no size.
WindowSize DefaultSize(WindowId id);

} // namespace tessavin
