#pragma once
// The raw data window's parametric box (GroupBox6): Eps with its leave check, the ranking of the
// parametric fits with its progress, the list of candidates best first with the closeness of the
// one chosen, and the command for the table of suitable histograms.
#include <QGroupBox>
#include <QList>
#include <QString>
#include <optional>

#include "rawdata/fit_ranking.h"

class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tessavin::ui {

class StringGrid;

class FitBox final : public QGroupBox {
    Q_OBJECT
  public:
    explicit FitBox(QWidget* parent);

    // A new sample: no ranking and no candidates; Eps cannot be edited and its text is the one
    // a refused entry returns to.
    void clear();
    // No candidates offered (an input changed, or the sample's own histogram is shown).
    void clearCandidates();
    void discardCandidates(); // also the table command and the progress
    void discardRanking();    // also the ranking itself

    // Eps: its text (kept in the settings), the main window's Eps as its least value, and its
    // leave check (false when the text was refused and the saved text put back).
    QString epsText() const;
    void setEpsText(const QString& text);
    void setMainEps(const QString& mainEps);
    void setEpsEnabled(bool enabled);
    bool checkEps();
    QLineEdit* epsField() const { return eps_; }

    // The file read and the ranking show their progress here.
    QProgressBar& progress() const { return *progress_; }

    // The ranking: the sample's context for `settings` (false, with its box, when the sample's
    // histogram cannot be built), then every type ranked on a worker.
    bool prepare(const RawSample& sample, const FitSettings& settings);
    void rank();
    const FitRanking& ranking() const { return ranking_; }
    const std::optional<FitContext>& context() const { return context_; }
    // The ranking's candidates listed, the first chosen; then offered: the list is cut to the
    // candidates with a median and it and the table command are enabled.
    void listRanking();
    void offerCandidates();
    // The histogram of the candidate at `position` of the list, with its reports shown; none
    // when it cannot be built.
    std::optional<WorkingHistogram> candidateHistogram(int position) const;
    // Candidates removed in the table: tightness 0 and their rows blank.
    void removeCandidates(const QList<int>& types);

    // The candidate chosen in the list: its position (-1 for none), name and entry.
    int chosenPosition() const;
    QString chosenName() const;
    const FitEntry* chosenEntry() const;
    // Item `position` of the list chosen, item 0 when the list does not hold it.
    void choose(int position);
    // The chosen candidate's closeness shown; its entry, or none without a ranking.
    const FitEntry* showChosenCloseness();
    // The table command is offered (a ranking is listed).
    bool tableOffered() const;

  signals:
    void rankingRequested(); // BuParam
    void tableRequested();   // BTabChar
    void candidateChosen();  // CBTypPara

  private:
    void showCloseness(const QString& text);

    QLineEdit* eps_;          // EdEps
    QComboBox* candidates_;   // CBTypPara
    QPushButton* rankButton_; // BuParam
    StringGrid* closeness_;   // StringGrid4
    QPushButton* table_;      // BTabChar
    QProgressBar* progress_;  // ProgressBar1

    QString mainEps_ = QStringLiteral("1E-7");
    QString savedEps_;
    std::optional<FitContext> context_;
    FitRanking ranking_;
};

} // namespace tessavin::ui
