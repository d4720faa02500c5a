#pragma once
// Key filters of the number fields: every typed character is checked before it reaches the
// field. Pasted text is not filtered; the field's leave check still applies.
#include <QObject>
#include <functional>

class QLineEdit;

namespace tessavin::ui {

enum class NumberFilter {
    Real,      // Backspace, Enter, digits, "+", ",", "-", ".", "E", "e"; "," -> ".", "e" -> "E"
    Whole,     // Backspace, Enter, digits, "E", "e"; "e" -> "E"
    RangeReal, // as Real without "+": exponents are typed as "1E5" or "1E-7"
    EpsReal,   // as RangeReal, but "e" stays "e"
    Digits,    // Backspace, Enter and the digits
};

// Enter is swallowed and runs `onEnter`; any other refused character is dropped with a beep.
// Keys that type nothing (arrows, Delete, Tab, shortcuts such as Ctrl+V) pass unchanged.
class KeyFilter final : public QObject {
    Q_OBJECT
  public:
    KeyFilter(NumberFilter kind, std::function<void()> onEnter, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    NumberFilter kind_;
    std::function<void()> onEnter_;
};

// Installs a filter owned by `field`. Without `onEnter`, Enter moves the focus as Tab does.
void InstallKeyFilter(QLineEdit* field, NumberFilter kind, std::function<void()> onEnter = {});

} // namespace tessavin::ui
