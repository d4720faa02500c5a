// The raw data window: its controls, settings, language and closing.
#include "ui/rawdata/raw_data_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "files/settings_file.h"
#include "files/settings_keys.h"
#include "localisation/messages.h"
#include "rawdata/raw_data_view.h"
#include "ui/charts/bar_marks.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/caption_tables.h"
#include "ui/common/interaction.h"
#include "ui/common/key_filters.h"
#include "ui/common/named_label.h"
#include "ui/common/string_grid.h"

namespace tessavin::ui {
namespace {

QToolButton* ToolButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                        const QString& text = {}) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    if (text.isEmpty()) {
        b->setIcon(parent->style()->standardIcon(icon));
        b->setIconSize(QSize(20, 20));
    } else {
        b->setText(text);
    }
    b->setAutoRaise(true);
    return b;
}

QLineEdit* Edit(QWidget* parent, const char* name, int width, bool readOnly = false) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    e->setReadOnly(readOnly);
    return e;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QGroupBox* Group(QWidget* parent, const char* name, const QString& title) {
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(name);
    return g;
}

// A group box whose title does not set its minimum width: the chart box's title carries the
// fitted parameters, whose digits would otherwise widen the window with every file. The whole
// title is the tool tip of the title band.
class ChartBox final : public QGroupBox {
  public:
    explicit ChartBox(QWidget* parent) : QGroupBox(parent) {}
    QSize minimumSizeHint() const override { return QWidget::minimumSizeHint(); }

  protected:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::ToolTip || title().isEmpty()) return QGroupBox::event(e);
        const auto* help = static_cast<QHelpEvent*>(e);
        if (help->pos().y() > contentsRect().top()) return QGroupBox::event(e);
        QToolTip::showText(help->globalPos(), title().trimmed(), this);
        return true;
    }
};

// A small grid of row labels and values that shows all its rows.
StringGrid* ValueGrid(QWidget* parent, const char* name, int rows, const QString& label,
                      const QString& value) {
    auto* g = new StringGrid(name, 2, rows, 0, 1, parent);
    g->fitColumns({label, value});
    g->setFixedHeight(rows * g->verticalHeader()->defaultSectionSize() + 2 * g->frameWidth());
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return g;
}

ChartPanel* SmallChart(QWidget* parent, const char* name) {
    auto* c = new ChartPanel(parent);
    c->setObjectName(name);
    c->setToolbarVisible(false);
    c->setLegendVisible(false);
    return c;
}

} // namespace

RawDataWindow::RawDataWindow()
    : SideWindow(WindowId::RawData, Qt::Window | Qt::WindowStaysOnTopHint) {
    buildControls();
    connectControls();
    applyLanguage(CurrentLanguage());
    resize(1000, 600);
    PrepareForNewSample();
}

RawDataWindow::~RawDataWindow() = default;

void RawDataWindow::buildControls() {
    // Toolbar.
    auto* speedPanel = new QWidget(this);
    speedPanel->setObjectName("SpeedPanel");
    openData_ = ToolButton(speedPanel, "OpenData", QStyle::SP_DialogOpenButton);
    bNovy_ = ToolButton(speedPanel, "BNovy", QStyle::SP_FileIcon);
    bChar_ = ToolButton(speedPanel, "BChar", QStyle::SP_FileIcon, "Char");
    screenshot_ = ToolButton(speedPanel, "SpeedButton1", QStyle::SP_DesktopIcon);
    ulozGraf_ = ToolButton(speedPanel, "UlozGraf", QStyle::SP_DialogSaveButton);
    typHist_ = new QCheckBox("Pure Discrete", speedPanel);
    typHist_->setObjectName("ChB_TypHist");
    closeButton_ = ToolButton(speedPanel, "BitBtn1", QStyle::SP_DialogCloseButton);
    auto* tools = new QHBoxLayout(speedPanel);
    tools->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : std::initializer_list<QWidget*>{openData_, bNovy_, bChar_, screenshot_,
                                                      ulozGraf_, typHist_, closeButton_})
        tools->addWidget(w);
    tools->addStretch(1);

    // Export choice: the pop-up menu of UlozGraf.
    popupMenu2_ = new QMenu(this);
    popupMenu2_->setObjectName("PopupMenu2");
    QMenu* nastaven2 = popupMenu2_->addMenu("&Graf do");
    nastaven2->setObjectName("Nastaven2");
    const std::array<std::pair<const char*, const char*>, 4> items{{{"Schranka", "&Schránky"},
                                                                    {"Bitmapa", "&Bitmapy"},
                                                                    {"Metafile", "&MetaFile"},
                                                                    {"JPGFile", "&JPGFile"}}};
    for (std::size_t i = 0; i < items.size(); ++i) {
        QAction* a = nastaven2->addAction(QString::fromUtf8(items[i].second));
        a->setObjectName(items[i].first);
        a->setCheckable(true);
        a->setChecked(i == 0);
        exportItems_[i] = a;
    }
    ulozGraf_->setContextMenuPolicy(Qt::CustomContextMenu);

    // Data file.
    dataFileBox_ = Group(this, "GroupBox2", "  Data file  ");
    edMin_ = Edit(dataFileBox_, "EdMin", 110);
    edMax_ = Edit(dataFileBox_, "EdMax", 110);
    memoDat_ = new QPlainTextEdit(dataFileBox_);
    memoDat_->setObjectName("MemoDat");
    memoDat_->setReadOnly(true);
    memoDat_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoDat_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* dataLayout = new QGridLayout(dataFileBox_);
    dataLayout->addWidget(new QLabel("Min", dataFileBox_), 0, 0);
    dataLayout->addWidget(edMin_, 0, 1);
    dataLayout->addWidget(new QLabel("Max", dataFileBox_), 1, 0);
    dataLayout->addWidget(edMax_, 1, 1);
    dataLayout->addWidget(memoDat_, 2, 0, 1, 2);
    dataFileBox_->setFixedWidth(200);

    // Raw data.
    rawDataBox_ = Group(this, "GroupBox5", "  Raw data  ");
    edNazev_ = Edit(rawDataBox_, "EdNazev", 190, true);
    sampleValues_ =
        ValueGrid(rawDataBox_, "StringGrid3", 4, "Number of values ", "-1234.56789012345");
    notParamButton_ = Button(rawDataBox_, "Button2", "NotParam");
    sampleChart_ = SmallChart(rawDataBox_, "Chart1Min");
    sampleChart_->setMinimumHeight(110);
    edPocetIntervalu_ = Edit(this, "EdPocetIntervalu", 60);
    auto* rawLayout = new QVBoxLayout(rawDataBox_);
    rawLayout->addWidget(NamedLabel(rawDataBox_, "Label1", "Data file name"));
    rawLayout->addWidget(edNazev_);
    rawLayout->addWidget(sampleValues_);
    rawLayout->addWidget(notParamButton_);
    rawLayout->addWidget(sampleChart_, 1);
    rawLayout->addStretch(0); // takes the chart's place while it is hidden
    auto* intervalRow = new QHBoxLayout;
    intervalRow->addWidget(NamedLabel(this, "Label4", "Intervals"));
    intervalRow->addWidget(edPocetIntervalu_);
    rawLayout->addLayout(intervalRow);
    rawDataBox_->setFixedWidth(260);

    // Parametric histogram.
    parametricBox_ = Group(this, "GroupBox6", " Parametric histogram ");
    edEps_ = Edit(parametricBox_, "EdEps", 110);
    cbTypPara_ = new QComboBox(parametricBox_);
    cbTypPara_->setObjectName("CBTypPara");
    cbTypPara_->setMaxVisibleItems(30);
    buParam_ = Button(parametricBox_, "BuParam", "Param");
    fitCloseness_ = ValueGrid(parametricBox_, "StringGrid4", 1, "Closeness ", "0.999999999999999");
    bTabChar_ = Button(parametricBox_, "BTabChar", "TAB");
    progressBar1_ = new QProgressBar(parametricBox_);
    progressBar1_->setObjectName("ProgressBar1");
    progressBar1_->setTextVisible(false);
    auto* paraLayout = new QGridLayout(parametricBox_);
    paraLayout->addWidget(new QLabel("Eps", parametricBox_), 0, 0);
    paraLayout->addWidget(edEps_, 0, 1);
    paraLayout->addWidget(buParam_, 0, 2);
    paraLayout->addWidget(NamedLabel(parametricBox_, "Label11", "Type (according to closeness)"), 1,
                          0, 1, 3);
    paraLayout->addWidget(cbTypPara_, 2, 0, 1, 2);
    paraLayout->addWidget(bTabChar_, 2, 2);
    paraLayout->addWidget(fitCloseness_, 3, 0, 1, 3);
    paraLayout->addWidget(progressBar1_, 4, 0, 1, 3);

    // Chart.
    chartBox_ = new ChartBox(this);
    chartBox_->setObjectName("GroupBox4");
    histogramChart_ = new ChartPanel(chartBox_);
    histogramChart_->setObjectName("Chart1L");
    marks_ = new BarMarks(histogramChart_);
    cbMarks_ = new QComboBox(chartBox_);
    cbMarks_->setObjectName("CBMarks");
    cbMarks_->addItems({"P(x)", "x", "x & P(x)", "INT ... x", "INT & P(x)"});
    spinEdAngle_ = new QSpinBox(chartBox_);
    spinEdAngle_->setObjectName("SpinEdAngle");
    spinEdAngle_->setRange(0, 360);
    spinEdAngle_->setSingleStep(15);
    spinEdAngle_->setValue(90);
    spinEdAngle_->findChild<QLineEdit*>()->setReadOnly(true); // turned by its arrows only
    dataMarks_ = new QCheckBox("Marks of data", chartBox_);
    dataMarks_->setObjectName("CheckBox1");
    cbValInd_ = new QComboBox(chartBox_);
    cbValInd_->setObjectName("CBValInd");
    cbValInd_->addItems({"Index   f(z)", "Value x"});
    cbValInd_->setCurrentIndex(static_cast<int>(HistogramAxis::Value));
    marksRotationLabel_ = NamedLabel(chartBox_, "Label2", "     rotation");
    marksAngleLabel_ = NamedLabel(chartBox_, "Label3", "Angle of marks");
    shownValues_ = ValueGrid(chartBox_, "StringGrid1", 4, "Median ", "-1234.56789012345");
    for (int r = 0; r < 4; ++r)
        shownValues_->setCell(0, r, QStringList{"Xmin", "Xmax", "Median", "Mode"}[r]);
    shownMoments_ = ValueGrid(chartBox_, "StringGrid6", 3, "Směr.odchylka ", "-1234.56789012345");
    chartTools_ = new QWidget(chartBox_);
    chartTools_->setObjectName("Panel1");
    auto* panelLayout = new QHBoxLayout(chartTools_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(histogramChart_->toolbar());
    histogramChart_->toolbar()->show();
    chartTools_->hide();
    auto* angleLabels = new QVBoxLayout;
    angleLabels->setSpacing(0);
    angleLabels->addWidget(marksAngleLabel_);
    angleLabels->addWidget(marksRotationLabel_);
    auto* marksRow = new QHBoxLayout;
    marksRow->addWidget(dataMarks_);
    marksRow->addWidget(cbMarks_);
    marksRow->addLayout(angleLabels);
    for (QWidget* w : std::initializer_list<QWidget*>{spinEdAngle_, cbValInd_, chartTools_})
        marksRow->addWidget(w);
    marksRow->addStretch(1);
    auto* gridsColumn = new QVBoxLayout;
    gridsColumn->addWidget(shownValues_);
    gridsColumn->addWidget(shownMoments_);
    gridsColumn->addStretch(1);
    auto* chartRow = new QHBoxLayout;
    chartRow->addWidget(histogramChart_, 1);
    chartRow->addLayout(gridsColumn);
    auto* chartLayout = new QVBoxLayout(chartBox_);
    chartLayout->addLayout(marksRow);
    chartLayout->addLayout(chartRow, 1);

    shownClasses_ = new StringGrid("StringGrid2", 3, 2, 1, 0, this);
    shownClasses_->fitColumns({"  INT", "-1234.56789012345", "0.00367647058823529"});
    shownClasses_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // New raw data, over the class table when shown.
    newDataBox_ = Group(this, "GroupBox3", QString());
    newData_ = new QPlainTextEdit(newDataBox_);
    newData_->setObjectName("Memo1");
    newData_->setLineWrapMode(QPlainTextEdit::NoWrap);
    newData_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    newDataCount_ = ValueGrid(newDataBox_, "StringGrid5", 2, "Number of values ", " 100000");
    newDataCount_->setCell(0, 1, "index");
    bSave_ = Button(newDataBox_, "BSave", "&Save  ");
    bcancel_ = Button(newDataBox_, "Bcancel", "C&ancel");
    auto* entryLayout = new QVBoxLayout(newDataBox_);
    entryLayout->addWidget(newData_, 1);
    entryLayout->addWidget(newDataCount_);
    entryLayout->addWidget(bSave_);
    entryLayout->addWidget(bcancel_);

    // The class table and the editor share the right column.
    auto* right = new QVBoxLayout;
    right->addWidget(shownClasses_, 1);
    right->addWidget(newDataBox_, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(rawDataBox_, 1);
    left->addWidget(parametricBox_);
    auto* body = new QHBoxLayout;
    body->addWidget(dataFileBox_);
    body->addLayout(left);
    body->addWidget(chartBox_, 1);
    body->addLayout(right);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->addWidget(speedPanel);
    root->addLayout(body, 1);
}

void RawDataWindow::connectControls() {
    connect(openData_, &QToolButton::clicked, this, &RawDataWindow::OpenDataClick);
    connect(bNovy_, &QToolButton::clicked, this, &RawDataWindow::BNovyClick);
    connect(bChar_, &QToolButton::clicked, this, &RawDataWindow::BCharClick);
    connect(screenshot_, &QToolButton::clicked, this, &RawDataWindow::SpeedButton1Click);
    connect(ulozGraf_, &QToolButton::clicked, this, &RawDataWindow::UlozGrafClick);
    connect(ulozGraf_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popupMenu2_->popup(ulozGraf_->mapToGlobal(at)); });
    for (QAction* item : exportItems_)
        connect(item, &QAction::triggered, this, [this, item] { exportChoiceClicked(item); });
    connect(typHist_, &QCheckBox::clicked, this, &RawDataWindow::Button2Click);
    connect(closeButton_, &QToolButton::clicked, this, &RawDataWindow::BitBtn1Click);
    connect(notParamButton_, &QPushButton::clicked, this, &RawDataWindow::Button2Click);
    connect(buParam_, &QPushButton::clicked, this, &RawDataWindow::BuParamClick);
    connect(bTabChar_, &QPushButton::clicked, this, &RawDataWindow::tableRequested);
    connect(cbTypPara_, &QComboBox::activated, this, &RawDataWindow::ShowCandidate);
    connect(bSave_, &QPushButton::clicked, this, &RawDataWindow::BSaveClick);
    connect(bcancel_, &QPushButton::clicked, newDataBox_, &QWidget::hide);
    connect(newData_, &QPlainTextEdit::textChanged, this, [this] {
        newDataCount_->setCell(1, 1, QString());
        newDataCount_->setCell(1, 0,
                               " " + QString::number(static_cast<int>(
                                         EditorLines(S(newData_->toPlainText())).size())));
    });
    connect(newData_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        newDataCount_->setCell(1, 1, " " + QString::number(newData_->textCursor().blockNumber()));
    });
    connect(dataMarks_, &QCheckBox::clicked, this, [this] {
        // The range again from the class values shown, then the chart with or without marks.
        const double x1 = shownValues_->cell(1, 0).trimmed().toDouble();
        const double xn = shownValues_->cell(1, 1).trimmed().toDouble();
        if (histogramKind() == HistogramKind::Discrete) {
            shown_.Min = x1 - shown_.Step / 2;
            shown_.Max = xn + shown_.Step / 2;
        } else {
            shown_.Min = x1;
            shown_.Max = xn;
        }
        DrawShownHistogram();
    });
    connect(cbMarks_, &QComboBox::activated, this, [this] {
        if (dataMarks_->isChecked()) DrawShownHistogram();
    });
    connect(spinEdAngle_, &QSpinBox::valueChanged, this, [this] {
        if (!dataMarks_->isChecked()) return runMarks();
        dataMarks_->setChecked(false);
        DrawShownHistogram();
    });
    connect(cbValInd_, &QComboBox::activated, this, [this](int index) {
        emit axisModeChanged(index);
        DrawShownHistogram();
    });
    for (QLineEdit* e : {edMin_, edMax_, edEps_, edPocetIntervalu_}) {
        e->installEventFilter(this);
        connect(e, &QLineEdit::textEdited, this, &RawDataWindow::fieldChanged);
    }
    InstallKeyFilter(edMin_, NumberFilter::RangeReal);
    InstallKeyFilter(edMax_, NumberFilter::RangeReal);
    InstallKeyFilter(edEps_, NumberFilter::EpsReal);
    InstallKeyFilter(edPocetIntervalu_, NumberFilter::Digits);
    // The information boxes of the grids.
    connect(shownValues_, &QTableWidget::cellClicked, this, [this] {
        DefMessageDlg(Q(TextCis(1)), Q(TextCis(214)), BoxKind::Information, BoxButtons::Ok, this);
    });
    connect(sampleValues_, &QTableWidget::cellClicked, this, [this] {
        DefMessageDlg(Q(TextCis(1)), Q(TextCis(215)), BoxKind::Information, BoxButtons::Ok, this);
    });
    connect(shownMoments_, &QTableWidget::cellClicked, this, [this] {
        const QString text = bTabChar_->isEnabled()
                                 ? Q(FormatMessage(TextCis(161), S(cbTypPara_->currentText())))
                                 : Q(TextCis(160));
        DefMessageDlg(Q(TextCis(79)), text, BoxKind::Information, BoxButtons::Ok, this);
    });
}

void RawDataWindow::openForInput(int k, const QString& mainEps, const QString& intervals) {
    k_ = k;
    mainEps_ = mainEps;
    PrepareForNewSample();
    show();
    const QSignalBlocker blockEps(edEps_);
    const QSignalBlocker blockN(edPocetIntervalu_);
    edEps_->setText(mainEps);
    edPocetIntervalu_->setText(intervals);
    savedEps_ = mainEps;
    activateWindow();
}

void RawDataWindow::setFolders(const QString& rawDataDir, const QString& startDir) {
    rawDataDir_ = rawDataDir;
    startDir_ = startDir;
}

void RawDataWindow::setColourHighlighting(bool on) {
    highlight_ = on;
    HighlightHistogramTable(*shownClasses_, on);
}

void RawDataWindow::setToolbarWanted(bool on) {
    toolbarWanted_ = on;
    updatePanel1();
}

void RawDataWindow::setAxisMode(int index) {
    const QSignalBlocker block(cbValInd_);
    cbValInd_->setCurrentIndex(index);
}

void RawDataWindow::languageApplied(Language language) {
    // The layout step of both languages: the value item as the histogram window names it, the
    // axis titles of the chart in the language applied.
    cbValInd_->setItemText(static_cast<int>(HistogramAxis::Value), "Value x");
    const Language before = CurrentLanguage();
    SetLanguage(language);
    histogramChart_->setAxisTitle("left", Q(TextCis(257)));
    histogramChart_->setAxisTitle("bottom", Q(TextCis(258)));
    if (histogramChart_->isVisible()) DrawShownHistogram();
    SetLanguage(before);
}

void RawDataWindow::readOwnSettings(const SettingsFile& file) {
    for (const SettingKey& k : settingKeys()) {
        if (k.target == "EdEps") edEps_->setText(Q(file.GetString(k)));
        if (k.target == "EdPocetIntervalu") edPocetIntervalu_->setText(Q(file.GetString(k)));
    }
}

void RawDataWindow::writeOwnSettings(SettingsFile& file) const {
    for (const SettingKey& k : settingKeys()) {
        if (k.target == "EdEps") file.SetString(k, S(edEps_->text()));
        if (k.target == "EdPocetIntervalu") file.SetString(k, S(edPocetIntervalu_->text()));
    }
}

bool RawDataWindow::hasSample() const {
    return sample_.has_value() && !edNazev_->text().isEmpty() &&
           !sampleValues_->cell(1, 0).trimmed().isEmpty();
}

DiscreteHistogram RawDataWindow::shownAsInput() const {
    DiscreteHistogram h;
    h.P = shown_.P;
    h.XFirst = shownValues_->cell(1, 0).trimmed().toDouble();
    h.XLast = shownValues_->cell(1, 1).trimmed().toDouble();
    h.Bins = shown_.Bins;
    // The step between the class values shown: for Pure Discrete the classes sit on the range
    // ends, and the range's own step would put the last class beyond XLast.
    h.Step = h.Bins > 1 ? (h.XLast - h.XFirst) / (h.Bins - 1) : shown_.Step;
    h.Total = static_cast<double>(shown_.Total);
    return h;
}

void RawDataWindow::BitBtn1Click() {
    close();
}

void RawDataWindow::closing() {
    const bool withSample = hasSample();
    emit closedForInput(k_, withSample, withSample ? shownAsInput() : DiscreteHistogram{});
}

void RawDataWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updatePanel1();
}

void RawDataWindow::updatePanel1() {
    const QScreen* s = screen();
    const bool wide = s && frameGeometry().width() >= s->availableGeometry().width();
    chartTools_->setVisible(wide && toolbarWanted_ && shownValues_->isVisible());
}

} // namespace tessavin::ui
