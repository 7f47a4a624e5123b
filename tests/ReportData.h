#pragma once
// Report data for the tests and the report benchmark: a generated register with what breaks
// counting (dates shared by several documents, empty fields, both kinds of documents, many
// documents per patient inside and outside the period, area codes with leading zeros and
// areas without a code, several cities, both sexes, ages on the bounds), and a plain
// per-patient walk of the summary reports that follows the reports' description step by
// step: every patient with a document, his earliest document of the period, its row, the
// base filter and each counter's condition tested on that row.
#include "data/Unit_Database.h"
#include <QDate>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <vector>

namespace ReportData {

// Cities 1..3 (3 is another town), areas with codes "1", "2", "05", "5", "12" and one without.
inline void Generate(QSqlDatabase& db, int patients, int documents, quint32 seed = 7)
{
    QRandomGenerator rnd(seed);
    TDatabase::Transaction(db);
    QSqlQuery q(db);
    TDatabase::Exec(q, "insert into City(CityLID, CityName) values (1, 'ГОРОДСК'), (2, 'ЗАРЕЧЬЕ'), (3, 'ДАЛЬНИЙ')");
    TDatabase::Exec(q, "insert into Street(StrLID, StrName, CityLID) values (1, 'УЛ. ЛЕСНАЯ', 1), (2, 'УЛ. МИРА', 2), (3, 'УЛ. ПОЛЕВАЯ', 3)");
    TDatabase::Exec(q, "insert into RegistrationArea(AreaLID, AreaCode, HspGID) values "
                       "(1, '1', 1), (2, '2', 1), (3, '05', 1), (4, '5', 1), (5, '12', 1), (6, null, 1)");
    QSqlQuery a(db), p(db), d(db), pi(db), sc(db), diag(db);
    TDatabase::Prepare(a, "insert into Address(AdrLID, AdrHousNum, AdrRoomNum, CityLID, StrLID) values (:id, :h, :r, :c, :c)");
    TDatabase::Prepare(p, "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch, PrnSex, PrnDate, AreaLID, AdrLID) "
                          "values (:id, :sn, 'ИВАН', 'ИВАНОВИЧ', :sex, :birth, :area, :id)");
    TDatabase::Prepare(d, "insert into Document(DocLID, DocDate, DtpGID, PrnLID) values (:id, :date, :kind, :prn)");
    TDatabase::Prepare(pi, "insert into PrimaryInspection(DocLID, ObjCAD, ObjDAD, PinPrepAD, Dispanser, Smoking, Spirits, "
                           "IndexKetle, AlsBlChol, AlsBlGluk, AlsUrAlbum, EKGNegT, HypFather, CrDate) "
                           "values (:id, :hi, :lo, :prep, :disp, :smk, :alc, :ik, :chol, :gluk, :alb, :ekg, :fam, :cr)");
    TDatabase::Prepare(sc, "insert into ScriningCard(DocLID, ADSredHi, ADSredLow, Preparat, Dispanser, Smoking, AlkWine, "
                           "IndexKetle, Holest, BloodGluk, COE, MotherDiabet, CrDate) "
                           "values (:id, :hi, :lo, :prep, :disp, :smk, :alc, :ik, :chol, :gluk, :alb, :fam, :cr)");
    TDatabase::Prepare(diag, "insert into PrimDiag(DiagGID, DocLID, DiagType) values (9, :id, 1)");
    const QDate today(2026, 12, 10);
    const QDate first(2025, 1, 1);
    const int span = int(first.daysTo(today));
    auto maybe = [&](int percentNull, const QVariant& v) { return int(rnd.bounded(100)) < percentNull ? QVariant() : v; };
    for (int i = 1; i <= patients; ++i) {
        const int city = 1 + int(rnd.bounded(3));
        a.bindValue(":id", i);
        a.bindValue(":h", QString::number(1 + rnd.bounded(90)));
        a.bindValue(":r", rnd.bounded(3) == 0 ? QString() : QString::number(rnd.bounded(200)));
        a.bindValue(":c", city);
        TDatabase::Exec(a);
        // Ages: around the bounds 10 and 70 for one in four, anywhere otherwise.
        QDate birth;
        switch (rnd.bounded(8)) {
        case 0: birth = today.addYears(-70).addDays(int(rnd.bounded(730)) - 365); break;
        case 1: birth = today.addYears(-10).addDays(int(rnd.bounded(730)) - 365); break;
        default: birth = today.addDays(-int(rnd.bounded(90 * 365))); break;
        }
        p.bindValue(":id", i);
        p.bindValue(":sn", QString("ФАМИЛИЯ%1").arg(i));
        p.bindValue(":sex", maybe(3, int(rnd.bounded(2))));
        p.bindValue(":birth", maybe(2, birth.toString("yyyy-MM-dd")));
        p.bindValue(":area", 1 + int(rnd.bounded(6)));
        TDatabase::Exec(p);
    }
    for (int id = 1; id <= documents; ++id) {
        const int prn = 1 + int(rnd.bounded(patients));
        const int kind = 1 + int(rnd.bounded(2));
        // Dates on few distinct days, so that a patient's documents often share one.
        const QDate date = first.addDays(int(rnd.bounded(span / 7)) * 7);
        d.bindValue(":id", id);
        d.bindValue(":date", date.toString("yyyy-MM-dd"));
        d.bindValue(":kind", kind);
        d.bindValue(":prn", prn);
        TDatabase::Exec(d);
        QSqlQuery& t = kind == 1 ? pi : sc;
        const int hi = 100 + int(rnd.bounded(110));
        const int lo = 60 + int(rnd.bounded(60));
        t.bindValue(":id", id);
        t.bindValue(":hi", maybe(5, hi));
        t.bindValue(":lo", maybe(5, lo));
        t.bindValue(":prep", maybe(5, int(rnd.bounded(3) == 0)));
        t.bindValue(":disp", maybe(10, int(rnd.bounded(3))));
        t.bindValue(":smk", maybe(10, int(rnd.bounded(2))));
        t.bindValue(":alc", maybe(10, int(rnd.bounded(3))));
        t.bindValue(":ik", maybe(10, 17.0 + rnd.bounded(160) / 10.0));
        t.bindValue(":chol", maybe(20, 4.0 + rnd.bounded(40) / 10.0));
        t.bindValue(":gluk", maybe(20, 4.0 + rnd.bounded(30) / 10.0));
        t.bindValue(":alb", maybe(50, rnd.bounded(3) / 10.0));
        t.bindValue(":ekg", maybe(20, int(rnd.bounded(4) == 0)));
        t.bindValue(":fam", maybe(20, int(rnd.bounded(4) == 0)));
        const QDate made = rnd.bounded(10) == 0 ? date.addDays(int(rnd.bounded(3))) : date;
        t.bindValue(":cr", QString("%1 %2:%3:00").arg(made.toString("yyyy-MM-dd")).arg(rnd.bounded(24), 2, 10, QChar('0'))
                               .arg(rnd.bounded(60), 2, 10, QChar('0')));
        TDatabase::Exec(t);
        if (kind == 1 && rnd.bounded(4) == 0) {
            diag.bindValue(":id", id);
            TDatabase::Exec(diag);
        }
    }
    TDatabase::Commit(db);
}

// The counters of a summary report as the walk needs them: for each document kind the
// table, its alias and the columns the conditions read, the conditions in the report's
// order (each tested on top of the base filter), and whether an area without code counts.
struct TWalkReport {
    QStringList sheetConditions;
    QStringList cardConditions;
    bool areaNullCounts = false;
};

inline TWalkReport WalkReport(int report)
{
    const QString hs = "PI.ObjCAD >= 140 or PI.ObjDAD >= 90 or PI.PinPrepAD=1";
    const QString hc = "SC.ADSredHi >= 140 or SC.ADSredLow >= 90 or SC.Preparat=1";
    switch (report) {
    case 1:
        return {{"PI.AlsUrAlbum<>0 or PI.AlsUrRed<>0 or PI.AlsUrLeucs<>0 or PI.AlsBlHb<>0 or PI.AlsBlCOE<>0 or "
                 "PI.AlsBlRed<>0 or PI.AlsBlChol<>0 or PI.AlsBlGluk<>0 or PI.EKGHemChng=1 or PI.EKGDeprSt=1 or "
                 "PI.EKGNegT=1 or PI.EyeAngGip=1 or PI.EyeAngAter=1",
                 "PI.Dispanser=2", "PI.Dispanser=1"},
                {"SC.BloodGluk<>0 or SC.Holest<>0 or SC.HolestLPVP<>0 or SC.Trigliceridy<>0 or SC.Gemoglobin<>0 or "
                 "SC.Eritrocity<>0 or SC.COE<>0",
                 "SC.Dispanser=2", "SC.Dispanser=1"}};
    case 2:
        return {{hs, "PI.PinPrepAD=1"}, {hc, "SC.Preparat=1"}};
    case 3: {
        TWalkReport r;
        r.areaNullCounts = true;
        const QStringList s = {"PI.Smoking=1", "PI.Spirits>=1", "PI.IndexKetle>24.9", "PI.IndexKetle<19.0"};
        const QStringList c = {"SC.Smoking=1", "SC.AlkBeer=1 or SC.AlkWine=1 or SC.AlkVodka=1", "SC.IndexKetle>24.9",
                               "SC.IndexKetle<19.0"};
        r.sheetConditions = s;
        r.cardConditions = c;
        r.sheetConditions << hs;
        r.cardConditions << hc;
        for (const QString& f : s)
            r.sheetConditions << "(" + hs + ") and (" + f + ")";
        for (const QString& f : c)
            r.cardConditions << "(" + hc + ") and (" + f + ")";
        r.sheetConditions << "not (" + hs + ")";
        r.cardConditions << "not (" + hc + ")";
        for (const QString& f : s)
            r.sheetConditions << "not (" + hs + ") and (" + f + ")";
        for (const QString& f : c)
            r.cardConditions << "not (" + hc + ") and (" + f + ")";
        return r;
    }
    case 4: {
        TWalkReport r;
        r.areaNullCounts = true;
        for (const QString& k : {QString("PI"), QString("SC")}) {
            const QString cad = k == "PI" ? "PI.ObjCAD" : "SC.ADSredHi";
            const QString dad = k == "PI" ? "PI.ObjDAD" : "SC.ADSredLow";
            const QString prep = k == "PI" ? "PI.PinPrepAD=1" : "SC.Preparat=1";
            const QString h = QString("(%1>=140 or %2>=90 or %3)").arg(cad, dad, prep);
            const QString g1 = QString("(%1>=140 or %2>=90) and %1<160 and %2<100").arg(cad, dad);
            const QString g2 = QString("(%1>=160 or %2>=100) and %1<180 and %2<110").arg(cad, dad);
            const QString g3 = QString("(%1>=180 or %2>=110)").arg(cad, dad);
            QStringList& list = k == "PI" ? r.sheetConditions : r.cardConditions;
            list << h;
            for (const QString& g : {g1, g2, g3})
                list << h + " and " + g << h + " and " + g + " and " + prep;
        }
        return r;
    }
    }
    return {};
}

struct TWalkParams {
    int cityLID = -1;
    QStringList areaCodes; // the codes the area list gives
    QDate start, stop;
    int ageMin = 10, ageMax = 70;
    int sex = 2;
};

// [0] the total, then one count per condition.
inline std::vector<int> Walk(QSqlDatabase& db, int report, const TWalkParams& w)
{
    const TWalkReport r = WalkReport(report);
    std::vector<int> counts(size_t(r.sheetConditions.size()) + 1, 0);
    QSqlQuery persons(db);
    TDatabase::Exec(persons, "select distinct Person.PrnLID from Person,Document where Person.PrnLID=Document.PrnLID");
    QSqlQuery first(db);
    TDatabase::Prepare(first, "select DocLID,DocDate,DtpGID from Document where PrnLID=:prn and DocDate>=:start "
                              "and DocDate<=:stop order by DocDate, DocLID");
    QStringList areaItems;
    for (const QString& code : w.areaCodes)
        areaItems << "'" + QString(code).replace("'", "''") + "'";
    QString area = "RA.AreaCode in (" + areaItems.join(',') + ")";
    if (w.areaCodes.isEmpty())
        area = "1=0";
    if (r.areaNullCounts)
        area = "(" + area + " or RA.AreaCode is null)";
    QString filter;
    if (w.cityLID != -1)
        filter += QString("CityLID=%1 and ").arg(w.cityLID);
    if (w.sex == 0 || w.sex == 1)
        filter += QString("PrnSex=%1 and ").arg(w.sex);
    filter += QString("Age>=%1 and Age<=%2 and DocDate>='%3' and DocDate<='%4'")
                  .arg(w.ageMin)
                  .arg(w.ageMax)
                  .arg(w.start.toString("yyyy-MM-dd"), w.stop.toString("yyyy-MM-dd"));
    QSqlQuery row[2] = {QSqlQuery(db), QSqlQuery(db)};
    for (int k = 0; k < 2; ++k) {
        const QStringList& conditions = k == 0 ? r.sheetConditions : r.cardConditions;
        QStringList tests{QString("case when %1 then 1 else 0 end").arg(filter)};
        for (const QString& c : conditions)
            tests << QString("case when %1 and (%2) then 1 else 0 end").arg(filter, c);
        const QString table = k == 0 ? "PrimaryInspection PI" : "ScriningCard SC";
        const QString alias = k == 0 ? "PI" : "SC";
        // The row of the document, then the filter and conditions on it.
        TDatabase::Prepare(row[k], QString("select %1 from (select RA.AreaCode, Per.PrnLID, "
                                           "(julianday(Doc.DocDate)-julianday(Per.PrnDate))/365.0 as Age, Doc.DocDate, "
                                           "Per.PrnSex, City.CityName, City.CityLID, %2.* "
                                           "from RegistrationArea RA, Person Per, Document Doc, Address Ad, City, %3 "
                                           "where Per.PrnLID=Doc.PrnLID and Per.AreaLID=RA.AreaLID and Doc.DocLID=%2.DocLID "
                                           "and Per.AdrLID=Ad.AdrLID and Ad.CityLID=City.CityLID and Doc.DocLID=:doc and %4) %2")
                                       .arg(tests.join(", "), alias, table, area));
    }
    while (persons.next()) {
        first.bindValue(":prn", persons.value(0));
        first.bindValue(":start", w.start.toString("yyyy-MM-dd"));
        first.bindValue(":stop", w.stop.toString("yyyy-MM-dd"));
        TDatabase::Exec(first);
        if (!first.next())
            continue;
        const int kind = first.value(2).toInt();
        if (kind != 1 && kind != 2)
            continue;
        QSqlQuery& q = row[kind - 1];
        q.bindValue(":doc", first.value(0));
        TDatabase::Exec(q);
        if (q.next() && q.value(0).toInt() == 1)
            for (size_t i = 0; i < counts.size(); ++i)
                counts[i] += q.value(int(i)).toInt();
        q.finish();
        first.finish();
    }
    return counts;
}

} // namespace ReportData
