// What drives the plan in the study report: the tornado chart of pF at the base run's first
// inspection year with each parameter moved down and up, and the table of the moved runs.
#include <algorithm>

#include "common/number_format.h"
#include "report_sections.h"
#include "report_texts.h"
#include "table_writer.h"
#include "tornado_chart.h"

namespace tessavin::report {
namespace {

using sensitivity::Parameter;
using sensitivity::PlanFigures;
using sensitivity::SensitivityRow;

std::string InputName(const SensitivityRow& row) {
    return row.move.input >= 1 && row.move.input <= RandomInputCount
               ? std::to_string(row.move.input) + ". " + InputTitle(row.move.input)
               : row.move.inputKey; // C or m
}

std::string ParameterName(const SensitivityRow& row) {
    switch (row.move.parameter) {
    case Parameter::Mi:
        return ReportText(Text::Mi);
    case Parameter::Sigma:
        return ReportText(Text::Sigma);
    case Parameter::Value:
        break;
    }
    return ReportText(Text::Value);
}

// C and m by their names; an input's parameter after the input.
std::string BarLabel(const SensitivityRow& row) {
    if (row.move.parameter == Parameter::Value) return InputName(row);
    return InputName(row) + " — " + ParameterName(row) + (row.measured ? "*" : "");
}

std::string Or(const std::optional<double>& pF) {
    return pF ? ProbabilityText(*pF) : "—";
}

std::string FirstText(const PlanFigures& f) {
    return f.first ? std::to_string((*f.first)[1]) : "—";
}

std::string ValueText(double x) {
    return GeneralText(x, 4);
}

} // namespace

void WriteSensitivity(PdfPages& pages, const StudyReport& report) {
    const sensitivity::SensitivityResult& r = report.sensitivity->result;
    const std::string year = std::to_string(r.referenceYear);
    // The heading, its notes and the chart on one page.
    pages.heading(ReportText(Text::Sensitivity), 11.0, 40.0 + TornadoHeight(r.rows.size()));
    pages.paragraph(Fill(ReportText(Text::SensitivityNote),
                         {year, GeneralText(report.sensitivity->step * 100.0, 4)}),
                    9.0);
    const std::string baseFirst = r.base.first ? std::to_string((*r.base.first)[0]) + " - " +
                                                     std::to_string((*r.base.first)[1])
                                               : "—";
    pages.paragraph(Fill(ReportText(Text::SensitivityBase), {baseFirst, Or(r.base.pF)}), 9.0);
    pages.advance(4.0);

    if (r.base.pF) {
        TornadoPlot chart;
        chart.title = Fill(ReportText(Text::SensitivityChart), {year});
        chart.xTitle = "p ( F )";
        chart.downName = ReportText(Text::MovedDown);
        chart.upName = ReportText(Text::MovedUp);
        chart.baseName = ReportText(Text::BasePF);
        chart.base = *r.base.pF;
        for (const SensitivityRow& row : r.rows)
            chart.bars.push_back({BarLabel(row), row.atDown.pF, row.atUp.pF});
        WriteTornado(pages, chart);
    }

    TableSpec t;
    t.columns = {{ReportText(Text::Input), 2.0},
                 {ReportText(Text::Parameter), 0.8},
                 {ReportText(Text::BaseValue), 0.8, true},
                 {ReportText(Text::DownValue), 0.8, true},
                 {ReportText(Text::UpValue), 0.8, true},
                 {ReportText(Text::FirstDown), 0.7, true},
                 {ReportText(Text::FirstUp), 0.7, true},
                 {"pF −", 1.0, true},
                 {"pF +", 1.0, true}};
    bool measured = false;
    for (const SensitivityRow& row : r.rows) {
        measured = measured || row.measured;
        t.rows.push_back({InputName(row), ParameterName(row) + (row.measured ? "*" : ""),
                          ValueText(row.base), ValueText(row.down), ValueText(row.up),
                          FirstText(row.atDown), FirstText(row.atUp), Or(row.atDown.pF),
                          Or(row.atUp.pF)});
    }
    WriteTable(pages, t);
    if (measured) pages.paragraph(ReportText(Text::MeasuredMoveNote), 8.5);
}

} // namespace tessavin::report
