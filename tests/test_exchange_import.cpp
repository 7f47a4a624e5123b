// Import from the server: archives made by Python's zipfile and sqlite3 (the program's own
// archive code plays no part in making them), SQL scripts, the first-run imports of the
// start-up and the command line.
#include "ExchangeTestSupport.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Startup.h"
#include "data/Unit_DataModule.h"
#include "data/Unit_Database.h"
#include "data/Unit_Schema.h"
#include "exchange/RplImport.h"
#include "exchange/StrConst.h"
#include "exchange/Unit_AdminExchange.h"
#include "ui/Replications.h"
#include <QSqlQuery>
#include <QStringEncoder>

using namespace TestSupport;
using namespace ExchangeTest;

namespace {
QString Utf8(const char* s) { return QString::fromUtf8(s); }

QString Create(const char* table) { return TSchema::CreateStatement(*TSchema::Table(QString::fromLatin1(table))); }

// A table file's statements: the workstation's layout and rows (id, name).
QStringList Medicines(int rows, int first = 1)
{
    QStringList s{Create("MedPreparat")};
    QStringList values;
    for (int i = first; i < first + rows; ++i)
        values << QString("(%1, 'ПРЕПАРАТ %1', 2.5, 1, 1, '2026-01-01 00:00:00')").arg(i);
    if (!values.isEmpty())
        s << "insert into MedPreparat(MprGID, MprName1, MprDose, MprDoseDay, MpgGID, LastUpdate) values " + values.join(", ");
    return s;
}

QStringList Names(TWorkstation& ws, const char* sql)
{
    QSqlQuery q(ws.Db());
    TDatabase::Exec(q, QString::fromUtf8(sql));
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    return names;
}

void Prepare(TWorkstation& ws, int wstGID)
{
    MakeRegistry(ws.PolyFolder());
    ws.Exec("insert into MedPreparat(MprGID, MprName1) values(900, 'СТАРЫЙ')");
    ws.Exec("insert into Hospital(HspGID, MU) values(1, 'СТАРАЯ')");
    ws.Info().WstGID = wstGID;
}

const char* const kInfo = "000042_20050221143000";
} // namespace

class TestExchangeImport : public QObject {
    Q_OBJECT
private slots:
    void init() { TDialogs::ClearAsked(); }

    void serverArchive_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("wst");
        QTest::addColumn<QString>("logEnd");
        const QString done = Utf8(RplText::Separator) + "\n" + RplText::ImportDone;
        const QString err = Utf8(RplText::ErrorPrefix);
        QTest::newRow("comment for this workstation") << "plain" << 42 << done;
        QTest::newRow("first start takes any") << "plain" << 0 << done;
        QTest::newRow("other workstation") << "plain" << 43 << err + RplText::OtherWorkstation;
        QTest::newRow("name carries the information") << "named" << 42 << done;
        QTest::newRow("no information anywhere") << "anonymous" << 42 << err + RplText::NoServiceInfo;
        QTest::newRow("volumes") << "volumes" << 42 << done;
        QTest::newRow("volume missing") << "volume missing" << 42 << err + RplText::ExtractFailed;
        QTest::newRow("truncated") << "truncated" << 42 << err + RplText::ExtractFailed;
        QTest::newRow("not a zip") << "not a zip" << 42 << err + RplText::ExtractFailed;
        QTest::newRow("path outside the folder") << "evil" << 42 << err + RplText::ExtractFailed;
        QTest::newRow("table file not SQLite")
            << "junk table" << 42 << err + Utf8("Файл таблицы Hospital в архиве повреждён или не является таблицей базы данных: file is not a database");
        QTest::newRow("columns differ")
            << "columns" << 42 << err + Utf8("Поля таблицы Medpreparat в архиве не совпадают с полями таблицы рабочей станции");
        QTest::newRow("unknown table")
            << "unknown" << 42 << err + Utf8("Таблица Nowhere из архива отсутствует в базе данных рабочей станции");
        QTest::newRow("row refused midway")
            << "duplicate" << 42 << err + Utf8("Таблица Hospital: UNIQUE constraint failed: Hospital.HspGID");
    }
    void serverArchive()
    {
        QFETCH(QString, kind);
        QFETCH(int, wst);
        QFETCH(QString, logEnd);
        TWorkstation ws;
        Prepare(ws, wst);
        QString file = ws.ImportFolder() + "ref.s2w";
        QString comment = QString::fromLatin1(kInfo);
        int medicines = 3;
        QList<QPair<QString, QStringList>> tables{{"Medpreparat.db", Medicines(3)},
                                                  {"Hospital.db", {Create("Hospital"), "insert into Hospital(HspGID, MU) values(1, 'ГП-1')"}}};
        QList<QPair<QString, QByteArray>> raw{{"log.txt", "server log"}};
        qint64 volume = 0;
        if (kind == "named" || kind == "anonymous" || kind == "not a zip" || kind == "truncated" || kind == "volume missing") {
            // A broken archive's comment cannot be read either: the name must carry it.
            if (kind == "named" || kind == "anonymous" || kind == "not a zip")
                comment.clear();
            if (kind != "anonymous")
                file = ws.ImportFolder() + QString::fromLatin1(kInfo) + Utf8("_справочники.s2w");
        }
        if (kind.startsWith("volume")) {
            medicines = 20000;
            tables[0].second = Medicines(medicines);
            volume = 20000;
        }
        if (kind == "evil")
            raw << qMakePair(QString("../Evil.db"), QByteArray("x"));
        if (kind == "junk table") {
            tables.removeAt(1);
            raw << qMakePair(QString("Hospital.db"), QByteArray("not a database at all"));
        }
        if (kind == "columns")
            tables[0].second = QStringList{"create table MedPreparat(MprGID, MprName1)"};
        if (kind == "unknown")
            tables << qMakePair(QString("Nowhere.db"), QStringList{"create table Nowhere(x)"});
        if (kind == "duplicate") {
            // The server's file has no key; the workstation's table refuses the second row.
            tables[1].second[0].replace(" PRIMARY KEY", "");
            tables[1].second << "insert into Hospital(HspGID, MU) values(1, 'ЕЩЁ РАЗ')";
        }
        MakeServerArchive(file, comment, tables, volume, raw);
        if (kind == "volume missing")
            QFile::remove(file + ".003");
        if (kind == "truncated" || kind == "not a zip") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            const QByteArray bytes = f.readAll();
            f.resize(0);
            f.seek(0);
            f.write(kind == "truncated" ? bytes.left(bytes.size() / 2) : QByteArray("plain text"));
        }
        if (kind == "volumes")
            QVERIFY(QFileInfo::exists(file + ".003"));

        TDialogs::SetNextPath(file);
        TOperator op;
        const bool ok = op.Run(RunServerImport);
        QVERIFY2(op.log.endsWith(logEnd), qPrintable(op.log));
        QCOMPARE(ok, logEnd.endsWith(Utf8(RplText::ImportDone)));
        QCOMPARE(op.title, Utf8(RplText::ServerImportTitle));
        QCOMPARE(TDialogs::Asked().first().filter, Utf8("Копия внешних справочников (*.s2w)"));
        QCOMPARE(TDialogs::Asked().first().start, ws.ImportFolder());
        QVERIFY(!QFileInfo::exists(ws.MainFolder() + ".s2w_import"));
        QVERIFY(!QFileInfo::exists(ws.Root() + "Evil.db"));
        if (ok) {
            QCOMPARE(ws.Scalar("select count(*) from MedPreparat").toInt(), medicines);
            QCOMPARE(ws.Scalar("select MprName1 from MedPreparat where MprGID = 2").toString(), Utf8("ПРЕПАРАТ 2"));
            QCOMPARE(ws.Scalar("select MU from Hospital").toString(), Utf8("ГП-1"));
            QVERIFY(!QFileInfo::exists(file));
            // The database as it was before lies beside it.
            const QString backup = ws.MainFolder() + "velta_20261210_100000.db";
            QVERIFY(op.log.contains(Utf8("Копия базы данных до замены справочников: ") + backup));
            TScopedConnection c("backup", backup, TDatabase::ReadOnly);
            QSqlQuery q(c.Db());
            TDatabase::Exec(q, "select MprName1 from MedPreparat");
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), Utf8("СТАРЫЙ"));
        } else {
            QCOMPARE(Names(ws, "select MprName1 from MedPreparat"), QStringList{Utf8("СТАРЫЙ")});
            QCOMPARE(Names(ws, "select MU from Hospital"), QStringList{Utf8("СТАРАЯ")});
            QVERIFY(QFileInfo::exists(file));
        }
    }

    void patientListComesBackWithTheConnection()
    {
        TWorkstation ws;
        Prepare(ws, 42);
        ws.Exec("insert into Person(PrnLID, PrnSurName) values(1, 'ИВАНОВ')");
        ws.Info().LoggedIn = true;
        TDM dm(ws.Info());
        QVERIFY(dm.PersonsOpen());
        MakeServerArchive(ws.ImportFolder() + "ref.s2w", QString::fromLatin1(kInfo), {{"MedPreparat.db", Medicines(2)}});
        TDialogs::SetNextPath(ws.ImportFolder() + "ref.s2w");
        TOperator op;
        QVERIFY(op.Run(RunServerImport));
        QVERIFY(dm.Connected());
        QVERIFY(dm.PersonsOpen());
        QCOMPARE(dm.CurrentPerson().SurName.toString(), Utf8("ИВАНОВ"));
    }

    void splitter_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("statement over a line break")
            << QStringList{"UPDATE A SET X=1; UPDATE B", "SET Y=2;"} << QStringList{"UPDATE A SET X=1", "UPDATE B\nSET Y=2"};
        QTest::newRow("slash line, blanks, empty lines")
            << QStringList{"  select 1  ", "", "\t", "/", "select 2", "/"} << QStringList{"select 1", "select 2"};
        QTest::newRow("text after the first semicolon as it stands")
            << QStringList{"a; b; c", "d"} << QStringList{"a", "b; c\nd"};
        QTest::newRow("no statement") << QStringList{"", "/", ";", " ; "} << QStringList{};
        QTest::newRow("last without end") << QStringList{"x;", "y"} << QStringList{"x", "y"};
    }
    void splitter()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, statements);
        QCOMPARE(SplitScript(lines), statements);
    }

    void script_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("logEnd");
        QTest::addColumn<QStringList>("operators");
        const QString done = Utf8(RplText::Separator) + "\n" + RplText::ScriptImportDone;
        const QString err = Utf8(RplText::ErrorPrefix);
        const QByteArray head = "/*\n000042_20050221143000 служебная строка\n*/\n";
        QTest::newRow("applied")
            << "s.sql"
            << head + "insert into Operator(WstGID, UserGID, UserName, UserLevel) values(42, 1, 'ПЕРВЫЙ', 1);\n"
                      "insert into Operator(WstGID, UserGID, UserName, UserLevel)\nvalues(42, 2, 'ВТОРОЙ', 0)\n/\n"
            << done << QStringList{Utf8("ПЕРВЫЙ"), Utf8("ВТОРОЙ")};
        QTest::newRow("third statement fails: nothing stays")
            << "s.sql"
            << head + "insert into Operator(UserGID, UserName) values(1, 'ПЕРВЫЙ');\n"
                      "insert into Operator(UserGID, UserName) values(2, 'ВТОРОЙ');\ninsert into Nowhere values(3);\n"
            << err + "no such table: Nowhere" << QStringList{};
        QTest::newRow("service information in the name")
            << "000042_20050221143000.sql" << QByteArray("insert into Operator(UserGID, UserName) values(1, 'А');\nselect 1;")
            << done << QStringList{Utf8("А")};
        QTest::newRow("no service information")
            << "script.sql" << QByteArray("select 1;\nselect 2;\n") << err + RplText::NoServiceInfo << QStringList{};
        QTest::newRow("one line only") << "000042_20050221143000.sql" << QByteArray("select 1;")
                                       << err + Utf8("Индекс списка вышел за границы (1)") << QStringList{};
        QTest::newRow("no statement") << "000042_20050221143000.sql" << QByteArray("/\n\n/\n")
                                      << err + Utf8("Индекс списка вышел за границы (-1)") << QStringList{};
        QStringEncoder cp1251("windows-1251");
        QTest::newRow("older script in Windows-1251")
            << "s.sql"
            << QByteArray(cp1251.encode(Utf8("/*\n000042_20050221143000\n*/\n"
                                             "insert into Operator(UserGID, UserName) values(1, 'СТАРЫЙ');\n")))
            << done << QStringList{Utf8("СТАРЫЙ")};
    }
    void script()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, text);
        QFETCH(QString, logEnd);
        QFETCH(QStringList, operators);
        TWorkstation ws;
        Prepare(ws, 42);
        const QString file = ws.ImportFolder() + name;
        WriteBytes(file, text);
        TDialogs::SetNextPath(file);
        TOperator op;
        const bool ok = op.Run(RunScriptImport);
        QVERIFY2(op.log.endsWith(logEnd), qPrintable(op.log));
        QCOMPARE(ok, logEnd.endsWith(Utf8(RplText::ScriptImportDone)));
        QCOMPARE(TDialogs::Asked().first().filter, Utf8("SQL-скрипт (*.sql)"));
        QCOMPARE(Names(ws, "select UserName from Operator order by UserGID"), operators);
        QCOMPARE(QFileInfo::exists(file), !ok);
        if (QTest::currentDataTag() == QByteArray("third statement fails: nothing stays"))
            QVERIFY(op.log.contains(Utf8("Ошибка в операторе 3 скрипта (изменения скрипта отменены):\ninsert into Nowhere values(3)\n")));
        if (ok)
            QVERIFY(op.log.startsWith(Utf8("Импорт анкет и внутренних справочников\n") + RplText::Separator + "\n" +
                                      RplText::RunningScript + "\n"));
    }

    void firstRunImportsOperatorsThenReferenceBooks()
    {
        TWorkstation ws;
        MakeRegistry(ws.PolyFolder());
        const QString script = ws.ImportFolder() + "000099_20261201000000.sql";
        WriteBytes(script, "insert into Operator(WstGID, UserGID, UserName, UserLevel) values(99, 1, 'ADMIN', 1);\nselect 1;\n");
        MakeServerArchive(ws.ImportFolder() + "ref.s2w", "000099_20261201000000", {{"MedPreparat.db", Medicines(5)}});
        TDialogs::SetNextPath(script);
        TDialogs::SetNextPath(ws.ImportFolder() + "ref.s2w");
        TStartupWindows windows;
        windows.RunScriptImport = RunScriptImport;
        windows.RunServerImport = RunServerImport;
        bool loginShown = false;
        windows.ShowLogin = [&] { return loginShown = true, false; };
        TOperator op;
        QCOMPARE(op.Run([&] { return RunStartup(ws.Info(), windows) == 0; }), true);
        QVERIFY(loginShown);
        QCOMPARE(ws.Scalar("select count(*) from Operator").toInt(), 1);
        QCOMPARE(ws.Scalar("select count(*) from MedPreparat").toInt(), 5);
        QVERIFY(AskedTexts().contains(Utf8("Обнаружен первый запуск приложения. Необходимо \r\nвнести информацию справочников. "
                                           "После нажатия \r\nкнопки ОК выполните это действие.")));

        // A second workstation whose first import is cancelled stops before the login.
        TWorkstation other;
        MakeRegistry(other.PolyFolder());
        TDialogs::ClearAsked();
        TDialogs::SetNextPath(QString());
        loginShown = false;
        TOperator op2;
        QCOMPARE(op2.Run([&] { return RunStartup(other.Info(), windows); }), true); // exit code 1
        QVERIFY(!loginShown);
        QCOMPARE(AskedTexts().last(), Utf8("Ошибка первого запуска приложения. \r\nДальнейшее выполнение приложения не возможно. "
                                           "\r\nОбратитесь к разработчику."));
    }

    void commandLineImports()
    {
        TWorkstation ws;
        MakeRegistry(ws.PolyFolder());
        const QString velta = ws.Root() + "velta";
        const QString script = ws.ImportFolder() + "ops.sql";
        WriteBytes(script, "/*\n000042_20261201000000\n*/\ninsert into Operator(WstGID, UserGID, UserName, UserLevel) "
                           "values(42, 1, 'ADMIN', 1);\ninsert into Workstation(WstGID, HspGID) values(42, 3);\n");
        // A new database has no operators: the first script is taken for any workstation.
        QCOMPARE(RunAdminExchangeCommand({"import-script", ws.MainFolder(), script}, velta), 0);
        QCOMPARE(ws.Scalar("select UserName from Operator").toString(), QString("ADMIN"));
        QVERIFY(!QFileInfo::exists(script));
        // Now the administrator of workstation 42 is the login: an archive for 43 is refused.
        MakeServerArchive(ws.ImportFolder() + "ref.s2w", "000043_20261201000000", {{"MedPreparat.db", Medicines(4)}});
        QCOMPARE(RunAdminExchangeCommand({"import-server", ws.MainFolder(), ws.ImportFolder() + "ref.s2w"}, velta), 1);
        QCOMPARE(ws.Scalar("select count(*) from MedPreparat").toInt(), 0);
        MakeServerArchive(ws.ImportFolder() + "ref.s2w", "000042_20261201000000", {{"MedPreparat.db", Medicines(4)}});
        QCOMPARE(RunAdminExchangeCommand({"import-server", ws.MainFolder(), ws.ImportFolder() + "ref.s2w"}, velta), 0);
        QCOMPARE(ws.Scalar("select count(*) from MedPreparat").toInt(), 4);
        QCOMPARE(RunAdminExchangeCommand({"import-server", ws.MainFolder(), ws.ImportFolder() + "gone.s2w"}, velta), 1);
        const QString log = QString::fromUtf8([&] { QFile f(ws.Root() + "log.txt"); f.open(QIODevice::ReadOnly); return f.readAll(); }());
        QVERIFY(log.contains(Utf8("> ОШИБКА!!! Данная репликация предназначена для другой рабочей станции")));
    }
};

VELTA_TEST_MAIN(TestExchangeImport)
#include "test_exchange_import.moc"
