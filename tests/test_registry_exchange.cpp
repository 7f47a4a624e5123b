// The registry import as an exchange operation: in its worker thread behind the exchange
// window (log, cancellation, the exchange log), and as velta-admin import-registry, also
// killed in the middle of a large run.
#include "RegistryFixture.h"
#include "TestSupport.h"
#include "app/Unit_Dialogs.h"
#include "exchange/RplRegistry.h"
#include "exchange/StrConst.h"
#include <QFile>
#include <QProcess>

using TestSupport::TWorkstation;
using namespace RegistryFixture;

namespace {

class TTestWindow : public TRplWindow {
public:
    QString title, caption;
    QStringList lines;
    int result = -1;
    void SetTitle(const QString& t) override { title = t; }
    void ClearLog() override { lines.clear(); }
    void AddLogLine(const QString& l) override { lines << l; }
    void SetButton(int r, const QString& c) override { result = r, caption = c; }
};

struct TReplicatorScope {
    explicit TReplicatorScope(TRplWindow* w) { SetReplicator(w); }
    ~TReplicatorScope() { SetReplicator(nullptr); }
};

void Prepare(TWorkstation& ws, int patients)
{
    Generate(ws.PolyFolder(), patients, 5, 10, 7);
    SeedCounters(ws.Db());
    ws.Exec("insert into Workstation(WstGID, HspGID) values(3, 4)");
    ws.Exec("insert into Operator(WstGID, UserGID, UserName, UserLevel) values(3, 9, 'ADMIN', 1)");
    TAppInfo& info = ws.Info();
    info.WstGID = 3;
    info.UserGID = 9;
    info.HspGID = 4;
}

void CheckOnlyCompletePatients(TWorkstation& ws)
{
    QCOMPARE(ws.Scalar("pragma integrity_check").toString(), QString("ok"));
    QCOMPARE(ws.Scalar("select count(*) from Person where AdrLID is null or AdrLID not in (select AdrLID from Address)").toInt(), 0);
    QCOMPARE(ws.Scalar("select count(*) from Address where AdrLID not in (select AdrLID from Person where AdrLID is not null)").toInt(), 0);
    QCOMPARE(ws.Scalar("select count(*) from Person").toInt(), ws.Scalar("select count(distinct paspor) from Person").toInt());
    QCOMPARE(ws.Scalar("select AutoIncVal from SysTable where TableName = 'Person'").toInt(), ws.Scalar("select coalesce(max(PrnLID), 0) from Person").toInt());
}

QString Admin() { return QCoreApplication::applicationDirPath() + "/../src/velta-admin"; }

} // namespace

class TestRegistryExchange : public QObject {
    Q_OBJECT
private slots:
    void workerThreadRunsTheImport()
    {
        TWorkstation ws;
        Prepare(ws, 25);
        TTestWindow window;
        TReplicatorScope scope(&window);
        auto op = TRplThread::Create<TImExternalToWorkstation>(false, ws.Info(), QStringList{"", "0"});
        QCOMPARE(window.title, U("Импорт внутренних справочников из БД \"Поликлинника\""));
        QTRY_COMPARE_WITH_TIMEOUT(window.caption, QString("OK"), 20000);
        QCOMPARE(window.result, int(TRplWindow::ResultOK));
        QCOMPARE(op->Count(), 25);
        QCOMPARE(window.lines.filter(RplText::RecordsAddedUpdated),
                 (QStringList{U("10 записей добавлено/обновлено"), U("20 записей добавлено/обновлено"), U("25 записей добавлено/обновлено")}));
        QCOMPARE(window.lines.last(), U("Импорт данных завершен"));
        QCOMPARE(ws.Scalar("select count(*) from Person where WstGID = 3 and UserGID = 9").toInt(), 25);
        // The exchange log holds the same lines, each after its moment.
        QFile log(ws.Root() + "log.txt");
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        QVERIFY2(text.contains(U("10.12.2026 10:00:00> 25 записей добавлено/обновлено")), qPrintable(text));
        op.reset();
        CheckOnlyCompletePatients(ws);
    }

    void cancelStopsAfterTheCurrentRow()
    {
        TWorkstation ws;
        Prepare(ws, 20000);
        TTestWindow window;
        TReplicatorScope scope(&window);
        auto op = TRplThread::Create<TImExternalToWorkstation>(false, ws.Info(), QStringList{"", "1"});
        QTRY_VERIFY_WITH_TIMEOUT(window.lines.contains(U("10 записей добавлено/обновлено")), 20000);
        op->Terminate();
        QTRY_COMPARE_WITH_TIMEOUT(window.caption, QString("OK"), 20000);
        QCOMPARE(window.result, int(TRplWindow::ResultCancel));
        QCOMPARE(window.lines.mid(window.lines.size() - 2),
                 (QStringList{RplText::Separator, U("ОШИБКА!!! Прервано пользователем")}));
        const int written = ws.Scalar("select count(*) from Person").toInt();
        QVERIFY(written >= 10 && written < 20000);
        QCOMPARE(op->Count(), written);
        op.reset();
        CheckOnlyCompletePatients(ws);
    }

    // The single-patient import of the external search: no window, in the calling thread.
    void importOnePatient()
    {
        TWorkstation ws;
        Prepare(ws, 5);
        QVERIFY(ImportOnePatient("100003"));
        QCOMPARE(ws.Scalar("select group_concat(paspor) from Person").toString(), QString("100003"));
        QVERIFY(ImportOnePatient("100003"));
        QCOMPARE(ws.Scalar("select count(*) from Person").toInt(), 1);
        TDialogs::ClearAsked();
        ws.Exec("delete from SysTable where TableName = 'Address'");
        QVERIFY(!ImportOnePatient("100004"));
        QCOMPARE(TDialogs::LastText(), U("Ошибка при генерации первичного ключа"));
        QCOMPARE(ws.Scalar("select count(*) from Person").toInt(), 1);
    }

    void commandLine()
    {
        TWorkstation ws;
        Prepare(ws, 12);
        QProcess p;
        p.start(Admin(), {"import-registry", ws.MainFolder(), ws.PolyFolder(), "--operator", "admin"});
        QVERIFY(p.waitForFinished(60000));
        const QStringList out = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(out.filter(RplText::RecordsAddedUpdated), (QStringList{U("10 записей добавлено/обновлено"), U("12 записей добавлено/обновлено")}));
        QVERIFY(out.contains(U("Импорт данных завершен")));
        QCOMPARE(ws.Scalar("select count(*) from Person where UserGID = 9 and WstGID = 3").toInt(), 12);
        QCOMPARE(ws.Scalar("select count(*) from RegistrationArea where HspGID = 4").toInt(), 12);

        // A key not in the registry: nothing written, a count of 0, exit 0.
        p.start(Admin(), {"import-registry", ws.MainFolder(), ws.PolyFolder(), "--key", "777"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(QString::fromUtf8(p.readAllStandardOutput()).contains(U("0 записей добавлено/обновлено")));

        // Updating keeps CrDate; a failure exits non-zero with its message.
        ws.Exec("update Person set PrnSurName = 'X', CrDate = '2020-01-01 00:00:00'");
        p.start(Admin(), {"import-registry", ws.MainFolder(), ws.PolyFolder(), "--update"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(ws.Scalar("select count(*) from Person where PrnSurName <> 'X' and CrDate = '2020-01-01 00:00:00'").toInt(), 12);
        p.start(Admin(), {"import-registry", ws.MainFolder(), ws.Root() + "nowhere"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(U("Папка базы данных поликлиники недоступна")));
    }

    // Killed in the middle of a large run: the database is sound, every patient in it is
    // complete, and a second run finishes the job without duplicates.
    void killedMidRun()
    {
        TWorkstation ws;
        const int patients = 40000;
        Prepare(ws, patients);
        QProcess p;
        p.start(Admin(), {"import-registry", ws.MainFolder(), ws.PolyFolder()});
        QVERIFY(p.waitForStarted());
        QString out;
        QTRY_VERIFY_WITH_TIMEOUT((out += QString::fromUtf8(p.readAllStandardOutput())).contains(U("3000 записей")), 60000);
        p.kill(); // SIGKILL
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);
        const int written = ws.Scalar("select count(*) from Person").toInt();
        QVERIFY2(written < patients, qPrintable(QString::number(written)));
        CheckOnlyCompletePatients(ws);

        p.setStandardOutputFile(QProcess::nullDevice()); // tens of thousands of count lines
        p.start(Admin(), {"import-registry", ws.MainFolder(), ws.PolyFolder()});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(ws.Scalar("select count(*) from Person").toInt(), patients);
        CheckOnlyCompletePatients(ws);
        QCOMPARE(ws.Scalar("select count(*) from City").toInt(), 5);
        QCOMPARE(ws.Scalar("select count(*) from Street").toInt(), 50);
        QCOMPARE(ws.Scalar("select count(*) from Post").toInt(), 7);
    }
};

VELTA_TEST_MAIN(TestRegistryExchange)
#include "test_registry_exchange.moc"
