// The title block and the inputs of the study report.
#include <algorithm>

#include "calculation/integration_settings.h"
#include "chart_writer.h"
#include "common/number_format.h"
#include "localisation/captions.h"
#include "localisation/messages.h"
#include "parametric/parameter_block.h"
#include "report_sections.h"
#include "report_texts.h"
#include "table_writer.h"

namespace tessavin::report {
namespace {

constexpr Colour kBarColour{0.30, 0.45, 0.70};

TableSpec ItemTable() {
    TableSpec t;
    t.columns = {{ReportText(Text::Item), 1.0}, {ReportText(Text::Value), 2.2}};
    return t;
}

std::string DistributionText(const RandomInputFields& f) {
    const std::vector<std::string> names = ParameterBlock::TypeNames();
    if (f.type < 0 || f.type >= static_cast<int>(names.size())) return "";
    return names[static_cast<std::size_t>(f.type)];
}

// What the source column says: parametric, or measured data with its file, count and fit.
std::string SourceText(const StudyReport& report, int k) {
    const RandomInputFields& f = report.inputs->random[k];
    if (f.source != InputSource::RawData) return ReportText(Text::Parametric);
    std::string text = ReportText(Text::Measured);
    if (const auto& m = report.measured[k]) {
        if (!m->fileName.empty())
            text += "; " + std::string(ReportText(Text::DataFile)) + " " + m->fileName;
        if (m->count > 0) text += "; " + std::to_string(m->count) + " " + ReportText(Text::Count);
        if (!m->fit.empty()) text += "; " + std::string(ReportText(Text::ChosenFit)) + " " + m->fit;
        if (!m->goodness.empty())
            text += "; " + std::string(ReportText(Text::Goodness)) + " " + m->goodness;
    }
    return text;
}

ChartSpec HistogramChart(const DiscreteHistogram& h, const std::string& title) {
    ChartSpec chart;
    chart.title = title;
    chart.yTitle = ReportText(Text::Probability);
    ChartSeries bars;
    bars.colour = kBarColour;
    bars.bars = true;
    bars.barWidth = h.Step > 0 ? h.Step : 1.0;
    for (int i = 1; i <= h.Bins; ++i) {
        bars.x.push_back(ClassValue(h, i));
        bars.y.push_back(h.P[i]);
    }
    chart.series.push_back(std::move(bars));
    return chart;
}

} // namespace

void WriteTitleBlock(PdfPages& pages, const StudyReport& report) {
    const CalculationInputs& in = *report.inputs;
    pages.paragraph(ReportText(Text::Title), 17.0, true);
    pages.advance(2.0);
    if (!in.projectName.empty()) pages.paragraph(in.projectName, 12.0);
    pages.advance(6.0);
    TableSpec t = ItemTable();
    if (!in.projectName.empty()) t.rows.push_back({ReportText(Text::Project), in.projectName});
    t.rows.push_back({ReportText(Text::InputFile), report.inputFile});
    t.rows.push_back({ReportText(Text::Date), report.date});
    t.rows.push_back({ReportText(Text::Version), report.version});
    t.rows.push_back({ReportText(Text::InputHash), report.inputSha256});
    t.rows.push_back({ReportText(Text::Convention), ConventionText(in.integration.convention)});
    t.rows.push_back({ReportText(Text::PlanUsed), report.exact ? ReportText(Text::PlanRuleAndExact)
                                                               : ReportText(Text::PlanRule)});
    WriteTable(pages, t);
}

void WriteInputs(PdfPages& pages, const StudyReport& report) {
    const CalculationInputs& in = *report.inputs;
    const CalculationState& state = *report.state;
    pages.heading(ReportText(Text::InputsSection));
    TableSpec t = ItemTable();
    t.rows = {
        {"C", in.C},
        {"m", in.m},
        {"bf [mm]", in.bf},
        {"tf [mm]", in.tf},
        {ReportText(Text::CrackOrigin), CrackOriginText(in.crackOrigin)},
        {ReportText(Text::Period), Fill(ReportText(Text::PeriodValue),
                                        {std::to_string(state.start), std::to_string(state.end),
                                         std::to_string(state.step)})},
        {ReportText(Text::DesignProbability), in.Pd},
        {ReportText(Text::Integration), MethodLine(in.integration)},
        {ReportText(Text::Convention), ConventionText(in.integration.convention)},
        {ReportText(Text::Bound),
         in.lowerBound ? ReportText(Text::BoundLower) : ReportText(Text::BoundUpper)},
        {ReportText(Text::Eps), in.eps},
    };
    WriteTable(pages, t);

    pages.heading(ReportText(Text::RandomInputs), 11.0);
    TableSpec r;
    r.columns = {{ReportText(Text::Number), 0.35, true}, {ReportText(Text::Input), 1.9},
                 {ReportText(Text::Source), 1.7},        {ReportText(Text::Distribution), 1.2},
                 {ReportText(Text::Mi), 0.8, true},      {ReportText(Text::Sigma), 0.8, true},
                 {ReportText(Text::Classes), 0.6, true}};
    for (int k = 1; k <= RandomInputCount; ++k) {
        const RandomInputFields& f = in.random[k];
        const bool measured = f.source == InputSource::RawData;
        r.rows.push_back({std::to_string(k), InputTitle(k), SourceText(report, k),
                          measured ? "" : DistributionText(f), f.mi, f.sigma,
                          std::to_string(state.inputs.histogram[k].Bins)});
    }
    WriteTable(pages, r);

    // Two small histograms a row.
    pages.heading(ReportText(Text::InputHistograms), 11.0, 150.0);
    const double gap = 12.0, height = 150.0;
    const double width = (pages.contentWidth() - gap) / 2;
    for (int k = 1; k <= RandomInputCount; k += 2) {
        pages.ensure(height);
        for (int j = 0; j < 2 && k + j <= RandomInputCount; ++j)
            DrawChart(pages, pages.left() + j * (width + gap), pages.y(), width, height,
                      HistogramChart(state.inputs.histogram[k + j],
                                     std::to_string(k + j) + ". " + InputTitle(k + j)));
        pages.advance(height + 6.0);
    }
}

std::string InputTitle(int k) {
    return TextCis(InputControls(k).titleMessage);
}

std::string Fill(const char* pattern, std::initializer_list<std::string> arguments) {
    std::string text = pattern;
    int n = 1;
    for (const std::string& a : arguments) {
        const std::string mark = "%" + std::to_string(n++);
        const auto at = text.find(mark);
        if (at != std::string::npos) text.replace(at, mark.size(), a);
    }
    return text;
}

std::string ProbabilityText(double p) {
    return ScientificText(p, 4);
}

} // namespace tessavin::report
