#pragma once
// The about window TForm6: program name, version, authorship and the contact address.
#include <QWidget>

#include "localisation/language.h"

class QLabel;

namespace tessavin::ui {

class AboutWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit AboutWindow(QWidget* parent = nullptr);

    // Caption table 6; the version line is composed here.
    void applyLanguage(Language language);

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QLabel* version_;
};

} // namespace tessavin::ui
