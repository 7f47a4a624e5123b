// The document base, the diagnosis code lists, the Quetelet rounding and the primary
// inspection sheet. The screening card has its own test file.
#include "TestSupport.h"
#include "test_documents_fields.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Exceptions.h"
#include "documents/Class_PIList.h"
#include "documents/Class_ScriningCard.h"
#include "documents/Unit_CodeList.h"
#include "documents/Unit_Rounding.h"

namespace {

QString Less(const char* bound) { return QString::fromUtf8("Значение не может быть меньше чем ") + QString::fromUtf8(bound); }
QString More(const char* bound) { return QString::fromUtf8("Значение не может быть больше чем ") + QString::fromUtf8(bound); }

#define F(Name, Sample) DOC_FIELD(TPIList, Name, Sample)
#define F_AFTER(Name, Sample, Before) DOC_FIELD_AFTER(TPIList, Name, Sample, Before)

// Every member the storage reads or writes through a setter (PinNumber, PinInsCode and
// PinInsDate are DocNumber, DocCode and DocDate; CmpHeadach has a test of its own).
const std::vector<DocFields::TField<TPIList>>& SheetFields()
{
    static const std::vector<DocFields::TField<TPIList>> fields = {
        F(DocLID, "7"), F(DocDate, "2026-12-01T09:30:00"), F(DocNumber, "A-12"), F(DocCode, "K7"),
        F(DtpGID, "3"), F(PrnLID, "5"),
        F(ObjCAD, "150"), F_AFTER(ObjDAD, "95", "ObjCAD=150"), F(ObjGrowth, "175"), F(ObjMass, "80"),
        F(ObjCircWst, "95"), F(ObjCircTh, "100"),
        F(HeadacheMorning, "1"), F(HeadacheDay, "1"), F(HeadacheEvening, "1"), F(CmpGiddine, "1"),
        F(CmpNoise, "1"), F(CmpLowerin, "1"), F(CmpFatig, "1"), F(CmpDiffic, "1"), F(CmpIrritab, "1"),
        F(CmpUrInc, "1"), F(CmpUrStran, "1"), F(CmpUrNight, "1"), F(CmpUrColor, "1"), F(CmpBrFast, "1"),
        F(CmpBrSlow, "1"), F(PinPrepAD, "1"),
        F(MprGID1, "12"), F(MprDose1, "2.5"), F(MprFreq1, "2"), F(MprGID2, "13"), F(MprDose2, "5"),
        F(MprFreq2, "3"),
        F(HypMother, "1"), F(HypFather, "0"), F(InfMother, "1"), F(InfFather, "0"), F(InsMother, "1"),
        F(InsFather, "0"), F(DiabetMother, "1"), F(DiabetFather, "0"), F(Smoking, "2"), F(Spirits, "3"),
        F(AlsBlChol, "5.2"), F(AlsBlGluk, "4.8"), F(AlsBlHb, "140"), F(AlsBlCOE, "10"), F(AlsBlRed, "4.5"),
        F(AlsUrAlbum, "0.03"), F(AlsUrLeucs, "2"), F(AlsUrRed, "1"),
        F(EKGHemChng, "1"), F(EKGDeprSt, "1"), F(EKGNegT, "1"), F(EyeAngGip, "1"), F(EyeAngAter, "1"),
        F(Dispanser, "2"),
    };
    return fields;
}

void Apply(TPIList& sheet, const QString& assignments) { DocFields::Apply(sheet, SheetFields(), assignments); }

struct TCounter {
    int calls = 0;
    std::function<void()> Listener() { return [this] { ++calls; }; }
};

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT
private slots:
    // --- Code lists -------------------------------------------------------------------------
    // A code list is a set of whole codes: "+" adds a code, "-" removes one.
    void codeList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QChar>("op");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("expected");
        QTest::newRow("add to empty") << "," << QChar('+') << "9" << ",9,";
        QTest::newRow("add present once") << ",9," << QChar('+') << "9" << ",9,";
        QTest::newRow("add tail of a longer code") << ",11," << QChar('+') << "1" << ",11,1,";
        QTest::newRow("add head of a longer code") << ",1," << QChar('+') << "11" << ",1,11,";
        QTest::newRow("add inside a longer code") << ",212," << QChar('+') << "1" << ",212,1,";
        QTest::newRow("add empty code empties") << ",1,5,9," << QChar('+') << "" << ",";
        QTest::newRow("remove first of two") << ",9,11," << QChar('-') << "9" << ",11,";
        QTest::newRow("remove last of two") << ",11,9," << QChar('-') << "9" << ",11,";
        QTest::newRow("remove only element") << ",9," << QChar('-') << "9" << ",";
        QTest::newRow("remove not a tail of 11") << ",11,9," << QChar('-') << "1" << ",11,9,";
        QTest::newRow("remove not a tail of 19") << ",19," << QChar('-') << "9" << ",19,";
        QTest::newRow("remove whole code among look-alikes") << ",19,9,91," << QChar('-') << "9" << ",19,91,";
        QTest::newRow("remove absent from empty") << "," << QChar('-') << "9" << ",";
        QTest::newRow("remove empty code") << ",9," << QChar('-') << "" << ",9,";
    }
    void codeList()
    {
        QFETCH(QString, list);
        QFETCH(QChar, op);
        QFETCH(QString, code);
        QFETCH(QString, expected);
        TCodeList codes;
        for (const QString& c : list.split(',', Qt::SkipEmptyParts))
            codes.Add(c);
        QCOMPARE(codes.Text(), list);
        if (op == '+')
            codes.Add(code);
        else
            codes.Remove(code);
        QCOMPARE(codes.Text(), expected);
    }

    // Both documents keep their lists as sets of whole codes.
    void documentCodeLists_data()
    {
        QTest::addColumn<bool>("card");
        QTest::newRow("sheet") << false;
        QTest::newRow("card") << true;
    }
    void documentCodeLists()
    {
        QFETCH(bool, card);
        std::unique_ptr<TDBDocument> doc;
        if (card)
            doc = std::make_unique<TScriningCard>();
        else
            doc = std::make_unique<TPIList>();
        const auto run = [](auto& d) {
            d.AddExpertDiagnosis("11");
            d.AddExpertDiagnosis("9");
            d.AddExpertDiagnosis("9");
            QCOMPARE(d.ExpertDiagnoses(), QString(",11,9,"));
            d.RemoveExpertDiagnosis("1");
            QCOMPARE(d.ExpertDiagnoses(), QString(",11,9,"));
            d.RemoveExpertDiagnosis("9");
            QCOMPARE(d.ExpertDiagnoses(), QString(",11,"));
            d.AddAutoDiagnosis("11");
            d.AddAutoDiagnosis("1");
            QCOMPARE(d.AutoDiagnoses(), QString(",11,1,"));
            d.AddAutoDiagnosis("");
            QCOMPARE(d.AutoDiagnoses(), QString(","));
            QCOMPARE(d.ExpertDiagnoses(), QString(",11,"));
        };
        if (card)
            run(static_cast<TScriningCard&>(*doc));
        else
            run(static_cast<TPIList&>(*doc));
    }

    // --- Rounding of the Quetelet index ---------------------------------------------------------
    void roundToOneDecimal_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("80 kg, 175 cm") << 26.122448979591837 << 26.1;
        QTest::newRow("half, exact in binary") << 31.25 << 31.3;
        QTest::newRow("26.05") << 26.05 << 26.1;
        QTest::newRow("26.45, binary below the half") << 26.45 << 26.5;
        QTest::newRow("28.95, binary below the half") << 28.95 << 29.0;
        QTest::newRow("just below 29") << 28.999999999999996 << 29.0;
        QTest::newRow("below the half") << 26.0499 << 26.0;
        QTest::newRow("carry into the units") << 99.96 << 100.0;
        QTest::newRow("already one decimal") << 28.9 << 28.9;
        QTest::newRow("negative, away from zero") << -0.15 << -0.2;
    }
    void roundToOneDecimal()
    {
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(RoundToOneDecimal(value), expected);
    }

    // --- The sheet: Init --------------------------------------------------------------------
    void sheetNewDefaults()
    {
        TPIList sheet;
        const QHash<QString, QString> notZero = {
            {"DtpGID", "1"},       {"PrnLID", "-1"},      {"DocDate", TestSupport::FixedNow().toString(Qt::ISODate)},
            {"MprGID1", "-1"},     {"MprGID2", "-1"},     {"Smoking", "1"},
            {"HypMother", "2"},    {"HypFather", "2"},    {"InfMother", "2"},
            {"InfFather", "2"},    {"InsMother", "2"},    {"InsFather", "2"},
            {"DiabetMother", "2"}, {"DiabetFather", "2"},
        };
        for (const auto& f : SheetFields()) {
            const QString expected = notZero.value(f.name, f.get(sheet).isEmpty() ? QString() : "0");
            QVERIFY2(f.get(sheet) == expected, qPrintable(f.name + " = " + f.get(sheet)));
        }
        QCOMPARE(sheet.IndexKetle(), 0.0);
        QCOMPARE(sheet.AutoDiagnoses(), QString(","));
        QCOMPARE(sheet.ExpertDiagnoses(), QString(","));
        QCOMPARE(sheet.CmpHeadach(), QString("000"));
        QVERIFY(sheet.AppPath().endsWith('/'));
        QVERIFY(!sheet.IsUpdating());
    }

    // Each setter writes its own member and no other.
    void sheetMembersAreSeparate()
    {
        const TPIList fresh;
        for (const auto& f : SheetFields()) {
            TPIList sheet;
            Apply(sheet, f.prerequisite);
            f.set(sheet, f.sample);
            QVERIFY2(f.get(sheet) == f.sample, qPrintable(f.name + " = " + f.get(sheet)));
            const QStringList touched = DocFields::Names(f.prerequisite) << f.name;
            for (const auto& other : SheetFields())
                if (!touched.contains(other.name))
                    QVERIFY2(other.get(sheet) == other.get(fresh), qPrintable(f.name + " changed " + other.name));
        }
    }

    void sheetInitResetsAllButMedicineDoses()
    {
        TPIList sheet;
        TCounter counter;
        sheet.SetOnChange(counter.Listener());
        for (const auto& f : SheetFields())
            f.set(sheet, f.sample);
        sheet.AddAutoDiagnosis("1");
        sheet.AddExpertDiagnosis("9");
        sheet.BeginUpdate();
        TClock::SetFixed(TestSupport::FixedNow().addDays(1));
        sheet.Init();
        TClock::SetFixed(TestSupport::FixedNow());

        const QStringList kept = {"MprDose1", "MprDose2", "MprFreq1", "MprFreq2"};
        const TPIList fresh;
        for (const auto& f : SheetFields()) {
            if (f.name == "DocDate")
                QCOMPARE(sheet.DocDate(), TestSupport::FixedNow().addDays(1));
            else if (kept.contains(f.name))
                QVERIFY2(f.get(sheet) == f.sample, qPrintable(f.name));
            else
                QVERIFY2(f.get(sheet) == f.get(fresh), qPrintable(f.name + " = " + f.get(sheet)));
        }
        QCOMPARE(sheet.IndexKetle(), 0.0);
        QCOMPARE(sheet.AutoDiagnoses(), QString(","));
        QCOMPARE(sheet.ExpertDiagnoses(), QString(","));
        // Init ends any update in progress and tells the (still registered) listener.
        QVERIFY(!sheet.IsUpdating());
        QCOMPARE(counter.calls, 1);
    }

    // --- The sheet: validating setters --------------------------------------------------------
    void sheetSetterChecks_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message"); // empty: accepted

        QTest::newRow("CAD 0") << "" << "ObjCAD" << "0" << "";
        QTest::newRow("CAD 69") << "" << "ObjCAD" << "69" << Less("70");
        QTest::newRow("CAD 70") << "" << "ObjCAD" << "70" << "";
        QTest::newRow("CAD 350") << "" << "ObjCAD" << "350" << "";
        QTest::newRow("CAD 351") << "" << "ObjCAD" << "351" << More("350");
        QTest::newRow("CAD below DAD") << "ObjCAD=150;ObjDAD=80" << "ObjCAD" << "75" << Less("80");
        QTest::newRow("CAD range checked first") << "ObjCAD=150;ObjDAD=80" << "ObjCAD" << "60" << Less("70");
        QTest::newRow("DAD without CAD") << "" << "ObjDAD" << "80" << More("0");
        QTest::newRow("DAD 0 without CAD") << "" << "ObjDAD" << "0" << "";
        QTest::newRow("DAD above CAD") << "ObjCAD=90" << "ObjDAD" << "95" << More("90");
        QTest::newRow("DAD equal to CAD") << "ObjCAD=90" << "ObjDAD" << "90" << "";
        QTest::newRow("DAD 29") << "ObjCAD=150" << "ObjDAD" << "29" << Less("30");
        QTest::newRow("DAD range checked first") << "ObjCAD=350" << "ObjDAD" << "201" << More("200");
        QTest::newRow("height low") << "" << "ObjGrowth" << "139.9" << Less("140,00");
        QTest::newRow("height high") << "" << "ObjGrowth" << "250.1" << More("250,00");
        QTest::newRow("weight low") << "" << "ObjMass" << "33.9" << Less("34,00");
        QTest::newRow("weight high") << "" << "ObjMass" << "200.5" << More("200,00");
        QTest::newRow("waist low") << "" << "ObjCircWst" << "59" << Less("60,00");
        QTest::newRow("waist high") << "" << "ObjCircWst" << "251" << More("250,00");
        QTest::newRow("hips low") << "" << "ObjCircTh" << "59" << Less("60,00");
        QTest::newRow("hips high") << "" << "ObjCircTh" << "251" << More("250,00");
        QTest::newRow("cholesterol low") << "" << "AlsBlChol" << "1.9" << Less("2,00");
        QTest::newRow("cholesterol high") << "" << "AlsBlChol" << "16.1" << More("16,00");
        QTest::newRow("ESR low") << "" << "AlsBlCOE" << "0.5" << Less("1,00");
        QTest::newRow("ESR high") << "" << "AlsBlCOE" << "61" << More("60,00");
        QTest::newRow("erythrocytes low") << "" << "AlsBlRed" << "2.4" << Less("2,50");
        QTest::newRow("erythrocytes high") << "" << "AlsBlRed" << "8.1" << More("8,00");
        QTest::newRow("glucose low") << "" << "AlsBlGluk" << "1.4" << Less("1,50");
        QTest::newRow("glucose high") << "" << "AlsBlGluk" << "50.5" << More("50,00");
        QTest::newRow("haemoglobin low") << "" << "AlsBlHb" << "69" << Less("70,00");
        QTest::newRow("haemoglobin high") << "" << "AlsBlHb" << "201" << More("200,00");
        QTest::newRow("urine protein negative") << "" << "AlsUrAlbum" << "-1" << Less("0,00");
        QTest::newRow("urine protein high") << "" << "AlsUrAlbum" << "1000.5" << More("1000,00");
        QTest::newRow("urine leucocytes negative") << "" << "AlsUrLeucs" << "-0.5" << Less("0,00");
        QTest::newRow("urine leucocytes unbounded") << "" << "AlsUrLeucs" << "5000" << "";
        QTest::newRow("urine erythrocytes negative") << "" << "AlsUrRed" << "-0.5" << Less("0,00");
        QTest::newRow("urine erythrocytes unbounded") << "" << "AlsUrRed" << "5000" << "";
    }
    void sheetSetterChecks()
    {
        QFETCH(QString, before);
        QFETCH(QString, member);
        QFETCH(QString, value);
        QFETCH(QString, message);
        TPIList sheet;
        Apply(sheet, before);
        const auto& field = DocFields::Find(SheetFields(), member);
        const QString old = field.get(sheet);
        try {
            field.set(sheet, value);
            QVERIFY2(message.isEmpty(), "accepted");
            QCOMPARE(field.get(sheet), value);
        } catch (const AppException& e) {
            QCOMPARE(e.Message(), message);
            QCOMPARE(field.get(sheet), old);
        }
    }

    void sheetClearingSystolicClearsDiastolic()
    {
        TPIList sheet;
        TCounter counter;
        Apply(sheet, "ObjCAD=150;ObjDAD=90");
        sheet.SetOnChange(counter.Listener());
        sheet.SetObjCAD(140); // still above the diastolic: nothing else moves
        QCOMPARE(sheet.ObjDAD(), 90);
        QCOMPARE(counter.calls, 0);
        sheet.SetObjCAD(0);
        QCOMPARE(sheet.ObjDAD(), 0);
        QCOMPARE(counter.calls, 1);
        sheet.SetObjCAD(0);
        QCOMPARE(counter.calls, 1);
    }

    // --- The sheet: derived values ------------------------------------------------------------
    void sheetIndexKetle()
    {
        TPIList sheet;
        sheet.SetObjGrowth(175);
        QCOMPARE(sheet.IndexKetle(), 0.0);
        sheet.SetObjMass(80);
        QCOMPARE(sheet.IndexKetle(), 26.1);
        sheet.SetObjGrowth(0); // a cleared value keeps the last index
        QCOMPARE(sheet.IndexKetle(), 26.1);
        sheet.SetObjGrowth(160);
        QCOMPARE(sheet.IndexKetle(), 31.3);
        sheet.SetObjMass(0);
        QCOMPARE(sheet.IndexKetle(), 31.3);
    }

    void sheetHeadacheColumn_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("morning and evening") << "101" << "101";
        QTest::newRow("day") << "010" << "010";
        QTest::newRow("longer text") << "1110" << "111";
        QTest::newRow("not 1 is no") << "1x1" << "101";
        QTest::newRow("too short sets none") << "10" << "011";
        QTest::newRow("empty sets none") << "" << "011";
    }
    void sheetHeadacheColumn()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        TPIList sheet;
        sheet.SetHeadacheDay(true);
        sheet.SetHeadacheEvening(true);
        sheet.SetCmpHeadach(stored);
        QCOMPARE(sheet.CmpHeadach(), expected);
    }

    // --- The sheet: notification ----------------------------------------------------------------
    void sheetNotification()
    {
        TPIList sheet;
        TCounter counter;
        sheet.SetOnChange(counter.Listener());
        Apply(sheet, "ObjGrowth=175;ObjMass=80;CmpNoise=1;Dispanser=1");
        QCOMPARE(counter.calls, 0);
        sheet.ComputeAutoDiagnoses(QDate(1970, 1, 1));
        QCOMPARE(counter.calls, 1);

        sheet.BeginUpdate();
        sheet.BeginUpdate();
        sheet.ComputeAutoDiagnoses(QDate(1970, 1, 1));
        sheet.EndUpdate();
        QVERIFY(sheet.IsUpdating());
        sheet.EndUpdate();
        QVERIFY(!sheet.IsUpdating());
        QCOMPARE(counter.calls, 1); // the sheet's EndUpdate does not notify

        sheet.EndUpdate(); // unmatched: must not disturb the next bracket
        sheet.BeginUpdate();
        QVERIFY(sheet.IsUpdating());
        sheet.EndUpdate();
        sheet.ComputeAutoDiagnoses(QDate(1970, 1, 1));
        QCOMPARE(counter.calls, 2);
    }

    // --- The sheet: computer's conclusion ------------------------------------------------------
    void sheetAutoDiagnoses_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QDate>("born");
        QTest::addColumn<QString>("expected");
        const QDate any(1970, 5, 5);
        QTest::newRow("nothing") << "" << any << ",";
        QTest::newRow("index 29.0") << "ObjGrowth=200;ObjMass=116" << any << ",1,";
        QTest::newRow("index 28.95 reads 29.0") << "ObjGrowth=200;ObjMass=115.8" << any << ",1,";
        QTest::newRow("index 28.9") << "ObjGrowth=200;ObjMass=115.6" << any << ",2,";
        QTest::newRow("index 25.0") << "ObjGrowth=200;ObjMass=100" << any << ",2,";
        QTest::newRow("index 20.0") << "ObjGrowth=200;ObjMass=80" << any << ",";
        QTest::newRow("index 19.9") << "ObjGrowth=200;ObjMass=79.6" << any << ",3,";
        QTest::newRow("waist, 40 years") << "ObjCircWst=95;ObjCircTh=100" << QDate(1986, 12, 31) << ",";
        QTest::newRow("waist, 41 years") << "ObjCircWst=95;ObjCircTh=100" << QDate(1985, 12, 31) << ",4,";
        QTest::newRow("waist, 39 years") << "ObjCircWst=95;ObjCircTh=100" << QDate(1987, 1, 1) << ",";
        QTest::newRow("young, waist over 100") << "ObjCircWst=101;ObjCircTh=120" << QDate(1990, 1, 1) << ",4,";
        QTest::newRow("young, ratio over 1") << "ObjCircWst=90;ObjCircTh=85" << QDate(1990, 1, 1) << ",4,";
        QTest::newRow("older, ratio over 0.9") << "ObjCircWst=82;ObjCircTh=90" << any << ",4,";
        QTest::newRow("older, ratio under 0.9") << "ObjCircWst=82;ObjCircTh=92" << any << ",";
        QTest::newRow("waist without hips") << "ObjCircWst=120" << any << ",";
        QTest::newRow("no birth date") << "ObjCircWst=120;ObjCircTh=100" << QDate() << ",";
        QTest::newRow("all six complaints")
            << "HeadacheDay=1;CmpGiddine=1;CmpNoise=1;CmpLowerin=1;CmpFatig=1;CmpDiffic=1" << any << ",5,";
        QTest::newRow("noise") << "CmpNoise=1" << any << ",6,";
        QTest::newRow("memory") << "CmpLowerin=1" << any << ",6,";
        QTest::newRow("headache alone") << "HeadacheMorning=1" << any << ",";
        QTest::newRow("headache and dizziness") << "HeadacheEvening=1;CmpGiddine=1" << any << ",6,";
        QTest::newRow("tired, hard, irritable") << "CmpFatig=1;CmpDiffic=1;CmpIrritab=1" << any << ",6,";
        QTest::newRow("tired, hard") << "CmpFatig=1;CmpDiffic=1" << any << ",";
        QTest::newRow("all urination") << "CmpUrInc=1;CmpUrStran=1;CmpUrNight=1;CmpUrColor=1" << any << ",7,";
        QTest::newRow("some urination") << "CmpUrNight=1" << any << ",8,";
        QTest::newRow("135/85") << "ObjCAD=135;ObjDAD=85" << any << ",10,";
        QTest::newRow("139/89") << "ObjCAD=139;ObjDAD=89" << any << ",10,";
        QTest::newRow("135/83") << "ObjCAD=135;ObjDAD=83" << any << ",";
        QTest::newRow("130/85") << "ObjCAD=130;ObjDAD=85" << any << ",";
        QTest::newRow("140/80") << "ObjCAD=140;ObjDAD=80" << any << ",9,";
        QTest::newRow("120/90") << "ObjCAD=120;ObjDAD=90" << any << ",9,";
        QTest::newRow("120/70 with medicines") << "ObjCAD=120;ObjDAD=70;PinPrepAD=1" << any << ",9,";
        QTest::newRow("several, in step order")
            << "ObjCAD=150;ObjDAD=95;CmpUrInc=1;CmpNoise=1;ObjGrowth=175;ObjMass=80;ObjCircWst=95;ObjCircTh=100"
            << any << ",2,4,6,8,9,";
    }
    void sheetAutoDiagnoses()
    {
        QFETCH(QString, answers);
        QFETCH(QDate, born);
        QFETCH(QString, expected);
        TPIList sheet;
        Apply(sheet, answers);
        sheet.ComputeAutoDiagnoses(born);
        QCOMPARE(sheet.AutoDiagnoses(), expected);
    }

    void sheetAutoDiagnosesAreRecomputed()
    {
        TPIList sheet;
        sheet.AddExpertDiagnosis("11");
        Apply(sheet, "ObjCAD=150;CmpNoise=1;CmpUrInc=1");
        sheet.ComputeAutoDiagnoses(QDate(1970, 1, 1));
        QCOMPARE(sheet.AutoDiagnoses(), QString(",6,8,9,"));
        Apply(sheet, "ObjCAD=0;CmpNoise=0;CmpUrInc=0;PinPrepAD=1");
        sheet.ComputeAutoDiagnoses(QDate(1970, 1, 1));
        QCOMPARE(sheet.AutoDiagnoses(), QString(",9,"));
        QCOMPARE(sheet.ExpertDiagnoses(), QString(",11,"));
    }
};

VELTA_TEST_MAIN(TestDocuments)
#include "test_documents.moc"
