#include "app/Unit_Clock.h"

namespace { QDateTime g_fixed; }

QDateTime TClock::Now()
{
    if (g_fixed.isValid())
        return g_fixed;
    QDateTime now = QDateTime::currentDateTime();
    // Row stamps are stored to the second.
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    return now;
}

void TClock::SetFixed(const QDateTime& moment) { g_fixed = moment; }

QDateTime TClock::Fixed() { return g_fixed; }
