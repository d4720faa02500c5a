#pragma once
// The table of suitable histograms: the accepted candidates of a fit ranking with their
// characteristics, sorted by a characteristic (descending, or by closeness to the sample), the
// search for the first candidate that disagrees with the sample, its removal with every row
// below it, and the compaction that closes the table up.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "rawdata/fit_ranking.h"

namespace tessavin {

// Rows 1..23 take part in sorting and compaction (a window may show fewer).
inline constexpr int SuitableTableRows = 23;
// A cell without content holds one blank.
inline constexpr const char* BlankCell = " ";

// Sort keys: field i of a characteristics row, 1 tightness .. 9 kurtosis.
enum SuitableKey {
    KeyNone = 0,
    KeyTightness = 1,
    KeyMedian = 2,
    KeyMode = 3,
    KeyMean = 4,
    KeyVariance = 5,
    KeyDeviation = 6,
    KeyVariation = 7,
    KeySkewness = 8,
    KeyKurtosis = 9,
};
// Mean, deviation and skewness sort by closeness to a reference, the others descending.
bool SortsByCloseness(int key);

// What closeness is measured from: the sample's own moments, or the characteristics of the
// sample's histogram.
enum class ClosenessReference { Sample, SampleHistogram };

// The sample's moments as the raw data window shows them (texts).
struct SampleMoments {
    std::string mean, deviation, skewness;
};

// A cell's text as a number: blanks around it allowed; anything else (a blank cell,
// " undefined") counts as 0.
double CellValue(const std::string& text);
bool IsBlankCell(const std::string& text);

class SuitableTable {
  public:
    // Candidate rows 1..n are the ranking's rows (ascending type); every table row is blanked
    // and rows 1..n take candidate rows 1..n.
    void Fill(const FitRanking& ranking, const SampleMoments& moments);

    int candidateCount() const { return static_cast<int>(candidates_.size()); }
    // Table row p (1..23); fields 0..18 are columns 1..19 of the grid.
    const CharacteristicsRow& row(int p) const { return rows_[p]; }
    // The candidate table row p shows: its type, or nullopt for a blank row.
    std::optional<DistributionType> typeAt(int p) const;
    const CharacteristicsRow& sampleRow() const { return sampleRow_; }
    const SampleMoments& moments() const { return moments_; }

    // Rewrites rows 1..n from the candidate rows in the order of `key` (1..9); KeyNone keeps
    // the table as it is. With a closeness key the candidates nearest the reference come first.
    void SortBy(int key, ClosenessReference reference);
    // Rewrites rows 1..n from the candidate rows of `types` in that order; candidates of other
    // types follow in their own order.
    void SortByTypes(std::span<const DistributionType> types);
    // Rows whose tightness cell is blank are filled from the next row below with a median;
    // filled rows close up at the top in their order.
    void Compact();

    // The first of rows 1..n (in table order) whose median is 0 or whose standard deviation
    // lies outside [0.75 s, 1.25 s], s the sample's deviation; 0 when every row agrees.
    int FindUnsuitableRow() const;
    // Blanks rows r..23; the candidates they showed lose their tightness and their
    // characteristics (blank fields). Returns their types in table order.
    std::vector<DistributionType> RemoveFrom(int r);

  private:
    std::vector<CharacteristicsRow> candidates_;                   // candidate rows 1..n at 0..n-1
    std::vector<DistributionType> types_;                          // their types
    std::array<CharacteristicsRow, SuitableTableRows + 1> rows_{}; // table rows; 0 unused
    std::array<int, SuitableTableRows + 1> shows_{}; // candidate row (1-based) of each, 0 none
    CharacteristicsRow sampleRow_;
    SampleMoments moments_;
};

// The ranking without the removed candidates: tightness 0 in its entries and blank fields in
// their rows (the row count stays).
void RemoveCandidates(FitRanking& ranking, std::span<const DistributionType> types);

} // namespace tessavin
