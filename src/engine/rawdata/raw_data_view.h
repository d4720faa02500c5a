#pragma once
// The small rules of the raw data window that compute without showing anything: the listing of
// the sorted values and the check of typed raw data before it is saved.
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/failure.h"
#include "histogram/histogram.h"
#include "rawdata/raw_sample.h"

namespace tessavin {

// One line of the listing: the value (below 1 as the general display text, otherwise fixed with
// 5 decimals), "  |  " and the 1-based position with six digits.
std::string SortedValueLine(double value, int position);
// All lines of the sorted sample, joined by "\n". `onLine` (optional) is told the position of
// each line as it is listed, for a progress bar; it runs on the listing thread.
std::string SortedValuesListing(const RawSample& sample, const RawReadProgress& onLine = {});

// The lines of a text as an editor counts them: none for an empty text, a final line end does
// not start another line; CR LF and LF both end a line.
std::vector<std::string> EditorLines(std::string_view text);

// The file content for typed raw data: every line checked first (its first comma read as a
// decimal point), each line written as typed, an empty line as "0", each ended by CR LF.
// A line that is not a number gives message 147 with its 1-based line number and element.
std::variant<std::string, Failure> TypedRawDataFile(const std::vector<std::string>& lines);

} // namespace tessavin
