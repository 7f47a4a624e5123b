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

        // The documents hold what a save from the windows holds, and look like a real year's.
        struct TCheck {
            const char* what;
            const char* sql; // a count that must be above 0, or exactly 0 for "never"
            bool never;
        };
        const TCheck checks[] = {
            {"a sheet with drug intake", "select count(*) from PrimaryInspection where PinPrepAD = 1 and MprGID1 > 0", false},
            {"a card with drug intake", "select count(*) from ScriningCard where Preparat = 1 and Prep1GID > 0", false},
            {"laboratory values", "select count(*) from PrimaryInspection where AlsBlChol > 0 and AlsBlGluk > 0", false},
            {"card laboratory", "select count(*) from ScriningCard where Holest > 0", false},
            {"smokers", "select count(*) from ScriningCard where Smoking = 1 and SmokingSigarCount > 0", false},
            {"drinkers", "select count(*) from ScriningCard where AlkBeer = 1 and AlkBeerFreq > 0 and AlkBeerCount > 0", false},
            {"ECG marks", "select count(*) from PrimaryInspection where EKGHemChng = 1", false},
            {"normal pressure", "select count(*) from PrimaryInspection where ObjCAD < 130 and ObjDAD < 85", false},
            {"grade 3", "select count(*) from ScriningCard where AD1Hi >= 180", false},
            {"both conclusions", "select count(distinct DiagType) from MapDiag", false},
            {"edited later", "select count(*) from Document where LastUpdate > CrDate", false},
            {"maiden names", "select count(*) from Person where PrnSex = 0 and PrnMdnName <> ''", false},
            {"a document older than its patient",
             "select count(*) from Document d join Person p on p.PrnLID = d.PrnLID where d.CrDate < p.CrDate "
             "or d.DocDate < date(p.CrDate)", true},
            {"a pensioner under 55", "select count(*) from Person where PosLID = 1 and PrnDate > '1971-12-10'", true},
            {"a student over 30", "select count(*) from Person where PosLID = 10 and PrnDate < '1996-12-10'", true},
            {"a counter behind its table",
             "select count(*) from (select 'Person' t, max(PrnLID) m from Person union all select 'Address', max(AdrLID) "
             "from Address union all select 'City', max(CityLID) from City union all select 'Street', max(StrLID) from "
             "Street union all select 'Post', max(PosLID) from Post union all select 'RegistrationArea', max(AreaLID) "
             "from RegistrationArea) x left join SysTable s on s.TableName = x.t where s.AutoIncVal is null or "
             "s.AutoIncVal < x.m", true},
        };
        for (const TCheck& c : checks)
            QVERIFY2((scalar(c.sql).toInt() == 0) == c.never, c.what);

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
        // Empty numbers and dates are blanks, as the polyclinics' registry programs write them.
        for (const char* name : {"PASPOR.DBF", "ARH_WORK.DBF"}) {
            QFile f(dir.path() + "/demo/poly/" + name);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray bytes = f.readAll();
            QVERIFY2(!bytes.contains("**") && !bytes.contains("00000000"), name);
        }
        QVERIFY(QFile::exists(dir.path() + "/demo/import") && QFile::exists(dir.path() + "/demo/export"));

        QVERIFY_THROWS_EXCEPTION(EFileError, CreateDemoPolyclinic(dir.path() + "/demo", exe, 10));
    }
};

VELTA_TEST_MAIN(TestDemo)
#include "test_demo.moc"
