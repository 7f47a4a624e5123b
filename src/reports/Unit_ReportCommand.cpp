#include "reports/Unit_ReportCommand.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Exceptions.h"
#include "data/Unit_Database.h"
#include "reports/Unit_ReportBase.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QTextStream>

const char* const kReportCommandUsage =
    "  velta-admin report ПАПКА ОТЧЁТ [параметры] --pdf ФАЙЛ [--csv ФАЙЛ]\n"
    "      сформировать отчёт 1-9 мастера отчётов по базе ПАПКА/velta.db; параметры:\n"
    "      --from ГГГГ-ММ-ДД --to ГГГГ-ММ-ДД (по умолчанию сегодня), --city НАЗВАНИЕ (по умолчанию все),\n"
    "      --areas ТЕКСТ (\"1-100\"), --age-min N (10), --age-max N (70), --sex all|male|female (all),\n"
    "      --source sheets|cards (для отчётов 5-9; sheets)\n";

namespace {
const int kNoData = 3;

struct TCommand {
    QString folder;
    int choice = 0;
    QDate from, to;
    QString city;
    QString areas = "1-100";
    QString ageMin = "10", ageMax = "70";
    QString sex = "2";
    int source = 1;
    QString pdf, csv;
};

QDate IsoDate(const QString& option, const QString& text)
{
    const QDate d = QDate::fromString(text, "yyyy-MM-dd");
    if (!d.isValid())
        throw AppException(QString::fromUtf8("%1: неверная дата \"%2\", нужна ГГГГ-ММ-ДД.").arg(option, text));
    return d;
}

TCommand Parse(const QStringList& args)
{
    if (args.size() < 2)
        throw AppException(QString::fromUtf8("Укажите папку базы данных и номер отчёта."));
    TCommand c;
    c.folder = args[0];
    bool ok = false;
    c.choice = args[1].toInt(&ok);
    if (!ok || c.choice < 1 || c.choice > 9)
        throw AppException(QString::fromUtf8("Неизвестный отчёт \"%1\": укажите номер от 1 до 9.").arg(args[1]));
    c.from = c.to = TClock::Today();
    for (int i = 2; i < args.size(); ++i) {
        const QString opt = args[i];
        if (i + 1 >= args.size())
            throw AppException(QString::fromUtf8("У параметра %1 нет значения.").arg(opt));
        const QString v = args[++i];
        if (opt == "--from")
            c.from = IsoDate(opt, v);
        else if (opt == "--to")
            c.to = IsoDate(opt, v);
        else if (opt == "--city")
            c.city = v;
        else if (opt == "--areas")
            c.areas = v;
        else if (opt == "--age-min")
            c.ageMin = v;
        else if (opt == "--age-max")
            c.ageMax = v;
        else if (opt == "--sex") {
            if (v == "all")
                c.sex = "2";
            else if (v == "male")
                c.sex = "1";
            else if (v == "female")
                c.sex = "0";
            else
                throw AppException(QString::fromUtf8("--sex: ожидается all, male или female, а не \"%1\".").arg(v));
        } else if (opt == "--source") {
            if (v == "sheets")
                c.source = 1;
            else if (v == "cards")
                c.source = 2;
            else
                throw AppException(QString::fromUtf8("--source: ожидается sheets или cards, а не \"%1\".").arg(v));
        } else if (opt == "--pdf")
            c.pdf = v;
        else if (opt == "--csv")
            c.csv = v;
        else
            throw AppException(QString::fromUtf8("Неизвестный параметр %1.").arg(opt));
    }
    if (c.pdf.isEmpty())
        throw AppException(QString::fromUtf8("Укажите файл отчёта: --pdf ФАЙЛ."));
    return c;
}

// The city's name as the book spells it and its identifier, found by name ignoring letter case.
QStringList FindCity(QSqlDatabase& db, const QString& name)
{
    QSqlQuery q(db);
    TDatabase::Prepare(q, "select CityName, CityLID from City where CityName = :name collate UNOCASE order by CityLID");
    q.bindValue(":name", name);
    TDatabase::Exec(q);
    if (!q.next())
        throw AppException(QString::fromUtf8("Населённый пункт \"%1\" не найден в справочнике городов.").arg(name));
    return {q.value(0).toString(), q.value(1).toString()};
}

int Run(const QStringList& args)
{
    const TCommand c = Parse(args);
    const QString file = QDir(c.folder).filePath("velta.db");
    if (!TDatabase::HasWorkstationTable(file, "Document"))
        throw AppException(QString::fromUtf8("В папке \"%1\" нет базы данных рабочего места velta.db.").arg(c.folder));
    TScopedConnection connection("velta_report", file);
    QSqlDatabase& db = connection.Db();

    // The parameter list exactly as the wizard builds it.
    QStringList params = c.city.isEmpty() ? QStringList{"*", "0"} : FindCity(db, c.city);
    params << QString(c.areas).remove(' ') << ShortDateText(c.from) << ShortDateText(c.to) << c.ageMin << c.ageMax << c.sex;
    params << ChoiceItems(c.choice, c.source);
    std::unique_ptr<TReport> report = CreateReport(c.choice, db, params, 2);
    report->Build();
    QTextStream err(stderr), out(stdout);
    if (report->Areas().Empty())
        err << QString::fromUtf8(kEmptyAreaListText) << "\n";
    if (report->NoData()) {
        err << QString::fromUtf8(kNoDataText) << "\n";
        return kNoData;
    }
    report->Layout().SaveToPdf(c.pdf);
    if (!c.csv.isEmpty()) {
        try {
            report->Table().WriteCsv(c.csv);
        } catch (...) {
            QFile::remove(c.pdf);
            throw;
        }
    }
    out << QString::fromUtf8("Отчёт «%1» записан в %2, страниц: %3.\n")
               .arg(report->Title(), c.pdf)
               .arg(report->Layout().PageCount());
    return 0;
}
} // namespace

int RunAdminReportCommand(int argc, char** argv)
{
    // Fonts and the PDF writer need the GUI application, never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        system = QLocale(QLocale::Russian, QLocale::Russia);
    QLocale::setDefault(system);
    const QStringList args = app.arguments().mid(2);
    try {
        return Run(args);
    } catch (const std::exception& e) {
        QTextStream(stderr) << ExceptionText(e) << "\n";
        return 1;
    }
}
