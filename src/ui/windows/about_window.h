#pragma once
// The about window TForm6: program name, version, authorship and the contact address.
#include "ui/windows/side_window.h"

class QLabel;

namespace tessavin::ui {

class AboutWindow final : public SideWindow {
    Q_OBJECT
  public:
    AboutWindow();

  private:
    // The version line is composed here.
    void languageApplied(Language language) override;

    QLabel* version_;
};

} // namespace tessavin::ui
