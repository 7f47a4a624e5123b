#pragma once
// The skeleton of the four summary reports: every patient is classified through his
// earliest document of the period (the one with the smallest identifier when several share
// that date), counted when its row passes the base filter (city, sex, age at the document's
// date, period) and the report's area condition, and then counted again under each of the
// report's conditions that holds. The counting is one statement over the whole register
// rather than two statements per patient.
#include "reports/Unit_ReportBase.h"
#include <vector>

// A counter's condition on the document row, once for sheets (table alias PI) and once for
// cards (alias SC); the row's other tables are Doc, Per, RA, Ad and City.
struct TCounterCondition {
    QString sheet;
    QString card;
    // The card's twin of a sheet condition over pressure, drugs and the fields both kinds
    // share: ObjCAD is ADSredHi, ObjDAD ADSredLow, PinPrepAD Preparat.
    static TCounterCondition BothKinds(const QString& sheet);
};

// One printed row of a summary table: its cells left to right with their widths in mm.
struct TSummaryRow {
    QStringList cells;
    std::vector<double> widths;
    int lines = 1;        // height in lines of text
    bool framed = true;
};

class TSummaryReport : public TReport {
public:
    using TReport::TReport;

    // The counts after Build: [0] the total examined, then one per condition in order.
    const std::vector<int>& Counts() const { return m_counts; }
    int Total() const { return m_counts.empty() ? 0 : m_counts[0]; }
    const std::vector<TSummaryRow>& Rows() const { return m_rows; }

    // The filter every counted document meets and the age expression it uses.
    static QString AgeExpression();
    static QString BaseFilter();

protected:
    virtual std::vector<TCounterCondition> Conditions() const = 0;
    // Reports 3 and 4 also count patients whose area has no code.
    virtual bool AreaNullCounts() const { return false; }
    virtual QStringList TitleLines() const = 0;
    // Fills m_rows from the counts.
    virtual void FillTable() = 0;
    // After FillTable: report 1's two statements.
    virtual void ExtraSteps() {}

    void CollectData() override;
    // A row of the main table: number, caption, count and percentage cells.
    void AddRow(const QString& number, const QString& caption, const QString& abs, const QString& pct, int lines = 1);
    // The cell texts of every condition row: count and share of the total, "0" when the
    // total is 0.
    QString Count(int index) const { return Total() == 0 ? QStringLiteral("0") : QString::number(m_counts[index]); }
    QString Share(int index) const { return Percent(m_counts[index], Total()); }
    QString TotalShare() const { return Total() == 0 ? QStringLiteral("0") : QStringLiteral("100"); }

    std::vector<int> m_counts;
    std::vector<TSummaryRow> m_rows;

private:
    std::vector<int> CountFirstDocuments(const std::vector<TCounterCondition>& conditions);
    void LayOut();
};
