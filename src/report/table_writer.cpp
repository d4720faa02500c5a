#include "table_writer.h"

#include "cairo_calls.h"

#include <algorithm>
#include <numeric>

namespace tessavin::report {
namespace {

constexpr double kPadding = 2.5;
constexpr double kMinFont = 5.0;

// A cell laid out: its lines at their font size.
struct CellLines {
    std::vector<std::string> lines;
    double size = 0.0;
};

struct LaidOutRow {
    std::vector<CellLines> cells;
    double height = 0.0;
};

LaidOutRow LayOutRow(PdfPages& pages, const std::vector<std::string>& texts,
                     const std::vector<double>& widths, double size, bool bold, double maxHeight) {
    LaidOutRow row;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const std::string& text = c < texts.size() ? texts[c] : std::string();
        const double room = widths[c] - 2 * kPadding;
        pages.setFont(size, bold);
        CellLines cell;
        cell.size = pages.fittingSize(text, room, kMinFont);
        // A cell that would still be taller than the page allows shrinks further.
        for (;;) {
            pages.setFont(cell.size, bold);
            cell.lines = pages.wrap(text, room);
            const double height = cell.lines.size() * pages.lineHeight() + 2 * kPadding;
            if (height <= maxHeight || cell.size <= kMinFont) break;
            cell.size = std::max(kMinFont, cell.size * 0.85);
        }
        pages.setFont(cell.size, bold);
        row.height = std::max(row.height, cell.lines.size() * pages.lineHeight() + 2 * kPadding);
        row.cells.push_back(std::move(cell));
    }
    row.height = std::min(row.height, maxHeight);
    return row;
}

void DrawRow(PdfPages& pages, const LaidOutRow& row, const TableSpec& table,
             const std::vector<double>& widths, double top, bool header) {
    cairo_t* cr = pages.cr();
    double x = pages.left();
    if (header) {
        Cairo().set_source_rgb(cr, 0.90, 0.92, 0.95);
        Cairo().rectangle(cr, x, top, std::accumulate(widths.begin(), widths.end(), 0.0),
                          row.height);
        Cairo().fill(cr);
    }
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const CellLines& cell = row.cells[c];
        pages.setFont(cell.size, header);
        double baseline = top + kPadding + cell.size;
        for (const std::string& line : cell.lines) {
            if (baseline > top + row.height) break; // what a capped row cannot hold
            const double w = pages.textWidth(line);
            const double lx =
                table.columns[c].rightAligned ? x + widths[c] - kPadding - w : x + kPadding;
            pages.showText(lx, baseline, line);
            baseline += pages.lineHeight();
        }
        x += widths[c];
    }
    Cairo().set_source_rgb(cr, 0.6, 0.6, 0.6);
    Cairo().set_line_width(cr, header ? 0.8 : 0.3);
    Cairo().move_to(cr, pages.left(), top + row.height);
    Cairo().line_to(cr, x, top + row.height);
    Cairo().stroke(cr);
}

} // namespace

std::vector<RowPlacement> PlaceRows(double headerHeight, const std::vector<double>& rowHeights,
                                    double firstTop, double pageTop, double pageBottom) {
    std::vector<RowPlacement> placed;
    placed.reserve(rowHeights.size());
    int page = 0;
    double y = firstTop + headerHeight;
    bool pageEmpty = true;
    for (double h : rowHeights) {
        if (y + h > pageBottom && !(pageEmpty && page > 0)) {
            ++page;
            y = pageTop + headerHeight;
        }
        placed.push_back({page, y});
        y += h;
        pageEmpty = false;
    }
    return placed;
}

void WriteTable(PdfPages& pages, const TableSpec& table) {
    const double total =
        std::accumulate(table.columns.begin(), table.columns.end(), 0.0,
                        [](double s, const TableColumn& c) { return s + c.share; });
    std::vector<double> widths;
    for (const TableColumn& c : table.columns)
        widths.push_back(pages.contentWidth() * std::clamp(table.width, 0.1, 1.0) * c.share /
                         total);
    const double pageRoom = pages.bottom() - pages.top();

    std::vector<std::string> headers;
    for (const TableColumn& c : table.columns)
        headers.push_back(c.header);
    const LaidOutRow header = LayOutRow(pages, headers, widths, table.fontSize, true, pageRoom / 4);
    std::vector<LaidOutRow> rows;
    std::vector<double> heights;
    for (const auto& texts : table.rows) {
        rows.push_back(
            LayOutRow(pages, texts, widths, table.fontSize, false, pageRoom - header.height));
        heights.push_back(rows.back().height);
    }
    // The header and the first row start on a new page when they do not fit here.
    if (!rows.empty()) pages.ensure(header.height + rows.front().height);
    const std::vector<RowPlacement> placed =
        PlaceRows(header.height, heights, pages.y(), pages.top(), pages.bottom());

    int page = 0;
    DrawRow(pages, header, table, widths, pages.y(), true);
    double end = pages.y() + header.height;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (placed[i].page != page) {
            pages.newPage();
            page = placed[i].page;
            DrawRow(pages, header, table, widths, pages.top(), true);
        }
        DrawRow(pages, rows[i], table, widths, placed[i].top, false);
        end = placed[i].top + rows[i].height;
    }
    pages.moveTo(end + 6.0);
    pages.setFont(10.0);
}

} // namespace tessavin::report
