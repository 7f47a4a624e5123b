#pragma once
// Report 3: how often smoking, alcohol, overweight and underweight occur among the examined,
// among those with arterial hypertension and among those without. Every share is of the
// total examined.
#include "reports/Unit_SummaryReport.h"

class TReport3 : public TSummaryReport {
public:
    using TSummaryReport::TSummaryReport;
    static void RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress);

protected:
    std::vector<TCounterCondition> Conditions() const override;
    bool AreaNullCounts() const override { return true; }
    QStringList TitleLines() const override;
    void FillTable() override;
};
