#include "ui/rawdata/sample_box.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/number_parse.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "rawdata/class_count_advice.h"
#include "rawdata/raw_sample.h"
#include "statlib/number_text.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/histogram_chart.h"
#include "ui/common/interaction.h"
#include "ui/common/named_label.h"
#include "ui/common/string_grid.h"
#include "ui/rawdata/box_parts.h"
#include "ui/rawdata/field_checks.h"

namespace tessavin::ui {
namespace {

const QColor ChartColour(0x00, 0x00, 0x80); // navy

} // namespace

SampleBox::SampleBox(QWidget* parent) : QGroupBox(parent) {
    setObjectName("GroupBox5");
    fileName_ = NamedEdit(this, "EdNazev", 190, true);
    statistics_ = ValueGrid(this, "StringGrid3", 4, CountLabelSample, WideNumberSample);
    ownHistogram_ = NamedButton(this, "Button2");
    chart_ = SmallChart(this, "Chart1Min");
    chart_->setMinimumHeight(110);
    intervals_ = NamedEdit(this, "EdPocetIntervalu", 60);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(NamedLabel(this, "Label1"));
    layout->addWidget(fileName_);
    layout->addWidget(statistics_);
    layout->addWidget(ownHistogram_);
    layout->addWidget(chart_, 1);
    layout->addStretch(0); // takes the chart's place while it is hidden
    auto* intervalRow = new QHBoxLayout;
    intervalRow->addWidget(NamedLabel(this, "Label4"));
    intervalRow->addWidget(intervals_);
    layout->addLayout(intervalRow);
    setFixedWidth(260);

    connect(ownHistogram_, &QPushButton::clicked, this, &SampleBox::histogramRequested);
    connect(statistics_, &QTableWidget::cellClicked, this, [this] {
        DefMessageDlg(Q(TextCis(CaptionMessage(BoxKind::Confirmation))),
                      Q(TextCis(msg::RawDataParameters)), BoxKind::Information, BoxButtons::Ok,
                      window());
    });
}

void SampleBox::clear() {
    FieldChecks::SetQuietly(fileName_, QString());
    statistics_->clearColumn(1, 0);
    chart_->clearAll();
    chart_->hide();
    intervals_->setEnabled(false);
    count_.reset();
}

void SampleBox::setFileName(const QString& name) {
    fileName_->setText(name);
}

bool SampleBox::hasFileName() const {
    return !fileName_->text().isEmpty();
}

QString SampleBox::fileStem() const {
    const QString name = fileName_->text();
    const int dot = name.indexOf('.');
    return dot < 0 ? QString() : name.left(dot);
}

void SampleBox::showStatistics(const RawSample& sample) {
    statistics_->setCell(1, 0, "     " + QString::number(sample.count));
    statistics_->setCell(1, 1, Q(StrNaCarku(sample.mean)));
    statistics_->setCell(1, 2, Q(StrNaCarku(sample.deviation)));
    statistics_->setCell(1, 3, Q(StrNaCarku(sample.skewness)));
    count_ = sample.count;
}

bool SampleBox::showsSample() const {
    return hasFileName() && !statistics_->cell(1, 0).trimmed().isEmpty();
}

double SampleBox::shownMean() const {
    return ParseReal(S(statistics_->cell(1, 1).trimmed())).value_or(0.0);
}

void SampleBox::showHistogram(const WorkingHistogram& h) {
    chart_->clearAll();
    if (!chart_->hasSeries(HistogramSeries))
        chart_->addSeries(HistogramSeries, ChartPanel::SeriesType::Bar, ChartColour);
    for (int i = 1; i <= h.Bins; ++i)
        chart_->addPoint(HistogramSeries, h.P[static_cast<std::size_t>(i)], QString::number(i - 1));
    chart_->show();
}

QString SampleBox::intervalsText() const {
    return intervals_->text();
}

void SampleBox::setIntervalsText(const QString& text) {
    FieldChecks::SetQuietly(intervals_, text);
}

int SampleBox::intervals() const {
    return static_cast<int>(ParseWhole(S(intervals_->text().trimmed())).value_or(0));
}

void SampleBox::setIntervalsEnabled(bool enabled) {
    intervals_->setEnabled(enabled);
}

bool SampleBox::checkIntervals() {
    const std::string text = S(intervals_->text());
    const std::optional<long long> n = ParseWhole(text);
    if (!n) {
        FieldChecks::Refuse(intervals_, TextCis(msg::BadIntervalCount) + text);
        FieldChecks::SetQuietly(intervals_, QString());
        return false;
    }
    if (*n == 0) {
        FieldChecks::Refuse(intervals_, TextCis(msg::ZeroIntervals));
        return false;
    }
    if (*n < 3 || *n > MaxBins) {
        FieldChecks::Refuse(intervals_,
                            TextCis(msg::IntervalCountOutOfRange) + std::to_string(MaxBins) + " !");
        FieldChecks::SetQuietly(intervals_, QString());
        return false;
    }
    if (count_) {
        if (const auto advice = TooFewClassesAdvice(*count_, static_cast<int>(*n)))
            DefMessageDlg(Q(TextCis(CaptionMessage(BoxKind::Warning))), Q(*advice),
                          BoxKind::Warning, BoxButtons::Ok, window());
    }
    emit intervalsAccepted();
    return true;
}

} // namespace tessavin::ui
