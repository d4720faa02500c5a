#pragma once
// The integration settings window TForm9: the method of the resistance integral and its one
// parameter, and the convention of the classes (CBKonvence). It edits the IntegrationSettings of
// the calculation inputs it is given.
#include <QWidget>

#include "calculation/model.h"
#include "localisation/language.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tessavin::ui {

class IntegrationWindow final : public QWidget {
    Q_OBJECT
  public:
    // `settings` must outlive the window.
    explicit IntegrationWindow(IntegrationSettings& settings, QWidget* parent = nullptr);

    // Caption table 9, then Label1 .. Label4 centred over CBMetoda.
    void applyLanguage(Language language);
    // The fields and the method from the settings (after a project is opened); no signal.
    void loadSettings();
    // The defaults command: "1000", "10", "0.0001", method 4; settingsChanged once.
    void resetToDefaults();

  signals:
    // The method or a parameter text changed: inputs are reset and the method line rebuilt.
    void settingsChanged();
    // The window was closed (Exit or the close box).
    void closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void conventionTexts();
    // Shows the parameter row of the method and reads that parameter from its field.
    void methodChange(bool notify);
    void leaveField(QLineEdit* field);
    void fieldEdited(QLineEdit* field);
    void centreLabels();

    IntegrationSettings& settings_;
    QLabel* label1_;
    QComboBox* method_;
    QComboBox* convention_;
    QLabel* label4_; // N
    QLabel* label2_; // Romberg n
    QLabel* label3_; // tol0
    QLineEdit* steps_;
    QLineEdit* levels_;
    QLineEdit* tol0_;
    QPushButton* exit_;
    bool quiet_ = false;    // field texts set by the program, not typed
    bool checking_ = false; // a leave check is showing its box
};

} // namespace tessavin::ui
