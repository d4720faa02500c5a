// The raw data window's four fields: their checks on leaving and on a click, while the inputs
// have changed.
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "common/number_parse.h"
#include "localisation/messages.h"
#include "rawdata/class_count_advice.h"
#include "statlib/number_text.h"
#include "ui/common/interaction.h"
#include "ui/common/string_grid.h"
#include "ui/rawdata/raw_data_window.h"

namespace tessavin::ui {
namespace {

// Focus changes caused by a box or a menu are not the user leaving the field.
bool LeavesField(const QFocusEvent* e) {
    return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason &&
           e->reason() != Qt::MenuBarFocusReason;
}

// The error box of a refused entry; the focus goes back to the field.
void Refuse(QWidget* window, QLineEdit* field, const std::string& text) {
    DefMessageDlg(Q(TextCis(CaptionMessage(BoxKind::Error))), Q(text), BoxKind::Error,
                  BoxButtons::Ok, window);
    field->setFocus();
}

// The same text set by the program: no change reaction.
void SetQuietly(QLineEdit* field, const QString& text) {
    const QSignalBlocker block(field);
    field->setText(text);
}

} // namespace

bool RawDataWindow::eventFilter(QObject* watched, QEvent* event) {
    // A field's check runs when the field is left and when it is clicked into while it holds
    // the focus (a click that moves the focus from another field runs that field's check).
    const bool left =
        event->type() == QEvent::FocusOut && LeavesField(static_cast<QFocusEvent*>(event));
    const bool clicked = event->type() == QEvent::MouseButtonRelease &&
                         static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
                         qobject_cast<QWidget*>(watched) &&
                         qobject_cast<QWidget*>(watched)->hasFocus();
    if ((left || clicked) && !checking_ && inputsChanged_) runFieldCheck(watched);
    return QWidget::eventFilter(watched, event);
}

void RawDataWindow::runFieldCheck(QObject* field) {
    checking_ = true;
    if (field == edMin_) EdMinExit();
    if (field == edMax_) EdMaxExit();
    if (field == edEps_) EdEpsExit();
    if (field == edPocetIntervalu_) EdPocetIntervaluExit();
    checking_ = false;
}

bool RawDataWindow::EdMinExit() {
    return rangeFieldExit(true);
}

bool RawDataWindow::EdMaxExit() {
    return rangeFieldExit(false);
}

bool RawDataWindow::rangeFieldExit(bool isMin) {
    if (!inputsChanged_) return true;
    QLineEdit* field = isMin ? edMin_ : edMax_;
    QString& last = isMin ? lastMin_ : lastMax_;
    if (edNazev_->text().isEmpty()) {
        SetQuietly(field, QString());
        return true;
    }
    const std::string text = S(field->text());
    const std::optional<double> v = ParseReal(text);
    // The other end as its field shows it: a refused entry there was already put back.
    const std::optional<double> other = ParseReal(S((isMin ? edMax_ : edMin_)->text()));
    std::string refusal;
    if (!v)
        refusal = TextCis(129) + (isMin ? " MinX " : " MaxX ") + text;
    else if (!other || (isMin ? *v >= *other : *v <= *other))
        refusal = isMin ? "MinX >= MaxX !" : "MaxX <= MinX !";
    if (!refusal.empty()) {
        Refuse(this, field, refusal);
        SetQuietly(field, last);
        return false;
    }
    last = Q(StrNaCarku(*v));
    SetQuietly(field, last);
    ClearShownHistogram();
    Button2Click();
    return true;
}

bool RawDataWindow::EdPocetIntervaluExit() {
    if (!inputsChanged_) return true;
    const std::string text = S(edPocetIntervalu_->text());
    const std::optional<long long> n = ParseWhole(text);
    if (!n) {
        Refuse(this, edPocetIntervalu_, TextCis(114) + text);
        SetQuietly(edPocetIntervalu_, QString());
        return false;
    }
    if (*n == 0) {
        Refuse(this, edPocetIntervalu_, TextCis(115));
        return false;
    }
    if (*n < 3 || *n > MaxBins) {
        Refuse(this, edPocetIntervalu_, TextCis(88) + std::to_string(MaxBins) + " !");
        SetQuietly(edPocetIntervalu_, QString());
        return false;
    }
    if (sample_) {
        if (const auto advice = TooFewClassesAdvice(sample_->count, static_cast<int>(*n)))
            DefMessageDlg(Q(TextCis(4)), Q(*advice), BoxKind::Warning, BoxButtons::Ok, this);
    }
    Button2Click();
    return true;
}

bool RawDataWindow::EdEpsExit() {
    if (!inputsChanged_) return true;
    const std::string text = S(edEps_->text());
    const std::optional<double> v = ParseReal(text);
    bool accepted = true;
    if (!v) {
        Refuse(this, edEps_, TextCis(129) + " Eps : " + text);
        accepted = false;
    } else if (*v <= 0) {
        Refuse(this, edEps_, TextCis(97));
        accepted = false;
    } else {
        const double lowest = ParseReal(S(mainEps_)).value_or(0.0);
        if (*v < lowest || *v > 1) {
            Refuse(this, edEps_, FormatMessage(TextCis(98), S(mainEps_)));
            accepted = false;
        }
    }
    if (!accepted) SetQuietly(edEps_, savedEps_);
    Button2Click();
    return accepted;
}

} // namespace tessavin::ui
