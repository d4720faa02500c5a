// The main window's side of the raw data window: opening it for an input and taking the
// histogram it shows when it closes.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <memory>

#include "ui/main/main_window.h"
#include "ui/rawdata/raw_data_window.h"
#include "ui/rawdata/suitable_histograms_window.h"
#include "ui/windows/histogram_window.h"

namespace tessavin::ui {

void MainWindow::createRawDataWindow() {
    rawData_ = std::make_unique<RawDataWindow>();
    registerSideWindow(rawData_.get(), true);
    connect(rawData_.get(), &RawDataWindow::closedForInput, this, &MainWindow::rawDataWindowClosed);
    // A raw data file's folder stays the raw data window's own: the project folder (the first
    // line of the folders box) changes only with a project.
    // The axis mode is one choice of the whole program.
    connect(rawData_.get(), &RawDataWindow::axisModeChanged, this, [this](int index) {
        axisTicks_.tick(index == 0);
        if (histogram_) histogram_->setAxisMode(index);
    });
    connect(histogram_.get(), &HistogramWindow::axisModeChanged, rawData_.get(),
            &RawDataWindow::setAxisMode);
    connect(rawData_.get(), &RawDataWindow::tableRequested, this, &MainWindow::openSuitableTable);
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
    table->open(raw->ranking(), *raw->fitContext());
}

void MainWindow::applyRawDataLanguage(Language language) {
    rawData_->setAxisMode(axisTicks_.firstTicked() ? 0 : 1);
    if (suitableTable_) suitableTable_->applyLanguage(language);
}

void MainWindow::openRawDataWindow(int k) {
    rawData_->setFolders(paths_.rawDataDir, paths_.startDir);
    rawData_->setColourHighlighting(!colourTicks_.second->isChecked());
    rawData_->setToolbarWanted(chartToolbarItem_->isChecked());
    rawData_->openForInput(k, edEps_->text(), edPocetIntervalu_->text());
    setEnabled(false);
}

// The window's settings are kept, and this window enabled again, once this has run.
void MainWindow::rawDataWindowClosed(int k, bool withSample, const DiscreteHistogram& histogram) {
    if (k < 1 || k > RandomInputCount) return;
    InputRow& row = rows_[k];
    if (withSample) {
        state_->inputs.histogram[k] = histogram;
        state_->inputs.ready[k] = true;
        row.type->setCurrentIndex(-1);
        row.mi->clear();
        row.sigma->clear();
        row.n->setText(QString::number(histogram.Bins));
        syncRandomFields(k);
        row.chart->setEnabled(true);
    } else {
        // Without a sample the input is parametric again, built from its fields.
        row.source->setCurrentIndex(0);
        syncRandomFields(k);
        rebuildInput(k);
    }
}

} // namespace tessavin::ui
