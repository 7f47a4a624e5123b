#include "exchange/WIEDataModule.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_Database.h"
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <shapefil.h>

namespace {
std::atomic<int> g_moduleCount{0};

// A registry file by its name, whatever the letter case of the name on disk.
QString FindFile(const QString& folder, const QString& name)
{
    const QString exact = QDir(folder).filePath(name);
    if (QFileInfo(exact).isFile())
        return exact;
    const QFileInfoList all = QDir(folder).entryInfoList(QDir::Files);
    for (const QFileInfo& fi : all)
        if (fi.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return fi.absoluteFilePath();
    return QString();
}
} // namespace

struct TWIEDM::TRegistry {
    DBFHandle etPaspor = nullptr;
    DBFHandle etStreet = nullptr;
    DBFHandle etTown = nullptr;
    DBFHandle etProf = nullptr;
    DBFHandle etArhWork = nullptr;
    // Old registries only: the day on which an employment history row must be valid
    // (started not after it, ended after it; an empty start or end counts as open).
    QDate ArhWorkValidOn;

    ~TRegistry()
    {
        for (DBFHandle h : {etPaspor, etStreet, etTown, etProf, etArhWork})
            if (h)
                DBFClose(h);
    }
};

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
    auto registry = std::make_unique<TRegistry>();
    const QString folder = m_info.PolyDBPath();
    const std::pair<DBFHandle*, const char*> files[] = {{&registry->etPaspor, PasporFile},
                                                        {&registry->etStreet, StreetFile},
                                                        {&registry->etTown, TownFile},
                                                        {&registry->etProf, ProfFile},
                                                        {&registry->etArhWork, ArhWorkFile}};
    for (const auto& [handle, name] : files) {
        const QString path = FindFile(folder, QString::fromLatin1(name));
        if (!path.isEmpty())
            *handle = DBFOpen(QFile::encodeName(path).constData(), "rb");
        if (!*handle)
            throw ERplException(QString("Нет доступа к базе данных поликлиники: не удаётся открыть файл %1 в папке \"%2\"")
                                    .arg(QString::fromLatin1(name), folder));
    }
    // A registry is of the new kind when its patients carry their occupation code.
    m_newRegistry = DBFGetFieldIndex(registry->etPaspor, "KOD_PROF") >= 0;
    if (!m_newRegistry)
        registry->ArhWorkValidOn = TClock::Today();
    m_registry = std::move(registry);
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
