// The results, the plan, how sure the plan is, and the appendix of the study report.
#include <cmath>
#include <set>

#include "calculation/inspections.h"
#include "chart_writer.h"
#include "common/number_format.h"
#include "common/number_parse.h"
#include "report_sections.h"
#include "report_texts.h"
#include "table_writer.h"

namespace tessavin::report {
namespace {

constexpr Colour kU{0.10, 0.55, 0.20};
constexpr Colour kD{0.10, 0.30, 0.85};
constexpr Colour kF{0.85, 0.10, 0.10};
constexpr Colour kLevel{0.45, 0.45, 0.45};
constexpr double kChartHeight = 210.0;

double DesignProbability(const StudyReport& report) {
    return ParseRealPrefix(report.inputs->Pd);
}

ChartSpec EventChart(const StudyReport& report, bool logY) {
    ChartSpec chart;
    chart.title = ReportText(logY ? Text::EventChartLog : Text::EventChart);
    chart.xTitle = ReportText(Text::Year);
    chart.logY = logY;
    ChartSeries u{"p ( U )", kU}, d{"p ( D )", kD}, f{"p ( F )", kF};
    for (const YearRow& row : report.result->rows) {
        for (ChartSeries* s : {&u, &d, &f})
            s->x.push_back(row.year);
        u.y.push_back(row.pU);
        d.y.push_back(row.pD);
        f.y.push_back(row.pF);
    }
    chart.series = {u, d, f};
    chart.levels.push_back({"Pd", DesignProbability(report), kLevel});
    return chart;
}

std::vector<std::string> YearColumns() {
    return {ReportText(Text::Year), "p ( U )", "p ( D )", "p ( F )"};
}

TableSpec YearTable(const StudyReport& report, const std::set<int>& years, bool all) {
    TableSpec t;
    t.width = report.reliability ? 0.85 : 0.75;
    for (const std::string& h : YearColumns())
        t.columns.push_back({h, h == ReportText(Text::Year) ? 0.5 : 1.0, true});
    const bool beta = report.reliability.has_value();
    if (beta) t.columns.push_back({ReportText(Text::ReliabilityIndex), 0.6, true});
    for (const YearRow& row : report.result->rows) {
        if (!all && !years.count(row.year)) continue;
        std::vector<std::string> cells{std::to_string(row.year), row.texts[0], row.texts[1],
                                       row.texts[2]};
        if (beta) {
            std::string b;
            const ReliabilityCurve& r = *report.reliability;
            for (std::size_t j = 0; j < r.years.size() && j < r.beta.size(); ++j)
                if (r.years[j] == row.year)
                    b = std::isinf(r.beta[j]) ? (r.beta[j] > 0 ? "∞" : "−∞")
                                              : FixedText(r.beta[j], 3);
            cells.push_back(b);
        }
        t.rows.push_back(std::move(cells));
    }
    return t;
}

// Every fifth year and the years around each inspection of either plan.
std::set<int> SelectedYears(const StudyReport& report) {
    std::set<int> years;
    const auto around = [&](int from, int to) {
        for (int y = from - 1; y <= to + 1; ++y)
            years.insert(y);
    };
    for (const YearRow& row : report.result->rows)
        if (row.year % 5 == 0) years.insert(row.year);
    for (int k = 1; k <= InspectionRows; ++k)
        if (report.result->plan.rows[k].found)
            around(report.result->plan.rows[k].from, report.result->plan.rows[k].to);
    if (report.exact)
        for (const exactplan::ExactInspection& i : report.exact->inspections)
            around(i.from, i.to);
    return years;
}

std::string RangeText(int from, int to) {
    return std::to_string(from) + " - " + std::to_string(to);
}

void WriteReliability(PdfPages& pages, const ReliabilityCurve& r) {
    ChartSpec chart;
    chart.title = ReportText(Text::BetaChart);
    chart.xTitle = ReportText(Text::Year);
    ChartSeries beta{"β(t)", kF};
    for (std::size_t j = 0; j < r.years.size() && j < r.beta.size(); ++j) {
        beta.x.push_back(r.years[j]);
        beta.y.push_back(r.beta[j]); // infinite values are left out
    }
    chart.series.push_back(std::move(beta));
    if (r.target) chart.levels.push_back({ReportText(Text::TargetBeta), *r.target, kLevel});
    WriteChart(pages, chart, kChartHeight);
    if (r.belowTargetYear)
        pages.paragraph(ReportText(Text::BelowTarget) + std::to_string(*r.belowTargetYear), 9.5);
}

void WriteExactPlan(PdfPages& pages, const StudyReport& report) {
    const exactplan::PlanCurves& exact = *report.exact;
    pages.heading(ReportText(Text::ExactPlan), 11.0);
    pages.paragraph(ReportText(Text::ExactPlanNote), 9.0);
    std::string past;
    for (int y : report.inputs->inspected)
        past += (past.empty() ? "" : ", ") + std::to_string(y);
    pages.paragraph(
        ReportText(Text::PastInspections) + (past.empty() ? ReportText(Text::None) : past), 9.0);
    pages.advance(3.0);
    if (!exact.inspections.empty()) {
        TableSpec t;
        t.width = 0.6;
        t.columns = {{ReportText(Text::Inspection), 1.0, true},
                     {ReportText(Text::BetweenYears), 1.5, true},
                     {ReportText(Text::MadeIn), 1.2, true}};
        int k = 1;
        for (const exactplan::ExactInspection& i : exact.inspections)
            t.rows.push_back(
                {std::to_string(k++) + ".", RangeText(i.from, i.to), std::to_string(i.made)});
        WriteTable(pages, t);
    }
    if (!exact.note.empty()) pages.paragraph(exact.note, 9.0);

    // The sawtooth: pF without inspections and the conditional pF after each inspection.
    ChartSpec chart;
    chart.title = ReportText(Text::ExactChart);
    chart.xTitle = ReportText(Text::Year);
    chart.logY = true;
    ChartSeries unconditional{ReportText(Text::Unconditional), kF};
    unconditional.x.assign(exact.years.begin(), exact.years.end());
    unconditional.y = exact.pF;
    unconditional.dashed = true;
    chart.series.push_back(std::move(unconditional));
    for (std::size_t c = 0; c < exact.conditionalPF.size() && c < exact.conditionedOn.size(); ++c) {
        // One legend entry for the whole sawtooth.
        ChartSeries s{c == 0 ? ReportText(Text::Conditional) : "", kD};
        for (std::size_t j = 0; j < exact.years.size() && j < exact.conditionalPF[c].size(); ++j)
            if (exact.years[j] > exact.conditionedOn[c]) {
                s.x.push_back(exact.years[j]);
                s.y.push_back(exact.conditionalPF[c][j]);
            }
        chart.series.push_back(std::move(s));
    }
    chart.levels.push_back({"Pd", DesignProbability(report), kLevel});
    WriteChart(pages, chart, kChartHeight);
}

// The two first inspections of the calculation and of the simulation, and where their pF
// curves differ most.
void WriteCrossCheck(PdfPages& pages, const StudyReport& report) {
    const CrossCheckRun& run = *report.crossCheck;
    pages.paragraph(ReportText(Text::CrossCheckNote), 9.0);
    pages.advance(3.0);
    const auto inspection = [](const InspectionPlan& plan, int k) {
        const InspectionRow& r = plan.rows[k];
        return r.found ? RangeText(r.from, r.to) : std::string("—");
    };
    TableSpec t;
    t.columns = {{ReportText(Text::Item), 1.4},
                 {ReportText(Text::Method), 1.0, true},
                 {ReportText(Text::Simulation), 1.0, true}};
    const std::string methodFirst =
        report.result->first ? FirstInspectionText(*report.result->first) : "—";
    const std::string simulatedFirst = run.plan.first ? FirstInspectionText(*run.plan.first) : "—";
    t.rows.push_back({ReportText(Text::FirstInspectionShort), methodFirst, simulatedFirst});
    t.rows.push_back({ReportText(Text::SecondInspection), inspection(report.result->plan, 2),
                      inspection(run.plan.plan, 2)});
    t.rows.push_back({ReportText(Text::Samples), "", std::to_string(run.simulation.samples)});
    WriteTable(pages, t);
    // The largest difference of pF over the years both computed.
    double largest = -1.0, inErrors = 0.0;
    int year = 0;
    for (const YearRow& row : report.result->rows)
        for (std::size_t j = 0; j < run.simulation.years.size(); ++j) {
            if (run.simulation.years[j] != row.year) continue;
            const double d = std::abs(row.pF - run.simulation.pF[j]);
            if (d > largest) {
                largest = d;
                year = row.year;
                const double se = run.simulation.pFSe[j];
                inErrors = se > 0 ? d / se : 0.0;
            }
        }
    if (largest >= 0.0)
        pages.paragraph(
            std::string(ReportText(Text::LargestDifference)) + ": " +
                Fill(ReportText(Text::LargestDifferenceValue),
                     {ProbabilityText(largest), std::to_string(year), FixedText(inErrors, 1)}),
            9.5);
}

} // namespace

void WriteResults(PdfPages& pages, const StudyReport& report) {
    pages.newPage();
    pages.heading(ReportText(Text::ResultsSection));
    WriteChart(pages, EventChart(report, false), kChartHeight);
    WriteChart(pages, EventChart(report, true), kChartHeight);
    if (report.reliability) WriteReliability(pages, *report.reliability);
    pages.heading(ReportText(Text::SelectedYears), 11.0);
    pages.paragraph(ReportText(Text::SelectedYearsNote), 9.0);
    pages.advance(3.0);
    WriteTable(pages, YearTable(report, SelectedYears(report), false));
}

void WritePlan(PdfPages& pages, const StudyReport& report) {
    pages.heading(ReportText(Text::PlanSection));
    const RunResult& result = *report.result;
    if (result.first) {
        pages.paragraph(ReportText(Text::FirstInspection), 10.0);
        pages.paragraph(FirstInspectionText(*result.first), 11.0, true, 12.0);
        pages.advance(4.0);
    }
    pages.heading(ReportText(Text::RulePlan), 11.0);
    pages.paragraph(ReportText(Text::RulePlanNote), 9.0);
    pages.advance(3.0);
    TableSpec t;
    t.width = 0.45;
    t.columns = {{ReportText(Text::Inspection), 1.0, true},
                 {ReportText(Text::BetweenYears), 1.5, true}};
    for (int k = 1; k <= InspectionRows; ++k)
        if (result.plan.rows[k].found)
            t.rows.push_back({std::to_string(k) + ".",
                              RangeText(result.plan.rows[k].from, result.plan.rows[k].to)});
    if (t.rows.empty())
        pages.paragraph(ReportText(Text::NoInspections), 9.5);
    else
        WriteTable(pages, t);
    if (report.exact) WriteExactPlan(pages, report);
}

void WriteHowSure(PdfPages& pages, const StudyReport& report) {
    pages.heading(ReportText(Text::HowSure));
    pages.heading(ReportText(Text::CrossCheck), 11.0, 40.0);
    if (report.crossCheck)
        WriteCrossCheck(pages, report);
    else
        pages.paragraph(ReportText(Text::NotRun), 9.5);
    if (report.sensitivity) WriteSensitivity(pages, report);
}

void WriteAppendix(PdfPages& pages, const StudyReport& report) {
    pages.newPage();
    pages.heading(ReportText(Text::Appendix));
    pages.paragraph(ReportText(Text::AppendixNote), 9.0);
    pages.advance(3.0);
    WriteTable(pages, YearTable(report, {}, true));
}

} // namespace tessavin::report
