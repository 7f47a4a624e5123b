#pragma once
// The reference picker's query (the data module's sqlReference): one of the three reference
// books in name order, narrowed to the rows whose name begins with a search text, letter case
// ignored (Cyrillic included). The picker window only shows it and moves through its rows.
#include <QSqlDatabase>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

// The values are those the callers have always passed for the three books.
enum class TReferenceKind { Medicine = 2, City = 3, Post = 4 };

class TReferenceQuery {
public:
    // On the data module's connection (DM() must exist).
    TReferenceQuery();
    explicit TReferenceQuery(const QSqlDatabase& db);

    // "мед. препаратов", "городов", "должностей": what follows "Справочник " in the title.
    static QString TitleSuffix(TReferenceKind kind);
    // The statement that Open runs; with a search text it carries the prefix condition on
    // the bound parameters :SearchText and :SearchLength.
    static QString Statement(TReferenceKind kind, bool filtered);
    // Columns of the statement: the one compared with the search text and shown as the
    // found text, and the row's identifier (mprGID, CityLID, PosLID).
    static int NameColumn(TReferenceKind kind);
    static int IdColumn(TReferenceKind kind);

    TReferenceKind Kind() const { return m_kind; }
    void SetKind(TReferenceKind kind); // closes the query; Open runs the new statement
    const QString& SearchText() const { return m_searchText; }
    void SetSearchText(const QString& text); // takes effect at the next Open; empty: every row

    // (Re)runs the statement for the kind and search text. Throws EDatabaseError.
    void Open();
    void Close();
    bool IsOpen() const { return m_open; }

    QSqlQueryModel* Model() { return &m_model; }
    int RowCount() const { return m_model.rowCount(); }   // rows fetched so far
    bool FetchRow(int row);                               // fetches up to row; false: none
    QString NameText(int row) const;                      // empty for no row
    QVariant Id(int row) const;                           // invalid for no row
    QSqlRecord Record(int row) const;                     // empty for no row

private:
    QSqlDatabase m_db;
    QSqlQueryModel m_model;
    TReferenceKind m_kind = TReferenceKind::Medicine;
    QString m_searchText;
    bool m_open = false;
};
