// velta-admin: the administrator's command line.
//   velta-admin init-db FOLDER        make a new, empty workstation database in FOLDER
//   velta-admin demo FOLDER [VELTA]   make the demo polyclinic in FOLDER and point the
//                                     settings of the program VELTA (default: the velta
//                                     beside this program) at it
//   velta-admin report FOLDER CHOICE ... a report of the wizard as PDF (and CSV)
#include "app/Unit_Exceptions.h"
#include "data/Unit_DemoData.h"
#include "data/Unit_Schema.h"
#include "exchange/Unit_AdminExchange.h"
#include "reports/Unit_ReportCommand.h"
#include <QDir>
#include <QCoreApplication>
#include <QTextStream>

namespace {
int Usage()
{
    QTextStream(stderr) << "Использование:\n"
                           "  velta-admin init-db ПАПКА            создать пустую базу данных рабочего места\n"
                           "  velta-admin demo ПАПКА [ПРОГРАММА]   создать демонстрационную поликлинику\n"
                        << AdminExchangeUsage() << kReportCommandUsage;
    return 2;
}
}

int main(int argc, char** argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "report")
        return RunAdminReportCommand(argc, argv);
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return Usage();
    QTextStream out(stdout), err(stderr);
    try {
        if (args[1] == "init-db" && args.size() == 3) {
            TSchema::CreateWorkstationDatabase(args[2]);
            out << "Создана база данных " << args[2] << "/velta.db\n";
            return 0;
        }
        if (IsAdminExchangeCommand(args[1]))
            return RunAdminExchangeCommand(args.mid(1), QDir(app.applicationDirPath()).filePath("velta"));
        if (args[1] == "demo" && (args.size() == 3 || args.size() == 4)) {
            const QString exe = args.size() == 4 ? args[3] : QDir(app.applicationDirPath()).filePath("velta");
            const TDemoResult r = CreateDemoPolyclinic(args[2], exe);
            out << "Демонстрационная поликлиника создана в " << args[2] << ": пациентов " << r.Patients
                << ", документов " << r.Documents << ".\nНастройки: " << r.SettingsFile << "\n";
            return 0;
        }
    } catch (const std::exception& e) {
        err << ExceptionText(e) << "\n";
        return 1;
    }
    return Usage();
}
