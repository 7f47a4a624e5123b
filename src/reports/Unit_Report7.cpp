#include "reports/Unit_Report7.h"

void TReport7::RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress)
{
    TReport7 report(std::move(db), params, decimals, std::move(progress));
    ::RunReport(report);
}

void TReport7::ParseParameters()
{
    TPatientList::ParseParameters();
    m_title = Item(8);
    SetSource(ParseWholeNumber(Item(9)));
}

QString TReport7::ListConditions() const { return MadeInPeriod(Doc()); }

QString TReport7::Grade(const QVariant& hi, const QVariant& low)
{
    if (hi.isNull() || low.isNull())
        return QString();
    const int h = hi.toInt(), l = low.toInt();
    if (h >= 140 && h <= 159 && l >= 90 && l <= 99)
        return QStringLiteral("I степень");
    if (h >= 160 && h <= 179 && l >= 100 && l <= 109)
        return QStringLiteral("II степень");
    if (h >= 180 && l >= 110)
        return QStringLiteral("III степень");
    return QString();
}

std::vector<TListColumn> TReport7::Columns() const
{
    std::vector<TListColumn> c = CommonColumns("Повыш. сахар");
    c.push_back({"", "Примечание", 34, [](const QSqlRecord& r, int) { return Grade(r.value("hi"), r.value("low")); }});
    return c;
}
