// The main window's settings and project files, and the settings listing.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <variant>

#include "calculation/integration_settings.h"
#include "common/number_parse.h"
#include "files/project_checks.h"
#include "files/project_file.h"
#include "files/settings_file.h"
#include "files/settings_keys.h"
#include "localisation/captions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"
#include "ui/main/input_page.h"
#include "ui/main/main_window.h"
#include "ui/main/results_page.h"
#include "ui/windows/integration_window.h"
#include "ui/windows/settings_window.h"

namespace tessavin::ui {
namespace {

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

constexpr WindowId IntegrationWindowTable = WindowId::Integration;

const SettingKey& MainKey(std::string_view target) {
    return *FindSettingKey(MainWindowSettingKeys(), target);
}

bool IsGeometry(std::string_view target) {
    return target == "left" || target == "top" || target == "width" || target == "height";
}

FileRequest ProjectDialog(const ShellPaths& paths, bool save, const QString& suggested) {
    FileRequest r;
    r.save = save;
    r.directory = paths.resultsDir + "/";
    r.filter = PlatformTextOf(PlatformText::ProjectFilter);
    r.suggestedName = suggested;
    r.defaultSuffix = "Vys";
    return r;
}

} // namespace

void MainWindow::registerSideWindow(SideWindow* window, bool modal) {
    sideWindows_.push_back(window);
    connect(window, &SideWindow::closed, this, [this, window, modal] {
        window->saveSettings(paths_.settingsPath);
        if (modal) setEnabled(true);
    });
}

void MainWindow::restoreSideWindows() {
    SettingsFile file;
    file.Load(S(paths_.settingsPath));
    for (SideWindow* window : sideWindows_)
        window->readSettings(file);
}

void MainWindow::refuseBadIntegrationNumbers() {
    const IntegrationSettings& s = in_.integration;
    for (const std::string* text : {&s.stepsText, &s.levelsText})
        if (!ParseWhole(*text))
            DefMessageDlg(Q(TextCis(msg::ErrorTitle)),
                          Q(FormatMessage(TextCis(msg::NotAnInteger), *text)), BoxKind::Error,
                          BoxButtons::Ok, this);
}

void MainWindow::loadMainSettings() {
    SettingsFile file;
    file.Load(S(paths_.settingsPath));
    // Position and size; the window's minimum size applies to the stored size.
    move(file.GetInteger(MainKey("left")), file.GetInteger(MainKey("top")));
    resize(file.GetInteger(MainKey("width")), file.GetInteger(MainKey("height")));
    // A choice set by the program runs no reaction.
    const int origin = file.GetInteger(MainKey("CBSireni"));
    input_->setCrackOrigin(origin == 1 ? 1 : 0);
    in_.crackOrigin = input_->crackOrigin();
    // Field texts in table order, each with its change reaction; then the menu ticks.
    for (const SettingKey& k : MainWindowSettingKeys()) {
        if (IsGeometry(k.target) || k.target == "CBSireni") continue;
        if (k.target == "CBCilBeta" || k.target == "Chart3Log") continue;
        if (k.type == SettingType::String) {
            if (auto* field = findChild<QLineEdit*>(Text(k.target)))
                field->setText(QString::fromStdString(file.GetString(k)));
        } else if (auto* item = findChild<QAction*>(Text(k.target))) {
            item->setChecked(file.GetBool(k));
        }
    }
    // A file may tick both items of a pair, or neither: the item the program reads decides.
    for (const TickPair* pair : {&languageTicks_, &controlPrintTicks_, &axisTicks_, &boundTicks_})
        pair->tick(file.GetBool(MainKey(S(pair->first->objectName()))));
    colourTicks_.tick(!file.GetBool(MainKey("Ne1")));
    in_.controlPrint = controlPrintTicks_.firstTicked();
    in_.lowerBound = boundTicks_.firstTicked();
    readResultsChoices(file);

    restoreSideWindows();
}

void MainWindow::readResultsChoices(const SettingsFile& file) {
    results_->restoreTarget(QString::fromStdString(file.GetString(MainKey("CBCilBeta"))));
    results_->setLogScale(file.GetBool(MainKey("Chart3Log")));
}

void MainWindow::saveMainSettings() {
    // Read again first: the side windows' keys stay as they are. A settings file that cannot be
    // read is left as it is.
    SettingsFile file;
    if (file.Load(S(paths_.settingsPath))) return;
    file.SetInteger(MainKey("left"), x());
    file.SetInteger(MainKey("top"), y());
    file.SetInteger(MainKey("width"), width());
    file.SetInteger(MainKey("height"), height());
    file.SetInteger(MainKey("CBSireni"), input_->crackOrigin());
    for (const SettingKey& k : MainWindowSettingKeys()) {
        if (IsGeometry(k.target) || k.target == "CBSireni") continue;
        if (k.target == "CBCilBeta") {
            file.SetString(k, S(results_->targetSetting()));
        } else if (k.target == "Chart3Log") {
            file.SetBool(k, results_->logScale());
        } else if (k.type == SettingType::String) {
            if (auto* field = findChild<QLineEdit*>(Text(k.target)))
                file.SetString(k, S(field->text()));
        } else if (auto* item = findChild<QAction*>(Text(k.target))) {
            file.SetBool(k, item->isChecked());
        }
    }
    // The program is ending: a settings file that cannot be written is not worth a box.
    file.Save(S(paths_.settingsPath));
}

void MainWindow::openProjectCommand() {
    const QString chosen =
        UserInteraction().chooseFile(this, ProjectDialog(paths_, false, QString()));
    if (chosen.isEmpty()) {
        pages_->setCurrentWidget(input_);
        return;
    }
    // The whole file is read and checked, its values as the input page checks them, before
    // anything changes.
    auto read = OpenProjectFile(S(chosen));
    if (const Failure* failure = std::get_if<Failure>(&read)) {
        ShowFailure(*failure, this);
        return;
    }
    const ProjectData& p = std::get<ProjectData>(read);

    resetInputHistograms();
    paths_.projectDir = QFileInfo(chosen).absolutePath();
    projectFile_ = chosen;

    // The controls in file order; setting a text runs its change reaction, a choice set by the
    // program runs none.
    projectName_->setText(QString::fromStdString(p.projectName));
    controlPrintTicks_.tick(p.controlPrintYes);
    input_->showProject(p);
    // The calculation's side: period, inputs, integration parameter, convention and every
    // histogram, with the input histograms, DeltaS^m, R(ad) and R(aac) ready.
    const Convention before = in_.integration.convention;
    ApplyProject(p, in_, *state_);

    switchLanguage(p.english ? Language::English : Language::Czech);
    integration_->loadSettings();
    methodLine();
    // Its resistances hold only under their own convention, which is now the one in use.
    if (p.convention != before)
        hint_->setText(Q(TextPiece(IntegrationWindowTable, "ConventionAdopted")) +
                       Q(ConventionText(p.convention)));

    results_->setCrackOriginLine(Q(CaptionText(Caption::Label39)) + " : " +
                                 input_->crackOriginText());
    input_->enableInputCharts();
    results_->updateChartButtons(*state_);
    saveProjectItem_->setEnabled(true);
    pages_->setCurrentWidget(input_);
}

void MainWindow::saveProjectCommand() {
    const QString name = projectName_->text().isEmpty() ? QString("Results") : projectName_->text();
    const QString chosen = UserInteraction().chooseFile(this, ProjectDialog(paths_, true, name));
    if (chosen.isEmpty()) return;
    if (QFileInfo::exists(chosen)) {
        const std::string question =
            FormatMessage(TextCis(msg::OverwriteQuestion), S(QDir::toNativeSeparators(chosen))) +
            "\r\n";
        if (DefMessageDlg(Q(TextCis(msg::ConfirmationTitle)), Q(question), BoxKind::Confirmation,
                          BoxButtons::YesNo, this) != BoxYes) {
            QDir::setCurrent(paths_.projectDir);
            return;
        }
    }
    paths_.projectDir = QFileInfo(chosen).absolutePath();
    if (const auto failure = WriteProjectFile(S(chosen), projectData()))
        ShowFailure(*failure, this);
    else
        projectFile_ = chosen;
}

ProjectData MainWindow::projectData() const {
    ProjectData p = MakeProjectData(in_, *state_);
    p.controlPrintYes = controlPrintTicks_.first->isChecked();
    p.controlPrintNo = controlPrintTicks_.second->isChecked();
    p.czech = languageTicks_.first->isChecked();
    p.english = languageTicks_.second->isChecked();
    return p;
}

void MainWindow::showSettingsListing() {
    SettingsListingWindow* listing = settingsListing_.get();
    // The file in use, wherever the last project came from.
    if (!listing->loadFile(paths_.settingsPath)) {
        DefMessageDlg(Q(TextCis(msg::InformationTitle)), Q(TextCis(msg::SettingsFileUnreadable)),
                      BoxKind::Information, BoxButtons::Ok, this);
        return;
    }
    listing->applyLanguage(CurrentLanguage());
    showSideWindow(listing);
}

} // namespace tessavin::ui
