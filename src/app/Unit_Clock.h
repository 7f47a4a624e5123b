#pragma once
// The one source of the current date and time. Tests fix it; the program reads the system clock.
#include <QDateTime>

class TClock {
public:
    static QDateTime Now();
    static QDate Today() { return Now().date(); }
    static void SetFixed(const QDateTime& moment); // an invalid moment returns to the system clock
    static void Reset() { SetFixed(QDateTime()); }
    // The fixed moment, invalid while the system clock runs.
    static QDateTime Fixed();
};
