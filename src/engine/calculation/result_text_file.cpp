#include "calculation/result_text_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "calculation/integration_settings.h"
#include "common/atomic_file.h"
#include "common/number_format.h"
#include "decision/reliability_index.h"
#include "exactplan/inspected_years.h"
#include "exactplan/plan_table.h"
#include "localisation/captions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

constexpr int NumberWidth = 23;

std::string SectionHeader(int inspection, const std::string& what) {
    return "************* " + std::to_string(inspection) + ".prohlídka " + what + " *************";
}

// Years start, start + step, ... up to end; the start year alone when the step is 0.
std::vector<int> PeriodYears(const CalculationState& state) {
    std::vector<int> years;
    if (state.step <= 0) {
        years.push_back(state.start);
        return years;
    }
    for (long long y = state.start; y <= state.end; y += state.step)
        years.push_back(static_cast<int>(y));
    return years;
}

double EventOrZero(const CalculationState& state, int block, int row, int year) {
    if (year < 0 || year > MaxYear) return 0.0;
    return state.Event(block, row, year);
}

} // namespace

std::string ResultNumberText(double x) {
    if (!std::isfinite(x)) {
        const std::string word = std::isnan(x) ? " NAN" : x < 0 ? "-INF" : " INF";
        return std::string(NumberWidth - word.size(), ' ') + word;
    }
    const std::string s = ScientificText(std::fabs(x), 14); // d.ddddddddddddddE±xx[x]
    const auto e = s.find('E');
    const int exponent = std::atoi(s.c_str() + e + 1);
    char exp[16];
    std::snprintf(exp, sizeof exp, "E%c%04d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return (x < 0 ? "-" : " ") + s.substr(0, e) + exp;
}

std::string ResultTextFileText(const CalculationInputs& in, const CalculationState& state,
                               const exactplan::PlanCurves* exact, const BetaSection* beta) {
    std::string out;
    auto line = [&out](const std::string& text) {
        out += text;
        out += "\r\n";
    };
    line(TextCis(msg::ProbabilitiesOfFirstInspection) + std::to_string(state.start) + ", " +
         std::to_string(state.start + state.step) + ",...," + std::to_string(state.end) + ")");
    line(TextCis(msg::CrackProgressionFrom) + " (" + CrackOriginText(in.crackOrigin) +
         " bf= " + in.bf + " mm, tf= " + in.tf + " m= " + in.m + ")");
    line(TextCis(msg::DesignProbabilityPd) + in.Pd);
    line(TextCis(msg::MaterialConstantC) + in.C);
    line(TextCis(msg::MaterialConstantM) + in.m);
    // The default method's report keeps its established layout; a centre run says so.
    if (in.integration.convention == Convention::Centre)
        line(ConventionLine(in.integration.convention));
    line(" ");

    const std::vector<int> years = PeriodYears(state);
    const int found = std::min(state.inspectionsFound, ProbabilityBlocks - 1);
    for (int i = 1; i <= found; ++i) {
        const int block = i == 1 ? 1 : i + 1;
        const std::array<std::string, 3> names =
            i == 1 ? std::array<std::string, 3>{"p(U)", "p(D)", "p(F)"}
                   : std::array<std::string, 3>{"p(D)", "p(F)", "F" + std::to_string(i)};
        for (int row = 1; row <= 3; ++row) {
            line(SectionHeader(i, names[row - 1]));
            line(" ");
            for (const int y : years)
                line(ResultNumberText(EventOrZero(state, block, row, y)));
            line(" ");
        }
    }
    if (exact) {
        const exactplan::PlanTable table = exactplan::MakePlanTable(*exact, years);
        line("************* " + table.title + " *************");
        line(" ");
        if (!in.inspected.empty())
            line(TextPiece(WindowId::Main, "ExactPast") +
                 exactplan::InspectedYearsText(in.inspected));
        for (std::size_t k = 0; k < exact->inspections.size(); ++k) {
            const exactplan::ExactInspection& i = exact->inspections[k];
            line(std::to_string(k + 1) + ". " + std::to_string(i.from) + " - " +
                 std::to_string(i.to) + " (" + std::to_string(i.made) + ")");
        }
        if (!exact->note.empty()) line(exact->note);
        line(" ");
        for (const exactplan::PlanTableCurve& curve : table.curves) {
            line("************* " + curve.header + " *************");
            line(" ");
            for (const double v : curve.values)
                line(ResultNumberText(v));
            line(" ");
        }
    }
    if (beta) {
        std::vector<double> values;
        for (const int y : years)
            values.push_back(ReliabilityIndex(EventOrZero(state, 1, 3, y)).value_or(NAN));
        line(SectionHeader(1, "beta = -PHI^-1(p(F))"));
        line(" ");
        for (const double b : values)
            line(ResultNumberText(b));
        line(" ");
        if (beta->target) {
            const auto below = FirstBelowTarget(values, *beta->target);
            line("beta target = " + ResultNumberText(*beta->target) + " ; first year below: " +
                 (below ? std::to_string(years[*below]) : std::string("none")));
            line(" ");
        }
    }
    return out;
}

std::optional<Failure> WriteResultTextFile(const std::filesystem::path& file,
                                           const CalculationInputs& in,
                                           const CalculationState& state,
                                           const exactplan::PlanCurves* exact,
                                           const BetaSection* beta) {
    if (!WriteFileAtomically(file, ResultTextFileText(in, state, exact, beta))) return std::nullopt;
    return ErrorBox(0, FormatMessage(TextCis(msg::DataFileWriteError), file.string()));
}

std::string DefaultResultFileName(const CalculationInputs& in) {
    return in.projectName.empty() ? "Histograms U-D-F" : in.projectName;
}

} // namespace tessavin
