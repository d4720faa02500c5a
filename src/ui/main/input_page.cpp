#include "ui/main/input_page.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "calculation/field_checks.h"
#include "common/number_parse.h"
#include "exactplan/inspected_years.h"
#include "files/project_file.h"
#include "localisation/caption_table.h"
#include "localisation/captions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "parametric/distribution_catalogue.h"
#include "ui/common/interaction.h"
#include "ui/common/key_filters.h"
#include "ui/common/named_label.h"
#include "ui/main/main_texts.h"

namespace tessavin::ui {
namespace {

QLineEdit* NamedEdit(QWidget* parent, const char* name, const std::string& text, int width = 80) {
    auto* e = new QLineEdit(Q(text), parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    return e;
}

// Row labels of the six inputs.
constexpr const char* kRowLabels[RandomInputCount + 1] = {"",        "Label3", "Label5", "Label11",
                                                          "Label12", "Label6", "Label13"};

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

void InputPage::Row::setFieldsEnabled(bool enabled) const {
    for (QWidget* w : {static_cast<QWidget*>(type), static_cast<QWidget*>(mi),
                       static_cast<QWidget*>(sigma), static_cast<QWidget*>(n)})
        w->setEnabled(enabled);
}

InputPage::InputPage(CalculationInputs& in, CalculationState& state, ParameterBlock& block,
                     QTabWidget* pages)
    : in_(in), state_(state), block_(block) {
    setObjectName("TabSheet1");
    // A tab first, so that the controls are made as they will be shown: inside the window, with
    // its font and style. The tab's text comes with the language.
    pages->addTab(this, QString());
    // The fields start with their design texts; the settings then write the stored texts,
    // and the reactions run for every text that differs from its design text.
    in_.yearStart = "50";
    in_.yearStep = "5";
    in_.yearEnd = "50";
    in_.eps = "1E-7";
    in_.intervals = "10";
    for (int k = 1; k <= RandomInputCount; ++k)
        in_.random[k].n = "32";

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(4);
    buildFields();
    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    column->addWidget(separator);
    buildRows();
    column->addStretch(1);
    setEnterOrder();
    connectFields();
}

// Deterministic inputs: two columns of label and field.
void InputPage::buildFields() {
    crackOrigin_ = new QComboBox(this);
    crackOrigin_->setObjectName("CBSireni");
    crackOrigin_->addItems({Q(CrackOriginText(0)), Q(CrackOriginText(1))});
    startYear_ = NamedEdit(this, "EdRokT", in_.yearStart, 36);
    yearStep_ = NamedEdit(this, "EdRokKrok", in_.yearStep, 36);
    endYear_ = NamedEdit(this, "EdRokKon", in_.yearEnd, 36);
    designProbability_ = NamedEdit(this, "EdNavPravd", in_.Pd);
    flangeWidth_ = NamedEdit(this, "EdSirPas", in_.bf);
    flangeThickness_ = NamedEdit(this, "EdTloPas", in_.tf);
    materialC_ = NamedEdit(this, "EdKonstC", in_.C);
    materialM_ = NamedEdit(this, "EdMocM", in_.m);
    eps_ = NamedEdit(this, "EdEps", in_.eps);
    intervals_ = NamedEdit(this, "EdPocetIntervalu", in_.intervals);
    pastInspections_ = NamedEdit(this, "EdProhlidky", "", 36 * 3 + 2 * 12);
    crackOrigin_->setFixedWidth(36 * 3 + 2 * 12);

    auto* years = new QHBoxLayout;
    years->setSpacing(2);
    years->addWidget(startYear_);
    years->addWidget(NamedLabel(this, "LLomitko1"));
    years->addWidget(yearStep_);
    years->addWidget(NamedLabel(this, "LLomitko2"));
    years->addWidget(endYear_);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    fields->setVerticalSpacing(2);
    auto label = [this](const char* name) {
        QLabel* l = NamedLabel(this, name);
        l->setWordWrap(true);
        return l;
    };
    // Left: the crack origin, the period, the flange and the past inspections; right: pd, the
    // material and the two parameters of the input histograms.
    const std::pair<const char*, QWidget*> left[] = {{"Label39", crackOrigin_},
                                                     {"Label4", nullptr}, // the period's three
                                                     {"Label16", flangeWidth_},
                                                     {"Label17", flangeThickness_},
                                                     {"Label40", pastInspections_}};
    const std::pair<const char*, QWidget*> right[] = {{"Label38", designProbability_},
                                                      {"Label2", materialC_},
                                                      {"Label1", materialM_},
                                                      {"Label14", intervals_},
                                                      {"Label29", eps_}};
    for (int r = 0; r < 5; ++r) {
        fields->addWidget(label(left[r].first), r, 0);
        if (left[r].second)
            fields->addWidget(left[r].second, r, 1);
        else
            fields->addLayout(years, r, 1, Qt::AlignLeft);
    }
    for (int r = 0; r < 5; ++r) {
        fields->addWidget(label(right[r].first), r, 3);
        fields->addWidget(right[r].second, r, 4);
    }
    fields->setColumnStretch(0, 1);
    fields->setColumnMinimumWidth(2, 12);
    fields->setColumnStretch(3, 1);
    AddBlock(static_cast<QVBoxLayout*>(layout()), fields, MaxFieldsWidth);
}

// Random inputs: headings, then one row per input.
void InputPage::buildRows() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->addWidget(NamedLabel(this, "Label10"), 0, 1, Qt::AlignHCenter);
    grid->addWidget(NamedLabel(this, "Label9"), 0, 2, Qt::AlignHCenter);
    grid->addWidget(NamedLabel(this, "Label8"), 0, 3, Qt::AlignHCenter);
    grid->addWidget(NamedLabel(this, "Label7"), 0, 4, Qt::AlignHCenter);
    grid->addWidget(NamedLabel(this, "Label37"), 0, 5, Qt::AlignHCenter);
    for (int k = 1; k <= RandomInputCount; ++k) {
        const RandomInputControls& c = InputControls(k);
        Row& row = rows_[k];
        row.source = new QComboBox(this);
        row.source->setObjectName(c.source);
        // Parametric, raw data: the texts come with the language. The input types have their
        // names from the start: the settings' field reactions read the chosen type's text.
        row.source->addItems({QString(), QString()});
        row.source->setFixedWidth(104);
        row.type = new QComboBox(this);
        row.type->setObjectName(c.type);
        for (int t = 0; t < InputTypeCount(); ++t)
            row.type->addItem(Q(DistributionName(t)));
        row.type->setFixedWidth(112);
        row.mi = NamedEdit(this, c.mi, in_.random[k].mi, 62);
        row.sigma = NamedEdit(this, c.sigma, in_.random[k].sigma, 62);
        row.n = NamedEdit(this, c.n, in_.random[k].n, 48);
        row.chart = new QToolButton(this);
        row.chart->setObjectName(c.chartButton);
        row.chart->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
        row.chart->setFixedSize(21, 21);
        row.chart->setEnabled(false);
        row.type->setCurrentIndex(in_.random[k].type);
        QLabel* name = NamedLabel(this, kRowLabels[k]);
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
    AddBlock(static_cast<QVBoxLayout*>(layout()), grid, MaxRowsWidth);
}

// Enter moves on in this order (Tab too).
void InputPage::setEnterOrder() {
    QWidget* order[] = {crackOrigin_, startYear_,         yearStep_,    endYear_,
                        eps_,         designProbability_, flangeWidth_, flangeThickness_,
                        intervals_,   materialC_,         materialM_,   pastInspections_};
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
}

QWidget* InputPage::lastInOrder() const {
    return rows_[RandomInputCount].n;
}

void InputPage::connectFields() {
    for (QLineEdit* e : {materialC_, materialM_, designProbability_, eps_})
        InstallKeyFilter(e, NumberFilter::Real);
    for (QLineEdit* e :
         {startYear_, yearStep_, endYear_, flangeWidth_, flangeThickness_, intervals_})
        InstallKeyFilter(e, NumberFilter::Whole);
    for (QLineEdit* e : {materialC_, materialM_, designProbability_, eps_, startYear_, yearStep_,
                         endYear_, flangeWidth_, flangeThickness_, intervals_, pastInspections_}) {
        e->installEventFilter(this);
        connect(e, &QLineEdit::textChanged, this, [this, e] { fieldChanged(e); });
    }
    for (int k = 1; k <= RandomInputCount; ++k)
        connectRow(k);
    // Enter in a drop-down list moves on like Tab, as in the fields.
    for (QComboBox* list : findChildren<QComboBox*>())
        list->installEventFilter(this);
    connect(crackOrigin_, &QComboBox::activated, this, [this](int index) {
        in_.crackOrigin = index;
        emit crackOriginChosen();
    });
}

void InputPage::connectRow(int k) {
    Row& row = rows_[k];
    InstallKeyFilter(row.mi, NumberFilter::Real);
    InstallKeyFilter(row.sigma, NumberFilter::Real);
    InstallKeyFilter(row.n, NumberFilter::Whole);
    for (QLineEdit* e : {row.mi, row.sigma, row.n}) {
        e->installEventFilter(this);
        connect(e, &QLineEdit::textChanged, this, [this, k] { syncRow(k); });
    }
    // Only the user's choice rebuilds; a choice set by the program runs nothing.
    connect(row.source, &QComboBox::activated, this, [this, k] {
        syncRow(k);
        rebuildInput(k);
    });
    connect(row.type, &QComboBox::activated, this, [this, k] {
        Row& r = rows_[k];
        const int type = r.type->currentIndex();
        for (const std::optional<Failure>& refused :
             {ValidateMi(k, S(r.mi->text()), type), ValidateSigma(k, S(r.sigma->text()), type)}) {
            if (!refused) continue;
            // The parameters do not suit the chosen type: the previous type stays.
            r.type->setCurrentIndex(in_.random[k].type);
            ShowFailure(*refused, window());
            return;
        }
        syncRow(k);
        rebuildInput(k);
    });
    connect(row.chart, &QToolButton::clicked, this, [this, k] { emit histogramRequested(k); });
}

bool InputPage::eventFilter(QObject* watched, QEvent* event) {
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
    return QWidget::eventFilter(watched, event);
}

void InputPage::syncRow(int k) {
    const Row& row = rows_[k];
    RandomInputFields& f = in_.random[k];
    f.source = row.source->currentIndex() == 1 ? InputSource::RawData : InputSource::Parametric;
    f.type = row.type->currentText().isEmpty() ? -1 : row.type->currentIndex();
    f.mi = S(row.mi->text());
    f.sigma = S(row.sigma->text());
    f.n = S(row.n->text());
}

bool InputPage::leaveField(QLineEdit* field) {
    checkingField_ = true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{checkingField_};
    const std::string name = S(field->objectName());
    const std::string text = S(field->text());

    for (int k = 1; k <= RandomInputCount; ++k) {
        const Row& row = rows_[k];
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
            ShowFailure(*failure, window());
            return false;
        }
        syncRow(k);
        rebuildInput(k);
        return true;
    }

    if (field == pastInspections_) {
        const auto years = inspectedYears(true);
        if (const auto* refusal = std::get_if<std::string>(&years)) {
            ShowFailure(ErrorBox(0, *refusal, name), window());
            return false;
        }
        return true;
    }

    const FieldCheck check =
        CheckInputField(name, text, S(startYear_->text()), S(endYear_->text()));
    if (check.box) ShowFailure(*check.box, window());
    if (!check.accepted) return false;
    if (field == startYear_) {
        in_.startText = text;
        state_.currentYear = static_cast<int>(ParseWholePrefix(text));
        emit startYearAccepted(field->text());
    } else if (field == yearStep_) {
        in_.stepText = text;
    } else if (field == endYear_) {
        in_.endText = text;
        state_.currentYear = static_cast<int>(ParseWholePrefix(in_.yearStart));
    } else if (field == intervals_) {
        for (int k = 1; k <= RandomInputCount; ++k)
            rows_[k].n->setText(field->text());
    } else if (field == flangeThickness_) {
        in_.tfValue = ParseRealPrefix(text);
    }
    return true;
}

bool InputPage::acceptedForRun() {
    // A start after the end is refused on the year field changed last.
    QLineEdit* first = lastYearField_ ? lastYearField_ : endYear_;
    QLineEdit* second = first == startYear_ ? endYear_ : startYear_;
    for (QLineEdit* field : {first, second, yearStep_})
        if (!leaveField(field)) return false;
    // A parameter that the distribution refuses is refused on its field.
    for (int k = 1; k <= RandomInputCount; ++k) {
        const Row& row = rows_[k];
        if (row.source->currentIndex() != 0) continue;
        const int type = row.type->currentIndex();
        for (const std::optional<Failure>& refused :
             {ValidateMi(k, S(row.mi->text()), type), ValidateSigma(k, S(row.sigma->text()), type),
              ValidateN(k, S(row.n->text()))}) {
            if (!refused) continue;
            ShowFailure(*refused, window());
            return false;
        }
    }
    return leaveField(pastInspections_);
}

bool InputPage::histogramFieldsAccepted() {
    for (QLineEdit* field : {intervals_, eps_})
        if (!leaveField(field)) return false;
    return true;
}

void InputPage::fieldChanged(QLineEdit* field) {
    const std::string text = S(field->text());
    if (field == materialC_) {
        in_.C = text;
        state_.SnReady = false;
        emit resultsStale();
    } else if (field == materialM_) {
        in_.m = text;
        state_.DeltaSmReady = false;
        emit resultsStale();
    } else if (field == flangeWidth_) {
        in_.bf = text;
        emit resultsStale();
    } else if (field == flangeThickness_) {
        in_.tf = text;
        emit resultsStale();
    } else if (field == startYear_ || field == yearStep_ || field == endYear_) {
        (field == startYear_  ? in_.yearStart
         : field == yearStep_ ? in_.yearStep
                              : in_.yearEnd) = text;
        if (field != yearStep_) lastYearField_ = field;
        state_.NnReady = false;
        emit yearResultsStale();
    } else if (field == designProbability_) {
        in_.Pd = text;
        emit yearResultsStale();
    } else if (field == pastInspections_) {
        // Checked against the period when the field is left and when a run starts.
        const auto years = inspectedYears(false);
        const auto* accepted = std::get_if<std::vector<int>>(&years);
        in_.inspected = accepted ? *accepted : std::vector<int>{};
        emit yearResultsStale();
    } else if (field == eps_ || field == intervals_) {
        (field == eps_ ? in_.eps : in_.intervals) = text;
        block_.TakeMainFields(in_.eps, in_.intervals);
        emit inputHistogramsStale();
        defaultRandomInputs();
    }
}

std::variant<std::vector<int>, std::string> InputPage::inspectedYears(bool inPeriod) const {
    const QLabel* label = findChild<QLabel*>("Label40");
    const QString name =
        label ? label->text().remove(':').trimmed() : pastInspections_->objectName();
    const int first = inPeriod ? static_cast<int>(ParseWholePrefix(S(startYear_->text()))) : 0;
    const int last = inPeriod ? static_cast<int>(ParseWholePrefix(S(endYear_->text()))) : MaxYear;
    return exactplan::ReadInspectedYears(S(pastInspections_->text()), first, last, S(name));
}

void InputPage::rebuildInput(int k) {
    emit resultsStale();
    Row& row = rows_[k];
    row.chart->setEnabled(false);
    row.setFieldsEnabled(row.source->currentIndex() == 0);
    syncRow(k);
    block_.TakeInputRequest(in_.random[k], in_.eps);
    in_.par3 = block_.par[2];
    in_.par4 = block_.par[3];
    const RebuildOutcome out =
        RebuildInput(k, in_.random[k], in_.eps, in_.par3, in_.par4, state_.inputs);
    block_.TakeBuildResult(out);
    for (const Failure& f : out.reports)
        ShowFailure(f, window());
    if (out.status == RebuildOutcome::Status::RawDataRequested) return emit rawDataRequested(k);
    if (out.nText) row.n->setText(Q(*out.nText));
    row.chart->setEnabled(state_.inputs.ready[k]);
}

void InputPage::showRebuilt(int k, const std::optional<std::string>& nText) {
    Row& row = rows_[k];
    if (nText) row.n->setText(Q(*nText));
    row.chart->setEnabled(state_.inputs.ready[k]);
    row.setFieldsEnabled(row.source->currentIndex() == 0);
}

void InputPage::showZeroStep() {
    yearStep_->setText("0");
}

void InputPage::takeRawData(int k, bool withSample, const DiscreteHistogram& histogram) {
    if (k < 1 || k > RandomInputCount) return;
    Row& row = rows_[k];
    if (withSample) {
        state_.inputs.histogram[k] = histogram;
        state_.inputs.ready[k] = true;
        row.type->setCurrentIndex(-1);
        row.mi->clear();
        row.sigma->clear();
        row.n->setText(QString::number(histogram.Bins));
        syncRow(k);
        row.chart->setEnabled(true);
    } else {
        // Without a sample the input is parametric again, built from its fields.
        row.source->setCurrentIndex(0);
        syncRow(k);
        rebuildInput(k);
    }
}

void InputPage::clearInputHistograms() {
    for (int k = 1; k <= RandomInputCount; ++k) {
        rows_[k].chart->setEnabled(false);
        state_.inputs.ready[k] = false;
    }
}

void InputPage::defaultSources() {
    const auto defaults = DefaultRandomFields();
    for (int k = 1; k <= RandomInputCount; ++k) {
        rows_[k].source->setCurrentIndex(0);
        rows_[k].type->setCurrentIndex(defaults[k].type);
        syncRow(k);
    }
}

void InputPage::defaultRandomInputs() {
    const auto defaults = DefaultRandomFields();
    for (int k = 1; k <= RandomInputCount; ++k) {
        Row& row = rows_[k];
        row.mi->setText(Q(defaults[k].mi));
        row.sigma->setText(Q(defaults[k].sigma));
        row.setFieldsEnabled(true);
        row.n->setText(intervals_->text());
        syncRow(k);
    }
}

void InputPage::defaultTexts() {
    constexpr InputDefaults d = DefaultInputs();
    const std::pair<QLineEdit*, std::string_view> texts[] = {
        {intervals_, d.intervals}, {eps_, d.eps},
        {materialC_, d.C},         {materialM_, d.m},
        {startYear_, d.yearStart}, {yearStep_, d.yearStep},
        {endYear_, d.yearEnd},     {flangeWidth_, d.bf},
        {flangeThickness_, d.tf},  {designProbability_, d.Pd},
        {pastInspections_, ""}};
    for (const auto& [field, text] : texts)
        field->setText(Q(std::string(text)));
}

void InputPage::enableInputCharts() {
    for (int k = 1; k <= RandomInputCount; ++k)
        rows_[k].chart->setEnabled(true);
}

// The controls in file order; setting a text runs its change reaction, a choice set by the
// program runs none.
void InputPage::showProject(const ProjectData& p) {
    crackOrigin_->setCurrentIndex(p.crackOrigin);
    startYear_->setText(QString::number(p.start));
    yearStep_->setText(QString::number(p.step));
    endYear_->setText(QString::number(p.end));
    const std::pair<QLineEdit*, const std::string*> fields[] = {
        {designProbability_, &p.Pd}, {flangeWidth_, &p.bf}, {materialC_, &p.C},
        {flangeThickness_, &p.tf},   {materialM_, &p.m},    {eps_, &p.eps},
        {intervals_, &p.intervals}};
    for (const auto& [field, text] : fields)
        field->setText(Q(*text));
    pastInspections_->setText(Q(exactplan::InspectedYearsText(p.inspected)));
    for (int k = 1; k <= RandomInputCount; ++k) {
        Row& row = rows_[k];
        row.mi->setText(Q(p.random[k].mi));
        row.sigma->setText(Q(p.random[k].sigma));
        row.n->setText(Q(p.random[k].n));
        row.source->setCurrentIndex(static_cast<int>(p.random[k].source));
        row.type->setCurrentIndex(p.random[k].type);
        row.setFieldsEnabled(p.random[k].source == InputSource::Parametric);
    }
}

void InputPage::applyLanguage() {
    // The results page has a separator line of the same objectName, which the window's caption
    // table reaches first: the page gives its label the table's text itself.
    if (const CaptionAssignment* entry =
            FindCaption(MainWindowTable, "Label40", CaptionKind::Caption))
        findChild<QLabel*>("Label40")->setText(Q(ComposeText(*entry, CurrentLanguage())));
}

int InputPage::crackOrigin() const {
    return crackOrigin_->currentIndex();
}

void InputPage::setCrackOrigin(int index) {
    crackOrigin_->setCurrentIndex(index);
}

QString InputPage::crackOriginText() const {
    return crackOrigin_->currentText();
}

QString InputPage::summaryLine() const {
    return Q(CaptionText(Caption::Label39)) + " : " + crackOrigin_->currentText() + "  ( " +
           startYear_->text() + " / " + yearStep_->text() + " / " + endYear_->text() + " )  " +
           MainPiece("IntervalsSymbol") + "=" + intervals_->text();
}

QString InputPage::inputDescription(int k) const {
    const Row& row = rows_[k];
    if (row.source->currentIndex() != 0) return Q(RawDataHistogramSubtitle());
    return Q(TextCis(msg::ParametricDistribution)) + " : " + row.type->currentText() +
           "  F ( x |  Mi=" + row.mi->text() + " , Sigma=" + row.sigma->text();
}

} // namespace tessavin::ui
