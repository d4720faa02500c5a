// tessavin-cli: the calculations of the desktop program without a window, for batch studies.
#include <iostream>
#include <string>
#include <vector>

#include "fit_command.h"
#include "histogram_command.h"
#include "montecarlo_command.h"
#include "run_command.h"

namespace {

void Usage(std::ostream& out) {
    out << "Usage:\n"
           "  tessavin-cli histogram --type N --par1 X [--par2 X] [--par3 X] [--par4 X]\n"
           "                         [--intervals N] [--eps X] [--min X --max X]\n"
           "                         [--out FILE.dis] [--json] [--lang en|cs]\n"
           "      one of the 24 parametric distributions (0 Normal, 1 LogNormal_2P, ...) as a\n"
           "      histogram: printed as a table, as JSON, or written as a .dis file\n"
           "  tessavin-cli run INPUT.json|PROJECT.Vys [--json | --csv] [--threads N]\n"
           "                  [--text-report FILE.txt] [--save-project OUT.Vys] [--lang en|cs]\n"
           "      one whole calculation: the year table, the first inspection and the further\n"
           "      inspections; every field of INPUT.json is optional ({} runs the defaults);\n"
           "      a .Vys project runs from its stored histograms; --save-project writes the\n"
           "      project of a completed run, to be opened in the desktop program\n"
           "  tessavin-cli fit DATA.txt [--intervals N] [--eps X] [--json] [--lang en|cs]\n"
           "      a file of measured values (one a line): its statistics, its histogram of N\n"
           "      classes and the parametric distributions that fit it, best first\n"
           "  tessavin-cli montecarlo INPUT.json|PROJECT.Vys [--samples N] [--seed S]\n"
           "                  [--threads N] [--json | --csv] [--lang en|cs]\n"
           "      a simulation of the same crack-growth model, inputs drawn from their\n"
           "      continuous distributions: pU, pD, pF per year with standard errors and the\n"
           "      inspection plan of those curves (default 1000000 samples, seed 1)\n";
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        Usage(words.empty() ? std::cerr : std::cout);
        return words.empty() ? 2 : 0;
    }
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (words[0] == "histogram") return tessavin::cli::RunHistogramCommand(rest);
    if (words[0] == "run") return tessavin::cli::RunCalculationCommand(rest);
    if (words[0] == "fit") return tessavin::cli::RunFitCommand(rest);
    if (words[0] == "montecarlo") return tessavin::cli::RunMonteCarloCommand(rest);
    std::cerr << "tessavin-cli: unknown command '" << words[0] << "'\n";
    Usage(std::cerr);
    return 2;
}
