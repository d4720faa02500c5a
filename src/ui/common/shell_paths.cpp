#include "ui/common/shell_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tessavin::ui {

ShellPaths ComputeShellPaths() {
    ShellPaths p;
    p.dataRoot =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/TessavinData";
    p.graphsAndPrintsDir = p.dataRoot + "/Graphs and Prints";
    p.rawDataDir = p.dataRoot + "/Raw data";
    p.resultsDir = p.dataRoot + "/Results";
    p.startDir = QDir::currentPath();
    p.projectDir = p.startDir;
    const QByteArray ini = qgetenv("TESSAVIN_INI");
    p.settingsPath =
        !ini.isEmpty()
            ? QString::fromLocal8Bit(ini)
            : QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/Tessavin.INI";
    // The settings folder too: the file is created by its first write.
    for (const QString& dir : {p.graphsAndPrintsDir, p.rawDataDir, p.resultsDir,
                               QFileInfo(p.settingsPath).absolutePath()})
        QDir().mkpath(dir);
    return p;
}

} // namespace tessavin::ui
