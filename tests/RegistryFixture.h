#pragma once
// Registry fixtures: the polyclinic's five dBase files written in code page 866, as small
// tables given row by row, or a generated registry of many patients.
#include "data/Unit_Database.h"
#include "data/Unit_DbfWriter.h"
#include <QDate>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace RegistryFixture {

using F = TDbfWriter::Field;
constexpr auto C = TDbfWriter::Character;
constexpr auto N = TDbfWriter::Numeric;
constexpr auto D = TDbfWriter::Date;

inline QString U(const char* s) { return QString::fromUtf8(s); }

inline void Write(const QString& path, std::vector<F> fields, const QList<QVariantList>& rows)
{
    TDbfWriter w(path, std::move(fields));
    for (const QVariantList& r : rows)
        w.Append(r);
    w.Close();
}

// KOD_TOWN, TOWN, KOD_SOATO, KOD_STATE
inline void WriteTowns(const QString& folder, const QList<QVariantList>& rows)
{
    Write(folder + "S_TOWN.DBF", {F{"KOD_TOWN", C, 10}, F{"TOWN", C, 50}, F{"KOD_SOATO", C, 10}, F{"KOD_STATE", C, 10}}, rows);
}
// KOD_STREET, KOD_TOWN, KOD_STATE, STREET
inline void WriteStreets(const QString& folder, const QList<QVariantList>& rows)
{
    Write(folder + "S_STREET.DBF", {F{"KOD_STREET", C, 10}, F{"KOD_TOWN", C, 10}, F{"KOD_STATE", C, 10}, F{"STREET", C, 50}}, rows);
}
// KOD_PROF, NAM_PROF
inline void WriteProfs(const QString& folder, const QList<QVariantList>& rows)
{
    Write(folder + "S_PROF.DBF", {F{"KOD_PROF", C, 10}, F{"NAM_PROF", C, 100}}, rows);
}
// _PASPOR, FAM, NAM, OTH, DAY, POL, TEL, KOD, KOD_TOWN, KOD_STREET, KOD_STATE, HOME, KW, NU[, KOD_PROF]
inline std::vector<F> PasporFields(bool newRegistry)
{
    std::vector<F> f{F{"_PASPOR", C, 10}, F{"FAM", C, 20},     F{"NAM", C, 10},        F{"OTH", C, 20},
                     F{"DAY", D, 8},      F{"POL", C, 1},      F{"TEL", C, 17},        F{"KOD", C, 10},
                     F{"KOD_TOWN", C, 10}, F{"KOD_STREET", C, 10}, F{"KOD_STATE", C, 10}, F{"HOME", C, 10},
                     F{"KW", N, 6, 1},    F{"NU", N, 4}};
    if (newRegistry)
        f.push_back(F{"KOD_PROF", C, 10});
    return f;
}
inline void WritePaspor(const QString& folder, const QList<QVariantList>& rows, bool newRegistry = true)
{
    Write(folder + "PASPOR.DBF", PasporFields(newRegistry), rows);
}
// KOD, DAY, DAY_END[, KOD_PROF]
inline void WriteArhWork(const QString& folder, const QList<QVariantList>& rows, bool withProf = true)
{
    std::vector<F> f{F{"KOD", C, 10}, F{"DAY", D, 8}, F{"DAY_END", D, 8}};
    if (withProf)
        f.push_back(F{"KOD_PROF", C, 10});
    Write(folder + "ARH_WORK.DBF", f, rows);
}

// Overwrites bytes of one record (0-based) at a field's offset inside the record.
inline void PatchRecord(const QString& path, int record, int offsetInRecord, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::ReadWrite);
    const QByteArray head = f.read(12);
    const int headerLength = quint8(head[8]) | quint8(head[9]) << 8;
    const int recordLength = quint8(head[10]) | quint8(head[11]) << 8;
    f.seek(headerLength + qint64(record) * recordLength + offsetInRecord);
    f.write(bytes);
}

// The counters the import draws its identifiers from.
inline void SeedCounters(QSqlDatabase db, int start = 0)
{
    QSqlQuery q(db);
    for (const char* t : {"Address", "Person", "City", "Street", "Post", "RegistrationArea"})
        TDatabase::Exec(q, QString("insert into SysTable values('%1', %2)").arg(t).arg(start));
}

// A registry of many patients over towns, streets and occupations (a new registry, with an
// employment history as well), for runs that must take a while.
inline void Generate(const QString& folder, int patients, int towns = 20, int streetsPerTown = 50, int profs = 40)
{
    QList<QVariantList> t, s, p;
    for (int i = 1; i <= towns; ++i) {
        t.append({QString("%1").arg(4010000 + i), U("ГОРОД ") + QString::number(i), QString::number(i), "1"});
        for (int j = 1; j <= streetsPerTown; ++j)
            s.append({QString::number(i * 1000 + j), QString("%1").arg(4010000 + i), "1", U("УЛИЦА ") + QString::number(j)});
    }
    for (int i = 1; i <= profs; ++i)
        p.append({QString::number(i), U("ПРОФЕССИЯ ") + QString::number(i)});
    WriteTowns(folder, t);
    WriteStreets(folder, s);
    WriteProfs(folder, p);
    TDbfWriter paspor(folder + "PASPOR.DBF", PasporFields(true));
    TDbfWriter work(folder + "ARH_WORK.DBF", {F{"KOD", C, 10}, F{"DAY", D, 8}, F{"DAY_END", D, 8}, F{"KOD_PROF", C, 10}});
    const char* surnames[] = {"иванов", "Петров", "СИДОРОВ", "кузнецов", "Смирнов", "Попов", "Лебедев", "Козлов"};
    for (int n = 1; n <= patients; ++n) {
        const int town = 1 + n % towns, street = 1 + (n / towns) % streetsPerTown;
        const QString prof = QString::number(1 + n % profs);
        paspor.Append({QString::number(100000 + n), U(surnames[n % 8]) + QString::number(n % 97), U(" мария "),
                       U("ивановна"), QDate(1940, 1, 1).addDays(n % 20000), n % 2 ? U("м") : U("Ж"), QString::number(n),
                       QString::number(500000 + n), QString("%1").arg(4010000 + town), QString::number(town * 1000 + street),
                       "1", QString::number(1 + n % 90), double(1 + n % 150), 1 + n % 12, prof});
        work.Append({QString::number(500000 + n), QDate(2000, 1, 1), QVariant(), prof});
    }
    paspor.Close();
    work.Close();
}

} // namespace RegistryFixture
