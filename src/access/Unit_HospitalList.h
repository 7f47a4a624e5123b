#pragma once
// The polyclinics an operator can log in for: the Hospital table of the workstation
// database, in table order (by HspGID).
#include <QList>
#include <QString>

struct THospitalItem {
    int HspGID = 0;
    QString MU;
};

// The workstation database file is taken from the settings object unless given.
// Throws EDatabaseError.
QList<THospitalItem> ReadHospitalList(const QString& databaseFile = QString());
