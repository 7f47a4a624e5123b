#include "data/Unit_DataModule.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_Database.h"
#include "data/Unit_Schema.h"
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

namespace {
TDM* g_dm = nullptr;


// Table and column names cannot be bound: accept only those of the workstation schema.
void RequireKnownColumn(const QString& table, const QString& field)
{
    if (!TSchema::Column(table, field))
        throw EDatabaseError(QString("Неизвестная таблица или поле: %1.%2").arg(table, field));
}

QSqlQuery* NewLookup(QSqlDatabase& db, const char* sql)
{
    auto* q = new QSqlQuery(db);
    q->setForwardOnly(true);
    TDatabase::Prepare(*q, QString::fromUtf8(sql));
    return q;
}

// Runs a one-row lookup; true when it found a row (the query then stands on it).
bool RunLookup(QSqlQuery& q, const char* param, const QVariant& value)
{
    q.finish();
    q.bindValue(QString::fromLatin1(param), value);
    TDatabase::Exec(q);
    return q.next();
}
} // namespace

TDM* DM() { return g_dm; }

void OpenMainDatabase()
{
    if (g_dm)
        g_dm->OpenDatabase();
}

void CloseMainDatabase()
{
    if (g_dm)
        g_dm->CloseDatabase();
}

TDM::TDM(TAppInfo& info, QObject* parent) : QObject(parent), m_info(info)
{
    m_person = std::make_unique<TPersonListModel>();
    m_list = std::make_unique<QSqlQueryModel>();
    m_card = std::make_unique<QSqlQueryModel>();
    OpenDatabase();
    EnsureIndex("Person", "idx_sn", "PrnSurName", ixCaseInsensitive);
    EnsureIndex("Person", "idx_nm", "PrnName", ixCaseInsensitive);
    EnsureIndex("Person", "idx_otch", "PrnOtch", ixCaseInsensitive);
    // The order of the patient list, so that a page of it is read without sorting the register.
    EnsureIndex("Person", "idx_person_order", "PrnSurName;PrnName;PrnOtch", ixCaseInsensitive);
    g_dm = this;
    if (m_info.LoggedIn && !m_personsOpen)
        OpenPersons();
}

TDM::~TDM()
{
    CloseDatabase();
    if (g_dm == this)
        g_dm = nullptr;
}

void TDM::OpenDatabase()
{
    if (m_db.isOpen())
        return;
    m_db = TDatabase::Open(DatabaseName, m_info.MainDatabaseFile());
    m_sql = std::make_unique<QSqlQuery>(m_db);
    PrepareLookups();
    // The connection event: a connection that comes back (after the import of server data
    // closed it) brings the patient list back. At creation the constructor opens the list.
    if (g_dm == this && m_info.LoggedIn && !m_personsOpen)
        OpenPersons();
}

void TDM::CloseDatabase()
{
    ClosePersons();
    m_sql.reset();
    for (auto* q : {&m_address, &m_city, &m_region, &m_street, &m_area, &m_lpu, &m_job})
        q->reset();
    m_list->clear();
    m_card->clear();
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(DatabaseName);
    }
}

void TDM::PrepareLookups()
{
    m_address.reset(NewLookup(m_db, "select adrhousnum, adrroomnum, citylid, strlid from address a where a.adrlid = :AdrLID"));
    m_city.reset(NewLookup(m_db, "select cityname, citysoato, reggid from city where citylid = :citylid"));
    m_region.reset(NewLookup(m_db, "select RegName from Region where RegGID = :RegGid"));
    m_street.reset(NewLookup(m_db, "select strname from street where strlid = :strlid"));
    m_area.reset(NewLookup(m_db, "select AreaCode, HspGID from RegistrationArea where AreaLID = :ID"));
    m_lpu.reset(NewLookup(m_db, "select MU from Hospital where HspGID = :HspGID"));
    m_job.reset(NewLookup(m_db, "select PosName from Post where PosLID = :PosLID"));
}

void TDM::OpenPersons()
{
    if (m_personsOpen)
        return;
    OpenDatabase();
    emit PersonsOpening();
    m_person->Open(m_db);
    m_personsOpen = true;
    m_personCount = -1;
    m_personRow = -1;
    SetPersonRow(0);
}

void TDM::ClosePersons()
{
    if (!m_personsOpen)
        return;
    m_personsOpen = false;
    m_person->Close();
    m_personRow = -1;
    m_personCount = -1;
    m_current = TPersonRow();
    CloseDetails();
}

void TDM::ReopenPersons()
{
    ClosePersons();
    OpenPersons();
}

void TDM::CloseDetails()
{
    m_details = TPersonDetails();
    m_list->clear();
    m_card->clear();
}

int TDM::PersonCount()
{
    if (m_personCount < 0)
        m_personCount = m_person->IsOpen() ? m_person->rowCount() : CountPersons();
    return m_personCount;
}

void TDM::SetPersonRow(int row)
{
    if (!m_personsOpen)
        return;
    m_personRow = (row >= 0 && row < m_person->rowCount()) ? row : -1;
    ReadCurrentPerson();
    RefreshPersonDetails();
    emit PersonChanged();
}

void TDM::ReadCurrentPerson()
{
    m_current = TPersonRow();
    if (m_personRow < 0)
        return;
    QVariant* fields[] = {&m_current.PersonLID, &m_current.SurName, &m_current.Name, &m_current.SecName,
                          &m_current.Sex, &m_current.Birthday, &m_current.MdnName, &m_current.sqlPersonpaspor,
                          &m_current.AdrLID, &m_current.Phone, &m_current.AreaLID, &m_current.PosLID};
    for (int i = 0; i < 12; ++i)
        *fields[i] = m_person->Value(m_personRow, i);
}

void TDM::RefreshPersonDetails()
{
    // Every detail starts empty, so that nothing of the previous patient (his district in
    // particular) is shown for this one.
    m_details = TPersonDetails();
    const TPersonRow& p = m_current;

    if (RunLookup(*m_area, ":ID", p.AreaLID)) {
        m_details.AreaCode = m_area->value(0);
        m_details.HspGID = m_area->value(1);
    }
    if (RunLookup(*m_lpu, ":HspGID", m_details.HspGID))
        m_details.LpuName = m_lpu->value(0);

    LoadSheetList(p.PersonLID);
    LoadCardList(p.PersonLID);

    if (RunLookup(*m_address, ":AdrLID", p.AdrLID)) {
        m_details.House = m_address->value(0);
        m_details.Flat = m_address->value(1);
        m_details.CityLID = m_address->value(2);
        m_details.StreetLID = m_address->value(3);
        if (RunLookup(*m_city, ":citylid", m_details.CityLID)) {
            m_details.City = m_city->value(0);
            m_details.CityCode = m_city->value(1);
            m_details.RegGID = m_city->value(2);
            if (RunLookup(*m_region, ":RegGid", m_details.RegGID))
                m_details.RegName = m_region->value(0);
        }
        if (RunLookup(*m_street, ":strlid", m_details.StreetLID))
            m_details.Street = m_street->value(0);
    }

    if (RunLookup(*m_job, ":PosLID", p.PosLID))
        m_details.JobName = m_job->value(0);
    for (QSqlQuery* q : {m_area.get(), m_lpu.get(), m_address.get(), m_city.get(), m_region.get(), m_street.get(), m_job.get()})
        q->finish();
}

namespace {
void LoadDocumentList(QSqlDatabase& db, QSqlQueryModel& model, int kind, const QVariant& prnLID)
{
    QSqlQuery q(db);
    TDatabase::Prepare(q, "select * from document where PrnLID = :PrnLID and dtpgid = :DtpGID order by LastUpdate desc");
    q.bindValue(":PrnLID", prnLID);
    q.bindValue(":DtpGID", kind);
    TDatabase::Exec(q);
    model.setQuery(std::move(q));
    while (model.canFetchMore())
        model.fetchMore();
}
}

void TDM::LoadSheetList(const QVariant& prnLID) { LoadDocumentList(m_db, *m_list, 1, prnLID); }
void TDM::LoadCardList(const QVariant& prnLID) { LoadDocumentList(m_db, *m_card, 2, prnLID); }

void TDM::LookupMedicine(const QVariant& mprGID)
{
    m_sql->finish();
    TDatabase::Prepare(*m_sql, "select MprName1, MprDose, MprDoseDay from MedPreparat where MprGID = :MprGID");
    m_sql->bindValue(":MprGID", mprGID);
    TDatabase::Exec(*m_sql);
}

int TDM::GetNextID(const QString& table, const QString& field)
{
    RequireKnownColumn(table, field);
    QSqlQuery q(m_db);
    TDatabase::Prepare(q, "select AutoIncVal from SysTable where TableName = :TableName");
    q.bindValue(":TableName", table);
    TDatabase::Exec(q);
    int result;
    if (q.next()) {
        result = q.value(0).toInt();
        q.finish();
        TDatabase::Prepare(q, "update SysTable set AutoIncVal = :Value where TableName = :TableName");
    } else {
        q.finish();
        TDatabase::Exec(q, QString("select max(%1) from %2").arg(field, table));
        result = (q.next() && !q.value(0).isNull()) ? q.value(0).toInt() + 1 : 1;
        q.finish();
        TDatabase::Prepare(q, "insert into SysTable values(:TableName, :Value)");
    }
    q.bindValue(":TableName", table);
    q.bindValue(":Value", result + 1);
    TDatabase::Exec(q);
    return result;
}

bool TDM::HasIndexOn(const QString& table, const QStringList& fields, bool caseInsensitive)
{
    return HasIndexOn(m_db, table, fields, caseInsensitive);
}

bool TDM::HasIndexOn(QSqlDatabase& db, const QString& table, const QStringList& fields, bool caseInsensitive)
{
    QSqlQuery list(db);
    TDatabase::Prepare(list, "select name from pragma_index_list(:T)");
    list.bindValue(":T", table);
    TDatabase::Exec(list);
    while (list.next()) {
        QSqlQuery info(db);
        TDatabase::Prepare(info, "select name, coll from pragma_index_xinfo(:I) where key = 1 order by seqno");
        info.bindValue(":I", list.value(0));
        TDatabase::Exec(info);
        QStringList cols;
        bool sameRule = true;
        while (info.next()) {
            cols << info.value(0).toString();
            const bool ci = info.value(1).toString().compare(TDatabase::CaseInsensitiveCollation, Qt::CaseInsensitive) == 0;
            sameRule = sameRule && ci == caseInsensitive;
        }
        if (sameRule && cols.size() == fields.size()) {
            bool same = true;
            for (int i = 0; i < cols.size(); ++i)
                same = same && cols[i].compare(fields[i], Qt::CaseInsensitive) == 0;
            if (same)
                return true;
        }
    }
    return false;
}

void TDM::EnsureIndex(const QString& table, const QString& name, const QString& fields, int options)
{
    EnsureIndex(m_db, table, name, fields, options);
}

void TDM::EnsureIndex(QSqlDatabase& db, const QString& table, const QString& name, const QString& fields, int options)
{
    const QStringList cols = fields.split(';', Qt::SkipEmptyParts);
    const bool ci = options & ixCaseInsensitive;
    try {
        for (const QString& c : cols)
            RequireKnownColumn(table, c.trimmed());
        if (HasIndexOn(db, table, cols, ci))
            return;
        QStringList parts;
        for (const QString& c : cols)
            parts << (ci ? c.trimmed() + " collate " + TDatabase::CaseInsensitiveCollation : c.trimmed());
        QSqlQuery q(db);
        TDatabase::Exec(q, QString("create %1index if not exists \"%2\" on %3 (%4)")
                               .arg((options & ixUnique) ? "unique " : "", QString(name).remove('"'), table,
                                    parts.join(", ")));
    } catch (const std::exception&) {
        // The table stays usable without the index.
    }
}

void TDM::SetCodePageMark(const QString& tableFileName)
{
    if (tableFileName.isEmpty())
        return;
    QString folder = m_info.PolyDBPath();
    if (!folder.endsWith('/'))
        folder += '/';
    QString file = tableFileName;
    while (file.startsWith('/'))
        file.remove(0, 1);
    SetCodePageMarkOnFile(folder + file);
}

void TDM::SetCodePageMarkOnFile(const QString& path)
{
    const QFileInfo info(path);
    // A file marked read-only is left alone, even for a user whom the system would let write.
    if (!info.isFile() || !(info.permissions() & QFile::WriteOwner))
        return;
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite) || f.size() < 32)
        return;
    if (f.seek(29))
        f.write("\x26", 1);
}

namespace {
int ScalarInt(QSqlDatabase& db, const QString& sql, const QVariant& bind = QVariant())
{
    QSqlQuery q(db);
    TDatabase::Prepare(q, sql);
    if (bind.isValid())
        q.bindValue(0, bind);
    TDatabase::Exec(q);
    return q.next() ? q.value(0).toInt() : 0;
}
const char* const kPersonOrder = TPersonListModel::OrderBy();
}

int TDM::CountPersons() { return ScalarInt(m_db, "select count(*) from person"); }
int TDM::CountDocuments(int dtpGID) { return ScalarInt(m_db, "select count(*) from document where dtpgid = ?", dtpGID); }

// The position of a patient in the list: the patients whose surname sorts before his, then
// his place among those of the same surname (few), in the list's own order.
int TDM::RowOfPerson(const QVariant& prnLID, const QVariant& surname)
{
    int before = 0;
    QSqlQuery same(m_db);
    if (surname.isNull()) {
        TDatabase::Prepare(same, QString("select PrnLID from person where PrnSurName is null") + kPersonOrder);
    } else {
        before = ScalarInt(m_db, "select count(*) from person where PrnSurName is null or PrnSurName < ? collate UNOCASE",
                           surname);
        TDatabase::Prepare(same, QString("select PrnLID from person where PrnSurName = ? collate UNOCASE") + kPersonOrder);
        same.bindValue(0, surname);
    }
    TDatabase::Exec(same);
    for (int offset = 0; same.next(); ++offset)
        if (same.value(0) == prnLID)
            return before + offset;
    return -1;
}

int TDM::LocatePersonRow(const QString& prefix)
{
    if (prefix.isEmpty())
        return -1;
    QSqlQuery q(m_db);
    // The first surname not sorting before the prefix is the first one that can begin with it.
    TDatabase::Prepare(q, QString("select PrnLID, PrnSurName from person where PrnSurName >= ? collate UNOCASE") +
                              kPersonOrder + " limit 1");
    q.bindValue(0, prefix);
    TDatabase::Exec(q);
    if (!q.next() || !q.value(1).toString().startsWith(prefix, Qt::CaseInsensitive))
        return -1;
    return RowOfPerson(q.value(0), q.value(1));
}

int TDM::LocatePersonByPaspor(const QString& paspor)
{
    QSqlQuery q(m_db);
    TDatabase::Prepare(q, QString("select PrnLID, PrnSurName from person where paspor = ? collate binary") + kPersonOrder +
                              " limit 1");
    q.bindValue(0, paspor);
    TDatabase::Exec(q);
    return q.next() ? RowOfPerson(q.value(0), q.value(1)) : -1;
}

bool TDM::LocatePerson(const QString& prefix)
{
    const int row = LocatePersonRow(prefix);
    if (row < 0)
        return false;
    SetPersonRow(row);
    return true;
}
