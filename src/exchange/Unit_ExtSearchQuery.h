#pragma once
// The external search's result set (sqlExtSearch): registry patients of PASPOR.DBF whose
// surname, first name, patronymic and birth date equal the given values, surname order. Each
// given value is compared with the row's; nothing typed is ever turned into query text.
#include <QAbstractTableModel>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

struct TExtSearchCriteria {
    // Empty texts and an invalid date are not part of the search. Texts are compared with the
    // registry's in upper case (the window types them in upper case already).
    QString Fam, Nam, Oth;
    QDate Day;
    bool IsEmpty() const { return Fam.isEmpty() && Nam.isEmpty() && Oth.isEmpty() && !Day.isValid(); }
};

class TExtSearchQuery : public QAbstractTableModel {
    Q_OBJECT
public:
    // The result columns, by these names: fam, nam, oth, day, pol, xpaspor (the registry key
    // _PASPOR), nu.
    enum Column { colFam, colNam, colOth, colDay, colPol, colXPaspor, colNu, ColumnCount };
    static const char* ColumnName(int column);

    explicit TExtSearchQuery(QObject* parent = nullptr);

    // Reads PASPOR.DBF of polyFolder. Throws ERplException when the registry cannot be read;
    // the query is then closed.
    void Open(const QString& polyFolder, const TExtSearchCriteria& criteria);
    void Close();
    bool IsOpen() const { return m_open; }
    int RecordCount() const { return int(m_rows.size()); }
    // A column of a result row by its name (letter case ignored); null when there is none.
    QVariant Value(int row, const QString& column) const;

    // The titles the result grid shows over the columns (centred); a column's name otherwise.
    void SetTitles(const QStringList& titles) { m_titles = titles; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<std::vector<QVariant>> m_rows;
    bool m_open = false;
    QStringList m_titles;
};
