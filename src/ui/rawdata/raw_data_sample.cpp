// The raw data window's sample: clearing, the file read, the sample's histogram and the drawing
// of the histogram shown with its class values, class table and statistics.
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTime>
#include <QToolButton>
#include <atomic>
#include <memory>

#include "common/number_parse.h"
#include "histogram/characteristics.h"
#include "localisation/messages.h"
#include "rawdata/candidate_view.h"
#include "rawdata/raw_data_view.h"
#include "statlib/number_text.h"
#include "statlib/statistics.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/background_task.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"
#include "ui/common/string_grid.h"
#include "ui/rawdata/raw_data_window.h"

namespace tessavin::ui {
namespace {

constexpr int ReadProgressEnd = 100000;
constexpr int ListingProgressEnd = 20000;

const QColor SmallChartColour(0x00, 0x00, 0x80); // $800000, navy
const QString RawIndexCaption = QStringLiteral("Index   f(z)");

double CellValue(const StringGrid& grid, int row) {
    return ParseReal(S(grid.cell(1, row).trimmed())).value_or(0.0);
}

std::span<const double> Classes(const WorkingHistogram& h, int n) {
    return {h.P.data() + 1, static_cast<std::size_t>(std::max(n, 0))};
}

} // namespace

void RawDataWindow::PrepareForNewSample() {
    newData_->clear();
    memoDat_->clear();
    sampleChart_->clearAll();
    cbTypPara_->clear();
    move(0, 0);
    for (QLineEdit* e : {edMin_, edMax_, edNazev_}) {
        const QSignalBlocker block(e);
        e->clear();
    }
    chartBox_->setTitle(QString());
    savedEps_ = edEps_->text();
    inputsChanged_ = false;
    dataMarks_->setChecked(false);
    typHist_->setChecked(false);
    for (QWidget* w : {static_cast<QWidget*>(bTabChar_), static_cast<QWidget*>(bChar_),
                       static_cast<QWidget*>(ulozGraf_), static_cast<QWidget*>(screenshot_),
                       static_cast<QWidget*>(edPocetIntervalu_), static_cast<QWidget*>(edEps_)})
        w->setEnabled(false);
    shownValues_->clearColumn(1, 0);
    sampleValues_->clearColumn(1, 0);
    fitCloseness_->setCell(1, 0, QString());
    newDataCount_->setCell(1, 1, QString());
    for (QWidget* w :
         {static_cast<QWidget*>(shownValues_), static_cast<QWidget*>(shownClasses_),
          static_cast<QWidget*>(histogramChart_), static_cast<QWidget*>(newDataBox_),
          static_cast<QWidget*>(marksRotationLabel_), static_cast<QWidget*>(marksAngleLabel_)})
        w->hide();
    // Nothing of an earlier sample stays on screen.
    shownMoments_->clearColumn(1, 0);
    for (QWidget* w : {static_cast<QWidget*>(shownMoments_), static_cast<QWidget*>(sampleChart_),
                       static_cast<QWidget*>(cbMarks_), static_cast<QWidget*>(cbValInd_),
                       static_cast<QWidget*>(spinEdAngle_), static_cast<QWidget*>(dataMarks_)})
        w->hide();
    sample_.reset();
    context_.reset();
    ranking_ = FitRanking{};
    shown_ = WorkingHistogram{};
    parametric_ = false;
    updatePanel1();
}

void RawDataWindow::ClearShownHistogram() {
    fitCloseness_->setCell(1, 0, QString());
    shownValues_->clearColumn(1, 0);
    for (QWidget* w : {static_cast<QWidget*>(histogramChart_), static_cast<QWidget*>(shownValues_),
                       static_cast<QWidget*>(shownClasses_), static_cast<QWidget*>(shownMoments_),
                       static_cast<QWidget*>(cbMarks_), static_cast<QWidget*>(cbValInd_),
                       static_cast<QWidget*>(spinEdAngle_), static_cast<QWidget*>(dataMarks_)})
        w->hide();
    for (QWidget* w : {static_cast<QWidget*>(bTabChar_), static_cast<QWidget*>(ulozGraf_),
                       static_cast<QWidget*>(screenshot_), static_cast<QWidget*>(cbTypPara_)})
        w->setEnabled(false);
    cbTypPara_->clear();
    inputsChanged_ = true;
    progressBar1_->setRange(0, progressBar1_->maximum());
    progressBar1_->setValue(0);
    updatePanel1();
}

void RawDataWindow::fieldChanged() {
    if (!checking_) ClearShownHistogram();
}

void RawDataWindow::OpenDataClick() {
    PrepareForNewSample();
    histogramChart_->setTitleLines({});
    FileRequest request;
    request.directory = rawDataDir_;
    request.filter = PlatformTextOf(PlatformText::RawDataFilter).arg("txt");
    request.suggestedName = "Raw_Data";
    request.defaultSuffix = "txt";
    const QString path = UserInteraction().chooseFile(this, request);
    if (path.isEmpty()) {
        if (!startDir_.isEmpty()) QDir::setCurrent(startDir_);
        return;
    }
    readFile(path);
}

bool RawDataWindow::readFile(const QString& path) {
    PrepareForNewSample();
    if (QFileInfo::exists(path)) edNazev_->setText(QFileInfo(path).fileName());
    memoDat_->hide();
    // The read runs on a worker. The progress bar follows the lines read (0..100000), then the
    // sorted values as they are listed (0..20000, restarting at 0 when it would pass the end).
    progressBar1_->setRange(0, ReadProgressEnd);
    progressBar1_->setValue(0);
    struct Read {
        std::variant<RawSample, Failure> sample;
        std::string listing;
    };
    auto line = std::make_shared<std::atomic<long long>>(0);
    auto listed = std::make_shared<std::atomic<long long>>(-1); // -1 while reading
    busy_ = true;
    const std::string file = S(path);
    Read read = RunInBackground<Read>(
        [file, line, listed] {
            Read r{ReadRawDataFile(file, [line](long long n) { line->store(n); }), {}};
            if (const auto* s = std::get_if<RawSample>(&r.sample)) {
                listed->store(0);
                r.listing = SortedValuesListing(*s, [listed](long long j) { listed->store(j); });
            }
            return r;
        },
        [this, line, listed] {
            const long long j = listed->load();
            if (j < 0) {
                progressBar1_->setValue(static_cast<int>(line->load() % (ReadProgressEnd + 1)));
            } else {
                progressBar1_->setMaximum(ListingProgressEnd);
                progressBar1_->setValue(static_cast<int>(j % (ListingProgressEnd + 1)));
            }
        });
    busy_ = false;
    progressBar1_->setValue(0);
    if (const Failure* f = std::get_if<Failure>(&read.sample)) {
        memoDat_->show();
        ShowFailure(*f, this);
        if (f->message == 112 && !startDir_.isEmpty()) QDir::setCurrent(startDir_);
        return false;
    }
    sample_ = std::move(std::get<RawSample>(read.sample));
    sampleValues_->setCell(1, 0, "     " + QString::number(sample_->count));
    sampleValues_->setCell(1, 1, Q(StrNaCarku(sample_->mean)));
    sampleValues_->setCell(1, 2, Q(StrNaCarku(sample_->deviation)));
    sampleValues_->setCell(1, 3, Q(StrNaCarku(sample_->skewness)));
    lastMin_ = Q(StrNaCarku(sample_->minimum));
    lastMax_ = Q(StrNaCarku(sample_->maximum));
    {
        const QSignalBlocker blockMin(edMin_);
        const QSignalBlocker blockMax(edMax_);
        edMin_->setText(lastMin_);
        edMax_->setText(lastMax_);
    }
    memoDat_->setPlainText(Q(read.listing));
    memoDat_->show();
    edEps_->setEnabled(true);
    Button2Click();
    if (!startDir_.isEmpty()) QDir::setCurrent(startDir_);
    for (QWidget* w : {static_cast<QWidget*>(edPocetIntervalu_), static_cast<QWidget*>(bChar_),
                       static_cast<QWidget*>(ulozGraf_), static_cast<QWidget*>(screenshot_)})
        w->setEnabled(true);
    return true;
}

HistogramKind RawDataWindow::histogramKind() const {
    return typHist_->isChecked() ? HistogramKind::PureDiscrete : HistogramKind::Discrete;
}

int RawDataWindow::intervals() const {
    return static_cast<int>(ParseWhole(S(edPocetIntervalu_->text().trimmed())).value_or(0));
}

QString RawDataWindow::fileStem() const {
    const QString name = edNazev_->text();
    const int dot = name.indexOf('.');
    return dot < 0 ? QString() : name.left(dot);
}

bool RawDataWindow::requireSample() {
    if (hasSample()) return true;
    cbTypPara_->clear();
    fitCloseness_->setCell(1, 0, QString());
    return false;
}

void RawDataWindow::Button2Click() {
    if (!requireSample()) return;
    dataMarks_->setChecked(false);
    cbTypPara_->clear();
    cbTypPara_->setEnabled(false);
    bTabChar_->setEnabled(false);
    fitCloseness_->setCell(1, 0, QString());
    parametric_ = false;
    ranking_ = FitRanking{};
    const double min = ParseReal(S(edMin_->text())).value_or(sample_->minimum);
    const double max = ParseReal(S(edMax_->text())).value_or(sample_->maximum);
    auto view = ShowSampleHistogram(*sample_, intervals(), min, max, histogramKind());
    if (const Failure* f = std::get_if<Failure>(&view)) {
        ShowFailure(*f, this);
        return;
    }
    const SampleHistogramView& v = std::get<SampleHistogramView>(view);
    shown_ = v.histogram;
    ranking_.sampleRow = v.row;
    shownClasses_->hide();
    chartBox_->setTitle(QString());
    DrawShownHistogram();
    // The fits take the sample's histogram, its class values, median and mode from the same
    // view (FitContext), so nothing more is kept here.
    inputsChanged_ = false;
    fillSmallChart(v.histogram);
    emit sampleHistogramDrawn(v.histogram);
}

void RawDataWindow::fillSmallChart(const WorkingHistogram& h) {
    sampleChart_->clearAll();
    if (!sampleChart_->hasSeries(HistogramSeries))
        sampleChart_->addSeries(HistogramSeries, ChartPanel::SeriesType::Bar, SmallChartColour);
    for (int i = 1; i <= h.Bins; ++i)
        sampleChart_->addPoint(HistogramSeries, h.P[static_cast<std::size_t>(i)],
                               QString::number(i - 1));
    sampleChart_->show();
}

void RawDataWindow::chartTitle(QStringList& lines) const {
    if (!parametric_) {
        const QLocale locale;
        lines << Q(TextCis(107)) + cbTypPara_->currentText()
              << Q(TextCis(109)) + fileStem() + " ( " +
                     locale.toString(QDate::currentDate(), QLocale::ShortFormat) + " , " +
                     locale.toString(QTime::currentTime(), QLocale::ShortFormat) + " )";
        return;
    }
    QString line1 = Q(TextCis(108)) + cbTypPara_->currentText();
    const int i = cbTypPara_->currentIndex();
    if (i >= 0 && i < DistributionCount) {
        const std::string& parameters = ranking_.entries[static_cast<std::size_t>(i)].parameterText;
        if (!parameters.empty()) line1 += " ( " + Q(parameters);
    }
    lines << line1 << Q(TextCis(109)) + fileStem();
}

void RawDataWindow::DrawShownHistogram() {
    const int n = shown_.Bins;
    if (n <= 0) return;
    shown_.Step = (shown_.Max - shown_.Min) / n;
    for (QWidget* w :
         {static_cast<QWidget*>(cbMarks_), static_cast<QWidget*>(cbValInd_),
          static_cast<QWidget*>(spinEdAngle_), static_cast<QWidget*>(dataMarks_),
          static_cast<QWidget*>(marksRotationLabel_), static_cast<QWidget*>(marksAngleLabel_)})
        w->show();
    QStringList title;
    chartTitle(title);
    if (parametric_ && hasSample()) MirrorTowardsSample(shown_, CellValue(*sampleValues_, 1));

    const ClassLayout layout = SetClassLayout(histogramKind(), n, shown_.Min, shown_.Max);
    shownValues_->setCell(1, 0, Q(StrNaCarku(layout.X1)));
    shownValues_->setCell(1, 1, Q(StrNaCarku(layout.XN)));
    const double x1 = CellValue(*shownValues_, 0);
    const double xn = CellValue(*shownValues_, 1);
    FillHistogramTable(*shownClasses_, std::span<const double>(shown_.P), n, x1, layout.Step,
                       histogramKind() == HistogramKind::Discrete, highlight_);
    emit histogramDrawn(shown_);

    drawn_ = DiscreteHistogram{};
    drawn_.P = shown_.P;
    drawn_.Bins = n;
    drawn_.XFirst = layout.X1;
    drawn_.XLast = layout.XN;
    drawn_.Step = layout.Step;
    drawn_.Total = static_cast<double>(shown_.Total);
    DrawHistogramChart(*histogramChart_, drawn_, title.value(0), title.value(1), RawIndexCaption,
                       axis());
    runMarks();

    for (QWidget* w :
         {static_cast<QWidget*>(shownValues_), static_cast<QWidget*>(shownClasses_),
          static_cast<QWidget*>(shownMoments_), static_cast<QWidget*>(histogramChart_)})
        w->show();
    for (QWidget* w : {static_cast<QWidget*>(bChar_), static_cast<QWidget*>(ulozGraf_),
                       static_cast<QWidget*>(screenshot_)})
        w->setEnabled(true);
    updatePanel1();

    const std::span<const double> p = Classes(shown_, n);
    shownValues_->setCell(1, 2, Q(VypMedian(true, p, x1, xn, n)));
    shownValues_->setCell(1, 3, Q(VypMode(p, n, x1, xn)));
    const double skewness =
        HistogramCharacteristics("", p, n, x1, xn, static_cast<double>(shown_.Total), true)
            .skewness;
    if (sample_) {
        shownMoments_->setCell(1, 0, Q(StrNaCarku(sample_->mean)));
        shownMoments_->setCell(1, 1, Q(StrNaCarku(sample_->deviation)));
    }
    shownMoments_->setCell(1, 2, Q(StrNaCarku(skewness)));
}

HistogramAxis RawDataWindow::axis() const {
    return cbValInd_->currentIndex() == static_cast<int>(HistogramAxis::Index)
               ? HistogramAxis::Index
               : HistogramAxis::Value;
}

void RawDataWindow::BCharClick() {
    const int n = intervals();
    const double x1 = CellValue(*shownValues_, 0);
    const double xn = CellValue(*shownValues_, 1);
    const int i = cbTypPara_->currentIndex();
    const bool candidate = i >= 0 && i < DistributionCount &&
                           ranking_.entries[static_cast<std::size_t>(i)].tightness > 0;
    const std::string title =
        candidate ? TextCis(209) + S(cbTypPara_->currentText()) : TextCis(210);
    const auto result = HistogramCharacteristics(title, Classes(shown_, std::min(n, shown_.Bins)),
                                                 std::min(n, shown_.Bins), x1, xn,
                                                 static_cast<double>(shown_.Total));
    if (result.text.empty()) return;
    DefMessageDlg(Q(TextCis(79)), Q(result.text), BoxKind::Information, BoxButtons::Ok, this);
}

} // namespace tessavin::ui
