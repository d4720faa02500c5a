#include "ui/rawdata/raw_data_toolbar.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>

#include "ui/rawdata/box_parts.h"

namespace tessavin::ui {
namespace {

// The export choices in the order of ChartExport (texts from the caption table).
constexpr std::array<const char*, 4> ExportItems{"Schranka", "Bitmapa", "Metafile", "JPGFile"};

} // namespace

RawDataToolbar::RawDataToolbar(QWidget* parent) : QWidget(parent) {
    setObjectName("SpeedPanel");
    auto* open = IconButton(this, "OpenData", QStyle::SP_DialogOpenButton);
    auto* newData = IconButton(this, "BNovy", QStyle::SP_FileIcon);
    characteristics_ = new QToolButton(this);
    characteristics_->setObjectName("BChar");
    characteristics_->setAutoRaise(true);
    screenCopy_ = IconButton(this, "SpeedButton1", QStyle::SP_DesktopIcon);
    exportChart_ = IconButton(this, "UlozGraf", QStyle::SP_DialogSaveButton);
    kind_ = new QCheckBox(this);
    kind_->setObjectName("ChB_TypHist");
    auto* close = IconButton(this, "BitBtn1", QStyle::SP_DialogCloseButton);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : std::initializer_list<QWidget*>{open, newData, characteristics_, screenCopy_,
                                                      exportChart_, kind_, close})
        layout->addWidget(w);
    layout->addStretch(1);

    // The export choice: the pop-up menu of UlozGraf, one item ticked.
    exportMenu_ = new QMenu(parent);
    exportMenu_->setObjectName("PopupMenu2");
    QMenu* choices = exportMenu_->addMenu(QString());
    choices->setObjectName("Nastaven2");
    choices->menuAction()->setObjectName("Nastaven2"); // the tables name a submenu by its action
    for (std::size_t i = 0; i < ExportItems.size(); ++i) {
        QAction* a = choices->addAction(QString());
        a->setObjectName(ExportItems[i]);
        a->setCheckable(true);
        a->setChecked(i == 0);
        exportItems_[i] = a;
    }
    exportChart_->setContextMenuPolicy(Qt::CustomContextMenu);

    connect(open, &QToolButton::clicked, this, &RawDataToolbar::openRequested);
    connect(newData, &QToolButton::clicked, this, &RawDataToolbar::newDataRequested);
    connect(characteristics_, &QToolButton::clicked, this,
            &RawDataToolbar::characteristicsRequested);
    connect(screenCopy_, &QToolButton::clicked, this, &RawDataToolbar::screenCopyRequested);
    connect(exportChart_, &QToolButton::clicked, this, &RawDataToolbar::exportRequested);
    connect(exportChart_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { exportMenu_->popup(exportChart_->mapToGlobal(at)); });
    for (QAction* item : exportItems_)
        connect(item, &QAction::triggered, this, [this, item] { exportChoiceClicked(item); });
    connect(kind_, &QCheckBox::clicked, this, &RawDataToolbar::kindChanged);
    connect(close, &QToolButton::clicked, this, &RawDataToolbar::closeRequested);
}

HistogramKind RawDataToolbar::histogramKind() const {
    return kind_->isChecked() ? HistogramKind::PureDiscrete : HistogramKind::Discrete;
}

void RawDataToolbar::resetHistogramKind() {
    kind_->setChecked(false);
}

void RawDataToolbar::setCharacteristicsEnabled(bool enabled) {
    characteristics_->setEnabled(enabled);
}

void RawDataToolbar::setPicturesEnabled(bool enabled) {
    exportChart_->setEnabled(enabled);
    screenCopy_->setEnabled(enabled);
}

ChartExport RawDataToolbar::exportChoice() const {
    for (std::size_t i = 0; i < exportItems_.size(); ++i)
        if (exportItems_[i]->isChecked()) return static_cast<ChartExport>(i);
    return ChartExport::Jpeg;
}

void RawDataToolbar::exportChoiceClicked(QAction* item) {
    // Exactly one item stays ticked.
    const auto at = [this](ChartExport e) { return exportItems_[static_cast<std::size_t>(e)]; };
    if (item->isChecked()) {
        for (QAction* other : exportItems_)
            if (other != item) other->setChecked(false);
    } else {
        at(item == at(ChartExport::Clipboard) ? ChartExport::Bitmap : ChartExport::Clipboard)
            ->setChecked(true);
    }
}

} // namespace tessavin::ui
