#include "app/Unit_AIS_VELTA_UTILS.h"
#include "app/Unit_Exceptions.h"
#include <QLocale>
#include <cmath>

namespace {
const char* const kOnlyDigits = "Вводите только цифры!";
const char* const kLessThan = "Значение не может быть меньше чем %1";
const char* const kGreaterThan = "Значение не может быть больше чем %1";
}

int GetIntValue(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok)
        throw AppException(QString::fromUtf8(kOnlyDigits));
    return v;
}

double GetFloatValue(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0.0;
    // Digits, at most one decimal separator of the locale and a leading sign: the locale's
    // own reader would also take group separators ("1 234,5"), exponents and "nan" or "inf",
    // and a NaN passes every range check.
    const QChar separator = QLocale().decimalPoint().front();
    QString plain;
    int digits = 0, separators = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            ++digits;
            plain += c;
        } else if (c == separator && ++separators == 1) {
            plain += u'.';
        } else if ((c == u'-' || c == u'+') && i == 0) {
            plain += c;
        } else {
            throw AppException(QString::fromUtf8(kOnlyDigits));
        }
    }
    bool ok = false;
    const double v = plain.toDouble(&ok);
    if (!ok || digits == 0 || !std::isfinite(v))
        throw AppException(QString::fromUtf8(kOnlyDigits));
    return v;
}

QString FormatFloatForMessage(double value)
{
    QLocale loc;
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    return loc.toString(value, 'f', 2);
}

QString FormatDateForMessage(const QDate& date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

void CheckIntMin(int value, int min)
{
    if (value != 0 && value < min)
        throw AppException(QString::fromUtf8(kLessThan).arg(min));
}

void CheckIntMax(int value, int max)
{
    if (value != 0 && value > max)
        throw AppException(QString::fromUtf8(kGreaterThan).arg(max));
}

void CheckIntRange(int value, int min, int max)
{
    if (value == 0)
        return;
    CheckIntMin(value, min);
    CheckIntMax(value, max);
}

void CheckFloatMin(double value, double min)
{
    if (value != 0.0 && value < min)
        throw AppException(QString::fromUtf8(kLessThan).arg(FormatFloatForMessage(min)));
}

void CheckFloatMax(double value, double max)
{
    if (value != 0.0 && value > max)
        throw AppException(QString::fromUtf8(kGreaterThan).arg(FormatFloatForMessage(max)));
}

void CheckFloatRange(double value, double min, double max)
{
    if (value == 0.0)
        return;
    CheckFloatMin(value, min);
    CheckFloatMax(value, max);
}

void CheckDateMax(const QDate& date, const QDate& maxDate)
{
    // A zero (unset) date is tested too: it is never greater than a real bound.
    if (date.isValid() && maxDate.isValid() && date > maxDate)
        throw AppException(QString::fromUtf8(kGreaterThan).arg(FormatDateForMessage(maxDate)));
}
