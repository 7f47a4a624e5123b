#include "access/Unit_Security.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_Database.h"
#include <QSqlQuery>
#include <QStringEncoder>

namespace {
QString DatabaseFile(const QString& given)
{
    if (!given.isEmpty())
        return given;
    if (!AppInfo())
        throw EDatabaseError("Не задано расположение базы данных рабочего места");
    return AppInfo()->MainDatabaseFile();
}
}

quint32 PasswordHash(const QByteArray& bytes)
{
    quint32 h = 0;
    for (qsizetype i = bytes.size() - 1; i >= 0; --i)
        h = h * 33u + quint8(bytes[i]);
    return h;
}

QString PasswordHashText(const QString& password)
{
    QStringEncoder cp1251("windows-1251");
    const QByteArray bytes = cp1251.isValid() ? QByteArray(cp1251(password)) : password.toLatin1();
    return QString::number(PasswordHash(bytes));
}

bool Authenticate(const QString& userName, const QString& password, TOperatorIdentity& identity,
                  const QString& databaseFile)
{
    try {
        TScopedConnection c("velta_security", DatabaseFile(databaseFile));
        QSqlQuery q(c.Db());
        // The name must match exactly, letter case included: compare in binary.
        TDatabase::Prepare(q, "select o.UserGID, o.WstGID, o.UserHash, o.UserLevel, w.HspGID "
                              "from Operator o left join Workstation w on w.WstGID = o.WstGID "
                              "where o.UserName = :UserName collate binary order by o.rowid limit 1");
        q.bindValue(":UserName", userName);
        TDatabase::Exec(q);
        if (!q.next())
            return false;
        if (q.value(2).toString() != PasswordHashText(password))
            return false;
        TOperatorIdentity found;
        found.UserGID = q.value(0).toInt();
        found.WstGID = q.value(1).toInt();
        found.UserLevel = q.value(3).toInt();
        if (q.value(4).isNull()) {
            QSqlQuery h(c.Db());
            TDatabase::Exec(h, "select HspGID from Hospital order by rowid limit 1");
            found.HspGID = h.next() ? h.value(0).toInt() : 0;
        } else {
            found.HspGID = q.value(4).toInt();
        }
        identity = found;
        return true;
    } catch (const std::exception& e) {
        ShowExceptionMessage(e);
        return false;
    }
}

bool ChangePassword(int userGID, const QString& newPassword, const QString& databaseFile)
{
    try {
        TScopedConnection c("velta_security", DatabaseFile(databaseFile));
        QSqlQuery q(c.Db());
        TDatabase::Prepare(q, "update Operator set UserHash = :UserHash where UserGID = :UserGID");
        q.bindValue(":UserHash", PasswordHashText(newPassword));
        q.bindValue(":UserGID", userGID);
        TDatabase::Exec(q);
        return q.numRowsAffected() > 0;
    } catch (const std::exception& e) {
        ShowExceptionMessage(e);
        return false;
    }
}
