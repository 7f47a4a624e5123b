#include "data/Unit_DemoDocuments.h"
#include "app/Unit_Clock.h"
#include "data/Unit_DataModule.h"
#include "documents/Class_PIList.h"
#include "documents/Class_ScriningCard.h"
#include <cmath>

namespace {

// What stays the same for one patient across the documents: how high the pressure runs, the
// habits, whether it is treated.
struct TProfile {
    int Grade = 0; // 0 optimal/normal, 1 high normal, 2..4 hypertension of grade 1..3
    bool Smoker = false, GaveUp = false, Drinks = false, Treated = false, HasLab = false;
    double Height = 170, Mass = 75;
    int Medicine1 = 1, Medicine2 = 0; // 0: none
};

class TRandom {
public:
    explicit TRandom(QRandomGenerator& rnd) : m_rnd(rnd) {}
    int Int(int low, int high) { return low + int(m_rnd.bounded(high - low + 1)); }
    bool Chance(int percent) { return int(m_rnd.bounded(100)) < percent; }
    double Tenths(double low, double high) { return Int(int(low * 10), int(high * 10)) / 10.0; }
    int TriState() { return Chance(45) ? 0 : Chance(60) ? 1 : 2; }
    template <class T, size_t N> const T& Of(const T (&items)[N]) { return items[m_rnd.bounded(quint32(N))]; }

private:
    QRandomGenerator& m_rnd;
};

TProfile MakeProfile(TRandom& r, const TDemoPatient& p, const QDate& today, int medicines)
{
    TProfile f;
    const int age = p.Born.daysTo(today) / 365;
    // Older patients run higher.
    const int weights[5][5] = {{70, 15, 10, 4, 1}, {45, 20, 20, 10, 5}, {25, 20, 28, 17, 10}, {15, 15, 30, 25, 15},
                               {10, 10, 30, 28, 22}};
    const int* w = weights[qBound(0, (age - 20) / 15, 4)];
    int roll = r.Int(0, 99);
    while (roll >= w[f.Grade] && f.Grade < 4)
        roll -= w[f.Grade++];
    f.Smoker = r.Chance(p.Male ? 35 : 12);
    f.GaveUp = !f.Smoker && r.Chance(15);
    f.Drinks = r.Chance(p.Male ? 55 : 30);
    f.Treated = f.Grade >= 2 && r.Chance(55);
    f.HasLab = r.Chance(60);
    f.Height = p.Male ? r.Int(163, 192) : r.Int(150, 178);
    const double index = r.Tenths(19.5, 36); // body-mass index the weight is made from
    f.Mass = std::round(index * f.Height * f.Height / 1000.0) / 10.0;
    f.Medicine1 = r.Int(1, medicines);
    f.Medicine2 = r.Chance(35) ? 1 + (f.Medicine1 % medicines) : 0;
    return f;
}

void Pressure(TRandom& r, int grade, int& sys, int& dia)
{
    const int ranges[5][4] = {{100, 129, 60, 84}, {130, 139, 85, 89}, {140, 159, 90, 99}, {160, 179, 100, 109},
                              {180, 215, 110, 125}};
    const int* g = ranges[grade];
    sys = r.Int(g[0], g[1]);
    dia = qMin(r.Int(g[2], g[3]), sys - 20);
}

double LabCholesterol(TRandom& r) { return r.Tenths(3.6, 7.8); }
double LabGlucose(TRandom& r) { return r.Tenths(3.9, 7.4); }

// The doctor mostly agrees with the computer.
template <class Doc> void ExpertFromAuto(TRandom& r, Doc& doc)
{
    for (const QString& code : doc.AutoDiagnoses().split(u',', Qt::SkipEmptyParts))
        if (!r.Chance(10))
            doc.AddExpertDiagnosis(code);
}

void FillSheet(TRandom& r, const TProfile& f, const TDemoPatient& p, TPIList& s)
{
    int sys = 0, dia = 0;
    Pressure(r, f.Grade, sys, dia);
    s.SetObjCAD(sys);
    s.SetObjDAD(dia);
    s.SetObjGrowth(f.Height);
    s.SetObjMass(qBound(34.0, f.Mass + r.Int(-2, 2), 200.0));
    s.SetObjCircWst(qBound(60.0, double(r.Int(65, 118)), 250.0));
    s.SetObjCircTh(double(r.Int(88, 120)));
    const bool complains = f.Grade >= 2 ? r.Chance(70) : r.Chance(20);
    if (complains) {
        s.SetHeadacheMorning(r.Chance(50));
        s.SetHeadacheEvening(r.Chance(30));
        s.SetCmpGiddine(r.Chance(40));
        s.SetCmpNoise(r.Chance(30));
        s.SetCmpFatig(r.Chance(50));
        s.SetCmpIrritab(r.Chance(30));
        s.SetCmpUrNight(r.Chance(20));
        s.SetCmpBrFast(r.Chance(25));
    }
    if (f.Treated) {
        s.SetPinPrepAD(true);
        s.SetMprGID1(f.Medicine1);
        s.SetMprDose1(double(r.Of({5, 10, 20, 25, 50})));
        s.SetMprFreq1(quint32(r.Int(1, 3)));
        if (f.Medicine2) {
            s.SetMprGID2(f.Medicine2);
            s.SetMprDose2(double(r.Of({2.5, 5.0, 10.0})));
            s.SetMprFreq2(1);
        }
    }
    s.SetHypMother(r.TriState());
    s.SetHypFather(r.TriState());
    s.SetInfMother(r.TriState());
    s.SetInfFather(r.TriState());
    s.SetInsMother(r.TriState());
    s.SetInsFather(r.TriState());
    s.SetDiabetMother(r.TriState());
    s.SetDiabetFather(r.TriState());
    s.SetSmoking(f.Smoker ? 1 : f.GaveUp ? 2 : 0);
    s.SetSpirits(f.Drinks ? r.Int(1, 3) : 0);
    if (f.HasLab) {
        s.SetAlsBlChol(LabCholesterol(r));
        s.SetAlsBlGluk(LabGlucose(r));
        s.SetAlsBlHb(double(p.Male ? r.Int(128, 165) : r.Int(112, 150)));
        s.SetAlsBlCOE(double(r.Int(3, 25)));
        s.SetAlsBlRed(r.Tenths(3.7, 5.4));
        if (r.Chance(50)) {
            s.SetAlsUrAlbum(r.Chance(80) ? 0 : r.Tenths(0.1, 1.5));
            s.SetAlsUrLeucs(double(r.Int(0, 6)));
            s.SetAlsUrRed(double(r.Int(0, 3)));
        }
    }
    if (f.Grade >= 3 && r.Chance(35)) {
        s.SetEKGHemChng(true);
        s.SetEKGNegT(r.Chance(30));
        s.SetEyeAngGip(r.Chance(50));
    }
    s.SetDispanser(qint16(f.Grade >= 2 ? r.Int(0, 2) : 0));
    s.ComputeAutoDiagnoses(p.Born);
    ExpertFromAuto(r, s);
}

void FillCard(TRandom& r, const TProfile& f, const TDemoPatient& p, const QDate& day, TScriningCard& c)
{
    const int year = day.year();
    const int adultFrom = p.Born.year() + 18;
    const auto since = [&](int back) { return qBound(qMin(adultFrom, year), year - back, year); };
    c.SetFamilyStatus(r.Chance(65) ? 1 : r.Int(0, 2));
    c.SetPostLID(p.PosLID);
    if (f.Grade >= 2) {
        c.SetHyper(r.Chance(75) ? 1 : 2);
        if (c.Hyper() == 1)
            c.SetHyperDate(since(r.Int(1, 20)));
        c.SetADHi(1);
        c.SetADHiDate(since(r.Int(1, 15)));
    } else {
        c.SetHyper(0);
        c.SetADHi(f.Grade == 1 ? 2 : 0);
    }
    for (auto set : {&TScriningCard::SetStenokardia, &TScriningCard::SetInfarct, &TScriningCard::SetInsult,
                     &TScriningCard::SetDiabet, &TScriningCard::SetPielonefrit, &TScriningCard::SetYazva})
        (c.*set)(r.Chance(88) ? 0 : r.Chance(60) ? 1 : 2);
    if (c.Diabet() == 1)
        c.SetDiabetDate(since(r.Int(1, 12)));
    if (f.Treated) {
        c.SetPreparat(true);
        c.SetPrep1GID(f.Medicine1);
        c.SetPrep1Dose(double(r.Of({5, 10, 20, 25, 50})));
        c.SetPrep1Day(r.Int(1, 3));
        c.SetPrep1DayBack(r.Int(1, 30));
        if (f.Medicine2) {
            c.SetPrep2GID(f.Medicine2);
            c.SetPrep2Dose(double(r.Of({2.5, 5.0, 10.0})));
            c.SetPrep2Day(1);
            c.SetPrep2DayBack(r.Int(1, 60));
        }
    }
    for (auto set : {&TScriningCard::SetMotherHyper, &TScriningCard::SetMotherInfarkt, &TScriningCard::SetMotherInsult,
                     &TScriningCard::SetMotherDiabet, &TScriningCard::SetFatherHyper, &TScriningCard::SetFatherInfarkt,
                     &TScriningCard::SetFatherInsult, &TScriningCard::SetFatherDiabet})
        (c.*set)(r.TriState());
    if (f.Drinks) {
        if (r.Chance(60)) {
            c.SetAlkBeer(true);
            c.SetAlkBeerFreq(r.Int(1, 4));
            c.SetAlkBeerCount(r.Of({0.5, 1.0, 2.0}));
        }
        if (r.Chance(45)) {
            c.SetAlkWine(true);
            c.SetAlkWineFreq(r.Int(1, 4));
            c.SetAlkWineCount(r.Of({0.2, 0.5}));
        }
        if (r.Chance(40)) {
            c.SetAlkVodka(true);
            c.SetAlkVodkaFreq(r.Int(1, 4));
            c.SetAlkVodkaCount(r.Of({0.05, 0.1, 0.2, 0.5}));
        }
    }
    c.SetSmoking(f.Smoker ? 1 : f.GaveUp ? 2 : 0);
    if (f.Smoker)
        c.SetSmokingSigarCount(r.Int(3, 30));
    if (f.GaveUp)
        c.SetSmokingBrosilLet(r.Int(1, 20));
    c.SetKashel(f.Smoker && r.Chance(40) ? r.Int(1, 2) : 0);
    // The Rose questionnaire: most have no chest pain; a few describe exertional angina.
    if (r.Chance(18)) {
        c.SetRous11(true);
        c.SetRous21(r.Chance(70));
        c.SetRous3(r.Chance(30));
        c.SetRous4(r.Int(1, 2));
        c.SetRous5(r.Int(1, 2));
        c.SetRous6(r.Int(1, 2));
        c.SetRous7(true);
        c.SetRous7Where(r.Chance(70) ? QStringLiteral("3") : QStringLiteral("8"));
    }
    const bool complains = f.Grade >= 2 ? r.Chance(70) : r.Chance(20);
    if (complains) {
        c.SetGolovaBolMorning(r.Chance(50));
        c.SetGolovokrugenie(r.Chance(40));
        c.SetGolovaShum(r.Chance(30));
        c.SetUtomlaemostHi(r.Chance(50));
        c.SetRazdrajHi(r.Chance(30));
        c.SetUrNight(r.Chance(20));
        c.SetOtdyshkaBystro(r.Chance(25));
    }
    c.SetRost(f.Height);
    c.SetMassa(qBound(34.0, f.Mass + r.Int(-2, 2), 200.0));
    c.SetKonstitutcia(r.Int(1, 3));
    c.SetJir(r.Int(1, 3));
    c.SetSizeGrud(double(r.Int(84, 118)));
    c.SetSizeTalia(double(r.Int(65, 118)));
    c.SetSizeBedra(double(r.Int(88, 120)));
    int sys = 0, dia = 0;
    Pressure(r, f.Grade, sys, dia);
    c.SetAD1Hi(sys);
    c.SetAD1Low(dia);
    c.SetAD2Hi(qMax(dia + 10, sys - r.Int(0, 8)));
    c.SetAD2Low(qMax(30, dia - r.Int(0, 5)));
    c.SetPuls(r.Int(58, 96));
    c.SetPulsType(r.Chance(92) ? 1 : 2);
    if (f.HasLab) {
        c.SetBloodGluk(LabGlucose(r));
        c.SetHolest(LabCholesterol(r));
        if (r.Chance(40)) {
            c.SetHolestLPVP(r.Tenths(2.0, 2.6));
            c.SetTrigliceridy(r.Tenths(0.6, 3.2));
        }
        c.SetGemoglobin(double(p.Male ? r.Int(128, 165) : r.Int(112, 150)));
    }
    c.SetDispanser(f.Grade >= 2 ? r.Int(0, 2) : 0);
    c.ComputeAutoDiagnoses(p.Born);
    ExpertFromAuto(r, c);
}

// Gives the clock back on every way out.
class TClockAt {
public:
    TClockAt() : m_before(TClock::Fixed()) {}
    ~TClockAt() { TClock::SetFixed(m_before); }
    void Set(const QDateTime& moment) { TClock::SetFixed(moment); }

private:
    QDateTime m_before;
};

} // namespace

int WriteDemoDocuments(TDM& dm, QRandomGenerator& rnd, const TDemoPatient& patient, const QDateTime& now,
                       int medicines)
{
    TRandom r(rnd);
    // About two patients in three have been examined, some of them twice.
    const int count = r.Chance(33) ? 0 : r.Chance(70) ? 1 : 2;
    if (count == 0)
        return 0;
    const TProfile profile = MakeProfile(r, patient, now.date(), medicines);
    const QDate first = qMax(patient.Registered.date().addDays(1), now.date().addDays(-730));
    const int span = qMax(0, int(first.daysTo(now.date())) - 1);
    TClockAt clock;
    int written = 0;
    for (int d = 0; d < count; ++d) {
        const QDate day = first.addDays(r.Int(0, span));
        const QDateTime saved(day, QTime(r.Int(8, 16), r.Int(0, 59), r.Int(0, 59)));
        if (saved > now)
            continue;
        clock.Set(saved); // the year of the conclusion and the row stamp are the examination's
        const bool sheet = r.Chance(50);
        const QDateTime edited = saved.addDays(r.Int(0, 20)).addSecs(r.Int(600, 7200));
        const bool edit = r.Chance(25) && edited < now;
        const QString number = QStringLiteral("%1/%2").arg(patient.PrnLID).arg(d + 1);
        if (sheet) {
            TPIList s;
            s.Init();
            s.SetPrnLID(patient.PrnLID);
            s.SetDocDate(saved);
            s.SetDocNumber(number);
            FillSheet(r, profile, patient, s);
            dm.InsertPrimaryInspection(s);
            if (edit) {
                clock.Set(edited);
                s.SetDispanser(qint16(profile.Grade >= 2 ? 1 : 0));
                dm.UpdatePrimaryInspection(s);
            }
        } else {
            TScriningCard c;
            c.Init();
            c.SetPrnLID(patient.PrnLID);
            c.SetDocDate(saved);
            c.SetDocNumber(number);
            FillCard(r, profile, patient, day, c);
            dm.InsertScriningCard(c);
            if (edit) {
                clock.Set(edited);
                c.SetDispanser(profile.Grade >= 2 ? 1 : 0);
                dm.UpdateScriningCard(c);
            }
        }
        ++written;
    }
    return written;
}
