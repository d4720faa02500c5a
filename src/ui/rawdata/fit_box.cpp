#include "ui/rawdata/fit_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <atomic>
#include <memory>

#include "common/number_parse.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"
#include "ui/common/background_task.h"
#include "ui/common/interaction.h"
#include "ui/common/named_label.h"
#include "ui/common/string_grid.h"
#include "ui/rawdata/box_parts.h"
#include "ui/rawdata/field_checks.h"

namespace tessavin::ui {
namespace {

constexpr int ProgressEnd = 100000;

} // namespace

FitBox::FitBox(QWidget* parent) : QGroupBox(parent) {
    setObjectName("GroupBox6");
    eps_ = NamedEdit(this, "EdEps", 110);
    candidates_ = new QComboBox(this);
    candidates_->setObjectName("CBTypPara");
    candidates_->setMaxVisibleItems(30);
    rankButton_ = NamedButton(this, "BuParam");
    closeness_ = ValueGrid(this, "StringGrid4", 1, QStringLiteral("Closeness "),
                           QStringLiteral("0.999999999999999"));
    table_ = NamedButton(this, "BTabChar");
    progress_ = new QProgressBar(this);
    progress_->setObjectName("ProgressBar1");
    progress_->setTextVisible(false);
    auto* layout = new QGridLayout(this);
    layout->addWidget(NamedLabel(this, "LEps"), 0, 0);
    layout->addWidget(eps_, 0, 1);
    layout->addWidget(rankButton_, 0, 2);
    layout->addWidget(NamedLabel(this, "Label11"), 1, 0, 1, 3);
    layout->addWidget(candidates_, 2, 0, 1, 2);
    layout->addWidget(table_, 2, 2);
    layout->addWidget(closeness_, 3, 0, 1, 3);
    layout->addWidget(progress_, 4, 0, 1, 3);

    connect(rankButton_, &QPushButton::clicked, this, &FitBox::rankingRequested);
    connect(table_, &QPushButton::clicked, this, &FitBox::tableRequested);
    connect(candidates_, &QComboBox::activated, this, &FitBox::candidateChosen);
}

void FitBox::showCloseness(const QString& text) {
    closeness_->setCell(1, 0, text);
}

void FitBox::clear() {
    candidates_->clear();
    savedEps_ = eps_->text();
    table_->setEnabled(false);
    eps_->setEnabled(false);
    showCloseness(QString());
    context_.reset();
    ranking_ = FitRanking{};
}

void FitBox::clearCandidates() {
    candidates_->clear();
    showCloseness(QString());
}

void FitBox::discardCandidates() {
    showCloseness(QString());
    table_->setEnabled(false);
    candidates_->setEnabled(false);
    candidates_->clear();
    progress_->setRange(0, progress_->maximum());
    progress_->setValue(0);
}

void FitBox::discardRanking() {
    candidates_->clear();
    candidates_->setEnabled(false);
    table_->setEnabled(false);
    showCloseness(QString());
    ranking_ = FitRanking{};
}

QString FitBox::epsText() const {
    return eps_->text();
}

void FitBox::setEpsText(const QString& text) {
    FieldChecks::SetQuietly(eps_, text);
}

void FitBox::setMainEps(const QString& mainEps) {
    mainEps_ = mainEps;
    savedEps_ = mainEps;
    setEpsText(mainEps);
}

void FitBox::setEpsEnabled(bool enabled) {
    eps_->setEnabled(enabled);
}

bool FitBox::checkEps() {
    const std::string text = S(eps_->text());
    const std::optional<double> v = ParseReal(text);
    bool accepted = true;
    if (!v) {
        FieldChecks::Refuse(eps_, TextCis(msg::InvalidNumberInput) + " Eps : " + text);
        accepted = false;
    } else if (*v <= 0) {
        FieldChecks::Refuse(eps_, TextCis(msg::MinProbabilityNotPositive));
        accepted = false;
    } else {
        const double lowest = ParseReal(S(mainEps_)).value_or(0.0);
        if (*v < lowest || *v > 1) {
            FieldChecks::Refuse(eps_, FormatMessage(TextCis(msg::EpsOutOfRange), S(mainEps_)));
            accepted = false;
        }
    }
    if (!accepted) FieldChecks::SetQuietly(eps_, savedEps_);
    return accepted;
}

bool FitBox::prepare(const RawSample& sample, const FitSettings& settings) {
    auto made = FitContext::Make(sample, settings);
    if (const Failure* f = std::get_if<Failure>(&made)) {
        ShowFailure(*f, window());
        return false;
    }
    context_ = std::move(std::get<FitContext>(made));
    return true;
}

void FitBox::rank() {
    // The ranking runs on a worker; the progress bar follows the evaluated types.
    auto done = std::make_shared<std::atomic<int>>(0);
    auto total = std::make_shared<std::atomic<int>>(22);
    progress_->setRange(0, total->load());
    progress_->setValue(0);
    const FitContext context = *context_;
    ranking_ = RunInBackground<FitRanking>(
        [context, done, total] {
            return RankParametricFits(context, [done, total](int d, int t) {
                done->store(d);
                total->store(t);
            });
        },
        [this, done, total] {
            progress_->setMaximum(total->load());
            progress_->setValue(done->load());
        });
    progress_->setRange(0, ProgressEnd);
    progress_->setValue(0);
}

void FitBox::listRanking() {
    context_->setWeibullShape(ranking_.weibullShape);
    const QSignalBlocker block(candidates_);
    candidates_->clear();
    for (const FitEntry& e : ranking_.entries)
        candidates_->addItem(Q(FitTypeName(e.type)));
    candidates_->setCurrentIndex(0);
    showCloseness(Q(StrNaCarku(ranking_.entries[0].tightness)));
}

void FitBox::offerCandidates() {
    candidates_->setEnabled(true);
    table_->setEnabled(true);
    // Only candidates with a median to show are offered.
    const QSignalBlocker block(candidates_);
    while (candidates_->count() > ranking_.listLength)
        candidates_->removeItem(candidates_->count() - 1);
    candidates_->setMaxVisibleItems(std::max(ranking_.listLength, 1));
    candidates_->setCurrentIndex(ranking_.listLength > 0 ? 0 : -1);
}

std::optional<WorkingHistogram> FitBox::candidateHistogram(int position) const {
    if (!context_ || position < 0 || position >= DistributionCount) return std::nullopt;
    const FitEntry& entry = ranking_.entries[static_cast<std::size_t>(position)];
    FitContext::Candidate c = context_->build(entry.type, false);
    for (const Failure& f : c.reports)
        ShowFailure(f, window());
    if (!c.usable) return std::nullopt;
    return std::move(c.histogram);
}

void FitBox::removeCandidates(const QList<int>& types) {
    for (FitEntry& e : ranking_.entries)
        if (types.contains(e.type)) e.tightness = 0;
    for (std::size_t r = 0; r < ranking_.rows.size(); ++r)
        if (types.contains(ranking_.rowTypes[r])) ranking_.rows[r].fields.fill(std::string());
}

int FitBox::chosenPosition() const {
    return candidates_->currentIndex();
}

QString FitBox::chosenName() const {
    return candidates_->currentText();
}

const FitEntry* FitBox::chosenEntry() const {
    const int i = chosenPosition();
    if (i < 0 || i >= DistributionCount) return nullptr;
    return &ranking_.entries[static_cast<std::size_t>(i)];
}

void FitBox::choose(int position) {
    candidates_->setCurrentIndex(position >= 0 && position < candidates_->count() ? position : 0);
}

const FitEntry* FitBox::showChosenCloseness() {
    const FitEntry* entry = chosenEntry();
    if (!entry || !context_) return nullptr;
    showCloseness(QLocale().toString(entry->tightness, 'f', 5));
    return entry;
}

bool FitBox::tableOffered() const {
    return table_->isEnabled();
}

} // namespace tessavin::ui
