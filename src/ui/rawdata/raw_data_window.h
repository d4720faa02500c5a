#pragma once
// The raw data window TForm4: a file of measured values becomes the histogram of one random
// input. It reads the file, shows the sample's histogram and statistics, ranks the parametric
// fits and shows the chosen one; closing it hands the histogram shown to the main window. It
// also edits new raw data files and exports its chart.
#include <QList>
#include <QString>
#include <array>
#include <optional>

#include "histogram/histogram.h"
#include "localisation/language.h"
#include "rawdata/fit_ranking.h"
#include "rawdata/raw_sample.h"
#include "ui/charts/histogram_chart.h"
#include "ui/windows/side_window.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace tessavin::ui {

class BarMarks;
class ChartPanel;
class StringGrid;

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

    // The commands of the window.
    void PrepareForNewSample();
    void ClearShownHistogram();
    void OpenDataClick();
    bool readFile(const QString& path); // the read of OpenDataClick once a file is chosen
    void Button2Click();                // the non-parametric command
    void DrawShownHistogram();
    void BuParamClick();
    void ShowCandidate(); // CBTypPara change
    // A candidate chosen elsewhere (the table of suitable histograms): item `position` of
    // CBTypPara, or item 0 when the list does not hold it, then ShowCandidate.
    void selectCandidate(int position);
    // Candidates removed from the table: tightness 0 and their rows blank.
    void removeCandidates(const QList<int>& types);
    void BCharClick();
    void BNovyClick();
    void BSaveClick();
    void UlozGrafClick();
    void SpeedButton1Click();
    void BitBtn1Click();

    // The field checks, as leaving the field runs them; false when the text was refused.
    bool EdMinExit();
    bool EdMaxExit();
    bool EdPocetIntervaluExit();
    bool EdEpsExit();

    // State as the table window and the tests read it.
    bool hasSample() const;
    bool parametricMode() const { return parametric_; }
    bool inputsChanged() const { return inputsChanged_; }
    const WorkingHistogram& shown() const { return shown_; }
    QStringList marks() const; // the texts over the bars, empty when hidden
    const FitRanking& ranking() const { return ranking_; }
    const std::optional<FitContext>& fitContext() const { return context_; }
    // The histogram shown as input k stores it.
    DiscreteHistogram shownAsInput() const;

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
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // After caption table 4: the axis list and the chart's axis titles in that language.
    void languageApplied(Language language) override;
    // Eps and the number of intervals, kept beside the window's place and size.
    void readOwnSettings(const SettingsFile& file) override;
    void writeOwnSettings(SettingsFile& file) const override;
    // Not while a ranking runs; closing hands the shown histogram to input k.
    bool mayClose() const override { return !busy_; }
    void closing() override;
    void buildControls();
    void connectControls();
    void updatePanel1();
    bool rankingVisible() const;
    std::optional<FitSettings> fitSettings() const;
    HistogramKind histogramKind() const;
    HistogramAxis axis() const;
    int intervals() const;
    QString fileStem() const;
    void chartTitle(QStringList& lines) const;
    void fillSmallChart(const WorkingHistogram& h);
    void listCandidates();
    bool drawCandidate(int position);
    void clearCandidateDisplay();
    void exportChoiceClicked(QAction* item);
    bool askOverwrite(const QString& path);
    QString chooseSaveFile(const QString& suffix, const QString& suggested, const QString& folder);
    void runMarks();
    void fieldChanged();
    bool rangeFieldExit(bool isMin);
    void runFieldCheck(QObject* field);
    bool requireSample(); // false, with the list and tightness emptied, when there is none

    // Toolbar.
    QToolButton* openData_;
    QToolButton* bNovy_;
    QToolButton* bChar_;
    QToolButton* screenshot_; // SpeedButton1
    QToolButton* ulozGraf_;
    QCheckBox* typHist_;       // ChB_TypHist
    QToolButton* closeButton_; // BitBtn1
    // Data file.
    QGroupBox* dataFileBox_; // GroupBox2
    QLineEdit* edMin_;
    QLineEdit* edMax_;
    QPlainTextEdit* memoDat_;
    // Raw data.
    QGroupBox* rawDataBox_; // GroupBox5
    QLineEdit* edNazev_;
    StringGrid* sampleValues_;    // StringGrid3: the sample's count and basic values
    QPushButton* notParamButton_; // Button2: the sample's own histogram
    ChartPanel* sampleChart_;     // Chart1Min
    QLineEdit* edPocetIntervalu_;
    // Parametric histogram.
    QGroupBox* parametricBox_; // GroupBox6
    QLineEdit* edEps_;
    QComboBox* cbTypPara_;
    QPushButton* buParam_;
    StringGrid* fitCloseness_; // StringGrid4
    QPushButton* bTabChar_;
    QProgressBar* progressBar1_;
    // Chart.
    QGroupBox* chartBox_;        // GroupBox4
    ChartPanel* histogramChart_; // Chart1L: the histogram shown
    BarMarks* marks_;            // the marks of Series1
    QComboBox* cbMarks_;
    QSpinBox* spinEdAngle_;
    QCheckBox* dataMarks_; // CheckBox1
    QComboBox* cbValInd_;
    StringGrid* shownValues_;    // StringGrid1: Xmin, Xmax, median, mode
    StringGrid* shownMoments_;   // StringGrid6: mean, standard deviation, …
    QWidget* chartTools_;        // Panel1: the chart's own toolbar
    QLabel* marksRotationLabel_; // Label2
    QLabel* marksAngleLabel_;    // Label3
    StringGrid* shownClasses_;   // StringGrid2: the class table
    // New raw data.
    QGroupBox* newDataBox_;    // GroupBox3
    QPlainTextEdit* newData_;  // Memo1
    StringGrid* newDataCount_; // StringGrid5
    QPushButton* bSave_;
    QPushButton* bcancel_;
    // Export choice.
    QMenu* popupMenu2_;
    std::array<QAction*, 4> exportItems_{}; // Schranka, Bitmapa, Metafile, JPGFile

    // State.
    int k_ = 1;
    bool parametric_ = false;
    bool inputsChanged_ = false;
    bool checking_ = false;
    bool busy_ = false;
    bool highlight_ = true;
    bool toolbarWanted_ = true;
    QString mainEps_ = QStringLiteral("1E-7");
    QString lastMin_;
    QString lastMax_;
    QString savedEps_;
    QString rawDataDir_;
    QString startDir_;
    std::optional<RawSample> sample_;
    std::optional<FitContext> context_;
    FitRanking ranking_;
    WorkingHistogram shown_;
    DiscreteHistogram drawn_; // the classes as Chart1L draws them
};

} // namespace tessavin::ui
