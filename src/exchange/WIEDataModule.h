#pragma once
// The exchange data module: what an exchange operation reads and writes. Created with the
// operation in the caller's thread; its connection to the workstation database is opened by
// the thread that first uses it (the operation's worker) and closed by that thread at the
// end of the run. Creating it opens the polyclinic registry, so every exchange needs the
// registry to be reachable.
#include "exchange/Unit_RegistryTables.h"
#include <QSqlDatabase>
#include <QString>
#include <QThread>
#include <memory>

class TAppInfo;

class TWIEDM {
public:
    // The registry's dBase files in PolyDBPath.
    static constexpr const char* PasporFile = "PASPOR.DBF";
    static constexpr const char* StreetFile = "S_STREET.DBF";
    static constexpr const char* TownFile = "S_TOWN.DBF";
    static constexpr const char* ProfFile = "S_PROF.DBF";
    static constexpr const char* ArhWorkFile = "ARH_WORK.DBF";

    // Opens the registry (OpenPolyclinicDatabase); ERplException when it cannot.
    explicit TWIEDM(TAppInfo& info);
    ~TWIEDM();
    TWIEDM(const TWIEDM&) = delete;
    TWIEDM& operator=(const TWIEDM&) = delete;

    TAppInfo& Info() { return m_info; }

    // The connection AIS_VELTA_MAIN of this module, opened in the calling thread on first use.
    QSqlDatabase& MainDb();
    void Disconnect(); // in the thread that opened it

    // The registry kind: new when PASPOR.DBF has the column KOD_PROF.
    bool NewRegistry() const { return m_newRegistry; }

    // The open registry files (etPaspor, etStreet, etTown, etProf; etArhWork when the
    // import asks for it).
    TRegistryTables& Registry() { return *m_registry; }

private:
    // The registry side of the creation: the five dBase files opened, the version check.
    void OpenPolyclinicDatabase();
    void ClosePolyclinicDatabase();

    TAppInfo& m_info;
    QString m_connectionName;
    QSqlDatabase m_db;
    QThread* m_dbThread = nullptr;
    bool m_newRegistry = false;
    std::unique_ptr<TRegistryTables> m_registry;
};
