// The settings file, the alias registry, the location and first-run checks, and the
// start-up sequence.
#include "TestSupport.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_FileLocations.h"
#include "app/Unit_Startup.h"
#include "data/Unit_DataModule.h"
#include <QDir>
#include <QFile>
#include <optional>

using TestSupport::AskedTexts;
using TestSupport::TWorkstation;

namespace {
void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
// Sets environment variables for one test and puts the old values back.
class TEnvironment {
public:
    void Set(const char* name, const QByteArray& value)
    {
        Keep(name);
        qputenv(name, value);
    }
    void Unset(const char* name)
    {
        Keep(name);
        qunsetenv(name);
    }
    ~TEnvironment()
    {
        for (const auto& [name, value] : m_saved)
            value ? qputenv(name, *value) : qunsetenv(name);
    }

private:
    void Keep(const char* name)
    {
        m_saved.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    }
    std::vector<std::pair<const char*, std::optional<QByteArray>>> m_saved;
};

const QString kLocationsInvalid = "Отсутствует или неверна информация о расположении Баз Данных. После нажатия "
                                  "кнопки ОК появиться окно для настройки.";
}

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { TDialogs::ClearAsked(); }

    void iniNamesIgnoreCaseAndJunkLines()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + "/x.ini";
        WriteFile(path, "garbage line\n[Settings]\nIsServer=1\nnot a pair\n; comment=1\n[settings]\nLastUser=ИВАНОВ\n");
        TIniFile ini(path);
        QCOMPARE(ini.ReadBool("SETTINGS", "isserver", false), true);
        QCOMPARE(ini.ReadString("Settings", "lastuser", ""), QString("ИВАНОВ"));
        QCOMPARE(ini.ReadSection("settings"), QStringList({"IsServer", "LastUser"}));
        QCOMPARE(ini.ReadInteger("Settings", "Missing", -1), -1);
        ini.WriteInteger("sEttings", "LASTHSPGID", 7);
        // Every write is on disk at once, and other lines survive it.
        TIniFile again(path);
        QCOMPARE(again.ReadInteger("Settings", "LastHspGID", -1), 7);
        QVERIFY(ReadFile(path).contains("garbage line"));
        QCOMPARE(again.ReadSections().size(), 2);
    }

    void iniFileErrorsAreClear()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("dir.ini");
        try {
            TIniFile ini(dir.path() + "/dir.ini");
            QFAIL("a folder read as a settings file");
        } catch (const EFileError& e) {
            QVERIFY(e.Message().startsWith("Не удаётся прочитать файл настроек"));
        }
        WriteFile(dir.path() + "/blocker", "x");
        TIniFile ini(dir.path() + "/blocker/velta.ini");
        try {
            ini.WriteString("Settings", "A", "1");
            QFAIL("write into a missing folder reported success");
        } catch (const EFileError& e) {
            QVERIFY(e.Message().startsWith("Не удаётся записать файл настроек"));
        }
    }

    // A program folder that can be written is portable; one that cannot (also for root: a
    // path under /proc, a "folder" that is a file, or a probe that says no) keeps its files
    // in the XDG folders.
    void fileLocations_data()
    {
        QTest::addColumn<QString>("exe");     // relative to the test's folder unless absolute
        QTest::addColumn<int>("probe");       // -1 the real probe, 0 or 1 its answer
        QTest::addColumn<bool>("portable");
        QTest::newRow("writable program folder") << "bin/velta" << -1 << true;
        QTest::newRow("program folder not made yet") << "new/bin/velta" << -1 << true;
        QTest::newRow("folder under /proc") << "/proc/velta-test/velta" << -1 << false;
        QTest::newRow("parent is a file") << "blocker/velta" << -1 << false;
        QTest::newRow("probe refuses") << "bin/velta" << 0 << false;
    }
    void fileLocations()
    {
        QFETCH(QString, exe);
        QFETCH(int, probe);
        QFETCH(bool, portable);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("bin");
        WriteFile(dir.path() + "/blocker", "a file, not a folder");
        TEnvironment env;
        env.Set("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
        env.Set("XDG_STATE_HOME", (dir.path() + "/state").toUtf8());
        const QString exePath = exe.startsWith('/') ? exe : dir.path() + "/" + exe;
        const TFileLocations where = probe < 0 ? TFileLocations::For(exePath)
                                               : TFileLocations::For(exePath, [&](const QString&) { return probe == 1; });
        QCOMPARE(where.Portable, portable);
        const QString exeFolder = QFileInfo(exePath).absolutePath() + "/";
        if (portable) {
            QCOMPARE(where.SettingsFile, exePath + ".ini");
            QCOMPARE(where.AliasFile, exeFolder + "aliases.ini");
            QCOMPARE(where.LogFolder, exeFolder);
        } else {
            QCOMPARE(where.SettingsFile, dir.path() + "/config/velta/velta.ini");
            QCOMPARE(where.AliasFile, dir.path() + "/config/velta/aliases.ini");
            QCOMPARE(where.LogFolder, dir.path() + "/state/velta/");
        }
        // The settings object uses what was decided; saving makes the folders it needs.
        TAppInfo info(where);
        QCOMPARE(info.FileName(), where.SettingsFile);
        QCOMPARE(info.LogFolder(), where.LogFolder);
        if (!portable) {
            info.CheckAliases();
            info.SaveLocations();
            QVERIFY(QFileInfo(where.SettingsFile).isFile());
            QVERIFY(QFileInfo(where.AliasFile).isFile());
        }
    }

    // Without XDG_CONFIG_HOME and XDG_STATE_HOME (or with relative ones, which do not count)
    // the files go under the home folder.
    void fileLocationsDefaultToHome_data()
    {
        QTest::addColumn<bool>("relative");
        QTest::newRow("unset") << false;
        QTest::newRow("relative values") << true;
    }
    void fileLocationsDefaultToHome()
    {
        QFETCH(bool, relative);
        QTemporaryDir home;
        TEnvironment env;
        env.Set("HOME", home.path().toUtf8());
        if (relative) {
            env.Set("XDG_CONFIG_HOME", "config");
            env.Set("XDG_STATE_HOME", "state");
        } else {
            env.Unset("XDG_CONFIG_HOME");
            env.Unset("XDG_STATE_HOME");
        }
        const TFileLocations where = TFileLocations::For("/proc/velta-test/velta");
        QCOMPARE(where.SettingsFile, home.path() + "/.config/velta/velta.ini");
        QCOMPARE(where.LogFolder, home.path() + "/.local/state/velta/");
        QCOMPARE(TFileLocations::ProposedFolder("main"), home.path() + "/velta/main/");
    }

    void exportTableList()
    {
        TWorkstation ws(false, false);
        WriteFile(ws.SettingsFile(), "[Workstation-To-Server Replicated Tables]\nPerson=\nAddress=1\n");
        TAppInfo info(ws.SettingsFile(), ws.AliasFile());
        QCOMPARE(info.ExportTableList(),
                 QStringList({"Person", "Address", "Brigade", "Brighsp", "Diagnosis", "Doctype", "Hospital", "Hosptype",
                              "Medpreparat", "Medprepgroup", "Operator", "Region", "Workstation"}));
        QCOMPARE(info.LoggedIn, false);
    }

    void freshMachineOpensSettingsWindow()
    {
        TWorkstation ws(false, false);
        TAppInfo info(ws.SettingsFile(), ws.AliasFile());
        info.CheckAliases();
        QStringList params;
        info.Aliases().GetAliasParams("AIS_VELTA_MAIN", params);
        QCOMPARE(params, QStringList({"PATH=", "DEFAULT DRIVER=PARADOX"}));
        params.clear();
        info.Aliases().GetAliasParams("ais_velta_poly", params);
        QCOMPARE(params, QStringList({"PATH=", "DEFAULT DRIVER=DBASE"}));

        int settingsRuns = 0;
        info.Hooks.RunSettings = [&] { ++settingsRuns; return false; };
        QCOMPARE(info.CheckLocations(), false);
        QCOMPARE(settingsRuns, 1);
        QCOMPARE(AskedTexts(), QStringList({kLocationsInvalid,
                                            "Без указания Баз Данных дальнейшее выполнение программы невозможно!"}));
        QCOMPARE(info.MainDBPath(), QString("/"));
        QCOMPARE(TDialogs::Asked().first().type, TBoxType::Error);
    }

    void settingsWindowConfirmedSavesLocations()
    {
        TWorkstation ws(false, false);
        TAppInfo info(ws.SettingsFile(), ws.AliasFile());
        info.CheckAliases();
        info.Hooks.RunSettings = [&] {
            // The window stores the texts as typed, without a trailing slash.
            info.SetMainDBPath(ws.Root() + "main");
            info.SetPolyDBPath(ws.PolyFolder());
            info.SetImportDBPath(ws.ImportFolder());
            info.SetExportDBPath(ws.ExportFolder());
            info.SaveLocations();
            return true;
        };
        QVERIFY(info.CheckLocations());
        QCOMPARE(info.Aliases().AliasPath("AIS_VELTA_MAIN"), ws.Root() + "main");
        QCOMPARE(info.ReadString("Settings", "AIS_VELTA_EXPORT", ""), ws.ExportFolder());
        // The next start adds the slash and finds everything valid.
        TDialogs::ClearAsked();
        TAppInfo next(ws.SettingsFile(), ws.AliasFile());
        QVERIFY(next.CheckLocations());
        QCOMPARE(next.MainDBPath(), ws.MainFolder());
        QVERIFY(TDialogs::Asked().isEmpty());
    }

    void locationRules_data()
    {
        QTest::addColumn<bool>("server");
        QTest::addColumn<QString>("main");
        QTest::addColumn<QString>("poly");
        QTest::addColumn<bool>("valid");
        QTest::newRow("all set") << false << "main" << "poly" << true;
        QTest::newRow("poly unset") << false << "main" << "" << false;
        QTest::newRow("missing folder") << false << "main" << "nowhere" << false;
        QTest::newRow("server, databases unset") << true << "" << "" << true;
        QTest::newRow("server, missing folder") << true << "nowhere" << "" << false;
    }
    void locationRules()
    {
        QFETCH(bool, server);
        QFETCH(QString, main);
        QFETCH(QString, poly);
        QFETCH(bool, valid);
        TWorkstation ws(true, false);
        TAliasRegistry aliases(ws.AliasFile());
        aliases.ModifyAlias("AIS_VELTA_MAIN", {"PATH=" + (main.isEmpty() ? QString() : ws.Root() + main)});
        aliases.ModifyAlias("AIS_VELTA_POLY", {"PATH=" + (poly.isEmpty() ? QString() : ws.Root() + poly)});
        TAppInfo info(ws.SettingsFile(), ws.AliasFile());
        info.WriteBool("Settings", "IsServer", server);
        QCOMPARE(info.CheckLocations(), valid);
        QCOMPARE(TDialogs::Asked().isEmpty(), valid);
    }

    void firstRunChecks_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("importsSucceed");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("ok");
        const QString noOperators = "Обнаружен первый запуск приложения. Необходимо \r\nвнести информацию об "
                                    "операторах. После нажатия \r\nкнопки ОК выполните это действие.";
        const QString noMedicines = "Обнаружен первый запуск приложения. Необходимо \r\nвнести информацию "
                                    "справочников. После нажатия \r\nкнопки ОК выполните это действие.";
        const QString failed = "Ошибка первого запуска приложения. \r\nДальнейшее выполнение приложения не "
                               "возможно. \r\nОбратитесь к разработчику.";
        const QString noTable = "Отсутствует таблица с данными об операторах. \r\nДальнейшее выполнение "
                                "приложения не возможно. \r\nОбратитесь к разработчику.";
        QTest::newRow("ready") << "operators,medicines" << false << QStringList() << true;
        QTest::newRow("only medicines missing") << "operators" << true << QStringList{noMedicines} << true;
        QTest::newRow("empty UserGID counts as none") << "blankoperator,medicines" << false
                                                      << QStringList{noOperators, failed} << false;
        QTest::newRow("import not available") << "medicines" << false << QStringList{noOperators, failed} << false;
        QTest::newRow("both imported") << "" << true << QStringList{noOperators, noMedicines} << true;
        QTest::newRow("no database") << "nodb" << true << QStringList{noTable} << false;
    }
    void firstRunChecks()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, importsSucceed);
        QFETCH(QStringList, boxes);
        QFETCH(bool, ok);
        TWorkstation ws(true, fixture != "nodb");
        if (fixture.contains("operators"))
            ws.Exec("insert into Operator(WstGID, UserGID, UserName, UserHash, UserLevel) values(1, 1, 'A', '0', 1)");
        if (fixture.contains("blankoperator"))
            ws.Exec("insert into Operator(WstGID, UserName) values(1, 'A')");
        if (fixture.contains("medicines"))
            ws.Exec("insert into MedPreparat(MprGID, MprName1) values(1, 'ЭНАЛАПРИЛ')");
        TAppInfo& info = ws.Info();
        if (importsSucceed) {
            info.Hooks.RunScriptImport = [] { return true; };
            info.Hooks.RunServerImport = [] { return true; };
        }
        TDialogs::ClearAsked();
        QCOMPARE(info.CheckFirstRun(), ok);
        QCOMPARE(AskedTexts(), boxes);
    }

    void damagedDatabaseStopsWithEngineMessage()
    {
        TWorkstation ws(true, false);
        WriteFile(ws.DatabaseFile(), QByteArray(4096, 'x'));
        QCOMPARE(ws.Info().CheckFirstRun(), false);
        QCOMPARE(TDialogs::Asked().size(), 1);
        QVERIFY2(TDialogs::LastText().contains("not a database"), qPrintable(TDialogs::LastText()));
    }

    void startupEndsInOrder()
    {
        TWorkstation ws;
        ws.Exec("insert into Operator(WstGID, UserGID, UserName, UserHash, UserLevel) values(1, 1, 'A', '0', 1)");
        ws.Exec("insert into MedPreparat(MprGID, MprName1) values(1, 'ЭНАЛАПРИЛ')");
        TAppInfo info(ws.SettingsFile(), ws.AliasFile());
        TStartupWindows w;
        int logins = 0;
        w.ShowLogin = [&] { ++logins; return false; };
        QCOMPARE(RunStartup(info, w), 0);
        QCOMPARE(TDialogs::LastText(), QString());
        QCOMPARE(logins, 1);
        QVERIFY(TDialogs::Asked().isEmpty());
        QCOMPARE(TDialogs::Title(), QString("АИС VELTA (подсистема сбора анкетных данных)"));

        // After a login the data module is made before the main window runs.
        bool sawPatients = false;
        w.ShowLogin = [&] { info.LoggedIn = true; return true; };
        w.RunMainWindow = [&](TDM& dm) { sawPatients = dm.PersonsOpen() && DM() == &dm; };
        QCOMPARE(RunStartup(info, w), 0);
        QVERIFY(sawPatients);
        QVERIFY(DM() == nullptr);
    }

    void startupStopsWhenAliasRegistryCannotBeWritten()
    {
        TWorkstation ws(false, false);
        QDir(ws.Root()).mkdir("aliases.ini"); // a folder where the registry should be
        try {
            TAppInfo info(ws.SettingsFile(), ws.AliasFile());
            QFAIL("an unreadable alias registry was accepted");
        } catch (const EFileError& e) {
            QVERIFY(e.Message().contains("aliases.ini"));
        }
        QFile::remove(ws.AliasFile());
        QDir(ws.Root()).rmdir("aliases.ini");
        TAppInfo info(ws.SettingsFile(), ws.Root() + "missing/x/aliases.ini");
        WriteFile(ws.Root() + "missing", "file in the way");
        TStartupWindows w;
        w.ShowLogin = [] { return true; };
        QCOMPARE(RunStartup(info, w), 1);
        QVERIFY(TDialogs::LastText().startsWith("Не удаётся записать файл настроек"));
    }
};

VELTA_TEST_MAIN(TestSettings)
#include "test_settings.moc"
