#pragma once
// Report 4: blood pressure grades (WHO classification) among the examined with arterial
// hypertension, and drug intake within each grade. Grades take the higher class of the two
// pressures; shares of a grade's drug intake are of the grade.
#include "reports/Unit_SummaryReport.h"

class TReport4 : public TSummaryReport {
public:
    using TSummaryReport::TSummaryReport;
    static void RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress);

protected:
    std::vector<TCounterCondition> Conditions() const override;
    bool AreaNullCounts() const override { return true; }
    QStringList TitleLines() const override;
    void FillTable() override;
};
