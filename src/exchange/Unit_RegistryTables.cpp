#include "exchange/Unit_RegistryTables.h"
#include "app/Unit_Exceptions.h"
#include "data/Unit_DataModule.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>
#include <array>
#include <cstring>
#include <shapefil.h>

namespace {

const std::array<QChar, 256>& Cp866Table()
{
    static const std::array<QChar, 256> table = [] {
        std::array<QChar, 256> t{};
        QStringDecoder dec("IBM866");
        for (int i = 0; i < 256; ++i) {
            const char c = char(i);
            const QString s = dec.isValid() ? dec.decode(QByteArrayView(&c, 1)) : QString(QChar(i));
            t[i] = s.isEmpty() ? QChar(i) : s[0];
        }
        return t;
    }();
    return table;
}

quint32 Le32(const QByteArray& b, int at)
{
    return quint8(b[at]) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16 | quint32(quint8(b[at + 3])) << 24;
}
int Le16(const QByteArray& b, int at) { return quint8(b[at]) | quint8(b[at + 1]) << 8; }

// shapelib's own complaints are not for the operator: a damaged file gets the program's message.
void QuietError(const char*) {}

ERplException Damaged(const QString& shown, const QString& why)
{
    return ERplException(QString("Файл \"%1\" базы данных поликлиники повреждён: %2").arg(shown, why));
}

// yyyyMMdd as dBase stores a date; QDate::fromString costs more than the rest of a row.
QDate ParseDbfDate(const char* p, int n)
{
    if (n != 8)
        return QDate();
    int v[8];
    for (int i = 0; i < 8; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return QDate();
        v[i] = p[i] - '0';
    }
    return QDate(v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3], v[4] * 10 + v[5], v[6] * 10 + v[7]);
}

bool AllOf(const char* p, int n, char c)
{
    for (int i = 0; i < n; ++i)
        if (p[i] != c)
            return false;
    return true;
}

// Text a filter accepts: present and not blank.
bool Present(const TDbfTable& t, int row, int field) { return !t.Text(row, field).trimmed().isEmpty(); }

} // namespace

QString DecodeCp866(const char* bytes, int length)
{
    const auto& table = Cp866Table();
    QString s(length, Qt::Uninitialized);
    QChar* out = s.data();
    for (int i = 0; i < length; ++i)
        out[i] = table[quint8(bytes[i])];
    return s;
}

void TDbfTable::Load(const QString& path, const QString& shown)
{
    *this = TDbfTable();
    QFile file(path);
    if (!QFileInfo(path).isFile())
        throw ERplException(QString("Не найден файл \"%1\" базы данных поликлиники: %2").arg(shown, path));
    if (!file.open(QIODevice::ReadOnly))
        throw ERplException(QString("Не удаётся открыть файл \"%1\" базы данных поликлиники: %2").arg(shown, file.errorString()));
    const qint64 size = file.size();
    const QByteArray head = file.read(32);
    if (head.size() < 32)
        throw Damaged(shown, "заголовок файла неполон");
    const quint32 records = Le32(head, 4);
    const int headerLength = Le16(head, 8);
    const int recordLength = Le16(head, 10);
    if (headerLength < 33 || headerLength > size || recordLength < 1)
        throw Damaged(shown, "заголовок файла неполон");
    // The field descriptors, up to the terminator 0x0D.
    file.seek(0);
    const QByteArray header = file.read(headerLength);
    if (header.size() < headerLength)
        throw Damaged(shown, "заголовок файла неполон");
    int sum = 1; // the deletion flag
    int fields = 0;
    for (int at = 32; at + 32 <= headerLength && header[at] != '\x0D'; at += 32, ++fields)
        sum += quint8(header[at + 16]);
    if (fields == 0)
        throw Damaged(shown, "в заголовке нет описаний полей");
    if (sum != recordLength)
        throw Damaged(shown, QString("длина записи в заголовке (%1) не совпадает с суммой длин полей (%2)").arg(recordLength).arg(sum));
    if (size < qint64(headerLength) + qint64(records) * recordLength)
        throw Damaged(shown, QString("файл обрезан: в заголовке записей %1, в файле полных записей %2")
                                 .arg(records)
                                 .arg((size - headerLength) / recordLength));
    file.close();

    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.Error = QuietError;
    DBFHandle h = DBFOpenLL(QFile::encodeName(path).constData(), "rb", &hooks);
    if (!h)
        throw Damaged(shown, "файл не читается как таблица dBase");
    const int count = DBFGetRecordCount(h);
    const int fieldCount = DBFGetFieldCount(h);
    int offset = 1;
    for (int i = 0; i < fieldCount; ++i) {
        char name[XBASE_FLDNAME_LEN_READ + 1] = {};
        int width = 0, decimals = 0;
        DBFGetFieldInfo(h, i, name, &width, &decimals);
        m_fields.push_back({QString::fromLatin1(name).trimmed(), DBFGetNativeFieldType(h, i), offset, width, decimals});
        offset += width;
    }
    m_recordLength = offset;
    DBFClose(h);
    // The records in one read: shapelib's record reader seeks for every record.
    QFile body(path);
    if (!body.open(QIODevice::ReadOnly) || !body.seek(headerLength))
        throw Damaged(shown, "не читаются записи");
    const QByteArray all = body.read(qint64(count) * m_recordLength);
    if (all.size() < qint64(count) * m_recordLength)
        throw Damaged(shown, "файл обрезан");
    m_data.reserve(all.size());
    for (int r = 0; r < count; ++r) {
        const char* tuple = all.constData() + qsizetype(r) * m_recordLength;
        if (tuple[0] == '*') // deleted
            continue;
        m_data.append(tuple, m_recordLength);
        ++m_rows;
    }
    m_loaded = true;
}

int TDbfTable::FieldIndex(const QString& name) const
{
    for (int i = 0; i < int(m_fields.size()); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TDbfTable::Value(int row, int field) const
{
    const Field& f = m_fields[field];
    const char* p = Raw(row, field);
    int b = 0, e = f.width;
    while (e > b && (p[e - 1] == ' ' || p[e - 1] == '\0'))
        --e;
    switch (f.type) {
    case 'N':
    case 'F': {
        while (b < e && p[b] == ' ')
            ++b;
        if (b == e || AllOf(p + b, e - b, '*'))
            return QVariant();
        bool ok = false;
        const double v = QByteArray(p + b, e - b).toDouble(&ok);
        return ok ? QVariant(v) : QVariant();
    }
    case 'D': {
        if (e == 0 || AllOf(p, e, '0'))
            return QVariant();
        while (b < e && p[b] == ' ')
            ++b;
        const QDate d = ParseDbfDate(p + b, e - b);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    default:
        if (e == 0)
            return QVariant();
        return DecodeCp866(p, e);
    }
}

QString TDbfTable::Text(int row, int field) const
{
    const Field& f = m_fields[field];
    if (f.type != 'N' && f.type != 'F' && f.type != 'D') {
        const char* p = Raw(row, field);
        int e = f.width;
        while (e > 0 && (p[e - 1] == ' ' || p[e - 1] == '\0'))
            --e;
        return e == 0 ? QString() : DecodeCp866(p, e);
    }
    if (f.type == 'N' || f.type == 'F') {
        // Small whole numbers (area numbers, flat numbers) written as the locale would write
        // them, without the round trip through a double.
        const char* p = Raw(row, field);
        int b = 0, e = f.width;
        while (b < e && p[b] == ' ')
            ++b;
        while (e > b && (p[e - 1] == ' ' || p[e - 1] == '\0'))
            --e;
        int dot = b;
        while (dot < e && p[dot] >= '0' && p[dot] <= '9')
            ++dot;
        bool whole = dot > b && (dot == e || p[dot] == '.');
        for (int i = dot + 1; whole && i < e; ++i)
            whole = p[i] == '0';
        int first = b;
        while (first < dot - 1 && p[first] == '0')
            ++first;
        if (whole && dot - first <= 3)
            return QString::fromLatin1(p + first, dot - first);
    }
    const QVariant v = Value(row, field);
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::Double)
        return QLocale().toString(v.toDouble(), 'g', 15);
    if (v.typeId() == QMetaType::QDate)
        return QLocale().toString(v.toDate(), QLocale::ShortFormat);
    return v.toString();
}

// ---- the registry ----------------------------------------------------------------------------

TRegistryTables::TRegistryTables(const QString& polyFolder) : m_folder(polyFolder)
{
    if (!m_folder.endsWith('/'))
        m_folder += '/';
    if (polyFolder.trimmed().isEmpty() || !QFileInfo(m_folder).isDir() || !QFileInfo(m_folder).isReadable())
        throw ERplException(QString("Папка базы данных поликлиники недоступна: %1").arg(polyFolder));

    Open(m_paspor, PasporFile);
    Open(m_street, StreetFile);
    Open(m_town, TownFile);
    Open(m_prof, ProfFile);
    m_isNew = m_paspor.FieldIndex("KOD_PROF") >= 0;
}

void TRegistryTables::LookupFields()
{
    if (m_fieldsLookedUp)
        return;
    m_pf = {Required(m_paspor, PasporFile, "_PASPOR"), Required(m_paspor, PasporFile, "FAM"),
            m_paspor.FieldIndex("NAM"), m_paspor.FieldIndex("OTH"), m_paspor.FieldIndex("DAY"),
            m_paspor.FieldIndex("POL"), m_paspor.FieldIndex("TEL"), m_paspor.FieldIndex("KOD"),
            m_paspor.FieldIndex("KOD_TOWN"), m_paspor.FieldIndex("KOD_STREET"), m_paspor.FieldIndex("HOME"),
            m_paspor.FieldIndex("KW"), m_paspor.FieldIndex("NU"), m_paspor.FieldIndex("KOD_PROF")};
    m_sf = {Required(m_street, StreetFile, "KOD_STREET"), Required(m_street, StreetFile, "KOD_TOWN"),
            Required(m_street, StreetFile, "STREET")};
    m_tf = {Required(m_town, TownFile, "KOD_TOWN"), Required(m_town, TownFile, "TOWN")};
    m_rf = {Required(m_prof, ProfFile, "KOD_PROF"), Required(m_prof, ProfFile, "NAM_PROF")};

    // The filters and the indexes; the first row of equal keys wins, as an index search finds it.
    for (int r = 0; r < m_paspor.RowCount(); ++r)
        if (Present(m_paspor, r, m_pf.Paspor) && Present(m_paspor, r, m_pf.Fam)) {
            m_pasporRows.push_back(r);
            InsertFirst(m_pasporIndex, m_paspor.Text(r, m_pf.Paspor), r);
        }
    for (int r = 0; r < m_town.RowCount(); ++r)
        if (Present(m_town, r, m_tf.KodTown) && Present(m_town, r, m_tf.Town))
            InsertFirst(m_townIndex, Fold(m_town.Text(r, m_tf.KodTown)), r);
    for (int r = 0; r < m_street.RowCount(); ++r)
        if (Present(m_street, r, m_sf.KodTown) && Present(m_street, r, m_sf.Street) && Present(m_street, r, m_sf.KodStreet))
            InsertFirst(m_streetIndex, Fold(m_street.Text(r, m_sf.KodStreet)) + QChar(0x1f) + Fold(m_street.Text(r, m_sf.KodTown)), r);
    for (int r = 0; r < m_prof.RowCount(); ++r)
        if (Present(m_prof, r, m_rf.KodProf) && Present(m_prof, r, m_rf.NamProf))
            InsertFirst(m_profIndex, Fold(m_prof.Text(r, m_rf.KodProf)), r);
    m_fieldsLookedUp = true;
}

QString TRegistryTables::FindFile(const QString& folder, const QString& fileName)
{
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(fileName)).isFile())
        return dir.filePath(fileName);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    return dir.filePath(fileName);
}

void TRegistryTables::Open(TDbfTable& table, const char* fileName)
{
    const QString path = PathOf(fileName);
    if (!QFileInfo(path).isFile())
        throw ERplException(QString("Нет доступа к базе данных поликлиники: не удаётся открыть файл %1 в папке \"%2\"")
                                .arg(QString::fromLatin1(fileName), m_folder));
    table.Load(path, fileName);
}

int TRegistryTables::Required(const TDbfTable& table, const char* fileName, const char* field) const
{
    const int i = table.FieldIndex(field);
    if (i < 0)
        throw ERplException(QString("В файле \"%1\" базы данных поликлиники нет поля %2").arg(fileName, field));
    return i;
}

void TRegistryTables::ProbeArhWork()
{
    if (!m_arhWork.IsLoaded() && QFileInfo(PathOf(ArhWorkFile)).isFile())
        Open(m_arhWork, ArhWorkFile);
}

void TRegistryTables::SetCodePageMarks()
{
    for (const char* f : {ProfFile, TownFile, StreetFile, PasporFile, ArhWorkFile})
        TDM::SetCodePageMarkOnFile(PathOf(f));
}

void TRegistryTables::OpenArhWork(const QDate& today)
{
    ProbeArhWork();
    if (!m_arhWork.IsLoaded())
        Open(m_arhWork, ArhWorkFile); // raises the missing file's message
    m_af = {Required(m_arhWork, ArhWorkFile, "KOD"), m_arhWork.FieldIndex("KOD_PROF")};
    m_arhWorkIndex.clear();
    if (IsNewRegistry())
        return;
    const int day = m_arhWork.FieldIndex("DAY"), dayEnd = m_arhWork.FieldIndex("DAY_END");
    // Valid today: begun (or no start) and not yet ended (or no end).
    for (int r = 0; r < m_arhWork.RowCount(); ++r) {
        const QVariant from = m_arhWork.ValueOrNull(r, day), to = m_arhWork.ValueOrNull(r, dayEnd);
        if ((from.isNull() || from.toDate() <= today) && (to.isNull() || to.toDate() > today))
            InsertFirst(m_arhWorkIndex, m_arhWork.Text(r, m_af.Kod), r);
    }
}

int TRegistryTables::FindTown(const QString& kodTown) const { return m_townIndex.value(Fold(kodTown), -1); }
int TRegistryTables::FindStreet(const QString& kodStreet, const QString& kodTown) const
{
    return m_streetIndex.value(Fold(kodStreet) + QChar(0x1f) + Fold(kodTown), -1);
}
int TRegistryTables::FindProf(const QString& kodProf) const { return m_profIndex.value(Fold(kodProf), -1); }
