// The raw data window's parametric fits: the ranking with its progress and the candidate list.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <atomic>
#include <memory>

#include "common/number_parse.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/background_task.h"
#include "ui/common/interaction.h"
#include "ui/common/string_grid.h"
#include "ui/rawdata/raw_data_window.h"

namespace tessavin::ui {

std::optional<FitSettings> RawDataWindow::fitSettings() const {
    if (!sample_) return std::nullopt;
    FitSettings s;
    s.intervals = intervals();
    s.eps = S(edEps_->text());
    s.min = ParseReal(S(edMin_->text())).value_or(sample_->minimum);
    s.max = ParseReal(S(edMax_->text())).value_or(sample_->maximum);
    s.kind = histogramKind();
    return s;
}

void RawDataWindow::BuParamClick() {
    if (!requireSample()) return;
    for (QWidget* w : {static_cast<QWidget*>(cbMarks_), static_cast<QWidget*>(cbValInd_),
                       static_cast<QWidget*>(spinEdAngle_), static_cast<QWidget*>(dataMarks_)})
        w->hide();
    dataMarks_->setChecked(false);
    Button2Click();
    auto made = FitContext::Make(*sample_, *fitSettings());
    if (const Failure* f = std::get_if<Failure>(&made)) {
        ShowFailure(*f, this);
        return;
    }
    context_ = std::move(std::get<FitContext>(made));
    parametric_ = true;
    shownClasses_->hide();
    histogramChart_->hide();
    shownValues_->setCell(1, 2, QString());
    shownValues_->setCell(1, 3, QString());

    // The ranking runs on a worker; the progress bar follows the evaluated types.
    auto done = std::make_shared<std::atomic<int>>(0);
    auto total = std::make_shared<std::atomic<int>>(22);
    progressBar1_->setRange(0, total->load());
    progressBar1_->setValue(0);
    const FitContext context = *context_;
    busy_ = true;
    setEnabled(false);
    ranking_ = RunInBackground<FitRanking>(
        [context, done, total] {
            return RankParametricFits(context, [done, total](int d, int t) {
                done->store(d);
                total->store(t);
            });
        },
        [this, done, total] {
            progressBar1_->setMaximum(total->load());
            progressBar1_->setValue(done->load());
        });
    setEnabled(true);
    busy_ = false;
    progressBar1_->setRange(0, 100000);
    progressBar1_->setValue(0);

    if (ranking_.rows.empty()) {
        // A failing discretisation shows its own reports and ends the ranking; no candidate at
        // all is message 110 and the sample's histogram again.
        for (const Failure& f : ranking_.reports)
            ShowFailure(f, this);
        if (ranking_.completed) {
            ClearShownHistogram();
            Button2Click();
        }
        return;
    }
    listCandidates();
    emit tableRequested();
}

void RawDataWindow::listCandidates() {
    context_->setWeibullShape(ranking_.weibullShape);
    {
        const QSignalBlocker block(cbTypPara_);
        cbTypPara_->clear();
        for (const FitEntry& e : ranking_.entries)
            cbTypPara_->addItem(Q(FitTypeName(e.type)));
        cbTypPara_->setCurrentIndex(0);
    }
    fitCloseness_->setCell(1, 0, Q(StrNaCarku(ranking_.entries[0].tightness)));
    if (drawCandidate(0))
        chartBox_->setTitle("  " + Q(TextCis(111)) + Q(ranking_.entries[0].parameterText) + "  ");
    cbTypPara_->setEnabled(true);
    bTabChar_->setEnabled(true);
    inputsChanged_ = false;
    notParamButton_->setEnabled(true);
    // Only candidates with a median to show are offered.
    const QSignalBlocker block(cbTypPara_);
    while (cbTypPara_->count() > ranking_.listLength)
        cbTypPara_->removeItem(cbTypPara_->count() - 1);
    cbTypPara_->setMaxVisibleItems(std::max(ranking_.listLength, 1));
    cbTypPara_->setCurrentIndex(ranking_.listLength > 0 ? 0 : -1);
}

bool RawDataWindow::drawCandidate(int position) {
    if (!context_ || position < 0 || position >= DistributionCount) return false;
    const FitEntry& entry = ranking_.entries[static_cast<std::size_t>(position)];
    const FitContext::Candidate c = context_->build(entry.type, false);
    for (const Failure& f : c.reports)
        ShowFailure(f, this);
    if (!c.usable) return false;
    shown_ = c.histogram;
    parametric_ = true;
    DrawShownHistogram();
    return true;
}

void RawDataWindow::ShowCandidate() {
    if (!requireSample()) return;
    const int i = cbTypPara_->currentIndex();
    if (i < 0 || i >= DistributionCount || !context_) return;
    const FitEntry& entry = ranking_.entries[static_cast<std::size_t>(i)];
    fitCloseness_->setCell(1, 0, QLocale().toString(entry.tightness, 'f', 5));
    if (entry.tightness <= 0) {
        clearCandidateDisplay();
        return;
    }
    if (drawCandidate(i)) {
        chartBox_->setTitle(Q(TextCis(117)) + Q(entry.parameterText));
        inputsChanged_ = false;
    }
}

void RawDataWindow::selectCandidate(int position) {
    cbTypPara_->setCurrentIndex(position >= 0 && position < cbTypPara_->count() ? position : 0);
    ShowCandidate();
}

void RawDataWindow::removeCandidates(const QList<int>& types) {
    for (FitEntry& e : ranking_.entries)
        if (types.contains(e.type)) e.tightness = 0;
    for (std::size_t r = 0; r < ranking_.rows.size(); ++r)
        if (types.contains(ranking_.rowTypes[r])) ranking_.rows[r].fields.fill(std::string());
}

void RawDataWindow::clearCandidateDisplay() {
    histogramChart_->hide();
    shownValues_->setCell(1, 2, QString());
    shownValues_->setCell(1, 3, QString());
    shownClasses_->hide();
    chartBox_->setTitle(QString());
    inputsChanged_ = false;
}

} // namespace tessavin::ui
