#include "ui/windows/about_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessavin::ui {
namespace {

QLabel* AddLabel(QVBoxLayout* lines, const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    lines->addWidget(label);
    return label;
}

QString VersionText(Language language) {
    return (language == Language::Czech ? QStringLiteral("Verze %1") : QStringLiteral("Version %1"))
        .arg(TESSAVIN_VERSION);
}

} // namespace

AboutWindow::AboutWindow()
    : SideWindow("TForm6", 6,
                 Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                     Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle("About Tessavin");

    auto* lines = new QVBoxLayout(this);
    lines->setContentsMargins(24, 24, 24, 16);
    lines->setSpacing(12);
    lines->addStretch();
    QLabel* name = AddLabel(lines, "Label1", "Tessavin");
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 2.4);
    big.setBold(true);
    name->setFont(big);
    AddLabel(lines, "Label2",
             "Probabilistic calculation of fatigue crack propagation in steel bridges");
    version_ = AddLabel(lines, "LVerze", VersionText(CurrentLanguage()));
    AddLabel(lines, "Label3", "Tessavin development team");
    QLabel* contact =
        AddLabel(lines, "Label4",
                 "Contact: <a href=\"mailto:tessavin@example.org\">tessavin@example.org</a>");
    contact->setTextFormat(Qt::RichText);
    contact->setOpenExternalLinks(true);
    lines->addStretch();

    auto* close = new QPushButton("OK");
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
}

void AboutWindow::languageApplied(Language language) {
    version_->setText(VersionText(language));
}

} // namespace tessavin::ui
