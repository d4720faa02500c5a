#include "rawdata/suitable_table.h"

#include <algorithm>
#include <cmath>

#include "common/number_parse.h"

namespace tessavin {
namespace {

CharacteristicsRow BlankRow() {
    CharacteristicsRow r;
    r.fields.fill(BlankCell);
    return r;
}

// Selection sort on positions 1..n of `key`, carrying `order` along: for each position the first
// best entry of the rest is swapped in (a later entry displaces it only when strictly better).
template <class Better>
void SelectionSort(std::vector<double>& key, std::vector<int>& order, Better better) {
    const int n = static_cast<int>(key.size()) - 1;
    for (int s = 1; s < n; ++s) {
        int best = s;
        for (int j = s + 1; j <= n; ++j)
            if (better(key[j], key[best])) best = j;
        std::swap(key[s], key[best]);
        std::swap(order[s], order[best]);
    }
}

} // namespace

bool SortsByCloseness(int key) {
    return key == KeyMean || key == KeyDeviation || key == KeySkewness;
}

bool IsBlankCell(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

double CellValue(const std::string& text) {
    const std::size_t from = text.find_first_not_of(' ');
    if (from == std::string::npos) return 0.0;
    const std::size_t to = text.find_last_not_of(' ');
    const std::optional<double> v = ParseReal(std::string_view(text).substr(from, to - from + 1));
    return v && std::isfinite(*v) ? *v : 0.0;
}

void SuitableTable::Fill(const FitRanking& ranking, const SampleMoments& moments) {
    const std::size_t n = std::min<std::size_t>(ranking.rows.size(), SuitableTableRows);
    candidates_.assign(ranking.rows.begin(), ranking.rows.begin() + n);
    types_.assign(ranking.rowTypes.begin(), ranking.rowTypes.begin() + n);
    sampleRow_ = ranking.sampleRow;
    moments_ = moments;
    rows_.fill(BlankRow());
    shows_.fill(0);
    for (int p = 1; p <= static_cast<int>(n); ++p) {
        rows_[p] = candidates_[p - 1];
        shows_[p] = p;
    }
}

std::optional<DistributionType> SuitableTable::typeAt(int p) const {
    if (p < 1 || p > SuitableTableRows || shows_[p] == 0 || IsBlankCell(rows_[p].fields[0]))
        return std::nullopt;
    return types_[shows_[p] - 1];
}

void SuitableTable::SortBy(int key, ClosenessReference reference) {
    if (key < KeyTightness || key > KeyKurtosis) return;
    const int n = candidateCount();
    std::vector<int> order(n + 1);
    std::vector<double> v(n + 1);
    for (int p = 1; p <= n; ++p) {
        order[p] = p;
        v[p] = CellValue(candidates_[p - 1].fields[key]);
    }
    if (SortsByCloseness(key)) {
        double ref = CellValue(sampleRow_.fields[key]);
        if (reference == ClosenessReference::Sample)
            ref = CellValue(key == KeyMean        ? moments_.mean
                            : key == KeyDeviation ? moments_.deviation
                                                  : moments_.skewness);
        std::vector<double> d(n + 1);
        for (int p = 1; p <= n; ++p)
            d[p] = std::fabs(v[p] - ref);
        SelectionSort(d, order, [](double a, double b) { return a < b; });
    } else {
        SelectionSort(v, order, [](double a, double b) { return a > b; });
    }
    for (int p = 1; p <= n; ++p) {
        rows_[p] = candidates_[order[p] - 1];
        shows_[p] = order[p];
    }
}

void SuitableTable::SortByTypes(std::span<const DistributionType> types) {
    std::vector<int> order; // candidate rows, 1-based
    for (const DistributionType t : types)
        for (int c = 1; c <= candidateCount(); ++c)
            if (types_[c - 1] == t && std::find(order.begin(), order.end(), c) == order.end())
                order.push_back(c);
    for (int c = 1; c <= candidateCount(); ++c)
        if (std::find(order.begin(), order.end(), c) == order.end()) order.push_back(c);
    for (int p = 1; p <= candidateCount(); ++p) {
        rows_[p] = candidates_[order[p - 1] - 1];
        shows_[p] = order[p - 1];
    }
}

void SuitableTable::Compact() {
    for (int p = 1; p < SuitableTableRows; ++p) {
        if (!IsBlankCell(rows_[p].fields[1])) continue;
        for (int q = p + 1; q <= SuitableTableRows; ++q) {
            if (IsBlankCell(rows_[q].fields[2])) continue;
            rows_[p] = rows_[q];
            shows_[p] = shows_[q];
            rows_[q] = BlankRow();
            shows_[q] = 0;
            break;
        }
    }
}

int SuitableTable::FindUnsuitableRow() const {
    const double s = CellValue(moments_.deviation);
    for (int p = 1; p <= candidateCount(); ++p) {
        const double median = CellValue(rows_[p].fields[2]);
        const double deviation = CellValue(rows_[p].fields[6]);
        if (median == 0 || 0.75 * s > deviation || deviation > 1.25 * s) return p;
    }
    return 0;
}

std::vector<DistributionType> SuitableTable::RemoveFrom(int r) {
    std::vector<DistributionType> removed;
    if (r < 1) return removed;
    for (int p = r; p <= SuitableTableRows; ++p) {
        if (const std::optional<DistributionType> type = typeAt(p)) {
            removed.push_back(*type);
            candidates_[shows_[p] - 1] = BlankRow();
        }
        rows_[p] = BlankRow();
        shows_[p] = 0;
    }
    return removed;
}

void RemoveCandidates(FitRanking& ranking, std::span<const DistributionType> types) {
    const auto removed = [&](DistributionType t) {
        return std::find(types.begin(), types.end(), t) != types.end();
    };
    for (FitEntry& e : ranking.entries)
        if (removed(e.type)) e.tightness = 0.0;
    for (std::size_t i = 0; i < ranking.rows.size() && i < ranking.rowTypes.size(); ++i)
        if (removed(ranking.rowTypes[i])) ranking.rows[i] = BlankRow();
}

} // namespace tessavin
