#include "BenchRegister.h"
#include "data/Unit_DataModule.h"
#include "data/Unit_Database.h"
#include "data/Unit_Schema.h"
#include <QSqlQuery>

int TBenchRegister::Patients()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("VELTA_BENCH_PATIENTS", &ok);
    return ok && n > 0 ? n : 100000;
}

TBenchRegister::TBenchRegister()
{
    const QString main = dir.path() + "/main/";
    TSchema::CreateWorkstationDatabase(main);
    {
        TScopedConnection c("bench_fill", main + "velta.db");
        QSqlDatabase& db = c.Db();
        TDatabase::Transaction(db);
        QSqlQuery q(db);
        TDatabase::Exec(q, "insert into Region(RegGID, RegName) values(1, 'РАЙОН')");
        TDatabase::Exec(q, "insert into City(CityLID, CityName, RegGID) values(1, 'ГОРОД', 1)");
        TDatabase::Exec(q, "insert into Street(StrLID, StrName, CityLID) values(1, 'УЛИЦА', 1)");
        TDatabase::Exec(q, "insert into Hospital(HspGID, MU) values(1, 'ПОЛИКЛИНИКА')");
        TDatabase::Exec(q, "insert into RegistrationArea(AreaLID, AreaCode, HspGID) values(1, '1', 1)");
        TDatabase::Exec(q, "insert into Post(PosLID, PosName) values(1, 'ПЕНСИОНЕР')");
        QSqlQuery a(db), p(db), d(db);
        TDatabase::Prepare(a, "insert into Address(AdrLID, AdrHousNum, CityLID, StrLID) values(:id, '1', 1, 1)");
        TDatabase::Prepare(p, "insert into Person(PrnLID, PrnSurName, PrnName, PrnOtch, AdrLID, AreaLID, PosLID) "
                              "values(:id, :sn, 'ИВАН', 'ИВАНОВИЧ', :id, 1, 1)");
        TDatabase::Prepare(d, "insert into Document(DocLID, DocDate, DtpGID, PrnLID, LastUpdate) "
                              "values(:doc, '2026-01-01', :kind, :id, '2026-01-01 10:00:00')");
        const QString letters = QString::fromUtf8("АБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЭЮЯ");
        const int patients = Patients();
        const qint64 base = letters.size();
        for (int i = 1; i <= patients; ++i) {
            a.bindValue(":id", i);
            TDatabase::Exec(a);
            QString sn;
            // 64-bit: i * 7919 leaves an int past 271,000 patients.
            qint64 v = qint64(i) * 7919;
            for (int k = 0; k < 8; ++k, v /= base)
                sn += letters[qsizetype(v % base)];
            p.bindValue(":id", i);
            p.bindValue(":sn", sn);
            TDatabase::Exec(p);
            d.bindValue(":doc", 2 * i);
            d.bindValue(":kind", 1);
            d.bindValue(":id", i);
            TDatabase::Exec(d);
            d.bindValue(":doc", 2 * i + 1);
            d.bindValue(":kind", 2);
            TDatabase::Exec(d);
        }
        TDatabase::Commit(db);
    }
    info = std::make_unique<TAppInfo>(dir.path() + "/velta.ini");
    info->SetMainDBPath(main);
    info->LoggedIn = true;
    TDM warm(*info); // makes the name indexes once
}

TBenchRegister& BenchRegister()
{
    static TBenchRegister r;
    return r;
}

