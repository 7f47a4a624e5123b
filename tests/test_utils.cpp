// Input routines, their messages, and NormalizeValue.
#include "TestSupport.h"
#include "app/Unit_AIS_VELTA_UTILS.h"
#include "app/Unit_Exceptions.h"

namespace {
// The message a call raises, or empty when it passes.
template <class F> QString Raised(F f)
{
    try {
        f();
    } catch (const AppException& e) {
        return e.Message();
    }
    return QString();
}
}

class TestUtils : public QObject {
    Q_OBJECT
private slots:
    void intValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << "" << 0 << "";
        QTest::newRow("number") << "120" << 120 << "";
        QTest::newRow("negative") << "-5" << -5 << "";
        QTest::newRow("letter") << "12a" << 0 << "Вводите только цифры!";
        QTest::newRow("decimal") << "1,5" << 0 << "Вводите только цифры!";
    }
    void intValue()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(QString, error);
        int got = 0;
        QCOMPARE(Raised([&] { got = GetIntValue(text); }), error);
        QCOMPARE(got, value);
    }

    void floatValueFollowsLocale()
    {
        QCOMPARE(GetFloatValue("1,5"), 1.5);
        QCOMPARE(GetFloatValue(""), 0.0);
        QCOMPARE(GetFloatValue("-2,25"), -2.25);
        QCOMPARE(GetFloatValue(",5"), 0.5);
        // Nothing but digits, one separator and a sign: no NaN to slip past the range checks.
        for (const char* bad : {"1.5", "nan", "NaN", "inf", "-inf", "1 234,5", "1\u00a0234,5", "1e5", "1,2,3",
                                "5-", "+", ",", "1,5x"})
            QCOMPARE(Raised([bad] { GetFloatValue(QString::fromUtf8(bad)); }), QString("Вводите только цифры!"));
        QCOMPARE(Raised([] { GetFloatValue(QString(400, u'9')); }), QString("Вводите только цифры!")); // not finite
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(GetFloatValue("1.5"), 1.5);
        QCOMPARE(Raised([] { CheckFloatRange(1.2, 1.5, 50); }), QString("Значение не может быть меньше чем 1.50"));
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    void ranges_data()
    {
        QTest::addColumn<int>("check");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("error");
        // check: 0 = int range 70..350, 1 = float range 1.5..50, 2 = int min 30, 3 = float max 2000
        QTest::newRow("zero passes") << 0 << 0.0 << "";
        QTest::newRow("int below") << 0 << 69.0 << "Значение не может быть меньше чем 70";
        QTest::newRow("int above") << 0 << 351.0 << "Значение не может быть больше чем 350";
        QTest::newRow("int inside") << 0 << 70.0 << "";
        QTest::newRow("float below") << 1 << 1.2 << "Значение не может быть меньше чем 1,50";
        QTest::newRow("float above") << 1 << 50.01 << "Значение не может быть больше чем 50,00";
        QTest::newRow("float zero") << 1 << 0.0 << "";
        QTest::newRow("int min") << 2 << 29.0 << "Значение не может быть меньше чем 30";
        QTest::newRow("float max") << 3 << 2000.5 << "Значение не может быть больше чем 2000,00";
    }
    void ranges()
    {
        QFETCH(int, check);
        QFETCH(double, value);
        QFETCH(QString, error);
        QCOMPARE(Raised([&] {
                     switch (check) {
                     case 0: CheckIntRange(int(value), 70, 350); break;
                     case 1: CheckFloatRange(value, 1.5, 50); break;
                     case 2: CheckIntMin(int(value), 30); break;
                     default: CheckFloatMax(value, 2000); break;
                     }
                 }),
                 error);
    }

    void dateMax()
    {
        const QDate today = TestSupport::FixedNow().date();
        QCOMPARE(Raised([&] { CheckDateMax(today.addDays(1), today); }),
                 QString("Значение не может быть больше чем 10.12.2026"));
        QCOMPARE(Raised([&] { CheckDateMax(today, today); }), QString());
        QCOMPARE(Raised([&] { CheckDateMax(QDate(), today); }), QString());
    }

    void normalizeValue_data()
    {
        QTest::addColumn<QVariant>("in");
        QTest::addColumn<QVariant>("out");
        QTest::newRow("null") << QVariant() << QVariant();
        QTest::newRow("cyrillic") << QVariant("  иванов\t") << QVariant("ИВАНОВ");
        QTest::newRow("control chars") << QVariant(QString("\x01петров\r\n")) << QVariant("ПЕТРОВ");
        QTest::newRow("inner blank kept") << QVariant(" ул. ленина ") << QVariant("УЛ. ЛЕНИНА");
        QTest::newRow("number") << QVariant(12) << QVariant("12");
        QTest::newRow("yo") << QVariant("ёлкин") << QVariant("ЁЛКИН");
    }
    void normalizeValue()
    {
        QFETCH(QVariant, in);
        QFETCH(QVariant, out);
        const QVariant got = NormalizeValue(in);
        QCOMPARE(got.isNull(), out.isNull());
        QCOMPARE(got.toString(), out.toString());
    }
};

VELTA_TEST_MAIN(TestUtils)
#include "test_utils.moc"
