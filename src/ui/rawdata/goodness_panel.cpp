#include "ui/rawdata/goodness_panel.h"

#include <QCheckBox>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "common/number_format.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "ui/common/interaction.h"

namespace tessavin::ui {
namespace {

const QString Missing = QStringLiteral("–");
const QString Pending = QStringLiteral("…");
constexpr int MaxDraws = 100000;
constexpr int DigitsShown = 6;

int Threads() {
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

bool IsPValue(GoodnessKey key) {
    return key == GoodnessKey::KsP || key == GoodnessKey::AdP;
}

} // namespace

GoodnessPanel::GoodnessPanel(QWidget* parent) : QObject(parent) {
    tick_ = new QCheckBox(parent);
    tick_->setObjectName("ChBGoodness");
    drawsLabel_ = new QLabel(parent);
    drawsLabel_->setObjectName("Label5");
    draws_ = new QSpinBox(parent);
    draws_->setObjectName("SpinEdDraws");
    draws_->setRange(0, MaxDraws);
    draws_->setSingleStep(100);
    draws_->setValue(BootstrapSettings{}.draws);
    progress_ = new QProgressBar(parent);
    progress_->setObjectName("PBBootstrap");
    progress_->setTextVisible(false);
    progress_->setMaximumWidth(160);
    break_ = new QPushButton(parent);
    break_->setObjectName("BPrerus");
    for (QWidget* w : std::initializer_list<QWidget*>{drawsLabel_, draws_, progress_, break_})
        w->hide();
    timer_ = new QTimer(this);
    timer_->setInterval(50);

    connect(tick_, &QCheckBox::toggled, this, [this](bool on) {
        drawsLabel_->setVisible(on);
        draws_->setVisible(on);
        if (on && pending_ && !running()) startBootstrap();
        emit toggled(on);
    });
    // Another number of draws: the p-values are drawn again.
    connect(draws_, &QSpinBox::valueChanged, this, [this] {
        if (stats_.empty()) return;
        join();
        for (GoodnessOfFit& g : stats_) {
            g.ksP.reset();
            g.adP.reset();
            g.pReason.clear();
            g.pStopped = false;
        }
        pending_ = true;
        if (shown()) startBootstrap();
        emit changed();
    });
    connect(break_, &QPushButton::clicked, this, &GoodnessPanel::stop);
    connect(timer_, &QTimer::timeout, this, [this] {
        progress_->setRange(0, std::max(1, total_.load()));
        progress_->setValue(std::min(done_.load(), total_.load()));
    });
}

GoodnessPanel::~GoodnessPanel() {
    join();
}

bool GoodnessPanel::shown() const {
    return tick_->isChecked();
}

void GoodnessPanel::setRanking(const FitRanking& ranking, const FitContext& context,
                               std::optional<RankedSample> sample) {
    join();
    context_ = context;
    context_->setWeibullShape(ranking.weibullShape);
    sample_ = std::move(sample);
    stats_ = sample_ ? MeasureRanking(*context_, sample_->sample, ranking, Threads())
                     : std::vector<GoodnessOfFit>{};
    pending_ = sample_.has_value();
    if (shown() && pending_) startBootstrap();
    emit changed();
}

void GoodnessPanel::startBootstrap() {
    join();
    pending_ = false;
    if (!sample_ || stats_.empty()) return;
    BootstrapSettings b;
    b.draws = draws_->value();
    b.threads = Threads();
    // Nothing to draw: the reasons at once, without a worker.
    if (b.draws <= 0 || sample_->sample.count < MinBootstrapSample) {
        BootstrapRanking(stats_, *context_, sample_->sample, sample_->settings,
                         context_->weibullShape(), b);
        emit changed();
        return;
    }
    drawn_ = stats_;
    stop_ = false;
    done_ = 0;
    total_ = static_cast<int>(stats_.size()) * std::max(b.draws, 0);
    progress_->setValue(0);
    progress_->show();
    break_->show();
    timer_->start();
    const int generation = ++generation_;
    worker_ = std::thread([this, generation, b, context = *context_, source = *sample_] {
        const BootstrapProgress progress = [this](int done, int) {
            done_ = std::max(done_.load(), done);
        };
        BootstrapRanking(drawn_, context, source.sample, source.settings, context.weibullShape(), b,
                         progress, &stop_);
        QMetaObject::invokeMethod(
            this, [this, generation] { finishBootstrap(generation); }, Qt::QueuedConnection);
    });
}

void GoodnessPanel::finishBootstrap(int generation) {
    if (generation != generation_) return; // a worker stopped before a new start
    if (worker_.joinable()) worker_.join();
    timer_->stop();
    progress_->hide();
    break_->hide();
    stats_ = std::move(drawn_);
    drawn_.clear();
    emit changed();
}

void GoodnessPanel::stop() {
    stop_ = true;
}

void GoodnessPanel::join() {
    if (!worker_.joinable()) return;
    stop_ = true;
    worker_.join();
    ++generation_; // its queued finish is stale
    timer_->stop();
    progress_->hide();
    break_->hide();
    // The statistics keep their values; the p-values that were being drawn are stopped.
    for (GoodnessOfFit& g : stats_)
        if (!g.ksP && !g.adP && g.pReason.empty()) {
            g.pReason = TextCis(msg::BootstrapInterrupted);
            g.pStopped = true;
        }
}

const GoodnessOfFit* GoodnessPanel::find(DistributionType type) const {
    for (const GoodnessOfFit& g : stats_)
        if (g.type == type) return &g;
    return nullptr;
}

QString GoodnessPanel::text(DistributionType type, GoodnessKey key) const {
    const GoodnessOfFit* g = find(type);
    if (!g) return Missing;
    const std::optional<double> v = GoodnessValue(key, *g);
    if (v && std::isfinite(*v)) return Q(GeneralText(*v, DigitsShown));
    if (IsPValue(key) && g->reason.empty() && (running() || pending_) && g->pReason.empty())
        return Pending;
    return Missing;
}

QString GoodnessPanel::reason(DistributionType type, GoodnessKey key) const {
    const GoodnessOfFit* g = find(type);
    if (!sample_ || !g) return Q(TextCis(msg::GoodnessNoRawSample));
    if (GoodnessValue(key, *g)) return QString();
    const auto notAvailable = [](const std::string& why) {
        return Q(FormatMessage(TextCis(msg::GoodnessNotAvailable), why));
    };
    if (!g->reason.empty()) return notAvailable(g->reason);
    switch (key) {
    case GoodnessKey::LogLikelihood:
    case GoodnessKey::Aic:
    case GoodnessKey::Bic:
        return notAvailable(g->likelihoodReason);
    case GoodnessKey::Ad:
        return notAvailable(g->adReason);
    case GoodnessKey::Ks:
    case GoodnessKey::Cvm:
        return QString();
    case GoodnessKey::KsP:
    case GoodnessKey::AdP:
        break;
    }
    if (g->pReason.empty()) return QString(); // still to be drawn
    if (g->pStopped) return Q(TextCis(msg::GoodnessStopped));
    if (sample_->sample.count < MinBootstrapSample)
        return Q(
            FormatMessage(TextCis(msg::GoodnessFewValues), std::to_string(MinBootstrapSample)));
    if (draws_->value() <= 0) return Q(TextCis(msg::GoodnessNoDraws));
    return notAvailable(g->pReason);
}

std::vector<DistributionType> GoodnessPanel::order(GoodnessKey key) const {
    std::vector<DistributionType> types;
    for (const std::size_t i : GoodnessOrder(key, stats_))
        types.push_back(stats_[i].type);
    return types;
}

} // namespace tessavin::ui
