#include "study_report.h"

#include "cairo_calls.h"
#include "common/atomic_file.h"
#include "decision/reliability_index.h"
#include "report_sections.h"
#include "report_texts.h"

namespace tessavin::report {

ReliabilityCurve ReliabilityOfRun(const RunResult& result, std::optional<double> target) {
    ReliabilityCurve curve;
    std::vector<double> pF;
    for (const YearRow& row : result.rows) {
        curve.years.push_back(row.year);
        pF.push_back(row.pF);
    }
    curve.beta = ReliabilityIndices(pF);
    curve.target = target;
    if (target)
        if (const auto below = FirstBelowTarget(curve.beta, *target))
            curve.belowTargetYear = curve.years[*below];
    return curve;
}

RenderedReport RenderStudyReport(const StudyReport& report) {
    if (!report.inputs || !report.state || !report.result) return {{}, "no calculation to report"};
    if (report.result->end != RunEnd::Completed || report.result->rows.empty())
        return {{}, "the calculation did not complete: no report"};
    if (const auto problem = CairoProblem()) return {{}, *problem};
    const CalculationInputs& in = *report.inputs;
    const std::string header = std::string(ReportText(Text::Title)) + " — " +
                               (in.projectName.empty() ? report.inputFile : in.projectName);
    // Twice: the first rendering counts the pages that the footers of the second name.
    int total = 0;
    for (int pass = 0; pass < 2; ++pass) {
        PdfPages pages(header, total);
        WriteTitleBlock(pages, report);
        WriteInputs(pages, report);
        WriteResults(pages, report);
        WritePlan(pages, report);
        WriteHowSure(pages, report);
        WriteAppendix(pages, report);
        total = pages.page();
        PdfPages::Finished done = pages.finish();
        if (pass == 1 || !done.failure.empty())
            return {std::move(done.bytes), std::move(done.failure)};
    }
    return {};
}

std::optional<std::string> ReportWriterProblem() {
    return CairoProblem();
}

std::optional<std::string> WriteStudyReport(const std::filesystem::path& target,
                                            const StudyReport& report) {
    RenderedReport rendered = RenderStudyReport(report);
    if (!rendered.failure.empty()) return rendered.failure;
    return WriteFileAtomically(target, rendered.bytes);
}

} // namespace tessavin::report
