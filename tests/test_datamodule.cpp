// The data module: patient list order, details of the current patient, document lists,
// identifiers, indexes and the code-page mark of registry files.
#include "TestSupport.h"
#include "data/Unit_DataModule.h"
#include "data/Unit_Database.h"
#include <QFile>
#include <QSignalSpy>
#include <QSqlQuery>
#include <algorithm>
#include <tuple>

using TestSupport::TWorkstation;

namespace {
void Fixture(TWorkstation& ws)
{
    const char* rows[] = {
        "insert into Region(RegGID, RegName) values(1, 'ЛЕНИНСКИЙ РАЙОН')",
        "insert into City(CityLID, CityName, CitySoato, RegGID) values(1, 'ГРОДНО', '123', 1)",
        "insert into Street(StrLID, StrName, CityLID) values(1, 'УЛ. СОВЕТСКАЯ', 1)",
        "insert into Address(AdrLID, AdrHousNum, AdrRoomNum, CityLID, StrLID) values(1, '12', '5', 1, 1)",
        "insert into Address(AdrLID, AdrHousNum, CityLID) values(2, '7', 99)",
        "insert into Hospital(HspGID, MU) values(4, 'ПОЛИКЛИНИКА №4')",
        "insert into RegistrationArea(AreaLID, AreaCode, HspGID) values(1, '15', 4)",
        "insert into Post(PosLID, PosName) values(1, 'ВРАЧ')",
        // Mixed case on purpose: the order ignores case, Cyrillic included.
        "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch, AdrLID, AreaLID, PosLID) values(1, 'Петров', 'ИВАН', 'А', 1, 1, 1)",
        "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch, AdrLID) values(2, 'АБРАМОВ', 'ПЁТР', 'Б', 2)",
        "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch) values(3, 'петров', 'АНТОН', 'В')",
        "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch) values(4, 'ЯКОВЛЕВ', 'ИВАН', 'Г')",
        "insert into Document values(1, '2026-01-01', '1', 1, 1, '2026-01-01 10:00:00', '2026-01-05 10:00:00', 1, 1)",
        "insert into Document values(2, '2026-02-01', '2', 1, 1, '2026-02-01 10:00:00', '2026-02-01 10:00:00', 1, 1)",
        "insert into Document values(7, '2026-03-01', '3', 2, 1, '2026-03-01 10:00:00', '2026-03-01 10:00:00', 1, 1)",
    };
    for (const char* sql : rows)
        ws.Exec(QString::fromUtf8(sql));
}

QList<int> Column(QAbstractItemModel* m, int col)
{
    QList<int> v;
    for (int r = 0; r < m->rowCount(); ++r)
        v << m->index(r, col).data().toInt();
    return v;
}
}

class TestDataModule : public QObject {
    Q_OBJECT
private slots:
    void patientListAndDetails()
    {
        TWorkstation ws;
        Fixture(ws);
        ws.Info().LoggedIn = true;
        TDM dm(ws.Info());
        QVERIFY(dm.PersonsOpen());
        QCOMPARE(Column(dm.sqlPerson(), 0), QList<int>({2, 3, 1, 4}));
        QCOMPARE(dm.PersonCount(), 4);
        QCOMPARE(dm.PersonRow(), 0);

        QSignalSpy changed(&dm, &TDM::PersonChanged);
        dm.SetPersonRow(2); // Петров Иван: everything found
        QCOMPARE(changed.count(), 1);
        const TPersonDetails& d = dm.Details();
        QCOMPARE(dm.CurrentPerson().SurName.toString(), QString("Петров"));
        QCOMPARE(d.House.toString(), QString("12"));
        QCOMPARE(d.Flat.toString(), QString("5"));
        QCOMPARE(d.City.toString(), QString("ГРОДНО"));
        QCOMPARE(d.RegName.toString(), QString("ЛЕНИНСКИЙ РАЙОН"));
        QCOMPARE(d.Street.toString(), QString("УЛ. СОВЕТСКАЯ"));
        QCOMPARE(d.AreaCode.toString(), QString("15"));
        QCOMPARE(d.LpuName.toString(), QString("ПОЛИКЛИНИКА №4"));
        QCOMPARE(d.JobName.toString(), QString("ВРАЧ"));
        // Newest change first.
        QCOMPARE(Column(dm.sqlList(), 0), QList<int>({2, 1}));
        QCOMPARE(Column(dm.sqlCard(), 0), QList<int>({7}));

        // An address whose settlement is unknown: nothing of the previous patient stays.
        dm.SetPersonRow(0);
        QCOMPARE(dm.Details().House.toString(), QString("7"));
        QVERIFY(dm.Details().City.isNull());
        QVERIFY(dm.Details().RegName.isNull());
        QVERIFY(dm.Details().Street.isNull());
        QVERIFY(dm.Details().LpuName.isNull());
        QCOMPARE(dm.sqlList()->rowCount(), 0);

        dm.SetPersonRow(2);
        dm.SetPersonRow(1); // no address at all
        QVERIFY(dm.Details().House.isNull());
        QVERIFY(dm.Details().RegName.isNull());
        QVERIFY(dm.Details().JobName.isNull());
    }

    void locateAcrossPages()
    {
        TWorkstation ws;
        QSqlDatabase db = ws.Db();
        TDatabase::Transaction(db);
        QSqlQuery ins(db);
        TDatabase::Prepare(ins, "insert into Person(PrnLID, PrnSurName, PrnName) values(?, ?, ?)");
        const QString letters = QString::fromUtf8("абвгдежзиклмнопрстуфхцчшэюя");
        for (int i = 1; i <= 700; ++i) {
            QString sn;
            for (int k = 0, v = i * 7919; k < 4; ++k, v /= letters.size())
                sn += letters[v % letters.size()];
            // Same surnames in both cases, and several namesakes, across page boundaries.
            ins.addBindValue(i);
            ins.addBindValue(i % 2 ? sn.toUpper() : sn);
            ins.addBindValue(i % 7 == 0 ? QString() : QString::number(i % 5));
            TDatabase::Exec(ins);
        }
        TDatabase::Commit(db);
        ws.Info().LoggedIn = true;
        TDM dm(ws.Info());
        QCOMPARE(dm.sqlPerson()->rowCount(), 700);
        // The list's order, read page by page, equals a plain sort of the register.
        QStringList listed;
        for (int r = 0; r < 700; ++r)
            listed << dm.sqlPerson()->Value(r, 1).toString().toUpper();
        QStringList sorted = listed;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(listed, sorted);
        for (const int r : {0, 255, 256, 511, 699}) {
            const QString prefix = dm.sqlPerson()->Value(r, 1).toString().left(3).toLower();
            QVERIFY(dm.LocatePerson(prefix));
            QVERIFY(dm.PersonRow() <= r);
            QVERIFY(dm.CurrentPerson().SurName.toString().startsWith(prefix, Qt::CaseInsensitive));
            if (dm.PersonRow() > 0)
                QVERIFY(!dm.sqlPerson()->Value(dm.PersonRow() - 1, 1).toString().startsWith(prefix, Qt::CaseInsensitive));
        }
        QVERIFY(!dm.LocatePerson(QString::fromUtf8("щщщщ")));
    }

    void emptyRegisterStillNotifies()
    {
        TWorkstation ws;
        ws.Info().LoggedIn = false;
        TDM dm(ws.Info());
        QVERIFY(!dm.PersonsOpen());
        QSignalSpy opening(&dm, &TDM::PersonsOpening);
        QSignalSpy changed(&dm, &TDM::PersonChanged);
        dm.OpenPersons();
        QCOMPARE(opening.count(), 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(dm.PersonRow(), -1);
        QCOMPARE(dm.sqlList()->rowCount(), 0);
        ws.Exec("insert into Person(PrnLID, PrnSurName) values(1, 'НОВИКОВ')");
        dm.ReopenPersons();
        QCOMPARE(dm.PersonCount(), 1);
        QCOMPARE(dm.CurrentPerson().SurName.toString(), QString("НОВИКОВ"));
    }

    void nextIdentifier()
    {
        TWorkstation ws;
        TDM dm(ws.Info());
        // No counter row and an empty table: 1, and 2 stored.
        QCOMPARE(dm.GetNextID("document", "doclid"), 1);
        QCOMPARE(ws.Scalar("select AutoIncVal from SysTable where TableName = 'document'").toInt(), 2);
        // A counter row: its value, advanced by one.
        QCOMPARE(dm.GetNextID("document", "doclid"), 2);
        QCOMPARE(ws.Scalar("select AutoIncVal from SysTable where TableName = 'document'").toInt(), 3);
        // No counter row, documents 1 to 7: 8, and 9 stored.
        ws.Exec("delete from SysTable");
        for (int i = 1; i <= 7; ++i)
            ws.Exec(QString("insert into Document(DocLID) values(%1)").arg(i));
        QCOMPARE(dm.GetNextID("document", "doclid"), 8);
        QCOMPARE(ws.Scalar("select AutoIncVal from SysTable where TableName = 'document'").toInt(), 9);
        QVERIFY_THROWS_EXCEPTION(std::exception, dm.GetNextID("document; drop table Person", "doclid"));
    }

    void indexesAreMadeOnce()
    {
        TWorkstation ws;
        ws.Exec("create index my_sn on Person(PrnSurName collate UNOCASE)");
        {
            TDM dm(ws.Info());
            dm.EnsureIndex("Person", "idx_sn2", "PrnSurName", ixCaseInsensitive);
            dm.EnsureIndex("Person", "idx_paspor", "paspor", ixCaseInsensitive);
            dm.EnsureIndex("Person", "idx_paspor_again", "paspor", ixCaseInsensitive);
            dm.EnsureIndex("RegistrationArea", "idx_AreaCodeHspGID", "AreaCode;HspGID", ixCaseInsensitive);
            dm.EnsureIndex("Person", "idx_bad", "NoSuchColumn", ixCaseInsensitive); // ignored
            // A case-sensitive index on the same column is a different index.
            dm.EnsureIndex("Person", "idx_sn_cs", "PrnSurName", 0);
        }
        QSqlQuery q(ws.Db());
        TDatabase::Exec(q, "select name from sqlite_master where type = 'index' and tbl_name in ('Person', "
                           "'RegistrationArea') and sql is not null order by name");
        QStringList names;
        while (q.next())
            names << q.value(0).toString();
        QCOMPARE(names, QStringList({"idx_AreaCodeHspGID", "idx_nm", "idx_otch", "idx_paspor", "idx_person_order", "idx_sn_cs", "my_sn"}));
        // The index really compares Cyrillic without regard to case.
        ws.Exec("insert into Person(PrnLID, PrnSurName) values(1, 'Иванов')");
        QCOMPARE(ws.Scalar("select count(*) from Person where PrnSurName = 'ИВАНОВ' collate UNOCASE").toInt(), 1);
        QCOMPARE(ws.Scalar("select upper('ёж')").toString(), QString("ЁЖ"));
    }

    // The case-blind order agrees with comparing the upper-cased texts, in the register's
    // alphabet and beyond it (special casing, other planes, a difference after the first letter).
    void caseBlindOrder_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        const char* pairs[][2] = {{"иванов", "ИВАНОВ"}, {"Ёлкин", "ежов"},    {"ЯКОВЛЕВ", "яковлева"},
                                  {"smith", "Smyth"},   {"o'neil", "ONEIL"},  {"і", "Ї"},
                                  {"straße", "STRASSE"}, {"strasse", "straßf"}, {"ПЕТРОВ😀", "петров😁"},
                                  {"", "а"},           {"ǆ", "ǅ"},           {"Щ1", "щ2"}};
        for (const auto& p : pairs)
            QTest::newRow(p[0]) << QString::fromUtf8(p[0]) << QString::fromUtf8(p[1]);
    }
    void caseBlindOrder()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        TWorkstation ws;
        const auto sign = [](int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; };
        const int expected = sign(QString::compare(a.toUpper(), b.toUpper(), Qt::CaseSensitive));
        for (const auto& [x, y, want] : {std::tuple(a, b, expected), std::tuple(b, a, -expected)}) {
            QSqlQuery q(ws.Db());
            TDatabase::Prepare(q, "select case when ? < ? collate UNOCASE then -1 when ? = ? collate UNOCASE then 0 "
                                  "else 1 end");
            for (int i = 0; i < 4; ++i)
                q.bindValue(i, i % 2 ? y : x);
            TDatabase::Exec(q);
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), want);
        }
    }

    void codePageMark()
    {
        TWorkstation ws;
        TDM dm(ws.Info());
        const QString path = ws.PolyFolder() + "PASPOR.DBF";
        QByteArray header(64, '\0');
        header[29] = 0x57;
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(header);
        }
        dm.SetCodePageMark("PASPOR.DBF");
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray after = f.readAll();
        QCOMPARE(after.size(), 64);
        QCOMPARE(quint8(after[29]), quint8(0x26));
        f.close();

        // Read-only: left as it is, silently.
        header[29] = 0x57;
        QFile::remove(path);
        {
            QFile g(path);
            QVERIFY(g.open(QIODevice::WriteOnly));
            g.write(header);
        }
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
        dm.SetCodePageMark("PASPOR.DBF");
        dm.SetCodePageMark("MISSING.DBF");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(quint8(f.readAll()[29]), quint8(0x57));
    }
};

VELTA_TEST_MAIN(TestDataModule)
#include "test_datamodule.moc"
