#pragma once
// The splash window TForm8: name, version and authorship at start; hides itself after 7 s.
#include <QWidget>

class QTimer;

namespace tessavin::ui {

class SplashWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit SplashWindow(QWidget* parent = nullptr);

    // Started whenever the window is shown; hides the window when it fires.
    QTimer* timer() const { return timer_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QTimer* timer_;
};

} // namespace tessavin::ui
