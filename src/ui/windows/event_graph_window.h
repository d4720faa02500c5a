#pragma once
// The event graph window TForm7: p(U), p(D) and p(F) of the computed years as a line chart, as
// bars drawn over each other, and p(F) against Pd with the curves of the further inspections;
// each page shows the table of the plotted numbers beside its chart. The main window fills it
// while a calculation runs and shows it afterwards.

#include "calculation/driver.h"
#include "calculation/model.h"
#include "localisation/language.h"
#include "ui/windows/side_window.h"

class QTabWidget;

namespace tessavin::ui {

class ChartPanel;
class StringGrid;

class EventGraphWindow : public SideWindow {
    Q_OBJECT
  public:
    EventGraphWindow();
    ~EventGraphWindow() override;

    // The inputs whose field texts the chart titles quote (crack origin, bf, tf, m, Pd), read
    // each time the titles are written; nullptr: the defaults. They must outlive the window.
    void setInputs(const CalculationInputs* inputs);

    // The start of a calculation: StringGrid2 gets the plan's row count and its header row,
    // every series is emptied and the titles are written for the period start .. end.
    void startRun(const RunPlan& plan, double Pd, int start, int step, int end);
    // One computed year: its row of StringGrid2 and its points of this window's charts.
    void addYear(const YearRow& row);
    // The end of the year loop: StringGrid2 copied into StringGrid1 and StringGrid3 (with Pd),
    // and the curves of inspections 2 .. 10 into Series5 .. Series13 of Chart3.
    void finishRun(const RunResult& result, double Pd);

    // Selects page 1, 2 or 3 (line chart, bars, inspection chart); the caller shows the window.
    void showPage(int page);
    int currentPage() const;

    // The titles of the three charts in the active language; nothing before the first run.
    void eventChartTitles();

  private:
    // After caption table 7: the axis titles (messages 257 and 258) and the chart titles.
    void languageApplied(Language language) override;
    // The log scale of the line chart and of the inspection chart.
    void readOwnSettings(const SettingsFile& file) override;
    void writeOwnSettings(SettingsFile& file) const override;
    ChartPanel* chartOf(const std::string& series) const;

    const CalculationInputs* inputs_ = nullptr;
    QTabWidget* pages_ = nullptr;
    ChartPanel* lineChart_ = nullptr;       // Chart1
    ChartPanel* barChart_ = nullptr;        // Chart2
    ChartPanel* inspectionChart_ = nullptr; // Chart3
    StringGrid* lineTable_ = nullptr;       // StringGrid2: page 1, filled year by year
    StringGrid* barTable_ = nullptr;        // StringGrid1: page 2, its copy
    StringGrid* inspectionTable_ = nullptr; // StringGrid3: page 3: year, p(F), Pd
    bool hasPeriod_ = false;
    int start_ = 0, step_ = 0, end_ = 0;
};

} // namespace tessavin::ui
