#include "ui/main/report_save.h"

#include <QDate>
#include <QFileInfo>

#include "common/number_format.h"
#include "common/regular_file.h"
#include "common/sha256.h"
#include "goodness/goodness_of_fit.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "ui/common/background_task.h"
#include "ui/common/interaction.h"

namespace tessavin::ui {
namespace {

// The file's bytes when it still holds exactly `bytes`.
bool FileHolds(const QString& file, const std::string& bytes) {
    if (file.isEmpty()) return false;
    const auto read = ReadRegularFile(S(file), MaxUserFileBytes);
    const std::string* held = std::get_if<std::string>(&read);
    return held && *held == bytes;
}

std::string Statistic(const char* name, double value) {
    return std::string(name) + " = " + GeneralText(value, 4);
}

} // namespace

report::MeasuredInput MeasuredInputOf(const RawSample& sample,
                                      const std::optional<FitContext>& context,
                                      const FitEntry* fit) {
    report::MeasuredInput m;
    m.fileName = sample.fileName;
    m.count = sample.count;
    if (!fit || !context) return m;
    m.fit = FitTypeName(fit->type);
    std::string reason;
    const auto fitted = FittedCandidate(*context, sample, fit->type, reason);
    if (!fitted) return m;
    const GoodnessOfFit g = MeasureFit(*fitted, sample.values);
    if (!g.reason.empty()) return m;
    std::vector<std::string> parts{Statistic("KS D", g.edf.ks)};
    if (g.adReason.empty()) parts.push_back(Statistic("A²", g.edf.ad));
    if (g.likelihoodReason.empty()) {
        parts.push_back(Statistic("AIC", g.aic));
        parts.push_back(Statistic("BIC", g.bic));
    }
    for (const std::string& p : parts)
        m.goodness += (m.goodness.empty() ? "" : ", ") + p;
    return m;
}

report::StudyReport FillDesktopReport(const ShownStudy& study,
                                      const std::optional<report::SensitivityRun>& sensitivity) {
    report::StudyReport r;
    r.inputs = study.inputs;
    r.state = study.state;
    r.result = study.result;
    r.exact = study.exact;
    r.crossCheck = study.crossCheck;
    r.inputSha256 = Sha256Hex(study.projectBytes);
    r.inputFile = FileHolds(study.projectFile, study.projectBytes)
                      ? S(QFileInfo(study.projectFile).fileName())
                      : TextCis(msg::ReportUnsavedInput);
    r.date = S(QDate::currentDate().toString(Qt::ISODate));
    if (study.result) r.reliability = report::ReliabilityOfRun(*study.result, study.targetBeta);
    r.measured = study.measured;
    r.sensitivity = sensitivity;
    return r;
}

QString SuggestedReportName(const CalculationInputs& in) {
    return (in.projectName.empty() ? QString("Results") : Q(in.projectName)) + ".pdf";
}

std::optional<std::string> WriteReportInBackground(const QString& path,
                                                   const report::StudyReport& report) {
    const std::filesystem::path target(S(path));
    return RunInBackground<std::optional<std::string>>(
        [&] { return report::WriteStudyReport(target, report); });
}

} // namespace tessavin::ui
