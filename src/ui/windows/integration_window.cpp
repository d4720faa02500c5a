#include "ui/windows/integration_window.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "calculation/integration_settings.h"
#include "common/number_parse.h"
#include "localisation/captions.h"
#include "ui/common/caption_tables.h"
#include "ui/common/interaction.h"
#include "ui/common/key_filters.h"

namespace tessavin::ui {
namespace {

constexpr int MethodCount = 5;
constexpr int WindowWidth = 375;
constexpr int WindowHeight = 204;

// A field's text read as a whole number without a check.
int WholeOf(const QString& text) {
    return static_cast<int>(std::clamp(ParseWholePrefix(S(text)), -1000000000LL, 1000000000LL));
}

double RealOf(const QString& text) {
    return ParseRealPrefix(S(text));
}

QLabel* MakeLabel(QWidget* parent, const char* name, int y) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->move(0, y);
    return label;
}

QLineEdit* MakeField(QWidget* parent, const char* name, QRect place) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(place);
    return field;
}

} // namespace

IntegrationWindow::IntegrationWindow(IntegrationSettings& settings)
    : SideWindow(WindowId::Integration, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                            Qt::WindowStaysOnTopHint),
      settings_(settings) {
    setFixedSize(WindowWidth, WindowHeight);

    // Fixed places, as the window itself is of fixed size; the three parameter rows share one.
    methodHeading_ = MakeLabel(this, "Label1", 10);
    method_ = new QComboBox(this);
    method_->setObjectName("CBMetoda");
    method_->setGeometry(40, 32, 295, 26);
    for (int i = 0; i < MethodCount; ++i)
        method_->addItem(Q(IntegrationMethodText(i)));

    const QRect fieldPlace(127, 94, 121, 26);
    stepsLabel_ = MakeLabel(this, "Label4", 72);
    steps_ = MakeField(this, "EdNintegrace", fieldPlace);
    levelsLabel_ = MakeLabel(this, "Label2", 72);
    levels_ = MakeField(this, "EdN", fieldPlace);
    tol0Label_ = MakeLabel(this, "Label3", 72);
    tol0_ = MakeField(this, "EdTol0", fieldPlace);

    exit_ = new QPushButton(this);
    exit_->setObjectName("BKonec");
    exit_->setGeometry(WindowWidth - 8 - 90, WindowHeight - 8 - 30, 90, 30);
    // The two choices of what is computed, left of Exit; the items name themselves;
    // after Exit in the tab order.
    convention_ = new QComboBox(this);
    convention_->setObjectName("CBKonvence");
    convention_->setGeometry(8, WindowHeight - 8 - 28 - 34, 262, 26);
    // Item texts of the language in effect; the caption table renames them on a switch.
    for (Convention c : {Convention::First, Convention::Centre})
        convention_->addItem(Q(ConventionText(c)));
    plan_ = new QComboBox(this);
    plan_->setObjectName("CBPlan");
    plan_->setGeometry(8, WindowHeight - 8 - 28, 262, 26);
    for (int p = 0; p < 2; ++p)
        plan_->addItem(Q(PlanItemText(p)));

    InstallKeyFilter(steps_, NumberFilter::Whole);
    InstallKeyFilter(levels_, NumberFilter::Whole);
    InstallKeyFilter(tol0_, NumberFilter::Real);
    for (QLineEdit* field : {steps_, levels_, tol0_}) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, [this, field] { fieldEdited(field); });
    }
    // Chosen by the user only: the program sets the index with the settings.
    connect(method_, &QComboBox::activated, this, [this](int index) {
        settings_.method = index;
        methodChange(true);
    });
    connect(convention_, &QComboBox::activated, this, [this](int index) {
        settings_.convention = index == 1 ? Convention::Centre : Convention::First;
        emit settingsChanged();
    });
    connect(plan_, &QComboBox::activated, this, [this](int index) {
        settings_.exactPlan = index == 1;
        emit settingsChanged();
    });
    connect(exit_, &QPushButton::clicked, this, &QWidget::close);

    loadSettings();
    applyLanguage(CurrentLanguage());
}

void IntegrationWindow::languageApplied(Language) {
    centreLabels();
}

void IntegrationWindow::readOwnSettings(const SettingsFile& file) {
    for (const SettingKey& k : settingKeys()) {
        if (k.target == "EdNintegrace") settings_.stepsText = file.GetString(k);
        if (k.target == "EdN") settings_.levelsText = file.GetString(k);
        if (k.target == "EdTol0") settings_.tol0Text = file.GetString(k);
        if (k.target == "CBMetoda") {
            // -1 is the list without a choice; anything else unknown reads the same way.
            const int method = file.GetInteger(k);
            settings_.method = method >= -1 && method <= 4 ? method : -1;
        }
        if (k.target == "CBKonvence")
            settings_.convention = file.GetInteger(k) == 1 ? Convention::Centre : Convention::First;
        // Absent or unknown: the rule's plan.
        if (k.target == "CBPlan") settings_.exactPlan = file.GetInteger(k) == 1;
    }
    loadSettings();
}

void IntegrationWindow::writeOwnSettings(SettingsFile& file) const {
    for (const SettingKey& k : settingKeys()) {
        if (k.target == "EdNintegrace") file.SetString(k, settings_.stepsText);
        if (k.target == "EdN") file.SetString(k, settings_.levelsText);
        if (k.target == "EdTol0") file.SetString(k, settings_.tol0Text);
        if (k.target == "CBMetoda") file.SetInteger(k, settings_.method);
        if (k.target == "CBKonvence")
            file.SetInteger(k, settings_.convention == Convention::Centre ? 1 : 0);
        if (k.target == "CBPlan") file.SetInteger(k, settings_.exactPlan ? 1 : 0);
    }
}

void IntegrationWindow::loadSettings() {
    quiet_ = true;
    steps_->setText(Q(settings_.stepsText));
    levels_->setText(Q(settings_.levelsText));
    tol0_->setText(Q(settings_.tol0Text));
    quiet_ = false;
    {
        const QSignalBlocker block(method_);
        method_->setCurrentIndex(
            settings_.method >= 0 && settings_.method < MethodCount ? settings_.method : -1);
        const QSignalBlocker blockConvention(convention_);
        convention_->setCurrentIndex(settings_.convention == Convention::Centre ? 1 : 0);
        const QSignalBlocker blockPlan(plan_);
        plan_->setCurrentIndex(settings_.exactPlan ? 1 : 0);
    }
    methodChange(false);
}

void IntegrationWindow::resetToDefaults() {
    const IntegrationSettings defaults;
    settings_ = defaults;
    loadSettings();
    emit settingsChanged();
}

void IntegrationWindow::methodChange(bool notify) {
    const int m = settings_.method;
    const bool stepsRow = m == 0 || m == 1;
    stepsLabel_->setVisible(stepsRow);
    steps_->setVisible(stepsRow);
    levelsLabel_->setVisible(m == 2);
    levels_->setVisible(m == 2);
    tol0Label_->setVisible(m == 3);
    tol0_->setVisible(m == 3);
    if (stepsRow) settings_.steps = WholeOf(steps_->text());
    if (m == 2) settings_.levels = WholeOf(levels_->text());
    if (m == 3) settings_.tol0 = RealOf(tol0_->text());
    if (notify) emit settingsChanged();
}

void IntegrationWindow::fieldEdited(QLineEdit* field) {
    const std::string text = S(field->text());
    if (field == steps_) settings_.stepsText = text;
    if (field == levels_) settings_.levelsText = text;
    if (field == tol0_) settings_.tol0Text = text;
    if (!quiet_) emit settingsChanged();
}

void IntegrationWindow::leaveField(QLineEdit* field) {
    // The value follows the text whether or not the check passes.
    if (field == steps_) settings_.steps = WholeOf(field->text());
    if (field == levels_) settings_.levels = WholeOf(field->text());
    if (field == tol0_) settings_.tol0 = RealOf(field->text());
    const auto failure =
        CheckIntegrationField(S(field->objectName()), S(field->text()), settings_.method);
    if (!failure) return;
    checking_ = true;
    ShowFailure(*failure, this);
    checking_ = false;
}

bool IntegrationWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !checking_) {
        // Only a move to another control of this window leaves the field; a box or another
        // window taking the activation does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            leaveField(static_cast<QLineEdit*>(watched));
    }
    return QWidget::eventFilter(watched, event);
}

void IntegrationWindow::closing() {
    settings_.steps = WholeOf(steps_->text());
}

void IntegrationWindow::centreLabels() {
    for (QLabel* label : {methodHeading_, stepsLabel_, levelsLabel_, tol0Label_})
        CentreLabel(label, method_->x(), method_->width());
}

} // namespace tessavin::ui
