#include "data/Unit_ReferenceQuery.h"
#include "app/Unit_Exceptions.h"
#include "data/Unit_DataModule.h"
#include "data/Unit_Database.h"
#include <QSqlQuery>

namespace {

struct TBook {
    const char* select; // column list and table, as the picker has always listed them
    const char* name;   // the name column: compared, shown and ordered by
    int nameColumn;
    int idColumn;
    const char* titleSuffix;
};

const TBook& Book(TReferenceKind kind)
{
    static const TBook medicine{"select mprGID, MprName1, MprDose, MprDoseDay from MedPreparat", "mprname1", 1, 0,
                                "мед. препаратов"};
    static const TBook city{"select distinct CityName, CityLID from City", "CityName", 0, 1, "городов"};
    static const TBook post{"select PosLID, PosName from Post", "PosName", 1, 0, "должностей"};
    switch (kind) {
    case TReferenceKind::City:
        return city;
    case TReferenceKind::Post:
        return post;
    case TReferenceKind::Medicine:
        break;
    }
    return medicine;
}

QSqlDatabase DataModuleDatabase()
{
    if (!DM())
        throw EDatabaseError(QStringLiteral("Модуль данных не создан"));
    return DM()->Database();
}

} // namespace

TReferenceQuery::TReferenceQuery() : TReferenceQuery(DataModuleDatabase()) {}

TReferenceQuery::TReferenceQuery(const QSqlDatabase& db) : m_db(db) {}

QString TReferenceQuery::TitleSuffix(TReferenceKind kind) { return QString::fromUtf8(Book(kind).titleSuffix); }

QString TReferenceQuery::Statement(TReferenceKind kind, bool filtered)
{
    const TBook& b = Book(kind);
    QString sql = QString::fromUtf8(b.select);
    // The prefix test in SQL rather than row by row: substr counts characters as the bound
    // length does, so a name shorter than the text never matches, and UNOCASE folds Cyrillic.
    if (filtered)
        sql += QStringLiteral(" where substr(%1, 1, :SearchLength) = :SearchText collate UNOCASE").arg(b.name);
    // SQLite's binary order would put every lower-case Cyrillic name after all capitals;
    // the books are ordered alphabetically, with the binary order only between equal names.
    sql += QStringLiteral(" order by %1 collate UNOCASE, %1").arg(b.name);
    return sql;
}

int TReferenceQuery::NameColumn(TReferenceKind kind) { return Book(kind).nameColumn; }
int TReferenceQuery::IdColumn(TReferenceKind kind) { return Book(kind).idColumn; }

void TReferenceQuery::SetKind(TReferenceKind kind)
{
    Close();
    m_kind = kind;
}

void TReferenceQuery::SetSearchText(const QString& text) { m_searchText = text; }

void TReferenceQuery::Open()
{
    const bool filtered = !m_searchText.isEmpty();
    QSqlQuery q(m_db);
    TDatabase::Prepare(q, Statement(m_kind, filtered));
    if (filtered) {
        q.bindValue(QStringLiteral(":SearchLength"), int(m_searchText.toUcs4().size()));
        q.bindValue(QStringLiteral(":SearchText"), m_searchText);
    }
    TDatabase::Exec(q);
    m_model.setQuery(std::move(q));
    m_open = true;
}

void TReferenceQuery::Close()
{
    m_model.clear();
    m_open = false;
}

bool TReferenceQuery::FetchRow(int row)
{
    if (row < 0)
        return false;
    while (row >= m_model.rowCount() && m_model.canFetchMore())
        m_model.fetchMore();
    return row < m_model.rowCount();
}

QString TReferenceQuery::NameText(int row) const
{
    return row >= 0 && row < RowCount() ? m_model.index(row, NameColumn(m_kind)).data().toString() : QString();
}

QVariant TReferenceQuery::Id(int row) const
{
    return row >= 0 && row < RowCount() ? m_model.index(row, IdColumn(m_kind)).data() : QVariant();
}

QSqlRecord TReferenceQuery::Record(int row) const
{
    return row >= 0 && row < RowCount() ? m_model.record(row) : QSqlRecord();
}
