// The main window's side windows: the histogram window behind the chart buttons, the raw data
// window and its table of suitable histograms, the event graph window and the workbook export.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>

#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"
#include "ui/main/input_page.h"
#include "ui/main/inspections_page.h"
#include "ui/main/main_window.h"
#include "ui/main/report_save.h"
#include "ui/main/results_page.h"
#include "ui/main/workbook_export.h"
#include "ui/rawdata/raw_data_window.h"
#include "ui/rawdata/suitable_histograms_window.h"
#include "ui/windows/about_window.h"
#include "ui/windows/event_graph_window.h"
#include "ui/windows/histogram_window.h"
#include "ui/windows/integration_window.h"
#include "ui/windows/sensitivity_window.h"
#include "ui/windows/settings_window.h"

namespace tessavin::ui {

void MainWindow::createSideWindows() {
    integration_ = std::make_unique<IntegrationWindow>(in_.integration);
    connect(integration_.get(), &IntegrationWindow::settingsChanged, this, [this] {
        resetInputHistograms();
        methodLine();
    });
    registerSideWindow(integration_.get(), true);
    about_ = std::make_unique<AboutWindow>();
    registerSideWindow(about_.get(), true);

    histogram_ = std::make_unique<HistogramWindow>();
    registerSideWindow(histogram_.get(), false);
    // The axis mode is one choice of the whole program: the windows' lists and the menu ticks.
    connect(histogram_.get(), &HistogramWindow::axisModeChanged, this,
            [this](int index) { axisTicks_.tick(index == 0); });

    rawData_ = std::make_unique<RawDataWindow>();
    registerSideWindow(rawData_.get(), true);
    // The window's settings are kept, and this window enabled again, once the input has it.
    connect(rawData_.get(), &RawDataWindow::closedForInput, input_, &InputPage::takeRawData);
    connect(rawData_.get(), &RawDataWindow::closedForInput, this, [this](int k, bool withSample) {
        if (k < 1 || k > RandomInputCount) return;
        measured_[k].reset();
        if (withSample && rawData_->sample())
            measured_[k] =
                MeasuredInputOf(*rawData_->sample(), rawData_->fitContext(), rawData_->shownFit());
    });
    // A raw data file's folder stays the raw data window's own: the project folder (the first
    // line of the folders box) changes only with a project.
    connect(rawData_.get(), &RawDataWindow::axisModeChanged, this, [this](int index) {
        axisTicks_.tick(index == 0);
        if (histogram_) histogram_->setAxisMode(index);
    });
    connect(histogram_.get(), &HistogramWindow::axisModeChanged, rawData_.get(),
            &RawDataWindow::setAxisMode);
    connect(rawData_.get(), &RawDataWindow::tableRequested, this, &MainWindow::openSuitableTable);

    eventGraph_ = std::make_unique<EventGraphWindow>();
    eventGraph_->setInputs(&in_);
    registerSideWindow(eventGraph_.get(), true);
    settingsListing_ = std::make_unique<SettingsListingWindow>();
    registerSideWindow(settingsListing_.get(), true);
    sensitivity_ = std::make_unique<SensitivityWindow>();
    registerSideWindow(sensitivity_.get(), true);
    connect(results_->drivesCommand(), &QPushButton::clicked, this, &MainWindow::showSensitivity);
}

void MainWindow::showSensitivity() {
    if (running_ || !results_->drivesCommand()->isEnabled()) return;
    if (!sensitivity_->hasStudy()) sensitivity_->setStudy(in_, *state_);
    showSideWindow(sensitivity_.get());
    if (!sensitivity_->lastResult() && !sensitivity_->running()) sensitivity_->run();
}

void MainWindow::clearSensitivity() {
    results_->drivesCommand()->setEnabled(false);
    if (sensitivity_) sensitivity_->clearStudy();
}

std::optional<sensitivity::SensitivityResult> MainWindow::lastSensitivity() const {
    return sensitivity_ ? sensitivity_->lastResult() : std::nullopt;
}

void MainWindow::showHistogram(int kind) {
    if (running_ || !histogram_) return;
    const QString year = QString::number(state_->currentYear);
    const DiscreteHistogram* h = nullptr;
    QString caption;
    QString description;
    switch (kind) {
    case 2:
        if (!state_->NnReady) return;
        h = &state_->Nn;
        caption = Q(TextCis(msg::NnForYear)) + year;
        break;
    case 3:
        if (!state_->SnReady) return;
        h = &state_->Sn;
        caption = "C*DeltaS^m*Nn  ( C=" + Q(in_.C) + ", m=" + Q(in_.m) + ", n=" + year + " )";
        break;
    case 4:
        h = &state_->Rad;
        caption = Q(TextCis(msg::ResistanceRad));
        break;
    case 5:
        h = &state_->Raac;
        caption = Q(TextCis(msg::ResistanceRaac));
        break;
    case 6:
        h = &state_->RfU;
        caption = Q(TextCis(msg::ReliabilityU)) + " n=" + year;
        break;
    case 7:
        h = &state_->RfF;
        caption = Q(TextCis(msg::ReliabilityF)) + " n=" + year;
        break;
    default: {
        const int k = kind - 7;
        if (k < 1 || k > RandomInputCount) return;
        h = &state_->inputs.histogram[k];
        caption = Q(TextCis(InputControls(k).titleMessage));
        description = input_->inputDescription(k);
    }
    }
    // The calculation's histograms replace whatever the window showed.
    if (kind <= 7) histogram_->clearHistogram();
    histogram_->setSaveFolder(paths_.graphsAndPrintsDir);
    histogram_->setColourHighlighting(!colourTicks_.second->isChecked());
    histogram_->setToolbarWanted(chartToolbarItem_->isChecked());
    histogram_->showHistogram(kind, *h, caption, description);
}

void MainWindow::openRawDataWindow(int k) {
    rawData_->setFolders(paths_.rawDataDir, paths_.startDir);
    rawData_->setColourHighlighting(!colourTicks_.second->isChecked());
    rawData_->setToolbarWanted(chartToolbarItem_->isChecked());
    rawData_->openForInput(k, Q(in_.eps), Q(in_.intervals));
    setEnabled(false);
}

void MainWindow::openSuitableTable() {
    if (!rawData_->fitContext()) return;
    RawDataWindow* raw = rawData_.get();
    if (!suitableTable_) {
        auto table = std::make_unique<SuitableHistogramsWindow>(raw, paths_.settingsPath);
        connect(table.get(), &SuitableHistogramsWindow::candidateSelected, raw,
                [raw](int listIndex, int) { raw->selectCandidate(listIndex); });
        connect(table.get(), &SuitableHistogramsWindow::candidatesRemoved, raw,
                &RawDataWindow::removeCandidates);
        connect(raw, &RawDataWindow::histogramDrawn, table.get(),
                &SuitableHistogramsWindow::showDrawnHistogram);
        connect(raw, &RawDataWindow::sampleHistogramDrawn, table.get(),
                &SuitableHistogramsWindow::showSampleHistogram);
        table->applyLanguage(CurrentLanguage());
        suitableTable_ = std::move(table);
    }
    SuitableHistogramsWindow* table = suitableTable_.get();
    table->showSampleHistogram(raw->fitContext()->sampleView().histogram);
    table->open(raw->ranking(), *raw->fitContext(), raw->rankedSample());
}

void MainWindow::applyRawDataLanguage(Language language) {
    rawData_->setAxisMode(axisTicks_.firstTicked() ? 0 : 1);
    if (suitableTable_) suitableTable_->applyLanguage(language);
}

void MainWindow::showEventGraph(int page) {
    if (running_) return;
    eventGraph_->showPage(page);
    showSideWindow(eventGraph_.get());
}

void MainWindow::exportWorkbook() {
    if (running_) return;
    const std::optional<BetaSection> beta = betaInSavedResults();
    const QString written = ExportWorkbook(this, in_, *state_, paths_.resultsDir, paths_.projectDir,
                                           inspections_->exactPlan(), beta ? &*beta : nullptr);
    // Where the file went, also when no application could open it.
    if (!written.isEmpty())
        hint_->setText(PlatformTextOf(PlatformText::WorkbookSaved) +
                       QDir::toNativeSeparators(written));
}

} // namespace tessavin::ui
