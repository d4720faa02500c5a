#include "ui/rawdata/suitable_histograms_window.h"

#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStyle>
#include <QVBoxLayout>

#include "files/settings_file.h"
#include "files/settings_keys.h"
#include "localisation/messages.h"
#include "rawdata/candidate_view.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/caption_tables.h"
#include "ui/common/interaction.h"
#include "ui/common/named_label.h"
#include "ui/common/string_grid.h"

namespace tessavin::ui {
namespace {

const QColor SampleBarColour(0x00, 0x00, 0x80); // navy
const QColor DrawnBarColour(0xA6, 0xCA, 0xF0);  // sky blue
const QString Bars = QStringLiteral("Series1");

// The columns of the two grids: the row number, then grid column c shows field c - 1 of a
// characteristics row. The sample's grid shows the characteristics, the candidates' grid the
// characteristics and the candidate's parameters.
constexpr int RowNumberWidth = 28;
constexpr int CharacteristicColumns = 10; // type, closeness, median … kurtosis
constexpr int CharacteristicWidth = 100;
constexpr int ParametersWidth = 410;
constexpr int SampleColumns = 1 + CharacteristicColumns;
constexpr int TableColumns = SampleColumns + 1;
// The goodness-of-fit columns follow the parameters, one per GoodnessKey in its order.
constexpr int GoodnessColumn = TableColumns;
constexpr int GridColumns = GoodnessColumn + GoodnessKeyCount;
// The sort keys (CBTypVyberu: none, then one a characteristic) and the references of closeness
// (CBVyber); their texts come from the caption table.
// The goodness-of-fit keys follow the characteristics in the order of GoodnessKey.
constexpr int GoodnessSortKey = KeyKurtosis + 1;
constexpr int SortKeyCount = GoodnessSortKey + GoodnessKeyCount;
constexpr int ReferenceCount = 2;
constexpr int MomentWidth = 150; // the sample's mean, deviation and skewness

// A small chart of class bars: no title, legend, axes, toolbar or mouse reaction.
ChartPanel* MakeSmallChart(QWidget* parent, const char* name, const QColor& colour) {
    auto* chart = new ChartPanel(parent);
    chart->setObjectName(name);
    chart->addSeries(Bars, ChartPanel::SeriesType::Bar, colour);
    chart->setLegendVisible(false);
    chart->setToolbarVisible(false);
    for (QAbstractAxis* axis : chart->chart()->axes())
        axis->setVisible(false);
    chart->chart()->setMargins(QMargins(0, 0, 0, 0));
    chart->setAttribute(Qt::WA_TransparentForMouseEvents);
    chart->setFixedSize(260, 130);
    return chart;
}

// Grid heights for a number of rows without a scroll bar.
void FitRows(StringGrid* grid, int rows) {
    grid->setFixedHeight(rows * grid->verticalHeader()->defaultSectionSize() +
                         2 * grid->frameWidth() +
                         grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

QString RowNumber(int p) {
    return p < 10 ? "  " + QString::number(p) : QString::number(p);
}

} // namespace

SuitableHistogramsWindow::SuitableHistogramsWindow(QWidget* rawDataWindow,
                                                   const QString& settingsPath)
    : SideWindow(WindowId::SuitableHistograms, Qt::Window | Qt::WindowStaysOnTopHint),
      rawDataWindow_(rawDataWindow), settingsPath_(settingsPath) {
    setMinimumSize(SuitableMinWidth, SuitableMinHeight);

    // The sample's moments and the two small charts.
    moments_ = new StringGrid("SGCharPDZ", 4, 2, 1, 1, this);
    moments_->setColumnWidths({RowNumberWidth, MomentWidth, MomentWidth, MomentWidth});
    moments_->setFixedWidth(RowNumberWidth + 3 * MomentWidth + 2 * moments_->frameWidth() + 4);
    FitRows(moments_, 2);
    sampleChart_ = MakeSmallChart(this, "Chart1", SampleBarColour);
    drawnChart_ = MakeSmallChart(this, "Chart2", DrawnBarColour);
    drawnChart_->hide();
    auto* momentsBox = new QVBoxLayout;
    momentsBox->addWidget(NamedLabel(this, "Label4"));
    momentsBox->addWidget(moments_);
    momentsBox->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(momentsBox);
    top->addStretch(1);
    top->addWidget(sampleChart_);
    top->addWidget(drawnChart_);

    // The sample's histogram, then the candidates.
    sample_ = new StringGrid("SGCharPD", SampleColumns, 2, 1, 1, this);
    FitRows(sample_, 2);
    grid_ = new StringGrid("SGChar", GridColumns, SuitableShownRows + 1, 1, 1, this);
    for (StringGrid* g : {sample_, grid_}) {
        g->setColumnWidth(0, RowNumberWidth);
        for (int c = 1; c <= CharacteristicColumns; ++c)
            g->setColumnWidth(c, CharacteristicWidth);
    }
    grid_->setColumnWidth(TableColumns - 1, ParametersWidth);
    for (int c = GoodnessColumn; c < GridColumns; ++c)
        grid_->setColumnWidth(c, CharacteristicWidth);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // A thin header strip above the heading row: its column borders can be dragged.
    QHeaderView* strip = grid_->horizontalHeader();
    grid_->setHorizontalHeaderLabels(QStringList(GridColumns, QString()));
    strip->setSectionResizeMode(QHeaderView::Interactive);
    strip->setFixedHeight(6);
    strip->show();
    for (int p = 1; p <= SuitableShownRows; ++p)
        grid_->setCell(0, p, RowNumber(p));

    sortKey_ = new QComboBox(this);
    sortKey_->setObjectName("CBTypVyberu");
    sortKey_->addItems(QStringList(SortKeyCount, QString()));
    reference_ = new QComboBox(this);
    reference_->setObjectName("CBVyber");
    reference_->setEditable(true); // shows the name of the selected candidate too
    reference_->lineEdit()->setReadOnly(true);
    reference_->addItems(QStringList(ReferenceCount, QString()));
    reference_->setMinimumContentsLength(22);
    reference_->hide();
    removal_ = new QCheckBox(this);
    removal_->setObjectName("ChBVymazRadkuTab");
    removal_->hide();
    goodness_ = new GoodnessPanel(this);
    auto* exit = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), {}, this);
    exit->setObjectName("BKonec");

    auto* tools = new QHBoxLayout;
    tools->addWidget(NamedLabel(this, "Label2"));
    tools->addStretch(1);
    tools->addWidget(NamedLabel(this, "Label3"));
    tools->addWidget(sortKey_);
    tools->addWidget(reference_);
    tools->addSpacing(16);
    tools->addWidget(removal_);
    tools->addSpacing(16);
    tools->addWidget(goodness_->tick());
    tools->addWidget(goodness_->drawsLabel());
    tools->addWidget(goodness_->draws());
    tools->addWidget(goodness_->progress());
    tools->addWidget(goodness_->breakButton());
    tools->addSpacing(16);
    tools->addWidget(exit);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(6, 6, 6, 6);
    root->addLayout(top);
    root->addWidget(NamedLabel(this, "Label1"));
    root->addWidget(sample_);
    root->addLayout(tools);
    root->addWidget(grid_, 1);

    applyLanguage(CurrentLanguage());
    loadSettings(settingsPath_);
    showGoodness(goodness_->shown()); // the tick as the settings keep it

    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    connect(sortKey_, &QComboBox::currentIndexChanged, this, [this] { sortChanged(); });
    connect(reference_, &QComboBox::currentIndexChanged, this, [this] { sortChanged(); });
    connect(removal_, &QCheckBox::toggled, this, &SuitableHistogramsWindow::removeUnsuitable);
    connect(goodness_, &GoodnessPanel::toggled, this, &SuitableHistogramsWindow::showGoodness);
    connect(goodness_, &GoodnessPanel::changed, this, [this] {
        // New values reorder the table only when it is sorted by one of them.
        if (sortKey_->currentIndex() >= GoodnessSortKey) return sortChanged();
        showTable();
    });
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) {
                if (row != previousRow && row >= 1) rowSelected(row);
            });
}

SuitableHistogramsWindow::~SuitableHistogramsWindow() = default;

// --- filling ------------------------------------------------------------------------------

void SuitableHistogramsWindow::open(const FitRanking& ranking, const FitContext& context,
                                    std::optional<RankedSample> sample) {
    ranking_ = ranking;
    context_ = context;
    {
        const QSignalBlocker block(goodness_);
        goodness_->setRanking(ranking, context, std::move(sample));
    }
    if (rawDataWindow_) rawDataWindow_->setEnabled(false);
    show();
    raise();
    {
        const QSignalBlocker block(reference_);
        reference_->setCurrentIndex(0);
    }
    reference_->hide();
    drawnChart_->hide();

    const SampleStatistics& stats = context.statistics();
    table_.Fill(ranking, {stats.meanText, stats.sigmaText, stats.skewnessText});
    for (int c = 1; c < SampleColumns; ++c)
        sample_->setCell(c, 1, Q(ranking.sampleRow.fields[c - 1]));
    const std::string* moments[] = {&stats.meanText, &stats.sigmaText, &stats.skewnessText};
    for (int c = 1; c <= 3; ++c)
        moments_->setCell(c, 1, Q(*moments[c - 1]));
    showSampleHistogram(context.sampleView().histogram);

    {
        const QSignalBlocker block(sortKey_);
        sortKey_->setCurrentIndex(KeyTightness);
    }
    sortChanged();
    {
        const QSignalBlocker block(grid_);
        grid_->setCurrentCell(-1, -1);
    }

    {
        const QSignalBlocker block(removal_);
        removal_->setChecked(false);
    }
    removal_->hide();
    removalRow_ = table_.FindUnsuitableRow();
    if (removalRow_ > 0 && !IsBlankCell(table_.row(removalRow_).fields[1])) {
        removal_->show();
        markUnsuitableRows();
    }
}

void SuitableHistogramsWindow::showTable() {
    const int shown = std::min(SuitableShownRows, grid_->rowCount() - 1);
    for (int p = 1; p <= shown; ++p)
        for (int c = 1; c < TableColumns; ++c)
            grid_->setCell(c, p, Q(table_.row(p).fields[c - 1]));
    for (int p = 1; p <= shown; ++p) {
        const std::optional<DistributionType> type = table_.typeAt(p);
        for (int k = 0; k < GoodnessKeyCount; ++k) {
            const auto key = static_cast<GoodnessKey>(k);
            grid_->setCell(GoodnessColumn + k, p,
                           type ? goodness_->text(*type, key) : QString(BlankCell));
            if (QTableWidgetItem* item = grid_->item(p, GoodnessColumn + k))
                item->setToolTip(type ? goodness_->reason(*type, key) : QString());
        }
    }
}

void SuitableHistogramsWindow::showGoodness(bool shown) {
    for (int c = GoodnessColumn; c < GridColumns; ++c) {
        grid_->setColumnHidden(c, !shown);
        if (shown) grid_->setColumnWidth(c, CharacteristicWidth); // not the hidden width
    }
    if (auto* keys = qobject_cast<QStandardItemModel*>(sortKey_->model()))
        for (int i = GoodnessSortKey; i < SortKeyCount; ++i)
            keys->item(i)->setEnabled(shown);
    if (!shown && sortKey_->currentIndex() >= GoodnessSortKey)
        sortKey_->setCurrentIndex(KeyTightness);
}

void SuitableHistogramsWindow::markUnsuitableRows() {
    const int last = std::min(table_.candidateCount(), SuitableShownRows);
    if (removalRow_ < 1 || removalRow_ > last) return;
    grid_->setRangeSelected(QTableWidgetSelectionRange(removalRow_, 0, last, GridColumns - 1),
                            true);
}

ClosenessReference SuitableHistogramsWindow::reference() const {
    return reference_->currentIndex() == 0 ? ClosenessReference::Sample
                                           : ClosenessReference::SampleHistogram;
}

void SuitableHistogramsWindow::sortChanged() {
    const int key = sortKey_->currentIndex();
    if (key >= GoodnessSortKey) {
        reference_->hide();
        table_.SortByTypes(goodness_->order(static_cast<GoodnessKey>(key - GoodnessSortKey)));
    } else if (key > 0) {
        reference_->setVisible(SortsByCloseness(key));
        table_.SortBy(key, reference());
    }
    table_.Compact();
    showTable();
    grid_->clearSelection();
}

void SuitableHistogramsWindow::removeUnsuitable(bool ticked) {
    if (!ticked) return;
    removal_->hide();
    const std::vector<DistributionType> removed = table_.RemoveFrom(removalRow_);
    RemoveCandidates(ranking_, removed);
    showTable();
    grid_->clearSelection();
    emit candidatesRemoved(QList<int>(removed.begin(), removed.end()));
}

// --- choosing a candidate -----------------------------------------------------------------

void SuitableHistogramsWindow::rowSelected(int row) {
    const std::optional<DistributionType> type = table_.typeAt(row);
    int listIndex = -1;
    for (int i = 0; type && i < ranking_.listLength; ++i)
        if (ranking_.entries[i].type == *type && ranking_.entries[i].tightness > 0) listIndex = i;
    if (listIndex < 0) {
        drawnChart_->hide();
        emit candidateSelected(0, ranking_.entries[0].type);
        return;
    }
    drawnBySelection_ = false;
    emit candidateSelected(listIndex, *type);
    // Without a raw data window that draws it, the table draws the candidate itself.
    if (!drawnBySelection_ && context_) {
        if (const auto h = BuildShownCandidate(*context_, *type, ranking_.weibullShape))
            showDrawnHistogram(*h);
    }
    drawnChart_->show();
    {
        const QSignalBlocker block(reference_);
        reference_->setCurrentIndex(-1);
        reference_->setEditText(Q(table_.row(row).fields[0]));
    }
    reference_->show();
}

// --- charts -------------------------------------------------------------------------------

void SuitableHistogramsWindow::drawBars(ChartPanel& chart, const WorkingHistogram& h,
                                        const QColor& colour) {
    chart.clearAll();
    chart.setSeriesColour(Bars, colour);
    for (int i = 1; i <= h.Bins && i <= MaxBins; ++i)
        chart.addPoint(Bars, h.P[i], QString::number(i - 1));
    chart.refresh();
}

void SuitableHistogramsWindow::showSampleHistogram(const WorkingHistogram& h) {
    drawBars(*sampleChart_, h, SampleBarColour);
}

void SuitableHistogramsWindow::showDrawnHistogram(const WorkingHistogram& h) {
    drawBars(*drawnChart_, h, DrawnBarColour);
    drawnBySelection_ = true;
}

// --- place and size -------------------------------------------------------------------------

void SuitableHistogramsWindow::readPlacement(const SettingsFile& file) {
    const std::vector<SettingKey>& keys = settingKeys();
    const auto value = [&](std::string_view target, int fallback) {
        const SettingKey* k = FindSettingKey(keys, target);
        return k && file.Has(k->section, k->key) ? file.GetInteger(*k) : fallback;
    };
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : SuitableMinWidth;
    move(value("left", 0), value("top", 0));
    resize(QSize(value("width", screenWidth), value("height", SuitableMinHeight))
               .expandedTo(minimumSize()));
}

void SuitableHistogramsWindow::languageApplied(Language language) {
    if (!context_) return;
    const Language before = CurrentLanguage();
    SetLanguage(language);
    showTable();
    SetLanguage(before);
}

void SuitableHistogramsWindow::readOwnSettings(const SettingsFile& file) {
    for (const SettingKey& k : settingKeys()) {
        if (k.target == "ChBGoodness") goodness_->tick()->setChecked(file.GetBool(k));
        if (k.target == "SpinEdDraws") goodness_->draws()->setValue(file.GetInteger(k));
    }
}

void SuitableHistogramsWindow::writeOwnSettings(SettingsFile& file) const {
    for (const SettingKey& k : settingKeys()) {
        if (k.target == "ChBGoodness") file.SetBool(k, goodness_->tick()->isChecked());
        if (k.target == "SpinEdDraws") file.SetInteger(k, goodness_->draws()->value());
    }
}

void SuitableHistogramsWindow::closing() {
    goodness_->stop();
    saveSettings(settingsPath_);
    if (rawDataWindow_) rawDataWindow_->setEnabled(true);
}

} // namespace tessavin::ui
