#include "reports/Unit_Report1.h"
#include "data/Unit_Database.h"

void TReport1::RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress)
{
    TReport1 report(std::move(db), params, decimals, std::move(progress));
    ::RunReport(report);
}

std::vector<TCounterCondition> TReport1::Conditions() const
{
    return {
        {"PI.AlsUrAlbum<>0 or PI.AlsUrRed<>0 or PI.AlsUrLeucs<>0 or PI.AlsBlHb<>0 or PI.AlsBlCOE<>0 or PI.AlsBlRed<>0"
         " or PI.AlsBlChol<>0 or PI.AlsBlGluk<>0 or PI.EKGHemChng=1 or PI.EKGDeprSt=1 or PI.EKGNegT=1"
         " or PI.EyeAngGip=1 or PI.EyeAngAter=1",
         "SC.BloodGluk<>0 or SC.Holest<>0 or SC.HolestLPVP<>0 or SC.Trigliceridy<>0 or SC.Gemoglobin<>0"
         " or SC.Eritrocity<>0 or SC.COE<>0"},
        TCounterCondition::BothKinds("PI.Dispanser=2"),
        TCounterCondition::BothKinds("PI.Dispanser=1"),
    };
}

QStringList TReport1::TitleLines() const
{
    return {"Результаты активного выявления артериальной гипертонии по поликлинике,", "терапевтическому участку"};
}

int TReport1::RoundHalfEven(int part, int whole)
{
    if (whole == 0)
        return 0;
    const qint64 num = qint64(part) * 100;
    qint64 q = num / whole;
    const qint64 twice = 2 * (num % whole);
    if (twice > whole || (twice == whole && q % 2 != 0))
        ++q;
    return int(q);
}

void TReport1::FillTable()
{
    const int investigated = 1, fresh = 2, before = 3;
    const QString registered = Total() == 0 ? "0" : QString::number(m_counts[fresh] + m_counts[before]);
    AddRow("  1  ", " Общее количество осмотренных", QString::number(Total()), TotalShare());
    AddRow("  2  ", " Количество выявленных лиц с артериальной\n гипертонией", "0", "0", 2);
    AddRow("  3  ", " Количество обследованных лиц с артериальной\n гипертонией", Count(investigated),
           Share(investigated), 2);
    AddRow("  4  ", " Количество впервые взятых на\n диспансерный отчёт", Count(fresh), Share(fresh), 2);
    AddRow("  5  ", " Количество состоявших ранее на диспансерном\n учёте", Count(before), Share(before), 2);
    AddRow("  6  ", " Итого: Количество находящихся на диспансерном\n учёте", registered,
           Percent(m_counts[fresh] + m_counts[before], Total()), 2);
}

int TReport1::CountPersons(bool withHypertension)
{
    QString sql =
        "select count(distinct p.prnlid) from person p, document d, address a, city c, registrationarea ra";
    if (withHypertension)
        sql += ", primdiag pd";
    sql += " where d.prnlid = p.prnlid and a.adrlid = p.adrlid and c.citylid = a.citylid and ra.arealid = p.arealid"
           " and (p.prnsex = :sex or :sex = 2)"
           " and " + Areas().Condition("ra.areacode") +
           " and (((julianday(:now_date) - julianday(p.prndate))/365.0) >= :age_min"
           " and ((julianday(:now_date) - julianday(p.prndate))/365.0) <= :age_max)"
           " and (d.DocDate>=:start and d.DocDate<=:stop)"
           " and (c.citylid = :citylid or :citylid = -1)";
    if (withHypertension)
        sql += " and d.docdate = (select max(docdate) from document d2 where d2.prnlid = p.prnlid)"
               " and pd.doclid = d.doclid and (pd.diaggid = 9)";
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    TDatabase::Prepare(q, sql);
    BindCommon(q);
    TDatabase::Exec(q);
    return q.next() ? q.value(0).toInt() : 0;
}

void TReport1::ExtraSteps()
{
    m_examined = CountPersons(false);
    m_hypertensive = CountPersons(true);
    m_rows[0].cells[2] = QString::number(m_examined);
    m_rows[1].cells[2] = QString::number(m_hypertensive);
    m_rows[1].cells[3] = QString::number(RoundHalfEven(m_hypertensive, m_examined));
}
