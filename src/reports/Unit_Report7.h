#pragma once
// Report 7 (choice 9): every patient whose latest document of the chosen kind was made in
// the period, with the grade of hypertension of its pressures in the note.
#include "reports/Unit_Report6.h"

class TReport7 : public TReport6 {
public:
    using TReport6::TReport6;
    static void RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress);

    // "I степень", "II степень", "III степень" or empty, both pressures within the grade.
    static QString Grade(const QVariant& hi, const QVariant& low);

protected:
    void ParseParameters() override;
    QString ListConditions() const override;
    QString PreviewTitle() const override { return m_title; }
    QVariantMap ExtraBindings() const override { return {}; }
    std::vector<TListColumn> Columns() const override;
};
