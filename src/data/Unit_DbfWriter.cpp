#include "data/Unit_DbfWriter.h"
#include "app/Unit_Exceptions.h"
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <shapefil.h>

namespace {
QByteArray Cp866(const QString& s)
{
    QStringEncoder enc("IBM866");
    return enc.isValid() ? QByteArray(enc(s)) : s.toLatin1();
}
}

TDbfWriter::TDbfWriter(const QString& path, std::vector<Field> fields) : m_path(path), m_fields(std::move(fields))
{
    const QFileInfo info(path);
    m_written = info.absolutePath() + "/" + info.completeBaseName() + ".dbf";
    QFile::remove(m_path);
    QFile::remove(m_written);
    // "LDID/38" puts the code-page byte 0x26 (CP866) into the header.
    DBFHandle h = DBFCreateEx(QFile::encodeName(m_written).constData(), "LDID/38");
    if (!h)
        throw EFileError(QString("Не удаётся создать файл \"%1\"").arg(path));
    m_handle = h;
    for (const Field& f : m_fields) {
        const DBFFieldType t = f.type == Character ? FTString : f.type == Numeric ? (f.decimals ? FTDouble : FTInteger) : FTDate;
        if (DBFAddField(h, f.name.toLatin1().constData(), t, f.type == Date ? 8 : f.width, f.decimals) < 0)
            throw EFileError(QString("Не удаётся создать поле %1 в файле \"%2\"").arg(f.name, path));
    }
}

TDbfWriter::~TDbfWriter()
{
    try {
        Close();
    } catch (...) {
    }
}

void TDbfWriter::Append(const QVariantList& values)
{
    auto* h = static_cast<DBFHandle>(m_handle);
    const int record = m_records++;
    for (int i = 0; i < int(m_fields.size()); ++i) {
        const QVariant v = i < values.size() ? values[i] : QVariant();
        const Field& f = m_fields[i];
        if (v.isNull() || !v.isValid()) {
            // Blanks, as the polyclinics' registry programs leave an empty number or date
            // (shapelib's own null markers are asterisks and zeros).
            DBFWriteAttributeDirectly(h, record, i, const_cast<char*>(""));
        } else if (f.type == Character) {
            DBFWriteStringAttribute(h, record, i, Cp866(v.toString()).left(f.width).constData());
        } else if (f.type == Numeric) {
            DBFWriteDoubleAttribute(h, record, i, v.toDouble());
        } else {
            // shapelib has no date writer of its own here: the field holds the eight digits as they stand.
            const QByteArray digits = v.toDate().toString("yyyyMMdd").toLatin1();
            DBFWriteAttributeDirectly(h, record, i, const_cast<char*>(digits.constData()));
        }
    }
}

void TDbfWriter::Close()
{
    if (!m_handle)
        return;
    DBFClose(static_cast<DBFHandle>(m_handle));
    m_handle = nullptr;
    if (m_written != m_path && !QFile::rename(m_written, m_path))
        throw EFileError(QString("Не удаётся записать файл \"%1\"").arg(m_path));
}
