#include "exchange/Unit_RegistryAdmin.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_Database.h"
#include "exchange/RplRegistry.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTextStream>

const char* const kRegistryCommandUsage =
    "  velta-admin import-registry ПАПКА ПАПКА_РЕЕСТРА [--key КЛЮЧ] [--update] [--operator ИМЯ]\n"
    "                                       принять пациентов из базы данных поликлиники\n";

namespace {

// The exchange window of a run without a screen: its log lines go to stdout.
class TStdoutWindow : public TRplWindow {
public:
    void AddLogLine(const QString& line) override
    {
        QTextStream out(stdout);
        out << line << "\n";
        out.flush();
    }
};

// The login context of the named operator, or of the first administrator.
void Login(TAppInfo& info, const QString& operatorName)
{
    TScopedConnection c("velta_admin_login", info.MainDatabaseFile(), TDatabase::ReadOnly);
    QSqlQuery q(c.Db());
    if (operatorName.isEmpty()) {
        TDatabase::Exec(q, "select UserGID, WstGID, UserLevel from Operator where UserLevel = 1 order by UserGID limit 1");
    } else {
        TDatabase::Prepare(q, "select UserGID, WstGID, UserLevel from Operator where upper(UserName) = upper(:Name) order by UserGID limit 1");
        q.bindValue(":Name", operatorName);
        TDatabase::Exec(q);
    }
    if (!q.next())
        throw AppException(operatorName.isEmpty()
                               ? QString("В базе данных нет ни одного администратора: укажите оператора (--operator ИМЯ)")
                               : QString("Оператор \"%1\" не найден в базе данных").arg(operatorName));
    info.UserGID = q.value(0).toInt();
    info.WstGID = q.value(1).toInt();
    info.UserLevel = q.value(2).toInt();
    QSqlQuery w(c.Db());
    TDatabase::Prepare(w, "select HspGID from Workstation where WstGID = :W");
    w.bindValue(":W", info.WstGID);
    TDatabase::Exec(w);
    info.HspGID = w.next() ? w.value(0).toInt() : 0;
    info.LoggedIn = true;
}

} // namespace

int RunAdminRegistryCommand(const QStringList& args)
{
    QTextStream err(stderr);
    QStringList folders;
    QString key, operatorName;
    bool update = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--update")
            update = true;
        else if ((args[i] == "--key" || args[i] == "--operator") && i + 1 < args.size())
            (args[i] == "--key" ? key : operatorName) = args[++i];
        else if (!args[i].startsWith("--"))
            folders << args[i];
        else
            folders << QString() << QString() << QString(); // an unknown option: the usage
    }
    if (folders.size() != 2) {
        err << "Использование:\n" << kRegistryCommandUsage;
        return 2;
    }
    SetReplicator(nullptr);
    try {
        TAppInfo info(TAppInfo::SettingsFileFor(QDir(QCoreApplication::applicationDirPath()).filePath("velta")));
        info.SetMainDBPath(TAppInfo::IncludeTrailingSlash(QFileInfo(folders[0]).absoluteFilePath()));
        info.SetPolyDBPath(TAppInfo::IncludeTrailingSlash(QFileInfo(folders[1]).absoluteFilePath()));
        if (!QFileInfo(info.MainDatabaseFile()).isFile())
            throw EFileError(QString("В папке \"%1\" нет базы данных рабочего места %2").arg(folders[0], TAppInfo::DatabaseFileName));
        Login(info, operatorName);
        TStdoutWindow window;
        SetReplicator(&window);
        struct TReset { ~TReset() { SetReplicator(nullptr); } } reset;
        auto op = TRplThread::Create<TImExternalToWorkstation>(true, info, QStringList{key, update ? "1" : "0"});
        op->RunHere();
        if (op->Result() == TRplWindow::ResultOK)
            return 0;
        err << op->LastError() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << ExceptionText(e) << "\n";
        return 1;
    }
}
