#include "ui/windows/splash_window.h"

#include "ui/windows/side_window.h"

#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

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
    const auto add = [&](const char* name, const QString& text, double scale, bool bold) {
        auto* label = new QLabel(text, frame);
        label->setObjectName(name);
        label->setAlignment(Qt::AlignCenter);
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * scale);
        font.setBold(bold);
        label->setFont(font);
        lines->addWidget(label);
    };
    add("LNazev", "Tessavin", 2.4, true);
    add("LPopis", "Probabilistic calculation of fatigue crack propagation", 1.1, false);
    add("LVerze", QStringLiteral("Version %1").arg(TESSAVIN_VERSION), 1.0, false);
    add("LAutori", "Tessavin development team", 1.0, false);

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
