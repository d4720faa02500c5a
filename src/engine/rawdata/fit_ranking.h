#pragma once
// Every parametric distribution fitted to a measured sample, judged by its tightness against the
// sample's histogram over the same classes, and ranked best first.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/failure.h"
#include "histogram/histogram.h"
#include "parametric/distribution_catalogue.h"
#include "rawdata/raw_sample.h"

namespace tessavin {

// Name of a type in the ranking list, in the active language.
std::string FitTypeName(DistributionType type);

struct FitSettings {
    int intervals = 32;       // N, classes of the sample's and the candidates' histograms
    std::string eps = "1E-7"; // cut-off of the discretisation as the field shows it: (0, 1]
    double min = 0.0;         // range of the sample's histogram
    double max = 0.0;
    HistogramKind kind = HistogramKind::Discrete;
};

// The sample as the discretisation sees it, ready to build candidates.
class FitContext {
  public:
    // Failure: the sample's histogram cannot be built for these settings.
    static std::variant<FitContext, Failure> Make(const RawSample& sample, const FitSettings& s);

    const SampleHistogramView& sampleView() const { return view_; }
    const SampleStatistics& statistics() const { return stats_; }
    double weibullShape() const { return stats_.weibullShape; }
    void setWeibullShape(double k) { stats_.weibullShape = k; }

    struct Candidate {
        bool failed = false; // the discretisation raised a math fault: reports say which
        bool usable = false;
        std::vector<Failure> reports;
        std::string parameterText;
        WorkingHistogram histogram; // Bins = N; not trimmed
    };
    // givenRange: over the sample's range, class by class comparable with the sample's
    // histogram; otherwise over the distribution's own range.
    Candidate build(DistributionType type, bool givenRange) const;
    // Tightness of a candidate over the sample's range against the sample's histogram.
    double tightness(const WorkingHistogram& candidate) const;

  private:
    FitSettings settings_;
    SampleHistogramView view_;
    SampleStatistics stats_;
};

struct FitEntry {
    DistributionType type = 0;
    double tightness = 0.0;    // 0: not accepted
    std::string parameterText; // cut before its first ")"
};

// Why a type is missing from the ranking.
enum class FitRefusal {
    NotEvaluated,        // Uniform and Triangular: never fitted
    ByChecks,            // the estimate or the discretisation refused the type for this sample
    MathFault,           // its estimate or density faulted; `message` says how
    TightnessOutOfRange, // built, but its tightness lies outside (0.0001, 1]
};

struct RefusedFit {
    DistributionType type = 0;
    FitRefusal reason = FitRefusal::ByChecks;
    std::string message;    // the math-fault report of a MathFault refusal
    double tightness = 0.0; // the rejected tightness (a shape scan: the best of its shapes)
};

// Short English key of a reason, for reports and machine-readable output.
const char* FitRefusalKey(FitRefusal reason);

struct FitRanking {
    bool completed = false;          // true once every type was tried
    std::vector<Failure> reports;    // message 110 when no type fits
    std::vector<RefusedFit> refused; // every type not accepted, in ascending type order
    std::array<FitEntry, DistributionCount> entries; // best first (ties keep the earlier position)
    CharacteristicsRow sampleRow;                    // row 0
    std::vector<CharacteristicsRow> rows;            // accepted candidates in ascending type order
    std::vector<DistributionType> rowTypes;          // the type of each row
    int listLength = 0;        // list items to offer: rows with a non-zero median
    double weibullShape = 1.5; // the shape the ranking left (best, else the last tried)
    int acceptedCount() const { return static_cast<int>(rows.size()); }
};

// progress(done, total) after each evaluated type (total: the types the registry marks ranked).
using FitProgress = std::function<void(int done, int total)>;

// Accepts tightness in (0.0001, 1]. A type with a shape scan (Weibull: shapes 1.5, 1.51, ...
// below 8.04) is kept at the smallest shape of the highest tightness. A type whose estimate or
// density faults is refused alone (tightness 0, listed in `refused`); the others are ranked as
// usual.
FitRanking RankParametricFits(const FitContext& context, const FitProgress& progress = {});

// The shape the ranking's scan picks for this sample and type; nullopt when the type has no shape
// scan or the scan refuses it.
std::optional<double> ScanShapeFor(const FitContext& context, DistributionType type);

// A candidate is accepted with a tightness in (0.0001, 1].
bool IsAcceptedTightness(double t);

// Selection sort, descending; a later entry displaces only a strictly larger one.
// Returns the sum of the tightness values (0: no candidate).
double SortCandidates(std::array<FitEntry, DistributionCount>& entries);

} // namespace tessavin
