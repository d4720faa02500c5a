// The results and inspections pages of the main window: the summary panel with its chart
// buttons, the inspection chart, the year group, the progress display and the three tables.
#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtCharts/QChart>

#include "chart_panel.h"
#include "cross_check.h"
#include "inspection_chart_style.h"
#include "interaction.h"
#include "localisation/captions.h"
#include "localisation/language.h"
#include "localisation/messages.h"
#include "main_window.h"
#include "string_grid.h"

namespace tessavin::ui {
namespace {

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

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

    groupBox1_ = new QGroupBox(page);
    groupBox1_->setObjectName("GroupBox1");
    groupBox1_->setStyleSheet("QGroupBox#GroupBox1 { background: rgb(242, 242, 242); }");
    groupBox1_->setFixedWidth(390);
    auto* summary = new QGridLayout(groupBox1_);
    summary->setVerticalSpacing(2);
    label24_ = NamedLabel(groupBox1_, "Label24", "");
    conventionLabel_ = NamedLabel(groupBox1_, "LKonvence", "");
    label15_ = NamedLabel(groupBox1_, "Label15", "");
    for (QLabel* l : {label24_, conventionLabel_, label15_}) {
        l->setAlignment(Qt::AlignHCenter);
        l->setWordWrap(true);
    }
    auto* line = new QFrame(groupBox1_);
    line->setObjectName("Label40");
    line->setFrameShape(QFrame::HLine);
    summary->addWidget(label24_, 0, 0, 1, 2);
    summary->addWidget(conventionLabel_, 1, 0, 1, 2);
    summary->addWidget(label15_, 2, 0, 1, 2);
    summary->addWidget(line, 3, 0, 1, 2);
    label25_ = NamedLabel(groupBox1_, "Label25", Q(TextCis(269)));
    label26_ = NamedLabel(groupBox1_, "Label26", Q(TextCis(270)));
    bJevU_ = ChartButton(groupBox1_, "BJevU");
    bJevF_ = ChartButton(groupBox1_, "BJevF");
    bGN_ = ChartButton(groupBox1_, "BGN");
    bGV_ = ChartButton(groupBox1_, "BGV");
    bJevuUmSn_ = ChartButton(groupBox1_, "BjevuUmSn");
    bJevuFmSn_ = ChartButton(groupBox1_, "BjevuFmSn");
    const std::pair<QLabel*, QToolButton*> rows[] = {
        {label25_, bJevU_},
        {label26_, bJevF_},
        {NamedLabel(groupBox1_, "Label19", Q(tessavin::CaptionText(Caption::Label19))), bGN_},
        {NamedLabel(groupBox1_, "Label20", Q(tessavin::CaptionText(Caption::Label20))), bGV_},
        {NamedLabel(groupBox1_, "Label27", Q(tessavin::CaptionText(Caption::Label27))), bJevuUmSn_},
        {NamedLabel(groupBox1_, "Label28", "Reliability function F ( RF = Raac - Sn )"),
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
    crossCheck_ = new CrossCheck(this);
    summary->addWidget(crossCheck_->command(), r++, 0, 1, 2);
    summary->setRowStretch(r, 1);
    top->addWidget(groupBox1_);

    auto* chartColumn = new QVBoxLayout;
    top->addLayout(chartColumn, 1);
    chart3_ = new ChartPanel(page);
    chart3_->setObjectName("Chart3");
    chart3_->setLegendVisible(false);
    QFont title = chart3_->chart()->titleFont();
    title.setPointSize(9);
    chart3_->chart()->setTitleFont(title);
    chart3_->setLabelSeparation(10);
    chart3_->addSeries("LineSeries2", ChartPanel::SeriesType::Line, QColor(255, 0, 0));
    chart3_->addSeries("Series11", ChartPanel::SeriesType::Line, QColor(0, 0, 255));
    // Series s is the curve after inspection s + 1.
    for (int s = 1; s <= InspectionSeries; ++s)
        chart3_->addSeries(QString("Series%1").arg(s), ChartPanel::SeriesType::Line,
                           InspectionCurveColour(s + 1));
    // The chart's toolbar is the panel shown and hidden together with the chart.
    panel3_ = chart3_->toolbar();
    panel3_->setObjectName("Panel3");
    chartColumn->addWidget(chart3_, 1);

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
    gauge1_ = new QProgressBar(groupBox2);
    gauge1_->setObjectName("Gauge1");
    gauge1_->hide();
    stringGrid1_ = new StringGrid("StringGrid1", 2, 3, 0, 1, groupBox2);
    stringGrid1_->fitColumns({"Start : R(aac)  ", "00:00:00  "});
    stringGrid1_->setFixedHeight(3 * stringGrid1_->rowHeight(0) + 4);
    stringGrid1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    stringGrid1_->setCell(0, 1, "Execute time");
    stringGrid1_->setCell(0, 2, "Remains");
    groupBox3_ = new QGroupBox("  Year  ", groupBox2);
    groupBox3_->setObjectName("GroupBox3");
    auto* yearGroup = new QHBoxLayout(groupBox3_);
    yearGroup->setContentsMargins(4, 2, 4, 2);
    cbVyber_ = new QComboBox(groupBox3_);
    cbVyber_->setObjectName("CBVyber");
    // Not editable: only computed years can be chosen, by the list or by typing their digits.
    cbVyber_->setMaxVisibleItems(30);
    cbVyber_->setFixedWidth(70);
    stringGrid2_ = new StringGrid("StringGrid2", 2, 3, 0, 1, groupBox3_);
    stringGrid2_->fitColumns({"p ( U ) ", kWideProbability});
    stringGrid2_->setFixedHeight(3 * stringGrid2_->rowHeight(0) + 4);
    stringGrid2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    yearGroup->addWidget(cbVyber_);
    yearGroup->addWidget(stringGrid2_);
    bottom->addWidget(stringGrid1_, 0, 0, 2, 1);
    bottom->addWidget(lVysledek_, 0, 1);
    bottom->addWidget(lProhl_, 1, 1);
    bottom->addWidget(gauge1_, 2, 0, 1, 2);
    bottom->addWidget(groupBox3_, 0, 2, 3, 1);
    bottom->setColumnStretch(1, 1);
    connect(cbVyber_, &QComboBox::activated, this, &MainWindow::CBVyberChange);
}

void MainWindow::buildInspectionsPage(QWidget* page) {
    auto* grid = new QGridLayout(page);
    label18_ = NamedLabel(page, "Label18", "Probabilities of U,D,F events in calculation");
    label22_ = NamedLabel(page, "Label22", "of the first inspection time");
    label21_ = NamedLabel(page, "Label21", "Year of inspection");
    label30_ =
        NamedLabel(page, "Label30", "Table of probabilities of D,F,Fi events in calculation");
    label32_ = NamedLabel(page, "Label32", "");
    for (QLabel* l : {label18_, label22_, label21_, label30_, label32_})
        l->setAlignment(Qt::AlignHCenter);

    stringGrid5_ = new StringGrid("StringGrid5", 2, InspectionRows + 1, 1, 1, page);
    stringGrid5_->fitColumns({"   Prohlídka  ", "   between the years  "});
    stringGrid3_ = new StringGrid("StringGrid3", 4, 1, 1, 1, page);
    stringGrid3_->fitColumns({"  300", kWideProbability, kWideProbability, kWideProbability},
                             false);
    stringGrid4_ = new StringGrid("StringGrid4", 4, 1, 1, 1, page);
    stringGrid4_->fitColumns({"  300", kWideProbability, kWideProbability, kWideProbability},
                             false);

    stringGrid5_->setCell(0, 0, "  Inspection");
    stringGrid5_->setCell(1, 0, "   between the years");
    stringGrid3_->setCell(0, 0, Q(TextCis(259)));
    stringGrid3_->setCell(1, 0, "    p ( U )");
    stringGrid3_->setCell(2, 0, "    p ( D )");
    stringGrid3_->setCell(3, 0, "    p ( F )");
    stringGrid4_->setCell(0, 0, Q(TextCis(259)));
    stringGrid4_->setCell(1, 0, "    p ( D )");
    stringGrid4_->setCell(2, 0, "    p ( F )");
    stringGrid4_->setCell(3, 0, "       F");

    grid->addWidget(label21_, 0, 0);
    grid->addWidget(stringGrid5_, 1, 0, 2, 1);
    grid->addWidget(label18_, 0, 1);
    grid->addWidget(label22_, 1, 1);
    grid->addWidget(stringGrid3_, 2, 1);
    grid->addWidget(label30_, 0, 2);
    grid->addWidget(label32_, 1, 2);
    grid->addWidget(stringGrid4_, 2, 2);
    grid->setRowStretch(2, 1);
    connect(stringGrid5_, &QTableWidget::cellClicked, this,
            [this](int row, int) { selectInspectionRow(row); });
    connect(stringGrid5_, &QTableWidget::currentCellChanged, this,
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
    lProhl_->setText(Q(first_->found ? TextCis(233) + std::to_string(first_->from) + " - " +
                                           std::to_string(first_->to)
                                     : TextCis(first_->message)));
    lProhl_->show();
    lVysledek_->show();
}

void MainWindow::showInspectionTable(const InspectionTable& table) {
    stringGrid4_->setRows(static_cast<int>(table.rows.size()) + 1);
    stringGrid4_->setCell(3, 0, Q(table.header));
    int r = 1;
    for (const InspectionTableRow& row : table.rows) {
        stringGrid4_->setCell(0, r, Q(row.yearText));
        for (int c = 0; c < 3; ++c)
            stringGrid4_->setCell(c + 1, r, Q(row.valueTexts[c]));
        ++r;
    }
    label32_->setText(Q(table.title));
}

void MainWindow::selectInspectionRow(int row) {
    if (running_ || row < 1 || row > state_->inspectionsFound) return;
    showInspectionTable(InspectionTableDisplay(row + 1, *state_));
}

void MainWindow::clearInspectionChart() {
    if (crossCheck_) crossCheck_->clear();
    chart3_->clearAll();
}

void MainWindow::clearInspectionsPage() {
    stringGrid5_->clearColumn(0, 1);
    stringGrid5_->clearColumn(1, 1);
    stringGrid3_->setRows(1);
    stringGrid4_->setRows(1);
    for (QWidget* w : {static_cast<QWidget*>(stringGrid3_), static_cast<QWidget*>(stringGrid4_),
                       static_cast<QWidget*>(stringGrid5_), static_cast<QWidget*>(label18_),
                       static_cast<QWidget*>(label21_), static_cast<QWidget*>(label22_),
                       static_cast<QWidget*>(label30_), static_cast<QWidget*>(label32_)})
        w->hide();
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
    label32_->setText(Q(tessavin::CaptionText(Caption::Label23)) +
                      QString::number(state_->blockShown - 1) +
                      Q(tessavin::CaptionText(Caption::Label31)));
    updateLabel15();
    if (!lVysledek_->isHidden()) showFirstInspection(); // also while another page is shown
    // The inspection chart's title as the run wrote it, in the new language.
    if (!chart3_->titleLines().isEmpty())
        chart3_->setTitleLines(
            {Q(TextCis(240)), Q(TextCis(238) + tessavin::CrackOriginText(in_.crackOrigin))});
    crossCheck_->applyLanguage();
}

} // namespace tessavin::ui
