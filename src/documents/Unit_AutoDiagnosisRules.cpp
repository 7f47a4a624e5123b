#include "documents/Unit_AutoDiagnosisRules.h"
#include "app/Unit_Clock.h"
#include <cstdlib>

QString WeightCode(double indexKetle)
{
    if (indexKetle >= 29)
        return QStringLiteral("1");
    if (indexKetle >= 25)
        return QStringLiteral("2");
    if (indexKetle > 0 && indexKetle < 20)
        return QStringLiteral("3");
    return QString();
}

QString WaistCode(double waist, double hips, const QDate& birthDate)
{
    // An unknown birth date gives no age: neither band may be guessed for it.
    if (waist <= 0 || hips <= 0 || !birthDate.isValid())
        return QString();
    const int age = std::abs(TClock::Today().year() - birthDate.year());
    const double ratio = waist / hips;
    const bool young = age < 40 && (waist > 100 || ratio > 1.0);
    const bool older = age > 40 && (waist > 90 || ratio > 0.9);
    return young || older ? QStringLiteral("4") : QString();
}

QString PressureCode(int systolic, int diastolic, bool takesMedicines)
{
    if (systolic >= 140 || diastolic >= 90 || takesMedicines)
        return QStringLiteral("9");
    if (systolic > 130 && systolic < 140 && diastolic > 83 && diastolic < 90)
        return QStringLiteral("10");
    return QString();
}
