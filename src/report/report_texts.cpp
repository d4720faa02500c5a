#include "report_texts.h"

#include "localisation/language.h"

namespace tessavin::report {
namespace {

struct Entry {
    Text id;
    const char* english;
    const char* czech;
};

constexpr Entry kTexts[] = {
    {Text::Title, "Fatigue crack growth and inspection plan",
     "Šíření únavové trhliny a plán prohlídek"},
    {Text::Item, "Item", "Položka"},
    {Text::Value, "Value", "Hodnota"},
    {Text::Project, "Project", "Projekt"},
    {Text::InputFile, "Input file", "Vstupní soubor"},
    {Text::Date, "Date", "Datum"},
    {Text::Version, "Program version", "Verze programu"},
    {Text::InputHash, "SHA-256 of the input", "SHA-256 vstupu"},
    {Text::Convention, "Class convention", "Konvence tříd"},
    {Text::PlanUsed, "Inspection plan", "Plán prohlídek"},
    {Text::PlanRule, "the rule's plan", "plán podle pravidla"},
    {Text::PlanRuleAndExact, "the rule's plan and the exact plan",
     "plán podle pravidla a přesný plán"},
    {Text::InputsSection, "1 Inputs", "1 Vstupy"},
    {Text::CrackOrigin, "Crack origin", "Vznik trhliny"},
    {Text::Period, "Period (years)", "Období (roky)"},
    {Text::PeriodValue, "from %1 to %2, step %3", "od %1 do %2, krok %3"},
    {Text::DesignProbability, "Design probability Pd", "Návrhová pravděpodobnost Pd"},
    {Text::Integration, "Integration", "Integrace"},
    {Text::Bound, "Inspection year bound", "Mez roku prohlídky"},
    {Text::BoundLower, "lower (the earlier year)", "dolní (dřívější rok)"},
    {Text::BoundUpper, "upper (the later year)", "horní (pozdější rok)"},
    {Text::Classes, "Classes", "Třídy"},
    {Text::Eps, "Eps (trimming of the histograms)", "Eps (ořezání histogramů)"},
    {Text::RandomInputs, "Random inputs", "Náhodné vstupy"},
    {Text::Number, "No.", "Č."},
    {Text::Input, "Input", "Vstup"},
    {Text::Source, "Source", "Zdroj"},
    {Text::Distribution, "Distribution", "Rozdělení"},
    {Text::Mi, "Mi", "Mi"},
    {Text::Sigma, "Sigma", "Sigma"},
    {Text::Parametric, "parametric", "parametrické"},
    {Text::Measured, "measured data", "naměřená data"},
    {Text::DataFile, "file", "soubor"},
    {Text::Count, "values", "hodnot"},
    {Text::ChosenFit, "chosen fit", "zvolené rozdělení"},
    {Text::Goodness, "goodness of fit", "shoda s daty"},
    {Text::InputHistograms, "Histograms of the random inputs", "Histogramy náhodných vstupů"},
    {Text::Probability, "probability", "pravděpodobnost"},
    {Text::Year, "Year", "Rok"},
    {Text::ResultsSection, "2 Results", "2 Výsledky"},
    {Text::EventChart, "Probabilities of the events U, D, F", "Pravděpodobnosti jevů U, D, F"},
    {Text::EventChartLog, "Probabilities of the events U, D, F (logarithmic scale)",
     "Pravděpodobnosti jevů U, D, F (logaritmická stupnice)"},
    {Text::SelectedYears, "Selected years", "Vybrané roky"},
    {Text::SelectedYearsNote,
     "Every fifth year and the years around each inspection; the appendix lists every year.",
     "Každý pátý rok a roky okolo každé prohlídky; příloha uvádí všechny roky."},
    {Text::ReliabilityIndex, "β", "β"},
    {Text::BetaChart, "Reliability index β(t)", "Index spolehlivosti β(t)"},
    {Text::TargetBeta, "target β", "cílové β"},
    {Text::BelowTarget, "β falls below the target in year ", "β klesá pod cílovou hodnotu v roce "},
    {Text::PlanSection, "3 Inspection plan", "3 Plán prohlídek"},
    {Text::FirstInspection, "Time of the first inspection :", "Čas první prohlídky :"},
    {Text::FirstInspectionShort, "First inspection", "První prohlídka"},
    {Text::RulePlan, "The rule's plan", "Plán podle pravidla"},
    {Text::RulePlanNote,
     "The further inspections of the rule use the failure curves without updating the state "
     "after an inspection.",
     "Další prohlídky podle pravidla vycházejí z křivek poruchy bez aktualizace stavu po "
     "prohlídce."},
    {Text::Inspection, "Inspection", "Prohlídka"},
    {Text::BetweenYears, "between the years", "mezi roky"},
    {Text::NoInspections, "No inspection was found in the period.",
     "V období nebyla nalezena žádná prohlídka."},
    {Text::ExactPlan, "The exact plan", "Přesný plán"},
    {Text::ExactPlanNote,
     "The state of each structure is updated after every inspection that finds nothing; this is "
     "not the rule's plan above.",
     "Stav každé konstrukce se aktualizuje po každé prohlídce, která nic nenajde; nejde o plán "
     "podle pravidla výše."},
    {Text::PastInspections, "Past inspections without a find: ", "Dřívější prohlídky bez nálezu: "},
    {Text::None, "none", "žádné"},
    {Text::MadeIn, "made in", "provedena v roce"},
    {Text::ExactChart, "Probability of F after each inspection that found nothing",
     "Pravděpodobnost jevu F po každé prohlídce bez nálezu"},
    {Text::Unconditional, "pF without inspections", "pF bez prohlídek"},
    {Text::Conditional, "pF after the inspections that found nothing",
     "pF po prohlídkách bez nálezu"},
    {Text::HowSure, "4 How sure", "4 Spolehlivost výsledku"},
    {Text::CrossCheck, "Cross-check by simulation", "Kontrola simulací"},
    {Text::CrossCheckNote,
     "An independent Monte Carlo simulation of the same crack-growth model, inputs drawn from "
     "their continuous distributions.",
     "Nezávislá simulace Monte Carlo téhož modelu šíření trhliny se vstupy ze spojitých "
     "rozdělení."},
    {Text::NotRun, "Not run for this report.", "Pro tuto zprávu nebyla spuštěna."},
    {Text::Method, "Calculation", "Výpočet"},
    {Text::Simulation, "Simulation", "Simulace"},
    {Text::SecondInspection, "Second inspection", "Druhá prohlídka"},
    {Text::LargestDifference, "Largest difference of pF", "Největší rozdíl pF"},
    {Text::LargestDifferenceValue, "%1 in year %2 (%3 standard errors)",
     "%1 v roce %2 (%3 směrodatných chyb)"},
    {Text::Samples, "Samples", "Počet vzorků"},
    {Text::Sensitivity, "What drives the plan", "Co určuje plán"},
    {Text::Parameter, "Parameter", "Parametr"},
    {Text::SensitivityNote,
     "pF in year %1, the base run's first inspection year, with each parameter moved down and "
     "up by %2 % of its value; the widest swing on top.",
     "pF v roce %1, roce první prohlídky základního výpočtu, při snížení a zvýšení každého "
     "parametru o %2 % jeho hodnoty; největší rozkmit nahoře."},
    {Text::SensitivityBase, "Base run: first inspection %1, pF = %2.",
     "Základní výpočet: první prohlídka %1, pF = %2."},
    {Text::SensitivityChart, "pF in year %1", "pF v roce %1"},
    {Text::MovedDown, "parameter moved down", "parametr snížen"},
    {Text::MovedUp, "parameter moved up", "parametr zvýšen"},
    {Text::BasePF, "base run", "základní výpočet"},
    {Text::BaseValue, "Base", "Základ"},
    {Text::DownValue, "Down", "Snížen"},
    {Text::UpValue, "Up", "Zvýšen"},
    {Text::FirstDown, "1st insp. −", "1. prohl. −"},
    {Text::FirstUp, "1st insp. +", "1. prohl. +"},
    {Text::MeasuredMoveNote,
     "* measured data: Mi shifts the histogram as a whole, Sigma scales it about its mean.",
     "* naměřená data: Mi posouvá celý histogram, Sigma jej mění v měřítku kolem střední "
     "hodnoty."},
    {Text::Appendix, "Appendix: the year table", "Příloha: tabulka roků"},
    {Text::AppendixNote, "Probabilities of the events U, D, F in every computed year.",
     "Pravděpodobnosti jevů U, D, F ve všech počítaných letech."},
};

} // namespace

const char* ReportText(Text text) {
    for (const Entry& e : kTexts)
        if (e.id == text) return CurrentLanguage() == Language::Czech ? e.czech : e.english;
    return "";
}

} // namespace tessavin::report
