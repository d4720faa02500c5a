#pragma once
// The workbook command (BExcel, UlozExcel): the inspection tables written as a .xlsx file into
// the results folder, then opened with the desktop's application for that file type.
#include <QString>
#include <functional>

#include "calculation/model.h"
#include "decision/reliability_index.h"
#include "exactplan/plan_search.h"

class QUrl;
class QWidget;

namespace tessavin::ui {

// Opens a file with the desktop's default application; false when that failed.
using WorkbookOpener = std::function<bool(const QUrl&)>;

// The opener in use: QDesktopServices::openUrl unless a test installed its own.
// An empty function puts the desktop's back.
void SetWorkbookOpener(WorkbookOpener opener);

// The file the command writes: `resultsDir` / (project name or "Results") + ".xlsx".
QString WorkbookPath(const CalculationInputs& in, const QString& resultsDir);

// The whole command. An existing file is replaced only after Yes to message 6; No, and a file
// that cannot be opened (a warning with message 274), make `projectDir` the current directory
// again. A failure to write is shown as an error box and leaves the folder as it was.
// Returns the file written (also when no application could open it), else an empty text.
// `exact`: the exact plan of the run, when it was computed; `beta`: β of every year (and the
// target) right of the tables, when asked for.
QString ExportWorkbook(QWidget* parent, const CalculationInputs& in, const CalculationState& state,
                       const QString& resultsDir, QString& projectDir,
                       const exactplan::PlanCurves* exact = nullptr,
                       const BetaSection* beta = nullptr);

} // namespace tessavin::ui
