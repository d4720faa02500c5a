#pragma once
// A side window's place and size in the settings file.
#include <vector>

#include "files/settings_file.h"

class QWidget;

namespace tessavin::ui {

// Writes the window's left, top, width and height into those of `keys` that name them, in the
// order of `keys` (the order of the file).
void SetWindowPlacement(SettingsFile& file, const std::vector<SettingKey>& keys,
                        const QWidget& window);

} // namespace tessavin::ui
