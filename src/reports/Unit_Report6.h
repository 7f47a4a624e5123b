#pragma once
// Report 6 (choices 6, 7 and 8): patients whose latest document of the chosen kind, made in
// the period, shows both pressures within the band of a grade of hypertension.
#include "reports/Unit_PatientList.h"

class TReport6 : public TPatientList {
public:
    using TPatientList::TPatientList;
    static void RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress);

    // The columns TReport6 and TReport7 share, up to the note; sugarHead differs.
    static std::vector<TListColumn> CommonColumns(const QString& sugarHead);
    // The condition "the document's row was made in the period", its last day included.
    static QString MadeInPeriod(const QString& alias);

protected:
    void ParseParameters() override;
    QString SelectColumns() const override;
    QString ListConditions() const override;
    QStringList TitleLines() const override;
    std::vector<TListColumn> Columns() const override;
    QVariantMap ExtraBindings() const override;

    QString m_title;
    int m_maxStart = 0, m_maxStop = 0, m_minStart = 0, m_minStop = 0;
};
