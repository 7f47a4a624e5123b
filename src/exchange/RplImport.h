#pragma once
// Import from the central server: an archive of reference-book table files (".s2w"), each
// replacing its table of the workstation database, and SQL scripts (".sql") executed on it.
// Both check that the file is meant for this workstation and delete it after success; a
// failure leaves the database as it was and keeps the file.
#include "exchange/RplThreads.h"
#include <QStringList>

// The statements of a script by its line rules: lines trimmed, empty ones dropped; the first
// ";" of a line ends the statement, and what follows it starts the next one as it stands; a
// line "/" alone ends the statement. Statements without lines are dropped.
QStringList SplitScript(const QStringList& lines);
// A script file's text: UTF-8, or Windows-1251 when it is not valid UTF-8.
QString ReadScriptText(const QByteArray& bytes);

class TImportOperation : public TWstRplThread {
    Q_OBJECT
public:
    // A file chosen beforehand (the command line): the file dialog is then not shown.
    void SetFileName(const QString& path) { m_presetFile = path; }
    const QString& FilePath() const { return m_filePath; }

protected:
    explicit TImportOperation(TAppInfo& info) : TWstRplThread(info) {}
    // Log lines, the file dialog; ERplException "Прервано пользователем" when cancelled.
    void OpenFile(const char* filter);
    // The workstation's check passed: progress 0 and a last chance to stop.
    void BeginWork();
    void DeleteImportedFile();

    QString m_filePath;
    QString m_fileName;

private:
    QString m_presetFile;
};

class TImServerToWorkstation : public TImportOperation {
    Q_OBJECT
public:
    explicit TImServerToWorkstation(TAppInfo& info) : TImportOperation(info) {}
    // Where the copy of velta.db made before the last replacement lies.
    const QString& BackupFile() const { return m_backup; }

protected:
    void InitWindow() override;
    void Prepare() override;
    void Execute() override;

private:
    void ReplaceTables(const QString& folder);
    QString m_backup;
};

class TImScriptToWorkstation : public TImportOperation {
    Q_OBJECT
public:
    explicit TImScriptToWorkstation(TAppInfo& info) : TImportOperation(info) {}

protected:
    void InitWindow() override;
    void Execute() override;
};
