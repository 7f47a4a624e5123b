#pragma once
// Operators: the password hash, authentication and password change against the Operator
// table of the workstation database. Each operation opens its own connection and closes it
// before it returns; nothing is kept between calls.
#include <QByteArray>
#include <QString>

// h = h * 33 + byte over the bytes from last to first, modulo 2^32; empty text gives 0.
quint32 PasswordHash(const QByteArray& bytes);
// The stored form: the decimal text of the hash of the Windows-1251 bytes of the text.
QString PasswordHashText(const QString& password);

struct TOperatorIdentity {
    int UserGID = 0;
    int WstGID = 0;
    int HspGID = 0;
    int UserLevel = 0;
};

// The workstation database file is taken from the settings object unless given.
// Errors are shown with ShowExceptionMessage and count as a refusal.
bool Authenticate(const QString& userName, const QString& password, TOperatorIdentity& identity,
                  const QString& databaseFile = QString());
bool ChangePassword(int userGID, const QString& newPassword, const QString& databaseFile = QString());
