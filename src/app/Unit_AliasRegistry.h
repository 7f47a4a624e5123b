#pragma once
// The persistent registry of database aliases: an INI file with one section per alias and
// the keys "PATH" and "DEFAULT DRIVER". Only the operations the start-up needs.
#include "app/Unit_IniFile.h"

class TAliasRegistry {
public:
    explicit TAliasRegistry(const QString& fileName) : m_ini(fileName) {}

    bool IsAlias(const QString& name) const { return m_ini.SectionExists(name); }
    void AddStandardAlias(const QString& name, const QString& path, const QString& driver);
    // The alias's parameters as "NAME=value" lines; an unknown alias gives none.
    void GetAliasParams(const QString& name, QStringList& params) const;
    void ModifyAlias(const QString& name, const QStringList& params);
    // Every change is already on disk; kept so that callers say when they are done.
    void SaveConfigFile() {}
    QString AliasPath(const QString& name) const { return m_ini.ReadString(name, "PATH", QString()); }
    const QString& FileName() const { return m_ini.FileName(); }

private:
    TIniFile m_ini;
};
