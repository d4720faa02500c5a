#pragma once
// The keys of the settings file as data: section, key, type and default of each, and the control
// or property of its window that it keeps. Each window's keys are in its row of the window
// registry (windows/window_registry.cpp).
#include <string_view>
#include <vector>

#include "windows/window_id.h"

namespace tessavin {

inline constexpr std::string_view PositionSection = "--  Position  --";
inline constexpr std::string_view ComponentSection = "--  Component  --";
inline constexpr std::string_view SettingSection = "--  Setting  --";

enum class SettingType { Integer, Boolean, String };

struct SettingKey {
    std::string_view section;
    std::string_view key;
    SettingType type;
    // Integers and booleans as decimal text ("1" true); an empty integer default stands for a
    // value known only at run time (the screen width).
    std::string_view defaultText;
    // What the key keeps: "left", "top", "width", "height" for the geometry, otherwise the
    // objectName of the field, drop-down list or menu item.
    std::string_view target;
};

// The keys of a window in file order: the four geometry keys (their `target` says which is
// which), then the window's own further keys. Empty for a window that keeps nothing.
const std::vector<SettingKey>& WindowSettingKeys(WindowId window);
// The main window's: position and size, the crack origin, the nine field texts, the eight menu
// ticks of the component section, the two colour ticks, the target β, the inspection chart's
// log scale and β in the saved results.
const std::vector<SettingKey>& MainWindowSettingKeys();

// The key that keeps `target` in a table; nullptr when there is none.
const SettingKey* FindSettingKey(const std::vector<SettingKey>& keys, std::string_view target);

} // namespace tessavin
