#include "window_placement.h"

#include <QWidget>

namespace tessavin::ui {

void SetWindowPlacement(SettingsFile& file, const std::vector<SettingKey>& keys,
                        const QWidget& window) {
    for (const SettingKey& k : keys) {
        if (k.target == "left") file.SetInteger(k, window.x());
        if (k.target == "top") file.SetInteger(k, window.y());
        if (k.target == "width") file.SetInteger(k, window.width());
        if (k.target == "height") file.SetInteger(k, window.height());
    }
}

} // namespace tessavin::ui
