#include "study_report.h"

#include "common/atomic_file.h"
#include "report_sections.h"
#include "report_texts.h"

namespace tessavin::report {

RenderedReport RenderStudyReport(const StudyReport& report) {
    if (!report.inputs || !report.state || !report.result) return {{}, "no calculation to report"};
    if (report.result->end != RunEnd::Completed || report.result->rows.empty())
        return {{}, "the calculation did not complete: no report"};
    const CalculationInputs& in = *report.inputs;
    PdfPages pages(std::string(ReportText(Text::Title)) + " — " +
                   (in.projectName.empty() ? report.inputFile : in.projectName));
    WriteTitleBlock(pages, report);
    WriteInputs(pages, report);
    WriteResults(pages, report);
    WritePlan(pages, report);
    WriteHowSure(pages, report);
    WriteAppendix(pages, report);
    PdfPages::Finished done = pages.finish();
    return {std::move(done.bytes), std::move(done.failure)};
}

std::optional<std::string> WriteStudyReport(const std::filesystem::path& target,
                                            const StudyReport& report) {
    RenderedReport rendered = RenderStudyReport(report);
    if (!rendered.failure.empty()) return rendered.failure;
    return WriteFileAtomically(target, rendered.bytes);
}

} // namespace tessavin::report
