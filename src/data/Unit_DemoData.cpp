#include "data/Unit_DemoData.h"
#include "access/Unit_Security.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_DataModule.h"
#include "data/Unit_Database.h"
#include "data/Unit_DemoDocuments.h"
#include "data/Unit_DbfWriter.h"
#include "data/Unit_Schema.h"
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlQuery>

namespace {

const char* const kDiagnoses[] = {
    "Ожирение (индекс Кетле 29 и более)",
    "Избыточная масса тела",
    "Дефицит массы тела",
    "Абдоминальное ожирение",
    "Выраженные церебральные жалобы",
    "Церебральные жалобы",
    "Выраженные нарушения мочеиспускания",
    "Признаки заболевания почек и мочевыводящих путей",
    "Артериальная гипертензия",
    "Высокое нормальное артериальное давление",
    "Недостаточность мозгового кровообращения",
    "Хронический пиелонефрит",
    "ИБС. Постинфарктный кардиосклероз (рубцовые изменения ЭКГ)",
    "ИБС. Безболевая ишемия миокарда (в том числе и возможная)",
    "ИБС. Стенокардия",
    "ИБС. Возможная стенокардия",
    "Стенокардия не выявлена",
    "Хронический бронхит",
};

struct Medicine { const char* name; double dose; double perDay; };
const Medicine kMedicines[] = {
    {"ЭНАЛАПРИЛ", 10, 2},     {"ЛИЗИНОПРИЛ", 10, 1},  {"ПЕРИНДОПРИЛ", 4, 1},    {"КАПТОПРИЛ", 25, 3},
    {"ЛОЗАРТАН", 50, 1},      {"ВАЛСАРТАН", 80, 1},   {"АМЛОДИПИН", 5, 1},      {"НИФЕДИПИН", 20, 2},
    {"ВЕРАПАМИЛ", 80, 3},     {"БИСОПРОЛОЛ", 5, 1},   {"МЕТОПРОЛОЛ", 50, 2},    {"АТЕНОЛОЛ", 50, 1},
    {"ИНДАПАМИД", 2.5, 1},    {"ГИДРОХЛОРТИАЗИД", 25, 1}, {"МОКСОНИДИН", 0.4, 1}, {"КЛОНИДИН", 0.15, 2},
};

const char* const kMaleSurnames[] = {"ИВАНОВ", "ПЕТРОВ", "СИДОРОВ", "КОВАЛЕВ", "НОВИКОВ", "МОРОЗОВ", "ВОЛКОВ",
                                     "СОКОЛОВ", "ЛЕБЕДЕВ", "КОЗЛОВ", "ЗАЙЦЕВ", "ПАВЛОВ", "СЕМЕНОВ", "ГОЛУБЕВ",
                                     "ВИНОГРАДОВ", "БОГДАНОВ", "ВОРОБЬЕВ", "ФЕДОРОВ", "МИХАЙЛОВ", "БЕЛЯЕВ",
                                     "ТАРАСОВ", "БЕЛОВ", "КОМАРОВ", "ОРЛОВ", "КИСЕЛЕВ", "МАКАРОВ", "АНДРЕЕВ",
                                     "ЯКОВЛЕВ", "ГРИГОРЬЕВ", "РОМАНОВ", "ЖУКОВ", "ЕГОРОВ"};
const char* const kMaleNames[] = {"АЛЕКСАНДР", "СЕРГЕЙ", "ВЛАДИМИР", "НИКОЛАЙ", "ИВАН", "ПЕТР", "МИХАИЛ",
                                  "АНДРЕЙ", "ВИКТОР", "ЮРИЙ", "АНАТОЛИЙ", "ДМИТРИЙ", "ВАСИЛИЙ", "ОЛЕГ"};
const char* const kFemaleNames[] = {"ЕЛЕНА", "ОЛЬГА", "ТАТЬЯНА", "НАТАЛЬЯ", "ИРИНА", "СВЕТЛАНА", "ГАЛИНА",
                                    "ЛЮДМИЛА", "ВАЛЕНТИНА", "НИНА", "АННА", "МАРИЯ", "ЛАРИСА", "ЗОЯ"};
const char* const kFathers[] = {"АЛЕКСАНДРОВИЧ", "СЕРГЕЕВИЧ", "ВЛАДИМИРОВИЧ", "НИКОЛАЕВИЧ", "ИВАНОВИЧ",
                                "ПЕТРОВИЧ", "МИХАЙЛОВИЧ", "АНДРЕЕВИЧ", "ВИКТОРОВИЧ", "ЮРЬЕВИЧ", "ВАСИЛЬЕВИЧ"};

struct Region { int id; const char* name; const char* okato; };
const Region kRegions[] = {
    {1, "ЛЕНИНСКИЙ РАЙОН", "45263583000"},
    {2, "ОКТЯБРЬСКИЙ РАЙОН", "45268592000"},
    {3, "ЗАВОДСКОЙ РАЙОН", "45263564000"},
};
struct City { int id; const char* name; const char* code; const char* soato; int region; };
const City kCities[] = {
    {1, "ГОРОДСК", "001", "4010000000", 1},
    {2, "ЗАРЕЧЬЕ", "002", "4010500000", 2},
    {3, "СОСНОВКА", "003", "4011000000", 3},
};
const char* const kStreets[] = {"УЛ. ЛЕНИНА", "УЛ. СОВЕТСКАЯ", "УЛ. ГАГАРИНА", "ПР. МИРА", "УЛ. ПУШКИНА",
                                "УЛ. САДОВАЯ", "УЛ. ШКОЛЬНАЯ", "УЛ. МОЛОДЕЖНАЯ", "ПЕР. ЗЕЛЕНЫЙ", "УЛ. ЛЕСНАЯ"};
const char* const kPosts[] = {"ПЕНСИОНЕР", "РАБОЧИЙ", "ИНЖЕНЕР", "УЧИТЕЛЬ", "ВРАЧ", "ВОДИТЕЛЬ", "ПРОДАВЕЦ",
                              "БУХГАЛТЕР", "СЛУЖАЩИЙ", "СТУДЕНТ", "НЕ РАБОТАЕТ", "ПРЕДПРИНИМАТЕЛЬ"};

template <class T, size_t N> constexpr int Count(const T (&)[N]) { return int(N); }

class TWriter {
public:
    explicit TWriter(QSqlDatabase& db) : m_db(db) {}
    // Inserts one row with its columns named; values are fitted to the column layout.
    void Insert(const char* table, const QStringList& columns, const QVariantList& values)
    {
        QStringList params;
        for (const QString& c : columns)
            params << ":" + c;
        QSqlQuery q(m_db);
        TDatabase::Prepare(q, QString("insert into %1(%2) values(%3)")
                                  .arg(QLatin1String(table), columns.join(", "), params.join(", ")));
        for (int i = 0; i < columns.size(); ++i)
            q.bindValue(params[i], TSchema::ToStored(QLatin1String(table), columns[i], values[i]));
        TDatabase::Exec(q);
    }
    void Stamped(const char* table, QStringList columns, QVariantList values, const QDateTime& when)
    {
        columns << "CrDate" << "LastUpdate" << "WstGID" << "UserGID";
        values << when << when << 1 << 2;
        Insert(table, columns, values);
    }
private:
    QSqlDatabase& m_db;
};

void WriteReferenceBooks(TWriter& w, const QDateTime& now)
{
    w.Insert("Hosptype", {"HtpGID", "HtpName"}, {1, "ГОРОДСКАЯ ПОЛИКЛИНИКА"});
    w.Insert("Hospital", {"HspGID", "MU", "HtpGID"}, {1, "ГОРОДСКАЯ ПОЛИКЛИНИКА №1", 1});
    w.Insert("Hospital", {"HspGID", "MU", "HtpGID"}, {2, "ГОРОДСКАЯ ПОЛИКЛИНИКА №2", 1});
    w.Insert("Brigade", {"BrgGID", "BrgName"}, {1, "БРИГАДА СКРИНИНГА №1"});
    w.Insert("Brighsp", {"BrgGID", "HspGID"}, {1, 1});
    w.Insert("Workstation", {"WstGID", "WstName", "HspGID", "BrgGID"}, {1, "РАБОЧЕЕ МЕСТО КАБИНЕТА №12", 1, 1});
    w.Insert("Doctype", {"DtpGID", "DtpName"}, {1, "ЛИСТ ПЕРВИЧНОГО ОБСЛЕДОВАНИЯ"});
    w.Insert("Doctype", {"DtpGID", "DtpName"}, {2, "КАРТА СКРИНИНГА"});
    w.Insert("Operator", {"WstGID", "UserGID", "UserName", "UserHash", "UserLevel", "CrDate", "LastUpdate"},
             {1, 1, kDemoAdminName, PasswordHashText(kDemoAdminPassword), 1, now, now});
    w.Insert("Operator", {"WstGID", "UserGID", "UserName", "UserHash", "UserLevel", "CrDate", "LastUpdate"},
             {1, 2, kDemoNurseName, PasswordHashText(kDemoNursePassword), 0, now, now});
    for (int i = 0; i < Count(kDiagnoses); ++i)
        w.Insert("Diagnosis", {"DiagGID", "DiagName"}, {i + 1, QString::fromUtf8(kDiagnoses[i])});
    w.Insert("Medprepgroup", {"MpgGID", "MpgName"}, {1, "АНТИГИПЕРТЕНЗИВНЫЕ СРЕДСТВА"});
    for (int i = 0; i < Count(kMedicines); ++i)
        w.Insert("MedPreparat", {"MprGID", "MprName1", "MprDose", "MprDoseDay", "MpgGID"},
                 {i + 1, QString::fromUtf8(kMedicines[i].name), kMedicines[i].dose, kMedicines[i].perDay, 1});
    for (const Region& r : kRegions)
        w.Insert("Region", {"RegGID", "RegName", "RegOkato"}, {r.id, QString::fromUtf8(r.name), r.okato});
    for (const City& c : kCities)
        w.Stamped("City", {"CityLID", "CityName", "CityLocCod", "CitySoato", "CityOkato", "RegGID"},
                  {c.id, QString::fromUtf8(c.name), c.code, c.soato, kRegions[c.region - 1].okato, c.region}, now);
    int street = 0;
    for (const City& c : kCities)
        for (int s = 0; s < Count(kStreets); ++s, ++street)
            w.Stamped("Street", {"StrLID", "StrName", "StrLocCod", "CityLID"},
                      {street + 1, QString::fromUtf8(kStreets[s]), QString::number(100 + street), c.id}, now);
    for (int i = 0; i < Count(kPosts); ++i)
        w.Stamped("Post", {"PosLID", "PosName", "PosLocCod"}, {i + 1, QString::fromUtf8(kPosts[i]), QString::number(i + 1)}, now);
    for (int i = 1; i <= 12; ++i)
        w.Stamped("RegistrationArea", {"AreaLID", "AreaCode", "HspGID"}, {i, QString::number(i), 1}, now);
}

// The polyclinic's own registry: every patient of the register (their keys are the register's
// paspor and kod), and some the register has not taken over yet.
void WriteDemoRegistry(QSqlDatabase& db, const QString& folder, QRandomGenerator& rnd, int extra)
{
    using F = TDbfWriter::Field;
    const auto C = TDbfWriter::Character;
    const auto N = TDbfWriter::Numeric;
    const auto D = TDbfWriter::Date;
    {
        TDbfWriter towns(folder + "S_TOWN.DBF", {F{"KOD_TOWN", C, 10}, F{"TOWN", C, 50}, F{"KOD_SOATO", C, 10}, F{"KOD_STATE", C, 10}});
        for (const City& c : kCities)
            towns.Append({c.code, QString::fromUtf8(c.name), c.soato, "1"});
        towns.Close();
        TDbfWriter streets(folder + "S_STREET.DBF", {F{"KOD_STREET", C, 10}, F{"KOD_TOWN", C, 10}, F{"KOD_STATE", C, 10}, F{"STREET", C, 50}});
        QSqlQuery q(db);
        TDatabase::Exec(q, "select s.StrLocCod, c.CityLocCod, s.StrName from Street s join City c on c.CityLID = s.CityLID order by s.StrLID");
        while (q.next())
            streets.Append({q.value(0), q.value(1), "1", q.value(2)});
        streets.Close();
        TDbfWriter profs(folder + "S_PROF.DBF", {F{"KOD_PROF", C, 10}, F{"NAM_PROF", C, 100}});
        for (int i = 0; i < Count(kPosts); ++i)
            profs.Append({QString::number(i + 1), QString::fromUtf8(kPosts[i])});
        profs.Close();
    }
    TDbfWriter paspor(folder + "PASPOR.DBF",
                      {F{"_PASPOR", C, 10}, F{"FAM", C, 20}, F{"NAM", C, 10}, F{"OTH", C, 20}, F{"DAY", D, 8}, F{"POL", C, 1},
                       F{"TEL", C, 17}, F{"KOD", C, 10}, F{"KOD_TOWN", C, 10}, F{"KOD_STREET", C, 10}, F{"KOD_STATE", C, 10},
                       F{"HOME", C, 10}, F{"KW", N, 6, 1}, F{"NU", N, 4}, F{"KOD_PROF", C, 10}});
    TDbfWriter work(folder + "ARH_WORK.DBF", {F{"KOD", C, 10}, F{"DAY", D, 8}, F{"DAY_END", D, 8}, F{"KOD_PROF", C, 10}});
    QSqlQuery q(db);
    TDatabase::Exec(q, "select p.paspor, p.PrnSurName, p.PrnName, p.PrnOtch, p.PrnDate, p.PrnSex, p.PrnPhone, p.kod, "
                       "c.CityLocCod, s.StrLocCod, a.AdrHousNum, a.AdrRoomNum, r.AreaCode, t.PosLocCod "
                       "from Person p left join Address a on a.AdrLID = p.AdrLID left join City c on c.CityLID = a.CityLID "
                       "left join Street s on s.StrLID = a.StrLID left join RegistrationArea r on r.AreaLID = p.AreaLID "
                       "left join Post t on t.PosLID = p.PosLID order by p.PrnLID");
    int last = 0;
    const QString male = QString::fromUtf8("м"), female = QString::fromUtf8("ж");
    while (q.next()) {
        paspor.Append({q.value(0), q.value(1), q.value(2), q.value(3), QDate::fromString(q.value(4).toString(), "yyyy-MM-dd"),
                       q.value(5).toInt() == 1 ? male : female, q.value(6), q.value(7), q.value(8), q.value(9), "1",
                       q.value(10), q.value(11).isNull() ? QVariant() : QVariant(q.value(11).toDouble()), q.value(12).toInt(),
                       q.value(13)});
        work.Append({q.value(7), QDate(2000, 1, 1), QVariant(), q.value(13)});
        ++last;
    }
    const int streetCount = Count(kCities) * Count(kStreets);
    for (int i = 1; i <= extra; ++i) {
        const int n = last + i;
        const bool isMale = rnd.bounded(2) == 1;
        QString surname = QString::fromUtf8(kMaleSurnames[rnd.bounded(Count(kMaleSurnames))]);
        if (!isMale)
            surname += QString::fromUtf8("А");
        const int street = rnd.bounded(streetCount);
        const QString prof = QString::number(1 + rnd.bounded(Count(kPosts)));
        paspor.Append({QString::number(100000 + n), surname,
                       QString::fromUtf8(isMale ? kMaleNames[rnd.bounded(Count(kMaleNames))] : kFemaleNames[rnd.bounded(Count(kFemaleNames))]),
                       QString::fromUtf8(isMale ? "ПЕТРОВИЧ" : "ПЕТРОВНА"), QDate(1940, 1, 1).addDays(rnd.bounded(365 * 60)),
                       isMale ? male : female, QString(), QString::number(500000 + n), kCities[street / Count(kStreets)].code,
                       QString::number(100 + street), "1", QString::number(1 + rnd.bounded(90)), QVariant(double(1 + rnd.bounded(150))),
                       1 + rnd.bounded(12), prof});
        work.Append({QString::number(500000 + n), QDate(2000, 1, 1), QVariant(), prof});
    }
    paspor.Close();
    work.Close();
}

// Occupations fit the age: students are young, pensioners are of pension age (55 for women,
// 60 for men; some work on until 70), everybody else works or does not.
int PostForAge(QRandomGenerator& rnd, int age, bool male)
{
    const int student = 10, pensioner = 1;
    if (age < 23)
        return rnd.bounded(3) ? student : 2; // some young workers
    if (age >= 70 || (age >= (male ? 60 : 55) && rnd.bounded(5) != 0))
        return pensioner;
    const int working[] = {2, 3, 4, 5, 6, 7, 8, 9, 11, 12};
    return working[rnd.bounded(Count(working))];
}

} // namespace

TDemoResult CreateDemoPolyclinic(const QString& folder, const QString& executable, int patients)
{
    const QString root = QDir(folder).absolutePath() + "/";
    TSchema::CreateWorkstationDatabase(root + "main");
    for (const char* sub : {"poly", "import", "export"})
        QDir().mkpath(root + sub);

    // The program's settings: the aliases and the exchange folders of this demo.
    TAppInfo info(TFileLocations::For(executable));
    info.CheckAliases();
    info.SetMainDBPath(root + "main/");
    info.SetPolyDBPath(root + "poly/");
    info.SetImportDBPath(root + "import/");
    info.SetExportDBPath(root + "export/");
    info.SaveLocations();

    QRandomGenerator rnd(20050221);
    const QDateTime now = TClock::Now();
    const QDate today = now.date();
    TDemoResult result;
    result.SettingsFile = info.FileName();
    QList<TDemoPatient> register_;
    {
        TScopedConnection c("velta_demo", root + "main/velta.db");
        TDatabase::Transaction(c.Db());
        TWriter w(c.Db());
        WriteReferenceBooks(w, now);
        const int streets = Count(kCities) * Count(kStreets);
        for (int p = 1; p <= patients; ++p) {
            const bool male = rnd.bounded(2) == 1;
            const auto surnameOf = [&] {
                QString surname = QString::fromUtf8(kMaleSurnames[rnd.bounded(Count(kMaleSurnames))]);
                if (!male)
                    surname += QString::fromUtf8("А");
                return surname;
            };
            const QString surname = surnameOf();
            const QString name = QString::fromUtf8(male ? kMaleNames[rnd.bounded(Count(kMaleNames))]
                                                        : kFemaleNames[rnd.bounded(Count(kFemaleNames))]);
            QString otch = QString::fromUtf8(kFathers[rnd.bounded(Count(kFathers))]);
            if (!male) {
                otch.chop(2); // -ОВИЧ, -ЕВИЧ become -ОВНА, -ЕВНА
                otch += QString::fromUtf8("НА");
            }
            // A married woman in three kept her maiden name on the card.
            const QString maiden = !male && rnd.bounded(3) == 0 ? surnameOf() : QString();
            const QDate born = QDate(1936, 1, 1).addDays(rnd.bounded(365 * 72));
            const int age = born.daysTo(today) / 365;
            const int post = PostForAge(rnd, age, male);
            const int street = rnd.bounded(streets);
            const QDateTime registered = now.addDays(-30 - rnd.bounded(1400)).addSecs(-rnd.bounded(36000));
            w.Stamped("Address", {"AdrLID", "AdrHousNum", "AdrRoomNum", "CityLID", "StrLID"},
                      {p, QString::number(1 + rnd.bounded(120)), rnd.bounded(3) ? QString::number(1 + rnd.bounded(200)) : QString(),
                       1 + street / Count(kStreets), street + 1}, registered);
            w.Stamped("Person", {"PrnLID", "PrnSurName", "PrnName", "PrnOtch", "PrnMdnName", "PrnSex", "PrnDate",
                                 "PrnPhone", "AreaLID", "PosLID", "AdrLID", "paspor", "kod"},
                      {p, surname, name, otch, maiden.isEmpty() ? QVariant() : QVariant(maiden), male ? 1 : 0, born,
                       QString("8017%1").arg(2000000 + rnd.bounded(7000000)), 1 + rnd.bounded(12), post, p,
                       QString("%1").arg(100000 + p), QString("%1").arg(500000 + p)}, registered);
            register_.append({p, born, male, registered, post});
            ++result.Patients;
        }
        // The counters of every table that gets identifiers here: the next document to hand
        // out, and for the registry import's tables the last identifier handed out.
        const std::pair<const char*, int> counters[] = {
            {"document", 1},       {"Person", patients},         {"Address", patients},
            {"City", Count(kCities)}, {"Street", streets},       {"Post", Count(kPosts)},
            {"RegistrationArea", 12},
        };
        for (const auto& [table, value] : counters)
            w.Insert("SysTable", {"TableName", "AutoIncVal"}, {table, value});
        TDatabase::Commit(c.Db());
    }
    {
        // The documents go through the document storage, as the windows save them, by the
        // demo's nurse at the demo's workstation.
        info.LoggedIn = true;
        info.UserGID = 2;
        info.WstGID = 1;
        info.HspGID = 1;
        TDM dm(info);
        for (const TDemoPatient& p : register_)
            result.Documents += WriteDemoDocuments(dm, rnd, p, now, Count(kMedicines));
    }
    {
        TScopedConnection c("velta_demo", root + "main/velta.db");
        WriteDemoRegistry(c.Db(), root + "poly/", rnd, 40);
    }
    return result;
}
