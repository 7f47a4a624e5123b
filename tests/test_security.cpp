// The password hash, authentication and password change.
#include "TestSupport.h"
#include "access/Unit_Security.h"
#include "app/Unit_Dialogs.h"

class TestSecurity : public QObject {
    Q_OBJECT
private slots:
    void hash_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("ABC") << "ABC" << "75206";
        QTest::newRow("empty") << "" << "0";
        // Windows-1251 bytes: А is 0xC0.
        QTest::newRow("cyrillic") << "А" << "192";
        // Long enough for the top bit: unsigned, never negative.
        QTest::newRow("top bit") << "ZZZZZZZZ" << QString::number(PasswordHash("ZZZZZZZZ"));
    }
    void hash()
    {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QCOMPARE(PasswordHashText(text), stored);
        QVERIFY(!PasswordHashText(text).startsWith('-'));
    }
    void topBitIsUnsigned()
    {
        const quint32 h = PasswordHash("ZZZZZZZZ");
        QVERIFY(h > 2147483647u);
        QCOMPARE(PasswordHash(QByteArray("\xff", 1)), 255u);
    }

    void authenticate()
    {
        TestSupport::TWorkstation ws;
        ws.Exec("insert into Hospital(HspGID, MU) values(5, 'ПОЛИКЛИНИКА 5')");
        ws.Exec("insert into Hospital(HspGID, MU) values(7, 'ПОЛИКЛИНИКА 7')");
        ws.Exec("insert into Workstation(WstGID, HspGID) values(3, 7)");
        ws.Exec("insert into Operator(WstGID, UserGID, UserName, UserHash, UserLevel) values(3, 11, 'ADMIN', '75206', 1)");
        ws.Exec("insert into Operator(WstGID, UserGID, UserName, UserHash, UserLevel) values(9, 12, 'NURSE', '0', 0)");
        ws.Exec("insert into Operator(WstGID, UserGID, UserName, UserHash, UserLevel) values(9, 13, 'lower', '0', 0)");
        ws.Info();
        TOperatorIdentity id;
        QVERIFY(Authenticate("ADMIN", "ABC", id));
        QCOMPARE(id.UserGID, 11);
        QCOMPARE(id.WstGID, 3);
        QCOMPARE(id.HspGID, 7);
        QCOMPARE(id.UserLevel, 1);
        // No Workstation row: the first polyclinic.
        QVERIFY(Authenticate("NURSE", "", id));
        QCOMPARE(id.HspGID, 5);
        QCOMPARE(id.UserLevel, 0);
        TOperatorIdentity untouched;
        QVERIFY(!Authenticate("ADMIN", "ABD", untouched));
        QVERIFY(!Authenticate("ADMI", "ABC", untouched));
        QVERIFY(!Authenticate("LOWER", "", untouched));
        QVERIFY(!Authenticate("NURSE", "X", untouched));
        QCOMPARE(untouched.UserGID, 0);
        QVERIFY(TDialogs::Asked().isEmpty());

        QVERIFY(ChangePassword(12, "NEW"));
        QVERIFY(Authenticate("NURSE", "NEW", id));
        QVERIFY(!Authenticate("NURSE", "", id));
        QVERIFY(!ChangePassword(99, "NEW"));
    }

    void databaseErrorIsShownAndRefused()
    {
        TestSupport::TWorkstation ws(true, false);
        ws.Info();
        TOperatorIdentity id;
        QVERIFY(!Authenticate("ADMIN", "ABC", id));
        QCOMPARE(TDialogs::Asked().size(), 1);
        QCOMPARE(TDialogs::Asked().first().type, TBoxType::Error);
        QVERIFY(!ChangePassword(1, "X"));
    }
};

VELTA_TEST_MAIN(TestSecurity)
#include "test_security.moc"
