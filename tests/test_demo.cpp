// The demo polyclinic a new user starts on.
#include "TestSupport.h"
#include "access/Unit_Security.h"
#include "app/Unit_Exceptions.h"
#include "data/Unit_Database.h"
#include "data/Unit_DemoData.h"
#include <QFile>
#include <QSqlQuery>

class TestDemo : public QObject {
    Q_OBJECT
private slots:
    void demoIsCompleteAndLoginWorks()
    {
        QTemporaryDir dir;
        const QString exe = dir.path() + "/bin/velta";
        const TDemoResult r = CreateDemoPolyclinic(dir.path() + "/demo", exe, 120);
        QCOMPARE(r.Patients, 120);
        QVERIFY(r.Documents > 40);

        // The settings of the program point at the demo, and its start-up checks pass.
        TAppInfo info(exe + ".ini");
        QVERIFY(info.CheckLocations());
        QCOMPARE(info.MainDBPath(), dir.path() + "/demo/main/");
        QVERIFY(info.CheckFirstRun());
        SetAppInfo(&info);
        TOperatorIdentity admin, nurse;
        QVERIFY(Authenticate(kDemoAdminName, kDemoAdminPassword, admin));
        QCOMPARE(admin.UserLevel, 1);
        QVERIFY(Authenticate(kDemoNurseName, kDemoNursePassword, nurse));
        QCOMPARE(nurse.UserLevel, 0);
        QCOMPARE(nurse.HspGID, 1);
        SetAppInfo(nullptr);

        TScopedConnection c("demo_check", info.MainDatabaseFile(), TDatabase::ReadOnly);
        QSqlQuery q(c.Db());
        const auto scalar = [&](const char* sql) {
            TDatabase::Exec(q, sql);
            return q.next() ? q.value(0) : QVariant();
        };
        QCOMPARE(scalar("select count(*) from Diagnosis where DiagGID between 1 and 18").toInt(), 18);
        QCOMPARE(scalar("select count(*) from Document").toInt(), r.Documents);
        QCOMPARE(scalar("select AutoIncVal from SysTable where TableName = 'document'").toInt(), r.Documents + 1);
        QCOMPARE(scalar("select count(*) from Person p join Address a on a.AdrLID = p.AdrLID").toInt(), 120);
        QVERIFY(scalar("select count(*) from MedPreparat where MprDose > 0").toInt() >= 10);
        QVERIFY(scalar("select count(*) from Region where RegOkato <> ''").toInt() >= 3);

        // The registry: dBase files marked CP866, with patients the register does not have yet.
        for (const char* name : {"PASPOR.DBF", "S_TOWN.DBF", "S_STREET.DBF", "S_PROF.DBF", "ARH_WORK.DBF"}) {
            QFile f(dir.path() + "/demo/poly/" + name);
            QVERIFY2(f.open(QIODevice::ReadOnly), name);
            const QByteArray header = f.read(32);
            QCOMPARE(quint8(header[29]), quint8(0x26));
        }
        QFile paspor(dir.path() + "/demo/poly/PASPOR.DBF");
        QVERIFY(paspor.open(QIODevice::ReadOnly));
        const QByteArray h = paspor.read(32);
        const quint32 records = quint8(h[4]) | quint8(h[5]) << 8 | quint8(h[6]) << 16 | quint32(quint8(h[7])) << 24;
        QCOMPARE(records, 160u);
        QVERIFY(QFile::exists(dir.path() + "/demo/import") && QFile::exists(dir.path() + "/demo/export"));

        QVERIFY_THROWS_EXCEPTION(EFileError, CreateDemoPolyclinic(dir.path() + "/demo", exe, 10));
    }
};

VELTA_TEST_MAIN(TestDemo)
#include "test_demo.moc"
