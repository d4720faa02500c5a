// The main window's side of the raw data window: opening it for an input and taking the
// histogram it shows when it closes.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <memory>

#include "histogram_window.h"
#include "main_window.h"
#include "raw_data_window.h"
#if __has_include("suitable_histograms_window.h")
#include "suitable_histograms_window.h"
#define TESSAVIN_HAS_TABLE_WINDOW 1
#endif

namespace tessavin::ui {

#ifdef TESSAVIN_HAS_TABLE_WINDOW
namespace {

// The table of suitable histograms, created when first wanted (it reads its place from the
// settings file) and kept until the program ends. It disables the raw data window while open.
SuitableHistogramsWindow* TableWindow(RawDataWindow* raw, const QString& settingsPath) {
    static std::unique_ptr<SuitableHistogramsWindow> table;
    if (table) return table.get();
    table = std::make_unique<SuitableHistogramsWindow>(raw, settingsPath);
    SuitableHistogramsWindow* t = table.get();
    QObject::connect(t, &SuitableHistogramsWindow::candidateSelected, raw,
                     [raw](int listIndex, int) { raw->selectCandidate(listIndex); });
    QObject::connect(t, &SuitableHistogramsWindow::candidatesRemoved, raw,
                     &RawDataWindow::removeCandidates);
    QObject::connect(raw, &RawDataWindow::histogramDrawn, t,
                     &SuitableHistogramsWindow::showDrawnHistogram);
    QObject::connect(raw, &RawDataWindow::sampleHistogramDrawn, t,
                     &SuitableHistogramsWindow::showSampleHistogram);
    QObject::connect(raw, &QObject::destroyed, [] { table.reset(); });
    return t;
}

} // namespace
#endif

void MainWindow::createRawDataWindow() {
    rawData_ = std::make_unique<RawDataWindow>();
    connect(rawData_.get(), &RawDataWindow::closedForInput, this,
            &MainWindow::rawDataWindowClosed);
    connect(rawData_.get(), &RawDataWindow::folderChosen, this,
            [this](const QString& folder) { paths_.projectDir = folder; });
    // The axis mode is one choice of the whole program.
    connect(rawData_.get(), &RawDataWindow::axisModeChanged, this, [this](int index) {
        action("index1")->setChecked(index == 0);
        action("NonIndex")->setChecked(index == 1);
        if (histogram_) histogram_->setAxisMode(index);
    });
    connect(histogram_.get(), &HistogramWindow::axisModeChanged, rawData_.get(),
            &RawDataWindow::setAxisMode);
#ifdef TESSAVIN_HAS_TABLE_WINDOW
    connect(rawData_.get(), &RawDataWindow::tableRequested, this, [this] {
        if (!rawData_->fitContext()) return;
        SuitableHistogramsWindow* table = TableWindow(rawData_.get(), paths_.settingsPath);
        table->applyLanguage(CurrentLanguage());
        table->showSampleHistogram(rawData_->fitContext()->sampleView().histogram);
        table->open(rawData_->ranking(), *rawData_->fitContext());
    });
#endif
}

void MainWindow::openRawDataWindow(int k) {
    rawData_->setFolders(paths_.rawDataDir, paths_.startDir);
    rawData_->setColourHighlighting(!action("Ne1")->isChecked());
    rawData_->setToolbarWanted(action("TcharCom")->isChecked());
    rawData_->openForInput(k, edEps_->text(), edPocetIntervalu_->text());
    setEnabled(false);
}

void MainWindow::rawDataWindowClosed(int k, bool withSample, const DiscreteHistogram& histogram) {
    rawData_->saveSettings(paths_.settingsPath);
    if (k < 1 || k > RandomInputCount) return setEnabled(true);
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
    setEnabled(true);
}

} // namespace tessavin::ui
