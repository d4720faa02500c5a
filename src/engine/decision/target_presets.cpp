#include "decision/target_presets.h"

#include <array>

#include "localisation/language.h"

namespace tessavin {
namespace {

constexpr const char* JcssCs = "JCSS Pravděpodobnostní modelový předpis, část 1, tab. 2.1: "
                               "mezní stavy únosnosti, referenční doba jeden rok";
constexpr const char* JcssEn = "JCSS Probabilistic Model Code, Part 1, Table 2.1: ultimate limit "
                               "states, one-year reference period";
constexpr const char* En1990Cs = "EN 1990, příloha B, tab. B2: doporučené minimální hodnoty β, "
                                 "mezní stavy únosnosti";
constexpr const char* En1990En = "EN 1990, Annex B, Table B2: recommended minimum values of β, "
                                 "ultimate limit states";

constexpr std::array<TargetPreset, 15> Presets = {{
    {"jcss-minor-high", "JCSS, malé následky, vysoké náklady opatření: 3.1 (1 rok)",
     "JCSS, minor consequences, high cost of safety measures: 3.1 (1 year)", 3.1, 1, JcssCs,
     JcssEn},
    {"jcss-minor-normal", "JCSS, malé následky, běžné náklady opatření: 3.7 (1 rok)",
     "JCSS, minor consequences, normal cost of safety measures: 3.7 (1 year)", 3.7, 1, JcssCs,
     JcssEn},
    {"jcss-minor-low", "JCSS, malé následky, nízké náklady opatření: 4.2 (1 rok)",
     "JCSS, minor consequences, low cost of safety measures: 4.2 (1 year)", 4.2, 1, JcssCs, JcssEn},
    {"jcss-moderate-high", "JCSS, střední následky, vysoké náklady opatření: 3.3 (1 rok)",
     "JCSS, moderate consequences, high cost of safety measures: 3.3 (1 year)", 3.3, 1, JcssCs,
     JcssEn},
    {"jcss-moderate-normal", "JCSS, střední následky, běžné náklady opatření: 4.2 (1 rok)",
     "JCSS, moderate consequences, normal cost of safety measures: 4.2 (1 year)", 4.2, 1, JcssCs,
     JcssEn},
    {"jcss-moderate-low", "JCSS, střední následky, nízké náklady opatření: 4.4 (1 rok)",
     "JCSS, moderate consequences, low cost of safety measures: 4.4 (1 year)", 4.4, 1, JcssCs,
     JcssEn},
    {"jcss-large-high", "JCSS, velké následky, vysoké náklady opatření: 3.7 (1 rok)",
     "JCSS, large consequences, high cost of safety measures: 3.7 (1 year)", 3.7, 1, JcssCs,
     JcssEn},
    {"jcss-large-normal", "JCSS, velké následky, běžné náklady opatření: 4.4 (1 rok)",
     "JCSS, large consequences, normal cost of safety measures: 4.4 (1 year)", 4.4, 1, JcssCs,
     JcssEn},
    {"jcss-large-low", "JCSS, velké následky, nízké náklady opatření: 4.7 (1 rok)",
     "JCSS, large consequences, low cost of safety measures: 4.7 (1 year)", 4.7, 1, JcssCs, JcssEn},
    {"en1990-rc1-1y", "EN 1990, RC1: 4.2 (1 rok)", "EN 1990, RC1: 4.2 (1 year)", 4.2, 1, En1990Cs,
     En1990En},
    {"en1990-rc1-50y", "EN 1990, RC1: 3.3 (50 let)", "EN 1990, RC1: 3.3 (50 years)", 3.3, 50,
     En1990Cs, En1990En},
    {"en1990-rc2-1y", "EN 1990, RC2: 4.7 (1 rok)", "EN 1990, RC2: 4.7 (1 year)", 4.7, 1, En1990Cs,
     En1990En},
    {"en1990-rc2-50y", "EN 1990, RC2: 3.8 (50 let)", "EN 1990, RC2: 3.8 (50 years)", 3.8, 50,
     En1990Cs, En1990En},
    {"en1990-rc3-1y", "EN 1990, RC3: 5.2 (1 rok)", "EN 1990, RC3: 5.2 (1 year)", 5.2, 1, En1990Cs,
     En1990En},
    {"en1990-rc3-50y", "EN 1990, RC3: 4.3 (50 let)", "EN 1990, RC3: 4.3 (50 years)", 4.3, 50,
     En1990Cs, En1990En},
}};

} // namespace

std::span<const TargetPreset> TargetPresets() {
    return Presets;
}

const TargetPreset* FindTargetPreset(const std::string& id) {
    for (const TargetPreset& p : Presets)
        if (id == p.id) return &p;
    return nullptr;
}

std::string PresetText(const TargetPreset& preset) {
    return CurrentLanguage() == Language::Czech ? preset.czech : preset.english;
}

std::string PresetSource(const TargetPreset& preset) {
    return CurrentLanguage() == Language::Czech ? preset.sourceCzech : preset.sourceEnglish;
}

} // namespace tessavin
