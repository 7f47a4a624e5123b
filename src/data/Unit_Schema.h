#pragma once
// The layout of every workstation table: column names, types and text widths, in the column
// order that positional inserts rely on. The database is created from it and writers cut
// text to its widths.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

enum class TColumnType { Integer, SmallInt, Real, Boolean, Date, DateTime, Text };

struct TColumnDef {
    const char* name;
    TColumnType type;
    int width = 0; // text columns only
};

struct TTableDef {
    const char* name;
    std::vector<TColumnDef> columns;
    const char* primaryKey = nullptr;
};

class TSchema {
public:
    static const std::vector<TTableDef>& Tables();
    static const TTableDef* Table(const QString& name); // any letter case
    static const TColumnDef* Column(const QString& table, const QString& column);
    static QStringList ColumnNames(const QString& table);
    static QString CreateStatement(const TTableDef& table);

    // Creates every workstation table in an empty database (one transaction).
    static void CreateWorkstationTables(QSqlDatabase& db);
    // Makes a new workstation database velta.db in folder. Refuses (EFileError) when the
    // folder already holds one; the folder is created when missing.
    static void CreateWorkstationDatabase(const QString& folder);

    // A value as the column stores it: text cut to the column's width, small integers to
    // 16 bits, dates as ISO text, booleans as 0/1. Null stays null.
    static QVariant ToStored(const TColumnDef& column, const QVariant& value);
    static QVariant ToStored(const QString& table, const QString& column, const QVariant& value);
};
