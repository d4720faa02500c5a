// The caption tables: per window, every language-dependent text in English and in Czech.
#include "localisation/caption_table_data.h"

#include <string_view>

#include "decision/target_presets.h"
#include "parametric/distribution_registry.h"
#include "parametric/input_histograms.h"

namespace tessavin {
namespace {

using K = CaptionKind;
using Table = std::vector<CaptionAssignment>;

constexpr TableText Msg(int message) {
    return {"", message};
}

CaptionAssignment WindowTitle(TableText en, TableText cs) {
    return {K::WindowCaption, "", 0, 0, en, cs};
}
CaptionAssignment Caption(const char* control, TableText en, TableText cs) {
    return {K::Caption, control, 0, 0, en, cs};
}
CaptionAssignment Hint(const char* control, const char* en, const char* cs) {
    return {K::Hint, control, 0, 0, {en}, {cs}};
}
CaptionAssignment Item(const char* control, int item, TableText en, TableText cs) {
    return {K::ListItem, control, item, 0, en, cs};
}
CaptionAssignment Refill(const char* control, const char* en, const char* cs) {
    return {K::ListRefill, control, 0, 0, {en}, {cs}};
}
CaptionAssignment Cell(const char* control, int column, int row, TableText en, TableText cs) {
    return {K::GridCell, control, column, row, en, cs};
}
CaptionAssignment Axis(const char* control, int axis, TableText en, TableText cs) {
    return {K::AxisTitle, control, axis, 0, en, cs};
}
CaptionAssignment Piece(const char* name, const char* en, const char* cs) {
    return {K::TextPiece, name, 0, 0, {en}, {cs}};
}
// `control`'s text is composed by its window of `pieces` (see ComposedPieceTexts).
CaptionAssignment Composed(const char* control, const char* pieces) {
    return {K::Composed, control, 0, 0, {pieces}, {pieces}};
}

// The lists of the random inputs' rows. Every row offers the input types by their list names;
// rows 2 .. 6 take the source list and the hints of the first row's entries in `t`.
void RandomInputRows(Table& t) {
    const RandomInputControls& first = InputControls(1);
    const Table firstRow = t;
    for (int k = 1; k <= RandomInputCount; ++k) {
        const RandomInputControls& row = InputControls(k);
        for (int type = 0; type < InputTypeCount(); ++type) {
            const DistributionInfo& d = Distribution(type);
            const TableText name = d.nameMessage ? Msg(d.nameMessage) : TableText{d.name};
            t.push_back(Item(row.type, type, name, name));
        }
        if (k == 1) continue;
        const std::pair<const char*, const char*> same[] = {{first.source, row.source},
                                                            {first.type, row.type},
                                                            {first.mi, row.mi},
                                                            {first.sigma, row.sigma},
                                                            {first.n, row.n}};
        for (const auto& [from, to] : same)
            for (CaptionAssignment a : firstRow)
                if (std::string_view(a.control) == from &&
                    (a.kind == K::Hint || a.kind == K::ListRefill)) {
                    a.control = to;
                    t.push_back(a);
                }
    }
}

} // namespace

namespace caption_tables {

Table MainWindow() {
    Table t = {
        Composed("", "#46"), // the version and " )" follow
        Caption("N3", {"&Function"}, {"&Funkce"}),
        Caption("GrafjevUDF1", {"&Probability Charts of Events U, D, F"},
                {"&Graf pravděpodobností U, D, F"}),
        Caption("Graf11", {"Chart &1 ( U,D,F - Line Graph )"}, {"Graf &1 ( U,D,F - liniový )"}),
        Caption("Graf31", {"Chart &3 ( Time of Inspections )"},
                {"Graf &3 ( výsledná doba prohlídek )"}),
        Caption("Graf21", {"Chart &2 ( U,D,F - Bar Graph )"}, {"Graf &2 ( U,D,F - sloupcový )"}),
        Caption("Otevrit1", {"&Open results"}, {"&Otevřít výsledky"}),
        Caption("Ulozit1", {"&Save results"}, {"&Uložit výsledky"}),
        // The spreadsheet command of the menu, the same as the toolbar's BExcel.
        Caption("UlozExcel", {"Save results to the spread&sheet (.xlsx)"},
                {"Uložit výsledky do &tabulky (.xlsx)"}),
        // The study report of the calculation on screen.
        Caption("UlozZpravu", {"Save &report (PDF)…"}, {"Uložit &zprávu (PDF)…"}),
        Caption("Konec1", {"&Exit"}, {"&Konec"}),
        Caption("N1", {"&Set up"}, {"N&astavení"}),
        Caption("VolbaIntegrace1", {"Selection of &Integration Methods"},
                {"&Volba integrační metody"}),
        Caption("Pedvolenhodnoty1", {"&Default values"}, {"Pře&dvolené hodnoty"}),
        Caption("Jazyk1", {"&Language"}, {"&Jazyk"}),
        Caption("Cestina", {"&Czech"}, {"&Čeština"}),
        Caption("Anglictina", {"&English"}, {"&Angličtina"}),
        Caption("BottomAxis", {"&Labels on Bottom axis"}, {"Popisky na &základní ose"}),
        Caption("index1", {"&index  f (z)"}, {"&index  f (z)"}),
        Caption("NonIndex", {"&value  f (z)"}, {"&hodnota  f (z)"}),
        Caption("KontrolniTisk1", {"&Control printing"}, {"&Kontrolní tisk"}),
        Caption("Ano2", {"&Yes"}, {"&Ano"}),
        Caption("Ne2", {"&No"}, {"&Ne"}),
        Caption("DolMez", {"&Lower bound 1th inspection time"}, {"&Dolní mez 1. prohlídky"}),
        Caption("HorMez", {"&Upper bound 1th inspection time"}, {"&Horní mez 1. prohlídky"}),
        Caption("VypDalProhl", {"&Selection of the calculation 2th, 3th., ... inspection time"},
                {"Volba výpočtu 2., 3., ... &prohlídky"}),
        Caption("VpisINIsouboru1", {"INI-&file statement"}, {"Výpis &INI-souboru"}),
        Caption("N2", {"&Help"}, {"&Nápověda"}),
        Caption("Npovda1", {"About &Version "}, {"O &Verzi"}),
        Caption("OAdresach1", {"About &Directories"}, {"O &Adresářích"}),
        Caption("BarZvy", {"The colour highlighting &histograms"},
                {"Barevné zvýraznění popisu &histogramů"}),
        Caption("Ano1", {"Yes"}, {"&Ano"}),
        Caption("Ne1", {"No"}, {"&Ne"}),
        Caption("TabSheet1", {"Input data"}, {"Vstupní údaje"}),
        Caption("Label39", {"Fatigue crack progression from"}, {"Šíření únavových trhlin z"}),
        Item("CBSireni", 0, {"the edge"}, {"okraje"}),
        Item("CBSireni", 1, {"the surface"}, {"povrchu"}),
        Caption("Label4", {"Number of years n starting / step / end values :"},
                {"Počet roků n  zac / krok /: kon "}),
        Caption("LLomitko1", {"/"}, {"/"}),
        Caption("LLomitko2", {"/"}, {"/"}),
        Caption("Label40", {"Inspections without a find, years:"}, {"Prohlídky bez nálezu, roky:"}),
        Hint("EdProhlidky",
             "Past inspections|Years of past inspections that found no crack, e.g. 50, 58: the "
             "exact plan is updated after them and plans on from the last",
             "Minulé prohlídky|Roky minulých prohlídek, které nenašly trhlinu, např. 50, 58: "
             "přesný plán se po nich aktualizuje a plánuje od poslední"),
        Caption("Label38", {"Design value of the limit probability pd"},
                {"Návrhová pravděpodobnost pd"}),
        Caption("Label16", {"Width of the flange in tension bf [ mm ]"},
                {"Šířka tažené pásnice bf [ mm ]"}),
        Caption("Label1", {"Constant of material  m"}, {"Materiálová konstanta m"}),
        Caption("Label3", {"Oscillation of stress peaks DeltaS [ MPa ]"},
                {"Rozkmit špišek napětí DeltaS  [ MPa ]"}),
        Caption("Label5", {"Total number of oscillation of stress peaks per year"},
                {"Celkový počet rozkmitů za 1 rok"}),
        Caption("Label11", {"Yield stress of material Fy [ MPa ]"},
                {"Mez kluzu materiálu Fy [ MPa ]"}),
        Caption("Label12", {"Nominal stress in flange in tension Sigma [ MPa ]"},
                {"Nominální napětí v tažené pásnici Sigma [ MPa]"}),
        Caption("Label6", {"Initial size of the crack a0 [ mm ]"},
                {"Počáteční velikost trhliny a0 [ mm ]"}),
        Caption("Label13", {"Detectable size of the crack ad [ mm ]"},
                {"Nejmenší měřitelný rozměr trhliny ad [ mm ]"}),
        Caption("Label17", {"Thickness of the flange in tension tf [ mm ]"},
                {"Tloušťka tažené pásnice tf [ mm ]"}),
        Caption("Label2", {"Constant of material  C"}, {"Materiálová konstanta C"}),
        Caption("Label10", {"Parametric / Raw data"}, {"Parametricky / Prvotní data"}),
        Caption("Label9", {"Parametric distribution"}, {"Parametrické rozdělení"}),
        Caption("Label29", {"Parameter epsilon for bounded parametric histogram "},
                {" Parametr epsilon pro omezení parametrického histogramu "}),
        Caption("Label14", {"Number of intervals"}, {"N Intervalů"}),
        Caption("Label99", {"Project"}, {"Projekt"}),
        Refill("CBRozSpZad", "Parametric\nRaw Data", "Parametricky\nPrvotní data"),
        // The parameters' symbols read the same in every language.
        Caption("Label8", {"Mi"}, {"Mi"}),
        Caption("Label7", {"Sigma"}, {"Sigma"}),
        Caption("Label37", {"N"}, {"N"}),
        Axis("Chart3", 0, Msg(257), Msg(257)),
        Axis("Chart3", 1, Msg(258), Msg(258)),
        Caption("TabSheet2", {"Results"}, {"Výsledky"}),
        Cell("StringGrid1", 0, 1, {"Execute time"}, {"Doba výpočtu"}),
        Cell("StringGrid1", 0, 2, {"Remains"}, {"Zbývá ještě"}),
        Cell("StringGrid3", 0, 0, Msg(259), Msg(259)),
        Cell("StringGrid4", 0, 0, Msg(259), Msg(259)),
        Caption("Label19", {"Total number of oscillation of stress peaks Nn per n years"},
                {"Celkový počet rozkmitů Nn za n roků"}),
        Caption("Label20", {"Cumulated effect of Loads Sn = C * ( DeltaS^m ) * Nn"},
                {"Akumulace účinků zatížení Sn = C * ( DeltaS^m ) * Nn"}),
        Caption("Label27", {"Reliability function U ( RF = Rad - Sn )"},
                {"Funkce spolehlivosti U ( RF = Rad - Sn )"}),
        Caption("Label28", {"Reliability function F ( RF = Raac - Sn )"},
                {"Funkce spolehlivosti F ( RF = Raac - Sn )"}),
        Caption("GroupBox3", {"  Year  "}, {"  Rok  "}),
        Caption("LVysledek", {"Time of the first inspection :"},
                {"Doba první prohlídky na konstrukci :"}),
        Caption("BPocitej", {"&RUN"}, {"&Vypočet"}),
        Caption("BnUpresnit", {"&Specification"}, {"&Upřesnit"}),
        Caption("BPrerus", {"&Break"}, {"&Přerušení"}),
        Caption("Label25", Msg(269), Msg(269)),
        Caption("Label26", Msg(270), Msg(270)),
        Caption("TabSheet3", {"Inspections"}, {"Prohlídky"}),
        Caption("Label18", {"Probabilities of U,D,F events in calculation"},
                {"Pravděpodobností U,D,F při výpočtu"}),
        Caption("Label22", {"of the first inspection time"}, {"doby první prohlídky"}),
        Caption("Label21", {"Year of inspection"}, {"Rok prohlídky"}),
        Caption("Label30", {"Table of probabilities of D,F,Fi events in calculation"},
                {"Tabulka pravděpodobností D,F,Fi při"}),
        // The selected inspection's heading: Label23, its number and Label31.
        Composed("Label32", "Label23 Label31"),
        {K::TextPiece, "Label23", 0, 0, {" of the selected  "}, {" výpočtu doby zvolené  "}},
        {K::TextPiece,
         "Label31",
         0,
         0,
         {" th  inspection time ( p(U)=0 )"},
         {".  prohlídky ( p(U)=0 )"}},
        Cell("StringGrid5", 0, 0, {"  Inspection"}, {"   Prohlídka"}),
        Cell("StringGrid5", 1, 0, {"   between the years"}, {"         mezi roky"}),
    };
    // An inspection that was not calculated shows the marker of the language it was written in.
    for (int row = 1; row <= 10; ++row)
        t.push_back({K::GridMarker,
                     "StringGrid5",
                     1,
                     row,
                     {"      not calculated"},
                     {"      nebyla určena"}});
    // The twelve row labels of the characteristics text are localised by the engine.

    const Table hints = {
        Hint("GrafjevUDF1",
             "Charts of events U, D, F|Show the probabilities of the events U, D, F over the "
             "computed years in the chart window",
             "Grafy jevů U, D, F|Zobrazí pravděpodobnosti jevů U, D, F v počítaných letech v "
             "okně grafů"),
        Hint("Otevrit1", "Open results|Read the project results from a data file ( .Vys )",
             "Otevřít výsledky|Načte výsledky projektu z datového souboru ( .Vys )"),
        Hint("Ulozit1",
             "Save results|Save the project results to a data file ( .Vys ) in the directory "
             "Results",
             "Uložit výsledky|Uloží výsledky projektu do datového souboru ( .Vys ) v adresáři "
             "Results"),
        Hint("Konec1", "| Exit program  T e s s a v i n", "|  Ukončí program  T e s s a v i n"),
        Hint("VolbaIntegrace1",
             "Integration method|Choose the numerical integration method of the resistance "
             "integral and its parameter (Ctrl+M)",
             "Integrační metoda|Volba metody numerické integrace odolnosti a jejího parametru "
             "(Ctrl+M)"),
        Hint("Pedvolenhodnoty1",
             "Default values|Set the default input data, window positions and sizes (Ctrl+D)",
             "Předvolené hodnoty|Nastaví předvolené vstupní údaje, polohy a velikosti oken "
             "(Ctrl+D)"),
        Hint("Jazyk1", "Language|Language of the texts of the program: Czech or English",
             "Jazyk|Jazyk textů programu: čeština nebo angličtina"),
        Hint("Cestina", "| YES - czech, NO - english", "| ANO - čeština, NE - angličtina"),
        Hint("Anglictina", "English|Switch all texts of the program to English",
             "Angličtina|Přepne všechny texty programu do angličtiny"),
        Hint("VypDalProhl",
             "Further inspections|Bound of the first inspection time from which the 2nd, 3rd, "
             "... inspection times are calculated",
             "Další prohlídky|Mez doby první prohlídky, od které se počítají doby 2., 3., ... "
             "prohlídky"),
        Caption("TcharCom", {"Show the chart toolbar ?"}, {"Zobrazit panel nástrojů grafu ?"}),
        Hint("VpisINIsouboru1",
             "INI-file statement|List the keys and values of the settings file Tessavin.INI "
             "(Ctrl+I)",
             "Výpis INI-souboru|Vypíše klíče a hodnoty souboru nastavení Tessavin.INI (Ctrl+I)"),
        Hint("N2", "Help|Version of the program and its directories",
             "Nápověda|Verze programu a jeho adresáře"),
        Hint("Npovda1",
             "About version|Show the window with the number of edition and the contacts to the "
             "developers (F1)",
             "O verzi|Zobrazí okno s číslem verze a kontakty na autory (F1)"),
        Hint("OAdresach1",
             "About directories|Show the directories of the program, of graphs and prints, of "
             "raw data and of results (F2)",
             "O adresářích|Zobrazí adresáře programu, grafů a tisků, prvotních dat a výsledků "
             "(F2)"),
        Hint("BarZvy",
             "Colour highlighting|Colour the rows of the histogram tables in the histogram and "
             "raw data windows",
             "Barevné zvýraznění|Barevně zvýrazní řádky tabulek histogramů v okně histogramu a "
             "v okně prvotních dat"),
        Hint("BGrafVysl",
             "Chart view of the resulting values)| Chart view of the resulting values "
             "probability of Events U, D, F",
             "Grafy výsledných hodnot| Grafické zobrazení výsledných pravděpodobností jevů U, D, "
             "F"),
        Hint("BExcel",
             "Save project results to the Excel file | Save results to the Excel file in "
             "directory Results",
             "Uložit výsledky projektu do sešitu Excel| Uloží výsledky do sešitu Excel v "
             "adresáři Results"),
        Hint("OpenProjekt",
             "Read project results from the file | Results from the data file ( .Vys ) will put "
             "to the base window  ",
             "Načíst výsledky projektu ze souboru| Výsledky z datového souboru ( .Vys ) se "
             "načtou do základního okna"),
        Hint("SaveProjekt",
             "Save project results to the data file | Save results to the data file ( .Vys ) in "
             "directory Results",
             "Uložit výsledky projektu do datového souboru| Uloží výsledky do datového souboru "
             "( .Vys ) v adresáři Results"),
        Hint("BNastav",
             "Setup default integration values| Setup default integration values be run "
             "(Ctrl+M)",
             "Nastavení numerické integrace| Volba integrační metody a jejího parametru "
             "(Ctrl+M)"),
        Hint("BDefHodn",
             "Setup default values ?| Default window positions will be assigned to objects and "
             "texts. (Ctrl+D)",
             "Nastavit předvolené hodnoty ?| Vstupním údajům a oknům se přiřadí předvolené "
             "hodnoty a polohy. (Ctrl+D)"),
        Hint("OAdresach",
             "Help : about Directories| Shows directories of : Merrow, Histograms, Examples, "
             "Documents, Graphs and prints, Raw datas ( F2 )",
             "Nápověda : o adresářích| Zobrazí adresáře : Tessavin, Grafy a tisky, Prvotní "
             "data, Výsledky ( F2 )"),
        Hint("OVerzi",
             "Help : about version| Shows window with number of edition and internet contacts "
             "to developers ( F1 )",
             "Nápověda : o verzi| Zobrazí okno s číslem verze a internetovými kontakty na "
             "autory ( F1 )"),
        Hint("BKonec", "Exit program ?| Exit program  T e s s a v i n  ? (Ctrl+X)",
             "Ukončit program ?| Ukončí program  T e s s a v i n  ? (Ctrl+X)"),
        Hint("BPocitej",
             "Run the calculation|Calculate the probabilities of the events U, D, F for the "
             "years of the period and the inspection times",
             "Spustit výpočet|Vypočte pravděpodobnosti jevů U, D, F pro roky zadaného období a "
             "doby prohlídek"),
        Hint("BnUpresnit",
             "Specify the first inspection|Recalculate the years of the first inspection range "
             "with a step of one year",
             "Upřesnit první prohlídku|Přepočte roky rozmezí první prohlídky s krokem jeden rok"),
        Hint("BPrerus", "Break the calculation|Interrupt the running calculation",
             "Přerušit výpočet|Přeruší probíhající výpočet"),
        Caption("BCitlivost", {"What drives the plan..."}, {"Co řídí plán..."}),
        Hint("BCitlivost",
             "What drives the plan|The plan again with each input's Mi and Sigma and with C and "
             "m moved down and up: a tornado of pF and the table",
             "Co řídí plán|Plán znovu s posunutými Mi a Sigma každého vstupu a s posunutými C a "
             "m dolů a nahoru: tornádový graf pF a tabulka"),
        Caption("BCrossCheck", {"Cross-check by simulation"}, {"Kontrola simulací"}),
        Hint("BCrossCheck",
             "Cross-check by simulation|Simulate the same model by Monte Carlo (10⁶ samples, seed "
             "1) and draw its pF with a band of two standard errors on the inspection chart",
             "Kontrola simulací|Simuluje tentýž model metodou Monte Carlo (10⁶ vzorků, semínko "
             "1) a vykreslí jeho pF s pásem dvou směrodatných chyb do grafu prohlídek"),
        // The legend of the cross-check (each curve with its first inspection) and its failure.
        Piece("CrossCheckMethod", "Method: ", "Metoda: "),
        Piece("CrossCheckSimulation", "Simulation: ", "Simulace: "),
        Piece("CrossCheckBand", "± 2 SE", "± 2 sm. ch."),
        // The exact plan beside the rule's: the inspections page, the results page's plan line
        // and the chart legend.
        Piece("RulePlanTitle", "Rule's plan", "Plán podle pravidla"),
        Piece("ExactPlanTitle", "Exact plan (updated after every inspection without a find)",
              "Přesný plán (aktualizovaný po každé prohlídce bez nálezu)"),
        Piece("ExactColumnInspection", "  Inspection", "  Prohlídka"),
        Piece("ExactColumnBetween", "   between the years", "   mezi roky"),
        Piece("ExactColumnMade", "   made in", "   provést v roce"),
        Piece("ExactPast", "Past inspections without a find: ", "Minulé prohlídky bez nálezu: "),
        Piece("RulePlanShown", "Plan: the rule's", "Plán: podle pravidla"),
        Piece("PlansShown", "Plans: the rule's and the exact", "Plány: podle pravidla a přesný"),
        Piece("ExactFirst", " (first ", " (první "),
        Piece("ExactCurveLegend", "Exact plan: p(F) after inspections without a find",
              "Přesný plán: p(F) po prohlídkách bez nálezu"),
        Piece("ExactPlanFailed", "The exact plan failed: ", "Přesný plán selhal: "),
        Piece("CrossCheckFailed",
              "The cross-check by simulation failed: ", "Kontrola simulací selhala: "),
        // The target reliability index on the results page: its field, the β(t) chart, the year
        // below the target; β in the saved results.
        Caption("LCilBeta", {"Target β:"}, {"Cílový β:"}),
        Hint("CBCilBeta",
             "Target reliability index|A number, or a target of the codes from the list (each "
             "item's tool tip names its source); empty: no target",
             "Cílový index spolehlivosti|Číslo, nebo cílová hodnota předpisů ze seznamu (bublina "
             "položky uvádí její zdroj); prázdné: bez cíle"),
        Caption("BGrafBeta", {"Chart β(t)"}, {"Graf β(t)"}),
        Hint("BGrafBeta",
             "Reliability index chart|Show β(t) = −Φ⁻¹(p(F)) with the target line in place of the "
             "probabilities",
             "Graf indexu spolehlivosti|Zobrazí β(t) = −Φ⁻¹(p(F)) s čárou cíle místo "
             "pravděpodobností"),
        Axis("ChartBeta", 0, {"Reliability index β"}, {"Index spolehlivosti β"}),
        Axis("ChartBeta", 1, Msg(258), Msg(258)),
        Piece("BetaChartTitle", "Reliability index β(t) = −Φ⁻¹(p(F)) of the computed years",
              "Index spolehlivosti β(t) = −Φ⁻¹(p(F)) v počítaných letech"),
        Piece("TargetLegend", "target β = ", "cílový β = "),
        Piece("TargetYearBelow", "β below the target %1 from year %2", "β pod cílem %1 od roku %2"),
        Piece("TargetNeverBelow", "β stays at or above the target %1",
              "β zůstává na cíli %1 nebo nad ním"),
        Piece("TargetNotNumber", "Target β: '%1' is neither a number nor a target of the list.",
              "Cílový β: '%1' není číslo ani cílová hodnota ze seznamu."),
        Piece("TargetOneYear", "1 year: ", "1 rok: "),
        Piece("TargetOverYears", ", %1 years: ", ", %1 let: "),
        Piece("TargetConversionTip",
              "Between reference periods for independent years: Φ(β_n) = Φ(β_1)^n",
              "Mezi referenčními dobami pro nezávislé roky: Φ(β_n) = Φ(β_1)^n"),
        Caption("BetaVysledky", {"β in saved results"}, {"β v uložených výsledcích"}),
        Hint("BetaVysledky",
             "β in saved results|Add β = −Φ⁻¹(p(F)) of every year and the target to the "
             "workbook and the result text file",
             "β v uložených výsledcích|Přidá β = −Φ⁻¹(p(F)) každého roku a cíl do sešitu a do "
             "textového souboru výsledků"),
        Hint("BitBtn1",
             "Histogram of DeltaS|Show the histogram of the oscillation of stress peaks DeltaS "
             "[ MPa ]",
             "Histogram DeltaS|Zobrazí histogram rozkmitu špiček napětí DeltaS [ MPa ]"),
        Hint("BitBtn2",
             "Histogram of the number of oscillations|Show the histogram of the total number of "
             "oscillation of stress peaks per year",
             "Histogram počtu rozkmitů|Zobrazí histogram celkového počtu rozkmitů za 1 rok"),
        Hint("BitBtn3",
             "Histogram of Fy|Show the histogram of the yield stress of material Fy [ MPa ]",
             "Histogram Fy|Zobrazí histogram meze kluzu materiálu Fy [ MPa ]"),
        Hint("BitBtn4",
             "Histogram of Sigma|Show the histogram of the nominal stress in the flange in "
             "tension Sigma [ MPa ]",
             "Histogram Sigma|Zobrazí histogram nominálního napětí v tažené pásnici Sigma "
             "[ MPa ]"),
        Hint("BitBtn5",
             "Histogram of a0|Show the histogram of the initial size of the crack a0 [ mm ]",
             "Histogram a0|Zobrazí histogram počáteční velikosti trhliny a0 [ mm ]"),
        Hint("BitBtn6",
             "Histogram of ad|Show the histogram of the detectable size of the crack ad [ mm ]",
             "Histogram ad|Zobrazí histogram nejmenšího měřitelného rozměru trhliny ad [ mm ]"),
        Hint("BJevU",
             "Histogram of Rad|Show the histogram of the resistance Rad up to the detectable crack "
             "size ad",
             "Histogram Rad|Zobrazí histogram odolnosti Rad do nejmenšího měřitelného rozměru "
             "trhliny ad"),
        Hint("BJevF",
             "Histogram of Raac|Show the histogram of the resistance Raac up to the acceptable "
             "crack size aac",
             "Histogram Raac|Zobrazí histogram odolnosti Raac do přípustného rozměru trhliny "
             "aac"),
        Hint("BGN",
             "Histogram of Nn|Show the histogram of the total number of oscillations Nn for the "
             "chosen year n",
             "Histogram Nn|Zobrazí histogram celkového počtu rozkmitů Nn pro zvolený rok n"),
        Hint("BGV",
             "Histogram of Sn|Show the histogram of the cumulated effect of loads Sn = C * ( "
             "DeltaS^m ) * Nn for the chosen year n",
             "Histogram Sn|Zobrazí histogram akumulace účinků zatížení Sn = C * ( DeltaS^m ) * "
             "Nn pro zvolený rok n"),
        Hint("BjevuUmSn",
             "Reliability function U|Show the histogram of the reliability function RF = Rad - "
             "Sn for the chosen year n",
             "Funkce spolehlivosti U|Zobrazí histogram funkce spolehlivosti RF = Rad - Sn pro "
             "zvolený rok n"),
        Hint("BjevuFmSn",
             "Reliability function F|Show the histogram of the reliability function RF = Raac - "
             "Sn for the chosen year n",
             "Funkce spolehlivosti F|Zobrazí histogram funkce spolehlivosti RF = Raac - Sn pro "
             "zvolený rok n"),
        Hint("TabSheet1",
             "Input data|Input data of the calculation: geometry, material constants, period "
             "and random quantities",
             "Vstupní údaje|Vstupní údaje výpočtu: geometrie, materiálové konstanty, období a "
             "náhodné veličiny"),
        Hint("TabSheet2",
             "Results|Results of the calculation: histograms, probabilities of the years and "
             "the first inspection time",
             "Výsledky|Výsledky výpočtu: histogramy, pravděpodobnosti v jednotlivých letech a "
             "doba první prohlídky"),
        Hint("CBRozSpZad",
             "Parametric / Raw data|Source of the histogram: a parametric distribution or a "
             "file of measured raw data",
             "Parametricky / Prvotní data|Zdroj histogramu: parametrické rozdělení nebo soubor "
             "naměřených prvotních dat"),
        Hint("CBTypTypRozSp",
             "Parametric distribution|Type of the parametric distribution: Normal, "
             "LogNormal_2P, Gumbel I, Gumbel II",
             "Parametrické rozdělení|Typ parametrického rozdělení: Normální, LogNormal_2P, "
             "Gumbel I, Gumbel II"),
        Hint("CBSireni",
             "Crack origin|Fatigue crack progression from the edge or from the surface of the "
             "flange",
             "Vznik trhliny|Šíření únavové trhliny z okraje nebo z povrchu pásnice"),
        Hint("EdRozSpMi",
             "Mean value Mi|Mean value Mi of the parametric distribution. Press key ENTER or "
             "TAB to exit!",
             "Střední hodnota Mi|Střední hodnota Mi parametrického rozdělení. Ukončit klávesou "
             "ENTER nebo TAB!"),
        Hint("EdRozSpSigma",
             "Standard deviation Sigma|Standard deviation Sigma of the parametric distribution. "
             "Press key ENTER or TAB to exit!",
             "Směrodatná odchylka Sigma|Směrodatná odchylka Sigma parametrického rozdělení. "
             "Ukončit klávesou ENTER nebo TAB!"),
        Hint("EdRozSpN", "Number of intervals N|Number of intervals of the histogram",
             "Počet intervalů N|Počet intervalů histogramu"),
        Hint("EdEps",
             "Parameter epsilon|Relative cut-off of the parametric histograms: the range ends "
             "where f(x) falls to Eps * Max f(x). Press key ENTER or TAB to exit!",
             "Parametr epsilon|Relativní mez parametrických histogramů: rozsah končí, kde f(x) "
             "klesne na Eps * Max f(x). Ukončit klávesou ENTER nebo TAB!"),
        Hint("EdProjekt", "Project|Name of the project, saved with the results",
             "Projekt|Název projektu, ukládá se s výsledky"),
        Hint("EdPocetIntervalu",
             "Number of intervals|Number of intervals of the parametric histograms ( range 3 .. "
             "1024 ). Press key ENTER or TAB to exit!",
             "Počet intervalů|Počet intervalů parametrických histogramů ( rozsah 3 .. 1024 ). "
             "Ukončit klávesou ENTER nebo TAB!"),
        Hint("EdRokT", "Starting year|First year n of the calculation ( 0 .. 300 )",
             "Počáteční rok|První rok n výpočtu ( 0 .. 300 )"),
        Hint("EdRokKrok", "Step in years|Step between the calculated years",
             "Krok v letech|Krok mezi počítanými roky"),
        Hint("EdRokKon",
             "End year|Last year n of the calculation ( up to 300, not below the starting year "
             ")",
             "Koncový rok|Poslední rok n výpočtu ( nejvýše 300, ne menší než počáteční rok )"),
        Hint("EdNavPravd",
             "Design probability pd|Design value of the limit probability pd ( 0 .. 1 ) that "
             "the inspection times are found from",
             "Návrhová pravděpodobnost pd|Návrhová hodnota limitní pravděpodobnosti pd ( 0 .. 1 "
             "), podle které se určují doby prohlídek"),
        Hint("EdSirPas", "Flange width bf|Width of the flange in tension bf [ mm ]",
             "Šířka pásnice bf|Šířka tažené pásnice bf [ mm ]"),
        Hint("EdKonstC",
             "Material constant C|Constant C of the crack-growth law da/dN = C * ( DeltaK )^m",
             "Materiálová konstanta C|Konstanta C zákona šíření trhliny da/dN = C * ( DeltaK "
             ")^m"),
        Hint("EdTloPas", "Flange thickness tf|Thickness of the flange in tension tf [ mm ]",
             "Tloušťka pásnice tf|Tloušťka tažené pásnice tf [ mm ]"),
        Hint("EdMocM",
             "Material constant m|Exponent m of the crack-growth law da/dN = C * ( DeltaK )^m ( "
             "m > 0 )",
             "Materiálová konstanta m|Exponent m zákona šíření trhliny da/dN = C * ( DeltaK )^m "
             "( m > 0 )"),
        Hint("CBVyber", "Year|Choose a computed year n to show its probabilities and histograms",
             "Rok|Volba vypočteného roku n pro zobrazení jeho pravděpodobností a histogramů"),
        Hint("StringGrid2",
             "Probabilities of the year|Probabilities of the events U, D, F in the chosen year",
             "Pravděpodobnosti roku|Pravděpodobnosti jevů U, D, F ve zvoleném roce"),
        Hint("StringGrid3",
             "First inspection|Probabilities of the events U, D, F in the calculation of the "
             "first inspection time",
             "První prohlídka|Pravděpodobnosti jevů U, D, F při výpočtu doby první prohlídky"),
        Hint("StringGrid4",
             "Selected inspection|Probabilities of the events D, F, Fi in the calculation of "
             "the selected inspection time",
             "Zvolená prohlídka|Pravděpodobnosti jevů D, F, Fi při výpočtu doby zvolené "
             "prohlídky"),
        Hint("StringGrid5",
             "Inspections|Years of the inspections; select a row to show its table of "
             "probabilities",
             "Prohlídky|Roky prohlídek; výběrem řádku se zobrazí jeho tabulka pravděpodobností"),
    };
    t.insert(t.end(), hints.begin(), hints.end());

    // Texts the main window composes: the results page's lines of the integration method, the
    // convention and the crack origin with the period and the intervals, the titles of the
    // plans on the inspections page.
    const Table composed = {
        Composed("Label24", "TForm9.Label1 TForm9.CBMetoda LevelsSymbol ToleranceSymbol"),
        Piece("LevelsSymbol", "n", "n"),
        Piece("ToleranceSymbol", "tol0", "tol0"),
        Composed("LKonvence", "TForm9.ConventionFirst TForm9.ConventionCentre"),
        Composed("Label15", "Label39 CBSireni IntervalsSymbol"),
        Piece("IntervalsSymbol", "INT", "INT"),
        Composed("LPlanPravidla", "RulePlanTitle"),
        Composed("LPlanPresny", "ExactPlanTitle"),
        Composed("StatusClock", ""), // the time of day: digits and separators only
    };
    t.insert(t.end(), composed.begin(), composed.end());
    // The target β's presets, each a text of the presets' table.
    int item = 0;
    for (const TargetPreset& p : TargetPresets())
        t.push_back(Item("CBCilBeta", item++, {p.english}, {p.czech}));
    RandomInputRows(t);
    return t;
}

Table HistogramWindow() {
    // CBValInd's selection follows the main window's index1 tick: the window keeps it so.
    return {
        WindowTitle({"Tessavin : Graph of histogram, reliability"},
                    {"Tessavin : zobrazení histogramu "}),
        Axis("Chart1", 0, Msg(260), Msg(260)),
        Cell("StringGrid3", 0, 0, {"Number of intervals"}, {"Počet intervalů"}),
        Cell("StringGrid3", 0, 3, {"Probability summation"}, {"Suma pravděpodobností"}),
        Cell("StringGrid3", 0, 4, {"Frequency summation"}, {"Suma četností"}),
        Cell("StringGrid3", 0, 1, {"Min"}, {"Min"}),
        Cell("StringGrid3", 0, 2, {"Max"}, {"Max"}),
        Item("CBValInd", 0, {"Index x"}, {"Index x"}),
        Item("CBValInd", 1, {"Value x"}, {"Hodnota x"}),
        Caption("BChar", {"Char"}, {"Char"}),
        Hint("BUlozit", "Save histogram|Save the histogram shown to a data file ( .dis )",
             "Uložit histogram|Uloží zobrazený histogram do datového souboru ( .dis )"),
        Hint("UlozOkno", "Copy screen|Copy a picture of the screen to the clipboard",
             "Kopie obrazovky|Zkopíruje obrázek obrazovky do schránky"),
        Hint("ExitBtn", "Exit|Close the histogram window and return to the main window",
             "Konec|Zavře okno histogramu a vrátí se do hlavního okna"),
        Hint("StringGrid2",
             "Table of classes|Classes of the histogram with their values and probabilities",
             "Tabulka tříd|Třídy histogramu s jejich hodnotami a pravděpodobnostmi"),
        Hint("StringGrid3",
             "Basic values|Number of intervals, Min, Max and the sums of probabilities and "
             "frequencies",
             "Základní hodnoty|Počet intervalů, Min, Max a součty pravděpodobností a četností"),
        Hint("TeeCommander1", "Chart tools|Zoom, move, copy and save the chart",
             "Nástroje grafu|Zvětšení, posun, kopírování a uložení grafu"),
    };
}

Table RawDataWindow() {
    return {
        WindowTitle({"  Tessavin : Raw data"}, {"  Tessavin :   Prvotní data"}),
        Cell("StringGrid3", 0, 0, {"Number of values"}, {"Počet dat"}),
        Cell("StringGrid3", 0, 3, {"Skewness"}, {"Šikmost"}),
        Cell("StringGrid3", 0, 1, {"Střední hodnota"}, {"Střední hodnota"}),
        Cell("StringGrid3", 0, 2, {"Směr.odchylka"}, {"Směr.odchylka"}),
        Cell("StringGrid4", 0, 0, {"Closeness"}, {"Těsnost"}),
        Cell("StringGrid5", 0, 0, {"Number of values"}, {"Počet dat"}),
        Cell("StringGrid6", 0, 2, {"Skewness"}, {"Šikmost"}),
        Cell("StringGrid6", 0, 0, {"Střední hodnota"}, {"Střední hodnota"}),
        Cell("StringGrid6", 0, 1, {"Směr.odchylka"}, {"Směr.odchylka"}),
        Caption("GroupBox2", {"  Data file  "}, {"  Datový soubor  "}),
        Caption("GroupBox5", {"  Raw data  "}, {"  Prvotní data  "}),
        Caption("GroupBox6", {" Parametric histogram "}, {" Parametrický histogram "}),
        Caption("Label1", {"Data file name"}, {"Název souboru"}),
        Caption("Label11", {"Type (according to closeness)"}, {"Typ ( podle těsnosti )"}),
        Caption("Label4", {"Intervals"}, {"Intervalů"}),
        Caption("Button2", {"NotParam"}, {"NeParam"}),
        Caption("CheckBox1", {"Marks of data"}, {"Popisky dat"}),
        Caption("Label3", {"Angle of marks"}, {"Úhel natočení"}),
        Caption("Label2", {"     rotation"}, {"     popisků"}),
        Hint("BNovy", "New raw data|Type new raw data and save them to a file",
             "Nová prvotní data|Zápis nových prvotních dat a jejich uložení do souboru"),
        Hint("SpeedPanel", "Toolbar|Commands of the raw data window",
             "Panel nástrojů|Příkazy okna prvotních dat"),
        Hint("OpenData", "Open raw data|Read a file of measured values, one value per line",
             "Otevřít prvotní data|Načte soubor naměřených hodnot, jedna hodnota na řádku"),
        Hint("BitBtn1",
             "Exit|Close the window; the histogram shown becomes the histogram of the input",
             "Konec|Zavře okno; zobrazený histogram se stane histogramem vstupní veličiny"),
        Hint("MemoDat", "Sorted values|Measured values of the file in ascending order",
             "Seřazené hodnoty|Naměřené hodnoty souboru seřazené vzestupně"),
        Hint("GroupBox2",
             "Data file|Range Min, Max of the histogram and the sorted values of the data file",
             "Datový soubor|Rozsah Min, Max histogramu a seřazené hodnoty datového souboru"),
        Hint("GroupBox5", "Raw data|Name and statistics of the raw data file",
             "Prvotní data|Název a statistiky souboru prvotních dat"),
        Hint("GroupBox6",
             "Parametric histogram|Parametric distributions fitted to the raw data, ranked by "
             "closeness",
             "Parametrický histogram|Parametrická rozdělení proložená prvotními daty, seřazená "
             "podle těsnosti"),
        Hint("EdNazev", "Data file name|Name of the raw data file read",
             "Název souboru|Název načteného souboru prvotních dat"),
        Hint("BChar", "Characteristics|Statistical characteristics of the histogram shown",
             "Charakteristiky|Statistické charakteristiky zobrazeného histogramu"),
        Hint("Button2", "Non-parametric histogram|Show the histogram of the raw data",
             "Neparametrický histogram|Zobrazí histogram prvotních dat"),
        Hint("EdEps",
             "Parameter epsilon|Relative cut-off of the parametric histograms, from the Eps of "
             "the main window up to 1. Press key ENTER or TAB to exit!",
             "Parametr epsilon|Relativní mez parametrických histogramů, od Eps hlavního okna "
             "do 1. Ukončit klávesou ENTER nebo TAB!"),
        Hint("StringGrid1",
             "Xmin, Xmax, Median, Mode|First and last class value, median and mode of the "
             "histogram shown",
             "Xmin, Xmax, Medián, Modus|První a poslední hodnota tříd, medián a modus "
             "zobrazeného histogramu"),
        Hint("StringGrid2",
             "Table of classes|Classes of the histogram shown with their values and "
             "probabilities",
             "Tabulka tříd|Třídy zobrazeného histogramu s jejich hodnotami a pravděpodobnostmi"),
        Hint("StringGrid3",
             "Statistics of raw data|Number of values, mean, standard deviation and skewness of "
             "the raw data",
             "Statistiky prvotních dat|Počet dat, střední hodnota, směrodatná odchylka a "
             "šikmost prvotních dat"),
        Hint("StringGrid4",
             "Closeness|Closeness of the chosen parametric histogram to the raw data",
             "Těsnost|Těsnost zvoleného parametrického histogramu k prvotním datům"),
        Hint("StringGrid5", "Number of values|Number of lines typed and the line of the caret",
             "Počet dat|Počet zapsaných řádků a řádek kurzoru"),
        Hint("StringGrid6",
             "Moments|Mean and standard deviation of the raw data, skewness of the histogram "
             "shown",
             "Momenty|Střední hodnota a směrodatná odchylka prvotních dat, šikmost zobrazeného "
             "histogramu"),
        Hint("CBTypPara",
             "Parametric distribution|Distributions fitted to the raw data, ranked by "
             "closeness; choose one to show its histogram",
             "Parametrické rozdělení|Rozdělení proložená prvotními daty, seřazená podle "
             "těsnosti; výběrem se zobrazí jeho histogram"),
        Hint("BuParam",
             "Parametric histograms|Fit every parametric distribution to the raw data and rank "
             "them by closeness",
             "Parametrické histogramy|Proloží prvotními daty všechna parametrická rozdělení a "
             "seřadí je podle těsnosti"),
        Hint("EdPocetIntervalu",
             "Interval number value change.| Input of interval number ( range 3 .. 1024 ). "
             "Press key ENTER or TAB to exit. Then select HISTOGRAM or PARAM!",
             "Změna počtu intervalů.| Zadání počtu intervalů ( rozsah 3 .. 1024 ). Ukončit "
             "klávesou ENTER nebo TAB. Potom zvolit HISTOGRAM nebo PARAM!"),
        Hint("EdMin", "Min|Lower bound of the histogram range. Press key ENTER or TAB to exit!",
             "Min|Dolní mez rozsahu histogramu. Ukončit klávesou ENTER nebo TAB!"),
        Hint("EdMax", "Max|Upper bound of the histogram range. Press key ENTER or TAB to exit!",
             "Max|Horní mez rozsahu histogramu. Ukončit klávesou ENTER nebo TAB!"),
        Hint("Chart1L",
             "Chart of the histogram|Histogram of the raw data or of the chosen parametric "
             "distribution",
             "Graf histogramu|Histogram prvotních dat nebo zvoleného parametrického rozdělení"),
        Hint("Chart1Min", "Histogram of raw data|Small chart of the histogram of the raw data",
             "Histogram prvotních dat|Malý graf histogramu prvotních dat"),
        Hint("ProgressBar1", "Progress|Progress of the fit of the parametric distributions",
             "Průběh|Průběh prokládání parametrických rozdělení"),
        Hint("Memo1", "New raw data|Type one value per line",
             "Nová prvotní data|Zapište jednu hodnotu na řádek"),
        Hint("BTabChar",
             "Table of histograms|Table of the applicable parametric histograms with their "
             "characteristics",
             "Tabulka histogramů|Tabulka vhodných parametrických histogramů s jejich "
             "charakteristikami"),
        Hint("UlozGraf",
             "Save chart| Save chart. Click right mouse button on save icon to select saving "
             "type in advance!",
             "Uložit graf histogramu| Uloží graf histogramu. Předem zvolit typ uložení ( klikem "
             "pravého tlačítka myši na ikonu grafu )"),
        Hint("SpeedButton1", "Copy screen|Copy a picture of the screen to the clipboard",
             "Kopie obrazovky|Zkopíruje obrázek obrazovky do schránky"),
        // The probability plots of the chosen distribution against the raw data.
        Item("CBGraf", 0, {"Histogram"}, {"Histogram četností"}),
        Item("CBGraf", 1, {"Q-Q plot"}, {"Graf Q-Q"}),
        Item("CBGraf", 2, {"P-P plot"}, {"Graf P-P"}),
        Hint("CBGraf",
             "Chart|The histogram, or the quantiles (Q-Q) or probabilities (P-P) of the chosen "
             "distribution against the raw data",
             "Graf|Histogram, nebo kvantily (Q-Q) či pravděpodobnosti (P-P) zvoleného rozdělení "
             "proti prvotním datům"),
        Hint("ChartPlot",
             "Probability plot|Raw data against the chosen distribution; a good fit lies on the "
             "line",
             "Pravděpodobnostní graf|Prvotní data proti zvolenému rozdělení; dobrá shoda leží na "
             "přímce"),
        Piece("QqFitted", "Quantile of the fitted distribution", "Kvantil proloženého rozdělení"),
        Piece("QqSample", "Raw data value", "Hodnota prvotních dat"),
        Piece("PpFitted", "Fitted distribution function F(x)",
              "Distribuční funkce proloženého rozdělení F(x)"),
        Piece("PpSample", "Empirical probability (i - 0.5) / n",
              "Empirická pravděpodobnost (i - 0,5) / n"),
        // The toolbar, the fields' labels and the chart's options.
        Caption("BChar", {"Char"}, {"Char"}),
        Caption("ChB_TypHist", {"Pure Discrete"}, {"Čistě diskrétní"}),
        Caption("LMin", {"Min"}, {"Min"}),
        Caption("LMax", {"Max"}, {"Max"}),
        Caption("LEps", {"Eps"}, {"Eps"}),
        Caption("BuParam", {"Param"}, {"Param"}),
        Caption("BTabChar", {"TAB"}, {"TAB"}),
        // The bar marks' styles are symbols, alike in both languages.
        Item("CBMarks", 0, {"P(x)"}, {"P(x)"}),
        Item("CBMarks", 1, {"x"}, {"x"}),
        Item("CBMarks", 2, {"x & P(x)"}, {"x & P(x)"}),
        Item("CBMarks", 3, {"INT ... x"}, {"INT ... x"}),
        Item("CBMarks", 4, {"INT & P(x)"}, {"INT & P(x)"}),
        Item("CBValInd", 0, {"Index   f(z)"}, {"Index   f(z)"}),
        Item("CBValInd", 1, {"Value x"}, {"Hodnota x"}),
        // The export choice of UlozGraf's pop-up menu: "Chart to" one of the four.
        Caption("Nastaven2", {"&Chart to"}, {"&Graf do"}),
        Caption("Schranka", {"&Clipboard"}, {"&Schránky"}),
        Caption("Bitmapa", {"&Bitmap"}, {"&Bitmapy"}),
        Caption("Metafile", {"&MetaFile"}, {"&Metasouboru"}),
        Caption("JPGFile", {"&JPGFile"}, {"Souboru &JPG"}),
        // The new-data editor.
        Caption("BSave", {"&Save  "}, {"&Uložit  "}),
        Caption("Bcancel", {"C&ancel"}, {"&Zrušit"}),
    };
}

Table SuitableHistogramsWindow() {
    Table t = {
        WindowTitle({"  Tessavin : Table of applicable histograms with parametric probability "
                     "distribution"},
                    {"  Tessavin : Tabulka vhodných histogramů s parametrickým rozdělením "
                     "pravděpodobnosti"}),
        Item("CBVyber", 0, {"Raw data"}, {"Prvotní data"}),
        Item("CBVyber", 1, {"Histograms of RawData"}, {"Histogram prvotních dat"}),
        Cell("SGCharPD", 1, 1, {"Raw datas"}, {"Prvotní data"}),
        Caption("Label1",
                {"Statistical moments and other characteristics of the histogram with "
                 "non-parametric probability distribution"},
                {"Statistické momenty a ostatní charakteristiky histogramu s neparametrickým "
                 "rozdělením pravděpodobnosti"}),
        Caption("Label2",
                {"Statistical moments and other characteristics of the histograms with "
                 "parametric probability distribution"},
                {"Statistické momenty a ostatní charakteristiky histogramů s parametrickým "
                 "rozdělením pravděpodobnosti"}),
        Caption("Label3", {"Sort at : "}, {"Seřadit podle : "}),
        Caption("Label4", {"Statistical moments of raw data"},
                {"Statistické momenty prvotních dat"}),
        Cell("SGCharPD", 1, 0, {" Type"}, {" Typ"}),
        Caption("ChBVymazRadkuTab", {"Eliminate ?"}, {"Odstranit ?"}),
        Cell("SGCharPDZ", 1, 0, {" Average"}, {" Střední hodnota"}),
        Cell("SGCharPDZ", 2, 0, {" Standard deviation"}, {" Směrodatná odchylka"}),
        Cell("SGCharPDZ", 3, 0, {" Skewness"}, {" Šikmost"}),
        Cell("SGCharPD", 0, 0, {" i"}, {" i"}),
        Cell("SGCharPD", 2, 0, {" Closeness"}, {" Těsnost"}),
        Cell("SGCharPD", 3, 0, {" Median"}, {" Median"}),
        Cell("SGCharPD", 4, 0, {" Mode"}, {" Mode"}),
        Cell("SGCharPD", 5, 0, {" Average"}, {" Střední hodnota"}),
        Cell("SGCharPD", 6, 0, {" Dispersion"}, {" Rozptyl"}),
        Cell("SGCharPD", 7, 0, {" Standard deviation"}, {" Směrodatná odchylka"}),
        Cell("SGCharPD", 8, 0, {" Variation [%]"}, {" Variační koeficient [%]"}),
        Cell("SGCharPD", 9, 0, {" Skewness"}, {" Šikmost"}),
        Cell("SGCharPD", 10, 0, {" Kurtosis"}, {" Špičatost"}),
    };
    // SGChar repeats the headings of SGCharPD, columns 0 to 10.
    const Table headings = t;
    for (int column = 0; column <= 10; ++column)
        for (const CaptionAssignment& a : headings)
            if (a.kind == K::GridCell && a.row == 0 && a.index == column &&
                std::string_view(a.control) == "SGCharPD")
                t.push_back(Cell("SGChar", column, 0, a.english, a.czech));
    const Table rest = {
        Cell("SGChar", 11, 0, {"", 108, " "}, {"", 108, " "}),
        Item("CBTypVyberu", 1, {"Closeness"}, {"Těsnost"}),
        Item("CBTypVyberu", 2, {"Median"}, {"Median"}),
        Item("CBTypVyberu", 3, {"Mode"}, {"Mode"}),
        Item("CBTypVyberu", 4, {"Average"}, {"Střední hodnota"}),
        Item("CBTypVyberu", 5, {"Dispersion"}, {"Rozptyl"}),
        Item("CBTypVyberu", 6, {"Standard deviation"}, {"Směrodatná odchylka"}),
        Item("CBTypVyberu", 7, {"Variation"}, {"Variační koeficient [%]"}),
        Item("CBTypVyberu", 8, {"Skewness"}, {"Šikmost"}),
        Item("CBTypVyberu", 9, {"Kurtosis"}, {"Špičatost"}),
        Hint("SGCharPDZ",
             "Moments of raw data|Mean, standard deviation and skewness of the raw data",
             "Momenty prvotních dat|Střední hodnota, směrodatná odchylka a šikmost prvotních "
             "dat"),
        Hint("SGCharPD", "Histogram of raw data|Characteristics of the histogram of the raw data",
             "Histogram prvotních dat|Charakteristiky histogramu prvotních dat"),
        Hint("SGChar",
             "Applicable histograms|Characteristics of the applicable parametric histograms; "
             "select a row to show its histogram",
             "Vhodné histogramy|Charakteristiky vhodných parametrických histogramů; výběrem "
             "řádku se zobrazí jeho histogram"),
        Hint("CBTypVyberu", "Sort|Characteristic by which the table is sorted",
             "Řazení|Charakteristika, podle které se tabulka seřadí"),
        Caption("BKonec", {"OK"}, {"OK"}),
        Hint("BKonec", "Exit|Close the table and return to the raw data window",
             "Konec|Zavře tabulku a vrátí se do okna prvotních dat"),
        Hint("ChBVymazRadkuTab",
             "Elimination of unaccepted ( colour marked ) parametric histograms "
             "?|Elimination of unaccepted ( colour marked ) parametric histograms ?",
             "Odstranění nevyhovujících ( barevně označených ) parametrických histogramů "
             "?|Odstranění nevyhovujících ( barevně označených ) parametrických histogramů ?"),
    };
    t.insert(t.end(), rest.begin(), rest.end());
    const Table goodness = {
        Cell("SGChar", 12, 0, {" Log-likelihood"}, {" Log. věrohodnost"}),
        Cell("SGChar", 13, 0, {" AIC"}, {" Kritérium AIC"}),
        Cell("SGChar", 14, 0, {" BIC"}, {" Kritérium BIC"}),
        Cell("SGChar", 15, 0, {" KS D"}, {" KS statistika D"}),
        Cell("SGChar", 16, 0, {" KS p"}, {" KS p-hodnota"}),
        Cell("SGChar", 17, 0, {" AD A²"}, {" AD statistika A²"}),
        Cell("SGChar", 18, 0, {" AD p"}, {" AD p-hodnota"}),
        Cell("SGChar", 19, 0, {" CvM W²"}, {" CvM statistika W²"}),
        Item("CBTypVyberu", 10, {"Log-likelihood"}, {"Logaritmus věrohodnosti"}),
        Item("CBTypVyberu", 11, {"AIC"}, {"Kritérium AIC"}),
        Item("CBTypVyberu", 12, {"BIC"}, {"Kritérium BIC"}),
        Item("CBTypVyberu", 13, {"Kolmogorov-Smirnov D"}, {"Statistika D Kolmogorova-Smirnova"}),
        Item("CBTypVyberu", 14, {"Kolmogorov-Smirnov p-value"}, {"p-hodnota Kolmogorova-Smirnova"}),
        Item("CBTypVyberu", 15, {"Anderson-Darling A²"}, {"Statistika A² Andersona-Darlingové"}),
        Item("CBTypVyberu", 16, {"Anderson-Darling p-value"}, {"p-hodnota Andersona-Darlingové"}),
        Item("CBTypVyberu", 17, {"Cramér-von Mises W²"}, {"Statistika W² Cramérové-von Misese"}),
        Caption("ChBGoodness", {"Goodness of fit"}, {"Testy dobré shody"}),
        Caption("Label5", {"Bootstrap draws : "}, {"Počet losování : "}),
        Caption("BPrerus", {"&Break"}, {"&Přerušení"}),
        Hint("ChBGoodness",
             "Goodness of fit|Columns of the log-likelihood, AIC, BIC and the Kolmogorov-Smirnov, "
             "Anderson-Darling and Cramér-von Mises statistics on the raw data, with bootstrap "
             "p-values",
             "Testy dobré shody|Sloupce logaritmu věrohodnosti, kritérií AIC a BIC a statistik "
             "Kolmogorova-Smirnova, Andersona-Darlingové a Cramérové-von Misese na prvotních "
             "datech s p-hodnotami bootstrapu"),
        Hint("SpinEdDraws",
             "Bootstrap draws|Number of samples drawn from each fitted distribution for the "
             "p-values",
             "Počet losování|Počet výběrů vylosovaných z každého proloženého rozdělení pro "
             "p-hodnoty"),
        Hint("PBBootstrap", "Progress|Progress of the bootstrap p-values",
             "Průběh|Průběh výpočtu p-hodnot bootstrapem"),
        Hint("BPrerus", "Break|Stop the bootstrap; the p-values stay empty",
             "Přerušení|Zastaví bootstrap; p-hodnoty zůstanou prázdné"),
    };
    t.insert(t.end(), goodness.begin(), goodness.end());
    return t;
}

// The about window: its title and fixed labels. The program name and the OK button read the same
// in both languages; the version line is composed by the window.
Table AboutWindow() {
    return {
        WindowTitle({"About Tessavin"}, {"O programu Tessavin"}),
        Caption("Label1", {"Tessavin"}, {"Tessavin"}),
        Caption("BKonec", {"OK"}, {"OK"}),
        Piece("Version", "Version ", "Verze "), // before the version number
        Composed("LVerze", "Version"),
        Caption("Label2",
                {"Probabilistic calculation of fatigue crack propagation in steel bridges"},
                {"Pravděpodobnostní výpočet šíření únavových trhlin v ocelových mostech"}),
        Caption("Label3", {"Tessavin development team"}, {"Vývojový tým programu Tessavin"}),
        Caption("Label4",
                {"Contact: <a href=\"mailto:tessavin@example.org\">tessavin@example.org</a>"},
                {"Kontakt: <a href=\"mailto:tessavin@example.org\">tessavin@example.org</a>"}),
    };
}

// The splash window, shown at start in the language of the program's start (English).
Table SplashWindow() {
    return {
        Caption("LNazev", {"Tessavin"}, {"Tessavin"}),
        Caption("LPopis", {"Probabilistic calculation of fatigue crack propagation"},
                {"Pravděpodobnostní výpočet šíření únavových trhlin"}),
        Caption("LAutori", {"Tessavin development team"}, {"Vývojový tým programu Tessavin"}),
        Piece("Version", "Version ", "Verze "), // before the version number
        Composed("LVerze", "Version"),
    };
}

Table EventGraphWindow() {
    return {
        WindowTitle({"Tessavin : Probability Charts of Events U, D, F"},
                    {"Tessavin : Graf pravděpodobností U, D, F"}),
        Cell("StringGrid2", 0, 0, Msg(259), Msg(259)),
        Caption("TabSheet1", {"Graph1"}, {"Graf1"}),
        Caption("TabSheet2", {"Graph2"}, {"Graf2"}),
        Caption("TabSheet3", {"Graph"}, {"Graf3"}),
        Hint("BKonec", "Quit | Return to the basic window", "Ukončení |Návrat do základního okna"),
    };
}

Table IntegrationWindow() {
    return {
        WindowTitle({"Set up input parameters for numerical integration"},
                    {"Nastavení vstupních parametrů pro num.integrování"}),
        Caption("Label4", {"Number of diferences n"}, {"Počet diferencí n"}),
        Caption("Label3", {"Paramater tol0"}, {"Paramatr tol0"}),
        Caption("Label2", {"Parameter n"}, {"Parametr n"}),
        Caption("Label1", {"Choice of integration method"}, {"Volba integrační metody"}),
        Item("CBMetoda", 0, {"Trapezoidal rule"}, {"Lichoběžníková metoda"}),
        Item("CBMetoda", 1, {"Simpson's rule"}, {"Simpsonova metoda"}),
        Item("CBMetoda", 2, {"Romberg's method"}, {"Rombergova metoda"}),
        Item("CBMetoda", 3, {"Adaptive integration"}, {"Adaptivní integrace"}),
        Item("CBMetoda", 4, {"Gaussian quadrature"}, {"Gaussova kvadratura"}),
        Hint("CBMetoda",
             "| Choice of integration method : Trapezoidal rule, Simpson's rule, Romberg's "
             "method, Adaptive integration, Gaussian quadrature",
             "| Volba integrační metody : Lichoběžníková metoda, Simpsonova metoda, Rombergova "
             "metoda, Adaptivní integrace, Gaussova kvadratura"),
        Item("CBKonvence", 0, {"Class lower edges (first)"}, {"Dolní meze tříd (first)"}),
        Item("CBKonvence", 1, {"Class centres (centre)"}, {"Středy tříd (centre)"}),
        Hint("CBKonvence", "| Convention of the classes of the histogram method",
             "| Konvence tříd histogramové metody"),
        Item("CBPlan", 0, {"Rule's plan (rule)"}, {"Plán podle pravidla (rule)"}),
        Item("CBPlan", 1, {"Rule's and exact plan (exact)"},
             {"Plán podle pravidla a přesný (exact)"}),
        Hint("CBPlan",
             "| The rule's inspection plan only, or also the exact plan: the state updated after "
             "every inspection that finds nothing",
             "| Jen plán prohlídek podle pravidla, nebo i přesný plán: stav aktualizovaný po každé "
             "prohlídce bez nálezu"),
        // The convention named on the results page and in the text report.
        Piece("ConventionFirst", "Convention: class lower edges (first)",
              "Konvence: dolní meze tříd (first)"),
        Piece("ConventionCentre", "Convention: class centres (centre)",
              "Konvence: středy tříd (centre)"),
        // The status bar after opening a project computed under the other convention.
        Piece("ConventionAdopted",
              "The project's convention is now in use: ", "Platí konvence projektu: "),
        Hint("EdNintegrace", "| Selected number of diferences n. Press key ENTER or TAB to exit!",
             "| Zvolený počet diferencí n. Ukončit klávesou ENTER nebo TAB!"),
        Caption("BKonec", {"Exit"}, {"Konec"}),
        Hint("BKonec", "Exit ?| Close window of histogram graph and program become to main desktop",
             "Konec ?| Zavře okno nastavení integrace a vrátí se do hlavního okna"),
    };
}

Table SettingsListingWindow() {
    return {
        WindowTitle({"  Tessavin :      List of INI-file"},
                    {"  Tessavin :      Výpis INI-souboru"}),
        Caption("BKonec", {"&Close"}, {"&Zavřít"}),
        Hint("BKonec", "Close|Close the listing and return to the main window",
             "Zavřít|Zavře výpis a vrátí se do hlavního okna"),
    };
}

// What drives the plan: the tornado of pF and the table of the moved runs.
Table SensitivityWindow() {
    return {
        WindowTitle({"Tessavin : What drives the plan"}, {"Tessavin : Co řídí plán prohlídek"}),
        Hint("BKonec", "Close|Close the window and return to the main window",
             "Zavřít|Zavře okno a vrátí se do hlavního okna"),
        Caption("Label1", {"Step (share of the value)"}, {"Krok (podíl hodnoty)"}),
        Caption("LMereno",
                {"* measured data: Mi shifts the histogram as a whole, Sigma scales it about its "
                 "mean"},
                {"* naměřená data: Mi posune celý histogram, Sigma ho roztáhne kolem střední "
                 "hodnoty"}),
        Hint("EdKrok",
             "Step|Each parameter is moved down and up by this share of its value: a number above "
             "0 and below 1 (0.1 moves it by 10 %)",
             "Krok|Každý parametr se posune dolů a nahoru o tento podíl své hodnoty: číslo větší "
             "než 0 a menší než 1 (0.1 ho posune o 10 %)"),
        Caption("BSpustit", {"&Run"}, {"&Spustit"}),
        Hint("BSpustit",
             "Run|The plan again with each parameter moved down and up: 28 runs on every core",
             "Spustit|Plán znovu s každým parametrem posunutým dolů a nahoru: 28 výpočtů na všech "
             "jádrech"),
        Caption("BPrerus", {"&Break"}, {"&Přerušit"}),
        Hint("BPrerus", "Break|Stop the runs; the result shown before stays",
             "Přerušit|Zastaví výpočty; dosud zobrazený výsledek zůstane"),
        Caption("BUlozObrazek", {"Save &picture..."}, {"Uložit &obrázek..."}),
        Hint("BUlozObrazek", "Save picture|Save the tornado chart as a PNG, BMP, JPEG or SVG file",
             "Uložit obrázek|Uloží graf citlivosti do souboru PNG, BMP, JPEG nebo SVG"),
        Cell("StringGrid1", 0, 0, {"Input"}, {"Vstup"}),
        Cell("StringGrid1", 1, 0, {"Parameter"}, {"Parametr"}),
        Cell("StringGrid1", 2, 0, {"Base"}, {"Základ"}),
        Cell("StringGrid1", 3, 0, {"Down"}, {"Dolů"}),
        Cell("StringGrid1", 4, 0, {"Up"}, {"Nahoru"}),
        Cell("StringGrid1", 5, 0, {"First down"}, {"První dolů"}),
        Cell("StringGrid1", 6, 0, {"First up"}, {"První nahoru"}),
        Cell("StringGrid1", 7, 0, {"pF down"}, {"pF dolů"}),
        Cell("StringGrid1", 8, 0, {"pF up"}, {"pF nahoru"}),
        Cell("StringGrid1", 9, 0, {"Elasticity"}, {"Elasticita"}),
        Cell("StringGrid1", 10, 0, {"Next down"}, {"Další dolů"}),
        Cell("StringGrid1", 11, 0, {"Next up"}, {"Další nahoru"}),
        // The inputs as the table and the chart name them.
        Piece("DeltaS", "ΔS stress range", "ΔS rozkmit napětí"),
        Piece("ranges_per_year", "Stress ranges per year", "Počet rozkmitů za rok"),
        Piece("Fy", "Fy yield stress", "Fy mez kluzu"),
        Piece("sigma", "Sigma nominal stress", "Sigma nominální napětí"),
        Piece("a0", "a0 initial crack", "a0 počáteční trhlina"),
        Piece("ad", "ad detectable crack", "ad měřitelná trhlina"),
        Piece("C", "C crack growth constant", "C konstanta růstu trhliny"),
        Piece("m", "m crack growth exponent", "m exponent růstu trhliny"),
        Piece("value", "value", "hodnota"),
        // The line above the chart and the chart's own texts.
        Piece("NoResult",
              "Not run yet for this calculation: Run computes the plan again with each "
              "parameter moved.",
              "Pro tento výpočet zatím nespuštěno: Spustit spočítá plán znovu s každým "
              "posunutým parametrem."),
        Piece("BaseFirst", "Base: first inspection between years ",
              "Základ: první prohlídka mezi roky "),
        Piece("BaseNoFirst", "Base: no first inspection in the period",
              "Základ: první prohlídka v období není"),
        Piece("BasePf", ", pF in year ", ", pF v roce "),
        Piece("BaseNext", ", next inspection (exact plan) in year ",
              ", další prohlídka (přesný plán) v roce "),
        Piece("ChartTitle", "What drives the plan: pF in year ", "Co řídí plán: pF v roce "),
        Piece("ChartMoved", ", each parameter moved by ", ", každý parametr posunut o "),
        Piece("LegendDown", "Parameter down by ", "Parametr dolů o "),
        Piece("LegendUp", "Parameter up by ", "Parametr nahoru o "),
        Piece("LegendBase", "Base pF = ", "Základní pF = "),
        // Refusals.
        Piece("StepRefused",
              "Step (share of the value): a number above 0 and below 1 is needed, for example "
              "0.1. Given: ",
              "Krok (podíl hodnoty): je třeba číslo větší než 0 a menší než 1, například 0.1. "
              "Zadáno: "),
        Piece("AnalysisFailed",
              "What drives the plan could not be computed: ", "Co řídí plán, nelze spočítat: "),
    };
}

} // namespace caption_tables

} // namespace tessavin
