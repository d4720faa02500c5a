#include "ui/windows/histogram_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QTime>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>
#include <numeric>

#include "histogram/characteristics.h"
#include "histogram/dis_writer.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"
#include "ui/common/string_grid.h"

namespace tessavin::ui {
namespace {

constexpr double WholeTotalLimit = 1000000; // below it Total shows as a whole number
const QString TitlePrefix = QStringLiteral("Histogram :  ");

// Counts the window's own open boxes and dialogs while it lives.
class OwnDialog {
  public:
    explicit OwnDialog(int& depth) : depth_(depth) { ++depth_; }
    ~OwnDialog() { --depth_; }
    OwnDialog(const OwnDialog&) = delete;
    OwnDialog& operator=(const OwnDialog&) = delete;

  private:
    int& depth_;
};

QToolButton* MakeButton(QWidget* parent, const char* name, const QIcon& icon, const QString& text) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(icon);
    button->setIconSize(QSize(20, 20));
    button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly
                                             : Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

// A cell of the basic table read back as a number (blanks around it allowed); 0 when empty.
double CellNumber(const StringGrid& grid, int row) {
    return grid.cell(1, row).trimmed().toDouble();
}

} // namespace

HistogramWindow::HistogramWindow()
    : SideWindow(WindowId::Histogram, Qt::Window | Qt::WindowStaysOnTopHint) {
    setMinimumSize(HistogramMinWidth, HistogramMinHeight);
    move(0, 0);
    resize(HistogramMinWidth, HistogramMinHeight);

    // Toolbar row: the commands, the axis mode and the panel of the chart's own toolbar.
    QStyle* st = style();
    auto* shot = MakeButton(
        this, "UlozOkno",
        QIcon::fromTheme("camera-photo", st->standardIcon(QStyle::SP_DesktopIcon)), QString());
    save_ = MakeButton(this, "BUlozit", st->standardIcon(QStyle::SP_DialogSaveButton), QString());
    auto* characteristics = MakeButton(this, "BChar", QIcon(), QString());
    auto* exit =
        MakeButton(this, "ExitBtn", st->standardIcon(QStyle::SP_DialogCloseButton), QString());
    save_->hide(); // until a histogram is drawn

    axisMode_ = new QComboBox(this);
    axisMode_->setObjectName("CBValInd");
    axisMode_->addItems({QString(), QString()}); // index, value: named by the caption table
    axisMode_->setCurrentIndex(static_cast<int>(HistogramAxis::Value));

    chart_ = new ChartPanel(this);
    chart_->setObjectName("Chart1");
    chartTools_ = new QWidget(this);
    chartTools_->setObjectName("Panel1");
    auto* panelLayout = new QHBoxLayout(chartTools_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    QToolBar* chartTools = chart_->toolbar();
    chartTools->setObjectName("TeeCommander1");
    panelLayout->addWidget(chartTools); // reparented: the panel shows and hides it
    chartTools->show();
    chartTools_->hide();

    auto* top = new QHBoxLayout;
    top->setSpacing(2);
    for (QToolButton* b : {shot, save_, characteristics, exit})
        top->addWidget(b);
    top->addSpacing(16);
    top->addWidget(axisMode_);
    top->addSpacing(16);
    top->addWidget(chartTools_);
    top->addStretch(1);

    // Classes at the right: the basic values above the class table.
    basic_ = new StringGrid("StringGrid3", 2, 5, 0, 1, this);
    basic_->fitColumns({"Probability summation ", " 0.999999999999999"});
    basic_->setFixedHeight(5 * basic_->verticalHeader()->defaultSectionSize() +
                           2 * basic_->frameWidth());
    basic_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    basic_->hide();

    classes_ = new StringGrid("StringGrid2", 3, 2, 1, 0, this);
    classes_->fitColumns({"  INT", "-1234.56789012345", "0.00367647058823529"});
    classes_->hide();

    auto* side = new QVBoxLayout;
    side->addWidget(basic_);
    side->addWidget(classes_, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(chart_, 1);
    body->addLayout(side);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->addLayout(top);
    root->addLayout(body, 1);

    connect(shot, &QToolButton::clicked, this, &HistogramWindow::copyScreen);
    connect(save_, &QToolButton::clicked, this, &HistogramWindow::saveHistogram);
    connect(characteristics, &QToolButton::clicked, this, &HistogramWindow::showCharacteristics);
    connect(exit, &QToolButton::clicked, this, &QWidget::close);
    connect(axisMode_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (kind_ != None) redraw();
        emit axisModeChanged(index);
    });

    applyLanguage(CurrentLanguage());
    clearHistogram();
}

HistogramWindow::~HistogramWindow() = default;

void HistogramWindow::showHistogram(int kind, const DiscreteHistogram& h, const QString& caption,
                                    const QString& description) {
    clearHistogram();
    kind_ = kind;
    shown_ = h;
    titleLine1_ = TitlePrefix + caption;
    if (isInput()) {
        titleLine2_ = description;
    } else {
        const QLocale locale;
        titleLine2_ = " ( " + locale.toString(QDate::currentDate(), QLocale::ShortFormat) + " , " +
                      locale.toString(QTime::currentTime(), QLocale::ShortFormat) + " )";
    }
    redraw();
    fillBasicTable();
    show();
    activateWindow();
}

void HistogramWindow::clearHistogram() {
    kind_ = None;
    shown_ = DiscreteHistogram{};
    titleLine1_.clear();
    titleLine2_.clear();
    chart_->clearAll();
    chart_->setTitleLines({});
    chart_->hide();
    classes_->hide();
    basic_->clearColumn(1, 0);
    basic_->hide();
}

void HistogramWindow::redraw() {
    save_->show();
    DrawHistogramChart(*chart_, shown_, titleLine1_, titleLine2_,
                       isInput() ? HistogramIndexCaptionInput : HistogramIndexCaptionResult,
                       axis());
    FillHistogramTable(*classes_, shown_, true, highlight_);
}

void HistogramWindow::fillBasicTable() {
    // Inputs, Nn and Sn write the count and the whole total with a leading blank and sum in
    // double; the results write them without and sum in extended precision.
    const bool results = kind_ >= Rad && kind_ <= RfF;
    const QString lead = results ? QString() : QStringLiteral(" ");
    const int n = std::max(shown_.Bins, 0);
    double sum = 0;
    if (results) {
        sum = static_cast<double>(ProbabilitySum(shown_));
    } else {
        sum = std::accumulate(shown_.P.begin() + 1, shown_.P.begin() + 1 + n, 0.0);
    }
    basic_->setCell(1, 0, lead + QString::number(shown_.Bins));
    basic_->setCell(1, 1, Q(StrNaCarku(shown_.XFirst)));
    basic_->setCell(1, 2, Q(StrNaCarku(shown_.XLast)));
    basic_->setCell(1, 3, Q(StrNaCarku(sum)));
    basic_->setCell(1, 4,
                    shown_.Total < WholeTotalLimit ? lead + QString::number(shown_.Total, 'f', 0)
                                                   : Q(StrNaCarku(shown_.Total)));
    basic_->show();
}

HistogramAxis HistogramWindow::axis() const {
    return axisMode_->currentIndex() == static_cast<int>(HistogramAxis::Index)
               ? HistogramAxis::Index
               : HistogramAxis::Value;
}

void HistogramWindow::setAxisMode(int index) {
    const QSignalBlocker block(axisMode_);
    axisMode_->setCurrentIndex(index);
}

int HistogramWindow::axisMode() const {
    return axisMode_->currentIndex();
}

void HistogramWindow::setColourHighlighting(bool on) {
    highlight_ = on;
    HighlightHistogramTable(*classes_, on);
}

void HistogramWindow::setToolbarWanted(bool on) {
    toolbarWanted_ = on;
    updateChartTools();
}

void HistogramWindow::setSaveFolder(const QString& dir) {
    saveFolder_ = dir;
}

void HistogramWindow::languageApplied(Language language) {
    if (kind_ == None) return;
    const Language before = CurrentLanguage();
    SetLanguage(language);
    redraw(); // axis titles and the total row of the class table
    SetLanguage(before);
}

// --- commands -------------------------------------------------------------------------

void HistogramWindow::copyScreen() {
    CopyScreenToClipboard(this);
}

void HistogramWindow::saveHistogram() {
    const OwnDialog guard(ownDialogs_);
    FileRequest request;
    request.save = true;
    request.directory = saveFolder_;
    request.filter = PlatformTextOf(PlatformText::HistogramFilter);
    request.suggestedName = "Histogram";
    request.defaultSuffix = "dis";
    const QString path = UserInteraction().chooseFile(this, request);
    if (path.isEmpty()) return;
    QDir::setCurrent(QFileInfo(path).absolutePath());
    if (QFileInfo::exists(path)) {
        const QString question =
            Q(FormatMessage(TextCis(msg::OverwriteQuestion), S(QDir::toNativeSeparators(path))));
        if (DefMessageDlg(Q(TextCis(msg::InformationTitle)), question, BoxKind::Confirmation,
                          BoxButtons::YesNo, this) != BoxYes) {
            return;
        }
    }
    if (const auto failure = WriteDisFile(shown_, std::filesystem::path(S(path))))
        ShowFailure(*failure, this);
}

void HistogramWindow::showCharacteristics() {
    const int n = static_cast<int>(CellNumber(*basic_, 0));
    if (n <= 1) return;
    // While the integration settings window is open the statistics run without a text.
    bool quiet = false;
    for (QWidget* w : QApplication::topLevelWidgets())
        quiet = quiet || (w->objectName() == "TForm9" && w->isVisible());
    const QString title = "Histogram : " + titleLine2_;
    const auto result = HistogramCharacteristics(
        S(title), std::span<const double>(shown_.P.data() + 1, MaxBins), n, CellNumber(*basic_, 1),
        CellNumber(*basic_, 2), CellNumber(*basic_, 4), quiet);
    if (result.text.empty()) return;
    const OwnDialog guard(ownDialogs_);
    DefMessageDlg(Q(TextCis(msg::CharacteristicsCaption)), Q(result.text), BoxKind::Information,
                  BoxButtons::Ok, this);
}

// --- window behaviour -----------------------------------------------------------------

bool HistogramWindow::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The window goes away as soon as another window takes the focus, but not for its own
    // boxes and dialogs.
    if (event->type() == QEvent::WindowDeactivate && isVisible() && ownDialogs_ == 0 &&
        !QApplication::activeModalWidget()) {
        close();
    }
    return handled;
}

void HistogramWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateChartTools();
}

void HistogramWindow::updateChartTools() {
    // "As wide as the screen": the frame fills the screen's available width, as when maximised.
    const QScreen* s = screen();
    const bool wide = s && frameGeometry().width() >= s->availableGeometry().width();
    chartTools_->setVisible(wide && toolbarWanted_);
}

} // namespace tessavin::ui
