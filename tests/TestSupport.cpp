#include "TestSupport.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Dialogs.h"
#include "data/Unit_Database.h"
#include "data/Unit_Schema.h"
#include <QDir>
#include <QLocale>
#include <QSqlQuery>
#include <QTest>

namespace TestSupport {

void TypeText(QWidget* w, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QStringList AskedTexts()
{
    QStringList texts;
    for (const TDialogRequest& r : TDialogs::Asked())
        texts << r.text;
    return texts;
}

void InitEnvironment()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TClock::SetFixed(FixedNow());
    TDialogs::SetTitle(QString::fromUtf8(kAppTitle));
}

QDateTime FixedNow() { return QDateTime(QDate(2026, 12, 10), QTime(10, 0, 0)); }

TWorkstation::TWorkstation(bool withLocations, bool withDatabase)
{
    for (const char* sub : {"main", "poly", "import", "export"})
        QDir(m_dir.path()).mkpath(sub);
    if (withDatabase)
        TSchema::CreateWorkstationDatabase(MainFolder());
    if (withLocations) {
        TAliasRegistry aliases(AliasFile());
        aliases.AddStandardAlias(TAppInfo::MainAlias, MainFolder(), "PARADOX");
        aliases.AddStandardAlias(TAppInfo::PolyAlias, PolyFolder(), "DBASE");
        TIniFile ini(SettingsFile());
        ini.WriteString("Settings", TAppInfo::ImportKey, ImportFolder());
        ini.WriteString("Settings", TAppInfo::ExportKey, ExportFolder());
    }
    TDialogs::ClearAsked();
}

TWorkstation::~TWorkstation()
{
    if (AppInfo() == m_info.get())
        SetAppInfo(nullptr);
    TDatabase::Close("test");
}

TAppInfo& TWorkstation::Info()
{
    if (!m_info) {
        m_info = std::make_unique<TAppInfo>(SettingsFile(), AliasFile());
        m_info->SetMainDBPath(MainFolder());
        m_info->SetPolyDBPath(PolyFolder());
        m_info->SetImportDBPath(ImportFolder());
        m_info->SetExportDBPath(ExportFolder());
        SetAppInfo(m_info.get());
    }
    return *m_info;
}

QSqlDatabase TWorkstation::Db()
{
    if (!QSqlDatabase::contains("test"))
        return TDatabase::Open("test", DatabaseFile());
    return QSqlDatabase::database("test");
}

void TWorkstation::Exec(const QString& sql)
{
    QSqlDatabase db = Db();
    TDatabase::Exec(db, sql);
}

QVariant TWorkstation::Scalar(const QString& sql)
{
    QSqlQuery q(Db());
    TDatabase::Exec(q, sql);
    return q.next() ? q.value(0) : QVariant();
}

} // namespace TestSupport
