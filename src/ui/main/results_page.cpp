// The results and inspections pages of the main window: the summary panel with its chart
// buttons, the inspection chart, the year group, the progress display and the three tables.
#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtCharts/QChart>

#include "localisation/captions.h"
#include "localisation/language.h"
#include "localisation/messages.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/inspection_chart_style.h"
#include "ui/common/interaction.h"
#include "ui/common/named_label.h"
#include "ui/common/string_grid.h"
#include "ui/main/cross_check.h"
#include "ui/main/main_window.h"

namespace tessavin::ui {
namespace {

QToolButton* ChartButton(QWidget* parent, const char* name) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(QStyle::SP_FileDialogContentsView));
    b->setFixedSize(21, 21);
    b->setEnabled(false);
    return b;
}

// The widest probability text of the tables (13 significant digits).
const QString kWideProbability = "-0.0053978566135744";

} // namespace

void MainWindow::buildResultsPage(QWidget* page) {
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(2);
    auto* top = new QHBoxLayout;
    column->addLayout(top, 1);

    summaryBox_ = new QGroupBox(page);
    summaryBox_->setObjectName("GroupBox1");
    summaryBox_->setStyleSheet("QGroupBox#GroupBox1 { background: rgb(242, 242, 242); }");
    summaryBox_->setFixedWidth(390);
    auto* summary = new QGridLayout(summaryBox_);
    summary->setVerticalSpacing(2);
    methodLabel_ = NamedLabel(summaryBox_, "Label24", "");
    conventionLabel_ = NamedLabel(summaryBox_, "LKonvence", "");
    crackOriginLabel_ = NamedLabel(summaryBox_, "Label15", "");
    for (QLabel* l : {methodLabel_, conventionLabel_, crackOriginLabel_}) {
        l->setAlignment(Qt::AlignHCenter);
        l->setWordWrap(true);
    }
    auto* line = new QFrame(summaryBox_);
    line->setObjectName("Label40");
    line->setFrameShape(QFrame::HLine);
    summary->addWidget(methodLabel_, 0, 0, 1, 2);
    summary->addWidget(conventionLabel_, 1, 0, 1, 2);
    summary->addWidget(crackOriginLabel_, 2, 0, 1, 2);
    summary->addWidget(line, 3, 0, 1, 2);
    radLabel_ = NamedLabel(summaryBox_, "Label25", Q(TextCis(269)));
    raacLabel_ = NamedLabel(summaryBox_, "Label26", Q(TextCis(270)));
    bJevU_ = ChartButton(summaryBox_, "BJevU");
    bJevF_ = ChartButton(summaryBox_, "BJevF");
    bGN_ = ChartButton(summaryBox_, "BGN");
    bGV_ = ChartButton(summaryBox_, "BGV");
    bJevuUmSn_ = ChartButton(summaryBox_, "BjevuUmSn");
    bJevuFmSn_ = ChartButton(summaryBox_, "BjevuFmSn");
    const std::pair<QLabel*, QToolButton*> rows[] = {
        {radLabel_, bJevU_},
        {raacLabel_, bJevF_},
        {NamedLabel(summaryBox_, "Label19", Q(tessavin::CaptionText(Caption::Label19))), bGN_},
        {NamedLabel(summaryBox_, "Label20", Q(tessavin::CaptionText(Caption::Label20))), bGV_},
        {NamedLabel(summaryBox_, "Label27", Q(tessavin::CaptionText(Caption::Label27))),
         bJevuUmSn_},
        {NamedLabel(summaryBox_, "Label28", "Reliability function F ( RF = Raac - Sn )"),
         bJevuFmSn_},
    };
    int r = 4;
    for (const auto& [label, button] : rows) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setWordWrap(true);
        summary->addWidget(label, r, 0);
        summary->addWidget(button, r, 1);
        ++r;
    }
    summary->setRowStretch(r, 1);
    top->addWidget(summaryBox_);

    auto* chartColumn = new QVBoxLayout;
    top->addLayout(chartColumn, 1);
    inspectionChart_ = new ChartPanel(page);
    inspectionChart_->setObjectName("Chart3");
    inspectionChart_->setLegendVisible(false);
    QFont title = inspectionChart_->chart()->titleFont();
    title.setPointSize(9);
    inspectionChart_->chart()->setTitleFont(title);
    inspectionChart_->setLabelSeparation(10);
    inspectionChart_->addSeries("LineSeries2", ChartPanel::SeriesType::Line, QColor(255, 0, 0));
    inspectionChart_->addSeries("Series11", ChartPanel::SeriesType::Line, QColor(0, 0, 255));
    // Series s is the curve after inspection s + 1.
    for (int s = 1; s <= InspectionSeries; ++s)
        inspectionChart_->addSeries(QString("Series%1").arg(s), ChartPanel::SeriesType::Line,
                                    InspectionCurveColour(s + 1));
    // The chart's toolbar is the panel shown and hidden together with the chart.
    inspectionChartTools_ = inspectionChart_->toolbar();
    inspectionChartTools_->setObjectName("Panel3");
    chartColumn->addWidget(inspectionChart_, 1);

    auto* groupBox2 = new QGroupBox(page);
    groupBox2->setObjectName("GroupBox2");
    column->addWidget(groupBox2);
    auto* bottom = new QGridLayout(groupBox2);
    // Compact, so that the inspection chart above gets the height.
    bottom->setContentsMargins(4, 2, 4, 2);
    bottom->setVerticalSpacing(2);
    lVysledek_ = NamedLabel(groupBox2, "LVysledek", "Time of the first inspection :");
    lProhl_ = NamedLabel(groupBox2, "LProhl", "");
    lProhl_->setStyleSheet("color: red;");
    for (QLabel* l : {lVysledek_, lProhl_})
        l->setAlignment(Qt::AlignHCenter);
    progress_ = new QProgressBar(groupBox2);
    progress_->setObjectName("Gauge1");
    // Its row stays while it is hidden: the panels above do not jump when a run shows it.
    QSizePolicy keep = progress_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    progress_->setSizePolicy(keep);
    progress_->hide();
    timingTable_ = new StringGrid("StringGrid1", 2, 3, 0, 1, groupBox2);
    timingTable_->fitColumns({"Start : R(aac)  ", "00:00:00  "});
    timingTable_->setFixedHeight(3 * timingTable_->rowHeight(0) + 4);
    timingTable_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    timingTable_->setCell(0, 1, "Execute time");
    timingTable_->setCell(0, 2, "Remains");
    yearBox_ = new QGroupBox("  Year  ", groupBox2);
    yearBox_->setObjectName("GroupBox3");
    auto* yearGroup = new QHBoxLayout(yearBox_);
    yearGroup->setContentsMargins(4, 2, 4, 2);
    cbVyber_ = new QComboBox(yearBox_);
    cbVyber_->setObjectName("CBVyber");
    // Not editable: only computed years can be chosen, by the list or by typing their digits.
    cbVyber_->setMaxVisibleItems(30);
    cbVyber_->setFixedWidth(70);
    yearProbabilities_ = new StringGrid("StringGrid2", 2, 3, 0, 1, yearBox_);
    yearProbabilities_->fitColumns({"p ( U ) ", kWideProbability});
    yearProbabilities_->setFixedHeight(3 * yearProbabilities_->rowHeight(0) + 4);
    yearProbabilities_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    yearGroup->addWidget(cbVyber_);
    yearGroup->addWidget(yearProbabilities_);
    bottom->addWidget(timingTable_, 0, 0, 2, 1);
    bottom->addWidget(lVysledek_, 0, 1);
    bottom->addWidget(lProhl_, 1, 1);

    // Under the first inspection it checks; the summary box above has no room to spare.
    crossCheck_ = new CrossCheck(this);
    // The plans shown beside it, in the same row: the summary box above keeps its height.
    planLabel_ = NamedLabel(groupBox2, "LPlan", "");
    planLabel_->hide();
    auto* commandRow = new QHBoxLayout;
    commandRow->addStretch(1);
    commandRow->addWidget(crossCheck_->command());
    commandRow->addWidget(planLabel_);
    commandRow->addStretch(1);
    bottom->addLayout(commandRow, 2, 1);
    // Beside the command, under the timings: no row of its own that would take height.
    bottom->addWidget(progress_, 2, 0);
    bottom->addWidget(yearBox_, 0, 2, 3, 1);
    bottom->setColumnStretch(1, 1);
    connect(cbVyber_, &QComboBox::activated, this, &MainWindow::CBVyberChange);
}

void MainWindow::buildInspectionsPage(QWidget* page) {
    auto* grid = new QGridLayout(page);
    yearTableTitle_ = NamedLabel(page, "Label18", "Probabilities of U,D,F events in calculation");
    yearTableSubtitle_ = NamedLabel(page, "Label22", "of the first inspection time");
    inspectionTableTitle_ = NamedLabel(page, "Label21", "Year of inspection");
    furtherTableTitle_ =
        NamedLabel(page, "Label30", "Table of probabilities of D,F,Fi events in calculation");
    furtherTableSubtitle_ = NamedLabel(page, "Label32", "");
    for (QLabel* l : {yearTableTitle_, yearTableSubtitle_, inspectionTableTitle_,
                      furtherTableTitle_, furtherTableSubtitle_})
        l->setAlignment(Qt::AlignHCenter);

    inspectionTable_ = new StringGrid("StringGrid5", 2, InspectionRows + 1, 1, 1, page);
    inspectionTable_->fitColumns({"   Prohlídka  ", "   between the years  "});
    yearTable_ = new StringGrid("StringGrid3", 4, 1, 1, 1, page);
    yearTable_->fitColumns({"  300", kWideProbability, kWideProbability, kWideProbability}, false);
    furtherTable_ = new StringGrid("StringGrid4", 4, 1, 1, 1, page);
    furtherTable_->fitColumns({"  300", kWideProbability, kWideProbability, kWideProbability},
                              false);

    inspectionTable_->setCell(0, 0, "  Inspection");
    inspectionTable_->setCell(1, 0, "   between the years");
    yearTable_->setCell(0, 0, Q(TextCis(259)));
    yearTable_->setCell(1, 0, "    p ( U )");
    yearTable_->setCell(2, 0, "    p ( D )");
    yearTable_->setCell(3, 0, "    p ( F )");
    furtherTable_->setCell(0, 0, Q(TextCis(259)));
    furtherTable_->setCell(1, 0, "    p ( D )");
    furtherTable_->setCell(2, 0, "    p ( F )");
    furtherTable_->setCell(3, 0, "       F");

    buildExactPlanTable(page);
    // Each plan's title over its own; the rule's shows only beside the exact plan.
    auto* ruleTitles = new QVBoxLayout;
    ruleTitles->addWidget(rulePlanTitle_);
    ruleTitles->addWidget(inspectionTableTitle_);
    grid->addLayout(ruleTitles, 0, 0);
    // Under the rule's table, in the room its ten rows leave: the exact plan.
    const int tableHeight = [this] {
        int h = 2 * inspectionTable_->frameWidth();
        for (int r = 0; r < inspectionTable_->rowCount(); ++r)
            h += inspectionTable_->rowHeight(r);
        return h;
    }();
    inspectionTable_->setMaximumHeight(tableHeight + 14);
    auto* planColumn = new QVBoxLayout;
    planColumn->addWidget(inspectionTable_);
    planColumn->addWidget(exactPlanTitle_);
    planColumn->addWidget(exactTable_);
    planColumn->addWidget(exactPlanNote_);
    planColumn->addStretch(1);
    grid->addLayout(planColumn, 1, 0, 2, 1);
    grid->addWidget(yearTableTitle_, 0, 1);
    grid->addWidget(yearTableSubtitle_, 1, 1);
    grid->addWidget(yearTable_, 2, 1);
    grid->addWidget(furtherTableTitle_, 0, 2);
    grid->addWidget(furtherTableSubtitle_, 1, 2);
    grid->addWidget(furtherTable_, 2, 2);
    grid->setRowStretch(2, 1);
    connect(inspectionTable_, &QTableWidget::cellClicked, this,
            [this](int row, int) { selectInspectionRow(row); });
    connect(inspectionTable_, &QTableWidget::currentCellChanged, this,
            [this](int row, int) { selectInspectionRow(row); });
}

void MainWindow::updateChartButtons() {
    bJevU_->setEnabled(state_->RadReady);
    bJevF_->setEnabled(state_->RaacReady);
    bGN_->setEnabled(state_->NnCurrent);
    bGV_->setEnabled(state_->SnCurrent);
    bJevuUmSn_->setEnabled(state_->RfUReady);
    bJevuFmSn_->setEnabled(state_->RfFReady);
}

void MainWindow::showFirstInspection() {
    if (!first_) return;
    lProhl_->setText(Q(FirstInspectionText(*first_)));
    lProhl_->show();
    lVysledek_->show();
}

void MainWindow::showInspectionTable(const InspectionTable& table) {
    furtherTable_->setRows(static_cast<int>(table.rows.size()) + 1);
    furtherTable_->setCell(3, 0, Q(table.header));
    int r = 1;
    for (const InspectionTableRow& row : table.rows) {
        furtherTable_->setCell(0, r, Q(row.yearText));
        for (int c = 0; c < 3; ++c)
            furtherTable_->setCell(c + 1, r, Q(row.valueTexts[c]));
        ++r;
    }
    furtherTableSubtitle_->setText(Q(table.title));
}

void MainWindow::selectInspectionRow(int row) {
    if (running_ || row < 1 || row > state_->inspectionsFound) return;
    showInspectionTable(InspectionTableDisplay(row + 1, *state_));
}

void MainWindow::clearInspectionChart() {
    if (crossCheck_) crossCheck_->clear();
    inspectionChart_->clearAll();
}

void MainWindow::hideInspectionTables() {
    for (QWidget* w :
         {static_cast<QWidget*>(yearTable_), static_cast<QWidget*>(furtherTable_),
          static_cast<QWidget*>(inspectionTable_), static_cast<QWidget*>(yearTableTitle_),
          static_cast<QWidget*>(inspectionTableTitle_), static_cast<QWidget*>(yearTableSubtitle_),
          static_cast<QWidget*>(furtherTableTitle_), static_cast<QWidget*>(furtherTableSubtitle_)})
        w->hide();
}

void MainWindow::clearInspectionsPage() {
    inspectionTable_->clearColumn(0, 1);
    inspectionTable_->clearColumn(1, 1);
    yearTable_->setRows(1);
    furtherTable_->setRows(1);
    hideInspectionTables();
    hideExactPlan();
    state_->inspectionsFound = 0;
    first_.reset();
}

void MainWindow::applyLanguageLayout() {
    setWindowTitle(Q(TextCis(46)) + TESSAVIN_VERSION + " )");
    // The other five input rows take the items and hints of the stress-range row.
    const InputRow& first = rows_[1];
    for (int k = 2; k <= RandomInputCount; ++k) {
        InputRow& row = rows_[k];
        for (int i = 0; i < 2 && i < first.source->count(); ++i)
            row.source->setItemText(i, first.source->itemText(i));
        row.type->setItemText(0, first.type->itemText(0));
        const std::pair<QWidget*, QWidget*> hints[] = {{row.source, first.source},
                                                       {row.type, first.type},
                                                       {row.mi, first.mi},
                                                       {row.sigma, first.sigma},
                                                       {row.n, first.n}};
        for (const auto& [to, from] : hints) {
            to->setToolTip(from->toolTip());
            to->setStatusTip(from->statusTip());
        }
    }
    furtherTableSubtitle_->setText(Q(tessavin::CaptionText(Caption::Label23)) +
                                   QString::number(state_->blockShown - 1) +
                                   Q(tessavin::CaptionText(Caption::Label31)));
    updateCrackOriginLabel();
    if (!lVysledek_->isHidden()) showFirstInspection(); // also while another page is shown
    // The inspection chart's title as the run wrote it, in the new language.
    if (!inspectionChart_->titleLines().isEmpty())
        inspectionChart_->setTitleLines(
            {Q(TextCis(240)), Q(TextCis(238) + tessavin::CrackOriginText(in_.crackOrigin))});
    crossCheck_->applyLanguage();
    exactPlanTexts();
}

} // namespace tessavin::ui
