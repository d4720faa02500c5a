#include "ui/main/target_beta_box.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <cmath>

#include "common/number_parse.h"
#include "decision/reliability_index.h"
#include "decision/target_presets.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"
#include "ui/common/interaction.h"
#include "ui/common/named_label.h"
#include "ui/main/main_texts.h"

namespace tessavin::ui {
namespace {

QString Short(double x) {
    return QString::number(x, 'g', 15); // locale-independent, "3.8"
}

QString TwoDecimals(double x) {
    return QString::number(x, 'f', 2);
}

} // namespace

QString BetaCellText(double pF) {
    const std::optional<double> beta = ReliabilityIndex(pF);
    if (!beta) return {};
    if (std::isinf(*beta)) return *beta > 0 ? QStringLiteral("∞") : QStringLiteral("-∞");
    return Q(StrNaCarku1(*beta));
}

TargetBetaBox::TargetBetaBox(QWidget* parent) : QWidget(parent) {
    setObjectName("PanelCilBeta");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    caption_ = NamedLabel(this, "LCilBeta");
    field_ = new QComboBox(this);
    field_->setObjectName("CBCilBeta");
    field_->setEditable(true);
    field_->setInsertPolicy(QComboBox::NoInsert); // Return accepts the text, adds no item
    field_->setMinimumContentsLength(12);
    field_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    conversion_ = NamedLabel(this, "LCilBetaPrevod");
    betaChart_ = new QToolButton(this);
    betaChart_->setObjectName("BGrafBeta");
    betaChart_->setCheckable(true);
    row->addWidget(caption_);
    row->addWidget(field_, 1);
    row->addWidget(conversion_);
    row->addStretch();
    row->addWidget(betaChart_);
    fillList();
    field_->setCurrentIndex(-1);
    field_->setEditText(QString());

    connect(field_, &QComboBox::activated, this, &TargetBetaBox::choosePreset);
    connect(field_->lineEdit(), &QLineEdit::editingFinished, this, &TargetBetaBox::accept);
    connect(field_->lineEdit(), &QLineEdit::textEdited, this, [this] { refused_.clear(); });
    connect(betaChart_, &QToolButton::toggled, this, &TargetBetaBox::betaChartToggled);
}

void TargetBetaBox::fillList() {
    const QSignalBlocker quiet(field_);
    const QString shown = field_->currentText();
    field_->clear();
    for (const TargetPreset& p : TargetPresets()) {
        field_->addItem(Q(PresetText(p)));
        field_->setItemData(field_->count() - 1, Q(PresetSource(p)), Qt::ToolTipRole);
    }
    field_->setCurrentIndex(-1);
    field_->setEditText(preset_ ? Q(PresetText(*preset_)) : shown);
}

void TargetBetaBox::choosePreset(int index) {
    const auto presets = TargetPresets();
    if (index < 0 || index >= static_cast<int>(presets.size())) return;
    preset_ = &presets[static_cast<std::size_t>(index)];
    typed_.clear();
    target_ = preset_->beta;
    showConversion();
    emit targetChanged();
}

void TargetBetaBox::accept() {
    if (checking_) return;
    const QString text = field_->currentText().trimmed();
    if (preset_ && text == Q(PresetText(*preset_))) return; // the preset as chosen
    for (const TargetPreset& p : TargetPresets())
        if (text == Q(PresetText(p)))
            return choosePreset(static_cast<int>(&p - TargetPresets().data()));
    if (text.isEmpty()) {
        if (!target_) return;
        preset_ = nullptr;
        typed_.clear();
        target_.reset();
        showConversion();
        emit targetChanged();
        return;
    }
    const std::optional<double> value = ParseReal(S(text));
    if (!value || !std::isfinite(*value)) {
        // Nothing changes: the target in effect stays, the text stays for correcting. Return
        // and the focus leaving both finish the editing: one box for one text.
        if (text == refused_) return;
        refused_ = text;
        checking_ = true;
        DefMessageDlg(Q(TextCis(msg::ErrorTitle)), MainPiece("TargetNotNumber").arg(text),
                      BoxKind::Error, BoxButtons::Ok, this);
        checking_ = false;
        field_->setFocus();
        field_->lineEdit()->selectAll();
        return;
    }
    if (!preset_ && target_ && *target_ == *value) return;
    preset_ = nullptr;
    typed_ = text;
    target_ = value;
    showConversion();
    emit targetChanged();
}

QString TargetBetaBox::targetText() const {
    return target_ ? Short(*target_) : QString();
}

QString TargetBetaBox::presetText() const {
    return preset_ ? Q(PresetText(*preset_)) : QString();
}

QString TargetBetaBox::setting() const {
    if (preset_) return QString::fromUtf8(preset_->id);
    return target_ ? typed_ : QString();
}

void TargetBetaBox::restore(const QString& setting) {
    const QString text = setting.trimmed();
    preset_ = FindTargetPreset(S(text));
    typed_.clear();
    target_.reset();
    if (preset_) {
        target_ = preset_->beta;
    } else if (const auto value = ParseReal(S(text)); value && std::isfinite(*value)) {
        target_ = value;
        typed_ = text;
    }
    const QSignalBlocker quiet(field_);
    field_->setCurrentIndex(-1);
    field_->setEditText(preset_ ? Q(PresetText(*preset_)) : typed_);
    showConversion();
    emit targetChanged();
}

void TargetBetaBox::setStudyYears(int years) {
    studyYears_ = years;
    showConversion();
}

bool TargetBetaBox::betaChartChosen() const {
    return betaChart_->isChecked();
}

void TargetBetaBox::applyLanguage() {
    fillList();
    showConversion();
}

// The target over one year and over the study's years, for independent years:
// Φ(β_n) = Φ(β_r)^(n/r) from the preset's reference period r (one year for a typed number).
void TargetBetaBox::showConversion() {
    if (!target_) {
        conversion_->clear();
        conversion_->setToolTip(QString());
        return;
    }
    const double reference = preset_ ? preset_->referenceYears : 1.0;
    QString text =
        MainPiece("TargetOneYear") + TwoDecimals(ConvertReferencePeriod(*target_, reference, 1.0));
    if (studyYears_ > 0)
        text += MainPiece("TargetOverYears").arg(studyYears_) +
                TwoDecimals(ConvertReferencePeriod(*target_, reference, studyYears_));
    conversion_->setText(text);
    QString tip = MainPiece("TargetConversionTip");
    if (preset_) tip = Q(PresetSource(*preset_)) + "\n" + tip;
    conversion_->setToolTip(tip);
}

} // namespace tessavin::ui
