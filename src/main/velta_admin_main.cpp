// velta-admin: the administrator's command line.
//   velta-admin init-db FOLDER   make a new, empty workstation database in FOLDER
#include "app/Unit_Exceptions.h"
#include "data/Unit_Schema.h"
#include <QCoreApplication>
#include <QTextStream>

namespace {
int Usage()
{
    QTextStream(stderr) << "Использование:\n"
                           "  velta-admin init-db ПАПКА   создать пустую базу данных рабочего места\n";
    return 2;
}
}

int main(int argc, char** argv)
{
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
    } catch (const std::exception& e) {
        err << ExceptionText(e) << "\n";
        return 1;
    }
    return Usage();
}
