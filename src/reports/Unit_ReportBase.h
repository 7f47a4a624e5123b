#pragma once
// What the seven reports share: the report parameter list the wizard builds and its typed
// reading (ParseParameters), the therapeutic area list as bound values (BuildAreaClause),
// percentages (PercentToDecimals), the printed table that also goes to CSV, and RunReport,
// which collects a report, closes the wait window and hands the pages to the preview.
//
// The report layer knows no windows: the windows library installs the preview and the
// wait window's closing through ReportHooks(); without them (the command line) a report
// only collects and lays out its pages.
#include "reports/Unit_ReportLayout.h"
#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <vector>

using TProgressCallback = std::function<void(int percent)>;

// Dates as the parameter list carries them: the locale's short date format, always with a
// four-digit year (a two-digit year would put 2026 into 1926).
QString ShortDateText(const QDate& date);
QDate ParseShortDate(const QString& text); // throws AppException
int ParseWholeNumber(const QString& text);  // throws AppException

// A number in the general format: no trailing zeros, the locale's decimal separator.
QString GeneralNumber(double value);

// The therapeutic area list "1,2,6-14,20" as the codes it selects. A word without "-" is one
// code, compared as text ("05" matches only 05); a range a-b selects the codes a..b written
// without leading zeros (b below a selects nothing). The codes reach the statement as bound
// values, never as text of the statement, so a quote or a semicolon selects nobody.
class TAreaList {
public:
    explicit TAreaList(const QString& text); // throws AppException for a range bound that is not a whole number
    const QString& Text() const { return m_text; }
    const QStringList& Words() const { return m_words; }
    struct TRange { int from, to; };
    const std::vector<TRange>& Ranges() const { return m_ranges; }
    bool Empty() const { return m_words.isEmpty() && m_ranges.empty(); }
    // Every code in the order of the list (the ranges expanded), as the clause's items.
    QStringList Items() const;
    // The condition on column: true for a listed code, false for anything else (null too).
    // Placeholders are named :area_w0..., :area_lo0..., :area_hi0...; Bind fills them.
    QString Condition(const QString& column) const;
    void Bind(QSqlQuery& q) const;

private:
    QString m_text;
    QStringList m_words;
    std::vector<TRange> m_ranges;
    std::vector<int> m_order; // the list's entries in order: a word's index, or -1 - a range's
};
// The clause as the list's syntax describes it: "in ("1","2","6",...)".
QString BuildAreaClause(const QString& text);

// Items 0 to 7 of the report parameter list, typed.
struct TReportParams {
    QString CityName;     // "*" for all cities
    int CityLID = -1;     // -1 for all cities
    QString AreaText;     // as passed
    QDate Start, Stop;
    int AgeMin = 0, AgeMax = 0;
    int Sex = 2;          // 0 women, 1 men, 2 all
    bool AllCities() const { return CityName == "*"; }
    QString CityCaption() const { return AllCities() ? QStringLiteral("ВСЕ") : CityName; }
};

// Report parameter list items 0 to 7: throws AppException for a bad date or number.
TReportParams ParseReportParams(const QStringList& items);

// A printed table, as the CSV file gives it: one list of cells per printed row.
struct TReportTable {
    std::vector<QStringList> rows;
    // UTF-8 with a byte-order mark, fields separated by ";" (the decimal separator is a
    // comma), quoted when they hold a separator, a quote or a line break; a multi-line
    // cell becomes one line with its lines joined by blanks.
    void WriteCsv(const QString& fileName) const; // throws EFileError
};

// The windows library's part in a report run.
struct TReportHooks {
    std::function<void()> CloseWait;
    std::function<void(const TReportLayout& layout)> Preview; // returns when the preview is closed
};
TReportHooks& ReportHooks();

extern const char* const kNoDataText;        // "НЕТ ДАННЫХ ПО ВЫБРАННЫМ ПАРАМЕТРАМ."
extern const char* const kEmptyAreaListText; // the warning for an area list that selects nobody

class TReport {
public:
    TReport(QSqlDatabase db, QStringList params, int decimals, TProgressCallback progress);
    virtual ~TReport();

    // Reads the parameters, collects the data and lays out the pages.
    void Build();

    const TReportParams& Params() const { return m_params; }
    const TAreaList& Areas() const { return *m_areas; }
    const TReportLayout& Layout() const { return m_layout; }
    const TReportTable& Table() const { return m_table; }
    QString Title() const { return m_layout.Title(); }
    // Lists: the statement returned no row, so there is nothing to preview.
    virtual bool NoData() const { return false; }

    double PercentToDecimals(double x) const;
    QString Percent(int part, int whole) const; // part / whole x 100, general format

protected:
    virtual void ParseParameters();
    virtual void CollectData() = 0;
    void Progress(int percent) const;
    QSqlDatabase& Db() { return m_db; }
    const QStringList& Items() const { return m_items; }
    QString Item(int index) const;
    TReportLayout& PageLayout() { return m_layout; }
    TReportTable& PrintedTable() { return m_table; }
    // The statement's parameters every report binds where its text names them, and those
    // of the report's own.
    void BindCommon(QSqlQuery& q) const;
    virtual QVariantMap ExtraBindings() const { return {}; }

    TReportParams m_params;

private:
    QSqlDatabase m_db;
    QStringList m_items;
    int m_decimals;
    TProgressCallback m_progress;
    std::unique_ptr<TAreaList> m_areas;
    TReportLayout m_layout;
    TReportTable m_table;
};

// Collects the report, closes the wait window (also when collecting fails) and shows the
// preview, or the warning of an empty list. An area list without codes is said first.
void RunReport(TReport& report);

// The wizard's nine choices.
// The parameter items from 8 on for a choice; source 1 sheets, 2 cards.
QStringList ChoiceItems(int choice, int source);
// The report of a choice 1 to 9 over a full parameter list; nullptr for another choice.
std::unique_ptr<TReport> CreateReport(int choice, QSqlDatabase db, const QStringList& params, int decimals,
                                      TProgressCallback progress = nullptr);
