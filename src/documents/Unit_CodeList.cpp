#include "documents/Unit_CodeList.h"
#include <QStringList>

namespace {
QString Delimited(const QString& code) { return QLatin1Char(',') + code + QLatin1Char(','); }
}

bool TCodeList::Contains(const QString& code) const
{
    return !code.isEmpty() && m_text.contains(Delimited(code));
}

void TCodeList::Add(const QString& code)
{
    if (code.isEmpty()) {
        Clear();
        return;
    }
    if (!Contains(code))
        m_text += code + QLatin1Char(',');
}

void TCodeList::Remove(const QString& code)
{
    if (!Contains(code))
        return;
    // Rebuilt element by element: a text replace of "c," would also cut the tail of a longer
    // code ("11," holds "1,").
    QString rebuilt = QString::fromLatin1(EmptyText);
    for (const QString& element : m_text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (element != code)
            rebuilt += element + QLatin1Char(',');
    }
    m_text = rebuilt;
}
