#include "documents/Class_ScriningCard.h"
#include "app/Unit_AIS_VELTA_UTILS.h"
#include "app/Unit_Clock.h"
#include "documents/Unit_Rounding.h"

TScriningCard::TScriningCard() { TScriningCard::Init(); }

void TScriningCard::Init()
{
    TDBDocument::Init();
    m_initDate = TClock::Today();
    SetDtpGID(2);
    m_Prep1GID.reset();
    m_Prep2GID.reset();
    m_AutoDiagnoses.Clear();
    m_ExpertDiagnoses.Clear();
    m_PostLID = -1;
    for (int* answer : {&m_Hyper, &m_ADHi, &m_Stenokardia, &m_Infarct, &m_Insult, &m_Diabet, &m_Pielonefrit,
                        &m_Pochki, &m_PochkiBerem, &m_MochekamBolez, &m_PochkiSol, &m_Yazva, &m_Gepatit,
                        &m_MotherHyper, &m_MotherADHi, &m_MotherStenokardia, &m_MotherInfarkt,
                        &m_MotherInsult, &m_MotherDiabet, &m_MotherTuber, &m_MotherPochki,
                        &m_FatherHyper, &m_FatherADHi, &m_FatherStenokardia, &m_FatherInfarkt,
                        &m_FatherInsult, &m_FatherDiabet, &m_FatherTuber, &m_FatherPochki})
        *answer = TriState::Unknown;
}

void TScriningCard::BeginUpdate() { ++m_cardUpdateDepth; }

void TScriningCard::EndUpdate()
{
    // An unmatched EndUpdate neither notifies nor leaves a negative depth behind.
    if (m_cardUpdateDepth == 0)
        return;
    if (--m_cardUpdateDepth == 0)
        Changed();
}

bool TScriningCard::IsUpdating() const { return m_cardUpdateDepth > 0; }

// --- Validating setters -------------------------------------------------------------------

void TScriningCard::SetPostDate(QDateTime value)
{
    CheckDateMax(value.date(), TClock::Today());
    m_PostDate = value;
}

void TScriningCard::CheckYear(int year) const { CheckIntRange(year, 1900, ReferenceYear()); }

void TScriningCard::SetHyperDate(int value) { CheckYear(value); m_HyperDate = value; }
void TScriningCard::SetADHiDate(int value) { CheckYear(value); m_ADHiDate = value; }
void TScriningCard::SetStenokardiaDate(int value) { CheckYear(value); m_StenokardiaDate = value; }
void TScriningCard::SetInfarctDate(int value) { CheckYear(value); m_InfarctDate = value; }
void TScriningCard::SetInsultDate(int value) { CheckYear(value); m_InsultDate = value; }
void TScriningCard::SetDiabetDate(int value) { CheckYear(value); m_DiabetDate = value; }
void TScriningCard::SetPielonefritDate(int value) { CheckYear(value); m_PielonefritDate = value; }
void TScriningCard::SetPochkiDate(int value) { CheckYear(value); m_PochkiDate = value; }
void TScriningCard::SetPochkiBeremDate(int value) { CheckYear(value); m_PochkiBeremDate = value; }
void TScriningCard::SetMochekamBolezDate(int value) { CheckYear(value); m_MochekamBolezDate = value; }
void TScriningCard::SetPochkiSolDate(int value) { CheckYear(value); m_PochkiSolDate = value; }
void TScriningCard::SetYazvaDate(int value) { CheckYear(value); m_YazvaDate = value; }
void TScriningCard::SetGepatitDate(int value) { CheckYear(value); m_GepatitDate = value; }

void TScriningCard::SetPrep1Dose(double value) { CheckFloatMin(value, 0); m_Prep1Dose = value; }
void TScriningCard::SetPrep2Dose(double value) { CheckFloatMin(value, 0); m_Prep2Dose = value; }
void TScriningCard::SetPrep1Day(int value) { CheckIntRange(value, 1, 15); m_Prep1Day = value; }
void TScriningCard::SetPrep2Day(int value) { CheckIntRange(value, 1, 15); m_Prep2Day = value; }
void TScriningCard::SetPrep1DayBack(int value) { CheckIntRange(value, 1, 365); m_Prep1DayBack = value; }
void TScriningCard::SetPrep2DayBack(int value) { CheckIntRange(value, 1, 365); m_Prep2DayBack = value; }

void TScriningCard::SetSmokingSigarCount(int value) { CheckIntMin(value, 1); m_SmokingSigarCount = value; }
void TScriningCard::SetSmokingBrosilLet(int value) { CheckIntMin(value, 1); m_SmokingBrosilLet = value; }
void TScriningCard::SetMokrotaLet(int value) { CheckIntMin(value, 1); m_MokrotaLet = value; }
void TScriningCard::SetRous9Let(int value) { CheckIntMin(value, 1); m_Rous9Let = value; }

void TScriningCard::SetRost(double value) { CheckFloatRange(value, 100, 250); m_Rost = value; }
void TScriningCard::SetMassa(double value) { CheckFloatRange(value, 34, 200); m_Massa = value; }
void TScriningCard::SetSizeGrud(double value) { CheckFloatRange(value, 70, 160); m_SizeGrud = value; }
void TScriningCard::SetSizeTalia(double value) { CheckFloatRange(value, 60, 210); m_SizeTalia = value; }
void TScriningCard::SetSizeBedra(double value) { CheckFloatRange(value, 60, 210); m_SizeBedra = value; }

void TScriningCard::SetAD1Hi(int value)
{
    CheckIntRange(value, 70, 350);
    CheckIntRange(value, m_AD1Low, 350);
    m_AD1Hi = value;
}

void TScriningCard::SetAD1Low(int value)
{
    CheckIntRange(value, 30, 200);
    CheckIntRange(value, 30, m_AD1Hi);
    m_AD1Low = value;
}

void TScriningCard::SetAD2Hi(int value)
{
    CheckIntRange(value, 70, 350);
    CheckIntRange(value, m_AD2Low, 350);
    m_AD2Hi = value;
}

void TScriningCard::SetAD2Low(int value)
{
    CheckIntRange(value, 30, 200);
    CheckIntRange(value, 30, m_AD2Hi);
    m_AD2Low = value;
}

void TScriningCard::SetPuls(int value) { CheckIntRange(value, 40, 140); m_Puls = value; }

void TScriningCard::SetBloodGluk(double value) { CheckFloatRange(value, 1.5, 20); m_BloodGluk = value; }
void TScriningCard::SetHolest(double value) { CheckFloatRange(value, 2, 16); m_Holest = value; }
void TScriningCard::SetHolestLPVP(double value) { CheckFloatRange(value, 2, 16); m_HolestLPVP = value; }
void TScriningCard::SetTrigliceridy(double value) { CheckFloatRange(value, 0.3, 4); m_Trigliceridy = value; }
void TScriningCard::SetGemoglobin(double value) { CheckFloatRange(value, 70, 170); m_Gemoglobin = value; }
void TScriningCard::SetEritrocity(double value) { CheckFloatRange(value, 4, 6.4); m_Eritrocity = value; }
void TScriningCard::SetCOE(double value) { CheckFloatRange(value, 1, 60); m_COE = value; }

// --- Derived values -------------------------------------------------------------------------

double TScriningCard::IndexKetle() const
{
    if (m_Rost > 0 && m_Massa > 0)
        return RoundToOneDecimal(m_Massa / (m_Rost * (m_Rost / 100) / 100));
    return 0;
}

namespace {
int MeanOfGiven(int first, int second)
{
    if (first > 0 && second > 0)
        return (first + second) / 2;
    return first > 0 ? first : (second > 0 ? second : 0);
}
}

int TScriningCard::ADSredHi() const { return MeanOfGiven(m_AD1Hi, m_AD2Hi); }
int TScriningCard::ADSredLow() const { return MeanOfGiven(m_AD1Low, m_AD2Low); }
