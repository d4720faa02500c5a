#pragma once
// The sections of the study report, each written at the cursor of the pages.
#include <initializer_list>
#include <string>

#include "pdf_pages.h"
#include "study_report.h"

namespace tessavin::report {

void WriteTitleBlock(PdfPages& pages, const StudyReport& report);
void WriteInputs(PdfPages& pages, const StudyReport& report);
void WriteResults(PdfPages& pages, const StudyReport& report);
void WritePlan(PdfPages& pages, const StudyReport& report);
void WriteHowSure(PdfPages& pages, const StudyReport& report);
// What drives the plan: the tornado chart and its table (the report has a sensitivity run).
void WriteSensitivity(PdfPages& pages, const StudyReport& report);
void WriteAppendix(PdfPages& pages, const StudyReport& report);

// pattern with %1, %2, … replaced by the arguments in order.
std::string Fill(const char* pattern, std::initializer_list<std::string> arguments);

// The title of random input k (1 … 6) in the program's language.
std::string InputTitle(int k);

// A probability in short scientific form ("2.2770E-02").
std::string ProbabilityText(double p);

} // namespace tessavin::report
