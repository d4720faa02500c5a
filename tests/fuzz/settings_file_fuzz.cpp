// The settings reader: any text loads; what is loaded saves and loads again to the same text and
// the same value for every key the program reads.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/settings_file.h"
#include "files/settings_keys.h"
#include "fuzz_check.h"
#include "windows/window_registry.h"

namespace {

void ExpectSameValues(const tessavin::SettingsFile& a, const tessavin::SettingsFile& b,
                      const std::vector<tessavin::SettingKey>& keys) {
    for (const tessavin::SettingKey& k : keys) {
        FUZZ_CHECK(a.GetString(k) == b.GetString(k));
        FUZZ_CHECK(a.GetInteger(k) == b.GetInteger(k));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessavin;
    SettingsFile loaded;
    loaded.LoadText(std::string_view(reinterpret_cast<const char*>(data), size));
    // Saving writes Text(); loading reads it back.
    const std::string saved = loaded.Text();
    SettingsFile reloaded;
    reloaded.LoadText(saved);
    FUZZ_CHECK(reloaded.Text() == saved);
    for (const WindowEntry& window : Windows())
        ExpectSameValues(loaded, reloaded, window.settingKeys);
    return 0;
}
