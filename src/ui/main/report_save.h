#pragma once
// The desktop's study report: what the main window has on screen of a completed calculation,
// composed into the report that the batch program writes too, and saved as a PDF.
#include <QString>
#include <optional>
#include <string>

#include "calculation/driver.h"
#include "calculation/model.h"
#include "rawdata/fit_ranking.h"
#include "rawdata/raw_sample.h"
#include "study_report.h"

class QWidget;

namespace tessavin::ui {

// The study on screen. The pointers stay valid while the report is written.
struct ShownStudy {
    const CalculationInputs* inputs = nullptr;
    const CalculationState* state = nullptr;
    const RunResult* result = nullptr;                 // a completed run
    const exactplan::PlanCurves* exact = nullptr;      // the exact plan on the inspections page
    const report::CrossCheckRun* crossCheck = nullptr; // the simulation drawn on the chart
    std::string projectBytes;                          // the project as "Save results" writes it
    QString projectFile;                               // the project last opened or saved, or empty
    std::array<std::optional<report::MeasuredInput>, RandomInputCount + 1> measured{};
    std::optional<double> targetBeta; // the results page's target, when set
};

// The report of the study on screen; `sensitivity`: the last result of the "What drives the
// plan" window, when it has one. The input's SHA-256 is of the project's bytes as saved: the
// file is named when it holds exactly those bytes, else the study is marked as not saved.
report::StudyReport FillDesktopReport(const ShownStudy& study,
                                      const std::optional<report::SensitivityRun>& sensitivity);

// What the report says of a measured input: the data file, its count and, when a ranked fit
// stands for the sample, the fit with its goodness of fit on the sample's values.
report::MeasuredInput MeasuredInputOf(const RawSample& sample,
                                      const std::optional<FitContext>& context,
                                      const FitEntry* fit);

// The file a report is offered under: the project's name (or "Results") with .pdf.
QString SuggestedReportName(const CalculationInputs& in);

// Writes the report to `path` on a worker thread (the window takes no input meanwhile), saved
// atomically. The failure's text, or nothing when written.
std::optional<std::string> WriteReportInBackground(const QString& path,
                                                   const report::StudyReport& report);

} // namespace tessavin::ui
