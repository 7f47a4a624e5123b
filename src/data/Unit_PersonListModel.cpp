#include "data/Unit_PersonListModel.h"
#include "data/Unit_Database.h"
#include <QSqlQuery>
#include <algorithm>

const QStringList& TPersonListModel::Columns()
{
    static const QStringList cols{"PrnLID", "PrnSurName", "PrnName", "PrnOtch", "PrnSex", "PrnDate",
                                  "PrnMdnName", "paspor", "AdrLID", "PrnPhone", "AreaLID", "PosLID"};
    return cols;
}

const char* TPersonListModel::OrderBy()
{
    return " order by PrnSurName collate UNOCASE, PrnName collate UNOCASE, PrnOtch collate UNOCASE, PrnLID";
}

void TPersonListModel::Open(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    TDatabase::Exec(q, "select count(*) from person");
    const int rows = q.next() ? q.value(0).toInt() : 0;
    beginResetModel();
    m_db = db;
    m_rows = rows;
    m_pages.clear();
    m_pageOrder.clear();
    m_open = true;
    endResetModel();
}

void TPersonListModel::Close()
{
    beginResetModel();
    m_open = false;
    m_rows = 0;
    m_pages.clear();
    m_pageOrder.clear();
    m_db = QSqlDatabase();
    endResetModel();
}

int TPersonListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }
int TPersonListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(Columns().size()); }

const std::vector<QVariantList>& TPersonListModel::Page(int page) const
{
    auto it = m_pages.find(page);
    if (it != m_pages.end())
        return it->second;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    TDatabase::Prepare(q, "select " + Columns().join(", ") + " from person" + OrderBy() + " limit :n offset :skip");
    q.bindValue(":n", PageSize);
    q.bindValue(":skip", page * PageSize);
    TDatabase::Exec(q);
    std::vector<QVariantList> rows;
    rows.reserve(PageSize);
    while (q.next()) {
        QVariantList r;
        for (int c = 0; c < Columns().size(); ++c)
            r << q.value(c);
        rows.push_back(std::move(r));
    }
    if (m_pages.size() >= MaxPages) {
        m_pages.erase(m_pageOrder.front());
        m_pageOrder.erase(m_pageOrder.begin());
    }
    m_pageOrder.push_back(page);
    return m_pages.emplace(page, std::move(rows)).first->second;
}

QVariant TPersonListModel::Value(int row, int column) const
{
    if (!m_open || row < 0 || row >= m_rows || column < 0 || column >= Columns().size())
        return QVariant();
    const std::vector<QVariantList>& page = Page(row / PageSize);
    const size_t at = size_t(row % PageSize);
    return at < page.size() ? page[at].value(column) : QVariant();
}

QVariant TPersonListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    try {
        return Value(index.row(), index.column());
    } catch (const std::exception&) {
        // A view paints what it can; the error reaches the operator through the data module.
        return QVariant();
    }
}

QVariant TPersonListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        auto it = m_headers.find(section);
        if (it != m_headers.end())
            return it->second;
        return section < Columns().size() ? QVariant(Columns()[section]) : QVariant();
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool TPersonListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::EditRole))
        return false;
    m_headers[section] = value;
    emit headerDataChanged(orientation, section, section);
    return true;
}
