#pragma once
// Target reliability indices of the codes, offered as presets of the target β: each with its
// source for the tool tip and the reference period its value holds for.
#include <optional>
#include <span>
#include <string>

namespace tessavin {

struct TargetPreset {
    const char* id;    // stable key for settings and the batch program ("en1990-rc2-50y")
    const char* czech; // the list text
    const char* english;
    double beta;
    int referenceYears;      // 1 or 50
    const char* sourceCzech; // the tool tip: where the value comes from
    const char* sourceEnglish;
};

// The presets in the order the list shows them: JCSS by consequences (minor, moderate, large)
// and relative cost of safety measures (high, normal, low), then EN 1990 RC1 .. RC3, one year
// and 50 years each.
std::span<const TargetPreset> TargetPresets();

const TargetPreset* FindTargetPreset(const std::string& id);

// The list text and the tool tip in the active language.
std::string PresetText(const TargetPreset& preset);
std::string PresetSource(const TargetPreset& preset);

} // namespace tessavin
