#include "exchange/Unit_AdminExchange.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_Database.h"
#include "exchange/RplExport.h"
#include "exchange/RplImport.h"
#include "exchange/RplRegistry.h"
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSqlQuery>
#include <QTextStream>
#include <cstdio>

namespace {

// The exchange window of the command line: log lines to stdout, the start moment given.
class TConsoleWindow : public TRplWindow {
public:
    explicit TConsoleWindow(const QDate& from) : m_from(from) {}
    void AddLogLine(const QString& line) override
    {
        // Line by line, also into a pipe: whoever watches a long run sees it move.
        QTextStream out(stdout);
        out << line << "\n";
        out.flush();
        std::fflush(stdout);
    }
    bool AskExportStart(bool& customDate, QDateTime& moment) override
    {
        customDate = m_from.isValid();
        // The export starts one day before the picked date: the day after D gives D 00:00.
        if (customDate)
            moment = QDateTime(m_from.addDays(1), QTime(0, 0));
        return true;
    }

private:
    QDate m_from;
};

class TReplicatorScope {
public:
    explicit TReplicatorScope(TRplWindow* w) { SetReplicator(w); }
    ~TReplicatorScope() { SetReplicator(nullptr); }
};

class TAppInfoScope {
public:
    explicit TAppInfoScope(TAppInfo* info) : m_previous(AppInfo()) { SetAppInfo(info); }
    ~TAppInfoScope() { SetAppInfo(m_previous); }
private:
    TAppInfo* m_previous;
};

void SetLoginContext(TAppInfo& info, const QString& operatorName)
{
    TScopedConnection c("velta_admin_login", info.MainDatabaseFile(), TDatabase::ReadOnly);
    QSqlQuery q(c.Db());
    if (operatorName.isEmpty()) {
        TDatabase::Exec(q, "select count(*) from Operator");
        if (q.next() && q.value(0).toInt() == 0)
            return; // a first start: workstation 0 takes every file
        TDatabase::Exec(q, "select UserGID, WstGID, UserLevel from Operator where UserLevel = 1 order by UserGID limit 1");
        if (!q.next())
            throw ERplException("В базе данных нет администратора; укажите оператора ключом --operator ИМЯ");
    } else {
        TDatabase::Prepare(q, "select UserGID, WstGID, UserLevel from Operator where upper(UserName) = upper(:name) "
                              "order by UserGID limit 1");
        q.bindValue(":name", operatorName);
        TDatabase::Exec(q);
        if (!q.next())
            throw ERplException(QString("Оператор %1 не найден в базе данных").arg(operatorName));
    }
    info.UserGID = q.value(0).toInt();
    info.WstGID = q.value(1).toInt();
    info.UserLevel = q.value(2).toInt();
    info.LoggedIn = true;
    QSqlQuery w(c.Db());
    TDatabase::Prepare(w, "select HspGID from WorkStation where WstGID = :WstGID");
    w.bindValue(":WstGID", info.WstGID);
    TDatabase::Exec(w);
    info.HspGID = w.next() ? w.value(0).toInt() : 0;
}

QString Folder(const QString& path) { return TAppInfo::IncludeTrailingSlash(QDir(path).absolutePath()); }

} // namespace

bool IsAdminExchangeCommand(const QString& command)
{
    return command == "export" || command == "import-server" || command == "import-script" || command == "import-registry";
}

QString AdminExchangeUsage()
{
    return "  velta-admin export ПАПКА ПАПКА_ЭКСПОРТА [--from ГГГГ-ММ-ДД] [--operator ИМЯ]\n"
           "                                       выгрузить изменения для центрального сервера\n"
           "  velta-admin import-server ПАПКА ФАЙЛ [--operator ИМЯ]   загрузить справочники с сервера (.s2w)\n"
           "  velta-admin import-script ПАПКА ФАЙЛ [--operator ИМЯ]   исполнить SQL-скрипт сервера (.sql)\n"
           "  velta-admin import-registry ПАПКА ПАПКА_РЕЕСТРА [--key КЛЮЧ] [--update] [--operator ИМЯ]\n"
           "                                       принять пациентов из базы данных поликлиники\n";
}

int RunAdminExchangeCommand(const QStringList& args, const QString& veltaExecutable)
{
    QTextStream err(stderr);
    // Dates in the logs as the workstation writes them: the system's locale, Russian for C.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    try {
        QStringList positional;
        QString operatorName;
        QDate from;
        QString registryKey;
        bool registryUpdate = false;
        for (int i = 1; i < args.size(); ++i) {
            if (args[i] == "--operator" && i + 1 < args.size()) {
                operatorName = args[++i];
            } else if (args[i] == "--key" && i + 1 < args.size() && args[0] == "import-registry") {
                registryKey = args[++i];
            } else if (args[i] == "--update" && args[0] == "import-registry") {
                registryUpdate = true;
            } else if (args[i] == "--from" && i + 1 < args.size() && args[0] == "export") {
                from = QDate::fromString(args[++i], "yyyy-MM-dd");
                if (!from.isValid())
                    throw AppException(QString("Неверная дата \"%1\": ожидается ГГГГ-ММ-ДД").arg(args[i]));
            } else if (args[i].startsWith("--")) {
                throw AppException(QString("Неизвестный ключ %1").arg(args[i]));
            } else {
                positional << args[i];
            }
        }
        if (positional.size() != 2)
            throw AppException("Использование:\n" + AdminExchangeUsage());

        TAppInfo info(TFileLocations::For(veltaExecutable));
        TAppInfoScope appInfo(&info);
        info.SetMainDBPath(Folder(positional[0]));
        if (!QFileInfo(info.MainDatabaseFile()).isFile())
            throw EFileError(QString("В папке \"%1\" нет базы данных velta.db").arg(positional[0]));
        info.SetPolyDBPath(TAppInfo::IncludeTrailingSlash(info.Aliases().AliasPath(TAppInfo::PolyAlias)));
        info.SetImportDBPath(TAppInfo::IncludeTrailingSlash(info.ReadString("Settings", TAppInfo::ImportKey, QString())));
        info.SetExportDBPath(TAppInfo::IncludeTrailingSlash(info.ReadString("Settings", TAppInfo::ExportKey, QString())));
        SetLoginContext(info, operatorName);

        TConsoleWindow console(from);
        TReplicatorScope window(&console);
        std::unique_ptr<TRplThread> op;
        if (args[0] == "export") {
            info.SetExportDBPath(Folder(positional[1]));
            op = TRplThread::Create<TExWorkstationToServer>(true, info);
        } else if (args[0] == "import-registry") {
            info.SetPolyDBPath(Folder(positional[1]));
            op = TRplThread::Create<TImExternalToWorkstation>(true, info, QStringList{registryKey, registryUpdate ? "1" : "0"});
        } else {
            std::unique_ptr<TImportOperation> import;
            if (args[0] == "import-server")
                import = TRplThread::Create<TImServerToWorkstation>(true, info);
            else
                import = TRplThread::Create<TImScriptToWorkstation>(true, info);
            import->SetFileName(QFileInfo(positional[1]).absoluteFilePath());
            op = std::move(import);
        }
        op->RunHere();
        if (op->Result() == TRplWindow::ResultOK)
            return 0;
        err << (op->LastError().isEmpty() ? QString::fromUtf8("Операция не завершена") : op->LastError()) << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << ExceptionText(e) << "\n";
        return 1;
    }
}
