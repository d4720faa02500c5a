#include "ui/charts/histogram_chart.h"

#include <QAbstractAxis>
#include <QChart>
#include <QPen>
#include <QSet>
#include <QValueAxis>
#include <algorithm>

#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/interaction.h"
#include "ui/common/string_grid.h"

namespace tessavin::ui {
namespace {

constexpr int LabelSeparation = 30; // pixels between two bottom-axis labels

// Looks of a histogram chart that do not depend on the histogram.
void StyleHistogramChart(ChartPanel& chart) {
    if (!chart.hasSeries(HistogramSeries) ||
        chart.seriesType(HistogramSeries) != ChartPanel::SeriesType::Bar) {
        chart.addSeries(HistogramSeries, ChartPanel::SeriesType::Bar, HistogramBarColour);
    }
    chart.setLegendVisible(false);
    chart.setLabelSeparation(LabelSeparation);
    QChart* c = chart.chart();
    QFont titleFont = c->titleFont();
    titleFont.setPointSize(9); // room for a distribution's description on one line
    c->setTitleFont(titleFont);
    c->setTitleBrush(Qt::blue);
    for (QAbstractAxis* axis : c->axes()) {
        QPen grid(QColor(200, 200, 200), 1, Qt::DashLine);
        axis->setGridLinePen(grid);
        axis->setGridLineVisible(true);
        if (auto* values = qobject_cast<QValueAxis*>(axis)) values->setLabelFormat("%.5g");
    }
}

} // namespace

QString HistogramBarLabel(const DiscreteHistogram& h, int i, HistogramAxis axis) {
    if (axis == HistogramAxis::Index) return QString::number(i - 1);
    return Q(StrBottomGraf(ClassValue(h, i)));
}

void DrawHistogramChart(ChartPanel& chart, const DiscreteHistogram& h, const QString& titleLine1,
                        const QString& titleLine2, const QString& indexCaption,
                        HistogramAxis axis) {
    StyleHistogramChart(chart);
    QStringList title{titleLine1};
    if (!titleLine2.isEmpty()) title << titleLine2;
    chart.setTitleLines(title);

    chart.clearAll();
    chart.setAxisTitle("left", Q(TextCis(msg::ProbabilityPx)));
    chart.setAxisTitle("bottom",
                       axis == HistogramAxis::Value ? Q(TextCis(msg::ValueX)) : indexCaption);

    // The chart places bars by their label: classes closer than the four digits of a value
    // label can tell apart get labels made distinct by invisible zero-width spaces.
    QSet<QString> used;
    for (int i = 1; i <= h.Bins; ++i) {
        QString label = HistogramBarLabel(h, i, axis);
        while (used.contains(label))
            label += QChar(0x200B);
        used.insert(label);
        chart.addPoint(HistogramSeries, h.P[static_cast<size_t>(i)], label, HistogramBarColour);
    }
    chart.show();
}

void FillHistogramTable(StringGrid& grid, std::span<const double> p, int n, double xFirst,
                        double step, bool withEdges, bool highlight) {
    n = std::clamp(n, 0, static_cast<int>(p.size()) - 1);
    grid.setColumnCount(3);
    grid.setCell(0, 0, "  INT");
    grid.setCell(1, 0, "        x");
    grid.setCell(2, 0, "      P(x)");

    long double sum = 0;
    for (int i = 1; i <= n; ++i)
        sum += p[static_cast<size_t>(i)];
    auto classRow = [&](int row, int i) {
        grid.setCell(0, row, Q(TCetnost(4, i)));
        grid.setCell(1, row, Q(StrNaCarku(xFirst + (i - 1) * step)));
        grid.setCell(2, row, Q(StrNaCarku(p[static_cast<size_t>(i)])));
    };
    auto totalRow = [&](int row) {
        grid.setCell(0, row, QString());
        grid.setCell(1, row, Q(TextCis(msg::TotalRow)));
        grid.setCell(2, row, Q(StrNaCarku(static_cast<double>(sum))));
    };

    if (withEdges) {
        for (int c = 0; c < 3; ++c)
            grid.clearColumn(c, 1);
        grid.setRows(2 * n + 3);
        grid.setCell(1, 1, Q(StrNaCarku(xFirst - step / 2)));
        for (int i = 1; i <= n; ++i) {
            classRow(2 * i, i);
            grid.setCell(1, 2 * i + 1, Q(StrNaCarku(xFirst + (i - 0.5) * step)));
        }
        totalRow(2 * n + 2);
    } else {
        grid.setRows(n + 2);
        for (int i = 1; i <= n; ++i)
            classRow(i, i);
        totalRow(n + 1);
    }
    HighlightHistogramTable(grid, highlight);
    grid.show();
}

void FillHistogramTable(StringGrid& grid, const DiscreteHistogram& h, bool withEdges,
                        bool highlight) {
    FillHistogramTable(grid, h.P, h.Bins, h.XFirst, h.Step, withEdges, highlight);
}

void HighlightHistogramTable(StringGrid& grid, bool on) {
    const int last = grid.rowCount() - 1;
    for (int row = 1; row <= last; ++row) {
        for (int column = 0; column < grid.columnCount(); ++column) {
            QBrush fill;
            if (on && row == last && column > 0)
                fill = HistogramTotalColour;
            else if (on && row < last && row % 2 == 0)
                fill = HistogramRowColour;
            QTableWidgetItem* item = grid.item(row, column);
            if (!item && fill.style() == Qt::NoBrush) continue;
            if (!item) {
                grid.setCell(column, row, QString());
                item = grid.item(row, column);
            }
            item->setBackground(fill);
        }
    }
}

} // namespace tessavin::ui
