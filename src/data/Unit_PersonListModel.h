#pragma once
// The patient list as the grid sees it: every row of the register in surname, name,
// patronymic order, without reading the rows before the ones shown. Rows are read in pages
// of the ordered query on demand, so that a search can jump to row 60,000 of 100,000 at the
// cost of one page.
#include <QAbstractTableModel>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <map>
#include <vector>

class TPersonListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The columns, in this order: PrnLID, PrnSurName, PrnName, PrnOtch, PrnSex, PrnDate,
    // PrnMdnName, paspor, AdrLID, PrnPhone, AreaLID, PosLID.
    static const QStringList& Columns();
    // The ordering every reader of the list shares.
    static const char* OrderBy();

    explicit TPersonListModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void Open(const QSqlDatabase& db); // counts the rows; throws EDatabaseError
    void Close();
    bool IsOpen() const { return m_open; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role = Qt::EditRole) override;

    QVariant Value(int row, int column) const; // throws EDatabaseError when the page cannot be read

private:
    static constexpr int PageSize = 256;
    static constexpr size_t MaxPages = 64;
    const std::vector<QVariantList>& Page(int page) const;

    QSqlDatabase m_db;
    bool m_open = false;
    int m_rows = 0;
    mutable std::map<int, std::vector<QVariantList>> m_pages;
    mutable std::vector<int> m_pageOrder; // oldest first, for dropping pages
    std::map<int, QVariant> m_headers;
};
