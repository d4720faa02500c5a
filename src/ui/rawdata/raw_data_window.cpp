#include "ui/rawdata/raw_data_window.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLocale>
#include <QProgressBar>
#include <QScreen>
#include <QTime>
#include <QVBoxLayout>

#include "files/settings_file.h"
#include "files/settings_keys.h"
#include "goodness/goodness_of_fit.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "rawdata/raw_data_view.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/interaction.h"
#include "ui/common/string_grid.h"
#include "ui/rawdata/data_file_box.h"
#include "ui/rawdata/field_checks.h"
#include "ui/rawdata/fit_box.h"
#include "ui/rawdata/new_data_editor.h"
#include "ui/rawdata/probability_plot_view.h"
#include "ui/rawdata/raw_data_files.h"
#include "ui/rawdata/raw_data_read.h"
#include "ui/rawdata/raw_data_toolbar.h"
#include "ui/rawdata/sample_box.h"
#include "ui/rawdata/shown_histogram_box.h"

namespace tessavin::ui {
namespace {

constexpr int NewDataProgressEnd = 100000;

} // namespace

RawDataWindow::RawDataWindow()
    : SideWindow(WindowId::RawData, Qt::Window | Qt::WindowStaysOnTopHint) {
    checks_ = new FieldChecks(this);
    toolbar_ = new RawDataToolbar(this);
    dataFile_ = new DataFileBox(this);
    sampleBox_ = new SampleBox(this);
    fits_ = new FitBox(this);
    shownBox_ = new ShownHistogramBox(this);
    editor_ = new NewDataEditor(this);
    layOut();
    connectParts();
    applyLanguage(CurrentLanguage());
    resize(1000, 600);
    prepareForNewSample();
}

RawDataWindow::~RawDataWindow() = default;

void RawDataWindow::layOut() {
    // The class table and the editor share the right column.
    auto* right = new QVBoxLayout;
    right->addWidget(shownBox_->classTable(), 1);
    right->addWidget(editor_, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(sampleBox_, 1);
    left->addWidget(fits_);
    auto* body = new QHBoxLayout;
    body->addWidget(dataFile_);
    body->addLayout(left);
    body->addWidget(shownBox_, 1);
    body->addLayout(right);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->addWidget(toolbar_);
    root->addLayout(body, 1);
}

void RawDataWindow::connectParts() {
    connect(toolbar_, &RawDataToolbar::openRequested, this, &RawDataWindow::openDataFile);
    connect(toolbar_, &RawDataToolbar::newDataRequested, this, &RawDataWindow::startNewData);
    connect(toolbar_, &RawDataToolbar::characteristicsRequested, this,
            &RawDataWindow::showCharacteristics);
    connect(toolbar_, &RawDataToolbar::screenCopyRequested, this,
            [this] { CopyScreenToClipboard(this); });
    connect(toolbar_, &RawDataToolbar::exportRequested, this, &RawDataWindow::exportChart);
    connect(toolbar_, &RawDataToolbar::kindChanged, this, &RawDataWindow::showSampleHistogram);
    connect(toolbar_, &RawDataToolbar::closeRequested, this, &QWidget::close);
    connect(dataFile_, &DataFileBox::rangeAccepted, this, [this] {
        clearShownHistogram();
        showSampleHistogram();
    });
    connect(sampleBox_, &SampleBox::histogramRequested, this, &RawDataWindow::showSampleHistogram);
    connect(sampleBox_, &SampleBox::intervalsAccepted, this, &RawDataWindow::showSampleHistogram);
    connect(fits_, &FitBox::rankingRequested, this, &RawDataWindow::rankFits);
    connect(fits_, &FitBox::tableRequested, this, &RawDataWindow::tableRequested);
    connect(fits_, &FitBox::candidateChosen, this, &RawDataWindow::showChosenCandidate);
    connect(shownBox_, &ShownHistogramBox::drawn, this, &RawDataWindow::histogramDrawn);
    connect(shownBox_, &ShownHistogramBox::redrawWanted, this, &RawDataWindow::drawShownHistogram);
    connect(shownBox_, &ShownHistogramBox::axisModeChanged, this, &RawDataWindow::axisModeChanged);
    connect(shownBox_, &ShownHistogramBox::momentsClicked, this, &RawDataWindow::explainMoments);

    checks_->watch(dataFile_->field(RangeEnd::Min), NumberFilter::RangeReal,
                   [this] { return checkMinimum(); });
    checks_->watch(dataFile_->field(RangeEnd::Max), NumberFilter::RangeReal,
                   [this] { return checkMaximum(); });
    checks_->watch(fits_->epsField(), NumberFilter::EpsReal, [this] { return checkEps(); });
    checks_->watch(sampleBox_->intervalsField(), NumberFilter::Digits,
                   [this] { return checkIntervals(); });
    connect(checks_, &FieldChecks::edited, this, &RawDataWindow::clearShownHistogram);
}

// --- links to the main window ---------------------------------------------------------------

void RawDataWindow::openForInput(int k, const QString& mainEps, const QString& intervals) {
    k_ = k;
    prepareForNewSample();
    show();
    fits_->setMainEps(mainEps);
    sampleBox_->setIntervalsText(intervals);
    activateWindow();
}

void RawDataWindow::setFolders(const QString& rawDataDir, const QString& startDir) {
    rawDataDir_ = rawDataDir;
    startDir_ = startDir;
    editor_->setFolders(rawDataDir, startDir);
}

void RawDataWindow::setColourHighlighting(bool on) {
    shownBox_->setColourHighlighting(on);
}

void RawDataWindow::setToolbarWanted(bool on) {
    toolbarWanted_ = on;
    updateChartTools();
}

void RawDataWindow::setAxisMode(int index) {
    shownBox_->setAxisMode(index);
}

void RawDataWindow::languageApplied(Language language) {
    const Language before = CurrentLanguage();
    SetLanguage(language);
    shownBox_->applyAxisTitles();
    if (shownBox_->chartShown()) drawShownHistogram();
    SetLanguage(before);
}

void RawDataWindow::readOwnSettings(const SettingsFile& file) {
    for (const SettingKey& k : settingKeys()) {
        if (k.target == "EdEps") fits_->setEpsText(Q(file.GetString(k)));
        if (k.target == "EdPocetIntervalu") sampleBox_->setIntervalsText(Q(file.GetString(k)));
    }
}

void RawDataWindow::writeOwnSettings(SettingsFile& file) const {
    for (const SettingKey& k : settingKeys()) {
        if (k.target == "EdEps") file.SetString(k, S(fits_->epsText()));
        if (k.target == "EdPocetIntervalu") file.SetString(k, S(sampleBox_->intervalsText()));
    }
}

void RawDataWindow::closing() {
    const bool withSample = hasSample();
    emit closedForInput(k_, withSample, withSample ? shownAsInput() : DiscreteHistogram{});
}

void RawDataWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateChartTools();
}

void RawDataWindow::updateChartTools() {
    const QScreen* s = screen();
    const bool wide = s && frameGeometry().width() >= s->availableGeometry().width();
    shownBox_->showChartTools(wide && toolbarWanted_);
}

void RawDataWindow::restoreStartFolder() const {
    if (!startDir_.isEmpty()) QDir::setCurrent(startDir_);
}

// --- state ------------------------------------------------------------------------------------

bool RawDataWindow::hasSample() const {
    return sample_.has_value() && sampleBox_->showsSample();
}

bool RawDataWindow::inputsChanged() const {
    return checks_->inputsChanged();
}

const WorkingHistogram& RawDataWindow::shown() const {
    return shownBox_->shown();
}

QStringList RawDataWindow::marks() const {
    return shownBox_->marks();
}

const FitRanking& RawDataWindow::ranking() const {
    return fits_->ranking();
}

const std::optional<FitContext>& RawDataWindow::fitContext() const {
    return fits_->context();
}

std::optional<RankedSample> RawDataWindow::rankedSample() const {
    if (!sample_ || !fits_->context()) return std::nullopt;
    return RankedSample{*sample_, fitSettings()};
}

const FitEntry* RawDataWindow::shownFit() const {
    return parametric_ ? fits_->chosenEntry() : nullptr;
}

DiscreteHistogram RawDataWindow::shownAsInput() const {
    return shownBox_->shownAsInput();
}

// --- the field checks ---------------------------------------------------------------------

bool RawDataWindow::checkRangeEnd(bool isMin) {
    if (!checks_->inputsChanged()) return true;
    return dataFile_->checkEnd(isMin ? RangeEnd::Min : RangeEnd::Max, sampleBox_->hasFileName());
}

bool RawDataWindow::checkMinimum() {
    return checkRangeEnd(true);
}

bool RawDataWindow::checkMaximum() {
    return checkRangeEnd(false);
}

bool RawDataWindow::checkIntervals() {
    return !checks_->inputsChanged() || sampleBox_->checkIntervals();
}

bool RawDataWindow::checkEps() {
    if (!checks_->inputsChanged()) return true;
    const bool accepted = fits_->checkEps();
    showSampleHistogram();
    return accepted;
}

// --- a new sample -------------------------------------------------------------------------

void RawDataWindow::prepareForNewSample() {
    editor_->clear();
    dataFile_->clear();
    sampleBox_->clear();
    fits_->clear();
    shownBox_->clear();
    move(0, 0);
    checks_->setInputsChanged(false);
    toolbar_->resetHistogramKind();
    toolbar_->setCharacteristicsEnabled(false);
    toolbar_->setPicturesEnabled(false);
    sample_.reset();
    parametric_ = false;
    updateChartTools();
}

void RawDataWindow::clearShownHistogram() {
    fits_->discardCandidates();
    shownBox_->hideHistogram();
    toolbar_->setPicturesEnabled(false);
    checks_->setInputsChanged(true);
    updateChartTools();
}

void RawDataWindow::openDataFile() {
    prepareForNewSample();
    shownBox_->clearChartTitle();
    const QString path = ChooseRawDataFile(this, false, "txt", "Raw_Data", rawDataDir_);
    if (path.isEmpty()) return restoreStartFolder();
    readFile(path);
}

bool RawDataWindow::readFile(const QString& path) {
    prepareForNewSample();
    if (QFileInfo::exists(path)) sampleBox_->setFileName(QFileInfo(path).fileName());
    dataFile_->setListingVisible(false);
    busy_ = true;
    RawDataRead read = ReadRawDataWithProgress(path, fits_->progress());
    busy_ = false;
    if (const Failure* f = std::get_if<Failure>(&read.sample)) {
        dataFile_->setListingVisible(true);
        ShowFailure(*f, this);
        if (f->message == msg::FileDoesNotExist) restoreStartFolder();
        return false;
    }
    sample_ = std::move(std::get<RawSample>(read.sample));
    sampleBox_->showStatistics(*sample_);
    dataFile_->showSample(*sample_, Q(read.listing));
    fits_->setEpsEnabled(true);
    showSampleHistogram();
    restoreStartFolder();
    sampleBox_->setIntervalsEnabled(true);
    toolbar_->setCharacteristicsEnabled(true);
    toolbar_->setPicturesEnabled(true);
    return true;
}

bool RawDataWindow::requireSample() {
    if (hasSample()) return true;
    fits_->clearCandidates();
    return false;
}

// --- the histogram shown --------------------------------------------------------------------

void RawDataWindow::showSampleHistogram() {
    if (!requireSample()) return;
    shownBox_->untickMarks();
    fits_->discardRanking();
    parametric_ = false;
    const auto [min, max] = dataFile_->range(*sample_);
    auto view =
        ShowSampleHistogram(*sample_, sampleBox_->intervals(), min, max, toolbar_->histogramKind());
    if (const Failure* f = std::get_if<Failure>(&view)) {
        ShowFailure(*f, this);
        return;
    }
    const SampleHistogramView& v = std::get<SampleHistogramView>(view);
    shownBox_->setFit(std::nullopt, {});
    shownBox_->setShown(v.histogram);
    shownBox_->setTitle(QString());
    drawShownHistogram();
    checks_->setInputsChanged(false);
    sampleBox_->showHistogram(v.histogram);
    emit sampleHistogramDrawn(v.histogram);
}

QStringList RawDataWindow::chartTitle() const {
    if (!parametric_) {
        const QLocale locale;
        return {Q(TextCis(msg::RawDataTitle)) + fits_->chosenName(),
                Q(TextCis(msg::DataFileTitle)) + sampleBox_->fileStem() + " ( " +
                    locale.toString(QDate::currentDate(), QLocale::ShortFormat) + " , " +
                    locale.toString(QTime::currentTime(), QLocale::ShortFormat) + " )"};
    }
    QString line1 = Q(TextCis(msg::ParametricFunctionTitle)) + fits_->chosenName();
    if (const FitEntry* entry = fits_->chosenEntry(); entry && !entry->parameterText.empty())
        line1 += " ( " + Q(entry->parameterText);
    return {line1, Q(TextCis(msg::DataFileTitle)) + sampleBox_->fileStem()};
}

void RawDataWindow::drawShownHistogram() {
    // A candidate is mirrored towards the sample's mean as its cell shows it.
    const std::optional<double> mirrorMean =
        parametric_ && hasSample() ? std::optional(sampleBox_->shownMean()) : std::nullopt;
    if (!shownBox_->draw(chartTitle(), toolbar_->histogramKind(), mirrorMean,
                         sample_ ? &*sample_ : nullptr))
        return;
    toolbar_->setCharacteristicsEnabled(true);
    toolbar_->setPicturesEnabled(true);
    updateChartTools();
}

void RawDataWindow::showCharacteristics() {
    const FitEntry* entry = fits_->chosenEntry();
    const std::string title = entry && entry->tightness > 0
                                  ? TextCis(msg::ParametricCharacteristics) + S(fits_->chosenName())
                                  : TextCis(msg::NonParametricCharacteristics);
    const std::string text = shownBox_->characteristicsText(title, sampleBox_->intervals());
    if (text.empty()) return;
    DefMessageDlg(Q(TextCis(msg::CharacteristicsCaption)), Q(text), BoxKind::Information,
                  BoxButtons::Ok, this);
}

void RawDataWindow::explainMoments() {
    const QString text =
        fits_->tableOffered()
            ? Q(FormatMessage(TextCis(msg::ParametricHistogramMoments), S(fits_->chosenName())))
            : Q(TextCis(msg::RawHistogramMoments));
    DefMessageDlg(Q(TextCis(msg::CharacteristicsCaption)), text, BoxKind::Information,
                  BoxButtons::Ok, this);
}

// --- the parametric fits ------------------------------------------------------------------

FitSettings RawDataWindow::fitSettings() const {
    FitSettings s;
    s.intervals = sampleBox_->intervals();
    s.eps = S(fits_->epsText());
    std::tie(s.min, s.max) = dataFile_->range(*sample_);
    s.kind = toolbar_->histogramKind();
    return s;
}

void RawDataWindow::rankFits() {
    if (!requireSample()) return;
    shownBox_->hideMarkControls();
    showSampleHistogram();
    if (!fits_->prepare(*sample_, fitSettings())) return;
    parametric_ = true;
    shownBox_->hideCandidate();
    busy_ = true;
    setEnabled(false);
    fits_->rank();
    setEnabled(true);
    busy_ = false;

    const FitRanking& ranking = fits_->ranking();
    if (ranking.rows.empty()) {
        // A failing discretisation shows its own reports and ends the ranking; no candidate at
        // all is message 110 and the sample's histogram again.
        for (const Failure& f : ranking.reports)
            ShowFailure(f, this);
        if (ranking.completed) {
            clearShownHistogram();
            showSampleHistogram();
        }
        return;
    }
    fits_->listRanking();
    if (drawCandidate(0))
        shownBox_->setTitle("  " + Q(TextCis(msg::InputParameters)) +
                            Q(ranking.entries[0].parameterText) + "  ");
    fits_->offerCandidates();
    checks_->setInputsChanged(false);
    emit tableRequested();
}

bool RawDataWindow::drawCandidate(int position) {
    const std::optional<WorkingHistogram> candidate = fits_->candidateHistogram(position);
    if (!candidate) return false;
    shownBox_->setFit(fittedCandidate(position), sample_ ? std::span<const double>(sample_->values)
                                                         : std::span<const double>());
    shownBox_->setShown(*candidate);
    parametric_ = true;
    drawShownHistogram();
    return true;
}

std::optional<FittedDistribution> RawDataWindow::fittedCandidate(int position) const {
    const FitRanking& ranking = fits_->ranking();
    if (!sample_ || !fits_->context() || position < 0 ||
        position >= static_cast<int>(ranking.entries.size()))
        return std::nullopt;
    FitContext context = *fits_->context();
    context.setWeibullShape(ranking.weibullShape);
    std::string reason;
    return FittedCandidate(context, *sample_, ranking.entries[position].type, reason);
}

void RawDataWindow::showChosenCandidate() {
    if (!requireSample()) return;
    const FitEntry* entry = fits_->showChosenCloseness();
    if (!entry) return;
    if (entry->tightness <= 0) {
        shownBox_->hideCandidate();
        shownBox_->setTitle(QString());
        checks_->setInputsChanged(false);
        return;
    }
    if (drawCandidate(fits_->chosenPosition())) {
        shownBox_->setTitle(Q(TextCis(msg::InputParametersF)) + Q(entry->parameterText));
        checks_->setInputsChanged(false);
    }
}

void RawDataWindow::selectCandidate(int position) {
    fits_->choose(position);
    showChosenCandidate();
}

void RawDataWindow::removeCandidates(const QList<int>& types) {
    fits_->removeCandidates(types);
}

// --- new raw data and the chart's pictures ------------------------------------------------

void RawDataWindow::startNewData() {
    prepareForNewSample();
    fits_->progress().setRange(1, NewDataProgressEnd);
    shownBox_->clearChartTitle();
    editor_->start();
}

void RawDataWindow::exportChart() {
    const ChartExport choice = toolbar_->exportChoice();
    const bool plot = shownBox_->plotShown();
    if (choice == ChartExport::Clipboard)
        return plot ? shownBox_->plot().copyToClipboard() : shownBox_->chart().copyToClipboard();
    const QString suffix = choice == ChartExport::Bitmap     ? "bmp"
                           : choice == ChartExport::Metafile ? "svg"
                                                             : "jpg";
    const QString path = ChooseRawDataFile(this, true, suffix, QString(), startDir_);
    if (!path.isEmpty() && ConfirmOverwrite(this, path) &&
        !(plot ? shownBox_->plot().savePicture(path) : shownBox_->chart().savePicture(path)))
        ReportWriteFailure(this, path);
    restoreStartFolder();
}

} // namespace tessavin::ui
