#pragma once
// The raw data window's sample box (GroupBox5): the file's name, the sample's count and moments,
// the command for its own histogram with the small chart of that histogram, and the number of
// classes with its leave check.
#include <QGroupBox>
#include <QString>
#include <optional>

#include "histogram/histogram.h"

class QLineEdit;
class QPushButton;

namespace tessavin {
struct RawSample;
}

namespace tessavin::ui {

class ChartPanel;
class StringGrid;

class SampleBox final : public QGroupBox {
    Q_OBJECT
  public:
    explicit SampleBox(QWidget* parent);

    // No file, no statistics, no chart; the class count cannot be edited.
    void clear();
    void setFileName(const QString& name);
    bool hasFileName() const;
    // The file name up to its first "."; empty for a name without one.
    QString fileStem() const;
    void showStatistics(const RawSample& sample);
    // A sample is shown: a file is named and its count filled.
    bool showsSample() const;
    // The mean as its cell shows it.
    double shownMean() const;
    void showHistogram(const WorkingHistogram& h);

    // The number of classes: its text (kept in the settings), its value (0 when none) and its
    // leave check, which refuses a count outside 3 .. MaxBins and advises on too few classes
    // for the sample; an accepted count is followed by `intervalsAccepted`.
    QString intervalsText() const;
    void setIntervalsText(const QString& text);
    int intervals() const;
    void setIntervalsEnabled(bool enabled);
    bool checkIntervals();
    QLineEdit* intervalsField() const { return intervals_; }

  signals:
    // The command for the sample's own histogram (Button2).
    void histogramRequested();
    void intervalsAccepted();

  private:
    QLineEdit* fileName_;       // EdNazev
    StringGrid* statistics_;    // StringGrid3: count, mean, standard deviation, skewness
    QPushButton* ownHistogram_; // Button2
    ChartPanel* chart_;         // Chart1Min
    QLineEdit* intervals_;      // EdPocetIntervalu
    std::optional<int> count_;  // of the sample shown
};

} // namespace tessavin::ui
