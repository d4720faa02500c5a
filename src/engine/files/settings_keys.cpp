#include "files/settings_keys.h"

#include "windows/window_registry.h"

namespace tessavin {

const std::vector<SettingKey>& WindowSettingKeys(WindowId window) {
    return WindowOf(window).settingKeys;
}

const std::vector<SettingKey>& MainWindowSettingKeys() {
    return WindowSettingKeys(WindowId::Main);
}

const SettingKey* FindSettingKey(const std::vector<SettingKey>& keys, std::string_view target) {
    for (const SettingKey& k : keys)
        if (k.target == target) return &k;
    return nullptr;
}

} // namespace tessavin
