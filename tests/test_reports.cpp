// The seven reports without a window: parameters, the area list, percentages, each report's
// counts on a register worked out by hand, the set-based counting against the plain
// per-patient walk on generated data, the lists' rows, the printed pages (read back with
// pdftotext) and the command line.
#include "ReportData.h"
#include "ReportFixture.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"
#include "reports/Unit_Report1.h"
#include "reports/Unit_Report7.h"
#include "reports/Unit_SummaryReport.h"
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace TestSupport;

namespace {

std::unique_ptr<TReport> Built(TReportFixture& f, int choice, const TListParams& p = {}, int source = 1)
{
    std::unique_ptr<TReport> r = CreateReport(choice, f.Db(), p.Items(ChoiceItems(choice, source)), 2);
    r->Build();
    return r;
}

// Each printed row of a summary table, cells joined by "|", captions trimmed.
QStringList Printed(const TReport& r)
{
    QStringList rows;
    for (const QStringList& row : r.Table().rows) {
        QStringList cells;
        for (const QString& c : row)
            cells << c.split('\n').join(' ').simplified();
        rows << cells.join('|');
    }
    return rows;
}

// The surnames a list printed, in order.
QStringList Surnames(const TReport& r)
{
    QStringList names;
    const auto& rows = r.Table().rows;
    for (size_t i = 1; i < rows.size(); ++i)
        names << rows[i][1].split('\n').first();
    return names;
}

// One column of a list's printed rows, by the CSV head.
QStringList ColumnOf(const TReport& r, const QString& head)
{
    const auto& rows = r.Table().rows;
    const int c = int(rows[0].indexOf(head));
    if (c < 0)
        qFatal("no column %s", qPrintable(head));
    QStringList values;
    for (size_t i = 1; i < rows.size(); ++i)
        values << rows[i][c];
    return values;
}

QStringList PdfPages(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        qFatal("pdftotext failed");
    return QString::fromUtf8(p.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT
private slots:
    void init() { TDialogs::ClearAsked(); }

    void areaClause_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clause");
        QTest::newRow("example") << "1,2,6-14,20" << R"(in ("1","2","6","7","8","9","10","11","12","13","14","20"))";
        QTest::newRow("backwards range") << "3-1" << "in ()";
        QTest::newRow("one") << "5" << R"(in ("5"))";
        QTest::newRow("empty word") << "1,,2" << R"(in ("1","2"))";
        QTest::newRow("third piece ignored") << "1-3-9" << R"(in ("1","2","3"))";
        QTest::newRow("leading zeros kept in a word") << "05,07" << R"(in ("05","07"))";
        QTest::newRow("only commas") << ",,," << "in ()";
    }
    void areaClause()
    {
        QFETCH(QString, text);
        QFETCH(QString, clause);
        QCOMPARE(BuildAreaClause(text), clause);
    }
    void areaBoundNotANumber()
    {
        QVERIFY_THROWS_EXCEPTION(AppException, TAreaList("1,a-5"));
        QVERIFY_THROWS_EXCEPTION(AppException, TAreaList("2-x"));
    }

    // Codes compare as text; a range selects codes without leading zeros; text that would
    // break a pasted statement selects nobody and leaves the data alone.
    void areaListSelectsByBoundCodes_data()
    {
        QTest::addColumn<QString>("areas");
        QTest::addColumn<QString>("examined");
        QTest::newRow("05 only") << "05" << "1";
        QTest::newRow("range gives 5, not 05") << "4-6" << "1";
        QTest::newRow("both") << "05,5" << "2";
        QTest::newRow("quote in a word") << "x'y" << "1";
        QTest::newRow("statement in a word") << "1\");delete from Person;" << "0";
        QTest::newRow("condition in a word") << "1' or '1'='1" << "0";
        QTest::newRow("word of text") << "abc" << "0";
    }
    void areaListSelectsByBoundCodes()
    {
        QFETCH(QString, areas);
        QFETCH(QString, examined);
        TReportFixture f;
        f.Person(1, "А", 1, "1980-01-01", 3); // code 05
        f.Person(2, "Б", 1, "1980-01-01", 4); // code 5
        f.Person(3, "В", 1, "1980-01-01", 7); // code x'y
        for (int p = 1; p <= 3; ++p)
            f.Sheet(p, "2026-03-01", {{"ObjCAD", 120}});
        TListParams params;
        params.areas = areas;
        auto r = Built(f, 2, params);
        QCOMPARE(Printed(*r).at(1), "1|Общее количество осмотренных|" + examined + "|" + (examined == "0" ? "0" : "100"));
        QCOMPARE(f.ws.Scalar("select count(*) from Person").toInt(), 3);
    }

    void emptyAreaListSaysSo()
    {
        TReportFixture f;
        f.Person(1, "А", 1, "1980-01-01");
        f.Sheet(1, "2026-03-01", {{"ObjCAD", 150}});
        TListParams params;
        params.areas = ",,";
        auto r = CreateReport(1, f.Db(), params.Items(), 2);
        RunReport(*r);
        QCOMPARE(AskedTexts(), QStringList{QString::fromUtf8(kEmptyAreaListText)});
        QCOMPARE(Printed(*r).at(1), "1|Общее количество осмотренных|0|0");
    }

    void percentages_data()
    {
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("whole");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("1 of 3") << 1 << 3 << 2 << "33,33";
        QTest::newRow("2 of 3") << 2 << 3 << 2 << "66,67";
        QTest::newRow("1 of 8") << 1 << 8 << 2 << "12,5";
        QTest::newRow("2 of 2") << 2 << 2 << 2 << "100";
        QTest::newRow("1 of 800, half up") << 1 << 800 << 2 << "0,13";
        QTest::newRow("no decimals cut") << 2 << 3 << 0 << "66";
        QTest::newRow("of nothing") << 1 << 0 << 2 << "0";
    }
    void percentages()
    {
        QFETCH(int, part);
        QFETCH(int, whole);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        TReportFixture f;
        TReport1 r(f.Db(), TListParams().Items(), decimals, nullptr);
        QCOMPARE(r.Percent(part, whole), text);
    }
    void halvesToEven()
    {
        QCOMPARE(TReport1::RoundHalfEven(1, 8), 12);
        QCOMPARE(TReport1::RoundHalfEven(3, 8), 38);
        QCOMPARE(TReport1::RoundHalfEven(5, 8), 62);
        QCOMPARE(TReport1::RoundHalfEven(1, 3), 33);
        QCOMPARE(TReport1::RoundHalfEven(1, 0), 0);
    }
    void badParameters_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("age") << 5 << "1O" << "\"1O\" не является целым числом.";
        QTest::newRow("date") << 3 << "31.02.2026" << "\"31.02.2026\" — неверная дата.";
        QTest::newRow("city id") << 1 << "x" << "\"x\" не является целым числом.";
    }
    void badParameters()
    {
        QFETCH(int, item);
        QFETCH(QString, value);
        QFETCH(QString, message);
        TReportFixture f;
        TListParams p;
        p.city = "ГОРОДСК";
        QStringList items = p.Items();
        items[item] = value;
        auto r = CreateReport(2, f.Db(), items, 2);
        try {
            RunReport(*r);
            QFAIL("no error");
        } catch (const AppException& e) {
            QCOMPARE(e.Message(), message);
        }
    }

    // Report 1 worked by hand: period 2026, ages 10 to 70, areas 1-100.
    void report1()
    {
        TReportFixture f;
        f.Person(1, "П1", 1, "1986-01-01");
        const int s1 = f.Sheet(1, "2026-03-01", {{"Dispanser", 2}, {"AlsBlChol", 5.0}});
        f.Card(1, "2026-05-01", {{"Dispanser", 1}}); // later in the period: not looked at by the walk
        f.Person(2, "П2", 0, "1976-01-01", 2);
        f.Card(2, "2026-02-01", {{"Dispanser", 1}, {"COE", 0}});
        f.Person(3, "П3", 0, "1960-01-01");
        const int s3 = f.Sheet(3, "2026-04-01", {{"EKGNegT", 1}, {"Dispanser", 0}});
        f.Diagnosis(s3, 9);
        f.Person(4, "П4", 1, "1980-01-01", 5); // code 07: not in 1-100
        f.Sheet(4, "2026-04-01", {{"Dispanser", 2}});
        f.Person(5, "П5", 1, "1955-06-01"); // 70 years and 9 months at the document
        f.Sheet(5, "2026-03-01", {{"Dispanser", 2}});
        f.Person(6, "П6", 1, "1990-01-01");
        // Two sheets on one day: the one with the smaller identifier is the patient's.
        f.Sheet(6, "2026-06-01", {{"Dispanser", 2}});
        f.Sheet(6, "2026-06-01", {{"Dispanser", 1}});
        f.Person(7, "П7", 1, "1990-01-01");
        f.Sheet(7, "2025-06-01", {{"Dispanser", 2}}); // before the period
        f.Person(8, "П8", 1, "1970-01-01");
        const int s8 = f.Sheet(8, "2026-02-01");
        f.Diagnosis(s8, 9);
        f.Card(8, "2026-08-01"); // latest document a card: not found hypertensive by statement B
        Q_UNUSED(s1);

        auto r = Built(f, 1);
        QCOMPARE(Printed(*r), QStringList({
            "№|Показатели|Абс.|%",
            "1|Общее количество осмотренных|5|100",
            "2|Количество выявленных лиц с артериальной гипертонией|1|20",
            "3|Количество обследованных лиц с артериальной гипертонией|2|40",
            "4|Количество впервые взятых на диспансерный отчёт|2|40",
            "5|Количество состоявших ранее на диспансерном учёте|1|20",
            "6|Итого: Количество находящихся на диспансерном учёте|3|60",
        }));
        auto* r1 = static_cast<TReport1*>(r.get());
        QCOMPARE(r1->PersonsExamined(), 5);
        QCOMPARE(r1->PersonsWithHypertension(), 1);
    }

    // Report 2 by city and sex; a patient whose area has no code counts in neither.
    void report2_data()
    {
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("all") << "*" << "2" << QStringList{"3|100", "2|66,67", "1|33,33"};
        QTest::newRow("city 1") << "1" << "2" << QStringList{"2|100", "2|100", "1|50"};
        QTest::newRow("men") << "*" << "1" << QStringList{"2|100", "1|50", "1|50"};
        QTest::newRow("women of city 2") << "2" << "0" << QStringList{"0|0", "0|0", "0|0"};
    }
    void report2()
    {
        QFETCH(QString, city);
        QFETCH(QString, sex);
        QFETCH(QStringList, rows);
        TReportFixture f;
        f.Person(1, "Q1", 0, "1970-01-01", 1, 1);
        f.Sheet(1, "2026-03-01", {{"ObjCAD", 150}, {"ObjDAD", 80}, {"PinPrepAD", 0}});
        f.Person(2, "Q2", 1, "1970-01-01", 1, 1);
        f.Card(2, "2026-03-01", {{"ADSredHi", 120}, {"ADSredLow", 80}, {"Preparat", 1}});
        f.Person(3, "Q3", 1, "1970-01-01", 2, 2);
        f.Sheet(3, "2026-03-01", {{"ObjCAD", 130}, {"ObjDAD", 85}});
        f.Person(4, "Q4", 0, "1970-01-01", 6, 1);
        f.Sheet(4, "2026-03-01", {{"ObjCAD", 170}});
        TListParams p;
        if (city != "*") {
            p.city = city == "1" ? "ГОРОДСК" : "ЗАРЕЧЬЕ";
            p.cityLID = city;
        }
        p.sex = sex;
        auto r = Built(f, 2, p);
        QStringList got;
        for (const QString& row : Printed(*r).mid(1))
            got << row.section('|', 2);
        QCOMPARE(got, rows);
    }

    // Report 3's edge cases: drugs alone make hypertension, 24.9 and 19.0 are neither over-
    // nor underweight, wine alone is alcohol, and every share is of the total.
    void report3()
    {
        TReportFixture f;
        f.Person(1, "R1", 1, "1970-01-01");
        f.Sheet(1, "2026-03-01", {{"ObjCAD", 130}, {"ObjDAD", 85}, {"PinPrepAD", 1}, {"Smoking", 1}, {"IndexKetle", 22}});
        f.Person(2, "R2", 1, "1970-01-01");
        f.Sheet(2, "2026-03-01", {{"ObjCAD", 120}, {"ObjDAD", 80}, {"PinPrepAD", 0}, {"Spirits", 2}, {"IndexKetle", 24.9}});
        f.Person(3, "R3", 1, "1970-01-01");
        f.Card(3, "2026-03-01", {{"ADSredHi", 120}, {"ADSredLow", 70}, {"Preparat", 0}, {"AlkWine", 1}, {"IndexKetle", 19.0}});
        f.Person(4, "R4", 1, "1970-01-01");
        f.Card(4, "2026-03-01", {{"ADSredHi", 150}, {"ADSredLow", 95}, {"Preparat", 0}, {"IndexKetle", 30}});
        f.Person(5, "R5", 1, "1970-01-01", 6); // area without a code counts in reports 3 and 4
        f.Sheet(5, "2026-03-01", {{"ObjCAD", 120}, {"ObjDAD", 80}, {"PinPrepAD", 0}, {"IndexKetle", 18.5}});
        auto r = Built(f, 3);
        QCOMPARE(Printed(*r), QStringList({
            "№|Показатели|Абс.|%",
            "1.|Частота встречаемости факторов риска среди осмотренных||",
            "1.1|Общее количество осмотренных|5|100",
            "1.2|ФР Курение|1|20",
            "1.3|ФР Употребление алкоголя|2|40",
            "1.4|ФР Избыточная масса тела (Индекс Кетле>24.9)|1|20",
            "1.5|ФР Недостаточная масса тела (Индекс Кетле<19.0)|1|20",
            "|||",
            "2.|Частота встречаемости факторов риска среди выявленных лиц с артериальной гипертонией||",
            "2.1|Количество вывленных лиц с артериальной гипертонией|2|40",
            "2.2|ФР Курение|1|20",
            "2.3|ФР Употребление алкоголя|0|0",
            "2.4|ФР Избыточная масса тела (Индекс Кетле>24.9)|1|20",
            "2.5|ФР Недостаточная масса тела (Индекс Кетле<19.0)|0|0",
            "|||",
            "3.|Частота встречаемости факторов риска среди выявленных лиц не имеющих артериальной гипертонии (здоровых)||",
            "3.1|Количество вывленных лиц без артериальной гипертонии|3|60",
            "3.2|ФР Курение|0|0",
            "3.3|ФР Употребление алкоголя|2|40",
            "3.4|ФР Избыточная масса тела (Индекс Кетле>24.9)|0|0",
            "3.5|ФР Недостаточная масса тела (Индекс Кетле<19.0)|1|20",
            "|||",
        }));
    }

    // Report 4: the grade bounds, drugs alone without a grade, shares of a grade.
    void report4()
    {
        TReportFixture f;
        const QList<QVariantList> pressures = {{140, 90, 0}, {159, 99, 1}, {160, 99, 0}, {179, 109, 1}, {180, 80, 0},
                                               {120, 110, 0}, {130, 80, 1}, {120, 80, 0}, {165, 95, 0}, {150, 112, 0}};
        int prn = 1;
        for (const QVariantList& bp : pressures) {
            f.Person(prn, "G", 1, "1970-01-01");
            if (prn % 2)
                f.Sheet(prn, "2026-03-01", {{"ObjCAD", bp[0]}, {"ObjDAD", bp[1]}, {"PinPrepAD", bp[2]}});
            else
                f.Card(prn, "2026-03-01", {{"ADSredHi", bp[0]}, {"ADSredLow", bp[1]}, {"Preparat", bp[2]}});
            ++prn;
        }
        auto r = Built(f, 4);
        const QStringList rows = Printed(*r);
        QCOMPARE(rows.mid(1, 5), QStringList({
            "1.|Общее количество осмотренных|10|100",
            "2.|Количество выявленных лиц с артериальной гипертонией|9|90",
            "3.|Количество больных АГ 1 степени (\"мягкой\" АГ) САД 140-159 мм рт.ст. и или ДАД 90-99 мм рт.ст.|2|20",
            "4.|Количество больных АГ 2 степени (\"умеренной\" АГ) САД 160-179 мм рт.ст. и или ДАД 100-109 мм рт.ст.|3|30",
            "5.|Количество больных АГ 3 степени (\"тяжёлая\" АГ) САД >= 180 мм рт.ст. и или ДАД >= 110 мм рт.ст.|3|30",
        }));
        QCOMPARE(rows.at(6), "Принимали гипотензивные препараты в последние 2 недели из общего количества больных "
                             "артериальной гипертонией");
        QStringList sub;
        for (const QString& row : rows.mid(7))
            sub << row.section('|', 0, 0) + "|" + row.section('|', 2);
        QCOMPARE(sub, QStringList({"6.|2|1|50", "7.|3|1|33,33", "8.|3|0|0"}));
    }
    void report4NoneHypertensive()
    {
        TReportFixture f;
        f.Person(1, "G", 1, "1970-01-01");
        f.Sheet(1, "2026-03-01", {{"ObjCAD", 120}, {"ObjDAD", 80}, {"PinPrepAD", 0}});
        auto r = Built(f, 4);
        QStringList values;
        for (const QString& row : Printed(*r).mid(1))
            values << row.section('|', 2);
        QCOMPARE(values, QStringList({"1|100", "0|0", "0|0", "0|0", "0|0", "", "0|0|0", "0|0|0", "0|0|0"}));
    }

    // The set-based counting gives what the plain walk gives, on a register with every
    // trap, for every summary report and several parameter sets.
    void setBasedEqualsWalk_data()
    {
        QTest::addColumn<int>("report");
        QTest::addColumn<int>("city");
        QTest::addColumn<int>("sex");
        QTest::addColumn<QString>("areas");
        QTest::addColumn<QStringList>("codes");
        for (int report = 1; report <= 4; ++report) {
            QTest::addRow("report %d, defaults", report) << report << -1 << 2 << "1-100" << QStringList{"1", "2", "5", "12"};
            QTest::addRow("report %d, city 2, women", report) << report << 2 << 0 << "05,1-2" << QStringList{"05", "1", "2"};
            QTest::addRow("report %d, men, 5 and 05", report) << report << -1 << 1 << "5,05" << QStringList{"5", "05"};
        }
    }
    void setBasedEqualsWalk()
    {
        QFETCH(int, report);
        QFETCH(int, city);
        QFETCH(int, sex);
        QFETCH(QString, areas);
        QFETCH(QStringList, codes);
        TWorkstation ws;
        QSqlDatabase db = ws.Db();
        ReportData::Generate(db, 1500, 4000);
        TListParams p;
        p.from = QDate(2025, 6, 1);
        p.to = QDate(2026, 6, 1);
        p.areas = areas;
        p.sex = QString::number(sex);
        if (city != -1) {
            p.city = "ЗАРЕЧЬЕ";
            p.cityLID = QString::number(city);
        }
        auto r = CreateReport(report, db, p.Items(), 2);
        r->Build();
        ReportData::TWalkParams w;
        w.cityLID = city;
        w.areaCodes = codes;
        w.start = p.from;
        w.stop = p.to;
        w.sex = sex;
        const std::vector<int> walked = ReportData::Walk(db, report, w);
        QVERIFY(walked[0] > 20); // the parameters select enough to mean something
        QCOMPARE(static_cast<TSummaryReport*>(r.get())->Counts(), walked);
    }

    // Report 5: the latest sheet decides, ties are listed once through the larger
    // identifier, age columns and the address without a flat.
    void report5()
    {
        TReportFixture f;
        f.Person(1, "АНДРЕЕВ", 1, "1987-01-01"); // vozrast 39 today
        f.Sheet(1, "2026-03-01", {{"AlsBlChol", 5.2}});
        f.Person(2, "БОРИСОВ", 1, "1981-01-01");
        f.Sheet(2, "2026-03-01", {{"AlsBlChol", 6.0}});
        f.Sheet(2, "2026-09-01", {{"AlsBlChol", 4.0}}); // the latest, after the period
        f.Person(3, "ВАСИЛЬЕВ", 1, "1971-01-01", 1, 1, "7", "15");
        f.Sheet(3, "2026-04-01", {{"AlsBlChol", 5.3}});
        f.Sheet(3, "2026-04-01", {{"AlsBlChol", 7.0}, {"HypMother", 1}}); // same day, larger identifier
        f.Person(4, "ГРИГОРЬЕВ", 1, "1971-01-01");
        f.Sheet(4, "2026-04-01", {{"AlsBlGluk", 5.55}, {"IndexKetle", 28}});
        f.Person(5, "ДМИТРИЕВ", 1, "1961-01-01"); // vozrast 65
        f.Card(5, "2026-04-01", {{"Holest", 8.0}}); // a card: not in a list of sheets
        TListParams p;
        p.to = QDate(2026, 6, 30);
        auto r = Built(f, 5, p);
        QCOMPARE(Surnames(*r), QStringList({"АНДРЕЕВ", "ВАСИЛЬЕВ"}));
        QCOMPARE(ColumnOf(*r, "Возраст до 39"), QStringList({"1987", ""}));
        QCOMPARE(ColumnOf(*r, "Возраст > 50"), QStringList({"", "1971"}));
        QCOMPARE(ColumnOf(*r, "Адрес"), QStringList({"ГОРОДСК\nУЛ. ЛЕСНАЯ\nд.12 ", "ГОРОДСК\nУЛ. ЛЕСНАЯ\nд.7 кв.15"}));
        QCOMPARE(ColumnOf(*r, "Факторы риска Повышен.\nхолестерин"), QStringList({"", "V"}));
        QCOMPARE(ColumnOf(*r, "Факторы риска Наследст. ССЗ"), QStringList({"", "V"}));
        QCOMPARE(r->Title(), "Список лиц, имеющих факторы риска, угрожаемые по ССЗ с № АД (по данным листов первичного обследования)");
        auto cards = Built(f, 5, p, 2);
        QCOMPARE(Surnames(*cards), QStringList({"ДМИТРИЕВ"}));
        QCOMPARE(ColumnOf(*cards, "Возраст > 50"), QStringList({"1961"}));
    }

    // Report 6: both pressures in the band, made in the period with the whole last day.
    void report6And7()
    {
        TReportFixture f;
        f.Person(1, "М1", 1, "1970-01-01");
        f.Sheet(1, "2026-06-30", {{"ObjCAD", 150}, {"ObjDAD", 95}, {"Smoking", 1}, {"CrDate", "2026-06-30 15:30:00"}});
        f.Person(2, "М2", 1, "1970-01-01");
        f.Sheet(2, "2026-03-01", {{"ObjCAD", 150}, {"ObjDAD", 85}});
        f.Person(3, "М3", 1, "1970-01-01");
        f.Sheet(3, "2026-06-30", {{"ObjCAD", 145}, {"ObjDAD", 92}, {"CrDate", "2026-07-01 00:00:00"}});
        f.Person(4, "М4", 1, "1970-01-01");
        f.Sheet(4, "2026-03-01", {{"ObjCAD", 150}, {"ObjDAD", 105}, {"Dispanser", 1}});
        f.Person(5, "М5", 1, "1970-01-01");
        f.Sheet(5, "2026-03-01", {{"ObjCAD", 185}, {"ObjDAD", 115}});
        TListParams p;
        p.to = QDate(2026, 6, 30);
        auto grade1 = Built(f, 6, p);
        QCOMPARE(Surnames(*grade1), QStringList({"М1"}));
        QCOMPARE(ColumnOf(*grade1, "Факторы риска Курение"), QStringList({"V"}));
        QCOMPARE(grade1->Title(), "Список лиц с АГ, I степень АД 140-159/90-99 (по данным листов первичного обследования)");
        QCOMPARE(Surnames(*Built(f, 8, p)), QStringList({"М5"}));
        auto all = Built(f, 9, p);
        QCOMPARE(Surnames(*all), QStringList({"М1", "М2", "М4", "М5"}));
        QCOMPARE(ColumnOf(*all, "Примечание"), QStringList({"I степень", "", "", "III степень"}));
        QCOMPARE(ColumnOf(*all, "Состоит на \"Д\" учете"), QStringList({"", "", "V", ""}));
        QCOMPARE(all->Title(), "Все обследуемые с указанием степени АГ");
    }

    void emptyListWarns()
    {
        TReportFixture f;
        auto r = CreateReport(7, f.Db(), TListParams().Items(ChoiceItems(7, 2)), 2);
        bool previewed = false;
        ReportHooks().Preview = [&](const TReportLayout&) { previewed = true; };
        RunReport(*r);
        ReportHooks().Preview = nullptr;
        QVERIFY(!previewed);
        QCOMPARE(AskedTexts(), QStringList{QString::fromUtf8(kNoDataText)});
    }

    void choiceItems()
    {
        QCOMPARE(ChoiceItems(7, 2), QStringList({"160", "179", "100", "109", "Список лиц с АГ, II степень АД 160-179/100-109", "2"}));
        QCOMPARE(ChoiceItems(9, 1), QStringList({"Все обследуемые с указанием степени АГ", "1"}));
        QVERIFY(ChoiceItems(1, 1).isEmpty());
    }

    // The printed page of report 1 read back from its PDF.
    void summaryPdfText()
    {
        TReportFixture f;
        f.Person(1, "А", 1, "1980-01-01");
        f.Sheet(1, "2026-03-01", {{"Dispanser", 1}});
        TListParams p;
        p.city = "ГОРОДСК";
        p.cityLID = "1";
        p.areas = "1,2,6-14";
        auto r = Built(f, 1, p);
        QTemporaryDir dir;
        r->Layout().SaveToPdf(dir.filePath("r1.pdf"));
        const QStringList pages = PdfPages(dir.filePath("r1.pdf"));
        QCOMPARE(pages.size(), 1);
        const QString text = pages[0].simplified();
        for (const char* s : {"Результаты активного выявления артериальной гипертонии по поликлинике,",
                              "терапевтическому участку", "Начало отчётного периода 1 1 2026",
                              "Окончание отчётного периода 31 12 2026", "Название населённого пункта ГОРОДСК",
                              "1,2,6-14", "Показатели Абс. %", "Общее количество осмотренных 1 100",
                              "Количество состоявших ранее на диспансерном", "Указать пол Все Мужской Женский"})
            QVERIFY2(text.contains(QString::fromUtf8(s)), s);
    }

    // A long list breaks into pages, each beginning with the column header.
    void listPageBreakRepeatsHeader()
    {
        TReportFixture f;
        for (int i = 1; i <= 30; ++i) {
            f.Person(i, QString("ФАМИЛИЯ%1").arg(i, 2, 10, QChar('0')), 1, "1970-01-01");
            f.Sheet(i, "2026-03-01", {{"ObjCAD", 150}, {"ObjDAD", 95}});
        }
        auto r = Built(f, 9);
        QVERIFY(r->Layout().PageCount() >= 3);
        QTemporaryDir dir;
        r->Layout().SaveToPdf(dir.filePath("r9.pdf"));
        const QStringList pages = PdfPages(dir.filePath("r9.pdf"));
        QCOMPARE(pages.size(), r->Layout().PageCount());
        QVERIFY(pages[0].contains("Все обследуемые с указанием степени АГ"));
        QVERIFY(pages[0].contains("ФАМИЛИЯ01"));
        for (const QString& page : pages) {
            QVERIFY(page.contains("№ п/п"));
            QVERIFY(page.contains("Ф.И.О."));
            QVERIFY(page.contains("Примечание"));
        }
        QVERIFY(!pages[1].contains("Начало отчётного периода"));
        QVERIFY(pages.last().contains("ФАМИЛИЯ30"));
        int listed = 0;
        for (const QString& page : pages)
            listed += page.count("ФАМИЛИЯ");
        QCOMPARE(listed, 30);
    }

    // velta-admin report: the same report as a file, its table as CSV; errors write nothing.
    void command_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("report 2") << QStringList{"2", "--from", "2026-01-01", "--to", "2026-12-31", "--city", "городск"} << 0 << "";
        QTest::newRow("list") << QStringList{"9", "--from", "2026-01-01", "--to", "2026-12-31", "--source", "sheets"} << 0 << "";
        QTest::newRow("bad date") << QStringList{"2", "--from", "2026-13-01"} << 1 << "--from: неверная дата \"2026-13-01\"";
        QTest::newRow("bad area bound") << QStringList{"2", "--areas", "1-x"} << 1 << "\"x\" не является целым числом.";
        QTest::newRow("unknown choice") << QStringList{"10"} << 1 << "Неизвестный отчёт \"10\"";
        QTest::newRow("no database") << QStringList{"2", "--folder-missing"} << 1 << "нет базы данных";
        QTest::newRow("empty list") << QStringList{"6", "--source", "cards"} << 3 << "НЕТ ДАННЫХ ПО ВЫБРАННЫМ ПАРАМЕТРАМ.";
    }
    void command()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        TReportFixture f;
        f.Person(1, "ИВАНОВ", 1, "1970-01-01");
        f.Sheet(1, "2026-03-01", {{"ObjCAD", 150}, {"ObjDAD", 95}, {"PinPrepAD", 1}});
        f.Person(2, "ПЕТРОВ", 1, "1970-01-01", 1, 2);
        f.Sheet(2, "2026-03-01", {{"ObjCAD", 120}, {"ObjDAD", 80}, {"PinPrepAD", 0}});
        QTemporaryDir out;
        QString folder = f.ws.MainFolder();
        if (args.contains("--folder-missing")) {
            args.removeAll("--folder-missing");
            folder = out.filePath("nowhere");
        }
        QStringList all = QStringList{"report", folder} + args;
        all << "--pdf" << out.filePath("r.pdf") << "--csv" << out.filePath("r.csv");
        QProcess p;
        p.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        p.start(VELTA_ADMIN, all);
        QVERIFY(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), code);
        QVERIFY2(err.contains(message), qPrintable(err));
        QCOMPARE(QFile::exists(out.filePath("r.pdf")), code == 0);
        QCOMPARE(QFile::exists(out.filePath("r.csv")), code == 0);
        if (code != 0)
            return;
        QFile csv(out.filePath("r.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(csv.readAll()).remove(QChar(0xFEFF)).split("\r\n", Qt::SkipEmptyParts);
        if (args[0] == "2") {
            QCOMPARE(lines, QStringList({"№;Показатели;Абс.;%", "1;Общее количество осмотренных;1;100",
                                         "2;Количество выявленных лиц с артериальной гипертонией;1;100",
                                         "3;Количество принимавших гипотензивные препараты последние две недели;1;100"}));
            QVERIFY(PdfPages(out.filePath("r.pdf")).at(0).contains("ГОРОДСК"));
        } else {
            QCOMPARE(lines.size(), 3);
            QVERIFY(lines[1].startsWith("1;ИВАНОВ ИВАН ИВАНОВИЧ;01.01.1970;ГОРОДСК УЛ. ЛЕСНАЯ д.12;"));
            QVERIFY(lines[1].endsWith(";I степень"));
        }
    }
};

VELTA_TEST_MAIN(TestReports)
#include "test_reports.moc"
