#include "documents/Class_PIList.h"
#include "app/Unit_AIS_VELTA_UTILS.h"
#include "documents/Unit_AutoDiagnosisRules.h"
#include "documents/Unit_Rounding.h"

TPIList::TPIList() { TPIList::Init(); }

void TPIList::Init()
{
    TDBDocument::Init();
    m_ObjCAD = 0;
    m_ObjDAD = 0;
    m_ObjGrowth = 0;
    m_ObjMass = 0;
    m_ObjCircWst = 0;
    m_ObjCircTh = 0;
    m_IndexKetle = 0;
    m_HeadacheMorning = m_HeadacheDay = m_HeadacheEvening = false;
    m_CmpGiddine = m_CmpNoise = m_CmpLowerin = m_CmpFatig = m_CmpDiffic = m_CmpIrritab = false;
    m_CmpUrInc = m_CmpUrStran = m_CmpUrNight = m_CmpUrColor = false;
    m_CmpBrFast = m_CmpBrSlow = false;
    m_PinPrepAD = false;
    m_MprGID1 = m_MprGID2 = -1;
    m_HypMother = m_HypFather = TriState::Unknown;
    m_InfMother = m_InfFather = TriState::Unknown;
    m_InsMother = m_InsFather = TriState::Unknown;
    m_DiabetMother = m_DiabetFather = TriState::Unknown;
    m_Smoking = 1;
    m_Spirits = 0;
    m_AlsBlChol = m_AlsBlGluk = m_AlsBlHb = m_AlsBlCOE = m_AlsBlRed = 0;
    m_AlsUrAlbum = m_AlsUrLeucs = m_AlsUrRed = 0;
    m_EKGHemChng = m_EKGDeprSt = m_EKGNegT = false;
    m_EyeAngGip = m_EyeAngAter = false;
    m_Dispanser = 0;
    m_AutoDiagnoses.Clear();
    m_ExpertDiagnoses.Clear();
    SetDtpGID(1);
    Changed();
}

void TPIList::SetObjCAD(int value)
{
    CheckIntRange(value, 70, 350);
    CheckIntRange(value, m_ObjDAD, 350);
    m_ObjCAD = value;
    // Only a cleared systolic pressure can lie below the diastolic one after the checks.
    if (value < m_ObjDAD) {
        m_ObjDAD = value;
        Changed();
    }
}

void TPIList::SetObjDAD(int value)
{
    CheckIntRange(value, 30, 200);
    CheckIntRange(value, 30, m_ObjCAD);
    m_ObjDAD = value;
}

void TPIList::SetObjGrowth(double value)
{
    CheckFloatRange(value, 140, 250);
    m_ObjGrowth = value;
    RecomputeIndexKetle();
}

void TPIList::SetObjMass(double value)
{
    CheckFloatRange(value, 34, 200);
    m_ObjMass = value;
    RecomputeIndexKetle();
}

void TPIList::SetObjCircWst(double value)
{
    CheckFloatRange(value, 60, 250);
    m_ObjCircWst = value;
}

void TPIList::SetObjCircTh(double value)
{
    CheckFloatRange(value, 60, 250);
    m_ObjCircTh = value;
}

void TPIList::SetAlsBlChol(double value)
{
    CheckFloatRange(value, 2, 16);
    m_AlsBlChol = value;
}

void TPIList::SetAlsBlCOE(double value)
{
    CheckFloatRange(value, 1, 60);
    m_AlsBlCOE = value;
}

void TPIList::SetAlsBlRed(double value)
{
    CheckFloatRange(value, 2.5, 8);
    m_AlsBlRed = value;
}

void TPIList::SetAlsBlGluk(double value)
{
    CheckFloatRange(value, 1.5, 50);
    m_AlsBlGluk = value;
}

void TPIList::SetAlsBlHb(double value)
{
    CheckFloatRange(value, 70, 200);
    m_AlsBlHb = value;
}

void TPIList::SetAlsUrAlbum(double value)
{
    CheckFloatRange(value, 0, 1000);
    m_AlsUrAlbum = value;
}

void TPIList::SetAlsUrLeucs(double value)
{
    CheckFloatMin(value, 0);
    m_AlsUrLeucs = value;
}

void TPIList::SetAlsUrRed(double value)
{
    CheckFloatMin(value, 0);
    m_AlsUrRed = value;
}

void TPIList::RecomputeIndexKetle()
{
    if (m_ObjGrowth > 0 && m_ObjMass > 0)
        m_IndexKetle = RoundToOneDecimal(m_ObjMass / (m_ObjGrowth * m_ObjGrowth) * 100 * 100);
}

QString TPIList::CmpHeadach() const
{
    const auto flag = [](bool b) { return b ? QLatin1Char('1') : QLatin1Char('0'); };
    return QString() + flag(m_HeadacheMorning) + flag(m_HeadacheDay) + flag(m_HeadacheEvening);
}

void TPIList::SetCmpHeadach(const QString& stored)
{
    if (stored.size() < 3)
        return;
    m_HeadacheMorning = stored.at(0) == QLatin1Char('1');
    m_HeadacheDay = stored.at(1) == QLatin1Char('1');
    m_HeadacheEvening = stored.at(2) == QLatin1Char('1');
}

QString TPIList::ComplaintsCode() const
{
    const bool headache = m_HeadacheMorning || m_HeadacheDay || m_HeadacheEvening;
    if (headache && m_CmpGiddine && m_CmpNoise && m_CmpLowerin && m_CmpFatig && m_CmpDiffic)
        return QStringLiteral("5");
    if (m_CmpLowerin || (headache && m_CmpGiddine) || (m_CmpFatig && m_CmpDiffic && m_CmpIrritab)
        || m_CmpNoise)
        return QStringLiteral("6");
    return QString();
}

QString TPIList::UrinationCode() const
{
    if (m_CmpUrInc && m_CmpUrStran && m_CmpUrNight && m_CmpUrColor)
        return QStringLiteral("7");
    if (m_CmpUrInc || m_CmpUrStran || m_CmpUrNight || m_CmpUrColor)
        return QStringLiteral("8");
    return QString();
}

void TPIList::ComputeAutoDiagnoses(const QDate& birthDate)
{
    m_AutoDiagnoses.Clear();
    // An empty code is no code: TCodeList::Add would take it as "empty the list".
    for (const QString& code : {WeightCode(m_IndexKetle), WaistCode(m_ObjCircWst, m_ObjCircTh, birthDate),
                                ComplaintsCode(), UrinationCode(),
                                PressureCode(m_ObjCAD, m_ObjDAD, m_PinPrepAD)}) {
        if (!code.isEmpty())
            m_AutoDiagnoses.Add(code);
    }
    Changed();
}
