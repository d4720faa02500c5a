#pragma once
// Texts of this platform that the first design had no table for: the chart wrapper's toolbar
// and boxes, file dialog filters, status-bar notes, and Qt's own translations of standard
// buttons and dialogs. Both languages, looked up in the active one.
#include <QString>
#include <vector>

#include "localisation/language.h"

namespace tessavin {
struct CaptionAssignment;
}

namespace tessavin::ui {

class ChartPanel;

enum class PlatformText {
    ProjectFilter,      // project file dialogs
    ResultTextFilter,   // result text file dialog
    HistogramFilter,    // .dis file dialog
    RawDataFilter,      // the raw data window's dialogs, "%1" the suffix
    WorkbookSaved,      // status bar after the workbook was written, before its path
    ChartSaveCaption,   // the chart's save dialog
    ChartPictureFilter, // its filter
    ChartNotSaved,      // error box, "%1" the file
};

QString PlatformTextOf(PlatformText text);

// The chart wrapper's toolbar (actions by objectName: ChartZoomIn, ChartZoomOut,
// ChartZoomReset, ChartCopy, ChartSave, and ChartLog where a chart offers the log scale).
const std::vector<CaptionAssignment>& ChartCaptionTable();
void ApplyChartCaptions(ChartPanel* chart, Language language);

// Qt's own texts (Yes, No, OK, Cancel, the file dialog) in `language`: the Czech translations
// of Qt are installed while Czech is active.
void UseQtTranslations(Language language);

} // namespace tessavin::ui
