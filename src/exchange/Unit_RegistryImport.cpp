#include "exchange/Unit_RegistryImport.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_DataModule.h"
#include "data/Unit_Database.h"
#include "data/Unit_Schema.h"
#include "exchange/StrConst.h"


TRegistryImportParams TRegistryImportParams::FromList(const QStringList& params)
{
    TRegistryImportParams p;
    p.Key = params.value(0);
    p.Update = params.value(1) == "1";
    return p;
}

// A prepared insert or update whose values are fitted to the columns' types and widths.
struct TRegistryImport::TStatement {
    QSqlQuery q;
    std::vector<const TColumnDef*> cols;
    // Named placeholders: binding by position makes the driver format a name for every value.
    QStringList names;

    // Insert into table (columns...); or, with key, update table set columns... where key = ?.
    TStatement(QSqlDatabase& db, const char* table, const QStringList& columns, const char* key = nullptr) : q(db)
    {
        QStringList all = columns;
        if (key)
            all << key;
        for (const QString& c : all) {
            names << ":p" + QString::number(names.size());
            cols.push_back(TSchema::Column(table, c));
            if (!cols.back())
                throw EDatabaseError(QString("Неизвестное поле %1.%2").arg(table, c));
        }
        QString sql;
        if (key) {
            QStringList sets;
            for (int i = 0; i < columns.size(); ++i)
                sets << columns[i] + " = " + names[i];
            sql = QString("update %1 set %2 where %3 = %4").arg(table, sets.join(", "), key, names.last());
        } else {
            sql = QString("insert into %1 (%2) values (%3)").arg(table, columns.join(", "), names.join(", "));
        }
        TDatabase::Prepare(q, sql);
    }
    // Values in column order (the key last); returns the rows changed.
    int Run(const QVariantList& values)
    {
        for (int i = 0; i < int(cols.size()); ++i) {
            const QVariant& v = values.at(i);
            // A moment already in its stored text (the row stamps) is bound as it stands.
            const bool stored = cols[i]->type == TColumnType::DateTime && v.typeId() == QMetaType::QString;
            q.bindValue(names[i], stored ? v : TSchema::ToStored(*cols[i], v));
        }
        TDatabase::Exec(q);
        return q.numRowsAffected();
    }
};

namespace {
const QString kSep = QString(QChar(0x1f));
QString Fold(const QString& s) { return s.toUpper(); }
QString CountLine(int count) { return QString::number(count) + QString::fromUtf8(RplText::RecordsAddedUpdated); }

// N(value) of a registry field: null stays null, anything else upper case and trimmed.
QVariant N(const TDbfTable& t, int row, int field)
{
    const QString s = t.TextOrEmpty(row, field);
    return s.isEmpty() ? QVariant() : NormalizeValue(s);
}
QVariant OrNull(const QString& s) { return s.isEmpty() ? QVariant() : QVariant(s); }
QVariant OrNull(const QHash<QString, int>& h, const QString& key)
{
    const auto it = h.constFind(key);
    return it == h.constEnd() ? QVariant() : QVariant(*it);
}
} // namespace

TRegistryLogin TRegistryLogin::Of(const TAppInfo& info) { return {info.WstGID, info.UserGID, info.HspGID}; }

TRegistryImport::TRegistryImport(QSqlDatabase db, TRegistryTables& registry, TRegistryLogin login, TRegistryImportHost& host,
                                 TRegistryImportParams params)
    : m_db(std::move(db)), m_reg(registry), m_info(login), m_host(host), m_params(std::move(params))
{
}

TRegistryImport::~TRegistryImport()
{
    if (m_inTransaction) {
        try {
            TDatabase::Rollback(m_db);
        } catch (...) {
        }
    }
}

QVariant TRegistryImport::Sex(const QVariant& pol)
{
    const QString s = pol.toString().trimmed().toLower();
    if (s == QString::fromUtf8("м"))
        return 1;
    if (s == QString::fromUtf8("ж"))
        return 0;
    return QVariant();
}

void TRegistryImport::Execute()
{
    Log(QString::fromUtf8(RplText::CheckingIndexes));
    Log(QString::fromUtf8(RplText::RegistryImportTitle));
    Log(QString::fromUtf8(RplText::Separator));
    ImportAll();
    Log(QString::fromUtf8(RplText::Separator));
    Log(QString::fromUtf8(RplText::ImportDone));
}

void TRegistryImport::Prepare()
{
    const QStringList stamp{"CrDate", "LastUpdate", "WstGID", "UserGID"};
    const QStringList change{"LastUpdate", "WstGID", "UserGID"};
    const QStringList address{"AdrHousNum", "AdrRoomNum", "CityLID", "StrLID"};
    const QStringList person{"PrnSurName", "PrnName", "PrnOtch", "PrnSex", "PrnDate", "PrnMdnName", "PrnPhone",
                             "AreaLID", "PosLID", "AdrLID", "kod", "paspor"};
    m_insAddress = std::make_unique<TStatement>(m_db, "Address", QStringList{"AdrLID"} + address + stamp);
    m_updAddress = std::make_unique<TStatement>(m_db, "Address", address + change, "AdrLID");
    m_insPerson = std::make_unique<TStatement>(m_db, "Person", QStringList{"PrnLID"} + person + stamp);
    m_updPerson = std::make_unique<TStatement>(m_db, "Person", person + change, "PrnLID");
    m_insCity = std::make_unique<TStatement>(m_db, "City", QStringList{"CityLID", "CityName", "CitySoato", "CityLocCod", "RegGID"} + stamp);
    m_insStreet = std::make_unique<TStatement>(m_db, "Street", QStringList{"StrLID", "StrName", "StrLocCod", "CityLID"} + stamp);
    m_insPost = std::make_unique<TStatement>(m_db, "Post", QStringList{"PosLID", "PosName", "PosLocCod"} + stamp);
    m_insArea = std::make_unique<TStatement>(m_db, "RegistrationArea", QStringList{"AreaLID", "AreaCode", "HspGID"} + stamp);
    auto prepared = [this](const char* sql) {
        auto q = std::make_unique<QSqlQuery>(m_db);
        TDatabase::Prepare(*q, QString::fromUtf8(sql));
        return q;
    };
    // Counter names are table names, which compare without regard to letter case.
    m_selCounter = prepared("SELECT AutoIncVal FROM SysTable WHERE TableName = :TABLE_NAME collate UNOCASE");
    m_updCounter = prepared("UPDATE SysTable SET AutoIncVal = :VAL WHERE TableName = :TABLE_NAME collate UNOCASE");
    m_savepoint = prepared("savepoint registry_row");
    m_release = prepared("release registry_row");
    m_rollbackTo = prepared("rollback to registry_row");
}

void TRegistryImport::ReadExisting()
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    TDatabase::Exec(q, "select PrnLID, paspor, AdrLID from Person where paspor is not null order by PrnLID");
    while (q.next())
        InsertFirst(m_persons, Fold(q.value(1).toString()), TPersonRef{q.value(0).toInt(), q.value(2)});
    TDatabase::Exec(q, "select CityLID, CityLocCod from City where CityLocCod is not null order by CityLID");
    while (q.next())
        InsertFirst(m_cities, q.value(1).toString(), q.value(0).toInt());
    TDatabase::Exec(q, "select StrLID, StrLocCod, CityLID from Street where StrLocCod is not null order by StrLID");
    while (q.next())
        InsertFirst(m_streets, q.value(1).toString() + kSep + q.value(2).toString(), q.value(0).toInt());
    TDatabase::Exec(q, "select PosLID, PosLocCod from Post where PosLocCod is not null order by PosLID");
    while (q.next())
        InsertFirst(m_posts, q.value(1).toString(), q.value(0).toInt());
    TDatabase::Exec(q, "select RegGID, RegOkato from Region where RegOkato is not null order by RegGID");
    while (q.next())
        InsertFirst(m_regions, Fold(q.value(1).toString()), q.value(0).toInt());
    TDatabase::Exec(q, "select AreaLID, AreaCode, HspGID from RegistrationArea where AreaCode is not null order by AreaLID");
    while (q.next())
        InsertFirst(m_areas, Fold(q.value(1).toString()) + kSep + q.value(2).toString(), q.value(0).toInt());
}

int TRegistryImport::ImportAll()
{
    // 1. The code-page marks, once every file that will be read has been checked.
    m_reg.ProbeArhWork();
    m_reg.SetCodePageMarks();
    // 2. The indexes: the registry's are built in memory; the workstation's are made when missing.
    m_reg.OpenArhWork(TClock::Today());
    TDM::EnsureIndex(m_db, "Person", "idx_paspor", "paspor", ixCaseInsensitive);
    TDM::EnsureIndex(m_db, "Region", "idx_RegOkato", "RegOkato", ixCaseInsensitive);
    TDM::EnsureIndex(m_db, "Address", "idx_adrlid", "adrlid", ixCaseInsensitive);
    TDM::EnsureIndex(m_db, "RegistrationArea", "idx_AreaCodeHspGID", "AreaCode;HspGID", ixCaseInsensitive);
    // 3. The positions of the fields used, with the filters and indexes of the registry.
    m_reg.LookupFields();
    Prepare();
    ReadExisting();

    Log(QString::fromUtf8(RplText::ImportingTable) + "Person");
    m_count = 0;
    m_position = 0;
    Progress();
    try {
        Begin();
        if (!m_params.Key.isEmpty()) {
            m_maximum = 1;
            if (ImportRow(-1, m_params.Key, true, true))
                ++m_count;
            ++m_position;
            Progress();
            m_host.CheckTerminated();
        } else {
            const std::vector<int>& rows = m_reg.PasporRows();
            m_maximum = int(rows.size());
            const int keyField = m_reg.PF().Paspor;
            for (const int row : rows) {
                if (ImportRow(row, m_reg.Paspor().Text(row, keyField), m_params.Update, false))
                    ++m_count;
                ++m_position;
                Progress();
                if (m_count > 0 && m_count % 10 == 0)
                    Log(CountLine(m_count));
                m_host.CheckTerminated();
                if (++m_batch >= BatchRows)
                    CommitBatch();
            }
        }
        FlushCounters();
        TDatabase::Commit(m_db);
        m_inTransaction = false;
    } catch (...) {
        // The rows completed so far stay; the row in hand was already taken back.
        if (m_inTransaction) {
            try {
                FlushCounters();
                TDatabase::Commit(m_db);
            } catch (...) {
                try {
                    TDatabase::Rollback(m_db);
                } catch (...) {
                }
            }
            m_inTransaction = false;
        }
        Log(CountLine(m_count));
        Log(QString());
        throw;
    }
    Log(CountLine(m_count));
    Log(QString());
    return m_count;
}

void TRegistryImport::Begin()
{
    // The rows of one transaction carry the moment it began (reading the clock and the time
    // zone for every row would cost more than writing the row).
    m_now = TSchema::ToStored("Person", "LastUpdate", TClock::Now());
    TDatabase::Transaction(m_db);
    m_inTransaction = true;
    m_batch = 0;
}

void TRegistryImport::CommitBatch()
{
    FlushCounters();
    TDatabase::Commit(m_db);
    m_inTransaction = false;
    Begin();
}

// The counters are advanced in memory and written back before each commit, in the same
// transaction as the rows that used them.
void TRegistryImport::FlushCounters()
{
    for (const QString& table : std::as_const(m_dirtyCounters)) {
        m_updCounter->bindValue(":VAL", m_counters.value(table));
        m_updCounter->bindValue(":TABLE_NAME", table);
        TDatabase::Exec(*m_updCounter);
    }
    m_dirtyCounters.clear();
}

int TRegistryImport::NextID(const QString& table)
{
    auto it = m_counters.find(table);
    const auto undone = [&](const QString& t) {
        for (const auto& c : m_rowCounters)
            if (c.first == t)
                return true;
        return false;
    };
    if (!undone(table))
        m_rowCounters.emplace_back(table, it == m_counters.end() ? -1 : *it);
    if (it == m_counters.end()) {
        m_selCounter->bindValue(":TABLE_NAME", table);
        TDatabase::Exec(*m_selCounter);
        if (!m_selCounter->next())
            throw ERplException(QString::fromUtf8(RplText::KeyGenerationFailed));
        const qint64 value = m_selCounter->value(0).toLongLong();
        m_selCounter->finish();
        it = m_counters.insert(table, value);
    }
    ++*it;
    if (!m_dirtyCounters.contains(table))
        m_dirtyCounters << table;
    return int(*it);
}

bool TRegistryImport::ImportRow(int row, const QString& key, bool update, bool single)
{
    TDatabase::Exec(*m_savepoint);
    // A row taken back gives back its identifiers as well. (The lookups it added stay: a failed
    // row ends the run, and the next run reads them from the database again.)
    m_rowCounters.clear();
    try {
        const bool written = ImportOne(row, key, update, single);
        TDatabase::Exec(*m_release);
        return written;
    } catch (...) {
        try {
            TDatabase::Exec(*m_rollbackTo);
            TDatabase::Exec(*m_release);
        } catch (...) {
        }
        for (const auto& [table, value] : m_rowCounters) {
            if (value < 0) {
                m_counters.remove(table);
                m_dirtyCounters.removeAll(table);
            } else
                m_counters[table] = value;
        }
        m_rowCounters.clear();
        throw;
    }
}

bool TRegistryImport::ImportOne(int row, const QString& key, bool update, bool single)
{
    const TDbfTable& p = m_reg.Paspor();
    const TRegistryTables::PasporFields& f = m_reg.PF();
    bool found = false;
    TPersonRef person{0, QVariant()};
    if (update) {
        if (single) {
            row = m_reg.FindPaspor(key);
            if (row < 0)
                return false;
        }
        const auto it = m_persons.constFind(Fold(key));
        found = it != m_persons.constEnd();
        if (found)
            person = *it;
    }
    const QString paspor = p.Text(row, f.Paspor);
    const QString folded = Fold(paspor);
    if (!found && m_persons.contains(folded))
        return false; // present, and not to be updated
    const QVariant sex = Sex(p.ValueOrNull(row, f.Pol));
    const QVariant wst = m_info.WstGID, user = m_info.UserGID;

    // The address: the found patient's own is edited; when he has none (or it is gone) a new one
    // is made and linked, so that no other patient's address is ever changed.
    bool editAddress = found && !person.AdrLID.isNull();
    QVariant adrLID = editAddress ? person.AdrLID : QVariant(NextID("Address"));
    const QString kodTown = p.TextOrEmpty(row, f.KodTown);
    const QVariant city = CityFor(kodTown);
    const QVariant street = StreetFor(p.TextOrEmpty(row, f.KodStreet), kodTown);
    const QVariantList address{N(p, row, f.Home), N(p, row, f.Kw), city, street};
    if (editAddress && m_updAddress->Run(address + QVariantList{m_now, wst, user, adrLID}) == 0) {
        editAddress = false;
        adrLID = NextID("Address");
    }
    if (!editAddress)
        m_insAddress->Run(QVariantList{adrLID} + address + QVariantList{m_now, m_now, wst, user});

    const QVariant prnLID = found ? QVariant(person.PrnLID) : QVariant(NextID("Person"));
    QVariant posLID;
    if (m_reg.IsNewRegistry()) {
        posLID = PostFor(p.Text(row, f.KodProf));
    } else {
        // The occupation of the employment held today (read from its KOD_PROF column).
        const QString kod = p.TextOrEmpty(row, f.Kod);
        const int work = kod.isEmpty() ? -1 : m_reg.FindArhWork(kod);
        if (work >= 0)
            posLID = PostFor(m_reg.ArhWork().TextOrEmpty(work, m_reg.AF().KodProf));
    }
    const QVariantList values{N(p, row, f.Fam), N(p, row, f.Nam), N(p, row, f.Oth), sex, p.ValueOrNull(row, f.Day), QVariant(),
                              N(p, row, f.Tel), AreaFor(p.TextOrEmpty(row, f.Nu)), posLID, adrLID,
                              OrNull(p.TextOrEmpty(row, f.Kod)), paspor};
    if (found) {
        m_updPerson->Run(values + QVariantList{m_now, wst, user, prnLID});
        m_persons[Fold(key)].AdrLID = adrLID;
    } else {
        m_insPerson->Run(QVariantList{prnLID} + values + QVariantList{m_now, m_now, wst, user});
        m_persons.insert(folded, TPersonRef{prnLID.toInt(), adrLID});
    }
    return true;
}

QVariant TRegistryImport::CityOfTownRow(int townRow) const
{
    return townRow < 0 ? QVariant() : OrNull(m_cities, m_reg.Town().Text(townRow, m_reg.TF().KodTown));
}

QVariant TRegistryImport::CityFor(const QString& kodTown)
{
    if (kodTown.isEmpty())
        return QVariant();
    if (const auto it = m_cityFor.constFind(kodTown); it != m_cityFor.constEnd())
        return *it;
    const QVariant city = FindOrAddCity(kodTown);
    m_cityFor.insert(kodTown, city);
    return city;
}

QVariant TRegistryImport::FindOrAddCity(const QString& kodTown)
{
    const int town = m_reg.FindTown(kodTown);
    if (town < 0)
        return QVariant();
    if (const QVariant existing = CityOfTownRow(town); !existing.isNull())
        return existing;
    const int id = NextID("City");
    const QString code = m_reg.Town().Text(town, m_reg.TF().KodTown);
    m_insCity->Run({id, N(m_reg.Town(), town, m_reg.TF().Town), code, code, RegionFor(kodTown), m_now, m_now,
                    m_info.WstGID, m_info.UserGID});
    m_cities.insert(code, id);
    return id;
}

QVariant TRegistryImport::RegionFor(const QString& kodTown)
{
    if (kodTown.isEmpty())
        return QVariant();
    return OrNull(m_regions, Fold(kodTown.left(7) + "000000"));
}

QVariant TRegistryImport::StreetFor(const QString& kodStreet, const QString& kodTown)
{
    if (kodStreet.isEmpty() || kodTown.isEmpty())
        return QVariant();
    const QString memo = kodStreet + kSep + kodTown;
    if (const auto it = m_streetFor.constFind(memo); it != m_streetFor.constEnd())
        return *it;
    const QVariant street = FindOrAddStreet(kodStreet, kodTown);
    m_streetFor.insert(memo, street);
    return street;
}

QVariant TRegistryImport::FindOrAddStreet(const QString& kodStreet, const QString& kodTown)
{
    const int street = m_reg.FindStreet(kodStreet, kodTown);
    if (street < 0)
        return QVariant();
    const TDbfTable& s = m_reg.Street();
    const QVariant cityLID = CityOfTownRow(m_reg.FindTown(s.Text(street, m_reg.SF().KodTown)));
    const QString code = s.Text(street, m_reg.SF().KodStreet);
    const QString key = code + kSep + cityLID.toString();
    if (const QVariant existing = OrNull(m_streets, key); !existing.isNull())
        return existing;
    const int id = NextID("Street");
    m_insStreet->Run({id, N(s, street, m_reg.SF().Street), code, cityLID, m_now, m_now, m_info.WstGID, m_info.UserGID});
    m_streets.insert(key, id);
    return id;
}

QVariant TRegistryImport::PostFor(const QString& kodProf)
{
    if (kodProf.isEmpty())
        return QVariant();
    const int prof = m_reg.FindProf(kodProf);
    if (prof < 0)
        return QVariant();
    const QString code = m_reg.Prof().Text(prof, m_reg.RF().KodProf);
    if (const QVariant existing = OrNull(m_posts, code); !existing.isNull())
        return existing;
    const int id = NextID("Post");
    m_insPost->Run({id, N(m_reg.Prof(), prof, m_reg.RF().NamProf), code, m_now, m_now, m_info.WstGID, m_info.UserGID});
    m_posts.insert(code, id);
    return id;
}

QVariant TRegistryImport::AreaFor(const QString& nu)
{
    if (nu.isEmpty())
        return QVariant();
    const QString key = Fold(nu) + kSep + QString::number(m_info.HspGID);
    if (const QVariant existing = OrNull(m_areas, key); !existing.isNull())
        return existing;
    const int id = NextID("RegistrationArea");
    m_insArea->Run({id, nu, m_info.HspGID, m_now, m_now, m_info.WstGID, m_info.UserGID});
    m_areas.insert(key, id);
    return id;
}
