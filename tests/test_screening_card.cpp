// The screening card: Init, the validating setters, the derived values, the notification
// and the computer's conclusion.
#include "TestSupport.h"
#include "test_documents_fields.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Exceptions.h"
#include "documents/Class_ScriningCard.h"

namespace {

QString Less(const char* bound) { return QString::fromUtf8("Значение не может быть меньше чем ") + QString::fromUtf8(bound); }
QString More(const char* bound) { return QString::fromUtf8("Значение не может быть больше чем ") + QString::fromUtf8(bound); }

#define F(Name, Sample) DOC_FIELD(TScriningCard, Name, Sample)
#define F_AFTER(Name, Sample, Before) DOC_FIELD_AFTER(TScriningCard, Name, Sample, Before)

// Every member the storage reads or writes through a setter, in ScriningCard column order
// (CardNumber, CardCode and CardDate are DocNumber, DocCode and DocDate).
const std::vector<DocFields::TField<TScriningCard>>& CardFields()
{
    static const std::vector<DocFields::TField<TScriningCard>> fields = {
        F(DocLID, "7"), F(DocDate, "2026-12-01T09:30:00"), F(DocNumber, "A-12"), F(DocCode, "K7"),
        F(DtpGID, "3"), F(PrnLID, "5"), F(CardSec, "4"),
        F(Hyper, "1"), F(HyperDate, "1990"), F(ADHi, "1"), F(ADHiDate, "1991"),
        F(Stenokardia, "1"), F(StenokardiaDate, "1992"), F(Infarct, "1"), F(InfarctDate, "1993"),
        F(Insult, "1"), F(InsultDate, "1994"), F(Diabet, "1"), F(DiabetDate, "1995"),
        F(Pielonefrit, "1"), F(PielonefritDate, "1996"), F(Pochki, "1"), F(PochkiDate, "1997"),
        F(PochkiBerem, "1"), F(PochkiBeremDate, "1998"), F(MochekamBolez, "1"), F(MochekamBolezDate, "1999"),
        F(PochkiSol, "1"), F(PochkiSolDate, "2000"), F(Yazva, "1"), F(YazvaDate, "2001"),
        F(Gepatit, "0"), F(GepatitDate, "2002"),
        F(Preparat, "1"), F(Prep1GID, "12"), F(Prep1Dose, "2.5"), F(Prep1Day, "2"), F(Prep1DayBack, "3"),
        F(Prep2GID, "13"), F(Prep2Dose, "5"), F(Prep2Day, "1"), F(Prep2DayBack, "30"),
        F(MotherHyper, "1"), F(MotherADHi, "0"), F(MotherStenokardia, "1"), F(MotherInfarkt, "0"),
        F(MotherInsult, "1"), F(MotherDiabet, "0"), F(MotherTuber, "1"), F(MotherPochki, "0"),
        F(FatherHyper, "1"), F(FatherADHi, "0"), F(FatherStenokardia, "1"), F(FatherInfarkt, "0"),
        F(FatherInsult, "1"), F(FatherDiabet, "0"), F(FatherTuber, "1"), F(FatherPochki, "0"),
        F(AlkBeer, "1"), F(AlkBeerCount, "0.5"), F(AlkBeerFreq, "2"), F(AlkWine, "1"), F(AlkWineCount, "0.2"),
        F(AlkWineFreq, "3"), F(AlkVodka, "1"), F(AlkVodkaCount, "0.05"), F(AlkVodkaFreq, "4"),
        F(Smoking, "2"), F(SmokingBrosilLet, "6"), F(SmokingSigarCount, "20"), F(Kashel, "1"),
        F(MokrotaORVI, "1"), F(MokrotaLet, "2"),
        F(Rous11, "1"), F(Rous12, "1"), F(Rous21, "1"), F(Rous22, "1"), F(Rous3, "1"), F(Rous4, "1"),
        F(Rous5, "2"), F(Rous6, "1"), F(Rous7, "1"), F(Rous7Where, "13"), F(Rous8, "1"),
        F(Rous8Where, "спина"), F(Rous9Let, "4"),
        F(GolovaBolMorning, "1"), F(GolovaBolDay, "1"), F(GolovaBolEvening, "1"), F(Golovokrugenie, "1"),
        F(GolovaShum, "1"), F(MemLow, "1"), F(UtomlaemostHi, "1"), F(RabotaTrudno, "1"), F(RazdrajHi, "1"),
        F(UrChasto, "1"), F(UrRezi, "1"), F(UrNight, "1"), F(UrColorIzm, "1"), F(OtdyshkaBystro, "1"),
        F(OtdyshkaSpokoyno, "1"),
        F(FamilyStatus, "1"), F(PostLID, "8"), F(PostDate, "2020-03-01T00:00:00"),
        F(Rost, "175"), F(Massa, "80"), F(Konstitutcia, "2"), F(Jir, "3"), F(SizeGrud, "100"),
        F(SizeTalia, "95"), F(SizeBedra, "101"),
        F(AD1Hi, "150"), F_AFTER(AD1Low, "95", "AD1Hi=150"), F(AD2Hi, "145"), F_AFTER(AD2Low, "92", "AD2Hi=145"),
        F(Puls, "72"), F(PulsType, "2"), F(PasternakRight, "1"), F(PasternakLeft, "1"),
        F(BloodGluk, "5.5"), F(Holest, "5.2"), F(HolestLPVP, "2.1"), F(Trigliceridy, "1.7"),
        F(Gemoglobin, "140"), F(Eritrocity, "4.6"), F(COE, "12"), F(Dispanser, "2"),
    };
    return fields;
}

void Apply(TScriningCard& card, const QString& assignments) { DocFields::Apply(card, CardFields(), assignments); }

const QStringList kDiseases = {"Hyper", "ADHi", "Stenokardia", "Infarct", "Insult", "Diabet", "Pielonefrit",
                               "Pochki", "PochkiBerem", "MochekamBolez", "PochkiSol", "Yazva", "Gepatit"};

// The members Init sets, with what it sets them to (DocDate: the clock's moment).
QHash<QString, QString> InitValues()
{
    QHash<QString, QString> values = {
        {"DocLID", "0"}, {"DocNumber", ""}, {"DocCode", ""}, {"DtpGID", "2"}, {"PrnLID", "-1"},
        {"Prep1GID", ""}, {"Prep2GID", ""}, {"PostLID", "-1"},
    };
    for (const QString& d : kDiseases)
        values.insert(d, "2");
    for (const char* parent : {"Mother", "Father"})
        for (const char* d : {"Hyper", "ADHi", "Stenokardia", "Infarkt", "Insult", "Diabet", "Tuber", "Pochki"})
            values.insert(QString::fromLatin1(parent) + QString::fromLatin1(d), "2");
    return values;
}

struct TCounter {
    int calls = 0;
    std::function<void()> Listener() { return [this] { ++calls; }; }
};

} // namespace

class TestScreeningCard : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { TClock::SetFixed(TestSupport::FixedNow()); }

    // --- Init -----------------------------------------------------------------------------------
    void newCardDefaults()
    {
        TScriningCard card;
        const QHash<QString, QString> init = InitValues();
        for (const auto& f : CardFields()) {
            const QString value = f.get(card);
            if (f.name == "DocDate")
                QCOMPARE(card.DocDate(), TestSupport::FixedNow());
            else if (init.contains(f.name))
                QVERIFY2(value == init.value(f.name), qPrintable(f.name + " = " + value));
            else
                QVERIFY2(value == "0" || value.isEmpty(), qPrintable(f.name + " = " + value));
        }
        QCOMPARE(init.size(), 8 + 13 + 16);
        QCOMPARE(card.AutoDiagnoses(), QString(","));
        QCOMPARE(card.ExpertDiagnoses(), QString(","));
        QCOMPARE(card.ReferenceYear(), 2026);
        QVERIFY(card.AppPath().endsWith('/'));
    }

    // Each setter writes its own member and no other.
    void cardMembersAreSeparate()
    {
        const TScriningCard fresh;
        for (const auto& f : CardFields()) {
            TScriningCard card;
            Apply(card, f.prerequisite);
            f.set(card, f.sample);
            QVERIFY2(f.get(card) == f.sample, qPrintable(f.name + " = " + f.get(card)));
            const QStringList touched = DocFields::Names(f.prerequisite) << f.name;
            for (const auto& other : CardFields())
                if (!touched.contains(other.name))
                    QVERIFY2(other.get(card) == other.get(fresh), qPrintable(f.name + " changed " + other.name));
        }
    }

    void initResetsOnlyItsMembers()
    {
        TScriningCard card;
        for (const auto& f : CardFields())
            f.set(card, f.sample);
        card.AddAutoDiagnosis("15");
        card.AddExpertDiagnosis("9");
        TClock::SetFixed(QDateTime(QDate(2027, 1, 5), QTime(8, 0)));
        card.Init();

        const QHash<QString, QString> init = InitValues();
        for (const auto& f : CardFields()) {
            if (f.name == "DocDate")
                QCOMPARE(card.DocDate(), QDateTime(QDate(2027, 1, 5), QTime(8, 0)));
            else
                QVERIFY2(f.get(card) == init.value(f.name, f.sample), qPrintable(f.name + " = " + f.get(card)));
        }
        QCOMPARE(card.AutoDiagnoses(), QString(","));
        QCOMPARE(card.ExpertDiagnoses(), QString(","));
        QCOMPARE(card.ReferenceYear(), 2027);
    }

    // --- Validating setters -------------------------------------------------------------------
    void setterChecks_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message"); // empty: accepted

        QTest::newRow("AD1Hi 69") << "" << "AD1Hi" << "69" << Less("70");
        QTest::newRow("AD1Hi 351") << "" << "AD1Hi" << "351" << More("350");
        QTest::newRow("AD1Low without AD1Hi") << "" << "AD1Low" << "80" << More("0");
        QTest::newRow("AD1Low under AD1Hi") << "AD1Hi=120" << "AD1Low" << "80" << "";
        QTest::newRow("AD1Low above AD1Hi") << "AD1Hi=120" << "AD1Low" << "121" << More("120");
        QTest::newRow("AD1Low 29") << "AD1Hi=120" << "AD1Low" << "29" << Less("30");
        QTest::newRow("AD1Low range first") << "AD1Hi=350" << "AD1Low" << "201" << More("200");
        QTest::newRow("AD1Hi below AD1Low") << "AD1Hi=120;AD1Low=80" << "AD1Hi" << "75" << Less("80");
        QTest::newRow("AD1Hi range first") << "AD1Hi=120;AD1Low=80" << "AD1Hi" << "60" << Less("70");
        QTest::newRow("AD1Hi cleared") << "AD1Hi=120;AD1Low=80" << "AD1Hi" << "0" << "";
        QTest::newRow("AD2Low without AD2Hi") << "AD1Hi=150" << "AD2Low" << "80" << More("0");
        QTest::newRow("AD2Low above AD2Hi") << "AD2Hi=100" << "AD2Low" << "101" << More("100");
        QTest::newRow("AD2Hi below AD2Low") << "AD2Hi=120;AD2Low=80" << "AD2Hi" << "79" << Less("80");
        QTest::newRow("AD2Hi 351") << "" << "AD2Hi" << "351" << More("350");
        QTest::newRow("post tomorrow") << "" << "PostDate" << "2026-12-11T00:00:00" << More("10.12.2026");
        QTest::newRow("post today") << "" << "PostDate" << "2026-12-10T23:30:00" << "";
        QTest::newRow("dose 1 negative") << "" << "Prep1Dose" << "-0.5" << Less("0,00");
        QTest::newRow("dose 2 negative") << "" << "Prep2Dose" << "-0.5" << Less("0,00");
        QTest::newRow("times a day 1, 16") << "" << "Prep1Day" << "16" << More("15");
        QTest::newRow("times a day 2, -1") << "" << "Prep2Day" << "-1" << Less("1");
        QTest::newRow("times a day 2, 15") << "" << "Prep2Day" << "15" << "";
        QTest::newRow("days ago 1, 366") << "" << "Prep1DayBack" << "366" << More("365");
        QTest::newRow("days ago 2, 366") << "" << "Prep2DayBack" << "366" << More("365");
        QTest::newRow("cigarettes") << "" << "SmokingSigarCount" << "-1" << Less("1");
        QTest::newRow("cigarettes, many") << "" << "SmokingSigarCount" << "200" << "";
        QTest::newRow("years given up") << "" << "SmokingBrosilLet" << "-2" << Less("1");
        QTest::newRow("years of sputum") << "" << "MokrotaLet" << "-1" << Less("1");
        QTest::newRow("years of pain") << "" << "Rous9Let" << "-1" << Less("1");
        QTest::newRow("height low") << "" << "Rost" << "99" << Less("100,00");
        QTest::newRow("height high") << "" << "Rost" << "251" << More("250,00");
        QTest::newRow("weight low") << "" << "Massa" << "33" << Less("34,00");
        QTest::newRow("weight high") << "" << "Massa" << "201" << More("200,00");
        QTest::newRow("chest low") << "" << "SizeGrud" << "69" << Less("70,00");
        QTest::newRow("chest high") << "" << "SizeGrud" << "161" << More("160,00");
        QTest::newRow("waist low") << "" << "SizeTalia" << "59" << Less("60,00");
        QTest::newRow("waist high") << "" << "SizeTalia" << "211" << More("210,00");
        QTest::newRow("hips low") << "" << "SizeBedra" << "59" << Less("60,00");
        QTest::newRow("hips high") << "" << "SizeBedra" << "211" << More("210,00");
        QTest::newRow("pulse low") << "" << "Puls" << "39" << Less("40");
        QTest::newRow("pulse high") << "" << "Puls" << "141" << More("140");
        QTest::newRow("glucose low") << "" << "BloodGluk" << "1.4" << Less("1,50");
        QTest::newRow("glucose high") << "" << "BloodGluk" << "20.1" << More("20,00");
        QTest::newRow("cholesterol low") << "" << "Holest" << "1.9" << Less("2,00");
        QTest::newRow("cholesterol high") << "" << "Holest" << "16.1" << More("16,00");
        QTest::newRow("HDL low") << "" << "HolestLPVP" << "1.9" << Less("2,00");
        QTest::newRow("HDL high") << "" << "HolestLPVP" << "16.1" << More("16,00");
        QTest::newRow("triglycerides low") << "" << "Trigliceridy" << "0.2" << Less("0,30");
        QTest::newRow("triglycerides high") << "" << "Trigliceridy" << "4.1" << More("4,00");
        QTest::newRow("haemoglobin low") << "" << "Gemoglobin" << "69" << Less("70,00");
        QTest::newRow("haemoglobin high") << "" << "Gemoglobin" << "171" << More("170,00");
        QTest::newRow("erythrocytes low") << "" << "Eritrocity" << "3.9" << Less("4,00");
        QTest::newRow("erythrocytes high") << "" << "Eritrocity" << "6.5" << More("6,40");
        QTest::newRow("ESR low") << "" << "COE" << "0.9" << Less("1,00");
        QTest::newRow("ESR high") << "" << "COE" << "61" << More("60,00");
    }
    void setterChecks()
    {
        QFETCH(QString, before);
        QFETCH(QString, member);
        QFETCH(QString, value);
        QFETCH(QString, message);
        TScriningCard card;
        Apply(card, before);
        const auto& field = DocFields::Find(CardFields(), member);
        const QString old = field.get(card);
        try {
            field.set(card, value);
            QVERIFY2(message.isEmpty(), "accepted");
            QCOMPARE(field.get(card), value);
        } catch (const AppException& e) {
            QCOMPARE(e.Message(), message);
            QCOMPARE(field.get(card), old);
        }
    }

    void clearingSystolicKeepsDiastolic()
    {
        TScriningCard card;
        Apply(card, "AD1Hi=120;AD1Low=80");
        card.SetAD1Hi(0);
        QCOMPARE(card.AD1Low(), 80);
    }

    void yearsUpToTheReferenceYear()
    {
        for (const QString& disease : kDiseases) {
            TScriningCard card;
            const auto& year = DocFields::Find(CardFields(), disease + "Date");
            for (const auto& [value, message] : {std::pair{"1899", Less("1900")}, std::pair{"2027", More("2026")}}) {
                try {
                    year.set(card, value);
                    QFAIL(qPrintable(year.name + " accepted " + value));
                } catch (const AppException& e) {
                    QCOMPARE(e.Message(), message);
                }
            }
            year.set(card, "0");
            year.set(card, "1900");
            year.set(card, "2026");
            QCOMPARE(year.get(card), QString("2026"));
        }
    }

    void referenceYearIsFixedByInit()
    {
        TScriningCard card;
        TClock::SetFixed(QDateTime(QDate(2027, 1, 2), QTime(9, 0)));
        QVERIFY_THROWS_EXCEPTION(AppException, card.SetHyperDate(2027));
        card.Init();
        card.SetHyperDate(2027);
        QCOMPARE(card.HyperDate(), 2027);
    }

    // --- Derived values ---------------------------------------------------------------------
    void pressureMeans_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<int>("hi");
        QTest::addColumn<int>("low");
        QTest::newRow("none") << "" << 0 << 0;
        QTest::newRow("first only") << "AD1Hi=150;AD1Low=90" << 150 << 90;
        QTest::newRow("second only") << "AD2Hi=140;AD2Low=85" << 140 << 85;
        QTest::newRow("both, remainder dropped") << "AD1Hi=150;AD2Hi=135;AD1Low=91;AD2Low=80" << 142 << 85;
        QTest::newRow("135 and 140") << "AD1Hi=135;AD2Hi=140;AD1Low=80;AD2Low=80" << 137 << 80;
        QTest::newRow("diastolic kept after systolic cleared") << "AD1Hi=150;AD1Low=90;AD1Hi=0" << 0 << 90;
    }
    void pressureMeans()
    {
        QFETCH(QString, answers);
        QFETCH(int, hi);
        QFETCH(int, low);
        TScriningCard card;
        Apply(card, answers);
        QCOMPARE(card.ADSredHi(), hi);
        QCOMPARE(card.ADSredLow(), low);
    }

    void indexKetleFollowsTheAnswers()
    {
        TScriningCard card;
        card.SetRost(175);
        QCOMPARE(card.IndexKetle(), 0.0);
        card.SetMassa(80);
        QCOMPARE(card.IndexKetle(), 26.1);
        card.SetRost(0);
        QCOMPARE(card.IndexKetle(), 0.0);
        Apply(card, "Rost=200;Massa=115.8"); // 28.95, below the half in binary
        QCOMPARE(card.IndexKetle(), 29.0);
        Apply(card, "Rost=160;Massa=80");
        QCOMPARE(card.IndexKetle(), 31.3);
    }

    // --- Notification ---------------------------------------------------------------------------
    void notification()
    {
        TScriningCard card;
        TCounter counter;
        card.SetOnChange(counter.Listener());
        Apply(card, "AD1Hi=150;AD1Low=90;AD1Hi=0;Rost=175;Massa=80;Hyper=1");
        card.Init();
        QCOMPARE(counter.calls, 0); // setters and Init are silent

        card.BeginUpdate();
        card.BeginUpdate();
        card.ComputeAutoDiagnoses(QDate(1970, 1, 1));
        card.EndUpdate();
        QCOMPARE(counter.calls, 0);
        card.EndUpdate();
        QCOMPARE(counter.calls, 1); // once, when the outermost bracket closes

        card.ComputeAutoDiagnoses(QDate(1970, 1, 1));
        QCOMPARE(counter.calls, 2);

        card.EndUpdate(); // unmatched: no notice, and the next bracket still holds
        QCOMPARE(counter.calls, 2);
        card.BeginUpdate();
        card.Init(); // the card's depth survives Init
        QVERIFY(card.IsUpdating());
        card.ComputeAutoDiagnoses(QDate(1970, 1, 1));
        QCOMPARE(counter.calls, 2);
        card.EndUpdate();
        QCOMPARE(counter.calls, 3);
    }

    // --- Computer's conclusion ----------------------------------------------------------------
    void autoDiagnoses_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QDate>("born");
        QTest::addColumn<QString>("expected");
        const QDate any(1970, 5, 5);
        const QString pain = "Rous11=1;Rous21=1;Rous4=1;Rous5=1;";
        QTest::newRow("nothing") << "" << any << ",17,";
        QTest::newRow("index 26.1") << "Rost=175;Massa=80" << any << ",2,17,";
        QTest::newRow("index 28.95 reads 29.0") << "Rost=200;Massa=115.8" << any << ",1,17,";
        QTest::newRow("index 19.9") << "Rost=200;Massa=79.6" << any << ",3,17,";
        QTest::newRow("waist, 41 years") << "SizeTalia=95;SizeBedra=100" << QDate(1985, 1, 1) << ",4,17,";
        QTest::newRow("waist, 40 years") << "SizeTalia=95;SizeBedra=100" << QDate(1986, 1, 1) << ",17,";
        QTest::newRow("waist, 39 years") << "SizeTalia=95;SizeBedra=100" << QDate(1987, 1, 1) << ",17,";
        QTest::newRow("young, ratio over 1") << "SizeTalia=90;SizeBedra=85" << QDate(1995, 1, 1) << ",4,17,";
        QTest::newRow("headache alone") << "GolovaBolDay=1" << any << ",6,17,";
        QTest::newRow("all six complaints")
            << "GolovaBolEvening=1;Golovokrugenie=1;GolovaShum=1;MemLow=1;UtomlaemostHi=1;RabotaTrudno=1" << any
            << ",5,17,";
        QTest::newRow("tired, hard") << "UtomlaemostHi=1;RabotaTrudno=1" << any << ",17,";
        QTest::newRow("tired, hard, irritable") << "UtomlaemostHi=1;RabotaTrudno=1;RazdrajHi=1" << any << ",6,17,";
        QTest::newRow("all urination") << "UrChasto=1;UrRezi=1;UrNight=1;UrColorIzm=1" << any << ",7,17,";
        QTest::newRow("all urination, Pasternatsky")
            << "UrChasto=1;UrRezi=1;UrNight=1;UrColorIzm=1;PasternakRight=1" << any << ",7,8,17,";
        QTest::newRow("some urination") << "UrRezi=1" << any << ",8,17,";
        QTest::newRow("Pasternatsky alone") << "PasternakLeft=1" << any << ",8,17,";
        QTest::newRow("means 135/85") << "AD1Hi=135;AD1Low=85" << any << ",10,17,";
        QTest::newRow("means 135/90") << "AD1Hi=130;AD1Low=85;AD2Hi=140;AD2Low=95" << any << ",9,17,";
        QTest::newRow("means 142/80") << "AD1Hi=150;AD1Low=80;AD2Hi=135;AD2Low=80" << any << ",9,17,";
        QTest::newRow("120/70 with medicines") << "AD1Hi=120;AD1Low=70;Preparat=1" << any << ",9,17,";
        QTest::newRow("means 135/83") << "AD1Hi=135;AD1Low=83" << any << ",17,";
        QTest::newRow("Rose, place 1, at once") << pain + "Rous6=1;Rous7Where=1" << any << ",15,";
        QTest::newRow("Rose, place 2, at once") << pain + "Rous6=1;Rous7Where=2" << any << ",15,";
        QTest::newRow("Rose, places 3 and 4") << pain + "Rous6=1;Rous7Where=43" << any << ",15,";
        QTest::newRow("Rose, pressure not pain") << "Rous12=1;Rous21=1;Rous4=1;Rous5=1;Rous6=1;Rous7Where=1" << any
                                                  << ",15,";
        QTest::newRow("Rose, place 1, later") << pain + "Rous6=2;Rous7Where=1" << any << ",16,";
        QTest::newRow("Rose, place 3 alone, at once") << pain + "Rous6=1;Rous7Where=3" << any << ",17,";
        QTest::newRow("Rose, place 3 alone, later") << pain + "Rous6=2;Rous7Where=3" << any << ",16,";
        QTest::newRow("Rose, places 3 and 4, later") << pain + "Rous6=2;Rous7Where=34" << any << ",16,";
        QTest::newRow("Rose, place 4 alone") << pain + "Rous6=2;Rous7Where=4" << any << ",17,";
        QTest::newRow("Rose, no place") << pain + "Rous6=1" << any << ",17,";
        QTest::newRow("Rose, on level ground") << pain + "Rous3=1;Rous6=1;Rous7Where=1" << any << ",17,";
        QTest::newRow("Rose, walks on") << "Rous11=1;Rous21=1;Rous4=2;Rous5=1;Rous6=1;Rous7Where=1" << any << ",17,";
        QTest::newRow("Rose, pain stays") << "Rous11=1;Rous21=1;Rous4=1;Rous5=2;Rous6=1;Rous7Where=1" << any << ",17,";
        QTest::newRow("Rose, not uphill") << "Rous11=1;Rous4=1;Rous5=1;Rous6=1;Rous7Where=1" << any << ",17,";
        QTest::newRow("Rose, duration unanswered") << pain + "Rous7Where=1" << any << ",17,";
        QTest::newRow("sputum 2 years") << "MokrotaORVI=1;MokrotaLet=2" << any << ",17,";
        QTest::newRow("sputum 3 years") << "MokrotaORVI=1;MokrotaLet=3" << any << ",17,18,";
        QTest::newRow("years without the infections") << "MokrotaLet=5" << any << ",17,";
        QTest::newRow("several, in step order")
            << pain + "Rous6=2;Rous7Where=1;MokrotaORVI=1;MokrotaLet=4;AD1Hi=160;AD1Low=95;PasternakLeft=1;"
                      "GolovaShum=1;SizeTalia=101;SizeBedra=100;Rost=175;Massa=80"
            << QDate(1990, 1, 1) << ",2,4,6,8,9,16,18,";
    }
    void autoDiagnoses()
    {
        QFETCH(QString, answers);
        QFETCH(QDate, born);
        QFETCH(QString, expected);
        TScriningCard card;
        Apply(card, answers);
        card.ComputeAutoDiagnoses(born);
        QCOMPARE(card.AutoDiagnoses(), expected);
    }

    void autoDiagnosesAreRecomputed()
    {
        TScriningCard card;
        card.AddExpertDiagnosis("9");
        card.AddExpertDiagnosis("15");
        Apply(card, "Rous11=1;Rous21=1;Rous4=1;Rous5=1;Rous6=1;Rous7Where=2;GolovaBolDay=1;Preparat=1");
        card.ComputeAutoDiagnoses(QDate(1970, 1, 1));
        QCOMPARE(card.AutoDiagnoses(), QString(",6,9,15,"));
        Apply(card, "Rous11=0;GolovaBolDay=0;Preparat=0;UrNight=1");
        card.ComputeAutoDiagnoses(QDate(1970, 1, 1));
        QCOMPARE(card.AutoDiagnoses(), QString(",8,17,"));
        QCOMPARE(card.ExpertDiagnoses(), QString(",9,15,"));
    }
};

VELTA_TEST_MAIN(TestScreeningCard)
#include "test_screening_card.moc"
