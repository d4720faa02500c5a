#include "ui/main/cross_check.h"

#include <QLegend>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QtCharts/QChart>
#include <string_view>

#include "localisation/captions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/caption_tables.h"
#include "ui/common/interaction.h"
#include "ui/main/main_texts.h"
#include "ui/main/main_window.h"

namespace tessavin::ui {
namespace {

using namespace tessavin::montecarlo;

const QString kCurve = "CrossCheckCurve";
const QString kBand = "CrossCheckBand";
const QString kMethodCurve = "Series11"; // the method's pF on the inspection chart
const QColor kSimulationColour(0, 140, 60);
constexpr int kGaugeSteps = 1000;

// "from - to" of a first inspection found, else the search's message.
QString FirstText(const std::optional<FirstInspectionResult>& first) {
    if (!first) return "-";
    if (!first->found) return Q(TextCis(first->message));
    return QString("%1 - %2").arg(first->from).arg(first->to);
}

} // namespace

CrossCheck::CrossCheck(MainWindow* window)
    : QObject(window), window_(window), command_(new QPushButton) {
    setObjectName("CrossCheck");
    command_->setObjectName("BCrossCheck");
    command_->setEnabled(false);
    connect(command_, &QPushButton::clicked, this, &CrossCheck::start);
}

CrossCheck::~CrossCheck() {
    stopWorker();
}

// The results page's chart and progress bar, made by the window after this object.
ChartPanel* CrossCheck::chart() const {
    return window_->findChild<ChartPanel*>("Chart3");
}

QProgressBar* CrossCheck::gauge() const {
    return window_->findChild<QProgressBar*>("Gauge1");
}

void CrossCheck::offer(const std::optional<FirstInspectionResult>& methodFirst) {
    methodFirst_ = methodFirst;
    ChartPanel* c = chart();
    command_->setEnabled(c && !c->isHidden() && c->pointCount(kMethodCurve) > 0);
}

void CrossCheck::clear() {
    const bool wasRunning = running();
    stopWorker();
    ++run_; // a run stopped here reports nothing
    // A command that clears the results while the simulation runs (a menu shortcut) finds the
    // window idle again.
    if (wasRunning) showIdle();
    command_->setEnabled(false);
    methodFirst_.reset();
    removeDrawing();
}

void CrossCheck::stopWorker() {
    if (!worker_.joinable()) return;
    stop_ = true;
    worker_.join(); // the run ends after the sample blocks in hand
}

void CrossCheck::breakCommand() {
    if (!simulating() || asking_) return;
    asking_ = true;
    const bool yes =
        DefMessageDlg(Q(TextCis(msg::ConfirmationTitle)), Q(TextCis(msg::BreakQuestion)),
                      BoxKind::Confirmation, BoxButtons::YesNo, window_) == BoxYes;
    asking_ = false;
    if (yes) stop_ = true;
    if (!held_) return;
    auto [run, outcome] = std::move(*held_);
    held_.reset();
    if (yes) outcome.result.interrupted = true;
    finish(run, outcome);
}

void CrossCheck::start() {
    if (running() || !command_->isEnabled()) return;
    removeDrawing();
    const CalculationInputs in = window_->inputs();
    auto setup = SetupFromInputs(in, window_->state().inputs);
    if (const Failure* f = std::get_if<Failure>(&setup)) {
        showFailure(*f);
        return;
    }

    window_->setBusy(false);
    command_->setEnabled(false); // the results page's lower box stays enabled while busy
    window_->findChild<QPushButton*>("BPrerus")->show();
    window_->findChild<QPushButton*>("BPrerus")->setEnabled(true);
    gauge()->setRange(0, kGaugeSteps);
    gauge()->setValue(0);
    gauge()->show();

    stop_ = false;
    workerDone_ = false;
    held_.reset();
    const int run = ++run_;
    const long long samples = samples_;
    // The worker owns its copies; it reaches this object only through queued calls, and the
    // destructor joins it before the object goes.
    worker_ = std::thread([this, run, samples, in, setup = std::move(std::get<ModelSetup>(setup))] {
        Outcome out;
        const SimulationModel model(setup);
        if (model.failure()) {
            out.failure = model.failure();
        } else {
            SimulationSettings settings;
            settings.samples = samples;
            settings.seed = Seed;
            settings.stop = &stop_;
            int shown = -1;
            settings.progress = [this, &shown](long long done, long long total) {
                const int permille = static_cast<int>(kGaugeSteps * done / total);
                if (permille == shown) return;
                shown = permille;
                QMetaObject::invokeMethod(
                    this, [this, permille] { onProgress(permille); }, Qt::QueuedConnection);
            };
            out.result = Simulate(model, settings);
            out.failure = out.result.failure;
            if (!out.failure && !out.result.interrupted) out.plan = PlanFromCurves(in, out.result);
        }
        workerDone_ = true;
        QMetaObject::invokeMethod(
            this, [this, run, out] { finish(run, out); }, Qt::QueuedConnection);
    });
}

void CrossCheck::onProgress(int permille) {
    if (!running()) return;
    gauge()->setValue(permille);
}

void CrossCheck::finish(int run, const Outcome& outcome) {
    if (run != run_) return; // cleared meanwhile; clear() has joined the worker
    if (asking_) {
        held_.emplace(run, outcome);
        return;
    }
    if (worker_.joinable()) worker_.join();
    showIdle();
    if (outcome.failure) {
        showFailure(*outcome.failure);
    } else if (!outcome.result.interrupted) {
        // A broken run is left off the chart: its few samples would look like a result.
        simulatedFirst_ = outcome.plan.first;
        draw(outcome.result);
        if (drawn_) shown_ = report::CrossCheckRun{outcome.result, outcome.plan};
    }
    emit finished();
}

void CrossCheck::showFailure(const Failure& failure) {
    ShowFailure(ErrorBox(0, S(MainPiece("CrossCheckFailed")) + failure.text), window_);
}

void CrossCheck::showIdle() {
    gauge()->hide();
    window_->findChild<QPushButton*>("BPrerus")->hide();
    window_->setBusy(true);
    offer(methodFirst_);
}

void CrossCheck::draw(const SimulationResult& result) {
    ChartPanel* c = chart();
    if (!c) return;
    c->addSeries(kBand, ChartPanel::SeriesType::Band, kSimulationColour);
    c->addSeries(kCurve, ChartPanel::SeriesType::ThinLine, kSimulationColour);
    // Only the years the method's curve shows: the two curves share the year axis.
    const QStringList years = c->categories();
    for (std::size_t j = 0; j < result.years.size(); ++j) {
        const QString year = QString::number(result.years[j]);
        if (!years.contains(year)) continue;
        const double pF = result.pF[j], spread = 2 * result.pFSe[j];
        c->addBandPoint(kBand, pF - spread, pF + spread, year);
        c->addPoint(kCurve, pF, year);
    }
    drawn_ = true;
    applyLanguage();
    c->setLegendVisible(true);
    // A narrow chart elides the entries; the whole text is then the marker's tool tip.
    c->chart()->legend()->setShowToolTips(true);
}

void CrossCheck::removeDrawing() {
    drawn_ = false;
    simulatedFirst_.reset();
    shown_.reset();
    ChartPanel* c = chart();
    if (!c || !c->hasSeries(kCurve)) return;
    c->clearSeries(kCurve);
    c->clearSeries(kBand);
    for (const QString& name : {kCurve, kBand, kMethodCurve})
        c->setLegendTitle(name, {});
    c->setLegendVisible(false);
}

void CrossCheck::applyLanguage() {
    ChartPanel* c = chart();
    if (!drawn_ || !c) return;
    c->setLegendTitle(kMethodCurve, MainPiece("CrossCheckMethod") + FirstText(methodFirst_));
    c->setLegendTitle(kCurve, MainPiece("CrossCheckSimulation") + FirstText(simulatedFirst_));
    c->setLegendTitle(kBand, MainPiece("CrossCheckBand"));
}

} // namespace tessavin::ui
