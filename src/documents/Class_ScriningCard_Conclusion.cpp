// The screening card's computer conclusion, kept apart from the card's members and checks.
#include "documents/Class_ScriningCard.h"
#include "documents/Unit_AutoDiagnosisRules.h"

QString TScriningCard::ComplaintsCode() const
{
    // Unlike the sheet, a headache alone already counts here.
    const bool headache = m_GolovaBolMorning || m_GolovaBolDay || m_GolovaBolEvening;
    if (headache && m_Golovokrugenie && m_GolovaShum && m_MemLow && m_UtomlaemostHi && m_RabotaTrudno)
        return QStringLiteral("5");
    if (m_MemLow || headache || (m_UtomlaemostHi && m_RabotaTrudno && m_RazdrajHi) || m_GolovaShum)
        return QStringLiteral("6");
    return QString();
}

QString TScriningCard::RoseCode() const
{
    const bool exertional = (m_Rous11 || m_Rous12) && m_Rous21 && !m_Rous3 && m_Rous4 == 1 && m_Rous5 == 1;
    const auto shown = [this](char place) { return m_Rous7Where.contains(QLatin1Char(place)); };
    const bool typicalPlace = shown('1') || shown('2') || (shown('3') && shown('4'));
    const bool leftChestOnly = shown('3') && !shown('1') && !shown('2') && !shown('4');
    if (exertional && m_Rous6 == 1 && typicalPlace)
        return QStringLiteral("15");
    if (exertional && m_Rous6 == 2 && (typicalPlace || leftChestOnly))
        return QStringLiteral("16");
    return QStringLiteral("17");
}

void TScriningCard::ComputeAutoDiagnoses(const QDate& birthDate)
{
    m_AutoDiagnoses.Clear();
    const auto add = [this](const QString& code) {
        // An empty code is no code: TCodeList::Add would take it as "empty the list".
        if (!code.isEmpty())
            m_AutoDiagnoses.Add(code);
    };
    add(WeightCode(IndexKetle()));
    add(WaistCode(m_SizeTalia, m_SizeBedra, birthDate));
    add(ComplaintsCode());

    const bool pasternak = m_PasternakLeft || m_PasternakRight;
    if (m_UrChasto && m_UrRezi && m_UrNight && m_UrColorIzm)
        add(QStringLiteral("7"));
    else if (m_UrChasto || m_UrRezi || m_UrNight || m_UrColorIzm || pasternak)
        add(QStringLiteral("8"));
    // A positive Pasternatsky sign points at the kidneys even when all four urination
    // complaints already gave code 7.
    if (pasternak)
        add(QStringLiteral("8"));

    add(PressureCode(ADSredHi(), ADSredLow(), m_Preparat));
    add(RoseCode());
    if (m_MokrotaORVI && m_MokrotaLet >= 3)
        add(QStringLiteral("18"));
    Changed();
}
