#include "ui/windows/sensitivity_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/number_parse.h"
#include "localisation/caption_table.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"
#include "ui/charts/tornado_chart.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"
#include "ui/common/string_grid.h"
#include "ui/windows/side_window.h"

namespace tessavin::ui {

using sensitivity::PlanFigures;
using sensitivity::SensitivityResult;
using sensitivity::SensitivityRow;

// What the runs start from: the fields and the input histograms (a project's measured data
// among them). The base run builds ΔS^m and the resistances itself, so nothing of a state that
// the main window goes on changing is shared.
struct SensitivityWindow::Study {
    CalculationInputs in;
    CalculationState state;
};

namespace {

constexpr int Columns = 12; // the last two: the next inspection, with the exact plan only
constexpr int NextDownColumn = 10;
constexpr int Runs = 28;

// A piece of this window's table in `language`.
QString Piece(const char* name, Language language) {
    const CaptionAssignment* entry =
        FindCaption(WindowId::Sensitivity, name, CaptionKind::TextPiece);
    return entry ? Q(ComposeText(*entry, language)) : QString();
}

QString YearText(const std::optional<int>& year) {
    return year ? QString::number(*year) : QStringLiteral("-");
}

// The first inspection's year: the later year of its range, the year pF reaches Pd.
std::optional<int> FirstYear(const PlanFigures& f) {
    return f.first ? std::optional<int>((*f.first)[1]) : std::nullopt;
}

QString Probability(const std::optional<double>& pF) {
    return pF ? Q(StrNaCarku1(*pF)) : QStringLiteral("-");
}

QString Percent(double step) {
    return QString::number(step * 100, 'g', 6) + " %";
}

} // namespace

SensitivityWindow::SensitivityWindow() : SideWindow(WindowId::Sensitivity, Qt::Window) {
    setMinimumSize(720, 480);
    resize(960, 640);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 2, 4, 4);
    root->setSpacing(4);

    auto* commands = new QHBoxLayout;
    auto* quit = new QToolButton(this);
    quit->setObjectName("BKonec");
    quit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    quit->setIconSize(QSize(20, 20));
    quit->setAutoRaise(true);
    auto* stepLabel = new QLabel(this);
    stepLabel->setObjectName("Label1");
    step_ =
        new QLineEdit(Q(std::string(FindSettingKey(settingKeys(), "EdKrok")->defaultText)), this);
    step_->setObjectName("EdKrok");
    step_->setFixedWidth(70);
    stepLabel->setBuddy(step_);
    runButton_ = new QPushButton(this);
    runButton_->setObjectName("BSpustit");
    breakButton_ = new QPushButton(this);
    breakButton_->setObjectName("BPrerus");
    progress_ = new QProgressBar(this);
    progress_->setObjectName("Gauge1");
    progress_->setRange(0, Runs);
    progress_->setFormat("%v / %m");
    QSizePolicy keep = progress_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    progress_->setSizePolicy(keep);
    saveButton_ = new QPushButton(this);
    saveButton_->setObjectName("BUlozObrazek");
    commands->addWidget(quit);
    commands->addWidget(stepLabel);
    commands->addWidget(step_);
    commands->addWidget(runButton_);
    commands->addWidget(breakButton_);
    commands->addWidget(progress_, 1);
    commands->addWidget(saveButton_);
    root->addLayout(commands);

    base_ = new QLabel(this);
    base_->setObjectName("LZaklad");
    base_->setWordWrap(true);
    root->addWidget(base_);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName("Splitter1");
    chart_ = new TornadoChart(split);
    chart_->setObjectName("Chart1");
    table_ = new StringGrid("StringGrid1", Columns, 2, 1, 0, split);
    table_->fitColumns({"Stress ranges per year  ", "Sigma* ", "1.23456789E-10", "1.23456789E-10",
                        "1.23456789E-10", "First down ", "First up ", "1.234567890123E-10",
                        "1.234567890123E-10", "-1.23456789012", "Next down ", "Next up "},
                       false);
    split->addWidget(chart_);
    split->addWidget(table_);
    // The chart first: each of its 14 rows needs the height of its label.
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    split->setSizes({3000, 1000});
    root->addWidget(split, 1);
    measured_ = new QLabel(this);
    measured_->setObjectName("LMereno");
    measured_->hide();
    root->addWidget(measured_);

    connect(quit, &QToolButton::clicked, this, &QWidget::close);
    connect(runButton_, &QPushButton::clicked, this, &SensitivityWindow::run);
    connect(step_, &QLineEdit::returnPressed, this, &SensitivityWindow::run);
    connect(breakButton_, &QPushButton::clicked, this, &SensitivityWindow::breakRun);
    connect(saveButton_, &QPushButton::clicked, chart_, [this] {
        FileRequest request;
        request.save = true;
        request.caption = PlatformTextOf(PlatformText::ChartSaveCaption);
        request.filter = PlatformTextOf(PlatformText::ChartPictureFilter);
        request.suggestedName = "what_drives_the_plan.png";
        request.defaultSuffix = "png";
        const QString path = UserInteraction().chooseFile(this, request);
        if (!path.isEmpty() && !chart_->savePicture(path))
            DefMessageDlg(Q(TextCis(msg::ErrorTitle)),
                          PlatformTextOf(PlatformText::ChartNotSaved).arg(path), BoxKind::Error,
                          BoxButtons::Ok, this);
    });
    closeOnEscape();
    showIdle();
    applyLanguage(CurrentLanguage());
}

SensitivityWindow::~SensitivityWindow() {
    stopWorker();
}

void SensitivityWindow::setStudy(const CalculationInputs& in, const CalculationState& state) {
    clearStudy();
    study_ = std::make_unique<Study>();
    study_->in = in;
    study_->state.inputs = state.inputs;
    exactPlan_ = in.integration.exactPlan;
    showResult();
}

void SensitivityWindow::clearStudy() {
    const bool wasRunning = running();
    stopWorker();
    ++run_; // a run stopped here reports nothing
    if (wasRunning) showIdle();
    study_.reset();
    result_.reset();
    showResult();
}

void SensitivityWindow::stopWorker() {
    if (!worker_.joinable()) return;
    stop_ = true;
    worker_.join(); // the runs in hand end first
}

void SensitivityWindow::run() {
    if (running() || !study_) return;
    const QString text = step_->text().trimmed();
    const std::optional<double> step = ParseReal(S(text));
    if (!step || !(*step > 0.0 && *step < 1.0)) {
        ShowFailure(
            ErrorBox(0, S(Piece("StepRefused", shownLanguage()) + "'" + text + "'"), "EdKrok"),
            this);
        return;
    }
    stop_ = false;
    const int run = ++run_;
    progress_->setValue(0);
    progress_->show();
    breakButton_->setEnabled(true);
    runButton_->setEnabled(false);
    step_->setEnabled(false);
    // The worker reads the study, which clearStudy() and the destructor keep until it has
    // ended; it reaches the window only through queued calls.
    worker_ = std::thread([this, run, step = *step, study = study_.get()] {
        sensitivity::SensitivitySettings settings;
        settings.step = step;
        const SensitivityResult r = sensitivity::AnalyseSensitivity(
            study->in, study->state, settings,
            [this, run](int done, int) {
                QMetaObject::invokeMethod(
                    this,
                    [this, run, done] {
                        if (run == run_) progress_->setValue(done);
                    },
                    Qt::QueuedConnection);
            },
            &stop_);
        QMetaObject::invokeMethod(
            this, [this, run, r, step] { finish(run, r, step); }, Qt::QueuedConnection);
    });
}

void SensitivityWindow::breakRun() {
    if (running()) stop_ = true;
}

void SensitivityWindow::finish(int run, const SensitivityResult& r, double step) {
    if (run != run_) return; // cleared meanwhile; clearStudy() has joined the worker
    if (worker_.joinable()) worker_.join();
    showIdle();
    if (!r.failure.empty())
        ShowFailure(ErrorBox(0, S(Piece("AnalysisFailed", shownLanguage())) + r.failure), this);
    else if (!r.interrupted) {
        result_ = r;
        resultStep_ = step;
        showResult();
    }
    emit finished();
}

void SensitivityWindow::showIdle() {
    progress_->hide();
    breakButton_->setEnabled(false);
    runButton_->setEnabled(study_ != nullptr);
    step_->setEnabled(true);
}

void SensitivityWindow::showResult() {
    runButton_->setEnabled(study_ && !running());
    base_->setText(baseLine());
    fillTable();
    drawChart();
    bool measured = false;
    if (result_)
        for (const SensitivityRow& row : result_->rows)
            measured = measured || row.measured;
    measured_->setVisible(measured);
}

QString SensitivityWindow::baseLine() const {
    const Language l = shownLanguage();
    if (!result_) return study_ ? Piece("NoResult", l) : QString();
    const PlanFigures& b = result_->base;
    QString line =
        b.first ? Piece("BaseFirst", l) + QString("%1 - %2").arg((*b.first)[0]).arg((*b.first)[1])
                : Piece("BaseNoFirst", l);
    line +=
        Piece("BasePf", l) + QString::number(result_->referenceYear) + " = " + Probability(b.pF);
    if (exactPlan_) line += Piece("BaseNext", l) + YearText(b.next);
    return line;
}

QString SensitivityWindow::rowLabel(const SensitivityRow& row) const {
    const QString input = Piece(row.move.inputKey, shownLanguage());
    if (row.move.parameter == sensitivity::Parameter::Value) return input;
    return input + " - " + row.move.parameterKey + (row.measured ? "*" : "");
}

void SensitivityWindow::fillTable() {
    const Language l = shownLanguage();
    const int rows = result_ ? static_cast<int>(result_->rows.size()) : 0;
    table_->setRows(std::max(rows, 1) + 1);
    for (int c = 0; c < Columns; ++c)
        table_->clearColumn(c, 1);
    for (int r = 0; r < rows; ++r) {
        const SensitivityRow& row = result_->rows[static_cast<std::size_t>(r)];
        const QString parameter = row.move.parameter == sensitivity::Parameter::Value
                                      ? Piece("value", l)
                                      : QString(row.move.parameterKey) + (row.measured ? "*" : "");
        const QString cells[Columns] = {
            Piece(row.move.inputKey, l),   parameter,
            Q(StrNaCarku(row.base)),       Q(StrNaCarku(row.down)),
            Q(StrNaCarku(row.up)),         YearText(FirstYear(row.atDown)),
            YearText(FirstYear(row.atUp)), Probability(row.atDown.pF),
            Probability(row.atUp.pF),      row.elasticity ? Q(StrNaCarku(*row.elasticity)) : "-",
            YearText(row.atDown.next),     YearText(row.atUp.next)};
        for (int c = 0; c < Columns; ++c)
            table_->setCell(c, r + 1, cells[c]);
    }
    for (int c = NextDownColumn; c < Columns; ++c)
        table_->setColumnHidden(c, !exactPlan_);
}

void SensitivityWindow::drawChart() {
    if (!result_) return chart_->clear();
    const Language l = shownLanguage();
    std::vector<TornadoRow> rows;
    for (const SensitivityRow& row : result_->rows)
        rows.push_back({rowLabel(row), row.atDown.pF, row.atUp.pF});
    const double base = result_->base.pF.value_or(0.0);
    TornadoTexts texts;
    texts.title = Piece("ChartTitle", l) + QString::number(result_->referenceYear) +
                  Piece("ChartMoved", l) + "± " + Percent(resultStep_);
    texts.down = Piece("LegendDown", l) + Percent(resultStep_);
    texts.up = Piece("LegendUp", l) + Percent(resultStep_);
    texts.base = Piece("LegendBase", l) + QString::number(base, 'g', 4);
    chart_->setRows(base, rows, texts);
}

void SensitivityWindow::languageApplied(Language language) {
    language_ = language;
    showResult();
}

void SensitivityWindow::readOwnSettings(const SettingsFile& file) {
    for (const SettingKey& k : settingKeys())
        if (k.target == "EdKrok") step_->setText(Q(file.GetString(k)));
}

void SensitivityWindow::writeOwnSettings(SettingsFile& file) const {
    for (const SettingKey& k : settingKeys())
        if (k.target == "EdKrok") file.SetString(k, S(step_->text()));
}

} // namespace tessavin::ui
