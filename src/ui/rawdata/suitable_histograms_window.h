#pragma once
// The table of suitable histograms TForm5: the candidates of the last fit ranking with their
// characteristics below those of the sample's histogram and the sample's moments; sorting by any
// characteristic, removal of the candidates that disagree with the sample, and the choice of a
// candidate, which the raw data window then shows.
#include <QList>
#include <QPointer>
#include <QString>
#include <optional>

#include "localisation/language.h"
#include "rawdata/fit_ranking.h"
#include "rawdata/suitable_table.h"
#include "ui/rawdata/goodness_panel.h"
#include "ui/windows/side_window.h"

class QCheckBox;
class QComboBox;

namespace tessavin::ui {

class ChartPanel;
class StringGrid;

inline constexpr int SuitableMinWidth = 1000;
inline constexpr int SuitableMinHeight = 600;
inline constexpr int SuitableShownRows = 20; // of the 23 rows of the table

class SuitableHistogramsWindow final : public SideWindow {
    Q_OBJECT
  public:
    // rawDataWindow is disabled while this window is open (may be null; it is not the parent,
    // so that disabling it leaves this window usable). The four "TabChar-Form5.*" keys of the
    // settings file are read here and written when the window closes (empty path: none).
    explicit SuitableHistogramsWindow(QWidget* rawDataWindow = nullptr,
                                      const QString& settingsPath = {});
    ~SuitableHistogramsWindow() override;

    // Fills the grids from the ranking (copied) and the sample's moments and histogram of the
    // context it was ranked on, sorts by tightness, marks the first unsuitable row and shows the
    // window, disabling the raw data window. With the raw sample the goodness-of-fit columns
    // are measured on it; without, they show why they are missing.
    void open(const FitRanking& ranking, const FitContext& context,
              std::optional<RankedSample> sample = std::nullopt);

    void showSampleHistogram(const WorkingHistogram& h); // Chart1
    void showDrawnHistogram(const WorkingHistogram& h);  // Chart2

    // Rows 1..23 with their cells and the candidate each shows.
    const SuitableTable& table() const { return table_; }
    // Table row of the first unsuitable candidate, 0 when none.
    int removalRow() const { return removalRow_; }
    const GoodnessPanel& goodness() const { return *goodness_; }

  signals:
    // A row was selected: the candidate's position in the ranking's list (its item in
    // CBTypPara) and its type; a row without a listed candidate gives position 0.
    void candidateSelected(int listIndex, int type);
    // These candidate types were removed from the table.
    void candidatesRemoved(const QList<int>& types);

  private:
    // Without keys in the file: the screen's width and the least height.
    void readPlacement(const SettingsFile& file) override;
    // The reasons of missing statistics in the new language.
    void languageApplied(Language language) override;
    // The goodness-of-fit tick and the number of bootstrap draws.
    void readOwnSettings(const SettingsFile& file) override;
    void writeOwnSettings(SettingsFile& file) const override;
    void closing() override;
    void sortChanged();                 // CBTypVyberuChange
    void rowSelected(int row);          // SGCharSelectCell
    void removeUnsuitable(bool ticked); // ChBVymazRadkuTabClick
    void showTable();
    void showGoodness(bool shown); // its columns and sort keys
    void markUnsuitableRows();
    ClosenessReference reference() const;
    void drawBars(ChartPanel& chart, const WorkingHistogram& h, const QColor& colour);

    StringGrid* moments_;     // SGCharPDZ
    StringGrid* sample_;      // SGCharPD
    StringGrid* grid_;        // SGChar
    QComboBox* sortKey_;      // CBTypVyberu
    QComboBox* reference_;    // CBVyber
    QCheckBox* removal_;      // ChBVymazRadkuTab
    ChartPanel* sampleChart_; // Chart1
    ChartPanel* drawnChart_;  // Chart2
    GoodnessPanel* goodness_;

    QPointer<QWidget> rawDataWindow_;
    QString settingsPath_;
    SuitableTable table_;
    FitRanking ranking_;
    std::optional<FitContext> context_;
    int removalRow_ = 0;
    bool drawnBySelection_ = false;
};

} // namespace tessavin::ui
