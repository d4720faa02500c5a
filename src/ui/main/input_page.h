#pragma once
// The input page of the main window (TabSheet1): the crack origin, the period, the deterministic
// fields, the past inspections and the six random-input rows. It keeps the calculation's inputs
// and input histograms in step with its controls, checks a field when the user leaves it, and
// tells the window by its signals what a change makes stale.
#include <QHash>
#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "calculation/model.h"
#include "parametric/parameter_block.h"

class QComboBox;
class QLineEdit;
class QTabWidget;
class QToolButton;

namespace tessavin {
struct ProjectData;
}

namespace tessavin::ui {

class InputPage : public QWidget {
    Q_OBJECT
  public:
    // The page edits `in`, builds the input histograms into `state` through `block`; all three
    // outlive it. It is built as the next tab of `pages`.
    InputPage(CalculationInputs& in, CalculationState& state, ParameterBlock& block,
              QTabWidget* pages);

    // The checks a run makes before it starts, each showing its refusal: the year fields (the
    // one changed last first), the parametric rows and the past inspections.
    bool acceptedForRun();
    // The two fields every input histogram depends on, checked again once the window is busy.
    bool histogramFieldsAccepted();

    // Input k was rebuilt by the calculation: its N field and chart button follow.
    void showRebuilt(int k, const std::optional<std::string>& nText);
    // The calculation found the step field empty and runs with step 0.
    void showZeroStep();
    // The raw data window closed for input k: its sample's histogram, or back to parametric.
    void takeRawData(int k, bool withSample, const DiscreteHistogram& histogram);

    // Reactions the window runs on the whole page.
    void clearInputHistograms(); // every input histogram is to be built again
    void defaultSources();       // every row parametric, of its default type
    void defaultRandomInputs();  // every row's parameters at their defaults
    void defaultTexts();         // every field at its default text, each with its reaction
    void enableInputCharts();    // a project brought every input histogram
    void showProject(const ProjectData& p);
    // After a change of language: the other rows take the items and hints of the first.
    void applyLanguage();

    int crackOrigin() const;
    void setCrackOrigin(int index); // a choice set by the program runs no reaction
    QString crackOriginText() const;
    // "crack origin ( start / step / end )  INT=intervals" for the results page.
    QString summaryLine() const;
    // Input k's histogram as the histogram window describes it.
    QString inputDescription(int k) const;
    // The last control of the Enter order, which hands on to the RUN button.
    QWidget* lastInOrder() const;

  signals:
    void resultsStale();         // every result of the calculation
    void yearResultsStale();     // the results of the years (the resistances stay)
    void inputHistogramsStale(); // the input histograms and every result
    void crackOriginChosen();    // by the user
    void startYearAccepted(const QString& year);
    void rawDataRequested(int k);   // input k is to be built from measured values
    void histogramRequested(int k); // the chart button of input k

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // One random-input row.
    struct Row {
        QComboBox* source = nullptr;
        QComboBox* type = nullptr;
        QLineEdit* mi = nullptr;
        QLineEdit* sigma = nullptr;
        QLineEdit* n = nullptr;
        QToolButton* chart = nullptr;
        // Type, Mi, Sigma and N: editable for a parametric input, read-only for raw data.
        void setFieldsEnabled(bool enabled) const;
    };

    void buildFields();
    void buildRows();
    void setEnterOrder();
    void connectFields();
    void connectRow(int k);
    bool leaveField(QLineEdit* field);
    void fieldChanged(QLineEdit* field);
    void rebuildInput(int k);
    void syncRow(int k);
    // The years of EdProhlidky, within the period of the year fields when `inPeriod`, else
    // within 0 .. MaxYear; a refusal names the field.
    std::variant<std::vector<int>, std::string> inspectedYears(bool inPeriod) const;

    CalculationInputs& in_;
    CalculationState& state_;
    ParameterBlock& block_;
    bool checkingField_ = false;
    QHash<QLineEdit*, QString> enteredText_; // a field's text when it took the focus
    QLineEdit* lastYearField_ = nullptr;     // the start or end year, whichever changed last

    // Members are named after what they show; the comment gives the objectName.
    QComboBox* crackOrigin_ = nullptr;       // CBSireni
    QLineEdit* startYear_ = nullptr;         // EdRokT
    QLineEdit* yearStep_ = nullptr;          // EdRokKrok
    QLineEdit* endYear_ = nullptr;           // EdRokKon
    QLineEdit* designProbability_ = nullptr; // EdNavPravd
    QLineEdit* flangeWidth_ = nullptr;       // EdSirPas
    QLineEdit* flangeThickness_ = nullptr;   // EdTloPas
    QLineEdit* materialC_ = nullptr;         // EdKonstC
    QLineEdit* materialM_ = nullptr;         // EdMocM
    QLineEdit* eps_ = nullptr;               // EdEps
    QLineEdit* intervals_ = nullptr;         // EdPocetIntervalu
    QLineEdit* pastInspections_ = nullptr;   // EdProhlidky: inspections without a find, years
    std::array<Row, RandomInputCount + 1> rows_{};
};

} // namespace tessavin::ui
