#pragma once
// Report 5: patients with raised cholesterol, blood sugar or body-mass index at their latest
// document of the chosen kind, when that document lies in the period.
#include "reports/Unit_PatientList.h"

class TReport5 : public TPatientList {
public:
    using TPatientList::TPatientList;
    static void RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress);

protected:
    void ParseParameters() override;
    QString SelectColumns() const override;
    QString ListConditions() const override;
    QStringList TitleLines() const override;
    std::vector<TListColumn> Columns() const override;
    double RightMargin() const override { return 10; }
    double TitlePointSize() const override { return 14; }
};
