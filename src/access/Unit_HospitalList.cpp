#include "access/Unit_HospitalList.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_Database.h"
#include <QSqlQuery>

QList<THospitalItem> ReadHospitalList(const QString& databaseFile)
{
    QString file = databaseFile;
    if (file.isEmpty()) {
        if (!AppInfo())
            throw EDatabaseError("Не задано расположение базы данных рабочего места");
        file = AppInfo()->MainDatabaseFile();
    }
    TScopedConnection c("velta_hospital_list", file, TDatabase::ReadOnly);
    QSqlQuery q(c.Db());
    TDatabase::Prepare(q, "select HspGID, MU from Hospital order by HspGID");
    TDatabase::Exec(q);
    QList<THospitalItem> list;
    while (q.next())
        list.append({q.value(0).toInt(), q.value(1).toString()});
    return list;
}
