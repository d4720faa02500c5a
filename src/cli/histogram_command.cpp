#include "histogram_command.h"

#include <cstdio>
#include <iostream>
#include <stdexcept>

#include "cli_args.h"
#include "cli_output.h"
#include "common/number_parse.h"
#include "histogram/dis_writer.h"
#include "localisation/language.h"
#include "parametric/discretisation.h"
#include "statlib/number_text.h"

namespace tessavin::cli {
namespace {

int Refuse(const std::string& message) {
    std::cerr << "tessavin-cli histogram: " << ForTerminal(message) << "\n";
    return kBadInput;
}

void PrintTable(const DiscreteHistogram& h) {
    std::cout << "Bins=" << h.Bins << "\n"
              << "XFirst=" << StrNaCarku(h.XFirst) << "\n"
              << "XLast=" << StrNaCarku(h.XLast) << "\n"
              << "Step=" << StrNaCarku(h.Step) << "\n"
              << "Total=" << StrNaCarku(h.Total) << "\n"
              << "Min=" << StrNaCarku(RangeMin(h)) << "\n"
              << "Max=" << StrNaCarku(RangeMax(h)) << "\n"
              << "Class\tValue\tProbability\n";
    for (int i = 1; i <= h.Bins; ++i)
        std::cout << i << "\t" << StrNaCarku(ClassValue(h, i)) << "\t" << StrNaCarku(h.P[i])
                  << "\n";
}

} // namespace

int RunHistogramCommand(const std::vector<std::string>& words) {
    std::optional<Args> args;
    try {
        args.emplace(words,
                     std::set<std::string>{"type", "par1", "par2", "par3", "par4", "intervals",
                                           "eps", "min", "max", "out", "lang"},
                     std::set<std::string>{"json"});
    } catch (const std::invalid_argument& e) {
        return Refuse(e.what());
    }
    if (!ApplyLanguageOption(*args)) return Refuse("--lang must be en or cs");

    ParametricRequest request;
    const auto type = ParseWhole(args->value("type").value_or(""));
    // The range is checked on the whole number read, before it narrows to a type.
    if (!type || *type < 0 || *type >= DistributionCount)
        return Refuse("--type must be a distribution number 0 .. " +
                      std::to_string(DistributionCount - 1));
    request.Type = static_cast<int>(*type);
    request.Par1 = args->value("par1").value_or("");
    request.Par2 = args->value("par2").value_or("0");
    request.Par3 = args->value("par3").value_or("1.5");
    request.Par4 = args->value("par4").value_or("1");
    request.IntervalCount = args->value("intervals").value_or("32");
    request.Eps = args->value("eps").value_or("1E-7");
    if (!args->value("par1")) return Refuse("--par1 is required");
    const std::pair<const char*, const std::string*> numbers[] = {{"--par1", &request.Par1},
                                                                  {"--par2", &request.Par2},
                                                                  {"--par3", &request.Par3},
                                                                  {"--par4", &request.Par4},
                                                                  {"--eps", &request.Eps}};
    for (const auto& [name, text] : numbers)
        if (!ParseReal(*text))
            return Refuse(std::string(name) + " is not a number: '" + *text + "'");
    const auto eps = ParseReal(request.Eps);
    if (!(*eps > 0 && *eps < 1)) return Refuse("--eps must lie between 0 and 1");
    if (args->has("min") != args->has("max")) return Refuse("--min and --max go together");
    if (args->has("min")) {
        const auto lo = ParseReal(*args->value("min"));
        const auto hi = ParseReal(*args->value("max"));
        if (!lo || !hi || !(*lo < *hi))
            return Refuse("--min and --max must be numbers with min < max");
        request.GivenRange = true;
        request.GivenMin = *lo;
        request.GivenMax = *hi;
    }

    WorkingHistogram work;
    const BuildOutcome build = BuildParametricHistogram(request, work);
    if (!build.Reports.empty()) {
        for (const Failure& f : build.Reports)
            std::cerr << ForTerminal(f.text) << "\n";
        return kBadInput;
    }
    if (!build.Succeeded || work.Bins == 0)
        return Refuse("the distribution " + DistributionName(request.Type) +
                      " gives no histogram for these parameters (a parameter that must be positive"
                      " is not, or the type needs --min and --max)");

    DiscreteHistogram h;
    StoreWorkingHistogram(work, h);
    if (const auto out = args->value("out")) {
        if (const auto failure = WriteDisFile(h, *out)) return Refuse(failure->text);
    }
    if (args->has("json"))
        std::cout << HistogramJson(h).dump() << "\n";
    else if (!args->value("out"))
        PrintTable(h);
    return 0;
}

} // namespace tessavin::cli
