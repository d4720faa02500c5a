// Refusals and notes composed by the simulation, the exact plan, the raw data, the fits, the
// analysis of what drives the plan and the files come out in the active language, with their
// values filled in.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <variant>

#include "calculation/field_checks.h"
#include "calculation/model.h"
#include "common/atomic_file.h"
#include "exactplan/inspected_years.h"
#include "exactplan/plan_search.h"
#include "files/project_file.h"
#include "files/settings_file.h"
#include "goodness/bootstrap.h"
#include "localisation/language.h"
#include "rawdata/raw_sample.h"
#include "sensitivity/sensitivity.h"

namespace tessavin {
namespace {

struct LanguageScope {
    explicit LanguageScope(Language l) { SetLanguage(l); }
    ~LanguageScope() { SetLanguage(Language::English); }
};

std::string RefusalOfYears(const std::string& text) {
    const auto r = exactplan::ReadInspectedYears(text, 10, 40, "EdProhlidky");
    return std::holds_alternative<std::string>(r) ? std::get<std::string>(r) : "";
}

std::string NoteOfPlan(std::vector<double> pF) {
    exactplan::PlanCurves plan;
    for (int y = 0; y < static_cast<int>(pF.size()); ++y)
        plan.years.push_back(y);
    plan.pF = std::move(pF);
    exactplan::SearchPlan(plan, 0.5, false, {}, [](int) { return std::vector<double>{}; });
    return plan.note;
}

std::string FailureText(const std::variant<ProjectData, Failure>& r) {
    return std::holds_alternative<Failure>(r) ? std::get<Failure>(r).text : "";
}

// The bootstrap's reason for a normal fitted to four values, too few to draw from.
std::string BootstrapReasonOfFourValues() {
    const RawSample four = SampleOfValues({1.0, 2.0, 2.5, 4.0});
    std::string reason;
    const auto d = FittedDistribution::Make(dist::Normal, {0, four.mean, four.deviation, 0, 0},
                                            four.mean, four.deviation, reason);
    if (!d) return reason;
    GoodnessOfFit g = MeasureFit(*d, four.values);
    BootstrapPValues(g, *d, four, FitSettings{}, {});
    return g.pReason;
}

TEST(EngineFailures, ComposedInTheActiveLanguage) {
    const RawSample sample = std::get<RawSample>(ParseRawData("1\n2\n3\n"));
    const std::string folder = ::testing::TempDir();
    struct Case {
        const char* what;
        std::function<std::string()> text;
        const char* english;
        const char* czech;
    };
    const Case cases[] = {
        {"min not below max",
         [&] { return std::get<Failure>(BuildRawHistogram(sample, 3, 4, 4)).text; },
         "MinX >= MaxX !", "MinX není menší než MaxX !"},
        {"project file ending early", [] { return FailureText(DecodeProject("")); },
         "Stream read error", "Chyba při čtení datového proudu"},
        {"project file value of the wrong kind",
         [] { return FailureText(DecodeProject(std::string_view("\x02\x01", 2))); },
         "Invalid property value", "Neplatná hodnota vlastnosti"},
        {"year not whole", [] { return RefusalOfYears("12, 1x"); },
         "EdProhlidky: 1x is not a whole number of years", "EdProhlidky: 1x není celý počet roků"},
        {"year outside", [] { return RefusalOfYears("12 41"); },
         "EdProhlidky: 41 lies outside the period 10 .. 40",
         "EdProhlidky: 41 leží mimo období 10 .. 40"},
        {"years not increasing", [] { return RefusalOfYears("20;15"); },
         "EdProhlidky: 15 does not follow 20 (the years must increase strictly)",
         "EdProhlidky: 15 nenásleduje po 20 (roky musí ostře růst)"},
        {"no inspection needed",
         [] {
             return NoteOfPlan({0.1, 0.2, 0.3});
         },
         "P(F) stays below Pd up to year 2: no inspection is needed within the period",
         "P(F) zůstává pod Pd až do roku 2: v období výpočtu není třeba žádná prohlídka"},
        {"Pd reached at once",
         [] {
             return NoteOfPlan({0.6, 0.7});
         },
         "P(F) reaches Pd already in year 0, the first of the period: no plan",
         "P(F) dosahuje Pd již v roce 0, prvním roce období: plán nelze sestavit"},
        {"Eps above 1",
         [&] {
             FitSettings s;
             s.eps = "2";
             s.min = 1;
             s.max = 3;
             return std::get<Failure>(FitContext::Make(sample, s)).text;
         },
         "Eps = 2 is > 1 !", "Eps = 2 je > 1 !"},
        {"intervals not whole", [] { return CheckInputField("EdPocetIntervalu", "12a").box->text; },
         "'12a' is not a valid integer value", "'12a' není platné celé číslo"},
        {"fit to a sample without spread",
         [] {
             std::string reason;
             FittedDistribution::Make(dist::Normal, {0, 5, 2, 0, 0}, 5, 0, reason);
             return reason;
         },
         "the sample has no spread", "výběr nemá žádný rozptyl"},
        {"bootstrap of too few values", BootstrapReasonOfFourValues, "fewer than 5 values",
         "méně než 5 hodnot"},
        {"step of the analysis",
         [] {
             sensitivity::SensitivitySettings s;
             s.step = 1.5;
             return sensitivity::AnalyseSensitivity({}, {}, s).failure;
         },
         "the step must be a number above 0 and below 1",
         "krok musí být číslo větší než 0 a menší než 1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.text(), c.english) << c.what;
        LanguageScope czech(Language::Czech);
        EXPECT_EQ(c.text(), c.czech) << c.what;
    }
    // A folder in the settings file's place, and a save into a missing folder, with their paths.
    const std::string missing = folder + "missing/file.txt";
    EXPECT_EQ(SettingsFile().Load(folder), "cannot read " + folder + ": not a regular file");
    EXPECT_EQ(WriteFileAtomically(missing, "1"),
              "cannot create a temporary file beside " + missing + ": No such file or directory");
    LanguageScope czech(Language::Czech);
    EXPECT_EQ(SettingsFile().Load(folder), "nelze přečíst " + folder + ": není obyčejný soubor");
    EXPECT_EQ(WriteFileAtomically(missing, "1"),
              "vedle " + missing + " nelze vytvořit dočasný soubor: No such file or directory");
}

// A path or a reason holding "%s" is shown as it is, never taken for a placeholder.
TEST(EngineFailures, ValuesAreNotReadAsPlaceholders) {
    LanguageScope czech(Language::Czech);
    const auto r = ReadProjectFile(::testing::TempDir() + "no %s here.tsv");
    ASSERT_TRUE(std::holds_alternative<Failure>(r));
    const std::string text = std::get<Failure>(r).text;
    EXPECT_EQ(text.rfind("Soubor \"", 0), 0u) << text;
    EXPECT_NE(text.find("no %s here.tsv\" nelze otevřít. "), std::string::npos) << text;
}

} // namespace
} // namespace tessavin
