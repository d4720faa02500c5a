#pragma once
// The caption table of each window (caption_table_data.cpp), named in its row of the window
// registry; read them through CaptionTable(WindowId).
#include <vector>

#include "localisation/caption_table.h"

namespace tessavin::caption_tables {

std::vector<CaptionAssignment> MainWindow();
std::vector<CaptionAssignment> HistogramWindow();
std::vector<CaptionAssignment> RawDataWindow();
std::vector<CaptionAssignment> SuitableHistogramsWindow();
std::vector<CaptionAssignment> AboutWindow();
std::vector<CaptionAssignment> EventGraphWindow();
std::vector<CaptionAssignment> SplashWindow();
std::vector<CaptionAssignment> IntegrationWindow();
std::vector<CaptionAssignment> SettingsListingWindow();
std::vector<CaptionAssignment> SensitivityWindow();

} // namespace tessavin::caption_tables
