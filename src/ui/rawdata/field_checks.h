#pragma once
// The leave checks of the raw data window's number fields (range, class count, Eps). A field's
// check runs when the field is left and when it is clicked into while it holds the focus, only
// while the inputs have changed, and never inside another field's check (a refusal's box moves
// the focus). A user's edit of a watched field outside a check is reported as `edited`.
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "ui/common/key_filters.h"

class QLineEdit;

namespace tessavin::ui {

class FieldChecks final : public QObject {
    Q_OBJECT
  public:
    explicit FieldChecks(QObject* parent);

    // Watches `field`: its key filter, its edits and `check` on leaving.
    void watch(QLineEdit* field, NumberFilter filter, std::function<bool()> check);

    // The inputs-changed state: set by an edit, cleared once a histogram is shown again.
    bool inputsChanged() const { return inputsChanged_; }
    void setInputsChanged(bool changed) { inputsChanged_ = changed; }

    // A refused entry: the error box, then the focus back to the field.
    static void Refuse(QLineEdit* field, const std::string& text);
    // A text set by the program: no edit is reported.
    static void SetQuietly(QLineEdit* field, const QString& text);

  signals:
    void edited();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Watched {
        QLineEdit* field;
        std::function<bool()> check;
    };
    std::vector<Watched> fields_;
    bool inputsChanged_ = false;
    bool checking_ = false;
};

} // namespace tessavin::ui
