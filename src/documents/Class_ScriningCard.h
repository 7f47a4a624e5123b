#pragma once
// The screening card ("карта скрининга", document kind 2) while it is edited: every answer of
// the ScriningCard row, checked as it is set, the derived index and pressure means, and the
// computer's conclusion.
//
// Notification: setters never notify; the card reports through TDBDocument's OnChange only
// when a bulk load ends (EndUpdate of the outermost bracket) and when a conclusion has been
// computed. Its update depth is its own and is not reset by Init.
#include "documents/Class_DBDocument.h"
#include "documents/Unit_CodeList.h"
#include <QDate>
#include <optional>

class TScriningCard : public TDBDocument {
public:
    TScriningCard();

    // Resets the Document members, the medicines, the occupation, the conclusions and the
    // three-state answers, and fixes the reference year. The other answers are left as they
    // are (a new card starts them at 0, false or empty). No notification.
    void Init() override;

    void BeginUpdate() override;
    void EndUpdate() override;
    bool IsUpdating() const override;

    // The year of the last Init: the latest year the disease years accept.
    int ReferenceYear() const { return m_initDate.year(); }

    // Document and occupation.
    VELTA_DOC_MEMBER(int, CardSec, 0)      // carried through load and store unchanged
    VELTA_DOC_MEMBER(int, FamilyStatus, 0) // 0 single, 1 married, 2 never married
    VELTA_DOC_MEMBER(int, PostLID, -1)     // -1: no occupation
    VELTA_DOC_CHECKED_MEMBER(QDateTime, PostDate, {})

    // Personal history: a TriState answer and the year since when (0: not given).
    VELTA_DOC_MEMBER(int, Hyper, TriState::Unknown)
    VELTA_DOC_CHECKED_MEMBER(int, HyperDate, 0)
    VELTA_DOC_MEMBER(int, ADHi, TriState::Unknown)
    VELTA_DOC_CHECKED_MEMBER(int, ADHiDate, 0)
    VELTA_DOC_MEMBER(int, Stenokardia, TriState::Unknown)
    VELTA_DOC_CHECKED_MEMBER(int, StenokardiaDate, 0)
    VELTA_DOC_MEMBER(int, Infarct, TriState::Unknown)
    VELTA_DOC_CHECKED_MEMBER(int, InfarctDate, 0)
    VELTA_DOC_MEMBER(int, Insult, TriState::Unknown)
    VELTA_DOC_CHECKED_MEMBER(int, InsultDate, 0)
    VELTA_DOC_MEMBER(int, Diabet, TriState::Unknown)
    VELTA_DOC_CHECKED_MEMBER(int, DiabetDate, 0)
    VELTA_DOC_MEMBER(int, Pielonefrit, TriState::Unknown)
    VELTA_DOC_CHECKED_MEMBER(int, PielonefritDate, 0)
    VELTA_DOC_MEMBER(int, Pochki, TriState::Unknown)
    VELTA_DOC_CHECKED_MEMBER(int, PochkiDate, 0)
    VELTA_DOC_MEMBER(int, PochkiBerem, TriState::Unknown)
    VELTA_DOC_CHECKED_MEMBER(int, PochkiBeremDate, 0)
    VELTA_DOC_MEMBER(int, MochekamBolez, TriState::Unknown)
    VELTA_DOC_CHECKED_MEMBER(int, MochekamBolezDate, 0)
    VELTA_DOC_MEMBER(int, PochkiSol, TriState::Unknown)
    VELTA_DOC_CHECKED_MEMBER(int, PochkiSolDate, 0)
    VELTA_DOC_MEMBER(int, Yazva, TriState::Unknown)
    VELTA_DOC_CHECKED_MEMBER(int, YazvaDate, 0)
    VELTA_DOC_MEMBER(int, Gepatit, TriState::Unknown)
    VELTA_DOC_CHECKED_MEMBER(int, GepatitDate, 0)

    // Antihypertensive medicines; an empty identifier means no medicine in that row.
    VELTA_DOC_MEMBER(bool, Preparat, false)
    VELTA_DOC_MEMBER(std::optional<int>, Prep1GID, std::nullopt)
    VELTA_DOC_CHECKED_MEMBER(double, Prep1Dose, 0)
    VELTA_DOC_CHECKED_MEMBER(int, Prep1Day, 0)
    VELTA_DOC_CHECKED_MEMBER(int, Prep1DayBack, 0)
    VELTA_DOC_MEMBER(std::optional<int>, Prep2GID, std::nullopt)
    VELTA_DOC_CHECKED_MEMBER(double, Prep2Dose, 0)
    VELTA_DOC_CHECKED_MEMBER(int, Prep2Day, 0)
    VELTA_DOC_CHECKED_MEMBER(int, Prep2DayBack, 0)

    // Family history, TriState values.
    VELTA_DOC_MEMBER(int, MotherHyper, TriState::Unknown)
    VELTA_DOC_MEMBER(int, MotherADHi, TriState::Unknown)
    VELTA_DOC_MEMBER(int, MotherStenokardia, TriState::Unknown)
    VELTA_DOC_MEMBER(int, MotherInfarkt, TriState::Unknown)
    VELTA_DOC_MEMBER(int, MotherInsult, TriState::Unknown)
    VELTA_DOC_MEMBER(int, MotherDiabet, TriState::Unknown)
    VELTA_DOC_MEMBER(int, MotherTuber, TriState::Unknown)
    VELTA_DOC_MEMBER(int, MotherPochki, TriState::Unknown)
    VELTA_DOC_MEMBER(int, FatherHyper, TriState::Unknown)
    VELTA_DOC_MEMBER(int, FatherADHi, TriState::Unknown)
    VELTA_DOC_MEMBER(int, FatherStenokardia, TriState::Unknown)
    VELTA_DOC_MEMBER(int, FatherInfarkt, TriState::Unknown)
    VELTA_DOC_MEMBER(int, FatherInsult, TriState::Unknown)
    VELTA_DOC_MEMBER(int, FatherDiabet, TriState::Unknown)
    VELTA_DOC_MEMBER(int, FatherTuber, TriState::Unknown)
    VELTA_DOC_MEMBER(int, FatherPochki, TriState::Unknown)

    // Habits. Frequencies 1 (a few times a year) to 4 (several times a week), 0 not given;
    // amounts in litres at a time.
    VELTA_DOC_MEMBER(bool, AlkBeer, false)
    VELTA_DOC_MEMBER(double, AlkBeerCount, 0)
    VELTA_DOC_MEMBER(int, AlkBeerFreq, 0)
    VELTA_DOC_MEMBER(bool, AlkWine, false)
    VELTA_DOC_MEMBER(double, AlkWineCount, 0)
    VELTA_DOC_MEMBER(int, AlkWineFreq, 0)
    VELTA_DOC_MEMBER(bool, AlkVodka, false)
    VELTA_DOC_MEMBER(double, AlkVodkaCount, 0)
    VELTA_DOC_MEMBER(int, AlkVodkaFreq, 0)
    VELTA_DOC_MEMBER(int, Smoking, 0) // 0 no, 1 yes, 2 gave up
    VELTA_DOC_CHECKED_MEMBER(int, SmokingBrosilLet, 0)
    VELTA_DOC_CHECKED_MEMBER(int, SmokingSigarCount, 0)
    VELTA_DOC_MEMBER(int, Kashel, 0) // 0 none, 1 sputum mornings, 2 several times a day
    VELTA_DOC_MEMBER(bool, MokrotaORVI, false)
    VELTA_DOC_CHECKED_MEMBER(int, MokrotaLet, 0)

    // Chest-pain questionnaire of Rose. Rous4 to Rous6 answer 1 or 2 (0 not answered);
    // Rous7Where holds the digits "1" to "4" of the places shown.
    VELTA_DOC_MEMBER(bool, Rous11, false)
    VELTA_DOC_MEMBER(bool, Rous12, false)
    VELTA_DOC_MEMBER(bool, Rous21, false)
    VELTA_DOC_MEMBER(bool, Rous22, false)
    VELTA_DOC_MEMBER(bool, Rous3, false)
    VELTA_DOC_MEMBER(int, Rous4, 0)
    VELTA_DOC_MEMBER(int, Rous5, 0)
    VELTA_DOC_MEMBER(int, Rous6, 0)
    VELTA_DOC_MEMBER(bool, Rous7, false) // carried through load and store unchanged
    VELTA_DOC_MEMBER(QString, Rous7Where, {})
    VELTA_DOC_MEMBER(bool, Rous8, false)
    VELTA_DOC_MEMBER(QString, Rous8Where, {})
    VELTA_DOC_CHECKED_MEMBER(int, Rous9Let, 0)

    // Complaints.
    VELTA_DOC_MEMBER(bool, GolovaBolMorning, false)
    VELTA_DOC_MEMBER(bool, GolovaBolDay, false)
    VELTA_DOC_MEMBER(bool, GolovaBolEvening, false)
    VELTA_DOC_MEMBER(bool, Golovokrugenie, false)
    VELTA_DOC_MEMBER(bool, GolovaShum, false)
    VELTA_DOC_MEMBER(bool, MemLow, false)
    VELTA_DOC_MEMBER(bool, UtomlaemostHi, false)
    VELTA_DOC_MEMBER(bool, RabotaTrudno, false)
    VELTA_DOC_MEMBER(bool, RazdrajHi, false)
    VELTA_DOC_MEMBER(bool, UrChasto, false)
    VELTA_DOC_MEMBER(bool, UrRezi, false)
    VELTA_DOC_MEMBER(bool, UrNight, false)
    VELTA_DOC_MEMBER(bool, UrColorIzm, false)
    VELTA_DOC_MEMBER(bool, OtdyshkaBystro, false)
    VELTA_DOC_MEMBER(bool, OtdyshkaSpokoyno, false)

    // Objective examination. Each diastolic pressure is accepted only while its systolic one
    // is set and not below it; nothing adjusts one to the other.
    VELTA_DOC_CHECKED_MEMBER(double, Rost, 0)
    VELTA_DOC_CHECKED_MEMBER(double, Massa, 0)
    VELTA_DOC_MEMBER(int, Konstitutcia, 0)
    VELTA_DOC_MEMBER(int, Jir, 0)
    VELTA_DOC_CHECKED_MEMBER(double, SizeGrud, 0)
    VELTA_DOC_CHECKED_MEMBER(double, SizeTalia, 0)
    VELTA_DOC_CHECKED_MEMBER(double, SizeBedra, 0)
    VELTA_DOC_CHECKED_MEMBER(int, AD1Hi, 0)
    VELTA_DOC_CHECKED_MEMBER(int, AD1Low, 0)
    VELTA_DOC_CHECKED_MEMBER(int, AD2Hi, 0)
    VELTA_DOC_CHECKED_MEMBER(int, AD2Low, 0)
    VELTA_DOC_CHECKED_MEMBER(int, Puls, 0)
    VELTA_DOC_MEMBER(int, PulsType, 0) // 1 rhythmic, 2 arrhythmic
    VELTA_DOC_MEMBER(bool, PasternakRight, false)
    VELTA_DOC_MEMBER(bool, PasternakLeft, false)

    // Laboratory.
    VELTA_DOC_CHECKED_MEMBER(double, BloodGluk, 0)
    VELTA_DOC_CHECKED_MEMBER(double, Holest, 0)
    VELTA_DOC_CHECKED_MEMBER(double, HolestLPVP, 0)
    VELTA_DOC_CHECKED_MEMBER(double, Trigliceridy, 0)
    VELTA_DOC_CHECKED_MEMBER(double, Gemoglobin, 0)
    VELTA_DOC_CHECKED_MEMBER(double, Eritrocity, 0)
    VELTA_DOC_CHECKED_MEMBER(double, COE, 0)

    VELTA_DOC_MEMBER(int, Dispanser, 0) // 0 not registered, 1 registered, 2 taken on

public:
    // Derived afresh on every call, never set: they always follow the current answers.
    double IndexKetle() const; // 0 unless height and weight are both given
    int ADSredHi() const;      // mean of the given systolic measurements, remainder dropped
    int ADSredLow() const;     // the same for the diastolic ones

    // Conclusions, code lists in their stored text form (TCodeList).
    const QString& AutoDiagnoses() const { return m_AutoDiagnoses.Text(); }
    const QString& ExpertDiagnoses() const { return m_ExpertDiagnoses.Text(); }
    void AddAutoDiagnosis(const QString& code) { m_AutoDiagnoses.Add(code); }
    void AddExpertDiagnosis(const QString& code) { m_ExpertDiagnoses.Add(code); }
    void RemoveExpertDiagnosis(const QString& code) { m_ExpertDiagnoses.Remove(code); }

    // Derives the computer's conclusion afresh (codes 1 to 10, 15 to 18) and notifies; the
    // expert's list is left alone. birthDate: the patient's.
    void ComputeAutoDiagnoses(const QDate& birthDate);

private:
    void CheckYear(int year) const;
    QString ComplaintsCode() const;
    QString RoseCode() const;

    int m_cardUpdateDepth = 0;
    QDate m_initDate;
    TCodeList m_AutoDiagnoses;
    TCodeList m_ExpertDiagnoses;
};
