#pragma once
// The import of the polyclinic's registry into the workstation's register: the body of the
// exchange operation TImExternalToWorkstation. It runs in whatever thread drives it (the
// exchange window's worker, the caller of ImportOnePatient, velta-admin), which supplies the
// log, the progress gauge and the stop request through TRegistryImportHost.
//
// Every registry row is all-or-nothing: it is written inside a savepoint, rows are committed in
// batches, and a failure or a cancellation takes back only the row in hand. So the register
// never holds an Address without its Person, or a town created for a patient never written.
#include "exchange/Unit_RegistryTables.h"
#include <QHash>
#include <vector>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

class TAppInfo;
struct TColumnDef;

class TRegistryImportHost {
public:
    virtual ~TRegistryImportHost() = default;
    virtual void Log(const QString& message) = 0;
    virtual void UpdateProgress(int position, int maximum) = 0;
    // Throws ERplException "Прервано пользователем" when a stop was requested.
    virtual void CheckTerminated() = 0;
};

// A host made of three functions.
class TRegistryImportCallbacks : public TRegistryImportHost {
public:
    std::function<void(const QString&)> OnLog;
    std::function<void(int, int)> OnProgress;
    std::function<void()> OnCheckTerminated;
    void Log(const QString& m) override { if (OnLog) OnLog(m); }
    void UpdateProgress(int p, int m) override { if (OnProgress) OnProgress(p, m); }
    void CheckTerminated() override { if (OnCheckTerminated) OnCheckTerminated(); }
};

// Item 0: one registry key (_PASPOR), or empty for the whole registry; item 1: "1" to also
// update patients already present. A single key is always imported with updating.
// The login context the rows are stamped with.
struct TRegistryLogin {
    int WstGID = 0, UserGID = 0, HspGID = 0;
    static TRegistryLogin Of(const TAppInfo& info);
};

struct TRegistryImportParams {
    QString Key;
    bool Update = false;
    static TRegistryImportParams FromList(const QStringList& params);
};

class TRegistryImport {
public:
    static constexpr int BatchRows = 10000;

    // db: an open connection of the calling thread to the workstation database.
    TRegistryImport(QSqlDatabase db, TRegistryTables& registry, TRegistryLogin login, TRegistryImportHost& host,
                    TRegistryImportParams params);
    ~TRegistryImport();
    TRegistryImport(const TRegistryImport&) = delete;
    TRegistryImport& operator=(const TRegistryImport&) = delete;

    // The operation's Execute without its error guard: the opening lines, ImportAll, the
    // closing lines. Throws what ImportAll throws.
    void Execute();
    // Returns the count of patients added or updated; the count is logged also after an error.
    int ImportAll();
    int Count() const { return m_count; }

    // One registry row (PASPOR row index; for a single key the row is looked up by the key).
    bool ImportOne(int row, const QString& key, bool update, bool single);
    QVariant CityFor(const QString& kodTown);
    QVariant RegionFor(const QString& kodTown);
    QVariant StreetFor(const QString& kodStreet, const QString& kodTown);
    QVariant PostFor(const QString& kodProf);
    QVariant AreaFor(const QString& nu);
    int NextID(const QString& table);

    // 1 for "м", 0 for "ж" (any case), otherwise null.
    static QVariant Sex(const QVariant& pol);

private:
    QVariant FindOrAddCity(const QString& kodTown);
    QVariant FindOrAddStreet(const QString& kodStreet, const QString& kodTown);
    struct TStatement;
    struct TPersonRef { int PrnLID; QVariant AdrLID; };
    void Prepare();
    void ReadExisting();
    void Begin();
    void CommitBatch();
    void FlushCounters();
    bool ImportRow(int row, const QString& key, bool update, bool single);
    void Log(const QString& m) { m_host.Log(m); }
    void Progress() { m_host.UpdateProgress(m_position, m_maximum); }
    QVariant CityOfTownRow(int townRow) const;

    QSqlDatabase m_db;
    TRegistryTables& m_reg;
    TRegistryLogin m_info;
    TRegistryImportHost& m_host;
    TRegistryImportParams m_params;
    int m_count = 0, m_position = 0, m_maximum = 100;
    QVariant m_now; // the row stamps' moment as stored
    bool m_inTransaction = false;
    int m_batch = 0;

    std::unique_ptr<TStatement> m_insAddress, m_updAddress, m_insPerson, m_updPerson, m_insCity, m_insStreet, m_insPost,
        m_insArea;
    std::unique_ptr<QSqlQuery> m_selCounter, m_updCounter, m_savepoint, m_release, m_rollbackTo;

    // What the workstation already holds, read once per run and kept current as rows are added.
    QHash<QString, TPersonRef> m_persons;   // Fold(paspor)
    QHash<QString, int> m_cities;           // CityLocCod
    QHash<QString, int> m_streets;          // StrLocCod + CityLID
    QHash<QString, int> m_posts;            // PosLocCod
    QHash<QString, int> m_regions;          // Fold(RegOkato)
    QHash<QString, int> m_areas;            // Fold(AreaCode) + HspGID
    // What CityFor and StreetFor answered for the registry's own codes: most patients share a
    // few towns and streets, and the answer never changes within a run.
    QHash<QString, QVariant> m_cityFor;     // KOD_TOWN
    QHash<QString, QVariant> m_streetFor;   // KOD_STREET + KOD_TOWN
    QHash<QString, qint64> m_counters;      // SysTable, last value handed out
    QStringList m_dirtyCounters;
    // The counters as they stood before the row in hand first advanced them (-1: not yet read).
    std::vector<std::pair<QString, qint64>> m_rowCounters;
};
