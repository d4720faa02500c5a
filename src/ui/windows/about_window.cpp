#include "ui/windows/about_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessavin::ui {
namespace {

// Texts come from the caption table (the program name reads the same in both languages).
QLabel* AddLabel(QVBoxLayout* lines, const char* name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    lines->addWidget(label);
    return label;
}

} // namespace

AboutWindow::AboutWindow()
    : SideWindow(WindowId::About, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                      Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    auto* lines = new QVBoxLayout(this);
    lines->setContentsMargins(24, 24, 24, 16);
    lines->setSpacing(12);
    lines->addStretch();
    QLabel* name = AddLabel(lines, "Label1");
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 2.4);
    big.setBold(true);
    name->setFont(big);
    AddLabel(lines, "Label2");
    version_ = AddLabel(lines, "LVerze");
    AddLabel(lines, "Label3");
    QLabel* contact = AddLabel(lines, "Label4");
    contact->setTextFormat(Qt::RichText);
    contact->setOpenExternalLinks(true);
    lines->addStretch();

    auto* close = new QPushButton;
    close->setObjectName("BKonec");
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    lines->addLayout(row);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    close->setDefault(true);
    closeOnEscape();
    closeOnEnter();

    resize(350, 545);
    applyLanguage(CurrentLanguage());
}

void AboutWindow::languageApplied(Language language) {
    version_->setText(VersionText(WindowId::About, language));
}

} // namespace tessavin::ui
