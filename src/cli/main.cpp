// tessavin-cli: the calculations of the desktop program without a window, for batch studies.
#include <iostream>
#include <string>
#include <vector>

#include "batch_command.h"
#include "fit_command.h"
#include "histogram_command.h"
#include "montecarlo_command.h"
#include "parametric/distribution_registry.h"
#include "process_memory.h"
#include "run_command.h"
#include "sensitivity_command.h"

namespace {

struct Command {
    const char* name;
    std::string usage;
    int (*run)(const std::vector<std::string>&);
};

// The number of types comes from the registry, so that a new type shows here by itself.
const std::string kHistogramUsage =
    "  tessavin-cli histogram --type N --par1 X [--par2 X] [--par3 X] [--par4 X]\n"
    "                         [--intervals N] [--eps X] [--min X --max X]\n"
    "                         [--out FILE.dis] [--json] [--lang en|cs]\n"
    "      one of the " +
    std::to_string(tessavin::DistributionCount) +
    " parametric distributions (0 Normal, 1 LogNormal_2P, ...) as a\n"
    "      histogram: printed as a table, as JSON, or written as a .dis file\n";

const Command kCommands[] = {
    {"histogram", kHistogramUsage, tessavin::cli::RunHistogramCommand},
    {"run",
     "  tessavin-cli run INPUT.json|PROJECT.Vys [--json | --csv] [--threads N]\n"
     "                  [--text-report FILE.txt] [--save-project OUT.Vys] [--lang en|cs]\n"
     "                  [--workbook FILE.xlsx] [--beta] [--target-beta X|PRESET]\n"
     "                  [--report FILE.pdf [--cross-check] [--sensitivity [--step X]]]\n"
     "      one whole calculation: the year table, the first inspection and the further\n"
     "      inspections; every field of INPUT.json is optional ({} runs the defaults);\n"
     "      a .Vys project runs from its stored histograms, under the class convention\n"
     "      it was saved with; --save-project writes the project of a completed run, to\n"
     "      be opened in the desktop program.\n"
     "      --csv: the year table, a blank line, then one row per inspection found\n"
     "      (inspection,from,to), with \"plan\": \"exact\" a blank line and the exact\n"
     "      plan (exact_inspection,from,to,made), then a blank line and the convention\n"
     "      (first or centre); the README lists the JSON keys.\n"
     "      \"plan\": \"exact\" adds the exact plan (conditioned on every inspection\n"
     "      that finds nothing, and first on the past ones in \"inspected\": [years])\n"
     "      after the rule's plan.\n"
     "      --json carries beta = -PHI^-1(pF) of every year (null where infinite); --beta\n"
     "      adds it to the table, the CSV, the text report and the workbook. A target beta\n"
     "      (--target-beta or \"target_beta\" in INPUT.json: a number or a preset,\n"
     "      jcss-{minor,moderate,large}-{high,normal,low} (1 year),\n"
     "      en1990-rc{1,2,3}-{1y,50y}) adds the first year whose beta is below it.\n"
     "      --report writes the study report (PDF, A4, in the language of the\n"
     "      messages), --cross-check adds the simulation's check (1000000 samples,\n"
     "      seed 1) to it, --sensitivity what drives the plan (as the sensitivity\n"
     "      command computes it, with its --step)\n",
     tessavin::cli::RunCalculationCommand},
    {"sensitivity",
     "  tessavin-cli sensitivity INPUT.json|PROJECT.Vys [--step X] [--threads N]\n"
     "                  [--json | --csv] [--lang en|cs]\n"
     "      what drives the plan: Mi and Sigma of the six random inputs, C and m, each\n"
     "      moved down and up by X of its value (default 0.1); per parameter the first\n"
     "      inspection year, pF at the base run's first inspection year and the\n"
     "      elasticity of that pF, widest swing of pF first\n",
     tessavin::cli::RunSensitivityCommand},
    {"fit",
     "  tessavin-cli fit DATA.txt [--intervals N] [--eps X] [--json] [--lang en|cs]\n"
     "                  [--sort tightness|aic|bic|ks|ad] [--draws N]\n"
     "      a file of measured values (one a line): its statistics, its histogram of N\n"
     "      classes and the parametric distributions that fit it, best first (by\n"
     "      tightness unless --sort says otherwise); --json adds log-likelihood, AIC,\n"
     "      BIC, KS D, Anderson-Darling A2, Cramer-von Mises W2 on the raw values and\n"
     "      bootstrap p-values of D and A2 from N draws (default 1000, 0: none)\n",
     tessavin::cli::RunFitCommand},
    {"montecarlo",
     "  tessavin-cli montecarlo INPUT.json|PROJECT.Vys [--samples N] [--seed S]\n"
     "                  [--plan rule|exact] [--threads N] [--json | --csv] [--lang en|cs]\n"
     "      a simulation of the same crack-growth model, inputs drawn from their\n"
     "      continuous distributions: pU, pD, pF per year with standard errors and the\n"
     "      inspection plan of those curves (default 1000000 samples, seed 1);\n"
     "      --plan exact (or \"plan\": \"exact\" in INPUT.json) adds the exact plan from\n"
     "      whole simulated lives, with standard errors\n",
     tessavin::cli::RunMonteCarloCommand},
    {"batch",
     "  tessavin-cli batch STUDIES.jsonl --out RESULTS.jsonl [--jobs N] [--shard I/N]\n"
     "                  [--summary OWNERS.csv] [--lang en|cs]\n"
     "      many studies: one run input a line (plus an optional \"id\"), one result line\n"
     "      each in RESULTS.jsonl, in input order; an existing RESULTS.jsonl is resumed\n"
     "      (its \"ok\" lines of the same id and input are kept); --jobs: studies at once\n"
     "      (default: the cores); --shard I/N: only study lines i (from 0) with\n"
     "      i mod N = I - 1; --summary: a table of the plans for a spreadsheet\n",
     tessavin::cli::RunBatchCommand},
};

void Usage(std::ostream& out) {
    out << "Usage:\n";
    for (const Command& c : kCommands)
        out << c.usage;
    out << "  tessavin-cli --version\n"
           "  tessavin-cli COMMAND --help\n";
}

bool AsksForHelp(const std::vector<std::string>& words) {
    for (const std::string& w : words)
        if (w == "--help" || w == "-h") return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    tessavin::cli::SetUpProcessMemory();
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        Usage(words.empty() ? std::cerr : std::cout);
        return words.empty() ? 2 : 0;
    }
    if (words[0] == "--version") {
        std::cout << "tessavin-cli " << TESSAVIN_VERSION << "\n";
        return 0;
    }
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    for (const Command& c : kCommands) {
        if (words[0] != c.name) continue;
        if (AsksForHelp(rest)) {
            std::cout << "Usage:\n" << c.usage;
            return 0;
        }
        return c.run(rest);
    }
    std::cerr << "tessavin-cli: unknown command '" << words[0] << "'\n";
    Usage(std::cerr);
    return 2;
}
