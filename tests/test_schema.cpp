// The workstation database as velta-admin init-db makes it.
#include "TestSupport.h"
#include "app/Unit_Exceptions.h"
#include "data/Unit_Database.h"
#include "data/Unit_Schema.h"
#include <QFile>
#include <QProcess>
#include <QSqlQuery>

class TestSchema : public QObject {
    Q_OBJECT

    static QStringList StoredColumns(QSqlDatabase db, const QString& table)
    {
        QSqlQuery q(db);
        TDatabase::Exec(q, QString("select name from pragma_table_info('%1') order by cid").arg(table));
        QStringList cols;
        while (q.next())
            cols << q.value(0).toString();
        return cols;
    }

private slots:
    void positionalTablesKeepTheirOrder()
    {
        TestSupport::TWorkstation ws(false);
        QSqlDatabase db = ws.Db();
        const QStringList stamp{"CrDate", "LastUpdate", "WstGID", "UserGID"};
        QCOMPARE(StoredColumns(db, "Document"), QStringList({"DocLID", "DocDate", "DocNumber", "DtpGID", "PrnLID"}) + stamp);
        QCOMPARE(StoredColumns(db, "PrimDiag"), QStringList({"DiagGID", "DocLID", "DiagType"}) + stamp);
        QCOMPARE(StoredColumns(db, "MapDiag"), QStringList({"DiagGID", "DocLID", "DiagType"}) + stamp);
        QCOMPARE(StoredColumns(db, "SysTable"), QStringList({"TableName", "AutoIncVal"}));
        const QStringList card = StoredColumns(db, "ScriningCard");
        QCOMPARE(card.size(), 132);
        QCOMPARE(card.mid(0, 5), QStringList({"DocLID", "CardNumber", "CardCode", "CardSec", "CardDate"}));
        QCOMPARE(card[80], QString("Rous7Where"));
        QCOMPARE(card[100], QString("PostLID"));
        QCOMPARE(card.mid(127), QStringList({"Dispanser"}) + stamp);
        QCOMPARE(StoredColumns(db, "PrimaryInspection").size(), 59);
        QCOMPARE(StoredColumns(db, "Address").mid(5), QStringList({"CrDate", "LastUpdate", "UserGID", "WstGID"}));
        for (const char* t : {"Person", "City", "Street", "Region", "RegistrationArea", "Post", "Hospital", "Brigade",
                              "Workstation", "Operator", "Diagnosis", "MedPreparat", "Hosptype", "Brighsp", "Doctype",
                              "Medprepgroup"})
            QVERIFY2(TDatabase::TableExists(db, t), t);
    }

    void storedValuesFitTheirColumns()
    {
        QCOMPARE(TSchema::ToStored("Person", "PrnSurName", QString("КОНСТАНТИНОПОЛЬСКИЙ")).toString(),
                 QString("КОНСТАНТИНОПОЛЬ"));
        QCOMPARE(TSchema::ToStored("ScriningCard", "Puls", 70000).toInt(), int(qint16(70000)));
        QCOMPARE(TSchema::ToStored("Document", "DocDate", QDateTime(QDate(2026, 1, 2), QTime(3, 4))).toString(),
                 QString("2026-01-02"));
        QCOMPARE(TSchema::ToStored("Document", "CrDate", QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))).toString(),
                 QString("2026-01-02 03:04:05"));
        QVERIFY(TSchema::ToStored("Person", "PrnSex", QVariant()).isNull());
        QCOMPARE(TSchema::ToStored("PrimaryInspection", "CmpNoise", true).toInt(), 1);
    }

    void adminInitDbRefusesExistingDatabase()
    {
        QTemporaryDir dir;
        const QString admin = QCoreApplication::applicationDirPath() + "/../src/velta-admin";
        QProcess p;
        p.start(admin, {"init-db", dir.path() + "/new"});
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(QFile::exists(dir.path() + "/new/velta.db"));
        const QByteArray before = [&] { QFile f(dir.path() + "/new/velta.db"); f.open(QIODevice::ReadOnly); return f.readAll(); }();

        p.start(admin, {"init-db", dir.path() + "/new"});
        QVERIFY(p.waitForFinished());
        QVERIFY(p.exitCode() != 0);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains("уже есть база данных"));
        QFile f(dir.path() + "/new/velta.db");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }
};

VELTA_TEST_MAIN(TestSchema)
#include "test_schema.moc"
