#pragma once
// The raw data window TForm4: a file of measured values becomes the histogram of one random
// input. It composes the boxes that show the parts: the data file's range and listing, the
// sample with its statistics, the parametric fits, the histogram shown and the editor of new
// raw data, with the toolbar. It runs the commands that join them: reading a file, showing the
// sample's histogram, ranking the fits and showing a candidate; closing it hands the histogram
// shown to the main window.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "goodness/fitted_distribution.h"
#include "histogram/histogram.h"
#include "localisation/language.h"
#include "rawdata/fit_ranking.h"
#include "rawdata/raw_sample.h"
#include "ui/rawdata/goodness_panel.h"
#include "ui/windows/side_window.h"

namespace tessavin::ui {

class DataFileBox;
class FieldChecks;
class FitBox;
class NewDataEditor;
class RawDataToolbar;
class SampleBox;
class ShownHistogramBox;

class RawDataWindow final : public SideWindow {
    Q_OBJECT
  public:
    RawDataWindow();
    ~RawDataWindow() override;

    // Opening for input k: the window is cleared, shown and takes the main window's Eps and
    // interval count texts; `mainEps` is also the lower bound of its own Eps.
    void openForInput(int k, const QString& mainEps, const QString& intervals);
    int input() const { return k_; }

    // Links to the rest of the program.
    void setFolders(const QString& rawDataDir, const QString& startDir);
    void setColourHighlighting(bool on);
    void setToolbarWanted(bool on);
    void setAxisMode(int index); // 0 index, 1 value; no redraw, no signal

    // A candidate chosen elsewhere (the table of suitable histograms): item `position` of
    // CBTypPara, or item 0 when the list does not hold it, then shown.
    void selectCandidate(int position);
    // Candidates removed from the table: tightness 0 and their rows blank.
    void removeCandidates(const QList<int>& types);

    // The field checks, as leaving the field runs them; false when the text was refused.
    bool checkMinimum();
    bool checkMaximum();
    bool checkIntervals();
    bool checkEps();

    // State as the table window and the tests read it.
    bool hasSample() const;
    bool parametricMode() const { return parametric_; }
    bool inputsChanged() const;
    const WorkingHistogram& shown() const;
    QStringList marks() const; // the texts over the bars, empty when hidden
    const FitRanking& ranking() const;
    const std::optional<FitContext>& fitContext() const;
    // The raw sample the ranking was made on, with its settings; none without a ranking.
    std::optional<RankedSample> rankedSample() const;
    // The histogram shown as input k stores it.
    DiscreteHistogram shownAsInput() const;
    // The sample read, and the ranked fit shown in place of its histogram (none: the sample's).
    const std::optional<RawSample>& sample() const { return sample_; }
    const FitEntry* shownFit() const;

  signals:
    // The window closed for input k: with a sample `histogram` is the histogram shown,
    // without one the input returns to parametric.
    void closedForInput(int k, bool withSample, const tessavin::DiscreteHistogram& histogram);
    // The user chose the axis mode in CBValInd (0 index, 1 value).
    void axisModeChanged(int index);
    // BTabChar and the end of a successful ranking: the table of suitable histograms opens.
    void tableRequested();
    // A histogram was drawn in Chart1L / the sample's histogram in Chart1Min.
    void histogramDrawn(const tessavin::WorkingHistogram& histogram);
    void sampleHistogramDrawn(const tessavin::WorkingHistogram& histogram);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    // After caption table 4: the chart's axis titles in that language.
    void languageApplied(Language language) override;
    // Eps and the number of intervals, kept beside the window's place and size.
    void readOwnSettings(const SettingsFile& file) override;
    void writeOwnSettings(SettingsFile& file) const override;
    // Not while a file is read or a ranking runs; closing hands the shown histogram to input k.
    bool mayClose() const override { return !busy_; }
    void closing() override;
    void layOut();
    void connectParts();

    // The commands.
    void prepareForNewSample();
    void clearShownHistogram();
    void openDataFile();
    bool readFile(const QString& path);
    void showSampleHistogram();
    void drawShownHistogram();
    void rankFits();
    // The one place a candidate of the ranking becomes the histogram shown.
    bool drawCandidate(int position);
    // The candidate at `position` of the list as a continuous distribution, for its plots.
    std::optional<FittedDistribution> fittedCandidate(int position) const;
    void showChosenCandidate();
    void showCharacteristics();
    void explainMoments();
    void startNewData();
    void exportChart();

    bool requireSample(); // false, with the list and closeness emptied, when there is none
    bool checkRangeEnd(bool isMin);
    FitSettings fitSettings() const;
    QStringList chartTitle() const;
    void restoreStartFolder() const;
    void updateChartTools();

    RawDataToolbar* toolbar_;
    DataFileBox* dataFile_;
    SampleBox* sampleBox_;
    FitBox* fits_;
    ShownHistogramBox* shownBox_;
    NewDataEditor* editor_;
    FieldChecks* checks_;

    int k_ = 1;
    bool parametric_ = false;
    bool busy_ = false;
    bool toolbarWanted_ = true;
    QString rawDataDir_;
    QString startDir_;
    std::optional<RawSample> sample_;
};

} // namespace tessavin::ui
