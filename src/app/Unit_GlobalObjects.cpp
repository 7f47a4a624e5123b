#include "app/Unit_GlobalObjects.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"
#include "data/Unit_Database.h"
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

const char* const kAppTitle = "АИС VELTA (подсистема сбора анкетных данных)";

namespace {
TAppInfo* g_appInfo = nullptr;

const char* const kFixedExportTables[] = {"Brigade", "Brighsp", "Diagnosis", "Doctype", "Hospital", "Hosptype",
                                          "Medpreparat", "Medprepgroup", "Operator", "Region", "Workstation"};

QString FolderOf(const QString& file) { return TAppInfo::IncludeTrailingSlash(QFileInfo(file).absolutePath()); }
}

TAppInfo* AppInfo() { return g_appInfo; }
void SetAppInfo(TAppInfo* info) { g_appInfo = info; }

TAppInfo::TAppInfo(const TFileLocations& where) : TAppInfo(where.SettingsFile, where.AliasFile, where.LogFolder) {}

TAppInfo::TAppInfo(const QString& settingsFile, const QString& aliasFile, const QString& logFolder)
    : TIniFile(settingsFile),
      m_aliases(aliasFile.isEmpty() ? FolderOf(settingsFile) + "aliases.ini" : aliasFile),
      m_logFolder(logFolder.isEmpty() ? FolderOf(settingsFile) : IncludeTrailingSlash(logFolder))
{
    m_exportTableList = ReadSection("Workstation-To-Server Replicated Tables");
    for (const char* name : kFixedExportTables)
        m_exportTableList << QString::fromLatin1(name);
}

QString TAppInfo::IncludeTrailingSlash(const QString& path)
{
    return path.endsWith('/') ? path : path + '/';
}

void TAppInfo::CheckAliases()
{
    if (!m_aliases.IsAlias(MainAlias))
        m_aliases.AddStandardAlias(MainAlias, QString(), "PARADOX");
    if (!m_aliases.IsAlias(PolyAlias))
        m_aliases.AddStandardAlias(PolyAlias, QString(), "DBASE");
}

bool TAppInfo::LocationsValid() const
{
    const auto set = [](const QString& p) { return p != "/"; };
    if (!((set(m_mainDBPath) && set(m_polyDBPath)) || IsServer()))
        return false;
    if (!set(m_importDBPath) || !set(m_exportDBPath))
        return false;
    for (const QString& p : {m_mainDBPath, m_polyDBPath, m_importDBPath, m_exportDBPath})
        if (!QFileInfo(p).isDir())
            return false;
    return true;
}

bool TAppInfo::CheckLocations()
{
    m_mainDBPath = IncludeTrailingSlash(m_aliases.AliasPath(MainAlias));
    m_polyDBPath = IncludeTrailingSlash(m_aliases.AliasPath(PolyAlias));
    m_importDBPath = IncludeTrailingSlash(ReadString("Settings", ImportKey, QString()));
    m_exportDBPath = IncludeTrailingSlash(ReadString("Settings", ExportKey, QString()));
    if (LocationsValid()) {
        SaveLocations();
        return true;
    }
    TDialogs::Error("Отсутствует или неверна информация о расположении Баз Данных. После нажатия кнопки ОК "
                    "появиться окно для настройки.");
    if (!Hooks.RunSettings || !Hooks.RunSettings()) {
        TDialogs::Error("Без указания Баз Данных дальнейшее выполнение программы невозможно!");
        return false;
    }
    SaveLocations();
    return true;
}

void TAppInfo::SaveLocations()
{
    std::exception_ptr aliasFailure;
    try {
        for (const auto& [alias, path] : {std::pair{MainAlias, m_mainDBPath}, std::pair{PolyAlias, m_polyDBPath}}) {
            QStringList params;
            m_aliases.GetAliasParams(alias, params);
            bool replaced = false;
            for (QString& line : params)
                if (line.section('=', 0, 0).compare("PATH", Qt::CaseInsensitive) == 0) {
                    line = "PATH=" + path;
                    replaced = true;
                }
            if (!replaced)
                params << "PATH=" + path;
            m_aliases.ModifyAlias(alias, params);
        }
    } catch (...) {
        aliasFailure = std::current_exception();
    }
    m_aliases.SaveConfigFile();
    WriteString("Settings", ImportKey, m_importDBPath);
    WriteString("Settings", ExportKey, m_exportDBPath);
    if (aliasFailure)
        std::rethrow_exception(aliasFailure);
}

bool TAppInfo::RunFirstRunImport(const std::function<bool()>& hook)
{
    bool ok = false;
    try {
        ok = hook && hook();
    } catch (const std::exception&) {
        ok = false;
    }
    if (!ok)
        TDialogs::Error("Ошибка первого запуска приложения. \r\nДальнейшее выполнение приложения не возможно. "
                        "\r\nОбратитесь к разработчику.");
    return ok;
}

bool TAppInfo::CheckFirstRun()
{
    const auto count = [this](const QString& sql) {
        TScopedConnection c("velta_firstrun", MainDatabaseFile(), TDatabase::ReadOnly);
        QSqlQuery q(c.Db());
        TDatabase::Exec(q, sql);
        return q.next() ? q.value(0).toInt() : 0;
    };
    try {
        if (!TDatabase::HasWorkstationTable(MainDatabaseFile(), "Operator")) {
            TDialogs::Error("Отсутствует таблица с данными об операторах. \r\nДальнейшее выполнение приложения не "
                            "возможно. \r\nОбратитесь к разработчику.");
            return false;
        }
        if (count("select count(UserGID) from operator") == 0) {
            TDialogs::Warning("Обнаружен первый запуск приложения. Необходимо \r\nвнести информацию об операторах. "
                              "После нажатия \r\nкнопки ОК выполните это действие.");
            if (!RunFirstRunImport(Hooks.RunScriptImport))
                return false;
        }
        if (count("select count(MprGID) from MedPreparat") == 0) {
            TDialogs::Warning("Обнаружен первый запуск приложения. Необходимо \r\nвнести информацию справочников. "
                              "После нажатия \r\nкнопки ОК выполните это действие.");
            if (!RunFirstRunImport(Hooks.RunServerImport))
                return false;
        }
    } catch (const std::exception& e) {
        // A damaged database: the start-up cannot go on.
        ShowExceptionMessage(e);
        return false;
    }
    return true;
}

void ShowExceptionMessage(const std::exception& e)
{
    TDialogs::Error(ExceptionText(e));
}

QVariant NormalizeValue(const QVariant& value)
{
    if (value.isNull())
        return value;
    // Trimmed before upper-casing (the same result, as no letter becomes a blank): text that is
    // already upper case and trimmed, as most of a registry is, is then never copied.
    const QString s = value.toString();
    const auto blankOrControl = [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; };
    qsizetype b = 0, e = s.size();
    while (b < e && blankOrControl(s[b]))
        ++b;
    while (e > b && blankOrControl(s[e - 1]))
        --e;
    return QVariant(s.mid(b, e - b).toUpper());
}
