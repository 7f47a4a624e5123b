// Document storage: a sheet and a card go into the database and come back unchanged, an
// update rewrites the row, the diagnosis rows follow the code lists, and every failure
// leaves the database and the object as they were.
#include "FullDocuments.h"
#include "TestSupport.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"
#include "data/Unit_DataModule.h"
#include "data/Unit_Database.h"
#include "data/Unit_DocumentColumns.h"
#include "data/Unit_Schema.h"
#include "documents/Class_PIList.h"
#include "documents/Class_ScriningCard.h"
#include <QSqlQuery>
#include <QSqlRecord>
#include <functional>

using TestSupport::TWorkstation;

namespace {

const char* const kInsertFailed = "Произошла ошибка при попытке записи новых данных. Обратитесь к разработчику.";
const char* const kUpdateFailed = "Произошла ошибка при попытке обновить данные. Обратитесь к разработчику.";
const char* const kNoDiagnoses = "Таблица диагнозов пуста. Данные о диагнозах не будут сохранятся!";

template <class Doc> struct TKind;

template <> struct TKind<TPIList> {
    static constexpr const char* Table = "PrimaryInspection";
    static constexpr const char* Diag = "PrimDiag";
    static constexpr const char* Full = kFullSheet;
    static const std::vector<TSheetColumn>& Columns() { return SheetColumns(); }
    static void Insert(TDM& dm, TPIList& d) { dm.InsertPrimaryInspection(d); }
    static void Update(TDM& dm, TPIList& d) { dm.UpdatePrimaryInspection(d); }
    static void Load(TDM& dm, TPIList& d) { dm.LoadPrimaryInspection(d); }
    static void Delete(TDM& dm, int id) { dm.DeletePrimaryInspection(id); }
};

template <> struct TKind<TScriningCard> {
    static constexpr const char* Table = "ScriningCard";
    static constexpr const char* Diag = "MapDiag";
    static constexpr const char* Full = kFullCard;
    static const std::vector<TCardColumn>& Columns() { return CardColumns(); }
    static void Insert(TDM& dm, TScriningCard& d) { dm.InsertScriningCard(d); }
    static void Update(TDM& dm, TScriningCard& d) { dm.UpdateScriningCard(d); }
    static void Load(TDM& dm, TScriningCard& d) { dm.LoadScriningCard(d); }
    static void Delete(TDM& dm, int id) { dm.DeleteScriningCard(id); }
};

QString Text(const QVariant& v) { return v.isNull() ? QStringLiteral("NULL") : v.toString(); }

// A column's value as the document would write it.
template <class Doc> QString Written(const TDocumentColumn<Doc>& c, const Doc& d)
{
    return Text(StoredValue(c, d));
}

// Applies the "Column=value" list through the column table; returns the columns that are
// read back but have no value in the list, so that "fully filled" is checked, not assumed.
template <class Doc> QStringList Fill(Doc& d, const QString& assignments)
{
    QHash<QString, QString> values;
    for (const QString& item : assignments.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        values.insert(item.section(QLatin1Char('='), 0, 0), item.section(QLatin1Char('='), 1));
    QStringList missing;
    for (const auto& c : TKind<Doc>::Columns()) {
        if (!c.set)
            continue;
        if (!values.contains(QLatin1String(c.name)))
            missing << QLatin1String(c.name);
        else
            c.set(d, values.value(QLatin1String(c.name)));
    }
    return missing;
}

template <class Doc> void FillFull(Doc& d, int prnLID = 11)
{
    QCOMPARE(Fill(d, QLatin1String(TKind<Doc>::Full)), QStringList());
    d.SetPrnLID(prnLID);
    d.AddAutoDiagnosis("1");
    d.AddAutoDiagnosis("9");
    d.AddExpertDiagnosis("9");
    d.AddExpertDiagnosis("12");
}

// The members two documents disagree on, by column (plus the parts stored elsewhere).
template <class Doc> QStringList Differences(const Doc& a, const Doc& b)
{
    QStringList diff;
    for (const auto& c : TKind<Doc>::Columns())
        if (Written(c, a) != Written(c, b))
            diff << QString("%1: %2 / %3").arg(QLatin1String(c.name), Written(c, a), Written(c, b));
    if (a.PrnLID() != b.PrnLID() || a.DtpGID() != b.DtpGID())
        diff << "PrnLID/DtpGID";
    if (a.AutoDiagnoses() != b.AutoDiagnoses() || a.ExpertDiagnoses() != b.ExpertDiagnoses())
        diff << "diagnoses: " + a.AutoDiagnoses() + a.ExpertDiagnoses() + " / " + b.AutoDiagnoses() + b.ExpertDiagnoses();
    return diff;
}

QSqlRecord StoredRow(TWorkstation& ws, const char* table, int docLID)
{
    QSqlQuery q(ws.Db());
    TDatabase::Exec(q, QString("select * from %1 where DocLID = %2").arg(QLatin1String(table)).arg(docLID));
    return q.next() ? q.record() : QSqlRecord();
}

QStringList DiagRows(TWorkstation& ws, const char* table, int docLID)
{
    QSqlQuery q(ws.Db());
    TDatabase::Exec(q, QString("select DiagGID, DiagType from %1 where DocLID = %2 order by DiagType, DiagGID")
                           .arg(QLatin1String(table)).arg(docLID));
    QStringList rows;
    while (q.next())
        rows << q.value(0).toString() + "/" + q.value(1).toString();
    return rows;
}

// Everything storage can touch, as text: compared before and after a failed operation.
QString Snapshot(TWorkstation& ws)
{
    QString all;
    for (const char* t : {"Document", "PrimaryInspection", "ScriningCard", "PrimDiag", "MapDiag", "SysTable"}) {
        QSqlQuery q(ws.Db());
        const bool diag = QLatin1String(t).endsWith(QLatin1String("Diag"));
        TDatabase::Exec(q, QString("select * from %1 order by %2").arg(QLatin1String(t), diag ? "2, 3, 1" : "1"));
        all += QLatin1String(t) + ":";
        while (q.next()) {
            for (int i = 0; i < q.record().count(); ++i)
                all += Text(q.value(i)) + "|";
            all += "\n";
        }
    }
    return all;
}

QStringList AskedTexts()
{
    QStringList texts;
    for (const TDialogRequest& r : TDialogs::Asked())
        texts << r.text;
    return texts;
}

void FillDiagnosis(TWorkstation& ws, int last = 18)
{
    for (int i = 1; i <= last; ++i)
        ws.Exec(QString("insert into Diagnosis(DiagGID, DiagName) values(%1, 'Д%1')").arg(i));
}

// A workstation with its Diagnosis table and a logged-in operator.
struct TStore {
    TWorkstation ws;
    std::unique_ptr<TDM> dm;
    TStore()
    {
        FillDiagnosis(ws);
        ws.Info().WstGID = 3;
        ws.Info().UserGID = 5;
        dm = std::make_unique<TDM>(ws.Info());
    }
};

// A moment later than the fixed one, with another operator; put back by the destructor.
struct TLater {
    TAppInfo& info;
    explicit TLater(TAppInfo& i) : info(i)
    {
        TClock::SetFixed(QDateTime(QDate(2026, 12, 11), QTime(9, 30, 0)));
        info.WstGID = 8;
        info.UserGID = 9;
    }
    ~TLater()
    {
        TClock::SetFixed(TestSupport::FixedNow());
        info.WstGID = 3;
        info.UserGID = 5;
    }
};

template <class Doc> void CheckRoundTrip()
{
    TStore s;
    Doc doc;
    FillFull(doc);
    const Doc fresh;
    for (const auto& c : TKind<Doc>::Columns())
        QVERIFY2(QLatin1String(c.name) == QLatin1String("DocLID") || Written(c, doc) != Written(c, fresh), c.name);

    TKind<Doc>::Insert(*s.dm, doc);
    QVERIFY(doc.DocLID() > 0);
    const QSqlRecord row = StoredRow(s.ws, TKind<Doc>::Table, doc.DocLID());
    for (const auto& c : TKind<Doc>::Columns())
        QVERIFY2(Text(row.value(QLatin1String(c.name))) == Written(c, doc), c.name);
    QCOMPARE(row.value("CrDate").toString(), QString("2026-12-10 10:00:00"));
    QCOMPARE(row.value("WstGID").toInt(), 3);
    QCOMPARE(row.value("UserGID").toInt(), 5);

    Doc loaded;
    loaded.SetDocLID(doc.DocLID());
    loaded.SetPrnLID(doc.PrnLID());
    TKind<Doc>::Load(*s.dm, loaded);
    QCOMPARE(Differences(loaded, doc), QStringList());
    QCOMPARE(loaded.DocDate(), doc.DocDate());
    QCOMPARE(DiagRows(s.ws, TKind<Doc>::Diag, doc.DocLID()), QStringList({"1/0", "9/0", "9/1", "12/1"}));
    QCOMPARE(s.ws.Scalar(QString("select DocNumber || '|' || DocDate || '|' || DtpGID || '|' || PrnLID || '|' || "
                                 "CrDate || '|' || WstGID || '|' || UserGID from Document where DocLID = %1")
                             .arg(doc.DocLID())).toString(),
             QString("%1|2026-11-03|%2|11|2026-12-10 10:00:00|3|5").arg(doc.DocNumber()).arg(doc.DtpGID()));
}

template <class Doc> void CheckUpdate()
{
    TStore s;
    Doc doc;
    FillFull(doc);
    TKind<Doc>::Insert(*s.dm, doc);
    const QSqlRecord before = StoredRow(s.ws, TKind<Doc>::Table, doc.DocLID());

    // A new document under the same identifier differs in every column but the key.
    Doc other;
    other.SetDocLID(doc.DocLID());
    other.SetPrnLID(doc.PrnLID());
    other.SetDocDate(QDateTime(QDate(2026, 12, 1), QTime(0, 0)));
    other.AddExpertDiagnosis("15");
    {
        TLater later(s.ws.Info());
        TKind<Doc>::Update(*s.dm, other);
    }
    const QSqlRecord after = StoredRow(s.ws, TKind<Doc>::Table, doc.DocLID());
    for (const auto& c : TKind<Doc>::Columns()) {
        QVERIFY2(Text(after.value(QLatin1String(c.name))) == Written(c, other), c.name);
        if (QLatin1String(c.name) != QLatin1String("DocLID"))
            QVERIFY2(Text(after.value(QLatin1String(c.name))) != Text(before.value(QLatin1String(c.name))), c.name);
    }
    QCOMPARE(after.value("CrDate").toString(), QString("2026-12-10 10:00:00"));
    QCOMPARE(after.value("LastUpdate").toString(), QString("2026-12-11 09:30:00"));
    QCOMPARE(after.value("WstGID").toInt(), 8);
    QCOMPARE(after.value("UserGID").toInt(), 9);
    const QSqlRecord document = StoredRow(s.ws, "Document", doc.DocLID());
    QCOMPARE(document.value("DocDate").toString(), QString("2026-12-01"));
    QVERIFY(document.value("DocNumber").isNull()); // empty text is an empty column
    QCOMPARE(document.value("CrDate").toString(), QString("2026-12-10 10:00:00"));
    QCOMPARE(document.value("LastUpdate").toString(), QString("2026-12-11 09:30:00"));
    QCOMPARE(document.value("UserGID").toInt(), 9);
    QCOMPARE(DiagRows(s.ws, TKind<Doc>::Diag, doc.DocLID()), QStringList({"15/1"}));
    QCOMPARE(s.ws.Scalar(QString("select count(*) from %1 where LastUpdate = '2026-12-11 09:30:00'")
                             .arg(QLatin1String(TKind<Doc>::Diag))).toInt(), 1);
}

template <class Doc> void CheckDiagnoses(const QString& autoCodes, const QString& expertCodes, int diagnosisRows,
                                         const QString& removeOnUpdate, const QStringList& expected)
{
    TWorkstation ws;
    FillDiagnosis(ws, diagnosisRows);
    TDM dm(ws.Info());
    Doc doc;
    for (const QString& c : autoCodes.split(',', Qt::SkipEmptyParts))
        doc.AddAutoDiagnosis(c);
    for (const QString& c : expertCodes.split(',', Qt::SkipEmptyParts))
        doc.AddExpertDiagnosis(c);
    TKind<Doc>::Insert(dm, doc);
    if (!removeOnUpdate.isEmpty()) {
        doc.RemoveExpertDiagnosis(removeOnUpdate);
        TKind<Doc>::Update(dm, doc);
    }
    QCOMPARE(DiagRows(ws, TKind<Doc>::Diag, doc.DocLID()), expected);

    Doc loaded;
    loaded.SetDocLID(doc.DocLID());
    TKind<Doc>::Load(dm, loaded);
    QStringList loadedRows;
    for (const QString& c : loaded.AutoDiagnoses().split(',', Qt::SkipEmptyParts))
        loadedRows << c + "/0";
    for (const QString& c : loaded.ExpertDiagnoses().split(',', Qt::SkipEmptyParts))
        loadedRows << c + "/1";
    QCOMPARE(loadedRows, expected);
}

template <class Doc> void CheckEmptyDiagnosisTable(bool update)
{
    TStore s;
    Doc stored;
    FillFull(stored);
    if (update)
        TKind<Doc>::Insert(*s.dm, stored);
    s.ws.Exec("delete from Diagnosis");
    const QString before = Snapshot(s.ws);
    TDialogs::ClearAsked();

    Doc doc;
    FillFull(doc);
    doc.SetDocLID(stored.DocLID());
    try {
        update ? TKind<Doc>::Update(*s.dm, doc) : TKind<Doc>::Insert(*s.dm, doc);
        QFAIL("saved without diagnoses");
    } catch (const EAppInfoException& e) {
        QCOMPARE(e.Message(), QString::fromUtf8(kNoDiagnoses));
    }
    QCOMPARE(Snapshot(s.ws), before);
    QCOMPARE(doc.DocLID(), stored.DocLID());
    if (update)
        QCOMPARE(DiagRows(s.ws, TKind<Doc>::Diag, doc.DocLID()), QStringList({"1/0", "9/0", "9/1", "12/1"}));
    const bool sheet = std::is_same_v<Doc, TPIList>;
    QCOMPARE(AskedTexts(), sheet ? QStringList(QString::fromUtf8(update ? kUpdateFailed : kInsertFailed)) : QStringList());
}

enum TOperation { opInsert, opUpdate, opDelete };

template <class Doc> void CheckDatabaseError(TOperation op)
{
    TStore s;
    Doc stored;
    FillFull(stored);
    TKind<Doc>::Insert(*s.dm, stored);
    const char* when[] = {"insert", "update", "delete"};
    // The kind's own table is written last by a delete and after Document by the others, so
    // the failure always comes after some rows have been written.
    s.ws.Exec(QString("create trigger fail before %1 on %2 begin select raise(abort, 'сбой записи'); end")
                  .arg(QLatin1String(when[op]), QLatin1String(TKind<Doc>::Table)));
    const QString before = Snapshot(s.ws);
    TDialogs::ClearAsked();

    Doc doc;
    FillFull(doc, 12);
    doc.SetDocNumber("X");
    if (op == opUpdate)
        doc.SetDocLID(stored.DocLID());
    TLater later(s.ws.Info()); // so that a row left written would show a new stamp
    try {
        if (op == opInsert)
            TKind<Doc>::Insert(*s.dm, doc);
        else if (op == opUpdate)
            TKind<Doc>::Update(*s.dm, doc);
        else
            TKind<Doc>::Delete(*s.dm, stored.DocLID());
        QFAIL("the statement did not fail");
    } catch (const EDatabaseError& e) {
        QVERIFY2(e.Message().contains(QString::fromUtf8("сбой записи")), qPrintable(e.Message()));
    }
    QCOMPARE(Snapshot(s.ws), before);
    const bool sheet = std::is_same_v<Doc, TPIList>;
    QStringList box;
    if (sheet && op == opInsert)
        box << QString::fromUtf8(kInsertFailed);
    if (sheet && op == opUpdate)
        box << QString::fromUtf8(kUpdateFailed);
    QCOMPARE(AskedTexts(), box);

    if (op == opInsert) {
        // The identifier drawn for the failed save was taken back, by the database and by
        // the object, so the next save inserts again and gets that same identifier.
        QCOMPARE(doc.DocLID(), 0);
        s.ws.Exec("drop trigger fail");
        TKind<Doc>::Insert(*s.dm, doc);
        QCOMPARE(doc.DocLID(), stored.DocLID() + 1);
        QCOMPARE(s.ws.Scalar("select AutoIncVal from SysTable where TableName = 'document'").toInt(), doc.DocLID() + 1);
    }
}

// A stored value the setter refuses, in a late column so that most of the row was read.
template <class Doc> void CheckOutOfRangeLoad(const char* column, const char* value, const std::function<void(Doc&)>& refused)
{
    TStore s;
    Doc first, second;
    FillFull(first);
    TKind<Doc>::Insert(*s.dm, first);
    FillFull(second, 12);
    TKind<Doc>::Insert(*s.dm, second);
    s.ws.Exec(QString("update %1 set %2 = %3 where DocLID = %4")
                  .arg(QLatin1String(TKind<Doc>::Table), QLatin1String(column), QLatin1String(value))
                  .arg(second.DocLID()));
    QString expected;
    try {
        Doc probe;
        refused(probe);
    } catch (const AppException& e) {
        expected = e.Message();
    }
    QVERIFY(!expected.isEmpty());

    // The window's object, reused: it held the first document before.
    Doc doc;
    doc.SetDocLID(first.DocLID());
    TKind<Doc>::Load(*s.dm, doc);
    int notified = 0;
    doc.SetOnChange([&notified] { ++notified; });
    doc.Init();
    doc.SetDocLID(second.DocLID());
    doc.SetPrnLID(12);
    notified = 0;
    try {
        TKind<Doc>::Load(*s.dm, doc);
        QFAIL("loaded a value out of range");
    } catch (const AppException& e) {
        QCOMPARE(e.Message(), expected);
    }
    QVERIFY(!doc.IsUpdating());
    QVERIFY(notified > 0);
    Doc fresh;
    fresh.SetDocLID(second.DocLID());
    fresh.SetPrnLID(12);
    QCOMPARE(Differences(doc, fresh), QStringList());
    QCOMPARE(doc.DocDate(), fresh.DocDate());
}

void KindRows()
{
    QTest::addColumn<bool>("sheet");
    QTest::newRow("sheet") << true;
    QTest::newRow("card") << false;
}

} // namespace

class TestStorage : public QObject {
    Q_OBJECT
private slots:
    void init() { TDialogs::ClearAsked(); }

    void roundTripKeepsEveryMember_data() { KindRows(); }
    void roundTripKeepsEveryMember()
    {
        QFETCH(bool, sheet);
        sheet ? CheckRoundTrip<TPIList>() : CheckRoundTrip<TScriningCard>();
    }

    void updateRewritesEveryColumnButKeyAndCreation_data() { KindRows(); }
    void updateRewritesEveryColumnButKeyAndCreation()
    {
        QFETCH(bool, sheet);
        sheet ? CheckUpdate<TPIList>() : CheckUpdate<TScriningCard>();
    }

    void diagnosisRows_data()
    {
        QTest::addColumn<bool>("sheet");
        QTest::addColumn<QString>("autoCodes");
        QTest::addColumn<QString>("expertCodes");
        QTest::addColumn<int>("diagnosisRows");
        QTest::addColumn<QString>("removeOnUpdate");
        QTest::addColumn<QStringList>("expected");
        for (bool sheet : {true, false}) {
            const char* kind = sheet ? "sheet" : "card";
            QTest::addRow("%s: only codes of Diagnosis", kind)
                << sheet << "1,5,99" << "11,40" << 18 << "" << QStringList({"1/0", "5/0", "11/1"});
            QTest::addRow("%s: only codes 1-4 known", kind) << sheet << "1,5" << "" << 4 << "" << QStringList({"1/0"});
            QTest::addRow("%s: one code of both types", kind)
                << sheet << "9" << "9" << 18 << "" << QStringList({"9/0", "9/1"});
            QTest::addRow("%s: expert code removed on update", kind)
                << sheet << "2" << "9,11" << 18 << "9" << QStringList({"2/0", "11/1"});
            QTest::addRow("%s: no diagnoses", kind) << sheet << "" << "" << 18 << "" << QStringList();
        }
    }
    void diagnosisRows()
    {
        QFETCH(bool, sheet);
        QFETCH(QString, autoCodes);
        QFETCH(QString, expertCodes);
        QFETCH(int, diagnosisRows);
        QFETCH(QString, removeOnUpdate);
        QFETCH(QStringList, expected);
        if (sheet)
            CheckDiagnoses<TPIList>(autoCodes, expertCodes, diagnosisRows, removeOnUpdate, expected);
        else
            CheckDiagnoses<TScriningCard>(autoCodes, expertCodes, diagnosisRows, removeOnUpdate, expected);
    }

    void valuesWrittenDifferently()
    {
        TStore s;
        TPIList sheet;
        sheet.SetMprGID1(-1);
        sheet.SetMprDose1(5);
        sheet.SetMprFreq1(2);
        s.dm->InsertPrimaryInspection(sheet);
        QSqlRecord row = StoredRow(s.ws, "PrimaryInspection", sheet.DocLID());
        QVERIFY(row.value("MprGID1").isNull());
        QCOMPARE(row.value("MprDose1").toDouble(), 0.0);
        QCOMPARE(row.value("MprFreq1").toInt(), 0);
        TPIList loadedSheet;
        loadedSheet.SetDocLID(sheet.DocLID());
        s.dm->LoadPrimaryInspection(loadedSheet);
        QCOMPARE(loadedSheet.MprGID1(), -1);
        QCOMPARE(loadedSheet.MprDose1(), 0.0);

        TScriningCard card;
        card.SetPrep1GID(7);
        card.SetPrep2GID(9);
        card.SetPrep1Dose(5);
        card.SetPrep2Day(2);
        card.SetAD1Hi(150);
        card.SetAD2Hi(141);
        card.SetRost(175);
        card.SetMassa(80);
        card.SetFamilyStatus(65538); // a 16-bit column keeps the low 16 bits
        s.dm->InsertScriningCard(card);
        row = StoredRow(s.ws, "ScriningCard", card.DocLID());
        QVERIFY(row.value("Prep1GID").isNull());
        QVERIFY(row.value("Prep2GID").isNull());
        QCOMPARE(row.value("Prep1Dose").toDouble(), 0.0);
        QCOMPARE(row.value("Prep2Day").toInt(), 0);
        QVERIFY(row.value("PostLID").isNull());
        QCOMPARE(row.value("FamilyStatus").toInt(), 2);
        // Derived when written.
        QCOMPARE(row.value("IndexKetle").toDouble(), 26.1);
        QCOMPARE(row.value("ADSredHi").toInt(), 145);
        QCOMPARE(row.value("ADSredLow").toInt(), 0);
        TScriningCard loadedCard;
        loadedCard.SetDocLID(card.DocLID());
        s.dm->LoadScriningCard(loadedCard);
        QCOMPARE(loadedCard.PostLID(), -1);
        QVERIFY(!loadedCard.Prep1GID().has_value());
        QCOMPARE(loadedCard.Prep1Dose(), 0.0);
    }

    void identifierDrawnInTheTransaction()
    {
        TStore s;
        s.ws.Exec("insert into SysTable values('document', 40)");
        TScriningCard card;
        s.dm->InsertScriningCard(card);
        QCOMPARE(card.DocLID(), 40);
        QCOMPARE(s.ws.Scalar("select AutoIncVal from SysTable").toInt(), 41);
    }

    void emptyDiagnosisTable_data()
    {
        QTest::addColumn<bool>("sheet");
        QTest::addColumn<bool>("update");
        for (bool sheet : {true, false})
            for (bool update : {false, true})
                QTest::addRow("%s %s", sheet ? "sheet" : "card", update ? "update" : "insert") << sheet << update;
    }
    void emptyDiagnosisTable()
    {
        QFETCH(bool, sheet);
        QFETCH(bool, update);
        sheet ? CheckEmptyDiagnosisTable<TPIList>(update) : CheckEmptyDiagnosisTable<TScriningCard>(update);
    }

    void databaseErrorTakesEverythingBack_data()
    {
        QTest::addColumn<bool>("sheet");
        QTest::addColumn<int>("op");
        for (bool sheet : {true, false})
            for (int op : {opInsert, opUpdate, opDelete})
                QTest::addRow("%s %s", sheet ? "sheet" : "card", op == opInsert ? "insert" : op == opUpdate ? "update" : "delete")
                    << sheet << op;
    }
    void databaseErrorTakesEverythingBack()
    {
        QFETCH(bool, sheet);
        QFETCH(int, op);
        if (sheet)
            CheckDatabaseError<TPIList>(TOperation(op));
        else
            CheckDatabaseError<TScriningCard>(TOperation(op));
    }

    void deleteRemovesAllThreeRows()
    {
        TStore s;
        TScriningCard card;
        FillFull(card);
        s.dm->InsertScriningCard(card);
        s.dm->DeleteScriningCard(card.DocLID());
        s.dm->DeleteScriningCard(card.DocLID()); // nothing left: no error
        QCOMPARE(s.ws.Scalar("select (select count(*) from Document) + (select count(*) from ScriningCard) + "
                             "(select count(*) from MapDiag)").toInt(), 0);
    }

    // Inside a transaction the caller holds, a failed save takes back its own rows only and
    // leaves the caller's transaction open.
    void failedSaveInsideCallersTransaction()
    {
        TStore s;
        s.ws.Exec("create trigger fail before insert on ScriningCard begin select raise(abort, 'сбой'); end");
        QSqlDatabase& db = s.dm->Database();
        TDatabase::Transaction(db);
        TPIList sheet;
        s.dm->InsertPrimaryInspection(sheet);
        TScriningCard card;
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, s.dm->InsertScriningCard(card));
        TDatabase::Commit(db);
        QCOMPARE(s.ws.Scalar("select group_concat(DtpGID) from Document").toString(), QString("1"));
        QCOMPARE(s.ws.Scalar("select count(*) from PrimaryInspection").toInt(), 1);
    }

    void outOfRangeValueStopsTheLoad_data() { KindRows(); }
    void outOfRangeValueStopsTheLoad()
    {
        QFETCH(bool, sheet);
        if (sheet)
            CheckOutOfRangeLoad<TPIList>("AlsBlChol", "20", [](TPIList& d) { d.SetAlsBlChol(20); });
        else
            CheckOutOfRangeLoad<TScriningCard>("Puls", "300", [](TScriningCard& d) { d.SetPuls(300); });
    }

    // A card reused for another document takes a systolic pressure below the diastolic one
    // it held before.
    void loadIntoReusedCard()
    {
        TStore s;
        TScriningCard high, low;
        FillFull(high);
        s.dm->InsertScriningCard(high);
        low.SetAD1Hi(90);
        low.SetAD1Low(60);
        s.dm->InsertScriningCard(low);
        TScriningCard doc;
        doc.SetDocLID(high.DocLID());
        s.dm->LoadScriningCard(doc);
        doc.Init();
        doc.SetDocLID(low.DocLID());
        s.dm->LoadScriningCard(doc);
        QCOMPARE(doc.AD1Hi(), 90);
        QCOMPARE(doc.AD1Low(), 60);
        QCOMPARE(doc.Prep1Dose(), 0.0);
    }
};

VELTA_TEST_MAIN(TestStorage)
#include "test_storage.moc"
