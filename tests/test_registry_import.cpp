// The import of the polyclinic's dBase registry into the register: both registry kinds, the
// filters, reference rows created once, text normalisation, re-runs, single keys, and the
// failures that must leave only complete patients behind.
#include "RegistryFixture.h"
#include "TestSupport.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Exceptions.h"
#include "exchange/StrConst.h"
#include "exchange/Unit_RegistryImport.h"
#include <QFile>

using TestSupport::TWorkstation;
using namespace RegistryFixture;

namespace {

struct THost : TRegistryImportHost {
    QStringList lines;
    int stopAfter = -1, checks = 0, position = 0, maximum = 0;
    void Log(const QString& m) override { lines << m; }
    void UpdateProgress(int p, int m) override { position = p, maximum = m; }
    void CheckTerminated() override
    {
        if (stopAfter >= 0 && ++checks >= stopAfter)
            throw ERplException(U("Прервано пользователем"));
    }
};

struct TRun {
    QStringList lines;
    QString error;
    QStringList Counts() const { return lines.filter(U("записей добавлено/обновлено")); }
};

constexpr TRegistryLogin kLogin{3, 9, 4};

TRun Import(TWorkstation& ws, const QStringList& params = {}, int stopAfter = -1)
{
    THost host;
    host.stopAfter = stopAfter;
    TRun run;
    try {
        TRegistryTables registry(ws.PolyFolder());
        TScopedConnection c("import", ws.DatabaseFile());
        TRegistryImport import(c.Db(), registry, kLogin, host, TRegistryImportParams::FromList(params));
        import.Execute();
    } catch (const std::exception& e) {
        run.error = ExceptionText(e);
    }
    run.lines = host.lines;
    return run;
}

QString PasporPath(TWorkstation& ws) { return ws.PolyFolder() + "PASPOR.DBF"; }

// Two towns (one with a district), a street, two occupations, an area number another
// polyclinic already uses, and six registry rows of which four pass the filter.
void StandardRegistry(TWorkstation& ws, bool newRegistry = true)
{
    const QString poly = ws.PolyFolder();
    WriteTowns(poly, {{"4010100001", U(" гродно "), "1", "1"}, {"4010200002", U("Лида"), "2", "1"}, {"", U("БЕЗ КОДА"), "", ""}});
    WriteStreets(poly, {{"11", "4010100001", "1", U("ул. советская")}, {"12", "4010100001", "1", ""}});
    WriteProfs(poly, {{"1", U("врач")}, {"2", U("инженер")}});
    QList<QVariantList> rows{
        {"1001", U("  иванов "), U("пётр"), U("сергеевич"), QDate(1960, 5, 1), U("м"), "123", "K1", "4010100001", "11", "1", "12a", 5.0, 3, "1"},
        {"1002", U("Иванова"), U("мария"), QVariant(), QDate(1962, 1, 1), U("Ж"), QVariant(), "K2", "4010100001", "11", "1", "12a", 6.0, 3, "1"},
        {"1003", U("СИДОРОВ"), U("ИВАН"), U("x"), QDate(1970, 1, 1), U("x"), QVariant(), "K3", "4010200002", "99", "1", "1", QVariant(), 4, "9"},
        {"1004", QVariant(), U("НЕТ"), U("ФАМИЛИИ"), QDate(1970, 1, 1), U("м"), QVariant(), "K4", QVariant(), QVariant(), "1", QVariant(), QVariant(), QVariant(), QVariant()},
        {QVariant(), U("БЕЗКЛЮЧА"), U("А"), U("Б"), QDate(1970, 1, 1), U("м"), QVariant(), "K5", QVariant(), QVariant(), "1", QVariant(), QVariant(), QVariant(), QVariant()},
        {"1006", U("очень-длинная-фамилия"), U("анна"), QVariant(), QDate(1980, 2, 3), QVariant(), QVariant(), "K6", QVariant(), QVariant(), "1", QVariant(), QVariant(), QVariant(), "2"},
    };
    if (!newRegistry)
        for (QVariantList& r : rows)
            r.removeLast();
    WritePaspor(poly, rows, newRegistry);
    WriteArhWork(poly, {{"K1", QDate(2000, 1, 1), QVariant(), "2"}});
    ws.Exec("insert into Region(RegGID, RegName, RegOkato) values(7, 'Р', '4010100000000')");
    ws.Exec("insert into Hospital(HspGID, MU) values(4, 'П4')");
    ws.Exec("insert into RegistrationArea(AreaLID, AreaCode, HspGID) values(50, '3', 5)");
    SeedCounters(ws.Db());
}

QVariant PersonValue(TWorkstation& ws, const QString& paspor, const QString& column)
{
    return ws.Scalar(QString("select %1 from Person where paspor = '%2'").arg(column, paspor));
}

int Count(TWorkstation& ws, const char* table) { return ws.Scalar(QString("select count(*) from ") + table).toInt(); }

// Every Person has its Address, and no Address is without its Person.
void CheckOnlyCompletePatients(TWorkstation& ws)
{
    QCOMPARE(ws.Scalar("select count(*) from Person where AdrLID is null or AdrLID not in (select AdrLID from Address)").toInt(), 0);
    QCOMPARE(ws.Scalar("select count(*) from Address where AdrLID not in (select AdrLID from Person where AdrLID is not null)").toInt(), 0);
}

char HeaderByte29(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    f.seek(29);
    char c = 0;
    f.getChar(&c);
    return c;
}

void SetHeaderByte29(const QString& path, char c)
{
    QFile f(path);
    f.open(QIODevice::ReadWrite);
    f.seek(29);
    f.write(&c, 1);
}

const char* const kFiles[] = {"PASPOR.DBF", "S_TOWN.DBF", "S_STREET.DBF", "S_PROF.DBF", "ARH_WORK.DBF"};

} // namespace

class TestRegistryImport : public QObject {
    Q_OBJECT
private slots:
    void init() { TClock::SetFixed(TestSupport::FixedNow()); }

    void importsNewRegistry()
    {
        TWorkstation ws;
        StandardRegistry(ws);
        // Empty values as some writers spell them: stars in a number, zeros in a date.
        PatchRecord(PasporPath(ws), 0, 137, "******");
        PatchRecord(PasporPath(ws), 1, 61, "00000000");
        const TRun run = Import(ws, {"", "0"});
        QCOMPARE(run.error, QString());
        QCOMPARE(run.lines, (QStringList{U("Проверка наличия необходимых индексов..."),
                                         U("Импорт внутренних справочников из БД \"Поликлинника\""), RplText::Separator,
                                         U("Импорт данных в таблицу: Person"), U("4 записей добавлено/обновлено"), "",
                                         RplText::Separator, U("Импорт данных завершен")}));

        QCOMPARE(Count(ws, "Person"), 4);
        QCOMPARE(Count(ws, "Address"), 4);
        CheckOnlyCompletePatients(ws);
        // Names upper-cased and trimmed, Cyrillic too; text longer than its column is cut.
        QCOMPARE(PersonValue(ws, "1001", "PrnSurName").toString(), U("ИВАНОВ"));
        QCOMPARE(PersonValue(ws, "1001", "PrnName").toString(), U("ПЁТР"));
        QCOMPARE(PersonValue(ws, "1001", "PrnOtch").toString(), U("СЕРГЕЕВИЧ"));
        QCOMPARE(PersonValue(ws, "1006", "PrnSurName").toString(), U("ОЧЕНЬ-ДЛИННАЯ-Ф"));
        QVERIFY(PersonValue(ws, "1002", "PrnOtch").isNull());
        QCOMPARE(PersonValue(ws, "1001", "PrnDate").toString(), QString("1960-05-01"));
        QVERIFY(PersonValue(ws, "1002", "PrnDate").isNull());
        QCOMPARE(PersonValue(ws, "1001", "kod").toString(), QString("K1"));
        QCOMPARE(PersonValue(ws, "1001", "CrDate").toString(), QString("2026-12-10 10:00:00"));
        QCOMPARE(PersonValue(ws, "1001", "WstGID").toInt(), 3);
        QCOMPARE(PersonValue(ws, "1001", "UserGID").toInt(), 9);
        // The sex rule.
        QCOMPARE(PersonValue(ws, "1001", "PrnSex").toInt(), 1);
        QCOMPARE(PersonValue(ws, "1002", "PrnSex").toInt(), 0);
        QVERIFY(PersonValue(ws, "1003", "PrnSex").isNull());
        QVERIFY(PersonValue(ws, "1006", "PrnSex").isNull());
        // The flat: empty when the registry has "******".
        QVERIFY(ws.Scalar("select AdrRoomNum from Address a join Person p on p.AdrLID = a.AdrLID where paspor = '1001'").isNull());
        QCOMPARE(ws.Scalar("select AdrRoomNum from Address a join Person p on p.AdrLID = a.AdrLID where paspor = '1002'").toString(), QString("6"));
        QCOMPARE(ws.Scalar("select AdrHousNum from Address a join Person p on p.AdrLID = a.AdrLID where paspor = '1001'").toString(), U("12A"));

        // Towns, streets, occupations and areas are created once and found again.
        QCOMPARE(Count(ws, "City"), 2);
        QCOMPARE(ws.Scalar("select CityName || '|' || CitySoato || '|' || CityLocCod || '|' || RegGID from City where CityLocCod = '4010100001'").toString(),
                 U("ГРОДНО|4010100001|4010100001|7"));
        QVERIFY(ws.Scalar("select RegGID from City where CityLocCod = '4010200002'").isNull());
        QCOMPARE(Count(ws, "Street"), 1);
        QCOMPARE(ws.Scalar("select StrName || '|' || StrLocCod || '|' || (CityLID = (select CityLID from City where CityLocCod = '4010100001')) from Street").toString(),
                 U("УЛ. СОВЕТСКАЯ|11|1"));
        QCOMPARE(ws.Scalar("select count(distinct StrLID) from Address where StrLID is not null").toInt(), 1);
        QCOMPARE(Count(ws, "Post"), 2);
        QCOMPARE(PersonValue(ws, "1001", "PosLID"), PersonValue(ws, "1002", "PosLID"));
        QCOMPARE(ws.Scalar("select PosName from Post p join Person r on r.PosLID = p.PosLID where paspor = '1001'").toString(), U("ВРАЧ"));
        QVERIFY(PersonValue(ws, "1003", "PosLID").isNull()); // occupation code unknown to S_PROF
        // Area "3" of another polyclinic is not taken: one is made for the login's polyclinic.
        QCOMPARE(ws.Scalar("select count(*) from RegistrationArea where HspGID = 4").toInt(), 2);
        QCOMPARE(ws.Scalar("select AreaCode || '|' || HspGID from RegistrationArea r join Person p on p.AreaLID = r.AreaLID where paspor = '1001'").toString(),
                 QString("3|4"));
        QVERIFY(PersonValue(ws, "1006", "AreaLID").isNull());
        // The counters hold the last identifier handed out.
        QCOMPARE(ws.Scalar("select group_concat(TableName || '=' || AutoIncVal, ' ') from (select * from SysTable order by TableName)").toString(),
                 QString("Address=4 City=2 Person=4 Post=2 RegistrationArea=2 Street=1"));
        // The workstation indexes the import relies on.
        QCOMPARE(ws.Scalar("select count(*) from sqlite_master where type = 'index' and name in "
                           "('idx_paspor', 'idx_RegOkato', 'idx_adrlid', 'idx_AreaCodeHspGID')").toInt(), 4);
    }

    void sexRule_data()
    {
        QTest::addColumn<QVariant>("pol");
        QTest::addColumn<QVariant>("sex");
        QTest::newRow("Ж") << QVariant(U("Ж")) << QVariant(0);
        QTest::newRow("ж") << QVariant(U("ж")) << QVariant(0);
        QTest::newRow("м") << QVariant(U("м")) << QVariant(1);
        QTest::newRow("М") << QVariant(U("М")) << QVariant(1);
        QTest::newRow("x") << QVariant("x") << QVariant();
        QTest::newRow("empty") << QVariant() << QVariant();
    }
    void sexRule()
    {
        QFETCH(QVariant, pol);
        QFETCH(QVariant, sex);
        QCOMPARE(TRegistryImport::Sex(pol), sex);
    }

    void rerunAddsNothingAndUpdateKeepsCrDate()
    {
        TWorkstation ws;
        StandardRegistry(ws);
        QCOMPARE(Import(ws, {"", "0"}).error, QString());
        ws.Exec("update Person set PrnMdnName = 'ДЕВИЧЬЯ', PrnSurName = 'иначе' where paspor = '1001'");

        const TRun again = Import(ws, {"", "0"});
        QCOMPARE(again.Counts(), QStringList{U("0 записей добавлено/обновлено")});
        QCOMPARE(Count(ws, "Person"), 4);
        QCOMPARE(Count(ws, "Address"), 4);
        QCOMPARE(PersonValue(ws, "1001", "PrnSurName").toString(), U("иначе"));

        TClock::SetFixed(TestSupport::FixedNow().addDays(1));
        const TRun update = Import(ws, {"", "1"});
        QCOMPARE(update.error, QString());
        QCOMPARE(update.Counts(), QStringList{U("4 записей добавлено/обновлено")});
        QCOMPARE(Count(ws, "Person"), 4);
        QCOMPARE(Count(ws, "Address"), 4);
        QCOMPARE(Count(ws, "City"), 2);
        QCOMPARE(PersonValue(ws, "1001", "PrnSurName").toString(), U("ИВАНОВ"));
        QVERIFY(PersonValue(ws, "1001", "PrnMdnName").isNull());
        QCOMPARE(PersonValue(ws, "1001", "CrDate").toString(), QString("2026-12-10 10:00:00"));
        QCOMPARE(PersonValue(ws, "1001", "LastUpdate").toString(), QString("2026-12-11 10:00:00"));
        QCOMPARE(ws.Scalar("select min(a.CrDate) || '|' || min(a.LastUpdate) from Address a").toString(),
                 QString("2026-12-10 10:00:00|2026-12-11 10:00:00"));
        QCOMPARE(ws.Scalar("select AutoIncVal from SysTable where TableName = 'Person'").toInt(), 4);
    }

    // The running count follows every registry row once the count is a multiple of ten.
    void runningCountCadence()
    {
        TWorkstation ws;
        Generate(ws.PolyFolder(), 12, 2, 2, 2);
        SeedCounters(ws.Db());
        ws.Exec("insert into Person(PrnLID, paspor) values(900, '100011')"); // row 11 is present
        const TRun run = Import(ws, {"", "0"});
        QCOMPARE(run.error, QString());
        QCOMPARE(run.Counts(), (QStringList{U("10 записей добавлено/обновлено"), U("10 записей добавлено/обновлено"),
                                           U("11 записей добавлено/обновлено")}));
        QCOMPARE(Import(ws, {"", "0"}).Counts(), QStringList{U("0 записей добавлено/обновлено")});
    }

    // In a registry without PASPOR.KOD_PROF the occupation is the one of the employment held
    // today, taken from ARH_WORK's KOD_PROF.
    void oldRegistryTakesOccupationFromHistory()
    {
        {
        TWorkstation ws;
        StandardRegistry(ws, false);
        const QDate today = TestSupport::FixedNow().date();
        WriteArhWork(ws.PolyFolder(), {
                                          {"K1", QDate(2000, 1, 1), today, "1"},           // ended today
                                          {"K1", QVariant(), today.addDays(1), "2"},       // valid
                                          {"K2", today.addDays(1), QVariant(), "1"},       // not begun
                                          {"K3", today, QVariant(), "2"},                  // begun today
                                          {"K6", QVariant(), QVariant(), "7"},             // unknown occupation
                                      });
        QCOMPARE(Import(ws, {"", "0"}).error, QString());
        auto post = [&](const char* paspor) {
            return ws.Scalar(QString("select PosName from Post p join Person r on r.PosLID = p.PosLID where paspor = '%1'").arg(paspor)).toString();
        };
        QCOMPARE(post("1001"), U("ИНЖЕНЕР"));
        QCOMPARE(post("1002"), QString());
        QCOMPARE(post("1003"), U("ИНЖЕНЕР"));
        QCOMPARE(post("1006"), QString());
        QCOMPARE(Count(ws, "Post"), 1);
        }
        // A history without an occupation column gives no occupation at all.
        TWorkstation ws2;
        StandardRegistry(ws2, false);
        WriteArhWork(ws2.PolyFolder(), {{"K1", QVariant(), QVariant()}}, false);
        QCOMPARE(Import(ws2, {"", "0"}).error, QString());
        QCOMPARE(Count(ws2, "Post"), 0);
        QCOMPARE(Count(ws2, "Person"), 4);
    }

    void duplicateKeyInOneRunMakesOnePatient()
    {
        {
        TWorkstation ws;
        StandardRegistry(ws);
        WritePaspor(ws.PolyFolder(), {{"2001", U("ПЕРВЫЙ"), U("А"), QVariant(), QDate(1970, 1, 1), U("м"), QVariant(), "1", QVariant(), QVariant(), "1", QVariant(), QVariant(), QVariant(), QVariant()},
                                      {"2001", U("ВТОРОЙ"), U("Б"), QVariant(), QDate(1970, 1, 1), U("м"), QVariant(), "2", QVariant(), QVariant(), "1", QVariant(), QVariant(), QVariant(), QVariant()}});
        QCOMPARE(Import(ws, {"", "0"}).Counts(), QStringList{U("1 записей добавлено/обновлено")});
        QCOMPARE(Count(ws, "Person"), 1);
        QCOMPARE(Count(ws, "Address"), 1);
        }
        // With updating, the second row updates the patient the first one made.
        TWorkstation ws2;
        StandardRegistry(ws2);
        WritePaspor(ws2.PolyFolder(), {{"2001", U("ПЕРВЫЙ"), U("А"), QVariant(), QDate(1970, 1, 1), U("м"), QVariant(), "1", QVariant(), QVariant(), "1", QVariant(), QVariant(), QVariant(), QVariant()},
                                       {"2001", U("ВТОРОЙ"), U("Б"), QVariant(), QDate(1970, 1, 1), U("м"), QVariant(), "2", QVariant(), QVariant(), "1", QVariant(), QVariant(), QVariant(), QVariant()}});
        QCOMPARE(Import(ws2, {"", "1"}).Counts(), QStringList{U("2 записей добавлено/обновлено")});
        QCOMPARE(Count(ws2, "Person"), 1);
        QCOMPARE(Count(ws2, "Address"), 1);
        QCOMPARE(PersonValue(ws2, "2001", "PrnSurName").toString(), U("ВТОРОЙ"));
    }

    // A failure in the middle of a patient takes back that patient whole, also the town and
    // street created for him; the patients before him stay.
    void missingCounterKeepsOnlyCompletePatients()
    {
        TWorkstation ws;
        StandardRegistry(ws);
        ws.Exec("delete from SysTable where TableName = 'Person'");
        ws.Exec("insert into SysTable values('Person', 0)");
        ws.Exec("delete from SysTable where TableName = 'Post'");
        // The first row needs an occupation: make it the third one, so that two complete first.
        WritePaspor(ws.PolyFolder(), {
            {"1", U("А"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), "1", QVariant(), QVariant(), QVariant(), QVariant()},
            {"2", U("Б"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), "4010100001", "11", "1", QVariant(), QVariant(), 3, QVariant()},
            {"3", U("В"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), "4010200002", QVariant(), "1", QVariant(), QVariant(), 8, "1"},
            {"4", U("Г"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), "1", QVariant(), QVariant(), QVariant(), QVariant()},
        });
        const TRun run = Import(ws, {"", "0"});
        QCOMPARE(run.error, U("Ошибка при генерации первичного ключа"));
        QCOMPARE(run.lines.mid(run.lines.size() - 2), (QStringList{U("2 записей добавлено/обновлено"), ""}));
        QCOMPARE(Count(ws, "Person"), 2);
        CheckOnlyCompletePatients(ws);
        QCOMPARE(Count(ws, "City"), 1); // not the town of patient 3
        QCOMPARE(ws.Scalar("select count(*) from RegistrationArea where HspGID = 4").toInt(), 1);
        QCOMPARE(ws.Scalar("select AutoIncVal from SysTable where TableName = 'Person'").toInt(), 2);
        // Once the counter is there, the run finishes the job without duplicates.
        ws.Exec("insert into SysTable values('Post', 0)");
        QCOMPARE(Import(ws, {"", "0"}).Counts(), QStringList{U("2 записей добавлено/обновлено")});
        QCOMPARE(Count(ws, "Person"), 4);
        CheckOnlyCompletePatients(ws);
    }

    void cancellationLeavesCompletePatients()
    {
        TWorkstation ws;
        Generate(ws.PolyFolder(), 30, 3, 3, 3);
        SeedCounters(ws.Db());
        const TRun run = Import(ws, {"", "0"}, 7);
        QCOMPARE(run.error, U("Прервано пользователем"));
        QCOMPARE(run.Counts().last(), U("7 записей добавлено/обновлено"));
        QCOMPARE(Count(ws, "Person"), 7);
        CheckOnlyCompletePatients(ws);
        QCOMPARE(Import(ws, {"", "0"}).Counts().last(), U("23 записей добавлено/обновлено"));
        QCOMPARE(ws.Scalar("select count(distinct paspor) from Person").toInt(), 30);
    }

    void singleKey()
    {
        TWorkstation ws;
        StandardRegistry(ws);
        // A key not in the registry (or filtered out) writes nothing and counts 0.
        for (const char* key : {"9999", "1004"}) {
            const TRun none = Import(ws, {key, "1"});
            QCOMPARE(none.error, QString());
            QCOMPARE(none.Counts(), QStringList{U("0 записей добавлено/обновлено")});
        }
        QCOMPARE(Count(ws, "Person"), 0);
        QCOMPARE(Count(ws, "Address"), 0);
        // A new key is added; a present one is updated even with "0".
        QCOMPARE(Import(ws, {"1002", "0"}).Counts(), QStringList{U("1 записей добавлено/обновлено")});
        QCOMPARE(Count(ws, "Person"), 1);
        ws.Exec("update Person set PrnName = 'ДРУГОЕ'");
        QCOMPARE(Import(ws, {"1002", "0"}).Counts(), QStringList{U("1 записей добавлено/обновлено")});
        QCOMPARE(Count(ws, "Person"), 1);
        QCOMPARE(PersonValue(ws, "1002", "PrnName").toString(), U("МАРИЯ"));
    }

    // A present patient whose address row is missing gets a new address of his own; no other
    // address is touched.
    void foundPatientWithoutAddressGetsNewOne()
    {
        TWorkstation ws;
        StandardRegistry(ws);
        ws.Exec("insert into Address(AdrLID, AdrHousNum) values(78, 'ЧУЖОЙ')");
        ws.Exec("insert into Person(PrnLID, PrnSurName, paspor, AdrLID) values(500, 'X', '1001', 77)");
        ws.Exec("insert into Person(PrnLID, PrnSurName, paspor) values(501, 'Y', '1002')");
        ws.Exec("update SysTable set AutoIncVal = 100 where TableName = 'Address'");
        QCOMPARE(Import(ws, {"", "1"}).error, QString());
        QCOMPARE(PersonValue(ws, "1001", "AdrLID").toInt(), 101);
        QCOMPARE(PersonValue(ws, "1002", "AdrLID").toInt(), 102);
        QCOMPARE(ws.Scalar("select AdrHousNum from Address where AdrLID = 101").toString(), U("12A"));
        QCOMPARE(ws.Scalar("select AdrHousNum || '|' || coalesce(CityLID, '-') from Address where AdrLID = 78").toString(), U("ЧУЖОЙ|-"));
        QCOMPARE(ws.Scalar("select count(*) from Person where paspor in ('1001', '1002')").toInt(), 2);
    }

    void missingHistoryFileStopsBeforeWriting()
    {
        TWorkstation ws;
        StandardRegistry(ws);
        QFile::remove(ws.PolyFolder() + "ARH_WORK.DBF");
        const TRun run = Import(ws, {"", "0"});
        QVERIFY2(run.error.contains("ARH_WORK.DBF"), qPrintable(run.error));
        QCOMPARE(Count(ws, "Person"), 0);
        QCOMPARE(Count(ws, "City"), 0);
    }

    void unreachableFolder()
    {
        TWorkstation ws;
        try {
            TRegistryTables registry(ws.Root() + "nowhere/");
            QFAIL("opened a folder that is not there");
        } catch (const ERplException& e) {
            QCOMPARE(e.Message(), U("Папка базы данных поликлиники недоступна: ") + ws.Root() + "nowhere/");
        }
    }

    void damagedFileIsRefusedBeforeWriting_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("why");
        for (const char* file : {"PASPOR.DBF", "ARH_WORK.DBF", "S_STREET.DBF"}) {
            QTest::addRow("%s truncated header", file) << file << "header" << U("заголовок файла неполон");
            QTest::addRow("%s wrong record length", file) << file << "length" << U("длина записи в заголовке");
            QTest::addRow("%s cut in a record", file) << file << "cut" << U("файл обрезан");
        }
    }
    void damagedFileIsRefusedBeforeWriting()
    {
        QFETCH(QString, file);
        QFETCH(QString, damage);
        QFETCH(QString, why);
        TWorkstation ws;
        StandardRegistry(ws);
        const QString path = ws.PolyFolder() + file;
        for (const char* f : kFiles)
            SetHeaderByte29(ws.PolyFolder() + f, 0);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        if (damage == "header") {
            f.resize(20);
        } else if (damage == "length") {
            f.seek(10);
            f.write("\x05\x00", 2);
        } else {
            f.resize(f.size() - 5);
        }
        f.close();
        const TRun run = Import(ws, {"", "0"});
        QVERIFY2(run.error.startsWith(U("Файл \"%1\" базы данных поликлиники повреждён: ").arg(file)), qPrintable(run.error));
        QVERIFY2(run.error.contains(why), qPrintable(run.error));
        QCOMPARE(Count(ws, "Person"), 0);
        for (const char* other : kFiles)
            if (file != other)
                QCOMPARE(HeaderByte29(ws.PolyFolder() + other), '\0');
    }

    void codePageMarks()
    {
        TWorkstation ws;
        StandardRegistry(ws);
        for (const char* f : kFiles)
            SetHeaderByte29(ws.PolyFolder() + f, 0);
        const QString readOnly = ws.PolyFolder() + "S_PROF.DBF";
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup);
        QCOMPARE(Import(ws, {"", "0"}).error, QString());
        for (const char* f : kFiles)
            QCOMPARE(HeaderByte29(ws.PolyFolder() + f), QString(f) == "S_PROF.DBF" ? '\0' : '\x26');
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner);
    }

    // Field texts as the writers of registries leave them, read back as the import uses them.
    void fieldTexts_data()
    {
        QTest::addColumn<QByteArray>("number");
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<QString>("numberText");
        QTest::addColumn<QVariant>("dateValue");
        QTest::newRow("whole") << QByteArray("     7") << QByteArray("20261210") << "7" << QVariant(QDate(2026, 12, 10));
        QTest::newRow("zeros") << QByteArray("  0070") << QByteArray("19991231") << "70" << QVariant(QDate(1999, 12, 31));
        QTest::newRow("zero") << QByteArray("   0.0") << QByteArray("00000000") << "0" << QVariant();
        QTest::newRow("decimals") << QByteArray("  12.0") << QByteArray("        ") << "12" << QVariant();
        QTest::newRow("fraction") << QByteArray("  12.5") << QByteArray("20260230") << U("12,5") << QVariant();
        QTest::newRow("large") << QByteArray("  1234") << QByteArray("2026121 ") << QLocale().toString(1234.0, 'g', 15)
                               << QVariant();
        QTest::newRow("negative") << QByteArray("    -3") << QByteArray("2026-1-1") << "-3" << QVariant();
        QTest::newRow("stars") << QByteArray("******") << QByteArray("    2026") << QString() << QVariant();
        QTest::newRow("blank") << QByteArray("      ") << QByteArray("2026121A") << QString() << QVariant();
    }
    void fieldTexts()
    {
        QFETCH(QByteArray, number);
        QFETCH(QByteArray, date);
        TWorkstation ws;
        const QString path = ws.PolyFolder() + "T.DBF";
        Write(path, {F{"NUM", N, 6, 1}, F{"DAY", D, 8}, F{"NAME", C, 6}}, {{1, QDate(2000, 1, 1), U("  ёж")}});
        PatchRecord(path, 0, 1, number + date);
        TDbfTable t;
        t.Load(path, "T.DBF");
        QTEST(t.Text(0, 0), "numberText");
        QTEST(t.Value(0, 1), "dateValue");
        QCOMPARE(t.Text(0, 2), U("  ёж"));
    }
};

VELTA_TEST_MAIN(TestRegistryImport)
#include "test_registry_import.moc"
