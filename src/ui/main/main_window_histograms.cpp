// The main window's chart buttons and the histogram window.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>

#include "localisation/messages.h"
#include "ui/common/interaction.h"
#include "ui/main/main_window.h"
#include "ui/windows/histogram_window.h"

namespace tessavin::ui {

void MainWindow::createHistogramWindow() {
    histogram_ = std::make_unique<HistogramWindow>();
    registerSideWindow(histogram_.get(), false);
    // The axis mode is one choice of the whole program: the window's list and the menu ticks.
    connect(histogram_.get(), &HistogramWindow::axisModeChanged, this,
            [this](int index) { axisTicks_.tick(index == 0); });
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
        caption = Q(TextCis(43)) + year;
        break;
    case 3:
        if (!state_->SnReady) return;
        h = &state_->Sn;
        caption = "C*DeltaS^m*Nn  ( C=" + Q(in_.C) + ", m=" + Q(in_.m) + ", n=" + year + " )";
        break;
    case 4:
        h = &state_->Rad;
        caption = Q(TextCis(226));
        break;
    case 5:
        h = &state_->Raac;
        caption = Q(TextCis(227));
        break;
    case 6:
        h = &state_->RfU;
        caption = Q(TextCis(242)) + " n=" + year;
        break;
    case 7:
        h = &state_->RfF;
        caption = Q(TextCis(243)) + " n=" + year;
        break;
    default: {
        const int k = kind - 7;
        if (k < 1 || k > RandomInputCount) return;
        const InputRow& row = rows_[k];
        h = &state_->inputs.histogram[k];
        caption = Q(TextCis(InputControls(k).titleMessage));
        description = row.source->currentIndex() == 0
                          ? Q(TextCis(78)) + " : " + row.type->currentText() +
                                "  F ( x |  Mi=" + row.mi->text() + " , Sigma=" + row.sigma->text()
                          : Q(RawDataHistogramSubtitle());
    }
    }
    // The calculation's histograms replace whatever the window showed.
    if (kind <= 7) histogram_->clearHistogram();
    histogram_->setSaveFolder(paths_.graphsAndPrintsDir);
    histogram_->setColourHighlighting(!colourTicks_.second->isChecked());
    histogram_->setToolbarWanted(chartToolbarItem_->isChecked());
    histogram_->showHistogram(kind, *h, caption, description);
}

} // namespace tessavin::ui
