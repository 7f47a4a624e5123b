#include "ui/Widget_DateDelegate.h"
#include <QDateTime>

QString TDateDelegate::displayText(const QVariant& value, const QLocale& locale) const
{
    const QString text = value.toString();
    if (m_withTime) {
        const QDateTime dt = QDateTime::fromString(text.left(19), "yyyy-MM-dd hh:mm:ss");
        if (dt.isValid())
            return QLocale().toString(dt.date(), QLocale::ShortFormat) + dt.toString(" hh:mm:ss");
    }
    const QDate d = QDate::fromString(text.left(10), "yyyy-MM-dd");
    if (d.isValid())
        return QLocale().toString(d, QLocale::ShortFormat);
    return QStyledItemDelegate::displayText(value, locale);
}
