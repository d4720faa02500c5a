// Tables across pages: the header on every page, no row cut, nothing outside the page.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>

#include "cli/cli_process.h"
#include "pdf_tools.h"
#include "table_writer.h"

namespace tessavin::report {
namespace {

using test::PdfText;
using test::TempDir;

// Ten rows fill the first page's room below firstTop, the rest go on; the 3-line rows are the
// ones that would straddle a break.
TEST(TableLayout, RowsNeverCrossTheBottomAndPagesStartUnderTheHeader) {
    const double header = 15.0, top = 100.0, bottom = 400.0;
    std::vector<double> heights;
    for (int i = 0; i < 40; ++i)
        heights.push_back(i % 7 == 3 ? 45.0 : 15.0);
    const auto placed = PlaceRows(header, heights, 250.0, top, bottom);
    ASSERT_EQ(placed.size(), heights.size());
    int page = 0;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        EXPECT_LE(placed[i].top + heights[i], bottom) << "row " << i;
        if (i == 0) {
            EXPECT_EQ(placed[i].page, 0);
            EXPECT_DOUBLE_EQ(placed[i].top, 250.0 + header);
        } else if (placed[i].page != page) {
            EXPECT_EQ(placed[i].page, page + 1) << "row " << i;
            EXPECT_DOUBLE_EQ(placed[i].top, top + header) << "row " << i;
            // Broken only because the row did not fit on the page before.
            EXPECT_GT(placed[i - 1].top + heights[i - 1] + heights[i], bottom) << "row " << i;
        } else {
            EXPECT_DOUBLE_EQ(placed[i].top, placed[i - 1].top + heights[i - 1]) << "row " << i;
        }
        page = placed[i].page;
    }
    EXPECT_GE(page, 2);
}

TEST(TableLayout, ARowTallerThanThePageStandsAloneOnItsPage) {
    const auto placed = PlaceRows(10.0, {20.0, 500.0, 20.0}, 50.0, 50.0, 300.0);
    EXPECT_EQ(placed[0].page, 0);
    EXPECT_EQ(placed[1].page, 1);
    EXPECT_EQ(placed[2].page, 2);
}

TEST(TableWriter, RendersTheHeaderOnEveryPageAndEachRowWholeOnOnePage) {
    PdfPages pages("table fixture");
    TableSpec table;
    table.columns = {{"Key", 0.5, true}, {"Description", 2.0}, {"Code", 0.6}};
    for (int i = 1; i <= 120; ++i)
        table.rows.push_back(
            {"R" + std::to_string(i),
             i % 10 == 0 ? "a long description that has to wrap over several lines of its "
                           "narrow column, so that this row is taller than the others and "
                           "would be cut by a careless page break"
                         : "short",
             i % 25 == 0 ? "AVERYLONGWORDWITHOUTANYBLANKTHATCANNOTWRAPANDMUSTSHRINK" : "x"});
    WriteTable(pages, table);
    const auto done = pages.finish();
    ASSERT_TRUE(done.failure.empty()) << done.failure;
    const auto pdf = TempDir() / "table.pdf";
    std::ofstream(pdf, std::ios::binary) << done.bytes;

    const int count = test::PdfPages(pdf);
    ASSERT_GE(count, 3);
    std::vector<int> seen(121, 0);
    for (int p = 1; p <= count; ++p) {
        const std::string text = PdfText(pdf, p);
        EXPECT_NE(text.find("Description"), std::string::npos) << "page " << p;
        const std::regex key(R"(\bR([0-9]+)\b)");
        int wrappedRows = 0;
        for (std::sregex_iterator it(text.begin(), text.end(), key), end; it != end; ++it) {
            const int i = std::stoi((*it)[1]);
            ++seen[i];
            wrappedRows += i % 10 == 0;
        }
        // A wrapped row keeps its last line ("... page break") on the page of its first.
        const std::regex last(R"(\bbreak\b)");
        EXPECT_EQ(std::distance(std::sregex_iterator(text.begin(), text.end(), last),
                                std::sregex_iterator()),
                  wrappedRows)
            << "page " << p;
    }
    for (int i = 1; i <= 120; ++i)
        EXPECT_EQ(seen[i], 1) << "row R" << i;
    for (const test::WordBox& w : test::WordBoxes(pdf)) {
        EXPECT_GE(w.xMin, Margin - 0.5);
        EXPECT_LE(w.xMax, PageWidth - Margin + 0.5);
    }
}

} // namespace
} // namespace tessavin::report
