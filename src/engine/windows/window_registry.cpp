#include "windows/window_registry.h"

#include <optional>

#include "calculation/default_inputs.h"
#include "files/settings_file.h"
#include "localisation/caption_table_data.h"

namespace tessavin {
namespace {

constexpr SettingType Int = SettingType::Integer;
constexpr SettingType Bool = SettingType::Boolean;
constexpr SettingType Text = SettingType::String;

// Key names differ between windows ("-" or "*", "width" or "Width") and are used as they are.
std::vector<SettingKey> Geometry(std::string_view left, std::string_view top,
                                 std::string_view width, std::string_view height,
                                 std::string_view defaultWidth, std::string_view defaultHeight) {
    return {{PositionSection, left, Int, "0", "left"},
            {PositionSection, top, Int, "0", "top"},
            {PositionSection, width, Int, defaultWidth, "width"},
            {PositionSection, height, Int, defaultHeight, "height"}};
}

// The windows whose height key comes before their width key in the file.
std::vector<SettingKey> HeightFirst(std::vector<SettingKey> keys) {
    std::swap(keys[2], keys[3]);
    return keys;
}

std::vector<SettingKey> Plus(std::vector<SettingKey> keys, std::vector<SettingKey> more) {
    keys.insert(keys.end(), more.begin(), more.end());
    return keys;
}

// Position and size, the crack origin, the nine field texts, the eight menu ticks of the
// component section, the two colour ticks, the reliability target's three.
std::vector<SettingKey> MainWindowKeys() {
    constexpr InputDefaults d = DefaultInputs();
    return {
        {PositionSection, "Tessavin-Form1left", Int, "0", "left"},
        {PositionSection, "Tessavin-Form1top", Int, "0", "top"},
        {PositionSection, "Tessavin-Form1width", Int, "800", "width"},
        {PositionSection, "Tessavin-Form1height", Int, "483", "height"},
        {PositionSection, "Tessavin-Form1CBSireni", Int, "0", "CBSireni"},
        {ComponentSection, "Tessavin-Form1EdEps", Text, d.eps, "EdEps"},
        {ComponentSection, "Tessavin-Form1EdPocetIntervalu", Text, d.intervals, "EdPocetIntervalu"},
        {ComponentSection, "Tessavin-Form1EdKonstC", Text, d.C, "EdKonstC"},
        {ComponentSection, "Tessavin-Form1EdMocM", Text, d.m, "EdMocM"},
        {ComponentSection, "Tessavin-Form1EdRokT", Text, d.yearStart, "EdRokT"},
        {ComponentSection, "Tessavin-Form1EdRokKrok", Text, d.yearStep, "EdRokKrok"},
        {ComponentSection, "Tessavin-Form1EdRokKon", Text, d.yearEnd, "EdRokKon"},
        {ComponentSection, "Tessavin-Form1EdSirPas", Text, d.bf, "EdSirPas"},
        {ComponentSection, "Tessavin-Form1EdTloPas", Text, d.tf, "EdTloPas"},
        {ComponentSection, "Tessavin-Form1EdProhlidky", Text, "", "EdProhlidky"},
        {ComponentSection, "Tessavin-Form1 jazyk cesky", Bool, "0", "Cestina"},
        {ComponentSection, "Tessavin-Form1 jazyk anglicky", Bool, "1", "Anglictina"},
        {ComponentSection, "Tessavin-Form1 Kont.Tisk Ano", Bool, "0", "Ano2"},
        {ComponentSection, "Tessavin-Form1 Kont.Tisk Ne", Bool, "1", "Ne2"},
        {ComponentSection, "Tessavin-Form1 Index Ano", Bool, "0", "index1"},
        {ComponentSection, "Tessavin-Form1 Index Ne", Bool, "1", "NonIndex"},
        {ComponentSection, "Tessavin-Form1 Dolni mez", Bool, "1", "DolMez"},
        {ComponentSection, "Tessavin-Form1 Horni Mez", Bool, "0", "HorMez"},
        {SettingSection, "Barevné zvýraznění Ano", Bool, "1", "Ano1"},
        {SettingSection, "Barevné zvýraznění Ne", Bool, "0", "Ne1"},
        // The target β (a preset's id or a number), the inspection chart's log scale, β in the
        // saved results.
        {SettingSection, "Tessavin-Form1 Cilovy index spolehlivosti", Text, "", "CBCilBeta"},
        {SettingSection, "Tessavin-Form1 Graf3 log", Bool, "0", "Chart3Log"},
        {SettingSection, "Tessavin-Form1 Beta ve vysledcich", Bool, "0", "BetaVysledky"},
    };
}

std::vector<SettingKey> IntegrationWindowKeys() {
    constexpr InputDefaults d = DefaultInputs();
    return Plus(
        HeightFirst(Geometry("Nastaveni*Form9.left", "Nastaveni*Form9.top", "Nastaveni*Form9.width",
                             "Nastaveni*Form9.height", "375", "204")),
        {{PositionSection, "Nastaveni*Form9.EdNintegrace", Text, d.stepsText, "EdNintegrace"},
         {PositionSection, "Nastaveni*Form9.EdN", Text, d.levelsText, "EdN"},
         {PositionSection, "Nastaveni*Form9.EdTol1", Text, d.tol0Text, "EdTol0"},
         {PositionSection, "Nastaveni*Form9.CBMetoda", Int, d.methodText, "CBMetoda"},
         {PositionSection, "Nastaveni*Form9.CBKonvence", Int, "0", "CBKonvence"},
         {PositionSection, "Nastaveni*Form9.CBPlan", Int, "0", "CBPlan"}});
}

// The registry: a row per window, in the order of WindowId.
std::vector<WindowEntry> Rows() {
    using namespace caption_tables;
    return {
        {WindowId::Main, "TForm1", "main", MainWindow(), MainWindowKeys()},
        {WindowId::Histogram, "TForm2", "histogram", HistogramWindow(),
         Geometry("Histogram-Form2.left", "Histogram-Form2.top", "Histogram-Form2.width",
                  "Histogram-Form2.height", "726", "511")},
        {WindowId::RawData, "TForm4", "raw data", RawDataWindow(),
         Plus(Geometry("PrvotniData-Form4.left", "PrvotniData-Form4.top", "PrvotniData-Form4.width",
                       "PrvotniData-Form4.height", "1000", "600"),
              {{PositionSection, "PrvotniData-Form4.Eps", Text, "1E-7", "EdEps"},
               {PositionSection, "PrvotniData-Form4.PocetIntervalu", Text, "32",
                "EdPocetIntervalu"}})},
        // The width default is the screen's.
        {WindowId::SuitableHistograms, "TForm5", "suitable histograms", SuitableHistogramsWindow(),
         Plus(Geometry("TabChar-Form5.left", "TabChar-Form5.top", "TabChar-Form5.width",
                       "TabChar-Form5.height", "", "600"),
              {{PositionSection, "TabChar-Form5.GoodnessOfFit", Bool, "0", "ChBGoodness"},
               {PositionSection, "TabChar-Form5.BootstrapDraws", Int, "1000", "SpinEdDraws"}})},
        {WindowId::About, "TForm6", "about", AboutWindow(),
         Geometry("Logo*Form6.left", "Logo*Form6.top", "Logo*Form6.width", "Logo*Form6.height",
                  "350", "545")},
        {WindowId::EventGraph, "TForm7", "event graph", EventGraphWindow(),
         Plus(HeightFirst(Geometry("GrafVysl-Form7.left", "GrafVysl-Form7.top",
                                   "GrafVysl-Form7.width", "GrafVysl-Form7.height", "900", "450")),
              // The log scale of the line chart and of the inspection chart.
              {{PositionSection, "GrafVysl-Form7.Chart1 log", Bool, "0", "Chart1Log"},
               {PositionSection, "GrafVysl-Form7.Chart3 log", Bool, "0", "Chart3Log"}})},
        // Shown at start before the settings are read: it keeps nothing.
        {WindowId::Splash, "TForm8", "splash", SplashWindow(), {}},
        {WindowId::Integration, "TForm9", "integration settings", IntegrationWindow(),
         IntegrationWindowKeys()},
        {WindowId::SettingsListing, "TForm10", "settings listing", SettingsListingWindow(),
         Geometry("TabVypisIni-Form10.left", "TabVypisIni-Form10.top", "TabVypisIni-Form10.Width",
                  "TabVypisIni-Form10.Height", "500", "355")},
        {WindowId::Sensitivity, "TForm11", "what drives the plan", SensitivityWindow(),
         Plus(Geometry("Citlivost-Form11.left", "Citlivost-Form11.top", "Citlivost-Form11.width",
                       "Citlivost-Form11.height", "960", "640"),
              {{PositionSection, "Citlivost-Form11.Krok", Text, "0.1", "EdKrok"}})},
    };
}

} // namespace

std::span<const WindowEntry> Windows() {
    static const std::vector<WindowEntry> rows = Rows();
    return rows;
}

const WindowEntry& WindowOf(WindowId id) {
    return Windows()[static_cast<std::size_t>(id)];
}

const WindowEntry* FindWindow(std::string_view objectName) {
    for (const WindowEntry& w : Windows())
        if (w.objectName == objectName) return &w;
    return nullptr;
}

WindowSize DefaultSize(WindowId id) {
    const std::vector<SettingKey>& keys = WindowOf(id).settingKeys;
    const auto value = [&](std::string_view target) {
        const SettingKey* k = FindSettingKey(keys, target);
        const std::optional<int> v = k ? ParseSettingInteger(k->defaultText) : std::nullopt;
        return v.value_or(0);
    };
    return {value("width"), value("height")};
}

} // namespace tessavin
