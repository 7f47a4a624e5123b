#pragma once
// The skeleton of the three patient lists: one statement over the latest document of the
// chosen kind of every patient (the one with the largest identifier when several share
// the latest date), so each patient is listed once; its rows, sorted by surname, feed the
// detail band of a landscape page whose column header repeats on every page.
#include "reports/Unit_ReportBase.h"
#include <vector>

// A printed column: its head (under a group head when group is set), width in mm and what
// its detail cell shows for a row.
struct TListColumn {
    QString group;
    QString head;
    double width;
    TReportCell::TExpression text;
    double headPointSize = 11;
    bool mark = false; // a "V" centred in its cell
};

class TPatientList : public TReport {
public:
    using TReport::TReport;

    int Source() const { return m_source; } // 1 sheets, 2 cards
    const std::vector<QSqlRecord>& Records() const { return m_records; }
    bool NoData() const override { return m_records.empty(); }

    // Detail texts shared by the lists.
    static QString FullName(const QSqlRecord& r);
    static QString AddressText(const QSqlRecord& r);
    static QString Mark(const QVariant& value, double threshold); // "V" when value >= threshold
    static QString Flag(const QVariant& value);                   // "V" when value = 1

protected:
    // What the list's statement selects after the three name columns, and its own
    // conditions, for the data source.
    virtual QString SelectColumns() const = 0;
    virtual QString ListConditions() const = 0;
    virtual QStringList TitleLines() const = 0;
    virtual QString PreviewTitle() const;
    virtual std::vector<TListColumn> Columns() const = 0;
    virtual double RightMargin() const { return 15; }
    virtual double TitlePointSize() const { return 12; }

    void CollectData() override;
    void SetSource(int source);
    // The line the title memo adds for the data source.
    QString SourceLine() const;
    bool Sheets() const { return m_source == 1; }
    // The alias of the document table in the statement: "pi" or "sc".
    QString Doc() const { return Sheets() ? "pi" : "sc"; }

private:
    void LayOut();
    int m_source = 1;
    std::vector<QSqlRecord> m_records;
};
