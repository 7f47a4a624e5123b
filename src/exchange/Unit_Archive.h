#pragma once
// The archiver of the exchange: ZIP archives written and read in process with libzip.
// An archive larger than one volume is a byte split of the one ZIP stream: the first volume
// under the archive's own name (X.w2s), the next ones X.w2s.002, X.w2s.003, ... The archive
// comment is the ZIP file's global comment in UTF-8. Results are exit codes: 0 is success.
#include <QString>
#include <QStringList>

class TArchiver {
public:
    static constexpr qint64 VolumeSize = 1400000;
    enum Code { Ok = 0, Failed = 1 };

    // Puts every plain file of folder into the archive name in folder's parent, without
    // paths, attaches the comment and removes the archived files.
    static int Archive(const QString& folder, const QString& comment, const QString& name);
    // The archive's comment; empty when there is none or the archive cannot be read.
    static QString ReadArchiveComment(const QString& archive);
    // Extracts every entry into folder, overwriting. Nothing is written when an entry's path
    // is absolute or leads out of folder, or when the archive cannot be read.
    static int ExtractArchive(const QString& folder, const QString& archive);

    // The volumes of an archive in order (the archive itself first); only those that exist.
    static QStringList Volumes(const QString& archive);
    // The name of volume n (1 = the archive itself).
    static QString VolumeName(const QString& archive, int n);
    // An entry name that stays inside the target folder: relative, no "..", no drive.
    static bool SafeEntryName(const QString& name);
};
