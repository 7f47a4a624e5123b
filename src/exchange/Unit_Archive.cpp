#include "exchange/Unit_Archive.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <zip.h>
#include <memory>

namespace {

QString WithoutTrailingSlash(QString folder)
{
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    return folder;
}

struct TZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
using TZipPtr = std::unique_ptr<zip_t, TZipCloser>;

// The whole ZIP stream of an archive, its volumes joined; empty when the first is missing.
QByteArray ReadJoined(const QString& archive, bool& ok)
{
    ok = false;
    QByteArray data;
    const QStringList volumes = TArchiver::Volumes(archive);
    if (volumes.isEmpty())
        return data;
    for (const QString& v : volumes) {
        QFile f(v);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray();
        data += f.readAll();
    }
    ok = true;
    return data;
}

// Opens the joined archive read-only from memory; null when it is not a readable ZIP.
TZipPtr OpenJoined(const QByteArray& data)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_buffer_create(data.constData(), zip_uint64_t(data.size()), 0, &error);
    if (!src) {
        zip_error_fini(&error);
        return nullptr;
    }
    zip_t* z = zip_open_from_source(src, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    zip_error_fini(&error);
    if (!z) {
        zip_source_free(src);
        return nullptr;
    }
    return TZipPtr(z);
}

bool WriteVolumes(const QString& whole, const QString& archive)
{
    QFile in(whole);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    // Volumes of an earlier archive of the same name would be joined to this one.
    for (int n = 2; QFileInfo::exists(TArchiver::VolumeName(archive, n)); ++n)
        QFile::remove(TArchiver::VolumeName(archive, n));
    int n = 1;
    do {
        const QByteArray chunk = in.read(TArchiver::VolumeSize);
        QSaveFile out(TArchiver::VolumeName(archive, n));
        if (!out.open(QIODevice::WriteOnly) || out.write(chunk) != chunk.size() || !out.commit())
            return false;
        ++n;
    } while (!in.atEnd());
    return true;
}

} // namespace

QString TArchiver::VolumeName(const QString& archive, int n)
{
    return n <= 1 ? archive : archive + QString(".%1").arg(n, 3, 10, QChar('0'));
}

QStringList TArchiver::Volumes(const QString& archive)
{
    QStringList list;
    for (int n = 1; QFileInfo(VolumeName(archive, n)).isFile(); ++n)
        list << VolumeName(archive, n);
    return list;
}

bool TArchiver::SafeEntryName(const QString& name)
{
    if (name.isEmpty() || name.startsWith('/') || name.startsWith('\\') || name.contains(':'))
        return false;
    for (const QString& part : QString(name).replace('\\', '/').split('/'))
        if (part == "..")
            return false;
    return true;
}

int TArchiver::Archive(const QString& folderArg, const QString& comment, const QString& name)
{
    const QString folder = WithoutTrailingSlash(folderArg);
    const QString archive = folder + "/../" + name;
    const QString whole = archive + ".part";
    QFile::remove(whole);
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);

    int errorCode = 0;
    zip_t* z = zip_open(QFile::encodeName(whole).constData(), ZIP_CREATE | ZIP_TRUNCATE, &errorCode);
    if (!z)
        return Failed;
    bool ok = true;
    for (const QFileInfo& fi : files) {
        zip_source_t* src = zip_source_file(z, QFile::encodeName(fi.absoluteFilePath()).constData(), 0, -1);
        const QByteArray entry = fi.fileName().toUtf8();
        zip_int64_t index = src ? zip_file_add(z, entry.constData(), src, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) : -1;
        if (index < 0) {
            if (src)
                zip_source_free(src);
            ok = false;
            break;
        }
        // The table files are large and repetitive; the fastest deflate level keeps most of
        // the gain at a fraction of the time.
        zip_set_file_compression(z, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    }
    const QByteArray c = comment.toUtf8();
    if (ok && zip_set_archive_comment(z, c.constData(), zip_uint16_t(qMin<qsizetype>(c.size(), 65535))) < 0)
        ok = false;
    if (!ok) {
        zip_discard(z);
        QFile::remove(whole);
        return Failed;
    }
    if (zip_close(z) < 0) {
        zip_discard(z);
        QFile::remove(whole);
        return Failed;
    }
    ok = WriteVolumes(whole, archive);
    QFile::remove(whole);
    if (!ok) {
        for (const QString& v : Volumes(archive))
            QFile::remove(v);
        return Failed;
    }
    for (const QFileInfo& fi : files)
        QFile::remove(fi.absoluteFilePath());
    return Ok;
}

QString TArchiver::ReadArchiveComment(const QString& archive)
{
    bool ok = false;
    const QByteArray data = ReadJoined(archive, ok);
    if (!ok)
        return QString();
    TZipPtr z = OpenJoined(data);
    if (!z)
        return QString();
    int length = 0;
    const char* c = zip_get_archive_comment(z.get(), &length, ZIP_FL_ENC_RAW);
    if (!c || length <= 0)
        return QString();
    // The comment's first line, as a comment file read back would give it.
    return QString::fromUtf8(c, length).section('\n', 0, 0).remove('\r');
}

int TArchiver::ExtractArchive(const QString& folderArg, const QString& archive)
{
    const QString folder = WithoutTrailingSlash(folderArg);
    bool ok = false;
    const QByteArray data = ReadJoined(archive, ok);
    if (!ok)
        return Failed;
    TZipPtr z = OpenJoined(data);
    if (!z)
        return Failed;
    const zip_int64_t count = zip_get_num_entries(z.get(), 0);
    QStringList names;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* n = zip_get_name(z.get(), zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        const QString name = n ? QString::fromUtf8(n) : QString();
        if (!SafeEntryName(name))
            return Failed;
        names << name;
    }
    QDir dir(folder);
    for (zip_int64_t i = 0; i < count; ++i) {
        const QString name = names[int(i)];
        if (name.endsWith('/')) {
            if (!dir.mkpath(name))
                return Failed;
            continue;
        }
        const QString target = dir.filePath(name);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()))
            return Failed;
        zip_file_t* f = zip_fopen_index(z.get(), zip_uint64_t(i), 0);
        if (!f)
            return Failed;
        QSaveFile out(target);
        bool written = out.open(QIODevice::WriteOnly);
        char buffer[65536];
        zip_int64_t got = 0;
        while (written && (got = zip_fread(f, buffer, sizeof buffer)) > 0)
            written = out.write(buffer, got) == got;
        zip_fclose(f);
        if (!written || got < 0 || !out.commit())
            return Failed;
    }
    return Ok;
}
