#include "ui/rawdata/shown_histogram_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <span>

#include "common/number_parse.h"
#include "goodness/probability_plot.h"
#include "histogram/characteristics.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "rawdata/candidate_view.h"
#include "statlib/number_text.h"
#include "statlib/statistics.h"
#include "ui/charts/bar_marks.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/interaction.h"
#include "ui/common/named_label.h"
#include "ui/common/string_grid.h"
#include "ui/rawdata/box_parts.h"
#include "ui/rawdata/probability_plot_view.h"

namespace tessavin::ui {
namespace {

// Row labels of StringGrid1 (grid cells, the same in both languages).
const QStringList ValueRows{"Xmin", "Xmax", "Median", "Mode"};
// The items of CBMarks and CBValInd (texts from the caption table).
constexpr int MarkStyles = 5;
constexpr int AxisModes = 2;
// CBGraf's items (texts from the caption table).
enum PlotChoice { ShowHistogram = 0, ShowQq = 1, ShowPp = 2, PlotChoices = 3 };

std::span<const double> Classes(const WorkingHistogram& h, int n) {
    return {h.P.data() + 1, static_cast<std::size_t>(std::max(n, 0))};
}

} // namespace

ShownHistogramBox::ShownHistogramBox(QWidget* parent) : QGroupBox(parent) {
    setObjectName("GroupBox4");
    chart_ = new ChartPanel(this);
    chart_->setObjectName("Chart1L");
    marks_ = new BarMarks(chart_);
    markStyle_ = new QComboBox(this);
    markStyle_->setObjectName("CBMarks");
    markStyle_->addItems(QStringList(MarkStyles, QString()));
    markAngle_ = new QSpinBox(this);
    markAngle_->setObjectName("SpinEdAngle");
    markAngle_->setRange(0, 360);
    markAngle_->setSingleStep(15);
    markAngle_->setValue(90);
    markAngle_->findChild<QLineEdit*>()->setReadOnly(true); // turned by its arrows only
    marksShown_ = new QCheckBox(this);
    marksShown_->setObjectName("CheckBox1");
    axisMode_ = new QComboBox(this);
    axisMode_->setObjectName("CBValInd");
    axisMode_->addItems(QStringList(AxisModes, QString()));
    axisMode_->setCurrentIndex(static_cast<int>(HistogramAxis::Value));
    rotationLabel_ = NamedLabel(this, "Label2");
    angleLabel_ = NamedLabel(this, "Label3");
    values_ = ValueGrid(this, "StringGrid1", 4, QStringLiteral("Median "), WideNumberSample);
    for (int r = 0; r < 4; ++r)
        values_->setCell(0, r, ValueRows[r]);
    moments_ =
        ValueGrid(this, "StringGrid6", 3, QStringLiteral("Směr.odchylka "), WideNumberSample);
    plotChoice_ = new QComboBox(this);
    plotChoice_->setObjectName("CBGraf");
    plotChoice_->addItems(QStringList(PlotChoices, QString()));
    plotChoice_->setEnabled(false);
    plot_ = new ProbabilityPlotView(this);
    plot_->setObjectName("ChartPlot");
    plot_->hide();
    chartTools_ = new QWidget(this);
    chartTools_->setObjectName("Panel1");
    auto* toolsLayout = new QHBoxLayout(chartTools_);
    toolsLayout->setContentsMargins(0, 0, 0, 0);
    toolsLayout->addWidget(chart_->toolbar());
    chart_->toolbar()->show();
    chartTools_->hide();
    auto* angleLabels = new QVBoxLayout;
    angleLabels->setSpacing(0);
    angleLabels->addWidget(angleLabel_);
    angleLabels->addWidget(rotationLabel_);
    auto* marksRow = new QHBoxLayout;
    marksRow->addWidget(marksShown_);
    marksRow->addWidget(markStyle_);
    marksRow->addLayout(angleLabels);
    for (QWidget* w :
         std::initializer_list<QWidget*>{markAngle_, axisMode_, plotChoice_, chartTools_})
        marksRow->addWidget(w);
    marksRow->addStretch(1);
    auto* gridsColumn = new QVBoxLayout;
    gridsColumn->addWidget(values_);
    gridsColumn->addWidget(moments_);
    gridsColumn->addStretch(1);
    auto* chartRow = new QHBoxLayout;
    chartRow->addWidget(chart_, 1);
    chartRow->addWidget(plot_, 1);
    chartRow->addLayout(gridsColumn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(marksRow);
    layout->addLayout(chartRow, 1);

    classes_ = new StringGrid("StringGrid2", 3, 2, 1, 0, parent);
    classes_->fitColumns({"  INT", WideNumberSample, "0.00367647058823529"});
    classes_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    connect(marksShown_, &QCheckBox::clicked, this, [this] {
        // The range again from the class values shown, then the chart with or without marks.
        const double x1 = classValue(0);
        const double xn = classValue(1);
        if (kind_ == HistogramKind::Discrete) {
            shown_.Min = x1 - shown_.Step / 2;
            shown_.Max = xn + shown_.Step / 2;
        } else {
            shown_.Min = x1;
            shown_.Max = xn;
        }
        emit redrawWanted();
    });
    connect(markStyle_, &QComboBox::activated, this, [this] {
        if (marksShown_->isChecked()) emit redrawWanted();
    });
    connect(markAngle_, &QSpinBox::valueChanged, this, [this] {
        if (!marksShown_->isChecked()) return showMarks();
        marksShown_->setChecked(false);
        emit redrawWanted();
    });
    connect(axisMode_, &QComboBox::activated, this, [this](int index) {
        emit axisModeChanged(index);
        emit redrawWanted();
    });
    connect(values_, &QTableWidget::cellClicked, this, [this] {
        DefMessageDlg(Q(TextCis(CaptionMessage(BoxKind::Confirmation))),
                      Q(TextCis(msg::ShownHistogramParameters)), BoxKind::Information,
                      BoxButtons::Ok, window());
    });
    connect(moments_, &QTableWidget::cellClicked, this, &ShownHistogramBox::momentsClicked);
    connect(plotChoice_, &QComboBox::currentIndexChanged, this,
            &ShownHistogramBox::applyPlotChoice);
}

void ShownHistogramBox::setFit(std::optional<FittedDistribution> fit,
                               std::span<const double> sorted) {
    fit_ = std::move(fit);
    sampleValues_.assign(sorted.begin(), sorted.end());
    if (!fit_) {
        const QSignalBlocker block(plotChoice_);
        plotChoice_->setCurrentIndex(ShowHistogram);
    }
    plotChoice_->setEnabled(fit_.has_value());
}

bool ShownHistogramBox::plotShown() const {
    return !plot_->isHidden();
}

void ShownHistogramBox::applyPlotChoice() {
    const bool onScreen = !chart_->isHidden() || !plot_->isHidden();
    const int choice = fit_ ? plotChoice_->currentIndex() : ShowHistogram;
    if (!onScreen) return;
    if (choice == ShowHistogram) {
        plot_->hide();
        chart_->show();
        return;
    }
    const PlotKind kind =
        choice == ShowQq ? PlotKind::QuantileQuantile : PlotKind::ProbabilityProbability;
    plot_->showPoints(kind, ProbabilityPlot(*fit_, sampleValues_, kind));
    chart_->hide();
    plot_->show();
}

QSize ShownHistogramBox::minimumSizeHint() const {
    return QWidget::minimumSizeHint();
}

bool ShownHistogramBox::event(QEvent* e) {
    if (e->type() != QEvent::ToolTip || title().isEmpty()) return QGroupBox::event(e);
    const auto* help = static_cast<QHelpEvent*>(e);
    if (help->pos().y() > contentsRect().top()) return QGroupBox::event(e);
    QToolTip::showText(help->globalPos(), title().trimmed(), this);
    return true;
}

void ShownHistogramBox::showMarkControls(bool shown) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{markStyle_, axisMode_, markAngle_, marksShown_})
        w->setVisible(shown);
}

void ShownHistogramBox::clear() {
    setTitle(QString());
    marksShown_->setChecked(false);
    values_->clearColumn(1, 0);
    for (QWidget* w : std::initializer_list<QWidget*>{values_, classes_, chart_, plot_,
                                                      rotationLabel_, angleLabel_})
        w->hide();
    // Nothing of an earlier sample stays on screen.
    moments_->clearColumn(1, 0);
    moments_->hide();
    showMarkControls(false);
    shown_ = WorkingHistogram{};
}

void ShownHistogramBox::hideHistogram() {
    values_->clearColumn(1, 0);
    for (QWidget* w : std::initializer_list<QWidget*>{chart_, plot_, values_, classes_, moments_})
        w->hide();
    showMarkControls(false);
}

void ShownHistogramBox::hideMarkControls() {
    showMarkControls(false);
    marksShown_->setChecked(false);
}

void ShownHistogramBox::untickMarks() {
    marksShown_->setChecked(false);
}

void ShownHistogramBox::hideCandidate() {
    chart_->hide();
    plot_->hide();
    values_->setCell(1, 2, QString());
    values_->setCell(1, 3, QString());
    classes_->hide();
}

void ShownHistogramBox::clearChartTitle() {
    chart_->setTitleLines({});
}

double ShownHistogramBox::classValue(int row) const {
    return ParseReal(S(values_->cell(1, row).trimmed())).value_or(0.0);
}

bool ShownHistogramBox::draw(const QStringList& title, HistogramKind kind,
                             std::optional<double> mirrorMean, const RawSample* sample) {
    const int n = shown_.Bins;
    if (n <= 0) return false;
    kind_ = kind;
    shown_.Step = (shown_.Max - shown_.Min) / n;
    showMarkControls(true);
    rotationLabel_->show();
    angleLabel_->show();
    if (mirrorMean) MirrorTowardsSample(shown_, *mirrorMean);

    const ClassLayout layout = SetClassLayout(kind, n, shown_.Min, shown_.Max);
    values_->setCell(1, 0, Q(StrNaCarku(layout.X1)));
    values_->setCell(1, 1, Q(StrNaCarku(layout.XN)));
    const double x1 = classValue(0);
    const double xn = classValue(1);
    FillHistogramTable(*classes_, std::span<const double>(shown_.P), n, x1, layout.Step,
                       kind == HistogramKind::Discrete, highlight_);
    emit drawn(shown_);

    drawn_ = DiscreteHistogram{};
    drawn_.P = shown_.P;
    drawn_.Bins = n;
    drawn_.XFirst = layout.X1;
    drawn_.XLast = layout.XN;
    drawn_.Step = layout.Step;
    drawn_.Total = static_cast<double>(shown_.Total);
    DrawHistogramChart(*chart_, drawn_, title.value(0), title.value(1),
                       axisMode_->itemText(static_cast<int>(HistogramAxis::Index)), axis());
    showMarks();
    for (QWidget* w : std::initializer_list<QWidget*>{values_, classes_, moments_, chart_})
        w->show();
    applyPlotChoice();

    const std::span<const double> p = Classes(shown_, n);
    values_->setCell(1, 2, Q(VypMedian(true, p, x1, xn, n)));
    values_->setCell(1, 3, Q(VypMode(p, n, x1, xn)));
    const double skewness =
        HistogramCharacteristics("", p, n, x1, xn, static_cast<double>(shown_.Total), true)
            .skewness;
    if (sample) {
        moments_->setCell(1, 0, Q(StrNaCarku(sample->mean)));
        moments_->setCell(1, 1, Q(StrNaCarku(sample->deviation)));
    }
    moments_->setCell(1, 2, Q(StrNaCarku(skewness)));
    return true;
}

bool ShownHistogramBox::chartShown() const {
    return chart_->isVisible() || plot_->isVisible();
}

DiscreteHistogram ShownHistogramBox::shownAsInput() const {
    DiscreteHistogram h;
    h.P = shown_.P;
    h.XFirst = values_->cell(1, 0).trimmed().toDouble();
    h.XLast = values_->cell(1, 1).trimmed().toDouble();
    h.Bins = shown_.Bins;
    // The step between the class values shown: for Pure Discrete the classes sit on the range
    // ends, and the range's own step would put the last class beyond XLast.
    h.Step = h.Bins > 1 ? (h.XLast - h.XFirst) / (h.Bins - 1) : shown_.Step;
    h.Total = static_cast<double>(shown_.Total);
    return h;
}

void ShownHistogramBox::showMarks() {
    // CBMarks: 0 P(x), 1 the bar's label, 2 label and P(x), 3 x, 4 x and P(x).
    const int style = markStyle_->currentIndex();
    QStringList texts;
    std::vector<double> heights;
    for (int i = 1; i <= drawn_.Bins; ++i) {
        const double p = drawn_.P[static_cast<std::size_t>(i)];
        const QString value = Q(StrMarkValue(p));
        const QString label = HistogramBarLabel(drawn_, i, axis());
        const QString x = Q(StrBottomGraf(ClassValue(drawn_, i)));
        const QString text = style == 1   ? label
                             : style == 2 ? label + "  " + value
                             : style == 3 ? x
                             : style == 4 ? x + "  " + value
                                          : value;
        texts << text;
        heights.push_back(p);
    }
    marks_->show(texts, heights, markAngle_->value(), marksShown_->isChecked());
}

QStringList ShownHistogramBox::marks() const {
    return marks_->texts();
}

std::string ShownHistogramBox::characteristicsText(const std::string& title, int intervals) const {
    const int n = std::min(intervals, shown_.Bins);
    return HistogramCharacteristics(title, Classes(shown_, n), n, classValue(0), classValue(1),
                                    static_cast<double>(shown_.Total))
        .text;
}

HistogramAxis ShownHistogramBox::axis() const {
    return axisMode_->currentIndex() == static_cast<int>(HistogramAxis::Index)
               ? HistogramAxis::Index
               : HistogramAxis::Value;
}

void ShownHistogramBox::setAxisMode(int index) {
    const QSignalBlocker block(axisMode_);
    axisMode_->setCurrentIndex(index);
}

void ShownHistogramBox::applyAxisTitles() {
    chart_->setAxisTitle("left", Q(TextCis(msg::ProbabilityAxisTitle)));
    chart_->setAxisTitle("bottom", Q(TextCis(msg::YearAxisTitle)));
}

void ShownHistogramBox::setColourHighlighting(bool on) {
    highlight_ = on;
    HighlightHistogramTable(*classes_, on);
}

void ShownHistogramBox::showChartTools(bool wanted) {
    chartTools_->setVisible(wanted && values_->isVisible());
}

} // namespace tessavin::ui
