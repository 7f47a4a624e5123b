#pragma once
// The settings object: reader and writer of the settings file, keeper of the four storage
// locations and the database aliases, holder of the login context. One lives for the whole
// run (AppInfo()); the start-up creates it before anything else.
#include "app/Unit_AliasRegistry.h"
#include "app/Unit_FileLocations.h"
#include "app/Unit_IniFile.h"
#include <QVariant>
#include <functional>
#include <memory>

extern const char* const kAppTitle; // "АИС VELTA (подсистема сбора анкетных данных)"

// What the start-up asks of parts outside the settings object. An unset hook counts as a
// refusal (the settings window cancelled, a first-run import failed).
struct TStartupHooks {
    std::function<bool()> RunSettings;     // the settings window; true when confirmed
    std::function<bool()> RunScriptImport; // first run: operators from an SQL script
    std::function<bool()> RunServerImport; // first run: reference books from a server archive
};

class TAppInfo : public TIniFile {
public:
    static constexpr const char* MainAlias = "AIS_VELTA_MAIN";
    static constexpr const char* PolyAlias = "AIS_VELTA_POLY";
    static constexpr const char* ImportKey = "AIS_VELTA_IMPORT";
    static constexpr const char* ExportKey = "AIS_VELTA_EXPORT";
    static constexpr const char* DatabaseFileName = "velta.db";

    // The program's own files as TFileLocations decided them.
    explicit TAppInfo(const TFileLocations& where);
    // A settings file of its own (tests, tools): the alias registry (unless given) and the
    // exchange log lie in the settings file's folder, the portable layout.
    explicit TAppInfo(const QString& settingsFile, const QString& aliasFile = QString(),
                      const QString& logFolder = QString());

    // Locations, each ending in "/" ("/" alone when unset).
    const QString& MainDBPath() const { return m_mainDBPath; }
    const QString& PolyDBPath() const { return m_polyDBPath; }
    const QString& ImportDBPath() const { return m_importDBPath; }
    const QString& ExportDBPath() const { return m_exportDBPath; }
    void SetMainDBPath(const QString& v) { m_mainDBPath = v; }
    void SetPolyDBPath(const QString& v) { m_polyDBPath = v; }
    void SetImportDBPath(const QString& v) { m_importDBPath = v; }
    void SetExportDBPath(const QString& v) { m_exportDBPath = v; }
    QString MainDatabaseFile() const { return m_mainDBPath + DatabaseFileName; }

    bool IsServer() const { return ReadBool("Settings", "IsServer", false); }
    // The folder of the exchange log "log.txt" (ending in "/"); the exchange creates it.
    const QString& LogFolder() const { return m_logFolder; }
    const QStringList& ExportTableList() const { return m_exportTableList; }
    TAliasRegistry& Aliases() { return m_aliases; }

    // Login context.
    bool LoggedIn = false;
    int UserGID = 0;
    int WstGID = 0;
    int HspGID = 0;
    int UserLevel = 0;

    TStartupHooks Hooks;

    void CheckAliases();
    bool CheckLocations();  // false: the program ends
    bool CheckFirstRun();   // false: the program ends
    void SaveLocations();

    // Ensures exactly one trailing "/" is present (an empty text becomes "/").
    static QString IncludeTrailingSlash(const QString& path);

private:
    bool LocationsValid() const;
    bool RunFirstRunImport(const std::function<bool()>& hook);

    TAliasRegistry m_aliases;
    QString m_logFolder;
    QString m_mainDBPath = "/";
    QString m_polyDBPath = "/";
    QString m_importDBPath = "/";
    QString m_exportDBPath = "/";
    QStringList m_exportTableList;
};

// The single settings object of the run; null before the start-up creates it.
TAppInfo* AppInfo();
void SetAppInfo(TAppInfo* info);

// Shows an error's message in an error box with an OK button.
void ShowExceptionMessage(const std::exception& e);
// Null stays null; anything else: its text in upper case (Cyrillic too), stripped of
// leading and trailing blanks and control characters.
QVariant NormalizeValue(const QVariant& value);
// Open or close the data module's connection, when the data module exists.
void OpenMainDatabase();
void CloseMainDatabase();
