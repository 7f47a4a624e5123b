#include "reports/Unit_ReportBase.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"
#include "data/Unit_Database.h"
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

const char* const kNoDataText = "НЕТ ДАННЫХ ПО ВЫБРАННЫМ ПАРАМЕТРАМ.";
const char* const kEmptyAreaListText =
    "В списке терапевтических участков нет ни одного номера участка: в отчёт не попадёт ни один пациент.";

namespace {
QString ShortFormat()
{
    QString f = QLocale().dateFormat(QLocale::ShortFormat);
    if (!f.contains("yyyy"))
        f.replace("yy", "yyyy");
    return f;
}
} // namespace

QString ShortDateText(const QDate& date) { return QLocale().toString(date, ShortFormat()); }

QDate ParseShortDate(const QString& text)
{
    const QDate d = QLocale().toDate(text.trimmed(), ShortFormat());
    if (!d.isValid())
        throw AppException(QString::fromUtf8("\"%1\" — неверная дата.").arg(text));
    return d;
}

int ParseWholeNumber(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok)
        throw AppException(QString::fromUtf8("\"%1\" не является целым числом.").arg(text));
    return v;
}

QString GeneralNumber(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString s = locale.toString(value, 'f', 6);
    const QChar dot = locale.decimalPoint().front();
    if (s.contains(dot)) {
        while (s.endsWith('0'))
            s.chop(1);
        if (s.endsWith(dot))
            s.chop(1);
    }
    return s == "-0" ? QStringLiteral("0") : s;
}

// ---- Area list -----------------------------------------------------------------------------

TAreaList::TAreaList(const QString& text) : m_text(text)
{
    for (const QString& word : text.split(',', Qt::SkipEmptyParts)) {
        if (!word.contains('-')) {
            m_order.push_back(int(m_words.size()));
            m_words << word;
            continue;
        }
        const QStringList pieces = word.split('-', Qt::SkipEmptyParts);
        if (pieces.size() < 2) {
            // "5-" is the word 5 with nothing to reach.
            if (pieces.size() == 1) {
                const int a = ParseWholeNumber(pieces[0]);
                m_order.push_back(-1 - int(m_ranges.size()));
                m_ranges.push_back({a, a});
            }
            continue;
        }
        const int a = ParseWholeNumber(pieces[0]);
        const int b = ParseWholeNumber(pieces[1]);
        if (b >= a) {
            m_order.push_back(-1 - int(m_ranges.size()));
            m_ranges.push_back({a, b});
        }
    }
}

QStringList TAreaList::Items() const
{
    QStringList items;
    for (const int entry : m_order) {
        if (entry >= 0) {
            items << m_words[entry];
            continue;
        }
        const TRange& r = m_ranges[size_t(-1 - entry)];
        for (qint64 v = r.from; v <= r.to; ++v)
            items << QString::number(v);
    }
    return items;
}

QString TAreaList::Condition(const QString& column) const
{
    if (Empty())
        return QStringLiteral("(1=0)");
    QStringList parts;
    if (!m_words.isEmpty()) {
        QStringList names;
        for (int i = 0; i < m_words.size(); ++i)
            names << QString(":area_w%1").arg(i);
        parts << QString("%1 in (%2)").arg(column, names.join(','));
    }
    // A range selects the codes written as a number without leading zeros or blanks.
    for (size_t i = 0; i < m_ranges.size(); ++i)
        parts << QString("(%1 = cast(cast(%1 as integer) as text) and cast(%1 as integer) between :area_lo%2 and :area_hi%2)")
                     .arg(column)
                     .arg(i);
    return "(" + parts.join(" or ") + ")";
}

void TAreaList::Bind(QSqlQuery& q) const
{
    for (int i = 0; i < m_words.size(); ++i)
        q.bindValue(QString(":area_w%1").arg(i), m_words[i]);
    for (size_t i = 0; i < m_ranges.size(); ++i) {
        q.bindValue(QString(":area_lo%1").arg(i), m_ranges[i].from);
        q.bindValue(QString(":area_hi%1").arg(i), m_ranges[i].to);
    }
}

QString BuildAreaClause(const QString& text)
{
    QStringList quoted;
    for (const QString& item : TAreaList(text).Items())
        quoted << "\"" + item + "\"";
    return "in (" + quoted.join(',') + ")";
}

// ---- Parameters ----------------------------------------------------------------------------

TReportParams ParseReportParams(const QStringList& items)
{
    if (items.size() < 8)
        throw AppException(QString::fromUtf8("Список параметров отчёта неполон."));
    TReportParams p;
    p.CityName = items[0];
    p.CityLID = p.AllCities() ? -1 : ParseWholeNumber(items[1]);
    p.AreaText = items[2];
    p.Start = ParseShortDate(items[3]);
    p.Stop = ParseShortDate(items[4]);
    p.AgeMin = ParseWholeNumber(items[5]);
    p.AgeMax = ParseWholeNumber(items[6]);
    p.Sex = ParseWholeNumber(items[7]);
    return p;
}

// ---- Printed table -------------------------------------------------------------------------

void TReportTable::WriteCsv(const QString& fileName) const
{
    QByteArray out("\xEF\xBB\xBF");
    for (const QStringList& row : rows) {
        QStringList fields;
        for (QString f : row) {
            f = f.split('\n').join(' ').simplified();
            if (f.contains(';') || f.contains('"') || f.contains('\n'))
                f = '"' + f.replace("\"", "\"\"") + '"';
            fields << f;
        }
        out += fields.join(';').toUtf8() + "\r\n";
    }
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(out) != out.size())
        throw EFileError(QString::fromUtf8("Не удаётся записать файл \"%1\".").arg(fileName));
}

// ---- The report ----------------------------------------------------------------------------

TReportHooks& ReportHooks()
{
    static TReportHooks hooks;
    return hooks;
}

TReport::TReport(QSqlDatabase db, QStringList params, int decimals, TProgressCallback progress)
    : m_db(std::move(db)), m_items(std::move(params)), m_decimals(decimals), m_progress(std::move(progress))
{
}

TReport::~TReport() = default;

void TReport::Build()
{
    ParseParameters();
    CollectData();
}

void TReport::ParseParameters()
{
    m_params = ParseReportParams(m_items);
    m_areas = std::make_unique<TAreaList>(m_params.AreaText);
}

QString TReport::Item(int index) const
{
    if (index < 0 || index >= m_items.size())
        throw AppException(QString::fromUtf8("Список параметров отчёта неполон."));
    return m_items[index];
}

void TReport::Progress(int percent) const
{
    if (m_progress)
        m_progress(percent);
}

double TReport::PercentToDecimals(double x) const
{
    if (m_decimals <= 0)
        return std::trunc(x);
    const double scale = std::pow(10.0, m_decimals);
    const double scaled = x * scale;
    // Halves away from zero as the number reads in decimal: a binary 12.4999999 of a true
    // 12.5 still goes up.
    const double lower = std::floor(std::fabs(scaled));
    const double rest = std::fabs(scaled) - lower;
    double r = rest >= 0.5 - 1e-9 ? lower + 1 : lower;
    if (scaled < 0)
        r = -r;
    return r / scale;
}

QString TReport::Percent(int part, int whole) const
{
    if (whole == 0)
        return QStringLiteral("0");
    return GeneralNumber(PercentToDecimals(double(part) / double(whole) * 100.0));
}

void TReport::BindCommon(QSqlQuery& q) const
{
    const QString sql = q.lastQuery();
    const QDate today = TClock::Today();
    auto bind = [&](const char* name, const QVariant& v) {
        static const QRegularExpression tail("[A-Za-z0-9_]");
        const QString n = QString::fromLatin1(name);
        for (qsizetype at = sql.indexOf(n); at >= 0; at = sql.indexOf(n, at + 1)) {
            const qsizetype end = at + n.size();
            if (end >= sql.size() || !tail.match(sql.mid(end, 1)).hasMatch()) {
                q.bindValue(n, v);
                return;
            }
        }
    };
    bind(":start", m_params.Start.toString("yyyy-MM-dd"));
    bind(":stop", m_params.Stop.toString("yyyy-MM-dd"));
    bind(":stop_next", m_params.Stop.addDays(1).toString("yyyy-MM-dd"));
    bind(":citylid", m_params.CityLID);
    bind(":now_date", today.toString("yyyy-MM-dd"));
    bind(":now_year", today.year());
    bind(":age_min", double(m_params.AgeMin));
    bind(":age_max", double(m_params.AgeMax));
    bind(":sex", m_params.Sex);
    const QVariantMap extra = ExtraBindings();
    for (auto it = extra.begin(); it != extra.end(); ++it)
        bind(it.key().toLatin1().constData(), it.value());
    m_areas->Bind(q);
}

void RunReport(TReport& report)
{
    auto closeWait = [] {
        if (ReportHooks().CloseWait)
            ReportHooks().CloseWait();
    };
    try {
        report.Build();
    } catch (...) {
        closeWait();
        throw;
    }
    closeWait();
    if (report.Areas().Empty())
        TDialogs::Warning(QString::fromUtf8(kEmptyAreaListText));
    if (report.NoData()) {
        TDialogs::Warning(QString::fromUtf8(kNoDataText));
        return;
    }
    if (ReportHooks().Preview)
        ReportHooks().Preview(report.Layout());
}
