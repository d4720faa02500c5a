#pragma once
// The inspections page of the main window (TabSheet3): the probabilities of every year, the
// rule's plan of inspections with the table of a chosen inspection's curves, and the exact plan
// beside the rule's when the run computed it.
#include <QWidget>
#include <optional>
#include <vector>

#include "calculation/driver.h"
#include "calculation/inspections.h"
#include "exactplan/plan_search.h"

class QLabel;
class QTabWidget;

namespace tessavin::ui {

class StringGrid;

class InspectionsPage : public QWidget {
    Q_OBJECT
  public:
    // Built as the next tab of `pages`.
    explicit InspectionsPage(QTabWidget* pages);

    // Empty tables, all hidden, no exact plan.
    void clear();
    // The tables and their titles, shown again by the next run.
    void hideTables();
    // A run starts: the plan's years are cleared and every table hidden.
    void startRun();
    // The run's years are known: the year table has `rows` rows, empty.
    void startYearTable(int rows);
    void addYear(const YearRow& row);
    // The first inspection was found: the year and plan tables with every title.
    void showTables();
    void showFurtherTable();
    void showPlan(const InspectionPlan& plan);
    // The curves after one inspection (StringGrid4) with its title.
    void showInspectionTable(const InspectionTable& table);

    // `pastInspections`: the inspections without a find that the plan was updated after.
    void showExactPlan(const exactplan::PlanCurves& plan, const std::vector<int>& pastInspections);
    const exactplan::PlanCurves* exactPlan() const { return exact_ ? &*exact_ : nullptr; }

    // Texts composed by the page, again in the language in effect; `inspection` is the one
    // whose curves the table shows.
    void applyLanguage(int inspection);

  signals:
    // A row of the rule's plan was chosen (1 .. the inspections found, as far as the page knows).
    void inspectionChosen(int row);

  private:
    void buildExactPlan();
    void hideExactPlan();
    void exactPlanTexts();

    std::optional<exactplan::PlanCurves> exact_; // the exact plan shown
    std::vector<int> pastInspections_;           // the ones it was updated after

    // Members are named after what they show; the comment gives the objectName.
    StringGrid* yearTable_ = nullptr;        // StringGrid3: pU, pD, pF and β of every year
    StringGrid* furtherTable_ = nullptr;     // StringGrid4: D, F, Fi after further inspections
    StringGrid* planTable_ = nullptr;        // StringGrid5: each inspection's two years
    QLabel* yearTableTitle_ = nullptr;       // Label18
    QLabel* yearTableSubtitle_ = nullptr;    // Label22
    QLabel* planTableTitle_ = nullptr;       // Label21
    QLabel* furtherTableTitle_ = nullptr;    // Label30
    QLabel* furtherTableSubtitle_ = nullptr; // Label32
    QLabel* rulePlanTitle_ = nullptr;        // LPlanPravidla, over Label21 when both plans show
    QLabel* exactPlanTitle_ = nullptr;       // LPlanPresny
    QLabel* exactPlanNote_ = nullptr;        // LPlanPresnyPozn: past inspections, why it stops
    StringGrid* exactTable_ = nullptr;       // StringGrid6: the exact plan's inspections
};

} // namespace tessavin::ui
