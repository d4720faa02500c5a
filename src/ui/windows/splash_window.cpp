#include "ui/windows/splash_window.h"

#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/common/caption_tables.h"
#include "ui/windows/side_window.h"

namespace tessavin::ui {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      timer_(new QTimer(this)) {
    setObjectName(ObjectNameOf(WindowId::Splash));

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto* lines = new QVBoxLayout(frame);
    lines->setContentsMargins(32, 24, 32, 24);
    lines->setSpacing(10);
    const auto add = [&](const char* name, double scale, bool bold) {
        auto* label = new QLabel(frame);
        label->setObjectName(name);
        label->setAlignment(Qt::AlignCenter);
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * scale);
        font.setBold(bold);
        label->setFont(font);
        lines->addWidget(label);
        return label;
    };
    add("LNazev", 2.4, true);
    add("LPopis", 1.1, false);
    QLabel* version = add("LVerze", 1.0, false);
    add("LAutori", 1.0, false);
    ApplyCaptionTable(this, WindowId::Splash, CurrentLanguage());
    version->setText(VersionText(WindowId::Splash, CurrentLanguage()));

    timer_->setSingleShot(true);
    timer_->setInterval(7000);
    connect(timer_, &QTimer::timeout, this, &QWidget::hide);
}

void SplashWindow::showEvent(QShowEvent* event) {
    adjustSize();
    if (const QScreen* s = screen()) {
        QRect place = rect();
        place.moveCenter(s->availableGeometry().center());
        move(place.topLeft());
    }
    timer_->start();
    QWidget::showEvent(event);
}

void SplashWindow::mousePressEvent(QMouseEvent*) {
    hide();
}

} // namespace tessavin::ui
