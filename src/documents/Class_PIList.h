#pragma once
// The primary inspection sheet ("лист первичного обследования", document kind 1) while it is
// edited: every answer of the PrimaryInspection row, checked as it is set, the Quetelet
// index, and the computer's conclusion derived from the answers.
//
// Notification: the sheet reports through the OnChange listener of TDBDocument, and only
// where its own state moved beyond the value just set (the diastolic pressure cleared with
// the systolic one, Init, a fresh conclusion); plain setters stay silent because the window
// that called them already shows the value.
#include "documents/Class_DBDocument.h"
#include "documents/Unit_CodeList.h"
#include <QDate>

class TPIList : public TDBDocument {
public:
    TPIList();

    // Resets the sheet for another document and notifies. The medicine doses and daily
    // counts are left as they are: they count only beside a medicine identifier (storage
    // writes and reads them with it), and the identifiers are reset.
    void Init() override;

    // Objective data. The diastolic pressure is accepted only up to the systolic one, so the
    // systolic is entered first; clearing the systolic clears the diastolic too.
    VELTA_DOC_CHECKED_MEMBER(int, ObjCAD, 0)
    VELTA_DOC_CHECKED_MEMBER(int, ObjDAD, 0)
    VELTA_DOC_CHECKED_MEMBER(double, ObjGrowth, 0)
    VELTA_DOC_CHECKED_MEMBER(double, ObjMass, 0)
    VELTA_DOC_CHECKED_MEMBER(double, ObjCircWst, 0)
    VELTA_DOC_CHECKED_MEMBER(double, ObjCircTh, 0)

public:
    // Recomputed whenever height or weight is set and both are given; a cleared height or
    // weight leaves the last index in place.
    double IndexKetle() const { return m_IndexKetle; }

    // Complaints.
    VELTA_DOC_MEMBER(bool, HeadacheMorning, false)
    VELTA_DOC_MEMBER(bool, HeadacheDay, false)
    VELTA_DOC_MEMBER(bool, HeadacheEvening, false)
    VELTA_DOC_MEMBER(bool, CmpGiddine, false)
    VELTA_DOC_MEMBER(bool, CmpNoise, false)
    VELTA_DOC_MEMBER(bool, CmpLowerin, false)
    VELTA_DOC_MEMBER(bool, CmpFatig, false)
    VELTA_DOC_MEMBER(bool, CmpDiffic, false)
    VELTA_DOC_MEMBER(bool, CmpIrritab, false)
    VELTA_DOC_MEMBER(bool, CmpUrInc, false)
    VELTA_DOC_MEMBER(bool, CmpUrStran, false)
    VELTA_DOC_MEMBER(bool, CmpUrNight, false)
    VELTA_DOC_MEMBER(bool, CmpUrColor, false)
    VELTA_DOC_MEMBER(bool, CmpBrFast, false)
    VELTA_DOC_MEMBER(bool, CmpBrSlow, false)

public:
    // The three headache answers as column CmpHeadach keeps them: morning, day, evening, each
    // "1" or "0". A stored text shorter than three characters sets none of them.
    QString CmpHeadach() const;
    void SetCmpHeadach(const QString& stored);

    // Medicines. An identifier not above 0 means no medicine in that row.
    VELTA_DOC_MEMBER(bool, PinPrepAD, false)
    VELTA_DOC_MEMBER(int, MprGID1, -1)
    VELTA_DOC_MEMBER(int, MprGID2, -1)
    VELTA_DOC_MEMBER(double, MprDose1, 0)
    VELTA_DOC_MEMBER(double, MprDose2, 0)
    VELTA_DOC_MEMBER(quint32, MprFreq1, 0)
    VELTA_DOC_MEMBER(quint32, MprFreq2, 0)

    // Family history, TriState values.
    VELTA_DOC_MEMBER(int, HypMother, TriState::Unknown)
    VELTA_DOC_MEMBER(int, HypFather, TriState::Unknown)
    VELTA_DOC_MEMBER(int, InfMother, TriState::Unknown)
    VELTA_DOC_MEMBER(int, InfFather, TriState::Unknown)
    VELTA_DOC_MEMBER(int, InsMother, TriState::Unknown)
    VELTA_DOC_MEMBER(int, InsFather, TriState::Unknown)
    VELTA_DOC_MEMBER(int, DiabetMother, TriState::Unknown)
    VELTA_DOC_MEMBER(int, DiabetFather, TriState::Unknown)

    // Habits: Smoking 0 no, 1 yes, 2 gave up; Spirits 0 never to 3 weekly.
    VELTA_DOC_MEMBER(int, Smoking, 1)
    VELTA_DOC_MEMBER(int, Spirits, 0)

    // Laboratory.
    VELTA_DOC_CHECKED_MEMBER(double, AlsBlChol, 0)
    VELTA_DOC_CHECKED_MEMBER(double, AlsBlGluk, 0)
    VELTA_DOC_CHECKED_MEMBER(double, AlsBlHb, 0)
    VELTA_DOC_CHECKED_MEMBER(double, AlsBlCOE, 0)
    VELTA_DOC_CHECKED_MEMBER(double, AlsBlRed, 0)
    VELTA_DOC_CHECKED_MEMBER(double, AlsUrAlbum, 0)
    VELTA_DOC_CHECKED_MEMBER(double, AlsUrLeucs, 0)
    VELTA_DOC_CHECKED_MEMBER(double, AlsUrRed, 0)

    // ECG and eye fundus.
    VELTA_DOC_MEMBER(bool, EKGHemChng, false)
    VELTA_DOC_MEMBER(bool, EKGDeprSt, false)
    VELTA_DOC_MEMBER(bool, EKGNegT, false)
    VELTA_DOC_MEMBER(bool, EyeAngGip, false)
    VELTA_DOC_MEMBER(bool, EyeAngAter, false)

    // Dispensary registration: 0 not registered, 1 registered, 2 taken on.
    VELTA_DOC_MEMBER(qint16, Dispanser, 0)

public:
    // Conclusions, code lists in their stored text form (TCodeList).
    const QString& AutoDiagnoses() const { return m_AutoDiagnoses.Text(); }
    const QString& ExpertDiagnoses() const { return m_ExpertDiagnoses.Text(); }
    void AddAutoDiagnosis(const QString& code) { m_AutoDiagnoses.Add(code); }
    void AddExpertDiagnosis(const QString& code) { m_ExpertDiagnoses.Add(code); }
    void RemoveExpertDiagnosis(const QString& code) { m_ExpertDiagnoses.Remove(code); }

    // Derives the computer's conclusion afresh (codes 1 to 10) and notifies; the expert's
    // list is left alone. birthDate: the patient's.
    void ComputeAutoDiagnoses(const QDate& birthDate);

private:
    void RecomputeIndexKetle();
    QString ComplaintsCode() const;
    QString UrinationCode() const;

    double m_IndexKetle = 0;
    TCodeList m_AutoDiagnoses;
    TCodeList m_ExpertDiagnoses;
};
