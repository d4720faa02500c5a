// tessavin: the desktop program.
#include <QApplication>

#include "ui/main/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessavin");
    QApplication::setApplicationVersion(TESSAVIN_VERSION);
    tessavin::ui::MainWindow window;
    window.show();
    return app.exec();
}
