#include "app/Unit_FileLocations.h"
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {
QString WithSlash(const QString& path) { return path.endsWith('/') ? path : path + '/'; }

// An XDG base folder: the variable when it holds an absolute path, otherwise home + fallback.
QString XdgFolder(const char* variable, const char* fallback)
{
    const QString value = qEnvironmentVariable(variable);
    const QString base = !value.isEmpty() && QDir::isAbsolutePath(value) ? value
                                                                          : QDir::homePath() + '/' + fallback;
    return WithSlash(QDir::cleanPath(base)) + "velta/";
}
}

bool TFileLocations::CanWriteFolder(const QString& folder)
{
    QString dir = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!QFileInfo::exists(dir)) {
        const QString parent = QFileInfo(dir).absolutePath();
        if (parent == dir)
            return false;
        dir = parent;
    }
    if (!QFileInfo(dir).isDir())
        return false;
    QTemporaryFile probe(dir + "/.velta-probe-XXXXXX");
    return probe.open();
}

TFileLocations TFileLocations::For(const QString& executablePath) { return For(executablePath, CanWriteFolder); }

TFileLocations TFileLocations::For(const QString& executablePath, const std::function<bool(const QString&)>& canWrite)
{
    const QString exe = QFileInfo(executablePath).absoluteFilePath();
    const QString exeFolder = WithSlash(QFileInfo(exe).absolutePath());
    TFileLocations where;
    where.Portable = canWrite(exeFolder);
    if (where.Portable) {
        where.SettingsFile = exe + ".ini";
        where.AliasFile = exeFolder + "aliases.ini";
        where.LogFolder = exeFolder;
    } else {
        where.SettingsFile = ConfigFolder() + "velta.ini";
        where.AliasFile = ConfigFolder() + "aliases.ini";
        where.LogFolder = StateFolder();
    }
    return where;
}

QString TFileLocations::ConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }
QString TFileLocations::StateFolder() { return XdgFolder("XDG_STATE_HOME", ".local/state"); }

QString TFileLocations::ProposedFolder(const QString& name)
{
    return WithSlash(QDir::cleanPath(QDir::homePath() + "/velta/" + name));
}
