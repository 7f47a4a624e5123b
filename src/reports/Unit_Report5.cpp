#include "reports/Unit_Report5.h"

namespace {
const char* const kSheetFamily[] = {"hypfather", "hypmother", "inffather", "infmother",
                                    "insfather", "insmother", "diabetfather", "diabetmother"};
const char* const kCardFamily[] = {"fatherhyper", "motherhyper", "fatherstenokardia", "motherstenokardia",
                                   "fatheradhi", "motheradhi", "fatherinfarkt", "motherinfarkt",
                                   "fatherdiabet", "motherdiabet", "fathertuber", "mothertuber",
                                   "fatherpochki", "motherpochki"};
}

void TReport5::RunReport(QSqlDatabase db, const QStringList& params, int decimals, TProgressCallback progress)
{
    TReport5 report(std::move(db), params, decimals, std::move(progress));
    ::RunReport(report);
}

void TReport5::ParseParameters()
{
    TPatientList::ParseParameters();
    SetSource(ParseWholeNumber(Item(8)));
}

QString TReport5::SelectColumns() const
{
    QString s = "(:now_year - cast({age} as integer)) god, cast({age} as integer) vozrast,"
                " c.cityname, s.strname, a.adrhousnum, a.adrroomnum, ";
    if (Sheets()) {
        s += "pi.alsblchol holesterin, pi.indexketle, pi.alsblgluk sahar";
        for (const char* f : kSheetFamily)
            s += QString(", pi.%1").arg(QLatin1String(f));
    } else {
        s += "sc.holest holesterin, sc.indexketle, sc.bloodgluk sahar";
        for (const char* f : kCardFamily)
            s += QString(", sc.%1").arg(QLatin1String(f));
    }
    return s;
}

QString TReport5::ListConditions() const
{
    return Sheets() ? "((pi.alsblchol >= 5.2)or(pi.alsblgluk >= 5.6)or(pi.indexketle >= 29))"
                      " and (d.docdate>=:start and d.docdate<=:stop)"
                    : "((sc.holest >= 5.2)or(sc.bloodgluk >= 5.6)or(sc.indexketle >= 29))"
                      " and (d.DocDate>=:start and d.DocDate<=:stop)";
}

QStringList TReport5::TitleLines() const
{
    return {"Список лиц, имеющих факторы риска, угрожаемые по ССЗ с № АД", SourceLine()};
}

std::vector<TListColumn> TReport5::Columns() const
{
    auto god = [](int from, int to) {
        return [from, to](const QSqlRecord& r, int) {
            const int age = r.value("vozrast").toInt();
            return !r.value("vozrast").isNull() && age >= from && age <= to ? r.value("god").toString() : QString();
        };
    };
    const bool sheets = Sheets();
    auto family = [sheets](const QSqlRecord& r, int) {
        if (sheets) {
            for (const char* f : kSheetFamily)
                if (!Flag(r.value(QLatin1String(f))).isEmpty())
                    return QStringLiteral("V");
        } else {
            for (const char* f : kCardFamily)
                if (!Flag(r.value(QLatin1String(f))).isEmpty())
                    return QStringLiteral("V");
        }
        return QString();
    };
    return {
        {"", "№ п/п", 13, [](const QSqlRecord&, int n) { return QString::number(n); }},
        {"", "Ф.И.О.", 51, [](const QSqlRecord& r, int) { return FullName(r); }},
        {"Возраст", "до 39", 12, god(INT_MIN, 39)},
        {"Возраст", "40-49", 12, god(40, 49)},
        {"Возраст", "> 50", 12, god(50, INT_MAX)},
        {"", "Адрес", 60, [](const QSqlRecord& r, int) { return AddressText(r); }},
        {"Факторы риска", "Повышен.\nхолестерин", 22, [](const QSqlRecord& r, int) { return Mark(r.value("holesterin"), 6.75); }, 8, true},
        {"Факторы риска", "Повышен.\nсахар", 20, [](const QSqlRecord& r, int) { return Mark(r.value("sahar"), 5.5); }, 8, true},
        {"Факторы риска", "Ожирение", 21, [](const QSqlRecord& r, int) { return Mark(r.value("indexketle"), 29); }, 11, true},
        {"Факторы риска", "Наследст. ССЗ", 15, family, 8, true},
        {"", "Примечание", 43, [](const QSqlRecord&, int) { return QString(); }},
    };
}
