#pragma once
// Writes a new dBase table with text in code page 866 (marked so in its header), as the
// polyclinic registry keeps its files. Used for the demo registry and test fixtures.
#include <QString>
#include <QVariant>
#include <vector>

class TDbfWriter {
public:
    enum FieldType { Character, Numeric, Date };
    struct Field { QString name; FieldType type; int width; int decimals = 0; };

    // path: the file to make (any letter case of its ending); an existing file is replaced.
    TDbfWriter(const QString& path, std::vector<Field> fields);
    ~TDbfWriter();
    TDbfWriter(const TDbfWriter&) = delete;
    TDbfWriter& operator=(const TDbfWriter&) = delete;

    // One record, values in field order; null or invalid values stay empty.
    void Append(const QVariantList& values);
    void Close(); // throws EFileError when the file could not be completed

private:
    QString m_path;
    QString m_written; // shapelib's own name for the file (lower-case ending)
    std::vector<Field> m_fields;
    void* m_handle = nullptr;
    int m_records = 0;
};
