#pragma once
// The polyclinic's own registry: five dBase files in code page 866 in the folder PolyDBPath.
// Each file is checked and read whole into memory when it is opened, so a damaged file is
// refused before the import writes anything, and the registry indexes are hash tables built
// once per run: no index file is ever written into the polyclinic's folder.
#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <vector>

// One dBase table, read whole. Rows are the records not marked deleted, in file order.
// A value that is blank, or "********" in a number, or "00000000" in a date, is null; text
// loses its trailing blanks, as the registry's own programs show it.
class TDbfTable {
public:
    TDbfTable() = default;
    // Reads path; shown is the name used in messages ("PASPOR.DBF"). Throws ERplException
    // naming the file when it is missing, cannot be read, or its header, record length and
    // size disagree (a file cut in the middle of a record, too).
    void Load(const QString& path, const QString& shown);
    bool IsLoaded() const { return m_loaded; }

    int RowCount() const { return m_rows; }
    int FieldCount() const { return int(m_fields.size()); }
    // Position of a field by name, letter case ignored; -1 when there is none.
    int FieldIndex(const QString& name) const;
    QString FieldName(int field) const { return m_fields[field].name; }
    char FieldType(int field) const { return m_fields[field].type; }

    // Character fields give text, numbers a double, dates a QDate; empty values are null.
    QVariant Value(int row, int field) const;
    // The value as text: empty for null, a number in the shortest form ("12", "12,5").
    QString Text(int row, int field) const;
    // The same values, also for field -1 (a field the file does not have): null / empty.
    QVariant ValueOrNull(int row, int field) const { return field < 0 ? QVariant() : Value(row, field); }
    QString TextOrEmpty(int row, int field) const { return field < 0 ? QString() : Text(row, field); }

private:
    struct Field { QString name; char type; int offset; int width; int decimals; };
    const char* Raw(int row, int field) const { return m_data.constData() + qsizetype(row) * m_recordLength + m_fields[field].offset; }

    bool m_loaded = false;
    std::vector<Field> m_fields;
    QByteArray m_data; // the live records one after the other, each m_recordLength bytes
    int m_recordLength = 0;
    int m_rows = 0;
};

// Keeps the first value of a key, as an index search finds the first of equal keys.
template <class K, class V> void InsertFirst(QHash<K, V>& h, const K& key, const V& value)
{
    if (!h.contains(key))
        h.insert(key, value);
}

// Unicode text of CP866 bytes.
QString DecodeCp866(const char* bytes, int length);

// The registry as the import reads it: PASPOR, S_STREET, S_TOWN and S_PROF opened (with their
// filters) at construction, ARH_WORK when the import asks for it.
class TRegistryTables {
public:
    static constexpr const char* PasporFile = "PASPOR.DBF";
    static constexpr const char* StreetFile = "S_STREET.DBF";
    static constexpr const char* TownFile = "S_TOWN.DBF";
    static constexpr const char* ProfFile = "S_PROF.DBF";
    static constexpr const char* ArhWorkFile = "ARH_WORK.DBF";

    // Opens PASPOR, S_STREET, S_TOWN and S_PROF. Throws ERplException when the folder cannot
    // be reached, or a file is missing or damaged.
    explicit TRegistryTables(const QString& polyFolder);
    // The positions of the fields the import reads, the filters and the indexes; once.
    // Throws ERplException naming the file and the column when one is missing.
    void LookupFields();

    const QString& Folder() const { return m_folder; }
    // The path of a registry file in the folder; an existing file is found whatever the case
    // of its name.
    QString PathOf(const QString& fileName) const { return FindFile(m_folder, fileName); }
    static QString FindFile(const QString& folder, const QString& fileName);

    // A new registry keeps the occupation per patient (PASPOR.KOD_PROF); an old one in the
    // employment history ARH_WORK.
    bool IsNewRegistry() const { return m_isNew; }

    // Reads ARH_WORK when the file is there, so that a damaged one is refused before the
    // code-page marks are written; then OpenArhWork requires it.
    void ProbeArhWork();
    void SetCodePageMarks();
    // ARH_WORK with the rows valid on today (an old registry; a new one reads no history).
    // Throws ERplException when the file is missing.
    void OpenArhWork(const QDate& today);

    // Field positions, looked up once when a file is opened.
    struct PasporFields { int Paspor, Fam, Nam, Oth, Day, Pol, Tel, Kod, KodTown, KodStreet, Home, Kw, Nu, KodProf; };
    struct TownFields { int KodTown, Town; };
    struct StreetFields { int KodStreet, KodTown, Street; };
    struct ProfFields { int KodProf, NamProf; };
    struct ArhWorkFields { int Kod, KodProf; };
    const PasporFields& PF() const { return m_pf; }
    const TownFields& TF() const { return m_tf; }
    const StreetFields& SF() const { return m_sf; }
    const ProfFields& RF() const { return m_rf; }
    const ArhWorkFields& AF() const { return m_af; }

    const TDbfTable& Paspor() const { return m_paspor; }
    const TDbfTable& Town() const { return m_town; }
    const TDbfTable& Street() const { return m_street; }
    const TDbfTable& Prof() const { return m_prof; }
    const TDbfTable& ArhWork() const { return m_arhWork; }

    // After LookupFields: the rows that pass each table's filter, in file order.
    const std::vector<int>& PasporRows() const { return m_pasporRows; }
    // Lookups over the filtered rows; -1 when there is none. The key of PASPOR is compared
    // exactly, the codes of the reference books ignoring letter case, the patient's code in
    // ARH_WORK exactly (among the rows valid today).
    int FindPaspor(const QString& key) const { return m_pasporIndex.value(key, -1); }
    int FindTown(const QString& kodTown) const;
    int FindStreet(const QString& kodStreet, const QString& kodTown) const;
    int FindProf(const QString& kodProf) const;
    int FindArhWork(const QString& kod) const { return m_arhWorkIndex.value(kod, -1); }

    static QString Fold(const QString& code) { return code.toUpper(); }

private:
    void Open(TDbfTable& table, const char* fileName);
    int Required(const TDbfTable& table, const char* fileName, const char* field) const;

    QString m_folder;
    bool m_isNew = false;
    bool m_fieldsLookedUp = false;
    TDbfTable m_paspor, m_town, m_street, m_prof, m_arhWork;
    PasporFields m_pf{};
    TownFields m_tf{};
    StreetFields m_sf{};
    ProfFields m_rf{};
    ArhWorkFields m_af{-1, -1};
    std::vector<int> m_pasporRows;
    QHash<QString, int> m_pasporIndex, m_townIndex, m_streetIndex, m_profIndex, m_arhWorkIndex;
};
