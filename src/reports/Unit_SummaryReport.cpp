#include "reports/Unit_SummaryReport.h"
#include "data/Unit_Database.h"
#include "reports/Unit_ReportHeader.h"

TCounterCondition TCounterCondition::BothKinds(const QString& sheet)
{
    QString card = sheet;
    card.replace("PI.ObjCAD", "SC.ADSredHi").replace("PI.ObjDAD", "SC.ADSredLow").replace("PI.PinPrepAD", "SC.Preparat");
    card.replace("PI.", "SC.");
    return {sheet, card};
}

QString TSummaryReport::AgeExpression()
{
    return QStringLiteral("((julianday(Doc.DocDate) - julianday(Per.PrnDate)) / 365.0)");
}

QString TSummaryReport::BaseFilter()
{
    return QString("(:citylid = -1 or City.CityLID = :citylid)"
                   " and (:sex not in (0, 1) or Per.PrnSex = :sex)"
                   " and %1 >= :age_min and %1 <= :age_max"
                   " and Doc.DocDate >= :start and Doc.DocDate <= :stop")
        .arg(AgeExpression());
}

std::vector<int> TSummaryReport::CountFirstDocuments(const std::vector<TCounterCondition>& conditions)
{
    // One pass over both kinds: a counter's condition is the sheet's or the card's as the
    // document is one or the other.
    QStringList sums{"count(*)"};
    for (const TCounterCondition& c : conditions)
        sums << QString("coalesce(sum(case when (f.DtpGID = 1 and (%1)) or (f.DtpGID = 2 and (%2)) then 1 else 0 end), 0)")
                    .arg(c.sheet, c.card);
    QString area = Areas().Condition("RA.AreaCode");
    if (AreaNullCounts())
        area = "(" + area + " or RA.AreaCode is null)";
    // The earliest document of the period per patient, ties broken by the smaller identifier.
    // The period holds a large share of all documents: one scan of the table and a sort
    // beat visiting every row through the patient index.
    const QString sql =
        QString("with first as ("
                " select DocLID, DtpGID from ("
                "  select d.DocLID, d.DtpGID,"
                "   row_number() over (partition by d.PrnLID order by d.DocDate, d.DocLID) as rn"
                "  from Document d not indexed where d.DocDate >= :start and d.DocDate <= :stop)"
                " where rn = 1) "
                "select %1 from first f"
                " join Document Doc on Doc.DocLID = f.DocLID"
                " join Person Per on Per.PrnLID = Doc.PrnLID"
                " join RegistrationArea RA on Per.AreaLID = RA.AreaLID"
                " join Address Ad on Per.AdrLID = Ad.AdrLID"
                " join City on Ad.CityLID = City.CityLID"
                " left join PrimaryInspection PI on f.DtpGID = 1 and PI.DocLID = Doc.DocLID"
                " left join ScriningCard SC on f.DtpGID = 2 and SC.DocLID = Doc.DocLID"
                " where ((f.DtpGID = 1 and PI.DocLID is not null) or (f.DtpGID = 2 and SC.DocLID is not null))"
                " and %2 and %3")
            .arg(sums.join(", "), area, BaseFilter());
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    TDatabase::Prepare(q, sql);
    BindCommon(q);
    TDatabase::Exec(q);
    std::vector<int> counts(conditions.size() + 1, 0);
    if (q.next())
        for (size_t i = 0; i < counts.size(); ++i)
            counts[i] = q.value(int(i)).toInt();
    return counts;
}

void TSummaryReport::CollectData()
{
    const std::vector<TCounterCondition> conditions = Conditions();
    m_counts = CountFirstDocuments(conditions);
    Progress(100);
    m_rows.clear();
    FillTable();
    ExtraSteps();
    PageLayout().SetTitle(TitleLines().join(' '));
    LayOut();
}

void TSummaryReport::AddRow(const QString& number, const QString& caption, const QString& abs, const QString& pct,
                            int lines)
{
    m_rows.push_back({{number, caption, abs, pct}, {7, 122, 24, 24}, lines, true});
}

void TSummaryReport::LayOut()
{
    TReportLayout& layout = PageLayout();
    AddTitleMemo(layout, TitleLines(), 12, true);
    AddSummaryHeader(layout, m_params, AreaNullCounts());
    TReportTable& table = PrintedTable();
    table.rows.push_back({"№", "Показатели", "Абс.", "%"});
    for (const TSummaryRow& row : m_rows) {
        const double height = row.lines * kLineHeight + 1;
        TReportBand band{height, {}};
        double x = 7;
        for (int i = 0; i < row.cells.size(); ++i) {
            const double w = row.widths[size_t(i)];
            TReportCell& c = band.Add({x, 0, w, height}, row.cells[i]).Framed(row.framed);
            // Captions read from the left; numbers stand centred in their cells.
            if (row.cells.size() == 1)
                c.Center().Wrap();
            else if (i == 1)
                c.Align(Qt::AlignLeft | Qt::AlignVCenter).Wrap();
            else
                c.Center();
            x += w;
        }
        layout.AddDetail(band);
        table.rows.push_back(row.cells);
    }
}
