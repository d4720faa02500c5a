#pragma once
// The target reliability index of the results page: an editable list of a number or one of the
// code presets (each item's tool tip names its source), the target converted between reference
// periods, and the choice of the β(t) chart in place of the probability chart.
#include <QString>
#include <QWidget>
#include <optional>

class QComboBox;
class QLabel;
class QToolButton;

namespace tessavin {
struct TargetPreset;
}

namespace tessavin::ui {

class TargetBetaBox : public QWidget {
    Q_OBJECT
  public:
    explicit TargetBetaBox(QWidget* parent);

    // The target in effect; none while the field is empty.
    std::optional<double> target() const { return target_; }
    // The target as a short text for titles and sentences ("3.8").
    QString targetText() const;
    // The chosen preset's list text; empty for a number.
    QString presetText() const;

    // What the settings file keeps: the preset's id, the number as typed, or nothing. A kept text
    // that is neither (an edited file) leaves no target, without a box: it is no user's typing.
    QString setting() const;
    void restore(const QString& setting);

    // The last year of the study, over which the conversion label states the target; 0: none.
    void setStudyYears(int years);

    bool betaChartChosen() const;

    // The list texts and the conversion in the language in effect.
    void applyLanguage();

  signals:
    void targetChanged();
    void betaChartToggled(bool shown);

  private:
    // The field's text: a preset, a number, nothing, or a refusal naming the field.
    void accept();
    void choosePreset(int index);
    void fillList();
    void showConversion();

    std::optional<double> target_;
    const TargetPreset* preset_ = nullptr;
    QString typed_;   // the number as typed when no preset is in effect
    QString refused_; // the text last refused, until it is edited
    int studyYears_ = 0;
    bool checking_ = false;

    QLabel* caption_ = nullptr;        // LCilBeta
    QComboBox* field_ = nullptr;       // CBCilBeta
    QLabel* conversion_ = nullptr;     // LCilBetaPrevod: the target over other reference periods
    QToolButton* betaChart_ = nullptr; // BGrafBeta: the β(t) chart instead of the probabilities
};

// β of a probability of failure as the year table shows it: the probability columns' number text,
// "∞" for pF = 0 and "-∞" for pF = 1; empty where there is none (NaN, outside [0, 1]).
QString BetaCellText(double pF);

} // namespace tessavin::ui
