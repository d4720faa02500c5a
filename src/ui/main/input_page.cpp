// The input page of the main window: the deterministic fields, the six random-input rows,
// their checks on leaving, the reactions to changes and the defaults command.
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "calculation/field_checks.h"
#include "common/number_parse.h"
#include "exactplan/inspected_years.h"
#include "localisation/caption_table.h"
#include "localisation/captions.h"
#include "localisation/messages.h"
#include "parametric/distribution_catalogue.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/interaction.h"
#include "ui/common/key_filters.h"
#include "ui/common/named_label.h"
#include "ui/common/string_grid.h"
#include "ui/main/main_window.h"
#include "ui/windows/about_window.h"
#include "ui/windows/event_graph_window.h"
#include "ui/windows/histogram_window.h"
#include "ui/windows/integration_window.h"
#include "ui/windows/settings_window.h"

namespace tessavin::ui {
namespace {

QLineEdit* NamedEdit(QWidget* parent, const char* name, const QString& text, int width = 80) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    return e;
}

// Row labels of the six inputs.
constexpr const char* kRowLabels[RandomInputCount + 1] = {"",        "Label3", "Label5", "Label11",
                                                          "Label12", "Label6", "Label13"};

// The design text of a control of the page: its English entry in the main window's caption table.
QString DesignText(const char* control, CaptionKind kind = CaptionKind::Caption, int index = 0) {
    const CaptionAssignment* entry = FindCaption(1, control, kind, index);
    return entry ? Q(ComposeText(*entry, Language::English)) : QString();
}

// The widest the input blocks grow (pixels): a wider window leaves the rest empty at the
// right, so that each field stays next to its label.
constexpr int MaxFieldsWidth = 1000;
constexpr int MaxRowsWidth = 900;

// `grid` in a block of at most `maxWidth` pixels at the left of `column`.
void AddBlock(QVBoxLayout* column, QGridLayout* grid, int maxWidth) {
    auto* block = new QWidget;
    block->setLayout(grid);
    block->setMaximumWidth(maxWidth);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    row->addWidget(block, 1);
    row->addStretch(0);
    column->addLayout(row);
}

// Focus changes caused by a box or a menu are not the user leaving the field.
bool LeavesField(const QFocusEvent* e) {
    return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason &&
           e->reason() != Qt::MenuBarFocusReason;
}

} // namespace

void InputRow::setFieldsEnabled(bool enabled) const {
    for (QWidget* w : {static_cast<QWidget*>(type), static_cast<QWidget*>(mi),
                       static_cast<QWidget*>(sigma), static_cast<QWidget*>(n)})
        w->setEnabled(enabled);
}

void MainWindow::buildInputPage(QWidget* page) {
    // The fields start with their design texts; the settings then write the stored texts,
    // and the reactions run for every text that differs from its design text.
    in_.yearStart = "50";
    in_.yearStep = "5";
    in_.yearEnd = "50";
    in_.eps = "1E-7";
    in_.intervals = "10";
    for (int k = 1; k <= RandomInputCount; ++k)
        in_.random[k].n = "32";

    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(4);

    cbSireni_ = new QComboBox(page);
    cbSireni_->setObjectName("CBSireni");
    cbSireni_->addItems({Q(CrackOriginText(0)), Q(CrackOriginText(1))});
    edRokT_ = NamedEdit(page, "EdRokT", Q(in_.yearStart), 36);
    edRokKrok_ = NamedEdit(page, "EdRokKrok", Q(in_.yearStep), 36);
    edRokKon_ = NamedEdit(page, "EdRokKon", Q(in_.yearEnd), 36);
    edNavPravd_ = NamedEdit(page, "EdNavPravd", Q(in_.Pd));
    edSirPas_ = NamedEdit(page, "EdSirPas", Q(in_.bf));
    edTloPas_ = NamedEdit(page, "EdTloPas", Q(in_.tf));
    edKonstC_ = NamedEdit(page, "EdKonstC", Q(in_.C));
    edMocM_ = NamedEdit(page, "EdMocM", Q(in_.m));
    edEps_ = NamedEdit(page, "EdEps", Q(in_.eps));
    edPocetIntervalu_ = NamedEdit(page, "EdPocetIntervalu", Q(in_.intervals));
    edProhlidky_ = NamedEdit(page, "EdProhlidky", "", 36 * 3 + 2 * 12);
    cbSireni_->setFixedWidth(36 * 3 + 2 * 12);

    auto* years = new QHBoxLayout;
    years->setSpacing(2);
    years->addWidget(edRokT_);
    years->addWidget(new QLabel("/", page));
    years->addWidget(edRokKrok_);
    years->addWidget(new QLabel("/", page));
    years->addWidget(edRokKon_);

    // Deterministic inputs: two columns of label and field.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    fields->setVerticalSpacing(2);
    auto label = [page](const char* name) {
        QLabel* l = NamedLabel(page, name, DesignText(name));
        l->setWordWrap(true);
        return l;
    };
    fields->addWidget(label("Label39"), 0, 0);
    fields->addWidget(cbSireni_, 0, 1);
    fields->addWidget(label("Label4"), 1, 0);
    fields->addLayout(years, 1, 1, Qt::AlignLeft);
    fields->addWidget(label("Label16"), 2, 0);
    fields->addWidget(edSirPas_, 2, 1);
    fields->addWidget(label("Label17"), 3, 0);
    fields->addWidget(edTloPas_, 3, 1);
    fields->addWidget(label("Label40"), 4, 0);
    fields->addWidget(edProhlidky_, 4, 1);
    fields->addWidget(label("Label38"), 0, 3);
    fields->addWidget(edNavPravd_, 0, 4);
    fields->addWidget(label("Label2"), 1, 3);
    fields->addWidget(edKonstC_, 1, 4);
    fields->addWidget(label("Label1"), 2, 3);
    fields->addWidget(edMocM_, 2, 4);
    fields->addWidget(label("Label14"), 3, 3);
    fields->addWidget(edPocetIntervalu_, 3, 4);
    fields->addWidget(label("Label29"), 4, 3);
    fields->addWidget(edEps_, 4, 4);
    fields->setColumnStretch(0, 1);
    fields->setColumnMinimumWidth(2, 12);
    fields->setColumnStretch(3, 1);
    AddBlock(column, fields, MaxFieldsWidth);

    auto* separator = new QFrame(page);
    separator->setFrameShape(QFrame::HLine);
    column->addWidget(separator);

    // Random inputs: headings, then one row per input.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->addWidget(NamedLabel(page, "Label10", DesignText("Label10")), 0, 1, Qt::AlignHCenter);
    grid->addWidget(NamedLabel(page, "Label9", DesignText("Label9")), 0, 2, Qt::AlignHCenter);
    grid->addWidget(NamedLabel(page, "Label8", "Mi"), 0, 3, Qt::AlignHCenter);
    grid->addWidget(NamedLabel(page, "Label7", "Sigma"), 0, 4, Qt::AlignHCenter);
    grid->addWidget(NamedLabel(page, "Label37", "N"), 0, 5, Qt::AlignHCenter);
    // Only the first row's lists are in the caption table; the other rows keep these texts.
    const QStringList sources = DesignText("CBRozSpZad", CaptionKind::ListRefill).split('\n');
    const QString firstType = DesignText("CBTypTypRozSp", CaptionKind::ListItem, 0);
    for (int k = 1; k <= RandomInputCount; ++k) {
        const RandomInputControls& c = InputControls(k);
        InputRow& row = rows_[k];
        row.source = new QComboBox(page);
        row.source->setObjectName(c.source);
        row.source->addItems(sources);
        row.source->setFixedWidth(104);
        row.type = new QComboBox(page);
        row.type->setObjectName(c.type);
        for (int t = 0; t < InputTypeCount(); ++t)
            row.type->addItem(Q(DistributionName(t)));
        row.type->setItemText(0, firstType);
        row.type->setFixedWidth(112);
        row.mi = NamedEdit(page, c.mi, Q(in_.random[k].mi), 62);
        row.sigma = NamedEdit(page, c.sigma, Q(in_.random[k].sigma), 62);
        row.n = NamedEdit(page, c.n, Q(in_.random[k].n), 48);
        row.chart = new QToolButton(page);
        row.chart->setObjectName(c.chartButton);
        row.chart->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
        row.chart->setFixedSize(21, 21);
        row.chart->setEnabled(false);
        row.type->setCurrentIndex(in_.random[k].type);
        QLabel* name = NamedLabel(page, kRowLabels[k], DesignText(kRowLabels[k]));
        name->setWordWrap(true);
        grid->addWidget(name, k, 0);
        grid->addWidget(row.source, k, 1);
        grid->addWidget(row.type, k, 2);
        grid->addWidget(row.mi, k, 3);
        grid->addWidget(row.sigma, k, 4);
        grid->addWidget(row.n, k, 5);
        grid->addWidget(row.chart, k, 6);
    }
    grid->setColumnStretch(0, 1);
    AddBlock(column, grid, MaxRowsWidth);
    column->addStretch(1);

    // Enter moves on in this order (Tab too).
    QWidget* order[] = {cbSireni_, edRokT_,   edRokKrok_,        edRokKon_, edEps_,  edNavPravd_,
                        edSirPas_, edTloPas_, edPocetIntervalu_, edKonstC_, edMocM_, edProhlidky_};
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
    for (int k = 1; k <= RandomInputCount; ++k) {
        for (QWidget* w :
             {static_cast<QWidget*>(rows_[k].source), static_cast<QWidget*>(rows_[k].type),
              static_cast<QWidget*>(rows_[k].mi), static_cast<QWidget*>(rows_[k].sigma),
              static_cast<QWidget*>(rows_[k].n)}) {
            QWidget::setTabOrder(previous, w);
            previous = w;
        }
    }
    connectInputFields();
}

void MainWindow::connectInputFields() {
    for (QLineEdit* e : {edKonstC_, edMocM_, edNavPravd_, edEps_})
        InstallKeyFilter(e, NumberFilter::Real);
    for (QLineEdit* e : {edRokT_, edRokKrok_, edRokKon_, edSirPas_, edTloPas_, edPocetIntervalu_})
        InstallKeyFilter(e, NumberFilter::Whole);
    for (QLineEdit* e : {edKonstC_, edMocM_, edNavPravd_, edEps_, edRokT_, edRokKrok_, edRokKon_,
                         edSirPas_, edTloPas_, edPocetIntervalu_, edProhlidky_}) {
        e->installEventFilter(this);
        connect(e, &QLineEdit::textChanged, this, [this, e] { fieldChanged(e); });
    }
    for (int k = 1; k <= RandomInputCount; ++k) {
        InputRow& row = rows_[k];
        InstallKeyFilter(row.mi, NumberFilter::Real);
        InstallKeyFilter(row.sigma, NumberFilter::Real);
        InstallKeyFilter(row.n, NumberFilter::Whole);
        for (QLineEdit* e : {row.mi, row.sigma, row.n}) {
            e->installEventFilter(this);
            connect(e, &QLineEdit::textChanged, this, [this, k] { syncRandomFields(k); });
        }
        // Only the user's choice rebuilds; a choice set by the program runs nothing.
        connect(row.source, &QComboBox::activated, this, [this, k] {
            syncRandomFields(k);
            rebuildInput(k);
        });
        connect(row.type, &QComboBox::activated, this, [this, k] {
            InputRow& r = rows_[k];
            const int type = r.type->currentIndex();
            for (const std::optional<Failure>& refused :
                 {ValidateMi(k, S(r.mi->text()), type),
                  ValidateSigma(k, S(r.sigma->text()), type)}) {
                if (!refused) continue;
                // The parameters do not suit the chosen type: the previous type stays.
                r.type->setCurrentIndex(in_.random[k].type);
                ShowFailure(*refused, this);
                return;
            }
            syncRandomFields(k);
            rebuildInput(k);
        });
    }
    // Enter in a drop-down list moves on like Tab, as in the fields.
    for (QComboBox* list : findChildren<QComboBox*>())
        if (tabInput_->isAncestorOf(list)) list->installEventFilter(this);
    connect(cbSireni_, &QComboBox::activated, this, [this](int index) {
        in_.crackOrigin = index;
        resetResults();
        resetInputHistograms();
        updateCrackOriginLabel();
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && qobject_cast<QComboBox*>(watched)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn) {
        if (auto* field = qobject_cast<QLineEdit*>(watched); field && !checkingField_)
            enteredText_.insert(field, field->text());
    }
    if (event->type() == QEvent::FocusOut) {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && !checkingField_ && LeavesField(static_cast<QFocusEvent*>(event)))
            leaveField(field);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::syncRandomFields(int k) {
    const InputRow& row = rows_[k];
    RandomInputFields& f = in_.random[k];
    f.source = row.source->currentIndex() == 1 ? InputSource::RawData : InputSource::Parametric;
    f.type = row.type->currentText().isEmpty() ? -1 : row.type->currentIndex();
    f.mi = S(row.mi->text());
    f.sigma = S(row.sigma->text());
    f.n = S(row.n->text());
}

bool MainWindow::leaveField(QLineEdit* field) {
    checkingField_ = true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{checkingField_};
    const std::string name = S(field->objectName());
    const std::string text = S(field->text());

    for (int k = 1; k <= RandomInputCount; ++k) {
        const InputRow& row = rows_[k];
        if (field != row.mi && field != row.sigma && field != row.n) continue;
        // A raw-data row's fields describe its sample; only another source rebuilds it.
        if (row.source->currentIndex() == 1) return true;
        const int type = row.type->currentIndex();
        const std::optional<Failure> failure = field == row.mi      ? ValidateMi(k, text, type)
                                               : field == row.sigma ? ValidateSigma(k, text, type)
                                                                    : ValidateN(k, text);
        if (failure) {
            // A number that the distribution refuses gives the field back its previous text,
            // so that the row always shows the parameters of the histogram in use.
            const QString before = enteredText_.value(field);
            if (field != row.n && ParseReal(text) && !before.isEmpty() &&
                !(field == row.mi ? ValidateMi(k, S(before), type)
                                  : ValidateSigma(k, S(before), type)))
                field->setText(before);
            ShowFailure(*failure, this);
            return false;
        }
        syncRandomFields(k);
        rebuildInput(k);
        return true;
    }

    if (field == edProhlidky_) {
        const auto years = inspectedYears(true);
        if (const auto* refusal = std::get_if<std::string>(&years)) {
            ShowFailure(ErrorBox(0, *refusal, name), this);
            return false;
        }
        return true;
    }

    const FieldCheck check = CheckInputField(name, text, S(edRokT_->text()), S(edRokKon_->text()));
    if (check.box) ShowFailure(*check.box, this);
    if (!check.accepted) return false;
    if (field == edRokT_) {
        in_.startText = text;
        state_->currentYear = static_cast<int>(ParseWholePrefix(text));
        cbVyber_->setPlaceholderText(field->text());
    } else if (field == edRokKrok_) {
        in_.stepText = text;
    } else if (field == edRokKon_) {
        in_.endText = text;
        state_->currentYear = static_cast<int>(ParseWholePrefix(in_.yearStart));
    } else if (field == edPocetIntervalu_) {
        for (int k = 1; k <= RandomInputCount; ++k)
            rows_[k].n->setText(field->text());
    } else if (field == edTloPas_) {
        in_.tfValue = ParseRealPrefix(text);
    }
    return true;
}

void MainWindow::fieldChanged(QLineEdit* field) {
    const std::string text = S(field->text());
    if (field == edKonstC_) {
        in_.C = text;
        state_->SnReady = false;
        resetResults();
    } else if (field == edMocM_) {
        in_.m = text;
        state_->DeltaSmReady = false;
        resetResults();
    } else if (field == edSirPas_) {
        in_.bf = text;
        resetResults();
    } else if (field == edTloPas_) {
        in_.tf = text;
        resetResults();
    } else if (field == edRokT_ || field == edRokKrok_ || field == edRokKon_) {
        (field == edRokT_      ? in_.yearStart
         : field == edRokKrok_ ? in_.yearStep
                               : in_.yearEnd) = text;
        if (field != edRokKrok_) lastYearField_ = field;
        state_->NnReady = false;
        if (state_->RadReady) hideYearResults();
    } else if (field == edNavPravd_) {
        in_.Pd = text;
        if (state_->RadReady) hideYearResults();
    } else if (field == edProhlidky_) {
        // Checked against the period when the field is left and when a run starts.
        const auto years = inspectedYears(false);
        const auto* accepted = std::get_if<std::vector<int>>(&years);
        in_.inspected = accepted ? *accepted : std::vector<int>{};
        if (state_->RadReady) hideYearResults();
    } else if (field == edEps_ || field == edPocetIntervalu_) {
        (field == edEps_ ? in_.eps : in_.intervals) = text;
        parameterBlock_.TakeMainFields(in_.eps, in_.intervals);
        resetInputHistograms();
        defaultRandomInputs();
    }
}

std::variant<std::vector<int>, std::string> MainWindow::inspectedYears(bool inPeriod) const {
    const QLabel* label = findChild<QLabel*>("Label40");
    const QString name = label ? label->text().remove(':').trimmed() : edProhlidky_->objectName();
    const int first = inPeriod ? static_cast<int>(ParseWholePrefix(S(edRokT_->text()))) : 0;
    const int last = inPeriod ? static_cast<int>(ParseWholePrefix(S(edRokKon_->text()))) : MaxYear;
    return exactplan::ReadInspectedYears(S(edProhlidky_->text()), first, last, S(name));
}

void MainWindow::rebuildInput(int k) {
    resetResults();
    InputRow& row = rows_[k];
    row.chart->setEnabled(false);
    row.setFieldsEnabled(row.source->currentIndex() == 0);
    syncRandomFields(k);
    parameterBlock_.TakeInputRequest(in_.random[k], in_.eps);
    in_.par3 = parameterBlock_.par[2];
    in_.par4 = parameterBlock_.par[3];
    const RebuildOutcome out =
        RebuildInput(k, in_.random[k], in_.eps, in_.par3, in_.par4, state_->inputs);
    parameterBlock_.TakeBuildResult(out);
    for (const Failure& f : out.reports)
        ShowFailure(f, this);
    if (out.status == RebuildOutcome::Status::RawDataRequested) return openRawDataWindow(k);
    if (out.nText) row.n->setText(Q(*out.nText));
    row.chart->setEnabled(state_->inputs.ready[k]);
}

void MainWindow::updateCrackOriginLabel() {
    crackOriginLabel_->setText(Q(tessavin::CaptionText(Caption::Label39)) + " : " +
                               cbSireni_->currentText() + "  ( " + edRokT_->text() + " / " +
                               edRokKrok_->text() + " / " + edRokKon_->text() +
                               " )  INT=" + edPocetIntervalu_->text());
}

// ------------------------------------------------------------------ reactions

void MainWindow::resetResults() {
    ResetResults(*state_);
    bJevU_->setEnabled(false);
    bJevF_->setEnabled(false);
    hideYearResults();
    yearProbabilities_->setCell(0, 0, "p ( U )");
    yearProbabilities_->setCell(0, 1, "p ( D )");
    yearProbabilities_->setCell(0, 2, "p ( F )");
}

void MainWindow::hideYearResults() {
    state_->NnCurrent = state_->SnCurrent = state_->RfUReady = state_->RfFReady = false;
    for (QToolButton* b : {bGN_, bGV_, bJevuUmSn_, bJevuFmSn_})
        b->setEnabled(false);
    for (QWidget* w : {static_cast<QWidget*>(inspectionChart_), static_cast<QWidget*>(lProhl_),
                       static_cast<QWidget*>(lVysledek_), static_cast<QWidget*>(bnUpresnit_),
                       static_cast<QWidget*>(yearBox_), inspectionChartTools_})
        w->hide();
    for (QAction* command : {eventChartsMenu_, workbookItem_, saveProjectItem_})
        command->setEnabled(false);
    // The inspections come from the same years: none stays beside the new inputs.
    clearInspectionChart();
    clearInspectionsPage();
}

void MainWindow::defaultInputSources() {
    const auto defaults = DefaultRandomFields();
    for (int k = 1; k <= RandomInputCount; ++k) {
        rows_[k].source->setCurrentIndex(0);
        rows_[k].type->setCurrentIndex(defaults[k].type);
        syncRandomFields(k);
    }
    ResetResults(*state_);
    for (QToolButton* b : {bGN_, bGV_, bJevU_, bJevF_, bJevuUmSn_, bJevuFmSn_})
        b->setEnabled(false);
    cbVyber_->setPlaceholderText("0");
    for (QWidget* w : {static_cast<QWidget*>(lProhl_), static_cast<QWidget*>(lVysledek_),
                       static_cast<QWidget*>(inspectionChart_), inspectionChartTools_})
        w->hide();
}

void MainWindow::resetInputHistograms() {
    for (int k = 1; k <= RandomInputCount; ++k) {
        rows_[k].chart->setEnabled(false);
        state_->inputs.ready[k] = false;
    }
    inspectionChartTools_->hide();
    defaultInputSources();
    resetResults();
}

void MainWindow::defaultRandomInputs() {
    const auto defaults = DefaultRandomFields();
    for (int k = 1; k <= RandomInputCount; ++k) {
        InputRow& row = rows_[k];
        row.mi->setText(Q(defaults[k].mi));
        row.sigma->setText(Q(defaults[k].sigma));
        row.setFieldsEnabled(true);
        row.n->setText(edPocetIntervalu_->text());
        syncRandomFields(k);
    }
}

void MainWindow::defaultsCommand() {
    if (DefMessageDlg(Q(TextCis(1)), Q(TextCis(50)), BoxKind::Confirmation, BoxButtons::YesNo,
                      this) != BoxYes)
        return;
    setWindowState(Qt::WindowNoState);
    setGeometry(0, 0, 740, 487); // the minimum width of 800 still applies
    move(0, 0);
    const std::pair<QWidget*, QSize> windows[] = {{histogram_.get(), {726, 511}},
                                                  {integration_.get(), {375, 204}},
                                                  {about_.get(), {350, 545}},
                                                  {eventGraph_.get(), {900, 600}},
                                                  {settingsListing_.get(), {500, 355}}};
    for (const auto& [window, size] : windows) {
        window->setWindowState(Qt::WindowNoState);
        window->resize(size); // each window's minimum size still applies
        window->move(0, 0);
    }
    defaultRandomInputs();
    constexpr InputDefaults d = DefaultInputs();
    const std::pair<QLineEdit*, std::string_view> texts[] = {{edPocetIntervalu_, d.intervals},
                                                             {edEps_, d.eps},
                                                             {edKonstC_, d.C},
                                                             {edMocM_, d.m},
                                                             {edRokT_, d.yearStart},
                                                             {edRokKrok_, d.yearStep},
                                                             {edRokKon_, d.yearEnd},
                                                             {edSirPas_, d.bf},
                                                             {edTloPas_, d.tf},
                                                             {edNavPravd_, d.Pd},
                                                             {edProhlidky_, ""}};
    for (const auto& [field, text] : texts)
        field->setText(Q(std::string(text)));
    in_.tfValue = d.tfValue;
    integration_->resetToDefaults();
    // The convention, the method and the plan are settings of the program: a restart must not
    // bring back the ones just reset.
    integration_->saveSettings(paths_.settingsPath);
    in_.startText = d.yearStart;
    in_.stepText = d.yearStep;
    in_.endText = d.yearEnd;
    defaultInputSources();
    for (QAction* command : {eventChartsMenu_, workbookItem_, saveProjectItem_})
        command->setEnabled(false);
    in_.controlPrint = false;
    colourTicks_.tick(true);
    controlPrintTicks_.tick(false);
    boundTicks_.tick(true);
    in_.lowerBound = true;
    switchLanguage(Language::English);
    defaultRandomInputs();
    setWindowState(Qt::WindowNoState);
}

} // namespace tessavin::ui
