#pragma once
// The result line of one study of a batch, and the owner's summary row made from it.
#include <string>

#include <nlohmann/json.hpp>

#include "calculation/resistance_cache.h"
#include "study_line.h"

namespace tessavin::cli {

// A failed study's result: line, id, input_sha256 (null when the line gave no input), status
// "failed", message and field (null when the failure concerns no one field).
nlohmann::ordered_json FailedResult(const StudyLine& study, const std::string& message,
                                    const std::string& field);

// Runs the study (threads: the resistance loop's, 0 for one per core) and returns its result
// object: status "ok" with the plan and pF, or "failed" with the message and the field. The
// resistance histograms of a batch's earlier studies are taken from `resistances` where their
// inputs are equal bit for bit (null: always built).
nlohmann::ordered_json StudyResult(const StudyLine& study, int threads,
                                   ResistanceCache* resistances = nullptr);

// A result line written before β was in the output ("ok" without beta_end) is given
// beta_first_inspection and beta_end from its pF values, where a run puts them now; true when
// it was changed. Such a line has no target: the input field did not exist.
bool UpgradeResult(nlohmann::ordered_json& result);

// The summary columns, and one row of a result object; texts quoted as CSV needs them.
std::string SummaryHeader();
std::string SummaryRow(const nlohmann::ordered_json& result);

} // namespace tessavin::cli
