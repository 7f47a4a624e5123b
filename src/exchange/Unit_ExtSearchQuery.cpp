#include "exchange/Unit_ExtSearchQuery.h"
#include "exchange/Unit_RegistryTables.h"
#include "app/Unit_Exceptions.h"
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>

namespace {
const char* const kColumns[] = {"fam", "nam", "oth", "day", "pol", "xpaspor", "nu"};
}

const char* TExtSearchQuery::ColumnName(int column) { return kColumns[column]; }

TExtSearchQuery::TExtSearchQuery(QObject* parent) : QAbstractTableModel(parent) {}

void TExtSearchQuery::Open(const QString& polyFolder, const TExtSearchCriteria& criteria)
{
    Close();
    QString folder = polyFolder;
    if (!folder.endsWith('/'))
        folder += '/';
    if (!QFileInfo(folder).isDir())
        throw ERplException(QString("Папка базы данных поликлиники недоступна: %1").arg(polyFolder));
    TDbfTable p;
    p.Load(TRegistryTables::FindFile(folder, TRegistryTables::PasporFile), TRegistryTables::PasporFile);
    const int fields[] = {p.FieldIndex("FAM"), p.FieldIndex("NAM"), p.FieldIndex("OTH"), p.FieldIndex("DAY"),
                          p.FieldIndex("POL"), p.FieldIndex("_PASPOR"), p.FieldIndex("NU")};
    const QString* texts[] = {&criteria.Fam, &criteria.Nam, &criteria.Oth};
    std::vector<std::vector<QVariant>> rows;
    for (int r = 0; r < p.RowCount(); ++r) {
        bool match = true;
        for (int i = 0; i < 3 && match; ++i)
            if (!texts[i]->isEmpty())
                match = p.TextOrEmpty(r, fields[i]).toUpper() == *texts[i];
        if (match && criteria.Day.isValid())
            match = p.ValueOrNull(r, fields[colDay]).toDate() == criteria.Day;
        if (!match)
            continue;
        std::vector<QVariant> row;
        for (int c = 0; c < ColumnCount; ++c)
            row.push_back(c == colNu ? QVariant(p.TextOrEmpty(r, fields[c])) : p.ValueOrNull(r, fields[c]));
        rows.push_back(std::move(row));
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a[colFam].toString().toUpper() < b[colFam].toString().toUpper(); });
    beginResetModel();
    m_rows = std::move(rows);
    m_open = true;
    endResetModel();
}

void TExtSearchQuery::Close()
{
    beginResetModel();
    m_rows.clear();
    m_open = false;
    endResetModel();
}

QVariant TExtSearchQuery::Value(int row, const QString& column) const
{
    if (row < 0 || row >= RecordCount())
        return QVariant();
    for (int c = 0; c < ColumnCount; ++c)
        if (column.compare(QLatin1String(kColumns[c]), Qt::CaseInsensitive) == 0)
            return m_rows[row][c];
    return QVariant();
}

int TExtSearchQuery::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : RecordCount(); }
int TExtSearchQuery::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TExtSearchQuery::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= RecordCount())
        return QVariant();
    const QVariant& v = m_rows[index.row()][index.column()];
    if (role == Qt::DisplayRole) {
        if (v.typeId() == QMetaType::QDate)
            return QLocale().toString(v.toDate(), QLocale::ShortFormat);
        return v;
    }
    if (role == Qt::TextAlignmentRole && index.column() == colDay)
        return int(Qt::AlignCenter);
    return QVariant();
}

QVariant TExtSearchQuery::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return section < m_titles.size() ? m_titles[section] : QString::fromLatin1(kColumns[section]);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return QVariant();
}
