#include "exchange/WIEDataModule.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_Database.h"
#include <atomic>

namespace {
std::atomic<int> g_moduleCount{0};
} // namespace

TWIEDM::TWIEDM(TAppInfo& info)
    : m_info(info), m_connectionName(QString("velta_wiedm_%1").arg(++g_moduleCount))
{
    OpenPolyclinicDatabase();
}

TWIEDM::~TWIEDM()
{
    Disconnect();
    ClosePolyclinicDatabase();
}

void TWIEDM::OpenPolyclinicDatabase()
{
    // Every file is checked and read here, so a damaged registry is refused before any write.
    m_registry = std::make_unique<TRegistryTables>(m_info.PolyDBPath());
    m_newRegistry = m_registry->IsNewRegistry();
}

void TWIEDM::ClosePolyclinicDatabase() { m_registry.reset(); }

QSqlDatabase& TWIEDM::MainDb()
{
    if (m_db.isOpen() && m_dbThread != QThread::currentThread())
        throw EDatabaseError("Соединение модуля обмена принадлежит другому потоку");
    if (!m_db.isOpen()) {
        m_db = TDatabase::Open(m_connectionName, m_info.MainDatabaseFile());
        m_dbThread = QThread::currentThread();
    }
    return m_db;
}

void TWIEDM::Disconnect()
{
    if (!m_db.isValid())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
    m_dbThread = nullptr;
}
