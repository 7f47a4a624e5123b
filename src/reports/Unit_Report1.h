#pragma once
// Report 1: results of the active detection of arterial hypertension by polyclinic and
// therapeutic area. Rows 1 and 2 come from two statements of their own over every
// patient examined in the period (age today); rows 3 to 6 from the summary walk.
#include "reports/Unit_SummaryReport.h"

class TReport1 : public TSummaryReport {
public:
    using TSummaryReport::TSummaryReport;
    static void RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress);

    int PersonsExamined() const { return m_examined; } // statement A
    int PersonsWithHypertension() const { return m_hypertensive; } // statement B
    // B / A x 100 to the nearest whole number, a half going to the even neighbour.
    static int RoundHalfEven(int part, int whole);

protected:
    std::vector<TCounterCondition> Conditions() const override;
    QStringList TitleLines() const override;
    void FillTable() override;
    void ExtraSteps() override;

private:
    int CountPersons(bool withHypertension);
    int m_examined = 0;
    int m_hypertensive = 0;
};
