#pragma once
// Report 2: intake of antihypertensive drugs in the last two weeks among the examined.
#include "reports/Unit_SummaryReport.h"

class TReport2 : public TSummaryReport {
public:
    using TSummaryReport::TSummaryReport;
    static void RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress);

protected:
    std::vector<TCounterCondition> Conditions() const override;
    QStringList TitleLines() const override;
    void FillTable() override;
};
