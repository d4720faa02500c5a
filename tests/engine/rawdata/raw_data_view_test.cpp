// The raw data window's rules that need no window: listing, Sturges advice and the
// check of typed raw data.
#include "rawdata/raw_data_view.h"

#include <gtest/gtest.h>

#include "localisation/language.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

TEST(RawDataView, ListingLinesShowValueAndSixDigitPosition) {
    EXPECT_EQ(SortedValueLine(12.5, 3), "12.50000  |  000003");
    EXPECT_EQ(SortedValueLine(1, 100000), "1.00000  |  100000");
    // Below 1 the general display text.
    EXPECT_EQ(SortedValueLine(0.25, 1), "0.25  |  000001");
}

TEST(RawDataRead, ReportsEveryPhysicalLineForTheProgressBar) {
    std::vector<long long> lines;
    const auto r =
        ParseRawData("1\r\n\r\n2\r\n3", "x.txt", [&](long long n) { lines.push_back(n); });
    ASSERT_TRUE(std::holds_alternative<RawSample>(r));
    EXPECT_EQ(lines, (std::vector<long long>{1, 2, 3, 4})); // the blank line counts too
    // The listing of the sorted values goes on with its own count, one a value.
    std::vector<long long> listed;
    const std::string listing =
        SortedValuesListing(std::get<RawSample>(r), [&](long long j) { listed.push_back(j); });
    EXPECT_EQ(listed, (std::vector<long long>{1, 2, 3}));
    EXPECT_EQ(listing.substr(listing.rfind('\n') + 1), "3.00000  |  000003");
}

TEST(RawDataView, EditorLinesCountAsTheEditorShowsThem) {
    EXPECT_TRUE(EditorLines("").empty());
    EXPECT_EQ(EditorLines("1\r\n\r\n2,5"), (std::vector<std::string>{"1", "", "2,5"}));
    EXPECT_EQ(EditorLines("1\n2\n"), (std::vector<std::string>{"1", "2"}));
}

TEST(RawDataView, TypedDataIsWrittenAsTypedWithEmptyLinesAsZero) {
    const auto ok = TypedRawDataFile({"1", "", "2,5", "-3E-2"});
    ASSERT_TRUE(std::holds_alternative<std::string>(ok));
    EXPECT_EQ(std::get<std::string>(ok), "1\r\n0\r\n2,5\r\n-3E-2\r\n");
}

TEST(RawDataView, ABadTypedLineIsNamedWithItsNumberAndNothingIsWritten) {
    SetLanguage(Language::English);
    for (const auto& [lines, number, element] :
         std::vector<std::tuple<std::vector<std::string>, std::string, std::string>>{
             {{"1", "2", "3", "abc"}, "4", "abc"},
             {{"1,000,5"}, "1", "1,000,5"}, // only the first comma is a decimal point
         }) {
        const auto bad = TypedRawDataFile(lines);
        ASSERT_TRUE(std::holds_alternative<Failure>(bad));
        const Failure& f = std::get<Failure>(bad);
        EXPECT_EQ(f.message, 147);
        EXPECT_EQ(f.text, TextCis(147) + "\r\n\r\n\t" + TextCis(148) + number + "\r\n\t" +
                              TextCis(149) + element);
    }
}

} // namespace
} // namespace tessavin
