#pragma once
// The folders and files the program works with.
#include <QString>

namespace tessavin::ui {

struct ShellPaths {
    QString dataRoot;           // documents folder + "/TessavinData"
    QString graphsAndPrintsDir; // histogram pictures and .dis files
    QString rawDataDir;
    QString resultsDir;   // projects, result text files, workbooks
    QString startDir;     // current directory at start
    QString projectDir;   // folder of the project last opened or saved
    QString settingsPath; // the settings file
};

// Computes the paths and creates the three data folders when they are missing (there is no
// installer to create them).
ShellPaths ComputeShellPaths();

} // namespace tessavin::ui
