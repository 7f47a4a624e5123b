#include "reports/Unit_PatientList.h"
#include "app/Unit_Exceptions.h"
#include "data/Unit_Database.h"
#include "reports/Unit_ReportHeader.h"

namespace {
const double kHeaderHeight = 14;
const double kDetailHeight = 13.5;
}

QString TPatientList::FullName(const QSqlRecord& r)
{
    return r.value("prnsurname").toString() + "\n" + r.value("prnname").toString() + "\n" +
           r.value("prnotch").toString();
}

QString TPatientList::AddressText(const QSqlRecord& r)
{
    const QString room = r.value("adrroomnum").toString();
    const QString flat = room.trimmed().toInt() > 0 ? "кв." + room : QString();
    return r.value("cityname").toString() + "\n" + r.value("strname").toString() + "\nд." +
           r.value("adrhousnum").toString() + " " + flat;
}

QString TPatientList::Mark(const QVariant& value, double threshold)
{
    return !value.isNull() && value.toDouble() >= threshold ? QStringLiteral("V") : QString();
}

QString TPatientList::Flag(const QVariant& value)
{
    return !value.isNull() && value.toInt() == 1 ? QStringLiteral("V") : QString();
}

void TPatientList::SetSource(int source)
{
    if (source != 1 && source != 2)
        throw AppException(QString::fromUtf8("Неизвестный источник данных отчёта: %1.").arg(source));
    m_source = source;
}

QString TPatientList::SourceLine() const
{
    return Sheets() ? QStringLiteral("(по данным листов первичного обследования)")
                    : QStringLiteral("(по данным карт скрининга)");
}

QString TPatientList::PreviewTitle() const { return TitleLines().join(' '); }

void TPatientList::CollectData()
{
    const QString table = Sheets() ? "primaryinspection pi" : "scriningcard sc";
    const QString age = "((julianday(:now_date) - julianday(p.prndate))/365.0)";
    QString sql =
        QString("with latest as ("
                " select DocLID from ("
                "  select DocLID, row_number() over (partition by PrnLID order by DocDate desc, DocLID desc) as rn"
                "  from Document not indexed where DtpGID = %1)"
                " where rn = 1) "
                "select p.prnsurname, p.prnname, p.prnotch, %2"
                " from latest l"
                " join document d on d.doclid = l.DocLID"
                " join person p on d.prnlid = p.prnlid"
                " join %3 on %4.doclid = d.doclid"
                " join address a on a.adrlid = p.adrlid"
                " join city c on c.citylid = a.citylid"
                " join street s on s.strlid = a.strlid"
                " join registrationarea ra on ra.arealid = p.arealid"
                " where (c.citylid = :citylid or :citylid = -1)"
                " and (%5 >= :age_min and %5 <= :age_max)"
                " and ((p.prnsex = :sex) or (:sex = 2))"
                " and %6 and %7"
                " order by p.prnsurname collate UNOCASE, p.prnname collate UNOCASE, p.prnotch collate UNOCASE, p.prnlid")
            .arg(m_source)
            .arg(SelectColumns().replace("{age}", age), table, Doc(), age, Areas().Condition("ra.areacode"),
                 ListConditions());
    QSqlQuery q(Db());
    q.setForwardOnly(true);
    TDatabase::Prepare(q, sql);
    BindCommon(q);
    TDatabase::Exec(q);
    m_records.clear();
    while (q.next())
        m_records.push_back(q.record());
    Progress(100);
    PageLayout().SetTitle(PreviewTitle());
    LayOut();
}

void TPatientList::LayOut()
{
    TReportLayout& layout = PageLayout();
    layout = TReportLayout(TReportLayout::Landscape, {10, 10, RightMargin(), 10});
    layout.SetTitle(PreviewTitle());
    AddTitleMemo(layout, TitleLines(), TitlePointSize(), false);
    AddListHeader(layout, m_params);

    const std::vector<TListColumn> columns = Columns();
    TReportBand& header = layout.ColumnHeader();
    header.height = kHeaderHeight;
    TReportBand detail{kDetailHeight, {}};
    QStringList csvHeads;
    double x = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        const TListColumn& c = columns[i];
        if (c.group.isEmpty()) {
            header.Add({x, 0, c.width, kHeaderHeight}, c.head).Framed().Center().Wrap().Bold().Size(c.headPointSize);
            csvHeads << c.head;
        } else {
            // The group head spans the run of columns that share it.
            if (i == 0 || columns[i - 1].group != c.group) {
                double w = 0;
                for (size_t j = i; j < columns.size() && columns[j].group == c.group; ++j)
                    w += columns[j].width;
                header.Add({x, 0, w, kHeaderHeight / 2}, c.group).Framed().Center().Bold();
            }
            header.Add({x, kHeaderHeight / 2, c.width, kHeaderHeight / 2}, c.head)
                .Framed()
                .Center()
                .Wrap()
                .Bold()
                .Size(c.headPointSize);
            csvHeads << c.group + " " + c.head;
        }
        TReportCell& cell = detail.Add({x, 0, c.width, kDetailHeight}).Framed().Size(10).Expression(c.text);
        if (c.mark)
            cell.Center();
        else
            cell.Align(Qt::AlignLeft | Qt::AlignVCenter);
        x += c.width;
    }
    TReportTable& table = PrintedTable();
    table.rows.clear();
    table.rows.push_back(csvHeads);
    for (size_t r = 0; r < m_records.size(); ++r) {
        layout.AddDetail(detail, m_records[r], int(r) + 1);
        QStringList cells;
        for (const TReportCell& c : layout.Details().back().cells)
            cells << c.text;
        table.rows.push_back(cells);
    }
}
