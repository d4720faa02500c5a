#include "ui/main/inspections_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "localisation/captions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "ui/common/interaction.h"
#include "ui/common/named_label.h"
#include "ui/common/string_grid.h"
#include "ui/main/main_texts.h"
#include "ui/main/target_beta_box.h"

namespace tessavin::ui {
namespace {

// The widest probability text of the tables (13 significant digits).
const QString kWideProbability = "-0.0053978566135744";
const QString kBetaHeading = QStringLiteral("    β");

QString YearList(const std::vector<int>& years) {
    QStringList texts;
    for (int y : years)
        texts << QString::number(y);
    return texts.join(", ");
}

} // namespace

InspectionsPage::InspectionsPage(QTabWidget* pages) {
    setObjectName("TabSheet3");
    pages->addTab(this, QString()); // as the input page, a tab first
    auto* grid = new QGridLayout(this);
    yearTableTitle_ = NamedLabel(this, "Label18");
    yearTableSubtitle_ = NamedLabel(this, "Label22");
    planTableTitle_ = NamedLabel(this, "Label21");
    furtherTableTitle_ = NamedLabel(this, "Label30");
    furtherTableSubtitle_ = NamedLabel(this, "Label32");
    for (QLabel* l : {yearTableTitle_, yearTableSubtitle_, planTableTitle_, furtherTableTitle_,
                      furtherTableSubtitle_})
        l->setAlignment(Qt::AlignHCenter);

    planTable_ = new StringGrid("StringGrid5", 2, InspectionRows + 1, 1, 1, this);
    planTable_->fitColumns({"   Prohlídka  ", "   between the years  "});
    // p(U), p(D), p(F) and β of p(F).
    yearTable_ = new StringGrid("StringGrid3", 5, 1, 1, 1, this);
    yearTable_->fitColumns(
        {"  300", kWideProbability, kWideProbability, kWideProbability, kWideProbability}, false);
    furtherTable_ = new StringGrid("StringGrid4", 4, 1, 1, 1, this);
    furtherTable_->fitColumns({"  300", kWideProbability, kWideProbability, kWideProbability},
                              false);
    // The headings' cells, styled; the words among them come with the language.
    planTable_->setCell(0, 0, {});
    planTable_->setCell(1, 0, {});
    yearTable_->setCell(0, 0, {});
    yearTable_->setCell(1, 0, "    p ( U )");
    yearTable_->setCell(2, 0, "    p ( D )");
    yearTable_->setCell(3, 0, "    p ( F )");
    yearTable_->setCell(4, 0, kBetaHeading);
    furtherTable_->setCell(0, 0, {});
    furtherTable_->setCell(1, 0, "    p ( D )");
    furtherTable_->setCell(2, 0, "    p ( F )");
    furtherTable_->setCell(3, 0, "       F");

    buildExactPlan();
    // Each plan's title over its own; the rule's shows only beside the exact plan.
    auto* ruleTitles = new QVBoxLayout;
    ruleTitles->addWidget(rulePlanTitle_);
    ruleTitles->addWidget(planTableTitle_);
    grid->addLayout(ruleTitles, 0, 0);
    // Under the rule's table, in the room its ten rows leave: the exact plan.
    int tableHeight = 2 * planTable_->frameWidth();
    for (int r = 0; r < planTable_->rowCount(); ++r)
        tableHeight += planTable_->rowHeight(r);
    planTable_->setMaximumHeight(tableHeight + 14);
    auto* planColumn = new QVBoxLayout;
    planColumn->addWidget(planTable_);
    planColumn->addWidget(exactPlanTitle_);
    planColumn->addWidget(exactTable_);
    planColumn->addWidget(exactPlanNote_);
    planColumn->addStretch(1);
    grid->addLayout(planColumn, 1, 0, 2, 1);
    grid->addWidget(yearTableTitle_, 0, 1);
    grid->addWidget(yearTableSubtitle_, 1, 1);
    grid->addWidget(yearTable_, 2, 1);
    grid->addWidget(furtherTableTitle_, 0, 2);
    grid->addWidget(furtherTableSubtitle_, 1, 2);
    grid->addWidget(furtherTable_, 2, 2);
    grid->setRowStretch(2, 1);
    connect(planTable_, &QTableWidget::cellClicked, this,
            [this](int row, int) { emit inspectionChosen(row); });
    connect(planTable_, &QTableWidget::currentCellChanged, this,
            [this](int row, int) { emit inspectionChosen(row); });
}

void InspectionsPage::buildExactPlan() {
    rulePlanTitle_ = NamedLabel(this, "LPlanPravidla", MainPiece("RulePlanTitle"));
    exactPlanTitle_ = NamedLabel(this, "LPlanPresny", MainPiece("ExactPlanTitle"));
    exactPlanNote_ = NamedLabel(this, "LPlanPresnyPozn");
    exactPlanNote_->setWordWrap(true);
    exactTable_ =
        new StringGrid("StringGrid6", 3, exactplan::MaxPlannedInspections + 1, 1, 1, this);
    exactTable_->fitColumns({"   Prohlídka  ", "   between the years  ", "   made in  "});
    exactTable_->setMaximumHeight((exactplan::MaxPlannedInspections + 1) *
                                      exactTable_->rowHeight(0) +
                                  2 * exactTable_->frameWidth() + 14);
    for (QLabel* l : {rulePlanTitle_, exactPlanTitle_})
        l->setAlignment(Qt::AlignHCenter);
    // Its long title and note wrap, so that the column stays as wide as the tables.
    exactPlanTitle_->setWordWrap(true);
    hideExactPlan();
}

void InspectionsPage::clear() {
    planTable_->clearColumn(0, 1);
    planTable_->clearColumn(1, 1);
    yearTable_->setRows(1);
    furtherTable_->setRows(1);
    hideTables();
    hideExactPlan();
}

void InspectionsPage::hideTables() {
    for (QWidget* w :
         {static_cast<QWidget*>(yearTable_), static_cast<QWidget*>(furtherTable_),
          static_cast<QWidget*>(planTable_), static_cast<QWidget*>(yearTableTitle_),
          static_cast<QWidget*>(planTableTitle_), static_cast<QWidget*>(yearTableSubtitle_),
          static_cast<QWidget*>(furtherTableTitle_), static_cast<QWidget*>(furtherTableSubtitle_)})
        w->hide();
}

void InspectionsPage::startRun() {
    planTable_->clearColumn(1, 1);
    hideTables();
}

void InspectionsPage::startYearTable(int rows) {
    yearTable_->setRows(rows);
    yearTable_->clearContents();
    yearTable_->setCell(0, 0, Q(TextCis(msg::Year)));
    yearTable_->setCell(1, 0, "    p ( U )");
    yearTable_->setCell(2, 0, "    p ( D )");
    yearTable_->setCell(3, 0, "    p ( F )");
    yearTable_->setCell(4, 0, kBetaHeading);
}

void InspectionsPage::addYear(const YearRow& row) {
    yearTable_->setCell(0, row.row, Q(row.yearText));
    for (int c = 0; c < 3; ++c)
        yearTable_->setCell(c + 1, row.row, Q(row.texts[c]));
    yearTable_->setCell(4, row.row, BetaCellText(row.pF));
}

void InspectionsPage::showTables() {
    for (QWidget* w :
         {static_cast<QWidget*>(yearTable_), static_cast<QWidget*>(planTable_),
          static_cast<QWidget*>(yearTableTitle_), static_cast<QWidget*>(planTableTitle_),
          static_cast<QWidget*>(yearTableSubtitle_), static_cast<QWidget*>(furtherTableTitle_),
          static_cast<QWidget*>(furtherTableSubtitle_)})
        w->show();
}

void InspectionsPage::showFurtherTable() {
    furtherTable_->show();
}

void InspectionsPage::showPlan(const InspectionPlan& plan) {
    for (int r = 1; r <= InspectionRows; ++r) {
        if (plan.rows[r].rangeText.empty()) continue;
        planTable_->setCell(0, r, Q(plan.rows[r].numberText));
        planTable_->setCell(1, r, Q(plan.rows[r].rangeText));
    }
}

void InspectionsPage::showInspectionTable(const InspectionTable& table) {
    furtherTable_->setRows(static_cast<int>(table.rows.size()) + 1);
    furtherTable_->setCell(3, 0, Q(table.header));
    int r = 1;
    for (const InspectionTableRow& row : table.rows) {
        furtherTable_->setCell(0, r, Q(row.yearText));
        for (int c = 0; c < 3; ++c)
            furtherTable_->setCell(c + 1, r, Q(row.valueTexts[c]));
        ++r;
    }
    furtherTableSubtitle_->setText(Q(table.title));
}

void InspectionsPage::showExactPlan(const exactplan::PlanCurves& plan,
                                    const std::vector<int>& pastInspections) {
    exact_ = plan;
    pastInspections_ = pastInspections;
    exactTable_->setRows(static_cast<int>(plan.inspections.size()) + 1);
    int r = 1;
    for (const exactplan::ExactInspection& i : plan.inspections) {
        exactTable_->setCell(0, r, QString::number(r) + ".");
        exactTable_->setCell(1, r, QString::number(i.from) + " - " + QString::number(i.to));
        exactTable_->setCell(2, r, QString::number(i.made));
        ++r;
    }
    exactPlanTexts();
    for (QWidget* w : {static_cast<QWidget*>(rulePlanTitle_),
                       static_cast<QWidget*>(exactPlanTitle_), static_cast<QWidget*>(exactTable_)})
        w->show();
    exactPlanNote_->setVisible(!exactPlanNote_->text().isEmpty());
}

void InspectionsPage::hideExactPlan() {
    exact_.reset();
    exactTable_->setRows(1);
    for (QWidget* w :
         {static_cast<QWidget*>(rulePlanTitle_), static_cast<QWidget*>(exactPlanTitle_),
          static_cast<QWidget*>(exactPlanNote_), static_cast<QWidget*>(exactTable_)})
        w->hide();
}

// Titles, headers and note of the exact plan in the language in effect.
void InspectionsPage::exactPlanTexts() {
    rulePlanTitle_->setText(MainPiece("RulePlanTitle"));
    exactPlanTitle_->setText(MainPiece("ExactPlanTitle"));
    exactTable_->setCell(0, 0, MainPiece("ExactColumnInspection"));
    exactTable_->setCell(1, 0, MainPiece("ExactColumnBetween"));
    exactTable_->setCell(2, 0, MainPiece("ExactColumnMade"));
    if (!exact_) return;
    QString note;
    if (!pastInspections_.empty()) note = MainPiece("ExactPast") + YearList(pastInspections_);
    if (!exact_->note.empty()) note += (note.isEmpty() ? "" : "\n") + Q(exact_->note);
    exactPlanNote_->setText(note);
}

void InspectionsPage::applyLanguage(int inspection) {
    furtherTableSubtitle_->setText(Q(CaptionText(Caption::Label23)) + QString::number(inspection) +
                                   Q(CaptionText(Caption::Label31)));
    exactPlanTexts();
}

} // namespace tessavin::ui
