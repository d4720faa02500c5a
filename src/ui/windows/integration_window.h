#pragma once
// The integration settings window TForm9: the method of the resistance integral and its one
// parameter, the convention of the classes (CBKonvence) and the plan computed beside the rule's
// (CBPlan). It edits the IntegrationSettings of the calculation inputs it is given.

#include "calculation/model.h"
#include "localisation/language.h"
#include "ui/windows/side_window.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tessavin::ui {

class IntegrationWindow final : public SideWindow {
    Q_OBJECT
  public:
    // `settings` must outlive the window.
    explicit IntegrationWindow(IntegrationSettings& settings);

    // The fields and the method from the settings (after a project is opened); no signal.
    void loadSettings();
    using SideWindow::loadSettings;
    // The defaults command: "1000", "10", "0.0001", method 4, the rule's plan; settingsChanged
    // once.
    void resetToDefaults();

  signals:
    // The method or a parameter text changed: inputs are reset and the method line rebuilt.
    void settingsChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // After caption table 9: Label1 .. Label4 centred over CBMetoda.
    void languageApplied(Language language) override;
    // The parameter texts and the method, kept beside the window's place and size.
    void readOwnSettings(const SettingsFile& file) override;
    void writeOwnSettings(SettingsFile& file) const override;
    void closing() override;
    // Shows the parameter row of the method and reads that parameter from its field.
    void methodChange(bool notify);
    void leaveField(QLineEdit* field);
    void fieldEdited(QLineEdit* field);
    void centreLabels();

    IntegrationSettings& settings_;
    QLabel* methodHeading_;
    QComboBox* method_;
    QComboBox* convention_;
    QComboBox* plan_;     // 0 the rule's plan only, 1 the exact plan too
    QLabel* stepsLabel_;  // N
    QLabel* levelsLabel_; // Romberg n
    QLabel* tol0Label_;   // tol0
    QLineEdit* steps_;
    QLineEdit* levels_;
    QLineEdit* tol0_;
    QPushButton* exit_;
    bool quiet_ = false;    // field texts set by the program, not typed
    bool checking_ = false; // a leave check is showing its box
};

} // namespace tessavin::ui
