#include "reports/Unit_Report6.h"

void TReport6::RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress)
{
    TReport6 report(std::move(db), params, decimals, std::move(progress));
    ::RunReport(report);
}

void TReport6::ParseParameters()
{
    TPatientList::ParseParameters();
    m_maxStart = ParseWholeNumber(Item(8));
    m_maxStop = ParseWholeNumber(Item(9));
    m_minStart = ParseWholeNumber(Item(10));
    m_minStop = ParseWholeNumber(Item(11));
    m_title = Item(12);
    SetSource(ParseWholeNumber(Item(13)));
}

QVariantMap TReport6::ExtraBindings() const
{
    return {{":max_start", m_maxStart}, {":max_stop", m_maxStop}, {":min_start", m_minStart}, {":min_stop", m_minStop}};
}

QString TReport6::SelectColumns() const
{
    return Sheets() ? "p.prndate, c.cityname, s.strname, a.adrhousnum, a.adrroomnum, pi.dispanser, pi.smoking,"
                      " pi.alsblchol holesterin, pi.indexketle, pi.alsblgluk sahar, pi.objcad hi, pi.objdad low"
                    : "p.prndate, c.cityname, s.strname, a.adrhousnum, a.adrroomnum, sc.dispanser, sc.smoking,"
                      " sc.holest holesterin, sc.indexketle, sc.bloodgluk sahar, sc.adsredhi hi, sc.adsredlow low";
}

QString TReport6::MadeInPeriod(const QString& alias)
{
    // The stamp holds the time of day: the period's end date reaches to its midnight.
    return QString("(%1.crdate >= :start and %1.crdate < :stop_next)").arg(alias);
}

QString TReport6::ListConditions() const
{
    return Sheets() ? "(pi.objcad between :max_start and :max_stop) and (pi.objdad between :min_start and :min_stop) and " +
                          MadeInPeriod("pi")
                    : "(sc.adsredhi between :max_start and :max_stop) and (sc.adsredlow between :min_start and :min_stop) and " +
                          MadeInPeriod("sc");
}

QStringList TReport6::TitleLines() const { return {m_title, SourceLine()}; }

std::vector<TListColumn> TReport6::CommonColumns(const QString& sugarHead)
{
    return {
        {"", "№ п/п", 12, [](const QSqlRecord&, int n) { return QString::number(n); }},
        {"", "Ф.И.О.", 51, [](const QSqlRecord& r, int) { return FullName(r); }},
        {"", "Дата рождения", 21,
         [](const QSqlRecord& r, int) {
             const QDate d = QDate::fromString(r.value("prndate").toString().left(10), "yyyy-MM-dd");
             return d.isValid() ? ShortDateText(d) : QString();
         }},
        {"", "Адрес", 54, [](const QSqlRecord& r, int) { return AddressText(r); }},
        {"", "Состоит на \"Д\" учете", 20, [](const QSqlRecord& r, int) { return Flag(r.value("dispanser")); }, 11, true},
        {"Факторы риска", "Курение", 17, [](const QSqlRecord& r, int) { return Flag(r.value("smoking")); }, 11, true},
        {"Факторы риска", "Повышен. холестерин", 23, [](const QSqlRecord& r, int) { return Mark(r.value("holesterin"), 6.75); }, 8, true},
        {"Факторы риска", "Ожирение", 20, [](const QSqlRecord& r, int) { return Mark(r.value("indexketle"), 29); }, 11, true},
        {"Факторы риска", sugarHead, 17, [](const QSqlRecord& r, int) { return Mark(r.value("sahar"), 5.5); }, 8, true},
    };
}

std::vector<TListColumn> TReport6::Columns() const
{
    std::vector<TListColumn> c = CommonColumns("Повышен. сахар");
    c.push_back({"", "Примечание", 34, [](const QSqlRecord&, int) { return QString(); }});
    return c;
}
