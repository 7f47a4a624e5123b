#pragma once
// A small hand-made register for report tests: cities, areas, patients with addresses and
// their sheets and cards, written field by field; and the report parameter list as the
// wizard packs it.
#include "TestSupport.h"
#include "data/Unit_Database.h"
#include "reports/Unit_ReportBase.h"
#include <QSqlQuery>
#include <QVariantMap>

namespace TestSupport {

struct TReportFixture {
    TWorkstation ws;
    int nextDoc = 100;

    TReportFixture()
    {
        ws.Exec("insert into City(CityLID, CityName) values (1, 'ГОРОДСК'), (2, 'ЗАРЕЧЬЕ')");
        ws.Exec("insert into Street(StrLID, StrName, CityLID) values (1, 'УЛ. ЛЕСНАЯ', 1), (2, 'УЛ. МИРА', 2)");
        ws.Exec("insert into RegistrationArea(AreaLID, AreaCode, HspGID) values "
                "(1, '1', 1), (2, '2', 1), (3, '05', 1), (4, '5', 1), (5, '07', 1), (6, null, 1), (7, 'x''y', 1)");
    }
    QSqlDatabase Db() { return ws.Db(); }

    void Insert(const QString& table, const QVariantMap& values)
    {
        QStringList names, marks;
        for (auto it = values.begin(); it != values.end(); ++it) {
            names << it.key();
            marks << ":" + it.key();
        }
        QSqlQuery q(ws.Db());
        TDatabase::Prepare(q, QString("insert into %1(%2) values (%3)").arg(table, names.join(','), marks.join(',')));
        for (auto it = values.begin(); it != values.end(); ++it)
            q.bindValue(":" + it.key(), it.value());
        TDatabase::Exec(q);
    }
    // A patient of area areaLID living in city (street = city), born on birth (yyyy-MM-dd).
    void Person(int prn, const QString& surname, int sex, const QString& birth, int areaLID = 1, int city = 1,
                const QString& house = "12", const QString& room = QString())
    {
        Insert("Address", {{"AdrLID", prn}, {"AdrHousNum", house}, {"AdrRoomNum", room}, {"CityLID", city}, {"StrLID", city}});
        Insert("Person", {{"PrnLID", prn}, {"PrnSurName", surname}, {"PrnName", "ИВАН"}, {"PrnOtch", "ИВАНОВИЧ"},
                          {"PrnSex", sex}, {"PrnDate", birth}, {"AreaLID", areaLID}, {"AdrLID", prn}});
    }
    // A document of the kind (1 sheet, 2 card) dated date; fields of its own table. The row's
    // creation stamp is the date at 09:00 unless fields name CrDate.
    int Document(int kind, int prn, const QString& date, QVariantMap fields = {})
    {
        const int id = nextDoc++;
        Insert("Document", {{"DocLID", id}, {"DocDate", date}, {"DtpGID", kind}, {"PrnLID", prn}});
        fields["DocLID"] = id;
        if (!fields.contains("CrDate"))
            fields["CrDate"] = date + " 09:00:00";
        Insert(kind == 1 ? "PrimaryInspection" : "ScriningCard", fields);
        return id;
    }
    int Sheet(int prn, const QString& date, const QVariantMap& fields = {}) { return Document(1, prn, date, fields); }
    int Card(int prn, const QString& date, const QVariantMap& fields = {}) { return Document(2, prn, date, fields); }
    void Diagnosis(int doc, int diag) { Insert("PrimDiag", {{"DiagGID", diag}, {"DocLID", doc}, {"DiagType", 1}}); }
};

// Items 0 to 7 as the wizard packs them (dates in the short date format).
struct TListParams {
    QString city = "*", cityLID = "0", areas = "1-100";
    QDate from = QDate(2026, 1, 1), to = QDate(2026, 12, 31);
    QString ageMin = "10", ageMax = "70", sex = "2";
    QStringList Items(const QStringList& more = {}) const
    {
        return QStringList{city, cityLID, areas, ShortDateText(from), ShortDateText(to), ageMin, ageMax, sex} + more;
    }
};

} // namespace TestSupport
