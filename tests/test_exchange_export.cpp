// Export to the server: the archive read back with libzip, its table files compared with the
// source rows, the export log, the last export moment, and every way a run can end.
#include "ExchangeTestSupport.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Dialogs.h"
#include "data/Unit_Database.h"
#include "exchange/StrConst.h"
#include "exchange/Unit_AdminExchange.h"
#include "ui/Replications.h"
#include <QSqlQuery>
#include <QSqlRecord>

using namespace TestSupport;
using namespace ExchangeTest;

namespace {
QString Utf8(const char* s) { return QString::fromUtf8(s); }

const char* const kSection = "Workstation-To-Server Replicated Tables";

// Workstation 42 "Кабинет 12/3" of polyclinic "ГП-1", a second workstation 43 of the region,
// an administrator of 42, patients changed at several moments.
void Fill(TWorkstation& ws)
{
    TIniFile ini(ws.SettingsFile());
    ini.WriteString(kSection, "Person", QString());
    ini.WriteString(kSection, "Document", QString());
    ini.WriteString(kSection, "SysTable", QString());
    for (const char* sql : {
             "insert into Hospital(HspGID, MU, LastUpdate) values(1, 'ГП-1', '2026-01-01 00:00:00')",
             "insert into Workstation(WstGID, WstName, HspGID) values(42, 'Кабинет 12/3', 1)",
             "insert into Workstation(WstGID, WstName, HspGID) values(43, 'Другой', 1)",
             "insert into Operator(WstGID, UserGID, UserName, UserLevel) values(42, 7, 'ADMIN', 1)",
             "insert into Brigade(BrgGID, BrgName) values(5, 'никогда не менялась')",
             "insert into Person(PrnLID, PrnSurName, PrnDate, LastUpdate) values(1, 'РАНО', '1950-01-02', '2026-12-01 10:00:00')",
             "insert into Person(PrnLID, PrnSurName, PrnDate, LastUpdate) values(2, 'ПОЗЖЕ', '1960-03-04', '2026-12-09 10:00:00')",
             "insert into Person(PrnLID, PrnSurName, LastUpdate) values(3, 'БЕЗ ОТМЕТКИ', null)",
             "insert into Document(DocLID, DtpGID, PrnLID, LastUpdate) values(10, 1, 2, '2026-12-09 10:00:00')",
             "insert into SysTable(TableName, AutoIncVal) values('Person', 3)"})
        ws.Exec(QString::fromUtf8(sql));
    ws.Info().WstGID = 42;
    ws.Info().UserGID = 7;
    MakeRegistry(ws.PolyFolder());
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The rows of a table, every column, in key order.
QList<QVariantList> Rows(QSqlDatabase db, const QString& table, const QString& where = QString())
{
    QSqlQuery q(db);
    TDatabase::Exec(q, "select * from " + table + (where.isEmpty() ? QString() : " where " + where) + " order by 1");
    QList<QVariantList> rows;
    while (q.next()) {
        QVariantList r;
        for (int i = 0; i < q.record().count(); ++i)
            r << q.value(i);
        rows << r;
    }
    return rows;
}

struct TTableFile {
    QTemporaryDir dir;
    QString path;
    explicit TTableFile(const QByteArray& bytes) : path(dir.filePath("t.db")) { WriteBytes(path, bytes); }
};

QString ArchiveName() { return Utf8("Кабинет 12_3_20261210100000.w2s"); }
} // namespace

class TestExchangeExport : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        TDialogs::ClearAsked();
        TClock::SetFixed(FixedNow());
    }

    void firstExportSendsEveryRowThenOnlyChanges()
    {
        TWorkstation ws;
        Fill(ws);
        QMap<QString, QList<QVariantList>> before;
        for (const QString& table : ws.Info().ExportTableList())
            before[table] = Rows(ws.Db(), table);
        TOperator op;
        QVERIFY(op.Run(RunExport));
        QVERIFY(op.questionSeen);
        QCOMPARE(op.title, Utf8(RplText::ExportTitle));

        const QString archive = ws.ExportFolder() + ArchiveName();
        QCOMPARE(QDir(ws.ExportFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{ArchiveName()});
        const TReadArchive a = ReadZip(ReadAll(archive));
        QVERIFY(a.ok);
        QCOMPARE(a.comment, Utf8("000042_18991230000000_20261210100000_от ГП-1"));
        QStringList expected;
        for (const QString& t : ws.Info().ExportTableList())
            expected << t + ".db";
        expected << "log.txt";
        expected.sort();
        QCOMPARE(a.entries.keys(), expected);

        // Every row of every table, rows never stamped included, values as stored.
        for (const QString& table : ws.Info().ExportTableList()) {
            TTableFile file(a.entries[table + ".db"]);
            TScopedConnection c("check", file.path, TDatabase::ReadOnly);
            QCOMPARE(Rows(c.Db(), table), before[table]);
        }
        {
            TTableFile file(a.entries["Document.db"]);
            TScopedConnection c("check", file.path, TDatabase::ReadOnly);
            QSqlQuery q(c.Db());
            TDatabase::Exec(q, "select sql from sqlite_master where name = 'Document_PrnLID'");
            QVERIFY(q.next()); // the table's indexes come along
            TDatabase::Exec(q, "select type from pragma_table_info('Document') where name = 'DocNumber'");
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), QString("VARCHAR(10)"));
        }

        const QStringList log = QString::fromUtf8(a.entries["log.txt"]).split('\n');
        QCOMPARE(log.mid(0, 7), QStringList({Utf8(RplText::ExportTitle), Utf8("Период: с 30.12.1899 по 10.12.2026 10:00:00"),
                                             Utf8(RplText::Separator), Utf8("Экспорт данных из таблицы: Person"),
                                             Utf8("3 записей"), QString(), Utf8("Экспорт данных из таблицы: Document")}));
        QVERIFY(op.log.endsWith(Utf8("Экспорт данных завершен\nФайлы, готовые к отправке, находятся в папке: ") +
                                ws.ExportFolder()));
        // Only this workstation's row carries the moment.
        QCOMPARE(ws.Scalar("select WstRplDate from Workstation where WstGID = 42").toString(), QString("2026-12-10 10:00:00"));
        QVERIFY(ws.Scalar("select WstRplDate from Workstation where WstGID = 43").isNull());

        // Later: rows changed since then, and the table without LastUpdate in full.
        TClock::SetFixed(FixedNow().addSecs(300));
        ws.Exec("insert into Person(PrnLID, PrnSurName, LastUpdate) values(4, 'НОВЫЙ', '2026-12-10 10:01:00')");
        TOperator second;
        QVERIFY(second.Run(RunExport));
        const TReadArchive b = ReadZip(ReadAll(ws.ExportFolder() + Utf8("Кабинет 12_3_20261210100500.w2s")));
        QCOMPARE(b.comment, Utf8("000042_20261210100000_20261210100500_от ГП-1"));
        const auto count = [&](const char* table) {
            TTableFile file(b.entries[QString::fromLatin1(table) + ".db"]);
            TScopedConnection c("check", file.path, TDatabase::ReadOnly);
            return Rows(c.Db(), table).size();
        };
        QCOMPARE(count("Person"), 1);
        QCOMPARE(count("Brigade"), 0);
        QCOMPARE(count("SysTable"), 1);
        QCOMPARE(count("Workstation"), 0); // the export date is no change of the row
    }

    void customDateStartsOneDayEarlier()
    {
        TWorkstation ws;
        Fill(ws);
        TOperator op;
        op.exportAnswer = TOperator::CustomDate;
        op.customMoment = QDateTime(QDate(2026, 12, 2), QTime(11, 17, 54));
        QVERIFY(op.Run(RunExport));
        const TReadArchive a = ReadZip(ReadAll(ws.ExportFolder() + ArchiveName()));
        QCOMPARE(a.comment, Utf8("000042_20261201111754_20261210100000_от ГП-1"));
        QVERIFY(QString::fromUtf8(a.entries["log.txt"]).contains(Utf8("Период: с 01.12.2026 11:17:54 по 10.12.2026 10:00:00\n")));
        TTableFile file(a.entries["Person.db"]);
        TScopedConnection c("check", file.path, TDatabase::ReadOnly);
        QCOMPARE(Rows(c.Db(), "Person"), Rows(ws.Db(), "Person", "PrnLID = 2"));
    }

    void runsThatEndWithoutArchive_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("logEnd");
        QTest::newRow("question cancelled") << "question" << Utf8(RplText::Cancelled);
        QTest::newRow("cancel pressed") << "cancel" << Utf8(RplText::ErrorPrefix) + RplText::Interrupted;
        QTest::newRow("missing table") << "table" << Utf8("ОШИБКА!!! Таблица NoSuchTable не найдена в базе данных рабочей станции");
        QTest::newRow("no workstation row") << "wst" << Utf8("ОШИБКА!!! В таблице WorkStation нет рабочей станции оператора (код 99): экспорт невозможен");
        QTest::newRow("folder cannot be made") << "unwritable" << QString();
    }
    void runsThatEndWithoutArchive()
    {
        QFETCH(QString, kind);
        QFETCH(QString, logEnd);
        TWorkstation ws;
        if (kind == "table")
            TIniFile(ws.SettingsFile()).WriteString(kSection, "NoSuchTable", QString());
        Fill(ws);
        TOperator op;
        op.exportAnswer = kind == "question" ? TOperator::CancelQuestion : TOperator::LastExport;
        op.cancelAtQuestion = kind == "cancel";
        if (kind == "wst")
            ws.Info().WstGID = 99;
        QString blocker;
        if (kind == "unwritable") {
            // The export folder is a plain file: no run folder can be made in it.
            blocker = ws.Root() + "blocker";
            WriteBytes(blocker, "x");
            ws.Info().SetExportDBPath(blocker + "/");
            logEnd = Utf8("ОШИБКА!!! Невозможно создать папку\n") + blocker + Utf8("/Кабинет 12_3_20261210100000");
        }
        QVERIFY(!op.Run(RunExport));
        QVERIFY2(op.log.endsWith(logEnd), qPrintable(op.log));
        if (kind == "cancel")
            QVERIFY(op.stayedOpenOnClose);
        QCOMPARE(QDir(ws.ExportFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QVERIFY(ws.Scalar("select WstRplDate from Workstation where WstGID = 42").isNull());
    }

    void existingRunFolderIsLeftAlone()
    {
        TWorkstation ws;
        Fill(ws);
        const QString folder = ws.ExportFolder() + Utf8("Кабинет 12_3_20261210100000");
        QDir().mkpath(folder);
        WriteBytes(folder + "/keep.txt", "x");
        TOperator op;
        QVERIFY(!op.Run(RunExport));
        QVERIFY(op.log.endsWith(Utf8("ОШИБКА!!! Папка уже существует\n") + folder));
        QVERIFY(QFileInfo::exists(folder + "/keep.txt"));
    }

    void commandLineExport()
    {
        TWorkstation ws;
        Fill(ws);
        const QString out = ws.Root() + "out";
        QDir().mkpath(out);
        QCOMPARE(RunAdminExchangeCommand({"export", ws.MainFolder(), out, "--from", "2026-12-05"}, ws.Root() + "velta"), 0);
        const TReadArchive a = ReadZip(ReadAll(out + "/" + ArchiveName()));
        QCOMPARE(a.comment, Utf8("000042_20261205000000_20261210100000_от ГП-1"));
        TTableFile file(a.entries["Person.db"]);
        TScopedConnection c("check", file.path, TDatabase::ReadOnly);
        QCOMPARE(Rows(c.Db(), "Person"), Rows(ws.Db(), "Person", "PrnLID = 2"));
        QVERIFY(QString::fromUtf8(ReadAll(ws.Root() + "log.txt")).contains(Utf8("> Экспорт данных завершен")));
        // An unknown operator, a date in another form and a folder without a database fail.
        QCOMPARE(RunAdminExchangeCommand({"export", ws.MainFolder(), out, "--operator", "NOBODY"}, ws.Root() + "velta"), 1);
        QCOMPARE(RunAdminExchangeCommand({"export", ws.MainFolder(), out, "--from", "05.12.2026"}, ws.Root() + "velta"), 1);
        QCOMPARE(RunAdminExchangeCommand({"export", ws.Root() + "nowhere", out}, ws.Root() + "velta"), 1);
    }
};

VELTA_TEST_MAIN(TestExchangeExport)
#include "test_exchange_export.moc"
